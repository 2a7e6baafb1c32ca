// Guards the mass budget: the limits, where a placed object sits along the length, and
// the library's mass files as a user may edit them. The lever rule is checked through the
// command line, and the figures a view cannot give through the mass window.
#include "document/MassBudget.h"
#include "library/MassData.h"
#include "testkit/TestKit.h"

#include <QtTest>

using document::AxleCentres;
using document::Layout;
using document::MassBudget;
using document::ObjectKind;
using document::PlacedMass;
using document::PlanObject;
using document::VehicleMasses;

namespace {

// The sample L2H2: 345 cm between the axles.
const VehicleMasses kVan{1150, 850, 1850, 2000, 3500};
constexpr double kWheelbase = 345;

// A top view 600 cm long at 2 pixels per cm, axles 100 and 445 cm from its left edge.
Layout topView(bool mirrored = false) {
    Layout layout;
    layout.vehicleFile = QStringLiteral("Fourgon_L2H2_Dessus_XY_5000_.jpg");
    layout.vehicleModel = QStringLiteral("Fourgon");
    layout.vehicleBody = QStringLiteral("L2H2");
    layout.vehicleAxes = QStringLiteral("XY");
    layout.pixelsPerCm = 2;
    layout.pictureWidth = 1200;
    layout.pictureHeight = 500;
    layout.mirrorLeftRight = mirrored;
    return layout;
}
const AxleCentres kTopAxles{100, 445};

PlanObject box(ObjectKind kind, float leftCm, float widthCm, std::optional<float> kg) {
    PlanObject o;
    o.kind = kind;
    o.position = {leftCm * 2, 40};
    o.widthCm = widthCm;
    o.heightCm = 50;
    o.massKg = kg;
    return o;
}

} // namespace

class TestMassBudget : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void limits_data() {
        QTest::addColumn<double>("massKg");
        QTest::addColumn<double>("alongCm");
        QTest::addColumn<double>("totalOver");
        QTest::addColumn<double>("frontOver");
        QTest::addColumn<double>("rearOver");
        QTest::newRow("1500 kg 184 cm back: every limit reached, none passed")
            << 1500.0 << 184.0 << 0.0 << 0.0 << 0.0;
        QTest::newRow("1200 kg on the rear axle: rear over")
            << 1200.0 << 345.0 << 0.0 << 0.0 << -50.0;
        QTest::newRow("800 kg on the front axle: front over")
            << 800.0 << 0.0 << 0.0 << -100.0 << 0.0;
        QTest::newRow("1600 kg, front at its maximum: total over")
            << 1600.0 << 194.0625 << -100.0 << 0.0 << 0.0;
    }
    void limits() {
        QFETCH(double, massKg);
        QFETCH(double, alongCm);
        QFETCH(double, totalOver);
        QFETCH(double, frontOver);
        QFETCH(double, rearOver);
        const MassBudget b =
            document::computeMassBudget(kVan, kWheelbase, {{QStringLiteral("m"), massKg, alongCm}});
        // Rows give the overload negated so that "not over" reads 0 in every column.
        QCOMPARE(-b.totalOverKg, totalOver);
        QCOMPARE(-b.frontOverKg, frontOver);
        QCOMPARE(-b.rearOverKg, rearOver);
        QCOMPARE(b.limitExceeded(), totalOver != 0 || frontOver != 0 || rearOver != 0);
    }

    // An object counts at the middle of its box, measured the way the picture runs.
    void placedObjects_data() {
        QTest::addColumn<bool>("mirrored");
        QTest::addColumn<float>("leftCm");
        QTest::addColumn<double>("rearKg");
        QTest::newRow("centred on the rear axle") << false << 420.0f << 950.0;
        QTest::newRow("centred on the front axle") << false << 75.0f << 850.0;
        QTest::newRow("mirrored: the rear axle is 155 cm from the left") << true << 130.0f << 950.0;
        QTest::newRow("mirrored: the front axle is 500 cm from the left")
            << true << 475.0f << 850.0;
    }
    void placedObjects() {
        QFETCH(bool, mirrored);
        QFETCH(float, leftCm);
        QFETCH(double, rearKg);
        Layout layout = topView(mirrored);
        layout.objects.append(box(ObjectKind::Accessory, leftCm, 50, 100));
        layout.objects.append(box(ObjectKind::Measure, 0, 50, 500)); // a measure weighs nothing
        const MassBudget b = document::layoutMassBudget(layout, kVan, kTopAxles);
        QCOMPARE(*b.rearKg, rearKg);
        QCOMPARE(b.addedKg, 100.0);
    }

    void looseLoadsAndObjectsWithoutMass() {
        Layout layout = topView();
        layout.loads.push_back({QStringLiteral("Passagers"), 150, 0});
        layout.objects.append(box(ObjectKind::Rectangle, 0, 10, std::nullopt));
        layout.objects.append(box(ObjectKind::Text, 0, 10, std::nullopt));
        layout.objects.append(box(ObjectKind::Triangle, 0, 10, std::nullopt));
        const MassBudget b = document::layoutMassBudget(layout, kVan, kTopAxles);
        QCOMPARE(*b.frontKg, 1300.0);
        QCOMPARE(b.withoutMass, QStringList({QStringLiteral("Objet 1 (rectangle)"),
                                             QStringLiteral("Objet 3 (triangle)")}));
        layout.vehicleAxes = QStringLiteral("YZ");
        QVERIFY(!document::layoutMassBudget(layout, kVan, kTopAxles).frontKg);
    }

    void massText_data() {
        QTest::addColumn<double>("kg");
        QTest::addColumn<QString>("text");
        QTest::newRow("whole") << 1150.0 << QStringLiteral("1150");
        QTest::newRow("tenth, French comma") << 12.46 << QStringLiteral("12,5");
        QTest::newRow("no minus zero") << -0.01 << QStringLiteral("0");
        QTest::newRow("negative payload") << -150.0 << QStringLiteral("-150");
    }
    void massText() {
        QFETCH(double, kg);
        QFETCH(QString, text);
        QCOMPARE(document::massText(kg, QLocale(QLocale::French, QLocale::France)), text);
    }

    void handEditedFilesRead() {
        const QByteArray accessories = "# a comment\r\n"
                                       "Cuisine_Evier_40_35_XY_.bmp = 6,5\r\n"
                                       "  Lit=double_190_140_XY_.jpg=45  \n"
                                       "Energie_Batterie_35_20_XY-XZ_.bmp = lourde\n"
                                       "no equals sign\n"
                                       "Negatif_a_1_1_XY_.gif = -3\n";
        const library::AccessoryMasses masses = library::AccessoryMasses::fromFileText(accessories);
        QCOMPARE(masses.massOf(QStringLiteral("cuisine_evier_40_35_xy_.BMP")), 6.5);
        QCOMPARE(masses.massOf(QStringLiteral("Lit=double_190_140_XY_.jpg")), 45.0);
        QVERIFY(!masses.massOf(QStringLiteral("Energie_Batterie_35_20_XY-XZ_.bmp")));
        QVERIFY(!masses.massOf(QStringLiteral("Negatif_a_1_1_XY_.gif")));

        const QByteArray vehicles = "[Fourgon_L2H2]\nvide_avant = 1150\nvide_arriere = 850\n"
                                    "maxi_avant = 1850\nmaxi_arriere=2000\nmaxi_total = 3500\n"
                                    "[Fourgon_L3H2]\nvide_avant = 1200\n"
                                    "[Fourgon_L2H2_Gauche_XZ_5000_.gif]\n"
                                    "essieu_avant = 105\nESSIEU_ARRIERE = 450,5\n";
        const library::VehicleData data = library::VehicleData::fromFileText(vehicles);
        QCOMPARE(data.massesOf(QStringLiteral("Fourgon"), QStringLiteral("L2H2")), kVan);
        QVERIFY(!data.massesOf(QStringLiteral("Fourgon"), QStringLiteral("L3H2")));
        QCOMPARE(data.axlesOf(QStringLiteral("fourgon_l2h2_gauche_xz_5000_.gif")),
                 AxleCentres({105, 450.5}));
    }

    void filesRoundTripThroughTheLibrary() {
        testkit::ProgramFolder folder;
        platform::FileSystem fs;
        library::AccessoryMasses masses;
        masses.setMass(QStringLiteral("Cuisine_Evier_40_35_XY_.bmp"), 6.25);
        masses.setMass(QStringLiteral("Energie_Batterie_35_20_XY-XZ_.bmp"), 30);
        masses.setMass(QStringLiteral("Energie_Batterie_35_20_XY-XZ_.bmp"), std::nullopt);
        QVERIFY(library::writeAccessoryMasses(folder.path(), masses, fs));
        const library::AccessoryMasses read = library::readAccessoryMasses(folder.path(), fs);
        QCOMPARE(read.massOf(QStringLiteral("Cuisine_Evier_40_35_XY_.bmp")), 6.25);
        QVERIFY(!read.massOf(QStringLiteral("Energie_Batterie_35_20_XY-XZ_.bmp")));

        library::VehicleData data;
        data.setMasses(QStringLiteral("Fourgon"), QStringLiteral("L2H2"), kVan);
        data.setAxles(QStringLiteral("Fourgon_L2H2_Dessus_XY_5000_.jpg"), kTopAxles);
        QVERIFY(library::writeVehicleData(folder.path(), data, fs));
        const library::VehicleData back = library::readVehicleData(folder.path(), fs);
        QCOMPARE(back.fileText(), data.fileText());
        QCOMPARE(library::layoutMassBudget(topView(), back).frontKg, 1150.0);

        // A missing library folder: the write fails and says so.
        QVERIFY(!library::writeVehicleData(folder.path() + QStringLiteral("/absent"), data, fs));
        QVERIFY(!library::readAccessoryMasses(folder.path() + QStringLiteral("/absent"), fs)
                     .massOf(QStringLiteral("Cuisine_Evier_40_35_XY_.bmp")));
    }
};

QTEST_MAIN(TestMassBudget)
#include "tst_massbudget.moc"
