// Guards how the six preferences and modsurf are written to and read from the store.
#include "platform/SettingsStore.h"
#include "settings/PreferenceStore.h"
#include "testkit/TestKit.h"

#include <QTemporaryDir>
#include <QTest>

using namespace settings;

namespace {

const QStringList kSixNames = {"carross",   "clicpreplan", "ancrer",
                               "fondblanc", "larlig",      "autozone"};

Preferences changed() {
    Preferences p;
    p.carross = true;
    p.ancrer = true;
    p.larlig = QStringLiteral("37");
    p.autozone = false;
    return p;
}

} // namespace

class TestPreferenceStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void sixWrittenAsIntegersInOrder() {
        platform::MemoryStore memory;
        PreferenceStore store(memory);
        QVERIFY(store.writeSix(changed()));
        for (const QString& n : kSixNames) {
            QCOMPARE(memory.genres.value(PreferenceStore::key(n), -1), 1);
        }
        QCOMPARE(memory.values.value(QStringLiteral("HKLM\\Software\\Kestrion\\carross")),
                 QStringLiteral("1"));
        QCOMPARE(memory.values.value(PreferenceStore::key(QStringLiteral("clicpreplan"))),
                 QStringLiteral("0"));
        QCOMPARE(memory.values.value(PreferenceStore::key(QStringLiteral("larlig"))),
                 QStringLiteral("37"));
        QCOMPARE(store.readSix(), std::optional<Preferences>(changed()));
    }

    void roundTripThroughAnIniFile() {
        QTemporaryDir dir;
        platform::QSettingsStore file(dir.filePath(QStringLiteral("k.ini")));
        PreferenceStore store(file);
        QVERIFY(!store.readSix());
        QVERIFY(store.writeSix(Preferences::defaults()));
        QCOMPARE(store.readSix(), std::optional<Preferences>(Preferences::defaults()));
        QVERIFY(store.writeSix(changed()));
        platform::QSettingsStore again(dir.filePath(QStringLiteral("k.ini")));
        QCOMPARE(PreferenceStore(again).readSix(), std::optional<Preferences>(changed()));
        QVERIFY(!store.readModsurf());
        QVERIFY(store.writeModsurf(true));
        QCOMPARE(store.readModsurf(), std::optional<QString>(QStringLiteral("1")));
    }

    void readFailsWhenAnyValueIsMissing_data() {
        QTest::addColumn<QString>("missing");
        for (const QString& n : kSixNames)
            QTest::newRow(qPrintable(n + QStringLiteral(" missing"))) << n;
    }
    void readFailsWhenAnyValueIsMissing() {
        QFETCH(QString, missing);
        platform::MemoryStore memory;
        PreferenceStore store(memory);
        QVERIFY(store.writeSix(changed()));
        memory.values.remove(PreferenceStore::key(missing));
        QVERIFY(!store.readSix());
    }

    void refusingStore() {
        platform::MemoryStore memory;
        PreferenceStore store(memory);
        QVERIFY(store.writeSix(changed()));
        memory.refuseReads = true;
        QVERIFY(!store.readSix());
        memory.refuseWrites = true;
        QVERIFY(!store.writeSix(Preferences::defaults()));
        QVERIFY(!store.writeModsurf(false));
    }

    void nonNumericLineWidthIsNotWritten() {
        platform::MemoryStore memory;
        PreferenceStore store(memory);
        Preferences p;
        p.larlig = QStringLiteral("abc");
        QVERIFY(!store.writeSix(p));
        QVERIFY(!memory.values.contains(PreferenceStore::key(QStringLiteral("larlig"))));
        // The other five are still written.
        QVERIFY(memory.values.contains(PreferenceStore::key(QStringLiteral("autozone"))));
    }

    void lineWidth_data() {
        QTest::addColumn<QString>("larlig");
        QTest::addColumn<int>("pixels");
        QTest::newRow("plain") << "37" << 37;
        QTest::newRow("zero is 1") << "0" << 1;
        QTest::newRow("above 100 is 100") << "250" << 100;
        QTest::newRow("empty is 1") << "" << 1;
        QTest::newRow("text is 1") << "abc" << 1;
        QTest::newRow("half to even") << "2,5" << 2;
    }
    void lineWidth() {
        QFETCH(QString, larlig);
        QFETCH(int, pixels);
        Preferences p;
        p.larlig = larlig;
        QCOMPARE(p.lineWidth(), pixels);
    }
};

QTEST_GUILESS_MAIN(TestPreferenceStore)
#include "tst_preferencestore.moc"
