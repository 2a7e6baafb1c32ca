// Guards the message given when the system has no printer at all, for either kind of print.
#include "platform/QtPrinter.h"
#include "testkit/TestKit.h"

#include <QPrinterInfo>
#include <QtTest>

class TestNoPrinter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void noPrinterIsExplained() {
        if (!QPrinterInfo::defaultPrinter().isNull())
            QSKIP("A default printer is reachable despite the missing print server.");
        QImage picture(10, 10, QImage::Format_RGB32);
        picture.fill(Qt::white);
        platform::QtPrinter printer;
        const QString none =
            QStringLiteral("Aucune imprimante n'est installée. Impossible d'imprimer le plan.");
        QCOMPARE(printer.printPicture(picture), none);
        // The true-scale sheets are not even drawn.
        bool painted = false;
        QCOMPARE(
            printer.printPages(QPageLayout(), [&](QPagedPaintDevice&) { return painted = true; }),
            none);
        QVERIFY(!painted);
    }
};

QTEST_MAIN(TestNoPrinter)
#include "tst_noprinter.moc"
