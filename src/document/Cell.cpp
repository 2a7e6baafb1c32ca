#include "document/Cell.h"

#include "platform/Numbers.h"

#include <algorithm>

namespace document {

std::optional<double> Cell::number() const {
    if (const auto* i = std::get_if<std::int16_t>(&value_))
        return double(*i);
    if (const auto* f = std::get_if<float>(&value_))
        return double(*f);
    return platform::parseNumber(std::get<QString>(value_));
}

int Cell::toInt() const {
    return std::clamp(platform::M(toDouble()), -32768, 32767);
}

QString Cell::toString() const {
    if (const auto* i = std::get_if<std::int16_t>(&value_))
        return QString::number(*i);
    if (const auto* f = std::get_if<float>(&value_))
        return QString::number(double(*f), 'g', 7);
    return std::get<QString>(value_);
}

} // namespace document
