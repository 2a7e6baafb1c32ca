#pragma once

#include "document/Layout.h"
#include "document/LayoutHistory.h"
#include "editor/PlanCanvas.h"

#include <QString>

#include <cstdint>
#include <optional>

namespace editor {

class Selection;

// Edits that fold into one step while they go on: a run of arrow keys on one selection.
enum class Run { None = 0, Arrows = 1 };

// The Undo and Redo entries as the Edition menu shows them.
struct UndoEntries {
    QString undoText;
    QString redoText;
    bool canUndo = false;
    bool canRedo = false;
};

// The open layout as a document being edited: the layout itself, the history of its edits
// and the point at which it matches its file. It alone writes the layout, through the
// commands below; everyone else reads it through layout(). After each edit the layout is taken as
// it would be saved (the selected object back at its row) and compared with the last step; undo and
// redo give that layout back and select again the object that was selected, untouched, so that
// putting it back changes nothing. Whether the layout is modified is whether the history stands at
// the saved point: nothing else decides it.
class EditSession {
public:
    // Keeps the references only: the editor builds the session before the modules that
    // read its layout.
    EditSession(PlanCanvas& canvas, Selection& selection)
        : canvas_(canvas), selection_(selection) {}

    const document::Layout& layout() const { return layout_; }

    // A layout was created or opened and replaces the one open: no step before it, and it
    // is the saved one.
    void open(document::Layout layout);
    // The file the layout was read from or is written to.
    void setFilePath(const QString& path);
    // The zoom box's text, as the next save writes it.
    void setZoomText(const QString& text);

    // The object table, as the selection and creation change it; recorded by record().
    // Row r leaves the table, the rows after it moving back (nothing when out of range).
    void removeAt(int r);
    // The object takes row r, the rows from r moving up; false when the table is full.
    bool insertAt(int r, const document::PlanObject& object);
    // The object becomes the last row, in front; false when the table is full.
    bool append(const document::PlanObject& object);

    // Records the edit just made, when it changed the layout (compared only when the
    // table or the selected object could have changed); a step of a run folds into
    // the step before when that one belongs to the same run on the same selection.
    void record(document::LayoutChange change, Run run = Run::None);
    // Gives the layout these loads not drawn, as one step when they differ from its own.
    void setLoads(document::LooseLoads loads);
    // The layout was written to its file, or counts as written.
    void markSaved();
    // The layout differs from its file at every step (a recovery copy was opened).
    void markUnsaved();
    // Changes whenever the layout's objects may have changed: an edit, an undo or redo,
    // a layout opened or created.
    std::uint64_t revision() const { return revision_; }
    // The objects as they would be saved now: the selected object back at its row.
    document::PlanObjects currentObjects() const;
    // The file on disk differs from the layout shown (false while none is open).
    bool isModified() const;

    bool undo();
    bool redo();
    UndoEntries entries() const;
    const document::LayoutHistory& steps() const { return history_; }

private:
    // The 1-based row of the selected object in currentObjects(), 0 without a selection.
    int selectedRow() const;
    // The history starts again from the layout as it stands: no step before it, and it is
    // the saved one.
    void reset();
    void restore(int selectedRow);

    // What currentObjects() is made of: the table as its revision tells, and the selected
    // object with its row, and the loads not drawn. While it stays the same the layout is the one
    // the history holds, so an edit that changed nothing costs no copy of the table.
    struct Source {
        std::uint64_t tableRevision = 0;
        int row = 0;
        std::optional<document::PlanObject> held;
        document::LooseLoads loads;
        bool operator==(const Source&) const = default;
    };
    Source source() const;

    PlanCanvas& canvas_;
    Selection& selection_;
    document::Layout layout_;
    document::LayoutHistory history_;
    int selectedBefore_ = 0;
    std::uint64_t revision_ = 0;
    // The source of the history's current objects, when known.
    std::optional<Source> recorded_;
};

} // namespace editor
