// Guards the plan editor's handlers: creation, selection, editing, view and surface count.
#include "EditorFixture.h"

#include "editor/Geometry.h"
#include "render/PlanRenderer.h"

#include <QtTest>

using namespace document;

class TestEditor : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void creationFollowsTheViewTextureAndSelection() {
        EditorFixture f(true);
        // At 200 % a bar step is 8 px across and 3.5 px down.
        const render::View& view = f.setView(200, 25, 20);
        QVERIFY(view == (render::View{2.0f, 200, 70}));
        f.ed->textureIndexChosen(0);
        f.ed->createObject(ObjectKind::Rectangle);
        QVERIFY(f.object(1).position == (PlanPoint{205, 75}));
        QCOMPARE(f.object(1).fill, Fill::file(EditorFixture::kTexture));
        QVERIFY(f.ed->isModified());
        f.ed->createObject(ObjectKind::Ellipse); // textures go only to rectangles
        QCOMPARE(f.object(2).fill, Fill::colour(0));
        QCOMPARE(f.ed->controls().texture, std::nullopt);
        f.ed->sizeLockToggled(false); // text is locked at its measured size all the same
        f.dialogs.inputAnswers.push_back(QStringLiteral("Évier"));
        f.ed->createObject(ObjectKind::Text);
        QCOMPARE(f.dialogs.asked.back().text, QStringLiteral("Texte à insérer :"));
        const QSize extent = f.ed->canvas().textSize(QStringLiteral("Évier"));
        QCOMPARE(int(f.object(3).widthCm), editor::textSizeCm(extent.width(), 2.0));
        QVERIFY(f.object(3).text == QStringLiteral("Évier"));
        QVERIFY(f.object(3).locked);
        f.add(1, 200, 120, 60, 120, Fill::colour(5), true);
        f.setView(200, 25, 20); // the layout opened again at its origin: at (0, 100) now
        f.click(10, 110);
        f.ed->createObject(ObjectKind::Rectangle); // a copy, unlocked; the original is back
        QVERIFY(f.table().count() == 5);
        QVERIFY(f.object(4).locked);
        QVERIFY(!f.object(5).locked);
        QVERIFY(f.object(5).widthCm == 120.f);
        QVERIFY(f.object(5).fill == Fill::colour(5));
    }

    // A width typed before creating an ellipse, rounded half to even; -1: refused with a
    // warning, nothing created.
    void typedWidth_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("cm");
        QTest::newRow("a half with a comma: down to even") << QStringLiteral("12,5") << 12;
        QTest::newRow("a half with a point: up to even") << QStringLiteral("13.5") << 14;
        QTest::newRow("the largest") << QStringLiteral("32767") << 32767;
        QTest::newRow("one too many: refused") << QStringLiteral("32768") << -1;
        QTest::newRow("empty: refused") << QString() << -1;
    }
    void typedWidth() {
        QFETCH(QString, typed);
        QFETCH(int, cm);
        EditorFixture f(true);
        f.ed->dimensionTextChanged(editor::Dimension::Width, typed);
        f.ed->createObject(ObjectKind::Ellipse);
        QCOMPARE(f.ed->isModified(), cm >= 0);
        if (cm >= 0) {
            QCOMPARE(f.object(1).widthCm, float(cm));
        } else {
            QCOMPARE(f.table().count(), 0);
            QCOMPARE(f.dialogs.lastMessage().title, QStringLiteral("Attention :"));
        }
    }

    void limitCountsTheSelection() {
        EditorFixture f(true);
        QList<PlanObject> objects(999, testkit::planObject(ObjectKind::Rectangle, 600, 400, 5, 5));
        objects.append(testkit::planObject(ObjectKind::Rectangle, 10, 10, 5, 5));
        f.addAll(objects);
        f.click(12, 12); // row 1000 lifted out: 999 in the table
        f.ed->createObject(ObjectKind::Rectangle);
        QCOMPARE(f.dialogs.lastMessage().text,
                 QStringLiteral("Désolé, vous avez atteind la limite du nombre d'objet (1000)"));
        QVERIFY(f.ed->hasSelection());
        QVERIFY(f.table().count() == 999);
    }

    // The second of five put back by a click beside it (clickBringsToFront puts it in front), sent
    // back, brought to the front or deleted; any change of the stored order is an edit.
    void stackingOrder_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("clickBringsToFront");
        QTest::addColumn<QList<double>>("xs");
        QTest::newRow("put back where it was")
            << QString() << false << QList<double>{0, 40, 80, 120, 160};
        QTest::newRow("put back in front")
            << QString() << true << QList<double>{0, 80, 120, 160, 40};
        QTest::newRow("sent to the back")
            << QStringLiteral("back") << false << QList<double>{40, 0, 80, 120, 160};
        QTest::newRow("brought to the front")
            << QStringLiteral("front") << false << QList<double>{0, 80, 120, 160, 40};
        QTest::newRow("deleted") << QStringLiteral("delete") << false
                                 << QList<double>{0, 80, 120, 160};
    }
    void stackingOrder() {
        QFETCH(QString, command);
        QFETCH(bool, clickBringsToFront);
        QFETCH(QList<double>, xs);
        EditorFixture f;
        f.changePreferences(
            [&](settings::Preferences& p) { p.clickBringsToFront = clickBringsToFront; });
        f.openNew();
        for (int i = 0; i < 5; ++i) // 10 x 10 cm, 40 picture pixels apart
            f.add(1, float(i * 40), 0, 10, 10, Fill::colour(i));
        f.click(45, 5);
        if (command == QLatin1String("delete"))
            f.ed->keyPressed(Qt::Key_Backspace);
        else if (command == QLatin1String("front"))
            f.ed->bringToFront();
        else if (command == QLatin1String("back"))
            f.ed->sendToBack();
        else
            f.click(390, 290);
        QVERIFY(!f.ed->hasSelection());
        QVERIFY(!f.ed->controls().editEnabled);
        QList<double> stored;
        for (int r = 1; r <= f.table().count(); ++r)
            stored << f.object(r).position.x;
        QCOMPARE(stored, xs);
        QCOMPARE(f.ed->isModified(), !command.isEmpty() || clickBringsToFront);
    }

    void measureBoxAndItsRoundedHeight() {
        EditorFixture f(true);
        f.add(0, 10, 10, 50, 200, Fill::colour(0));
        f.click(20, 45); // 35 px below the top: outside the 17-pixel band
        QVERIFY(!f.ed->hasSelection());
        f.click(20, 20);
        QCOMPARE(f.ed->selection().box.height, 17.f);
        f.click(390, 290);
        QCOMPARE(f.object(1).heightCm, 8.f); // 8.5 goes to the even 8
        QCOMPARE(f.object(1).widthCm, 200.f);
    }

    // At 1600 % a 1000 x 600 cm object is a 32000 x 19200 pixel box: its part on the plan
    // shows the object's own pixels, before and after the box moves.
    void hugeSelectionBoxShowsTheObject_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("orientation");
        QTest::newRow("textured rectangle") << 1 << 0;
        QTest::newRow("accessory turned a quarter") << 9 << 1;
        QTest::newRow("accessory turned a half") << 9 << 2;
    }
    void hugeSelectionBoxShowsTheObject() {
        QImage pattern(60, 40, QImage::Format_RGB32); // every pixel different
        for (int i = 0; i < 60 * 40; ++i)
            pattern.setPixel(i % 60, i / 60, qRgb(i % 60 * 4, i / 60 * 6, i % 256));
        QFETCH(int, kind);
        QFETCH(int, orientation);
        EditorFixture f;
        f.folder.addPicture("accessoires", EditorFixture::kAccessory, pattern);
        f.folder.addPicture("textures", EditorFixture::kTexture, pattern.copy(0, 0, 7, 5));
        f.openNew();
        f.add(kind, 10, 10, 600, 1000,
              Fill::file(kind == 1 ? EditorFixture::kTexture : EditorFixture::kAccessory), false,
              orientation);
        // At 1600 % a bar step is 9.75 px across and about 4.8 px down.
        QVERIFY(f.setView(1600, 41, 21) ==
                (render::View{16.0f, 400, 101})); // the box starts 6240 px left
        f.click(200, 150);
        QVERIFY(f.ed->hasSelection());
        for (const bool moved : {false, true}) {
            if (moved) {
                f.ed->keyPressed(Qt::Key_Right);
                f.ed->boxPressed(QPointF(5, 5), Qt::LeftButton);
                f.ed->boxMoved(QPointF(-95, -45), Qt::LeftButton);
                f.ed->boxReleased();
            }
            const editor::SelectionBox& b = f.ed->selection().box;
            platform::Surface expected(400, 300, platform::kWindowBackground);
            render::PlanRenderer(f.pictures, f.folder.path())
                .drawObject(expected, render::ScreenBox{b.left, b.top, b.width, b.height},
                            f.ed->selection().object,
                            render::DrawContext{16.0f, 2.0, f.ed->preferences()});
            platform::Surface shown(400, 300, platform::kWindowBackground);
            shown.drawPictureAt(b.surface.image(), b.left + float(b.shown.x()),
                                b.top + float(b.shown.y()));
            const QRect onPlan = QRect(int(b.left), int(b.top), int(b.width), int(b.height))
                                     .intersected(QRect(0, 0, 400, 300));
            QVERIFY(onPlan.width() > 100);
            QVERIFY(onPlan.height() > 100);
            QVERIFY(testkit::imagesMatch(
                shown.image().copy(onPlan), expected.image().copy(onPlan),
                QStringLiteral("huge_box_%1_%2_%3").arg(kind).arg(orientation).arg(moved)));
        }
    }

    // The bottom-right handle of a 60 x 40 px box dragged by (+7, +3), then the box from x = 5:
    // only the left button alone drags, a locked object keeps its size, 10 pixels stay shown.
    void drags_data() {
        QTest::addColumn<Qt::MouseButtons>("held");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<float>("boxTo");
        QTest::addColumn<QSizeF>("size");
        QTest::addColumn<float>("left");
        const Qt::MouseButtons leftAlone(Qt::LeftButton);
        QTest::newRow("left button") << leftAlone << false << 12.f << QSizeF(67, 43) << 17.f;
        QTest::newRow("left and right buttons: no drag")
            << (Qt::LeftButton | Qt::RightButton) << false << 12.f << QSizeF(60, 40) << 10.f;
        QTest::newRow("middle button: no drag")
            << Qt::MouseButtons(Qt::MiddleButton) << false << 12.f << QSizeF(60, 40) << 10.f;
        QTest::newRow("locked, dragged far left: 10 pixels stay")
            << leftAlone << true << -500.f << QSizeF(60, 40) << -50.f;
    }
    void drags() {
        QFETCH(Qt::MouseButtons, held);
        QFETCH(bool, locked);
        QFETCH(float, boxTo);
        QFETCH(QSizeF, size);
        QFETCH(float, left);
        const Qt::MouseButtons leftAlone(Qt::LeftButton);
        EditorFixture f(true);
        f.add(1, 10, 10, 20, 30, Fill::colour(2), locked);
        f.click(20, 20);
        f.ed->handlePressed(QPointF(2, 2));
        f.ed->handleMoved(editor::Handle::BottomRight, QPointF(9, 5), held);
        f.ed->handleReleased();
        if (locked)
            QCOMPARE(f.ed->statusText(), QStringLiteral("Cet objet n'est pas redimensionnable"));
        const editor::SelectionBox& box = f.ed->selection().box;
        QCOMPARE(QSizeF(box.width, box.height), size);
        f.ed->boxPressed(QPointF(5, 5), Qt::LeftButton);
        f.ed->boxMoved(QPointF(boxTo, 5), held);
        f.ed->boxReleased();
        QCOMPARE(box.left, left);
        QCOMPARE(f.ed->selection().handles.topLeft[0].x(), int(left) - 5);
        QVERIFY(f.ed->isModified() || held != leftAlone);
    }

    // A 120 x 60 cm object turned: a rectangle swaps its sides, a line's second turn is its
    // first diagonal, text never turns.
    void turning_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("extra");
        QTest::addColumn<QString>("turns");
        QTest::addColumn<int>("endExtra");
        QTest::addColumn<int>("endWidth");
        QTest::newRow("rectangle: sides swapped") << 1 << 0 << "R" << 0 << 60;
        QTest::newRow("triangle: bottom-right corner round to top-right")
            << 5 << 3 << "L" << 0 << 60;
        QTest::newRow("line: other diagonal") << 4 << 0 << "L" << 1 << 60;
        QTest::newRow("line turned twice: first diagonal") << 4 << 0 << "RR" << 0 << 120;
        QTest::newRow("text: never turns") << 3 << 0 << "R" << 0 << 120;
    }
    void turning() {
        QFETCH(int, kind);
        QFETCH(int, extra);
        QFETCH(QString, turns);
        QFETCH(int, endExtra);
        QFETCH(int, endWidth);
        EditorFixture f(true);
        f.add(kind, 10, 10, 60, 120, Fill::colour(2), false, extra);
        f.click(20, 20);
        QCOMPARE(f.ed->controls().turnEnabled, kind != 3);
        for (const QChar t : turns)
            f.ed->turn(t == u'L' ? editor::Turn::Left : editor::Turn::Right);
        QCOMPARE(f.ed->selection().object.orientation.number(), endExtra);
        QCOMPARE(f.ed->selection().box.width, float(endWidth * 2));
        QCOMPARE(f.ed->isModified(), kind != 3);
        f.click(390, 290);
        QCOMPARE(f.object(1).widthCm, float(endWidth));
    }

    // A 1000 x 500 picture on the 400 x 300 canvas.
    void scrollAndZoom() {
        EditorFixture f(true);
        f.ed->horizontalScrolled(100);
        QCOMPARE(f.ed->view().view.originX, 600.f);
        QCOMPARE(f.ed->canvas().colourAt(399, 10), platform::rgb(200, 200, 255)); // last column
        f.ed->horizontalScrolled(50);
        const float centre = f.ed->view().view.originX + 200;
        f.ed->zoomTextChanged(QStringLiteral("200"));
        const render::View& v = f.ed->view().view;
        // The bar rounds the origin to whole percent of the scroll range (16 px here).
        QVERIFY(std::abs(v.originX + 200 / v.zoom - centre) <= 8);
        QCOMPARE(f.ed->view().horizontalBar, editor::barPercent(v.originX, 2, 1000, 400));
        f.ed->zoomTextChanged(QStringLiteral("25")); // 250 x 125: no scrolling
        QVERIFY(f.ed->view().view.originX == 0.f);
        QVERIFY(f.ed->view().horizontalBar == 0);
    }

    void surfacePanelAddsAndDeletes() {
        EditorFixture f(true);
        f.ed->restoreSurfacePanel(QStringLiteral("0"));
        QVERIFY(!f.ed->surfaces().visible);
        f.ed->toggleSurfacePanel();
        QVERIFY(f.ed->surfaces().visible);
        QVERIFY(f.store.values.value("modsurf") == QStringLiteral("1"));
        f.setView(50);
        f.add(1, 10, 10, 150, 200);
        f.click(20, 20);
        QCOMPARE(f.ed->surfaces().areaText, QStringLiteral("3"));
        f.ed->addSurface();
        f.ed->addSurface();
        f.click(390, 290);
        f.add(2, 600, 10, 100, 100);
        f.click(310, 20);
        f.ed->addSurface();
        QCOMPARE(f.ed->surfaces().lines, (QStringList{"3", "3", "0,79"}));
        QCOMPARE(f.ed->surfaces().totalText, QStringLiteral("6,79"));
        f.ed->surfaceSelectionChanged({true, false, true});
        f.ed->removeSelectedSurfaces();
        QVERIFY(f.ed->surfaces().totalText == QStringLiteral("3"));
        QVERIFY(!f.ed->surfaces().deleteEnabled);
        f.openNew(); // the list survives another layout
        QVERIFY(f.ed->surfaces().lines == QStringList{"3"});
        QVERIFY(f.ed->surfaces().totalText == "3");
        f.ed->toggleSurfacePanel();
        QCOMPARE(f.store.values.value("modsurf"), QStringLiteral("0"));
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
