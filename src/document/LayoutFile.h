#pragma once

#include "document/Layout.h"
#include "document/ObjectTable.h"
#include "platform/FileSystem.h"

#include <QLocale>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace document {

// What a layout file holds, once read and checked.
struct LayoutFileContents {
    int version = 2; // 1, 2 or 3 (2 with the masses)
    QString vehicleFile;
    std::optional<bool> mirrorLeftRight; // absent in version 1 files
    std::optional<bool> mirrorTopBottom;
    QString zoomText;
    ObjectTable objects;
    std::vector<LooseLoad> loads;
    QStringList missingTextures; // one name per affected object, in table order
    QStringList missingAccessories;
};

// The result of reading a file. Either contents, or a refusal with its message
// ("Erreur :", critical icon). A read never touches the open layout: the caller
// applies the contents only on success.
struct LoadOutcome {
    std::optional<LayoutFileContents> contents;
    QString errorMessage;
    bool ok() const { return contents.has_value(); }
};

// The pictures a layout names, as the reader checks them while reading. The library
// folders implement it (library::FolderPictures); the reader knows nothing of folders.
class PictureCheck {
public:
    virtual ~PictureCheck() = default;
    // Empty when the layout can be based on the vehicle picture named; otherwise the
    // refusal shown to the user. name may be corrected to the spelling of the file found.
    virtual QString vehicleRefusal(QString& name) = 0;
    // Whether a texture or an accessory picture can be shown.
    virtual bool textureUsable(const QString& name) = 0;
    virtual bool accessoryUsable(const QString& name) = 0;
};

// Reads a "Kestrion 3", "Kestrion 2" or "Kestrion 1" file, asking pictures about the vehicle
// picture, the textures and the accessory pictures it names. A texture or accessory
// picture that is not usable is listed as missing and replaced (an accessory becomes a
// black rectangle). Files larger than any layout can be are refused unread.
LoadOutcome readLayoutFile(const QString& path, PictureCheck& pictures,
                           const platform::FileSystem& fs);

// The one message about missing pictures ("Attention :", information icon); empty
// when nothing is missing.
QString missingPicturesMessage(const QStringList& textures, const QStringList& accessories);

// The file's text: "Kestrion 2" lines ended by CR LF, numbers in the general format
// with the locale's decimal separator. The vehicle name and the zoom text are written
// bare, or between double quotes when a comma, a double quote or surrounding blanks
// would not read back otherwise. A layout with a mass (on an object, or a load not
// drawn) is written as "Kestrion 3": the same lines under that first line, then its
// masses, which a reader of "Kestrion 2" files refuses by the first line.
QByteArray layoutFileText(const Layout& layout, const QLocale& locale);
// Writes the layout safely (temporary file, then replace). False on failure.
bool writeLayoutFile(const QString& path, const Layout& layout, const QLocale& locale,
                     platform::FileSystem& fs);

// The zoom range, in whole percent, of the window and of every drawing of a layout.
constexpr int kMinZoomPercent = 10;
constexpr int kMaxZoomPercent = 1600;

// A zoom in percent to the nearest whole number, halves to even, held to the zoom range.
// percent must not be NaN.
int clampZoomPercent(double percent);

// The zoom in whole percent that a layout's zoom text gives when the layout is opened
// or exported: its number (in the locale's format, or with "." or "," as decimal
// separator) held as clampZoomPercent holds it; 100 when the text is not a finite number.
int zoomPercent(const QString& zoomText, const QLocale& locale);

// vehicleModel + " - " + viewName + ".kla", with "gauche" and "droit" exchanged when mirrored.
QString proposedFileName(const QString& vehicleModel, const QString& viewName,
                         bool mirrorLeftRight);

} // namespace document
