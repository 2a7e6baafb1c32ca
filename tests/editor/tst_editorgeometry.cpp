// Guards the editor's pure geometry: hit boxes and test, handles, zoom, sizes and areas.
#include "document/ObjectTable.h"
#include "editor/Geometry.h"
#include "editor/SurfacePanel.h"
#include "testkit/TestKit.h"

#include <QtTest>

using editor::PlanBox;

namespace {

document::ObjectRow row(int kind, float x, float y, float h, float w) {
    using document::Cell;
    document::ObjectRow r;
    r[document::ColKind] = Cell::integer(std::int16_t(kind));
    r[document::ColX] = Cell::real(x);
    r[document::ColY] = Cell::real(y);
    r[document::ColHeight] = Cell::integer(std::int16_t(h));
    r[document::ColWidth] = Cell::integer(std::int16_t(w));
    return r;
}

QString text(const PlanBox& b) {
    return QStringLiteral("%1 %2 %3 x %4").arg(b.left).arg(b.top).arg(b.width).arg(b.height);
}

// The hit box of an object placed at screen (10, 20), h x w cm, at 2 px/cm.
QString box(int kind, float h, float w, float zoom) {
    return text(editor::hitBox(row(kind, 10 / zoom, 20 / zoom, h, w), {zoom, 0, 0}, 2.0));
}

// The 40 x 20 box at (100, 50) after dragging a handle.
QString drag(int handle, int dx, int dy) {
    PlanBox b{100, 50, 40, 20};
    editor::resizeByHandle(b, handle, dx, dy);
    return text(b);
}

// The row hit at (x, y) with row 1 at (0, 0) and row 2 at (50, 50), both 100 x 100 px.
QString hit(int x, int y) {
    document::ObjectTable t;
    t.append(row(1, 0, 0, 50, 50));
    t.append(row(1, 50, 50, 50, 50));
    return QString::number(editor::hitTest(t, render::View{}, 2.0, x, y));
}

QString dimension(const QString& typed) {
    const auto v = editor::readDimension(typed, QLocale(QLocale::French));
    return v ? QString::number(*v) : QStringLiteral("refused");
}

} // namespace

class TestEditorGeometry : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    // Each row computes its value here; the test compares it with the expected text.
    void conversions_data() {
        const QLocale fr(QLocale::French);
        QTest::addColumn<QString>("actual");
        QTest::addColumn<QString>("expected");
        auto n = [](int v) { return QString::number(v); };
        QTest::newRow("text box not zoomed") << box(3, 10, 40, 1.5f) << "10 20 80 x 20";
        QTest::newRow("vertical measure: right 25 px") << box(0, 100, 20, 1) << "25 20 25 x 200";
        QTest::newRow("short vertical measure: whole") << box(0, 10, 5, 1) << "10 20 10 x 20";
        QTest::newRow("hit: common part gives the front one") << hit(60, 60) << "2";
        QTest::newRow("hit: back one alone") << hit(10, 10) << "1";
        QTest::newRow("hit: right edge included") << hit(150, 120) << "2";
        QTest::newRow("hit: bottom edge included") << hit(120, 150) << "2";
        QTest::newRow("hit: just past the right edge") << hit(151, 120) << "0";
        QTest::newRow("handle 0 moves the top-left corner") << drag(0, 5, 2) << "105 52 35 x 18";
        QTest::newRow("handle 7 moves the left edge only") << drag(7, -4, 9) << "96 50 44 x 20";
        QTest::newRow("handle 1 past zero moves the edge") << drag(1, 0, 30) << "100 80 40 x 20";
        QTest::newRow("zoom + at 100") << n(editor::zoomStepUp(100)) << "150";
        QTest::newRow("zoom - at 100") << n(editor::zoomStepDown(100)) << "75";
        QTest::newRow("zoom - at 120") << n(editor::zoomStepDown(120)) << "100";
        QTest::newRow("zoom + at 1600 stays") << n(editor::zoomStepUp(1600)) << "1600";
        QTest::newRow("zoom - at 10 stays") << n(editor::zoomStepDown(10)) << "10";
        QTest::newRow("text 33 px at 4 px/cm: 8 plus one") << n(editor::textSizeCm(33, 4)) << "9";
        QTest::newRow("text 13 px: 3 plus one") << n(editor::textSizeCm(13, 4)) << "4";
        QTest::newRow("text 10 px: 2.5 to even 2") << n(editor::textSizeCm(10, 4)) << "3";
        QTest::newRow("dimension French decimal to even") << dimension("12,5") << "12";
        QTest::newRow("area rectangle 200 x 150") << editor::areaText(1, 200, 150, fr) << "3";
        QTest::newRow("area circle 100 x 100") << editor::areaText(2, 100, 100, fr) << "0,79";
        QTest::newRow("area triangle 120 x 45") << editor::areaText(5, 120, 45, fr) << "0,27";
        QTest::newRow("area without trailing zero") << editor::areaText(1, 150, 100, fr) << "1,5";
        QTest::newRow("accessory has no area") << editor::areaText(9, 100, 100, fr) << "-----";
    }
    void conversions() {
        QFETCH(QString, actual);
        QFETCH(QString, expected);
        QCOMPARE(actual, expected);
    }
};

QTEST_MAIN(TestEditorGeometry)
#include "tst_editorgeometry.moc"
