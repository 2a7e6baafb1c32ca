// Guards the editor's pure geometry: hit boxes and test, handles, zoom steps, text sizes,
// typed dimensions and areas, one table per function.
#include "document/ObjectTable.h"
#include "editor/Geometry.h"
#include "editor/SurfacePanel.h"
#include "testkit/PlanObjects.h"
#include "testkit/TestKit.h"

#include <QtTest>

using editor::Handle;
using editor::PlanBox;

Q_DECLARE_METATYPE(PlanBox)
Q_DECLARE_METATYPE(Handle)
Q_DECLARE_METATYPE(document::ObjectKind)

namespace QTest {
template <> char* toString(const PlanBox& b) {
    return qstrdup(qPrintable(
        QStringLiteral("%1 %2 %3 x %4").arg(b.left).arg(b.top).arg(b.width).arg(b.height)));
}
} // namespace QTest

namespace {

using document::ObjectKind;
using testkit::planObject;

} // namespace

class TestEditorGeometry : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    // An object placed at screen (10, 20), at 2 vehicle pixels per cm.
    void hitBox_data() {
        QTest::addColumn<document::ObjectKind>("kind");
        QTest::addColumn<float>("heightCm");
        QTest::addColumn<float>("widthCm");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<PlanBox>("expected");
        QTest::newRow("text keeps its size when zoomed")
            << ObjectKind::Text << 10.f << 40.f << 1.5f << PlanBox{10, 20, 80, 20};
        QTest::newRow("vertical measure: the 25-pixel strip at its right")
            << ObjectKind::Measure << 100.f << 20.f << 1.f << PlanBox{25, 20, 25, 200};
        QTest::newRow("short vertical measure: the whole box")
            << ObjectKind::Measure << 10.f << 5.f << 1.f << PlanBox{10, 20, 10, 20};
    }
    void hitBox() {
        QFETCH(document::ObjectKind, kind);
        QFETCH(float, heightCm);
        QFETCH(float, widthCm);
        QFETCH(float, zoom);
        QFETCH(PlanBox, expected);
        const PlanBox box =
            editor::hitBox(planObject(kind, 10 / zoom, 20 / zoom, heightCm, widthCm),
                           render::View{zoom, 0, 0}, 2.0);
        QCOMPARE(box, expected);
    }

    // Row 1 at (0, 0) and row 2 at (50, 50), both 100 x 100 pixels.
    void hitTest_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("expectedRow");
        QTest::newRow("common part gives the front one") << 60 << 60 << 2;
        QTest::newRow("back one alone") << 10 << 10 << 1;
        QTest::newRow("right edge included") << 150 << 120 << 2;
        QTest::newRow("bottom edge included") << 120 << 150 << 2;
        QTest::newRow("just past the right edge") << 151 << 120 << 0;
    }
    void hitTest() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, expectedRow);
        document::ObjectTable table;
        table.append(planObject(ObjectKind::Rectangle, 0, 0, 50, 50));
        table.append(planObject(ObjectKind::Rectangle, 50, 50, 50, 50));
        QCOMPARE(editor::hitTest(table, render::View{}, 2.0, x, y), expectedRow);
    }

    // The 40 x 20 box at (100, 50).
    void resizeByHandle_data() {
        QTest::addColumn<Handle>("handle");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<PlanBox>("expected");
        QTest::newRow("top-left moves the corner")
            << Handle::TopLeft << 5 << 2 << PlanBox{105, 52, 35, 18};
        QTest::newRow("left moves the left edge only")
            << Handle::Left << -4 << 9 << PlanBox{96, 50, 44, 20};
        QTest::newRow("top past zero height moves the edge, keeps the height")
            << Handle::Top << 0 << 30 << PlanBox{100, 80, 40, 20};
    }
    void resizeByHandle() {
        QFETCH(Handle, handle);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(PlanBox, expected);
        PlanBox box{100, 50, 40, 20};
        editor::resizeByHandle(box, handle, dx, dy);
        QCOMPARE(box, expected);
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

    // At 4 vehicle pixels per cm.
    void textSizeCm_data() {
        QTest::addColumn<int>("pixels");
        QTest::addColumn<int>("cm");
        QTest::newRow("8.25 cm: 8 plus one") << 33 << 9;
        QTest::newRow("3.25 cm: 3 plus one") << 13 << 4;
        QTest::newRow("2.5 cm: to even 2, plus one") << 10 << 3;
    }
    void textSizeCm() {
        QFETCH(int, pixels);
        QFETCH(int, cm);
        QCOMPARE(int(editor::textSizeCm(pixels, 4)), cm);
    }

    // -1 stands for a refused text.
    void readDimension_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("cm");
        QTest::newRow("French decimal, half to even") << "12,5" << 12;
        QTest::newRow("decimal point") << "13.5" << 14;
        QTest::newRow("largest") << "32767" << 32767;
        QTest::newRow("too large") << "32768" << -1;
        QTest::newRow("negative") << "-1" << -1;
        QTest::newRow("words") << "dix" << -1;
    }
    void readDimension() {
        QFETCH(QString, typed);
        QFETCH(int, cm);
        const auto value = editor::readDimension(typed, QLocale(QLocale::French));
        QCOMPARE(value ? int(*value) : -1, cm);
    }

    void areaText_data() {
        QTest::addColumn<document::ObjectKind>("kind");
        QTest::addColumn<double>("widthCm");
        QTest::addColumn<double>("heightCm");
        QTest::addColumn<QString>("expected");
        QTest::newRow("rectangle 200 x 150") << ObjectKind::Rectangle << 200.0 << 150.0 << "3";
        QTest::newRow("without trailing zero") << ObjectKind::Rectangle << 150.0 << 100.0 << "1,5";
        QTest::newRow("circle 100 x 100") << ObjectKind::Ellipse << 100.0 << 100.0 << "0,79";
        QTest::newRow("triangle 120 x 45") << ObjectKind::Triangle << 120.0 << 45.0 << "0,27";
        QTest::newRow("accessory has no area")
            << ObjectKind::Accessory << 100.0 << 100.0 << "-----";
    }
    void areaText() {
        QFETCH(document::ObjectKind, kind);
        QFETCH(double, widthCm);
        QFETCH(double, heightCm);
        QFETCH(QString, expected);
        QCOMPARE(editor::areaText(kind, widthCm, heightCm, QLocale(QLocale::French)), expected);
    }
};

QTEST_MAIN(TestEditorGeometry)
#include "tst_editorgeometry.moc"
