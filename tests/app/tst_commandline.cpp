// Guards the program's command line: --help, unknown options, and --export run by the real
// executable on the bundled sample library, without a display.

#include "testkit/TestKit.h"

#include "document/Layout.h"
#include "document/LayoutFile.h"
#include "platform/FileSystem.h"

#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kExecutable = QStringLiteral(KESTRION_EXECUTABLE);
const QString kVehicle = QStringLiteral("Fourgon_L2H2_Dessus_XY_5000_.jpg");

document::ObjectRow row(int kind, float x, float y, int h, int w, const document::Cell& fill,
                        const document::Cell& extra = document::Cell::integer(0)) {
    document::ObjectRow r;
    r[1] = document::Cell::integer(std::int16_t(kind));
    r[2] = document::Cell::real(x);
    r[3] = document::Cell::real(y);
    r[4] = document::Cell::integer(std::int16_t(h));
    r[5] = document::Cell::integer(std::int16_t(w));
    r[6] = fill;
    r[7] = document::Cell::integer(0);
    r[8] = extra;
    return r;
}

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
        layout.vehicule_fichier = kVehicle;
        layout.zoomText = QStringLiteral("50");
        document::ObjectTable& t = layout.objets;
        t.append(row(document::Rectangle, 200, 60, 120, 190,
                     document::Cell::text(QStringLiteral("Parquet chene.jpg"))));
        t.append(row(document::Accessoire, 250, 80, 60, 120,
                     document::Cell::text(QStringLiteral("Couchage_Banquette lit_120_60_XY_.bmp")),
                     document::Cell::integer(1)));
        t.append(row(document::Ellipse, 600, 150, 50, 50, document::Cell::integer(2)));
        t.append(row(document::Mesure, 150, 20, 10, 400, document::Cell::integer(6)));
        t.append(row(document::Texte, 500, 40, 5, 30, document::Cell::integer(0),
                     document::Cell::text(QStringLiteral("Cuisine"))));
        layoutPath_ = dir_.path() + QStringLiteral("/plan.kla");
        platform::FileSystem fs;
        QVERIFY(document::SauverAgencement(layoutPath_, layout, QLocale::c(), fs));
        QVERIFY(QFile::copy(layoutPath_, dir_.path() + QStringLiteral("/plan \"v2\".kla")));
    }

    void helpDescribesTheExport() {
        const Run run = runProgram({QStringLiteral("--help")}, dir_.path());
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.contains(QStringLiteral("--export")), qPrintable(run.err));
        QVERIFY(run.err.contains(QStringLiteral("--canvas")));
    }

    // Any argument starting with "--" that the program does not know ends it with the usage,
    // before any window could open.
    void unknownOptionPrintsTheUsage_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("named"); // what the message names
        const QString layout = QStringLiteral("plan.kla");
        QTest::newRow("before a layout") << QStringList{"--something", layout} << "--something";
        QTest::newRow("after a layout") << QStringList{layout, "--something"} << "--something";
        QTest::newRow("misspelt --export")
            << QStringList{"--exports", layout, "out.jpg"} << "--exports";
        QTest::newRow("value given to --export")
            << QStringList{"--export=plan.kla", "out.jpg"} << "--export=plan.kla";
        QTest::newRow("alongside --help") << QStringList{"--help", "--bogus"} << "--bogus";
        QTest::newRow("lone --") << QStringList{"--", layout} << "--";
        QTest::newRow("--canvas without --export")
            << QStringList{"--canvas", "10x10", layout} << "Seule la commande --export";
    }
    void unknownOptionPrintsTheUsage() {
        QFETCH(QStringList, args);
        QFETCH(QString, named);
        for (QString& arg : args)
            if (arg.endsWith(QLatin1String(".kla")) && !arg.startsWith(QLatin1Char('-')))
                arg = layoutPath_;
        const Run run = runProgram(args, dir_.path());
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains(QStringLiteral("Utilisation :")), qPrintable(run.err));
        QVERIFY2(run.err.contains(named), qPrintable(run.err));
        QVERIFY(!QFileInfo::exists(QStringLiteral("out.jpg")));
    }

    void exportWritesAStampedPicture_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("name");
        QTest::newRow("JPEG") << QStringLiteral("plan.kla") << QStringLiteral("plan.jpg");
        QTest::newRow("BMP") << QStringLiteral("plan.kla") << QStringLiteral("plan.bmp");
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

    void exportRefusesAMissingLayout() {
        const Run run =
            runProgram({QStringLiteral("--export"), dir_.path() + QStringLiteral("/none.kla"),
                        dir_.path() + QStringLiteral("/none.jpg")},
                       dir_.path());
        QVERIFY(run.exitCode != 0);
        QVERIFY(!run.err.trimmed().isEmpty());
        QVERIFY(!QFileInfo::exists(dir_.path() + QStringLiteral("/none.jpg")));
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

private:
    QTemporaryDir dir_;
    QString layoutPath_;
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
