#include "editor/Geometry.h"

#include "document/LayoutFile.h"
#include "platform/Numbers.h"

#include <cmath>

namespace editor {

using platform::roundToInt;

namespace {

constexpr std::array<int, 12> kSteps = {10, 25, 50, 75, 100, 150, 200, 300, 500, 800, 1200, 1600};
static_assert(kSteps.front() == document::kMinZoomPercent &&
              kSteps.back() == document::kMaxZoomPercent);

float roundF(float v) {
    return std::nearbyint(v);
}

} // namespace

PlanBox hitBox(const document::PlanObject& object, const render::View& view, double pixelsPerCm) {
    using document::ObjectKind;
    const float height = object.heightCm;
    const float width = object.widthCm;
    const float perCm = float(pixelsPerCm);
    PlanBox box;
    box.left = float(roundToInt((object.position.x - view.originX) * view.zoom));
    box.top = float(roundToInt((object.position.y - view.originY) * view.zoom));
    const float scale = object.kind == ObjectKind::Text ? perCm : perCm * view.zoom;
    box.width = width * scale;
    box.height = height * scale;
    if (object.kind == ObjectKind::Measure) {
        if (width > height) {
            if (box.width > 17)
                box.height = 17;
        } else if (box.height > 25) {
            box.width = 25;
            box.left = float(roundToInt(box.left + width * perCm * view.zoom - 25));
        }
    }
    return box;
}

int hitTest(const document::ObjectTable& table, const render::View& view, double pixelsPerCm, int x,
            int y) {
    const float fx = float(x), fy = float(y);
    for (int r = table.count(); r >= 1; --r) {
        const PlanBox b = hitBox(table.row(r), view, pixelsPerCm);
        if (b.left <= fx && fx <= b.left + b.width && b.top <= fy && fy <= b.top + b.height)
            return r;
    }
    return 0;
}

std::array<QPoint, kHandleCount> handlePositions(const PlanBox& box) {
    const int left = roundToInt(box.left), top = roundToInt(box.top);
    const int right = roundToInt(box.left + box.width);
    const int bottom = roundToInt(box.top + box.height);
    const int midX = left + roundToInt(box.width / 2) - 2;
    const int midY = top + roundToInt(box.height / 2) - 2;
    return {QPoint(left - 5, top - 5), QPoint(midX, top - 5), QPoint(right, top - 5),
            QPoint(right, midY),       QPoint(right, bottom), QPoint(midX, bottom),
            QPoint(left - 5, bottom),  QPoint(left - 5, midY)};
}

float dragEdge(float position, int delta, float size, int surfaceSize) {
    const float moved = position + float(delta);
    if (moved < 10 - size)
        return 10 - size;
    if (moved > float(surfaceSize - 10))
        return float(surfaceSize - 10);
    return moved;
}

void resizeByHandle(PlanBox& box, Handle handle, int dx, int dy) {
    const auto setWidth = [&box](float w) {
        if (w >= 0)
            box.width = w;
    };
    const auto setHeight = [&box](float h) {
        if (h >= 0)
            box.height = h;
    };
    switch (handle) {
    case Handle::TopLeft:
        box.top += float(dy);
        box.left += float(dx);
        setWidth(box.width - float(dx));
        setHeight(box.height - float(dy));
        break;
    case Handle::Top:
        box.top += float(dy);
        setHeight(box.height - float(dy));
        break;
    case Handle::TopRight:
        box.top += float(dy);
        setWidth(box.width + float(dx));
        setHeight(box.height - float(dy));
        break;
    case Handle::Right:
        setWidth(box.width + float(dx));
        break;
    case Handle::BottomRight:
        setWidth(box.width + float(dx));
        setHeight(box.height + float(dy));
        break;
    case Handle::Bottom:
        setHeight(box.height + float(dy));
        break;
    case Handle::BottomLeft:
        box.left += float(dx);
        setWidth(box.width - float(dx));
        setHeight(box.height + float(dy));
        break;
    case Handle::Left:
        box.left += float(dx);
        setWidth(box.width - float(dx));
        break;
    }
}

int zoomStepDown(int percent) {
    int chosen = document::kMinZoomPercent;
    for (const int step : kSteps)
        if (step < percent)
            chosen = step;
    return chosen;
}

int zoomStepUp(int percent) {
    for (const int step : kSteps)
        if (step > percent)
            return step;
    return document::kMaxZoomPercent;
}

float centredOrigin(float origin, float oldZoom, float zoom, float imageSize, float surfaceSize) {
    const float centre = oldZoom * imageSize <= surfaceSize ? imageSize / 2 + origin
                                                            : surfaceSize / 2 / oldZoom + origin;
    const float next = roundF(centre - surfaceSize / 2 / zoom);
    return next < 0 ? 0 : next;
}

int barPercent(float origin, float zoom, float imageSize, float surfaceSize) {
    const float range = zoom * imageSize - surfaceSize;
    if (range <= 0)
        return 0;
    const float p = zoom * 100 * origin / range;
    if (p <= 0)
        return 0;
    if (p >= 100)
        return 100;
    return roundToInt(p);
}

float originFromBar(int value, float zoom, float imageSize, float surfaceSize) {
    return roundF((imageSize * zoom - surfaceSize) * float(value) / 100 / zoom);
}

std::int16_t textSizeCm(int px, double pixelsPerCm) {
    return std::int16_t(roundToInt(double(px) / pixelsPerCm) + 1);
}

std::optional<std::int16_t> readDimension(const QString& text, const QLocale& locale) {
    const std::optional<double> v = platform::readNumber(text, locale);
    if (!v)
        return std::nullopt;
    const std::optional<std::int16_t> whole = platform::toInt16(*v);
    if (!whole || *whole < 0)
        return std::nullopt;
    return whole;
}

} // namespace editor
