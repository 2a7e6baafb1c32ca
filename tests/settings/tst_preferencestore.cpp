// Guards how the six preferences and modsurf are written to and read from the store.
#include "settings/PreferenceStore.h"
#include "testkit/TestKit.h"

#include <QTest>

using namespace settings;

namespace {

const QStringList kSixNames = {"carross",   "clicpreplan", "ancrer",
                               "fondblanc", "larlig",      "autozone"};

Preferences changed() {
    Preferences p;
    p.carross = p.ancrer = true;
    p.larlig = QStringLiteral("37");
    p.autozone = false;
    return p;
}

} // namespace

class TestPreferenceStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void sixWrittenAsIntegersInOrderAndReadBack() {
        platform::MemoryStore memory;
        QVERIFY(PreferenceStore(memory).writeSix(changed()));
        QStringList written; // genre:value
        for (const QString& n : kSixNames)
            written << QString::number(memory.genres.value(PreferenceStore::key(n))) + ':' +
                           memory.values.value(PreferenceStore::key(n));
        QCOMPARE(written, (QStringList{"1:1", "1:0", "1:1", "1:0", "1:37", "1:0"}));
        QCOMPARE(PreferenceStore(memory).readSix(), std::optional(changed()));
        QVERIFY(!PreferenceStore(memory).readModsurf());
        QVERIFY(PreferenceStore(memory).writeModsurf(true));
        QCOMPARE(PreferenceStore(memory).readModsurf(), std::optional(QStringLiteral("1")));
        // A line width that is not a number is not written; the other five are.
        Preferences p;
        p.larlig = QStringLiteral("abc");
        QVERIFY(!PreferenceStore(memory).writeSix(p));
        QCOMPARE(memory.values.value(PreferenceStore::key(QStringLiteral("larlig"))), "37");
        QCOMPARE(memory.values.value(PreferenceStore::key(QStringLiteral("carross"))), "0");
    }

    void readFails_data() {
        QTest::addColumn<QString>("missing");
        for (const QString& n : kSixNames)
            QTest::newRow(qPrintable(n + QStringLiteral(" missing"))) << n;
    }
    void readFails() {
        QFETCH(QString, missing);
        platform::MemoryStore memory;
        QVERIFY(PreferenceStore(memory).writeSix(changed()));
        memory.values.remove(PreferenceStore::key(missing));
        QVERIFY(!PreferenceStore(memory).readSix());
    }

    void lineWidth_data() {
        QTest::addColumn<QString>("larlig");
        QTest::addColumn<int>("pixels");
        QTest::newRow("plain") << "37" << 37;
        QTest::newRow("zero is 1") << "0" << 1;
        QTest::newRow("above 100 is 100") << "250" << 100;
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
