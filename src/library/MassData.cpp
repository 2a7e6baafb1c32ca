#include "library/MassData.h"

#include "platform/Numbers.h"

#include <QStringList>

#include <cmath>
#include <functional>

namespace library {

namespace {

// One "name = value" line of a data file, in its section ("" before the first).
struct Entry {
    QString section;
    QString name;
    double value = 0;
};

// The entries of a data file. The name is everything before the last "=", so a picture
// name may hold one; values must be finite numbers.
std::vector<Entry> readEntries(const QByteArray& bytes) {
    std::vector<Entry> entries;
    QString section;
    const QString text = QString::fromUtf8(bytes);
    for (QString line : text.split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QChar(0xFEFF)))
            line.remove(0, 1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            section = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype equals = line.lastIndexOf(QLatin1Char('='));
        if (equals <= 0)
            continue;
        const QString name = line.left(equals).trimmed();
        const std::optional<double> value = platform::parseNumber(line.mid(equals + 1));
        if (!name.isEmpty() && value)
            entries.push_back({section, name, *value});
    }
    return entries;
}

// A value as the files write it: "." as decimal separator, no exponent for the masses
// and lengths a vehicle has.
QString valueText(double v) {
    QString text = QString::number(v, 'f', 3);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text == QStringLiteral("-0") ? QStringLiteral("0") : text;
}

QString key(const QString& name) {
    return name.toLower();
}

const QString kKerbFront = QStringLiteral("vide_avant");
const QString kKerbRear = QStringLiteral("vide_arriere");
const QString kMaxFront = QStringLiteral("maxi_avant");
const QString kMaxRear = QStringLiteral("maxi_arriere");
const QString kMaxTotal = QStringLiteral("maxi_total");
const QString kFrontAxle = QStringLiteral("essieu_avant");
const QString kRearAxle = QStringLiteral("essieu_arriere");

QString bodyName(const QString& model, const QString& body) {
    return model + QLatin1Char('_') + body;
}

} // namespace

std::optional<double> AccessoryMasses::massOf(const QString& picture) const {
    const auto found = masses_.find(key(picture));
    if (found == masses_.end())
        return std::nullopt;
    return found->second.second;
}

void AccessoryMasses::setMass(const QString& picture, std::optional<double> kg) {
    if (kg)
        masses_[key(picture)] = {picture, *kg};
    else
        masses_.erase(key(picture));
}

QByteArray AccessoryMasses::fileText() const {
    QString text =
        QStringLiteral("# Masse de chaque accessoire en kg : nom du fichier image = masse.\n"
                       "# Un accessoire absent de cette liste n'a pas de masse connue.\n");
    for (const auto& [k, entry] : masses_)
        text += entry.first + QStringLiteral(" = ") + valueText(entry.second) + QLatin1Char('\n');
    return text.toUtf8();
}

AccessoryMasses AccessoryMasses::fromFileText(const QByteArray& text) {
    AccessoryMasses masses;
    for (const Entry& e : readEntries(text))
        if (e.value >= 0)
            masses.setMass(e.name, e.value);
    return masses;
}

std::optional<document::VehicleMasses> VehicleData::massesOf(const QString& model,
                                                             const QString& body) const {
    const auto found = masses_.find(key(bodyName(model, body)));
    if (found == masses_.end())
        return std::nullopt;
    return found->second.second;
}

std::optional<document::AxleCentres> VehicleData::axlesOf(const QString& picture) const {
    const auto found = axles_.find(key(picture));
    if (found == axles_.end())
        return std::nullopt;
    return found->second.second;
}

void VehicleData::setMasses(const QString& model, const QString& body,
                            std::optional<document::VehicleMasses> masses) {
    const QString name = bodyName(model, body);
    if (masses)
        masses_[key(name)] = {name, *masses};
    else
        masses_.erase(key(name));
}

void VehicleData::setAxles(const QString& picture, std::optional<document::AxleCentres> axles) {
    if (axles)
        axles_[key(picture)] = {picture, *axles};
    else
        axles_.erase(key(picture));
}

QByteArray VehicleData::fileText() const {
    QString text = QStringLiteral(
        "# Données des véhicules.\n"
        "# [Modele_Carrosserie] : masses en kg, à vide sur chaque essieu (vide_avant,\n"
        "# vide_arriere), maximum de chaque essieu (maxi_avant, maxi_arriere) et masse\n"
        "# maximale autorisée (maxi_total).\n"
        "# [fichier image d'une vue de dessus ou de côté] : centres des essieux en cm\n"
        "# depuis le bord gauche de l'image (essieu_avant, essieu_arriere).\n");
    const auto line = [&text](const QString& name, double v) {
        text += name + QStringLiteral(" = ") + valueText(v) + QLatin1Char('\n');
    };
    for (const auto& [k, entry] : masses_) {
        text += QStringLiteral("\n[") + entry.first + QStringLiteral("]\n");
        line(kKerbFront, entry.second.kerbFrontKg);
        line(kKerbRear, entry.second.kerbRearKg);
        line(kMaxFront, entry.second.maxFrontKg);
        line(kMaxRear, entry.second.maxRearKg);
        line(kMaxTotal, entry.second.maxTotalKg);
    }
    for (const auto& [k, entry] : axles_) {
        text += QStringLiteral("\n[") + entry.first + QStringLiteral("]\n");
        line(kFrontAxle, entry.second.frontCm);
        line(kRearAxle, entry.second.rearCm);
    }
    return text.toUtf8();
}

VehicleData VehicleData::fromFileText(const QByteArray& text) {
    // Sections in the order they come, with their values by key.
    std::map<QString, std::pair<QString, std::map<QString, double>>> sections;
    for (const Entry& e : readEntries(text)) {
        auto& section = sections[key(e.section)];
        section.first = e.section;
        section.second[e.name.toLower()] = e.value;
    }
    VehicleData data;
    for (const auto& [k, section] : sections) {
        const auto& values = section.second;
        const auto has = [&values](const QString& name) { return values.count(name) > 0; };
        if (has(kKerbFront) && has(kKerbRear) && has(kMaxFront) && has(kMaxRear) && has(kMaxTotal))
            data.masses_[k] = {section.first,
                               {values.at(kKerbFront), values.at(kKerbRear), values.at(kMaxFront),
                                values.at(kMaxRear), values.at(kMaxTotal)}};
        if (has(kFrontAxle) && has(kRearAxle))
            data.axles_[k] = {section.first, {values.at(kFrontAxle), values.at(kRearAxle)}};
    }
    return data;
}

AccessoryMasses readAccessoryMasses(const QString& libraryRoot, const platform::FileSystem& fs) {
    const std::optional<QByteArray> bytes =
        fs.readFile(libraryRoot + QStringLiteral("/accessoires/") + kAccessoryMassFile);
    return bytes ? AccessoryMasses::fromFileText(*bytes) : AccessoryMasses();
}

VehicleData readVehicleData(const QString& libraryRoot, const platform::FileSystem& fs) {
    const std::optional<QByteArray> bytes =
        fs.readFile(libraryRoot + QStringLiteral("/vehicules/") + kVehicleDataFile);
    return bytes ? VehicleData::fromFileText(*bytes) : VehicleData();
}

bool writeAccessoryMasses(const QString& libraryRoot, const AccessoryMasses& masses,
                          platform::FileSystem& fs) {
    return fs.writeFileSafely(libraryRoot + QStringLiteral("/accessoires/") + kAccessoryMassFile,
                              masses.fileText());
}

bool writeVehicleData(const QString& libraryRoot, const VehicleData& data,
                      platform::FileSystem& fs) {
    return fs.writeFileSafely(libraryRoot + QStringLiteral("/vehicules/") + kVehicleDataFile,
                              data.fileText());
}

document::MassBudget layoutMassBudget(const document::Layout& layout, const VehicleData& data) {
    return document::layoutMassBudget(layout,
                                      data.massesOf(layout.vehicleModel, layout.vehicleBody),
                                      data.axlesOf(layout.vehicleFile));
}

} // namespace library
