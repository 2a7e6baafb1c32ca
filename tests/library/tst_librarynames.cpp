// Guards the grammar of library picture names and the listing of the library folders.
#include "library/LibraryNames.h"
#include "testkit/TestKit.h"

#include <QTest>

using namespace library;
using namespace Qt::Literals::StringLiterals;

class TestLibraryNames : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void vehicleNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("pixelsPerCm"); // 0: refused
        QTest::newRow("resolution 2500 gives 4 px/cm") << "Fourgon_L1H1_Haut_XY_2500_.jpg" << 4.0;
        QTest::newRow("spaces and accents in the view")
            << "Trafic_L2H1_Côté droit_XZ_500_.gif" << 20.0;
        QTest::newRow("largest 16-bit resolution") << "A_B_C_XZ_32767_.bmp" << 10000.0 / 32767;
        QTest::newRow("resolution too big for 16 bits") << "A_B_C_XZ_32768_.bmp" << 0.0;
        QTest::newRow("resolution 0") << "A_B_C_XZ_0_.bmp" << 0.0;
        QTest::newRow("fractional resolution") << "A_B_C_XZ_2,5_.bmp" << 0.0;
        QTest::newRow("seven fields") << "A_B_C_D_XY_500_.bmp" << 0.0;
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

    void accessoryNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size"); // invalid: refused
        QTest::newRow("plain") << "Cuisine_Frigo40_45_50_XY-XZ_.bmp" << QSize(45, 50);
        QTest::newRow("size not whole") << "Cuisine_Frigo_4,5_50_XY_.bmp" << QSize();
        QTest::newRow("size too big") << "Cuisine_Frigo_40000_50_XY_.bmp" << QSize();
        QTest::newRow("seven fields") << "Cuisine_Frigo_A_45_50_XY_.bmp" << QSize();
    }
    void accessoryNames() {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const auto a = parseAccessoryName(name);
        QCOMPARE(a.has_value(), size.isValid());
        if (a) {
            QCOMPARE(QSize(a->width, a->height), size);
            QCOMPARE((QStringList{a->family, a->model, a->views}),
                     (QStringList{"Cuisine", "Frigo40", "XY-XZ"}));
        }
    }

    void compatibility_data() {
        QTest::addColumn<QString>("views");
        QTest::addColumn<QString>("axes");
        QTest::addColumn<bool>("fits");
        QTest::newRow("XZ-YZ fits a front view") << u"XZ-YZ"_s << u"YZ"_s << true;
        QTest::newRow("XZ-YZ does not fit the top view") << u"XZ-YZ"_s << u"XY"_s << false;
        QTest::newRow("third code") << u"XY-XZ-YZ"_s << u"YZ"_s << true;
        QTest::newRow("letters across a separator do not count") << u"XY-ZY"_s << u"Y-"_s << false;
        QTest::newRow("no axes fits nothing") << u"XY"_s << QString() << false;
    }
    void compatibility() {
        QFETCH(QString, views);
        QFETCH(QString, axes);
        QFETCH(bool, fits);
        QCOMPARE(isCompatible(views, axes), fits);
    }

    void extensionsAndCaptions() {
        // The extension is what follows the last dot, the whole path when there is none.
        QCOMPARE(extensionOf(u"photo"_s), u"photo"_s);
        QCOMPARE(textureCaption(u"bois.clair.jpg"_s), u"bois"_s);
    }

    // Vehicle listings are checked through the new-layout dialog.
    void accessoryListing() {
        testkit::setUpTestEnvironment();
        testkit::ProgramFolder folder;
        for (const char* n : {"Salon_Banc_90_40_XY_.jpg", "Cuisine_Evier_x_40_XY_.jpg",
                              "Cuisine_Frigo_45_50_XZ_.gif", "notes.txt"})
            folder.addPicture(u"accessoires"_s, QLatin1String(n), 2, 2);
        const platform::FileSystem fs;
        const std::vector<AccessoryName> listed = listAccessories(fs, folder.path()).value();
        QStringList names;
        for (const AccessoryName& a : listed)
            names << a.fileName;
        QCOMPARE(names, (QStringList{"Cuisine_Frigo_45_50_XZ_.gif", "Salon_Banc_90_40_XY_.jpg"}));
        QVERIFY(!listAccessories(fs, folder.path() + u"/absent"_s));
    }
};

QTEST_GUILESS_MAIN(TestLibraryNames)
#include "tst_librarynames.moc"
