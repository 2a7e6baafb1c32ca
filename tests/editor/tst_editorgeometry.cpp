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
    void hitBoxesAndHandles() {
        for (const auto& [kind, heightCm, widthCm, zoom, expected] :
             {std::tuple{ObjectKind::Text, 10.f, 40.f, 1.5f, QRectF(10, 20, 80, 20)}, // unzoomed
              {ObjectKind::Measure, 100.f, 20.f, 1.f, QRectF(25, 20, 25, 200)}, // its right strip
              {ObjectKind::Measure, 10.f, 5.f, 1.f, QRectF(10, 20, 10, 20)}}) { // short: all
            const auto object = planObject(kind, 10 / zoom, 20 / zoom, heightCm, widthCm);
            const editor::PlanBox b = editor::hitBox(object, render::View{zoom, 0, 0}, 2.0);
            QCOMPARE(QRectF(b.left, b.top, b.width, b.height), expected);
        }
        // Row 1 at (0, 0) and row 2 at (50, 50), both 100 x 100 pixels: the front one wins,
        // the right and bottom edges belong to the object.
        document::ObjectTable table;
        table.append(planObject(ObjectKind::Rectangle, 0, 0, 50, 50));
        table.append(planObject(ObjectKind::Rectangle, 50, 50, 50, 50));
        for (const auto& [x, y, row] :
             {std::tuple{60, 60, 2}, {10, 10, 1}, {150, 120, 2}, {120, 150, 2}, {151, 120, 0}})
            QCOMPARE(editor::hitTest(table, render::View{}, 2.0, x, y), row);
        // The 40 x 20 box at (100, 50); a top edge dragged past the bottom keeps the height.
        for (const auto& [handle, dx, dy, expected] :
             {std::tuple{Handle::TopLeft, 5, 2, QRectF(105, 52, 35, 18)},
              {Handle::Left, -4, 9, QRectF(96, 50, 44, 20)},
              {Handle::Top, 0, 30, QRectF(100, 80, 40, 20)}}) {
            editor::PlanBox b{100, 50, 40, 20};
            editor::resizeByHandle(b, handle, dx, dy);
            QCOMPARE(QRectF(b.left, b.top, b.width, b.height), expected);
        }
    }

    void zoomStepsTextSizesAndAreas() {
        for (const auto& [percent, down, up] :
             {std::tuple{100, 75, 150}, {120, 100, 150}, {10, 10, 25}, {1600, 1200, 1600}}) {
            QCOMPARE(editor::zoomStepDown(percent), down);
            QCOMPARE(editor::zoomStepUp(percent), up);
        }
        // 2.5 cm of text at 4 vehicle pixels per cm goes to the even 2, plus one.
        QCOMPARE(int(editor::textSizeCm(10, 4)), 3);
        for (const auto& [kind, area] :
             {std::pair{ObjectKind::Triangle, "0,75"}, {ObjectKind::Accessory, "-----"}})
            QCOMPARE(editor::areaText(kind, 150, 100, QLocale(QLocale::French)),
                     QString::fromLatin1(area));
    }
};

QTEST_MAIN(TestEditorGeometry)
#include "tst_editorgeometry.moc"
