// Guards the grammar of library picture names; listings are checked through the windows.
#include "library/LibraryNames.h"

#include <QTest>

using namespace library;
using namespace Qt::Literals::StringLiterals;

class TestLibraryNames : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void vehicleNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("pixelsPerCm"); // 0: refused
        QTest::newRow("spaces and accents in the view")
            << "Trafic_L2H1_Côté droit_XZ_500_.gif" << 20.0;
        QTest::newRow("largest 16-bit resolution") << "A_B_C_XZ_32767_.bmp" << 10000.0 / 32767;
        QTest::newRow("resolution too big for 16 bits") << "A_B_C_XZ_32768_.bmp" << 0.0;
        QTest::newRow("resolution 0") << "A_B_C_XZ_0_.bmp" << 0.0;
        QTest::newRow("fractional resolution") << "A_B_C_XZ_2,5_.bmp" << 0.0;
    }
    void vehicleNames() {
        QFETCH(QString, name);
        QFETCH(double, pixelsPerCm);
        const auto v = parseVehicleName(name);
        QCOMPARE(v.has_value(), pixelsPerCm > 0);
        if (v) {
            QCOMPARE(v->pixelsPerCm, pixelsPerCm);
            // Model, body, view and axes are the name's first four fields.
            QCOMPARE((QStringList{v->model, v->body, v->view, v->axes}).join('_'),
                     name.section('_', 0, 3));
        }
    }

    // Accessory names read well are checked through the accessory browser.
    void accessoryNamesRefused() {
        for (const QString& name :
             {u"Cuisine_Frigo_4,5_50_XY_.bmp"_s, u"Cuisine_Frigo_40000_50_XY_.bmp"_s})
            QVERIFY2(!parseAccessoryName(name), qPrintable(name));
    }

    // Plain pairs of views and axes are checked through the accessory browser.
    void compatibility() {
        QVERIFY(isCompatible(u"XY-XZ-YZ"_s, u"YZ"_s)); // the third code counts
        QVERIFY(!isCompatible(u"XY-ZY"_s, u"Y-"_s));   // letters across a separator do not
        QVERIFY(!isCompatible(u"XY"_s, QString()));    // no axes fit nothing
    }

    void extensionsAndCaptions() {
        // The extension is what follows the last dot, the whole path when there is none.
        QCOMPARE(extensionOf(u"photo"_s), u"photo"_s);
        QCOMPARE(textureCaption(u"bois.clair.jpg"_s), u"bois"_s);
    }
};

QTEST_GUILESS_MAIN(TestLibraryNames)
#include "tst_librarynames.moc"
