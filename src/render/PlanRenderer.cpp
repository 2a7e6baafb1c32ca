#include "render/PlanRenderer.h"

#include "document/Palette.h"
#include "platform/Numbers.h"
#include "render/ScaleModel.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace render {

namespace {

using platform::Colour;
using platform::Surface;

// Whole number nearest to a single-precision value, halves to even; values far off
// any surface saturate (not-a-number counts as far to the left).
int CInt(float v) {
    constexpr double kFar = 1 << 24;
    if (!(double(v) > -kFar))
        return -int(kFar);
    return platform::M(std::min(double(v), kFar));
}

// Columns a vertical-line fill can touch on this surface: drawing outside them
// paints nothing, so the loops skip them (a zoomed-in shape may span thousands).
int firstVisibleColumn(int from) {
    return std::max(from, -1);
}
int lastVisibleColumn(const Surface& s, int to) {
    return std::min(to, s.width());
}

void drawMeasure(Surface& s, float X, float Y, float H, float W, Colour colour,
                 const DrawContext& context) {
    QString label;
    float textX = 0, textY = 0;
    if (W > H) {
        s.line(X, Y + 4, X + W, Y + 4, colour);
        s.line(X, Y + 5, X + W, Y + 5, colour);
        for (int k = 1; k <= 5; ++k) {
            s.line(X + k - 1, Y + 5 - k, X + k - 1, Y + 5 + k, colour);
            s.line(X + W - k, Y + 5 - k, X + W - k, Y + 5 + k, colour);
        }
        label = QString::number(longueurCm(W, context.zoom, context.pixelsPerCm));
        const QSize size = s.textSize(label);
        textX = float(platform::roundHalfEven(X + W / 2 - float(size.width()) / 2));
        textY = Y + 5;
    } else {
        // A square box counts as vertical: the arrow runs along the box's right edge.
        s.line(X + W - 5, Y, X + W - 5, Y + H, colour);
        s.line(X + W - 6, Y, X + W - 6, Y + H, colour);
        for (int k = 1; k <= 5; ++k) {
            s.line(X + W - 5 - k, Y + k - 1, X + W - 5 + k, Y + k - 1, colour);
            s.line(X + W - 5 - k, Y + H - k, X + W - 5 + k, Y + H - k, colour);
        }
        label = QString::number(longueurCm(H, context.zoom, context.pixelsPerCm));
        const QSize size = s.textSize(label);
        textX = X + W - 6 - float(size.width()) - 1;
        textY = float(platform::roundHalfEven(Y + H / 2 - float(size.height()) / 2));
    }
    s.textX = textX;
    s.textY = textY;
    s.penColour = colour;
    s.drawText(label);
}

void drawEllipse(Surface& s, float X, float Y, float H, float W, Colour colour) {
    const float cx = X + W / 2, cy = Y + H / 2;
    const int first = firstVisibleColumn(CInt(X));
    const int last = lastVisibleColumn(s, CInt(X + W));
    std::vector<Surface::ColumnSpan> spans;
    spans.reserve(std::size_t(std::max(0, last - first + 1)));
    for (int i = first; i <= last; ++i) {
        const float t = (float(i) - cx) / (W / 2);
        // The root is taken in double precision and the half-height stored back in single.
        const float d = float(double(H / 2) * std::sqrt(double(std::fabs(1.0f - t * t))));
        spans.push_back({cy - d, cy + d});
    }
    s.columnLines(first, spans, colour);
}

void drawTriangle(Surface& s, float X, float Y, float H, float W, Colour colour, int extra) {
    if (extra < 0 || extra > 3)
        return;
    const int first = firstVisibleColumn(CInt(X));
    const int last = lastVisibleColumn(s, CInt(X + W - 1));
    std::vector<Surface::ColumnSpan> spans;
    spans.reserve(std::size_t(std::max(0, last - first + 1)));
    for (int i = first; i <= last; ++i) {
        const float sv = (float(i) - X) * H / W;
        switch (extra) {
        case 0: // right angle at the top-right corner
            spans.push_back({Y, Y + sv});
            break;
        case 1: // top-left
            spans.push_back({Y, Y + H - sv});
            break;
        case 2: // bottom-left
            spans.push_back({Y + H - 1, Y + sv});
            break;
        case 3: // bottom-right
            spans.push_back({Y + H - 1, Y + H - 1 - sv});
            break;
        }
    }
    s.columnLines(first, spans, colour);
}

void drawText(Surface& s, float X, float Y, const QString& text, Colour colour, bool fondblanc) {
    s.textX = X;
    s.textY = Y;
    s.transparentText = !fondblanc;
    s.penColour = colour;
    s.drawText(text);
    s.transparentText = true;
}

void drawLine(Surface& s, float X, float Y, float H, float W, Colour colour, int diagonal,
              int width) {
    s.penWidth = width;
    if (diagonal == 0)
        s.line(X, Y, X + W - 1, Y + H - 1, colour);
    else if (diagonal == 1)
        s.line(X + W, Y, X, Y + H - 1, colour);
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
    if (!prefs.carross)
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

    if (prefs.carross)
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
        drawText(surface, x, y, object.text, colour, context.prefs.fondblanc);
        break;
    case ObjectKind::Line:
        drawLine(surface, x, y, h, w, colour, object.orientation, context.prefs.lineWidth());
        break;
    case ObjectKind::Triangle:
        surface.penWidth = 1;
        drawTriangle(surface, x, y, h, w, colour, object.orientation);
        break;
    case ObjectKind::Accessory:
        drawAccessory(surface, x, y, h, w, fill.fileName(), object.orientation);
        break;
    default:
        break;
    }
    return box;
}

void PlanRenderer::drawAccessory(Surface& surface, float x, float y, float h, float w,
                                 const QString& file, int orientation) {
    if (orientation < 0 || orientation > 3 || file.isEmpty())
        return;
    // Orientation k is k quarter turns counter-clockwise; the turned picture fills the box.
    const QImage* picture =
        pictures_.turned(libraryRoot_ + QStringLiteral("/accessoires"), file, orientation);
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
