#pragma once

#include "editor/EditorCore.h"
#include "editor/Selection.h"
#include "editor/Snapping.h"
#include "editor/SurfacePanel.h"

namespace editor {

// The dimension boxes, the lock box, the fill controls, stacking, turning and delete.
// Changes go to the lifted-out selection and its box; without a selection the
// controls only preset the next object.
class Properties {
public:
    Properties(const EditorCore& core, Selection& selection, SurfacePanel& panel,
               EditingPanel& controls)
        : core_(core), selection_(selection), panel_(panel), controls_(controls) {}

    void dimensionTextChanged(Dimension dimension, const QString& text);
    // Applies both dimension boxes to the selection; a box that holds no whole number
    // of cm from 0 to 32767 is refused with a message.
    void dimensionsConfirmed();
    void sizeLockToggled(bool checked);
    void massTextChanged(const QString& text);
    // Gives the selection the mass box's kg, or no known mass when the box is empty; a
    // box that holds no number from 0 to 100000 is refused with a message.
    void massConfirmed();
    // A position typed in cm for the selection's top-left corner on one axis, measured
    // from the vehicle picture's corner: the object moves to the nearest picture pixel.
    // A value outside the picture is refused with a message.
    void positionConfirmed(Axis axis, const QString& text);
    // A palette colour 0..15 becomes the current fill.
    void paletteColourChosen(int index);
    // A texture list entry becomes the current fill; the caption entry (0) or an entry
    // past the list means colour 0.
    void textureIndexChosen(std::optional<int> index);
    void fillSwatchClicked();
    // Puts the selection back in front of or behind every other object.
    void restack(Selection::Place place);
    void turn(Turn direction);
    void deleteSelection();

private:
    const EditorCore& core_;
    Selection& selection_;
    SurfacePanel& panel_;
    EditingPanel& controls_;
};

} // namespace editor
