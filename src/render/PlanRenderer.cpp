#include "render/PlanRenderer.h"

#include "document/Palette.h"
#include "platform/Numbers.h"
#include "render/ScaleModel.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <span>
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

// Columns a vertical-line fill can touch inside the surface's clip: drawing outside them
// paints nothing, so the loops skip them (a zoomed-in shape may span thousands).
int firstVisibleColumn(const Surface& s, int from) {
    return std::max(from, s.clip().left() - 1);
}
int lastVisibleColumn(const Surface& s, int to) {
    return std::min(to, s.clip().right() + 1);
}

// A measure's label and where it is written: under a horizontal arrow, centred, or left
// of a vertical one (a square box counts as vertical), half-way down.
struct MeasureLabel {
    QString text;
    float x = 0, y = 0;
    QSize size;
};

MeasureLabel measureLabel(const Surface& s, float left, float top, float height, float width,
                          const DrawContext& context) {
    MeasureLabel label;
    const bool horizontal = width > height;
    label.text =
        QString::number(measuredCm(horizontal ? width : height, context.zoom, context.pixelsPerCm));
    label.size = s.textSize(label.text);
    if (horizontal) {
        label.x = float(platform::roundHalfEven(left + width / 2 - float(label.size.width()) / 2));
        label.y = top + 5;
    } else {
        label.x = left + width - 6 - float(label.size.width()) - 1;
        label.y = float(platform::roundHalfEven(top + height / 2 - float(label.size.height()) / 2));
    }
    return label;
}

// The box as drawObject draws it: a side of exactly 0 is drawn as 1.
ScreenBox drawnBox(ScreenBox box) {
    if (box.h == 0)
        box.h = 1;
    if (box.w == 0)
        box.w = 1;
    return box;
}

bool isFinite(const ScreenBox& box) {
    return std::isfinite(box.x) && std::isfinite(box.y) && std::isfinite(box.w) &&
           std::isfinite(box.h);
}

// The pixels of columns left to right and rows top to bottom (rounded outwards), cut to
// a band around the surface so that far values cannot overflow; empty when either range
// is.
QRect pixelArea(const Surface& s, double left, double top, double right, double bottom) {
    // Cut first: within the band, whole parts are taken without the library's floor.
    const auto lowest = [](double v, int length) {
        v = v >= -2.0 ? std::min(v, double(length) + 1) : -2.0;
        const int whole = int(v);
        return whole > v ? whole - 1 : whole;
    };
    const auto highest = [](double v, int length) {
        v = v <= double(length) + 1 ? std::max(v, -2.0) : double(length) + 1;
        const int whole = int(v);
        return whole < v ? whole + 1 : whole;
    };
    const int l = lowest(left, s.width()), r = highest(right, s.width());
    const int t = lowest(top, s.height()), b = highest(bottom, s.height());
    if (l > r || t > b)
        return {};
    return QRect(QPoint(l, t), QPoint(r, b));
}

// The box from x to x + w and y to y + h (either side may be negative) widened by margins.
QRect around(const Surface& s, double x, double y, double w, double h, double marginX,
             double marginY) {
    return pixelArea(s, std::min(x, x + w) - marginX, std::min(y, y + h) - marginY,
                     std::max(x, x + w) + marginX, std::max(y, y + h) + marginY);
}

// The area a text written at (x, y) can paint: glyphs may reach out of the text's cells
// by up to two line heights.
QRect textReach(const Surface& s, double x, double y, QSize size) {
    const double margin = 2.0 * size.height() + 8;
    return around(s, x, y, size.width(), size.height(), margin, margin);
}

// Every pixel an object can paint lies in this area, or nullopt when that is not known
// beforehand (shapes too thin for their ends to stay in their boxes).
std::optional<QRect> reachOf(const Surface& s, const ScreenBox& box,
                             const document::PlanObject& object, const DrawContext& context) {
    using document::ObjectKind;
    if (!isFinite(box))
        return std::nullopt;
    const double x = box.x, y = box.y, w = box.w, h = box.h;
    switch (object.kind) {
    case ObjectKind::Text:
        return textReach(s, x, y, s.textSize(object.text));
    case ObjectKind::Measure: {
        // The arrow and its heads stay within 12 pixels of the box.
        const MeasureLabel label = measureLabel(s, box.x, box.y, box.h, box.w, context);
        return around(s, x, y, w, h, 12, 12) | textReach(s, label.x, label.y, label.size);
    }
    case ObjectKind::Rectangle:
    case ObjectKind::Accessory:
        // Rounded to whole pixels, a texture's last tiles and a stretched picture's last
        // pixels stay within a pixel of the box (a texture's box is at least 1 x 1).
        return around(s, x, y, std::max(w, 1.0), std::max(h, 1.0), 2, 2);
    case ObjectKind::Ellipse:
        // From four pixels wide, the column ends stay within the box's height.
        if (w < 4)
            return std::nullopt;
        return around(s, x, y, w, h, 2, 2);
    case ObjectKind::Triangle: {
        // The sloping side reaches half a column's rise past the box's top or bottom.
        if (w < 1)
            return std::nullopt;
        return around(s, x, y, w, h, 2, std::fabs(h) / (2 * w) + 2);
    }
    case ObjectKind::Line: {
        const double reach = std::max(1, context.prefs.penWidth()) + 3;
        return around(s, x, y, w, h, reach, reach);
    }
    default:
        return std::nullopt;
    }
}

// Draws only inside the bands while it lives.
class ClipScope {
public:
    ClipScope(Surface& surface, std::span<const QRect> bands) : surface_(surface) {
        if (bands.size() == 1)
            surface_.setClip(bands.front());
        else
            surface_.setClip(bands);
    }
    ~ClipScope() { surface_.clearClip(); }
    ClipScope(const ClipScope&) = delete;
    ClipScope& operator=(const ClipScope&) = delete;

private:
    Surface& surface_;
};

void drawMeasure(Surface& s, float left, float top, float height, float width, Colour colour,
                 const DrawContext& context) {
    if (width > height) {
        s.line(left, top + 4, left + width, top + 4, colour);
        s.line(left, top + 5, left + width, top + 5, colour);
        for (int k = 1; k <= 5; ++k) {
            s.line(left + k - 1, top + 5 - k, left + k - 1, top + 5 + k, colour);
            s.line(left + width - k, top + 5 - k, left + width - k, top + 5 + k, colour);
        }
    } else {
        s.line(left + width - 5, top, left + width - 5, top + height, colour);
        s.line(left + width - 6, top, left + width - 6, top + height, colour);
        for (int k = 1; k <= 5; ++k) {
            s.line(left + width - 5 - k, top + k - 1, left + width - 5 + k, top + k - 1, colour);
            s.line(left + width - 5 - k, top + height - k, left + width - 5 + k, top + height - k,
                   colour);
        }
    }
    const MeasureLabel label = measureLabel(s, left, top, height, width, context);
    s.textX = label.x;
    s.textY = label.y;
    s.penColour = colour;
    s.drawText(label.text);
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
    const int first = firstVisibleColumn(s, columnOf(left));
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
    const int first = firstVisibleColumn(s, columnOf(left));
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
    findShowing(canvas, layout, view, prefs, placement);
    // Queued events may scroll, zoom or resize while the objects are drawn: under another
    // view or size the parts found do not hold, and the objects left are drawn whole.
    const View shownView = view;
    const QSize shownSize(canvas.width(), canvas.height());
    bool partsHold = true;
    const auto drawShowing = [&](const Showing& showing, const auto& draw) {
        if (showing.extent == Showing::Extent::Anywhere) {
            draw();
            return;
        }
        // Painted over entirely, an object is still drawn, without a pixel, for what its
        // drawing leaves besides pixels (pen, text position and colour).
        const ClipScope clip(canvas, showing.extent == Showing::Extent::Within
                                         ? std::span<const QRect>(bands_).subspan(showing.firstBand,
                                                                                  showing.bandCount)
                                         : std::span<const QRect>());
        draw();
    };

    if (!prefs.bodyLinesInFront)
        drawShowing(vehicleShowing_, [&] {
            canvas.drawPicture(layout.vehiclePicture, placement.left, placement.top,
                               placement.width, placement.height);
        });

    int index = 0;
    for (const document::PlanObject& object : layout.objects) {
        // Read the view afresh for every object once queued events have scrolled or zoomed.
        const ScreenBox box =
            partsHold ? boxes_[std::size_t(index)] : screenBox(object, view, layout.pixelsPerCm);
        const DrawContext context{view.zoom, layout.pixelsPerCm, prefs};
        drawShowing(partsHold ? showing_[std::size_t(index)] : Showing{},
                    [&] { drawObject(canvas, box, object, context); });
        if (processEvents) {
            processEvents();
            // A redraw run from the events works the parts out anew, for its own plan.
            partsHold = partsHold && view == shownView &&
                        QSize(canvas.width(), canvas.height()) == shownSize &&
                        showing_.size() == std::size_t(layout.objects.count());
        }
        ++index;
    }

    if (prefs.bodyLinesInFront)
        canvas.drawPicture(layout.vehiclePicture, placement.left, placement.top, placement.width,
                           placement.height, platform::RasterOp::And);
}

void PlanRenderer::findShowing(const Surface& canvas, const document::Layout& layout,
                               const View& view, const settings::Preferences& prefs,
                               const PicturePlacement& vehicle) {
    const int count = layout.objects.count();
    showing_.assign(std::size_t(count), Showing{});
    boxes_.resize(std::size_t(count));
    vehicleShowing_ = Showing{};
    for (int index = 0; index < count; ++index)
        boxes_[std::size_t(index)] =
            screenBox(layout.objects.row(index + 1), view, layout.pixelsPerCm);
    // Inverted drawing shows what lies under it.
    if (canvas.drawMode != platform::DrawMode::Copy)
        return;
    covered_.reset(canvas.width(), canvas.height());
    bands_.clear();
    const auto showingOf = [this](const std::optional<QRect>& reach) {
        if (!reach)
            return Showing{};
        const std::size_t first = bands_.size();
        if (covered_.uncovered(*reach, bands_).isEmpty())
            return Showing{Showing::Extent::Nowhere};
        return Showing{Showing::Extent::Within, first, bands_.size() - first};
    };
    const DrawContext context{view.zoom, layout.pixelsPerCm, prefs};
    for (int index = count - 1; index >= 0; --index) {
        const document::PlanObject& object = layout.objects.row(index + 1);
        const ScreenBox box = drawnBox(boxes_[std::size_t(index)]);
        showing_[std::size_t(index)] = showingOf(reachOf(canvas, box, object, context));
        covered_.cover(surelyPainted(canvas, box, object));
    }
    // Stretched, the picture's pixels stay within a pixel of its rounded area.
    vehicleShowing_ =
        showingOf(around(canvas, vehicle.left, vehicle.top, vehicle.width, vehicle.height, 2, 2));
}

QRect PlanRenderer::surelyPainted(const Surface& surface, ScreenBox box,
                                  const document::PlanObject& object) {
    using document::ObjectKind;
    if (object.kind != ObjectKind::Rectangle && object.kind != ObjectKind::Accessory)
        return {};
    if (!isFinite(box) || !(box.w > 0) || !(box.h > 0))
        return {};
    // Pixel column j is painted for sure when the box reaches marginX past both its
    // sides (x + marginX <= j and j + 1 <= x + w - marginX), and rows likewise.
    const auto inside = [&](double marginX, double marginY) {
        const double x = box.x, y = box.y;
        return pixelArea(surface, std::ceil(x + marginX), std::ceil(y + marginY),
                         std::floor(x + box.w - marginX) - 1, std::floor(y + box.h - marginY) - 1);
    };
    const document::Fill& fill = object.fill;
    if (object.kind == ObjectKind::Rectangle) {
        if (!fill.isFile())
            return inside(2, 2);
        // Tiles cut to the box may stop up to one tile short of its far edges.
        const QImage* texture = libraryPicture(textureFolder_, fill.fileName());
        return texture ? inside(2 + texture->width(), 2 + texture->height()) : QRect();
    }
    const int quarterTurns = int(object.orientation.accessoryTurn());
    if (quarterTurns < 0 || quarterTurns > 3 || fill.fileName().isEmpty())
        return {};
    const QImage* picture = pictures_.turned(accessoryFolder_, fill.fileName(), quarterTurns);
    if (!picture || picture->isNull())
        return {};
    // One picture pixel further: the stretch leaves out a last column or row whose sample
    // falls just past the picture.
    return inside(2 + double(box.w) / picture->width(), 2 + double(box.h) / picture->height());
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
