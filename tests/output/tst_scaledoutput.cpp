// Guards the true-scale outputs: how a plan is laid out on sheets, and the PDF itself,
// measured on the pages as poppler renders them (sizes on paper, scale bar, page marks).
#include "output/PageLayout.h"
#include "output/ScaledOutput.h"
#include "platform/Printer.h"
#include "testkit/PlanObjects.h"
#include "testkit/TestKit.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using output::Paper;
using output::ScaleSetup;

namespace {

constexpr double kDotsPerMm = 300.0 / 25.4; // pdftoppm -r 300

QString runTool(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(tool, args);
    if (!process.waitForFinished(120000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPages(const QString& pdf) {
    static const QRegularExpression pages(QStringLiteral("Pages:\\s+(\\d+)"));
    const auto match = pages.match(runTool(QStringLiteral("pdfinfo"), {pdf}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

QString pageText(const QString& pdf, int page) {
    const QString n = QString::number(page);
    return runTool(QStringLiteral("pdftotext"),
                   {QStringLiteral("-enc"), QStringLiteral("UTF-8"), QStringLiteral("-f"), n,
                    QStringLiteral("-l"), n, pdf, QStringLiteral("-")});
}

// Page 1 rendered at 300 dots per inch.
QImage renderFirstPage(const QString& pdf) {
    const QString prefix = pdf + QStringLiteral("-page");
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
             QStringLiteral("-singlefile"), QStringLiteral("-f"), QStringLiteral("1"),
             QStringLiteral("-l"), QStringLiteral("1"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".png")).convertToFormat(QImage::Format_RGB32);
}

// The bounding box, in mm, of the dark pixels of the page inside a band given in mm.
QRectF darkBox(const QImage& page, const QRectF& bandMm) {
    const QRect band(QPoint(int(bandMm.left() * kDotsPerMm), int(bandMm.top() * kDotsPerMm)),
                     QPoint(int(bandMm.right() * kDotsPerMm), int(bandMm.bottom() * kDotsPerMm)));
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = std::max(0, band.top()); y <= std::min(page.height() - 1, band.bottom()); ++y)
        for (int x = std::max(0, band.left()); x <= std::min(page.width() - 1, band.right()); ++x)
            if (qGray(page.pixel(x, y)) < 80) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    if (right < 0)
        return {};
    return QRectF(left / kDotsPerMm, top / kDotsPerMm, (right - left + 1) / kDotsPerMm,
                  (bottom - top + 1) / kDotsPerMm);
}

// A white van picture of the given size in pixels at `micrometres` per pixel, and
// the layout drawn on it.
struct Plan {
    testkit::ProgramFolder folder;
    document::Layout layout;

    Plan(int width, int height, int micrometres) {
        const QString file = QStringLiteral("Fourgon_L2H2_Dessus_XY_%1_.bmp").arg(micrometres);
        layout.vehicleFile = file;
        layout.vehiclePicture = QImage(folder.addPicture(QStringLiteral("vehicules"), file, width,
                                                         height, qRgb(255, 255, 255)));
        layout.pictureWidth = float(width);
        layout.pictureHeight = float(height);
        layout.pixelsPerCm = 10000.0 / micrometres;
        layout.vehicleModel = QStringLiteral("Fourgon");
        layout.vehicleBody = QStringLiteral("L2H2");
        layout.isOpen = true;
    }
    // A black rectangle of w x h cm with its top-left corner at (x, y) cm.
    void addRectangle(double x, double y, int w, int h) {
        const double r = layout.pixelsPerCm;
        layout.objects.append(testkit::planObject(document::ObjectKind::Rectangle, float(x * r),
                                                  float(y * r), float(h), float(w)));
    }
    output::PlanSource source(platform::PictureCache& pictures) const {
        return {layout, settings::Preferences::defaults(), pictures, folder.path()};
    }
};

} // namespace

class TestScaledOutput : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void sheetsForAPlan_data() {
        QTest::addColumn<QSizeF>("planCm");
        QTest::addColumn<int>("scale");
        QTest::addColumn<bool>("a3");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<int>("usedScale");
        QTest::addColumn<int>("columns");
        QTest::addColumn<int>("rows");
        // A4 portrait draws on 190 x 261 mm, landscape on 277 x 174 mm, A3 portrait on 277 x 384.
        QTest::newRow("a 5 x 2.5 m plan at 1:10 on A4 portrait: three columns")
            << QSizeF(500, 250) << 10 << false << false << 10 << 3 << 1;
        QTest::newRow("turned to landscape: two columns, two rows")
            << QSizeF(500, 250) << 10 << false << true << 10 << 2 << 2;
        QTest::newRow("exactly the drawing width stays on one sheet")
            << QSizeF(380, 100) << 20 << false << false << 20 << 1 << 1;
        QTest::newRow("one mm wider needs the overlap of a second sheet")
            << QSizeF(382, 100) << 20 << false << false << 20 << 2 << 1;
        QTest::newRow("A3 takes at 1:10 what A4 splits")
            << QSizeF(270, 380) << 10 << true << false << 10 << 1 << 1;
        QTest::newRow("fit: the smallest whole scale that fits, width bound")
            << QSizeF(500, 250) << output::kFitScale << false << false << 27 << 1 << 1;
        QTest::newRow("fit: height bound in landscape")
            << QSizeF(300, 400) << output::kFitScale << false << true << 23 << 1 << 1;
        QTest::newRow("fit: a tiny plan is drawn at 1:1")
            << QSizeF(5, 5) << output::kFitScale << false << false << 1 << 1 << 1;
    }
    void sheetsForAPlan() {
        QFETCH(QSizeF, planCm);
        QFETCH(int, scale);
        QFETCH(bool, a3);
        QFETCH(bool, landscape);
        QFETCH(int, usedScale);
        QFETCH(int, columns);
        QFETCH(int, rows);
        const output::PageLayout pages =
            output::layoutPages(planCm, {scale, a3 ? Paper::A3 : Paper::A4, landscape, false});
        QCOMPARE(pages.scale, usedScale);
        QCOMPARE(pages.columns, columns);
        QCOMPARE(pages.rows, rows);
        QCOMPARE(int(pages.tiles.size()), columns * rows);

        // The tiles cover the plan; neighbours share exactly the overlap strip, and no
        // tile is larger than the drawing area.
        const QRectF plan(QPointF(0, 0), planCm * 10.0 / usedScale);
        QRectF covered;
        for (const output::PageTile& tile : pages.tiles) {
            QVERIFY(tile.plan.width() <= pages.drawArea.width() + 1e-9);
            QVERIFY(tile.plan.height() <= pages.drawArea.height() + 1e-9);
            covered = covered.united(tile.plan);
            for (const output::PageTile& other : pages.tiles) {
                if (other.row == tile.row && other.column == tile.column + 1)
                    QCOMPARE(tile.plan.right() - other.plan.left(), output::kOverlapMm);
                if (other.column == tile.column && other.row == tile.row + 1)
                    QCOMPARE(tile.plan.bottom() - other.plan.top(), output::kOverlapMm);
            }
        }
        QCOMPARE(covered.size(), plan.size());
    }

    void tooManySheetsAreRefused() {
        // 150 m at 1:5 would take hundreds of sheets.
        const output::PageLayout pages = output::layoutPages(QSizeF(15000, 250), {5});
        QVERIFY(pages.tooManyPages() && pages.tiles.empty());
    }

    void sizesOnPaperAreTrue_data() {
        QTest::addColumn<int>("micrometres"); // of the van picture per pixel
        QTest::addColumn<int>("scale");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<QSizeF>("rectangleMm"); // a 100 x 50 cm rectangle on paper
        QTest::addColumn<double>("barMm");
        QTest::newRow("1:20, 2 pixels per cm: 50 x 25 mm")
            << 5000 << 20 << false << QSizeF(50, 25) << 50.0;
        QTest::newRow("1:10, 4 pixels per cm, landscape: 100 x 50 mm")
            << 2500 << 10 << true << QSizeF(100, 50) << 50.0;
        QTest::newRow("1:50: 20 x 10 mm") << 5000 << 50 << false << QSizeF(20, 10) << 40.0;
    }
    void sizesOnPaperAreTrue() {
        QFETCH(int, micrometres);
        QFETCH(int, scale);
        QFETCH(bool, landscape);
        QFETCH(QSizeF, rectangleMm);
        QFETCH(double, barMm);
        // A 200 x 100 cm white van with the rectangle 50 cm and 25 cm in from its corner.
        const double resol = 10000.0 / micrometres;
        Plan plan(int(200 * resol), int(100 * resol), micrometres);
        plan.addRectangle(50, 25, 100, 50);
        platform::PictureCache pictures;
        const output::PlanSource source = plan.source(pictures);
        const output::ScaledPlan scaled =
            output::prepareScaledPlan(source, {scale, Paper::A4, landscape, false});
        QCOMPARE(scaled.pages.pageCount(), 1);
        const QString pdf = plan.folder.path() + QStringLiteral("/plan.pdf");
        QCOMPARE(output::writeScaledPdf(pdf, source, scaled), QString());

        const QImage page = renderFirstPage(pdf);
        const QSizeF paper = output::paperSize(Paper::A4, landscape);
        // The sheet's size to the pixel (poppler rounds the points up).
        QVERIFY(qAbs(page.width() - paper.width() * kDotsPerMm) <= 1.5);
        QVERIFY(qAbs(page.height() - paper.height() * kDotsPerMm) <= 1.5);
        const QRectF area = scaled.pages.drawArea;
        const QRectF box = darkBox(page, area);
        QVERIFY2(qAbs(box.width() - rectangleMm.width()) <= 0.5 &&
                     qAbs(box.height() - rectangleMm.height()) <= 0.5,
                 qPrintable(QStringLiteral("%1 x %2 mm").arg(box.width()).arg(box.height())));
        // Its corner is 50 cm and 25 cm from the van's, which is the drawing area's.
        QVERIFY(qAbs(box.left() - area.left() - 500.0 / scale) <= 0.5);
        QVERIFY(qAbs(box.top() - area.top() - 250.0 / scale) <= 0.5);

        // The scale bar: a black bar along the footer's top, left of the scale in words.
        const QRectF footer = scaled.pages.footer;
        const QRectF bar = darkBox(page, QRectF(footer.left(), footer.top() + 3.2, barMm + 10, 1));
        QVERIFY2(qAbs(bar.width() - barMm) <= 0.5 && qAbs(bar.left() - footer.left()) <= 0.5,
                 qPrintable(QStringLiteral("bar %1 mm").arg(bar.width())));
        const QString text = pageText(pdf, 1);
        QVERIFY2(
            text.contains(output::scaleWords(scale)) &&
                text.contains(QStringLiteral("%1 cm").arg(output::scaleBar(scale).centimetres)) &&
                text.contains(QStringLiteral("Fourgon L2H2 - Kestrion - www.kestrion.fr")),
            qPrintable(text));
    }

    void aLargePlanIsSplitWithMarks_data() {
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<bool>("throughPrinter");
        QTest::addColumn<QStringList>("marks"); // one per page
        QTest::newRow("A4 portrait: one row of three")
            << false << false
            << QStringList{"Page 1/3 : rangée 1, colonne 1", "Page 2/3 : rangée 1, colonne 2",
                           "Page 3/3 : rangée 1, colonne 3"};
        QTest::newRow("A4 landscape through the printer: two rows of two")
            << true << true
            << QStringList{"Page 1/4 : rangée 1, colonne 1", "Page 2/4 : rangée 1, colonne 2",
                           "Page 3/4 : rangée 2, colonne 1", "Page 4/4 : rangée 2, colonne 2"};
    }
    void aLargePlanIsSplitWithMarks() {
        QFETCH(bool, landscape);
        QFETCH(bool, throughPrinter);
        QFETCH(QStringList, marks);
        Plan plan(1000, 500, 5000); // 5 x 2.5 m: 500 x 250 mm at 1:10
        plan.addRectangle(200, 100, 60, 40);
        platform::PictureCache pictures;
        const output::PlanSource source = plan.source(pictures);
        const output::ScaledPlan scaled =
            output::prepareScaledPlan(source, {10, Paper::A4, landscape, false});
        const QString pdf = plan.folder.path() + QStringLiteral("/split.pdf");
        if (throughPrinter) {
            platform::PdfFilePrinter printer(pdf);
            QCOMPARE(output::printScaled(printer, source, scaled), QString());
        } else {
            QCOMPARE(output::writeScaledPdf(pdf, source, scaled), QString());
        }
        QCOMPARE(pdfPages(pdf), int(marks.size()));
        const QString size = runTool(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY2(
            size.contains(landscape ? QStringLiteral("842 x 595") : QStringLiteral("595 x 842")),
            qPrintable(size));
        for (int page = 1; page <= marks.size(); ++page) {
            const QString text = pageText(pdf, page);
            QVERIFY2(text.contains(marks[page - 1]) &&
                         text.contains(QStringLiteral("Échelle 1:10")),
                     qPrintable(text));
        }
    }

    void theAutomaticZoneLeavesTheEmptyVanOut() {
        // Only the rectangle is drawn on the white van: the zone is it and its margin.
        Plan plan(1000, 500, 5000);
        plan.addRectangle(200, 100, 60, 40);
        platform::PictureCache pictures;
        const output::ScaledPlan scaled =
            output::prepareScaledPlan(plan.source(pictures), {10, Paper::A4, false, true});
        QCOMPARE(scaled.pages.pageCount(), 1);
        const QRectF rectangle(400, 200, 120, 80); // picture pixels
        QVERIFY(scaled.zone.contains(rectangle));
        QVERIFY(scaled.zone.width() < rectangle.width() + 50);
        QVERIFY(scaled.zone.height() < rectangle.height() + 50);
    }

    void aFileThatCannotBeWrittenIsReported() {
        Plan plan(200, 100, 5000);
        platform::PictureCache pictures;
        const output::PlanSource source = plan.source(pictures);
        const output::ScaledPlan scaled = output::prepareScaledPlan(source, {20});
        QCOMPARE(output::writeScaledPdf(plan.folder.path() + QStringLiteral("/no/plan.pdf"), source,
                                        scaled),
                 QStringLiteral("Impossible d'exporter le plan en PDF."));
    }
};

QTEST_MAIN(TestScaledOutput)
#include "tst_scaledoutput.moc"
