#pragma once

#include <QString>

namespace settings {

// The six preferences edited in the preferences window. larlig is kept as the
// text of its box; lineWidth() gives the pen width in pixels.
struct Preferences {
    bool carross = false;     // body lines drawn in front of the objects
    bool clicpreplan = false; // a deselected object comes to the front
    bool ancrer = false;      // scrolling first puts the selection back
    bool fondblanc = false;   // texts on white character cells
    QString larlig = QStringLiteral("2");
    bool autozone = true; // export finds the drawn zone by itself

    // Pen width of line objects: larlig to the nearest whole number, 1 when it is not a number.
    int lineWidth() const;

    bool operator==(const Preferences&) const = default;

    static Preferences defaults() { return Preferences{}; }
};

} // namespace settings
