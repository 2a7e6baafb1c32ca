#include "platform/PictureStretch.h"

#include <QHashFunctions>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <optional>
#include <type_traits>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace platform {

namespace {

// std::floor without the library call that a build for any x86-64 processor makes of it;
// from 2^52 on (and for infinities and not-a-number) a double is its own floor.
inline double floorOf(double v) {
    if (!(std::fabs(v) < 4503599627370496.0))
        return v;
    const double whole = double(std::int64_t(v));
    return whole > v ? whole - 1 : whole;
}

// Along one axis: the visible target pixels and, for each, the run of source pixels
// [begin, end) that it shows.
struct AxisMap {
    int first = 0; // first visible target pixel
    std::vector<int> begin, end;
    bool single = true;                // every run holds exactly one source pixel
    int low = INT_MAX, high = INT_MIN; // union of the runs
    int longest = 0;                   // the longest run

    int count() const { return int(begin.size()); }
};

// The nearest-neighbour stepping of QPainter's scaled blit: 16.16 fixed point, the
// first sample taken at the centre of the first visible target pixel and rounded
// down unless it falls exactly on a source pixel edge. Kept in 64 bits so that far
// off-surface positions cannot wrap.
void mapEnlarged(AxisMap& map, int count, double pos, double size, int sourceStart,
                 int sourceLength, int pictureLength) {
    const double scale = double(sourceLength) / size;
    const std::int64_t step = std::int64_t(65536 * scale);
    const double firstCentre = map.first + 0.5;
    std::int64_t base;
    if (scale < 0)
        base = std::int64_t(double(sourceStart + sourceLength) * 65536) +
               std::int64_t(std::floor((firstCentre - (pos + size)) * scale * 65536)) + 1;
    else
        base = std::int64_t(double(sourceStart) * 65536) +
               std::int64_t(std::ceil((firstCentre - pos) * scale * 65536)) - 1;
    // The same guards against a last sample just outside the picture, which drop one
    // target pixel from the end.
    if ((base >> 16) >= pictureLength && step < 0) {
        base += step;
        --count;
    }
    const std::int64_t last = (base + step * (count - 1)) >> 16;
    if (last < 0 || last >= pictureLength)
        --count;
    if (count <= 0)
        return;
    map.begin.resize(std::size_t(count));
    map.end.resize(std::size_t(count));
    for (int k = 0; k < count; ++k) {
        const int index = int(std::clamp<std::int64_t>((base + step * k) >> 16, sourceStart,
                                                       sourceStart + sourceLength - 1));
        map.begin[std::size_t(k)] = index;
        map.end[std::size_t(k)] = index + 1;
    }
}

// Each source pixel goes to the target pixel that holds its centre; target pixels that
// hold no centre (at the edges) show their nearest source pixel.
void mapShrunk(AxisMap& map, int count, double pos, double size, int sourceStart,
               int sourceLength) {
    map.begin.assign(std::size_t(count), INT_MAX);
    map.end.assign(std::size_t(count), INT_MIN);
    const double perSource = size / sourceLength;
    const int last = map.first + count;
    for (int i = 0; i < sourceLength; ++i) {
        const double t = floorOf(pos + (i + 0.5) * perSource);
        if (t < map.first || t >= last)
            continue;
        const auto k = std::size_t(int(t) - map.first);
        map.begin[k] = std::min(map.begin[k], sourceStart + i);
        map.end[k] = std::max(map.end[k], sourceStart + i + 1);
    }
    const double scale = double(sourceLength) / size;
    for (int k = 0; k < count; ++k) {
        if (map.begin[std::size_t(k)] < map.end[std::size_t(k)])
            continue;
        const double offset = floorOf((map.first + k + 0.5 - pos) * scale);
        const int index = sourceStart + int(std::clamp(scale < 0 ? sourceLength + offset : offset,
                                                       0.0, double(sourceLength - 1)));
        map.begin[std::size_t(k)] = index;
        map.end[std::size_t(k)] = index + 1;
    }
}

std::optional<AxisMap> mapAxis(double pos, double size, int sourceStart, int sourceLength,
                               int surfaceLength, int pictureLength) {
    if (!std::isfinite(pos) || !std::isfinite(size) || size == 0 || sourceLength <= 0)
        return std::nullopt;
    // The target pixels covered, rounded as QRectF::toRect rounds the normalized area.
    const double left = size < 0 ? pos + size : pos;
    const double extent = std::fabs(size);
    const double roundedLeft = std::floor(left + 0.5);
    const double roundedExtent = std::floor(extent + (left - roundedLeft) / 2 + 0.5);
    const double from = std::max(roundedLeft, 0.0);
    const double to = std::min(roundedLeft + roundedExtent, double(surfaceLength));
    if (!(from < to))
        return std::nullopt;
    AxisMap map;
    map.first = int(from);
    const int count = int(to) - map.first;
    if (extent >= sourceLength)
        mapEnlarged(map, count, pos, size, sourceStart, sourceLength, pictureLength);
    else
        mapShrunk(map, count, pos, size, sourceStart, sourceLength);
    if (map.begin.empty())
        return std::nullopt;
    for (int k = 0; k < map.count(); ++k) {
        map.single = map.single && map.end[std::size_t(k)] - map.begin[std::size_t(k)] == 1;
        map.low = std::min(map.low, map.begin[std::size_t(k)]);
        map.high = std::max(map.high, map.end[std::size_t(k)]);
        map.longest = std::max(map.longest, map.end[std::size_t(k)] - map.begin[std::size_t(k)]);
    }
    return map;
}

// RGB32 pixels are opaque already; other 32-bit pixels are made opaque.
struct CopyOpaque {
    static constexpr bool copies = true;
    void operator()(QRgb& target, QRgb value) const { target = value; }
};
struct CopyPixel {
    static constexpr bool copies = true;
    void operator()(QRgb& target, QRgb value) const { target = value | 0xFF000000u; }
};
struct AndPixel {
    static constexpr bool copies = false;
    void operator()(QRgb& target, QRgb value) const { target &= value; }
};

// ANDs count source pixels into the target's, sixteen at a time where the processor can.
// White source pixels leave the target as it is: sixteen of them in a row are not
// written at all (the pictures ANDed over a plan are mostly white).
inline void andPixels(QRgb* to, const QRgb* from, int count) {
    int c = 0;
#if defined(__SSE2__)
    const __m128i white = _mm_set1_epi32(-1);
    for (; c + 16 <= count; c += 16) {
        const auto* source = reinterpret_cast<const __m128i*>(from + c);
        const __m128i a = _mm_loadu_si128(source), b = _mm_loadu_si128(source + 1);
        const __m128i d = _mm_loadu_si128(source + 2), e = _mm_loadu_si128(source + 3);
        const __m128i all = _mm_and_si128(_mm_and_si128(a, b), _mm_and_si128(d, e));
        if (_mm_movemask_epi8(_mm_cmpeq_epi32(all, white)) == 0xFFFF)
            continue;
        auto* target = reinterpret_cast<__m128i*>(to + c);
        _mm_storeu_si128(target, _mm_and_si128(_mm_loadu_si128(target), a));
        _mm_storeu_si128(target + 1, _mm_and_si128(_mm_loadu_si128(target + 1), b));
        _mm_storeu_si128(target + 2, _mm_and_si128(_mm_loadu_si128(target + 2), d));
        _mm_storeu_si128(target + 3, _mm_and_si128(_mm_loadu_si128(target + 3), e));
    }
#endif
    for (; c < count; ++c)
        to[c] &= from[c];
}

// Pixel rows of a target: the surface under the visible area, or a memo's block.
struct TargetRows {
    QRgb* first;          // the first visible pixel of the first row
    qsizetype stride = 0; // in pixels
    QRgb* operator()(int k) const { return first + qsizetype(k) * stride; }
};

// A source pixel repeated over length target pixels.
struct PixelRun {
    int source, length;
};

std::vector<PixelRun> pixelRuns(const int* index, int count) {
    std::vector<PixelRun> runs;
    for (int c = 0; c < count;) {
        int end = c + 1;
        while (end < count && index[end] == index[c])
            ++end;
        runs.push_back({index[c], end - c});
        c = end;
    }
    return runs;
}

// Writes one row of count target pixels from the runs of source pixels. Runs are written
// four pixels at a time where the row goes on far enough: a run's last store may reach
// into the next run, which is written after it.
template <typename Put>
void fillRuns(QRgb* to, int count, const QRgb* from, const std::vector<PixelRun>& runs, Put put) {
    QRgb* const end = to + count;
    for (const PixelRun& run : runs) {
        QRgb value = 0;
        put(value, from[run.source]);
#if defined(__SSE2__)
        if (run.length > 1 && end - to >= (run.length + 3) / 4 * 4) {
            const __m128i four = _mm_set1_epi32(int(value));
            for (int k = 0; k < run.length; k += 4)
                _mm_storeu_si128(reinterpret_cast<__m128i*>(to + k), four);
            to += run.length;
            continue;
        }
#endif
        std::fill(to, to + run.length, value);
        to += run.length;
    }
}

// Paints the visible target pixels; put combines a source value into a target pixel.
template <typename Put>
void paintMapped(const TargetRows& targetRow, const QImage& rgb, const AxisMap& columns,
                 const AxisMap& rows, Put put) {
    const int n = columns.count();
    const auto sourceRow = [&rgb](int r) {
        return reinterpret_cast<const QRgb*>(rgb.constScanLine(r));
    };

    if (columns.single && rows.single) {
        const int* index = columns.begin.data();
        // Unscaled rows are plain copies.
        const bool straight = index[n - 1] - index[0] == n - 1;
        // Rows enlarged four times or more repeat each source pixel over a run of target
        // pixels: the runs are found once and filled at every row that shows a new source
        // row. Shorter runs are quicker copied pixel by pixel.
        std::vector<PixelRun> runs;
        const bool byRuns = Put::copies && n >= 4 * (std::abs(index[n - 1] - index[0]) + 1);
        if (byRuns)
            runs = pixelRuns(index, n);
        for (int k = 0; k < rows.count(); ++k) {
            const QRgb* from = sourceRow(rows.begin[std::size_t(k)]);
            QRgb* to = targetRow(k);
            // An enlarged row repeats the row above when both show the same source row.
            if (Put::copies && k > 0 &&
                rows.begin[std::size_t(k)] == rows.begin[std::size_t(k - 1)]) {
                const QRgb* above = targetRow(k - 1);
                std::copy(above, above + n, to);
                continue;
            }
            if (straight) {
                from += index[0];
                if constexpr (std::is_same_v<Put, CopyOpaque>) {
                    std::copy(from, from + n, to);
                } else if constexpr (std::is_same_v<Put, AndPixel>) {
                    andPixels(to, from, n);
                } else {
                    for (int c = 0; c < n; ++c)
                        put(to[c], from[c]);
                }
            } else if (byRuns) {
                fillRuns(to, n, from, runs, put);
            } else {
                for (int c = 0; c < n; ++c)
                    put(to[c], from[index[c]]);
            }
        }
        return;
    }

    // Shrinking: AND the rows of each run into one line, then the columns of each run.
    const int low = columns.low;
    std::vector<QRgb> combined(std::size_t(columns.high - low));
    for (int k = 0; k < rows.count(); ++k) {
        const int top = rows.begin[std::size_t(k)], bottom = rows.end[std::size_t(k)];
        const QRgb* line = sourceRow(top) + low;
        if (bottom - top > 1) {
            std::copy(line, line + combined.size(), combined.begin());
            for (int r = top + 1; r < bottom; ++r) {
                const QRgb* next = sourceRow(r) + low;
                for (std::size_t c = 0; c < combined.size(); ++c)
                    combined[c] &= next[c];
            }
            line = combined.data();
        }
        QRgb* to = targetRow(k);
        if (columns.longest == 1) {
            for (int c = 0; c < n; ++c)
                put(to[c], line[columns.begin[std::size_t(c)] - low]);
            continue;
        }
        if (columns.longest == 2) {
            for (int c = 0; c < n; ++c)
                put(to[c], line[columns.begin[std::size_t(c)] - low] &
                               line[columns.end[std::size_t(c)] - low - 1]);
            continue;
        }
        if (columns.longest <= 4) {
            // Short runs (shrinks to a quarter or more): four reads, repeating the last
            // pixel, and no branch.
            for (int c = 0; c < n; ++c) {
                const int from = columns.begin[std::size_t(c)] - low;
                const int last = columns.end[std::size_t(c)] - low - 1;
                put(to[c], line[from] & line[std::min(from + 1, last)] &
                               line[std::min(from + 2, last)] & line[last]);
            }
            continue;
        }
        for (int c = 0; c < n; ++c) {
            const int from = columns.begin[std::size_t(c)] - low;
            const int until = columns.end[std::size_t(c)] - low;
            QRgb value = line[from];
            for (int i = from + 1; i < until; ++i)
                value &= line[i];
            put(to[c], value);
        }
    }
}

TargetRows targetAt(QImage& surface, int column, int row) {
    const qsizetype stride = surface.bytesPerLine() / qsizetype(sizeof(QRgb));
    return TargetRows{reinterpret_cast<QRgb*>(surface.bits()) + qsizetype(row) * stride + column,
                      stride};
}

// Where a block of kept pixels lies on the surface: columns x rows from (column, row) on.
struct Block {
    int column = 0, row = 0, columns = 0, rows = 0;
};

// Combines the kept values of the block that fall inside visible into the surface, row by
// row.
template <typename Put>
void paintKept(QImage& surface, const QRect& visible, const std::vector<QRgb>& pixels,
               const Block& block, Put put) {
    const int fromColumn = std::max(block.column, visible.left());
    const int toColumn = std::min(block.column + block.columns, visible.right() + 1);
    const int fromRow = std::max(block.row, visible.top());
    const int toRow = std::min(block.row + block.rows, visible.bottom() + 1);
    if (fromColumn >= toColumn || fromRow >= toRow)
        return;
    const TargetRows target = targetAt(surface, fromColumn, fromRow);
    const int count = toColumn - fromColumn;
    for (int k = 0; k < toRow - fromRow; ++k) {
        const QRgb* from = pixels.data() + qsizetype(fromRow - block.row + k) * block.columns +
                           (fromColumn - block.column);
        QRgb* to = target(k);
        if constexpr (std::is_same_v<Put, CopyOpaque>) {
            std::copy(from, from + count, to);
        } else {
            for (int c = 0; c < count; ++c)
                put(to[c], from[c]);
        }
    }
}

// The part of the map for target pixels from..to - 1, or nullopt when none is left. Its
// union of runs and longest run are those of the whole map: bounds, not exact values.
std::optional<AxisMap> partOf(const AxisMap& map, int from, int to) {
    const int drop = std::max(0, from - map.first);
    const int keep = std::min(map.count(), to - map.first) - drop;
    if (keep <= 0)
        return std::nullopt;
    AxisMap part;
    part.first = map.first + drop;
    part.begin.assign(map.begin.begin() + drop, map.begin.begin() + drop + keep);
    part.end.assign(map.end.begin() + drop, map.end.begin() + drop + keep);
    part.single = map.single;
    part.low = map.low;
    part.high = map.high;
    part.longest = map.longest;
    return part;
}

std::size_t keyHash(const StretchMemo::Key& key) {
    std::size_t h = std::hash<qint64>()(key.picture);
    const auto mix = [&h](const std::vector<int>& values) {
        h = h * 1099511628211u + values.size();
        for (const int v : values)
            h = (h ^ std::size_t(unsigned(v))) * 1099511628211u;
    };
    mix(key.columnBegin);
    mix(key.columnEnd);
    mix(key.rowBegin);
    mix(key.rowEnd);
    return h;
}

std::size_t placementHash(const StretchMemo::Placement& p) {
    return qHashMulti(0, p.picture, p.x, p.y, p.width, p.height, p.source.x(), p.source.y(),
                      p.source.width(), p.source.height(), p.surface.width(), p.surface.height());
}

// Paints the mapped pixels that fall inside the rectangle.
template <typename Put>
void paintMappedPart(QImage& surface, const QRect& visible, const QImage& rgb,
                     const AxisMap& columns, const AxisMap& rows, Put put) {
    const auto within = [](const AxisMap& map, int from, int to) {
        return from <= map.first && map.first + map.count() <= to;
    };
    if (within(columns, visible.left(), visible.right() + 1) &&
        within(rows, visible.top(), visible.bottom() + 1)) {
        paintMapped(targetAt(surface, columns.first, rows.first), rgb, columns, rows, put);
        return;
    }
    const auto partColumns = partOf(columns, visible.left(), visible.right() + 1);
    const auto partRows = partOf(rows, visible.top(), visible.bottom() + 1);
    if (partColumns && partRows)
        paintMapped(targetAt(surface, partColumns->first, partRows->first), rgb, *partColumns,
                    *partRows, put);
}

template <typename Put>
void paint(QImage& surface, std::span<const QRect> visible, const QImage& picture,
           const QImage& rgb, AxisMap& columns, AxisMap& rows, Put put, StretchMemo* memo,
           const StretchMemo::Placement& placement, std::size_t placementKey) {
    // Enlarged and unscaled rows are copies of picture rows or of the row above, as cheap
    // as copies from a memo: only paints that combine picture pixels are kept.
    if (!memo || (columns.single && rows.single)) {
        for (const QRect& part : visible)
            paintMappedPart(surface, part, rgb, columns, rows, put);
        return;
    }
    // The memo keeps the whole block on the surface, whatever part of it shows now.
    const Block block{columns.first, rows.first, columns.count(), rows.count()};
    StretchMemo::Key key{picture.cacheKey(), std::move(columns.begin), std::move(columns.end),
                         std::move(rows.begin), std::move(rows.end)};
    const std::size_t hash = keyHash(key);
    const std::vector<QRgb>* kept = memo->find(key, hash);
    if (!kept) {
        columns.begin = std::move(key.columnBegin);
        columns.end = std::move(key.columnEnd);
        rows.begin = std::move(key.rowBegin);
        rows.end = std::move(key.rowEnd);
        std::vector<QRgb> pixels(std::size_t(block.columns) * std::size_t(block.rows));
        paintMapped(TargetRows{pixels.data(), block.columns}, rgb, columns, rows, CopyOpaque{});
        for (const QRect& part : visible)
            paintKept(surface, part, pixels, block, put);
        kept = memo->keep(StretchMemo::Key{picture.cacheKey(), std::move(columns.begin),
                                           std::move(columns.end), std::move(rows.begin),
                                           std::move(rows.end)},
                          hash, std::move(pixels));
        if (!kept)
            return;
    } else {
        for (const QRect& part : visible)
            paintKept(surface, part, *kept, block, put);
    }
    memo->place(placement, placementKey, hash,
                StretchMemo::Placed{kept, block.column, block.row, block.columns, block.rows});
}

} // namespace

const std::vector<QRgb>* StretchMemo::find(const Key& key, std::size_t hash) {
    const auto [from, to] = entries_.equal_range(hash);
    for (auto it = from; it != to; ++it)
        if (it->second.key == key) {
            it->second.lastUse = ++uses_;
            return &it->second.pixels;
        }
    return nullptr;
}

const StretchMemo::Placed* StretchMemo::findPlaced(const Placement& placement, std::size_t hash) {
    const auto [from, to] = placed_.equal_range(hash);
    for (auto it = from; it != to; ++it)
        if (it->second.placement == placement) {
            it->second.entry->lastUse = ++uses_;
            return &it->second.placed;
        }
    return nullptr;
}

void StretchMemo::place(const Placement& placement, std::size_t hash, std::size_t keyHash,
                        Placed placed) {
    if (findPlaced(placement, hash))
        return;
    const auto [from, to] = entries_.equal_range(keyHash);
    const auto entry = std::find_if(
        from, to, [&placed](const auto& kept) { return &kept.second.pixels == placed.pixels; });
    if (entry == to)
        return;
    if (placed_.size() >= kMostPlacements)
        placed_.clear();
    placed_.emplace(hash, PlacedEntry{placement, placed, &entry->second});
}

void StretchMemo::shrinkTo(std::size_t target) {
    if (kept_ <= target)
        return;
    // The placements point into the entries: they go with the first entry dropped.
    placed_.clear();
    std::vector<std::pair<unsigned long long, decltype(entries_)::iterator>> byAge;
    for (auto it = entries_.begin(); it != entries_.end(); ++it)
        byAge.emplace_back(it->second.lastUse, it);
    std::sort(byAge.begin(), byAge.end(),
              [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [use, it] : byAge) {
        if (kept_ <= target)
            break;
        kept_ -= it->second.pixels.size();
        entries_.erase(it);
    }
}

void StretchMemo::setBudget(std::size_t budgetPixels) {
    budget_ = budgetPixels;
    shrinkTo(budget_);
}

const std::vector<QRgb>* StretchMemo::keep(Key key, std::size_t hash, std::vector<QRgb> pixels) {
    if (pixels.size() > budget_ / 2)
        return nullptr;
    if (kept_ + pixels.size() > budget_)
        shrinkTo(budget_ / 2 - pixels.size());
    kept_ += pixels.size();
    return &entries_.emplace(hash, Entry{std::move(key), std::move(pixels), ++uses_})
                ->second.pixels;
}

void stretchPicture(QImage& surface, const QImage& picture, double x, double y, double width,
                    double height, const QRect& source, RasterOp op, StretchMemo* memo,
                    std::optional<std::span<const QRect>> clip) {
    if (picture.isNull() || surface.isNull())
        return;
    const QRect whole = surface.rect();
    const std::span<const QRect> visible = clip ? *clip : std::span<const QRect>(&whole, 1);
    if (std::none_of(visible.begin(), visible.end(),
                     [&whole](const QRect& part) { return part.intersects(whole); }))
        return;
    const QRect part = source.intersected(picture.rect());
    if (part.isEmpty())
        return;
    const bool opaque = picture.format() == QImage::Format_RGB32;
    // Pictures that are neither RGB32 nor ARGB32 are painted from an RGB32 copy.
    const bool needsCopy = !opaque && picture.format() != QImage::Format_ARGB32;
    const auto withPut = [&](auto&& f) {
        if (op == RasterOp::And)
            f(AndPixel{});
        else if (opaque || needsCopy)
            f(CopyOpaque{});
        else
            f(CopyPixel{});
    };
    const StretchMemo::Placement placement{picture.cacheKey(), x, y, width, height, part,
                                           surface.size()};
    const std::size_t placementKey = memo ? placementHash(placement) : 0;
    if (memo)
        if (const StretchMemo::Placed* placed = memo->findPlaced(placement, placementKey)) {
            const Block block{placed->column, placed->row, placed->columns, placed->rows};
            withPut([&](auto put) {
                for (const QRect& part : visible)
                    paintKept(surface, part, *placed->pixels, block, put);
            });
            return;
        }
    const QImage converted = needsCopy ? picture.convertToFormat(QImage::Format_RGB32) : QImage();
    const QImage& rgb = needsCopy ? converted : picture;
    auto columns = mapAxis(x, width, part.x(), part.width(), surface.width(), rgb.width());
    auto rows = mapAxis(y, height, part.y(), part.height(), surface.height(), rgb.height());
    if (!columns || !rows)
        return;
    withPut([&](auto put) {
        paint(surface, visible, picture, rgb, *columns, *rows, put, memo, placement, placementKey);
    });
}

} // namespace platform
