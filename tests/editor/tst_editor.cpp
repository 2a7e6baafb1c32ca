// Guards the plan editor's handlers: creation, selection, editing, view and surface count.
#include "EditorFixture.h"

#include "editor/Geometry.h"
#include "render/PlanRenderer.h"

#include <QtTest>

namespace QTest {
template <> char* toString(const document::PlanPoint& p) {
    return qstrdup(qPrintable(QStringLiteral("(%1, %2)").arg(p.x).arg(p.y)));
}
} // namespace QTest

using namespace document;

class TestEditor : public QObject {
    Q_OBJECT

    // A layout with five 10 x 10 cm rectangles 40 picture pixels apart, the one at
    // x = 40 * selected lifted into the selection box.
    static void fiveInARow(EditorFixture& f, int selected) {
        f.openNew();
        for (int i = 0; i < 5; ++i)
            f.add(1, float(i * 40), 0, 10, 10, Fill::colour(i));
        f.click(float(selected * 40 + 5), 5);
    }

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void creationPlaceAndTextureFollowTheView() {
        EditorFixture f;
        f.openNew();
        f.s().view.view = render::View{2.0f, 100, 50};
        f.ed->textureChosen(1);
        f.ed->createObject(ObjectKind::Rectangle);
        QCOMPARE(f.object(1).position, (PlanPoint{105, 55}));
        QCOMPARE(f.object(1).fill, Fill::file(EditorFixture::kTexture));
        QVERIFY(f.s().layout.modified);
        f.ed->createObject(ObjectKind::Ellipse); // textures go only to rectangles
        QCOMPARE(f.object(2).fill, Fill::colour(0));
        QCOMPARE(f.s().controls.textureEntry, 0);
    }

    void refusedDimensionCreatesNothing_data() {
        QTest::addColumn<QString>("width");
        QTest::newRow("empty box") << "";
        QTest::newRow("beyond 16 bits") << "99999";
    }
    void refusedDimensionCreatesNothing() {
        QFETCH(QString, width);
        EditorFixture f;
        f.openNew();
        f.ed->dimensionTextChanged(editor::Dimension::Width, width);
        f.ed->createObject(ObjectKind::Ellipse);
        QCOMPARE(f.table().count(), 0);
        QVERIFY(!f.s().layout.modified);
        QCOMPARE(f.dialogs.lastMessage().title, QStringLiteral("Attention :"));
    }

    void textIsLockedAtItsMeasuredSize() {
        EditorFixture f;
        f.openNew();
        f.ed->sizeLockToggled(false);
        f.dialogs.inputAnswers.push_back(QStringLiteral("Évier"));
        f.ed->createObject(ObjectKind::Text);
        QCOMPARE(f.dialogs.asked.back().text, QStringLiteral("Texte à insérer :"));
        const QSize extent = f.s().canvas.textSize(QStringLiteral("Évier"));
        QCOMPARE(int(f.object(1).widthCm), editor::textSizeCm(extent.width(), 2.0));
        QCOMPARE(f.object(1).text, QStringLiteral("Évier"));
        QVERIFY(f.object(1).locked);
    }

    void copyOfLockedRectangleIsUnlocked() {
        EditorFixture f;
        f.openNew();
        f.add(1, 100, 100, 60, 120, Fill::colour(5), true);
        f.click(110, 110);
        f.ed->createObject(ObjectKind::Rectangle);
        QCOMPARE(f.table().count(), 2);
        QVERIFY(f.object(1).locked); // the original is back, still locked
        QCOMPARE(f.object(2).widthCm, 120.f);
        QCOMPARE(f.object(2).fill, Fill::colour(5));
        QVERIFY(!f.object(2).locked);
    }

    void limitCountsTheSelection() {
        EditorFixture f;
        f.openNew();
        for (int i = 0; i < 999; ++i)
            f.add(1, 600, 400, 5, 5);
        f.add(1, 10, 10, 5, 5);
        f.click(12, 12); // row 1000 lifted out: 999 in the table
        f.ed->createObject(ObjectKind::Rectangle);
        QCOMPARE(f.dialogs.lastMessage().text,
                 QStringLiteral("Désolé, vous avez atteind la limite du nombre d'objet (1000)"));
        QVERIFY(f.s().hasSelection());
        QCOMPARE(f.table().count(), 999);
    }

    // Where the selected object ends among five: put back (with or without clicpreplan),
    // sent back or brought to the front.
    void stackingOrder_data() {
        QTest::addColumn<QString>("command"); // "": put back by a click beside it
        QTest::addColumn<bool>("clicpreplan");
        QTest::addColumn<QList<double>>("xs");
        QTest::newRow("put back in its old row")
            << "" << false << QList<double>{0, 40, 80, 120, 160};
        QTest::newRow("clicpreplan puts it in front")
            << "" << true << QList<double>{0, 80, 120, 160, 40};
        QTest::newRow("sent back") << "back" << false << QList<double>{40, 0, 80, 120, 160};
        QTest::newRow("brought to front") << "front" << false << QList<double>{0, 80, 120, 160, 40};
    }
    void stackingOrder() {
        QFETCH(QString, command);
        QFETCH(bool, clicpreplan);
        QFETCH(QList<double>, xs);
        EditorFixture f;
        f.s().prefs.clicpreplan = clicpreplan;
        fiveInARow(f, 1);
        if (command == QLatin1String("front"))
            f.ed->bringToFront();
        else if (command == QLatin1String("back"))
            f.ed->sendToBack();
        else
            f.click(390, 290);
        QVERIFY(!f.s().hasSelection());
        QList<double> stored;
        for (int r = 1; r <= f.table().count(); ++r)
            stored << f.object(r).position.x;
        QCOMPARE(stored, xs);
        // Any change of the stored order is an edit, the front-on-click one included.
        QCOMPARE(f.s().layout.modified, !command.isEmpty() || clicpreplan);
    }

    void measureBoxAndItsRoundedHeight() {
        EditorFixture f;
        f.openNew();
        f.add(0, 10, 10, 50, 200, Fill::colour(0));
        f.click(20, 45); // 35 px below the top: outside the 17-pixel band
        QVERIFY(!f.s().hasSelection());
        f.click(20, 20);
        QCOMPARE(f.s().selection.box.height, 17.f);
        f.click(390, 290);
        QCOMPARE(f.object(1).heightCm, 8.f); // 8.5 goes to the even 8
        QCOMPARE(f.object(1).widthCm, 200.f);
    }

    void draggingStopsWithTenPixelsVisible() {
        EditorFixture f;
        f.openNew();
        f.add(1, 50, 50, 20, 20); // 40 x 40 px box
        f.click(60, 60);
        f.ed->boxPressed(QPointF(5, 5), Qt::LeftButton);
        f.ed->boxMoved(QPointF(-500, 5), Qt::LeftButton);
        f.ed->boxReleased();
        QCOMPARE(f.s().selection.box.left, -30.f);
        QCOMPARE(f.s().selection.handles.topLeft[0], QPoint(-35, 45));
        QVERIFY(f.s().layout.modified);
    }

    // At 1600 % a 1000 x 600 cm object is a box of 32000 x 19200 pixels: the part of the box
    // on the plan shows the object's own pixels, before and after the box moves.
    void hugeSelectionBoxShowsTheObject_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("fill");
        QTest::addColumn<int>("extra");
        QTest::newRow("textured rectangle") << 1 << EditorFixture::kTexture << 0;
        QTest::newRow("accessory turned a quarter") << 9 << EditorFixture::kAccessory << 1;
        QTest::newRow("accessory turned a half") << 9 << EditorFixture::kAccessory << 2;
    }
    void hugeSelectionBoxShowsTheObject() {
        QFETCH(int, kind);
        QFETCH(QString, fill);
        QFETCH(int, extra);
        EditorFixture f;
        QImage pattern(60, 40, QImage::Format_RGB32); // every pixel different
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x)
                pattern.setPixel(x, y, qRgb(x * 4, y * 6, (x * y) % 256));
        f.folder.addPicture(QStringLiteral("accessoires"), EditorFixture::kAccessory, pattern);
        f.folder.addPicture(QStringLiteral("textures"), EditorFixture::kTexture,
                            pattern.copy(0, 0, 7, 5));
        f.openNew();
        f.add(kind, 10, 10, 600, 1000, Fill::file(fill), false, extra);
        f.s().view.view = render::View{16.0f, 400, 100}; // the box starts 6240 px to the left
        f.click(200, 150);
        QVERIFY(f.s().hasSelection());
        const auto check = [&f](const char* when) {
            const editor::SelectionBox& b = f.s().selection.box;
            // The object drawn alone on a plan-sized surface at the box's place...
            platform::Surface expected(400, 300, platform::kWindowBackground);
            render::PlanRenderer renderer(f.pictures, f.folder.path());
            float x = b.left, y = b.top, h = b.height, w = b.width;
            renderer.drawObject(expected, x, y, h, w, f.s().selection.object,
                                render::DrawContext{16.0f, 2.0, f.s().prefs});
            // ...and what the window shows: the box's picture at its offset in the box.
            platform::Surface shown(400, 300, platform::kWindowBackground);
            shown.drawPictureAt(b.surface.image(), b.left + float(b.shown.x()),
                                b.top + float(b.shown.y()));
            const QRect onPlan = QRect(int(b.left), int(b.top), int(b.width), int(b.height))
                                     .intersected(QRect(0, 0, 400, 300));
            QVERIFY(onPlan.width() > 100 && onPlan.height() > 100);
            QVERIFY(testkit::imagesMatch(shown.image().copy(onPlan), expected.image().copy(onPlan),
                                         QStringLiteral("huge_box_") + when));
        };
        check("selected");
        f.ed->keyPressed(Qt::Key_Right);
        f.ed->boxPressed(QPointF(5, 5), Qt::LeftButton);
        f.ed->boxMoved(QPointF(-95, -45), Qt::LeftButton);
        f.ed->boxReleased();
        check("moved");
    }

    // A drag of the bottom-right handle by (+7, +3) and of the box by (+7, 0), with these
    // buttons held: only the left button alone drags, and a locked object keeps its size.
    void dragsNeedTheLeftButtonAlone_data() {
        QTest::addColumn<Qt::MouseButtons>("held");
        QTest::addColumn<int>("lock");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<float>("left");
        QTest::newRow("left") << Qt::MouseButtons(Qt::LeftButton) << 0 << QSizeF(67, 43) << 17.f;
        QTest::newRow("left and right")
            << (Qt::LeftButton | Qt::RightButton) << 0 << QSizeF(60, 40) << 10.f;
        QTest::newRow("middle") << Qt::MouseButtons(Qt::MiddleButton) << 0 << QSizeF(60, 40)
                                << 10.f;
        QTest::newRow("left, locked")
            << Qt::MouseButtons(Qt::LeftButton) << 1 << QSizeF(60, 40) << 17.f;
    }
    void dragsNeedTheLeftButtonAlone() {
        QFETCH(Qt::MouseButtons, held);
        QFETCH(int, lock);
        QFETCH(QSizeF, size);
        QFETCH(float, left);
        EditorFixture f;
        f.openNew();
        f.add(1, 10, 10, 20, 30, Fill::colour(2), lock != 0); // 60 x 40 px
        f.click(20, 20);
        f.ed->handlePressed(QPointF(2, 2));
        f.ed->handleMoved(editor::Handle::BottomRight, QPointF(9, 5), held);
        f.ed->handleReleased();
        if (lock)
            QCOMPARE(f.s().statusText, QStringLiteral("Cet objet n'est pas redimensionnable"));
        QCOMPARE(QSizeF(f.s().selection.box.width, f.s().selection.box.height), size);
        f.ed->boxPressed(QPointF(5, 5), Qt::LeftButton);
        f.ed->boxMoved(QPointF(12, 5), held);
        f.ed->boxReleased();
        QCOMPARE(f.s().selection.box.left, left);
    }

    void deleteLeavesTheTableAsItWas_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("menu") << 0;
        QTest::newRow("Delete key") << 1;
        QTest::newRow("Backspace") << 2;
    }
    void deleteLeavesTheTableAsItWas() {
        QFETCH(int, how);
        EditorFixture f;
        fiveInARow(f, 2);
        const ObjectTable whileSelected = f.table();
        if (how == 0)
            f.ed->deleteSelection();
        else if (how == 1)
            f.ed->keyPressed(Qt::Key_Delete);
        else
            f.ed->keyPressed(Qt::Key_Backspace);
        QVERIFY(!f.s().controls.editEnabled);
        QVERIFY(f.table() == whileSelected);
        QVERIFY(f.s().layout.modified);
    }

    void turning_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("extra");
        QTest::addColumn<QString>("turns"); // L left, R right
        QTest::addColumn<int>("endExtra");
        QTest::addColumn<QString>("endWidth");
        QTest::newRow("rectangle right swaps") << 1 << 0 << "R" << 0 << "60";
        QTest::newRow("triangle 0 right gives 3") << 5 << 0 << "R" << 3 << "60";
        QTest::newRow("triangle 3 left gives 0") << 5 << 3 << "L" << 0 << "60";
        QTest::newRow("line once") << 4 << 0 << "L" << 1 << "60";
        QTest::newRow("line twice: first diagonal") << 4 << 0 << "RR" << 0 << "120";
        QTest::newRow("text never turns") << 3 << 0 << "R" << 0 << "120";
    }
    void turning() {
        QFETCH(int, kind);
        QFETCH(int, extra);
        QFETCH(QString, turns);
        QFETCH(int, endExtra);
        QFETCH(QString, endWidth);
        EditorFixture f;
        f.openNew();
        f.add(kind, 10, 10, 60, 120, Fill::colour(2), false, extra);
        f.click(20, 20);
        QCOMPARE(f.s().controls.turnEnabled, kind != 3);
        for (const QChar t : turns)
            f.ed->turn(t == u'L' ? editor::Turn::Left : editor::Turn::Right);
        QCOMPARE(f.s().selection.object.orientation, endExtra);
        QCOMPARE(f.s().selection.box.width, endWidth.toFloat() * 2);
        QCOMPARE(f.s().layout.modified, kind != 3);
        f.click(390, 290);
        QCOMPARE(QString::number(f.object(1).widthCm), endWidth);
    }

    void zoomKeepsTheCentre() {
        EditorFixture f;
        f.openNew(); // 1000 x 500 picture on a 400 x 300 canvas
        f.ed->horizontalScrolled(50);
        const float before = f.s().view.view.originX + 200;
        f.ed->zoomTextChanged(QStringLiteral("200"));
        const render::View& v = f.s().view.view;
        // The bar rounds the origin to whole percent of the scroll range (16 px here).
        QVERIFY(std::abs(v.originX + 200 / v.zoom - before) <= 8);
        QCOMPARE(f.s().view.horizontalBar, editor::barPercent(v.originX, 2, 1000, 400));
    }

    void scrollBarEndsAtAnyZoom() {
        EditorFixture f;
        f.openNew();
        f.ed->horizontalScrolled(100);
        QCOMPARE(f.s().view.view.originX, 600.f);
        // The picture's last column sits at the canvas's last column.
        QCOMPARE(f.s().canvas.Point(399, 10), platform::rgb(200, 200, 255));
        f.ed->zoomTextChanged(QStringLiteral("25")); // 250 x 125 on 400 x 300
        QCOMPARE(f.s().view.view.originX, 0.f);
        QCOMPARE(f.s().view.horizontalBar, 0);
    }

    void surfaceCountAddsAndDeletes() {
        EditorFixture f;
        f.openNew();
        f.s().view.view.zoom = 0.5f;
        f.add(1, 10, 10, 150, 200);
        f.click(20, 20);
        QCOMPARE(f.s().surfaces.areaText, QStringLiteral("3"));
        f.ed->addSurface();
        f.ed->addSurface();
        f.click(390, 290);
        f.add(2, 600, 10, 100, 100);
        f.click(310, 20);
        f.ed->addSurface();
        QCOMPARE(f.s().surfaces.lines, (QStringList{"3", "3", "0,79"}));
        QCOMPARE(f.s().surfaces.totalText, QStringLiteral("6,79"));
        f.ed->surfaceSelectionChanged({true, false, true});
        f.ed->removeSelectedSurfaces();
        QCOMPARE(f.s().surfaces.totalText, QStringLiteral("3"));
        QVERIFY(!f.s().surfaces.deleteEnabled);
        f.openNew(); // the list survives another layout
        QCOMPARE(f.s().surfaces.lines, QStringList{"3"});
        QCOMPARE(f.s().surfaces.totalText, QStringLiteral("3"));
    }

    void surfacePanelVisibilityIsStored() {
        EditorFixture f;
        const QString key = QStringLiteral("modsurf");
        f.ed->restoreSurfacePanel(QStringLiteral("0"));
        QVERIFY(!f.s().surfaces.visible);
        f.ed->toggleSurfacePanel();
        QVERIFY(f.s().surfaces.visible);
        QCOMPARE(f.store.values.value(key), QStringLiteral("1"));
        f.ed->toggleSurfacePanel();
        QCOMPARE(f.store.values.value(key), QStringLiteral("0"));
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
