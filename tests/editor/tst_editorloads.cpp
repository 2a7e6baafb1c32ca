// Guards the loads not drawn as the editor holds them: each change is one step of the
// history that undo and redo give back exactly, whether the layout is modified follows
// that history, a saved layout reads its loads back exactly, and a new layout starts
// without the loads of the one before.
#include "EditorFixture.h"

#include "document/LayoutFile.h"

#include <QtTest>

using document::LooseLoad;
using document::LooseLoads;

Q_DECLARE_METATYPE(LooseLoads)

namespace {

const LooseLoads kTwo = {{QStringLiteral("Passagers"), 150, -40},
                         {QStringLiteral("Eau"), 100, 250}};

QString savedPath(EditorFixture& f, const QString& name) {
    const QString path = f.folder.path() + QLatin1Char('/') + name;
    f.dialogs.saveAnswers.push_back({path, 1});
    return f.ed->saveLayout() ? path : QString();
}

} // namespace

class TestEditorLoads : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    // From saved loads to other loads in one step: undo gives back the saved loads and an
    // unmodified layout, redo the new loads and a modified one.
    void eachChangeIsOneStep_data() {
        QTest::addColumn<LooseLoads>("before");
        QTest::addColumn<LooseLoads>("after");
        QTest::newRow("first load") << LooseLoads{} << LooseLoads{{"Carburant", 60, 120}};
        QTest::newRow("a mass changed")
            << kTwo << LooseLoads{{"Passagers", 150, -40}, {"Eau", 12.5f, 250}};
        QTest::newRow("a load moved")
            << kTwo << LooseLoads{{"Passagers", 150, -40}, {"Eau", 100, 250.5f}};
        QTest::newRow("renamed") << kTwo << LooseLoads{{"Conducteur", 150, -40}, {"Eau", 100, 250}};
        QTest::newRow("one removed") << kTwo << LooseLoads{{"Eau", 100, 250}};
        QTest::newRow("all removed") << kTwo << LooseLoads{};
        QTest::newRow("reordered") << kTwo << LooseLoads{kTwo[1], kTwo[0]};
    }
    void eachChangeIsOneStep() {
        QFETCH(LooseLoads, before);
        QFETCH(LooseLoads, after);
        EditorFixture f(true);
        f.ed->setLoads(before);
        QVERIFY(!savedPath(f, QStringLiteral("plan.kla")).isEmpty());
        const std::size_t steps = f.ed->history().stepCount();

        f.ed->setLoads(after);
        QCOMPARE(f.ed->history().stepCount(), steps + 1);
        QVERIFY(f.ed->isModified());
        QCOMPARE(f.ed->undoEntries().undoText, QStringLiteral("A&nnuler les charges"));
        f.ed->undo();
        QCOMPARE(f.ed->layout().loads, before);
        QVERIFY(!f.ed->isModified());
        QCOMPARE(f.ed->undoEntries().redoText, QStringLiteral("&Rétablir les charges"));
        f.ed->redo();
        QCOMPARE(f.ed->layout().loads, after);
        QVERIFY(f.ed->isModified());
        // The same loads again are no step.
        f.ed->setLoads(after);
        QCOMPARE(f.ed->history().stepCount(), steps + 1);
    }

    // Loads and objects share one history: each undo takes back its own kind of change
    // and leaves the other as it stands, the selected object selected again.
    void loadsAndObjectsUndoInTurn() {
        EditorFixture f(true);
        f.add(1, 100, 100, 10, 10);
        f.click(105, 105);
        QVERIFY(f.ed->hasSelection());
        f.ed->setLoads(kTwo);
        f.ed->keyPressed(Qt::Key_Right, {});
        QCOMPARE(f.ed->selection().box.left, 101.f);
        f.ed->setLoads({kTwo[0]});

        f.ed->undo();
        QCOMPARE(f.ed->layout().loads, kTwo);
        QVERIFY(f.ed->hasSelection());
        QCOMPARE(f.ed->selection().box.left, 101.f);
        f.ed->undo();
        QCOMPARE(f.ed->layout().loads, kTwo);
        QCOMPARE(f.ed->selection().box.left, 100.f);
        f.ed->undo();
        QCOMPARE(f.ed->layout().loads, LooseLoads{});
        QVERIFY(!f.ed->isModified());
        f.ed->redo();
        f.ed->redo();
        f.ed->redo();
        QCOMPARE(f.ed->layout().loads, LooseLoads{kTwo[0]});
        QCOMPARE(f.ed->selection().box.left, 101.f);
    }

    // What the loads hold comes back from the file as it was: names with accents and
    // quotes, masses and places that need every digit of single precision, negative
    // places ahead of the front axle.
    void savedLoadsReadBackExactly_data() {
        QTest::addColumn<LooseLoads>("loads");
        QTest::newRow("plain") << kTwo;
        QTest::newRow("decimals") << LooseLoads{{"Bagages", 0.1f, 333.3f}};
        QTest::newRow("every digit") << LooseLoads{{"Réservoir", 1234.5677f, -12.345678f}};
        QTest::newRow("tiny and large")
            << LooseLoads{{"Vis", 0.001f, 1e-5f}, {"Lest", 32767.5f, 99999.99f}};
        QTest::newRow("awkward names")
            << LooseLoads{{"l'« eau » \"douce\"", 80, 0}, {"", 5, 1}, {"a;b,c", 1, 2}};
    }
    void savedLoadsReadBackExactly() {
        QFETCH(LooseLoads, loads);
        EditorFixture f(true);
        f.ed->setLoads(loads);
        const QString path = savedPath(f, QStringLiteral("plan.kla"));
        QVERIFY(!path.isEmpty());
        QVERIFY(!f.ed->isModified());
        f.openNew();
        QVERIFY(f.ed->layout().loads.empty()); // a new layout has none
        QVERIFY(f.ed->openLayoutFile(path));
        QCOMPARE(f.ed->layout().loads, loads);
        QVERIFY(!f.ed->isModified());
        QVERIFY(!f.ed->undoEntries().canUndo);
        // Saved again unchanged, the file is the same.
        QFile first(path);
        QVERIFY(first.open(QIODevice::ReadOnly));
        const QString again = savedPath(f, QStringLiteral("again.kla"));
        QFile second(again);
        QVERIFY(second.open(QIODevice::ReadOnly));
        QCOMPARE(second.readAll(), first.readAll());
    }
};

QTEST_MAIN(TestEditorLoads)
#include "tst_editorloads.moc"
