#include "editor/Selection.h"

#include "editor/EditorState.h"
#include "platform/Numbers.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace editor {

using document::ObjectKind;
using platform::M;

namespace {

QString wholeText(int v) {
    return QString::number(v);
}

// A drag goes on only while the left button alone is held.
bool onlyLeftHeld(Qt::MouseButtons buttons) {
    return (buttons & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton)) == Qt::LeftButton;
}

} // namespace

PlanBox Selection::box() const {
    const SelectionBox& b = core_.state.picture2;
    return PlanBox{b.left, b.top, b.width, b.height};
}

void Selection::setBox(const PlanBox& box) {
    SelectionBox& b = core_.state.picture2;
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
    EditorState& s = core_.state;
    SelectionBox& b = s.picture2;
    const VisibleSpan columns = visibleSpan(b.left, b.width, s.picture1.width());
    const VisibleSpan rows = visibleSpan(b.top, b.height, s.picture1.height());
    b.shown = QPoint(columns.from, rows.from);
    b.surface.resize(columns.to - columns.from, rows.to - rows.from);
    b.surface.clear();
    // The renderer may replace a zero size in its arguments; the box keeps its own.
    float x = -float(columns.from), y = -float(rows.from), h = b.height, w = b.width;
    core_.renderer.drawObject(b.surface, x, y, h, w, s.selected, core_.drawContext());
}

void Selection::redrawPartialBox() {
    const EditorState& s = core_.state;
    const SelectionBox& b = s.picture2;
    const VisibleSpan columns = visibleSpan(b.left, b.width, s.picture1.width());
    const VisibleSpan rows = visibleSpan(b.top, b.height, s.picture1.height());
    if (QPoint(columns.from, rows.from) != b.shown ||
        columns.to - columns.from != b.surface.width() || rows.to - rows.from != b.surface.height())
        drawBox();
}

void Selection::showFillOf(ObjectKind kind, const document::Fill& fill) {
    EditingControls& c = core_.state.controls;
    EditorState& s = core_.state;
    if (kind == ObjectKind::Accessory) {
        c.frame1Enabled = false;
        c.frame2Enabled = false;
        s.remplissage_courant = document::Fill::colour(0);
        core_.showPaletteSwatch(0);
        c.combo1Index = 0;
        return;
    }
    c.frame1Enabled = true;
    c.frame2Enabled = kind != ObjectKind::Text;
    s.remplissage_courant = fill;
    if (kind != ObjectKind::Text && fill.isFile()) {
        core_.showTextureSwatch(fill.fileName());
        c.combo1Index = core_.textureEntry(fill.fileName());
    } else {
        core_.showPaletteSwatch(fill.colourIndex());
        c.combo1Index = 0;
    }
}

void Selection::select(int r) {
    EditorState& s = core_.state;
    document::ObjectTable& table = s.layout.objects;
    if (r < 1 || r > table.count())
        return;
    const document::PlanObject object = table.row(r);
    const ObjectKind kind = object.kind;
    const double resol = core_.resol();
    const float zoom = core_.zoom();
    const PlanBox hit = hitBox(object, s.view.view, resol);

    s.controls.editEnabled = true;
    s.controls.turnEnabled = kind != ObjectKind::Text;
    s.selected = object;

    PlanBox b{hit.left, hit.top, 0, 0};
    const double col4 = object.heightCm;
    const double col5 = object.widthCm;
    if (kind == ObjectKind::Measure) {
        b.width = hit.width;
        b.height = hit.height;
        s.controls.text1[0] = wholeText(M(double(hit.width) / zoom / resol));
        s.controls.text1[1] = wholeText(M(double(hit.height) / zoom / resol));
    } else {
        const double scale = kind == ObjectKind::Text ? resol : resol * zoom;
        b.width = float(M(col5 * scale));
        b.height = float(M(col4 * scale));
        s.controls.text1[0] = numberText(col5, core_.locale);
        s.controls.text1[1] = numberText(col4, core_.locale);
    }
    setBox(b);

    showFillOf(kind, object.fill);
    s.controls.combo1Enabled = kind == ObjectKind::Rectangle;

    s.sel_fige = std::int16_t(object.locked ? 1 : 0);
    s.controls.check1 = s.sel_fige != 0;
    panel_.showSelected(kind, col5, col4);

    s.sel_rang = std::int16_t(r);
    table.removeAt(r);
    core_.redraw();

    s.picture2.visible = true;
    ShowHandles();
    drawBox();
}

document::PlanObject Selection::selectionObject() const {
    const EditorState& s = core_.state;
    const SelectionBox& b = s.picture2;
    const float zoom = core_.zoom();
    const render::View& v = s.view.view;
    document::PlanObject object = s.selected;
    object.position.x = float(M(b.left / zoom + v.originX));
    object.position.y = float(M(b.top / zoom + v.originY));
    // A dimension box emptied or overfilled by hand cannot be stored: the size the box
    // shows is kept instead.
    const double scale = object.kind == ObjectKind::Text ? core_.resol() : core_.resol() * zoom;
    const auto size = [&](int index, float pixels) {
        if (const auto typed = readDimension(s.controls.text1[std::size_t(index)], core_.locale))
            return *typed;
        return std::int16_t(std::clamp(M(double(pixels) / scale), 0, 32767));
    };
    object.heightCm = float(size(1, b.height));
    object.widthCm = float(size(0, b.width));
    object.locked = s.sel_fige != 0;
    return object;
}

void Selection::resetControlsAfterSelection() {
    EditorState& s = core_.state;
    s.controls.check1 = false;
    if (!s.ignorer_evenements)
        s.sel_fige = 0;
    s.controls.frame1Enabled = true;
    s.controls.frame2Enabled = true;
    s.controls.combo1Enabled = true;
    s.controls.editEnabled = false;
    s.controls.turnEnabled = false;
    panel_.clear();
}

void Selection::putBack(Place place) {
    EditorState& s = core_.state;
    if (!s.hasSelection())
        return;
    const document::PlanObject object = selectionObject();
    HideHandles();
    s.picture2.visible = false;
    document::ObjectTable& table = s.layout.objects;
    const bool front =
        place == Place::Front || (place == Place::ByPreference && s.prefs.clicpreplan);
    if (front) {
        table.append(object);
    } else {
        const int at = place == Place::Back ? 1 : std::clamp<int>(s.sel_rang, 1, table.count() + 1);
        table.insertAt(at, object);
    }
    resetControlsAfterSelection();
    core_.redraw();
}

void Selection::discard() {
    EditorState& s = core_.state;
    if (!s.hasSelection())
        return;
    s.picture2.visible = false;
    HideHandles();
    resetControlsAfterSelection();
    s.layout.modified = true;
}

// --- The handle module -------------------------------------------------------------

void Selection::ShowHandles() {
    EditorState& s = core_.state;
    s.resize.hasCurrentControl = true;
    PlaceHandles();
    s.handles.locked = s.controls.check1;
    s.handles.visible = true;
}

void Selection::HideHandles() {
    EditorState& s = core_.state;
    s.resize.Dragging = false;
    s.resize.hasCurrentControl = false;
    s.handles.visible = false;
}

void Selection::PlaceHandles() {
    core_.state.handles.topLeft = handlePositions(box());
}

void Selection::ReleaseControl() {
    ResizeModule& r = core_.state.resize;
    r.Dragging = false;
    r.StartX = 0;
    r.StartY = 0;
    r.hasCurrentControl = false;
}

void Selection::BeginMove(float x, float y) {
    EditorState& s = core_.state;
    if (!s.resize.hasCurrentControl)
        return;
    s.resize.StartX = M(x);
    s.resize.StartY = M(y);
    s.resize.Dragging = s.handles.visible;
}

void Selection::MoveControl(Qt::MouseButtons buttons, float x, float y) {
    EditorState& s = core_.state;
    if (!s.resize.Dragging || !onlyLeftHeld(buttons) || !s.resize.hasCurrentControl)
        return;
    const int dx = M(x) - s.resize.StartX;
    const int dy = M(y) - s.resize.StartY;
    SelectionBox& b = s.picture2;
    b.top = dragEdge(b.top, dy, b.height, s.picture1.height());
    b.left = dragEdge(b.left, dx, b.width, s.picture1.width());
    PlaceHandles();
    redrawPartialBox();
}

void Selection::BeginResize(float x, float y) {
    EditorState& s = core_.state;
    if (!s.resize.hasCurrentControl)
        return;
    s.resize.StartX = M(x);
    s.resize.StartY = M(y);
    s.resize.Dragging = true;
}

void Selection::ResizeControl(Handle handle, Qt::MouseButtons buttons, float x, float y) {
    EditorState& s = core_.state;
    if (!onlyLeftHeld(buttons) || s.controls.check1 || !s.resize.hasCurrentControl ||
        !s.resize.Dragging)
        return;
    PlanBox b = box();
    resizeByHandle(b, handle, M(x) - s.resize.StartX, M(y) - s.resize.StartY);
    setBox(b);
    PlaceHandles();
}

// --- Plan, box and handle events ---------------------------------------------------

void Selection::planPressed(QPointF at) {
    EditorState& s = core_.state;
    const float x = float(at.x()), y = float(at.y());
    s.clic_x = platform::CInt16(x).value_or(x < 0 ? -32768 : 32767);
    s.clic_y = platform::CInt16(y).value_or(y < 0 ? -32768 : 32767);
    core_.processEvents();
    if (s.hasSelection())
        planClicked();
}

void Selection::planClicked() {
    EditorState& s = core_.state;
    if (s.hasSelection()) {
        ReleaseControl();
        putBack();
        return;
    }
    if (!core_.layoutOpen())
        return;
    const int r = hitTest(s.layout.objects, s.view.view, core_.resol(), s.clic_x, s.clic_y);
    if (r > 0)
        select(r);
}

void Selection::planHovered() {
    EditorState& s = core_.state;
    if (s.hasSelection())
        s.statusText = QStringLiteral("Cliquez n'importe où pour désélectionner l'objet");
    else if (!core_.layoutOpen())
        s.statusText = QStringLiteral("Ouvrez un fichier existant ou créez-en un nouveau");
    else if (s.layout.objects.count() > 0)
        s.statusText = QStringLiteral("Cliquez sur un objet pour le sélectionner");
    else
        s.statusText = QStringLiteral("Choisissez un objet à insérer");
}

bool Selection::keyPressed(Qt::Key key) {
    static constexpr std::array kSelectionKeys = {Qt::Key_Up,    Qt::Key_Down,   Qt::Key_Left,
                                                  Qt::Key_Right, Qt::Key_Delete, Qt::Key_Backspace,
                                                  Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter};
    if (std::find(kSelectionKeys.begin(), kSelectionKeys.end(), key) == kSelectionKeys.end())
        return false;
    EditorState& s = core_.state;
    if (!s.hasSelection())
        return true;
    SelectionBox& b = s.picture2;
    const int SH = s.picture1.height(), SW = s.picture1.width();
    bool arrow = true;
    switch (key) {
    case Qt::Key_Up:
        if (b.top > 10 - b.height)
            b.top -= 1;
        break;
    case Qt::Key_Down:
        if (b.top < float(SH - 10))
            b.top += 1;
        break;
    case Qt::Key_Left:
        if (b.left > 10 - b.width)
            b.left -= 1;
        break;
    case Qt::Key_Right:
        if (b.left < float(SW - 10))
            b.left += 1;
        break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
        arrow = false;
        discard();
        break;
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        arrow = false;
        ReleaseControl();
        putBack();
        s.focus = FocusRequest::Plan;
        break;
    default:
        arrow = false;
        break;
    }
    if (arrow) {
        PlaceHandles();
        redrawPartialBox();
        // A key move is an edit whether the plan or the box had the focus.
        s.layout.modified = true;
    }
    return true;
}

void Selection::boxPressed(QPointF at, Qt::MouseButton button) {
    if (button != Qt::LeftButton || !core_.state.hasSelection())
        return;
    HideHandles();
    core_.processEvents();
    ShowHandles();
    BeginMove(float(at.x()), float(at.y()));
}

void Selection::boxMoved(QPointF at, Qt::MouseButtons buttons) {
    EditorState& s = core_.state;
    if (!s.hasSelection())
        return;
    s.statusText = QStringLiteral("Vous pouvez déplacer l'objet (Souris ou flèches)");
    MoveControl(buttons, float(at.x()), float(at.y()));
    s.layout.modified = true;
}

void Selection::handlePressed(QPointF at) {
    EditorState& s = core_.state;
    if (!s.hasSelection())
        return;
    s.redim_en_cours = true;
    BeginResize(float(at.x()), float(at.y()));
    drawBox();
}

void Selection::handleMoved(Handle handle, QPointF at, Qt::MouseButtons buttons) {
    EditorState& s = core_.state;
    if (!s.hasSelection())
        return;
    if (s.sel_fige != 0) {
        s.statusText = QStringLiteral("Cet objet n'est pas redimensionnable");
        return;
    }
    s.statusText = QStringLiteral("Vous pouvez redimensionner l'objet");
    ResizeControl(handle, buttons, float(at.x()), float(at.y()));
    core_.processEvents();
    if (!s.redim_en_cours)
        return;
    s.layout.modified = true;
    const double scale = double(core_.zoom()) * core_.resol();
    const int w = M(double(s.picture2.width) / scale);
    const int h = M(double(s.picture2.height) / scale);
    s.controls.text1[0] = wholeText(w);
    s.controls.text1[1] = wholeText(h);
    panel_.showResized(s.selected.kind, w, h);
    drawBox();
}

void Selection::handleReleased() {
    core_.state.redim_en_cours = false;
    EndDrag();
}

} // namespace editor
