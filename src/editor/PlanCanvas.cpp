#include "editor/PlanCanvas.h"

namespace editor {

void PlanCanvas::drawPlan() {
    if (!layout_.isOpen)
        return;
    renderer_.drawPlan(canvas_, layout_, view_.view, prefs_);
}

void PlanCanvas::redraw() {
    if (!layout_.isOpen)
        return;
    canvas_.clear();
    drawPlan();
}

void PlanCanvas::resize(int width, int height) {
    canvas_.resize(width, height);
}

void PlanCanvas::showWelcome(const QString& text) {
    const QSize extent = canvas_.textSize(text);
    canvas_.textX = float(canvas_.width() - extent.width()) / 2;
    canvas_.textY = float(canvas_.height()) / 2 - 10;
    canvas_.drawText(text);
}

} // namespace editor
