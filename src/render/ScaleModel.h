#pragma once

#include "platform/Surface.h"

#include <QString>

namespace render {

// Length in cm shown by a measure of the given size in surface pixels:
// size / zoom / vehicule_resol to the nearest whole number, halves to even.
int longueurCm(float size, float zoom, double vehicule_resol);

// Where the vehicle picture goes on the plan surface, in surface pixels. A negative
// width or height means the picture is painted mirrored on that axis over the area
// from left + width to left (or top + height to top).
struct PicturePlacement {
    float left = 0, top = 0, width = 0, height = 0;
};

// image_largeur and image_hauteur are the picture's whole size in pixels; origine_x,
// origine_y the picture point shown at the surface's top-left corner.
PicturePlacement placeVehicle(float image_largeur, float image_hauteur, float zoom, float origine_x,
                              float origine_y, bool inv_g_d, bool inv_h_b);

} // namespace render
