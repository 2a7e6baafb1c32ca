#pragma once

#include <QString>

#include <cstdint>
#include <optional>
#include <variant>

namespace document {

// What an object is. A kind is also the index of the tool button that creates it. A file
// may hold other codes: they are kept and written back, and draw nothing.
enum class ObjectKind : std::int16_t {
    Measure = 0,
    Rectangle = 1,
    Ellipse = 2,
    Text = 3,
    Line = 4,
    Triangle = 5,
    Accessory = 9,
};

// A point of the plan in unzoomed vehicle-picture pixels, single precision as stored.
struct PlanPoint {
    float x = 0;
    float y = 0;
    bool operator==(const PlanPoint&) const = default;
};

// How an object is filled: a palette index (0..15 draw in colour, others draw black),
// or a picture file name: a texture for a rectangle, the picture of an accessory.
class Fill {
public:
    Fill() = default;
    static Fill colour(int index) { return Fill(Value(index)); }
    static Fill file(const QString& name) { return Fill(Value(name)); }

    bool isFile() const { return std::holds_alternative<QString>(value_); }
    // The palette index; 0 for a file name.
    int colourIndex() const {
        const int* index = std::get_if<int>(&value_);
        return index ? *index : 0;
    }
    // The file name; empty for a palette index.
    QString fileName() const {
        const QString* name = std::get_if<QString>(&value_);
        return name ? *name : QString();
    }

    bool operator==(const Fill&) const = default;

private:
    using Value = std::variant<int, QString>;
    explicit Fill(Value value) : value_(std::move(value)) {}
    Value value_{0};
};

// An accessory's picture turned by quarter turns counter-clockwise; the turned picture
// fills the box.
enum class AccessoryTurn : std::int16_t { None = 0, Quarter = 1, Half = 2, ThreeQuarters = 3 };

// The corner of its box that holds a triangle's right angle. A left turn goes to the next.
enum class TriangleCorner : std::int16_t {
    TopRight = 0,
    TopLeft = 1,
    BottomLeft = 2,
    BottomRight = 3,
};

// The diagonal of its box that a line follows.
enum class LineDirection : std::int16_t {
    Falling = 0, // top-left to bottom-right
    Rising = 1,  // top-right to bottom-left
};

// An object's orientation, read as its kind's type. The number is kept as the file gives
// it, also where it names no orientation of the kind (such an object draws nothing) and
// for the kinds that have none.
class Orientation {
public:
    constexpr Orientation() = default;
    constexpr Orientation(AccessoryTurn turn) : number_(std::int16_t(turn)) {}
    constexpr Orientation(TriangleCorner corner) : number_(std::int16_t(corner)) {}
    constexpr Orientation(LineDirection direction) : number_(std::int16_t(direction)) {}
    static constexpr Orientation stored(std::int16_t number) {
        Orientation orientation;
        orientation.number_ = number;
        return orientation;
    }

    constexpr std::int16_t number() const { return number_; }
    constexpr AccessoryTurn accessoryTurn() const { return AccessoryTurn(number_); }
    constexpr TriangleCorner triangleCorner() const { return TriangleCorner(number_); }
    constexpr LineDirection lineDirection() const { return LineDirection(number_); }

    bool operator==(const Orientation&) const = default;

private:
    std::int16_t number_ = 0;
};

// One object of the plan.
struct PlanObject {
    ObjectKind kind = ObjectKind::Rectangle;
    PlanPoint position; // top-left corner
    float heightCm = 0; // vertical extent
    float widthCm = 0;  // horizontal extent
    Fill fill;
    bool locked = false; // not resizable with the mouse
    // An accessory's turn, a triangle's corner or a line's direction. Other kinds do not
    // use it but keep the number their file gives (0 when the editor makes them).
    Orientation orientation;
    QString text; // a text object's words; empty for other kinds
    // What the object weighs, in kg; nothing when unknown. Only rectangles, ellipses,
    // triangles and accessories carry one.
    std::optional<float> massKg;

    bool operator==(const PlanObject&) const = default;
};

} // namespace document
