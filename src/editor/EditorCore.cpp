#include "editor/EditorCore.h"

#include "document/Palette.h"

namespace editor {

render::DrawContext EditorCore::drawContext() const {
    return render::DrawContext{state.view.view.zoom, state.layout.pixelsPerCm, state.prefs};
}

void EditorCore::drawPlan() {
    if (!layoutOpen())
        return;
    renderer.Affiche(state.picture1, state.layout, state.view.view, state.prefs);
}

void EditorCore::redraw() {
    if (!layoutOpen())
        return;
    state.picture1.clear();
    drawPlan();
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
    couleur.backgroundColour = document::paletteColour(index);
    couleur.clear();
}

void EditorCore::showTextureSwatch(const QString& file) {
    platform::Surface& couleur = state.controls.couleur;
    couleur.clear();
    float h = 61, w = 61;
    renderer.fillWithTexture(couleur, 0, 0, h, w, file);
}

int EditorCore::textureEntry(const QString& file) const {
    const qsizetype i = state.controls.textures.indexOf(file);
    return i < 0 ? 0 : int(i) + 1;
}

} // namespace editor
