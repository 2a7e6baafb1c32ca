// Guards `kestrion --export`: the files it writes match the export command's, and its refusals.
#include "document/LayoutFile.h"
#include "output/HeadlessExport.h"
#include "output/ImageExport.h"
#include "platform/Pictures.h"
#include "platform/ScriptedDialogService.h"
#include "platform/SettingsStore.h"
#include "render/PlanRenderer.h"
#include "settings/PreferenceStore.h"
#include "testkit/TestKit.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTextStream>
#include <QtTest>

using document::Cell;

namespace {

const QString kVehicle = QStringLiteral("Fourgon_L2H2_dessus_XY_5000_.bmp");

// A van outline on white: 300 x 160 pixels at 2 pixels per cm.
QImage vehiclePicture() {
    QImage image(300, 160, QImage::Format_RGB32);
    image.fill(Qt::white);
    for (int x = 40; x < 260; ++x)
        for (int y = 30; y < 130; ++y)
            if (x < 43 || x > 256 || y < 33 || y > 126)
                image.setPixel(x, y, qRgb(20, 20, 20));
    return image;
}

document::Layout sampleLayout(const QString& zoomText) {
    document::Layout layout;
    layout.vehicule_fichier = kVehicle;
    layout.zoomText = zoomText;
    document::ObjectRow row;
    row[document::ColKind] = Cell::integer(document::Rectangle);
    row[document::ColX] = Cell::integer(80);
    row[document::ColY] = Cell::integer(50);
    row[document::ColHeight] = Cell::integer(20);
    row[document::ColWidth] = Cell::integer(40);
    row[document::ColFill] = Cell::integer(4);
    layout.objets.append(row);
    return layout;
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestHeadlessExport : public QObject {
    Q_OBJECT

    testkit::ProgramFolder folder_;
    QString layoutPath_;

    // What the export command writes for the plan drawn on a canvas of that size.
    QByteArray exportedByCommand(const QSize& canvasSize, float zoom, bool autozone, bool bmp) {
        document::Layout layout = sampleLayout(QString());
        layout.vehicule_modele = QStringLiteral("Fourgon");
        layout.vehicule_carros = QStringLiteral("L2H2");
        layout.vehicule_resol = 2.0;
        layout.image_vehicule = *platform::LoadPicture(folder_.vehicules() + '/' + kVehicle);
        layout.image_largeur = float(layout.image_vehicule.width());
        layout.image_hauteur = float(layout.image_vehicule.height());
        platform::Surface canvas(canvasSize.width(), canvasSize.height());
        canvas.Cls();
        platform::PictureCache pictures;
        render::PlanRenderer renderer(pictures, folder_.path());
        renderer.Affiche(canvas, layout, render::View{zoom, 0, 0},
                         settings::Preferences::defaults());

        const QString path = folder_.path() + QStringLiteral("/by-command");
        platform::ScriptedDialogService dialogs;
        dialogs.saveAnswers.push_back({path, bmp ? 2 : 1});
        output::exportImage(canvas, layout.vehicule_modele, layout.vehicule_carros, autozone,
                            dialogs);
        const QByteArray bytes = readBytes(path);
        QFile::remove(path);
        return bytes;
    }

private Q_SLOTS:
    void initTestCase() {
        testkit::setUpTestEnvironment();
        folder_.addPicture(QStringLiteral("vehicules"), kVehicle, vehiclePicture());
        layoutPath_ = folder_.path() + QStringLiteral("/sample.kla");
        platform::FileSystem fs;
        QVERIFY(document::SauverAgencement(layoutPath_, sampleLayout(QStringLiteral("150")),
                                           QLocale::c(), fs));
    }

    void writesWhatTheExportCommandWrites_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QString>("autozonePreference"); // empty: not stored
        QTest::addColumn<QSize>("canvas");
        QTest::addColumn<bool>("autozone");
        QTest::addColumn<QByteArray>("format");
        const QSize zoomed(450, 240);
        QTest::newRow("JPEG, autozone missing counts as on")
            << "plan.jpg" << QStringList() << QString() << zoomed << true << QByteArray("jpeg");
        QTest::newRow("BMP by the extension")
            << "plan.BMP" << QStringList() << QString() << zoomed << true << QByteArray("bmp");
        QTest::newRow("autozone off: whole canvas")
            << "plan.bmp" << QStringList() << "0" << zoomed << false << QByteArray("bmp");
        QTest::newRow("canvas size given") << "plan.jpeg" << QStringList{"--canvas", "200x100"}
                                           << "1" << QSize(200, 100) << true << QByteArray("jpeg");
    }
    void writesWhatTheExportCommandWrites() {
        QFETCH(QString, output);
        QFETCH(QStringList, extra);
        QFETCH(QString, autozonePreference);
        QFETCH(QSize, canvas);
        QFETCH(bool, autozone);
        QFETCH(QByteArray, format);
        platform::MemoryStore store;
        if (!autozonePreference.isEmpty())
            store.values.insert(settings::PreferenceStore::key(QStringLiteral("autozone")),
                                autozonePreference);
        const QString outPath = folder_.path() + '/' + output;
        QString errors;
        QTextStream err(&errors);
        const int code = output::runHeadlessExport(
            QStringList{QStringLiteral("--export"), layoutPath_, outPath} + extra, folder_.path(),
            store, err);
        QVERIFY2(code == 0, qPrintable(errors));

        const QByteArray written = readBytes(outPath);
        QFile::remove(outPath);
        QCOMPARE(written, exportedByCommand(canvas, 1.5f, autozone, format == "bmp"));

        QImage picture;
        QVERIFY(picture.loadFromData(written, format.constData()));
        if (!autozone)
            QCOMPARE(picture.size(), canvas + QSize(0, 20));
        else
            QVERIFY(picture.width() < canvas.width() && picture.height() < canvas.height() + 20);
        // The band: white across its first row, with dark stamp pixels below it.
        const int band = picture.height() - 20;
        bool ink = false;
        for (int x = 0; x < picture.width(); ++x) {
            QVERIFY(qGray(picture.pixel(x, band)) > 235);
            for (int y = band + 1; y < picture.height(); ++y)
                ink = ink || qGray(picture.pixel(x, y)) < 64;
        }
        QVERIFY(ink);
    }

    void refusalsExplainAndFail_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::newRow("output missing") << QStringList{"--export", "@layout"} << 2;
        QTest::newRow("canvas not a size")
            << QStringList{"--export", "@layout", "@out/a.jpg", "--canvas", "0x5"} << 2;
        QTest::newRow("layout that does not exist")
            << QStringList{"--export", "@out/none.kla", "@out/a.jpg"} << 3;
        QTest::newRow("output folder that does not exist")
            << QStringList{"--export", "@layout", "@out/missing/a.jpg"} << 4;
    }
    void refusalsExplainAndFail() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        args.replaceInStrings(QStringLiteral("@layout"), layoutPath_);
        args.replaceInStrings(QStringLiteral("@out"), folder_.path());
        platform::MemoryStore store;
        QString errors;
        QTextStream err(&errors);
        QCOMPARE(output::runHeadlessExport(args, folder_.path(), store, err), code);
        QVERIFY(!errors.trimmed().isEmpty());
        QVERIFY(!QFile::exists(folder_.path() + QStringLiteral("/a.jpg")));
    }
};

QTEST_MAIN(TestHeadlessExport)
#include "tst_headlessexport.moc"
