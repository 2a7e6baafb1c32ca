#include "document/Cell.h"

#include "document/Numbers.h"

#include <QLocale>

#include <algorithm>

namespace document {

std::optional<double> Cell::parseNumber(const QString& text) {
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

std::optional<double> Cell::number() const {
    if (const auto* i = std::get_if<std::int16_t>(&value_))
        return double(*i);
    if (const auto* f = std::get_if<float>(&value_))
        return double(*f);
    return parseNumber(std::get<QString>(value_));
}

int Cell::toInt() const {
    return std::clamp(M(toDouble()), -32768, 32767);
}

QString Cell::toString() const {
    if (const auto* i = std::get_if<std::int16_t>(&value_))
        return QString::number(*i);
    if (const auto* f = std::get_if<float>(&value_))
        return QString::number(double(*f), 'g', 7);
    return std::get<QString>(value_);
}

} // namespace document
