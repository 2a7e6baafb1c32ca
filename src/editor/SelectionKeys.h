#pragma once

#include "editor/EditorCore.h"
#include "editor/Selection.h"
#include "editor/StatusLine.h"

namespace editor {

// The keys that act on the selection, from the plan or the selection box: the arrows
// move the box by a pixel, or with `centimetre` (Shift held) by a centimetre of the picture
// (kept within 10 pixels of the plan's edges), Delete and
// Backspace delete the object, Space and Enter put it back.
class SelectionKeys {
public:
    SelectionKeys(const EditorCore& core, Selection& selection, FocusRequests& focus)
        : core_(core), selection_(selection), focus_(focus) {}

    // True for the keys above, whether or not an object is selected; false for any other
    // key, which goes on to the window.
    bool keyPressed(Qt::Key key, bool centimetre = false);

private:
    const EditorCore& core_;
    Selection& selection_;
    FocusRequests& focus_;
};

} // namespace editor
