#pragma once

#include "document/PlanObject.h"
#include "editor/EditorState.h"
#include "render/PlanRenderer.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace editor {

// The editing controls of the main window: the sizes they show, the lock, the mass text,
// the texture chosen and the fill swatch, and which of them are enabled; and what the next
// object takes besides (its fill, the accessory the browser shows). It alone writes them;
// the modules call its commands and the window reads its state.
class EditingPanel {
public:
    explicit EditingPanel(render::PlanRenderer& renderer) : renderer_(renderer) {}

    const EditingControls& state() const { return controls_; }
    const NextObject& next() const { return next_; }

    // The fill the next object takes, and that the swatch gives the selection.
    void setNextFill(const document::Fill& fill) { next_.fill = fill; }
    // The accessory the browser shows (empty when it closes), for the accessory tool.
    void setNextAccessory(const QString& file) { next_.accessoryFile = file; }

    // The size boxes, as typed or as a selection or a new object shows them.
    void setSizeText(Dimension dimension, const QString& text);
    void showSizes(const QString& width, const QString& height);
    // A quarter turn exchanges the two boxes' texts.
    void swapSizes();
    void setLocked(bool locked);
    void setMassText(const QString& text);

    // The fill swatch shows a palette colour and no texture is chosen.
    void showPaletteFill(int index);
    // The swatch shows the texture tiled; the list shows it when it is listed.
    void showTextureFill(const QString& file);
    // An entry of the texture list (a valid index) is chosen and shown in the swatch.
    void chooseTexture(int index);
    // The texture list's new content; nothing is chosen in it.
    void setTextures(QStringList textures);

    // A layout is open: the controls act from now on.
    void enableLayout();
    // What the selected object lets the fill controls and the size boxes change.
    void enableFill(bool fill, bool dimensions);
    // A selection of that kind: stacking and deleting, turning unless it is a text.
    void enableEditingOf(document::ObjectKind kind);
    // The selection's kind, lock and mass: the texture list for rectangles, the mass box
    // for what can carry a mass.
    void showSelected(document::ObjectKind kind, bool locked, const QString& massText);
    // Nothing is selected: the controls as they preset the next object.
    void showNoSelection();
    void setAccessoryBrowserShown(bool shown);

private:
    render::PlanRenderer& renderer_;
    EditingControls controls_;
    NextObject next_;
};

} // namespace editor
