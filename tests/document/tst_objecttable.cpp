// Guards the object table's row moves and its limit.
#include "document/ObjectTable.h"

#include <QTest>

using namespace document;

namespace {

// An object told apart by its left edge.
PlanObject tagged(int tag) {
    PlanObject object;
    object.position.x = float(tag);
    return object;
}

QList<int> tags(const ObjectTable& t) {
    QList<int> out;
    for (const PlanObject& object : t)
        out.append(int(object.position.x));
    return out;
}

} // namespace

class TestObjectTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void removeAndPutBack_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("removed");
        QTest::addColumn<int>("insertedAt"); // 0: appended
        QTest::addColumn<QList<int>>("afterRemove");
        QTest::addColumn<QList<int>>("afterPutBack");
        using L = QList<int>;
        QTest::newRow("row 1, put back at 1") << 5 << 1 << 1 << L{2, 3, 4, 5} << L{1, 2, 3, 4, 5};
        QTest::newRow("row 3, put back at 3") << 5 << 3 << 3 << L{1, 2, 4, 5} << L{1, 2, 3, 4, 5};
        QTest::newRow("row 3, put at the back") << 5 << 3 << 1 << L{1, 2, 4, 5} << L{3, 1, 2, 4, 5};
        QTest::newRow("row 3, appended in front")
            << 5 << 3 << 0 << L{1, 2, 4, 5} << L{1, 2, 4, 5, 3};
        QTest::newRow("last row, put back after the others")
            << 5 << 5 << 5 << L{1, 2, 3, 4} << L{1, 2, 3, 4, 5};
        QTest::newRow("only row") << 1 << 1 << 1 << L{} << L{1};
    }
    void removeAndPutBack() {
        QFETCH(int, size);
        QFETCH(int, removed);
        QFETCH(int, insertedAt);
        QFETCH(QList<int>, afterRemove);
        QFETCH(QList<int>, afterPutBack);
        ObjectTable t;
        for (int k = 1; k <= size; ++k)
            t.append(tagged(k));
        const PlanObject lifted = t.row(removed);
        t.removeAt(removed);
        QCOMPARE(tags(t), afterRemove);
        QVERIFY(insertedAt ? t.insertAt(insertedAt, lifted) : t.append(lifted));
        QCOMPARE(tags(t), afterPutBack);
        QVERIFY(!t.insertAt(0, lifted) && !t.insertAt(size + 2, lifted));
    }

    void limitOf1000() {
        ObjectTable t;
        for (int k = 1; k <= kMaxObjects; ++k)
            QVERIFY(t.append(tagged(k)));
        QVERIFY(t.isFull());
        QVERIFY(!t.append(tagged(1001)));
        QVERIFY(!t.insertAt(1, tagged(1001)));
        QCOMPARE(t.count(), kMaxObjects);
        t.removeAt(1);
        QVERIFY(!t.isFull());
        QCOMPARE(t.row(1).position.x, 2.f);
        QCOMPARE(t.row(999).position.x, 1000.f);
    }
};

QTEST_GUILESS_MAIN(TestObjectTable)
#include "tst_objecttable.moc"
