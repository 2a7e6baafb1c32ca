// Preferences kept the way earlier versions did are under HKLM\Software\Kestrion.
#include "platform/FileSystem.h"
#include "settings/PreferenceStore.h"
#include "testkit/TestKit.h"

#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

using namespace settings;

namespace {

const QStringList kNames = {"carross", "clicpreplan", "ancrer", "fondblanc",
                            "larlig",  "autozone",    "modsurf"};

const Preferences kChanged{true, false, true, false, QStringLiteral("37"), false};

} // namespace

class TestPreferenceStore : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void sixWrittenAsIntegersAndReadBack() {
        platform::MemoryStore memory;
        PreferenceStore store(memory);
        QVERIFY(store.writePreferences(kChanged));
        QStringList written;
        for (const QString& n : kNames.mid(0, 6))
            written << memory.values.value(n);
        QCOMPARE(written, (QStringList{"1", "0", "1", "0", "37", "0"}));
        QCOMPARE(memory.types.values().count(platform::ValueType::Integer32), 6);
        QCOMPARE(store.readPreferences(), std::optional(kChanged));
        QVERIFY(!store.readSurfacePanelShown());
        // A line width that is not a number is not written; the other five are.
        QVERIFY(!store.writePreferences({.lineWidth = QStringLiteral("abc")}));
        QCOMPARE(memory.values.value(QStringLiteral("larlig")), "37");
        QCOMPARE(memory.values.value(QStringLiteral("carross")), "0");
        // Any one of the six missing and none is read.
        for (const QString& n : kNames.mid(0, 6)) {
            platform::MemoryStore without = memory;
            without.values.remove(n);
            QVERIFY2(!PreferenceStore(without).readPreferences(), qPrintable(n));
        }
    }

    void earlierPreferencesMoveToPlainNames_data() {
        QTest::addColumn<QByteArray>("plain"); // what the file also holds under plain names
        QTest::addColumn<QString>("lineWidth");
        QTest::newRow("only the earlier keys: read from there") << QByteArray() << "37";
        QTest::newRow("the plain name wins") << QByteArray("[General]\nlarlig=5\n") << "5";
    }
    void earlierPreferencesMoveToPlainNames() {
        QFETCH(QByteArray, plain);
        QFETCH(QString, lineWidth);
        QTemporaryDir dir;
        const QString ini = dir.filePath(QStringLiteral("Kestrion.ini"));
        QByteArray text = plain + "[HKLM]\n";
        const QByteArrayList values = {"1", "0", "1", "0", "37", "0", "1"};
        for (int i = 0; i < values.size(); ++i)
            text += "Software\\Kestrion\\" + kNames[i].toUtf8() + '=' + values[i] + '\n';
        QVERIFY(platform::FileSystem().writeFileSafely(ini, text));
        platform::QSettingsStore store(ini);
        Preferences expected{true, false, true, false, lineWidth, false};
        QCOMPARE(PreferenceStore(store).readPreferences(), std::optional(expected));
        QCOMPARE(PreferenceStore(store).readSurfacePanelShown(),
                 std::optional(QStringLiteral("1")));
        // The next write keeps them under their plain names.
        expected.bodyLinesInFront = false;
        QVERIFY(PreferenceStore(store).writePreferences(expected));
        QVERIFY(PreferenceStore(store).writeSurfacePanelShown(false));
        QSettings written(ini, QSettings::IniFormat);
        QCOMPARE(written.value(QStringLiteral("carross")).toString(), QStringLiteral("0"));
        QCOMPARE(written.value(QStringLiteral("modsurf")).toString(), QStringLiteral("0"));
        QCOMPARE(written.value(QStringLiteral("larlig")).toString(), lineWidth);
        QCOMPARE(PreferenceStore(store).readPreferences(), std::optional(expected));
        QVERIFY(!store.write(QStringLiteral("bad"), QStringLiteral("abc"),
                             platform::ValueType::Integer32));
    }

    void penWidth_data() {
        QTest::addColumn<QString>("lineWidth");
        QTest::addColumn<int>("pixels");
        QTest::newRow("zero: at least one") << QStringLiteral("0") << 1;
        QTest::newRow("too wide: at most a hundred") << QStringLiteral("250") << 100;
        QTest::newRow("not a number: one") << QStringLiteral("abc") << 1;
        QTest::newRow("a half with a comma: to even") << QStringLiteral("2,5") << 2;
    }
    void penWidth() {
        QFETCH(QString, lineWidth);
        QFETCH(int, pixels);
        QCOMPARE(Preferences{.lineWidth = lineWidth}.penWidth(), pixels);
    }
};

QTEST_GUILESS_MAIN(TestPreferenceStore)
#include "tst_preferencestore.moc"
