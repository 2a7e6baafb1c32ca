// Start-up: library folders, the file type declared to the desktop, the preferences read or
// replaced by their defaults whatever fails.
#include "app/Startup.h"
#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"
#include "settings/PreferenceStore.h"
#include "testkit/TestKit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

using settings::PreferenceStore;

namespace {

const settings::Preferences kMinePrefs{true, false, true, false, QStringLiteral("9"), false};

struct Case {
    bool stored, storeRefuses, homeUnwritable, folderUnwritable, declare, defaults;
};

} // namespace

Q_DECLARE_METATYPE(Case)

class TestStartup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void startup_data() {
        QTest::addColumn<Case>("c"); // what is stored, what fails, what is expected
        QTest::newRow("first run") << Case{false, false, false, false, true, true};
        QTest::newRow("stored kept") << Case{true, false, false, false, true, false};
        QTest::newRow("installed") << Case{true, false, false, false, false, false};
        QTest::newRow("store refusing: defaults") << Case{true, true, false, false, true, true};
        QTest::newRow("home unwritable") << Case{true, false, true, false, true, true};
        QTest::newRow("unwritable program folder") << Case{true, false, false, true, true, false};
    }
    void startup() {
        QFETCH(Case, c);
        QTemporaryDir base;
        // A plain file where a folder should be makes everything below it unwritable.
        const QString blocker = base.path() + QStringLiteral("/blocker");
        QVERIFY(QFile(blocker).open(QIODevice::WriteOnly));
        const QString libraryRoot =
            c.folderUnwritable ? blocker + QStringLiteral("/program") : base.path();
        const QString home = (c.homeUnwritable ? blocker : base.path()) + QStringLiteral("/share");
        platform::MemoryStore store;
        if (c.stored) {
            QVERIFY(PreferenceStore(store).writePreferences(kMinePrefs));
            QVERIFY(PreferenceStore(store).writeSurfacePanelShown(false));
        }
        store.refuseReads = store.refuseWrites = c.storeRefuses;
        platform::FileSystem files;
        app::Startup startup(libraryRoot, home, files, store);
        QStringList started;
        startup.runDetached = [&started](const QString& program, const QStringList&) {
            started << program;
            return false; // as on a desktop without the cache tools
        };
        startup.declareToDesktop = c.declare;
        const app::StartupResult result = startup.run();
        for (const char* folder : {"textures", "vehicules", "accessoires"})
            QVERIFY2(QDir(libraryRoot).exists(folder) == !c.folderUnwritable, folder);
        for (const QString& path :
             {startup.desktopEntryPath(), startup.mimePackagePath(), startup.iconPath()})
            QVERIFY2(QFile::exists(path) == (c.declare && !c.homeUnwritable), qPrintable(path));
        QCOMPARE(started.isEmpty(), !c.declare);
        QCOMPARE(result.defaultsWritten, c.defaults);
        QCOMPARE(result.prefs, c.defaults ? settings::Preferences::defaults() : kMinePrefs);
        QCOMPARE(result.surfacePanel.has_value(), !c.defaults);
        if (c.storeRefuses)
            return;
        QCOMPARE(PreferenceStore(store).readPreferences(),
                 std::optional(result.prefs)); // as stored
        QCOMPARE(PreferenceStore(store).readSurfacePanelShown().has_value(), c.stored);
    }

    // A per-user entry under the installed program's id goes only when it starts a
    // program that is gone (or, from a build folder, that build folder's own earlier one);
    // a build folder registers under its own id.
    void staleDesktopEntry_data() {
        QTest::addColumn<QString>("exec"); // GONE, OTHER and SELF stand for program paths
        QTest::addColumn<bool>("declare"); // a build folder, not an installed program
        QTest::addColumn<bool>("removed");
        QTest::newRow("installed: a deleted portable copy's entry goes")
            << "\"GONE\" %f" << false << true;
        QTest::newRow("installed: an unquoted deleted path goes") << "GONE %f" << false << true;
        QTest::newRow("installed: an existing program's entry stays")
            << "\"OTHER\" %f" << false << false;
        QTest::newRow("installed: a program on the PATH stays") << "kestrion %f" << false << false;
        QTest::newRow("build folder: its own earlier entry goes") << "\"SELF\" %f" << true << true;
        QTest::newRow("build folder: another copy's entry stays")
            << "\"OTHER\" %f" << true << false;
    }
    void staleDesktopEntry() {
        QFETCH(QString, exec);
        QFETCH(bool, declare);
        QFETCH(bool, removed);
        QTemporaryDir base;
        const QString root = base.path() + QStringLiteral("/build");
        QVERIFY(QDir().mkpath(root));
        for (const QString& program :
             {QString(root + "/kestrion"), QString(base.path() + "/other")})
            QVERIFY(QFile(program).open(QIODevice::WriteOnly));
        exec.replace("GONE", base.path() + "/deleted copy/kestrion")
            .replace("OTHER", base.path() + "/other")
            .replace("SELF", root + "/kestrion");
        platform::FileSystem files;
        platform::MemoryStore store;
        app::Startup startup(root, base.path() + QStringLiteral("/share"), files, store);
        QStringList started;
        startup.runDetached = [&started](const QString& program, const QStringList&) {
            started << program;
            return true;
        };
        startup.declareToDesktop = declare;
        const QString stale = startup.installedIdEntryPath();
        QVERIFY(QDir().mkpath(QFileInfo(stale).absolutePath()));
        QVERIFY(files.writeFileSafely(
            stale, "[Desktop Entry]\nType=Application\nName=Kestrion\nExec=" + exec.toUtf8() +
                       "\nMimeType=application/x-kestrion-agencement;\n"));
        startup.run();
        QCOMPARE(QFile::exists(stale), !removed);
        QCOMPARE(started.contains("update-desktop-database"), removed || declare);
        QCOMPARE(QFileInfo(startup.desktopEntryPath()).fileName(),
                 QStringLiteral("kestrion-dev.desktop"));
        QCOMPARE(QFile::exists(startup.desktopEntryPath()), declare);
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
