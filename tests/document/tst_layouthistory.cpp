// Guards the undo history: each kind of change comes back exactly, steps fold and drop
// as they should, and the saved point is found again.
#include "document/LayoutHistory.h"

#include <QTest>

using namespace document;

namespace {

// An object told apart by its tag, in x; `variant` changes it in place.
PlanObject tagged(int tag, int variant = 0) {
    PlanObject o;
    o.kind = ObjectKind::Rectangle;
    o.position = {float(tag), float(variant)};
    o.heightCm = 50;
    o.widthCm = 40;
    o.fill = tag % 2 ? Fill::file(QStringLiteral("Parquet chene.jpg")) : Fill::colour(tag % 16);
    return o;
}

PlanObjects tags(std::initializer_list<int> list) {
    PlanObjects out;
    for (const int t : list)
        out.push_back(tagged(t));
    return out;
}

constexpr MergeKey kArrows{1, 7};

PlanObjects withChanged(PlanObjects objects, std::size_t index) {
    objects[index] = tagged(int(objects[index].position.x), 1);
    return objects;
}

} // namespace

Q_DECLARE_METATYPE(document::PlanObjects)
Q_DECLARE_METATYPE(std::optional<document::MergeKey>)

class TestLayoutHistory : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void eachChangeComesBackExactly_data() {
        QTest::addColumn<PlanObjects>("before");
        QTest::addColumn<PlanObjects>("after");
        const PlanObjects five = tags({1, 2, 3, 4, 5});
        QTest::newRow("created on top") << five << tags({1, 2, 3, 4, 5, 6});
        QTest::newRow("first object created") << PlanObjects{} << tags({1});
        QTest::newRow("deleted in the middle") << five << tags({1, 2, 4, 5});
        QTest::newRow("last one deleted") << tags({7}) << PlanObjects{};
        QTest::newRow("changed in place") << five << withChanged(five, 2);
        QTest::newRow("brought to front") << five << tags({1, 3, 4, 5, 2});
        QTest::newRow("sent to back") << five << tags({4, 1, 2, 3, 5});
        QTest::newRow("put back on top, moved") << five << withChanged(tags({1, 2, 4, 5, 3}), 4);
        QTest::newRow("sent to back, changed") << five << withChanged(tags({5, 1, 2, 3, 4}), 0);
        QTest::newRow("two rows swapped") << five << tags({1, 2, 4, 3, 5});
        QTest::newRow("all replaced") << five << tags({9, 8});
    }
    void eachChangeComesBackExactly() {
        QFETCH(PlanObjects, before);
        QFETCH(PlanObjects, after);
        LayoutHistory history;
        history.reset(before);
        QVERIFY(history.record(LayoutChange::Move, after, 3, 2));
        QCOMPARE(history.objects(), after);
        QCOMPARE(history.undo(), std::optional<int>(3));
        QCOMPARE(history.objects(), before);
        QVERIFY(history.atSavedState());
        QCOMPARE(history.redo(), std::optional<int>(2));
        QCOMPARE(history.objects(), after);
        QVERIFY(!history.atSavedState());
    }

    // Moving one object to an end of a long layout keeps two objects, not every row.
    void restackingStoresOneObjectTwice() {
        PlanObjects objects;
        for (int t = 0; t < 1000; ++t)
            objects.push_back(tagged(t));
        LayoutHistory history;
        history.reset(objects);
        PlanObjects restacked = objects;
        std::rotate(restacked.begin(), restacked.begin() + 1, restacked.end());
        history.record(LayoutChange::BringToFront, restacked, 1000, 1000);
        QVERIFY(history.stepBytes() < 8 * sizeof(PlanObject) + 1024);
    }

    void nothingChangedRecordsNothing() {
        LayoutHistory history;
        history.reset(tags({1, 2}));
        QVERIFY(!history.record(LayoutChange::Move, tags({1, 2}), 1, 1));
        QVERIFY(!history.canUndo());
        QCOMPARE(history.undo(), std::nullopt);
        QCOMPARE(history.redo(), std::nullopt);
    }

    // A drag or a run of arrow keys folds into one step; back where it started, none.
    void mergedStepsFold_data() {
        QTest::addColumn<QList<int>>("positions"); // x of object 1 after each merged record
        QTest::addColumn<int>("steps");
        QTest::newRow("a drag") << QList<int>{5, 6, 7} << 1;
        QTest::newRow("there and back") << QList<int>{5, 1} << 0;
        QTest::newRow("back, then on") << QList<int>{5, 1, 8} << 1;
    }
    void mergedStepsFold() {
        QFETCH(QList<int>, positions);
        QFETCH(int, steps);
        LayoutHistory history;
        history.reset(tags({1, 2}));
        history.record(LayoutChange::Fill, withChanged(tags({1, 2}), 1), 0, 0);
        const PlanObjects start = history.objects();
        for (const int x : positions) {
            PlanObjects moved = start;
            moved[0].position.x = float(x);
            history.record(LayoutChange::Move, moved, 1, 1, kArrows);
        }
        QCOMPARE(history.stepCount(), std::size_t(1 + steps));
        history.undo();
        QCOMPARE(history.objects(), steps ? start : tags({1, 2}));
    }

    // A step folds into the one before only when both carry the same key and the one
    // before is not the saved one.
    void mergeNeedsTheSameKeyAndNoSave_data() {
        QTest::addColumn<std::optional<document::MergeKey>>("firstKey");
        QTest::addColumn<bool>("savedBetween");
        QTest::addColumn<int>("steps");
        QTest::newRow("same key") << std::optional(kArrows) << false << 1;
        QTest::newRow("first without a key") << std::optional<document::MergeKey>() << false << 2;
        QTest::newRow("another selection")
            << std::optional(document::MergeKey{kArrows.run, kArrows.target + 1}) << false << 2;
        QTest::newRow("saved in between") << std::optional(kArrows) << true << 2;
    }
    void mergeNeedsTheSameKeyAndNoSave() {
        QFETCH(std::optional<document::MergeKey>, firstKey);
        QFETCH(bool, savedBetween);
        QFETCH(int, steps);
        LayoutHistory history;
        history.reset(tags({1}));
        history.record(LayoutChange::Move, tags({2}), 1, 1, firstKey);
        if (savedBetween)
            history.markSaved();
        history.record(LayoutChange::Move, tags({3}), 1, 1, kArrows);
        QCOMPARE(history.stepCount(), std::size_t(steps));
        history.undo();
        QCOMPARE(history.objects(), steps == 2 ? tags({2}) : tags({1}));
    }

    // The saved point: reached again by undo and redo, lost once the steps after it are
    // replaced or dropped.
    void savedPoint() {
        LayoutHistory history;
        history.reset(tags({1}));
        history.record(LayoutChange::Create, tags({1, 2}), 0, 2);
        history.markSaved();
        QVERIFY(history.atSavedState());
        history.record(LayoutChange::Create, tags({1, 2, 3}), 0, 3);
        QVERIFY(!history.atSavedState());
        history.undo();
        QVERIFY(history.atSavedState());
        history.undo();
        QVERIFY(!history.atSavedState());
        history.redo();
        QVERIFY(history.atSavedState());
        history.undo();
        history.record(LayoutChange::Delete, PlanObjects{}, 1, 0); // replaces the saved step
        QVERIFY(!history.canRedo());
        history.undo();
        QVERIFY(!history.atSavedState());
        QCOMPARE(history.objects(), tags({1}));
    }

    void oldestStepsAreDroppedAtTheLimit() {
        LayoutHistory history(200);
        history.reset({});
        PlanObjects objects;
        for (int t = 0; t < 250; ++t) {
            objects.push_back(tagged(t));
            history.record(LayoutChange::Create, objects, 0, t + 1);
        }
        QCOMPARE(history.stepCount(), std::size_t(200));
        int undone = 0;
        while (history.undo())
            ++undone;
        QCOMPARE(undone, 200);
        QCOMPARE(history.objects().size(), std::size_t(50));
        QVERIFY(!history.atSavedState()); // the opened state is no longer reachable
    }
};

QTEST_GUILESS_MAIN(TestLayoutHistory)
#include "tst_layouthistory.moc"
