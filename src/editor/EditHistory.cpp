#include "editor/EditHistory.h"

#include <algorithm>

namespace editor {

using document::LayoutChange;

namespace {

QString changeName(LayoutChange change) {
    switch (change) {
    case LayoutChange::Create:
        return QStringLiteral("la création");
    case LayoutChange::Delete:
        return QStringLiteral("la suppression");
    case LayoutChange::Move:
        return QStringLiteral("le déplacement");
    case LayoutChange::Resize:
        return QStringLiteral("le redimensionnement");
    case LayoutChange::Fill:
        return QStringLiteral("le remplissage");
    case LayoutChange::Lock:
        return QStringLiteral("le verrouillage des dimensions");
    case LayoutChange::Turn:
        return QStringLiteral("la rotation");
    case LayoutChange::BringToFront:
        return QStringLiteral("la mise au premier plan");
    case LayoutChange::SendToBack:
        return QStringLiteral("l'envoi à l'arrière-plan");
    case LayoutChange::Mass:
        return QStringLiteral("la masse");
    case LayoutChange::PutBack:
        return QStringLiteral("la mise en place");
    }
    return {};
}

} // namespace

void EditHistory::reset() {
    history_.reset(currentObjects());
    ++revision_;
    endRun();
    selectedBefore_ = selectedRow();
}

void EditHistory::record(LayoutChange change, Run run) {
    if (!core_.layoutOpen())
        return;
    const bool continuing = run != Run::None && run == run_;
    const bool merge = continuing && runHasStep_ && history_.position() == runStep_;
    const bool changed =
        history_.record(change, currentObjects(), selectedBefore_, selectedRow(), merge);
    if (!continuing) {
        run_ = run;
        runHasStep_ = false;
    }
    if (changed) {
        ++revision_;
        core_.state.layout.modified = true;
        runHasStep_ = run != Run::None;
        runStep_ = history_.position();
    }
    selectedBefore_ = selectedRow();
}

void EditHistory::markSaved() {
    history_.markSaved();
}

void EditHistory::markUnsaved() {
    history_.forgetSaved();
    core_.state.layout.modified = true;
}

bool EditHistory::undo() {
    if (!core_.layoutOpen() || !history_.canUndo())
        return false;
    selection_.drop();
    restore(*history_.undo());
    return true;
}

bool EditHistory::redo() {
    if (!core_.layoutOpen() || !history_.canRedo())
        return false;
    selection_.drop();
    restore(*history_.redo());
    return true;
}

UndoEntries EditHistory::entries() const {
    UndoEntries e;
    const auto undo = core_.layoutOpen() ? history_.undoChange() : std::nullopt;
    const auto redo = core_.layoutOpen() ? history_.redoChange() : std::nullopt;
    e.canUndo = undo.has_value();
    e.canRedo = redo.has_value();
    e.undoText = QStringLiteral("A&nnuler");
    e.redoText = QStringLiteral("&Rétablir");
    if (undo)
        e.undoText += QLatin1Char(' ') + changeName(*undo);
    if (redo)
        e.redoText += QLatin1Char(' ') + changeName(*redo);
    return e;
}

document::PlanObjects EditHistory::currentObjects() const {
    const EditorState& s = core_.state;
    document::PlanObjects objects(s.layout.objects.begin(), s.layout.objects.end());
    if (s.hasSelection()) {
        const SelectionState& sel = s.selection;
        // Appended and rotated into place: inserting a PlanObject in the middle makes
        // GCC 12 warn about its variant wrongly.
        objects.push_back(sel.edited ? selection_.selectionObject() : sel.stored);
        std::rotate(objects.begin() + (selectedRow() - 1), objects.end() - 1, objects.end());
    }
    return objects;
}

int EditHistory::selectedRow() const {
    const EditorState& s = core_.state;
    if (!s.hasSelection())
        return 0;
    return std::clamp(s.selection.row, 1, s.layout.objects.count() + 1);
}

void EditHistory::restore(int selectedRow) {
    EditorState& s = core_.state;
    endRun();
    ++revision_;
    s.layout.objects.assign(history_.objects());
    s.layout.modified = !history_.atSavedState();
    if (selectedRow >= 1 && selectedRow <= s.layout.objects.count())
        selection_.select(selectedRow);
    else
        core_.redraw();
    selectedBefore_ = this->selectedRow();
}

} // namespace editor
