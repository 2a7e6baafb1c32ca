#pragma once

#include "document/MassBudget.h"
#include "platform/FileSystem.h"

#include <QString>

#include <map>
#include <optional>

namespace library {

// The masses the library knows, kept beside the pictures in two small text files that
// the user may edit by hand (UTF-8, one "name = value" a line, "#" opens a comment line,
// "." or "," as decimal separator; a line that cannot be read is skipped):
//
// - accessoires/masses.txt: an accessory picture's file name = its mass in kg;
// - vehicules/donnees.txt: a "[Modele_Carrosserie]" section holds the masses in kg
//   (vide_avant, vide_arriere: the empty vehicle on each axle; maxi_avant, maxi_arriere:
//   what each axle may carry; maxi_total: the maximum authorised mass), and a section
//   named by a side or top view's picture file holds its axle centres in cm from the
//   picture's left edge (essieu_avant, essieu_arriere).
//
// A name absent from the files, or a file absent, means no known value. Names match
// ignoring letter case, as picture names do.

inline const QString kAccessoryMassFile = QStringLiteral("masses.txt");
inline const QString kVehicleDataFile = QStringLiteral("donnees.txt");

// Accessory picture file name -> mass in kg.
class AccessoryMasses {
public:
    std::optional<double> massOf(const QString& picture) const;
    // Sets or, with nothing, forgets the mass of a picture.
    void setMass(const QString& picture, std::optional<double> kg);
    // The file's text, names in alphabetical order.
    QByteArray fileText() const;
    static AccessoryMasses fromFileText(const QByteArray& text);

private:
    std::map<QString, std::pair<QString, double>> masses_; // lower-case name -> (name, kg)
};

// The vehicle library's data.
class VehicleData {
public:
    std::optional<document::VehicleMasses> massesOf(const QString& model,
                                                    const QString& body) const;
    std::optional<document::AxleCentres> axlesOf(const QString& picture) const;
    void setMasses(const QString& model, const QString& body,
                   std::optional<document::VehicleMasses> masses);
    void setAxles(const QString& picture, std::optional<document::AxleCentres> axles);
    QByteArray fileText() const;
    static VehicleData fromFileText(const QByteArray& text);

private:
    std::map<QString, std::pair<QString, document::VehicleMasses>> masses_;
    std::map<QString, std::pair<QString, document::AxleCentres>> axles_;
};

// Read from the library under libraryRoot: empty when the file is absent or unreadable.
AccessoryMasses readAccessoryMasses(const QString& libraryRoot, const platform::FileSystem& fs);
VehicleData readVehicleData(const QString& libraryRoot, const platform::FileSystem& fs);
// Written safely (temporary file, then replace). False on failure.
bool writeAccessoryMasses(const QString& libraryRoot, const AccessoryMasses& masses,
                          platform::FileSystem& fs);
bool writeVehicleData(const QString& libraryRoot, const VehicleData& data,
                      platform::FileSystem& fs);

// A layout's mass budget against the library's data for its vehicle.
document::MassBudget layoutMassBudget(const document::Layout& layout, const VehicleData& data);

} // namespace library
