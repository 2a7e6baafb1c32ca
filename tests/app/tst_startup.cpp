// Guards the start-up before the window shows: library folders, and the preferences read
// or replaced by their defaults whatever fails.
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
const QStringList kSix = {"carross", "clicpreplan", "ancrer", "fondblanc", "larlig", "autozone"};
const QStringList kDefaults = {"0", "0", "0", "0", "2", "1"};

QStringList storedSix(const platform::MemoryStore& store) {
    QStringList values;
    for (const QString& name : kSix)
        values << store.values.value(PreferenceStore::key(name), QStringLiteral("<missing>"));
    return values;
}
} // namespace

class TestStartup : public QObject {
    Q_OBJECT

    platform::FileSystem files;
    platform::MemoryStore store;

    app::Startup make(const QString& libraryRoot, const QString& dataHome) {
        app::Startup startup(libraryRoot, dataHome, files, store);
        // As on a desktop without the cache tools.
        startup.runDetached = [](const QString&, const QStringList&) { return false; };
        return startup;
    }

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }
    void init() { store = platform::MemoryStore(); }

    void firstRunMakesTheFoldersAndWritesTheSixDefaults() {
        QTemporaryDir libraryRoot, home;
        QVERIFY(QDir(libraryRoot.path()).mkdir(QStringLiteral("textures")));
        const QString kept = libraryRoot.path() + QStringLiteral("/textures/bois.bmp");
        QVERIFY(QFile(kept).open(QIODevice::WriteOnly));
        const app::StartupResult result = make(libraryRoot.path(), home.path()).run();
        for (const char* folder : {"textures", "vehicules", "accessoires"})
            QVERIFY2(QDir(libraryRoot.path()).exists(QLatin1String(folder)), folder);
        QVERIFY(QFile::exists(kept));
        QVERIFY(result.defaultsWritten);
        QCOMPARE(result.prefs, settings::Preferences::defaults());
        QCOMPARE(storedSix(store), kDefaults);
        QCOMPARE(store.types.value(PreferenceStore::key(QStringLiteral("larlig"))),
                 platform::ValueType::Integer32);
        QVERIFY(!result.surfacePanel && !store.values.contains(PreferenceStore::key("modsurf")));
    }

    void failuresAreAbsorbed_data() {
        QTest::addColumn<bool>("storeRefuses");
        QTest::addColumn<bool>("homeUnwritable");
        QTest::addColumn<bool>("folderUnwritable");
        QTest::addColumn<bool>("defaultsExpected");
        QTest::newRow("nothing fails: stored values kept") << false << false << false << false;
        QTest::newRow("store refusing reads and writes gives the defaults")
            << true << false << false << true;
        QTest::newRow("registration failing replaces stored values by defaults")
            << false << true << false << true;
        QTest::newRow("unwritable program folder still reads the preferences")
            << false << false << true << false;
    }
    void failuresAreAbsorbed() {
        QFETCH(bool, storeRefuses);
        QFETCH(bool, homeUnwritable);
        QFETCH(bool, folderUnwritable);
        QFETCH(bool, defaultsExpected);
        QTemporaryDir base;
        // A plain file where a folder should be makes everything below it unwritable.
        const QString blocker = base.path() + QStringLiteral("/blocker");
        QVERIFY(QFile(blocker).open(QIODevice::WriteOnly));
        const QString libraryRoot =
            folderUnwritable ? blocker + QStringLiteral("/program") : base.path();
        const QString home = (homeUnwritable ? blocker : base.path()) + QStringLiteral("/share");
        const QStringList mine = {"1", "0", "1", "0", "9", "0"};
        for (int i = 0; i < kSix.size(); ++i)
            store.write(PreferenceStore::key(kSix[i]), mine[i], platform::ValueType::Integer32);
        store.write(PreferenceStore::key(QStringLiteral("modsurf")), QStringLiteral("0"),
                    platform::ValueType::Integer32);
        store.refuseReads = store.refuseWrites = storeRefuses;

        const app::StartupResult result = make(libraryRoot, home).run();

        QCOMPARE(result.defaultsWritten, defaultsExpected);
        QCOMPARE(result.prefs == settings::Preferences::defaults(), defaultsExpected);
        QCOMPARE(result.surfacePanel.has_value(), !defaultsExpected);
        if (!defaultsExpected)
            QVERIFY(result.prefs.carross && result.prefs.larlig == QStringLiteral("9"));
        if (!storeRefuses)
            QCOMPARE(storedSix(store), homeUnwritable ? kDefaults : mine);
        QCOMPARE(QDir(libraryRoot + QStringLiteral("/vehicules")).exists(), !folderUnwritable);
    }

    void fileTypeIsDeclaredOnlyFromABuildFolder_data() {
        QTest::addColumn<bool>("declare");
        QTest::newRow("build folder: desktop entry, file type and icon written") << true;
        QTest::newRow("installed: nothing written, the stored preferences still read") << false;
    }
    void fileTypeIsDeclaredOnlyFromABuildFolder() {
        QFETCH(bool, declare);
        QTemporaryDir libraryRoot, home;
        store.write(PreferenceStore::key(QStringLiteral("larlig")), QStringLiteral("7"),
                    platform::ValueType::Integer32);
        for (const QString& name : kSix.mid(0, 4) + QStringList{QStringLiteral("autozone")})
            store.write(PreferenceStore::key(name), QStringLiteral("0"),
                        platform::ValueType::Integer32);
        QStringList started;
        app::Startup startup(libraryRoot.path(), home.path(), files, store);
        startup.runDetached = [&started](const QString& program, const QStringList&) {
            started << program;
            return true;
        };
        startup.declareToDesktop = declare;

        const app::StartupResult result = startup.run();

        for (const QString& path :
             {startup.desktopEntryPath(), startup.mimePackagePath(), startup.iconPath()})
            QVERIFY2(QFile::exists(path) == declare, qPrintable(path));
        QCOMPARE(started.isEmpty(), !declare);
        QVERIFY(!result.defaultsWritten);
        QCOMPARE(result.prefs.larlig, QStringLiteral("7"));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
