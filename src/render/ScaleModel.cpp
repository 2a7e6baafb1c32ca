#include "render/ScaleModel.h"

#include "platform/Numbers.h"
#include "render/PlanRenderer.h"

namespace render {

// Products are taken in single precision, as the view state is held; the size in cm
// multiplies by pixelsPerCm in double precision before the result is narrowed.
ScreenBox screenBox(const document::PlanObject& object, const View& view, double pixelsPerCm) {
    using platform::roundHalfEven;
    const float left = object.position.x * view.zoom;
    const float top = object.position.y * view.zoom;
    ScreenBox box;
    box.x = float(roundHalfEven(left) - roundHalfEven(view.originX * view.zoom));
    box.y = float(roundHalfEven(top) - roundHalfEven(view.originY * view.zoom));
    box.w = float(double(object.widthCm * view.zoom) * pixelsPerCm);
    box.h = float(double(object.heightCm * view.zoom) * pixelsPerCm);
    return box;
}

int measuredCm(float size, float zoom, double pixelsPerCm) {
    return platform::roundToInt(double(size / zoom) / pixelsPerCm);
}

PicturePlacement placeVehicle(float pictureWidth, float pictureHeight, float zoom, float originX,
                              float originY, bool mirrorLeftRight, bool mirrorTopBottom) {
    PicturePlacement p;
    if (mirrorLeftRight) {
        p.left = (pictureWidth - originX) * zoom;
        p.width = -zoom * pictureWidth;
    } else {
        p.left = -zoom * originX;
        p.width = pictureWidth * zoom;
    }
    if (mirrorTopBottom) {
        p.top = (pictureHeight - originY) * zoom;
        p.height = -zoom * pictureHeight;
    } else {
        p.top = -zoom * originY;
        p.height = pictureHeight * zoom;
    }
    return p;
}

} // namespace render
