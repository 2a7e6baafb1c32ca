#include "editor/ViewControl.h"

#include "document/LayoutFile.h"
#include "editor/Geometry.h"
#include "platform/Numbers.h"

#include <algorithm>

namespace editor {

void ViewControl::zoomTextChanged(const QString& text) {
    view_.zoomText = text;
    if (text.isEmpty())
        return;
    const std::optional<double> typed = platform::readNumber(text, core_.locale);
    if (!typed)
        return;
    applyZoom(*typed);
}

void ViewControl::applyZoom(double percent) {
    const document::Layout& layout = core_.layout;
    render::View& v = view_.view;
    if (selection_.shown()) {
        selection_.putBack();
    }
    const float old = v.zoom;
    const int held = document::clampZoomPercent(percent);
    v.zoom = float(held / 100.0);
    // A zoom past the largest shows the largest in the box.
    if (platform::roundHalfEven(percent) > document::kMaxZoomPercent)
        view_.zoomText = QString::number(document::kMaxZoomPercent);

    const float canvasWidth = float(core_.canvas.width());
    const float canvasHeight = float(core_.canvas.height());
    const float pictureWidth = layout.pictureWidth;
    const float pictureHeight = layout.pictureHeight;
    v.originX = centredOrigin(v.originX, old, v.zoom, pictureWidth, canvasWidth);
    v.originY = centredOrigin(v.originY, old, v.zoom, pictureHeight, canvasHeight);

    // A bar moved from code runs its own handler, which derives the origin from it.
    const int horizontal = barPercent(v.originX, v.zoom, pictureWidth, canvasWidth);
    if (horizontal != view_.horizontalBar)
        horizontalScrolled(horizontal);
    const int vertical = barPercent(v.originY, v.zoom, pictureHeight, canvasHeight);
    if (vertical != view_.verticalBar)
        verticalScrolled(vertical);

    canvas_.redraw();
}

void ViewControl::stepZoom(Step direction) {
    const std::optional<double> typed = platform::readNumber(view_.zoomText, core_.locale);
    const int current = typed ? int(std::clamp(platform::roundHalfEven(*typed), -1e6, 1e6))
                              : platform::roundToInt(view_.view.zoom * 100);
    const int step = direction == Step::Out ? zoomStepDown(current) : zoomStepUp(current);
    zoomTextChanged(QString::number(step));
}

void ViewControl::horizontalScrolled(int value) {
    view_.horizontalBar = value;
    scrolled([&](render::View& v) {
        v.originX =
            originFromBar(value, v.zoom, core_.layout.pictureWidth, float(core_.canvas.width()));
    });
}

void ViewControl::verticalScrolled(int value) {
    view_.verticalBar = value;
    scrolled([&](render::View& v) {
        v.originY =
            originFromBar(value, v.zoom, core_.layout.pictureHeight, float(core_.canvas.height()));
    });
}

// A bar moved: the selection is anchored first when the preference asks for it, then the
// plan is drawn again from its new origin.
void ViewControl::scrolled(const std::function<void(render::View&)>& moveOrigin) {
    if (core_.prefs.anchorOnScroll && selection_.shown())
        selection_.putBack();
    moveOrigin(view_.view);
    canvas_.redraw();
}

void ViewControl::canvasResized(int width, int height) {
    canvas_.resize(width, height);
    core_.processEvents();
    canvas_.drawPlan();
}

void ViewControl::resetView(int percent) {
    view_.zoomText = QString::number(percent);
    view_.view = render::View{float(percent / 100.0), 0, 0};
    view_.horizontalBar = 0;
    view_.verticalBar = 0;
}

} // namespace editor
