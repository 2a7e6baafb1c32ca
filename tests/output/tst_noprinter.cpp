// Guards the message given when the system has no printer at all.
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
        QCOMPARE(
            printer.printPicture(picture),
            QStringLiteral("Aucune imprimante n'est installée. Impossible d'imprimer le plan."));
    }
};

QTEST_MAIN(TestNoPrinter)
#include "tst_noprinter.moc"
