#include "output/Thumbnail.h"

#include "output/ImageExport.h"
#include "output/ScaledOutput.h"
#include "platform/Pictures.h"
#include "render/PlanRenderer.h"

#include <QHash>
#include <QSize>

#include <algorithm>
#include <cmath>
#include <vector>

namespace output {

namespace {

// The zone is searched on the plan drawn at most this many pixels on its longer side:
// enough for a vehicle's thin lines to stay above the search's threshold.
constexpr double kZoneSearchSide = 2048.0;
// What stands for a texture or accessory picture the library lacks: "Gris clair".
constexpr int kMissingPictureColour = 13;

// The layout with every texture and accessory picture the library cannot show turned
// into a grey box.
document::Layout withStandIns(const document::Layout& layout, const QString& libraryRoot) {
    using document::ObjectKind;
    document::Layout shown = layout;
    QHash<QString, bool> readable; // by folder and name
    const auto canShow = [&](const QString& folder, const QString& name) {
        const QString key = folder + QLatin1Char('/') + name;
        if (!readable.contains(key))
            readable.insert(
                key, platform::LoadLibraryPicture(libraryRoot + QLatin1Char('/') + folder, name)
                         .has_value());
        return readable.value(key);
    };
    for (int r = 1; r <= shown.objects.count(); ++r) {
        document::PlanObject& object = shown.objects.row(r);
        if (!object.fill.isFile())
            continue;
        const bool accessory = object.kind == ObjectKind::Accessory;
        if (!accessory && object.kind != ObjectKind::Rectangle)
            continue;
        if (canShow(accessory ? QStringLiteral("accessoires") : QStringLiteral("textures"),
                    object.fill.fileName()))
            continue;
        object.kind = ObjectKind::Rectangle;
        object.fill = document::Fill::colour(kMissingPictureColour);
    }
    return shown;
}

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

// The overview with each pixel given the lowest colour number of the square of
// 2 * reach + 1 pixels around it. The zone search looks at every fifth pixel and takes a
// pixel as drawn by a colour number below a threshold: on the thickened overview it meets
// every line, however thin the shrinking has made it.
platform::Surface thickened(const platform::Surface& overview, int reach) {
    const int w = overview.width(), h = overview.height();
    const QImage& image = overview.image();
    std::vector<platform::Colour> across(std::size_t(w) * std::size_t(h));
    std::vector<platform::Colour> row(static_cast<std::size_t>(w));
    for (int y = 0; y < h; ++y) {
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            row[std::size_t(x)] = platform::fromQRgb(pixels[x]);
        for (int x = 0; x < w; ++x) {
            platform::Colour lowest = row[std::size_t(x)];
            for (int n = std::max(0, x - reach); n <= std::min(w - 1, x + reach); ++n)
                lowest = std::min(lowest, row[std::size_t(n)]);
            across[std::size_t(y) * std::size_t(w) + std::size_t(x)] = lowest;
        }
    }
    platform::Surface result(w, h, platform::kWindowBackground);
    result.clear();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            platform::Colour lowest = across[std::size_t(y) * std::size_t(w) + std::size_t(x)];
            for (int n = std::max(0, y - reach); n <= std::min(h - 1, y + reach); ++n)
                lowest = std::min(lowest, across[std::size_t(n) * std::size_t(w) + std::size_t(x)]);
            result.setPixel(x, y, lowest);
        }
    return result;
}

QRectF searchZone(const document::Layout& layout, const settings::Preferences& prefs,
                  const QRectF& part, render::PlanRenderer& renderer) {
    const double zoom =
        std::min(1.0, kZoneSearchSide / std::max({part.width(), part.height(), 1.0}));
    const QSize size(int(std::ceil(part.width() * zoom)), int(std::ceil(part.height() * zoom)));
    platform::Surface overview = drawnPart(layout, prefs, part, zoom, size, renderer);
    // Shrunk, the plan's lines keep their pixels but no longer cross the search's grid
    // as they do at 100 %.
    if (zoom < 1.0)
        overview = thickened(overview, 2);
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
                              ? planBounds(layout).rect
                              : QRectF(0, 0, std::max(1.0f, layout.pictureWidth),
                                       std::max(1.0f, layout.pictureHeight));
    const document::Layout shown = withStandIns(layout, libraryRoot);
    render::PlanRenderer renderer(pictures, libraryRoot);
    const QRectF zone = prefs.automaticZone ? searchZone(shown, prefs, bounds, renderer) : bounds;
    const double zoom = std::min(1.0, size / std::max({zone.width(), zone.height(), 1.0}));
    // Whole pixels cut as a picture scaled to fit would be: 1202 x 530 into 256 gives 256 x 112.
    const QSize canvasSize(int(zone.width() * zoom + 1e-9), int(zone.height() * zoom + 1e-9));
    return drawnPart(shown, prefs, zone, zoom, canvasSize, renderer).image().copy();
}

} // namespace output
