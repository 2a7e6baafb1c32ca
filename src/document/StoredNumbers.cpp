#include "document/StoredNumbers.h"

#include "platform/Numbers.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace document {

namespace {

constexpr qsizetype kMinFileNameLength = 4;

} // namespace

std::optional<float> storedReal(double v) {
    if (std::isnan(v) || std::fabs(v) > double(std::numeric_limits<float>::max()))
        return std::nullopt;
    return float(v);
}

std::int16_t storedInteger(double v) {
    return std::int16_t(std::clamp(platform::roundToInt(v), -32768, 32767));
}

Fill storedFill(const QString& text) {
    if (text.size() >= kMinFileNameLength)
        return Fill::file(text);
    return Fill::colour(storedInteger(platform::parseNumber(text).value_or(0.0)));
}

QString realText(float v, const QLocale& locale) {
    const double value = std::isfinite(v) ? double(v) : 0.0;
    QString s = QString::number(value, 'g', 7);
    s.replace(QLatin1Char('.'), locale.decimalPoint());
    return s;
}

QString exactRealText(float v, const QLocale& locale) {
    std::array<char, 32> digits{};
    const auto [end, error] =
        std::to_chars(digits.data(), digits.data() + digits.size(), std::isfinite(v) ? v : 0.0f);
    QString s = error == std::errc{} ? QString::fromLatin1(digits.data(), end - digits.data())
                                     : QStringLiteral("0");
    s.replace(QLatin1Char('.'), locale.decimalPoint());
    return s;
}

} // namespace document
