#include "library/ImportSteps.h"

#include "platform/Pictures.h"

#include <QDir>

namespace library {

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

QStringList libraryFileNames(const platform::FileSystem& files, platform::DialogService& dialogs,
                             const QString& folder, const QString& unreadable) {
    const std::optional<QStringList> names = files.listFolder(folder, QStringLiteral("*"));
    if (!names)
        fail(dialogs, unreadable);
    return names.value_or(QStringList());
}

AfterCopy copyIntoLibrary(platform::FileSystem& files, platform::DialogService& dialogs,
                          const QString& source, const QString& target, const QString& failure,
                          const QString& anotherQuestion) {
    if (!files.copyReplacing(source, target)) {
        fail(dialogs, failure);
        return AfterCopy::Failed;
    }
    const platform::MsgResult answer = dialogs.messageBox(
        QStringLiteral("Vous pouvez à présent supprimer l'image d'origine.\n\n") + anotherQuestion,
        QStringLiteral("C'est fait!"), platform::MsgIcon::Information, platform::MsgButtons::YesNo);
    return answer == platform::MsgResult::Yes ? AfterCopy::AddAnother : AfterCopy::Finished;
}

} // namespace library
