#pragma once

#include "document/PlanObject.h"
#include "editor/EditSession.h"
#include "editor/EditorCore.h"
#include "editor/PlanCanvas.h"
#include "editor/Selection.h"

namespace editor {

// The creation tools: one new object of a kind, 10 screen pixels in from the top-left
// corner of the visible plan, sized and filled from the editing controls.
class Creation {
public:
    Creation(const EditorCore& core, EditSession& session, PlanCanvas& canvas, Selection& selection,
             EditingPanel& controls)
        : core_(core), session_(session), canvas_(canvas), selection_(selection),
          controls_(controls) {}

    // Any kind; an accessory is the one named by accessoryFile. Refused with a
    // message (and nothing changed) when no layout is open, the table with the
    // selection holds 1000 objects, a dimension box holds no valid size, or the
    // accessory's name cannot be read.
    void create(document::ObjectKind kind);

private:
    bool refuseDimensions();

    const EditorCore& core_;
    EditSession& session_;
    PlanCanvas& canvas_;
    Selection& selection_;
    EditingPanel& controls_;
};

} // namespace editor
