#pragma once

#include "platform/FileSystem.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

namespace library {

// Folders beside the program.
inline QString vehiclesFolder(const QString& libraryRoot) {
    return libraryRoot + QStringLiteral("/vehicules");
}
inline QString accessoriesFolder(const QString& libraryRoot) {
    return libraryRoot + QStringLiteral("/accessoires");
}
inline QString texturesFolder(const QString& libraryRoot) {
    return libraryRoot + QStringLiteral("/textures");
}

// A vehicle view picture: model_body_view_axes_resolution_.ext
struct VehicleName {
    QString model, body, view, axes;
    int resolution = 0;       // micrometres per picture pixel
    double pixelsPerCm = 0.0; // pixels per centimetre: 10000 / resolution
    QString fileName;
};

// An accessory picture: family_model_width_height_views_.ext
struct AccessoryName {
    QString family, model;
    std::int16_t width = 0;  // cm, horizontal
    std::int16_t height = 0; // cm, vertical
    QString views;           // "XY", "XY-XZ", ...
    QString fileName;
};

// The "_"-separated fields of a name.
QStringList fields(const QString& fileName);
// Exactly six fields: a library entry.
bool hasSixFields(const QString& fileName);

// Splits a vehicle name. Nothing when it has not six fields or its resolution is not
// a positive whole number that fits a 16-bit integer.
std::optional<VehicleName> parseVehicleName(const QString& fileName);
// Splits an accessory name. Nothing when it has not six fields or its sizes are not
// whole numbers that fit a 16-bit integer.
std::optional<AccessoryName> parseAccessoryName(const QString& fileName);

// An accessory fits a view when one of the two-letter pieces of its views field at
// character positions 1, 4 and 7 equals the view's axes.
bool isCompatible(const QString& views, const QString& axes);

// The part of the source path after its last "." (the whole path if it has none).
QString extensionOf(const QString& sourcePath);
QString composeVehicleName(const QString& model, const QString& body, const QString& view,
                           const QString& axes, int resolution, const QString& sourcePath);
// The sizes go in as typed: "045" stays "045".
QString composeAccessoryName(const QString& family, const QString& model, const QString& width,
                             const QString& height, const QString& views,
                             const QString& sourcePath);

// The valid entries of a library folder in alphabetical order of file name; names
// with six fields but bad numbers are left out. Nothing when the folder cannot be read.
std::optional<std::vector<VehicleName>> listVehicles(const platform::FileSystem& fs,
                                                     const QString& libraryRoot);
std::optional<std::vector<AccessoryName>> listAccessories(const platform::FileSystem& fs,
                                                          const QString& libraryRoot);
// The texture file names, in alphabetical order (empty when the folder cannot be read).
QStringList listTextures(const platform::FileSystem& fs, const QString& libraryRoot);
// A texture's entry in the texture list: its file name up to the first ".".
QString textureCaption(const QString& fileName);

} // namespace library
