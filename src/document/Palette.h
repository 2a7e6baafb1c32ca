#pragma once

#include "platform/Colour.h"

#include <QString>

#include <array>

namespace document {

// The 16 fill colours; column 6 of a row holds the index.
constexpr std::array<platform::Colour, 16> kPalette = {
    platform::rgb(0, 0, 0),       platform::rgb(255, 255, 255), platform::rgb(255, 0, 0),
    platform::rgb(255, 0, 255),   platform::rgb(0, 255, 0),     platform::rgb(255, 255, 0),
    platform::rgb(0, 0, 255),     platform::rgb(0, 255, 255),   platform::rgb(128, 64, 64),
    platform::rgb(0, 128, 0),     platform::rgb(128, 128, 0),   platform::rgb(128, 128, 128),
    platform::rgb(255, 128, 0),   platform::rgb(192, 192, 192), platform::rgb(0, 0, 128),
    platform::rgb(128, 128, 255),
};

// The colour of a palette index; indices outside 0..15 give black.
constexpr platform::Colour paletteColour(int index) {
    return index >= 0 && index < 16 ? kPalette[std::size_t(index)] : platform::kBlack;
}

// The colour's name as the fill swatches show it (and the parts list writes it);
// indices outside 0..15 are named as black, the colour they are drawn in.
inline QString paletteName(int index) {
    static const std::array<const char*, 16> names = {
        "Noir", "Blanc",      "Rouge", "Magenta", "Vert",   "Jaune",      "Bleu",        "Cyan",
        "Brun", "Vert foncé", "Olive", "Gris",    "Orange", "Gris clair", "Bleu marine", "Lavande",
    };
    return QString::fromUtf8(names[std::size_t(index >= 0 && index < 16 ? index : 0)]);
}

} // namespace document
