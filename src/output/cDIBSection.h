#pragma once

#include <QImage>

#include <cstdint>
#include <memory>

namespace output {

// An in-memory true-colour raster: 3 bytes per pixel in blue, green, red order,
// each row padded to a multiple of 4 bytes, the bottom row of the picture first.
// The buffer owns its pixels; ClearUp, the next Create and destruction release them.
class cDIBSection {
public:
    cDIBSection() = default;
    ~cDIBSection() { ClearUp(); }
    cDIBSection(const cDIBSection&) = delete;
    cDIBSection& operator=(const cDIBSection&) = delete;
    cDIBSection(cDIBSection&&) noexcept = default;
    cDIBSection& operator=(cDIBSection&&) noexcept = default;

    // Releases what the buffer holds, then makes a zeroed lWidth x lHeight raster.
    // False (and an empty buffer) when a size is not positive or memory runs out.
    bool Create(int lWidth, int lHeight);
    // Sizes the buffer to the picture and copies its pixels, unscaled, from the
    // top-left corner. A null picture, or a failed Create, copies nothing.
    void CreateFromPicture(const QImage& picThis);
    // Copies the picture's pixels from (lSrcLeft, lSrcTop) into the buffer at (0, 0).
    // A negative width or height means the buffer's own; parts outside the picture
    // or the buffer are left as they are.
    void LoadPictureBlt(const QImage& source, int lSrcLeft = 0, int lSrcTop = 0, int lSrcWidth = -1,
                        int lSrcHeight = -1);

    // Row length in bytes: 3 x width rounded up to a multiple of 4.
    int BytesPerScanLine() const { return rowBytes(width_); }
    // The size of the last raster made; kept by ClearUp.
    int Width() const { return width_; }
    int Height() const { return height_; }
    // The first pixel byte (bottom row, leftmost pixel); nullptr when empty.
    std::uint8_t* DIBSectionBitsPtr() { return bits_.get(); }
    const std::uint8_t* DIBSectionBitsPtr() const { return bits_.get(); }
    bool isEmpty() const { return !bits_; }

    void ClearUp() { bits_.reset(); }

    // The picture in top-down RGB order, for checking what the buffer holds.
    QImage toImage() const;

    static int rowBytes(int width) { return (3 * width + 3) & ~3; }

private:
    std::unique_ptr<std::uint8_t[]> bits_;
    int width_ = 0;
    int height_ = 0;
};

} // namespace output
