#include "output/Thumbnail.h"

#include "output/ImageExport.h"
#include "output/ScaledOutput.h"
#include "render/PlanRenderer.h"

#include <QSize>

#include <algorithm>
#include <cmath>

namespace output {

namespace {

// The zone is searched on the plan drawn at most this many pixels on its longer side:
// enough for a vehicle's thin lines to stay above the search's threshold.
constexpr double kZoneSearchSide = 2048.0;
// What stands for a texture or accessory picture the library lacks.
constexpr platform::Colour kMissingPicture = platform::rgb(192, 192, 192);

// The part of the plan drawn at zoom on a white canvas of the given size.
platform::Surface drawnPart(const document::Layout& layout, const settings::Preferences& prefs,
                            const QRectF& part, double zoom, QSize size,
                            render::PlanRenderer& renderer) {
    platform::Surface canvas(std::max(1, size.width()), std::max(1, size.height()),
                             platform::kWindowBackground);
    canvas.clear();
    renderer.drawPlan(canvas, layout,
                      render::View{float(zoom), float(part.left()), float(part.top())}, prefs);
    return canvas;
}

QRectF searchZone(const document::Layout& layout, const settings::Preferences& prefs,
                  const QRectF& part, render::PlanRenderer& renderer) {
    const double zoom =
        std::min(1.0, kZoneSearchSide / std::max({part.width(), part.height(), 1.0}));
    const QSize size(int(std::ceil(part.width() * zoom)), int(std::ceil(part.height() * zoom)));
    const platform::Surface overview = drawnPart(layout, prefs, part, zoom, size, renderer);
    const Zone z = findExportZone(overview, true);
    return QRectF(part.left() + z.left / zoom, part.top() + z.top / zoom, (z.right - z.left) / zoom,
                  (z.bottom - z.top) / zoom);
}

} // namespace

QRectF findDrawnZone(const document::Layout& layout, const settings::Preferences& prefs,
                     const QRectF& part, platform::PictureCache& pictures,
                     const QString& libraryRoot) {
    render::PlanRenderer renderer(pictures, libraryRoot);
    const QRectF zone = searchZone(layout, prefs, part, renderer);
    // Two steps of the search's grid on the overview, on every side.
    const double step = 10.0 * std::max({part.width(), part.height(), 1.0}) / kZoneSearchSide;
    return zone.adjusted(-step, -step, step, step).intersected(part);
}

QImage drawThumbnail(const document::Layout& layout, const settings::Preferences& prefs, int size,
                     platform::PictureCache& pictures, const QString& libraryRoot) {
    const QRectF bounds = layout.vehiclePicture.isNull()
                              ? planBounds(layout)
                              : QRectF(0, 0, std::max(1.0f, layout.pictureWidth),
                                       std::max(1.0f, layout.pictureHeight));
    render::PlanRenderer renderer(pictures, libraryRoot);
    renderer.missingPictureColour = kMissingPicture;
    const QRectF zone = prefs.autozone ? searchZone(layout, prefs, bounds, renderer) : bounds;
    const double zoom = std::min(1.0, size / std::max({zone.width(), zone.height(), 1.0}));
    // Whole pixels cut as a picture scaled to fit would be: 1202 x 530 into 256 gives 256 x 112.
    const QSize canvasSize(int(zone.width() * zoom + 1e-9), int(zone.height() * zoom + 1e-9));
    return drawnPart(layout, prefs, zone, zoom, canvasSize, renderer).image().copy();
}

} // namespace output
