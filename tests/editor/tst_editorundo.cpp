// Guards undo and redo as the editor's commands drive them: every kind of edit comes back
// exactly, whole table and selection; drags and arrow runs are one step; the modified flag
// follows the saved point; new and open forget the history.
#include "EditorFixture.h"

#include <QFile>
#include <QtTest>

using document::Fill;
using document::ObjectKind;
using document::PlanObjects;

namespace {

enum class Edit {
    CreateRectangle,
    CreateText,
    CreateAccessory,
    DeleteByMenu,
    DeleteByKey,
    Drag,
    ArrowRun,
    ResizeByHandle,
    ResizeByBoxes,
    Colour,
    Texture,
    Lock,
    TurnTriangle,
    BringToFront,
    SendToBack,
    PutBackInFront,
};

// The five objects of fiveObjects, as they are stored.
PlanObjects fiveStored() {
    using testkit::planObject;
    return {planObject(ObjectKind::Rectangle, 0, 0, 10, 10, Fill::colour(1)),
            planObject(ObjectKind::Ellipse, 40, 0, 10, 10, Fill::colour(2)),
            planObject(ObjectKind::Triangle, 80, 0, 10, 10, Fill::colour(3)),
            planObject(ObjectKind::Text, 120, 0, 10, 10, Fill::colour(4), true),
            planObject(ObjectKind::Rectangle, 160, 0, 10, 10, Fill::file(EditorFixture::kTexture))};
}

// The layout the window shows, read from the table and the selection rather than from the
// history, against the expected table: the selection holds the object of its row, the
// table every other row in order.
void checkShown(EditorFixture& f, const PlanObjects& expected) {
    if (!f.s().hasSelection()) {
        QCOMPARE(PlanObjects(f.table().begin(), f.table().end()), expected);
        return;
    }
    const int row = f.s().selection.row;
    QVERIFY(row >= 1);
    QVERIFY(std::size_t(row) <= expected.size());
    QCOMPARE(f.s().selection.stored, expected[std::size_t(row - 1)]);
    PlanObjects others = expected;
    others.erase(others.begin() + (row - 1));
    QCOMPARE(PlanObjects(f.table().begin(), f.table().end()), others);
}

// Five objects 40 picture pixels (20 cm) apart; the triangle at x = 80 is selected.
void fiveObjects(EditorFixture& f) {
    f.openNew();
    f.add(1, 0, 0, 10, 10, Fill::colour(1));
    f.add(2, 40, 0, 10, 10, Fill::colour(2));
    f.add(5, 80, 0, 10, 10, Fill::colour(3));
    f.add(3, 120, 0, 10, 10, Fill::colour(4), true);
    f.add(1, 160, 0, 10, 10, Fill::file(EditorFixture::kTexture));
    f.click(85, 5);
}

void perform(EditorFixture& f, Edit edit) {
    editor::Editor& e = *f.ed;
    switch (edit) {
    case Edit::CreateRectangle:
        e.createObject(ObjectKind::Rectangle);
        break;
    case Edit::CreateText:
        f.dialogs.inputAnswers.push_back(QStringLiteral("Évier"));
        e.createObject(ObjectKind::Text);
        break;
    case Edit::CreateAccessory:
        e.setAccessoryFile(EditorFixture::kAccessory); // chosen in the open browser
        e.createObject(ObjectKind::Accessory);
        break;
    case Edit::DeleteByMenu:
        e.deleteSelection();
        break;
    case Edit::DeleteByKey:
        e.keyPressed(Qt::Key_Delete);
        break;
    case Edit::Drag:
        e.boxPressed(QPointF(5, 5), Qt::LeftButton);
        for (int x : {8, 12, 20})
            e.boxMoved(QPointF(x, 9), Qt::LeftButton);
        e.boxReleased();
        break;
    case Edit::ArrowRun:
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Right})
            e.keyPressed(key);
        break;
    case Edit::ResizeByHandle:
        e.handlePressed(QPointF(2, 2));
        e.handleMoved(editor::Handle::BottomRight, QPointF(6, 4), Qt::LeftButton);
        e.handleMoved(editor::Handle::BottomRight, QPointF(12, 9), Qt::LeftButton);
        e.handleReleased();
        break;
    case Edit::ResizeByBoxes:
        e.dimensionTextChanged(editor::Dimension::Width, QStringLiteral("35"));
        e.dimensionsConfirmed();
        break;
    case Edit::Colour:
        e.paletteColourChosen(6);
        break;
    case Edit::Texture:
        e.textureIndexChosen(0); // a triangle takes no texture: put it on the first rectangle
        break;
    case Edit::Lock:
        e.sizeLockToggled(true);
        break;
    case Edit::TurnTriangle:
        e.turn(editor::Turn::Left);
        break;
    case Edit::BringToFront:
        e.bringToFront();
        break;
    case Edit::SendToBack:
        e.sendToBack();
        break;
    case Edit::PutBackInFront:
        f.s().prefs.clickBringsToFront = true;
        f.click(390, 290);
        break;
    }
}

} // namespace

Q_DECLARE_METATYPE(Edit)

class TestEditorUndo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void eachEditComesBackExactly_data() {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<bool>("onRectangle"); // the first rectangle selected instead
        QTest::addColumn<QString>("undoText");
        QTest::newRow("rectangle created") << Edit::CreateRectangle << false << "la création";
        QTest::newRow("text created") << Edit::CreateText << false << "la création";
        QTest::newRow("accessory inserted") << Edit::CreateAccessory << false << "la création";
        QTest::newRow("deleted by the menu") << Edit::DeleteByMenu << false << "la suppression";
        QTest::newRow("deleted by the key") << Edit::DeleteByKey << false << "la suppression";
        QTest::newRow("dragged") << Edit::Drag << false << "le déplacement";
        QTest::newRow("moved by arrows") << Edit::ArrowRun << false << "le déplacement";
        QTest::newRow("resized by a handle")
            << Edit::ResizeByHandle << false << "le redimensionnement";
        QTest::newRow("resized by the boxes")
            << Edit::ResizeByBoxes << false << "le redimensionnement";
        QTest::newRow("coloured") << Edit::Colour << false << "le remplissage";
        QTest::newRow("textured") << Edit::Texture << true << "le remplissage";
        QTest::newRow("locked") << Edit::Lock << false << "le verrouillage des dimensions";
        QTest::newRow("turned") << Edit::TurnTriangle << false << "la rotation";
        QTest::newRow("brought to front")
            << Edit::BringToFront << false << "la mise au premier plan";
        QTest::newRow("sent to back") << Edit::SendToBack << false << "l'envoi à l'arrière-plan";
        QTest::newRow("put back in front on a click")
            << Edit::PutBackInFront << false << "la mise en place";
    }
    void eachEditComesBackExactly() {
        QFETCH(Edit, edit);
        QFETCH(bool, onRectangle);
        QFETCH(QString, undoText);
        EditorFixture f;
        fiveObjects(f);
        if (onRectangle) {
            f.click(390, 290);
            f.click(5, 5);
        }
        const int selectedRow = f.s().selection.row;
        const PlanObjects before = fiveStored();
        checkShown(f, before);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!f.ed->undoEntries().canUndo); // selecting is not an edit
        f.ed->addSurface();                    // the surface list is not part of the layout
        perform(f, edit);
        const PlanObjects after = f.ed->history().objects();
        QVERIFY(after != before);
        QCOMPARE(f.ed->history().stepCount(), std::size_t(1));
        QCOMPARE(f.ed->undoEntries().undoText, QStringLiteral("A&nnuler ") + undoText);

        f.ed->undo();
        QVERIFY(f.s().hasSelection());
        QCOMPARE(f.s().selection.row, selectedRow);
        checkShown(f, before);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!f.s().layout.modified);
        QCOMPARE(f.ed->undoEntries().redoText, QStringLiteral("&Rétablir ") + undoText);

        f.ed->redo();
        checkShown(f, after);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(f.s().layout.modified);
        QVERIFY(!f.ed->undoEntries().canRedo);
        QCOMPARE(f.s().surfaces.lines.size(), 1);
    }

    // Edits of all kinds, undone to the start, save the file that was opened byte for byte.
    void undoneToTheStartSavesTheOpenedFile() {
        EditorFixture f;
        fiveObjects(f);
        const QString opened = f.folder.path() + QStringLiteral("/opened.kla");
        f.dialogs.saveAnswers.push_back({opened, 1});
        QVERIFY(f.ed->saveLayout());
        QVERIFY(f.ed->openLayoutFile(opened));
        QFile original(opened);
        QVERIFY(original.open(QIODevice::ReadOnly));
        const QByteArray bytes = original.readAll();
        f.click(85, 5);

        for (const Edit edit : {Edit::Drag, Edit::Colour, Edit::CreateRectangle, Edit::ArrowRun,
                                Edit::Lock, Edit::ResizeByBoxes, Edit::SendToBack}) {
            if (!f.s().hasSelection())
                f.click(30, 30); // the rectangle just created, in front
            perform(f, edit);
        }
        f.click(390, 290);
        QVERIFY(f.ed->history().stepCount() >= 6);
        while (f.ed->undoEntries().canUndo)
            f.ed->undo();
        QVERIFY(!f.s().layout.modified);

        const QString saved = f.folder.path() + QStringLiteral("/saved.kla");
        f.dialogs.saveAnswers.push_back({saved, 1});
        QVERIFY(f.ed->saveLayout());
        QFile file(saved);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), bytes);
    }

    // The modified flag is the distance to the saved point, which a save moves.
    void modifiedFollowsTheSavedPoint() {
        EditorFixture f;
        fiveObjects(f);
        perform(f, Edit::Colour);
        QVERIFY(f.s().layout.modified);
        f.dialogs.saveAnswers.push_back({f.folder.path() + QStringLiteral("/plan.kla"), 1});
        QVERIFY(f.ed->saveLayout());
        QVERIFY(!f.s().layout.modified);
        QVERIFY(f.ed->undoEntries().canUndo); // saving keeps the history
        f.ed->undo();
        QVERIFY(f.s().layout.modified);
        f.ed->redo();
        QVERIFY(!f.s().layout.modified);
        perform(f, Edit::TurnTriangle);
        QVERIFY(f.s().layout.modified);
    }

    void newAndOpenForgetTheHistory() {
        EditorFixture f;
        fiveObjects(f);
        perform(f, Edit::Drag);
        const QString path = f.folder.path() + QStringLiteral("/plan.kla");
        f.dialogs.saveAnswers.push_back({path, 1});
        QVERIFY(f.ed->saveLayout());
        QVERIFY(f.ed->openLayoutFile(path));
        QVERIFY(!f.ed->undoEntries().canUndo);
        f.click(f.object(3).position.x + 5, f.object(3).position.y + 5); // the triangle
        perform(f, Edit::Colour);
        QVERIFY(f.ed->undoEntries().canUndo);
        f.dialogs.messageAnswers.push_back(platform::MsgResult::No); // do not save
        f.openNew();
        QVERIFY(!f.ed->undoEntries().canUndo);
        QVERIFY(!f.ed->undoEntries().canRedo);
    }

    // A drag, and a run of arrows on one selection, are one step each; a run ends when the
    // object is put back.
    void dragsAndArrowRunsAreOneStepEach() {
        EditorFixture f;
        fiveObjects(f);
        perform(f, Edit::Drag);
        perform(f, Edit::Drag);
        perform(f, Edit::ArrowRun);
        QCOMPARE(f.ed->history().stepCount(), std::size_t(3));
        f.click(390, 290);
        const document::PlanPoint moved = f.object(3).position;
        f.click(moved.x + 5, moved.y + 5);
        perform(f, Edit::ArrowRun);
        QCOMPARE(f.ed->history().stepCount(), std::size_t(4));
        f.ed->undo();
        QCOMPARE(QPointF(f.s().selection.box.left, f.s().selection.box.top),
                 QPointF(moved.x, moved.y));
    }

    // At the object limit, redoing a creation gives back the same 1000 objects.
    void redoAtTheLimit() {
        EditorFixture f;
        f.openNew();
        for (int i = 0; i < document::kMaxObjects - 1; ++i)
            f.table().append(testkit::planObject(ObjectKind::Rectangle, float(i % 50), 0, 5, 5,
                                                 Fill::colour(1)));
        f.ed->restartHistory();
        f.ed->createObject(ObjectKind::Ellipse);
        QCOMPARE(f.table().count(), document::kMaxObjects);
        f.ed->createObject(ObjectKind::Ellipse); // refused: the limit
        QCOMPARE(f.ed->history().stepCount(), std::size_t(1));
        f.ed->undo();
        QCOMPARE(f.table().count(), document::kMaxObjects - 1);
        f.ed->redo();
        QCOMPARE(f.table().count(), document::kMaxObjects);
        QCOMPARE(f.table().row(document::kMaxObjects).kind, ObjectKind::Ellipse);
    }
};

QTEST_MAIN(TestEditorUndo)
#include "tst_editorundo.moc"
