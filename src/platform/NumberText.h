#pragma once

#include <QString>

class QLocale;

namespace platform {

// The shortest decimal text, without exponent or group separators, that reads back
// to the same single-precision value, with the locale's decimal separator: a size
// stored as 30.6 shows "30,6" in French, never "30,6000003814697". "0" for a value
// that is not a number.
QString shortestText(float value, const QLocale& locale);

} // namespace platform
