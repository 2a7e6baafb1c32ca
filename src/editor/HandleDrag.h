#pragma once

#include "editor/EditorCore.h"
#include "editor/Geometry.h"
#include "editor/Magnetism.h"
#include "editor/Selection.h"
#include "editor/StatusLine.h"
#include "editor/SurfacePanel.h"

#include <QPoint>
#include <QPointF>

#include <cstdint>

namespace editor {

// Moving the selection box with the mouse and resizing it by its handles. A drag starts
// with a left press on the box or a handle that carries its handles, follows the mouse
// while the left button alone is held, and ends on release or when the selection ends.
// Coordinates are in the pressed control's own pixels. With `snap`, the box or the sides
// that move snap to the neighbours (magnetism).
class HandleDrag {
public:
    HandleDrag(const EditorCore& core, Selection& selection, SurfacePanel& panel,
               Magnetism& magnetism, EditingPanel& controls, StatusLine& status)
        : core_(core), selection_(selection), panel_(panel), magnetism_(magnetism),
          controls_(controls), status_(status) {}

    void boxPressed(QPointF at, Qt::MouseButton button);
    void boxMoved(QPointF at, Qt::MouseButtons buttons, bool snap = false);
    void handlePressed(QPointF at);
    void handleMoved(Handle handle, QPointF at, Qt::MouseButtons buttons, bool snap = false);
    void handleReleased();
    // The drag under way ends where the box stands.
    void endDrag();
    // A press on the box or a handle started a drag of the selection still shown, and
    // its button has not been released.
    bool underWay() const;

private:
    void beginDrag(Drag drag, float x, float y);
    // The box follows the pointer by the distance from the press, kept on the plan.
    void dragBox(Qt::MouseButtons buttons, float x, float y, bool snap);
    // The box's sides that the handle carries follow the pointer.
    void dragHandle(Handle handle, Qt::MouseButtons buttons, float x, float y, bool snap);

    const EditorCore& core_;
    Selection& selection_;
    SurfacePanel& panel_;
    Magnetism& magnetism_;
    EditingPanel& controls_;
    StatusLine& status_;
    Drag drag_ = Drag::None;
    QPoint dragStart_;             // where the press was, in whole pixels of the control
    std::uint64_t dragSerial_ = 0; // the selection the drag moves
};

} // namespace editor
