// Guards the sample library: our GIF encoder round-trips pixels, and every sample is a valid
// library entry.
#include "GifWriter.h"
#include "SampleLibrary.h"
#include "library/LibraryNames.h"
#include "platform/Pictures.h"
#include "testkit/TestKit.h"

#include <QBuffer>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QImage decodeGif(const QByteArray& bytes) {
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer, "gif");
    return reader.read().convertToFormat(QImage::Format_RGB32);
}

QImage pattern(int width, int height, int colours) {
    QImage image(width, height, QImage::Format_RGB32);
    std::uint32_t state = 12345;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            state = state * 1103515245u + 12345u;
            // Runs of equal pixels and random ones, so the dictionary grows and resets.
            const int c = (x / 7 + y) % 3 == 0 ? int((state >> 16) % std::uint32_t(colours))
                                               : (x * y) % colours;
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
        QImage single(5, 3, QImage::Format_RGB32);
        single.fill(qRgb(10, 20, 30));
        QTest::newRow("one colour") << single;
        QTest::newRow("three colours, odd size") << pattern(13, 7, 3);
        QTest::newRow("17 colours: 5-bit table") << pattern(40, 30, 17);
        QTest::newRow("256 colours, dictionary resets") << pattern(300, 200, 256);
        QTest::newRow("one pixel wide") << pattern(1, 50, 4);
    }
    void gifKeepsPixels() {
        QFETCH(QImage, picture);
        QVERIFY(testkit::imagesMatch(decodeGif(samplelib::encodeGif(picture)), picture,
                                     QStringLiteral("gif")));
    }

    void gifOfManyColoursIsClose() {
        QImage ramp(256, 64, QImage::Format_RGB32);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 256; ++x)
                ramp.setPixel(x, y, qRgb(x, y * 4, 255 - x));
        QVERIFY(testkit::imagesMatch(decodeGif(samplelib::encodeGif(ramp)), ramp,
                                     QStringLiteral("gifcube"), 26));
    }

    void vehicleNamesParse() {
        QStringList formats;
        for (const auto& file : samplelib::vehicleViews()) {
            const auto name = library::LireNomVehicule(file.name);
            QVERIFY2(name, qPrintable(file.name));
            formats << library::extensionOf(file.name);
        }
        formats.removeDuplicates();
        formats.sort();
        QCOMPARE(formats, (QStringList{"bmp", "gif", "jpg"}));
    }

    void accessoryNamesParseAndKeepTheirShape() {
        const auto files = samplelib::accessories();
        QVERIFY(files.size() >= 12);
        for (const auto& file : files) {
            const auto name = library::LireNomAccessoire(file.name);
            QVERIFY2(name, qPrintable(file.name));
            QVERIFY(library::isCompatible(name->vues, QStringLiteral("XY")) ||
                    library::isCompatible(name->vues, QStringLiteral("XZ")) ||
                    library::isCompatible(name->vues, QStringLiteral("YZ")));
            QCOMPARE(file.picture.width() * name->hauteur, file.picture.height() * name->largeur);
        }
    }

    void writtenFilesReadBackAndOthersStay() {
        QTemporaryDir root;
        const QString mine = root.path() + QStringLiteral("/textures/Mien.bmp");
        QDir(root.path()).mkpath(QStringLiteral("textures"));
        QFile keep(mine);
        QVERIFY(keep.open(QIODevice::WriteOnly));
        keep.write("not ours");
        keep.close();
        for (const auto& file : samplelib::textures()) {
            QVERIFY(samplelib::writeSample(root.path(), file));
            const auto read = platform::LoadPicture(root.path() + QLatin1Char('/') + file.folder +
                                                    QLatin1Char('/') + file.name);
            QVERIFY2(read, qPrintable(file.name));
            QCOMPARE(read->size(), file.picture.size());
        }
        QVERIFY(QFile::exists(mine));
        QCOMPARE(library::listTextures(platform::FileSystem{}, root.path()).size(), 5);
    }
};

QTEST_MAIN(TestSampleLibrary)
#include "tst_samplelibrary.moc"
