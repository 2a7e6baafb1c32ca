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

bool prepareUserLibrary(const LibraryLocation& location, platform::FileSystem& fs) {
    if (!location.installed)
        return true;
    // Seeding happens only when the root itself is new: a root that exists belongs to
    // the user, whatever it holds.
    const bool firstRun = !fs.folderExists(location.root);
    if (firstRun && !fs.makeFolder(location.root))
        return false;
    bool ok = true;
    for (const QString& name : kLibraryFolders) {
        const QString folder = location.root + QLatin1Char('/') + name;
        if (!fs.folderExists(folder) && !fs.makeFolder(folder)) {
            ok = false;
            continue;
        }
        if (!firstRun || location.sampleLibrary.isEmpty())
            continue;
        const QString source = location.sampleLibrary + QLatin1Char('/') + name;
        for (const QString& file :
             fs.listFolder(source, QStringLiteral("*")).value_or(QStringList{}))
            ok = fs.copyReplacing(source + QLatin1Char('/') + file,
                                  folder + QLatin1Char('/') + file) &&
                 ok;
    }
    return ok;
}

QString readableLibrary(const LibraryLocation& location, const platform::FileSystem& fs) {
    if (location.installed && !fs.folderExists(location.root) && !location.sampleLibrary.isEmpty())
        return location.sampleLibrary;
    return location.root;
}

} // namespace library
