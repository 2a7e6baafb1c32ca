#pragma once

#include "editor/EditorCore.h"
#include "editor/Selection.h"
#include "editor/SurfacePanel.h"

namespace editor {

// The dimension boxes, the lock box, the fill controls, stacking, turning and delete.
// Changes go to the lifted-out selection and its box; without a selection the
// controls only preset the next object.
class Properties {
public:
    Properties(EditorCore& core, Selection& selection, SurfacePanel& panel)
        : core_(core), selection_(selection), panel_(panel) {}

    void dimensionTextChanged(int index, const QString& text);
    // Enter applies both dimension boxes to the selection; a box that holds no whole
    // number of cm from 0 to 32767 is refused with a message.
    void dimensionKeyPressed(int index, int keyCode);
    void sizeLockToggled(bool checked);
    void Choix_couleur_Click(int index);
    void Combo1_Click(int index);
    void fillSwatchClicked();
    void restackSelection(int index);
    void turnSelection(int index);
    void deleteSelection();

private:
    EditorCore& core_;
    Selection& selection_;
    SurfacePanel& panel_;
};

} // namespace editor
