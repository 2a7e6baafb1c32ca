#include "editor/Selection.h"

#include "document/MassBudget.h"
#include "platform/NumberText.h"
#include "platform/Numbers.h"

#include <algorithm>
#include <cmath>

namespace editor {

using document::ObjectKind;
using platform::roundToInt;

namespace {

QString wholeText(int v) {
    return QString::number(v);
}

} // namespace

void Selection::setLocked(bool locked) {
    state_.object.locked = locked;
    showHandles();
}

void Selection::setFill(const document::Fill& fill) {
    state_.object.fill = fill;
}

void Selection::setMass(std::optional<float> kg) {
    state_.object.massKg = kg;
}

void Selection::setOrientation(document::Orientation orientation) {
    state_.object.orientation = orientation;
}

void Selection::setBoxSize(float width, float height) {
    SelectionBox& b = state_.box;
    b.width = width;
    b.height = height;
}

void Selection::drop() {
    if (!shown())
        return;
    state_.box.visible = false;
    hideHandles();
    resetControlsAfterSelection();
}

PlanBox Selection::box() const {
    const SelectionBox& b = state_.box;
    return PlanBox{b.left, b.top, b.width, b.height};
}

void Selection::setBox(const PlanBox& box) {
    SelectionBox& b = state_.box;
    b.left = box.left;
    b.top = box.top;
    b.width = box.width;
    b.height = box.height;
}

namespace {

// The box's whole-pixel side for a fractional size (at least one pixel), and the
// box pixels [from, to) of that side that lie on a plan side of planSize pixels when
// the box starts at plan pixel start.
struct VisibleSpan {
    int from = 0, to = 1;
};

VisibleSpan visibleSpan(float start, float size, int planSize) {
    const double side = std::max(1.0, std::nearbyint(double(size)));
    const double first = std::nearbyint(double(start));
    VisibleSpan span;
    span.from = int(std::clamp(-first, 0.0, side));
    span.to = int(std::clamp(double(planSize) - first, double(span.from), side));
    if (span.to == span.from) // entirely off the plan: keep a one-pixel picture
        span.to = span.from + 1;
    return span;
}

} // namespace

void Selection::drawBox() {
    SelectionBox& b = state_.box;
    const VisibleSpan columns = visibleSpan(b.left, b.width, core_.canvas.width());
    const VisibleSpan rows = visibleSpan(b.top, b.height, core_.canvas.height());
    b.shown = QPoint(columns.from, rows.from);
    b.surface.resize(columns.to - columns.from, rows.to - rows.from);
    b.surface.clear();
    // The renderer draws a zero side as one pixel; the box keeps its own size.
    core_.renderer.drawObject(
        b.surface, render::ScreenBox{-float(columns.from), -float(rows.from), b.width, b.height},
        state_.object, core_.drawContext());
}

void Selection::redrawPartialBox() {
    const SelectionBox& b = state_.box;
    const VisibleSpan columns = visibleSpan(b.left, b.width, core_.canvas.width());
    const VisibleSpan rows = visibleSpan(b.top, b.height, core_.canvas.height());
    if (QPoint(columns.from, rows.from) != b.shown ||
        columns.to - columns.from != b.surface.width() || rows.to - rows.from != b.surface.height())
        drawBox();
}

void Selection::showFillOf(ObjectKind kind, const document::Fill& fill) {
    if (kind == ObjectKind::Accessory) {
        controls_.enableFill(false, false);
        controls_.setNextFill(document::Fill::colour(0));
        controls_.showPaletteFill(0);
        return;
    }
    controls_.enableFill(true, kind != ObjectKind::Text);
    controls_.setNextFill(fill);
    if (kind != ObjectKind::Text && fill.isFile())
        controls_.showTextureFill(fill.fileName());
    else
        controls_.showPaletteFill(fill.colourIndex());
}

void Selection::select(int r, Origin origin) {
    const document::ObjectTable& table = core_.layout.objects;
    if (r < 1 || r > table.count())
        return;
    const document::PlanObject object = table.row(r);
    const ObjectKind kind = object.kind;
    const double pixelsPerCm = core_.pixelsPerCm();
    const float zoom = core_.zoom();
    const PlanBox hit = hitBox(object, core_.view.view, pixelsPerCm);

    controls_.enableEditingOf(kind);
    state_.object = object;

    PlanBox b{hit.left, hit.top, 0, 0};
    const double heightCm = object.heightCm;
    const double widthCm = object.widthCm;
    if (kind == ObjectKind::Measure) {
        b.width = hit.width;
        b.height = hit.height;
        controls_.showSizes(wholeText(roundToInt(double(hit.width) / zoom / pixelsPerCm)),
                            wholeText(roundToInt(double(hit.height) / zoom / pixelsPerCm)));
    } else {
        const double scale = kind == ObjectKind::Text ? pixelsPerCm : pixelsPerCm * zoom;
        b.width = float(roundToInt(widthCm * scale));
        b.height = float(roundToInt(heightCm * scale));
        controls_.showSizes(platform::shortestText(object.widthCm, core_.locale),
                            platform::shortestText(object.heightCm, core_.locale));
    }
    setBox(b);

    showFillOf(kind, object.fill);
    controls_.showSelected(kind, object.locked,
                           object.massKg ? document::massText(*object.massKg, core_.locale)
                                         : QString());
    panel_.showSelected(kind, widthCm, heightCm);

    state_.row = r;
    state_.stored = object;
    state_.origin = origin;
    state_.edited = false;
    ++serial_;
    session_.removeAt(r);
    canvas_.redraw();

    state_.box.visible = true;
    showHandles();
    drawBox();
}

document::PlanObject Selection::selectionObject() const {
    const SelectionBox& b = state_.box;
    const float zoom = core_.zoom();
    const render::View& v = core_.view.view;
    const document::PlanObject& stored = state_.stored;
    document::PlanObject object = state_.object;
    // A place or size the user did not change keeps the stored value, decimals included:
    // the box stands on whole screen pixels and the boxes hold whole centimetres.
    const PlanBox home = hitBox(stored, v, core_.pixelsPerCm());
    const auto place = [](float box, float homeBox, float boxPixels, float storedPixels) {
        return std::abs(box - homeBox) < 0.5f ? storedPixels : float(roundToInt(boxPixels));
    };
    object.position.x = place(b.left, home.left, b.left / zoom + v.originX, stored.position.x);
    object.position.y = place(b.top, home.top, b.top / zoom + v.originY, stored.position.y);
    // A dimension box emptied or overfilled by hand cannot be stored: the size the box
    // shows is kept instead.
    const double scale =
        object.kind == ObjectKind::Text ? core_.pixelsPerCm() : core_.pixelsPerCm() * zoom;
    const auto size = [&](Dimension d, float pixels, float storedCm) {
        const QString& text = controls_.state().sizeText[d];
        if (text == platform::shortestText(storedCm, core_.locale))
            return storedCm;
        if (const auto typed = readDimension(text, core_.locale))
            return float(*typed);
        return float(std::clamp(roundToInt(double(pixels) / scale), 0, 32767));
    };
    object.heightCm = size(Dimension::Height, b.height, stored.heightCm);
    object.widthCm = size(Dimension::Width, b.width, stored.widthCm);
    return object;
}

document::PlanObject Selection::putBackObject() const {
    const SelectionState& sel = state_;
    if (sel.edited || sel.origin == Origin::Click)
        return selectionObject();
    return sel.stored;
}

document::PlanObject Selection::heldObject() const {
    const SelectionState& sel = state_;
    return sel.edited ? selectionObject() : sel.stored;
}

void Selection::resetControlsAfterSelection() {
    controls_.showNoSelection();
    panel_.clear();
}

void Selection::putBack(Place place) {
    if (!shown())
        return;
    const document::PlanObject object = putBackObject();
    hideHandles();
    state_.box.visible = false;
    const bool front =
        place == Place::Front || (place == Place::ByPreference && core_.prefs.clickBringsToFront &&
                                  state_.origin == Origin::Click);
    if (front) {
        session_.append(object);
    } else {
        const int at = place == Place::Back
                           ? 1
                           : std::clamp<int>(state_.row, 1, core_.layout.objects.count() + 1);
        session_.insertAt(at, object);
    }
    resetControlsAfterSelection();
    canvas_.redraw();
}

void Selection::discard() {
    if (!shown())
        return;
    drop();
}

// --- Handles -----------------------------------------------------------------------

void Selection::showHandles() {
    placeHandles();
    state_.handles.locked = controls_.state().lockChecked;
    state_.handles.visible = true;
}

void Selection::hideHandles() {
    state_.handles.visible = false;
}

void Selection::placeHandles() {
    state_.handles.topLeft = handlePositions(box());
}

// --- Plan events -------------------------------------------------------------------

void Selection::planPressed(QPointF at) {
    const float x = float(at.x()), y = float(at.y());
    lastPress_ = QPoint(platform::toInt16(x).value_or(x < 0 ? -32768 : 32767),
                        platform::toInt16(y).value_or(y < 0 ? -32768 : 32767));
    core_.processEvents();
    if (shown())
        planClicked();
}

void Selection::planClicked() {
    if (shown()) {
        putBack();
        return;
    }
    if (!core_.layoutOpen())
        return;
    const int r = hitTest(core_.layout.objects, core_.view.view, core_.pixelsPerCm(),
                          lastPress_.x(), lastPress_.y());
    if (r > 0)
        select(r);
}

void Selection::planHovered() {
    if (shown())
        status_.show(QStringLiteral("Cliquez n'importe où pour désélectionner l'objet"));
    else if (!core_.layoutOpen())
        status_.show(QStringLiteral("Ouvrez un fichier existant ou créez-en un nouveau"));
    else if (core_.layout.objects.count() > 0)
        status_.show(QStringLiteral("Cliquez sur un objet pour le sélectionner"));
    else
        status_.show(QStringLiteral("Choisissez un objet à insérer"));
}

} // namespace editor
