// The sample textures. Each is computed pixel by pixel from its position taken modulo
// the picture's size, so that tiles placed side by side join without a seam.
#include "SampleLibrary.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace samplelib {

namespace {

constexpr double kPi = 3.14159265358979323846;

// A fixed pseudo-random number 0..255 for a pixel position and a seed.
int noise(int x, int y, std::uint32_t seed) {
    std::uint32_t h = seed ^ (std::uint32_t(x) * 374761393u) ^ (std::uint32_t(y) * 668265263u);
    h = (h ^ (h >> 13)) * 1274126177u;
    return int((h ^ (h >> 16)) & 0xFF);
}

QRgb shade(int r, int g, int b, int delta) {
    return qRgb(std::clamp(r + delta, 0, 255), std::clamp(g + delta, 0, 255),
                std::clamp(b + delta, 0, 255));
}

// Oak planks 20 px wide running left to right, two per row, staggered row to row.
QImage woodFloor() {
    constexpr int size = 160, plank = 20, length = size / 2;
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y) {
        const int row = y / plank, offset = (row * 53) % size, inPlank = y % plank;
        for (int x = 0; x < size; ++x) {
            const int along = (x - offset + size) % size;
            const int piece = row * 2 + along / length;
            const int tone = noise(piece, 0, 7) / 10 - 12;
            // Grain: waves whose period divides the picture's width.
            const double grain =
                std::sin(2 * kPi * (inPlank + 3 * std::sin(2 * kPi * x / size * 2 + piece)) / 6.5);
            int delta = tone + int(std::lround(grain * 9)) + noise(x, y, 11) / 32;
            if (inPlank == 0 || along % length == 0)
                delta = -70; // joints
            image.setPixel(x, y, shade(178, 128, 80, delta));
        }
    }
    return image;
}

// Square white tiles of 62 px with a 2 px grout line.
QImage tiles() {
    constexpr int size = 64;
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            image.setPixel(x, y,
                           x < 2 || y < 2 ? qRgb(168, 168, 160)
                                          : shade(236, 236, 230, noise(x, y, 3) / 64));
    return image;
}

// Grey carpet: a fine loop pile in a dozen tones, so it stays within a GIF palette.
QImage carpet() {
    constexpr int size = 64;
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int level = (noise(x, y, 5) + noise(x / 2, y / 2, 9)) / 43; // 0..11
            const int rib = (x + y) % 4 == 0 ? -10 : 0;
            image.setPixel(x, y, shade(104, 106, 112, level * 5 + rib));
        }
    return image;
}

// Quilted reflective insulation: silver diamonds stitched along the diagonals.
QImage insulation() {
    constexpr int size = 64, cell = 32;
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int d1 = (x + y) % cell, d2 = (x - y + size) % cell;
            if (d1 == 0 || d2 == 0) {
                image.setPixel(x, y, qRgb(120, 122, 128));
                continue;
            }
            // Brighter towards the middle of each diamond, as a padded cushion.
            const int edge = std::min({d1, cell - d1, d2, cell - d2});
            image.setPixel(x, y, shade(176, 178, 184, edge * 4 + noise(x, y, 13) / 40));
        }
    return image;
}

} // namespace

std::vector<SampleFile> textures() {
    const QString folder = QStringLiteral("textures");
    return {
        {folder, QStringLiteral("Parquet chene.jpg"), woodFloor()},
        {folder, QStringLiteral("Carrelage blanc.bmp"), tiles()},
        {folder, QStringLiteral("Moquette grise.gif"), carpet()},
        {folder, QStringLiteral("Isolant alu.jpg"), insulation()},
    };
}

} // namespace samplelib
