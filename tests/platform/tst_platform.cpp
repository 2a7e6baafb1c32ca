// Guards the drawing surface primitives, reading and writing pictures and the file
// operations.
#include "platform/FileSystem.h"
#include "platform/Pictures.h"
#include "platform/Surface.h"
#include "testkit/TestKit.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <csignal>
#include <sys/resource.h>

using namespace platform;

namespace {

constexpr Colour kRed = rgb(255, 0, 0);
constexpr Colour kGreen = rgb(0, 255, 0);
constexpr Colour kBlue = rgb(0, 0, 255);

// A 2x2 picture: red, green on top; blue, white below.
QImage quadrants() {
    QImage p(2, 2, QImage::Format_RGB32);
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 255)};
    for (int k = 0; k < 4; ++k)
        p.setPixel(k % 2, k / 2, colours[k]);
    return p;
}

// A surface whose every pixel differs from its neighbours, so that any change shows.
Surface patterned(int w, int h) {
    Surface s(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            s.setPixel(x, y, rgb(x * 7 % 256, y * 13 % 256, (x * y) % 256));
    return s;
}

// A 2x1 GIF made by hand: a red pixel then a blue one (2-colour table, LZW codes
// clear, 0, 1, end of information at 3 bits each).
const QByteArray kRedBlueGif =
    QByteArray::fromHex("47494638396102000100800000ff00000000ff2c0000000002000100000202440a003b");

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    image.save(&buffer, format, 100);
    return bytes;
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// White picture with one black line.
QImage lineOnWhite(QSize size, QLine line) {
    QImage p(size, QImage::Format_RGB32);
    p.fill(Qt::white);
    QPainter painter(&p);
    painter.setPen(Qt::black);
    painter.drawLine(line);
    return p;
}

// The shrink rule written out pixel by pixel: each target pixel of the area is the AND
// of the source pixels whose centres fall in it (a negative size mirrors that axis).
// Pixels that no centre falls in are left as they are (marked by the background).
QImage andShrunk(const QImage& picture, const QRectF& area, QSize surfaceSize, QRgb background) {
    QImage expected(surfaceSize, QImage::Format_RGB32);
    expected.fill(background);
    QList<QList<bool>> hit(surfaceSize.height(), QList<bool>(surfaceSize.width(), false));
    for (int j = 0; j < picture.height(); ++j)
        for (int i = 0; i < picture.width(); ++i) {
            const int tx = int(std::floor(area.x() + (i + 0.5) * area.width() / picture.width()));
            const int ty = int(std::floor(area.y() + (j + 0.5) * area.height() / picture.height()));
            if (!expected.valid(tx, ty))
                continue;
            const QRgb before = hit[ty][tx] ? expected.pixel(tx, ty) : 0xFFFFFFFFu;
            expected.setPixel(tx, ty, before & picture.pixel(i, j));
            hit[ty][tx] = true;
        }
    return expected;
}

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void invertTwiceRestores_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QRect>("ends"); // from top-left to bottom-right corner
        QTest::addColumn<bool>("box");
        QTest::newRow("thin horizontal line") << 1 << QRect(QPoint(2, 10), QPoint(30, 10)) << false;
        QTest::newRow("thin diagonal line") << 1 << QRect(QPoint(1, 3), QPoint(28, 25)) << false;
        QTest::newRow("wide diagonal line") << 3 << QRect(QPoint(4, 2), QPoint(25, 29)) << false;
        QTest::newRow("single point") << 1 << QRect(QPoint(7, 7), QPoint(7, 7)) << false;
        QTest::newRow("filled box") << 1 << QRect(QPoint(2, 3), QPoint(9, 12)) << true;
    }
    void invertTwiceRestores() {
        QFETCH(int, width);
        QFETCH(QRect, ends);
        QFETCH(bool, box);
        Surface s = patterned(32, 32);
        const QImage before = s.image();
        s.drawMode = DrawMode::Invert;
        s.penWidth = width;
        const auto draw = [&] {
            const auto [x1, y1, x2, y2] = std::array{float(ends.left()), float(ends.top()),
                                                     float(ends.right()), float(ends.bottom())};
            box ? s.fillBox(x1, y1, x2, y2, kRed) : s.line(x1, y1, x2, y2, kBlack);
        };
        draw();
        QCOMPARE(s.Point(ends.left(), ends.top()),
                 Colour(fromQRgb(before.pixel(ends.topLeft())) ^ 0xFFFFFFu));
        draw();
        QVERIFY(testkit::imagesMatch(s.image(), before, QStringLiteral("invert_twice")));
    }

    void textCells_data() {
        QTest::addColumn<bool>("transparent");
        QTest::newRow("transparent cells keep the picture") << true;
        QTest::newRow("opaque cells are filled with the back colour") << false;
    }
    void textCells() {
        QFETCH(bool, transparent);
        Surface s(60, 30, kGreen);
        s.backgroundColour = rgb(255, 255, 0);
        s.penColour = kBlue;
        s.transparentText = transparent;
        s.textX = 2;
        s.textY = 3;
        const QSize cell = s.textSize(QStringLiteral("Mi"));
        s.drawText(QStringLiteral("Mi"));
        QCOMPARE(s.textX, 2.f + float(cell.width()));
        QSet<Colour> seen;
        for (int y = 3; y < 3 + cell.height(); ++y)
            for (int x = 2; x < 2 + cell.width(); ++x)
                seen.insert(s.Point(x, y));
        QVERIFY(seen.contains(kBlue));
        QCOMPARE(seen.contains(kGreen), transparent);
        QCOMPARE(seen.contains(rgb(255, 255, 0)), !transparent);
        // Outside the cell the picture is untouched either way.
        QCOMPARE(s.Point(2 + cell.width() + 1, 3), kGreen);
    }

    void loadPicture_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QImage>("expected"); // null: refused
        QTest::addColumn<int>("tolerance");
        QImage flat(16, 16, QImage::Format_RGB32);
        flat.fill(qRgb(200, 100, 50));
        QImage redBlue(2, 1, QImage::Format_RGB32);
        redBlue.setPixel(0, 0, qRgb(255, 0, 0));
        redBlue.setPixel(1, 0, qRgb(0, 0, 255));
        const QImage varied = patterned(5, 3).image();
        QTest::newRow("BMP, exact") << encoded(varied, "BMP") << varied << 0;
        QTest::newRow("JPEG, flat colour within its loss") << encoded(flat, "JPEG") << flat << 6;
        QTest::newRow("hand-made GIF") << kRedBlueGif << redBlue << 0;
        QTest::newRow("text refused") << QByteArray("Kestrion 2\r\n") << QImage() << 0;
        QTest::newRow("GIF cut short refused") << kRedBlueGif.left(12) << QImage() << 0;
    }
    void loadPicture() {
        QFETCH(QByteArray, bytes);
        QFETCH(QImage, expected);
        QFETCH(int, tolerance);
        const QString path = dir_.filePath(QStringLiteral("p.gif"));
        QVERIFY(writeBytes(path, bytes));
        const auto loaded = LoadPicture(path);
        QCOMPARE(loaded.has_value(), !expected.isNull());
        if (loaded) {
            QCOMPARE(loaded->format(), QImage::Format_RGB32);
            QVERIFY(testkit::imagesMatch(*loaded, expected, QStringLiteral("load"), tolerance));
        }
    }

    void savesA24BitBitmap() {
        const QString path = dir_.filePath(QStringLiteral("saved.bmp"));
        const QImage picture = patterned(5, 3).image();
        QVERIFY(SavePicture(picture, path));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray head = f.read(30);
        QVERIFY(head.startsWith("BM"));
        QCOMPARE(int(uchar(head[28])), 24); // bits per pixel
        QVERIFY(testkit::imagesMatch(LoadPicture(path).value_or(QImage()), picture,
                                     QStringLiteral("saved_bmp")));
        QVERIFY(!SavePicture(QImage(), path));
        QVERIFY(!SavePicture(picture, dir_.filePath(QStringLiteral("absent/x.bmp"))));
    }

    void libraryPictureLookup_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("found"); // file found in the library, empty: none
        QTest::addColumn<bool>("decodes");
        // "*": the first match in the folder's listing order, whichever case that puts first.
        const struct {
            const char *row, *name, *found;
            bool decodes;
        } rows[] = {
            {"other letter case", "parquet CHENE.JPG", "Parquet chene.jpg", true},
            {"accented letters ignore case too", "ÉVIER.BMP", "évier.bmp", true},
            {"several matches: first listed", "b.BMP", "*", true},
            {"exact match preferred", "b.bmp", "b.bmp", true},
            {"present but not a picture", "BROKEN.jpg", "broken.jpg", false},
            {"absent", "chene.jpg", "", false},
            {"parent folder", "../outside.bmp", "", false},
            {"sub-folder", "sub/inner.bmp", "", false},
            {"backslash", "..\\outside.bmp", "", false},
            {"the folder itself", ".", "", false},
        };
        for (const auto& r : rows)
            QTest::newRow(r.row) << QString::fromUtf8(r.name) << QString::fromUtf8(r.found)
                                 << r.decodes;
    }
    void libraryPictureLookup() {
        QFETCH(QString, name);
        QFETCH(QString, found);
        QFETCH(bool, decodes);
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("textures"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/sub")));
        const QByteArray bmp = encoded(quadrants(), "BMP");
        for (const char* n : {"textures/Parquet chene.jpg", "textures/évier.bmp", "textures/b.bmp",
                              "textures/B.bmp", "textures/sub/inner.bmp", "outside.bmp"})
            QVERIFY(writeBytes(root.filePath(QString::fromUtf8(n)), bmp));
        QVERIFY(writeBytes(folder + QStringLiteral("/broken.jpg"), "not a picture"));

        if (found == QLatin1String("*")) {
            const QStringList listed = FileSystem().listFolder(folder, QStringLiteral("*")).value();
            found = listed.at(listed.indexOf(QRegularExpression(
                QStringLiteral("^b\\.bmp$"), QRegularExpression::CaseInsensitiveOption)));
        }
        const std::optional<QString> path = findLibraryFile(folder, name);
        QCOMPARE(path.value_or(QString()), found.isEmpty() ? QString() : folder + '/' + found);
        QCOMPARE(LoadLibraryPicture(folder, name).has_value(), decodes);
        PictureCache cache;
        QCOMPARE(cache.get(folder, name) != nullptr, decodes);
        QCOMPARE(cache.get(folder, name) != nullptr, decodes); // and again from the cache
    }

    // Shrunk pictures keep one-pixel dark lines: every pixel is the AND of the pixels it
    // covers, checked against the rule written out pixel by pixel.
    void shrinkKeepsDarkLines_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QLine>("line");
        QTest::addColumn<QRectF>("area"); // a negative size mirrors that axis
        QTest::newRow("vertical line to 10 %")
            << QSize(200, 100) << QLine(57, 0, 57, 99) << QRectF(3, 2, 20, 10);
        QTest::newRow("diagonal to 7 %, mirrored left-right")
            << QSize(300, 300) << QLine(0, 0, 299, 299) << QRectF(25, 2, -21, 21);
        QTest::newRow("fractional area, mirrored top-bottom")
            << QSize(97, 61) << QLine(0, 40, 96, 12) << QRectF(1.5, 30.25, 33.3, -27.6);
        QTest::newRow("partly off the surface")
            << QSize(400, 300) << QLine(350, 0, 350, 299) << QRectF(-10, -5, 40, 30);
    }
    void shrinkKeepsDarkLines() {
        QFETCH(QSize, size);
        QFETCH(QLine, line);
        QFETCH(QRectF, area);
        const QImage picture = lineOnWhite(size, line);
        const QRgb grey = qRgb(128, 128, 128);
        Surface s(40, 32, rgb(128, 128, 128));
        s.drawPicture(picture, float(area.x()), float(area.y()), float(area.width()),
                      float(area.height()));
        QImage expected = andShrunk(picture, area, s.image().size(), grey);
        // The area is rounded to whole pixels as QRectF::toRect does; edge pixels there
        // that hold no source centre take their nearest pixel instead.
        const QRect painted = area.normalized().toRect();
        QImage actual = s.image();
        for (int y = 0; y < actual.height(); ++y)
            for (int x = 0; x < actual.width(); ++x)
                if (expected.pixel(x, y) == grey || !painted.contains(x, y)) {
                    actual.setPixel(x, y, grey);
                    expected.setPixel(x, y, grey);
                }
        QVERIFY(testkit::imagesMatch(actual, expected, QStringLiteral("and_shrink")));
    }

    // Enlarged (or 1:1) pictures sample as QPainter's nearest-neighbour scaling does.
    void enlargeSamplesLikeQPainter_data() {
        QTest::addColumn<QRectF>("area"); // a negative size mirrors that axis
        QTest::addColumn<bool>("andOp");
        QTest::newRow("225 %") << QRectF(3, 4, 67.5, 45) << false;
        QTest::newRow("150 %, starting off the surface") << QRectF(-105, -15, 45, 30) << false;
        QTest::newRow("mirrored both ways") << QRectF(70.5, 60, -55, -41.3) << false;
        QTest::newRow("ANDed, 170 %") << QRectF(1, 1, 51, 34) << true;
    }
    void enlargeSamplesLikeQPainter() {
        QFETCH(QRectF, area);
        QFETCH(bool, andOp);
        QImage picture(30, 20, QImage::Format_RGB32);
        for (int y = 0; y < 20; ++y)
            for (int x = 0; x < 30; ++x)
                picture.setPixel(x, y, qRgb(x * 8, y * 12, (x * 7 + y * 3) & 255));
        Surface s = patterned(96, 64);
        QImage expected = s.image().copy();
        {
            QPainter p(&expected);
            p.setCompositionMode(andOp ? QPainter::RasterOp_SourceAndDestination
                                       : QPainter::CompositionMode_Source);
            const QRectF target = area.normalized();
            p.translate(target.center());
            p.scale(area.width() < 0 ? -1 : 1, area.height() < 0 ? -1 : 1);
            p.translate(-target.center());
            p.drawImage(target, picture);
        }
        s.drawPicture(picture, float(area.x()), float(area.y()), float(area.width()),
                      float(area.height()), andOp ? RasterOp::And : RasterOp::Copy);
        QVERIFY(testkit::imagesMatch(s.image(), expected, QStringLiteral("enlarge")));
    }

    // Coordinates far off the surface draw what lies on it, at once; nothing for NaN.
    void farOffCoordinatesDrawTheVisiblePart() {
        constexpr float far = 1e30f;
        Surface s(50, 40, kWhite);
        s.line(-far, 5, far, 5, kRed);
        s.fillBox(-far, 10, far, 12, kBlue);
        s.penWidth = 3;
        s.line(20, -far, 20, far, kGreen);
        s.penWidth = 1;
        QImage tile(3, 2, QImage::Format_RGB32);
        tile.fill(qRgb(0, 0, 0));
        s.tilePicture(tile, -1e9f, 30, 2e9, 1e12);
        s.drawPicture(tile, std::nanf(""), 0, 10, 10);
        s.textX = -far;
        s.drawText(QStringLiteral("far"));
        for (int x = 0; x < 50; ++x) {
            const bool nearWide = x >= 18 && x <= 22; // the 3-pixel line's column
            if (x == 20 || !nearWide) {
                QCOMPARE(s.Point(x, 5), x == 20 ? kGreen : kRed);
                QCOMPARE(s.Point(x, 11), x == 20 ? kGreen : kBlue);
                QCOMPARE(s.Point(x, 0), x == 20 ? kGreen : kWhite);
            }
            QCOMPARE(s.Point(x, 35), kBlack);
        }
    }

    // Pictures and their turned versions are made from the file on disk and follow it when it
    // is replaced.
    // Pictures and their turned versions are made from the file on disk and follow it when it
    // is replaced (how each turn looks is checked with the plan drawing).
    void turnedPicturesFollowTheFile() {
        const QString path = dir_.filePath(QStringLiteral("turned.bmp"));
        const QString name = QStringLiteral("turned.bmp");
        PictureCache cache;
        QImage strip(3, 1, QImage::Format_RGB32);
        strip.fill(Qt::red);
        QVERIFY(SavePicture(strip, path));
        QCOMPARE(cache.turned(dir_.path(), name, 1)->size(), QSize(1, 3));
        QVERIFY(SavePicture(quadrants(), path)); // replaced in the library, another size
        QCOMPARE(cache.get(dir_.path(), name)->pixel(0, 1), qRgb(0, 0, 255));
        QCOMPARE(cache.turned(dir_.path(), name, 1)->pixel(0, 0), qRgb(0, 255, 0));
        QFile::remove(path);
        QVERIFY(!cache.turned(dir_.path(), name, 1));
    }

    void listFolderOrderAndPattern() {
        const QString folder = dir_.filePath(QStringLiteral("lib"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/sub.jpg")));
        for (const char* n : {"b.jpg", "A.BMP", "a.gif", "c.jpeg", "d.png", "e.jpg.txt", "B.Gif",
                              "Zèbre.bmp", "Évier.bmp", "eau.bmp", "Ecran.bmp", "Étagère.bmp"})
            QVERIFY(writeBytes(folder + QLatin1Char('/') + QString::fromUtf8(n), "x"));
        FileSystem fs;
        // French order: accents and case only break ties.
        QCOMPARE(fs.listFolder(folder, kPicturePattern).value_or(QStringList{}),
                 (QStringList{"A.BMP", "a.gif", "B.Gif", "b.jpg", "c.jpeg", "eau.bmp", "Ecran.bmp",
                              "Étagère.bmp", "Évier.bmp", "Zèbre.bmp"}));
        QVERIFY(!fs.listFolder(folder + QStringLiteral("/absent"), kPicturePattern));
    }

    void writeSafely() {
        FileSystem fs;
        const QString path = dir_.filePath(QStringLiteral("kept.kla"));
        QVERIFY(fs.writeFileSafely(path, "old contents"));
        QVERIFY(fs.writeFileSafely(path, "earlier layout"));
        // A write that runs out of room half-way: the disk-full case.
        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
        const bool written = fs.writeFileSafely(path, QByteArray(64 * 1024, 'x'));
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);
        QVERIFY(!written);
        QCOMPARE(fs.readFile(path), std::optional(QByteArray("earlier layout")));
        QCOMPARE(QDir(dir_.path()).entryList({QStringLiteral("kept.kla*")}, QDir::Files),
                 QStringList{"kept.kla"});
        QVERIFY(!fs.writeFileSafely(dir_.filePath(QStringLiteral("no/such/folder.kla")), "x"));
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
