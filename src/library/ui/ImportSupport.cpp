#include "library/ui/ImportSupport.h"

#include "library/DialogLogic.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace library::ui {

TypedCharacterFilter::TypedCharacterFilter(std::function<bool(QChar)> refuse, QObject* parent)
    : QObject(parent), refuse_(std::move(refuse)) {}

bool TypedCharacterFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.size() == 1 && text.at(0).isPrint() && refuse_(text.at(0)))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

QValidator::State NameValidator::validate(QString& input, int& position) const {
    QString kept;
    kept.reserve(input.size());
    int keptPosition = position;
    for (qsizetype i = 0; i < input.size(); ++i) {
        if (!isForbiddenNameCharacter(input.at(i)))
            kept += input.at(i);
        else if (i < position)
            --keptPosition;
    }
    input = kept;
    position = keptPosition;
    return Acceptable;
}

void refuseForbiddenNameCharacters(QComboBox* combo) {
    Q_ASSERT(combo->lineEdit() != nullptr);
    combo->lineEdit()->setValidator(new NameValidator(combo));
}

void acceptDigitsOnly(QLineEdit* box) {
    box->installEventFilter(new TypedCharacterFilter(
        [](QChar c) { return c < QLatin1Char('0') || c > QLatin1Char('9'); }, box));
}

} // namespace library::ui
