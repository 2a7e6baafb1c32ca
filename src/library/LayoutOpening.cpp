#include "library/LayoutOpening.h"
#include "library/PreviewOpening.h"

#include "library/LibraryNames.h"
#include "platform/FileSystem.h"
#include "platform/Pictures.h"

#include <QFileInfo>

namespace library {

QString FolderPictures::vehicleRefusal(QString& name) {
    if (!platform::findLibraryFile(vehiclesFolder(libraryRoot_), name))
        return QStringLiteral("L'agencement est basé sur le véhicule suivant :\n\n") + name +
               QStringLiteral("\n\nCette image ne fait pas partie de la bibliothèque. Vous devez "
                              "vous la procurer pour voir l'agencement.");
    if (parseVehicleName(name))
        return {};
    return QStringLiteral("L'image du véhicule suivant n'a pas un nom valide :\n\n") + name +
           (hasSixFields(name)
                ? QStringLiteral("\n\nSa résolution (le cinquième champ du nom) doit être un "
                                 "nombre entier positif.")
                : QStringLiteral("\n\nUn nom d'image de véhicule se compose de six champs "
                                 "séparés par \"_\" (modèle_carrosserie_vue_axes_résolution_"
                                 ".extension) : celui-ci n'en a pas six, sa résolution ne peut "
                                 "donc pas être lue."));
}

bool FolderPictures::textureUsable(const QString& name) {
    return usable(texturesFolder(libraryRoot_), name);
}

bool FolderPictures::accessoryUsable(const QString& name) {
    return usable(accessoriesFolder(libraryRoot_), name);
}

bool FolderPictures::usable(const QString& folder, const QString& name) {
    const QString key = folder + QLatin1Char('/') + name;
    const auto known = usable_.constFind(key);
    if (known != usable_.cend())
        return *known;
    const bool ok = platform::LoadLibraryPicture(folder, name).has_value();
    usable_.insert(key, ok);
    return ok;
}

document::LoadOutcome readLayoutFile(const QString& path, const QString& libraryRoot,
                                     const platform::FileSystem& fs) {
    FolderPictures pictures(libraryRoot);
    return document::readLayoutFile(path, pictures, fs);
}

std::optional<VehiclePicture> loadVehicle(const QString& libraryRoot, const QString& file) {
    std::optional<VehicleName> name = parseVehicleName(file);
    if (!name)
        return std::nullopt;
    std::optional<QImage> picture = platform::LoadLibraryPicture(vehiclesFolder(libraryRoot), file);
    if (!picture || picture->isNull())
        return std::nullopt;
    return VehiclePicture{file, std::move(*name), std::move(*picture)};
}

void VehiclePicture::applyTo(document::Layout& layout) && {
    layout.vehicleFile = file;
    layout.vehicleModel = name.model;
    layout.vehicleBody = name.body;
    layout.vehicleView = name.view;
    layout.vehicleAxes = name.axes;
    layout.pixelsPerCm = name.pixelsPerCm;
    layout.pictureWidth = float(picture.width());
    layout.pictureHeight = float(picture.height());
    layout.vehiclePicture = std::move(picture);
}

namespace {

// Accepts every picture whose name can be read, wherever the library is.
class PreviewPictures : public document::PictureCheck {
public:
    explicit PreviewPictures(QString libraryRoot) : libraryRoot_(std::move(libraryRoot)) {}
    QString vehicleRefusal(QString& name) override {
        if (const auto found = platform::findLibraryFile(vehiclesFolder(libraryRoot_), name))
            name = QFileInfo(*found).fileName();
        return parseVehicleName(name)
                   ? QString()
                   : QStringLiteral("Nom d'image de véhicule invalide : ") + name;
    }
    bool textureUsable(const QString&) override { return true; }
    bool accessoryUsable(const QString&) override { return true; }

private:
    QString libraryRoot_;
};

} // namespace

OpenedLayout openLayoutForPreview(const QString& path, const QString& libraryRoot,
                                  const platform::FileSystem& fs, const QLocale& locale) {
    OpenedLayout opened;
    PreviewPictures pictures(libraryRoot);
    document::LoadOutcome outcome = document::readLayoutFile(path, pictures, fs);
    if (!outcome.ok()) {
        opened.failure = OpenedLayout::Failure::FileRefused;
        opened.refusal = outcome.errorMessage;
        return opened;
    }
    document::LayoutFileContents& contents = *outcome.contents;
    document::Layout& layout = opened.layout;
    if (std::optional<VehiclePicture> vehicle = loadVehicle(libraryRoot, contents.vehicleFile)) {
        std::move(*vehicle).applyTo(layout);
    } else {
        const VehicleName name = parseVehicleName(contents.vehicleFile).value_or(VehicleName{});
        layout.vehicleFile = contents.vehicleFile;
        layout.vehicleModel = name.model;
        layout.vehicleBody = name.body;
        layout.vehicleView = name.view;
        layout.vehicleAxes = name.axes;
        layout.pixelsPerCm = name.pixelsPerCm > 0 ? name.pixelsPerCm : 1.0;
    }
    layout.mirrorLeftRight = contents.mirrorLeftRight.value_or(false);
    layout.mirrorTopBottom = contents.mirrorTopBottom.value_or(false);
    layout.objects = std::move(contents.objects);
    opened.zoomPercent = document::zoomPercent(contents.zoomText, locale);
    layout.zoomText = QString::number(opened.zoomPercent);
    layout.isOpen = true;
    return opened;
}

OpenedLayout openLayout(const QString& path, const QString& libraryRoot,
                        const platform::FileSystem& fs, const QLocale& locale) {
    OpenedLayout opened;
    document::LoadOutcome outcome = readLayoutFile(path, libraryRoot, fs);
    if (!outcome.ok()) {
        opened.failure = OpenedLayout::Failure::FileRefused;
        opened.refusal = outcome.errorMessage;
        return opened;
    }
    document::LayoutFileContents& contents = *outcome.contents;
    opened.missingPictures =
        document::missingPicturesMessage(contents.missingTextures, contents.missingAccessories);
    document::Layout& layout = opened.layout;
    std::optional<VehiclePicture> vehicle = loadVehicle(libraryRoot, contents.vehicleFile);
    if (!vehicle) {
        layout.vehicleFile = contents.vehicleFile;
        opened.failure = OpenedLayout::Failure::VehicleUnreadable;
        return opened;
    }
    std::move(*vehicle).applyTo(layout);
    // A first-version file has no mirror lines: its picture is shown as it is.
    layout.mirrorLeftRight = contents.mirrorLeftRight.value_or(false);
    layout.mirrorTopBottom = contents.mirrorTopBottom.value_or(false);
    layout.objects = std::move(contents.objects);
    layout.filePath = path;
    layout.loads = std::move(contents.loads);
    opened.zoomPercent = document::zoomPercent(contents.zoomText, locale);
    layout.zoomText = QString::number(opened.zoomPercent);
    layout.isOpen = true;
    return opened;
}

} // namespace library
