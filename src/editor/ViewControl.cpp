#include "editor/ViewControl.h"

#include "document/LayoutFile.h"
#include "editor/Geometry.h"
#include "platform/Numbers.h"

#include <algorithm>

namespace editor {

void ViewControl::zoomTextChanged(const QString& text) {
    EditorState& s = core_.state;
    s.view.text2 = text;
    if (s.ignorer_evenements || text.isEmpty())
        return;
    const std::optional<double> typed = readNumber(text, core_.locale);
    if (!typed)
        return;
    applyZoom(*typed);
}

void ViewControl::applyZoom(double percent) {
    EditorState& s = core_.state;
    render::View& v = s.view.view;
    if (s.hasSelection()) {
        selection_.ReleaseControl();
        selection_.putBack();
    }
    const float old = v.zoom;
    const int held = document::clampZoomPercent(percent);
    v.zoom = float(held / 100.0);
    if (platform::roundHalfEven(percent) > document::kMaxZoomPercent) {
        // Writing the box runs the change again, at the largest zoom, before this run
        // goes on.
        zoomTextChanged(QString::number(document::kMaxZoomPercent));
    }

    const float PW = float(s.picture1.width()), PH = float(s.picture1.height());
    const float W = s.layout.pictureWidth, H = s.layout.pictureHeight;
    v.originX = centredOrigin(v.originX, old, v.zoom, W, PW);
    v.originY = centredOrigin(v.originY, old, v.zoom, H, PH);

    // A bar moved from code runs its own handler, which derives the origin from it.
    const int h = barPercent(v.originX, v.zoom, W, PW);
    if (h != s.view.hscroll)
        horizontalScrolled(h);
    const int vv = barPercent(v.originY, v.zoom, H, PH);
    if (vv != s.view.vscroll)
        verticalScrolled(vv);

    core_.redraw();
}

void ViewControl::stepZoom(Step direction) {
    EditorState& s = core_.state;
    const std::optional<double> typed = readNumber(s.view.text2, core_.locale);
    const int current = typed ? int(std::clamp(platform::roundHalfEven(*typed), -1e6, 1e6))
                              : platform::M(s.view.view.zoom * 100);
    const int step = direction == Step::Out ? zoomStepDown(current) : zoomStepUp(current);
    zoomTextChanged(QString::number(step));
}

void ViewControl::horizontalScrolled(int value) {
    EditorState& s = core_.state;
    s.view.hscroll = value;
    if (s.prefs.ancrer && s.hasSelection())
        selection_.putBack();
    if (core_.layoutOpen())
        s.picture1.clear();
    render::View& v = s.view.view;
    v.originX = originFromBar(value, v.zoom, s.layout.pictureWidth, float(s.picture1.width()));
    core_.drawPlan();
}

void ViewControl::verticalScrolled(int value) {
    EditorState& s = core_.state;
    s.view.vscroll = value;
    if (s.prefs.ancrer && s.hasSelection())
        selection_.putBack();
    if (core_.layoutOpen())
        s.picture1.clear();
    render::View& v = s.view.view;
    v.originY = originFromBar(value, v.zoom, s.layout.pictureHeight, float(s.picture1.height()));
    core_.drawPlan();
}

void ViewControl::canvasResized(int width, int height) {
    EditorState& s = core_.state;
    s.picture1.resize(width, height);
    core_.processEvents();
    core_.drawPlan();
}

void ViewControl::resetView(int percent) {
    EditorState& s = core_.state;
    s.ignorer_evenements = true;
    s.view.text2 = QString::number(percent);
    s.ignorer_evenements = false;
    s.view.view = render::View{float(percent / 100.0), 0, 0};
    s.view.hscroll = 0;
    s.view.vscroll = 0;
}

} // namespace editor
