#pragma once

#include "document/ObjectTable.h"
#include "editor/EditSession.h"
#include "editor/EditingPanel.h"
#include "editor/EditorCore.h"
#include "editor/Geometry.h"
#include "editor/PlanCanvas.h"
#include "editor/StatusLine.h"
#include "editor/SurfacePanel.h"

#include <QPointF>

#include <cstdint>

namespace editor {

// The selection: lifting an object out of the table into the selection box with its
// handles, and putting the object back. Moving and resizing the box belong to
// HandleDrag, the keys to SelectionKeys.
class Selection {
public:
    Selection(const EditorCore& core, EditSession& session, PlanCanvas& canvas, SurfacePanel& panel,
              EditingPanel& controls, StatusLine& status)
        : core_(core), session_(session), canvas_(canvas), panel_(panel), controls_(controls),
          status_(status) {}

    // Where a put-back writes the object.
    enum class Place { ByPreference, Front, Back };

    // How a selection was made: a click on the plan, or undo and redo giving back the
    // object that was selected.
    using Origin = SelectionOrigin;

    // Lifts row r out of the table and shows it in the box with its handles. Put back
    // unchanged, it goes back to row r as it was, or to the front when it was clicked and
    // the preference asks for it.
    void select(int r, Origin origin = Origin::Click);
    const SelectionState& state() const { return state_; }
    bool shown() const { return state_.box.visible; }
    // Tells selections apart: it changes with each select().
    std::uint64_t serial() const { return serial_; }
    // Writes the selection back into the table and redraws the plan; a drag under way
    // ends with it. Nothing when no object is selected.
    void putBack(Place place = Place::ByPreference);
    // Drops the selection without touching the table (delete).
    void discard();
    // The object as the box and the dimension boxes show it: the box position converted
    // back to picture pixels and rounded, the sizes in whole cm.
    document::PlanObject selectionObject() const;
    // The object as the layout holds it while it is selected: the row as it was taken
    // until the selection is edited, then selectionObject().
    document::PlanObject heldObject() const;
    // The selection differs from the row it was taken from.
    void markEdited() { state_.edited = true; }

    // Edits of the selected object; the box is drawn again by the caller.
    void setLocked(bool locked); // also greys or blackens the handles
    void setFill(const document::Fill& fill);
    void setMass(std::optional<float> kg);
    void setOrientation(document::Orientation orientation);
    void setBoxSize(float width, float height);
    // Ends the selection without writing it back, as when the layout is replaced under it.
    void drop();

    PlanBox box() const;
    void setBox(const PlanBox& box);
    // Clears the box and draws the selected object into it at its current size: the
    // part of the box on the plan, whatever the object's size and the zoom.
    void drawBox();
    // After a move: draws the box again when the part of it on the plan changed.
    void redrawPartialBox();

    // The eight handles around the box; a drag goes on only while they are shown.
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
    // What a put-back writes: a clicked selection is written as the box shows it (its
    // position rounded, a measure's height taken from its box), as is an edited one; a
    // selection given back by undo or redo and left alone goes back exactly as it was.
    document::PlanObject putBackObject() const;
    void showFillOf(document::ObjectKind kind, const document::Fill& fill);

    const EditorCore& core_;
    EditSession& session_;
    PlanCanvas& canvas_;
    SurfacePanel& panel_;
    EditingPanel& controls_;
    StatusLine& status_;
    // Where the plan was last pressed, in canvas pixels held to 16 bits: the click that
    // follows picks the object there.
    QPoint lastPress_;
    SelectionState state_;
    std::uint64_t serial_ = 0;
};

} // namespace editor
