#include "editor/EditingPanel.h"

#include "document/MassBudget.h"
#include "document/Palette.h"

#include <utility>

namespace editor {

using document::ObjectKind;

void EditingPanel::setSizeText(Dimension dimension, const QString& text) {
    controls_.sizeText[dimension] = text;
}

void EditingPanel::showSizes(const QString& width, const QString& height) {
    controls_.sizeText[Dimension::Width] = width;
    controls_.sizeText[Dimension::Height] = height;
}

void EditingPanel::swapSizes() {
    std::swap(controls_.sizeText[Dimension::Width], controls_.sizeText[Dimension::Height]);
}

void EditingPanel::setLocked(bool locked) {
    controls_.lockChecked = locked;
}

void EditingPanel::setMassText(const QString& text) {
    controls_.massText = text;
}

void EditingPanel::showPaletteFill(int index) {
    platform::Surface& swatch = controls_.fillSwatch;
    swatch.backgroundColour = document::paletteColour(index);
    swatch.clear();
    controls_.texture.reset();
}

void EditingPanel::showTextureFill(const QString& file) {
    platform::Surface& swatch = controls_.fillSwatch;
    swatch.clear();
    float h = 61, w = 61;
    renderer_.fillWithTexture(swatch, 0, 0, h, w, file);
    const qsizetype listed = controls_.textures.indexOf(file);
    controls_.texture = listed < 0 ? std::nullopt : std::optional(int(listed));
}

void EditingPanel::chooseTexture(int index) {
    showTextureFill(controls_.textures.at(index));
    controls_.texture = index;
}

void EditingPanel::setTextures(QStringList textures) {
    controls_.textures = std::move(textures);
    controls_.texture.reset();
}

void EditingPanel::enableLayout() {
    controls_.layoutEnabled = true;
    enableFill(true, true);
}

void EditingPanel::enableFill(bool fill, bool dimensions) {
    controls_.fillEnabled = fill;
    controls_.dimensionsEnabled = dimensions;
}

void EditingPanel::enableEditingOf(ObjectKind kind) {
    controls_.editEnabled = true;
    controls_.turnEnabled = kind != ObjectKind::Text;
}

void EditingPanel::showSelected(ObjectKind kind, bool locked, const QString& massText) {
    controls_.textureListEnabled = kind == ObjectKind::Rectangle;
    controls_.lockChecked = locked;
    controls_.massEnabled = document::carriesMass(kind);
    controls_.massText = massText;
}

void EditingPanel::showNoSelection() {
    controls_.lockChecked = false;
    controls_.massEnabled = false;
    controls_.massText.clear();
    controls_.fillEnabled = true;
    controls_.dimensionsEnabled = true;
    controls_.textureListEnabled = true;
    controls_.editEnabled = false;
    controls_.turnEnabled = false;
}

void EditingPanel::setAccessoryBrowserShown(bool shown) {
    controls_.accessoryBrowserShown = shown;
}

} // namespace editor
