// Guards the plan renderer: screen mapping, every object kind's pixels, textures, turns and
// Affiche.
#include "document/Layout.h"
#include "document/Palette.h"
#include "render/PlanRenderer.h"
#include "render/ScaleModel.h"
#include "testkit/TestKit.h"

#include <QPainter>
#include <QtTest>

using document::Cell;
using document::ObjectRow;
using platform::Colour;
using platform::Surface;

namespace {

constexpr Colour kRed = document::kPalette[2];
const Colour kBg = platform::kWindowBackground;

ObjectRow makeRow(int kind, float x, float y, float h, float w, const Cell& fill,
                  const Cell& extra = Cell::integer(0)) {
    ObjectRow row;
    row[document::ColKind] = Cell::integer(std::int16_t(kind));
    row[document::ColX] = Cell::real(x);
    row[document::ColY] = Cell::real(y);
    row[document::ColHeight] = Cell::real(h);
    row[document::ColWidth] = Cell::real(w);
    row[document::ColFill] = fill;
    row[document::ColLock] = Cell::integer(0);
    row[document::ColExtra] = extra;
    return row;
}

// Picture of four coloured quadrants (red, green / blue, yellow), for telling turns apart.
QImage quadrants(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.fillRect(0, 0, width / 2, height / 2, Qt::red);
    p.fillRect(width / 2, 0, width - width / 2, height / 2, Qt::green);
    p.fillRect(0, height / 2, width / 2, height - height / 2, Qt::blue);
    p.fillRect(width / 2, height / 2, width - width / 2, height - height / 2, Qt::yellow);
    return image;
}

Colour fromQt(Qt::GlobalColor c) {
    return platform::fromQRgb(QColor(c).rgb());
}

} // namespace

class TestPlanRenderer : public QObject {
    Q_OBJECT

    testkit::ProgramFolder folder_;
    platform::PictureCache cache_;
    render::PlanRenderer renderer_{cache_, folder_.path()};

    void draw(Surface& s, float x, float y, float h, float w, int kind, const Cell& fill,
              const Cell& extra = Cell::integer(0), settings::Preferences prefs = {},
              float zoom = 1.0f, double resol = 1.0) {
        renderer_.DessinerObjet(s, x, y, h, w, Cell::integer(std::int16_t(kind)), fill, extra,
                                render::DrawContext{zoom, resol, prefs});
    }

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void screenMapping_data() {
        QTest::addColumn<QPointF>("stored"); // columns 2 and 3
        QTest::addColumn<float>("zoom");
        QTest::addColumn<QPointF>("origin");
        QTest::addColumn<QPointF>("onSurface");
        // Each product is rounded (halves to even) before the difference.
        QTest::newRow("unzoomed, no scroll")
            << QPointF(40, 30) << 1.f << QPointF(0, 0) << QPointF(40, 30);
        QTest::newRow("scroll subtracts")
            << QPointF(40, 30) << 1.f << QPointF(15, 5) << QPointF(25, 25);
        QTest::newRow("2.5 - 1.5 gives 2 - 2")
            << QPointF(5, 5) << .5f << QPointF(3, 3) << QPointF(0, 0);
        QTest::newRow("3.5 - 0.5 gives 4 - 0")
            << QPointF(7, 7) << .5f << QPointF(1, 1) << QPointF(4, 4);
        QTest::newRow("zoom in") << QPointF(10, 20) << 2.f << QPointF(4, 8) << QPointF(12, 24);
        QTest::newRow("left of the view")
            << QPointF(2, 3) << 1.f << QPointF(10, 10) << QPointF(-8, -7);
    }

    void screenMapping() {
        QFETCH(QPointF, stored);
        QFETCH(float, zoom);
        QFETCH(QPointF, origin);
        QFETCH(QPointF, onSurface);
        const auto box = render::screenBox(
            makeRow(1, float(stored.x()), float(stored.y()), 30, 50, Cell::integer(2)),
            render::View{zoom, float(origin.x()), float(origin.y())}, 2.0);
        QCOMPARE(QPointF(box.x, box.y), onSurface);
        QCOMPARE(box.w, 50 * zoom * 2);
        QCOMPARE(box.h, 30 * zoom * 2);
    }

    void measureLabelKeepsLengthAtAnyZoom_data() {
        QTest::addColumn<float>("zoom");
        QTest::addColumn<double>("resol");
        QTest::newRow("half zoom, 25 px/cm") << 0.5f << 25.0;
        QTest::newRow("30 %") << 0.3f << 25.0;
        QTest::newRow("170 %") << 1.7f << 25.0;
        QTest::newRow("333 %, 2 px/cm") << 3.33f << 2.0;
        QTest::newRow("10 %, 0.7 px/cm") << 0.1f << 0.7;
    }

    void measureLabelKeepsLengthAtAnyZoom() {
        QFETCH(float, zoom);
        QFETCH(double, resol);
        const auto box = render::screenBox(makeRow(0, 0, 0, 10, 100, Cell::integer(0)),
                                           render::View{zoom, 0, 0}, resol);
        if (zoom == 0.5f && resol == 25.0)
            QCOMPARE(box.w, 1250.f);
        QCOMPARE(render::longueurCm(box.w, zoom, resol), 100);
    }

    void measureArrowsAndLabel_data() {
        QTest::addColumn<QRect>("box");
        QTest::addColumn<bool>("horizontal");
        QTest::newRow("wide box is horizontal") << QRect(10, 20, 61, 12) << true;
        QTest::newRow("tall box is vertical") << QRect(10, 20, 12, 61) << false;
        QTest::newRow("square box is vertical") << QRect(30, 20, 40, 40) << false;
    }

    void measureArrowsAndLabel() {
        QFETCH(QRect, box);
        QFETCH(bool, horizontal);
        const int x = box.x(), y = box.y(), w = box.width(), h = box.height();
        Surface s(200, 150);
        draw(s, x, y, h, w, document::Mesure, Cell::integer(2));
        auto red = [&](int px, int py) { return s.Point(px, py) == kRed; };
        const QString label = QString::number(horizontal ? w : h);
        const QSize text = s.TailleTexte(label);
        if (horizontal) {
            QVERIFY(red(x + w / 2, y + 4));
            QVERIFY(red(x + w / 2, y + 5));
            for (int k = 1; k <= 5; ++k) {
                for (const int column : {x + k - 1, x + w - k}) {
                    QVERIFY2(red(column, y + 5 - k) && red(column, y + 5 + k),
                             qPrintable(QStringLiteral("arrowhead column %1").arg(column)));
                    QVERIFY(!red(column, y + 5 - k - 1));
                }
            }
            QCOMPARE(s.CurrentX - float(text.width()),
                     std::nearbyint(x + w / 2.0f - text.width() / 2.0f));
            QCOMPARE(s.CurrentY, float(y + 5));
        } else {
            QVERIFY(red(x + w - 5, y + h / 2));
            QVERIFY(red(x + w - 6, y + h / 2));
            for (int k = 1; k <= 5; ++k) {
                for (const int row : {y + k - 1, y + h - k}) {
                    QVERIFY2(red(x + w - 5 - k, row) && red(x + w - 5 + k, row),
                             qPrintable(QStringLiteral("arrowhead row %1").arg(row)));
                    QVERIFY(!red(x + w - 5 + k + 1, row));
                }
            }
            QCOMPARE(s.CurrentX, float(x + w - 7)); // the label ends one pixel left of the shaft
            QCOMPARE(s.CurrentY, std::nearbyint(y + h / 2.0f - text.height() / 2.0f));
        }
        QCOMPARE(s.ForeColor, kRed);
    }

    void ellipseColumns() {
        Surface s(100, 60);
        const float x = 10, y = 10, w = 40, h = 20;
        draw(s, x, y, h, w, document::Ellipse, Cell::integer(2));
        auto columnExtent = [&](int column) {
            int top = -1, bottom = -1;
            for (int row = 0; row < s.height(); ++row)
                if (s.Point(column, row) == kRed) {
                    if (top < 0)
                        top = row;
                    bottom = row;
                }
            return std::pair(top, bottom);
        };
        QCOMPARE(columnExtent(9), std::pair(-1, -1));
        QCOMPARE(columnExtent(51), std::pair(-1, -1));
        QCOMPARE(columnExtent(10), std::pair(20, 20)); // the end columns are single points
        QCOMPARE(columnExtent(50), std::pair(20, 20));
        QCOMPARE(columnExtent(30), std::pair(10, 30)); // the middle spans the full height
        const auto [top, bottom] = columnExtent(20);   // symmetric about the centre row
        QCOMPARE(20 - top, bottom - 20);
    }

    void triangleOrientations_data() {
        QTest::addColumn<int>("extra");
        QTest::addColumn<QPoint>("rightAngle");
        QTest::addColumn<QPoint>("opposite");
        QTest::addColumn<QPoint>("centroid");
        // Box (10, 10) 40 wide, 20 high.
        QTest::newRow("0: right angle top-right")
            << 0 << QPoint(48, 11) << QPoint(11, 28) << QPoint(37, 17);
        QTest::newRow("1: top-left") << 1 << QPoint(11, 11) << QPoint(48, 28) << QPoint(23, 17);
        QTest::newRow("2: bottom-left") << 2 << QPoint(11, 28) << QPoint(48, 11) << QPoint(23, 23);
        QTest::newRow("3: bottom-right") << 3 << QPoint(48, 28) << QPoint(11, 11) << QPoint(37, 23);
    }

    void triangleOrientations() {
        QFETCH(int, extra);
        QFETCH(QPoint, rightAngle);
        QFETCH(QPoint, opposite);
        QFETCH(QPoint, centroid);
        Surface s(80, 50);
        draw(s, 10, 10, 20, 40, document::Triangle, Cell::integer(2),
             Cell::integer(std::int16_t(extra)));
        QCOMPARE(s.Point(rightAngle.x(), rightAngle.y()), kRed);
        QCOMPARE(s.Point(centroid.x(), centroid.y()), kRed);
        QCOMPARE(s.Point(opposite.x(), opposite.y()), kBg);
        for (int row = 0; row < s.height(); ++row) {
            QCOMPARE(s.Point(9, row), kBg);
            QCOMPARE(s.Point(50, row), kBg); // the last column is X + W - 1
        }
    }

    void lineDiagonalsAndWidth_data() {
        QTest::addColumn<int>("diagonal");
        QTest::addColumn<QString>("larlig");
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<QPoint>("beyond");
        // Box (10, 10) 30 wide, 20 high.
        QTest::newRow("0: top-left to bottom-right")
            << 0 << "1" << QPoint(10, 10) << QPoint(39, 29) << QPoint(40, 30);
        QTest::newRow("1: right end at X + W")
            << 1 << "1" << QPoint(40, 10) << QPoint(10, 29) << QPoint(9, 30);
        QTest::newRow("0, 3 pixels wide")
            << 0 << "3" << QPoint(10, 10) << QPoint(39, 29) << QPoint(43, 33);
    }

    void lineDiagonalsAndWidth() {
        QFETCH(int, diagonal);
        QFETCH(QString, larlig);
        QFETCH(QPoint, from);
        QFETCH(QPoint, to);
        QFETCH(QPoint, beyond);
        Surface s(60, 50);
        settings::Preferences prefs;
        prefs.larlig = larlig;
        draw(s, 10, 10, 20, 30, document::Ligne, Cell::integer(2),
             Cell::integer(std::int16_t(diagonal)), prefs);
        QCOMPARE(s.Point(from.x(), from.y()), kRed);
        QCOMPARE(s.Point(to.x(), to.y()), kRed);
        QCOMPARE(s.Point(beyond.x(), beyond.y()), kBg);
        // A thin line has one pixel per column (it is wider than high), a wide one several.
        const int middle = (from.x() + to.x()) / 2;
        int inColumn = 0;
        for (int row = 0; row < s.height(); ++row)
            inColumn += s.Point(middle, row) == kRed;
        QCOMPARE(inColumn >= 3, larlig == QLatin1String("3"));
        QCOMPARE(s.DrawWidth, 1);
    }

    void zeroSizeBecomesOnePixel() {
        Surface s(20, 20);
        float x = 5, y = 6, h = 0, w = 0;
        renderer_.DessinerObjet(s, x, y, h, w, Cell::integer(1), Cell::integer(2), Cell::integer(0),
                                render::DrawContext{});
        QCOMPARE(h, 1.f);
        QCOMPARE(w, 1.f);
        QCOMPARE(s.Point(5, 6), kRed);
        QCOMPARE(s.Point(6, 6), kBg);
    }

    void textOnWhiteCells_data() {
        QTest::addColumn<bool>("fondblanc");
        QTest::newRow("fondblanc on: white cells") << true;
        QTest::newRow("fondblanc off: the rectangle shows") << false;
    }

    void textOnWhiteCells() {
        QFETCH(bool, fondblanc);
        Surface s(120, 40);
        settings::Preferences prefs;
        prefs.fondblanc = fondblanc;
        draw(s, 0, 0, 40, 120, document::Rectangle, Cell::integer(0));
        draw(s, 5, 5, 10, 50, document::Texte, Cell::integer(2), Cell::text(QStringLiteral("Lit")),
             prefs);
        const QSize cell = s.TailleTexte(QStringLiteral("Lit"));
        int white = 0, red = 0;
        for (int py = 5; py < 5 + cell.height(); ++py)
            for (int px = 5; px < 5 + cell.width(); ++px) {
                white += s.Point(px, py) == platform::kWhite;
                red += s.Point(px, py) == kRed;
            }
        QVERIFY(red > 0);
        QCOMPARE(white > 0, fondblanc);
        QVERIFY(s.FontTransparent);
    }

    void textureTilesFromTopLeft_data() {
        QTest::addColumn<float>("w");
        QTest::addColumn<float>("h");
        QTest::newRow("several tiles, last row and column cut") << 11.f << 8.f;
        QTest::newRow("whole tiles") << 8.f << 6.f;
        QTest::newRow("smaller than a tile") << 3.f << 2.f;
        QTest::newRow("fractional box") << 9.6f << 4.4f;
    }

    void textureTilesFromTopLeft() {
        QFETCH(float, w);
        QFETCH(float, h);
        QImage texture(4, 3, QImage::Format_RGB32);
        for (int ty = 0; ty < 3; ++ty)
            for (int tx = 0; tx < 4; ++tx)
                texture.setPixel(tx, ty, qRgb(40 * tx, 60 * ty, 200));
        folder_.addPicture(QStringLiteral("textures"), QStringLiteral("Damier.bmp"), texture);
        Surface s(30, 30);
        const int x = 5, y = 7;
        draw(s, x, y, h, w, document::Rectangle, Cell::text(QStringLiteral("Damier.bmp")));
        QImage expected(30, 30, QImage::Format_RGB32);
        expected.fill(Qt::white);
        const int right = x + int(std::nearbyint(w)), bottom = y + int(std::nearbyint(h));
        for (int py = y; py < bottom; ++py)
            for (int px = x; px < right; ++px)
                expected.setPixel(px, py, texture.pixel((px - x) % 4, (py - y) % 3));
        QVERIFY(testkit::imagesMatch(s.Image(), expected, QStringLiteral("texture")));
    }

    void accessoryOrientations_data() {
        QTest::addColumn<int>("extra");
        QTest::addColumn<QList<int>>("corners"); // top-left, top-right, bottom-left, bottom-right
        const int r = Qt::red, g = Qt::green, b = Qt::blue, y = Qt::yellow;
        QTest::newRow("0: as drawn") << 0 << QList<int>{r, g, b, y};
        QTest::newRow("1: quarter turn counter-clockwise") << 1 << QList<int>{g, y, r, b};
        QTest::newRow("2: half turn") << 2 << QList<int>{y, b, g, r};
        QTest::newRow("3: quarter turn clockwise") << 3 << QList<int>{b, r, y, g};
    }

    void accessoryOrientations() {
        QFETCH(int, extra);
        QFETCH(QList<int>, corners);
        folder_.addPicture(QStringLiteral("accessoires"),
                           QStringLiteral("Couchage_Lit_40_20_XY_.bmp"), quadrants(40, 20));
        // A quarter-turned accessory has its sizes swapped in the table.
        const bool quarter = extra % 2 == 1;
        const float w = quarter ? 20 : 40, h = quarter ? 40 : 20;
        Surface s(80, 80);
        draw(s, 10, 10, h, w, document::Accessoire,
             Cell::text(QStringLiteral("Couchage_Lit_40_20_XY_.bmp")),
             Cell::integer(std::int16_t(extra)));
        const QList<QPoint> probes{{10 + int(w) / 4, 10 + int(h) / 4},
                                   {10 + 3 * int(w) / 4, 10 + int(h) / 4},
                                   {10 + int(w) / 4, 10 + 3 * int(h) / 4},
                                   {10 + 3 * int(w) / 4, 10 + 3 * int(h) / 4}};
        for (int i = 0; i < 4; ++i)
            QCOMPARE(s.Point(probes[i].x(), probes[i].y()), fromQt(Qt::GlobalColor(corners[i])));
        if (extra != 2) { // the picture fills its box exactly
            QCOMPARE(s.Point(9, 30), kBg);
            QCOMPARE(s.Point(10 + int(w), 30), kBg);
            QVERIFY(s.Point(10, 10) != kBg);
            QVERIFY(s.Point(9 + int(w), 9 + int(h)) != kBg);
        }
    }

    void turningReportsProgress() {
        QStringList shown;
        renderer_.status = [&](const QString& text) { shown << text; };
        Surface work(30, 40);
        work.PaintPicture(quadrants(30, 40), 0, 0, 30, 40);
        renderer_.PivoterImage(1, work);
        renderer_.status = nullptr;
        QCOMPARE(work.width(), 40);
        QCOMPARE(work.height(), 30);
        QCOMPARE(shown.first(), QStringLiteral("Patientez... 0%"));
        QCOMPARE(shown.at(shown.size() - 2), QStringLiteral("Patientez... 100%"));
        QCOMPARE(shown.last(), QString());
        QVERIFY(shown.contains(QStringLiteral("Patientez... 50%")));
    }

    void unreadablePictureDrawsNothing_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("extra");
        QTest::newRow("accessory") << int(document::Accessoire) << 0;
        QTest::newRow("turned accessory") << int(document::Accessoire) << 1;
        QTest::newRow("textured rectangle") << int(document::Rectangle) << 0;
    }

    void unreadablePictureDrawsNothing() {
        QFETCH(int, kind);
        QFETCH(int, extra);
        folder_.addPicture(QStringLiteral("textures"), QStringLiteral("Abime.jpg"), 1, 1);
        QFile::resize(folder_.textures() + QStringLiteral("/Abime.jpg"), 3);
        Surface s(40, 40);
        const QImage before = s.Image();
        draw(s, 5, 5, 20, 20, kind,
             Cell::text(kind == document::Rectangle ? QStringLiteral("Abime.jpg")
                                                    : QStringLiteral("Absent_X_1_1_XY_.bmp")),
             Cell::integer(std::int16_t(extra)));
        QCOMPARE(s.Image(), before);
    }

    void mirroredVehicleKeepsObjectsInPlace_data() {
        QTest::addColumn<bool>("invGD");
        QTest::addColumn<bool>("invHB");
        QTest::addColumn<QPointF>("origin");
        QTest::newRow("left-right") << true << false << QPointF(0, 0);
        QTest::newRow("top-bottom") << false << true << QPointF(0, 0);
        QTest::newRow("both, scrolled") << true << true << QPointF(20, 10);
        QTest::newRow("neither, scrolled") << false << false << QPointF(20, 10);
    }

    void mirroredVehicleKeepsObjectsInPlace() {
        QFETCH(bool, invGD);
        QFETCH(bool, invHB);
        QFETCH(QPointF, origin);
        document::Layout layout;
        layout.image_vehicule = quadrants(100, 60);
        layout.image_largeur = 100;
        layout.image_hauteur = 60;
        layout.inv_g_d = invGD;
        layout.inv_h_b = invHB;
        layout.vehicule_resol = 1;
        layout.objets.append(makeRow(1, 30, 25, 6, 8, Cell::integer(0)));
        Surface s(120, 80);
        renderer_.Affiche(s, layout, render::View{1, float(origin.x()), float(origin.y())}, {});

        QImage expected(120, 80, QImage::Format_RGB32);
        expected.fill(Qt::white);
        QPainter p(&expected);
        p.drawImage(QPointF(-origin.x(), -origin.y()),
                    layout.image_vehicule.mirrored(invGD, invHB));
        p.fillRect(QRectF(30 - origin.x(), 25 - origin.y(), 8, 6), Qt::black);
        p.end();
        QVERIFY(testkit::imagesMatch(s.Image(), expected, QStringLiteral("mirrored")));
    }

    void bodyLinesInFront_data() {
        QTest::addColumn<bool>("carross");
        QTest::addColumn<QPoint>("probe");
        QTest::addColumn<Colour>("colour");
        // Body: white with a black line at x = 20 and a grey band from y = 30; a red
        // rectangle (15, 15, 20 x 25) then a blue one in front of it from (30, 15).
        const Colour blue = document::kPalette[6];
        QTest::newRow("carross: black line over the rectangle")
            << true << QPoint(20, 20) << platform::kBlack;
        QTest::newRow("carross: white leaves the colour") << true << QPoint(17, 20) << kRed;
        QTest::newRow("carross: grey darkens the colour")
            << true << QPoint(17, 35) << platform::rgb(128, 0, 0);
        QTest::newRow("carross: later row in front") << true << QPoint(32, 20) << blue;
        QTest::newRow("carross: line outside objects") << true << QPoint(20, 5) << platform::kBlack;
        QTest::newRow("no carross: rectangle covers the line") << false << QPoint(20, 20) << kRed;
        QTest::newRow("no carross: rectangle covers the grey") << false << QPoint(17, 35) << kRed;
        QTest::newRow("no carross: line outside objects")
            << false << QPoint(20, 5) << platform::kBlack;
        QTest::newRow("no carross: later row in front") << false << QPoint(32, 20) << blue;
    }

    void bodyLinesInFront() {
        QFETCH(bool, carross);
        QFETCH(QPoint, probe);
        QFETCH(Colour, colour);
        QImage body(60, 50, QImage::Format_RGB32);
        body.fill(Qt::white);
        QPainter p(&body);
        p.fillRect(0, 30, 60, 20, QColor(128, 128, 128));
        p.fillRect(20, 0, 1, 50, Qt::black);
        p.end();
        document::Layout layout;
        layout.image_vehicule = body;
        layout.image_largeur = 60;
        layout.image_hauteur = 50;
        layout.vehicule_resol = 1;
        layout.objets.append(makeRow(1, 15, 15, 25, 20, Cell::integer(2)));
        layout.objets.append(makeRow(1, 30, 15, 10, 10, Cell::integer(6)));
        settings::Preferences prefs;
        prefs.carross = carross;
        Surface s(60, 50);
        renderer_.Affiche(s, layout, render::View{}, prefs);
        QCOMPARE(s.Point(probe.x(), probe.y()), colour);
    }

    void rowsAddedDuringRedrawWaitForTheNext() {
        document::Layout layout;
        layout.vehicule_resol = 1;
        for (int i = 0; i < 3; ++i)
            layout.objets.append(makeRow(1, 10.f * i, 0, 5, 5, Cell::integer(2)));
        int events = 0;
        renderer_.processEvents = [&] {
            ++events;
            layout.objets.append(makeRow(1, 40, 0, 5, 5, Cell::integer(2)));
        };
        Surface s(60, 20);
        renderer_.Affiche(s, layout, render::View{}, {});
        renderer_.processEvents = nullptr;
        QCOMPARE(events, 3);
        QCOMPARE(s.Point(22, 2), kRed);
        QCOMPARE(s.Point(42, 2), kBg);
    }
};

QTEST_MAIN(TestPlanRenderer)
#include "tst_planrenderer.moc"
