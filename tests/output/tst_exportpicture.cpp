// Guards the exported picture's making: the 24-bit bottom-up raster, the JPEG writer (encoding,
// replaced files, failures), the export zone search and the stamp's size and shortening.
#include "output/Bgr24Raster.h"
#include "output/ImageExport.h"
#include "output/JpegWriter.h"
#include "platform/Product.h"
#include "testkit/TestKit.h"

#include <QImageReader>
#include <QPainter>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>

using output::Bgr24Raster;
using platform::rgb;
namespace jpeg = output::JpegWriter;

namespace {

QImage quadrants(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(200, 30, 30), qRgb(20, 40, 210), qRgb(30, 160, 40),
                            qRgb(240, 220, 60)};
    for (int i = 0; i < 4; ++i)
        QPainter(&image).fillRect(i % 2 * w / 2, i / 2 * h / 2, w - w / 2, h - h / 2, colours[i]);
    return image;
}

Bgr24Raster rasterOf(const QImage& picture) {
    Bgr24Raster dib;
    dib.createFromPicture(picture);
    return dib;
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

int textWidth(const QString& text, int points) {
    platform::Surface surface(1, 1);
    surface.setFont(QFont(QStringLiteral("DejaVu Sans")));
    surface.setFontBold(true);
    surface.setFontSize(points);
    return surface.textSize(text).width();
}

const QString kModele = QStringLiteral("Fourgon");
const QString kCarros = QStringLiteral("L2H2");
const QString kFull = QStringLiteral("Fourgon L2H2  -  Kestrion  -  ") + platform::kSiteHost;
const QString kSite = QStringLiteral("Kestrion  -  ") + platform::kSiteHost;
const QString kShort = QStringLiteral("KT - ") + platform::kSiteHost;

} // namespace

class TestExportPicture : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void pixelsAreBlueGreenRedBottomRowFirstInPaddedRows() {
        QImage picture(2, 2, QImage::Format_RGB32);
        for (int i = 0; i < 4; ++i) // (1, 2, 3) (4, 5, 6) over (7, 8, 9) (10, 11, 12)
            picture.setPixel(i % 2, i / 2, qRgb(3 * i + 1, 3 * i + 2, 3 * i + 3));
        const Bgr24Raster dib = rasterOf(picture);
        const auto* bits = reinterpret_cast<const char*>(dib.bits());
        QVERIFY(bits);
        QCOMPARE(QByteArray(bits, 6), QByteArray("\x09\x08\x07\x0c\x0b\x0a", 6));
        QCOMPARE(QByteArray(bits + dib.bytesPerRow(), 6),
                 QByteArray("\x03\x02\x01\x06\x05\x04", 6));
    }

    void replacedFileKeepsItsTimesAndMode() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.jpg"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("not a picture") > 0);
        old.close();
        QVERIFY(
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        const timespec times[2] = {{1000000000, 123456789}, {1100000000, 987654321}};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);

        QVERIFY(jpeg::writeJpeg(rasterOf(quadrants(16, 16)), path, 90));
        struct stat after {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &after), 0);
        QVERIFY(readBytes(path).startsWith("\xFF\xD8"));
        QCOMPARE(after.st_mode & 07777, mode_t(0640));
        auto ns = [](const timespec& t) { return t.tv_sec * 1'000'000'000LL + t.tv_nsec; };
        QCOMPARE(ns(after.st_atim), ns(times[0]));
        QCOMPARE(ns(after.st_mtim), ns(times[1]));
    }

    void failuresRaise26001AndLeaveFilesAlone_data() {
        QTest::addColumn<bool>("emptyBuffer");
        QTest::addColumn<QString>("target"); // relative to a temporary folder
        QTest::newRow("empty buffer over an existing file") << true << "kept.jpg";
        QTest::newRow("folder that does not exist") << false << "missing/plan.jpg";
    }
    void failuresRaise26001AndLeaveFilesAlone() {
        QFETCH(bool, emptyBuffer);
        QFETCH(QString, target);
        QTemporaryDir dir;
        QFile kept(dir.filePath(QStringLiteral("kept.jpg")));
        QVERIFY(kept.open(QIODevice::WriteOnly) && kept.write("earlier file") > 0);
        kept.close();
        try {
            jpeg::writeJpeg(emptyBuffer ? Bgr24Raster() : rasterOf(quadrants(8, 8)),
                            dir.filePath(target), 90);
            QFAIL("no failure raised");
        } catch (const jpeg::JpegError& e) {
            QCOMPARE(e.number(), 26001);
            QVERIFY2(e.description().startsWith(QStringLiteral("Failed to save to JPG ")),
                     qPrintable(e.description()));
        }
        QCOMPARE(readBytes(kept.fileName()), QByteArray("earlier file"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot),
                 QStringList{QStringLiteral("kept.jpg")});
    }

    void zoneSearch_data() {
        QTest::addColumn<QRect>("drawing"); // inclusive corners, filled on a 400 x 300 canvas
        QTest::addColumn<uint>("colour");
        QTest::addColumn<QList<int>>("expected"); // automatic; without, always the whole canvas
        const QRect middle(QPoint(150, 100), QPoint(200, 150));
        const QList<int> whole{0, 0, 400, 300}, found{140, 90, 208, 158};
        const uint black = rgb(0, 0, 0);
        QTest::newRow("nothing drawn: whole canvas") << QRect() << black << whole;
        QTest::newRow("dark grey is drawn, 10-pixel margin") << middle << rgb(64, 64, 64) << found;
        QTest::newRow("blue 240, green 239 is drawn") << middle << rgb(255, 239, 240) << found;
        QTest::newRow("pure blue is background") << middle << rgb(0, 0, 255) << whole;
        QTest::newRow("black with blue 241 is background") << middle << rgb(0, 0, 241) << whole;
        QTest::newRow("wholly left of column 100: whole canvas")
            << QRect(QPoint(20, 50), QPoint(60, 80)) << black << whole;
        QTest::newRow("left of column 100 touching column 0 keeps its height")
            << QRect(QPoint(0, 50), QPoint(60, 80)) << black << QList<int>{0, 40, 400, 88};
        QTest::newRow("narrower than 20 pixels: whole width, height kept")
            << QRect(QPoint(203, 50), QPoint(205, 250)) << black << QList<int>{0, 40, 400, 258};
        QTest::newRow("lower than 20 pixels: whole height, width kept")
            << QRect(QPoint(150, 148), QPoint(250, 150)) << black << QList<int>{140, 0, 258, 300};
        QTest::newRow("right edge clamped to the last column")
            << QRect(QPoint(150, 100), QPoint(399, 150)) << black << QList<int>{140, 90, 399, 158};
    }
    void zoneSearch() {
        QFETCH(QRect, drawing);
        QFETCH(uint, colour);
        QFETCH(QList<int>, expected);
        platform::Surface surface(400, 300);
        if (!drawing.isNull())
            surface.fillBox(drawing.left(), drawing.top(), drawing.right(), drawing.bottom(),
                            colour);
        const output::Zone zone = output::findExportZone(surface, true);
        QCOMPARE((QList<int>{zone.left, zone.top, zone.right, zone.bottom}), expected);
        QVERIFY(output::findExportZone(surface, false) == (output::Zone{0, 0, 400, 300}));
    }

    void stampChoice_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("points");
        const int full10 = textWidth(kFull, 10), full8 = textWidth(kFull, 8);
        const int site8 = textWidth(kSite, 8), short8 = textWidth(kShort, 8);
        QTest::newRow("one pixel wider than the text: 10 points") << full10 + 1 << kFull << 10;
        QTest::newRow("exactly as wide: too wide for 10 points") << full10 << kFull << 9;
        QTest::newRow("exactly as wide at 8 points: the full text stays") << full8 << kFull << 8;
        QTest::newRow("one pixel narrower: the product and the site") << full8 - 1 << kSite << 8;
        QTest::newRow("narrower: the short form") << site8 - 1 << kShort << 8;
        QTest::newRow("narrower still: the product name alone") << short8 - 1 << "Kestrion" << 8;
        QTest::newRow("very narrow: the product name, overflowing") << 5 << "Kestrion" << 8;
    }
    void stampChoice() {
        QFETCH(int, width);
        QFETCH(QString, text);
        QFETCH(int, points);
        const output::Stamp stamp = output::chooseStamp(width, kModele, kCarros);
        QCOMPARE(stamp.text, text);
        QCOMPARE(stamp.points, points);
    }
};

QTEST_MAIN(TestExportPicture)
#include "tst_exportpicture.moc"
