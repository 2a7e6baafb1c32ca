#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <variant>

namespace document {

// One cell of the object table: a 16-bit integer, a 32-bit float or a text.
// Where a number is expected, a text that holds a number counts as that number
// ("5" is palette index 5); both "." and "," are accepted as decimal separator.
class Cell {
public:
    Cell() : value_(std::int16_t(0)) {}
    static Cell integer(std::int16_t v) { return Cell(v); }
    static Cell real(float v) { return Cell(v); }
    static Cell text(const QString& v) { return Cell(v); }

    bool isInteger() const { return std::holds_alternative<std::int16_t>(value_); }
    bool isReal() const { return std::holds_alternative<float>(value_); }
    bool isText() const { return std::holds_alternative<QString>(value_); }

    // The number held, or read from the text; nothing for a text that is not a number.
    std::optional<double> number() const;
    // number(), or 0 when there is none.
    double toDouble() const { return number().value_or(0.0); }
    // The number to the nearest whole number (halves to even), held to the 16-bit range
    // -32768..32767 that codes, indices and orientations live in; 0 when there is none.
    int toInt() const;
    // The cell as text: a text as stored, a number in the general format with a
    // point as decimal separator.
    QString toString() const;

    // A fill of 4 characters or more is a file name (texture or accessory picture);
    // anything shorter is a palette index.
    bool isFileName() const { return isText() && std::get<QString>(value_).size() >= 4; }

    bool operator==(const Cell& other) const { return value_ == other.value_; }

private:
    explicit Cell(std::int16_t v) : value_(v) {}
    explicit Cell(float v) : value_(v) {}
    explicit Cell(const QString& v) : value_(v) {}

    std::variant<std::int16_t, float, QString> value_;
};

} // namespace document
