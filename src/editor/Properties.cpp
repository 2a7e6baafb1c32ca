#include "editor/Properties.h"

#include "document/ObjectTable.h"
#include "editor/Geometry.h"
#include "editor/Placement.h"
#include "platform/Numbers.h"

namespace editor {

using document::Fill;
using document::ObjectKind;

namespace {

// The fill controls are disabled for the selections that cannot take a fill: an
// accessory keeps its picture, and only a rectangle takes a texture.
bool selectionTakesFill(const EditorState& s, bool texture) {
    const ObjectKind kind = s.selection.object.kind;
    return kind != ObjectKind::Accessory && (!texture || kind == ObjectKind::Rectangle);
}

} // namespace

void Properties::dimensionTextChanged(Dimension dimension, const QString& text) {
    core_.state.controls.sizeText[std::size_t(dimension)] = text;
}

void Properties::dimensionsConfirmed() {
    EditorState& s = core_.state;
    if (!s.hasSelection())
        return;
    // Texts and accessories take their size from their text or picture.
    if (s.selection.object.kind == ObjectKind::Text ||
        s.selection.object.kind == ObjectKind::Accessory)
        return;
    const std::optional<std::int16_t> w = readDimension(s.controls.sizeText[0], core_.locale);
    const std::optional<std::int16_t> h = readDimension(s.controls.sizeText[1], core_.locale);
    if (!w || !h) {
        core_.inform(QStringLiteral("Les dimensions de l'objet doivent être des nombres entiers de "
                                    "centimètres, entre 0 et 32767."),
                     QStringLiteral("Attention :"), platform::MsgIcon::Warning);
        return;
    }
    const float scale = float(double(core_.zoom()) * core_.resol());
    selection_.setBoxSize(float(*w) * scale, float(*h) * scale);
    panel_.showResized(s.selection.object.kind, *w, *h);
    selection_.drawBox();
    selection_.showHandles();
    s.layout.modified = true;
}

void Properties::positionConfirmed(Axis axis, const QString& text) {
    EditorState& s = core_.state;
    if (!s.hasSelection())
        return;
    const bool horizontal = axis == Axis::X;
    const float length = horizontal ? s.layout.pictureWidth : s.layout.pictureHeight;
    const std::optional<int> pixel = typedPosition(text, core_.resol(), length, core_.locale);
    if (!pixel) {
        const QString limit = cmText(double(length) / core_.resol(), 1, core_.locale);
        core_.inform(QStringLiteral("La position doit être un nombre de centimètres entre 0 et %1, "
                                    "pour que l'objet commence sur l'image du véhicule.")
                         .arg(limit),
                     QStringLiteral("Attention :"), platform::MsgIcon::Warning);
        return;
    }
    // The box goes where putting the object back stores that pixel.
    const render::View& v = s.view.view;
    const double origin = horizontal ? v.originX : v.originY;
    PlanBox b = selection_.box();
    (horizontal ? b.left : b.top) = float((double(*pixel) - origin) * double(v.zoom));
    selection_.setBox(b);
    selection_.showHandles();
    selection_.drawBox();
    s.layout.modified = true;
}

void Properties::sizeLockToggled(bool checked) {
    EditorState& s = core_.state;
    s.controls.lockChecked = checked;
    if (s.updatingControls)
        return;
    if (s.hasSelection()) {
        selection_.setLocked(checked);
        s.layout.modified = true;
    }
}

void Properties::paletteColourChosen(int index) {
    if (index < 0 || index > 15)
        return;
    EditorState& s = core_.state;
    s.updatingControls = true;
    core_.showPaletteSwatch(index);
    s.next.fill = Fill::colour(index);
    s.controls.textureEntry = 0;
    if (s.hasSelection() && selectionTakesFill(s, false)) {
        selection_.setFill(s.next.fill);
        selection_.drawBox();
        s.layout.modified = true;
    }
    s.updatingControls = false;
}

void Properties::textureChosen(int entry) {
    EditorState& s = core_.state;
    if (s.updatingControls)
        return;
    if (entry >= 1 && entry <= s.controls.textures.size()) {
        s.controls.textureEntry = entry;
        const QString file = s.controls.textures[entry - 1];
        s.next.fill = Fill::file(file);
        core_.showTextureSwatch(file);
    } else {
        s.controls.textureEntry = 0;
        s.next.fill = Fill::colour(0);
        core_.showPaletteSwatch(0);
    }
    if (s.hasSelection() && selectionTakesFill(s, s.next.fill.isFile())) {
        selection_.setFill(s.next.fill);
        selection_.drawBox();
        s.layout.modified = true;
    }
}

void Properties::fillSwatchClicked() {
    EditorState& s = core_.state;
    if (!s.hasSelection() || !selectionTakesFill(s, s.next.fill.isFile()))
        return;
    selection_.setFill(s.next.fill);
    selection_.drawBox();
    s.layout.modified = true;
}

void Properties::restack(Selection::Place place) {
    EditorState& s = core_.state;
    if (!s.hasSelection())
        return;
    s.layout.modified = true;
    selection_.putBack(place);
}

void Properties::turn(Turn direction) {
    EditorState& s = core_.state;
    if (!s.hasSelection())
        return;
    const ObjectKind kind = s.selection.object.kind;
    if (kind == ObjectKind::Text)
        return;
    s.layout.modified = true;
    int orientation = s.selection.object.orientation;
    // The orientation is stored as a 16-bit integer; a turn past its range wraps around.
    if (kind == ObjectKind::Triangle || kind == ObjectKind::Accessory) {
        int turns = orientation + (direction == Turn::Left ? 1 : -1);
        if (turns == 4)
            turns = 0;
        if (turns == -1)
            turns = 3;
        orientation = std::int16_t(turns);
    } else if (kind == ObjectKind::Line) {
        orientation = std::int16_t(1 - orientation);
    }
    std::swap(s.controls.sizeText[0], s.controls.sizeText[1]);
    // A box emptied by hand keeps the size it shows, turned.
    const double scale = double(core_.zoom()) * core_.resol();
    const float oldWidth = s.selection.box.width, oldHeight = s.selection.box.height;
    const auto h = readNumber(s.controls.sizeText[1], core_.locale);
    const auto w = readNumber(s.controls.sizeText[0], core_.locale);
    selection_.setOrientation(orientation);
    selection_.setBoxSize(w ? float(platform::M(*w * scale)) : oldHeight,
                          h ? float(platform::M(*h * scale)) : oldWidth);
    selection_.drawBox();
    selection_.showHandles();
}

void Properties::deleteSelection() {
    selection_.discard();
}

} // namespace editor
