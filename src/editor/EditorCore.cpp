#include "editor/EditorCore.h"

#include "document/Palette.h"

namespace editor {

render::DrawContext EditorCore::drawContext() const {
    return render::DrawContext{state.view.view.zoom, state.layout.vehicule_resol, state.prefs};
}

void EditorCore::affiche() {
    if (!layoutOpen())
        return;
    renderer.Affiche(state.picture1, state.layout, state.view.view, state.prefs);
}

void EditorCore::redraw() {
    if (!layoutOpen())
        return;
    state.picture1.Cls();
    affiche();
}

void EditorCore::processEvents() {
    if (hooks.processEvents)
        hooks.processEvents();
}

void EditorCore::inform(const QString& text, const QString& title, platform::MsgIcon icon) {
    services.dialogs.messageBox(text, title, icon, platform::MsgButtons::Ok);
}

void EditorCore::showPaletteSwatch(int index) {
    platform::Surface& couleur = state.controls.couleur;
    couleur.BackColor = document::paletteColour(index);
    couleur.Cls();
}

void EditorCore::showTextureSwatch(const QString& file) {
    platform::Surface& couleur = state.controls.couleur;
    couleur.Cls();
    float h = 61, w = 61;
    renderer.RemplirTexture(couleur, 0, 0, h, w, file);
}

int EditorCore::textureEntry(const QString& file) const {
    const qsizetype i = state.controls.textures.indexOf(file);
    return i < 0 ? 0 : int(i) + 1;
}

} // namespace editor
