#pragma once

#include <QString>

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>

class QLocale;

namespace platform {

// The program's number rules, shared by the layout file, the preferences, the drawing
// and the dialogs: rounding halves to even, the 16-bit range that codes and indices
// live in, and decimal text that accepts either "." or "," as separator besides the
// user's locale.

// Whole number nearest to v, a half going to the even neighbour (2.5 -> 2, 3.5 -> 4).
inline double roundHalfEven(double v) {
    return std::nearbyint(v);
}

// roundHalfEven as a 32-bit integer (screen geometry), held to the int range; 0 for a value
// that is not a number. Values read from files can be as large as a float allows, so
// the conversion never goes out of range.
inline int roundToInt(double v) {
    if (std::isnan(v))
        return 0;
    const double r = std::nearbyint(v);
    if (r <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    if (r >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    return int(r);
}

// Conversion to a 16-bit signed integer, halves to even; nothing when the value
// does not fit (-32768 to 32767) or is not a number.
inline std::optional<std::int16_t> toInt16(double v) {
    if (!std::isfinite(v))
        return std::nullopt;
    const double r = std::nearbyint(v);
    if (r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return std::int16_t(r);
}

// Reads a text as a number, accepting "." or "," as decimal separator and blanks around
// it; nothing for an empty text, a text that is not a number, or an infinite one.
std::optional<double> parseNumber(const QString& text);

// A number typed by the user: in the locale's format, or with "." or "," as decimal
// separator; nothing when the text is not a number.
std::optional<double> readNumber(const QString& text, const QLocale& locale);
// A number as the user's locale writes it, without thousands separator, with at most
// the given significant digits and no trailing zeros.
QString numberText(double value, const QLocale& locale, int precision = 15);

} // namespace platform
