#pragma once

#include "document/ObjectTable.h"
#include "editor/EditorCore.h"
#include "editor/Geometry.h"
#include "editor/SurfacePanel.h"

#include <QPointF>

namespace editor {

// The selection: lifting an object out of the table into the selection box with its
// handles, and putting the object back. Moving and resizing the box belong to
// HandleDrag, the keys to SelectionKeys.
class Selection {
public:
    Selection(EditorCore& core, SurfacePanel& panel) : core_(core), panel_(panel) {}

    // Where a put-back writes the object.
    enum class Place { ByPreference, Front, Back };

    // Lifts row r out of the table and shows it in the box with its handles.
    void select(int r);
    // Writes the selection back into the table and redraws the plan; a drag under way
    // ends with it. Nothing when no object is selected.
    void putBack(Place place = Place::ByPreference);
    // Drops the selection without touching the table (delete).
    void discard();
    // The object the selection would be written as: box position converted back to
    // picture pixels, size from the dimension boxes.
    document::PlanObject selectionObject() const;

    // Edits of the selected object; the box is drawn again by the caller.
    void setLocked(bool locked); // also greys or blackens the handles
    void setFill(const document::Fill& fill);
    void setOrientation(document::Orientation orientation);
    void setBoxSize(float width, float height);
    // The selection now differs from the row it was taken from.
    void markEdited() { core_.state.selection.edited = true; }
    // Ends the selection without writing it back, as when the layout is replaced under it.
    void drop();

    PlanBox box() const;
    void setBox(const PlanBox& box);
    // Clears the box and draws the selected object into it at its current size: the
    // part of the box on the plan, whatever the object's size and the zoom.
    void drawBox();
    // After a move: draws the box again when the part of it on the plan changed.
    void redrawPartialBox();

    // The eight handles around the box; hiding them ends any drag.
    void showHandles();
    void hideHandles();
    void placeHandles();

    // Plan events.
    void planPressed(QPointF at);
    void planClicked();
    void planHovered();

    // The editing controls after the selection ended (put back, stacked or deleted).
    void resetControlsAfterSelection();

private:
    void showFillOf(document::ObjectKind kind, const document::Fill& fill);

    EditorCore& core_;
    SurfacePanel& panel_;
    // Where the plan was last pressed, in canvas pixels held to 16 bits: the click that
    // follows picks the object there.
    QPoint lastPress_;
};

} // namespace editor
