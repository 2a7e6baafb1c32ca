#pragma once

#include <QImage>
#include <QRect>

namespace platform {

// How a stretched picture combines with the pixels under it.
enum class RasterOp { Copy, And };

// Paints the source rectangle of picture stretched into the target area of surface,
// an RGB32 image. The area's left (top) edge is at x (y) and it extends width (height)
// pixels from there; a negative width or height runs leftwards (upwards) and so paints
// the picture mirrored on that axis.
//
// Only the target pixels inside surface are visited, so the cost follows the visible
// part of the area, not its size; coordinates that are not finite paint nothing.
// Enlarging (and 1:1) samples the nearest source pixel with the same 16.16 fixed-point
// stepping as QPainter's nearest-neighbour scaling. Shrinking an axis instead gives
// each target pixel the bitwise AND of all the source pixels whose centres fall in it,
// so that one-pixel dark lines on a light picture survive any reduction.
void stretchPicture(QImage& surface, const QImage& picture, double x, double y, double width,
                    double height, const QRect& source, RasterOp op);

} // namespace platform
