#include "library/LibraryNames.h"

#include <limits>

namespace library {

namespace {

// A whole number written in decimal digits, with an optional sign, fitting a 16-bit
// signed integer. Blanks around it are tolerated; anything else is not a number.
std::optional<std::int16_t> wholeNumber16(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (!ok || v < std::numeric_limits<std::int16_t>::min() ||
        v > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return std::int16_t(v);
}

// The two letters at a 0-based position of a views field ("" past its end).
QString viewCodeAt(const QString& views, int position) {
    return views.mid(position, 2);
}

} // namespace

QStringList fields(const QString& fileName) {
    return fileName.split(QLatin1Char('_'));
}

bool hasSixFields(const QString& fileName) {
    return fields(fileName).size() == 6;
}

std::optional<VehicleName> parseVehicleName(const QString& fileName) {
    const QStringList f = fields(fileName);
    if (f.size() != 6)
        return std::nullopt;
    const std::optional<std::int16_t> resolution = wholeNumber16(f[4]);
    if (!resolution || *resolution <= 0)
        return std::nullopt;
    VehicleName name;
    name.model = f[0];
    name.body = f[1];
    name.view = f[2];
    name.axes = f[3];
    name.resolution = *resolution;
    name.pixelsPerCm = 10000.0 / double(*resolution);
    name.fileName = fileName;
    return name;
}

std::optional<AccessoryName> parseAccessoryName(const QString& fileName) {
    const QStringList f = fields(fileName);
    if (f.size() != 6)
        return std::nullopt;
    const std::optional<std::int16_t> width = wholeNumber16(f[2]);
    const std::optional<std::int16_t> height = wholeNumber16(f[3]);
    if (!width || !height)
        return std::nullopt;
    AccessoryName name;
    name.family = f[0];
    name.model = f[1];
    name.width = *width;
    name.height = *height;
    name.views = f[4];
    name.fileName = fileName;
    return name;
}

bool isCompatible(const QString& views, const QString& axes) {
    // An empty axes field would match the empty pieces past the end of a short views
    // field; no view has empty axes, so nothing fits it.
    if (axes.isEmpty())
        return false;
    for (const int position : {0, 3, 6}) {
        if (viewCodeAt(views, position) == axes)
            return true;
    }
    return false;
}

QString extensionOf(const QString& sourcePath) {
    const qsizetype dot = sourcePath.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? sourcePath : sourcePath.mid(dot + 1);
}

QString composeVehicleName(const QString& model, const QString& body, const QString& view,
                           const QString& axes, int resolution, const QString& sourcePath) {
    const QChar sep = QLatin1Char('_');
    return model + sep + body + sep + view + sep + axes + sep + QString::number(resolution) +
           QStringLiteral("_.") + extensionOf(sourcePath);
}

QString composeAccessoryName(const QString& family, const QString& model, const QString& width,
                             const QString& height, const QString& views,
                             const QString& sourcePath) {
    const QChar sep = QLatin1Char('_');
    return family + sep + model + sep + width + sep + height + sep + views + QStringLiteral("_.") +
           extensionOf(sourcePath);
}

namespace {
// The entries of a library folder that parse, in the folder's listing order.
template <typename Entry>
std::optional<std::vector<Entry>> listEntries(const platform::FileSystem& fs, const QString& folder,
                                              std::optional<Entry> (*parse)(const QString&)) {
    const std::optional<QStringList> names = fs.listFolder(folder, platform::kPicturePattern);
    if (!names)
        return std::nullopt;
    std::vector<Entry> entries;
    for (const QString& n : *names) {
        if (std::optional<Entry> entry = parse(n))
            entries.push_back(std::move(*entry));
    }
    return entries;
}
} // namespace

std::optional<std::vector<VehicleName>> listVehicles(const platform::FileSystem& fs,
                                                     const QString& libraryRoot) {
    return listEntries(fs, vehiclesFolder(libraryRoot), &parseVehicleName);
}

std::optional<std::vector<AccessoryName>> listAccessories(const platform::FileSystem& fs,
                                                          const QString& libraryRoot) {
    return listEntries(fs, accessoriesFolder(libraryRoot), &parseAccessoryName);
}

QStringList listTextures(const platform::FileSystem& fs, const QString& libraryRoot) {
    return fs.listFolder(texturesFolder(libraryRoot), platform::kPicturePattern)
        .value_or(QStringList{});
}

QString textureCaption(const QString& fileName) {
    return fileName.section(QLatin1Char('.'), 0, 0);
}

} // namespace library
