// Guards the sample library: its GIF encoder (pictures read back with their pixels) and
// its mass data (every accessory weighed, axle centres on the wheels drawn).
#include "GifWriter.h"
#include "SampleLibrary.h"
#include "library/LibraryNames.h"
#include "testkit/TestKit.h"

#include <QBuffer>
#include <QImageReader>
#include <QRandomGenerator>
#include <QtTest>

namespace {

// Runs of equal pixels and random ones, so that the dictionary grows and resets.
QImage pattern(int width, int height, int colours) {
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator random(12345);
    for (int i = 0; i < width * height; ++i) {
        const int x = i % width, y = i / width;
        const int c = (x / 7 + y) % 3 == 0 ? random.bounded(colours) : (x * y) % colours;
        image.setPixel(x, y, qRgb(c * 37 % 256, c * 91 % 256, c * 53 % 256));
    }
    return image;
}

} // namespace

class TestSampleLibrary : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void gifKeepsPixels_data() {
        QTest::addColumn<QImage>("picture");
        QTest::addColumn<int>("tolerance");
        QImage ramp(256, 64, QImage::Format_RGB32);
        for (int i = 0; i < 256 * 64; ++i)
            ramp.setPixel(i % 256, i / 256, qRgb(i % 256, i / 256 * 4, 255 - i % 256));
        QTest::newRow("one colour") << pattern(5, 3, 1) << 0;
        QTest::newRow("17 colours: 5-bit table, odd size") << pattern(41, 29, 17) << 0;
        QTest::newRow("256 colours, dictionary resets") << pattern(300, 200, 256) << 0;
        QTest::newRow("one pixel wide") << pattern(1, 50, 4) << 0;
        QTest::newRow("more than 256 colours come out close") << ramp << 26;
    }
    void gifKeepsPixels() {
        QFETCH(QImage, picture);
        QFETCH(int, tolerance);
        QBuffer buffer;
        buffer.setData(samplelib::encodeGif(picture));
        const QImage decoded = QImageReader(&buffer, "gif").read();
        QVERIFY(testkit::imagesMatch(decoded.convertToFormat(QImage::Format_RGB32), picture,
                                     QStringLiteral("gif"), tolerance));
    }

    void everyAccessoryHasAMass() {
        const library::AccessoryMasses masses = [] {
            library::AccessoryMasses m;
            for (const auto& [picture, kg] : samplelib::accessoryMasses())
                m.setMass(picture, kg);
            return library::AccessoryMasses::fromFileText(m.fileText());
        }();
        for (const samplelib::SampleFile& file : samplelib::accessories()) {
            const std::optional<double> kg = masses.massOf(file.name);
            QVERIFY2(kg, qPrintable(file.name));
            QVERIFY2(*kg > 0, qPrintable(file.name));
            QVERIFY2(*kg < 200, qPrintable(file.name));
        }
    }

    // The axle centres the data give fall on the wheel hubs drawn in the side views, and
    // the empty van leaves a payload within each axle's maximum.
    void axleCentresOnTheWheels() {
        const library::VehicleData data =
            library::VehicleData::fromFileText(samplelib::vehicleData().fileText());
        int sideViews = 0;
        for (const samplelib::SampleFile& file : samplelib::vehicleViews()) {
            const auto name = library::parseVehicleName(file.name);
            QVERIFY(name);
            const auto masses = data.massesOf(name->model, name->body);
            QVERIFY(masses);
            QVERIFY(masses->kerbFrontKg < masses->maxFrontKg);
            QVERIFY(masses->kerbRearKg < masses->maxRearKg);
            QVERIFY(masses->maxFrontKg + masses->maxRearKg > masses->maxTotalKg);
            const auto axles = data.axlesOf(file.name);
            QCOMPARE(axles.has_value(), name->axes != QStringLiteral("YZ"));
            if (name->axes != QStringLiteral("XZ"))
                continue;
            ++sideViews;
            const double pxPerCm = 10000.0 / name->resolution;
            const int hubY = file.picture.height() - int(std::lround((10 + 35) * pxPerCm));
            for (const double axle : {axles->frontCm, axles->rearCm}) {
                const int x = int(std::lround(axle * pxPerCm));
                QCOMPARE(file.picture.pixelColor(x, hubY), QColor(Qt::white));
                const int tyre = int(std::lround(28 * pxPerCm));
                QCOMPARE(file.picture.pixelColor(x - tyre, hubY), samplelib::ink::tyre);
                QCOMPARE(file.picture.pixelColor(x + tyre, hubY), samplelib::ink::tyre);
            }
        }
        QCOMPARE(sideViews, 2);
    }
};

QTEST_MAIN(TestSampleLibrary)
#include "tst_samplelibrary.moc"
