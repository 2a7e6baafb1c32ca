// Guards the program's command line: --help, unknown options, --export and --thumbnail run by the
// real executable on the bundled sample library, without a display.

#include "testkit/PlanObjects.h"
#include "testkit/TestKit.h"

#include "document/Layout.h"
#include "document/LayoutFile.h"
#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"
#include "settings/PreferenceStore.h"

#include <QImage>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kExecutable = QStringLiteral(KESTRION_EXECUTABLE);
const QString kVehicle = QStringLiteral("Fourgon_L2H2_Dessus_XY_5000_.jpg");

using document::Fill;
using document::ObjectKind;
using testkit::planObject;

struct Run {
    int exitCode = -1;
    QString err;
};

Run runProgram(const QStringList& args, const QString& home) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("HOME"), home); // no preferences of the user's own
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    process.setProcessEnvironment(env);
    process.start(kExecutable, args);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(),
            QString::fromUtf8(process.readAllStandardError() + process.readAllStandardOutput())};
}

bool bandIsWhiteWithText(const QImage& image) {
    const int top = image.height() - 20;
    int dark = 0;
    for (int y = top; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                ++dark;
    const QRgb corner = image.pixel(1, image.height() - 2);
    return dark > 20 && qGray(corner) > 240;
}

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() {
        testkit::setUpTestEnvironment();
        QVERIFY2(QFileInfo::exists(kExecutable), qPrintable(kExecutable));
        const QString library = QFileInfo(kExecutable).absolutePath();
        QVERIFY2(QFileInfo::exists(library + QStringLiteral("/vehicules/") + kVehicle),
                 "the sample library lies beside the program");
        QVERIFY(dir_.isValid());

        document::Layout layout;
        layout.vehicleFile = kVehicle;
        layout.zoomText = QStringLiteral("50");
        document::ObjectTable& t = layout.objects;
        t.append(planObject(ObjectKind::Rectangle, 200, 60, 120, 190,
                            Fill::file(QStringLiteral("Parquet chene.jpg"))));
        t.append(planObject(ObjectKind::Accessory, 250, 80, 60, 120,
                            Fill::file(QStringLiteral("Couchage_Banquette lit_120_60_XY_.bmp")),
                            false, 1));
        t.append(planObject(ObjectKind::Ellipse, 600, 150, 50, 50, Fill::colour(2)));
        t.append(planObject(ObjectKind::Measure, 150, 20, 10, 400, Fill::colour(6)));
        t.append(planObject(ObjectKind::Text, 500, 40, 5, 30, Fill::colour(0), false, 0,
                            QStringLiteral("Cuisine")));
        layoutPath_ = dir_.path() + QStringLiteral("/plan.kla");
        platform::FileSystem fs;
        QVERIFY(document::writeLayoutFile(layoutPath_, layout, QLocale::c(), fs));
        QVERIFY(QFile::copy(layoutPath_, dir_.path() + QStringLiteral("/plan \"v2\".kla")));
    }

    // --help prints the usage; any argument starting with "--" that the program does not know
    // ends it with the usage too, before any window could open.
    void unknownOptionPrintsTheUsage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named"); // what the message names
        QTest::addColumn<int>("exitCode");
        QTest::newRow("--help names every headless command")
            << QStringList{"--help"} << "--export --thumbnail --parts --canvas --scale" << 0;
        const QString layout = QStringLiteral("plan.kla");
        QTest::newRow("after a layout") << QStringList{layout, "--something"} << "--something" << 2;
        QTest::newRow("value given to --export")
            << QStringList{"--export=plan.kla", "out.jpg"} << "--export=plan.kla" << 2;
        QTest::newRow("alongside --help") << QStringList{"--help", "--bogus"} << "--bogus" << 2;
        QTest::newRow("lone --") << QStringList{"--", layout} << "--" << 2;
        QTest::newRow("--canvas without --export")
            << QStringList{"--canvas", "10x10", layout}
            << "une seule commande : --export, --thumbnail ou --parts" << 2;
    }
    void unknownOptionPrintsTheUsage() {
        QFETCH(QStringList, args);
        QFETCH(QString, named);
        QFETCH(int, exitCode);
        for (QString& arg : args)
            if (arg.endsWith(QLatin1String(".kla")) && !arg.startsWith(QLatin1Char('-')))
                arg = layoutPath_;
        const Run run = runProgram(args, dir_.path());
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY2(run.err.contains(QStringLiteral("Utilisation :")), qPrintable(run.err));
        for (const QString& word : exitCode == 0 ? named.split(u' ') : QStringList{named})
            QVERIFY2(run.err.contains(word), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(QStringLiteral("out.jpg")));
    }

    void exportWritesAStampedPicture_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("name");
        QTest::newRow("JPEG") << QStringLiteral("plan.kla") << QStringLiteral("plan.jpg");
        QTest::newRow("layout name with double quotes")
            << QStringLiteral("plan \"v2\".kla") << QStringLiteral("plan v2.jpg");
    }

    void exportWritesAStampedPicture() {
        QFETCH(QString, layout);
        QFETCH(QString, name);
        const QString output = dir_.path() + QLatin1Char('/') + name;
        const Run run = runProgram(
            {QStringLiteral("--export"), dir_.path() + QLatin1Char('/') + layout, output},
            dir_.path());
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QImage picture(output);
        QVERIFY2(!picture.isNull(), "the written picture decodes");
        // Drawn at 50 %: the canvas is half the vehicle picture, the zone at most that,
        // with the stamp band below.
        const QImage vehicle(QFileInfo(kExecutable).absolutePath() + QStringLiteral("/vehicules/") +
                             kVehicle);
        QVERIFY(picture.width() > 100 && picture.width() <= (vehicle.width() + 1) / 2);
        QVERIFY(picture.height() > 40 && picture.height() <= (vehicle.height() + 1) / 2 + 20);
        QVERIFY(bandIsWhiteWithText(picture));
    }

    void scaleAndPartsCommands_data() {
        QTest::addColumn<QStringList>("args"); // LAYOUT, OUT and MISSING stand for paths
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("written"); // what OUT starts with; empty: nothing written
        QTest::newRow("PDF at 1:20 on A3 landscape")
            << QStringList{"--export", "LAYOUT",  "OUT.pdf", "--scale",
                           "20",       "--paper", "a3",      "--landscape"}
            << 0 << "%PDF";
        QTest::newRow("PDF fitted to the page")
            << QStringList{"--export", "LAYOUT", "OUT.pdf", "--scale=fit"} << 0 << "%PDF";
        QTest::newRow("parts list: UTF-8 with a byte-order mark")
            << QStringList{"--parts", "LAYOUT", "OUT.csv"} << 0 << "N°;Type;";
        QTest::newRow("a scale that is not offered")
            << QStringList{"--export", "LAYOUT", "OUT.pdf", "--scale", "15"} << 2 << "";
        QTest::newRow("a PDF without a scale")
            << QStringList{"--export", "LAYOUT", "OUT.pdf"} << 2 << "";
        QTest::newRow("picture export of a missing layout")
            << QStringList{"--export", "MISSING", "OUT.jpg"} << 3 << "";
        QTest::newRow("parts list of a missing layout")
            << QStringList{"--parts", "MISSING", "OUT.csv"} << 3 << "";
        QTest::newRow("parts list into a missing folder")
            << QStringList{"--parts", "LAYOUT", "no/OUT.csv"} << 4 << "";
    }
    void scaleAndPartsCommands() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, written);
        QTemporaryDir out;
        QString output;
        for (QString& arg : args) {
            if (arg == QLatin1String("LAYOUT"))
                arg = layoutPath_;
            else if (arg == QLatin1String("MISSING"))
                arg = dir_.path() + QStringLiteral("/none.kla");
            else if (arg.contains(QLatin1String("OUT")))
                arg = output = out.filePath(arg);
        }
        const Run run = runProgram(args, dir_.path());
        QVERIFY2(run.exitCode == exitCode, qPrintable(run.err));
        QFile file(output);
        QCOMPARE(file.exists(), !written.isEmpty());
        if (written.isEmpty()) {
            QVERIFY(!run.err.trimmed().isEmpty());
            return;
        }
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        const bool csv = output.endsWith(QLatin1String(".csv"));
        // A CSV file opens with the UTF-8 byte-order mark.
        const QByteArray start = QByteArray(csv ? "\xEF\xBB\xBF" : "").append(written.toUtf8());
        QVERIFY(bytes.startsWith(start));
        if (csv)
            QVERIFY2(bytes.contains(";Total texture;Parquet chene : 2.28 m²;;;;;2.28;\r\n"),
                     bytes.constData());
    }

    // However a layout writes an object's kind, the export reads no picture from outside
    // the library; the picture is named as missing instead.
    void exportReadsNoPictureOutsideTheLibrary_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("listedAs");
        QTest::newRow("kind 1.2, drawn as a textured rectangle") << "1.2"
                                                                 << "textures suivantes";
        QTest::newRow("kind 9.2, drawn as an accessory") << "9.2"
                                                         << "accessoires suivants";
    }
    void exportReadsNoPictureOutsideTheLibrary() {
        QFETCH(QString, kind);
        QFETCH(QString, listedAs);
        const QRgb marker = qRgb(255, 0, 254); // a colour the sample library does not use
        QImage outside(64, 64, QImage::Format_RGB32);
        outside.fill(marker);
        QVERIFY(outside.save(dir_.path() + QStringLiteral("/outside.bmp"), "BMP"));
        // Climbing above the root stays at the root, so this reaches the file from any folder.
        const QString fill = QStringLiteral("../").repeated(40) + dir_.path().mid(1) +
                             QStringLiteral("/outside.bmp");
        const QString layout = dir_.path() + QStringLiteral("/outside.kla");
        QFile file(layout);
        QVERIFY(file.open(QIODevice::WriteOnly));
        const QStringList lines = {"Kestrion 2", kVehicle, "0",  "0",  "1",  "100", kind,
                                   "100",        "100",    "40", "40", fill, "1",   "0"};
        file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
        file.close();

        const QString output = dir_.path() + QStringLiteral("/outside-") + kind + ".bmp";
        const Run run = runProgram({QStringLiteral("--export"), layout, output}, dir_.path());
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QVERIFY2(run.err.contains(listedAs) && run.err.contains(fill), qPrintable(run.err));
        const QImage picture(output);
        QVERIFY(!picture.isNull());
        int marked = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                marked += picture.pixel(x, y) == marker;
        QCOMPARE(marked, 0);
    }

    void thumbnailFitsTheSizeAndKeepsTheZone_data() {
        QTest::addColumn<bool>("autozone");
        QTest::addColumn<QString>("size");
        QTest::addColumn<QSize>("expected"); // empty: the drawn zone's own size
        const QSize vehicle(1202, 530);
        QTest::newRow("autozone off, large size: the whole vehicle picture, not enlarged")
            << false << "4096" << vehicle;
        QTest::newRow("autozone off, 256: scaled to 256 on the longer side")
            << false << "256" << QSize(256, 112);
        QTest::newRow("autozone off, 1 pixel") << false << "1" << QSize(1, 1);
        QTest::newRow("autozone on, large size: the drawn zone, within the vehicle")
            << true << "4096" << QSize();
        QTest::newRow("autozone on, 128") << true << "128" << QSize();
    }
    void thumbnailFitsTheSizeAndKeepsTheZone() {
        QFETCH(bool, autozone);
        QFETCH(QString, size);
        QFETCH(QSize, expected);
        QTemporaryDir home;
        if (!autozone) {
            platform::QSettingsStore settings(home.path() +
                                              QStringLiteral("/.config/Kestrion/Kestrion.ini"));
            settings::PreferenceStore(settings).writeValue(QStringLiteral("autozone"),
                                                           QStringLiteral("0"));
        }
        const QString output = home.path() + QStringLiteral("/thumbnail.png");
        const Run run =
            runProgram({QStringLiteral("--thumbnail"), layoutPath_, output, size}, home.path());
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QImageReader reader(output);
        QCOMPARE(reader.format(), QByteArray("png"));
        const QImage thumbnail = reader.read();
        QVERIFY(!thumbnail.isNull());
        if (expected.isValid()) {
            QCOMPARE(thumbnail.size(), expected);
            return;
        }
        // The zone crops the white around the drawing; a small size keeps its proportions.
        const QImage zone = thumbnailOf(4096);
        QVERIFY(zone.width() <= 1202 && zone.height() <= 530);
        QVERIFY(zone.width() < 1202 || zone.height() < 530);
        const int longest = std::min(size.toInt(), std::max(zone.width(), zone.height()));
        QCOMPARE(std::max(thumbnail.width(), thumbnail.height()), longest);
        const double ratio = double(zone.width()) / zone.height();
        QVERIFY2(std::abs(thumbnail.width() - thumbnail.height() * ratio) <= 1.0 + ratio,
                 qPrintable(QStringLiteral("%1x%2 for a zone of %3x%4")
                                .arg(thumbnail.width())
                                .arg(thumbnail.height())
                                .arg(zone.width())
                                .arg(zone.height())));
    }

    void thumbnailRefusesBadInput_data() {
        QTest::addColumn<QByteArray>("layout"); // empty: no file at all
        QTest::addColumn<QString>("size");
        QTest::addColumn<int>("exitCode");
        QTest::newRow("missing layout") << QByteArray() << "128" << 3;
        QTest::newRow("random bytes") << QByteArray(4000, '\x9c') << "128" << 3;
        QTest::newRow("vehicle missing from the library")
            << QByteArray("Kestrion 2\r\nCamion_L9_Dessus_XY_5000_.jpg\r\n0\r\n0\r\n0\r\n100\r\n")
            << "128" << 3;
        QTest::newRow("size zero") << QByteArray("<the good layout>") << "0" << 2;
        QTest::newRow("size not a number") << QByteArray("<the good layout>") << "grand" << 2;
    }
    void thumbnailRefusesBadInput() {
        QFETCH(QByteArray, layout);
        QFETCH(QString, size);
        QFETCH(int, exitCode);
        QTemporaryDir home;
        QString input = home.path() + QStringLiteral("/plan.kla");
        if (layout == "<the good layout>")
            input = layoutPath_;
        else if (!layout.isEmpty())
            QVERIFY(platform::FileSystem().writeFileSafely(input, layout));
        const QString output = home.path() + QStringLiteral("/thumbnail.png");
        const Run run =
            runProgram({QStringLiteral("--thumbnail"), input, output, size}, home.path());
        QCOMPARE(run.exitCode, exitCode);
        QVERIFY(!run.err.trimmed().isEmpty());
        QVERIFY2(!QFileInfo::exists(output), "no picture is left behind");
    }

private:
    QImage thumbnailOf(int size) {
        const QString output = dir_.path() + QStringLiteral("/zone.png");
        const Run run =
            runProgram({QStringLiteral("--thumbnail"), layoutPath_, output, QString::number(size)},
                       dir_.path());
        return run.exitCode == 0 ? QImage(output) : QImage();
    }

    QTemporaryDir dir_;
    QString layoutPath_;
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
