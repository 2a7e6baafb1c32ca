#pragma once

#include "document/Layout.h"
#include "editor/EditorServices.h"
#include "editor/EditorState.h"
#include "platform/Surface.h"
#include "render/PlanRenderer.h"
#include "settings/Preferences.h"

#include <QLocale>
#include <QString>

namespace editor {

// What every part of the editor may read: the open layout, the view, the canvas, the
// preferences and the library folder, each as a const reference to the state its owner
// keeps; and the renderer, the services and hooks, with a few helpers over them. A module
// that changes a piece of state is given its owner in its constructor.
struct EditorCore {
    // Owned by EditSession.
    const document::Layout& layout;
    // Owned by ViewControl.
    const ViewState& view;
    // Owned by PlanCanvas.
    const platform::Surface& canvas;
    // Owned by Editor, set by the window.
    const settings::Preferences& prefs;
    const QString& libraryRoot;
    render::PlanRenderer& renderer;
    EditorServices& services;
    EditorHooks& hooks;
    const QLocale& locale;

    bool layoutOpen() const { return layout.isOpen; }
    double pixelsPerCm() const { return layout.pixelsPerCm; }
    float zoom() const { return view.view.zoom; }
    render::DrawContext drawContext() const;

    void processEvents() const;

    // A message box with an OK button.
    void inform(const QString& text, const QString& title, platform::MsgIcon icon) const;
};

} // namespace editor
