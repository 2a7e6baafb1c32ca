#pragma once

#include <QObject>
#include <QString>
#include <QValidator>

#include <functional>

class QComboBox;
class QLineEdit;

// The typing filters the two library import windows share (their widget-free steps are
// in library/ImportSteps.h).
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
} // namespace library::ui
