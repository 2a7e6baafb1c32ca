#pragma once

#include "document/Layout.h"
#include "document/LayoutFile.h"
#include "library/LibraryNames.h"
#include "platform/FileSystem.h"

#include <QHash>
#include <QImage>
#include <QLocale>
#include <QString>

#include <optional>

namespace library {

// The reader's picture checks over the library folders under libraryRoot. A name matches its
// file ignoring letter case when the exact name is absent; a picture that is absent,
// cannot be decoded or is named outside its folder is not usable. Each texture and
// accessory file is decoded at most once per instance.
class FolderPictures : public document::PictureCheck {
public:
    explicit FolderPictures(QString libraryRoot) : libraryRoot_(std::move(libraryRoot)) {}

    QString vehicleRefusal(QString& name) override;
    bool textureUsable(const QString& name) override;
    bool accessoryUsable(const QString& name) override;

private:
    bool usable(const QString& folder, const QString& name);

    QString libraryRoot_;
    QHash<QString, bool> usable_; // folder + "/" + name
};

// Reads a layout file, checking its pictures against the library folders under libraryRoot.
document::LoadOutcome readLayoutFile(const QString& path, const QString& libraryRoot,
                                     const platform::FileSystem& fs);

// A vehicle picture read from the "vehicules" folder, ready to become a layout's vehicle.
struct VehiclePicture {
    QString file;
    VehicleName name;
    QImage picture;

    // Sets the layout's vehicle file, the fields its name gives and the picture.
    void applyTo(document::Layout& layout) &&;
};

// Nothing when the name cannot be read or the picture cannot be decoded.
std::optional<VehiclePicture> loadVehicle(const QString& libraryRoot, const QString& file);

// A layout file read against the library, ready to become the open layout.
struct OpenedLayout {
    enum class Failure {
        None,
        FileRefused,       // the reader refused the file: refusal says why
        VehicleUnreadable, // the file is fine but its vehicle picture cannot be decoded
    };
    Failure failure = Failure::None;
    QString refusal;
    // The message about textures and accessories replaced by black rectangles; empty when
    // none is. Set whenever the file itself was read, even if its vehicle was not.
    QString missingPictures;
    // Complete only without failure: open, its zoom text the zoom below. On
    // VehicleUnreadable it still holds the vehicle file name.
    document::Layout layout;
    // The zoom it is shown at, in whole percent: document::zoomPercent of the file's zoom
    // text, read with the given locale.
    int zoomPercent = 100;

    bool ok() const { return failure == Failure::None; }
};

// The one way a layout file becomes a layout, for the window and the command line alike.
OpenedLayout openLayout(const QString& path, const QString& libraryRoot,
                        const platform::FileSystem& fs, const QLocale& locale);

} // namespace library
