#include "editor/HandleDrag.h"

#include "editor/EditorState.h"
#include "platform/Numbers.h"

namespace editor {

using platform::M;

namespace {

QString wholeText(int v) {
    return QString::number(v);
}

// A drag goes on only while the left button alone is held.
bool onlyLeftHeld(Qt::MouseButtons buttons) {
    return (buttons & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton)) == Qt::LeftButton;
}

} // namespace

void HandleDrag::endDrag() {
    SelectionState& sel = core_.state.selection;
    sel.drag = Drag::None;
    sel.dragStart = QPoint();
    magnetism_.clear();
}

// A drag starts only on a box that carries its handles.
void HandleDrag::beginDrag(Drag drag, float x, float y) {
    SelectionState& sel = core_.state.selection;
    if (!sel.handles.visible)
        return;
    sel.dragStart = QPoint(M(x), M(y));
    sel.drag = drag;
}

void HandleDrag::dragBox(Qt::MouseButtons buttons, float x, float y, bool snap) {
    EditorState& s = core_.state;
    SelectionState& sel = s.selection;
    if (sel.drag != Drag::Move || !onlyLeftHeld(buttons) || !sel.handles.visible)
        return;
    const int dx = M(x) - sel.dragStart.x();
    const int dy = M(y) - sel.dragStart.y();
    SelectionBox& b = sel.box;
    b.top = dragEdge(b.top, dy, b.height, s.canvas.height());
    b.left = dragEdge(b.left, dx, b.width, s.canvas.width());
    selection_.setBox(magnetism_.moved(selection_.box(), snap));
    selection_.placeHandles();
    selection_.redrawPartialBox();
}

void HandleDrag::dragHandle(Handle handle, Qt::MouseButtons buttons, float x, float y, bool snap) {
    const EditorState& s = core_.state;
    const SelectionState& sel = s.selection;
    if (!onlyLeftHeld(buttons) || s.controls.lockChecked || !sel.handles.visible ||
        sel.drag != Drag::Resize)
        return;
    PlanBox b = selection_.box();
    resizeByHandle(b, handle, M(x) - sel.dragStart.x(), M(y) - sel.dragStart.y());
    selection_.setBox(magnetism_.resized(b, handle, snap));
    selection_.placeHandles();
}

void HandleDrag::boxPressed(QPointF at, Qt::MouseButton button) {
    if (button != Qt::LeftButton || !core_.state.hasSelection())
        return;
    selection_.hideHandles();
    core_.processEvents();
    selection_.showHandles();
    beginDrag(Drag::Move, float(at.x()), float(at.y()));
}

void HandleDrag::boxMoved(QPointF at, Qt::MouseButtons buttons, bool snap) {
    EditorState& s = core_.state;
    if (!s.hasSelection())
        return;
    s.statusText = QStringLiteral("Vous pouvez déplacer l'objet (Souris ou flèches)");
    dragBox(buttons, float(at.x()), float(at.y()), snap);
    s.layout.modified = true;
}

void HandleDrag::handlePressed(QPointF at) {
    EditorState& s = core_.state;
    if (!s.hasSelection())
        return;
    beginDrag(Drag::Resize, float(at.x()), float(at.y()));
    selection_.drawBox();
}

void HandleDrag::handleMoved(Handle handle, QPointF at, Qt::MouseButtons buttons, bool snap) {
    EditorState& s = core_.state;
    if (!s.hasSelection())
        return;
    if (s.selection.object.locked) {
        s.statusText = QStringLiteral("Cet objet n'est pas redimensionnable");
        return;
    }
    s.statusText = QStringLiteral("Vous pouvez redimensionner l'objet");
    dragHandle(handle, buttons, float(at.x()), float(at.y()), snap);
    core_.processEvents();
    if (s.selection.drag != Drag::Resize)
        return;
    s.layout.modified = true;
    const double scale = double(core_.zoom()) * core_.resol();
    const int w = M(double(s.selection.box.width) / scale);
    const int h = M(double(s.selection.box.height) / scale);
    s.controls.sizeText[0] = wholeText(w);
    s.controls.sizeText[1] = wholeText(h);
    panel_.showResized(s.selection.object.kind, w, h);
    selection_.drawBox();
}

void HandleDrag::handleReleased() {
    endDrag();
}

} // namespace editor
