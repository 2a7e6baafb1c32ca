#include "editor/EditSession.h"

#include "editor/Selection.h"

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

void EditSession::open(document::Layout layout) {
    layout_ = std::move(layout);
    reset();
}

void EditSession::setFilePath(const QString& path) {
    layout_.filePath = path;
}

void EditSession::setZoomText(const QString& text) {
    layout_.zoomText = text;
}

void EditSession::removeAt(int r) {
    layout_.objects.removeAt(r);
}

bool EditSession::insertAt(int r, const document::PlanObject& object) {
    return layout_.objects.insertAt(r, object);
}

bool EditSession::append(const document::PlanObject& object) {
    return layout_.objects.append(object);
}

void EditSession::reset() {
    history_.reset(currentObjects(), layout_.loads);
    recorded_ = source();
    ++revision_;
    selectedBefore_ = selectedRow();
}

void EditSession::record(LayoutChange change, Run run) {
    if (!layout_.isOpen)
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
    if (!layout_.isOpen)
        return;
    if (history_.recordLoads(loads, selectedRow())) {
        layout_.loads = std::move(loads);
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
    return layout_.isOpen && !history_.atSavedState();
}

bool EditSession::undo() {
    if (!layout_.isOpen || !history_.canUndo())
        return false;
    selection_.drop();
    restore(*history_.undo());
    return true;
}

bool EditSession::redo() {
    if (!layout_.isOpen || !history_.canRedo())
        return false;
    selection_.drop();
    restore(*history_.redo());
    return true;
}

UndoEntries EditSession::entries() const {
    UndoEntries e;
    const auto undo = layout_.isOpen ? history_.undoChange() : std::nullopt;
    const auto redo = layout_.isOpen ? history_.redoChange() : std::nullopt;
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
    document::PlanObjects objects(layout_.objects.begin(), layout_.objects.end());
    if (selection_.shown()) {
        // Appended and rotated into place: inserting a PlanObject in the middle makes
        // GCC 12 warn about its variant wrongly.
        objects.push_back(selection_.heldObject());
        std::rotate(objects.begin() + (selectedRow() - 1), objects.end() - 1, objects.end());
    }
    return objects;
}

EditSession::Source EditSession::source() const {
    Source now{layout_.objects.revision(), selectedRow(), std::nullopt, layout_.loads};
    if (selection_.shown())
        now.held = selection_.heldObject();
    return now;
}

int EditSession::selectedRow() const {
    if (!selection_.shown())
        return 0;
    return std::clamp(selection_.state().row, 1, layout_.objects.count() + 1);
}

void EditSession::restore(int selectedRow) {
    ++revision_;
    layout_.objects.assign(history_.objects());
    layout_.loads = history_.loads();
    if (selectedRow >= 1 && selectedRow <= layout_.objects.count())
        selection_.select(selectedRow, Selection::Origin::History);
    else
        canvas_.redraw();
    recorded_ = source();
    selectedBefore_ = this->selectedRow();
}

} // namespace editor
