#pragma once

#include "document/PlanObject.h"

#include <optional>

namespace document {

// Area in m² of a shape of w x h cm (horizontal x vertical): rectangles, ellipses and
// right triangles count; nothing for the other kinds. Not rounded; 3.141592 stands for pi.
inline std::optional<double> areaM2(ObjectKind kind, double w, double h) {
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
