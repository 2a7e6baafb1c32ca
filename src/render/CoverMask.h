#pragma once

#include <QRect>

#include <cstdint>
#include <vector>

namespace render {

// The pixels of a canvas that objects drawn later surely paint over. A redraw visits its
// objects from the last drawn to the first: each asks what of its area is still
// uncovered, then covers what it paints for sure. The mask keeps a bit per square cell of
// kCell x kCell pixels, covered only when all its pixels are: the answers may take in a
// few covered pixels along their edges, never leave out an uncovered one.
class CoverMask {
public:
    static constexpr int kCell = 4;

    // Every pixel of a width x height canvas uncovered.
    void reset(int width, int height);
    // Marks the pixels of area (cut to the canvas) as covered.
    void cover(const QRect& area);
    // The uncovered pixels of area (cut to the canvas), bounded band by band: appends to
    // bands, from the top down, rectangles over separate rows that hold every uncovered
    // pixel of the area, and returns the smallest rectangle that holds them all (empty
    // when there is none).
    QRect uncovered(const QRect& area, std::vector<QRect>& bands) const;

private:
    // The bits of cell row y.
    const std::uint64_t* row(int y) const {
        return covered_.data() + std::size_t(y) * std::size_t(wordsPerRow_);
    }
    // The area cut to the canvas, in pixels.
    QRect onCanvas(const QRect& area) const;

    int width_ = 0, height_ = 0;                   // in pixels
    int columns_ = 0, rows_ = 0, wordsPerRow_ = 0; // in cells
    std::vector<std::uint64_t> covered_;
};

} // namespace render
