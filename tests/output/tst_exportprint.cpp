// Guards the export command's dialog, formats and failure message, and printing to PDF and to CUPS.
#include "output/ImageExport.h"
#include "platform/Printer.h"
#include "platform/QtPrinter.h"
#include "platform/ScriptedDialogService.h"
#include "testkit/TestKit.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPrinterInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

using platform::FileDialogResult;
using platform::ScriptedDialogService;

namespace {

const QString kModele = QStringLiteral("Fourgon");
const QString kCarros = QStringLiteral("L2H2");

// A plan with light margins and a drawing in the middle.
platform::Surface drawnCanvas() {
    platform::Surface canvas(420, 260);
    canvas.fillBox(150, 80, 260, 170, platform::rgb(40, 60, 90));
    return canvas;
}

// Records the picture instead of printing it; answers with a set reply.
class RecordingPrinter : public platform::Printer {
public:
    explicit RecordingPrinter(QString reply = {}) : reply_(std::move(reply)) {}
    QString printPicture(const QImage& picture) override {
        pictures.push_back(picture);
        return reply_;
    }
    std::vector<QImage> pictures;

private:
    QString reply_;
};

// The folder cups-pdf writes to: the "Out" line of its configuration.
QString cupsPdfFolder() {
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    const QString text = conf.open(QIODevice::ReadOnly) ? QString::fromUtf8(conf.readAll()) : "";
    const auto out =
        QRegularExpression(QStringLiteral("^Out\\s+(\\S+)"), QRegularExpression::MultilineOption)
            .match(text);
    QString folder = out.hasMatch() ? out.captured(1) : QStringLiteral("${HOME}/PDF");
    folder.replace(QLatin1String("${HOME}"), QDir::homePath());
    return folder.replace(QLatin1String("${USER}"), qEnvironmentVariable("USER", "root"));
}

// Page objects in a PDF file; -1 when it cannot be read.
int pageCount(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    return int(QString::fromLatin1(file.readAll()).count(page));
}

} // namespace

class TestExportPrint : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void exportCommand_data() {
        QTest::addColumn<QString>("name"); // empty: the dialog is cancelled
        QTest::addColumn<int>("filterIndex");
        QTest::addColumn<bool>("autozone");
        QTest::addColumn<QByteArray>("format"); // expected written format, empty: none
        QTest::addColumn<QSize>("size");
        QTest::newRow("cancel writes nothing and says nothing")
            << QString() << 1 << true << QByteArray() << QSize();
        QTest::newRow("JPEG filter, found zone")
            << "plan.jpg" << 1 << true << QByteArray("jpeg") << QSize(128, 128);
        QTest::newRow("BMP filter with a jpg name writes a bitmap")
            << "plan.jpg" << 2 << true << QByteArray("bmp") << QSize(128, 128);
        QTest::newRow("JPEG filter, name without extension used unchanged")
            << "plan" << 1 << false << QByteArray("jpeg") << QSize(420, 280);
        QTest::newRow("autozone off: whole canvas plus the band")
            << "plan.bmp" << 2 << false << QByteArray("bmp") << QSize(420, 280);
    }
    void exportCommand() {
        QFETCH(QString, name);
        QFETCH(int, filterIndex);
        QFETCH(bool, autozone);
        QFETCH(QByteArray, format);
        QFETCH(QSize, size);
        QTemporaryDir dir;
        ScriptedDialogService dialogs;
        if (!name.isEmpty())
            dialogs.saveAnswers.push_back(FileDialogResult{dir.filePath(name), filterIndex});
        const platform::Surface canvas = drawnCanvas();
        output::exportImage(canvas, kModele, kCarros, autozone, dialogs);

        QCOMPARE(dialogs.asked.size(), std::size_t(1));
        const auto& request = dialogs.asked.front();
        QCOMPARE(request.kind, ScriptedDialogService::Kind::Save);
        QCOMPARE(request.text, QStringLiteral("Format JPEG|*.jpg;*.jpe;*.jpeg|Format BMP|*.bmp"));
        QCOMPARE(request.filterIndex, 1);
        QVERIFY(request.overwritePrompt);
        QVERIFY(dialogs.messages().isEmpty());

        const QStringList written = QDir(dir.path()).entryList(QDir::Files);
        if (format.isEmpty()) {
            QVERIFY(written.isEmpty());
            return;
        }
        QCOMPARE(written, QStringList{name});
        QImageReader reader(dir.filePath(name));
        reader.setDecideFormatFromContent(true);
        QCOMPARE(reader.format(), format);
        const QImage picture = reader.read();
        QCOMPARE(picture.size(), size);
        if (format == "bmp")
            QCOMPARE(picture.convertToFormat(QImage::Format_RGB32),
                     output::imageSortie(canvas, kModele, kCarros, autozone));
    }

    void failuresShowOneMessage_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("filterIndex");
        QTest::addColumn<QSize>("canvas");
        QTest::newRow("JPEG into a missing folder") << "missing/plan.jpg" << 1 << QSize(200, 100);
        QTest::newRow("BMP into a missing folder") << "missing/plan.bmp" << 2 << QSize(200, 100);
        QTest::newRow("canvas wider than 32767 pixels") << "plan.jpg" << 1 << QSize(32768, 2);
        QTest::newRow("buffer higher than 32767 pixels") << "plan.bmp" << 2 << QSize(2, 32750);
    }
    void failuresShowOneMessage() {
        QFETCH(QString, name);
        QFETCH(int, filterIndex);
        QFETCH(QSize, canvas);
        QTemporaryDir dir;
        ScriptedDialogService dialogs;
        dialogs.saveAnswers.push_back(FileDialogResult{dir.filePath(name), filterIndex});
        const platform::Surface surface(canvas.width(), canvas.height());
        output::exportImage(surface, kModele, kCarros, false, dialogs);

        QCOMPARE(dialogs.messages(), QStringList{QStringLiteral("Impossible d'exporter l'image")});
        const auto* message = dialogs.lastMessage();
        QCOMPARE(message->title, QStringLiteral("Erreur :"));
        QCOMPARE(message->icon, platform::MsgIcon::Critical);
        QCOMPARE(message->buttons, platform::MsgButtons::Ok);
        QVERIFY(QDir(dir.path()).entryList(QDir::Files).isEmpty());
    }

    void printing_data() {
        QTest::addColumn<QString>("reply");
        QTest::addColumn<QSize>("canvas");
        QTest::addColumn<QString>("message"); // empty: none
        QTest::addColumn<int>("printed");
        QTest::newRow("accepted: the exported picture, no message")
            << QString() << QSize(420, 260) << QString() << 1;
        QTest::newRow("the printer's own explanation")
            << "Le bac à papier est vide." << QSize(200, 100) << "Le bac à papier est vide." << 1;
        QTest::newRow("canvas beyond 32767 pixels: nothing sent")
            << QString() << QSize(40000, 2) << "Impossible d'imprimer le plan." << 0;
    }
    void printing() {
        QFETCH(QString, reply);
        QFETCH(QSize, canvas);
        QFETCH(QString, message);
        QFETCH(int, printed);
        RecordingPrinter printer(reply);
        ScriptedDialogService dialogs;
        platform::Surface surface(canvas.width(), canvas.height());
        surface.fillBox(150, 80, 260, 170, platform::rgb(40, 60, 90));
        output::printPlan(surface, kModele, kCarros, true, printer, dialogs);
        QCOMPARE(int(printer.pictures.size()), printed);
        if (printed)
            QCOMPARE(printer.pictures.front(),
                     output::imageSortie(surface, kModele, kCarros, true));
        QCOMPARE(dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty()) {
            QCOMPARE(dialogs.lastMessage()->title, QStringLiteral("Erreur :"));
            QCOMPARE(dialogs.lastMessage()->icon, platform::MsgIcon::Critical);
        }
    }

    void printingToPdfMakesOnePage() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("page.pdf"));
        platform::PdfFilePrinter printer(path);
        ScriptedDialogService dialogs;
        // Larger than a landscape A4 page at 96 dpi: cut off, still one page.
        platform::Surface canvas(1600, 1000);
        canvas.fillBox(100, 100, 1500, 900, platform::rgb(0, 0, 0));
        output::printPlan(canvas, kModele, kCarros, false, printer, dialogs);
        QVERIFY(dialogs.asked.empty());
        QCOMPARE(pageCount(path), 1);
    }

    void printingThroughCupsMakesOnePage() {
        const QPrinterInfo info = QPrinterInfo::defaultPrinter();
        if (info.isNull() || info.printerName() != QLatin1String("PDF"))
            QSKIP("No default CUPS printer named PDF (scripts/start-printer.sh sets one up as "
                  "root).");
        const QString folder = cupsPdfFolder();
        if (!QFileInfo(folder).isDir())
            QSKIP(qPrintable(
                QStringLiteral("The cups-pdf output folder %1 does not exist.").arg(folder)));
        const QDir out(folder, QStringLiteral("*.pdf"));
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
