#include "editor/Properties.h"

#include "document/ObjectTable.h"
#include "editor/Geometry.h"
#include "platform/Numbers.h"

namespace editor {

using document::Fill;
using document::ObjectKind;

namespace {

// The fill controls are disabled for the selections that cannot take a fill: an
// accessory keeps its picture, and only a rectangle takes a texture.
bool selectionTakesFill(const EditorState& s, bool texture) {
    const ObjectKind kind = s.selected.kind;
    return kind != ObjectKind::Accessory && (!texture || kind == ObjectKind::Rectangle);
}

} // namespace

void Properties::dimensionTextChanged(Dimension dimension, const QString& text) {
    core_.state.controls.text1[std::size_t(dimension)] = text;
}

void Properties::dimensionsConfirmed() {
    EditorState& s = core_.state;
    if (!s.hasSelection())
        return;
    // Texts and accessories take their size from their text or picture.
    if (s.selected.kind == ObjectKind::Text || s.selected.kind == ObjectKind::Accessory)
        return;
    const std::optional<std::int16_t> w = readDimension(s.controls.text1[0], core_.locale);
    const std::optional<std::int16_t> h = readDimension(s.controls.text1[1], core_.locale);
    if (!w || !h) {
        core_.inform(QStringLiteral("Les dimensions de l'objet doivent être des nombres entiers de "
                                    "centimètres, entre 0 et 32767."),
                     QStringLiteral("Attention :"), platform::MsgIcon::Warning);
        return;
    }
    const float scale = float(double(core_.zoom()) * core_.resol());
    s.picture2.height = float(*h) * scale;
    s.picture2.width = float(*w) * scale;
    panel_.showResized(s.selected.kind, *w, *h);
    selection_.drawBox();
    selection_.ShowHandles();
    s.layout.modified = true;
}

void Properties::sizeLockToggled(bool checked) {
    EditorState& s = core_.state;
    s.controls.check1 = checked;
    if (s.ignorer_evenements)
        return;
    s.sel_fige = checked ? 1 : 0;
    if (s.hasSelection()) {
        selection_.ShowHandles();
        s.layout.modified = true;
    }
}

void Properties::paletteColourChosen(int index) {
    if (index < 0 || index > 15)
        return;
    EditorState& s = core_.state;
    s.ignorer_evenements = true;
    core_.showPaletteSwatch(index);
    s.remplissage_courant = Fill::colour(index);
    s.controls.combo1Index = 0;
    if (s.hasSelection() && selectionTakesFill(s, false)) {
        s.selected.fill = s.remplissage_courant;
        selection_.drawBox();
        s.layout.modified = true;
    }
    s.ignorer_evenements = false;
}

void Properties::textureChosen(int entry) {
    EditorState& s = core_.state;
    if (s.ignorer_evenements)
        return;
    if (entry >= 1 && entry <= s.controls.textures.size()) {
        s.controls.combo1Index = entry;
        const QString file = s.controls.textures[entry - 1];
        s.remplissage_courant = Fill::file(file);
        core_.showTextureSwatch(file);
    } else {
        s.controls.combo1Index = 0;
        s.remplissage_courant = Fill::colour(0);
        core_.showPaletteSwatch(0);
    }
    if (s.hasSelection() && selectionTakesFill(s, s.remplissage_courant.isFile())) {
        s.selected.fill = s.remplissage_courant;
        selection_.drawBox();
        s.layout.modified = true;
    }
}

void Properties::fillSwatchClicked() {
    EditorState& s = core_.state;
    if (!s.hasSelection() || !selectionTakesFill(s, s.remplissage_courant.isFile()))
        return;
    s.selected.fill = s.remplissage_courant;
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
    const ObjectKind kind = s.selected.kind;
    if (kind == ObjectKind::Text)
        return;
    s.layout.modified = true;
    int& orientation = s.selected.orientation;
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
    std::swap(s.controls.text1[0], s.controls.text1[1]);
    // A box emptied by hand keeps the size it shows, turned.
    const double scale = double(core_.zoom()) * core_.resol();
    const float oldWidth = s.picture2.width, oldHeight = s.picture2.height;
    const auto h = readNumber(s.controls.text1[1], core_.locale);
    const auto w = readNumber(s.controls.text1[0], core_.locale);
    s.picture2.height = h ? float(platform::M(*h * scale)) : oldWidth;
    s.picture2.width = w ? float(platform::M(*w * scale)) : oldHeight;
    selection_.drawBox();
    selection_.ShowHandles();
}

void Properties::deleteSelection() {
    selection_.discard();
}

} // namespace editor
