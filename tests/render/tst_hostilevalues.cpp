// Guards opening, drawing, writing and putting on true-scale sheets layouts with hostile
// numbers or junk in every cell of every kind. Built with the undefined-behaviour checks,
// which stop at the first fault.
#include "document/LayoutFile.h"
#include "library/LayoutOpening.h"
#include "output/ScaledOutput.h"
#include "render/PlanRenderer.h"
#include "testkit/TestKit.h"

#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

const QString kVehicle = u"Van_Essai_Dessus_XY_5000_.bmp"_s;
const QString kTexture = u"bois.bmp"_s;
const QString kAccessory = u"Meuble_Evier_60_40_XY_.bmp"_s;

const QStringList kHostile = {
    u"3.4e38"_s, u"-3.4e38"_s, u"3,4028234e38"_s, u"1e30"_s,       u"-1e30"_s,
    u"inf"_s,    u"-inf"_s,    u"nan"_s,          u"2147483648"_s, u"-2147483649"_s,
    u"32768"_s,  u"-32769"_s,  u"1e-45"_s,        u"4.5"_s,        u"-0"_s,
    u""_s,       u"abc"_s,     u"1,5E+300"_s,
};

// The eight lines of an object of the given kind, with a fill and a last cell it can use.
QStringList objectLines(const QString& kind) {
    const QString fill = kind.startsWith(u'1')   ? kTexture
                         : kind.startsWith(u'9') ? kAccessory
                                                 : u"2"_s;
    const QString extra = kind == u"3"_s ? u"Lit"_s : u"1"_s;
    return {kind, u"5"_s, u"5"_s, u"10"_s, u"10"_s, fill, u"0"_s, extra};
}

QByteArray fileText(const QString& count, const QString& zoom, const QStringList& objects) {
    const QStringList lines =
        QStringList{u"Kestrion 2"_s, kVehicle, u"0"_s, u"1"_s, count, zoom} + objects;
    return (lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8();
}

} // namespace

class TestHostileValues : public QObject {
    Q_OBJECT

    testkit::ProgramFolder folder_;
    platform::FileSystem fs_;
    platform::PictureCache cache_;
    int drawn_ = 0;

    // An accepted file is drawn at its own zoom and at the largest one, then written again.
    void openDrawAndWrite(const QByteArray& bytes) {
        const QString path = folder_.path() + u"/hostile.kla"_s;
        QVERIFY(fs_.writeFileSafely(path, bytes));
        const library::OpenedLayout opened =
            library::openLayout(path, folder_.path(), fs_, QLocale());
        QVERIFY(opened.ok() == opened.refusal.isEmpty());
        if (!opened.ok())
            return;
        render::PlanRenderer renderer(cache_, folder_.path());
        for (const float zoom : {float(opened.zoomPercent / 100.0), 16.0f}) {
            platform::Surface canvas(64, 48);
            renderer.drawPlan(canvas, opened.layout, render::View{zoom, 3, 2},
                              settings::Preferences::defaults());
        }
        QVERIFY(!document::layoutFileText(opened.layout, QLocale(QLocale::French)).isEmpty());
        // At 1:50 a sane plan takes a few sheets: to a PDF with the whole plan, to the
        // printer with the drawn zone.
        const output::PlanSource source{opened.layout, settings::Preferences::defaults(), cache_,
                                        folder_.path()};
        const output::ScaledPlan whole = output::prepareScaledPlan(source, {50, {}, false, false});
        QCOMPARE(output::writeScaledPdf(folder_.path() + u"/hostile.pdf"_s, source, whole),
                 whole.refusal());
        const output::ScaledPlan zone = output::prepareScaledPlan(source, {50, {}, true, true});
        platform::PdfFilePrinter printer(folder_.path() + u"/printed.pdf"_s);
        QCOMPARE(output::printScaled(printer, source, zone), zone.refusal());
        ++drawn_;
    }

private Q_SLOTS:
    void initTestCase() {
        testkit::setUpTestEnvironment();
        folder_.addPicture(u"vehicules"_s, kVehicle, 40, 30);
        folder_.addPicture(u"textures"_s, kTexture, 3, 2, qRgb(150, 90, 30));
        folder_.addPicture(u"accessoires"_s, kAccessory, 6, 4, qRgb(0, 128, 0));
    }

    void hostileCells_data() {
        QTest::addColumn<QString>("value");
        for (const QString& value : kHostile)
            QTest::newRow(value.isEmpty() ? "empty" : qPrintable(value)) << value;
    }
    // The value in each cell of an object of each kind, the rounded kinds included.
    void hostileCells() {
        QFETCH(QString, value);
        const QStringList kinds = {u"0"_s, u"1"_s, u"2"_s,   u"3"_s,   u"4"_s,
                                   u"5"_s, u"9"_s, u"1.2"_s, u"9.2"_s, value};
        for (const QString& kind : kinds)
            for (int column = 0; column < 8; ++column) {
                QStringList object = objectLines(kind);
                object[column] = value;
                openDrawAndWrite(fileText(u"1"_s, u"100"_s, object));
            }
        // Both sizes at once, and every orientation of the kinds that turn.
        for (const QString& kind : {u"5"_s, u"9"_s})
            for (const QString& turn : {u"0"_s, u"1"_s, u"2"_s, u"3"_s}) {
                QStringList object = objectLines(kind);
                object[3] = object[4] = value;
                object[7] = turn;
                openDrawAndWrite(fileText(u"1"_s, u"100"_s, object));
            }
        openDrawAndWrite(fileText(u"1"_s, value, objectLines(u"1"_s)));   // as the zoom
        openDrawAndWrite(fileText(value, u"100"_s, objectLines(u"1"_s))); // as the count
    }

    // As many objects as a table holds; the hostile cells above reach the count line.
    void aFullTable() {
        QStringList lines;
        for (int n = 0; n < 1000; ++n)
            lines += objectLines(QString::number(n % 6));
        openDrawAndWrite(fileText(u"1000"_s, u"100"_s, lines));
    }

    void cleanupTestCase() { QVERIFY(drawn_ > 500); } // else the run means nothing
};

QTEST_MAIN(TestHostileValues)
#include "tst_hostilevalues.moc"
