// Guards how the six preferences and modsurf are written to and read from the store, and
// that preferences kept the way earlier versions did are still found.
#include "settings/PreferenceStore.h"
#include "testkit/TestKit.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
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
        QStringList written;
        for (const QString& n : kSixNames) {
            QCOMPARE(memory.types.value(n), platform::ValueType::Integer32);
            written << memory.values.value(n);
        }
        QCOMPARE(written, (QStringList{"1", "0", "1", "0", "37", "0"}));
        QCOMPARE(PreferenceStore(memory).readSix(), std::optional(changed()));
        QVERIFY(!PreferenceStore(memory).readModsurf());
        QVERIFY(PreferenceStore(memory).writeModsurf(true));
        QCOMPARE(PreferenceStore(memory).readModsurf(), std::optional(QStringLiteral("1")));
        // A line width that is not a number is not written; the other five are.
        Preferences p;
        p.larlig = QStringLiteral("abc");
        QVERIFY(!PreferenceStore(memory).writeSix(p));
        QCOMPARE(memory.values.value(QStringLiteral("larlig")), "37");
        QCOMPARE(memory.values.value(QStringLiteral("carross")), "0");
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
        memory.values.remove(missing);
        QVERIFY(!PreferenceStore(memory).readSix());
    }

    // An ini file as earlier versions left it: every value under HKLM\Software\Kestrion.
    void earlierPreferencesMoveToPlainNames_data() {
        QTest::addColumn<QString>("plainLarlig"); // empty: only the earlier key exists
        QTest::addColumn<QString>("larlig");
        QTest::newRow("only the earlier keys: read from there") << QString() << "37";
        QTest::newRow("the plain name wins over the earlier key") << "5"
                                                                  << "5";
    }
    void earlierPreferencesMoveToPlainNames() {
        QFETCH(QString, plainLarlig);
        QFETCH(QString, larlig);
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("Kestrion.ini"));
        QByteArray text = "[HKLM]\n";
        const QStringList values = {"1", "0", "1", "0", "37", "0", "1"};
        for (int i = 0; i < values.size(); ++i)
            text += "Software\\Kestrion\\" + (kSixNames + QStringList{"modsurf"}).at(i).toUtf8() +
                    '=' + values.at(i).toUtf8() + '\n';
        if (!plainLarlig.isEmpty())
            text = "[General]\nlarlig=" + plainLarlig.toUtf8() + '\n' + text;
        QFile file(ini);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
        file.close();
        platform::QSettingsStore store(ini);
        Preferences expected = changed();
        expected.larlig = larlig;
        QCOMPARE(PreferenceStore(store).readSix(), std::optional(expected));
        QCOMPARE(PreferenceStore(store).readModsurf(), std::optional(QStringLiteral("1")));

        // The next write keeps them under their plain names, at the top of the file.
        expected.carross = false;
        QVERIFY(PreferenceStore(store).writeSix(expected));
        QVERIFY(PreferenceStore(store).writeModsurf(false));
        QSettings written(ini, QSettings::IniFormat);
        QCOMPARE(written.value(QStringLiteral("carross")).toString(), QStringLiteral("0"));
        QCOMPARE(written.value(QStringLiteral("larlig")).toString(), larlig);
        QCOMPARE(written.value(QStringLiteral("modsurf")).toString(), QStringLiteral("0"));
        QCOMPARE(PreferenceStore(store).readSix(), std::optional(expected));
        QVERIFY(!store.write(QStringLiteral("bad"), QStringLiteral("abc"),
                             platform::ValueType::Integer32));
        // Text values survive the store as written, accents included.
        const QString words = QStringLiteral("Agencement Kestrion, véhicule");
        QVERIFY(store.write(QStringLiteral("note"), words, platform::ValueType::Text));
        QCOMPARE(platform::QSettingsStore(ini).read(QStringLiteral("note")), std::optional(words));
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
