// Guards the exported picture: zone, stamp, dialog and failures, --export, a real CUPS queue.
#include "document/LayoutFile.h"
#include "library/LayoutOpening.h"
#include "output/HeadlessExport.h"
#include "output/ImageExport.h"
#include "platform/Product.h"
#include "platform/QtDialogService.h"
#include "platform/QtPrinter.h"
#include "platform/SettingsStore.h"
#include "render/PlanRenderer.h"
#include "settings/PreferenceStore.h"
#include "testkit/PlanObjects.h"
#include "testkit/ScriptedDialogService.h"
#include "testkit/TestKit.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QPainter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QtTest>

using platform::rgb;
using testkit::ScriptedDialogService;

namespace {

const QString kModele = QStringLiteral("Fourgon");
const QString kCarros = QStringLiteral("L2H2");
const QString kVehicle = QStringLiteral("Fourgon_L2H2_dessus_XY_5000_.bmp");
const QString kFull = QStringLiteral("Fourgon L2H2  -  Kestrion  -  ") + platform::kSiteHost;
const QString kSite = QStringLiteral("Kestrion  -  ") + platform::kSiteHost;
const QString kShort = QStringLiteral("KT - ") + platform::kSiteHost;

// Tells up from down and red from blue; its 133-pixel zone makes the written rows padded.
platform::Surface drawnCanvas() {
    platform::Surface canvas(420, 260);
    canvas.fillBox(150, 80, 265, 170, rgb(40, 60, 90));
    canvas.fillBox(150, 80, 190, 100, rgb(200, 40, 40));
    return canvas;
}

// The written picture is the canvas's zone over the 20-pixel stamp band.
void checkStamped(const QString& path, const QByteArray& format) {
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QCOMPARE(reader.format(), format);
    const QImage picture = reader.read().convertToFormat(QImage::Format_RGB32);
    const platform::Surface canvas = drawnCanvas();
    const output::Zone z = output::findExportZone(canvas, true);
    const QSize zone(z.right - z.left, z.bottom - z.top);
    QCOMPARE(picture.size(), zone + QSize(0, 20));
    QVERIFY(testkit::imagesMatch(picture.copy(QRect(QPoint(), zone)),
                                 canvas.image().copy(QRect(QPoint(z.left, z.top), zone)),
                                 QStringLiteral("zone"), 40));
}

QByteArray takeBytes(const QString& path) {
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.remove();
    return bytes;
}

// Answers the next file dialog as the user does: arrow keys to the filter, typed name, Save.
void answerFileDialog(int filterRow, const QString& folder, const QString& name) {
    QTimer::singleShot(0, [filterRow, folder, name] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            qFatal("no file dialog is showing");
        auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
        auto* box = dialog->findChild<QLineEdit*>("fileNameEdit");
        dialog->setDirectory(folder);
        while (types->currentIndex() < filterRow)
            QTest::keyClick(types, Qt::Key_Down);
        box->clear();
        QTest::keyClicks(box, name);
        dialog->findChild<QDialogButtonBox*>("buttonBox")->button(QDialogButtonBox::Save)->click();
        if (dialog->isVisible())
            qFatal("the file dialog did not take the name");
    });
}

} // namespace

class TestExportPicture : public QObject {
    Q_OBJECT

    testkit::ProgramFolder folder_;

    QString layoutPath(int zoom) const {
        return folder_.path() + QStringLiteral("/%1.kla").arg(zoom);
    }

    // The export command's file for the layout read back and drawn at its zoom.
    QByteArray exportedByCommand(int zoom, const QSize& size, bool bmp) {
        platform::FileSystem fs;
        const library::OpenedLayout opened =
            library::openLayout(layoutPath(zoom), folder_.path(), fs, QLocale::c());
        platform::Surface canvas(size.width(), size.height());
        platform::PictureCache pictures;
        render::PlanRenderer(pictures, folder_.path())
            .drawPlan(canvas, opened.layout, render::View{opened.zoomPercent / 100.0f, 0, 0},
                      settings::Preferences::defaults());
        const QString path = folder_.path() + QStringLiteral("/by-command");
        ScriptedDialogService dialogs;
        dialogs.saveAnswers.push_back({path, bmp ? 2 : 1});
        output::exportImage(canvas, opened.layout.vehicleModel, opened.layout.vehicleBody, true,
                            QString(), dialogs);
        return takeBytes(path);
    }

private Q_SLOTS:
    void initTestCase() {
        testkit::setUpTestEnvironment();
        folder_.addPicture(QStringLiteral("vehicules"), kVehicle, 400, 200);
        document::Layout layout;
        layout.vehicleFile = kVehicle;
        layout.objects.append(testkit::planObject(document::ObjectKind::Rectangle, 80, 50, 20, 40,
                                                  document::Fill::colour(4)));
        platform::FileSystem fs;
        for (const int zoom : {150, 1600}) {
            layout.zoomText = QString::number(zoom);
            QVERIFY(document::writeLayoutFile(layoutPath(zoom), layout, QLocale::c(), fs));
        }
    }

    void zoneSearch_data() {
        QTest::addColumn<QList<int>>("drawing"); // inclusive corners, on a 400 x 300 canvas
        QTest::addColumn<uint>("colour");
        QTest::addColumn<QList<int>>("expected"); // automatic; without, always the whole canvas
        const QList<int> whole{0, 0, 400, 300}, middle{150, 100, 200, 150};
        const uint black = rgb(0, 0, 0);
        const auto row = [](const char* name, QList<int> box, uint colour, QList<int> zone) {
            QTest::newRow(name) << box << colour << zone;
        };
        row("blue 240, green 239 is drawn, 10-pixel margin", middle, rgb(255, 239, 240),
            {140, 90, 208, 158});
        row("black with blue 241 is background", middle, rgb(0, 0, 241), whole);
        row("wholly left of column 100: whole canvas", {20, 50, 60, 80}, black, whole);
        row("left of column 100 touching column 0", {0, 50, 60, 80}, black, {0, 40, 400, 88});
        row("narrower than 20 pixels: whole width", {203, 50, 205, 250}, black, {0, 40, 400, 258});
        row("lower than 20 pixels: whole height", {150, 148, 250, 150}, black, {140, 0, 258, 300});
        row("right edge clamped", {150, 100, 399, 150}, black, {140, 90, 399, 158});
    }
    void zoneSearch() {
        QFETCH(QList<int>, drawing);
        QFETCH(uint, colour);
        QFETCH(QList<int>, expected);
        platform::Surface surface(400, 300);
        surface.fillBox(drawing[0], drawing[1], drawing[2], drawing[3], colour);
        const output::Zone zone = output::findExportZone(surface, true);
        QCOMPARE((QList<int>{zone.left, zone.top, zone.right, zone.bottom}), expected);
        QVERIFY(output::findExportZone(surface, false) == (output::Zone{0, 0, 400, 300}));
    }

    void stampChoice_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("points");
        platform::Surface measure(1, 1);
        measure.setFont(QFont(QStringLiteral("DejaVu Sans")));
        measure.setFontBold(true);
        const auto width = [&](const QString& text, int points) {
            measure.setFontSize(points);
            return measure.textSize(text).width();
        };
        const int full10 = width(kFull, 10), full8 = width(kFull, 8);
        const int site8 = width(kSite, 8), short8 = width(kShort, 8);
        QTest::newRow("one pixel wider than the text: 10 points") << full10 + 1 << kFull << 10;
        QTest::newRow("exactly as wide: too wide for 10 points") << full10 << kFull << 9;
        QTest::newRow("exactly as wide at 8 points: the full text stays") << full8 << kFull << 8;
        QTest::newRow("one pixel narrower: the product and the site") << full8 - 1 << kSite << 8;
        QTest::newRow("narrower: the short form") << site8 - 1 << kShort << 8;
        QTest::newRow("narrower still: the product name alone") << short8 - 1 << "Kestrion" << 8;
    }
    void stampChoice() {
        QFETCH(int, width);
        QFETCH(QString, text);
        QFETCH(int, points);
        const output::Stamp stamp = output::chooseStamp(width, kModele, kCarros);
        QCOMPARE(stamp.text, text);
        QCOMPARE(stamp.points, points);
    }

    void exportCommand_data() {
        QTest::addColumn<int>("filterRow"); // in the real dialog; -1: scripted, JPEG
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format"); // empty: nothing written
        QTest::newRow("JPEG filter") << 0 << "plan.jpg" << QByteArray("jpeg");
        QTest::newRow("BMP filter, jpg name: a bitmap") << 1 << "plan.jpg" << QByteArray("bmp");
        QTest::newRow("over an earlier file, as named") << -1 << "plan" << QByteArray("jpeg");
        QTest::newRow("missing folder: a message") << -1 << "no/plan.jpg" << QByteArray();
    }
    void exportCommand() {
        QFETCH(int, filterRow);
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QTemporaryDir dir;
        const QString path = dir.filePath(name);
        const bool scripted = filterRow < 0, replaces = scripted && !format.isEmpty();
        const auto accessed = QDateTime::fromMSecsSinceEpoch(1000000000123),
                   modified = QDateTime::fromMSecsSinceEpoch(1100000000987);
        const auto mode = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup;
        if (replaces) {
            QFile old(path);
            QVERIFY(old.open(QIODevice::WriteOnly));
            QVERIFY(old.write("old") > 0);
            QVERIFY(old.flush());
            QVERIFY(old.setPermissions(mode));
            QVERIFY(old.setFileTime(accessed, QFile::FileAccessTime));
            QVERIFY(old.setFileTime(modified, QFile::FileModificationTime));
        }
        ScriptedDialogService script;
        platform::QtDialogService real;
        script.saveAnswers.push_back({path, 1});
        if (!scripted)
            answerFileDialog(filterRow, dir.path(), name);
        output::exportImage(drawnCanvas(), kModele, kCarros, true, QString(),
                            scripted ? static_cast<platform::DialogService&>(script) : real);
        if (scripted) {
            QVERIFY(script.asked.front().filterIndex == 1);
            QVERIFY(script.asked.front().overwritePrompt);
            QCOMPARE(script.messages(), format.isEmpty()
                                            ? QStringList{"Impossible d'exporter l'image"}
                                            : QStringList());
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 format.isEmpty() ? QStringList() : QStringList{name});
        // Checked before reading the picture touches its access time.
        if (replaces) {
            const QFileInfo info(path);
            QCOMPARE(info.permissions() & ~(QFile::ReadUser | QFile::WriteUser), mode);
            QCOMPARE(info.fileTime(QFile::FileAccessTime), accessed);
            QCOMPARE(info.fileTime(QFile::FileModificationTime), modified);
        }
        if (!format.isEmpty())
            checkStamped(path, format);
    }

    // The stored autozone preference is the command-line test's.
    void headlessExport_data() {
        QTest::addColumn<int>("zoom");         // the layout's, in percent
        QTest::addColumn<QStringList>("args"); // the output's name, then options
        QTest::addColumn<QSize>("canvas");     // empty: refused with exit code 2
        const auto row = [](const char* name, int zoom, QStringList args, QSize canvas) {
            QTest::newRow(name) << zoom << args << canvas;
        };
        row("BMP by the extension, canvas from the zoom", 150, {"plan.BMP"}, {600, 300});
        row("a canvas given over 16777216 pixels", 150, {"plan.jpg", "--canvas", "5000x4000"}, {});
        row("1600 % on a canvas given", 1600, {"plan.jpg", "--canvas", "1200x800"}, {1200, 800});
        row("a canvas wider than 32767 pixels", 150, {"plan.jpg", "--canvas", "40000x10"}, {});
    }
    void headlessExport() {
        QFETCH(int, zoom);
        QFETCH(QStringList, args);
        QFETCH(QSize, canvas);
        platform::MemoryStore store;
        const QString path = folder_.path() + '/' + args.takeFirst();
        QString errors;
        QTextStream err(&errors);
        const int code = output::runHeadlessExport(
            QStringList{"--export", layoutPath(zoom), path} + args, folder_.path(), store, err);
        const QByteArray written = takeBytes(path);
        QVERIFY2(code == (canvas.isEmpty() ? 2 : 0), qPrintable(errors));
        if (canvas.isEmpty()) {
            QVERIFY2(errors.contains(QLatin1String("--canvas")), qPrintable(errors));
            QVERIFY2(written.isEmpty(), qPrintable(errors));
        } else {
            QCOMPARE(written, exportedByCommand(zoom, canvas, path.endsWith("BMP")));
        }
    }

    // A vehicle picture over the canvas limit (6000 x 4000 pixels): thumbnails are drawn at
    // their own size, and a plain export draws only its drawn zone when that is reasonable.
    void largePictureNeedsNoCanvas_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("autozone");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QSize>("smallest"); // the picture written, at least and at most
        QTest::addColumn<QSize>("largest");
        QTest::newRow("thumbnail of the drawn zone")
            << "--thumbnail" << true << 0 << QSize(256, 160) << QSize(256, 180);
        QTest::newRow("thumbnail of the whole picture")
            << "--thumbnail" << false << 0 << QSize(256, 170) << QSize(256, 170);
        QTest::newRow("export of the drawn zone at 100 %")
            << "--export" << true << 0 << QSize(1150, 780) << QSize(1260, 880);
        QTest::newRow("export of the whole picture: too large")
            << "--export" << false << 2 << QSize() << QSize();
    }
    void largePictureNeedsNoCanvas() {
        QFETCH(QString, command);
        QFETCH(bool, autozone);
        QFETCH(int, exitCode);
        QFETCH(QSize, smallest);
        QFETCH(QSize, largest);
        testkit::ProgramFolder folder;
        const QString vehicle = QStringLiteral("Grand_Fourgon_Dessus_XY_1000_.jpg"); // 10 px/cm
        QImage picture(6000, 4000, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter(&picture).drawRect(1900, 900, 1200, 800);
        folder.addPicture(QStringLiteral("vehicules"), vehicle, picture);
        document::Layout layout;
        layout.vehicleFile = vehicle;
        layout.objects.append(testkit::planObject(document::ObjectKind::Rectangle, 2000, 1000, 60,
                                                  100, document::Fill::colour(2)));
        const QString path = folder.path() + QStringLiteral("/grand.kla");
        platform::FileSystem fs;
        QVERIFY(document::writeLayoutFile(path, layout, QLocale::c(), fs));
        platform::MemoryStore store;
        QVERIFY(settings::PreferenceStore(store).writeValue("autozone", autozone ? "1" : "0"));
        const bool thumbnail = command == QLatin1String("--thumbnail");
        const QString out = folder.path() + (thumbnail ? "/vignette.png" : "/plan.jpg");
        QStringList args{command, path, out};
        if (thumbnail)
            args << QStringLiteral("256");
        QString errors;
        QTextStream err(&errors);
        QCOMPARE(output::runHeadlessExport(args, folder.path(), store, err), exitCode);
        const QImage written(out);
        QCOMPARE(written.isNull(), exitCode != 0);
        if (written.isNull())
            return;
        QVERIFY2(written.width() >= smallest.width() && written.width() <= largest.width() &&
                     written.height() >= smallest.height() && written.height() <= largest.height(),
                 qPrintable(QStringLiteral("%1 x %2").arg(written.width()).arg(written.height())));
        // The red rectangle is drawn, where the zone puts it.
        int red = 0;
        for (int y = 0; y < written.height(); ++y)
            for (int x = 0; x < written.width(); ++x)
                red += qRed(written.pixel(x, y)) > 200 && qGreen(written.pixel(x, y)) < 60;
        QVERIFY2(red > 0, "the rectangle is missing");
    }

    void printingThroughCupsMakesOnePage() {
        if (QPrinterInfo::defaultPrinter().printerName() != QLatin1String("PDF"))
            QSKIP("No default CUPS printer named PDF (scripts/start-printer.sh sets one up).");
        const QDir out(QStringLiteral("/var/spool/cups-pdf/kestrion"), QStringLiteral("*.pdf"));
        const QStringList before = out.entryList(QDir::Files);
        platform::QtPrinter printer;
        ScriptedDialogService dialogs;
        output::printPlan(drawnCanvas(), kModele, kCarros, true, printer, dialogs);
        QVERIFY2(dialogs.asked.empty(), qPrintable(dialogs.messages().join(QLatin1Char('\n'))));
        // cups-pdf writes in the background: wait for a new, complete one-page file.
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
        QString produced;
        const auto onePageAppeared = [&] {
            for (const QString& name : out.entryList(QDir::Files)) {
                QFile file(out.filePath(name));
                if (!before.contains(name) && file.open(QIODevice::ReadOnly) &&
                    QString::fromLatin1(file.readAll()).count(page) == 1)
                    produced = file.fileName();
            }
            return !produced.isEmpty();
        };
        QTRY_VERIFY2_WITH_TIMEOUT(onePageAppeared(), "no one-page PDF appeared", 30000);
        QFile::remove(produced);
    }
};

QTEST_MAIN(TestExportPicture)
#include "tst_exportpicture.moc"
