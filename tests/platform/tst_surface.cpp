// Guards the drawing surface primitives the plan, the selection and the output rely on.
#include "platform/Surface.h"
#include "testkit/TestKit.h"

#include <QTest>

using namespace platform;

namespace {

constexpr Colour kRed = rgb(255, 0, 0);
constexpr Colour kGreen = rgb(0, 255, 0);
constexpr Colour kBlue = rgb(0, 0, 255);

// A 2x2 picture: red, green on top; blue, white below.
QImage quadrants() {
    QImage p(2, 2, QImage::Format_RGB32);
    p.setPixel(0, 0, qRgb(255, 0, 0));
    p.setPixel(1, 0, qRgb(0, 255, 0));
    p.setPixel(0, 1, qRgb(0, 0, 255));
    p.setPixel(1, 1, qRgb(255, 255, 255));
    return p;
}

// A surface whose every pixel differs from its neighbours, so that any change shows.
Surface patterned(int w, int h) {
    Surface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.PSet(x, y, rgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
    return s;
}

} // namespace

class TestSurface : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void mirroredPaint_data() {
        QTest::addColumn<float>("w");
        QTest::addColumn<float>("h");
        QTest::addColumn<Colour>("topLeft");
        QTest::addColumn<Colour>("topRight");
        QTest::addColumn<Colour>("bottomLeft");
        QTest::addColumn<Colour>("bottomRight");
        QTest::newRow("plain") << 4.f << 4.f << kRed << kGreen << kBlue << kWhite;
        QTest::newRow("mirrored left-right") << -4.f << 4.f << kGreen << kRed << kWhite << kBlue;
        QTest::newRow("mirrored top-bottom") << 4.f << -4.f << kBlue << kWhite << kRed << kGreen;
        QTest::newRow("mirrored on both axes") << -4.f << -4.f << kWhite << kBlue << kGreen << kRed;
    }
    void mirroredPaint() {
        QFETCH(float, w);
        QFETCH(float, h);
        QFETCH(Colour, topLeft);
        QFETCH(Colour, topRight);
        QFETCH(Colour, bottomLeft);
        QFETCH(Colour, bottomRight);
        Surface s(8, 8, kBlack);
        // A negative size paints into the area that ends at the given corner.
        s.PaintPicture(quadrants(), w < 0 ? 6 : 2, h < 0 ? 6 : 2, w, h);
        QCOMPARE(s.Point(2, 2), topLeft);
        QCOMPARE(s.Point(3, 3), topLeft);
        QCOMPARE(s.Point(5, 2), topRight);
        QCOMPARE(s.Point(2, 5), bottomLeft);
        QCOMPARE(s.Point(5, 5), bottomRight);
        // Nothing outside the target area.
        QCOMPARE(s.Point(1, 1), kBlack);
        QCOMPARE(s.Point(6, 6), kBlack);
        QCOMPARE(s.Point(6, 2), kBlack);
    }

    void andRasterOp() {
        Surface s(4, 4, rgb(0xF0, 0x0F, 0xFF));
        QImage p(2, 2, QImage::Format_RGB32);
        p.fill(qRgb(0x3C, 0xFF, 0x55));
        s.PaintPicture(p, 0, 0, 2, 2, RasterOp::And);
        QCOMPARE(s.Point(0, 0), rgb(0x30, 0x0F, 0x55));
        QCOMPARE(s.Point(1, 1), rgb(0x30, 0x0F, 0x55));
        QCOMPARE(s.Point(2, 2), rgb(0xF0, 0x0F, 0xFF));
        s.PaintPictureAt(p, 2, 2, RasterOp::And);
        QCOMPARE(s.Point(3, 3), rgb(0x30, 0x0F, 0x55));
    }

    void subRectanglePaint() {
        Surface s(6, 6, kBlack);
        // The green quadrant alone, stretched to 3x3.
        s.PaintPicture(quadrants(), 1, 1, 3, 3, 1, 0, 1, 1);
        QCOMPARE(s.Point(1, 1), kGreen);
        QCOMPARE(s.Point(3, 3), kGreen);
        QCOMPARE(s.Point(4, 4), kBlack);
        QCOMPARE(s.Point(0, 0), kBlack);
    }

    void invertLinesTwiceRestore_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QRectF>("ends"); // from top-left to bottom-right corner
        QTest::newRow("thin horizontal") << 1 << QRectF(QPointF(2, 10), QPointF(30, 10));
        QTest::newRow("thin vertical") << 1 << QRectF(QPointF(5, 2), QPointF(5, 30));
        QTest::newRow("thin diagonal") << 1 << QRectF(QPointF(1, 3), QPointF(28, 25));
        QTest::newRow("wide diagonal") << 3 << QRectF(QPointF(4, 2), QPointF(25, 29));
        QTest::newRow("single point") << 1 << QRectF(QPointF(7, 7), QPointF(7, 7));
    }
    void invertLinesTwiceRestore() {
        QFETCH(int, width);
        QFETCH(QRectF, ends);
        Surface s = patterned(32, 32);
        const QImage before = s.Image();
        s.drawMode = DrawMode::Invert;
        s.DrawWidth = width;
        const auto draw = [&] {
            s.line(float(ends.left()), float(ends.top()), float(ends.right()), float(ends.bottom()),
                   kBlack);
        };
        draw();
        QVERIFY(s.Image() != before);
        const QPoint start = ends.topLeft().toPoint();
        QCOMPARE(s.Point(start.x(), start.y()), Colour(fromQRgb(before.pixel(start)) ^ 0xFFFFFFu));
        draw();
        QVERIFY(testkit::imagesMatch(s.Image(), before, QStringLiteral("invert_twice")));
    }

    void invertBoxAndPixelTwiceRestore() {
        Surface s = patterned(16, 16);
        const QImage before = s.Image();
        s.drawMode = DrawMode::Invert;
        s.fillBox(2, 3, 9, 12, kRed);
        s.PSet(14, 14, kRed);
        QCOMPARE(s.Point(14, 14), Colour(fromQRgb(before.pixel(14, 14)) ^ 0xFFFFFFu));
        s.fillBox(2, 3, 9, 12, kRed);
        s.PSet(14, 14, kRed);
        QVERIFY(s.Image() == before);
    }

    void textCells_data() {
        QTest::addColumn<bool>("transparent");
        QTest::newRow("transparent cells keep the picture") << true;
        QTest::newRow("opaque cells are filled with the back colour") << false;
    }
    void textCells() {
        QFETCH(bool, transparent);
        Surface s(60, 30, kWhite);
        s.fillBox(0, 0, 59, 29, kGreen);
        s.BackColor = rgb(255, 255, 0);
        s.ForeColor = kBlue;
        s.FontTransparent = transparent;
        s.CurrentX = 2;
        s.CurrentY = 3;
        const QSize cell = s.TailleTexte(QStringLiteral("Mi"));
        s.Print(QStringLiteral("Mi"));
        QCOMPARE(s.CurrentX, 2.f + float(cell.width()));
        int green = 0, yellow = 0, blue = 0;
        for (int y = 3; y < 3 + cell.height(); ++y)
            for (int x = 2; x < 2 + cell.width(); ++x) {
                const Colour c = s.Point(x, y);
                green += c == kGreen;
                yellow += c == rgb(255, 255, 0);
                blue += c == kBlue;
            }
        QVERIFY(blue > 0);
        QCOMPARE(green > 0, transparent);
        QCOMPARE(yellow > 0, !transparent);
        // Outside the cell the picture is untouched either way.
        QCOMPARE(s.Point(2 + cell.width() + 1, 3), kGreen);
    }

    void pointAndPSet_data() {
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("g");
        QTest::addColumn<int>("b");
        QTest::addColumn<uint>("value");
        QTest::newRow("red is 255") << 255 << 0 << 0 << 255u;
        QTest::newRow("green is 256 * 255") << 0 << 255 << 0 << 65280u;
        QTest::newRow("blue is 65536 * 255") << 0 << 0 << 255 << 16711680u;
        QTest::newRow("mixed is r + 256g + 65536b") << 1 << 2 << 3 << (1u + 512u + 196608u);
        QTest::newRow("white") << 255 << 255 << 255 << 16777215u;
    }
    void pointAndPSet() {
        QFETCH(int, r);
        QFETCH(int, g);
        QFETCH(int, b);
        QFETCH(uint, value);
        QCOMPARE(rgb(r, g, b), Colour(value));
        Surface s(3, 3, kBlack);
        s.PSet(1, 2, rgb(r, g, b));
        QCOMPARE(s.Point(1, 2), Colour(value));
        QCOMPARE(s.Point(2, 1), kBlack);
        QCOMPARE(qRed(s.Image().pixel(1, 2)), r);
        QCOMPARE(qBlue(s.Image().pixel(1, 2)), b);
    }

    void outsideTheSurface() {
        Surface s(3, 3, kBlue);
        s.PSet(-1, 0, kRed);
        s.PSet(3, 3, kRed);
        QCOMPARE(s.Point(-1, 0), kBlue);
        QCOMPARE(s.Point(3, 0), kBlue);
        s.line(-50, -50, 100, 100, kRed); // clipped, not a crash
        QCOMPARE(s.Point(1, 1), kRed);
    }

    void clsClearsAndResetsTextPosition() {
        Surface s(10, 10, kWhite);
        s.fillBox(0, 0, 9, 9, kRed);
        s.CurrentX = 5;
        s.CurrentY = 6;
        s.BackColor = kGreen;
        s.Cls();
        QCOMPARE(s.CurrentX, 0.f);
        QCOMPARE(s.CurrentY, 0.f);
        QImage expected(10, 10, QImage::Format_RGB32);
        expected.fill(qRgb(0, 255, 0));
        QVERIFY(testkit::imagesMatch(s.Image(), expected, QStringLiteral("cls")));
    }

    void resizeKeepsTopLeft() {
        Surface s(4, 4, kWhite);
        s.PSet(1, 1, kRed);
        s.resize(8, 2);
        QCOMPARE(s.width(), 8);
        QCOMPARE(s.height(), 2);
        QCOMPARE(s.Point(1, 1), kRed);
        QCOMPARE(s.Point(7, 1), kWhite);
    }
};

QTEST_MAIN(TestSurface)
#include "tst_surface.moc"
