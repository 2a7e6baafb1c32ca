#include "library/MissingSamples.h"

#include "library/LibraryLocation.h"

#include <QSet>

namespace library {

SampleAddition addMissingSamples(const QString& sampleLibrary, const QString& libraryRoot,
                                 platform::FileSystem& fs) {
    SampleAddition addition;
    for (const QString& name : kLibraryFolders) {
        const QString source = sampleLibrary + QLatin1Char('/') + name;
        const QStringList samples =
            fs.listFolder(source, QStringLiteral("*")).value_or(QStringList{});
        if (samples.isEmpty())
            continue;
        const QString folder = libraryRoot + QLatin1Char('/') + name;
        const bool folderReady = fs.folderExists(folder) || fs.makeFolder(folder);
        // Names compare without case: pictures are found that way when a layout opens.
        QSet<QString> present;
        for (const QString& file :
             fs.listFolder(folder, QStringLiteral("*")).value_or(QStringList{}))
            present.insert(file.toLower());
        for (const QString& file : samples) {
            if (present.contains(file.toLower()))
                continue;
            const QString target = folder + QLatin1Char('/') + file;
            const bool copied = folderReady && !fs.fileExists(target) &&
                                fs.copyReplacing(source + QLatin1Char('/') + file, target);
            (copied ? addition.added : addition.failed).append(name + QLatin1Char('/') + file);
        }
    }
    return addition;
}

QString sampleAdditionMessage(const SampleAddition& addition) {
    QString message;
    if (addition.added.isEmpty() && addition.failed.isEmpty())
        return QStringLiteral("La bibliothèque contient déjà tous les exemples.");
    if (addition.added.size() == 1)
        message = QStringLiteral("1 exemple a été ajouté à la bibliothèque.");
    else if (!addition.added.isEmpty())
        message = QStringLiteral("%1 exemples ont été ajoutés à la bibliothèque.")
                      .arg(addition.added.size());
    if (!addition.failed.isEmpty()) {
        if (!message.isEmpty())
            message += QStringLiteral("\n\n");
        message += QStringLiteral("Ces exemples n'ont pas pu être copiés (dossier protégé ou "
                                  "disque plein) :\n") +
                   addition.failed.join(QLatin1Char('\n'));
    }
    return message;
}

} // namespace library
