#include "output/Bgr24Raster.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace output {

namespace {

// Pixels [from, to) of an RGB32 row as blue, green, red bytes. On a little-endian machine
// those are the first three bytes of each pixel in memory: one four-byte store per pixel,
// whose fourth byte the next pixel's store overwrites, and the row's last pixel byte by
// byte so that nothing is written past it.
void copyRow(const QRgb* in, std::uint8_t* out, int from, int to) {
    int x = from;
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
    for (; x + 1 < to; ++x) {
        const std::uint32_t p = in[x];
        std::memcpy(out + 3 * std::size_t(x), &p, sizeof p);
    }
#endif
    for (; x < to; ++x) {
        const QRgb p = in[x];
        out[3 * x] = std::uint8_t(qBlue(p));
        out[3 * x + 1] = std::uint8_t(qGreen(p));
        out[3 * x + 2] = std::uint8_t(qRed(p));
    }
}

} // namespace

bool Bgr24Raster::create(int width, int height) {
    clear();
    width_ = width;
    height_ = height;
    if (width <= 0 || height <= 0 || width > (std::numeric_limits<int>::max() - 3) / 3)
        return false;
    const auto size = std::size_t(rowBytes(width)) * std::size_t(height);
    bits_.reset(new (std::nothrow) std::uint8_t[size]);
    if (!bits_)
        return false;
    std::memset(bits_.get(), 0, size);
    return true;
}

void Bgr24Raster::createFromPicture(const QImage& picture) {
    if (picture.isNull())
        return;
    if (create(picture.width(), picture.height()))
        copyFrom(picture);
}

void Bgr24Raster::copyFrom(const QImage& source, int left, int top, int sourceWidth,
                           int sourceHeight) {
    if (!bits_ || source.isNull())
        return;
    const int w = sourceWidth < 0 ? width_ : sourceWidth;
    const int h = sourceHeight < 0 ? height_ : sourceHeight;
    const QImage rgb =
        source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
            ? source
            : source.convertToFormat(QImage::Format_RGB32);
    const int stride = bytesPerRow();
    // Destination columns whose source column lies inside the picture.
    const int firstX = std::max(0, -left);
    const int endX = std::min({w, width_, rgb.width() - left});
    for (int y = 0; y < std::min(h, height_); ++y) {
        const int sy = top + y;
        if (sy < 0 || sy >= rgb.height())
            continue;
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(sy)) + left;
        copyRow(in, bits_.get() + std::size_t(height_ - 1 - y) * std::size_t(stride), firstX, endX);
    }
}

QImage Bgr24Raster::toImage() const {
    if (!bits_)
        return {};
    QImage image(width_, height_, QImage::Format_RGB32);
    const int stride = bytesPerRow();
    for (int y = 0; y < height_; ++y) {
        const std::uint8_t* in = bits_.get() + std::size_t(height_ - 1 - y) * std::size_t(stride);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width_; ++x)
            out[x] = qRgb(in[3 * x + 2], in[3 * x + 1], in[3 * x]);
    }
    return image;
}

} // namespace output
