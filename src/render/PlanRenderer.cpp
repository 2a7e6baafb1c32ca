#include "render/PlanRenderer.h"

#include "document/Palette.h"
#include "platform/Numbers.h"
#include "render/ScaleModel.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace render {

namespace {

using document::LineDirection;
using document::TriangleCorner;
using platform::Colour;
using platform::Surface;

// The pixel column (or row) nearest to a single-precision position, halves to even;
// positions far off any surface saturate (not-a-number counts as far to the left).
int columnOf(float v) {
    constexpr double kFar = 1 << 24;
    if (!(double(v) > -kFar))
        return -int(kFar);
    return platform::roundToInt(std::min(double(v), kFar));
}

// Columns a vertical-line fill can touch on this surface: drawing outside them
// paints nothing, so the loops skip them (a zoomed-in shape may span thousands).
int firstVisibleColumn(int from) {
    return std::max(from, -1);
}
int lastVisibleColumn(const Surface& s, int to) {
    return std::min(to, s.width());
}

void drawMeasure(Surface& s, float left, float top, float height, float width, Colour colour,
                 const DrawContext& context) {
    QString label;
    float textX = 0, textY = 0;
    if (width > height) {
        s.line(left, top + 4, left + width, top + 4, colour);
        s.line(left, top + 5, left + width, top + 5, colour);
        for (int k = 1; k <= 5; ++k) {
            s.line(left + k - 1, top + 5 - k, left + k - 1, top + 5 + k, colour);
            s.line(left + width - k, top + 5 - k, left + width - k, top + 5 + k, colour);
        }
        label = QString::number(measuredCm(width, context.zoom, context.pixelsPerCm));
        const QSize size = s.textSize(label);
        textX = float(platform::roundHalfEven(left + width / 2 - float(size.width()) / 2));
        textY = top + 5;
    } else {
        // A square box counts as vertical: the arrow runs along the box's right edge.
        s.line(left + width - 5, top, left + width - 5, top + height, colour);
        s.line(left + width - 6, top, left + width - 6, top + height, colour);
        for (int k = 1; k <= 5; ++k) {
            s.line(left + width - 5 - k, top + k - 1, left + width - 5 + k, top + k - 1, colour);
            s.line(left + width - 5 - k, top + height - k, left + width - 5 + k, top + height - k,
                   colour);
        }
        label = QString::number(measuredCm(height, context.zoom, context.pixelsPerCm));
        const QSize size = s.textSize(label);
        textX = left + width - 6 - float(size.width()) - 1;
        textY = float(platform::roundHalfEven(top + height / 2 - float(size.height()) / 2));
    }
    s.textX = textX;
    s.textY = textY;
    s.penColour = colour;
    s.drawText(label);
}

void drawEllipse(Surface& s, float left, float top, float height, float width, Colour colour) {
    const float cx = left + width / 2, cy = top + height / 2;
    const int first = firstVisibleColumn(columnOf(left));
    const int last = lastVisibleColumn(s, columnOf(left + width));
    std::vector<Surface::ColumnSpan> spans;
    spans.reserve(std::size_t(std::max(0, last - first + 1)));
    for (int i = first; i <= last; ++i) {
        const float t = (float(i) - cx) / (width / 2);
        // The root is taken in double precision and the half-height stored back in single.
        const float d = float(double(height / 2) * std::sqrt(double(std::fabs(1.0f - t * t))));
        spans.push_back({cy - d, cy + d});
    }
    s.columnLines(first, spans, colour);
}

void drawTriangle(Surface& s, float left, float top, float height, float width, Colour colour,
                  TriangleCorner corner) {
    if (int(corner) < int(TriangleCorner::TopRight) ||
        int(corner) > int(TriangleCorner::BottomRight))
        return;
    const int first = firstVisibleColumn(columnOf(left));
    const int last = lastVisibleColumn(s, columnOf(left + width - 1));
    std::vector<Surface::ColumnSpan> spans;
    spans.reserve(std::size_t(std::max(0, last - first + 1)));
    for (int i = first; i <= last; ++i) {
        const float sv = (float(i) - left) * height / width;
        switch (corner) {
        case TriangleCorner::TopRight:
            spans.push_back({top, top + sv});
            break;
        case TriangleCorner::TopLeft:
            spans.push_back({top, top + height - sv});
            break;
        case TriangleCorner::BottomLeft:
            spans.push_back({top + height - 1, top + sv});
            break;
        case TriangleCorner::BottomRight:
            spans.push_back({top + height - 1, top + height - 1 - sv});
            break;
        }
    }
    s.columnLines(first, spans, colour);
}

void drawText(Surface& s, float left, float top, const QString& text, Colour colour,
              bool whiteBackground) {
    s.textX = left;
    s.textY = top;
    s.transparentText = !whiteBackground;
    s.penColour = colour;
    s.drawText(text);
    s.transparentText = true;
}

void drawLine(Surface& s, float left, float top, float height, float width, Colour colour,
              LineDirection direction, int penWidth) {
    s.penWidth = penWidth;
    if (direction == LineDirection::Falling)
        s.line(left, top, left + width - 1, top + height - 1, colour);
    else if (direction == LineDirection::Rising)
        s.line(left + width, top, left, top + height - 1, colour);
    s.penWidth = 1;
}

} // namespace

PlanRenderer::PlanRenderer(platform::PictureCache& pictures, QString libraryRoot)
    : pictures_(pictures), libraryRoot_(std::move(libraryRoot)) {}

const QImage* PlanRenderer::libraryPicture(const QString& folder, const QString& file) {
    if (file.isEmpty())
        return nullptr;
    const QImage* picture = pictures_.get(libraryRoot_ + QLatin1Char('/') + folder, file);
    return picture && !picture->isNull() ? picture : nullptr;
}

void PlanRenderer::drawPlan(Surface& canvas, const document::Layout& layout, const View& view,
                            const settings::Preferences& prefs) {
    const platform::PictureCache::Pass pass(pictures_);
    const PicturePlacement placement =
        placeVehicle(layout.pictureWidth, layout.pictureHeight, view.zoom, view.originX,
                     view.originY, layout.mirrorLeftRight, layout.mirrorTopBottom);
    if (!prefs.bodyLinesInFront)
        canvas.drawPicture(layout.vehiclePicture, placement.left, placement.top, placement.width,
                           placement.height);

    for (const document::PlanObject& object : layout.objects) {
        // Read the view afresh for every object: queued events may have scrolled or zoomed.
        ScreenBox box = screenBox(object, view, layout.pixelsPerCm);
        DrawContext context{view.zoom, layout.pixelsPerCm, prefs};
        drawObject(canvas, box, object, context);
        if (processEvents)
            processEvents();
    }

    if (prefs.bodyLinesInFront)
        canvas.drawPicture(layout.vehiclePicture, placement.left, placement.top, placement.width,
                           placement.height, platform::RasterOp::And);
}

ScreenBox PlanRenderer::drawObject(Surface& surface, ScreenBox box,
                                   const document::PlanObject& object, const DrawContext& context) {
    float &x = box.x, &y = box.y, &h = box.h, &w = box.w;
    if (h == 0)
        h = 1;
    if (w == 0)
        w = 1;
    // A box out of float range (from extreme values in a file) has no place on the plan.
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(h) || !std::isfinite(w))
        return box;
    using document::ObjectKind;
    const document::Fill& fill = object.fill;
    const Colour colour = document::paletteColour(fill.colourIndex());
    switch (object.kind) {
    case ObjectKind::Measure:
        surface.penWidth = 1;
        drawMeasure(surface, x, y, h, w, colour, context);
        break;
    case ObjectKind::Rectangle:
        if (fill.isFile())
            fillWithTexture(surface, x, y, h, w, fill.fileName());
        else
            surface.fillBox(x, y, x + w - 1, y + h - 1, colour);
        break;
    case ObjectKind::Ellipse:
        surface.penWidth = 1;
        drawEllipse(surface, x, y, h, w, colour);
        break;
    case ObjectKind::Text:
        drawText(surface, x, y, object.text, colour, context.prefs.whiteTextBackground);
        break;
    case ObjectKind::Line:
        drawLine(surface, x, y, h, w, colour, object.orientation.lineDirection(),
                 context.prefs.penWidth());
        break;
    case ObjectKind::Triangle:
        surface.penWidth = 1;
        drawTriangle(surface, x, y, h, w, colour, object.orientation.triangleCorner());
        break;
    case ObjectKind::Accessory:
        drawAccessory(surface, x, y, h, w, fill.fileName(), object.orientation.accessoryTurn());
        break;
    default:
        break;
    }
    return box;
}

void PlanRenderer::drawAccessory(Surface& surface, float x, float y, float h, float w,
                                 const QString& file, document::AccessoryTurn turn) {
    const int quarterTurns = int(turn);
    if (quarterTurns < 0 || quarterTurns > 3 || file.isEmpty())
        return;
    const QImage* picture =
        pictures_.turned(libraryRoot_ + QStringLiteral("/accessoires"), file, quarterTurns);
    if (!picture || picture->isNull())
        return;
    surface.drawPicture(*picture, x, y, w, h);
}

void PlanRenderer::fillWithTexture(Surface& surface, float x, float y, float& h, float& w,
                                   const QString& file) {
    if (w < 1)
        w = 1;
    if (h < 1)
        h = 1;
    const QImage* texture = libraryPicture(QStringLiteral("textures"), file);
    if (!texture)
        return;
    // Tiles start at the box's top-left corner; a tile that would reach past the box is
    // cut to the box's size rounded (halves to even), and one that rounds to nothing is
    // left out.
    const auto covered = [](float size, int tile) {
        const double lastStart = double(tile) * std::floor(double(size) / tile);
        return lastStart + std::max(0.0, std::nearbyint(double(size) - lastStart));
    };
    surface.tilePicture(*texture, x, y, covered(w, texture->width()),
                        covered(h, texture->height()));
}

} // namespace render
