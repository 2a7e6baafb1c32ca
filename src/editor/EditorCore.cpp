#include "editor/EditorCore.h"

namespace editor {

render::DrawContext EditorCore::drawContext() const {
    return render::DrawContext{view.view.zoom, layout.pixelsPerCm, prefs};
}

void EditorCore::processEvents() const {
    if (hooks.processEvents)
        hooks.processEvents();
}

void EditorCore::inform(const QString& text, const QString& title, platform::MsgIcon icon) const {
    services.dialogs.messageBox(text, title, icon, platform::MsgButtons::Ok);
}

} // namespace editor
