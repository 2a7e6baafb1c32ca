#include "library/LibraryNames.h"

// Placeholder bodies, replaced by the library names' implementation.
namespace library {
QStringList fields(const QString& n) { return n.split(QLatin1Char('_')); }
bool hasSixFields(const QString& n) { return fields(n).size() == 6; }
std::optional<VehicleName> LireNomVehicule(const QString&) { return std::nullopt; }
std::optional<AccessoryName> LireNomAccessoire(const QString&) { return std::nullopt; }
bool isCompatible(const QString&, const QString&) { return false; }
QString extensionOf(const QString& p) { return p; }
QString composeVehicleName(const QString&, const QString&, const QString&, const QString&, int,
                           const QString&) { return {}; }
QString composeAccessoryName(const QString&, const QString&, const QString&, const QString&,
                             const QString&, const QString&) { return {}; }
std::optional<std::vector<VehicleName>> listVehicles(const platform::FileSystem&, const QString&) {
    return std::nullopt;
}
std::optional<std::vector<AccessoryName>> listAccessories(const platform::FileSystem&,
                                                          const QString&) {
    return std::nullopt;
}
QStringList listTextures(const platform::FileSystem&, const QString&) { return {}; }
QString textureCaption(const QString& f) { return f.section(QLatin1Char('.'), 0, 0); }
} // namespace library
