#include "library/LibraryLocation.h"

#include <QDir>

namespace library {

QString installedSampleLibrary(const QString& programFolder, const platform::FileSystem& fs) {
    const QString share = QDir::cleanPath(programFolder + QStringLiteral("/../share/kestrion"));
    return fs.folderExists(share + QStringLiteral("/vehicules")) ? share : QString();
}

LibraryLocation locateLibrary(const LocationInputs& inputs, const platform::FileSystem& fs) {
    LibraryLocation location;
    location.sampleLibrary = installedSampleLibrary(inputs.programFolder, fs);
    const bool writable = inputs.isWritable && inputs.isWritable(inputs.programFolder);
    if (writable && location.sampleLibrary.isEmpty()) {
        location.root = inputs.programFolder;
        return location;
    }
    location.installed = true;
    location.root = inputs.dataHome + QStringLiteral("/kestrion");
    return location;
}

namespace {

// Written last in the user's library once the sample library is wholly copied; without
// it the copy was cut short (killed, full disk) and the next start completes it.
const QString kCopyMark = QStringLiteral(".exemples-copies");

} // namespace

bool prepareUserLibrary(const LibraryLocation& location, platform::FileSystem& fs) {
    if (!location.installed)
        return true;
    const QString mark = location.root + QLatin1Char('/') + kCopyMark;
    const bool copyDone = location.sampleLibrary.isEmpty() || fs.fileExists(mark);
    if (!fs.folderExists(location.root) && !fs.makeFolder(location.root))
        return false;
    bool ok = true;
    for (const QString& name : kLibraryFolders) {
        const QString folder = location.root + QLatin1Char('/') + name;
        if (!fs.folderExists(folder) && !fs.makeFolder(folder)) {
            ok = false;
            continue;
        }
        if (copyDone)
            continue;
        // Files already there are the user's or an earlier partial copy's (each file is
        // written whole): only the missing ones are copied.
        const QString source = location.sampleLibrary + QLatin1Char('/') + name;
        for (const QString& file :
             fs.listFolder(source, QStringLiteral("*")).value_or(QStringList{})) {
            const QString target = folder + QLatin1Char('/') + file;
            if (!fs.fileExists(target))
                ok = fs.copyReplacing(source + QLatin1Char('/') + file, target) && ok;
        }
    }
    if (!copyDone && ok)
        ok = fs.writeFileSafely(mark, QByteArrayLiteral("Kestrion\n"));
    return ok;
}

QString libraryCopyFailedMessage(const LibraryLocation& location) {
    return QStringLiteral("La bibliothèque d'exemples n'a pas pu être copiée entièrement dans :\n"
                          "%1\n\n"
                          "Le disque est peut-être plein ou le dossier protégé. Le programme "
                          "démarre avec ce qui s'y trouve ; la copie sera reprise au prochain "
                          "démarrage.")
        .arg(location.root);
}

QString readableLibrary(const LibraryLocation& location, const platform::FileSystem& fs) {
    if (location.installed && !fs.folderExists(location.root) && !location.sampleLibrary.isEmpty())
        return location.sampleLibrary;
    return location.root;
}

} // namespace library
