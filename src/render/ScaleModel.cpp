#include "render/ScaleModel.h"

#include "platform/Numbers.h"
#include "render/PlanRenderer.h"

namespace render {

// Products are taken in single precision, as the view state is held; the size in cm
// multiplies by vehicule_resol in double precision before the result is narrowed.
ScreenBox screenBox(const document::ObjectRow& row, const View& view, double vehicule_resol) {
    using namespace document;
    using platform::roundHalfEven;
    const float left = float(row[ColX].toDouble()) * view.zoom;
    const float top = float(row[ColY].toDouble()) * view.zoom;
    ScreenBox box;
    box.x = float(roundHalfEven(left) - roundHalfEven(view.origine_x * view.zoom));
    box.y = float(roundHalfEven(top) - roundHalfEven(view.origine_y * view.zoom));
    box.w = float(double(float(row[ColWidth].toDouble()) * view.zoom) * vehicule_resol);
    box.h = float(double(float(row[ColHeight].toDouble()) * view.zoom) * vehicule_resol);
    return box;
}

int longueurCm(float size, float zoom, double vehicule_resol) {
    return platform::M(double(size / zoom) / vehicule_resol);
}

PicturePlacement placeVehicle(float image_largeur, float image_hauteur, float zoom, float origine_x,
                              float origine_y, bool inv_g_d, bool inv_h_b) {
    PicturePlacement p;
    if (inv_g_d) {
        p.left = (image_largeur - origine_x) * zoom;
        p.width = -zoom * image_largeur;
    } else {
        p.left = -zoom * origine_x;
        p.width = image_largeur * zoom;
    }
    if (inv_h_b) {
        p.top = (image_hauteur - origine_y) * zoom;
        p.height = -zoom * image_hauteur;
    } else {
        p.top = -zoom * origine_y;
        p.height = image_hauteur * zoom;
    }
    return p;
}

} // namespace render
