// Guards the editor's pure geometry: hit boxes, handles, drags, zoom steps, scroll
// bars, text sizes, areas and the command line.
#include "document/ObjectTable.h"
#include "editor/Geometry.h"
#include "editor/LayoutCommands.h"
#include "editor/SurfacePanel.h"
#include "testkit/TestKit.h"

#include <QtTest>

using document::Cell;
using document::ObjectRow;
using editor::PlanBox;

namespace {

ObjectRow row(int kind, float x, float y, float h, float w) {
    ObjectRow r;
    r[document::ColKind] = Cell::integer(std::int16_t(kind));
    r[document::ColX] = Cell::real(x);
    r[document::ColY] = Cell::real(y);
    r[document::ColHeight] = Cell::integer(std::int16_t(h));
    r[document::ColWidth] = Cell::integer(std::int16_t(w));
    return r;
}

} // namespace

Q_DECLARE_METATYPE(PlanBox)

class TestEditorGeometry : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void hitBoxes_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<float>("h");
        QTest::addColumn<float>("w");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<PlanBox>("expected");
        QTest::newRow("text keeps its size when zoomed")
            << 3 << 10.f << 40.f << 1.5f << PlanBox{10, 20, 80, 20};
        QTest::newRow("rectangle scales with the zoom")
            << 1 << 10.f << 40.f << 1.5f << PlanBox{10, 20, 120, 30};
        QTest::newRow("horizontal measure is a 17-pixel band")
            << 0 << 50.f << 200.f << 1.f << PlanBox{10, 20, 400, 17};
        QTest::newRow("vertical measure is the 25-pixel strip at the right")
            << 0 << 100.f << 20.f << 1.f << PlanBox{25, 20, 25, 200};
        QTest::newRow("short vertical measure keeps its full box")
            << 0 << 10.f << 5.f << 1.f << PlanBox{10, 20, 10, 20};
    }
    void hitBoxes() {
        QFETCH(int, kind);
        QFETCH(float, h);
        QFETCH(float, w);
        QFETCH(float, zoom);
        QFETCH(PlanBox, expected);
        const render::View view{zoom, 0, 0};
        const PlanBox b = editor::hitBox(row(kind, 10 / zoom, 20 / zoom, h, w), view, 2.0);
        QCOMPARE(b, expected);
    }

    void hitTestPicksFrontMostAndEdges_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("expectedRow");
        // Row 1 at (0,0) 100x100 px, row 2 at (50,50) 100x100 px (resol 2, zoom 1).
        QTest::newRow("common part selects the front one") << 60 << 60 << 2;
        QTest::newRow("back one alone") << 10 << 10 << 1;
        QTest::newRow("right edge included") << 150 << 120 << 2;
        QTest::newRow("bottom edge included") << 120 << 150 << 2;
        QTest::newRow("just past the right edge") << 151 << 120 << 0;
        QTest::newRow("a measure's band misses below") << 30 << 230 << 0;
        QTest::newRow("a measure's band hits inside") << 30 << 210 << 3;
    }
    void hitTestPicksFrontMostAndEdges() {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, expectedRow);
        document::ObjectTable t;
        t.append(row(1, 0, 0, 50, 50));
        t.append(row(1, 50, 50, 50, 50));
        t.append(row(0, 0, 200, 50, 200)); // horizontal measure 400 x 17 px
        QCOMPARE(editor::hitTest(t, render::View{}, 2.0, x, y), expectedRow);
    }

    void handleDrags_data() {
        QTest::addColumn<int>("handle");
        QTest::addColumn<int>("dx");
        QTest::addColumn<int>("dy");
        QTest::addColumn<PlanBox>("expected");
        QTest::newRow("4 grows right and down") << 4 << 7 << 3 << PlanBox{100, 50, 47, 23};
        QTest::newRow("0 moves the top-left corner") << 0 << 5 << 2 << PlanBox{105, 52, 35, 18};
        QTest::newRow("7 moves the left edge only") << 7 << -4 << 9 << PlanBox{96, 50, 44, 20};
        QTest::newRow("past zero the size stays, the edge moves")
            << 1 << 0 << 30 << PlanBox{100, 80, 40, 20};
    }
    void handleDrags() {
        QFETCH(int, handle);
        QFETCH(int, dx);
        QFETCH(int, dy);
        QFETCH(PlanBox, expected);
        PlanBox b{100, 50, 40, 20};
        editor::resizeByHandle(b, handle, dx, dy);
        QCOMPARE(b, expected);
    }

    void handlesSurroundTheBox() {
        const auto p = editor::handlePositions(PlanBox{100, 50, 41, 21});
        QCOMPARE(p[0], QPoint(95, 45));
        QCOMPARE(p[1], QPoint(100 + 20 - 2, 45)); // 20.5 goes to the even 20
        QCOMPARE(p[4], QPoint(141, 71));
        QCOMPARE(p[7], QPoint(95, 50 + 10 - 2));
    }

    void zoomSteps_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("from");
        QTest::addColumn<int>("to");
        QTest::newRow("+ at 100") << 1 << 100 << 150;
        QTest::newRow("- at 100") << 0 << 100 << 75;
        QTest::newRow("- at 120") << 0 << 120 << 100;
        QTest::newRow("+ at 1600 stays") << 1 << 1600 << 1600;
        QTest::newRow("- at 10 stays") << 0 << 10 << 10;
        QTest::newRow("+ at 5") << 1 << 5 << 10;
    }
    void zoomSteps() {
        QFETCH(int, index);
        QFETCH(int, from);
        QFETCH(int, to);
        QCOMPARE(index == 0 ? editor::zoomStepDown(from) : editor::zoomStepUp(from), to);
    }

    void textSizes_data() {
        QTest::addColumn<int>("px");
        QTest::addColumn<int>("cm");
        QTest::newRow("33 px at 4 px/cm: 8.25 -> 8, plus one") << 33 << 9;
        QTest::newRow("13 px: 3.25 -> 3, plus one") << 13 << 4;
        QTest::newRow("10 px: 2.5 goes to the even 2, plus one") << 10 << 3;
        QTest::newRow("14 px: 3.5 goes to the even 4, plus one") << 14 << 5;
    }
    void textSizes() {
        QFETCH(int, px);
        QFETCH(int, cm);
        QCOMPARE(int(editor::textSizeCm(px, 4.0)), cm);
    }

    void dimensions_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("expected"); // -1: refused
        QTest::newRow("digits") << "120" << 120;
        QTest::newRow("empty") << "" << -1;
        QTest::newRow("beyond 16 bits") << "40000" << -1;
        QTest::newRow("pasted words") << "abc" << -1;
        QTest::newRow("French decimal, half to even") << "12,5" << 12;
    }
    void dimensions() {
        QFETCH(QString, text);
        QFETCH(int, expected);
        const auto v = editor::readDimension(text, QLocale(QLocale::French));
        QCOMPARE(v ? int(*v) : -1, expected);
    }

    void areas_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<double>("w");
        QTest::addColumn<double>("h");
        QTest::addColumn<QString>("text");
        QTest::newRow("rectangle 200 x 150") << 1 << 200.0 << 150.0 << "3";
        QTest::newRow("circle 100 x 100") << 2 << 100.0 << 100.0 << "0,79";
        QTest::newRow("triangle 120 x 45") << 5 << 120.0 << 45.0 << "0,27";
        QTest::newRow("rectangle 150 x 100 has no trailing zero") << 1 << 150.0 << 100.0 << "1,5";
        QTest::newRow("text has none") << 3 << 100.0 << 100.0 << "-----";
        QTest::newRow("accessory has none") << 9 << 100.0 << 100.0 << "-----";
    }
    void areas() {
        QFETCH(int, kind);
        QFETCH(double, w);
        QFETCH(double, h);
        QFETCH(QString, text);
        QCOMPARE(editor::areaText(kind, w, h, QLocale(QLocale::French)), text);
    }

    void commandLines_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("path");
        QTest::newRow("quoted") << "\"/tmp/a b.kla\" -x"
                                << "/tmp/a b.kla";
        QTest::newRow("unquoted is taken whole") << "  /tmp/plan.kla "
                                                 << "/tmp/plan.kla";
        QTest::newRow("empty") << ""
                               << "";
    }
    void commandLines() {
        QFETCH(QString, line);
        QFETCH(QString, path);
        QCOMPARE(editor::commandLinePath(line), path);
    }
};

QTEST_MAIN(TestEditorGeometry)
#include "tst_editorgeometry.moc"
