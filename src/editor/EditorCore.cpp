#include "editor/EditorCore.h"

#include "document/Palette.h"

namespace editor {

render::DrawContext EditorCore::drawContext() const {
    return render::DrawContext{state.view.view.zoom, state.layout.pixelsPerCm, state.prefs};
}

void EditorCore::drawPlan() {
    if (!layoutOpen())
        return;
    renderer.drawPlan(state.canvas, state.layout, state.view.view, state.prefs);
}

void EditorCore::redraw() {
    if (!layoutOpen())
        return;
    state.canvas.clear();
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
    platform::Surface& swatch = state.controls.fillSwatch;
    swatch.backgroundColour = document::paletteColour(index);
    swatch.clear();
}

void EditorCore::showTextureSwatch(const QString& file) {
    platform::Surface& swatch = state.controls.fillSwatch;
    swatch.clear();
    float h = 61, w = 61;
    renderer.fillWithTexture(swatch, 0, 0, h, w, file);
}

std::optional<int> EditorCore::textureIndex(const QString& file) const {
    const qsizetype i = state.controls.textures.indexOf(file);
    return i < 0 ? std::nullopt : std::optional(int(i));
}

} // namespace editor
