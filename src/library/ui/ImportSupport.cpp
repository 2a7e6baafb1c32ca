#include "library/ui/ImportSupport.h"

#include "library/ui/DialogLogic.h"
#include "platform/Pictures.h"

#include <QComboBox>
#include <QDir>
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

std::optional<ChosenPicture> choosePicture(platform::DialogService& dialogs) {
    platform::FileDialogRequest request;
    request.filter = kImportPictureFilter;
    request.hideReadOnly = true;
    const platform::FileDialogResult chosen = dialogs.openFile(request);
    if (chosen.cancelled())
        return std::nullopt;
    std::optional<QImage> picture = platform::LoadPicture(chosen.fileName);
    if (!picture || picture->isNull()) {
        fail(dialogs, QStringLiteral("Impossible de lire l'image ") +
                          QDir::toNativeSeparators(chosen.fileName) +
                          QStringLiteral(".\n\nChoisissez une image BMP, JPEG ou GIF valide."));
        return std::nullopt;
    }
    return ChosenPicture{chosen.fileName, std::move(*picture)};
}

void warn(platform::DialogService& dialogs, const QString& text) {
    dialogs.messageBox(text, QStringLiteral("Attention :"), platform::MsgIcon::Warning,
                       platform::MsgButtons::Ok);
}

void fail(platform::DialogService& dialogs, const QString& text) {
    dialogs.messageBox(text, QStringLiteral("Erreur :"), platform::MsgIcon::Critical,
                       platform::MsgButtons::Ok);
}

bool askForAnother(platform::DialogService& dialogs, const QString& question) {
    return dialogs.messageBox(
               QStringLiteral("Vous pouvez à présent supprimer l'image d'origine.\n\n") + question,
               QStringLiteral("C'est fait!"), platform::MsgIcon::Information,
               platform::MsgButtons::YesNo) == platform::MsgResult::Yes;
}

} // namespace library::ui
