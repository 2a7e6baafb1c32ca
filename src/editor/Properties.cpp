#include "editor/Properties.h"

#include "document/MassBudget.h"
#include "document/ObjectTable.h"
#include "editor/Geometry.h"
#include "editor/Placement.h"
#include "platform/Numbers.h"

namespace editor {

using document::Fill;
using document::ObjectKind;

namespace {

constexpr double kMaxObjectMassKg = 100000;

// The fill controls are disabled for the selections that cannot take a fill: an
// accessory keeps its picture, and only a rectangle takes a texture.
bool takesFill(ObjectKind kind, bool texture) {
    return kind != ObjectKind::Accessory && (!texture || kind == ObjectKind::Rectangle);
}

// A quarter turn of a triangle's corner or of an accessory's picture: a left turn adds
// one, a right turn takes one away, and 0 to 3 go round. A number outside them moves by
// one, wrapping round at the ends of its 16-bit range.
template <typename QuarterTurns> QuarterTurns quarterTurned(QuarterTurns current, Turn direction) {
    int turns = int(current) + (direction == Turn::Left ? 1 : -1);
    if (turns == 4)
        turns = 0;
    if (turns == -1)
        turns = 3;
    return QuarterTurns(std::int16_t(turns));
}

// A line moved onto the other diagonal of its box; a number that names no direction
// becomes one minus itself.
document::LineDirection mirrored(document::LineDirection direction) {
    return document::LineDirection(std::int16_t(1 - int(direction)));
}

} // namespace

void Properties::dimensionTextChanged(Dimension dimension, const QString& text) {
    controls_.setSizeText(dimension, text);
}

void Properties::dimensionsConfirmed() {
    if (!selection_.shown())
        return;
    // Texts and accessories take their size from their text or picture.
    if (selection_.state().object.kind == ObjectKind::Text ||
        selection_.state().object.kind == ObjectKind::Accessory)
        return;
    const PerDimension<QString>& sizeText = controls_.state().sizeText;
    const std::optional<std::int16_t> w = readDimension(sizeText[Dimension::Width], core_.locale);
    const std::optional<std::int16_t> h = readDimension(sizeText[Dimension::Height], core_.locale);
    if (!w || !h) {
        core_.inform(QStringLiteral("Les dimensions de l'objet doivent être des nombres entiers de "
                                    "centimètres, entre 0 et 32767."),
                     QStringLiteral("Attention :"), platform::MsgIcon::Warning);
        return;
    }
    const float scale = float(double(core_.zoom()) * core_.pixelsPerCm());
    selection_.setBoxSize(float(*w) * scale, float(*h) * scale);
    panel_.showResized(selection_.state().object.kind, *w, *h);
    selection_.drawBox();
    selection_.showHandles();
}

void Properties::massTextChanged(const QString& text) {
    controls_.setMassText(text);
}

void Properties::massConfirmed() {
    if (!selection_.shown() || !document::carriesMass(selection_.state().object.kind))
        return;
    const QString text = controls_.state().massText.trimmed();
    if (text.isEmpty()) {
        selection_.setMass(std::nullopt);
        return;
    }
    const std::optional<double> kg = platform::readNumber(text, core_.locale);
    if (!kg || *kg < 0 || *kg > kMaxObjectMassKg) {
        core_.inform(QStringLiteral("La masse de l'objet doit être un nombre de kilogrammes, "
                                    "entre 0 et 100000, ou rester vide quand elle n'est pas "
                                    "connue."),
                     QStringLiteral("Attention :"), platform::MsgIcon::Warning);
        return;
    }
    selection_.setMass(float(*kg));
}

void Properties::positionConfirmed(Axis axis, const QString& text) {
    if (!selection_.shown())
        return;
    const bool horizontal = axis == Axis::X;
    const float length = horizontal ? core_.layout.pictureWidth : core_.layout.pictureHeight;
    const std::optional<int> pixel = typedPosition(text, core_.pixelsPerCm(), length, core_.locale);
    if (!pixel) {
        const QString limit = cmText(double(length) / core_.pixelsPerCm(), 1, core_.locale);
        core_.inform(QStringLiteral("La position doit être un nombre de centimètres entre 0 et %1, "
                                    "pour que l'objet commence sur l'image du véhicule.")
                         .arg(limit),
                     QStringLiteral("Attention :"), platform::MsgIcon::Warning);
        return;
    }
    // The box goes where putting the object back stores that pixel.
    const render::View& v = core_.view.view;
    const double origin = horizontal ? v.originX : v.originY;
    PlanBox b = selection_.box();
    (horizontal ? b.left : b.top) = float((double(*pixel) - origin) * double(v.zoom));
    selection_.setBox(b);
    selection_.showHandles();
    selection_.drawBox();
}

void Properties::sizeLockToggled(bool checked) {
    controls_.setLocked(checked);
    if (selection_.shown()) {
        selection_.setLocked(checked);
    }
}

void Properties::paletteColourChosen(int index) {
    if (index < 0 || index > 15)
        return;
    controls_.showPaletteFill(index);
    controls_.setNextFill(Fill::colour(index));
    if (selection_.shown() && takesFill(selection_.state().object.kind, false)) {
        selection_.setFill(controls_.next().fill);
        selection_.drawBox();
    }
}

void Properties::textureIndexChosen(std::optional<int> index) {
    if (index && *index >= 0 && *index < controls_.state().textures.size()) {
        controls_.setNextFill(Fill::file(controls_.state().textures[*index]));
        controls_.chooseTexture(*index);
    } else {
        controls_.setNextFill(Fill::colour(0));
        controls_.showPaletteFill(0);
    }
    const Fill& fill = controls_.next().fill;
    if (selection_.shown() && takesFill(selection_.state().object.kind, fill.isFile())) {
        selection_.setFill(fill);
        selection_.drawBox();
    }
}

void Properties::fillSwatchClicked() {
    const Fill& fill = controls_.next().fill;
    if (!selection_.shown() || !takesFill(selection_.state().object.kind, fill.isFile()))
        return;
    selection_.setFill(fill);
    selection_.drawBox();
}

void Properties::restack(Selection::Place place) {
    if (!selection_.shown())
        return;
    selection_.putBack(place);
}

void Properties::turn(Turn direction) {
    if (!selection_.shown())
        return;
    const ObjectKind kind = selection_.state().object.kind;
    if (kind == ObjectKind::Text)
        return;
    document::Orientation orientation = selection_.state().object.orientation;
    if (kind == ObjectKind::Triangle)
        orientation = quarterTurned(orientation.triangleCorner(), direction);
    else if (kind == ObjectKind::Accessory)
        orientation = quarterTurned(orientation.accessoryTurn(), direction);
    else if (kind == ObjectKind::Line)
        orientation = mirrored(orientation.lineDirection());
    controls_.swapSizes();
    // A box emptied by hand keeps the size it shows, turned.
    const double scale = double(core_.zoom()) * core_.pixelsPerCm();
    const float oldWidth = selection_.box().width, oldHeight = selection_.box().height;
    const PerDimension<QString>& sizeText = controls_.state().sizeText;
    const auto h = platform::readNumber(sizeText[Dimension::Height], core_.locale);
    const auto w = platform::readNumber(sizeText[Dimension::Width], core_.locale);
    selection_.setOrientation(orientation);
    selection_.setBoxSize(w ? float(platform::roundToInt(*w * scale)) : oldHeight,
                          h ? float(platform::roundToInt(*h * scale)) : oldWidth);
    selection_.drawBox();
    selection_.showHandles();
}

void Properties::deleteSelection() {
    selection_.discard();
}

} // namespace editor
