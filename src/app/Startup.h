#pragma once

#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"
#include "settings/Preferences.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace app {

// The id of the installed desktop entry (kestrion.desktop), which the window belongs to.
inline const QString kDesktopId = QStringLiteral("kestrion");

// Names the program to Qt: the settings file's folder and name, the version, and the
// desktop entry, so that the desktop shows the window under the installed entry's icon
// and name. Needs the application object.
void nameApplication();

// What the program finds before its main window is filled.
struct StartupResult {
    settings::Preferences prefs;
    // The stored surface-panel setting (modsurf); nothing when it is missing or when the defaults
    // had to be written (the surface panel then keeps its designed state).
    std::optional<QString> surfacePanel;
    bool defaultsWritten = false;
};

// The program's start-up before any window shows: the library folders, the layout file
// type, and the preferences. Every failure here is absorbed: the user sees nothing.
class Startup {
public:
    // libraryRoot: the program folder ("/" separators, no trailing "/").
    // dataHome: the per-user data folder that holds mime/ and applications/
    // (~/.local/share on a desktop).
    Startup(QString libraryRoot, QString dataHome, platform::FileSystem& files,
            platform::SettingsStore& store);

    // Starts a helper program without waiting for it; false when it could not start.
    std::function<bool(const QString& program, const QStringList& arguments)> runDetached;
    // False for an installed program: the system's desktop entry and file type already
    // name it, and a per-user copy would show twice under "Open with".
    bool declareToDesktop = true;

    // Creates textures, vehicules and accessoires under libraryRoot, each only when missing.
    // A folder that cannot be created is left out.
    void createLibraryFolders();
    // Declares the layout file type and the program that opens it to the desktop, and
    // refreshes the desktop's caches when a file changed. False when a file could not
    // be written.
    bool registerFileType();
    // Reads the six preferences and modsurf. When registration failed or any of the
    // six is missing, the defaults are written (a refusing store is ignored) and used.
    StartupResult readPreferences(bool registrationSucceeded);

    // A per-user desktop entry under the installed program's id (kestrion.desktop), left
    // by an earlier build folder or a portable copy, hides the installed entry: it is
    // removed when the program it starts no longer exists, and by a build folder when it
    // is that build folder's own earlier entry. True when it was removed.
    bool removeStaleEntry();

    // All steps in order (the stale entry removed before the file type is declared);
    // the file type only when declareToDesktop.
    StartupResult run();

    // The files the registration writes, under dataHome.
    QString mimePackagePath() const;
    // A build folder's entry has its own id, kestrion-dev.desktop, so that it never
    // stands in for the installed program's kestrion.desktop.
    QString desktopEntryPath() const;
    QString installedIdEntryPath() const;
    QString iconPath() const;

    static QString mimePackageXml();
    static QString desktopEntry(const QString& libraryRoot);

private:
    // Writes the file unless it already holds those contents; sets changed when it wrote.
    bool writeText(const QString& path, const QByteArray& contents, bool& changed);

    QString libraryRoot_;
    QString dataHome_;
    platform::FileSystem& files_;
    platform::SettingsStore& store_;
};

// The layout file named on the command line (the arguments without the program name):
// the first argument that does not start with "-", taken whole, whatever characters
// its name holds. Empty when there is none.
QString layoutArgument(const QStringList& arguments);

inline const QString kLayoutMimeType = QStringLiteral("application/x-kestrion-agencement");

} // namespace app
