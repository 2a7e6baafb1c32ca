#include "platform/Numbers.h"
#include "platform/NumberText.h"

#include <QLocale>

#include <array>
#include <charconv>

namespace platform {

std::optional<double> parseNumber(const QString& text) {
    QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double v = QLocale::c().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString shortestText(float value, const QLocale& locale) {
    if (!std::isfinite(value))
        return QStringLiteral("0");
    if (value == 0.0f)
        value = 0.0f; // no "-0"
    // Fixed notation of a float holds at most 39 integer digits and, for the smallest
    // subnormals, about 150 decimals.
    std::array<char, 200> digits{};
    const auto [end, error] = std::to_chars(digits.data(), digits.data() + digits.size(), value,
                                            std::chars_format::fixed);
    if (error != std::errc())
        return QStringLiteral("0");
    QString text = QString::fromLatin1(digits.data(), end - digits.data());
    text.replace(QLatin1Char('.'), locale.decimalPoint());
    text.replace(QLatin1Char('-'), locale.negativeSign());
    return text;
}

std::optional<double> readNumber(const QString& text, const QLocale& locale) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double v = locale.toDouble(t, &ok);
    if (ok && std::isfinite(v))
        return v;
    return parseNumber(t);
}

QString numberText(double value, const QLocale& locale, int precision) {
    QLocale l = locale;
    l.setNumberOptions(QLocale::OmitGroupSeparator);
    return l.toString(value, 'g', precision);
}

} // namespace platform
