#pragma once

#include <QString>

namespace settings {

// The six preferences edited in the preferences window. The line width is kept as the
// text of its box; penWidth() gives the pen width in pixels.
struct Preferences {
    bool bodyLinesInFront = false;    // body lines drawn in front of the objects
    bool clickBringsToFront = false;  // a deselected object comes to the front
    bool anchorOnScroll = false;      // scrolling first puts the selection back
    bool whiteTextBackground = false; // texts on white character cells
    QString lineWidth = QStringLiteral("2");
    bool automaticZone = true; // export finds the drawn zone by itself

    // Pen width of line objects: lineWidth to the nearest whole number, 1 when it is not
    // a number.
    int penWidth() const;

    bool operator==(const Preferences&) const = default;

    static Preferences defaults() { return Preferences{}; }
};

} // namespace settings
