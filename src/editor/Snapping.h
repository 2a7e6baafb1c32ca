#pragma once

#include "editor/Geometry.h"

#include <optional>
#include <vector>

namespace editor {

// Magnetism: a box dragged or resized with the mouse is pulled so that one of its edges or
// its centre line meets an edge or centre line of another object, or an edge of the
// vehicle picture. Everything here is in plan pixels (the canvas's pixels at the current
// zoom), the unit the mouse moves in, and works on boxes only.

// How close, in plan pixels, a line must come to another to be pulled onto it.
inline constexpr float kSnapDistance = 6;

// The axis a line is measured along: an X line is vertical (x = at), a Y line horizontal.
enum class Axis { X, Y };

// An alignment found by a snap, shown while the drag lasts as a line across the plan.
struct Guide {
    Axis axis = Axis::X;
    float at = 0; // plan pixels
    bool operator==(const Guide&) const = default;
};

// What a moved box can meet: the boxes of the objects left in place and the vehicle
// picture's box (nothing when no picture is shown).
struct SnapTargets {
    std::vector<PlanBox> objects;
    std::optional<PlanBox> picture;
};

// The lines a moved box can snap to on an axis: each object's two edges and centre line,
// and the picture's two edges, in that order.
std::vector<float> snapLines(const SnapTargets& targets, Axis axis);

struct Snapped {
    PlanBox box;
    std::vector<Guide> guides; // X lines first, each position once
};

// A box moved as a whole: on each axis apart, the pair of one of its three lines and a
// target line that lie closest, within `distance`, is made to meet by moving the box
// (the size stays). The guides are every target line one of the box's lines then lies on.
Snapped snapMove(const PlanBox& box, const SnapTargets& targets, float distance = kSnapDistance);

// A box resized by a handle: only the edges that handle moves are pulled, the opposite
// edges stay; a pull that would make the size negative is not made. The guides are the
// target lines a moved edge then lies on.
Snapped snapResize(const PlanBox& box, Handle handle, const SnapTargets& targets,
                   float distance = kSnapDistance);

// The free space from a box to its neighbours, in plan pixels: on each side, the distance
// to the nearest object lying wholly on that side and overlapping the box across it, or
// to the picture's edge when it is nearer or no object is there. Nothing on a side where
// the box already reaches past the picture's edge and no object lies beyond it.
struct Gaps {
    std::optional<float> left, right, top, bottom;
};
Gaps gapsAround(const PlanBox& box, const SnapTargets& targets);

} // namespace editor
