// Guards the object table's row moves and its limit.
#include "document/ObjectTable.h"

#include <QTest>

using namespace document;

namespace {

// A row told apart by its X cell.
ObjectRow tagged(int tag) {
    ObjectRow row;
    row[ColKind] = Cell::integer(Rectangle);
    row[ColX] = Cell::real(float(tag));
    return row;
}

QList<int> tags(const ObjectTable& t) {
    QList<int> out;
    for (int r = 1; r <= t.count(); ++r)
        out.append(t.cell(r, ColX).toInt());
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
        const ObjectRow lifted = t.row(removed);
        t.removeAt(removed);
        QCOMPARE(tags(t), afterRemove);
        QVERIFY(insertedAt ? t.insertAt(insertedAt, lifted) : t.append(lifted));
        QCOMPARE(tags(t), afterPutBack);
        QVERIFY(!t.insertAt(0, lifted) && !t.insertAt(size + 2, lifted));
    }

    void limitOf1000() {
        auto t = std::make_unique<ObjectTable>();
        for (int k = 1; k <= 1000; ++k)
            QVERIFY(t->append(tagged(k)));
        QVERIFY(t->isFull());
        QVERIFY(!t->append(tagged(1001)));
        QVERIFY(!t->insertAt(1, tagged(1001)));
        QCOMPARE(t->count(), 1000);
        QCOMPARE(t->cell(1000, ColX).toInt(), 1000);
        // Removing the last row of a full table keeps row 1000's cells.
        t->removeAt(1000);
        QVERIFY(!t->isFull());
        QCOMPARE(t->cell(1000, ColX).toInt(), 1000);
        t->removeAt(1);
        QCOMPARE(t->cell(1, ColX).toInt(), 2);
        QCOMPARE(t->cell(998, ColX).toInt(), 999);
    }
};

QTEST_GUILESS_MAIN(TestObjectTable)
#include "tst_objecttable.moc"
