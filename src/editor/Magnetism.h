#pragma once

#include "editor/EditorCore.h"
#include "editor/Snapping.h"

#include <optional>
#include <vector>

namespace editor {

// What the mouse drag under way found: the alignments to show as guide lines and the
// gaps to the neighbours, in canvas pixels. Empty while nothing is dragged.
struct DragAids {
    std::vector<Guide> guides;
    std::optional<Gaps> gaps;
};

// Magnetism during mouse drags: the selection box, moved or resized, snaps to the objects
// left in the table and to the vehicle picture's edges. It never changes those objects,
// and it owns the guides and gaps shown while the drag lasts (on the screen only: the
// canvas that exports and prints copy never holds them).
class Magnetism {
public:
    explicit Magnetism(const EditorCore& core) : core_(core) {}

    // The boxes of the table's objects (texts at their unzoomed size, measures whole) and
    // of the vehicle picture, in canvas pixels at the current view, not rounded.
    SnapTargets targets() const;

    // The box as a move or a resize by `handle` leaves it: snapped when `snap`, else as
    // it is; the guides and gaps are found again either way.
    PlanBox moved(const PlanBox& box, bool snap);
    PlanBox resized(const PlanBox& box, Handle handle, bool snap);
    // The drag has ended.
    void clear() { aids_ = {}; }
    const DragAids& aids() const { return aids_; }

private:
    const EditorCore& core_;
    DragAids aids_;
};

} // namespace editor
