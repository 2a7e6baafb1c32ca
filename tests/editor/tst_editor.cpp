// Guards the plan editor's handlers: creation, selection with move and resize,
// property editing, zoom and scrolling, and the surface count.
#include "EditorFixture.h"

#include "editor/Geometry.h"

#include <QtTest>

using document::Cell;
using platform::MsgIcon;

class TestEditor : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    // --- Creation ---------------------------------------------------------------------

    void creationPlaceFollowsZoomAndScroll() {
        EditorFixture f;
        f.openNew();
        f.s().view.view = render::View{2.0f, 100, 50};
        f.ed->Command1_Click(1);
        QCOMPARE(f.table().nb_objets(), 1);
        QCOMPARE(f.cell(1, document::ColX), 105.0);
        QCOMPARE(f.cell(1, document::ColY), 55.0);
        QVERIFY(f.s().layout.modifie);
    }

    void creationRefusals_data() {
        QTest::addColumn<bool>("open");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("title");
        QTest::newRow("no layout open") << false << "50"
                                        << "Kestrion";
        QTest::newRow("empty dimension box") << true << ""
                                             << "Attention :";
        QTest::newRow("dimension beyond 16 bits") << true << "99999"
                                                  << "Attention :";
    }
    void creationRefusals() {
        QFETCH(bool, open);
        QFETCH(QString, width);
        QFETCH(QString, title);
        EditorFixture f;
        if (open)
            f.openNew();
        f.ed->Text1_Change(0, width);
        f.ed->Command1_Click(2);
        QCOMPARE(f.table().nb_objets(), 0);
        QVERIFY(!f.s().layout.modifie);
        QVERIFY(f.dialogs.lastMessage());
        QCOMPARE(f.dialogs.lastMessage()->title, title);
    }

    void textTakesItsMeasuredSizeAndIsLocked() {
        EditorFixture f;
        f.openNew();
        f.ed->Check1_Click(false);
        f.dialogs.inputAnswers.push_back(QStringLiteral("Évier"));
        f.ed->Command1_Click(3);
        QCOMPARE(f.dialogs.asked.back().text, QStringLiteral("Texte à insérer :"));
        const QSize extent = f.s().picture1.TailleTexte(QStringLiteral("Évier"));
        QCOMPARE(int(f.cell(1, document::ColWidth)), editor::textSizeCm(extent.width(), 2.0));
        QCOMPARE(int(f.cell(1, document::ColHeight)), editor::textSizeCm(extent.height(), 2.0));
        QCOMPARE(f.cell(1, document::ColLock), 1.0);
        QCOMPARE(f.table().cell(1, document::ColExtra).toString(), QStringLiteral("Évier"));
        QCOMPARE(f.s().controls.text1[0], QString::number(int(f.cell(1, document::ColWidth))));
    }

    void emptyTextStillPutsBackAndResetsTexture() {
        EditorFixture f;
        f.openNew();
        f.add(1, 10, 10, 20, 20);
        f.click(25, 25);
        QVERIFY(f.s().hasSelection());
        f.ed->Combo1_Click(1);
        f.s().layout.modifie = false;
        f.ed->Command1_Click(3); // the input box answers ""
        QVERIFY(!f.s().hasSelection());
        QCOMPARE(f.table().nb_objets(), 1);
        QCOMPARE(f.s().controls.combo1Index, 0);
        QCOMPARE(f.s().remplissage_courant, Cell::integer(0));
        QVERIFY(!f.s().layout.modifie);
    }

    void texturesGoOnlyToRectangles() {
        EditorFixture f;
        f.openNew();
        f.ed->Combo1_Click(1);
        f.ed->Command1_Click(1);
        QCOMPARE(f.table().cell(1, document::ColFill), Cell::text(EditorFixture::kTexture));
        QCOMPARE(f.s().controls.combo1Index, 1);
        f.ed->Command1_Click(2);
        QCOMPARE(f.table().cell(2, document::ColFill), Cell::integer(0));
        QCOMPARE(f.s().controls.combo1Index, 0);
        QCOMPARE(f.s().controls.couleur.Point(30, 30), platform::kBlack);
    }

    void copyOfLockedRectangleIsUnlocked() {
        EditorFixture f;
        f.openNew();
        f.add(1, 100, 100, 60, 120, Cell::integer(5), 1);
        f.click(110, 110);
        QVERIFY(f.s().controls.check1);
        f.ed->Command1_Click(1);
        QCOMPARE(f.table().nb_objets(), 2);
        QCOMPARE(f.cell(1, document::ColLock), 1.0); // the original is back, still locked
        QCOMPARE(f.cell(2, document::ColWidth), 120.0);
        QCOMPARE(f.cell(2, document::ColHeight), 60.0);
        QCOMPARE(f.table().cell(2, document::ColFill).toInt(), 5);
        QCOMPARE(f.cell(2, document::ColLock), 0.0);
    }

    void limitCountsTheSelection() {
        EditorFixture f;
        f.openNew();
        for (int i = 0; i < 999; ++i)
            f.add(1, 600, 400, 5, 5);
        f.add(1, 10, 10, 5, 5);
        f.click(12, 12); // row 1000 lifted out: 999 in the table
        QVERIFY(f.s().hasSelection());
        QCOMPARE(f.table().nb_objets(), 999);
        f.ed->Command1_Click(1);
        QCOMPARE(f.dialogs.lastMessage()->text,
                 QStringLiteral("Désolé, vous avez atteind la limite du nombre d'objet (1000)"));
        QCOMPARE(f.dialogs.lastMessage()->title, QStringLiteral("Erreur"));
        QVERIFY(f.s().hasSelection());
        QCOMPARE(f.table().nb_objets(), 999);
    }

    void accessoryTakesItsNamedSize() {
        EditorFixture f;
        f.openNew();
        f.s().accessoire_fichier = EditorFixture::kAccessory;
        f.ed->Command1_Click(9);
        QCOMPARE(f.cell(1, document::ColWidth), 60.0);
        QCOMPARE(f.cell(1, document::ColHeight), 40.0);
        QCOMPARE(f.cell(1, document::ColLock), 1.0);
        QCOMPARE(f.s().controls.text1[0], QStringLiteral("50")); // boxes untouched
    }

    // --- Selection ----------------------------------------------------------------------

    void putBackOrder_data() {
        QTest::addColumn<bool>("clicpreplan");
        QTest::addColumn<int>("endRow");
        QTest::newRow("old row kept") << false << 2;
        QTest::newRow("clicpreplan brings it to the front") << true << 4;
    }
    void putBackOrder() {
        QFETCH(bool, clicpreplan);
        QFETCH(int, endRow);
        EditorFixture f;
        f.openNew();
        f.s().prefs.clicpreplan = clicpreplan;
        for (int i = 0; i < 4; ++i)
            f.add(1, float(i * 40), 0, 10, 10);
        f.click(45, 5);
        QCOMPARE(f.s().sel_rang, std::int16_t(2));
        QCOMPARE(f.s().controls.editEnabled, true);
        f.click(390, 290);
        QVERIFY(!f.s().hasSelection());
        QCOMPARE(f.table().nb_objets(), 4);
        QCOMPARE(f.cell(endRow, document::ColX), 40.0);
        QVERIFY(!f.s().layout.modifie);
        QCOMPARE(f.s().surfaces.label3, QStringLiteral("-----"));
    }

    void measureBoxAndItsRoundedHeight() {
        EditorFixture f;
        f.openNew();
        f.add(0, 10, 10, 50, 200, Cell::integer(0));
        f.click(20, 45); // 35 px below the top: outside the 17-pixel band
        QVERIFY(!f.s().hasSelection());
        f.click(20, 20);
        QVERIFY(f.s().hasSelection());
        QCOMPARE(f.s().picture2.width, 400.f);
        QCOMPARE(f.s().picture2.height, 17.f);
        f.click(390, 290);
        QCOMPARE(f.cell(1, document::ColHeight), 8.0); // 8.5 goes to the even 8
        QCOMPARE(f.cell(1, document::ColWidth), 200.0);
    }

    void draggingStopsWithTenPixelsVisible() {
        EditorFixture f;
        f.openNew();
        f.add(1, 50, 50, 20, 20); // 40 x 40 px box
        f.click(60, 60);
        f.ed->Picture2_MouseDown(editor::LeftButton, 0, 5, 5);
        f.ed->Picture2_MouseMove(editor::LeftButton, 0, -500, 5);
        f.ed->Picture2_MouseUp(editor::LeftButton, 0, -500, 5);
        QCOMPARE(f.s().picture2.left, -30.f);
        QCOMPARE(f.s().handles.topLeft[0], QPoint(-35, 45));
        f.ed->Picture2_KeyDown(editor::KeyLeft, 0);
        QCOMPARE(f.s().picture2.left, -30.f);
        f.ed->Picture2_KeyDown(editor::KeyRight, 0);
        QCOMPARE(f.s().picture2.left, -29.f);
        QVERIFY(f.s().layout.modifie);
    }

    void handleResizeShowsNewSize() {
        EditorFixture f;
        f.openNew();
        f.add(1, 10, 10, 20, 30); // 60 x 40 px
        f.click(20, 20);
        f.ed->picCoin_MouseDown(4, editor::LeftButton, 0, 2, 2);
        f.ed->picCoin_MouseMove(4, editor::LeftButton, 0, 9, 5);
        f.ed->picCoin_MouseUp(4, editor::LeftButton, 0, 9, 5);
        QCOMPARE(f.s().picture2.width, 67.f);
        QCOMPARE(f.s().picture2.height, 43.f);
        QCOMPARE(f.s().controls.text1[0], QStringLiteral("34")); // 33.5 -> 34
        QCOMPARE(f.s().controls.text1[1], QStringLiteral("22")); // 21.5 -> 22
        QVERIFY(f.s().layout.modifie);
        QCOMPARE(f.s().surfaces.label3, QStringLiteral("0,07"));
    }

    void lockedObjectDoesNotResize() {
        EditorFixture f;
        f.openNew();
        f.add(1, 10, 10, 20, 30, Cell::integer(2), 1);
        f.click(20, 20);
        QVERIFY(f.s().handles.locked);
        f.ed->picCoin_MouseDown(4, editor::LeftButton, 0, 2, 2);
        f.ed->picCoin_MouseMove(4, editor::LeftButton, 0, 9, 5);
        QCOMPARE(f.s().picture2.width, 60.f);
        QCOMPARE(f.s().statusText, QStringLiteral("Cet objet n'est pas redimensionnable"));
        QVERIFY(!f.s().layout.modifie);
    }

    void spaceAndEnterPutBackAndFocusThePlan_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("space") << int(editor::KeySpace);
        QTest::newRow("enter") << int(editor::KeyEnter);
    }
    void spaceAndEnterPutBackAndFocusThePlan() {
        QFETCH(int, key);
        EditorFixture f;
        f.openNew();
        f.add(1, 10, 10, 20, 30);
        f.click(20, 20);
        f.ed->Picture2_KeyDown(key, 0);
        QVERIFY(!f.s().hasSelection());
        QCOMPARE(f.table().nb_objets(), 1);
        QCOMPARE(f.s().focus, editor::FocusRequest::Plan);
    }

    void deleteLeavesTheTableAsItWas_data() {
        QTest::addColumn<int>("how"); // 0 menu, 1 Delete key, 2 Backspace
        QTest::newRow("menu") << 0;
        QTest::newRow("Delete key") << 1;
        QTest::newRow("Backspace") << 2;
    }
    void deleteLeavesTheTableAsItWas() {
        QFETCH(int, how);
        EditorFixture f;
        f.openNew();
        for (int i = 0; i < 5; ++i)
            f.add(1, float(i * 40), 0, 10, 10, Cell::integer(std::int16_t(i)));
        f.click(85, 5);
        const document::ObjectTable whileSelected = f.table();
        if (how == 0)
            f.ed->mnusuppr_Click();
        else if (how == 1)
            f.ed->Picture1_KeyDown(editor::KeyDelete, 0);
        else
            f.ed->Picture2_KeyPress(editor::KeyBack);
        QVERIFY(!f.s().hasSelection());
        QVERIFY(f.table() == whileSelected);
        QCOMPARE(f.table().nb_objets(), 4);
        QVERIFY(f.s().layout.modifie);
        QVERIFY(!f.s().controls.editEnabled);
    }

    // --- Properties ---------------------------------------------------------------------

    void stacking_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("endRow");
        QTest::newRow("sent back from row 4 of 5") << 1 << 1;
        QTest::newRow("brought to front from row 4 of 5") << 0 << 5;
    }
    void stacking() {
        QFETCH(int, index);
        QFETCH(int, endRow);
        EditorFixture f;
        f.openNew();
        for (int i = 0; i < 5; ++i)
            f.add(1, float(i * 40), 0, 10, 10);
        f.click(125, 5);
        f.ed->Command4_Click(index);
        QVERIFY(!f.s().hasSelection());
        QCOMPARE(f.cell(endRow, document::ColX), 120.0);
        QList<double> others;
        for (int r = 1; r <= 5; ++r)
            if (r != endRow)
                others << f.cell(r, document::ColX);
        QCOMPARE(others, (QList<double>{0, 40, 80, 160}));
        QVERIFY(f.s().layout.modifie);
    }

    void turning_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("extra");
        QTest::addColumn<QList<int>>("turns");
        QTest::addColumn<int>("endExtra");
        QTest::addColumn<QString>("endWidth");
        QTest::newRow("rectangle right") << 1 << 0 << QList<int>{0} << 0 << "60";
        QTest::newRow("rectangle right then left") << 1 << 0 << QList<int>{0, 1} << 0 << "120";
        QTest::newRow("triangle 0 right gives 3") << 5 << 0 << QList<int>{0} << 3 << "60";
        QTest::newRow("triangle 3 left gives 0") << 5 << 3 << QList<int>{1} << 0 << "60";
        QTest::newRow("line twice gives its first diagonal")
            << 4 << 0 << QList<int>{0, 0} << 0 << "120";
        QTest::newRow("line once") << 4 << 0 << QList<int>{1} << 1 << "60";
    }
    void turning() {
        QFETCH(int, kind);
        QFETCH(int, extra);
        QFETCH(QList<int>, turns);
        QFETCH(int, endExtra);
        QFETCH(QString, endWidth);
        EditorFixture f;
        f.openNew();
        f.add(kind, 10, 10, 60, 120, Cell::integer(2), 0, Cell::integer(std::int16_t(extra)));
        f.click(20, 20);
        for (const int t : turns)
            f.ed->Command5_Click(t);
        QCOMPARE(f.s().sel_valeur.toInt(), endExtra);
        QCOMPARE(f.s().controls.text1[0], endWidth);
        QCOMPARE(f.s().picture2.width, endWidth.toFloat() * 2);
        QCOMPARE(f.s().picture2.left, 10.f);
        f.click(390, 290);
        QCOMPARE(f.table().cell(1, document::ColWidth).toString(), endWidth);
    }

    void textNeverTurns() {
        EditorFixture f;
        f.openNew();
        f.add(3, 10, 10, 10, 40, Cell::integer(0), 1, Cell::text(QStringLiteral("Lit")));
        f.click(20, 15);
        QVERIFY(f.s().hasSelection());
        QVERIFY(!f.s().controls.turnEnabled);
        QVERIFY(!f.s().controls.frame2Enabled);
        f.ed->Command5_Click(0);
        QCOMPARE(f.s().controls.text1[0], QStringLiteral("40"));
        QVERIFY(!f.s().layout.modifie);
    }

    void enterAppliesTypedSize() {
        EditorFixture f;
        f.openNew();
        f.add(1, 10, 10, 20, 30);
        f.s().view.view.zoom = 0.5f;
        f.click(6, 6);
        QVERIFY(f.s().hasSelection());
        f.ed->Text1_Change(0, QStringLiteral("80"));
        f.ed->Text1_KeyDown(0, editor::KeyEnter);
        QCOMPARE(f.s().picture2.width, 80.f);
        f.ed->Text1_Change(1, QString());
        f.ed->Text1_KeyDown(1, editor::KeyEnter); // refused, box unchanged
        QCOMPARE(f.dialogs.lastMessage()->title, QStringLiteral("Attention :"));
        QCOMPARE(f.s().picture2.width, 80.f);
        f.ed->Text1_Change(1, QStringLiteral("20"));
        f.click(390, 290);
        QCOMPARE(f.cell(1, document::ColWidth), 80.0);
    }

    void fillChoicesOnASelection() {
        EditorFixture f;
        f.openNew();
        f.add(1, 10, 10, 20, 30, Cell::integer(2));
        f.click(20, 20);
        f.ed->Combo1_Click(1);
        QCOMPARE(f.s().sel_remplissage, Cell::text(EditorFixture::kTexture));
        QCOMPARE(f.s().controls.couleur.Point(0, 0), platform::rgb(150, 90, 30));
        QCOMPARE(f.s().picture2.surface.Point(5, 5), platform::rgb(150, 90, 30));
        QVERIFY(f.s().layout.modifie);
        f.ed->Combo1_Click(0);
        QCOMPARE(f.s().sel_remplissage, Cell::integer(0));
        f.ed->Combo1_Click(1);
        f.ed->Choix_couleur_Click(6);
        QCOMPARE(f.s().sel_remplissage, Cell::integer(6));
        QCOMPARE(f.s().controls.combo1Index, 0);
        QVERIFY(!f.s().ignorer_evenements);
    }

    void selectingATexturedRectangleShowsItsTexture() {
        EditorFixture f;
        f.openNew();
        f.add(1, 10, 10, 20, 30, Cell::text(EditorFixture::kTexture));
        f.click(20, 20);
        QCOMPARE(f.s().controls.combo1Index, 1);
        QCOMPARE(f.s().remplissage_courant, Cell::text(EditorFixture::kTexture));
        QVERIFY(f.s().controls.combo1Enabled);
    }

    // --- View -------------------------------------------------------------------------

    void zoomBoxClamps_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<float>("zoom");
        QTest::newRow("2000 shows 1600") << "2000"
                                         << "1600" << 16.f;
        QTest::newRow("5 stays typed, zooms 10 %") << "5"
                                                   << "5" << 0.1f;
        QTest::newRow("empty changes nothing") << ""
                                               << "" << 1.f;
        QTest::newRow("pasted words change nothing") << "abc"
                                                     << "abc" << 1.f;
        QTest::newRow("200") << "200"
                             << "200" << 2.f;
    }
    void zoomBoxClamps() {
        QFETCH(QString, typed);
        QFETCH(QString, shown);
        QFETCH(float, zoom);
        EditorFixture f;
        f.openNew();
        f.ed->Text2_Change(typed);
        QCOMPARE(f.s().view.text2, shown);
        QCOMPARE(f.s().view.view.zoom, zoom);
        QVERIFY(f.s().view.view.origine_x >= 0);
    }

    void zoomKeepsTheCentre() {
        EditorFixture f;
        f.openNew(); // 1000 x 500 picture on a 400 x 300 canvas
        f.ed->HScroll1_Change(50);
        const float before = f.s().view.view.origine_x + 200 / 1.0f;
        f.ed->Text2_Change(QStringLiteral("200"));
        const render::View& v = f.s().view.view;
        const float after = v.origine_x + 200 / v.zoom;
        // The bar rounds the origin to whole percent of the scroll range (16 px here).
        QVERIFY2(std::abs(after - before) <= 8, qPrintable(QString::number(after)));
        QCOMPARE(f.s().view.hscroll, editor::barPercent(v.origine_x, 2, 1000, 400));
    }

    void narrowPictureStaysAtOrigin() {
        EditorFixture f;
        f.openNew();
        f.ed->Text2_Change(QStringLiteral("25")); // 250 x 125 on 400 x 300
        QCOMPARE(f.s().view.view.origine_x, 0.f);
        QCOMPARE(f.s().view.hscroll, 0);
    }

    void barAtHundredShowsTheRightEdge() {
        EditorFixture f;
        f.openNew();
        f.ed->HScroll1_Change(100);
        QCOMPARE(f.s().view.view.origine_x, 600.f);
        // The picture's last column sits at the canvas's last column.
        QCOMPARE(f.s().picture1.Point(399, 10), platform::rgb(200, 200, 255));
    }

    void scrollWithAncrerPutsTheSelectionBack_data() {
        QTest::addColumn<bool>("ancrer");
        QTest::addColumn<double>("storedX");
        QTest::newRow("anchored: put back where it was") << true << 10.0;
        QTest::newRow("not anchored: stays on screen, lands further") << false << 110.0;
    }
    void scrollWithAncrerPutsTheSelectionBack() {
        QFETCH(bool, ancrer);
        QFETCH(double, storedX);
        EditorFixture f;
        f.openNew();
        f.s().prefs.ancrer = ancrer;
        f.add(1, 10, 10, 20, 30);
        f.click(20, 20);
        f.ed->HScroll1_Change(17); // origin 102 on the 600-pixel scroll range
        const float origin = f.s().view.view.origine_x;
        f.click(390, 290);
        QCOMPARE(f.cell(1, document::ColX), ancrer ? storedX : 10.0 + double(origin));
    }

    // --- Surface count ------------------------------------------------------------------

    void surfaceCountAddsAndDeletes() {
        EditorFixture f;
        f.openNew();
        f.s().view.view.zoom = 0.5f;
        f.add(1, 10, 10, 150, 200);
        f.click(20, 20);
        QCOMPARE(f.s().surfaces.label3, QStringLiteral("3"));
        QVERIFY(f.s().surfaces.addEnabled);
        f.ed->Command6_Click(0);
        f.ed->Command6_Click(0);
        QCOMPARE(f.s().surfaces.label5, QStringLiteral("6"));
        f.click(390, 290);
        f.add(2, 600, 10, 100, 100);
        f.click(310, 20);
        f.ed->Command6_Click(0);
        QCOMPARE(f.s().surfaces.lines, (QStringList{"3", "3", "0,79"}));
        QCOMPARE(f.s().surfaces.label5, QStringLiteral("6,79"));

        f.ed->List2_Click({true, false, true});
        QVERIFY(f.s().surfaces.deleteEnabled);
        f.ed->Command6_Click(1);
        QCOMPARE(f.s().surfaces.lines, QStringList{"3"});
        QCOMPARE(f.s().surfaces.label5, QStringLiteral("3"));
        QVERIFY(!f.s().surfaces.deleteEnabled);

        f.openNew(); // the list survives another layout
        QCOMPARE(f.s().surfaces.lines, QStringList{"3"});
        QCOMPARE(f.s().surfaces.label5, QStringLiteral("3"));
    }

    void surfacePanelVisibilityIsKept_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<bool>("shown");
        QTest::newRow("hidden") << "0" << false;
        QTest::newRow("shown") << "1" << true;
    }
    void surfacePanelVisibilityIsKept() {
        QFETCH(QString, stored);
        QFETCH(bool, shown);
        EditorFixture f;
        f.ed->applyModsurf(stored);
        QCOMPARE(f.s().surfaces.visible, shown);
        const QString key = QStringLiteral("HKLM\\Software\\Kestrion\\modsurf");
        QCOMPARE(f.store.values.value(key), stored);
        f.ed->mnusurf_Click();
        QCOMPARE(f.s().surfaces.visible, !shown);
        QCOMPARE(f.store.values.value(key), shown ? QStringLiteral("0") : QStringLiteral("1"));
    }
};

QTEST_MAIN(TestEditor)
#include "tst_editor.moc"
