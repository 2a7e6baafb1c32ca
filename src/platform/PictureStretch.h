#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

#include <cstddef>
#include <optional>
#include <span>
#include <unordered_map>
#include <vector>

namespace platform {

// How a stretched picture combines with the pixels under it.
enum class RasterOp { Copy, And };

// Stretched pictures kept from earlier paints: painting a picture again onto target
// pixels that show the same picture pixels as before (the same picture, size and
// position, or a whole-pixel move of them) copies the rows kept instead of combining the
// picture pixels again. Only paints drawn smaller than the picture on some axis are kept:
// an enlarged or unscaled paint copies its pixels from the picture as cheaply as from a
// memo. The pixels kept stay within a budget; the least recently used go first.
// A copy starts empty.
class StretchMemo {
public:
    static constexpr std::size_t kDefaultBudget = std::size_t(4) << 20; // pixels

    explicit StretchMemo(std::size_t budgetPixels = kDefaultBudget) : budget_(budgetPixels) {}
    StretchMemo(const StretchMemo& other) : budget_(other.budget_) {}
    StretchMemo& operator=(const StretchMemo& other) {
        entries_.clear();
        placed_.clear();
        kept_ = 0;
        budget_ = other.budget_;
        return *this;
    }

    // At most this many pixels are kept; those over it go at once, oldest first.
    void setBudget(std::size_t budgetPixels);
    std::size_t budget() const { return budget_; }
    // The pixels kept now.
    std::size_t keptPixels() const { return kept_; }

    // What one kept paint depends on: the picture's contents and, per target column
    // and row, the run of picture pixels it shows.
    struct Key {
        qint64 picture = 0; // QImage::cacheKey, which changes with the pixels
        std::vector<int> columnBegin, columnEnd, rowBegin, rowEnd;
        bool operator==(const Key&) const = default;
    };

    // The kept pixels (row after row, one value per target pixel), or nullptr. Finding
    // them marks them as used.
    const std::vector<QRgb>* find(const Key& key, std::size_t hash);
    // Keeps the pixels and gives them back, or nullptr when they alone would fill half
    // the budget.
    const std::vector<QRgb>* keep(Key key, std::size_t hash, std::vector<QRgb> pixels);

    // One paint as it was asked for: the picture, the target area, the source rectangle
    // and the surface's size. The same placement paints the same pixels at the same place,
    // so it finds them without working out which picture pixel each target pixel shows.
    struct Placement {
        qint64 picture = 0;
        double x = 0, y = 0, width = 0, height = 0;
        QRect source;
        QSize surface;
        bool operator==(const Placement&) const = default;
    };
    // Where a placement's kept pixels go: columns x rows from (column, row) on.
    struct Placed {
        const std::vector<QRgb>* pixels = nullptr;
        int column = 0, row = 0, columns = 0, rows = 0;
    };
    // The placement's pixels, or nullptr; finding them marks them as used, as find does.
    const Placed* findPlaced(const Placement& placement, std::size_t hash);
    // Notes where the pixels kept under keyHash (found or kept just before) were placed.
    void place(const Placement& placement, std::size_t hash, std::size_t keyHash, Placed placed);

private:
    struct Entry {
        Key key;
        std::vector<QRgb> pixels;
        unsigned long long lastUse = 0;
    };
    // Drops the least recently used entries until at most target pixels are kept.
    void shrinkTo(std::size_t target);

    std::unordered_multimap<std::size_t, Entry> entries_;
    // Placements seen, each with the entry it shows (entries do not move while kept);
    // dropped whenever an entry goes, and all at once when there are more than a few
    // plans' worth.
    static constexpr std::size_t kMostPlacements = 8192;
    struct PlacedEntry {
        Placement placement;
        Placed placed;
        Entry* entry = nullptr;
    };
    std::unordered_multimap<std::size_t, PlacedEntry> placed_;
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
// With a memo, a shrinking paint is kept there and taken from there when it comes again.
// With a clip (rectangles over separate rows), only the target pixels inside it are
// painted; what the other pixels would show is worked out all the same when the memo
// keeps it.
void stretchPicture(QImage& surface, const QImage& picture, double x, double y, double width,
                    double height, const QRect& source, RasterOp op, StretchMemo* memo = nullptr,
                    std::optional<std::span<const QRect>> clip = std::nullopt);

} // namespace platform
