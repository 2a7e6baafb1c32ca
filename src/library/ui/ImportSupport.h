#pragma once

#include <QObject>
#include <QString>
#include <QValidator>

#include <functional>
#include <span>

class QBoxLayout;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QScrollArea;
class QWidget;

// The widgets the library windows share (their widget-free steps are in
// library/ImportSteps.h).
namespace library::ui {

class SurfaceView;

// A titled frame named Frame<number>.
QGroupBox* makeFrame(const QString& caption, int number, QWidget* parent);
// The "Aperçu" frame (Frame2), of a fixed size, holding a hidden surface view named
// viewName; the window places and shows the view.
QGroupBox* makePreviewFrame(QWidget* parent, QSize size, const QString& viewName,
                            SurfaceView*& view);
// A scroll area showing a picture at its own size in a surface view named viewName,
// with the cross pointer of a window where points are clicked on the picture.
QScrollArea* makePictureArea(QWidget* parent, const QString& viewName, SurfaceView*& view);

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

// A box that only receives digits.
void acceptDigitsOnly(QLineEdit* box);

// An editable list for one field of a library name. It never shows the characters a
// name field cannot hold: an editable list passes its keys to its line edit directly,
// past any event filter, so the line edit gets a validator.
QComboBox* makeNameList(const QString& objectName, QWidget* parent);

// The name lists in field order: list i suggests the distinct values of field i of the
// file names, with nothing chosen and nothing typed.
using NameLists = std::span<QComboBox* const>;
void fillNameLists(NameLists lists, const QStringList& fileNames);
// Drops the forbidden characters and the surrounding spaces from the typed texts.
void cleanNameTexts(NameLists lists);
void clearNameTexts(NameLists lists);
// Empties both the suggestions and the texts.
void forgetNameLists(NameLists lists);

// The three buttons "Ajouter à la bibliothèque", "Autre image" and "Fermer", named
// <prefix>_0 to _2, added to the layout in that order.
struct ImportActions {
    std::function<void()> add, otherPicture, close;
};
void addImportButtons(QBoxLayout* layout, QWidget* parent, const QString& prefix,
                      const ImportActions& actions);

} // namespace library::ui
