#include "app/Startup.h"

#include "app/Icons.h"
#include "library/LibraryLocation.h"
#include "settings/PreferenceStore.h"

#include <QBuffer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>

namespace app {

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("Kestrion"));
    QCoreApplication::setOrganizationName(QStringLiteral("Kestrion"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.2.1"));
    QGuiApplication::setDesktopFileName(kDesktopId);
}

Startup::Startup(QString libraryRoot, QString dataHome, platform::FileSystem& files,
                 platform::SettingsStore& store)
    : runDetached([](const QString& program, const QStringList& arguments) {
          return QProcess::startDetached(program, arguments);
      }),
      libraryRoot_(std::move(libraryRoot)), dataHome_(std::move(dataHome)), files_(files),
      store_(store) {}

void Startup::createLibraryFolders() {
    for (const QString& name : library::kLibraryFolders) {
        const QString folder = libraryRoot_ + QLatin1Char('/') + name;
        if (!files_.folderExists(folder))
            files_.makeFolder(folder);
    }
}

QString Startup::mimePackagePath() const {
    return dataHome_ + QStringLiteral("/mime/packages/kestrion-kla.xml");
}

QString Startup::desktopEntryPath() const {
    return dataHome_ + QStringLiteral("/applications/kestrion.desktop");
}

QString Startup::iconPath() const {
    return dataHome_ + QStringLiteral("/icons/hicolor/48x48/apps/kestrion.png");
}

QString Startup::mimePackageXml() {
    return QStringLiteral(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"") +
           kLayoutMimeType +
           QStringLiteral("\">\n"
                          "    <comment>Agencement Kestrion</comment>\n"
                          "    <icon name=\"kestrion\"/>\n"
                          "    <glob pattern=\"*.kla\"/>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n");
}

QString Startup::desktopEntry(const QString& libraryRoot) {
    // Exec quotes the program path so a folder with spaces still works; %f is the file.
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Kestrion\n"
                          "Comment=Agencement Kestrion\n"
                          "Exec=\"") +
           libraryRoot +
           QStringLiteral("/kestrion\" %f\n"
                          "Icon=kestrion\n"
                          "MimeType=") +
           kLayoutMimeType +
           QStringLiteral(";\n"
                          "Terminal=false\n"
                          "Categories=Graphics;\n");
}

bool Startup::writeText(const QString& path, const QByteArray& contents, bool& changed) {
    if (files_.readFile(path) == std::optional<QByteArray>(contents))
        return true;
    changed = true;
    const QString folder = QFileInfo(path).absolutePath();
    if (!files_.folderExists(folder) && !files_.makeFolder(folder))
        return false;
    return files_.writeFileSafely(path, contents);
}

bool Startup::registerFileType() {
    if (dataHome_.isEmpty())
        return false;
    bool changed = false;
    bool ok = writeText(mimePackagePath(), mimePackageXml().toUtf8(), changed);
    ok = writeText(desktopEntryPath(), desktopEntry(libraryRoot_).toUtf8(), changed) && ok;

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    icons::programIcon(48).save(&buffer, "PNG");
    ok = writeText(iconPath(), png, changed) && ok;

    // The desktop's caches are refreshed in the background when a file changed; when
    // the tools are missing the files are still picked up at the next session.
    if (changed && runDetached) {
        runDetached(QStringLiteral("update-mime-database"), {dataHome_ + QStringLiteral("/mime")});
        runDetached(QStringLiteral("update-desktop-database"),
                    {dataHome_ + QStringLiteral("/applications")});
    }
    return ok;
}

StartupResult Startup::readPreferences(bool registrationSucceeded) {
    settings::PreferenceStore preferences(store_);
    StartupResult result;
    std::optional<settings::Preferences> stored;
    if (registrationSucceeded)
        stored = preferences.readPreferences();
    if (stored) {
        result.prefs = *stored;
        result.surfacePanel = preferences.readSurfacePanelShown();
        return result;
    }
    result.prefs = settings::Preferences::defaults();
    preferences.writePreferences(result.prefs); // a store that refuses writing is ignored
    result.defaultsWritten = true;
    return result;
}

QString layoutArgument(const QStringList& arguments) {
    for (const QString& argument : arguments)
        if (!argument.startsWith(QLatin1Char('-')))
            return argument;
    return QString();
}

StartupResult Startup::run() {
    createLibraryFolders();
    const bool registered = declareToDesktop ? registerFileType() : true;
    return readPreferences(registered);
}

} // namespace app
