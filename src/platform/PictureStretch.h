#pragma once

#include <QImage>
#include <QRect>

#include <cstddef>
#include <unordered_map>
#include <vector>

namespace platform {

// How a stretched picture combines with the pixels under it.
enum class RasterOp { Copy, And };

// Stretched pictures kept from earlier paints: painting a picture again onto target
// pixels that show the same picture pixels as before (the same picture, size and
// position, or a whole-pixel move of them) copies the rows kept instead of sampling
// again. The pixels kept stay within a budget; the least recently used go first.
// A copy starts empty.
class StretchMemo {
public:
    explicit StretchMemo(std::size_t budgetPixels = std::size_t(8) << 20) : budget_(budgetPixels) {}
    StretchMemo(const StretchMemo& other) : budget_(other.budget_) {}
    StretchMemo& operator=(const StretchMemo& other) {
        entries_.clear();
        kept_ = 0;
        budget_ = other.budget_;
        return *this;
    }

    // What one kept paint depends on: the picture's contents and, per target column
    // and row, the run of picture pixels it shows.
    struct Key {
        qint64 picture = 0; // QImage::cacheKey, which changes with the pixels
        std::vector<int> columnBegin, columnEnd, rowBegin, rowEnd;
        bool operator==(const Key&) const = default;
    };

    // The kept pixels (row after row, one value per target pixel), or nullptr.
    const std::vector<QRgb>* find(const Key& key, std::size_t hash);
    void keep(Key key, std::size_t hash, std::vector<QRgb> pixels);

private:
    struct Entry {
        Key key;
        std::vector<QRgb> pixels;
        unsigned long long lastUse = 0;
    };
    std::unordered_multimap<std::size_t, Entry> entries_;
    std::size_t budget_;
    std::size_t kept_ = 0;
    unsigned long long uses_ = 0;
};

// Paints the source rectangle of picture stretched into the target area of surface,
// an RGB32 image. The area's left (top) edge is at x (y) and it extends width (height)
// pixels from there; a negative width or height runs leftwards (upwards) and so paints
// the picture mirrored on that axis.
//
// Only the target pixels inside surface are visited, so the cost follows the visible
// part of the area, not its size; coordinates that are not finite paint nothing.
// Enlarging (and 1:1) samples the nearest source pixel with the same 16.16 fixed-point
// stepping as QPainter's nearest-neighbour scaling. Shrinking an axis instead gives
// each target pixel the bitwise AND of all the source pixels whose centres fall in it,
// so that one-pixel dark lines on a light picture survive any reduction.
//
// With a memo, the paint is kept there and taken from there when it comes again.
void stretchPicture(QImage& surface, const QImage& picture, double x, double y, double width,
                    double height, const QRect& source, RasterOp op, StretchMemo* memo = nullptr);

} // namespace platform
