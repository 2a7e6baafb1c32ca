#pragma once

#include "platform/DialogService.h"
#include "platform/FileSystem.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// What the library windows share besides their widgets: the picture chooser, the
// listing of a library folder, the copy into the library and their messages.
namespace library {

// The picture files the import windows offer.
inline const QString kImportPictureFilter =
    QStringLiteral("Images (*.bmp, *.jpg, *.gif)|*.gif;*.jpg;*.jpeg;*.bmp");

struct ChosenPicture {
    QString path; // full path of the source file
    QImage picture;
};
// Shows the Open dialog. Nothing when the user cancels, or when the file cannot be
// read as a picture (the user is told).
std::optional<ChosenPicture> choosePicture(platform::DialogService& dialogs);

// "Attention :" with the warning icon, and "Erreur :" with the critical icon.
void warn(platform::DialogService& dialogs, const QString& text);
void fail(platform::DialogService& dialogs, const QString& text);

// True when a library listing has entries to show. An unreadable folder is reported
// with `unreadable` as an error, an empty one with `empty` as a warning.
template <typename Entry>
bool hasEntries(platform::DialogService& dialogs, const std::optional<std::vector<Entry>>& listed,
                const QString& unreadable, const QString& empty) {
    if (!listed) {
        fail(dialogs, unreadable);
        return false;
    }
    if (listed->empty()) {
        warn(dialogs, empty);
        return false;
    }
    return true;
}

// Every file name in a library folder, for the import windows' suggestion lists; empty
// when the folder cannot be read (the user is told with `unreadable`).
QStringList libraryFileNames(const platform::FileSystem& files, platform::DialogService& dialogs,
                             const QString& folder, const QString& unreadable);

enum class AfterCopy { Failed, AddAnother, Finished };
// Copies the source picture into the library under its composed name, replacing a
// file of that name. A failed copy is reported with `failure`; after a copy the user
// is asked `anotherQuestion` ("C'est fait!").
AfterCopy copyIntoLibrary(platform::FileSystem& files, platform::DialogService& dialogs,
                          const QString& source, const QString& target, const QString& failure,
                          const QString& anotherQuestion);

} // namespace library
