#include "editor/EditSession.h"

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
    case LayoutChange::Loads:
        return QStringLiteral("les charges");
    case LayoutChange::PutBack:
        return QStringLiteral("la mise en place");
    }
    return {};
}

} // namespace

void EditSession::reset() {
    history_.reset(currentObjects(), core_.state.layout.loads);
    recorded_ = source();
    ++revision_;
    selectedBefore_ = selectedRow();
}

void EditSession::record(LayoutChange change, Run run) {
    if (!core_.layoutOpen())
        return;
    Source now = source();
    if (recorded_ == now) {
        selectedBefore_ = selectedRow();
        return;
    }
    std::optional<document::MergeKey> key;
    if (run != Run::None && selection_.shown())
        key = document::MergeKey{int(run), selection_.serial()};
    if (history_.record(change, currentObjects(), selectedBefore_, selectedRow(), key))
        ++revision_;
    recorded_ = std::move(now);
    selectedBefore_ = selectedRow();
}

void EditSession::setLoads(document::LooseLoads loads) {
    if (!core_.layoutOpen())
        return;
    if (history_.recordLoads(loads, selectedRow())) {
        core_.state.layout.loads = std::move(loads);
        ++revision_;
    }
    selectedBefore_ = selectedRow();
}

void EditSession::markSaved() {
    history_.markSaved();
}

void EditSession::markUnsaved() {
    history_.forgetSaved();
}

bool EditSession::isModified() const {
    return core_.layoutOpen() && !history_.atSavedState();
}

bool EditSession::undo() {
    if (!core_.layoutOpen() || !history_.canUndo())
        return false;
    selection_.drop();
    restore(*history_.undo());
    return true;
}

bool EditSession::redo() {
    if (!core_.layoutOpen() || !history_.canRedo())
        return false;
    selection_.drop();
    restore(*history_.redo());
    return true;
}

UndoEntries EditSession::entries() const {
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

document::PlanObjects EditSession::currentObjects() const {
    const EditorState& s = core_.state;
    document::PlanObjects objects(s.layout.objects.begin(), s.layout.objects.end());
    if (selection_.shown()) {
        // Appended and rotated into place: inserting a PlanObject in the middle makes
        // GCC 12 warn about its variant wrongly.
        objects.push_back(selection_.heldObject());
        std::rotate(objects.begin() + (selectedRow() - 1), objects.end() - 1, objects.end());
    }
    return objects;
}

EditSession::Source EditSession::source() const {
    Source now{core_.state.layout.objects.revision(), selectedRow(), std::nullopt,
               core_.state.layout.loads};
    if (selection_.shown())
        now.held = selection_.heldObject();
    return now;
}

int EditSession::selectedRow() const {
    const EditorState& s = core_.state;
    if (!selection_.shown())
        return 0;
    return std::clamp(selection_.state().row, 1, s.layout.objects.count() + 1);
}

void EditSession::restore(int selectedRow) {
    EditorState& s = core_.state;
    ++revision_;
    s.layout.objects.assign(history_.objects());
    s.layout.loads = history_.loads();
    if (selectedRow >= 1 && selectedRow <= s.layout.objects.count())
        selection_.select(selectedRow, Selection::Origin::History);
    else
        core_.redraw();
    recorded_ = source();
    selectedBefore_ = this->selectedRow();
}

} // namespace editor
