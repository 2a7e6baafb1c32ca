#include "platform/Surface.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace platform {

namespace {

// 96 dots per inch, so that point sizes give the same pixels as on a usual desktop.
constexpr int kDotsPerMeter = 3780;

// A coordinate to whole pixels, halves away from zero. Far-away coordinates are held
// to +-2^30 pixels, well beyond any surface, and a coordinate that is not a number
// becomes 0, so the conversion is always defined.
int px(float v) {
    constexpr float kFar = 1073741824.0f;
    if (std::isnan(v))
        return 0;
    return int(std::lround(std::clamp(v, -kFar, kFar)));
}

QPainter::CompositionMode compositionFor(RasterOp op) {
    return op == RasterOp::And ? QPainter::RasterOp_SourceAndDestination
                               : QPainter::CompositionMode_Source;
}

} // namespace

Surface::Surface(int width, int height, Colour background)
    : BackColor(background), font_(defaultFont()) {
    image_ = QImage(std::max(1, width), std::max(1, height), QImage::Format_RGB32);
    image_.setDotsPerMeterX(kDotsPerMeter);
    image_.setDotsPerMeterY(kDotsPerMeter);
    image_.fill(toQColor(BackColor));
}

QFont Surface::defaultFont() {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(8);
    f.setStyleStrategy(QFont::NoAntialias);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

void Surface::setFont(const QFont& font) {
    font_ = font;
    font_.setStyleStrategy(QFont::NoAntialias);
}

void Surface::setFontSize(qreal points) {
    font_.setPointSizeF(points);
}

void Surface::setFontBold(bool bold) {
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
    next.fill(toQColor(BackColor));
    QPainter p(&next);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(0, 0, image_);
    p.end();
    image_ = std::move(next);
}

void Surface::Cls() {
    image_.fill(toQColor(BackColor));
    CurrentX = 0;
    CurrentY = 0;
}

void Surface::line(float x1, float y1, float x2, float y2, Colour colour) {
    const int ix1 = px(x1), iy1 = px(y1), ix2 = px(x2), iy2 = px(y2);
    const QRgb value = qRgb(redOf(colour), greenOf(colour), blueOf(colour));
    // Vertical one-pixel lines are the bulk of ellipses and triangles: write them directly.
    if (DrawWidth <= 1 && ix1 == ix2) {
        if (ix1 < 0 || ix1 >= image_.width())
            return;
        const int top = std::max(0, std::min(iy1, iy2));
        const int bottom = std::min(image_.height() - 1, std::max(iy1, iy2));
        for (int y = top; y <= bottom; ++y) {
            auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
            row[ix1] = drawMode == DrawMode::Invert ? (row[ix1] ^ 0x00FFFFFFu) : value;
        }
        return;
    }
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(toQColor(colour));
    pen.setWidth(std::max(1, DrawWidth));
    pen.setCapStyle(DrawWidth > 1 ? Qt::RoundCap : Qt::SquareCap);
    p.setPen(pen);
    if (drawMode == DrawMode::Invert)
        p.setCompositionMode(QPainter::RasterOp_NotDestination);
    if (ix1 == ix2 && iy1 == iy2)
        p.drawPoint(ix1, iy1);
    else
        p.drawLine(ix1, iy1, ix2, iy2);
}

void Surface::fillBox(float x1, float y1, float x2, float y2, Colour colour) {
    const int left = std::min(px(x1), px(x2)), right = std::max(px(x1), px(x2));
    const int top = std::min(px(y1), px(y2)), bottom = std::max(px(y1), px(y2));
    const QRect area = QRect(QPoint(left, top), QPoint(right, bottom)).intersected(image_.rect());
    if (area.isEmpty())
        return;
    if (drawMode == DrawMode::Invert) {
        for (int y = area.top(); y <= area.bottom(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
            for (int x = area.left(); x <= area.right(); ++x)
                row[x] ^= 0x00FFFFFFu;
        }
        return;
    }
    QPainter p(&image_);
    p.fillRect(area, toQColor(colour));
}

void Surface::PaintPicture(const QImage& picture, float x, float y, float w, float h, RasterOp op) {
    PaintPicture(picture, x, y, w, h, 0, 0, float(picture.width()), float(picture.height()), op);
}

void Surface::PaintPicture(const QImage& picture, float x, float y, float w, float h, float sx,
                           float sy, float sw, float sh, RasterOp op) {
    if (picture.isNull() || w == 0 || h == 0 || sw <= 0 || sh <= 0)
        return;
    const bool mirrorX = w < 0, mirrorY = h < 0;
    const QRectF target(mirrorX ? x + w : x, mirrorY ? y + h : y, std::fabs(w), std::fabs(h));
    const QRect source(px(sx), px(sy), px(sw), px(sh));
    QPainter p(&image_);
    p.setRenderHint(QPainter::SmoothPixmapTransform, false);
    p.setCompositionMode(compositionFor(op));
    if (mirrorX || mirrorY) {
        // Mirror the painter around the target's centre so that the picture covers the same area.
        p.translate(target.center());
        p.scale(mirrorX ? -1 : 1, mirrorY ? -1 : 1);
        p.translate(-target.center());
    }
    p.drawImage(target, picture, source);
}

void Surface::PaintPictureAt(const QImage& picture, float x, float y, RasterOp op) {
    if (picture.isNull())
        return;
    QPainter p(&image_);
    p.setCompositionMode(compositionFor(op));
    p.drawImage(QPoint(px(x), px(y)), picture);
}

QSize Surface::TailleTexte(const QString& text) const {
    const QFontMetrics metrics(font_, &image_);
    return QSize(metrics.horizontalAdvance(text), metrics.height());
}

void Surface::Print(const QString& text) {
    const QFontMetrics metrics(font_, &image_);
    const QSize size(metrics.horizontalAdvance(text), metrics.height());
    QPainter p(&image_);
    p.setRenderHint(QPainter::TextAntialiasing, false);
    p.setFont(font_);
    const int left = px(CurrentX), top = px(CurrentY);
    if (!FontTransparent)
        p.fillRect(QRect(left, top, size.width(), size.height()), toQColor(BackColor));
    p.setPen(toQColor(ForeColor));
    p.drawText(QPoint(left, top + metrics.ascent()), text);
    CurrentX += float(size.width());
}

Colour Surface::Point(int x, int y) const {
    if (!image_.valid(x, y))
        return BackColor;
    return fromQRgb(image_.pixel(x, y));
}

void Surface::PSet(int x, int y, Colour colour) {
    if (!image_.valid(x, y))
        return;
    if (drawMode == DrawMode::Invert)
        image_.setPixel(x, y, image_.pixel(x, y) ^ 0x00FFFFFFu);
    else
        image_.setPixel(x, y, qRgb(redOf(colour), greenOf(colour), blueOf(colour)));
}

} // namespace platform
