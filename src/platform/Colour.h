#pragma once

#include <QColor>
#include <cstdint>

namespace platform {

// A colour as one 24-bit number: red + 256 * green + 65536 * blue.
// Pixels read back from a surface come in this form, and the export zone search
// compares such numbers as whole numbers.
using Colour = std::uint32_t;

constexpr Colour rgb(int red, int green, int blue) {
    return Colour(red & 0xFF) | (Colour(green & 0xFF) << 8) | (Colour(blue & 0xFF) << 16);
}
constexpr int redOf(Colour c) {
    return int(c & 0xFF);
}
constexpr int greenOf(Colour c) {
    return int((c >> 8) & 0xFF);
}
constexpr int blueOf(Colour c) {
    return int((c >> 16) & 0xFF);
}

inline QColor toQColor(Colour c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}
inline Colour fromQRgb(QRgb p) {
    return rgb(qRed(p), qGreen(p), qBlue(p));
}

constexpr Colour kBlack = rgb(0, 0, 0);
constexpr Colour kWhite = rgb(255, 255, 255);
// The system window colour: the background of the plan and of the work surfaces.
constexpr Colour kWindowBackground = rgb(255, 255, 255);
// The face colour of dialogs.
constexpr Colour kButtonFace = rgb(240, 240, 240);

} // namespace platform
