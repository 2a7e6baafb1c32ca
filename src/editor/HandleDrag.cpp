#include "editor/HandleDrag.h"

#include "platform/Numbers.h"

namespace editor {

using platform::roundToInt;

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
    drag_ = Drag::None;
    dragStart_ = QPoint();
    magnetism_.clear();
}

bool HandleDrag::underWay() const {
    return drag_ != Drag::None && selection_.state().handles.visible &&
           dragSerial_ == selection_.serial();
}

// A drag starts only on a box that carries its handles.
void HandleDrag::beginDrag(Drag drag, float x, float y) {
    if (!selection_.state().handles.visible)
        return;
    dragStart_ = QPoint(roundToInt(x), roundToInt(y));
    drag_ = drag;
    dragSerial_ = selection_.serial();
}

void HandleDrag::dragBox(Qt::MouseButtons buttons, float x, float y, bool snap) {
    if (drag_ != Drag::Move || !onlyLeftHeld(buttons) || !underWay())
        return;
    const platform::Surface& canvas = core_.canvas;
    const int dx = roundToInt(x) - dragStart_.x();
    const int dy = roundToInt(y) - dragStart_.y();
    PlanBox b = selection_.box();
    b.top = dragEdge(b.top, dy, b.height, canvas.height());
    b.left = dragEdge(b.left, dx, b.width, canvas.width());
    selection_.setBox(magnetism_.moved(b, snap));
    selection_.placeHandles();
    selection_.redrawPartialBox();
}

void HandleDrag::dragHandle(Handle handle, Qt::MouseButtons buttons, float x, float y, bool snap) {
    if (!onlyLeftHeld(buttons) || controls_.state().lockChecked || drag_ != Drag::Resize ||
        !underWay())
        return;
    PlanBox b = selection_.box();
    resizeByHandle(b, handle, roundToInt(x) - dragStart_.x(), roundToInt(y) - dragStart_.y());
    selection_.setBox(magnetism_.resized(b, handle, snap));
    selection_.placeHandles();
}

void HandleDrag::boxPressed(QPointF at, Qt::MouseButton button) {
    if (button != Qt::LeftButton || !selection_.shown())
        return;
    selection_.hideHandles();
    core_.processEvents();
    selection_.showHandles();
    beginDrag(Drag::Move, float(at.x()), float(at.y()));
}

void HandleDrag::boxMoved(QPointF at, Qt::MouseButtons buttons, bool snap) {
    if (!selection_.shown())
        return;
    status_.show(QStringLiteral("Vous pouvez déplacer l'objet (Souris ou flèches)"));
    dragBox(buttons, float(at.x()), float(at.y()), snap);
}

void HandleDrag::handlePressed(QPointF at) {
    if (!selection_.shown())
        return;
    beginDrag(Drag::Resize, float(at.x()), float(at.y()));
    selection_.drawBox();
}

void HandleDrag::handleMoved(Handle handle, QPointF at, Qt::MouseButtons buttons, bool snap) {
    if (!selection_.shown())
        return;
    const SelectionState& sel = selection_.state();
    if (sel.object.locked) {
        status_.show(QStringLiteral("Cet objet n'est pas redimensionnable"));
        return;
    }
    status_.show(QStringLiteral("Vous pouvez redimensionner l'objet"));
    dragHandle(handle, buttons, float(at.x()), float(at.y()), snap);
    core_.processEvents();
    if (drag_ != Drag::Resize || !underWay())
        return;
    const double scale = double(core_.zoom()) * core_.pixelsPerCm();
    const int w = roundToInt(double(sel.box.width) / scale);
    const int h = roundToInt(double(sel.box.height) / scale);
    controls_.showSizes(wholeText(w), wholeText(h));
    panel_.showResized(sel.object.kind, w, h);
    selection_.drawBox();
}

void HandleDrag::handleReleased() {
    endDrag();
}

} // namespace editor
