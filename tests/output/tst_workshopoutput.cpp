// Guards the true-scale sheets measured on the rendered PDF, the parts list, and printing
// with no printer at all.
#include "library/LayoutOpening.h"
#include "library/MassData.h"
#include "output/MassReport.h"
#include "output/PageLayout.h"
#include "output/PartsList.h"
#include "output/ScaledOutput.h"
#include "platform/QtPrinter.h"
#include "testkit/PlanObjects.h"
#include "testkit/TestKit.h"

#include <QPainter>
#include <QPrinterInfo>
#include <QProcess>
#include <QtTest>

using document::Fill;
using output::Paper;
using output::ScaleSetup;
using testkit::planObject;

namespace {

constexpr double kDotsPerMm = 300.0 / 25.4; // pdftoppm -r 300
// A van body pale enough not to hide the plan's black lines, yet plainly not paper.
constexpr QRgb kTint = qRgb(220, 220, 255);

QString runTool(const QString& tool, const QStringList& args) {
    QProcess process;
    process.start(tool, args);
    const bool ran = process.waitForFinished(120000) && process.exitCode() == 0;
    return ran ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

// The bounding box, in mm, of the dark pixels of the page inside a band given in mm.
QRectF darkBox(const QImage& page, const QRectF& bandMm) {
    const QRect band = QRectF(bandMm.topLeft() * kDotsPerMm, bandMm.size() * kDotsPerMm)
                           .toRect()
                           .intersected(page.rect());
    QRect dark;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            if (qGray(page.pixel(x, y)) < 80)
                dark |= QRect(x, y, 1, 1);
    return QRectF(QPointF(dark.topLeft()) / kDotsPerMm, QSizeF(dark.size()) / kDotsPerMm);
}

} // namespace

Q_DECLARE_METATYPE(ScaleSetup)

class TestWorkshopOutput : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void sheetsForAPlan_data() {
        QTest::addColumn<QSizeF>("planCm");
        QTest::addColumn<ScaleSetup>("setup");
        QTest::addColumn<QList<int>>("expected"); // scale used, columns, rows; empty: refused
        // A4 portrait draws on 190 x 261 mm, landscape on 277 x 174 mm, A3 portrait on 277 x 384.
        const int fit = output::kFitScale;
        const auto row = [](const char* name, QSizeF cm, ScaleSetup setup, QList<int> expected) {
            QTest::newRow(name) << cm << setup << expected;
        };
        row("exactly the drawing width stays on one sheet", {380, 100}, {20}, {20, 1, 1});
        row("one mm wider needs the overlap of a second sheet", {382, 100}, {20}, {20, 2, 1});
        row("A3 takes at 1:10 what A4 splits", {270, 380}, {10, Paper::A3}, {10, 1, 1});
        row("fit: the smallest whole scale, width bound", {500, 250}, {fit}, {27, 1, 1});
        row("fit: height bound in landscape", {300, 400}, {fit, Paper::A4, true}, {23, 1, 1});
        row("fit: a tiny plan is drawn at 1:1", {5, 5}, {fit}, {1, 1, 1});
        row("150 m at 1:5 would take hundreds of sheets", {15000, 250}, {5}, {});
        row("1e30 cm at 1:5: counted without overflow", {1e30, 1e30}, {5}, {});
        row("fit: 1e30 cm at the largest scale counted, refused", {1e30, 1e30}, {fit}, {});
    }
    void sheetsForAPlan() {
        QFETCH(QSizeF, planCm);
        QFETCH(ScaleSetup, setup);
        QFETCH(QList<int>, expected);
        const output::PageLayout pages = output::layoutPages(planCm, setup);
        if (expected.isEmpty()) {
            QVERIFY(pages.tooManyPages());
            QVERIFY(pages.tiles.empty());
            QVERIFY(pages.pageCount() > output::kMostPages);
            QVERIFY(pages.pageCount() <= qint64(output::kMostPieces) * output::kMostPieces);
            return;
        }
        QCOMPARE((QList<int>{pages.scale, pages.columns, pages.rows}), expected);
        QCOMPARE(int(pages.tiles.size()), pages.columns * pages.rows);
        // Neighbours share exactly the overlap strip.
        const QRectF plan(QPointF(0, 0), planCm * 10.0 / pages.scale);
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

    // A 100 x 50 cm rectangle 50 and 25 cm in from the tinted van's corner.
    void sizesOnPaperAreTrue_data() {
        QTest::addColumn<QSize>("van");       // the white picture, in pixels
        QTest::addColumn<int>("micrometres"); // per pixel
        QTest::addColumn<int>("scale");
        QTest::addColumn<bool>("landscape");
        QTest::addColumn<double>("barMm");
        QTest::addColumn<QStringList>("marks"); // one per page when the plan is split
        QTest::newRow("1:10, 4 pixels per cm, landscape")
            << QSize(800, 400) << 2500 << 10 << true << 50.0 << QStringList();
        QTest::newRow("1:50") << QSize(400, 200) << 5000 << 50 << false << 40.0 << QStringList();
        QTest::newRow("a 5 x 2.5 m van at 1:10 in landscape: two rows of two sheets")
            << QSize(1000, 500) << 5000 << 10 << true << 50.0
            << QStringList{"Page 1/4 : rangée 1, colonne 1", "Page 2/4 : rangée 1, colonne 2",
                           "Page 3/4 : rangée 2, colonne 1", "Page 4/4 : rangée 2, colonne 2"};
    }
    void sizesOnPaperAreTrue() {
        QFETCH(QSize, van);
        QFETCH(int, micrometres);
        QFETCH(int, scale);
        QFETCH(bool, landscape);
        QFETCH(double, barMm);
        QFETCH(QStringList, marks);
        testkit::ProgramFolder folder;
        const QString file = QStringLiteral("Fourgon_L2H2_Dessus_XY_%1_.bmp").arg(micrometres);
        folder.addPicture(QStringLiteral("vehicules"), file, van.width(), van.height(), kTint);
        document::Layout layout;
        library::loadVehicle(folder.path(), file).value().applyTo(layout);
        const double r = layout.pixelsPerCm;
        layout.objects.append(
            planObject(document::ObjectKind::Rectangle, float(50 * r), float(25 * r), 50, 100));
        platform::PictureCache pictures;
        const output::PlanSource source{layout, settings::Preferences::defaults(), pictures,
                                        folder.path()};
        const output::ScaledPlan scaled =
            output::prepareScaledPlan(source, {scale, Paper::A4, landscape, false});
        const QString pdf = folder.path() + QStringLiteral("/plan.pdf");
        const output::ScaledPlan zoned =
            output::prepareScaledPlan(source, {scale, Paper::A4, landscape, true});
        const QRectF drawn(50 * r, 25 * r, 100 * r, 50 * r);
        QVERIFY(zoned.pages.pageCount() == 1);
        QVERIFY(zoned.zone.contains(drawn));
        QVERIFY(zoned.zone.width() < drawn.width() + 50);
        QVERIFY(zoned.zone.height() < drawn.height() + 50);
        QCOMPARE(output::writeScaledPdf(pdf, source, scaled), QString());
        QCOMPARE(output::writeScaledPdf(folder.path() + "/no/plan.pdf", source, scaled),
                 QStringLiteral("Impossible d'exporter le plan en PDF."));
        const int pages = std::max(1, int(marks.size()));
        QCOMPARE(scaled.pages.pageCount(), pages);
        QVERIFY(runTool(QStringLiteral("pdfinfo"), {pdf})
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\n").arg(pages))));
        runTool(QStringLiteral("pdftoppm"),
                {"-r", "300", "-png", "-singlefile", "-f", "1", "-l", "1", pdf, pdf + "-page"});
        const QImage page = QImage(pdf + "-page.png").convertToFormat(QImage::Format_RGB32);
        const QSizeF paper = output::paperSize(Paper::A4, landscape);
        // To the pixel: poppler rounds the points up.
        QVERIFY(qAbs(page.width() - paper.width() * kDotsPerMm) <= 1.5);
        QVERIFY(qAbs(page.height() - paper.height() * kDotsPerMm) <= 1.5);
        const QRectF area = scaled.pages.drawArea;
        // Searched clear of a split sheet's frame and overlap marks.
        const QRectF box =
            darkBox(page, QRectF(area.topLeft() + QPointF(2, 2), QSizeF(2000, 1000) / scale));
        QVERIFY2(qAbs(box.width() - 1000.0 / scale) <= 0.5,
                 qPrintable(QStringLiteral("%1 x %2 mm").arg(box.width()).arg(box.height())));
        QVERIFY2(qAbs(box.height() - 500.0 / scale) <= 0.5,
                 qPrintable(QStringLiteral("%1 x %2 mm").arg(box.width()).arg(box.height())));
        QVERIFY(qAbs(box.left() - area.left() - 500.0 / scale) <= 0.5);
        QVERIFY(qAbs(box.top() - area.top() - 250.0 / scale) <= 0.5);
        // The scale bar: a black bar along the footer's top, left of the scale in words.
        const QRectF footer = scaled.pages.footer;
        const QRectF bar = darkBox(page, QRectF(footer.left(), footer.top() + 3.2, barMm + 10, 1));
        QVERIFY2(qAbs(bar.width() - barMm) <= 0.5,
                 qPrintable(QStringLiteral("bar %1 mm").arg(bar.width())));
        QVERIFY2(qAbs(bar.left() - footer.left()) <= 0.5,
                 qPrintable(QStringLiteral("bar %1 mm").arg(bar.width())));
        for (int n = 1; n <= pages; ++n) {
            const QString p = QString::number(n);
            const QString text =
                runTool(QStringLiteral("pdftotext"), {"-enc", "UTF-8", "-f", p, "-l", p, pdf, "-"});
            QVERIFY2(text.contains(QStringLiteral("Échelle 1:%1").arg(scale)), qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("%1 cm").arg(barMm * scale / 10)),
                     qPrintable(text));
            QVERIFY2(text.contains(QStringLiteral("Fourgon L2H2 - Kestrion - www.kestrion.fr")),
                     qPrintable(text));
            QVERIFY2(text.contains(marks.value(n - 1)), qPrintable(text));
        }
    }

    // Sheets that show nothing of the plan are left out of the PDF; the others keep their
    // row and column, are numbered among those that go on paper, and name in their
    // assembly marks only the neighbours that do. Vans at 2 pixels per cm, tinted but for
    // a part left white (with a photo's near-white noise).
    void blankSheetsAreLeftOut_data() {
        QTest::addColumn<QSize>("van");
        QTest::addColumn<QRect>("white"); // in picture pixels
        QTest::addColumn<QPoint>("dot");  // a black 2 x 2 cm square there; none at (-1, -1)
        QTest::addColumn<ScaleSetup>("setup");
        // Per sheet: its page mark, then the pages its assembly marks name.
        QTest::addColumn<QStringList>("sheets");
        const QPoint none(-1, -1);
        const ScaleSetup landscape{10, Paper::A4, true, false};
        // 5.5 x 2.5 m at 1:10 in A4 landscape: three columns, the third (from 534 mm, 1068
        // pixels) only 16 mm wide, 10 of them shared with the second; two rows.
        QTest::newRow("a column of white margin beyond the van is left out")
            << QSize(1100, 500) << QRect(1000, 0, 100, 500) << none << landscape
            << QStringList{"Page 1/4 : rangée 1, colonne 1|page 2,page 3",
                           "Page 2/4 : rangée 1, colonne 2|page 1,page 4",
                           "Page 3/4 : rangée 2, colonne 1|page 1,page 4",
                           "Page 4/4 : rangée 2, colonne 2|page 2,page 3"};
        QTest::newRow("one square in that thin strip keeps its sheet")
            << QSize(1100, 500) << QRect(1000, 0, 100, 500) << QPoint(1088, 40) << landscape
            << QStringList{"Page 1/5 : rangée 1, colonne 1|page 2,page 4",
                           "Page 2/5 : rangée 1, colonne 2|page 1,page 3,page 5",
                           "Page 3/5 : rangée 1, colonne 3|page 2",
                           "Page 4/5 : rangée 2, colonne 1|page 1,page 5",
                           "Page 5/5 : rangée 2, colonne 2|page 2,page 4"};
        // 5 x 2.5 m: two rows of two sheets; the last one's share starts at 534, 328 pixels.
        QTest::newRow("a corner the van does not reach is left out")
            << QSize(1000, 500) << QRect(530, 320, 470, 180) << none << landscape
            << QStringList{"Page 1/3 : rangée 1, colonne 1|page 2,page 3",
                           "Page 2/3 : rangée 1, colonne 2|page 1",
                           "Page 3/3 : rangée 2, colonne 1|page 1"};
        QTest::newRow("a corner holding a square stays")
            << QSize(1000, 500) << QRect(530, 320, 470, 180) << QPoint(900, 440) << landscape
            << QStringList{"Page 1/4 : rangée 1, colonne 1|page 2,page 3",
                           "Page 2/4 : rangée 1, colonne 2|page 1,page 4",
                           "Page 3/4 : rangée 2, colonne 1|page 1,page 4",
                           "Page 4/4 : rangée 2, colonne 2|page 2,page 3"};
        // A3 portrait draws on 277 x 384 mm: one row of three, the third only white margin.
        QTest::newRow("1:10 on A3: the sheet of white margin is left out")
            << QSize(1100, 500) << QRect(1000, 0, 100, 500) << none
            << ScaleSetup{10, Paper::A3, false, false}
            << QStringList{"Page 1/2 : rangée 1, colonne 1|page 2",
                           "Page 2/2 : rangée 1, colonne 2|page 1"};
        QTest::newRow("a blank plan keeps its first sheet")
            << QSize(1000, 500) << QRect(0, 0, 1000, 500) << none << landscape
            << QStringList{"Page 1/1 : rangée 1, colonne 1|"};
    }
    void blankSheetsAreLeftOut() {
        QFETCH(QSize, van);
        QFETCH(QRect, white);
        QFETCH(QPoint, dot);
        QFETCH(ScaleSetup, setup);
        QFETCH(QStringList, sheets);
        testkit::ProgramFolder folder;
        const QString file = QStringLiteral("Fourgon_L2H2_Dessus_XY_5000_.bmp");
        QImage picture(van, QImage::Format_RGB32);
        picture.fill(kTint);
        QPainter(&picture).fillRect(white, QColor(250, 252, 253));
        folder.addPicture(QStringLiteral("vehicules"), file, picture);
        document::Layout layout;
        library::loadVehicle(folder.path(), file).value().applyTo(layout);
        if (dot != QPoint(-1, -1))
            layout.objects.append(planObject(document::ObjectKind::Rectangle, float(dot.x()),
                                             float(dot.y()), 2, 2, Fill::colour(0)));
        platform::PictureCache pictures;
        const output::PlanSource source{layout, settings::Preferences::defaults(), pictures,
                                        folder.path()};
        const output::ScaledPlan plan = output::prepareScaledPlan(source, setup);
        QStringList marks;
        for (const output::PageTile& tile : plan.pages.tiles)
            marks << plan.pages.pageMark(tile);
        QStringList expectedMarks;
        for (const QString& sheet : sheets)
            expectedMarks << sheet.section(QLatin1Char('|'), 0, 0);
        QCOMPARE(marks, expectedMarks);

        // The PDF holds those sheets, each with its mark and its neighbours' pages.
        const QString pdf = folder.path() + QStringLiteral("/plan.pdf");
        QCOMPARE(output::writeScaledPdf(pdf, source, plan), QString());
        QVERIFY(
            runTool(QStringLiteral("pdfinfo"), {pdf})
                .contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\n").arg(sheets.size()))));
        static const QRegularExpression neighbour(QStringLiteral("\\bpage \\d+"));
        for (int n = 1; n <= sheets.size(); ++n) {
            const QString p = QString::number(n);
            const QString text =
                runTool(QStringLiteral("pdftotext"), {"-enc", "UTF-8", "-f", p, "-l", p, pdf, "-"});
            QVERIFY2(text.contains(expectedMarks[n - 1]), qPrintable(text));
            QStringList named;
            for (const QRegularExpressionMatch& match : neighbour.globalMatch(text))
                named << match.captured();
            named.sort();
            QCOMPARE(named.join(QLatin1Char(',')), sheets[n - 1].section(QLatin1Char('|'), 1));
        }
    }

    // Every kind at 2 pixels per cm, in decimal commas (`--parts` checks the C locale's points);
    // a text a spreadsheet would run, a negative height and a part of 12 cm².
    void everyKindAndTheTotals() {
        using enum document::ObjectKind;
        document::Layout layout;
        layout.vehicleFile = QStringLiteral("Fourgon_L2H2_Dessus_XY_5000_.jpg");
        layout.pixelsPerCm = 2.0;
        const Fill parquet = Fill::file(QStringLiteral("Parquet chene.jpg")), red = Fill::colour(2);
        document::ObjectTable& t = layout.objects;
        t.append(planObject(Measure, 20, 40, 5, 120));
        t.append(planObject(Rectangle, 100, 60, 120, 200, parquet, true));
        t.append(planObject(Ellipse, 11, 3, 100, 100, red));
        t.append(planObject(Text, 0, 0, 10, 60, Fill::colour(0), true, 0,
                            QStringLiteral("Lit; 140 \"double\"")));
        t.append(planObject(Line, -15, 7, 1, 80, Fill::colour(6), false, 1));
        t.append(planObject(Triangle, 300, 201, 45, 120, red, false, 3));
        t.append(planObject(Accessory, 400, 100, 40, 60,
                            Fill::file(QStringLiteral("Meuble_Evier_60_40_XY_.bmp")), true));
        t.append(planObject(Rectangle, 500, 0, 192, 100, parquet));
        t.append(planObject(Rectangle, 0, 300, 50, 100, red));
        t.append(planObject(Text, 0, 0, 10, 60, Fill::colour(0), false, 0, QStringLiteral("=1+1")));
        t.append(planObject(Text, 0, 0, 10, 60, Fill::colour(0), false, 0, QStringLiteral("@A1")));
        t.append(planObject(Rectangle, 0, 0, -50, 100, red));
        t.append(planObject(Rectangle, 0, 0, 3, 4, red));
        const QStringList expected = {
            "N°;Type;Description;Largeur (cm);Hauteur (cm);X (cm);Y (cm);Surface (m²);Figé",
            "1;Mesure;Noir;120;5;10;20;;non",
            "2;Rectangle;Parquet chene;200;120;50;30;2,4;oui",
            "3;Ellipse / Cercle;Rouge;100;100;5,5;1,5;0,7854;non",
            "4;Texte;\"Lit; 140 \"\"double\"\"\";60;10;0;0;;oui",
            "5;Ligne;Bleu;80;1;-7,5;3,5;;non",
            "6;Triangle;Rouge;120;45;150;100,5;0,27;non",
            "7;Accessoire;Meuble Evier;60;40;200;50;;oui",
            "8;Rectangle;Parquet chene;100;192;250;0;1,92;non",
            "9;Rectangle;Rouge;100;50;0;150;0,5;non",
            "10;Texte;\"'=1+1\";60;10;0;0;;non",
            "11;Texte;\"'@A1\";60;10;0;0;;non",
            "12;Rectangle;Rouge;100;-50;0;0;0,5;non",
            "13;Rectangle;Rouge;4;3;0;0;0,0012;non",
            ";Total texture;Parquet chene : 4,32 m²;;;;;4,32;",
            ";Total couleur;Rouge : 2,0566 m²;;;;;2,0566;",
        };
        QCOMPARE(output::partsListLines(layout, QLocale()), expected);
    }

    // A layout with masses gets the mass column, its loads and the budget's lines in the
    // parts list, and the budget boxed on the first true-scale sheet.
    void massesInTheOutputs() {
        testkit::ProgramFolder folder;
        const QString file = QStringLiteral("Fourgon_L2H2_Dessus_XY_5000_.bmp");
        folder.addPicture(QStringLiteral("vehicules"), file, 1100, 500);
        platform::FileSystem fs;
        QVERIFY(fs.writeFileSafely(folder.vehicules() + QStringLiteral("/donnees.txt"),
                                   "[Fourgon_L2H2]\nvide_avant = 1150\nvide_arriere = 850\n"
                                   "maxi_avant = 1850\nmaxi_arriere = 2000\nmaxi_total = 3500\n"
                                   "[" +
                                       file.toUtf8() +
                                       "]\nessieu_avant = 100\n"
                                       "essieu_arriere = 445\n"));
        document::Layout layout;
        library::loadVehicle(folder.path(), file).value().applyTo(layout);
        layout.objects.append(planObject(document::ObjectKind::Rectangle, 400, 100, 50, 100));
        layout.objects.append(planObject(document::ObjectKind::Rectangle, 140, 100, 50, 60));
        layout.objects.row(2).massKg = 28.5f; // its middle on the front axle
        layout.loads = {{QStringLiteral("Eau"), 100, 345}};
        const QStringList lines = output::partsListLines(
            layout, QLocale(),
            library::layoutMassBudget(layout, library::readVehicleData(folder.path(), fs)));
        QVERIFY2(lines[0].endsWith(QStringLiteral(";Masse (kg)")), qPrintable(lines[0]));
        QVERIFY2(lines[1].endsWith(QStringLiteral(";non;")), qPrintable(lines[1]));
        QVERIFY2(lines[2].endsWith(QStringLiteral(";non;28,5")), qPrintable(lines[2]));
        for (const QString& line :
             {QStringLiteral(";Charge;Eau;;;;;;;100"),
              QStringLiteral(";Bilan des masses;Essieu avant : 1178,5 kg / 1850 kg;;;;;;;"),
              QStringLiteral(";Bilan des masses;Essieu arrière : 950 kg / 2000 kg;;;;;;;")})
            QVERIFY2(lines.contains(line), qPrintable(lines.join(QLatin1Char('\n'))));
        const QStringList plain = output::partsListLines(document::Layout{}, QLocale());
        QVERIFY(!plain[0].contains(QStringLiteral("Masse")));

        platform::PictureCache pictures;
        const output::PlanSource source{
            layout, settings::Preferences::defaults(), pictures, folder.path(),
            output::sheetMassLines(layout, folder.path(), fs, QLocale())};
        const QString pdf = folder.path() + QStringLiteral("/plan.pdf");
        const output::ScaledPlan scaled =
            output::prepareScaledPlan(source, {20, Paper::A4, true, false});
        QCOMPARE(output::writeScaledPdf(pdf, source, scaled), QString());
        const QString text =
            runTool(QStringLiteral("pdftotext"), {"-enc", "UTF-8", "-f", "1", "-l", "1", pdf, "-"});
        QVERIFY2(text.contains(QStringLiteral("Essieu avant : 1178,5 kg / 1850 kg")) &&
                     text.contains(QStringLiteral("Charge utile restante : 1371,5 kg")),
                 qPrintable(text));
    }

    // Printed to a file from the print dialog, the copies are the whole run again, in order.
    void copiesPrintedToAFileRepeatTheRun() {
        testkit::ProgramFolder folder;
        const QString file = QStringLiteral("Fourgon_L2H2_Dessus_XY_5000_.bmp");
        folder.addPicture(QStringLiteral("vehicules"), file, 1000, 300, kTint);
        document::Layout layout;
        library::loadVehicle(folder.path(), file).value().applyTo(layout);
        platform::PictureCache pictures;
        const output::PlanSource source{layout, settings::Preferences::defaults(), pictures,
                                        folder.path()};
        const output::ScaledPlan plan =
            output::prepareScaledPlan(source, {10, Paper::A4, true, false});
        QCOMPARE(plan.pages.tiles.size(), std::size_t(2));
        const QString pdf = folder.path() + QStringLiteral("/copies.pdf");
        platform::QtPrinter printer;
        printer.useChoice({QString(), 2, pdf});
        QCOMPARE(output::printScaled(printer, source, plan), QString());
        const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+4\n"))),
                 qPrintable(info));
        for (const auto& [page, mark] : {std::pair{"1", "Page 1/2"}, std::pair{"2", "Page 2/2"},
                                         std::pair{"3", "Page 1/2"}, std::pair{"4", "Page 2/2"}}) {
            const QString text = runTool(QStringLiteral("pdftotext"),
                                         {"-enc", "UTF-8", "-f", page, "-l", page, pdf, "-"});
            QVERIFY2(text.contains(QLatin1String(mark)), qPrintable(text));
        }
    }

    void noPrinterIsExplained() {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("A default printer is reachable despite the missing print server.");
        platform::QtPrinter printer;
        const QString none = "Aucune imprimante n'est installée. Impossible d'imprimer le plan.";
        QCOMPARE(printer.printPicture(QImage(10, 10, QImage::Format_RGB32)), none);
        bool painted = false; // the true-scale sheets are not even drawn
        const auto paint = [&](QPagedPaintDevice&, int) { return painted = true; };
        QVERIFY(printer.printPages(QPageLayout(), paint) == none);
        QVERIFY(!painted);
    }
};

QTEST_MAIN(TestWorkshopOutput)
#include "tst_workshopoutput.moc"
