// Guards undo and redo as the editor's commands drive them: every kind of edit comes back
// exactly, whole table and selection; undone to the start a layout saves as it was opened;
// drags and arrow runs are one step; whether the layout is modified follows the saved
// point; loads share the objects' history; new and open forget the history.
#include "EditorFixture.h"

#include "editor/Geometry.h"
#include "testkit/LayoutText.h"

#include <QFile>
#include <QtTest>

using document::Fill;
using document::ObjectKind;
using document::PlanObjects;

namespace {

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
    if (!f.ed->hasSelection()) {
        QCOMPARE(PlanObjects(f.table().begin(), f.table().end()), expected);
        return;
    }
    const int row = f.ed->selection().row;
    QVERIFY(row >= 1);
    QVERIFY(std::size_t(row) <= expected.size());
    QCOMPARE(f.ed->selection().stored, expected[std::size_t(row - 1)]);
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

// The edits, each on the object under test (selected first when it is not).
enum class Step {
    Arrows,
    Drag,
    Handle,
    Boxes,
    Colour,
    Texture,
    Lock,
    Turn,
    Front,
    Back,
    PutBack,
    PutBackInFront,
    Scroll,
    Delete,
    DeleteByMenu,
    Create,
    CreateText,
    CreateAccessory
};

struct Sequence {
    const char* name;
    QList<Step> steps;
};

const Sequence kSequences[] = {
    {"moves", {Step::Arrows, Step::Drag, Step::PutBack, Step::Arrows, Step::Scroll, Step::PutBack}},
    {"shape and fill",
     {Step::Handle, Step::Boxes, Step::Turn, Step::Colour, Step::Lock, Step::PutBack}},
    {"stacking",
     {Step::Front, Step::Scroll, Step::Back, Step::PutBack, Step::Delete, Step::Create}},
};

// Every preference on, or every one off.
settings::Preferences allPreferences(bool on) {
    settings::Preferences p;
    p.bodyLinesInFront = on;
    p.clickBringsToFront = on;
    p.anchorOnScroll = on;
    p.whiteTextBackground = on;
    p.automaticZone = !on;
    return p;
}

// The eight lines of the object under test: 20 x 10 cm at a fractional place near the
// plan's top-left corner, so that it is on the canvas at every zoom.
QStringList objectUnderTest(ObjectKind kind) {
    const QString k = QString::number(int(kind));
    switch (kind) {
    case ObjectKind::Text:
        return {k, "1.3", "1.7", "10", "20", "1", "1", "Évier"};
    case ObjectKind::Accessory:
        return {k, "1.3", "1.7", "10", "20", EditorFixture::kAccessory, "1", "1"};
    case ObjectKind::Triangle:
        return {k, "1.3", "1.7", "10", "20", "4", "0", "2"};
    case ObjectKind::Line:
        return {k, "1.3", "1.7", "10", "20", "2", "0", "1"};
    default:
        return {k, "1.3", "1.7", "10", "20", "3", "0", "0"};
    }
}

void selectObjectUnderTest(EditorFixture& f, ObjectKind kind) {
    if (f.ed->hasSelection())
        return;
    for (int r = f.table().count(); r >= 1; --r) {
        const document::PlanObject& o = f.object(r);
        if (o.kind != kind || o.position.x > 500)
            continue;
        const editor::PlanBox hit =
            editor::hitBox(o, f.ed->view().view, f.ed->layout().pixelsPerCm);
        f.click(hit.left + std::min(1.f, hit.width / 2), hit.top + std::min(1.f, hit.height / 2));
        return;
    }
}

void performStep(EditorFixture& f, ObjectKind kind, Step step) {
    editor::Editor& e = *f.ed;
    if (step != Step::Create && step != Step::CreateText && step != Step::CreateAccessory &&
        step != Step::Scroll)
        selectObjectUnderTest(f, kind);
    switch (step) {
    case Step::Arrows:
        for (Qt::Key key : {Qt::Key_Right, Qt::Key_Down, Qt::Key_Down})
            e.keyPressed(key);
        break;
    case Step::Drag:
        e.boxPressed(QPointF(5, 5), Qt::LeftButton);
        e.boxMoved(QPointF(12, 9), Qt::LeftButton);
        e.boxMoved(QPointF(20, 9), Qt::LeftButton);
        e.boxReleased();
        break;
    case Step::Handle:
        e.handlePressed(QPointF(2, 2));
        e.handleMoved(editor::Handle::BottomRight, QPointF(12, 9), Qt::LeftButton);
        e.handleReleased();
        break;
    case Step::Boxes:
        e.dimensionTextChanged(editor::Dimension::Width, QStringLiteral("35"));
        e.dimensionsConfirmed();
        break;
    case Step::Colour:
        e.paletteColourChosen(6);
        break;
    case Step::Texture:
        e.textureIndexChosen(0);
        break;
    case Step::Lock:
        e.sizeLockToggled(!f.ed->selection().object.locked);
        break;
    case Step::Turn:
        e.turn(editor::Turn::Left);
        break;
    case Step::Front:
        e.bringToFront();
        break;
    case Step::Back:
        e.sendToBack();
        break;
    case Step::PutBack:
        e.keyPressed(Qt::Key_Space);
        break;
    case Step::PutBackInFront:
        f.changePreferences([](settings::Preferences& p) { p.clickBringsToFront = true; });
        f.click(390, 290);
        break;
    case Step::Scroll:
        e.horizontalScrolled(10);
        e.verticalScrolled(20);
        break;
    case Step::Delete:
        e.keyPressed(Qt::Key_Delete);
        break;
    case Step::DeleteByMenu:
        e.deleteSelection();
        break;
    case Step::Create:
        e.createObject(ObjectKind::Ellipse);
        break;
    case Step::CreateText:
        f.dialogs.inputAnswers.push_back(QStringLiteral("Évier"));
        e.createObject(ObjectKind::Text);
        break;
    case Step::CreateAccessory:
        e.setAccessoryFile(EditorFixture::kAccessory); // chosen in the open browser
        e.createObject(ObjectKind::Accessory);
        break;
    }
}

QByteArray saved(EditorFixture& f, const QString& name) {
    const QString path = f.folder.path() + QLatin1Char('/') + name;
    f.dialogs.saveAnswers.push_back({path, 1});
    if (!f.ed->saveLayout())
        return {};
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

Q_DECLARE_METATYPE(ObjectKind)
Q_DECLARE_METATYPE(Step)

class TestEditorUndo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void eachEditComesBackExactly_data() {
        QTest::addColumn<Step>("edit");
        QTest::addColumn<bool>("onRectangle"); // the first rectangle selected instead
        QTest::addColumn<QString>("undoText");
        QTest::newRow("ellipse created") << Step::Create << false << "la création";
        QTest::newRow("text created") << Step::CreateText << false << "la création";
        QTest::newRow("accessory inserted") << Step::CreateAccessory << false << "la création";
        QTest::newRow("deleted by the menu") << Step::DeleteByMenu << false << "la suppression";
        QTest::newRow("deleted by the key") << Step::Delete << false << "la suppression";
        QTest::newRow("dragged") << Step::Drag << false << "le déplacement";
        QTest::newRow("moved by arrows") << Step::Arrows << false << "le déplacement";
        QTest::newRow("resized by a handle") << Step::Handle << false << "le redimensionnement";
        QTest::newRow("resized by the boxes") << Step::Boxes << false << "le redimensionnement";
        QTest::newRow("coloured") << Step::Colour << false << "le remplissage";
        QTest::newRow("textured") << Step::Texture << true << "le remplissage";
        QTest::newRow("locked") << Step::Lock << false << "le verrouillage des dimensions";
        QTest::newRow("turned") << Step::Turn << false << "la rotation";
        QTest::newRow("brought to front") << Step::Front << false << "la mise au premier plan";
        QTest::newRow("sent to back") << Step::Back << false << "l'envoi à l'arrière-plan";
        QTest::newRow("put back in front on a click")
            << Step::PutBackInFront << false << "la mise en place";
    }
    void eachEditComesBackExactly() {
        QFETCH(Step, edit);
        QFETCH(bool, onRectangle);
        QFETCH(QString, undoText);
        EditorFixture f;
        fiveObjects(f);
        if (onRectangle) {
            f.click(390, 290);
            f.click(5, 5);
        }
        const int selectedRow = f.ed->selection().row;
        const PlanObjects before = fiveStored();
        checkShown(f, before);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!f.ed->undoEntries().canUndo); // selecting is not an edit
        f.ed->addSurface();                    // the surface list is not part of the layout
        performStep(f, ObjectKind::Triangle, edit);
        const PlanObjects after = f.ed->history().objects();
        QVERIFY(after != before);
        QCOMPARE(f.ed->history().stepCount(), std::size_t(1));
        QCOMPARE(f.ed->undoEntries().undoText, QStringLiteral("A&nnuler ") + undoText);

        f.ed->undo();
        QVERIFY(f.ed->hasSelection());
        QCOMPARE(f.ed->selection().row, selectedRow);
        checkShown(f, before);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!f.ed->isModified());
        QCOMPARE(f.ed->undoEntries().redoText, QStringLiteral("&Rétablir ") + undoText);

        f.ed->redo();
        checkShown(f, after);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(f.ed->isModified());
        QVERIFY(!f.ed->undoEntries().canRedo);
        QCOMPARE(f.ed->surfaces().lines.size(), 1);
    }

    // A sequence of edits on an object of each kind, at zooms from 10 to 1600 %, with every
    // preference on or off: undone to the start it saves the file that was opened byte for
    // byte, keeps its redo steps through that save, and redone it saves the edited file.
    void undoAllThenSaveGivesTheOpenedFile_data() {
        QTest::addColumn<ObjectKind>("kind");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<bool>("preferences");
        QTest::addColumn<QList<Step>>("steps");
        const std::pair<ObjectKind, const char*> kinds[] = {
            {ObjectKind::Measure, "measure"},    {ObjectKind::Rectangle, "rectangle"},
            {ObjectKind::Ellipse, "ellipse"},    {ObjectKind::Text, "text"},
            {ObjectKind::Line, "line"},          {ObjectKind::Triangle, "triangle"},
            {ObjectKind::Accessory, "accessory"}};
        for (const auto& [kind, kindName] : kinds)
            for (const int zoom : {10, 37, 100, 250, 1600})
                for (const bool preferences : {false, true})
                    for (const Sequence& sequence : kSequences)
                        QTest::addRow("%s, %s at %d %%, preferences %s", sequence.name, kindName,
                                      zoom, preferences ? "on" : "off")
                            << kind << zoom << preferences << sequence.steps;
    }
    void undoAllThenSaveGivesTheOpenedFile() {
        QFETCH(ObjectKind, kind);
        QFETCH(int, zoom);
        QFETCH(bool, preferences);
        QFETCH(QList<Step>, steps);
        EditorFixture f;
        f.ed->setPreferences(allPreferences(preferences));
        const QStringList others{
            "1", "600.5", "300.25", "20",     "30", "2",  "0",
            "0", "1",     "700",    "100.75", "20", "30", EditorFixture::kTexture,
            "0", "0"};
        const QString path = testkit::writeLayoutText(
            f.folder.path() + QStringLiteral("/plan.kla"), EditorFixture::kVehicle,
            QString::number(zoom), objectUnderTest(kind) + others);
        QVERIFY(f.ed->openLayoutFile(path));
        const QByteArray opened = saved(f, QStringLiteral("opened.kla"));
        QVERIFY(!opened.isEmpty());

        for (const Step step : steps)
            performStep(f, kind, step);
        const QByteArray edited = saved(f, QStringLiteral("edited.kla"));
        QVERIFY(edited != opened);
        // Modified is the distance to the saved point.
        QVERIFY(!f.ed->isModified());
        f.ed->undo();
        QVERIFY(f.ed->isModified());
        f.ed->redo();
        QVERIFY(!f.ed->isModified());
        const std::size_t done = f.ed->history().position();

        while (f.ed->undoEntries().canUndo)
            f.ed->undo();
        QVERIFY(f.ed->isModified()); // the file on disk is the edited one
        QCOMPARE(saved(f, QStringLiteral("undone.kla")), opened);
        QCOMPARE(f.ed->history().stepCount(), done); // saving dropped no redo step

        while (f.ed->undoEntries().canRedo)
            f.ed->redo();
        QVERIFY(f.ed->isModified()); // the file on disk is now the undone one
        QCOMPARE(saved(f, QStringLiteral("redone.kla")), edited);
        performStep(f, kind, Step::Create);
        QVERIFY(f.ed->isModified());
    }

    // The object put back unchanged, whether clicked or selected again by undo, keeps what
    // its row held: not to the front, a size read as 30.6 cm not stored again as 31, no
    // place re-rounded, no step; a measure selected by undo keeps the height it had.
    void putBackUnchangedKeepsTheRow_data() {
        QTest::addColumn<ObjectKind>("kind");
        QTest::addColumn<int>("zoom");
        QTest::addColumn<bool>("preferences");
        QTest::addColumn<bool>("afterUndo"); // else clicked
        for (const auto& [kind, name] : {std::pair{ObjectKind::Measure, "measure"},
                                         {ObjectKind::Rectangle, "rectangle"},
                                         {ObjectKind::Text, "text"}})
            for (const int zoom : {37, 100, 1600})
                for (const bool preferences : {false, true})
                    for (const bool afterUndo : {false, true})
                        // A click may bring the object to the front, and a measure clicked takes
                        // its height from its box.
                        if (afterUndo || (!preferences && kind != ObjectKind::Measure))
                            QTest::addRow("%s at %d %%, preferences %s, %s", name, zoom,
                                          preferences ? "on" : "off",
                                          afterUndo ? "after undo" : "clicked")
                                << kind << zoom << preferences << afterUndo;
    }
    void putBackUnchangedKeepsTheRow() {
        QFETCH(ObjectKind, kind);
        QFETCH(int, zoom);
        QFETCH(bool, preferences);
        QFETCH(bool, afterUndo);
        EditorFixture f;
        f.ed->setPreferences(allPreferences(preferences));
        QStringList lines = objectUnderTest(kind);
        lines[3] = QStringLiteral("20.3");
        lines[4] = QStringLiteral("30.6");
        QVERIFY(f.ed->openLayoutFile(testkit::writeLayoutText(
            f.folder.path() + QStringLiteral("/plan.kla"), EditorFixture::kVehicle,
            QString::number(zoom),
            lines + QStringList{"1", "600", "300", "20", "30", "2", "0", "0"})));
        const document::ObjectTable opened = f.table();
        if (afterUndo) {
            performStep(f, kind, Step::Arrows);
            f.ed->undo();
        } else {
            selectObjectUnderTest(f, kind);
        }
        QVERIFY(f.ed->hasSelection());
        f.ed->keyPressed(Qt::Key_Space);
        QVERIFY(!f.ed->hasSelection());
        QVERIFY(f.table() == opened);
        QVERIFY(!f.ed->isModified());
        QCOMPARE(f.ed->history().stepCount(), std::size_t(afterUndo));
        QCOMPARE(f.ed->undoEntries().canRedo, afterUndo);
    }

    void newAndOpenForgetTheHistory() {
        EditorFixture f;
        fiveObjects(f);
        performStep(f, ObjectKind::Triangle, Step::Drag);
        const QString path = f.folder.path() + QStringLiteral("/plan.kla");
        f.dialogs.saveAnswers.push_back({path, 1});
        QVERIFY(f.ed->saveLayout());
        QVERIFY(f.ed->openLayoutFile(path));
        QVERIFY(!f.ed->undoEntries().canUndo);
        f.click(f.object(3).position.x + 5, f.object(3).position.y + 5); // the triangle
        performStep(f, ObjectKind::Triangle, Step::Colour);
        f.ed->setLoads({{QStringLiteral("Eau"), 100, 250}});
        QVERIFY(f.ed->undoEntries().canUndo);
        f.dialogs.messageAnswers.push_back(platform::MsgResult::No); // do not save
        f.openNew();
        QVERIFY(!f.ed->undoEntries().canUndo);
        QVERIFY(!f.ed->undoEntries().canRedo);
        QVERIFY(f.ed->layout().loads.empty());
    }

    // Loads and objects share one history: each undo takes back its own kind of change
    // and leaves the other as it stands, the selected object selected again.
    void loadsAndObjectsUndoInTurn() {
        const document::LooseLoads two = {{QStringLiteral("Passagers"), 150, -40},
                                          {QStringLiteral("Eau"), 100, 250}};
        EditorFixture f(true);
        f.add(1, 100, 100, 10, 10);
        f.click(105, 105);
        QVERIFY(f.ed->hasSelection());
        f.ed->setLoads(two);
        f.ed->keyPressed(Qt::Key_Right, {});
        QCOMPARE(f.ed->selection().box.left, 101.f);
        f.ed->setLoads({two[0]});

        f.ed->undo();
        QCOMPARE(f.ed->layout().loads, two);
        QVERIFY(f.ed->hasSelection());
        QCOMPARE(f.ed->selection().box.left, 101.f);
        f.ed->undo();
        QCOMPARE(f.ed->layout().loads, two);
        QCOMPARE(f.ed->selection().box.left, 100.f);
        f.ed->undo();
        QVERIFY(f.ed->layout().loads.empty());
        QVERIFY(!f.ed->isModified());
        for (int k = 0; k < 3; ++k)
            f.ed->redo();
        QCOMPARE(f.ed->layout().loads, document::LooseLoads{two[0]});
        QCOMPARE(f.ed->selection().box.left, 101.f);
    }

    // A drag, and a run of arrows on one selection, are one step each; a run ends when the
    // object is put back.
    void dragsAndArrowRunsAreOneStepEach() {
        EditorFixture f;
        fiveObjects(f);
        performStep(f, ObjectKind::Triangle, Step::Drag);
        performStep(f, ObjectKind::Triangle, Step::Drag);
        performStep(f, ObjectKind::Triangle, Step::Arrows);
        QCOMPARE(f.ed->history().stepCount(), std::size_t(3));
        f.click(390, 290);
        const document::PlanPoint moved = f.object(3).position;
        f.click(moved.x + 5, moved.y + 5);
        performStep(f, ObjectKind::Triangle, Step::Arrows);
        QCOMPARE(f.ed->history().stepCount(), std::size_t(4));
        f.ed->undo();
        QCOMPARE(QPointF(f.ed->selection().box.left, f.ed->selection().box.top),
                 QPointF(moved.x, moved.y));
    }

    // At the object limit, redoing a creation gives back the same 1000 objects.
    void redoAtTheLimit() {
        EditorFixture f;
        f.openNew();
        QList<document::PlanObject> objects;
        for (int i = 0; i < document::kMaxObjects - 1; ++i)
            objects.append(testkit::planObject(ObjectKind::Rectangle, float(i % 50), 0, 5, 5,
                                               Fill::colour(1)));
        f.addAll(objects);
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
