#pragma once

#include "platform/DialogService.h"

#include <QImage>
#include <QString>

#include <optional>

// What the two library import windows share besides their widgets: the picture chooser
// and their messages.
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
// "C'est fait!": true when the user wants to add another picture.
bool askForAnother(platform::DialogService& dialogs, const QString& question);

} // namespace library
