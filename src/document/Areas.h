#pragma once

#include "document/PlanObject.h"

#include <cmath>
#include <optional>

namespace document {

// Area in m² of a shape of w x h cm (horizontal x vertical): rectangles, ellipses and
// right triangles count; nothing for the other kinds. Not rounded; 3.141592 stands for pi.
// Sizes count by their absolute value: a negative size read from a file never gives a
// negative area.
inline std::optional<double> areaM2(ObjectKind kind, double width, double height) {
    const double w = std::abs(width), h = std::abs(height);
    switch (kind) {
    case ObjectKind::Rectangle:
        return w * h / 10000;
    case ObjectKind::Ellipse:
        return w * h * 3.141592 / 40000;
    case ObjectKind::Triangle:
        return w * h / 20000;
    default:
        return std::nullopt;
    }
}

} // namespace document
