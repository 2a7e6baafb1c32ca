#pragma once

#include "platform/DialogService.h"

#include <QImage>
#include <QObject>
#include <QString>
#include <QValidator>

#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;

// What the two library import windows share: typing filters, the picture chooser and
// their messages.
namespace library::ui {

// Drops the typed characters that refuse() rejects. Control keys, editing keys and
// pasted text pass.
class TypedCharacterFilter : public QObject {
public:
    TypedCharacterFilter(std::function<bool(QChar)> refuse, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(QChar)> refuse_;
};

// Keeps the characters a name field cannot hold out of a text, however they come: typed,
// pasted or set. The cursor stays after the characters it followed.
class NameValidator : public QValidator {
public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};

// An editable list that never shows the characters a name field cannot hold. An
// editable list passes its keys to its line edit directly, past any event filter, so
// the line edit gets a validator.
void refuseForbiddenNameCharacters(QComboBox* combo);
// A box that only receives digits.
void acceptDigitsOnly(QLineEdit* box);

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

} // namespace library::ui
