#pragma once

#include <QImage>

#include <cstdint>
#include <memory>

namespace output {

// An in-memory true-colour raster: 3 bytes per pixel in blue, green, red order,
// each row padded to a multiple of 4 bytes, the bottom row of the picture first.
// The buffer owns its pixels; clear, the next create and destruction release them.
class Bgr24Raster {
public:
    Bgr24Raster() = default;
    ~Bgr24Raster() { clear(); }
    Bgr24Raster(const Bgr24Raster&) = delete;
    Bgr24Raster& operator=(const Bgr24Raster&) = delete;
    Bgr24Raster(Bgr24Raster&&) noexcept = default;
    Bgr24Raster& operator=(Bgr24Raster&&) noexcept = default;

    // Releases what the buffer holds, then makes a zeroed width x height raster.
    // False (and an empty buffer) when a size is not positive or memory runs out.
    bool create(int width, int height);
    // Sizes the buffer to the picture and copies its pixels, unscaled, from the
    // top-left corner. A null picture, or a failed create, copies nothing.
    void createFromPicture(const QImage& picture);
    // Copies the picture's pixels from (left, top) into the buffer at (0, 0).
    // A negative width or height means the buffer's own; parts outside the picture
    // or the buffer are left as they are.
    void copyFrom(const QImage& source, int left = 0, int top = 0, int sourceWidth = -1,
                  int sourceHeight = -1);

    // Row length in bytes: 3 x width rounded up to a multiple of 4.
    int bytesPerRow() const { return rowBytes(width_); }
    // The size of the last raster made; kept by clear.
    int width() const { return width_; }
    int height() const { return height_; }
    // The first pixel byte (bottom row, leftmost pixel); nullptr when empty.
    std::uint8_t* bits() { return bits_.get(); }
    const std::uint8_t* bits() const { return bits_.get(); }
    bool isEmpty() const { return !bits_; }

    void clear() { bits_.reset(); }

    // The picture in top-down RGB order, for checking what the buffer holds.
    QImage toImage() const;

    static int rowBytes(int width) { return (3 * width + 3) & ~3; }

private:
    std::unique_ptr<std::uint8_t[]> bits_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace output
