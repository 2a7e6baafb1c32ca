#pragma once

#include "editor/EditorServices.h"
#include "editor/EditorState.h"
#include "render/PlanRenderer.h"

#include <QLocale>
#include <QString>

namespace editor {

// What every part of the editor shares: the state, the renderer, the services and
// hooks, and a few helpers over them.
struct EditorCore {
    EditorState& state;
    // The view, owned by ViewControl.
    const ViewState& view;
    render::PlanRenderer& renderer;
    EditorServices& services;
    EditorHooks& hooks;
    QLocale& locale;

    bool layoutOpen() const { return state.layout.isOpen; }
    double pixelsPerCm() const { return state.layout.pixelsPerCm; }
    float zoom() const { return view.view.zoom; }
    render::DrawContext drawContext() const;

    // Draws the plan over the canvas as it stands (nothing while no layout is open).
    void drawPlan();
    // Clears the canvas and draws the plan (nothing while no layout is open, so the
    // welcome text stays).
    void redraw();
    void processEvents();

    // A message box with an OK button.
    void inform(const QString& text, const QString& title, platform::MsgIcon icon);
};

} // namespace editor
