#include "render/PlanRenderer.h"

#include "document/Palette.h"
#include "platform/Numbers.h"
#include "render/ScaleModel.h"

#include <algorithm>
#include <cmath>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The ends of the ellipse's columns first, first + 1, ... (count of them) into spans:
// with t = (column - cx) / halfW in single precision, the half-height
// halfH * sqrt(|1 - t * t|) is taken in double precision and stored back in single. The
// four-at-a-time steps are the same single and double precision operations, so they give
// the same values as the one-at-a-time ones.
void ellipseSpans(int first, int count, float cx, float cy, float halfW, float halfH,
                  Surface::ColumnSpan* spans) {
    static_assert(sizeof(Surface::ColumnSpan) == 2 * sizeof(float));
    int k = 0;
#if defined(__SSE2__)
    const __m128 centreX = _mm_set1_ps(cx), centreY = _mm_set1_ps(cy);
    const __m128 halfWidth = _mm_set1_ps(halfW), one = _mm_set1_ps(1.0f);
    const __m128 sign = _mm_set1_ps(-0.0f);
    const __m128d halfHeight = _mm_set1_pd(double(halfH));
    const __m128i steps = _mm_setr_epi32(0, 1, 2, 3);
    for (; k + 4 <= count; k += 4) {
        const __m128 column = _mm_cvtepi32_ps(_mm_add_epi32(_mm_set1_epi32(first + k), steps));
        const __m128 t = _mm_div_ps(_mm_sub_ps(column, centreX), halfWidth);
        const __m128 u = _mm_andnot_ps(sign, _mm_sub_ps(one, _mm_mul_ps(t, t)));
        const __m128d low = _mm_mul_pd(halfHeight, _mm_sqrt_pd(_mm_cvtps_pd(u)));
        const __m128d high = _mm_mul_pd(halfHeight, _mm_sqrt_pd(_mm_cvtps_pd(_mm_movehl_ps(u, u))));
        const __m128 d = _mm_movelh_ps(_mm_cvtpd_ps(low), _mm_cvtpd_ps(high));
        const __m128 top = _mm_sub_ps(centreY, d), bottom = _mm_add_ps(centreY, d);
        _mm_storeu_ps(&spans[k].y1, _mm_unpacklo_ps(top, bottom));
        _mm_storeu_ps(&spans[k + 2].y1, _mm_unpackhi_ps(top, bottom));
    }
#endif
    for (; k < count; ++k) {
        const float t = (float(first + k) - cx) / halfW;
        const float d = float(double(halfH) * std::sqrt(double(std::fabs(1.0f - t * t))));
        spans[k] = {cy - d, cy + d};
    }
}

// spans: room for the columns' ends, kept by the caller between shapes.
void drawEllipse(Surface& s, float left, float top, float height, float width, Colour colour,
                 std::vector<Surface::ColumnSpan>& spans) {
    const int first = firstVisibleColumn(columnOf(left));
    const int last = lastVisibleColumn(s, columnOf(left + width));
    spans.resize(std::size_t(std::max(0, last - first + 1)));
    ellipseSpans(first, int(spans.size()), left + width / 2, top + height / 2, width / 2,
                 height / 2, spans.data());
    s.columnLines(first, spans, colour);
}

// The ends of a triangle's columns first, first + 1, ... (count of them) into spans: one
// end at fixed, the other at from + sv or from - sv (falling), sv = (column - X) * H / W
// in single precision. The four-at-a-time steps are the same single precision operations.
void triangleSpans(int first, int count, float X, float H, float W, float fixed, float from,
                   bool falling, Surface::ColumnSpan* spans) {
    static_assert(sizeof(Surface::ColumnSpan) == 2 * sizeof(float));
    int k = 0;
#if defined(__SSE2__)
    const __m128 left = _mm_set1_ps(X), height = _mm_set1_ps(H), width = _mm_set1_ps(W);
    const __m128 fixedEnd = _mm_set1_ps(fixed), start = _mm_set1_ps(from);
    const __m128i steps = _mm_setr_epi32(0, 1, 2, 3);
    for (; k + 4 <= count; k += 4) {
        const __m128 column = _mm_cvtepi32_ps(_mm_add_epi32(_mm_set1_epi32(first + k), steps));
        const __m128 sv = _mm_div_ps(_mm_mul_ps(_mm_sub_ps(column, left), height), width);
        const __m128 moving = falling ? _mm_sub_ps(start, sv) : _mm_add_ps(start, sv);
        _mm_storeu_ps(&spans[k].y1, _mm_unpacklo_ps(fixedEnd, moving));
        _mm_storeu_ps(&spans[k + 2].y1, _mm_unpackhi_ps(fixedEnd, moving));
    }
#endif
    for (; k < count; ++k) {
        const float sv = (float(first + k) - X) * H / W;
        spans[k] = {fixed, falling ? from - sv : from + sv};
    }
}

void drawTriangle(Surface& s, float left, float top, float height, float width, Colour colour,
                  TriangleCorner corner, std::vector<Surface::ColumnSpan>& spans) {
    if (int(corner) < int(TriangleCorner::TopRight) ||
        int(corner) > int(TriangleCorner::BottomRight))
        return;
    const int first = firstVisibleColumn(columnOf(left));
    const int last = lastVisibleColumn(s, columnOf(left + width - 1));
    spans.resize(std::size_t(std::max(0, last - first + 1)));
    const int count = int(spans.size());
    switch (corner) {
    case TriangleCorner::TopRight: // from the top down to top + sv
        triangleSpans(first, count, left, height, width, top, top, false, spans.data());
        break;
    case TriangleCorner::TopLeft: // from the top down to top + height - sv
        triangleSpans(first, count, left, height, width, top, top + height, true, spans.data());
        break;
    case TriangleCorner::BottomLeft: // from top + height - 1 up to top + sv
        triangleSpans(first, count, left, height, width, top + height - 1, top, false,
                      spans.data());
        break;
    case TriangleCorner::BottomRight: // from top + height - 1 up to top + height - 1 - sv
        triangleSpans(first, count, left, height, width, top + height - 1, top + height - 1, true,
                      spans.data());
        break;
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
    : pictures_(pictures), libraryRoot_(std::move(libraryRoot)),
      textureFolder_(libraryRoot_ + QStringLiteral("/textures")),
      accessoryFolder_(libraryRoot_ + QStringLiteral("/accessoires")) {}

const QImage* PlanRenderer::libraryPicture(const QString& folder, const QString& file) {
    if (file.isEmpty())
        return nullptr;
    const QImage* picture = pictures_.get(folder, file);
    return picture && !picture->isNull() ? picture : nullptr;
}

void PlanRenderer::drawPlan(Surface& canvas, const document::Layout& layout, const View& view,
                            const settings::Preferences& prefs) {
    const platform::PictureCache::Pass pass(pictures_);
    const PicturePlacement placement =
        placeVehicle(layout.pictureWidth, layout.pictureHeight, view.zoom, view.originX,
                     view.originY, layout.mirrorLeftRight, layout.mirrorTopBottom);
    // Zoomed in, one object often fills the whole canvas: what lies under it cannot show.
    const View coveredView = view;
    const int cover = coveringObject(canvas, layout, view);
    bool skipping = cover >= 0;
    if (!prefs.bodyLinesInFront && !skipping)
        canvas.drawPicture(layout.vehiclePicture, placement.left, placement.top, placement.width,
                           placement.height);

    int index = 0;
    for (const document::PlanObject& object : layout.objects) {
        // Read the view afresh for every object: queued events may have scrolled or zoomed.
        ScreenBox box = screenBox(object, view, layout.pixelsPerCm);
        DrawContext context{view.zoom, layout.pixelsPerCm, prefs};
        if (skipping && index < cover)
            leaveHidden(canvas, box, object, context);
        else
            drawObject(canvas, box, object, context);
        if (processEvents) {
            processEvents();
            // Under another view the cover may not cover: the objects left are all drawn.
            skipping = skipping && view == coveredView;
        }
        ++index;
    }

    if (prefs.bodyLinesInFront)
        canvas.drawPicture(layout.vehiclePicture, placement.left, placement.top, placement.width,
                           placement.height, platform::RasterOp::And);
}

int PlanRenderer::coveringObject(const Surface& canvas, const document::Layout& layout,
                                 const View& view) {
    if (canvas.drawMode != platform::DrawMode::Copy)
        return -1;
    for (int index = layout.objects.count() - 1; index >= 0; --index) {
        const document::PlanObject& object = layout.objects.row(index + 1);
        if (paintsWholeSurface(canvas, screenBox(object, view, layout.pixelsPerCm), object))
            return index;
    }
    return -1;
}

bool PlanRenderer::paintsWholeSurface(const Surface& surface, const ScreenBox& box,
                                      const document::PlanObject& object) {
    using document::ObjectKind;
    if (object.kind != ObjectKind::Rectangle && object.kind != ObjectKind::Accessory)
        return false;
    if (!std::isfinite(box.x) || !std::isfinite(box.y) || !std::isfinite(box.w) ||
        !std::isfinite(box.h) || !(box.w > 0) || !(box.h > 0))
        return false;
    // The box must reach past every edge by a margin that no rounding of the drawing
    // routines can take back: two pixels, more where a picture's last pixels reach in.
    const auto reaches = [&](double marginX, double marginY) {
        const double x = box.x, y = box.y;
        return x <= -marginX && y <= -marginY && x + box.w >= surface.width() + marginX &&
               y + box.h >= surface.height() + marginY;
    };
    // Every margin below is at least two pixels: most boxes fail before a picture is
    // looked up.
    if (!reaches(2, 2))
        return false;
    const document::Fill& fill = object.fill;
    if (object.kind == ObjectKind::Rectangle) {
        if (!fill.isFile())
            return reaches(2, 2);
        // Tiles cut to the box may stop up to one tile short of its far edges.
        const QImage* texture = libraryPicture(textureFolder_, fill.fileName());
        return texture && reaches(2 + texture->width(), 2 + texture->height());
    }
    const int quarterTurns = int(object.orientation.accessoryTurn());
    if (quarterTurns < 0 || quarterTurns > 3 || fill.fileName().isEmpty())
        return false;
    const QImage* picture = pictures_.turned(accessoryFolder_, fill.fileName(), quarterTurns);
    // One picture pixel further: the stretch leaves out a last column or row whose sample
    // falls just past the picture.
    return picture && !picture->isNull() &&
           reaches(2 + double(box.w) / picture->width(), 2 + double(box.h) / picture->height());
}

void PlanRenderer::leaveHidden(Surface& surface, ScreenBox box, const document::PlanObject& object,
                               const DrawContext& context) {
    using document::ObjectKind;
    switch (object.kind) {
    case ObjectKind::Measure:
    case ObjectKind::Text:
        // They set the surface's text position and pen colour, which outlast the plan.
        drawObject(surface, box, object, context);
        break;
    case ObjectKind::Line:
    case ObjectKind::Ellipse:
    case ObjectKind::Triangle:
        // Drawn, they leave a one-pixel pen.
        if (std::isfinite(box.x) && std::isfinite(box.y) && std::isfinite(box.h) &&
            std::isfinite(box.w))
            surface.penWidth = 1;
        break;
    default:
        break;
    }
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
        drawEllipse(surface, x, y, h, w, colour, spans_);
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
        drawTriangle(surface, x, y, h, w, colour, object.orientation.triangleCorner(), spans_);
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
    const QImage* picture = pictures_.turned(accessoryFolder_, file, quarterTurns);
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
    const QImage* texture = libraryPicture(textureFolder_, file);
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
