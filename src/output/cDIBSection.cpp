#include "output/cDIBSection.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace output {

bool cDIBSection::Create(int lWidth, int lHeight) {
    ClearUp();
    width_ = lWidth;
    height_ = lHeight;
    if (lWidth <= 0 || lHeight <= 0 || lWidth > (std::numeric_limits<int>::max() - 3) / 3)
        return false;
    const auto size = std::size_t(rowBytes(lWidth)) * std::size_t(lHeight);
    bits_.reset(new (std::nothrow) std::uint8_t[size]);
    if (!bits_)
        return false;
    std::memset(bits_.get(), 0, size);
    return true;
}

void cDIBSection::CreateFromPicture(const QImage& picThis) {
    if (picThis.isNull())
        return;
    if (Create(picThis.width(), picThis.height()))
        LoadPictureBlt(picThis);
}

void cDIBSection::LoadPictureBlt(const QImage& source, int lSrcLeft, int lSrcTop, int lSrcWidth,
                                 int lSrcHeight) {
    if (!bits_ || source.isNull())
        return;
    const int w = lSrcWidth < 0 ? width_ : lSrcWidth;
    const int h = lSrcHeight < 0 ? height_ : lSrcHeight;
    const QImage rgb =
        source.format() == QImage::Format_RGB32 || source.format() == QImage::Format_ARGB32
            ? source
            : source.convertToFormat(QImage::Format_RGB32);
    const int stride = BytesPerScanLine();
    // Destination columns whose source column lies inside the picture.
    const int firstX = std::max(0, -lSrcLeft);
    const int endX = std::min({w, width_, rgb.width() - lSrcLeft});
    for (int y = 0; y < std::min(h, height_); ++y) {
        const int sy = lSrcTop + y;
        if (sy < 0 || sy >= rgb.height())
            continue;
        const auto* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(sy)) + lSrcLeft;
        std::uint8_t* out = bits_.get() + std::size_t(height_ - 1 - y) * std::size_t(stride);
        for (int x = firstX; x < endX; ++x) {
            const QRgb p = in[x];
            out[3 * x] = std::uint8_t(qBlue(p));
            out[3 * x + 1] = std::uint8_t(qGreen(p));
            out[3 * x + 2] = std::uint8_t(qRed(p));
        }
    }
}

QImage cDIBSection::toImage() const {
    if (!bits_)
        return {};
    QImage image(width_, height_, QImage::Format_RGB32);
    const int stride = BytesPerScanLine();
    for (int y = 0; y < height_; ++y) {
        const std::uint8_t* in = bits_.get() + std::size_t(height_ - 1 - y) * std::size_t(stride);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width_; ++x)
            out[x] = qRgb(in[3 * x + 2], in[3 * x + 1], in[3 * x]);
    }
    return image;
}

} // namespace output
