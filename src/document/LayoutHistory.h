#pragma once

#include "document/LooseLoad.h"
#include "document/PlanObject.h"

#include <cstddef>
#include <cstdint>
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
    Loads,   // the loads not drawn, as the mass window edits them
    PutBack, // an object put back where its stored values changed (rounding, front on click)
};

// Steps that carry the same key fold into one while no other step comes between them,
// as a run of arrow keys on one selection does. Which runs exist is the editor's
// business: the history only compares keys.
struct MergeKey {
    int run = 0;              // what kind of run
    std::uint64_t target = 0; // what it acts on (one selection)
    bool operator==(const MergeKey&) const = default;
};

// The undo history of the open layout. It keeps the objects as they stand after the
// current step, and each step as the rows it replaced and the rows it put in their place,
// so a step costs the objects it touched, not a copy of the layout. Which object was
// selected before and after a step comes back with it (a 1-based row, 0 for none). The
// loads not drawn are part of the layout too: a step that changes them keeps them as
// they were before and after it.
class LayoutHistory {
public:
    static constexpr std::size_t kDefaultLimit = 1000;

    explicit LayoutHistory(std::size_t limit = kDefaultLimit);

    // Forgets every step; the objects and loads are the layout as just opened or saved.
    void reset(PlanObjects objects, LooseLoads loads = {});

    const PlanObjects& objects() const { return objects_; }
    const LooseLoads& loads() const { return loads_; }

    // Records the step from objects() to `after`. A step with a merge key is folded into
    // the step just done when that one carries the same key and is not the saved one.
    // Nothing is recorded when `after` equals objects(). Steps that were undone are
    // dropped. Returns whether the objects changed.
    bool record(LayoutChange change, PlanObjects after, int selectedBefore, int selectedAfter,
                std::optional<MergeKey> mergeKey = std::nullopt);
    // Records the step from loads() to `after`, the objects staying as they are and the
    // selected row with them. Nothing is recorded when `after` equals loads(). Returns
    // whether the loads changed.
    bool recordLoads(LooseLoads after, int selected);

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
    struct LoadChange {
        LooseLoads before;
        LooseLoads after;
    };
    struct Step {
        LayoutChange change;
        std::vector<Splice> splices; // applied in order; undone in reverse
        int selectedBefore = 0;
        int selectedAfter = 0;
        std::optional<MergeKey> mergeKey;
        std::optional<LoadChange> loads;
    };

    static std::vector<Splice> difference(const PlanObjects& from, const PlanObjects& to);
    static void apply(PlanObjects& objects, const std::vector<Splice>& splices);
    static void applyInverse(PlanObjects& objects, const std::vector<Splice>& splices);
    // Drops the steps that were undone, before a new step.
    void dropUndone();
    void push(Step step);
    void dropOldest();

    std::size_t limit_;
    PlanObjects objects_;
    LooseLoads loads_;
    std::vector<Step> steps_;
    std::size_t position_ = 0;            // steps_[0..position_) are done
    std::optional<std::size_t> saved_{0}; // the position matching the file, if still reachable
};

} // namespace document
