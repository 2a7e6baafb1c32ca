#pragma once

#include "platform/Surface.h"

#include <QString>

namespace render {

// Length in cm shown by a measure of the given size in surface pixels:
// size / zoom / pixelsPerCm to the nearest whole number, halves to even.
int measuredCm(float size, float zoom, double pixelsPerCm);

// Where the vehicle picture goes on the plan surface, in surface pixels. A negative
// width or height means the picture is painted mirrored on that axis over the area
// from left + width to left (or top + height to top).
struct PicturePlacement {
    float left = 0, top = 0, width = 0, height = 0;
};

// pictureWidth and pictureHeight are the picture's whole size in pixels; originX,
// originY the picture point shown at the surface's top-left corner.
PicturePlacement placeVehicle(float pictureWidth, float pictureHeight, float zoom, float originX,
                              float originY, bool mirrorLeftRight, bool mirrorTopBottom);

} // namespace render
