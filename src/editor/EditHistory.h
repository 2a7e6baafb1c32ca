#pragma once

#include "document/LayoutHistory.h"
#include "editor/EditorCore.h"
#include "editor/Selection.h"

#include <QString>

#include <cstdint>

namespace editor {

// Edits that fold into one step while they go on: a run of arrow keys on one selection.
enum class Run { None, Arrows };

// The Undo and Redo entries as the Edition menu shows them.
struct UndoEntries {
    QString undoText;
    QString redoText;
    bool canUndo = false;
    bool canRedo = false;
};

// The editor's undo history. After each edit the layout is taken as it would be saved
// (the selected object back at its row, as it was taken while it is not edited) and
// compared with the last step; undo and redo give that layout back and select again the
// object that was selected.
class EditHistory {
public:
    EditHistory(EditorCore& core, Selection& selection) : core_(core), selection_(selection) {}

    // A layout was created or opened: no step before it, and it is the saved one.
    void reset();
    // Records the edit just made, when it changed the layout; the layout is then modified.
    void record(document::LayoutChange change, Run run = Run::None);
    // The next edit starts a step of its own.
    void endRun() { run_ = Run::None; }
    // The layout was written to its file.
    void markSaved();
    // The layout differs from its file at every step (a recovery copy was opened).
    void markUnsaved();
    // Changes whenever the layout's objects may have changed: an edit, an undo or redo,
    // a layout opened or created.
    std::uint64_t revision() const { return revision_; }
    // The objects as they would be saved now: the selected object back at its row.
    document::PlanObjects currentObjects() const;

    bool undo();
    bool redo();
    UndoEntries entries() const;
    const document::LayoutHistory& steps() const { return history_; }

private:
    // The 1-based row of the selected object in currentObjects(), 0 without a selection.
    int selectedRow() const;
    void restore(int selectedRow);

    EditorCore& core_;
    Selection& selection_;
    document::LayoutHistory history_;
    Run run_ = Run::None;
    // Where the last step of the current run stands, to fold the next edit into it.
    std::size_t runStep_ = 0;
    bool runHasStep_ = false;
    int selectedBefore_ = 0;
    std::uint64_t revision_ = 0;
};

} // namespace editor
