#pragma once

#include "platform/Colour.h"
#include "platform/PictureStretch.h"

#include <QFont>
#include <QFontMetrics>
#include <QHash>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

#include <optional>
#include <span>
#include <vector>

class QPainter;

namespace platform {

enum class DrawMode { Copy, Invert };

// A drawing surface measured in pixels, origin top-left, y downwards, drawn
// without anti-aliasing into a persistent backing image. Coordinates are
// single precision, rounded to the nearest pixel; any value, however far off the
// surface, draws in time bounded by the surface's size. Lines include both end
// points. Text is drawn with its top-left corner at the text position, in the
// surface's font, and advances the text position to the end of the text.
class Surface {
public:
    explicit Surface(int width = 1, int height = 1, Colour background = kWindowBackground);

    int width() const { return image_.width(); }   // ScaleWidth
    int height() const { return image_.height(); } // ScaleHeight
    // Resizing keeps the top-left part of the drawing and fills new parts with the background.
    void resize(int width, int height);

    // Fills the whole surface with the background colour; text position to (0, 0).
    // The clip does not apply.
    void clear();

    // Every drawing call below paints only inside area (cut to the surface) until
    // clearClip(); what it leaves besides pixels (text position, pen) is the same.
    void setClip(const QRect& area);
    // The same inside the union of bands: rectangles over separate rows, from the top down.
    void setClip(std::span<const QRect> bands);
    void clearClip();
    // The smallest rectangle that holds the clip.
    const QRect& clip() const { return clip_; }

    void line(float x1, float y1, float x2, float y2, Colour colour);
    // The ends of one vertical line of columnLines, in either order.
    struct ColumnSpan {
        float y1 = 0, y2 = 0;
    };
    // One vertical line per column from firstColumn on, column firstColumn + i from
    // spans[i].y1 to spans[i].y2: the same pixels as line() with a one-pixel pen, drawn
    // row by row where the columns make a convex shape, as ellipses and triangles do.
    void columnLines(int firstColumn, std::span<const ColumnSpan> spans, Colour colour);
    // The rectangle with those corners, filled and bordered in one colour.
    void fillBox(float x1, float y1, float x2, float y2, Colour colour);

    // Paints the whole picture stretched into (x, y, w, h). A negative w or h paints
    // it mirrored on that axis into the area from x + w to x (or y + h to y). Painted
    // smaller than itself, each pixel is the AND of the picture pixels it covers.
    void drawPicture(const QImage& picture, float x, float y, float w, float h,
                     RasterOp op = RasterOp::Copy);
    // Paints the source rectangle (sx, sy, sw, sh) of the picture stretched into (x, y, w, h).
    void drawPicture(const QImage& picture, float x, float y, float w, float h, float sx, float sy,
                     float sw, float sh, RasterOp op = RasterOp::Copy);
    // Covers the area of width x height pixels whose top-left corner is (x, y) with
    // copies of the picture, unscaled, the first one at (x, y); the copies along the
    // right and bottom edges are cut to the area.
    void tilePicture(const QImage& picture, float x, float y, double width, double height);
    // Paints the picture unscaled with its top-left at (x, y).
    void drawPictureAt(const QImage& picture, float x, float y, RasterOp op = RasterOp::Copy);

    // Writes text at (textX, textY) in penColour. With transparentText off the
    // character cells are first filled with the background colour.
    void drawText(const QString& text);
    // Width and height in pixels that the text takes in the surface's current font.
    QSize textSize(const QString& text) const;

    Colour colourAt(int x, int y) const; // outside the surface: the background colour
    void setPixel(int x, int y, Colour colour);

    // Snapshot of the backing image.
    const QImage& image() const { return image_; }

    float textX = 0;
    float textY = 0;
    Colour penColour = kBlack;
    Colour backgroundColour;
    bool transparentText = true;
    int penWidth = 1;
    DrawMode drawMode = DrawMode::Copy;

    const QFont& font() const { return font_; }
    void setFont(const QFont& font);
    // Font size in points, at the surface's 96 dots per inch.
    void setFontSize(qreal points);
    void setFontBold(bool bold);

    // The font of the plan and of the main window: fixed so text sizes do not
    // depend on the desktop's settings.
    static QFont defaultFont();

private:
    class ClipRows;
    // The clip as rectangles over separate rows.
    std::span<const QRect> clipRects() const;
    // Lets a painter on the image paint only inside the clip.
    void clipPainter(QPainter& painter) const;

    // Pixels drawn by one QPainter call, as runs of pixels along rows relative to an
    // anchor; not exact when the call painted pixels partly, which a run cannot repeat.
    struct PixelRuns {
        struct Run {
            int dx, dy, length;
        };
        std::vector<Run> runs;
        bool exact = true;
    };
    // Paints the runs anchored at (x, y) in one colour, cut to the surface.
    void paintRuns(const PixelRuns& runs, int x, int y, QRgb value);
    // The runs of a text in the current font, anchored at its top-left corner.
    const PixelRuns& textRuns(const QString& text, QSize size) const;
    // The runs of a line from (0, 0) to (dx, dy) in the current pen width.
    const PixelRuns& lineRuns(int dx, int dy);

    // Metrics of the current font on the surface's 96 dots per inch, made on first use.
    const QFontMetrics& metrics() const;

    QImage image_;
    QRect clip_;                   // always inside the image
    std::vector<QRect> clipBands_; // none when the clip is clip_ itself
    QFont font_;
    mutable std::optional<QFontMetrics> metrics_;
    // Widths of texts measured in the current font (plans repeat their labels).
    mutable QHash<QString, int> advances_;
    // Text and line pixels made once and repeated: each call from the painter costs
    // as much as thousands of pixels.
    mutable QHash<QString, PixelRuns> textRuns_;
    struct LineShape {
        int dx, dy, penWidth;
        bool operator==(const LineShape&) const = default;
        friend size_t qHash(const LineShape& k, size_t seed = 0) {
            return qHashMulti(seed, k.dx, k.dy, k.penWidth);
        }
    };
    QHash<LineShape, PixelRuns> lineRuns_;
    // The pixel rows of columnLines' columns, kept between calls to spare allocations.
    std::vector<int> columnTops_, columnBottoms_;
    StretchMemo stretched_;
};

} // namespace platform
