// Guards magnetism over boxes (which lines meet, what a resize may pull, the gaps to the
// neighbours) and the conversions between the plan's pixels and centimetres.
#include "editor/Placement.h"
#include "editor/Snapping.h"
#include "testkit/TestKit.h"

#include <QtTest>

using editor::Axis;
using editor::Guide;
using editor::Handle;
using editor::PlanBox;

Q_DECLARE_METATYPE(PlanBox)
Q_DECLARE_METATYPE(std::vector<Guide>)
Q_DECLARE_METATYPE(Handle)

namespace {

QRectF rect(const PlanBox& b) {
    return QRectF(b.left, b.top, b.width, b.height);
}

// A neighbour at (100, 100), 50 x 40, inside a 400 x 300 picture at the plan's corner.
editor::SnapTargets targets() {
    return {{PlanBox{100, 100, 50, 40}}, PlanBox{0, 0, 400, 300}};
}

QString gapText(const std::optional<float>& gap) {
    return gap ? QString::number(double(*gap)) : QStringLiteral("-");
}

} // namespace

class TestEditorSnapping : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    // A 20 x 10 box dragged near the neighbour or the picture's edges.
    void moveSnapsTheNearestLines_data() {
        QTest::addColumn<PlanBox>("dragged");
        QTest::addColumn<QRectF>("expected");
        QTest::addColumn<std::vector<Guide>>("guides");
        const auto row = [](const char* name, PlanBox dragged, QRectF expected,
                            std::vector<Guide> guides) {
            QTest::newRow(name) << dragged << expected << guides;
        };
        row("left edge 6 px from the right edge: pulled flush", {156, 200, 20, 10},
            {150, 200, 20, 10}, {{Axis::X, 150}});
        row("7 px away: stays", {157, 200, 20, 10}, {157, 200, 20, 10}, {});
        row("right edge onto the left edge, from the other side", {75, 200, 20, 10},
            {80, 200, 20, 10}, {{Axis::X, 100}});
        row("centre lines meet", {113.5f, 200, 20, 10}, {115, 200, 20, 10}, {{Axis::X, 125}});
        row("both axes: flush below, left edges aligned", {97, 143, 20, 10}, {100, 140, 20, 10},
            {{Axis::X, 100}, {Axis::Y, 140}});
        row("picture corner", {-4, 3, 20, 10}, {0, 0, 20, 10}, {{Axis::X, 0}, {Axis::Y, 0}});
        row("the nearest of three pulls wins", {144, 250, 4, 10}, {146, 250, 4, 10},
            {{Axis::X, 150}});
        row("a box as wide as the neighbour meets its three lines", {98, 10, 50, 10},
            {100, 10, 50, 10}, {{Axis::X, 100}, {Axis::X, 125}, {Axis::X, 150}});
    }
    void moveSnapsTheNearestLines() {
        QFETCH(PlanBox, dragged);
        QFETCH(QRectF, expected);
        QFETCH(std::vector<Guide>, guides);
        const editor::Snapped snapped = editor::snapMove(dragged, targets());
        QCOMPARE(rect(snapped.box), expected);
        QCOMPARE(snapped.guides.size(), guides.size());
        QVERIFY(snapped.guides == guides);
    }

    // A 30 x 20 box at (200, 200) whose handle was dragged to the given box.
    void resizePullsOnlyTheMovedEdges_data() {
        QTest::addColumn<Handle>("handle");
        QTest::addColumn<PlanBox>("dragged");
        QTest::addColumn<QRectF>("expected");
        const auto row = [](const char* name, Handle handle, PlanBox dragged, QRectF expected) {
            QTest::newRow(name) << handle << dragged << expected;
        };
        row("left edge pulled to the neighbour's right edge", Handle::Left, {154, 200, 76, 20},
            {150, 200, 80, 20});
        row("right edge pulled to the picture's edge", Handle::Right, {200, 200, 195, 20},
            {200, 200, 200, 20});
        row("top edge: the bottom stays", Handle::Top, {200, 143, 30, 77}, {200, 140, 30, 80});
        row("a corner pulls both its edges", Handle::BottomRight, {96, 96, 52, 47},
            {96, 96, 54, 44});
        row("the untouched left edge is not pulled", Handle::Right, {97, 200, 10, 20},
            {97, 200, 10, 20});
        row("no pull that would turn the size negative", Handle::Left, {148, 50, 1, 20},
            {148, 50, 1, 20});
    }
    void resizePullsOnlyTheMovedEdges() {
        QFETCH(Handle, handle);
        QFETCH(PlanBox, dragged);
        QFETCH(QRectF, expected);
        QCOMPARE(rect(editor::snapResize(dragged, handle, targets()).box), expected);
    }

    // Gaps as "left right top bottom"; "-" where there is none.
    void gapsToTheNeighbours_data() {
        QTest::addColumn<PlanBox>("box");
        QTest::addColumn<QString>("gaps");
        QTest::newRow("right of the neighbour, flush")
            << PlanBox{150, 110, 20, 10} << "0 230 110 180";
        QTest::newRow("below it, 5 px") << PlanBox{120, 145, 20, 10} << "120 260 5 145";
        QTest::newRow("beside it but not across it: picture edges only")
            << PlanBox{200, 20, 20, 10} << "200 180 20 270";
        QTest::newRow("touching its bottom edge only does not face it")
            << PlanBox{160, 140, 20, 10} << "160 220 140 150";
        QTest::newRow("sticking out of the picture on the left")
            << PlanBox{-5, 110, 20, 10} << "- 85 110 180";
    }
    void gapsToTheNeighbours() {
        QFETCH(PlanBox, box);
        QFETCH(QString, gaps);
        const editor::Gaps g = editor::gapsAround(box, targets());
        QCOMPARE(QStringList({gapText(g.left), gapText(g.right), gapText(g.top), gapText(g.bottom)})
                     .join(' '),
                 gaps);
    }

    // At 2 picture pixels per cm; the picture is 1000 x 500 pixels.
    void pointerAndTypedPositions_data() {
        QTest::addColumn<float>("zoom");
        QTest::addColumn<QPointF>("origin");
        QTest::addColumn<QPointF>("canvasAt");
        QTest::addColumn<QString>("shown"); // "" outside the picture
        const auto row = [](const char* name, float zoom, QPointF origin, QPointF at,
                            const char* shown) {
            QTest::newRow(name) << zoom << origin << at << QString::fromUtf8(shown);
        };
        row("100 %", 1, {}, {51, 20}, "25,5 10");
        row("10 %: whole cm", 0.1f, {}, {9, 3}, "45 15");
        row("1600 %, scrolled", 16, {400, 100}, {41, 9}, "201,3 50,3");
        row("the picture's far corner belongs to it", 1, {}, {1000, 500}, "500 250");
        row("past its right edge", 1, {}, {1001, 20}, "");
        row("left of the picture, scrolled back", 1, {-10, 0}, {5, 5}, "");
    }
    void pointerAndTypedPositions() {
        QFETCH(float, zoom);
        QFETCH(QPointF, origin);
        QFETCH(QPointF, canvasAt);
        QFETCH(QString, shown);
        const render::View view{zoom, float(origin.x()), float(origin.y())};
        const QLocale french(QLocale::French, QLocale::France);
        const auto cm = editor::pointerCm(canvasAt, view, 2.0, QSizeF(1000, 500));
        QCOMPARE(cm.has_value(), !shown.isEmpty());
        if (!cm)
            return;
        const int decimals = editor::cmDecimals(1 / (2.0 * zoom));
        QCOMPARE(editor::cmText(cm->x(), decimals, french) + ' ' +
                     editor::cmText(cm->y(), decimals, french),
                 shown);
    }

    // What the position boxes' validator lets no one type; the typed positions themselves
    // are checked through the placement window.
    void typedPositions_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("pixel"); // -1: refused
        QTest::newRow("two decimals, halves to even") << "12.25" << 24;
        QTest::newRow("negative") << "-1" << -1;
        QTest::newRow("not a number") << "x" << -1;
    }
    void typedPositions() {
        QFETCH(QString, typed);
        QFETCH(int, pixel);
        const auto p =
            editor::typedPosition(typed, 2.0, 1000, QLocale(QLocale::French, QLocale::France));
        QCOMPARE(p.value_or(-1), pixel);
    }

    // Shift+arrow on a 40 x 20 box at (100, 50) on a 400 x 300 canvas.
    void centimetreSteps_data() {
        QTest::addColumn<double>("pixelsPerCm");
        QTest::addColumn<float>("zoom");
        QTest::addColumn<QPointF>("from");
        QTest::addColumn<int>("key");
        QTest::addColumn<QPointF>("to");
        const auto row = [](const char* name, double resol, float zoom, QPointF from, Qt::Key key,
                            QPointF to) {
            QTest::newRow(name) << resol << zoom << from << int(key) << to;
        };
        row("2 px/cm at 100 %", 2, 1, {100, 50}, Qt::Key_Right, {102, 50});
        row("2 px/cm at 1600 %", 2, 16, {100, 50}, Qt::Key_Up, {100, 18});
        row("2.5 px/cm goes to the even 2", 2.5, 1, {100, 50}, Qt::Key_Down, {100, 52});
        row("a coarse picture still moves a pixel", 0.3, 1, {100, 50}, Qt::Key_Left, {99, 50});
        row("at 10 %: a fraction of a canvas pixel", 5, 0.1f, {100, 50}, Qt::Key_Left, {99.5, 50});
        row("stops where 10 pixels stay on the canvas", 2, 16, {375, 50}, Qt::Key_Right, {390, 50});
        row("a box at that limit stays", 2, 16, {-30, 50}, Qt::Key_Left, {-30, 50});
    }
    void centimetreSteps() {
        QFETCH(double, pixelsPerCm);
        QFETCH(float, zoom);
        QFETCH(QPointF, from);
        QFETCH(int, key);
        QFETCH(QPointF, to);
        const PlanBox moved =
            editor::arrowStep(PlanBox{float(from.x()), float(from.y()), 40, 20}, Qt::Key(key),
                              editor::centimetreStep(pixelsPerCm, zoom), QSize(400, 300));
        QCOMPARE(QPointF(moved.left, moved.top), to);
    }
};

QTEST_MAIN(TestEditorSnapping)
#include "tst_editorsnapping.moc"
