#include "platform/Surface.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QRegion>

#include <algorithm>
#include <cmath>
#include <cwchar>
#include <vector>

namespace platform {

namespace {

// 96 dots per inch, so that point sizes give the same pixels as on a usual desktop.
constexpr int kDotsPerMeter = 3780;

// Far enough off any surface that rounding beyond it changes nothing drawn.
constexpr double kFarAway = 1 << 24;

// Nearest pixel, saturating far off the surface; not-a-number counts as far away.
int px(double v) {
    if (!(v > -kFarAway))
        return -int(kFarAway);
    if (v > kFarAway)
        return int(kFarAway);
    // Halves away from zero without the library call. Every pixel drawn so far follows
    // this sum, including its rounding just below a half, so it stays as it is.
    return v >= 0 ? int(v + 0.5) : -int(0.5 - v); // NOLINT(bugprone-incorrect-roundings)
}

// Cuts the segment to the square of half-side kFarAway / 4 around the origin, so that
// rasterising it stays cheap; false when nothing is left. Each end outside is moved
// onto the side it crosses (the crossing computed from the ratio of the two
// differences, which keeps its precision for ends as far as 1e30). Segments that lie
// inside are left exactly as they are.
bool clipFarSegment(double& x1, double& y1, double& x2, double& y2) {
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return false;
    constexpr double limit = kFarAway / 4;
    for (int pass = 0; pass < 4; ++pass) {
        const bool firstOut = std::fabs(x1) > limit || std::fabs(y1) > limit;
        const bool secondOut = std::fabs(x2) > limit || std::fabs(y2) > limit;
        if (!firstOut && !secondOut)
            return true;
        if ((x1 < -limit && x2 < -limit) || (x1 > limit && x2 > limit) ||
            (y1 < -limit && y2 < -limit) || (y1 > limit && y2 > limit))
            return false;
        double& x = firstOut ? x1 : x2;
        double& y = firstOut ? y1 : y2;
        const double ox = firstOut ? x2 : x1, oy = firstOut ? y2 : y1;
        if (std::fabs(x) > limit) {
            const double side = x < 0 ? -limit : limit;
            y = oy + (y - oy) * ((side - ox) / (x - ox));
            x = side;
        } else {
            const double side = y < 0 ? -limit : limit;
            x = ox + (x - ox) * ((side - oy) / (y - oy));
            y = side;
        }
    }
    return std::max({std::fabs(x1), std::fabs(y1), std::fabs(x2), std::fabs(y2)}) <= limit;
}

// Row y of an RGB32 image whose bits were made writable once (bits()), without the
// per-row detach check of QImage::scanLine.
inline QRgb* rowOf(uchar* bits, qsizetype bytesPerLine, int y) {
    return reinterpret_cast<QRgb*>(bits + qsizetype(y) * bytesPerLine);
}

// Sets count pixels from row on to value. The C library's wide-character fill writes
// 32-bit values with the widest stores the processor offers, which a plain loop built
// for any x86-64 processor does not.
inline void fillPixels(QRgb* row, qsizetype count, QRgb value) {
    static_assert(sizeof(wchar_t) == sizeof(QRgb));
    if (count > 0)
        std::wmemset(reinterpret_cast<wchar_t*>(row), static_cast<wchar_t>(value),
                     std::size_t(count));
}

QPen linePen(const QColor& colour, int penWidth) {
    QPen pen(colour);
    pen.setWidth(std::max(1, penWidth));
    pen.setCapStyle(penWidth > 1 ? Qt::RoundCap : Qt::SquareCap);
    return pen;
}

// An image to let the painter draw on once, transparent, at the surface's resolution.
QImage scratch(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    image.fill(Qt::transparent);
    return image;
}

// Stretched pictures kept per surface: twice the surface's pixels (pictures overlap),
// within 1 and 4 million pixels (4 and 16 MB).
std::size_t stretchBudget(int width, int height) {
    return std::clamp(std::size_t(2) * std::size_t(width) * std::size_t(height),
                      std::size_t(1) << 20, StretchMemo::kDefaultBudget);
}

} // namespace

Surface::Surface(int width, int height, Colour background)
    : backgroundColour(background), font_(defaultFont()) {
    image_ = QImage(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    image_.setDotsPerMeterX(kDotsPerMeter);
    image_.setDotsPerMeterY(kDotsPerMeter);
    image_.fill(toQColor(backgroundColour));
    clearClip();
    stretched_.setBudget(stretchBudget(image_.width(), image_.height()));
}

QFont Surface::defaultFont() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(8);
    f.setStyleStrategy(QFont::NoAntialias);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

const QFontMetrics& Surface::metrics() const {
    if (!metrics_)
        metrics_.emplace(font_, &image_);
    return *metrics_;
}

void Surface::setFont(const QFont& font) {
    metrics_.reset();
    advances_.clear();
    textRuns_.clear();
    font_ = font;
    font_.setStyleStrategy(QFont::NoAntialias);
}

void Surface::setFontSize(qreal points) {
    metrics_.reset();
    advances_.clear();
    textRuns_.clear();
    font_.setPointSizeF(points);
}

void Surface::setFontBold(bool bold) {
    metrics_.reset();
    advances_.clear();
    textRuns_.clear();
    font_.setWeight(bold ? QFont::Bold : QFont::Normal);
}

void Surface::resize(int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    if (width == image_.width() && height == image_.height())
        return;
    QImage next(width, height, QImage::Format_RGB32);
    next.setDotsPerMeterX(kDotsPerMeter);
    next.setDotsPerMeterY(kDotsPerMeter);
    next.fill(toQColor(backgroundColour));
    QPainter p(&next);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, image_);
    p.end();
    image_ = std::move(next);
    clearClip();
    stretched_.setBudget(stretchBudget(width, height));
}

void Surface::clear() {
    image_.fill(toQColor(backgroundColour));
    textX = 0;
    textY = 0;
}

// The columns the clip lets through, row by row from the top down.
class Surface::ClipRows {
public:
    explicit ClipRows(const Surface& surface) : rects_(surface.clipRects()) {}
    // The first and last column of row y (first > last when there is none); y must not
    // be above the row asked for before.
    std::pair<int, int> columns(int y) {
        while (next_ < rects_.size() && rects_[next_].bottom() < y)
            ++next_;
        if (next_ == rects_.size() || rects_[next_].top() > y)
            return {0, -1};
        return {rects_[next_].left(), rects_[next_].right()};
    }

private:
    std::span<const QRect> rects_;
    std::size_t next_ = 0;
};

void Surface::setClip(const QRect& area) {
    clip_ = area & image_.rect();
    clipBands_.clear();
}

void Surface::setClip(std::span<const QRect> bands) {
    clipBands_.clear();
    clip_ = QRect();
    for (const QRect& band : bands)
        if (const QRect inside = band & image_.rect(); !inside.isEmpty()) {
            clipBands_.push_back(inside);
            clip_ |= inside;
        }
    if (clipBands_.size() == 1)
        clipBands_.clear();
}

void Surface::clearClip() {
    clip_ = image_.rect();
    clipBands_.clear();
}

std::span<const QRect> Surface::clipRects() const {
    if (clipBands_.empty())
        return {&clip_, 1};
    return clipBands_;
}

void Surface::clipPainter(QPainter& painter) const {
    if (clipBands_.empty()) {
        painter.setClipRect(clip_);
        return;
    }
    QRegion region;
    region.setRects(clipBands_.data(), int(clipBands_.size()));
    painter.setClipRegion(region);
}

void Surface::line(float x1, float y1, float x2, float y2, Colour colour) {
    double cx1 = x1, cy1 = y1, cx2 = x2, cy2 = y2;
    if (!clipFarSegment(cx1, cy1, cx2, cy2))
        return;
    const int ix1 = px(cx1), iy1 = px(cy1), ix2 = px(cx2), iy2 = px(cy2);
    const QRgb value = qRgb(redOf(colour), greenOf(colour), blueOf(colour));
    // Vertical one-pixel lines are the bulk of ellipses and triangles, horizontal ones
    // of measures: write them directly.
    if (penWidth <= 1 && iy1 == iy2 && ix1 != ix2) {
        const auto [clipLeft, clipRight] = ClipRows(*this).columns(iy1);
        const int left = std::max(clipLeft, std::min(ix1, ix2));
        const int right = std::min(clipRight, std::max(ix1, ix2));
        if (left > right)
            return;
        auto* row = rowOf(image_.bits(), image_.bytesPerLine(), iy1);
        for (int x = left; x <= right; ++x)
            row[x] = drawMode == DrawMode::Invert ? (row[x] ^ 0x00FFFFFFu) : value;
        return;
    }
    if (penWidth <= 1 && ix1 == ix2) {
        if (ix1 < clip_.left() || ix1 > clip_.right())
            return;
        const int top = std::max(clip_.top(), std::min(iy1, iy2));
        const int bottom = std::min(clip_.bottom(), std::max(iy1, iy2));
        uchar* bits = image_.bits();
        const qsizetype bpl = image_.bytesPerLine();
        ClipRows clipRows(*this);
        for (int y = top; y <= bottom; ++y) {
            if (const auto [left, right] = clipRows.columns(y); ix1 < left || ix1 > right)
                continue;
            QRgb& pixel = rowOf(bits, bpl, y)[ix1];
            pixel = drawMode == DrawMode::Invert ? (pixel ^ 0x00FFFFFFu) : value;
        }
        return;
    }
    // Other lines are the painter's. Lines well inside the surface repeat the pixels it
    // gave for the same length and direction.
    const int reach = std::max(1, penWidth) + 2;
    const QRect inside = image_.rect().adjusted(reach, reach, -reach, -reach);
    if (drawMode == DrawMode::Copy && inside.contains(ix1, iy1) && inside.contains(ix2, iy2)) {
        const PixelRuns& runs = lineRuns(ix2 - ix1, iy2 - iy1);
        if (runs.exact) {
            paintRuns(runs, ix1, iy1, value);
            return;
        }
    }
    if (clip_.isEmpty())
        return;
    QPainter p(&image_);
    clipPainter(p);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(linePen(toQColor(colour), penWidth));
    if (drawMode == DrawMode::Invert)
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
    if (ix1 == ix2 && iy1 == iy2)
        p.drawPoint(ix1, iy1);
    else
        p.drawLine(ix1, iy1, ix2, iy2);
}

void Surface::columnLines(int firstColumn, std::span<const ColumnSpan> spans, Colour colour) {
    if (drawMode == DrawMode::Invert || penWidth > 1) {
        for (std::size_t i = 0; i < spans.size(); ++i) {
            const float x = float(firstColumn + int(i));
            line(x, spans[i].y1, x, spans[i].y2, colour);
        }
        return;
    }
    // Each column's pixel rows on the surface, empty (top > bottom) when none; a column
    // with an end that is not finite draws nothing, as line() does.
    const int first = std::max(firstColumn, clip_.left());
    const int last = std::min(firstColumn + int(spans.size()) - 1, clip_.right());
    if (first > last)
        return;
    const int n = last - first + 1;
    std::vector<int>& tops = columnTops_;
    std::vector<int>& bottoms = columnBottoms_;
    tops.assign(std::size_t(n), 0);
    bottoms.assign(std::size_t(n), -1);
    const int highestRow = clip_.top(), lowestRow = clip_.bottom();
    for (int i = 0; i < n; ++i) {
        const ColumnSpan& span = spans[std::size_t(first - firstColumn) + std::size_t(i)];
        if (!std::isfinite(span.y1) || !std::isfinite(span.y2))
            continue;
        tops[std::size_t(i)] = std::max(highestRow, px(std::min(span.y1, span.y2)));
        bottoms[std::size_t(i)] = std::min(lowestRow, px(std::max(span.y1, span.y2)));
    }
    const QRgb value = qRgb(redOf(colour), greenOf(colour), blueOf(colour));
    uchar* bits = image_.bits();
    const qsizetype bpl = image_.bytesPerLine();
    // The columns are taken in runs whose tops fall then rise and whose bottoms rise then
    // fall: on each row such a run covers one interval of columns, which two pointers
    // follow down the rows.
    for (int start = 0; start < n;) {
        if (tops[std::size_t(start)] > bottoms[std::size_t(start)]) {
            ++start;
            continue;
        }
        int end = start + 1; // one past the run
        bool topsRising = false, bottomsFalling = false;
        for (; end < n; ++end) {
            const int t = tops[std::size_t(end)], b = bottoms[std::size_t(end)];
            const int pt = tops[std::size_t(end - 1)], pb = bottoms[std::size_t(end - 1)];
            if (t > b || (topsRising && t < pt) || (bottomsFalling && b > pb))
                break;
            topsRising = topsRising || t > pt;
            bottomsFalling = bottomsFalling || b < pb;
        }
        const int* top = tops.data() + start;
        const int* bottom = bottoms.data() + start;
        const int count = end - start;
        const int lowest = int(std::min_element(top, top + count) - top);
        const int lastRow = *std::max_element(bottom, bottom + count);
        // [aL, aR]: the columns whose top is at or above the row; [bL, bR]: those whose
        // bottom is at or below it.
        int aL = lowest, aR = lowest, bL = 0, bR = count - 1;
        ClipRows clipRows(*this);
        for (int y = top[lowest]; y <= lastRow; ++y) {
            while (aL > 0 && top[aL - 1] <= y)
                --aL;
            while (aR < count - 1 && top[aR + 1] <= y)
                ++aR;
            while (bL <= bR && bottom[bL] < y)
                ++bL;
            while (bR >= bL && bottom[bR] < y)
                --bR;
            const auto [clipLeft, clipRight] = clipRows.columns(y);
            const int from = std::max({aL, bL, clipLeft - first - start});
            const int to = std::min({aR, bR, clipRight - first - start});
            if (from <= to) {
                QRgb* row = rowOf(bits, bpl, y) + first + start;
                fillPixels(row + from, to + 1 - from, value);
            }
        }
        start = end;
    }
}

void Surface::fillBox(float x1, float y1, float x2, float y2, Colour colour) {
    const int left = std::min(px(x1), px(x2)), right = std::max(px(x1), px(x2));
    const int top = std::min(px(y1), px(y2)), bottom = std::max(px(y1), px(y2));
    const QRect area = QRect(QPoint(left, top), QPoint(right, bottom)).intersected(clip_);
    if (area.isEmpty())
        return;
    const QRgb value = qRgb(redOf(colour), greenOf(colour), blueOf(colour));
    uchar* bits = image_.bits();
    const qsizetype bpl = image_.bytesPerLine();
    ClipRows clipRows(*this);
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const auto [clipLeft, clipRight] = clipRows.columns(y);
        const int from = std::max(area.left(), clipLeft), to = std::min(area.right(), clipRight);
        QRgb* row = rowOf(bits, bpl, y);
        if (drawMode == DrawMode::Invert) {
            for (int x = from; x <= to; ++x)
                row[x] ^= 0x00FFFFFFu;
        } else {
            fillPixels(row + from, to + 1 - from, value);
        }
    }
}

void Surface::drawPicture(const QImage& picture, float x, float y, float w, float h, RasterOp op) {
    drawPicture(picture, x, y, w, h, 0, 0, float(picture.width()), float(picture.height()), op);
}

void Surface::drawPicture(const QImage& picture, float x, float y, float w, float h, float sx,
                          float sy, float sw, float sh, RasterOp op) {
    if (picture.isNull() || w == 0 || h == 0 || !(sw > 0) || !(sh > 0))
        return;
    const QRect source(px(sx), px(sy), px(sw), px(sh));
    stretchPicture(image_, picture, x, y, w, h, source, op, &stretched_, clipRects());
}

void Surface::drawPictureAt(const QImage& picture, float x, float y, RasterOp op) {
    if (picture.isNull())
        return;
    stretchPicture(image_, picture, px(x), px(y), picture.width(), picture.height(), picture.rect(),
                   op, &stretched_, clipRects());
}

void Surface::tilePicture(const QImage& picture, float x, float y, double width, double height) {
    if (picture.isNull() || !std::isfinite(x) || !std::isfinite(y) || !(width > 0) || !(height > 0))
        return;
    const QImage rgb = picture.format() == QImage::Format_RGB32
                           ? picture
                           : picture.convertToFormat(QImage::Format_RGB32);
    // Anchor in double precision: the area may reach far off the surface.
    const double left = std::floor(double(x) + 0.5), top = std::floor(double(y) + 0.5);
    const int tw = rgb.width(), th = rgb.height();
    uchar* bits = image_.bits();
    const qsizetype bpl = image_.bytesPerLine();
    for (const QRect& clip : clipRects()) {
        const double fromX = std::max(left, double(clip.left()));
        const double toX = std::min(left + width, double(clip.right() + 1));
        const double fromY = std::max(top, double(clip.top()));
        const double toY = std::min(top + height, double(clip.bottom() + 1));
        if (!(fromX < toX) || !(fromY < toY))
            continue;
        const int x0 = int(fromX), x1 = int(toX), y0 = int(fromY), y1 = int(toY);
        const int firstColumn = int(std::fmod(fromX - left, double(tw)));
        const int firstRow = int(std::fmod(fromY - top, double(th)));
        // The first tile height of lines is laid tile by tile; every later line shows the
        // same tile row as the line one tile height above it, so it is one copy of that
        // span.
        const int laid = std::min(y1, y0 + th);
        for (int line = y0, row = firstRow; line < laid;
             ++line, row = row + 1 == th ? 0 : row + 1) {
            const auto* from = reinterpret_cast<const QRgb*>(rgb.constScanLine(row));
            auto* to = rowOf(bits, bpl, line);
            int column = firstColumn;
            for (int at = x0; at < x1;) {
                const int run = std::min(tw - column, x1 - at);
                std::copy(from + column, from + column + run, to + at);
                at += run;
                column = 0;
            }
        }
        for (int line = laid; line < y1; ++line) {
            const QRgb* above = rowOf(bits, bpl, line - th) + x0;
            std::copy(above, above + (x1 - x0), rowOf(bits, bpl, line) + x0);
        }
    }
}

QSize Surface::textSize(const QString& text) const {
    auto known = advances_.constFind(text);
    if (known == advances_.constEnd()) {
        if (advances_.size() > 4096)
            advances_.clear();
        known = advances_.insert(text, metrics().horizontalAdvance(text));
    }
    return QSize(*known, metrics().height());
}

void Surface::drawText(const QString& text) {
    const QSize size = textSize(text);
    const int left = px(textX), top = px(textY);
    // A margin of one line height covers glyphs that reach beyond their advance.
    const int margin = size.height();
    if (!QRect(left - margin, top - margin, size.width() + 2 * margin, size.height() + 2 * margin)
             .intersects(image_.rect())) {
        textX += float(size.width());
        return;
    }
    const PixelRuns& runs = textRuns(text, size);
    if (runs.exact) {
        if (!transparentText) {
            const QRect cells = QRect(left, top, size.width(), size.height()) & clip_;
            const QRgb background = toQColor(backgroundColour).rgb();
            ClipRows clipRows(*this);
            for (int y = cells.top(); y <= cells.bottom(); ++y) {
                const auto [clipLeft, clipRight] = clipRows.columns(y);
                const int from = std::max(cells.left(), clipLeft);
                const int to = std::min(cells.right(), clipRight);
                QRgb* row = rowOf(image_.bits(), image_.bytesPerLine(), y);
                fillPixels(row + from, to + 1 - from, background);
            }
        }
        paintRuns(runs, left, top, toQColor(penColour).rgb());
        textX += float(size.width());
        return;
    }
    if (clip_.isEmpty()) {
        textX += float(size.width());
        return;
    }
    QPainter p(&image_);
    clipPainter(p);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(font_);
    if (!transparentText)
        p.fillRect(QRect(left, top, size.width(), size.height()), toQColor(backgroundColour));
    p.setPen(toQColor(penColour));
    p.drawText(QPoint(left, top + metrics().ascent()), text);
    textX += float(size.width());
}

namespace {

// The runs of fully painted pixels on a scratch image, anchored at (x, y). Not exact
// when a pixel is partly painted or the painting reaches the scratch image's border.
template <typename Runs> void collectRuns(const QImage& image, int x, int y, Runs& out) {
    for (int row = 0; row < image.height(); ++row) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(row));
        for (int column = 0; column < image.width();) {
            const int alpha = qAlpha(line[column]);
            if (alpha == 0) {
                ++column;
                continue;
            }
            const bool border = row == 0 || column == 0 || row == image.height() - 1;
            if (alpha != 255 || border) {
                out.exact = false;
                return;
            }
            int end = column + 1;
            while (end < image.width() && qAlpha(line[end]) == 255)
                ++end;
            if (end == image.width() || qAlpha(line[end]) != 0) {
                out.exact = false;
                return;
            }
            out.runs.push_back({column - x, row - y, end - column});
            column = end;
        }
    }
}

} // namespace

const Surface::PixelRuns& Surface::textRuns(const QString& text, QSize size) const {
    if (const auto known = textRuns_.constFind(text); known != textRuns_.constEnd())
        return *known;
    if (textRuns_.size() > 4096)
        textRuns_.clear();
    const int margin = 2 * size.height() + 8;
    QImage image = scratch(size.width() + 2 * margin, size.height() + 2 * margin);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(font_);
    p.setPen(Qt::black);
    p.drawText(QPoint(margin, margin + metrics().ascent()), text);
    p.end();
    PixelRuns runs;
    collectRuns(image, margin, margin, runs);
    return *textRuns_.insert(text, std::move(runs));
}

const Surface::PixelRuns& Surface::lineRuns(int dx, int dy) {
    const LineShape key{dx, dy, penWidth};
    if (const auto known = lineRuns_.constFind(key); known != lineRuns_.constEnd())
        return *known;
    if (lineRuns_.size() > 4096)
        lineRuns_.clear();
    const int margin = std::max(1, penWidth) + 3;
    const int x = margin + std::max(0, -dx), y = margin + std::max(0, -dy);
    QImage image = scratch(std::abs(dx) + 2 * margin + 1, std::abs(dy) + 2 * margin + 1);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(linePen(Qt::black, penWidth));
    if (dx == 0 && dy == 0)
        p.drawPoint(x, y);
    else
        p.drawLine(x, y, x + dx, y + dy);
    p.end();
    PixelRuns runs;
    collectRuns(image, x, y, runs);
    return *lineRuns_.insert(key, std::move(runs));
}

void Surface::paintRuns(const PixelRuns& runs, int x, int y, QRgb value) {
    if (clip_.isEmpty())
        return;
    uchar* bits = image_.bits();
    const qsizetype bpl = image_.bytesPerLine();
    // The runs come row after row, from the top down.
    ClipRows clipRows(*this);
    for (const PixelRuns::Run& run : runs.runs) {
        const int row = y + run.dy;
        if (row < clip_.top() || row > clip_.bottom())
            continue;
        const auto [clipLeft, clipRight] = clipRows.columns(row);
        const int from = std::max(clipLeft, x + run.dx);
        const int to = std::min(clipRight + 1, x + run.dx + run.length);
        if (from < to) {
            QRgb* line = rowOf(bits, bpl, row);
            fillPixels(line + from, to - from, value);
        }
    }
}

Colour Surface::colourAt(int x, int y) const {
    if (!image_.valid(x, y))
        return backgroundColour;
    return fromQRgb(image_.pixel(x, y));
}

void Surface::setPixel(int x, int y, Colour colour) {
    const auto rects = clipRects();
    if (std::none_of(rects.begin(), rects.end(),
                     [x, y](const QRect& rect) { return rect.contains(x, y); }))
        return;
    if (drawMode == DrawMode::Invert)
        image_.setPixel(x, y, image_.pixel(x, y) ^ 0x00FFFFFFu);
    else
        image_.setPixel(x, y, qRgb(redOf(colour), greenOf(colour), blueOf(colour)));
}

} // namespace platform
