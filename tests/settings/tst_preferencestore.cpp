// Preferences kept the way earlier versions did are under HKLM\Software\Kestrion.
#include "platform/FileSystem.h"
#include "settings/PreferenceStore.h"
#include "testkit/TestKit.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

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

    // A store that is not a regular file gives the defaults at once and is never written
    // through; a full disk keeps the preferences that were there.
    void storeThatCannotBeUsed_data() {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << "fifo";
        QTest::newRow("folder") << "folder";
        QTest::newRow("character device through a link") << "device";
        QTest::newRow("full disk") << "full";
    }
    void storeThatCannotBeUsed() {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        testkit::SmallDisk disk;
        QString ini = dir.filePath(QStringLiteral("Kestrion.ini"));
        const QByteArray ini8 = QFile::encodeName(ini);
        QByteArray earlier;
        if (kind == QLatin1String("fifo")) {
            QVERIFY(::mkfifo(ini8.constData(), 0600) == 0);
        } else if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(ini));
        } else if (kind == QLatin1String("device")) {
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), ini));
        } else {
            if (!disk.unavailable().isEmpty())
                QSKIP(qPrintable(disk.unavailable()));
            ini = disk.filePath(QStringLiteral("Kestrion.ini"));
            platform::QSettingsStore store(ini);
            QVERIFY(PreferenceStore(store).writePreferences(kChanged));
            earlier = platform::FileSystem().readFile(ini).value_or("");
            QVERIFY(disk.fill());
        }
        const QStringList before = QDir(QFileInfo(ini).path()).entryList(QDir::AllEntries);
        platform::QSettingsStore store(ini);
        const std::optional<Preferences> read = PreferenceStore(store).readPreferences();
        QCOMPARE(read, kind == QLatin1String("full") ? std::optional(kChanged) : std::nullopt);
        QVERIFY(!PreferenceStore(store).writePreferences(Preferences::defaults()));
        QCOMPARE(QDir(QFileInfo(ini).path()).entryList(QDir::AllEntries), before);
        if (kind == QLatin1String("full"))
            QCOMPARE(platform::FileSystem().readFile(ini).value_or(""), earlier);
        else
            QVERIFY(!QFileInfo(ini).isFile() || QFileInfo(ini).isSymLink());
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
