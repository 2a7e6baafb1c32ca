// The real executable's writes when they must fail: onto the layout it reads, and on a
// full disk, where the file already there must stay as it was.
#include "testkit/PlanObjects.h"
#include "testkit/TestKit.h"

#include "document/Layout.h"
#include "document/LayoutFile.h"
#include "platform/FileSystem.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray kEarlier = "le fichier d'avant\n";

} // namespace

class TestWriteFailures : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QString layout_;
    QByteArray layoutBytes_;

    testkit::ProgramRun run(const QStringList& arguments) const {
        return testkit::runProgram(QStringLiteral(KESTRION_EXECUTABLE), arguments, dir_.path());
    }

private Q_SLOTS:
    void initTestCase() {
        testkit::setUpTestEnvironment();
        document::Layout layout;
        layout.vehicleFile = QStringLiteral("Fourgon_L2H2_Dessus_XY_5000_.jpg");
        layout.zoomText = QStringLiteral("100");
        for (int i = 0; i < 40; ++i)
            layout.objects.append(testkit::planObject(document::ObjectKind::Rectangle,
                                                      float(100 + 20 * i), float(60 + 5 * i), 50,
                                                      80, document::Fill::colour(i % 16)));
        layout_ = dir_.filePath(QStringLiteral("plan.kla"));
        platform::FileSystem fs;
        QVERIFY(document::writeLayoutFile(layout_, layout, QLocale::c(), fs));
        layoutBytes_ = fs.readFile(layout_).value_or("");
        QVERIFY(QFile::link(layout_, dir_.filePath(QStringLiteral("lien.png"))) &&
                QFile::link(layout_, dir_.filePath(QStringLiteral("lien.csv"))));
        QVERIFY(::link(QFile::encodeName(layout_).constData(),
                       QFile::encodeName(dir_.filePath(QStringLiteral("dur.pdf"))).constData()) ==
                0);
    }

    void outputOntoItsLayout_data() {
        QTest::addColumn<QString>("args"); // LAYOUT stands for the layout's path
        QTest::addColumn<bool>("named");   // the output's name is a layout's: refused for it
        QTest::newRow("parts list") << "--parts LAYOUT LAYOUT" << true;
        QTest::newRow("picture") << "--export LAYOUT LAYOUT" << true;
        QTest::newRow("thumbnail") << "--thumbnail LAYOUT LAYOUT 64" << true;
        QTest::newRow("relative spelling of the same path") << "--parts LAYOUT ./plan.kla" << true;
        QTest::newRow("thumbnail through a symbolic link")
            << "--thumbnail LAYOUT lien.png 64" << false;
        QTest::newRow("parts list through a symbolic link") << "--parts LAYOUT lien.csv" << false;
        QTest::newRow("PDF onto a hard link") << "--export LAYOUT dur.pdf --scale 20" << false;
    }
    void outputOntoItsLayout() {
        QFETCH(QString, args);
        QFETCH(bool, named);
        QStringList arguments = args.split(QLatin1Char(' '));
        for (QString& arg : arguments)
            if (arg == QLatin1String("LAYOUT"))
                arg = layout_;
            else if (!arg.startsWith(QLatin1String("--")) && arg.contains(QLatin1Char('.')))
                arg = dir_.filePath(arg);
        const testkit::ProgramRun result = run(arguments);
        QCOMPARE(result.exitCode, 2);
        QVERIFY2(named || result.err.contains(QStringLiteral("l'agencement lui-même")),
                 qPrintable(result.err));
        QCOMPARE(platform::FileSystem().readFile(layout_).value_or(""), layoutBytes_);
    }

    // A link planted where a fixed temporary name would be is never followed, and the
    // folder holds only the picture afterwards.
    void jpegTemporaryFileIsItsOwn() {
        QTemporaryDir out;
        const QString victim = dir_.filePath(QStringLiteral("victime.txt"));
        QVERIFY(platform::FileSystem().writeFileSafely(victim, kEarlier));
        const QString jpeg = out.filePath(QStringLiteral("plan.jpg"));
        for (const QString& planted : {QString(jpeg + ".kestrion-tmp"), QString(jpeg + ".tmp")})
            QVERIFY(QFile::link(victim, planted));
        QStringList expected = QDir(out.path()).entryList(QDir::System | QDir::Files);
        expected << QStringLiteral("plan.jpg");
        expected.sort();
        const testkit::ProgramRun result = run({QStringLiteral("--export"), layout_, jpeg});
        QCOMPARE(result.exitCode, 0);
        QCOMPARE(platform::FileSystem().readFile(victim).value_or(""), kEarlier);
        QVERIFY(platform::FileSystem().readFile(jpeg).value_or("").startsWith("\xFF\xD8\xFF"));
        QCOMPARE(QDir(out.path()).entryList(QDir::System | QDir::Files), expected);
    }

    void fullDisk_data() {
        QTest::addColumn<QString>("args"); // OUT stands for the file on the full disk
        QTest::newRow("parts list") << "--parts LAYOUT OUT.csv";
        QTest::newRow("JPEG picture") << "--export LAYOUT OUT.jpg";
        QTest::newRow("BMP picture") << "--export LAYOUT OUT.bmp";
        QTest::newRow("PNG thumbnail") << "--thumbnail LAYOUT OUT.png 64";
        QTest::newRow("PDF at 1:5") << "--export LAYOUT OUT.pdf --scale 5";
    }
    void fullDisk() {
        QFETCH(QString, args);
        testkit::SmallDisk disk;
        if (!disk.unavailable().isEmpty())
            QSKIP(qPrintable(disk.unavailable()));
        QString out;
        QStringList arguments = args.split(QLatin1Char(' '));
        for (QString& arg : arguments)
            if (arg == QLatin1String("LAYOUT"))
                arg = layout_;
            else if (arg.startsWith(QLatin1String("OUT.")))
                arg = out = disk.filePath(arg);
        QVERIFY(platform::FileSystem().writeFileSafely(out, kEarlier));
        QVERIFY(disk.fill());
        const QStringList before = disk.names();
        const testkit::ProgramRun result = run(arguments);
        QCOMPARE(result.exitCode, 4);
        QVERIFY2(result.err.contains(QStringLiteral("Impossible")), qPrintable(result.err));
        QCOMPARE(platform::FileSystem().readFile(out).value_or(""), kEarlier);
        QCOMPARE(disk.names(), before);
    }
};

QTEST_GUILESS_MAIN(TestWriteFailures)
#include "tst_writefailures.moc"
