#include "editor/EditorCore.h"

namespace editor {

render::DrawContext EditorCore::drawContext() const {
    return render::DrawContext{view.view.zoom, state.layout.pixelsPerCm, state.prefs};
}

void EditorCore::drawPlan() {
    if (!layoutOpen())
        return;
    renderer.drawPlan(state.canvas, state.layout, view.view, state.prefs);
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

} // namespace editor
