#pragma once

#include "document/Layout.h"
#include "editor/EditorState.h"
#include "platform/Surface.h"
#include "render/PlanRenderer.h"
#include "settings/Preferences.h"

#include <QString>

namespace editor {

// The plan canvas: the pixels the plan widget shows and exports and prints copy. It
// alone writes them, drawing the open layout at the current view with the current
// preferences; the rest of the editor reads its size and pixels through surface().
class PlanCanvas {
public:
    // Keeps the references only: the layout, view and preferences it draws are read at
    // each draw.
    PlanCanvas(render::PlanRenderer& renderer, const document::Layout& layout,
               const ViewState& view, const settings::Preferences& prefs)
        : renderer_(renderer), layout_(layout), view_(view), prefs_(prefs) {}

    const platform::Surface& surface() const { return canvas_; }

    // Draws the plan over the canvas as it stands (nothing while no layout is open).
    void drawPlan();
    // Clears the canvas and draws the plan (nothing while no layout is open, so the
    // welcome text stays).
    void redraw();
    // The canvas takes the widget's new size; its pixels are kept where they fit.
    void resize(int width, int height);
    // The text centred across the canvas, a little above its middle (start-up).
    void showWelcome(const QString& text);

private:
    render::PlanRenderer& renderer_;
    const document::Layout& layout_;
    const ViewState& view_;
    const settings::Preferences& prefs_;
    platform::Surface canvas_{1, 1, platform::kWindowBackground};
};

} // namespace editor
