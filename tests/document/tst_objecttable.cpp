// Guards the object table's row moves and its limit, and numbers read from cell texts.
#include "document/Numbers.h"
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

ObjectTable tableOf(int n) {
    ObjectTable t;
    for (int k = 1; k <= n; ++k)
        t.append(tagged(k));
    return t;
}

QList<int> tags(const ObjectTable& t) {
    QList<int> out;
    for (int r = 1; r <= t.nb_objets(); ++r)
        out.append(t.cell(r, ColX).toInt());
    return out;
}

} // namespace

class TestObjectTable : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void removeAndInsert_data() {
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("removed");
        QTest::addColumn<int>("insertedAt");
        QTest::addColumn<QList<int>>("afterRemove");
        QTest::addColumn<QList<int>>("afterInsert");
        QTest::newRow("row 1 of 5, put back at 1")
            << 5 << 1 << 1 << QList<int>{2, 3, 4, 5} << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("row 3 of 5, put back at 3")
            << 5 << 3 << 3 << QList<int>{1, 2, 4, 5} << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("row 3 of 5, put back at the back")
            << 5 << 3 << 1 << QList<int>{1, 2, 4, 5} << QList<int>{3, 1, 2, 4, 5};
        QTest::newRow("last row, put back after the others")
            << 5 << 5 << 5 << QList<int>{1, 2, 3, 4} << QList<int>{1, 2, 3, 4, 5};
        QTest::newRow("only row") << 1 << 1 << 1 << QList<int>{} << QList<int>{1};
    }
    void removeAndInsert() {
        QFETCH(int, size);
        QFETCH(int, removed);
        QFETCH(int, insertedAt);
        QFETCH(QList<int>, afterRemove);
        QFETCH(QList<int>, afterInsert);
        ObjectTable t = tableOf(size);
        const ObjectRow lifted = t.row(removed);
        t.RetirerObjet(removed);
        QCOMPARE(tags(t), afterRemove);
        QVERIFY(t.insertAt(insertedAt, lifted));
        QCOMPARE(tags(t), afterInsert);
    }

    void appendBringsToFront() {
        ObjectTable t = tableOf(5);
        const ObjectRow lifted = t.row(3);
        t.RetirerObjet(3);
        QVERIFY(t.append(lifted));
        QCOMPARE(tags(t), (QList<int>{1, 2, 4, 5, 3}));
    }

    void limitOf1000() {
        auto t = std::make_unique<ObjectTable>(tableOf(999));
        QVERIFY(!t->isFull());
        QVERIFY(t->append(tagged(1000)));
        QVERIFY(t->isFull());
        QVERIFY(!t->append(tagged(1001)));
        QVERIFY(!t->insertAt(1, tagged(1001)));
        QCOMPARE(t->nb_objets(), 1000);
        QCOMPARE(t->cell(1, ColX).toInt(), 1);
        QCOMPARE(t->cell(1000, ColX).toInt(), 1000);
        // Removing the last row of a full table keeps row 1000's cells.
        t->RetirerObjet(1000);
        QCOMPARE(t->nb_objets(), 999);
        QCOMPARE(t->cell(1000, ColX).toInt(), 1000);
        t->RetirerObjet(1);
        QCOMPARE(t->cell(1, ColX).toInt(), 2);
        QCOMPARE(t->cell(998, ColX).toInt(), 999);
    }

    void insertOutOfRange() {
        ObjectTable t = tableOf(2);
        QVERIFY(!t.insertAt(0, tagged(9)));
        QVERIFY(!t.insertAt(4, tagged(9)));
        QVERIFY(t.insertAt(3, tagged(9)));
        QCOMPARE(tags(t), (QList<int>{1, 2, 9}));
    }

    void cellNumbers_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<double>("value");
        QTest::addColumn<int>("rounded");
        QTest::newRow("whole number text") << "12" << true << 12.0 << 12;
        QTest::newRow("comma decimal") << "1,5" << true << 1.5 << 2;
        QTest::newRow("point decimal") << "1.5" << true << 1.5 << 2;
        QTest::newRow("half to even, down") << "2,5" << true << 2.5 << 2;
        QTest::newRow("negative half to even") << "-3.5" << true << -3.5 << -4;
        QTest::newRow("blanks around") << " 7 " << true << 7.0 << 7;
        QTest::newRow("file name") << "bois.jpg" << false << 0.0 << 0;
        QTest::newRow("empty") << "" << false << 0.0 << 0;
        QTest::newRow("not finite") << "inf" << false << 0.0 << 0;
    }
    void cellNumbers() {
        QFETCH(QString, text);
        QFETCH(bool, isNumber);
        QFETCH(double, value);
        QFETCH(int, rounded);
        const Cell c = Cell::text(text);
        QCOMPARE(c.number().has_value(), isNumber);
        QCOMPARE(c.toDouble(), value);
        QCOMPARE(c.toInt(), rounded);
    }

    void int16Conversion_data() {
        QTest::addColumn<double>("value");
        QTest::addColumn<bool>("fits");
        QTest::addColumn<int>("result");
        QTest::newRow("half to even") << 0.5 << true << 0;
        QTest::newRow("top edge") << 32767.4 << true << 32767;
        QTest::newRow("rounds above the top") << 32767.5 << false << 0;
        QTest::newRow("bottom edge") << -32768.0 << true << -32768;
        QTest::newRow("NaN") << qQNaN() << false << 0;
    }
    void int16Conversion() {
        QFETCH(double, value);
        QFETCH(bool, fits);
        QFETCH(int, result);
        const auto r = CInt16(value);
        QCOMPARE(r.has_value(), fits);
        if (fits)
            QCOMPARE(int(*r), result);
    }
};

QTEST_GUILESS_MAIN(TestObjectTable)
#include "tst_objecttable.moc"
