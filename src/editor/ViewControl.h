#pragma once

#include "editor/EditorCore.h"
#include "editor/PlanCanvas.h"
#include "editor/Selection.h"

#include <QString>

#include <functional>

namespace editor {

// The zoom box, its step buttons, the two scroll bars and the canvas size. It alone
// writes the view; the rest of the editor and the window read it.
class ViewControl {
public:
    // Keeps the references only: the editor builds the view before the modules that
    // read it, core, canvas and selection included.
    ViewControl(const EditorCore& core, PlanCanvas& canvas, Selection& selection)
        : core_(core), canvas_(canvas), selection_(selection) {}

    const ViewState& state() const { return view_; }

    // The zoom box's text changed (typed, or written by code): applies it, keeping the
    // view centred, moving the bars and redrawing. An empty or non-numeric text, or a
    // change while events are held off, only updates the box.
    void zoomTextChanged(const QString& text);
    enum class Step { Out, In };
    // The next zoom step below or above the box's value, written into the box.
    void stepZoom(Step step);
    void horizontalScrolled(int value);
    void verticalScrolled(int value);
    // The canvas took a new size; the plan is redrawn over it when a layout is open.
    void canvasResized(int width, int height);

    // The zoom of a new or opened layout (or of start-up), in whole percent within the zoom
    // range: the box shows it without applying it, so the box, the plan and the next save
    // agree; the view goes back to the origin.
    void resetView(int percent);

private:
    void applyZoom(double percent);
    void scrolled(const std::function<void(render::View&)>& moveOrigin);

    const EditorCore& core_;
    PlanCanvas& canvas_;
    Selection& selection_;
    ViewState view_;
};

} // namespace editor
