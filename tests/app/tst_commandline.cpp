// The real executable's command line on the bundled sample library, without a display.
#include "testkit/PlanObjects.h"
#include "testkit/TestKit.h"

#include "document/Layout.h"
#include "document/LayoutFile.h"
#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"
#include "settings/PreferenceStore.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString kVehicle = QStringLiteral("Fourgon_L2H2_Dessus_XY_5000_.jpg");
constexpr QRgb kOutsideColour = qRgb(255, 0, 254); // a colour the sample library does not use

using document::Fill;
using document::ObjectKind;
using testkit::planObject;

} // namespace

class TestCommandLine : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QHash<QString, QString> standIns_; // what the tables name by a stand-in: paths, a fill

    // Runs the program with no preferences of the user's own; returns its exit code, and
    // what it said in said.
    int run(const QStringList& arguments, QString& said) {
        const testkit::ProgramRun ran =
            testkit::runProgram(QStringLiteral(KESTRION_EXECUTABLE), arguments, dir_.path());
        said = ran.err + ran.out;
        return ran.exitCode;
    }

private Q_SLOTS:
    void initTestCase() {
        testkit::setUpTestEnvironment();
        // Autozone off: pictures show the whole vehicle.
        platform::QSettingsStore settings(dir_.filePath(".config/Kestrion/Kestrion.ini"));
        QVERIFY(settings::PreferenceStore(settings).writeValue("autozone", "0"));
        document::Layout layout;
        layout.vehicleFile = kVehicle;
        layout.zoomText = QStringLiteral("50");
        document::ObjectTable& t = layout.objects;
        t.append(planObject(ObjectKind::Rectangle, 200, 60, 120, 190,
                            Fill::file(QStringLiteral("Parquet chene.jpg"))));
        t.append(planObject(ObjectKind::Accessory, 250, 80, 60, 120,
                            Fill::file(QStringLiteral("Couchage_Banquette lit_120_60_XY_.bmp")),
                            false, 1));
        t.append(planObject(ObjectKind::Text, 500, 40, 5, 30, Fill::colour(0), false, 0,
                            QStringLiteral("Cuisine")));
        platform::FileSystem fs;
        const auto add = [&](const char* standIn, const char* name, const QByteArray& bytes) {
            const QString path = standIns_[QLatin1String(standIn)] = dir_.filePath(name);
            return bytes.isEmpty() || fs.writeFileSafely(path, bytes);
        };
        QVERIFY(add("LAYOUT", "plan.kla", {}));
        QVERIFY(document::writeLayoutFile(standIns_["LAYOUT"], layout, QLocale::c(), fs));
        QVERIFY(add("QUOTED", "plan \"v2\".kla", {}));
        QVERIFY(QFile::copy(standIns_["LAYOUT"], standIns_["QUOTED"]));
        QVERIFY(add("MISSING", "none.kla", {}));
        QVERIFY(add("GARBAGE", "garbage.kla", QByteArray(4000, '\x9c')));
        QVERIFY(add("NOVEHICLE", "novehicle.kla",
                    "Kestrion 2\r\nCamion_L9_Dessus_XY_5000_.jpg\r\n0\r\n0\r\n0\r\n100\r\n"));
        // Climbing above the root stays at the root, so this path reaches the file from anywhere.
        QImage outside(64, 64, QImage::Format_RGB32);
        outside.fill(kOutsideColour);
        QVERIFY(outside.save(dir_.filePath(QStringLiteral("outside.bmp")), "BMP"));
        const QString fill = QString("../").repeated(40) + dir_.path().mid(1) + "/outside.bmp";
        const QStringList lines = {"Kestrion 2", kVehicle, "0",  "0",  "1", "100", "1.2", "100",
                                   "100",        "40",     "40", fill, "1", "0",   ""};
        QVERIFY(add("OUTSIDE", "outside.kla", lines.join("\r\n").toUtf8()));
        standIns_["OUTSIDE_FILL"] = fill;
        standIns_["EMPTY"] = QString();
        // On a vehicle and with an accessory that only the user's own library holds.
        document::Layout imported;
        imported.vehicleFile = QStringLiteral("Camion_L9_Dessus_XY_5000_.jpg"); // 2 px/cm
        imported.objects.append(planObject(ObjectKind::Rectangle, 0, 0, 50, 100, Fill::colour(2)));
        imported.objects.append(
            planObject(ObjectKind::Accessory, 250, 0, 40, 60,
                       Fill::file(QStringLiteral("Meuble_Importe_60_40_XY_.bmp")), true));
        QVERIFY(add("IMPORTED", "imported.kla", {}) &&
                document::writeLayoutFile(standIns_["IMPORTED"], imported, QLocale::c(), fs));

        // Masses on the sample L2H2 side view (2 px per cm, axles 105 and 450 cm from its
        // left edge): a 10 cm wide box of the given kg whose middle is at the given cm.
        const auto weighed = [&](const char* standIn, const QString& vehicle, float kg,
                                 float middleCm) {
            document::Layout masses;
            masses.vehicleFile = vehicle;
            masses.objects.append(planObject(ObjectKind::Rectangle, (middleCm - 5) * 2, 100, 20, 10,
                                             Fill::colour(3)));
            masses.objects.row(1).massKg = kg;
            masses.objects.append(planObject(ObjectKind::Ellipse, 10, 10, 20, 20));
            return add(standIn, standIn, {}) &&
                   document::writeLayoutFile(standIns_[standIn], masses, QLocale::c(), fs);
        };
        const QString side = QStringLiteral("Fourgon_L2H2_Gauche_XZ_5000_.gif");
        QVERIFY(weighed("ON_FRONT", side, 100, 105));
        QVERIFY(weighed("ON_REAR", side, 100, 450));
        QVERIFY(weighed("MIDWAY", side, 100, 277.5));
        QVERIFY(weighed("BEHIND", side, 100, 519));
        QVERIFY(weighed("AHEAD", side, 100, 36));
        QVERIFY(weighed("KERB", side, 0, 200));
        QVERIFY(weighed("REAR_OVER", side, 1200, 450));
        QVERIFY(weighed("BACK_VIEW", QStringLiteral("Fourgon_L2H2_Arriere_YZ_5000_.bmp"), 100, 0));
    }

    // `--masses` on sample-library layouts: the lever rule through the program, on either
    // side of each axle, and exit 5 when a limit is passed.
    void masses_data() {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("said");
        const auto row = [](const char* name, const char* layout, int exitCode,
                            const QStringList& said) {
            QTest::newRow(name) << QString::fromLatin1(layout) << exitCode << said;
        };
        row("on the front axle: front only", "ON_FRONT", 0,
            {"Masse totale : 2100 kg / 3500 kg", "Essieu avant : 1250 kg / 1850 kg",
             "Essieu arrière : 850 kg / 2000 kg", "Charge utile restante : 1400 kg",
             "Centre de gravité : 139.6 cm en arrière de l'essieu avant",
             "Sans masse connue : Objet 2 (ellipse)"});
        row("on the rear axle: rear only", "ON_REAR", 0,
            {"Essieu avant : 1150 kg / 1850 kg", "Essieu arrière : 950 kg / 2000 kg",
             "Centre de gravité : 156.1 cm"});
        row("midway: half and half", "MIDWAY", 0,
            {"Essieu avant : 1200 kg / 1850 kg", "Essieu arrière : 900 kg / 2000 kg",
             "Centre de gravité : 147.9 cm"});
        row("behind the rear axle: unloads the front", "BEHIND", 0,
            {"Essieu avant : 1130 kg / 1850 kg", "Essieu arrière : 970 kg / 2000 kg"});
        row("ahead of the front axle: unloads the rear", "AHEAD", 0,
            {"Essieu avant : 1270 kg / 1850 kg", "Essieu arrière : 830 kg / 2000 kg",
             "Centre de gravité : 136.4 cm"});
        row("nothing added: the kerb masses", "KERB", 0,
            {"Masse totale : 2000 kg / 3500 kg", "Essieu avant : 1150 kg / 1850 kg",
             "Essieu arrière : 850 kg / 2000 kg", "Charge utile restante : 1500 kg",
             "Centre de gravité : 146.6 cm"});
        row("rear axle over its maximum", "REAR_OVER", 5,
            {"Essieu arrière : 2050 kg / 2000 kg (dépassement de 50 kg)",
             "Charge utile restante : 300 kg"});
        row("back view: the total only, and why", "BACK_VIEW", 0,
            {"Masse totale : 2100 kg / 3500 kg", "Vue sans la longueur du véhicule"});
        row("a layout without masses", "LAYOUT", 0, {"Masse ajoutée : 0 kg"});
        row("a layout that cannot be read", "GARBAGE", 3, {});
    }
    void masses() {
        QFETCH(QString, layout);
        QFETCH(int, exitCode);
        QFETCH(QStringList, said);
        const testkit::ProgramRun ran =
            testkit::runProgram(QStringLiteral(KESTRION_EXECUTABLE),
                                {QStringLiteral("--masses"), standIns_.value(layout)}, dir_.path());
        const QString& printed = ran.out;
        QVERIFY2(ran.exitCode == exitCode, qPrintable(printed + ran.err));
        for (const QString& line : said)
            QVERIFY2(printed.contains(line), qPrintable(printed));
        QVERIFY2(exitCode != 3 || ran.err.contains(QStringLiteral("Impossible de lire")),
                 qPrintable(ran.err));
    }

    void commands_data() {                 // OUT… stands for a file in a fresh folder
        QTest::addColumn<QString>("args"); // separated by spaces
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QStringList>("said");       // what the program must say
        QTest::addColumn<QByteArrayList>("written"); // how OUT starts, then what it holds
        QTest::addColumn<QSize>("picture");          // the size of the picture written, if any
        const QString usage = QStringLiteral("Utilisation :");
        const auto row = [](const char* name, const char* args, int exitCode,
                            const QStringList& said = {}, const QByteArrayList& written = {},
                            QSize picture = {}) {
            QTest::newRow(name) << QString::fromLatin1(args) << exitCode << said << written
                                << picture;
        };
        row("--help names every headless command", "--help", 0,
            {usage, "--export", "--thumbnail", "--parts", "--canvas", "--scale"});
        row("unknown option after a layout", "LAYOUT --something", 2, {"--something"});
        row("value given to --export", "--export=plan.kla OUT.jpg", 2, {"--export=plan.kla"});
        row("--canvas without --export", "--canvas 10x10 LAYOUT", 2,
            {"une seule commande : --export, --thumbnail, --parts ou --masses"});
        row("an option given twice", "--export LAYOUT OUT.pdf --scale fit --scale 5", 2,
            {"--scale est donnée deux fois"});
        row("a flag given twice", "--export LAYOUT OUT.pdf --scale 5 --landscape --landscape", 2,
            {"--landscape est donnée deux fois"});
        row("a command given twice", "--parts LAYOUT OUT.csv --parts", 2,
            {"--parts est donnée deux fois"});
        row("an empty output name", "--export LAYOUT EMPTY", 2, {"vide"});
        row("an empty layout name", "--parts EMPTY OUT.csv", 2, {"vide"});
        row("an ending that names no format", "--export LAYOUT OUT.tif", 2, {".png", "OUT.tif"});
        row("PNG by the name", "--export LAYOUT OUT.png", 0, {}, {"\x89PNG\r\n"}, QSize(601, 285));
        row("JPEG by the longer ending", "--export LAYOUT OUT.JPEG", 0, {}, {"\xFF\xD8\xFF"});
        row("JPEG, name with quotes", "--export QUOTED OUT.jpg", 0, {}, {"\xFF\xD8\xFF"});
        row("PDF 1:20 A3 landscape", "--export LAYOUT OUT.pdf --scale 20 --paper a3 --landscape", 0,
            {}, {"%PDF"});
        row("PDF fitted to the page", "--export LAYOUT OUT.pdf --scale=fit", 0, {}, {"%PDF"});
        row("parts list: UTF-8 with a byte-order mark", "--parts LAYOUT OUT.csv", 0, {},
            {"\xEF\xBB\xBFN\xC2\xB0;Type;",
             ";Total texture;Parquet chene : 2.28 m\xC2\xB2;;;;;2.28;\r\n"});
        row("texture outside the library: missing, not read", "--export OUTSIDE OUT.bmp", 0,
            {"textures suivantes", "OUTSIDE_FILL"}, {"BM"});
        row("a scale that is not offered", "--export LAYOUT OUT.pdf --scale 15", 2);
        row("picture export of a missing layout", "--export MISSING OUT.jpg", 3);
        row("parts list into a missing folder", "--parts LAYOUT no/OUT.csv", 4,
            {"Impossible d'écrire la liste", "no/OUT.csv : le dossier", "n'existe pas."});
        row("PDF into a missing folder", "--export LAYOUT no/OUT.pdf --scale 20", 4,
            {"Impossible d'exporter le plan en PDF.", "no/OUT.pdf : le dossier"});
        row("picture into a missing folder", "--export LAYOUT no/OUT.png", 4,
            {"Impossible d'écrire l'image", "le dossier"});
        row("thumbnail never enlarged", "--thumbnail LAYOUT OUT.png 4096", 0, {}, {"\x89PNG"},
            QSize(1202, 530));
        row("thumbnail 256 on the longer side", "--thumbnail LAYOUT OUT.png 256", 0, {},
            {"\x89PNG"}, QSize(256, 112));
        row("thumbnail of random bytes", "--thumbnail GARBAGE OUT.png 128", 3);
        row("thumbnail, vehicle not in the library: a white plan",
            "--thumbnail NOVEHICLE OUT.png 128", 0, {}, {"\x89PNG"});
        row("thumbnail size zero", "--thumbnail LAYOUT OUT.png 0", 2);
        row("thumbnail size not a number", "--thumbnail LAYOUT OUT.png grand", 2);
        row("--masses takes one layout only", "--masses LAYOUT OUT.txt", 2,
            {"--masses attend un seul agencement"});
    }
    // A thumbnail is a preview: out of the library's reach (as in a file manager's
    // sandbox), objects are drawn on a white plan and missing pictures as grey boxes.
    void thumbnailOutsideTheLibrary() {
        QTemporaryDir out;
        const QString png = out.filePath(QStringLiteral("vignette.png"));
        QString said;
        QCOMPARE(run({"--thumbnail", standIns_["IMPORTED"], png, "370"}, said), 0);
        const QImage thumbnail = QImage(png).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(thumbnail.size(), QSize(370, 100)); // the objects' extent, 2 px per cm
        const auto colourIn = [&](const QRect& region) {
            const QRgb first = thumbnail.pixel(region.topLeft());
            for (int y = region.top(); y <= region.bottom(); ++y)
                for (int x = region.left(); x <= region.right(); ++x)
                    if (thumbnail.pixel(x, y) != first)
                        return qRgb(1, 2, 3); // not one colour
            return first;
        };
        QCOMPARE(colourIn(QRect(2, 2, 196, 96)), qRgb(255, 0, 0));       // the rectangle
        QCOMPARE(colourIn(QRect(252, 2, 116, 76)), qRgb(192, 192, 192)); // the accessory
        QCOMPARE(colourIn(QRect(202, 2, 46, 96)), qRgb(255, 255, 255));  // the plan
    }

    void commands() {
        QFETCH(QString, args);
        QFETCH(int, exitCode);
        QFETCH(QStringList, said);
        QFETCH(QByteArrayList, written);
        QFETCH(QSize, picture);
        QTemporaryDir out;
        QString output;
        QStringList arguments = args.split(' ');
        for (QString& arg : arguments)
            arg = arg.contains(QLatin1String("OUT.")) ? output = out.filePath(arg)
                                                      : standIns_.value(arg, arg);
        QString saidAll;
        const int code = run(arguments, saidAll);
        QVERIFY2(code == exitCode, qPrintable(saidAll));
        QVERIFY2(exitCode == 0 || !saidAll.trimmed().isEmpty(), "a failure says why");
        if (exitCode == 2) { // one line, naming the problem and where the usage is
            QVERIFY2(!saidAll.trimmed().contains(QLatin1Char('\n')), qPrintable(saidAll));
            QVERIFY2(saidAll.contains(QLatin1String("kestrion --help")), qPrintable(saidAll));
        }
        for (const QString& words : said)
            QVERIFY2(saidAll.contains(standIns_.value(words, words)), qPrintable(saidAll));
        QCOMPARE(QFileInfo::exists(output), !written.isEmpty());
        if (written.isEmpty())
            return;
        const QByteArray bytes = platform::FileSystem().readFile(output).value_or("");
        QVERIFY(bytes.startsWith(written.first()));
        for (const QByteArray& part : written.mid(1))
            QVERIFY2(bytes.contains(part), bytes.constData());
        const QImage image = QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32);
        if (picture.isValid())
            QCOMPARE(image.size(), picture);
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                QVERIFY(image.pixel(x, y) != kOutsideColour);
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
