// Guards the exported picture: the export command's dialog, formats and failure message,
// `kestrion --export` writing the same file, and printing through a real CUPS print queue.
#include "document/LayoutFile.h"
#include "output/HeadlessExport.h"
#include "output/ImageExport.h"
#include "platform/QtDialogService.h"
#include "platform/QtPrinter.h"
#include "platform/ScriptedDialogService.h"
#include "render/PlanRenderer.h"
#include "settings/PreferenceStore.h"
#include "testkit/PlanObjects.h"
#include "testkit/TestKit.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QImageReader>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QtTest>

using platform::ScriptedDialogService;

namespace {

const QString kModele = QStringLiteral("Fourgon");
const QString kCarros = QStringLiteral("L2H2");
const QString kVehicle = QStringLiteral("Fourgon_L2H2_dessus_XY_5000_.bmp");
// Where scripts/start-printer.sh has the PDF printer write its pages.
const QString kCupsPdfFolder = QStringLiteral("/var/spool/cups-pdf/kestrion");

// A plan with light margins and a drawing in the middle.
platform::Surface drawnCanvas() {
    platform::Surface canvas(420, 260);
    canvas.fillBox(150, 80, 260, 170, platform::rgb(40, 60, 90));
    return canvas;
}

// The written picture is the canvas's zone over a white band carrying the dark stamp.
void checkStamped(const QImage& picture, const platform::Surface& canvas, bool autozone) {
    const output::Zone z = output::findExportZone(canvas, autozone);
    const QSize zone(z.right - z.left, z.bottom - z.top);
    QCOMPARE(picture.size(), zone + QSize(0, 20));
    QVERIFY(testkit::imagesMatch(picture.copy(QRect(QPoint(), zone)),
                                 canvas.image().copy(QRect(QPoint(z.left, z.top), zone)),
                                 QStringLiteral("zone"), 40));
    int ink = 0;
    for (int x = 0; x < zone.width(); ++x) {
        QVERIFY(qGray(picture.pixel(x, zone.height())) > 235);
        for (int y = zone.height() + 1; y < picture.height(); ++y)
            ink += qGray(picture.pixel(x, y)) < 64;
    }
    QVERIFY(ink > 20);
}

QByteArray takeBytes(const QString& path) {
    QFile file(path);
    const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    file.remove();
    return bytes;
}

// Page objects in a PDF file; -1 when it cannot be read.
int pageCount(const QString& path) {
    QFile file(path);
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return file.open(QIODevice::ReadOnly) ? int(QString::fromLatin1(file.readAll()).count(page))
                                          : -1;
}

// Answers the next file dialog as the user does: goes to the folder, picks the filter in
// its list with the arrow keys, types the file name and clicks "Save".
void answerFileDialog(int filterRow, const QString& folder, const QString& name) {
    QTimer::singleShot(0, [filterRow, folder, name] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (dialog == nullptr)
            qFatal("no file dialog is showing");
        auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
        auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
        if (types == nullptr || box == nullptr || buttons == nullptr)
            qFatal("the file dialog has no filter list, name box or buttons");
        dialog->setDirectory(folder);
        while (types->currentIndex() < filterRow)
            QTest::keyClick(types, Qt::Key_Down);
        while (types->currentIndex() > filterRow)
            QTest::keyClick(types, Qt::Key_Up);
        box->clear();
        QTest::keyClicks(box, name);
        buttons->button(QDialogButtonBox::Save)->click();
        if (dialog->isVisible())
            qFatal("the file dialog did not take the name");
    });
}

} // namespace

class TestExportPrint : public QObject {
    Q_OBJECT

    testkit::ProgramFolder folder_;
    QString layoutPath_;
    document::Layout layout_; // a plain van picture at 2 pixels per cm, a rectangle, 150 %

    // The export command's file for the layout drawn at 150 % on a canvas of that size.
    QByteArray exportedByCommand(const QSize& size, bool autozone, bool bmp) {
        platform::Surface canvas(size.width(), size.height());
        platform::PictureCache pictures;
        render::PlanRenderer(pictures, folder_.path())
            .Affiche(canvas, layout_, render::View{1.5f, 0, 0}, settings::Preferences::defaults());
        const QString path = folder_.path() + QStringLiteral("/by-command");
        ScriptedDialogService dialogs;
        dialogs.saveAnswers.push_back({path, bmp ? 2 : 1});
        output::exportImage(canvas, kModele, kCarros, autozone, dialogs);
        return takeBytes(path);
    }

private Q_SLOTS:
    void initTestCase() {
        testkit::setUpTestEnvironment();
        const QImage van(folder_.addPicture(QStringLiteral("vehicules"), kVehicle, 300, 160));
        layout_.vehicleFile = kVehicle;
        layout_.zoomText = QStringLiteral("150");
        layout_.objects.append(testkit::planObject(document::ObjectKind::Rectangle, 80, 50, 20, 40,
                                                   document::Fill::colour(4)));
        layoutPath_ = folder_.path() + QStringLiteral("/sample.kla");
        platform::FileSystem fs;
        QVERIFY(document::writeLayoutFile(layoutPath_, layout_, QLocale::c(), fs));
        // What reading the layout derives from the vehicle's name and picture.
        layout_.vehicleModel = kModele;
        layout_.vehicleBody = kCarros;
        layout_.pixelsPerCm = 2.0;
        layout_.vehiclePicture = van;
        layout_.pictureWidth = 300;
        layout_.pictureHeight = 160;
    }

    void exportCommand_data() {
        QTest::addColumn<QString>("name"); // empty: the dialog is cancelled
        QTest::addColumn<int>("filterIndex");
        QTest::addColumn<QByteArray>("format"); // written format, empty: nothing written
        QTest::newRow("cancel writes nothing") << "" << 1 << QByteArray();
        QTest::newRow("name without extension used unchanged") << "plan" << 1 << QByteArray("jpeg");
        QTest::newRow("missing folder: a message") << "no/plan.bmp" << 2 << QByteArray();
    }
    void exportCommand() {
        QFETCH(QString, name);
        QFETCH(int, filterIndex);
        QFETCH(QByteArray, format);
        QTemporaryDir dir;
        ScriptedDialogService dialogs;
        if (!name.isEmpty())
            dialogs.saveAnswers.push_back({dir.filePath(name), filterIndex});
        const platform::Surface surface = drawnCanvas();
        output::exportImage(surface, kModele, kCarros, true, dialogs);

        const auto& request = dialogs.asked.front();
        QCOMPARE(request.kind, ScriptedDialogService::Kind::Save);
        QCOMPARE(request.text, QStringLiteral("Format JPEG|*.jpg;*.jpe;*.jpeg|Format BMP|*.bmp"));
        QVERIFY(request.filterIndex == 1 && request.overwritePrompt);
        const bool failed = !name.isEmpty() && format.isEmpty();
        QCOMPARE(dialogs.messages(),
                 failed ? QStringList{"Impossible d'exporter l'image"} : QStringList());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 format.isEmpty() ? QStringList() : QStringList{name});
        if (format.isEmpty())
            return;
        QImageReader reader(dir.filePath(name));
        reader.setDecideFormatFromContent(true);
        QCOMPARE(reader.format(), format);
        checkStamped(reader.read().convertToFormat(QImage::Format_RGB32), surface, true);
    }

    void exportThroughTheFileDialog_data() {
        QTest::addColumn<int>("filterRow");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::newRow("JPEG filter") << 0 << "plan.jpg" << QByteArray("jpeg");
        QTest::newRow("BMP filter, jpg name: a bitmap") << 1 << "plan.jpg" << QByteArray("bmp");
        QTest::newRow("BMP filter, bmp name") << 1 << "plan.bmp" << QByteArray("bmp");
    }
    void exportThroughTheFileDialog() {
        QFETCH(int, filterRow);
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QTemporaryDir dir;
        platform::QtDialogService dialogs;
        const platform::Surface surface = drawnCanvas();
        answerFileDialog(filterRow, dir.path(), name);
        output::exportImage(surface, kModele, kCarros, true, dialogs);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{name});
        QImageReader reader(dir.filePath(name));
        reader.setDecideFormatFromContent(true);
        QCOMPARE(reader.format(), format);
    }

    void headlessExportWritesWhatTheCommandWrites_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<QStringList>("extra");
        QTest::addColumn<QString>("autozone"); // the stored preference, empty: none (on)
        QTest::addColumn<QSize>("canvas");
        QTest::newRow("JPEG, autozone missing counts as on")
            << "plan.jpg" << QStringList() << "" << QSize(450, 240);
        QTest::newRow("BMP by the extension, autozone off, canvas size given")
            << "plan.BMP" << QStringList{"--canvas", "200x100"} << "0" << QSize(200, 100);
    }
    void headlessExportWritesWhatTheCommandWrites() {
        QFETCH(QString, output);
        QFETCH(QStringList, extra);
        QFETCH(QString, autozone);
        QFETCH(QSize, canvas);
        platform::MemoryStore store;
        if (!autozone.isEmpty())
            store.values.insert(settings::PreferenceStore::key(QStringLiteral("autozone")),
                                autozone);
        const QString path = folder_.path() + '/' + output;
        QString errors;
        QTextStream err(&errors);
        QVERIFY2(output::runHeadlessExport(QStringList{"--export", layoutPath_, path} + extra,
                                           folder_.path(), store, err) == 0,
                 qPrintable(errors));
        const QByteArray written = takeBytes(path);
        const bool bmp = output.endsWith(QLatin1String("bmp"), Qt::CaseInsensitive);
        QCOMPARE(written, exportedByCommand(canvas, autozone != "0", bmp));
    }

    void printingThroughCupsMakesOnePage() {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull() || info.printerName() != QLatin1String("PDF"))
            QSKIP("No default CUPS printer named PDF (scripts/start-printer.sh sets one up).");
        const QDir out(kCupsPdfFolder, QStringLiteral("*.pdf"));
        const QStringList before = out.entryList(QDir::Files);
        platform::QtPrinter printer;
        ScriptedDialogService dialogs;
        output::printPlan(drawnCanvas(), kModele, kCarros, true, printer, dialogs);
        QVERIFY2(dialogs.asked.empty(), qPrintable(dialogs.messages().join(QLatin1Char('\n'))));

        // cups-pdf writes the file in the background: wait for a new, complete one.
        QString produced;
        QElapsedTimer waited;
        waited.start();
        while (produced.isEmpty() && waited.elapsed() < 30000) {
            QThread::msleep(250);
            for (const QString& name : out.entryList(QDir::Files))
                if (!before.contains(name) && pageCount(out.filePath(name)) == 1)
                    produced = out.filePath(name);
        }
        QVERIFY2(!produced.isEmpty(), "no one-page PDF appeared within 30 s");
        QFile::remove(produced);
    }
};

QTEST_MAIN(TestExportPrint)
#include "tst_exportprint.moc"
