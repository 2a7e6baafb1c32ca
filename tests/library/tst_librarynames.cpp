// Guards the grammar of library picture names and the listing of the library folders.
#include "library/LibraryNames.h"
#include "testkit/TestKit.h"

#include <QTest>

using namespace library;

class TestLibraryNames : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void vehicleNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<double>("pixelsPerCm");
        QTest::newRow("resolution 2500 gives 4 px/cm")
            << "Fourgon_L1H1_Haut_XY_2500_.jpg" << true << 4.0;
        QTest::newRow("resolution 500 gives 20 px/cm")
            << "Fourgon_L1H1_Dessus_XY_500_.jpg" << true << 20.0;
        QTest::newRow("largest 16-bit resolution")
            << "A_B_C_XZ_32767_.bmp" << true << 10000.0 / 32767;
        QTest::newRow("resolution too big for 16 bits") << "A_B_C_XZ_32768_.bmp" << false << 0.0;
        QTest::newRow("resolution 0") << "A_B_C_XZ_0_.bmp" << false << 0.0;
        QTest::newRow("negative resolution") << "A_B_C_XZ_-5_.bmp" << false << 0.0;
        QTest::newRow("resolution not a number") << "A_B_C_XZ_abc_.bmp" << false << 0.0;
        QTest::newRow("fractional resolution") << "A_B_C_XZ_2,5_.bmp" << false << 0.0;
        QTest::newRow("five fields") << "A_B_C_500_.bmp" << false << 0.0;
        QTest::newRow("seven fields") << "A_B_C_D_XY_500_.bmp" << false << 0.0;
    }
    void vehicleNames() {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QFETCH(double, pixelsPerCm);
        const auto v = LireNomVehicule(name);
        QCOMPARE(v.has_value(), valid);
        if (valid) {
            QCOMPARE(v->vehicule_resol, pixelsPerCm);
            QCOMPARE(v->fileName, name);
        }
    }

    void vehicleFields() {
        const auto v = LireNomVehicule(QStringLiteral("Trafic_L2H1_Côté droit_XZ_500_.gif"));
        QVERIFY(v);
        QCOMPARE(v->modele, QStringLiteral("Trafic"));
        QCOMPARE(v->carros, QStringLiteral("L2H1"));
        QCOMPARE(v->vue, QStringLiteral("Côté droit"));
        QCOMPARE(v->axes, QStringLiteral("XZ"));
        QCOMPARE(v->resolution, 500);
    }

    void accessoryNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("largeur");
        QTest::addColumn<int>("hauteur");
        QTest::newRow("plain") << "Cuisine_Frigo40_45_50_XY-XZ_.bmp" << true << 45 << 50;
        QTest::newRow("size not whole") << "Cuisine_Frigo_4,5_50_XY_.bmp" << false << 0 << 0;
        QTest::newRow("size too big") << "Cuisine_Frigo_40000_50_XY_.bmp" << false << 0 << 0;
        QTest::newRow("size not a number") << "Cuisine_Frigo_x_50_XY_.bmp" << false << 0 << 0;
        QTest::newRow("five fields") << "Cuisine_45_50_XY_.bmp" << false << 0 << 0;
        QTest::newRow("seven fields") << "Cuisine_Frigo_A_45_50_XY_.bmp" << false << 0 << 0;
    }
    void accessoryNames() {
        QFETCH(QString, name);
        QFETCH(bool, valid);
        QFETCH(int, largeur);
        QFETCH(int, hauteur);
        const auto a = LireNomAccessoire(name);
        QCOMPARE(a.has_value(), valid);
        if (valid) {
            QCOMPARE(int(a->largeur), largeur);
            QCOMPARE(int(a->hauteur), hauteur);
            QCOMPARE(a->famille, QStringLiteral("Cuisine"));
            QCOMPARE(a->modele, QStringLiteral("Frigo40"));
            QCOMPARE(a->vues, QStringLiteral("XY-XZ"));
        }
    }

    void compatibility_data() {
        QTest::addColumn<QString>("vues");
        QTest::addColumn<QString>("axes");
        QTest::addColumn<bool>("fits");
        QTest::newRow("XZ-YZ fits a side view") << "XZ-YZ"
                                                << "XZ" << true;
        QTest::newRow("XZ-YZ fits a front view") << "XZ-YZ"
                                                 << "YZ" << true;
        QTest::newRow("XZ-YZ does not fit the top view") << "XZ-YZ"
                                                         << "XY" << false;
        QTest::newRow("third code") << "XY-XZ-YZ"
                                    << "YZ" << true;
        QTest::newRow("letters across a separator do not count") << "XY-ZY"
                                                                 << "Y-" << false;
        QTest::newRow("no axes fits nothing") << "XY"
                                              << "" << false;
    }
    void compatibility() {
        QFETCH(QString, vues);
        QFETCH(QString, axes);
        QFETCH(bool, fits);
        QCOMPARE(isCompatible(vues, axes), fits);
    }

    void composedNames() {
        QCOMPARE(composeVehicleName(QStringLiteral("Fourgon"), QStringLiteral("L1H1"),
                                    QStringLiteral("Haut"), QStringLiteral("XY"), 2500,
                                    QStringLiteral("/tmp/photo.prise.jpg")),
                 QStringLiteral("Fourgon_L1H1_Haut_XY_2500_.jpg"));
        QCOMPARE(composeAccessoryName(QStringLiteral("Cuisine"), QStringLiteral("Frigo40"),
                                      QStringLiteral("45"), QStringLiteral("50"),
                                      QStringLiteral("XY-XZ"), QStringLiteral("C:/a.b/frigo.bmp")),
                 QStringLiteral("Cuisine_Frigo40_45_50_XY-XZ_.bmp"));
    }

    void extensions_data() {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("extension");
        QTest::newRow("after the last dot") << "/a.b/photo.old.JPEG"
                                            << "JPEG";
        QTest::newRow("no dot gives the whole path") << "photo"
                                                     << "photo";
        QTest::newRow("trailing dot") << "photo."
                                      << "";
    }
    void extensions() {
        QFETCH(QString, path);
        QFETCH(QString, extension);
        QCOMPARE(extensionOf(path), extension);
    }

    void captions() {
        QCOMPARE(textureCaption(QStringLiteral("bois.clair.jpg")), QStringLiteral("bois"));
        QCOMPARE(textureCaption(QStringLiteral("sans")), QStringLiteral("sans"));
    }

    void folderListings() {
        testkit::setUpTestEnvironment();
        testkit::ProgramFolder folder;
        for (const char* n : {"b_B_V_XY_500_.jpg", "A_B_V_XZ_250_.bmp", "a_B_V_XZ_0_.bmp",
                              "Cinq_B_V_500_.jpg", "Sept_B_V_W_XY_500_.jpg", "c_B_V_XY_10_.png"})
            folder.addPicture(QStringLiteral("vehicules"), QLatin1String(n), 2, 2);
        for (const char* n : {"Salon_Banc_90_40_XY_.jpg", "Cuisine_Evier_x_40_XY_.jpg",
                              "Cuisine_Frigo_45_50_XZ_.gif"})
            folder.addPicture(QStringLiteral("accessoires"), QLatin1String(n), 2, 2);
        for (const char* n : {"tissu.bmp", "Bois.jpg", "notes.png"})
            folder.addPicture(QStringLiteral("textures"), QLatin1String(n), 2, 2);
        const platform::FileSystem fs;

        const auto vehicles = listVehicles(fs, folder.path());
        QVERIFY(vehicles);
        QStringList names;
        for (const auto& v : *vehicles)
            names << v.fileName;
        QCOMPARE(names, (QStringList{"A_B_V_XZ_250_.bmp", "b_B_V_XY_500_.jpg"}));

        const auto accessories = listAccessories(fs, folder.path());
        QVERIFY(accessories);
        names.clear();
        for (const auto& a : *accessories)
            names << a.fileName;
        QCOMPARE(names, (QStringList{"Cuisine_Frigo_45_50_XZ_.gif", "Salon_Banc_90_40_XY_.jpg"}));

        QCOMPARE(listTextures(fs, folder.path()), (QStringList{"Bois.jpg", "tissu.bmp"}));

        QVERIFY(!listVehicles(fs, folder.path() + QStringLiteral("/absent")));
        QVERIFY(listTextures(fs, folder.path() + QStringLiteral("/absent")).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestLibraryNames)
#include "tst_librarynames.moc"
