#include "editor/SelectionKeys.h"

#include "editor/Placement.h"

#include <algorithm>
#include <array>

namespace editor {

bool SelectionKeys::keyPressed(Qt::Key key, bool centimetre) {
    static constexpr std::array kSelectionKeys = {Qt::Key_Up,    Qt::Key_Down,   Qt::Key_Left,
                                                  Qt::Key_Right, Qt::Key_Delete, Qt::Key_Backspace,
                                                  Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter};
    if (std::find(kSelectionKeys.begin(), kSelectionKeys.end(), key) == kSelectionKeys.end())
        return false;
    if (!selection_.shown())
        return true;
    PlanBox b = selection_.box();
    const int canvasHeight = core_.canvas.height(), canvasWidth = core_.canvas.width();
    if (centimetre &&
        (key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right)) {
        selection_.setBox(arrowStep(selection_.box(), key,
                                    centimetreStep(core_.pixelsPerCm(), core_.zoom()),
                                    {canvasWidth, canvasHeight}));
        selection_.placeHandles();
        selection_.redrawPartialBox();
        return true;
    }
    bool arrow = true;
    switch (key) {
    case Qt::Key_Up:
        if (b.top > 10 - b.height)
            b.top -= 1;
        break;
    case Qt::Key_Down:
        if (b.top < float(canvasHeight - 10))
            b.top += 1;
        break;
    case Qt::Key_Left:
        if (b.left > 10 - b.width)
            b.left -= 1;
        break;
    case Qt::Key_Right:
        if (b.left < float(canvasWidth - 10))
            b.left += 1;
        break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        arrow = false;
        selection_.discard();
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        arrow = false;
        selection_.putBack();
        focus_.ask(FocusRequest::Plan);
        break;
    default:
        arrow = false;
        break;
    }
    if (arrow) {
        selection_.setBox(b);
        selection_.placeHandles();
        selection_.redrawPartialBox();
    }
    return true;
}

} // namespace editor
