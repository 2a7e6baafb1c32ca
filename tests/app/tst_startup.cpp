// Guards the start-up before the window shows: library folders, file-type files, and
// the preferences read or replaced by their defaults whatever fails.
#include "app/Startup.h"
#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"
#include "settings/PreferenceStore.h"
#include "testkit/TestKit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using app::Startup;

namespace {

const QStringList kSix = {QStringLiteral("carross"), QStringLiteral("clicpreplan"),
                          QStringLiteral("ancrer"),  QStringLiteral("fondblanc"),
                          QStringLiteral("larlig"),  QStringLiteral("autozone")};

QString key(const QString& name) {
    return settings::PreferenceStore::key(name);
}

void storeValues(platform::MemoryStore& store, const QStringList& values) {
    for (int i = 0; i < kSix.size(); ++i)
        store.write(1, key(kSix[i]), values[i]);
}

QStringList storedSix(platform::MemoryStore& store) {
    QStringList values;
    for (const QString& name : kSix)
        values.append(store.values.value(QStringLiteral("HKLM\\Software\\Kestrion\\") + name,
                                         QStringLiteral("<missing>")));
    return values;
}

} // namespace

class TestStartup : public QObject {
    Q_OBJECT

    platform::FileSystem files;
    QStringList started;

    Startup make(const QString& apath, const QString& dataHome, platform::SettingsStore& store) {
        Startup startup(apath, dataHome, files, store);
        startup.runDetached = [this](const QString& program, const QStringList&) {
            started.append(program);
            return false; // as on a desktop without the cache tools
        };
        return startup;
    }

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }
    void init() { started.clear(); }

    void createsMissingFoldersAndKeepsExistingOnes() {
        QTemporaryDir apath, home;
        QDir(apath.path()).mkdir(QStringLiteral("textures"));
        QFile kept(apath.path() + QStringLiteral("/textures/bois.bmp"));
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.close();
        platform::MemoryStore store;
        make(apath.path(), home.path(), store).run();
        for (const char* folder : {"textures", "vehicules", "accessoires"})
            QVERIFY2(QDir(apath.path() + QLatin1Char('/') + QLatin1String(folder)).exists(),
                     folder);
        QVERIFY(kept.exists());
    }

    void firstRunWritesTheSixDefaultsButNotModsurf() {
        QTemporaryDir apath, home;
        platform::MemoryStore store;
        const app::StartupResult result = make(apath.path(), home.path(), store).run();
        QVERIFY(result.defaultsWritten);
        QCOMPARE(result.prefs, settings::Preferences::defaults());
        QVERIFY(!result.modsurf);
        QCOMPARE(storedSix(store), (QStringList{"0", "0", "0", "0", "2", "1"}));
        for (const QString& name : kSix)
            QCOMPARE(store.genres.value(QStringLiteral("HKLM\\Software\\Kestrion\\") + name), 1);
        QVERIFY(!store.values.contains(key(QStringLiteral("modsurf"))));
    }

    void storedPreferencesAndModsurfAreKept() {
        QTemporaryDir apath, home;
        platform::MemoryStore store;
        storeValues(store, {"1", "0", "1", "0", "7", "0"});
        store.write(1, key(QStringLiteral("modsurf")), QStringLiteral("0"));
        const app::StartupResult result = make(apath.path(), home.path(), store).run();
        QVERIFY(!result.defaultsWritten);
        QVERIFY(result.prefs.carross && result.prefs.ancrer && !result.prefs.autozone);
        QCOMPARE(result.prefs.larlig, QStringLiteral("7"));
        QCOMPARE(result.modsurf, std::optional<QString>(QStringLiteral("0")));
        QCOMPARE(storedSix(store), (QStringList{"1", "0", "1", "0", "7", "0"}));
    }

    void failuresAreAbsorbed_data() {
        QTest::addColumn<bool>("storeRefuses");
        QTest::addColumn<bool>("homeUnwritable");
        QTest::addColumn<bool>("folderUnwritable");
        QTest::addColumn<bool>("defaultsExpected");
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
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString apath = folderUnwritable ? blocker + QStringLiteral("/program") : base.path();
        const QString home = homeUnwritable ? blocker + QStringLiteral("/share")
                                            : base.path() + QStringLiteral("/share");
        platform::MemoryStore store;
        storeValues(store, {"1", "1", "1", "1", "9", "0"});
        store.refuseReads = storeRefuses;
        store.refuseWrites = storeRefuses;

        const app::StartupResult result = make(apath, home, store).run();

        QCOMPARE(result.defaultsWritten, defaultsExpected);
        if (defaultsExpected) {
            QCOMPARE(result.prefs, settings::Preferences::defaults());
            QVERIFY(!result.modsurf);
        } else {
            QCOMPARE(result.prefs.larlig, QStringLiteral("9"));
        }
        if (homeUnwritable)
            QCOMPARE(storedSix(store), (QStringList{"0", "0", "0", "0", "2", "1"}));
        if (folderUnwritable)
            QVERIFY(!QDir(apath + QStringLiteral("/vehicules")).exists());
    }

    void declaresTheLayoutTypeToTheDesktop() {
        QTemporaryDir apath, home;
        platform::MemoryStore store;
        Startup startup = make(apath.path(), home.path(), store);
        QVERIFY(startup.registerFileType());

        QFile mime(startup.mimePackagePath());
        QVERIFY(mime.open(QIODevice::ReadOnly));
        const QString xml = QString::fromUtf8(mime.readAll());
        QVERIFY(xml.contains(QStringLiteral("type=\"application/x-kestrion-agencement\"")));
        QVERIFY(xml.contains(QStringLiteral("<glob pattern=\"*.kla\"/>")));
        QVERIFY(xml.contains(QStringLiteral("<comment>Agencement Kestrion</comment>")));

        QFile desktop(startup.desktopEntryPath());
        QVERIFY(desktop.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(desktop.readAll()).split(QLatin1Char('\n'));
        QVERIFY(lines.contains(QStringLiteral("Exec=\"") + apath.path() +
                               QStringLiteral("/kestrion\" %f")));
        QVERIFY(lines.contains(QStringLiteral("MimeType=application/x-kestrion-agencement;")));
        QVERIFY(lines.contains(QStringLiteral("Icon=kestrion")));
        QVERIFY(QFile::exists(startup.iconPath()));
        QCOMPARE(started, (QStringList{"update-mime-database", "update-desktop-database"}));

        // The next start finds the same files and leaves the caches alone.
        started.clear();
        QVERIFY(startup.registerFileType());
        QVERIFY(started.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
