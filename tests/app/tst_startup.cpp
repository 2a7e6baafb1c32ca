// Start-up: library folders, the file type declared to the desktop, the preferences read or
// replaced by their defaults whatever fails.
#include "app/Startup.h"
#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"
#include "settings/PreferenceStore.h"
#include "testkit/TestKit.h"

#include <QDir>
#include <QFile>
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
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
