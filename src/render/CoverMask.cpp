#include "render/CoverMask.h"

#include <algorithm>
#include <bit>

namespace render {

namespace {

constexpr int kBits = 64;
constexpr std::uint64_t kAll = ~std::uint64_t(0);

// The words of a row that hold columns left..right, with the bits of those columns in the
// first and last word (the words between hold only such columns).
struct Columns {
    int firstWord, lastWord;
    std::uint64_t firstBits, lastBits;

    Columns(int left, int right)
        : firstWord(left / kBits), lastWord(right / kBits), firstBits(kAll << (left % kBits)),
          lastBits(kAll >> (kBits - 1 - right % kBits)) {
        if (firstWord == lastWord)
            firstBits = lastBits = firstBits & lastBits;
    }
    std::uint64_t bits(int word) const {
        return word == firstWord ? firstBits : word == lastWord ? lastBits : kAll;
    }
};

// The first or last uncovered column of the row among the columns, or -1.
inline int firstOpen(const std::uint64_t* row, const Columns& c) {
    for (int w = c.firstWord; w <= c.lastWord; ++w)
        if (const std::uint64_t open = ~row[w] & c.bits(w))
            return w * kBits + std::countr_zero(open);
    return -1;
}

inline int lastOpen(const std::uint64_t* row, const Columns& c) {
    for (int w = c.lastWord; w >= c.firstWord; --w)
        if (const std::uint64_t open = ~row[w] & c.bits(w))
            return w * kBits + kBits - 1 - std::countl_zero(open);
    return -1;
}

} // namespace

void CoverMask::reset(int width, int height) {
    width_ = std::max(0, width);
    height_ = std::max(0, height);
    columns_ = (width_ + kCell - 1) / kCell;
    rows_ = (height_ + kCell - 1) / kCell;
    wordsPerRow_ = (columns_ + kBits - 1) / kBits;
    covered_.assign(std::size_t(wordsPerRow_) * std::size_t(rows_), 0);
}

QRect CoverMask::onCanvas(const QRect& area) const {
    const int left = std::max(area.left(), 0), right = std::min(area.right(), width_ - 1);
    const int top = std::max(area.top(), 0), bottom = std::min(area.bottom(), height_ - 1);
    if (left > right || top > bottom)
        return {};
    return QRect(QPoint(left, top), QPoint(right, bottom));
}

void CoverMask::cover(const QRect& area) {
    const QRect p = onCanvas(area);
    if (p.isEmpty())
        return;
    // The cells wholly inside; a last cell cut by the canvas's edge is whole once the
    // canvas's pixels in it are.
    const auto lastCell = [](int end, int length) {
        return end == length ? (end + kCell - 1) / kCell - 1 : end / kCell - 1;
    };
    const QRect a(QPoint((p.left() + kCell - 1) / kCell, (p.top() + kCell - 1) / kCell),
                  QPoint(lastCell(p.right() + 1, width_), lastCell(p.bottom() + 1, height_)));
    if (a.isEmpty())
        return;
    const Columns c(a.left(), a.right());
    for (int y = a.top(); y <= a.bottom(); ++y) {
        std::uint64_t* words = covered_.data() + std::size_t(y) * std::size_t(wordsPerRow_);
        words[c.firstWord] |= c.firstBits;
        for (int w = c.firstWord + 1; w < c.lastWord; ++w)
            words[w] = kAll;
        words[c.lastWord] |= c.lastBits;
    }
}

QRect CoverMask::uncovered(const QRect& area, std::vector<QRect>& bands) const {
    const QRect p = onCanvas(area);
    if (p.isEmpty())
        return {};
    // The cells that hold a pixel of the area.
    const QRect a(QPoint(p.left() / kCell, p.top() / kCell),
                  QPoint(p.right() / kCell, p.bottom() / kCell));
    const Columns all(a.left(), a.right());
    QRect bounds;
    // One band per run of cell rows whose uncovered cells span the same columns.
    int bandTop = 0, bandFrom = 0, bandTo = -1;
    const auto closeBand = [&](int bottom) {
        if (bandFrom > bandTo)
            return;
        const QRect band = QRect(QPoint(bandFrom * kCell, bandTop * kCell),
                                 QPoint(bandTo * kCell + kCell - 1, bottom * kCell + kCell - 1)) &
                           p;
        bands.push_back(band);
        bounds |= band;
        bandTo = -1;
    };
    for (int y = a.top(); y <= a.bottom(); ++y) {
        const std::uint64_t* words = row(y);
        const int from = firstOpen(words, all);
        if (from < 0) {
            closeBand(y - 1);
            continue;
        }
        const int to = lastOpen(words, all);
        if (from != bandFrom || to != bandTo) {
            closeBand(y - 1);
            bandTop = y;
            bandFrom = from;
            bandTo = to;
        }
    }
    closeBand(a.bottom());
    return bounds;
}

} // namespace render
