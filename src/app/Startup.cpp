#include "app/Startup.h"

#include "app/Icons.h"
#include "library/LibraryLocation.h"
#include "settings/PreferenceStore.h"

#include <QBuffer>
#include <QFile>
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
    return dataHome_ + QStringLiteral("/applications/kestrion-dev.desktop");
}

QString Startup::installedIdEntryPath() const {
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
                          "    <sub-class-of type=\"text/plain\"/>\n"
                          "    <glob pattern=\"*.kla\"/>\n"
                          "    <magic priority=\"50\">\n"
                          "      <match type=\"string\" offset=\"0\" value=\"Kestrion 1\"/>\n"
                          "      <match type=\"string\" offset=\"0\" value=\"Kestrion 2\"/>\n"
                          "    </magic>\n"
                          "  </mime-type>\n"
                          "</mime-info>\n");
}

QString Startup::desktopEntry(const QString& libraryRoot) {
    // Exec quotes the program path so a folder with spaces still works; %f is the file.
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Kestrion (dossier de compilation)\n"
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

namespace {

// The program a desktop entry starts: the first word of its Exec line, quotes removed.
QString entryProgram(const QByteArray& entry) {
    for (const QByteArray& line : entry.split('\n')) {
        const QString text = QString::fromUtf8(line).trimmed();
        if (!text.startsWith(QLatin1String("Exec=")))
            continue;
        const QString command = text.mid(5).trimmed();
        if (command.startsWith(QLatin1Char('"')))
            return command.mid(1).section(QLatin1Char('"'), 0, 0);
        return command.section(QLatin1Char(' '), 0, 0);
    }
    return QString();
}

} // namespace

bool Startup::removeStaleEntry() {
    const QString path = installedIdEntryPath();
    const std::optional<QByteArray> entry = files_.readFile(path);
    if (!entry)
        return false;
    // Only a program named by its full path can be known to be gone; "kestrion" alone
    // is looked up on the PATH and is the installed program itself.
    const QString program = entryProgram(*entry);
    const bool gone = QFileInfo(program).isAbsolute() && !files_.fileExists(program);
    // A build folder registered itself under that id before it had its own.
    const bool ownEarlierEntry =
        declareToDesktop && program == libraryRoot_ + QStringLiteral("/kestrion");
    if (!gone && !ownEarlierEntry)
        return false;
    if (!QFile::remove(path))
        return false;
    if (runDetached)
        runDetached(QStringLiteral("update-desktop-database"),
                    {dataHome_ + QStringLiteral("/applications")});
    return true;
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
    if (!dataHome_.isEmpty())
        removeStaleEntry();
    const bool registered = declareToDesktop ? registerFileType() : true;
    return readPreferences(registered);
}

} // namespace app
