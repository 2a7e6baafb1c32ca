#pragma once

#include "document/PlanObject.h"

#include <cstddef>
#include <optional>
#include <vector>

namespace document {

// The objects of a layout in stacking order, as the history compares and restores them.
using PlanObjects = std::vector<PlanObject>;

// What a step of the history did, for the words of the Undo and Redo entries.
enum class LayoutChange {
    Create,
    Delete,
    Move,
    Resize,
    Fill,
    Lock,
    Turn,
    BringToFront,
    SendToBack,
    Mass,
    PutBack, // an object put back where its stored values changed (rounding, front on click)
};

// The undo history of the open layout. It keeps the objects as they stand after the
// current step, and each step as the rows it replaced and the rows it put in their place,
// so a step costs the objects it touched, not a copy of the layout. Which object was
// selected before and after a step comes back with it (a 1-based row, 0 for none).
class LayoutHistory {
public:
    static constexpr std::size_t kDefaultLimit = 1000;

    explicit LayoutHistory(std::size_t limit = kDefaultLimit);

    // Forgets every step; the objects are the layout as just opened or saved.
    void reset(PlanObjects objects);

    const PlanObjects& objects() const { return objects_; }

    // Records the step from objects() to `after`. With `merge`, the step is folded into
    // the last one (a drag, a run of arrow keys) when that one is the step just done.
    // Nothing is recorded when `after` equals objects(). Steps that were undone are
    // dropped. Returns whether the objects changed.
    bool record(LayoutChange change, PlanObjects after, int selectedBefore, int selectedAfter,
                bool merge = false);

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ < steps_.size(); }
    // The change that undo() or redo() would take back or do again.
    std::optional<LayoutChange> undoChange() const;
    std::optional<LayoutChange> redoChange() const;

    // Steps back or forward; returns the row to select afterwards (0: none), or nothing
    // when there is no step to take.
    std::optional<int> undo();
    std::optional<int> redo();

    // The current objects are those written to the layout file.
    void markSaved();
    // No step matches the layout file (a recovery copy was opened in its place).
    void forgetSaved() { saved_.reset(); }
    bool atSavedState() const { return saved_ == std::optional<std::size_t>(position_); }

    std::size_t stepCount() const { return steps_.size(); }
    // How many steps are done (undo() takes back the last of them).
    std::size_t position() const { return position_; }
    // The memory the steps hold, objects and their texts included.
    std::size_t stepBytes() const;

private:
    // Rows first..first+before.size()-1 replaced by `after` (row numbers from 0).
    struct Splice {
        std::size_t first = 0;
        PlanObjects before;
        PlanObjects after;
    };
    struct Step {
        LayoutChange change;
        std::vector<Splice> splices; // applied in order; undone in reverse
        int selectedBefore = 0;
        int selectedAfter = 0;
    };

    static std::vector<Splice> difference(const PlanObjects& from, const PlanObjects& to);
    static void apply(PlanObjects& objects, const std::vector<Splice>& splices);
    static void applyInverse(PlanObjects& objects, const std::vector<Splice>& splices);
    void dropOldest();

    std::size_t limit_;
    PlanObjects objects_;
    std::vector<Step> steps_;
    std::size_t position_ = 0;            // steps_[0..position_) are done
    std::optional<std::size_t> saved_{0}; // the position matching the file, if still reachable
};

} // namespace document
