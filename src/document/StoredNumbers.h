#pragma once

#include "document/PlanObject.h"

#include <QLocale>
#include <QString>

#include <cstdint>
#include <optional>

namespace document {

// How the numbers of a plan object are held and written: positions and sizes in single
// precision, kinds, palette indices and orientations as 16-bit integers.

// A number read for a position or a size, in single precision; nothing when it is out
// of the float range.
std::optional<float> storedReal(double v);

// A number read for a kind, a palette index, a lock or an orientation: to the nearest
// whole number (halves to even), held to -32768..32767; 0 for a value that is not a number.
std::int16_t storedInteger(double v);

// A fill as the file holds it: 4 characters or more name a picture file, anything shorter
// is a palette index read as a number (0 when it is none).
Fill storedFill(const QString& text);

// A position or a size in the general format: integers plainly, other values with up to
// 7 significant digits and no trailing zeros, the locale's decimal separator, no
// thousands separator.
QString realText(float v, const QLocale& locale);

// A mass or a place along the length: the shortest decimal text that reads back as the
// same single-precision value, with the locale's decimal separator ("75", "12,5",
// "1234,5677"); 0 for a value that is not finite.
QString exactRealText(float v, const QLocale& locale);

} // namespace document
