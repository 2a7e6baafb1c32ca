// The editor's geometry where its edge cases lie, below what a click or a key reaches.
#include "document/ObjectTable.h"
#include "editor/Geometry.h"
#include "editor/SurfacePanel.h"
#include "testkit/PlanObjects.h"
#include "testkit/TestKit.h"

#include <QtTest>

using document::ObjectKind;
using editor::Handle;
using testkit::planObject;

class TestEditorGeometry : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    // Hit boxes of objects placed at screen (10, 20), at 2 vehicle pixels per cm.
    void hitBox_data() {
        QTest::addColumn<ObjectKind>("kind");
        QTest::addColumn<float>("heightCm");
        QTest::addColumn<float>("widthCm");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<QRectF>("expected");
        QTest::newRow("text: unzoomed")
            << ObjectKind::Text << 10.f << 40.f << 1.5f << QRectF(10, 20, 80, 20);
        QTest::newRow("tall measure: its right strip")
            << ObjectKind::Measure << 100.f << 20.f << 1.f << QRectF(25, 20, 25, 200);
        QTest::newRow("short measure: all of it")
            << ObjectKind::Measure << 10.f << 5.f << 1.f << QRectF(10, 20, 10, 20);
    }
    void hitBox() {
        QFETCH(ObjectKind, kind);
        QFETCH(float, heightCm);
        QFETCH(float, widthCm);
        QFETCH(float, zoom);
        QFETCH(QRectF, expected);
        const auto object = planObject(kind, 10 / zoom, 20 / zoom, heightCm, widthCm);
        const editor::PlanBox b = editor::hitBox(object, render::View{zoom, 0, 0}, 2.0);
        QCOMPARE(QRectF(b.left, b.top, b.width, b.height), expected);
    }

    // Row 1 at (0, 0) and row 2 at (50, 50), both 100 x 100 pixels.
    void hitTest_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("row");
        QTest::newRow("both: the front one") << 60 << 60 << 2;
        QTest::newRow("the back one only") << 10 << 10 << 1;
        QTest::newRow("right edge belongs to the object") << 150 << 120 << 2;
        QTest::newRow("bottom edge belongs to the object") << 120 << 150 << 2;
        QTest::newRow("past the right edge: none") << 151 << 120 << 0;
    }
    void hitTest() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, row);
        document::ObjectTable table;
        table.append(planObject(ObjectKind::Rectangle, 0, 0, 50, 50));
        table.append(planObject(ObjectKind::Rectangle, 50, 50, 50, 50));
        QCOMPARE(editor::hitTest(table, render::View{}, 2.0, x, y), row);
    }

    // The 40 x 20 box at (100, 50) dragged by one handle.
    void resizeByHandle_data() {
        QTest::addColumn<Handle>("handle");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<QRectF>("expected");
        QTest::newRow("top-left corner") << Handle::TopLeft << 5 << 2 << QRectF(105, 52, 35, 18);
        QTest::newRow("left edge moves only sideways")
            << Handle::Left << -4 << 9 << QRectF(96, 50, 44, 20);
        QTest::newRow("top edge past the bottom keeps the height")
            << Handle::Top << 0 << 30 << QRectF(100, 80, 40, 20);
    }
    void resizeByHandle() {
        QFETCH(Handle, handle);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(QRectF, expected);
        editor::PlanBox b{100, 50, 40, 20};
        editor::resizeByHandle(b, handle, dx, dy);
        QCOMPARE(QRectF(b.left, b.top, b.width, b.height), expected);
    }

    void zoomSteps_data() {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("down");
        QTest::addColumn<int>("up");
        QTest::newRow("on a step") << 100 << 75 << 150;
        QTest::newRow("between steps") << 120 << 100 << 150;
        QTest::newRow("smallest stays") << 10 << 10 << 25;
        QTest::newRow("largest stays") << 1600 << 1200 << 1600;
    }
    void zoomSteps() {
        QFETCH(int, percent);
        QFETCH(int, down);
        QFETCH(int, up);
        QCOMPARE(editor::zoomStepDown(percent), down);
        QCOMPARE(editor::zoomStepUp(percent), up);
    }

    void textSizeRoundsHalfToEven() {
        // 2.5 cm of text at 4 vehicle pixels per cm goes to the even 2, plus one.
        QCOMPARE(int(editor::textSizeCm(10, 4)), 3);
    }

    void areaText_data() {
        QTest::addColumn<ObjectKind>("kind");
        QTest::addColumn<QString>("area");
        QTest::newRow("triangle: half its box") << ObjectKind::Triangle << QStringLiteral("0,75");
        QTest::newRow("accessory: no area") << ObjectKind::Accessory << QStringLiteral("-----");
    }
    void areaText() {
        QFETCH(ObjectKind, kind);
        QFETCH(QString, area);
        QCOMPARE(editor::areaText(kind, 150, 100, QLocale(QLocale::French)), area);
    }
};

QTEST_MAIN(TestEditorGeometry)
#include "tst_editorgeometry.moc"
