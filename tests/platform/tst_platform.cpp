// Guards the drawing surface primitives, reading and writing pictures and the file operations.
#include "platform/FileSystem.h"
#include "platform/NumberText.h"
#include "platform/Numbers.h"
#include "platform/PictureStretch.h"
#include "platform/Pictures.h"
#include "platform/SafeWrite.h"
#include "platform/Surface.h"
#include "testkit/TestKit.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace platform;

namespace {

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

// Shrinking written out pixel by pixel: each target pixel is the AND of the source pixels
// whose centres fall in it; pixels no centre falls in stay transparent.
QImage andShrunk(const QImage& picture, const QRectF& area, QSize surfaceSize) {
    QImage expected(surfaceSize, QImage::Format_ARGB32);
    expected.fill(Qt::transparent);
    for (int j = 0; j < picture.height(); ++j)
        for (int i = 0; i < picture.width(); ++i) {
            const int tx = int(std::floor(area.x() + (i + 0.5) * area.width() / picture.width()));
            const int ty = int(std::floor(area.y() + (j + 0.5) * area.height() / picture.height()));
            if (!expected.valid(tx, ty))
                continue;
            const QRgb before = expected.pixel(tx, ty);
            expected.setPixel(tx, ty,
                              (qAlpha(before) ? before : 0xFFFFFFFFu) & picture.pixel(i, j));
        }
    return expected;
}

// Column spans as (y1, y2) pairs.
using Spans = QList<QPointF>;

// Spans of an ellipse column by column, its outermost columns a little past the rim
// (their half-height grows again there, as the plan's ellipse formula gives).
Spans ellipseSpans(int columns, float cy, float halfHeight) {
    Spans spans;
    const float halfWidth = float(columns - 1) / 2 - 0.4f;
    for (int i = 0; i < columns; ++i) {
        const float t = (float(i) - float(columns - 1) / 2) / halfWidth;
        const float d = halfHeight * std::sqrt(std::fabs(1.0f - t * t));
        spans.append(QPointF(cy - d, cy + d));
    }
    return spans;
}

// Uneven spans from a fixed seed: tops and bottoms that rise and fall at random.
Spans jaggedSpans(int columns, std::uint32_t seed) {
    Spans spans;
    for (int i = 0; i < columns; ++i) {
        seed = seed * 1103515245u + 12345u;
        const float a = float(seed >> 16 & 63) - 10.5f;
        seed = seed * 1103515245u + 12345u;
        spans.append(QPointF(a, a + float(seed >> 16 & 31) - 8));
    }
    return spans;
}

// The tile's pixel that covers (x, y) of an area tiled from its top-left corner (left, top).
QRgb tilePixel(const QImage& tile, int left, int top, int x, int y) {
    const auto wrap = [](int v, int n) { return ((v % n) + n) % n; };
    return tile.pixel(wrap(x - left, tile.width()), wrap(y - top, tile.height()));
}

} // namespace

class TestPlatform : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    FileSystem fs_;

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    // Sizes are stored in single precision: shown as the shortest text that reads back
    // to the same float, in the locale's decimals, never with exponent or groups.
    void shortestTextReadsBackTheSameFloat_data() {
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("french");
        QTest::addColumn<QString>("c");
        QTest::newRow("30.6, not 30.6000003814697") << 30.6f << "30,6"
                                                    << "30.6";
        QTest::newRow("200.3, not 200.300003051758") << 200.3f << "200,3"
                                                     << "200.3";
        QTest::newRow("whole") << 200.0f << "200"
                               << "200";
        QTest::newRow("no group separator") << 123456.7f << "123456,7"
                                            << "123456.7";
        QTest::newRow("eight digits needed") << 1.0f / 3.0f << "0,33333334"
                                             << "0.33333334";
        QTest::newRow("large: no exponent") << 1e10f << "10000000000"
                                            << "10000000000";
        QTest::newRow("small: no exponent") << 0.0001f << "0,0001"
                                            << "0.0001";
        QTest::newRow("negative") << -2.5f << "-2,5"
                                  << "-2.5";
        QTest::newRow("negative zero") << -0.0f << "0"
                                       << "0";
        QTest::newRow("not a number") << std::numeric_limits<float>::quiet_NaN() << "0"
                                      << "0";
    }
    void shortestTextReadsBackTheSameFloat() {
        QFETCH(float, value);
        QFETCH(QString, french);
        QFETCH(QString, c);
        QCOMPARE(shortestText(value, QLocale(QLocale::French, QLocale::France)), french);
        QCOMPARE(shortestText(value, QLocale::c()), c);
        if (std::isfinite(value))
            QCOMPARE(float(parseNumber(french).value_or(-1)), value);
    }

    void invertTwiceRestores_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QRect>("ends"); // from top-left to bottom-right corner
        QTest::addColumn<bool>("box");
        QTest::newRow("thin diagonal line") << 1 << QRect(QPoint(1, 3), QPoint(28, 25)) << false;
        QTest::newRow("wide diagonal line") << 3 << QRect(QPoint(4, 2), QPoint(25, 29)) << false;
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
        const QRectF e(ends);
        const auto draw = [&] {
            box ? s.fillBox(e.left(), e.top(), e.right(), e.bottom(), kBlack)
                : s.line(e.left(), e.top(), e.right(), e.bottom(), kWhite);
        };
        draw();
        QCOMPARE(s.colourAt(ends.left(), ends.top()),
                 Colour(fromQRgb(before.pixel(ends.topLeft())) ^ 0xFFFFFFu));
        draw();
        QVERIFY(testkit::imagesMatch(s.image(), before, QStringLiteral("invert_twice")));
    }

    void loadPicture_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QImage>("expected"); // null: refused
        QImage redBlue(2, 1, QImage::Format_RGB32);
        redBlue.setPixel(0, 0, qRgb(255, 0, 0));
        redBlue.setPixel(1, 0, qRgb(0, 0, 255));
        const QImage varied = patterned(5, 3).image();
        const QString saved = dir_.filePath(QStringLiteral("saved.bmp"));
        QVERIFY(!SavePicture(QImage(), saved));
        QVERIFY(!SavePicture(varied, dir_.filePath(QStringLiteral("absent/x.bmp"))));
        QVERIFY(SavePicture(varied, saved));
        const QByteArray bmp = fs_.readFile(saved).value_or(QByteArray());
        QVERIFY(bmp.startsWith("BM"));
        QVERIFY(bmp.at(28) == 24); // 24 bits per pixel
        QTest::newRow("BMP as saved here") << bmp << varied;
        QTest::newRow("hand-made GIF") << kRedBlueGif << redBlue;
        QTest::newRow("text refused") << QByteArray("Kestrion 2\r\n") << QImage();
        QTest::newRow("GIF cut short refused") << kRedBlueGif.left(12) << QImage();
    }
    void loadPicture() {
        QFETCH(QByteArray, bytes);
        QFETCH(QImage, expected);
        const QString path = dir_.filePath(QStringLiteral("p.gif"));
        QVERIFY(fs_.writeFileSafely(path, bytes));
        const auto loaded = LoadPicture(path);
        QCOMPARE(loaded.has_value(), !expected.isNull());
        if (loaded) {
            QCOMPARE(loaded->format(), QImage::Format_RGB32);
            QVERIFY(testkit::imagesMatch(*loaded, expected, QStringLiteral("load")));
        }
    }

    void libraryPictureLookup_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("found"); // file found in the library, empty: none
        QTest::addColumn<bool>("decodes");
        const auto row = [](const char* name, const char* found, bool decodes) {
            QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(found) << decodes;
        };
        row("parquet CHENE.JPG", "Parquet chene.jpg", true); // other letter case
        row("ÉVIER.BMP", "évier.bmp", true);                 // accented letters too
        row("b.BMP", "b.bmp", true);                         // several matches: the first listed
        row("B.bmp", "B.bmp", true);                         // an exact match comes first
        row("BROKEN.jpg", "broken.jpg", false);              // present but not a picture
        for (const char* refused :
             {"chene.jpg", "../outside.bmp", "sub/inner.bmp", "..\\outside.bmp", "."})
            row(refused, "", false);
    }
    void libraryPictureLookup() {
        QFETCH(QString, name);
        QFETCH(QString, found);
        QFETCH(bool, decodes);
        QTemporaryDir root;
        const QString folder = root.filePath(QStringLiteral("textures"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/sub")));
        for (const char* n : {"textures/Parquet chene.jpg", "textures/évier.bmp", "textures/b.bmp",
                              "textures/B.bmp", "textures/sub/inner.bmp", "outside.bmp"})
            QVERIFY(SavePicture(patterned(2, 2).image(), root.filePath(QString::fromUtf8(n))));
        QVERIFY(fs_.writeFileSafely(folder + QStringLiteral("/broken.jpg"), "not a picture"));
        QCOMPARE(findLibraryFile(folder, name).value_or(QString()),
                 found.isEmpty() ? QString() : folder + '/' + found);
        QCOMPARE(LoadLibraryPicture(folder, name).has_value(), decodes);
        PictureCache cache;
        QCOMPARE(cache.get(folder, name) != nullptr, decodes);
    }

    void shrinkKeepsDarkLines_data() {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QLine>("line");
        QTest::addColumn<QRectF>("area"); // a negative size mirrors that axis
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
        QImage picture(size, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter(&picture).drawLine(line); // black by default
        Surface s(40, 32, rgb(128, 128, 128));
        s.drawPicture(picture, float(area.x()), float(area.y()), float(area.width()),
                      float(area.height()));
        const QImage expected = andShrunk(picture, area, s.image().size());
        // The area is rounded to whole pixels as QRectF::toRect does; edge pixels there
        // that hold no source centre take their nearest pixel instead, so they are not compared.
        const QRect painted = area.normalized().toRect();
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                if (qAlpha(expected.pixel(x, y)) && painted.contains(x, y))
                    QVERIFY2(s.image().pixel(x, y) == expected.pixel(x, y),
                             qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
    }

    // Coordinates far off the surface draw what lies on it, at once; nothing for NaN.
    void farOffCoordinatesDrawTheVisiblePart() {
        constexpr float far = 1e30f;
        const Colour red = rgb(255, 0, 0), green = rgb(0, 255, 0), blue = rgb(0, 0, 255);
        Surface s(50, 40, kWhite);
        s.line(-far, 5, far, 5, red);
        s.fillBox(-far, 10, far, 12, blue);
        s.penWidth = 3;
        s.line(20, -far, 20, far, green);
        QImage tile(3, 2, QImage::Format_RGB32);
        tile.fill(qRgb(0, 0, 0));
        s.tilePicture(tile, -1e9f, 30, 2e9, 1e12);
        s.drawPicture(tile, std::nanf(""), 0, 10, 10);
        s.textX = -far;
        s.drawText(QStringLiteral("far"));
        for (int x = 0; x < 50; ++x) {
            const bool nearWide = x >= 18 && x <= 22; // the 3-pixel line's column
            if (x == 20 || !nearWide) {
                QCOMPARE(s.colourAt(x, 5), x == 20 ? green : red);
                QCOMPARE(s.colourAt(x, 11), x == 20 ? green : blue);
                QCOMPARE(s.colourAt(x, 0), x == 20 ? green : kWhite);
            }
            QCOMPARE(s.colourAt(x, 35), kBlack);
        }
    }

    // Drawing column spans row by row gives the pixels of one line per column.
    void columnLinesMatchOneLinePerColumn_data() {
        QTest::addColumn<int>("firstColumn");
        QTest::addColumn<Spans>("spans");
        constexpr float far = 1e30f;
        QTest::newRow("ellipse with flared outer columns") << 3 << ellipseSpans(31, 20.5f, 14);
        QTest::newRow("ellipse cut by the top and both sides") << -6 << ellipseSpans(52, 6, 30);
        Spans rising, falling;
        for (int i = 0; i < 30; ++i) {
            rising.append(QPointF(4, 4 + i * 0.8f));
            falling.append(QPointF(35, 35 - i * 1.1f));
        }
        QTest::newRow("triangle, bottoms rising") << 5 << rising;
        QTest::newRow("triangle, ends given bottom first") << 0 << falling;
        QTest::newRow("jagged tops and bottoms") << 1 << jaggedSpans(38, 7);
        QTest::newRow("far, not-a-number and single-pixel ends")
            << 2 << Spans{{-far, far},       {far, 3},   {std::nan(""), 5}, {5, 5},    {-far, -far},
                          {12.5, 12.5},      {13.5, 9},  {far, far},        {7, -far}, {0.5, 1.5},
                          {std::nan(""), 0}, {-0.5, 40}, {39.4, 45},        {39.6, 41}};
    }
    void columnLinesMatchOneLinePerColumn() {
        QFETCH(int, firstColumn);
        QFETCH(Spans, spans);
        const Colour colour = rgb(200, 30, 90);
        Surface byRows = patterned(40, 40), byColumns = patterned(40, 40);
        std::vector<Surface::ColumnSpan> columnSpans;
        for (int i = 0; i < spans.size(); ++i) {
            const float y1 = float(spans[i].x()), y2 = float(spans[i].y());
            columnSpans.push_back({y1, y2});
            byColumns.line(float(firstColumn + i), y1, float(firstColumn + i), y2, colour);
        }
        byRows.columnLines(firstColumn, columnSpans, colour);
        QVERIFY(testkit::imagesMatch(byRows.image(), byColumns.image(),
                                     QStringLiteral("column_lines")));
    }

    void tilingRepeatsThePictureFromTheCorner_data() {
        QTest::addColumn<QSize>("tileSize");
        QTest::addColumn<QRectF>("area");
        QTest::newRow("7 x 5 tile over the whole surface")
            << QSize(7, 5) << QRectF(-30.4, -12.6, 200, 150);
        QTest::newRow("7 x 5 tile, area inside") << QSize(7, 5) << QRectF(3, 4, 40, 33);
        QTest::newRow("tile larger than the area") << QSize(64, 48) << QRectF(10.5, 2, 30, 20);
        QTest::newRow("tall tile, area past the bottom") << QSize(3, 61) << QRectF(1, 8, 50, 90);
        QTest::newRow("one pixel") << QSize(1, 1) << QRectF(5, 6, 17, 9);
    }
    void tilingRepeatsThePictureFromTheCorner() {
        QFETCH(QSize, tileSize);
        QFETCH(QRectF, area);
        const QImage tile = patterned(tileSize.width(), tileSize.height()).image();
        Surface s = patterned(60, 45);
        const QImage before = s.image();
        s.tilePicture(tile, float(area.x()), float(area.y()), area.width(), area.height());
        QImage expected = before;
        const int left = int(std::floor(area.x() + 0.5)), top = int(std::floor(area.y() + 0.5));
        const QRect covered(left, top, int(area.width()), int(area.height()));
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                if (covered.contains(x, y))
                    expected.setPixel(x, y, tilePixel(tile, left, top, x, y));
        QVERIFY(testkit::imagesMatch(s.image(), expected, QStringLiteral("tiled")));
    }

    // Outside a pass the cache follows the file, its turned copies too; within a pass a
    // picture is read once, so that a file replaced meanwhile shows from the next pass.
    // How each turn looks is checked with the plan drawing.
    void cacheFollowsTheFileBetweenPasses() {
        const QString name = QStringLiteral("pass.bmp"), path = dir_.filePath(name);
        const QImage first = patterned(3, 2).image(), second = patterned(5, 4).image();
        PictureCache cache;
        QVERIFY(SavePicture(first, path));
        QCOMPARE(cache.turned(dir_.path(), name, 1)->size(), QSize(2, 3));
        QVERIFY(SavePicture(second, path));
        QVERIFY(testkit::imagesMatch(*cache.get(dir_.path(), name), second,
                                     QStringLiteral("replaced")));
        QCOMPARE(cache.turned(dir_.path(), name, 1)->size(), QSize(4, 5));
        QVERIFY(SavePicture(first, path));
        {
            const PictureCache::Pass pass(cache);
            QCOMPARE(cache.get(dir_.path(), name)->size(), first.size());
            QVERIFY(SavePicture(second, path));
            QCOMPARE(cache.turned(dir_.path(), name, 1)->size(), QSize(2, 3));
            QVERIFY(!cache.get(dir_.path(), QStringLiteral("absent.bmp")));
            QVERIFY(SavePicture(first, dir_.filePath(QStringLiteral("absent.bmp"))));
            QVERIFY(!cache.get(dir_.path(), QStringLiteral("absent.bmp")));
        }
        {
            const PictureCache::Pass next(cache);
            QCOMPARE(cache.get(dir_.path(), name)->size(), second.size());
            QVERIFY(cache.get(dir_.path(), QStringLiteral("absent.bmp")));
            QFile::remove(path);
            QCOMPARE(cache.get(dir_.path(), name)->size(), second.size());
            QFile::remove(dir_.filePath(QStringLiteral("absent.bmp")));
        }
        QVERIFY(!cache.turned(dir_.path(), name, 1));
    }

    // A stretched picture painted again from the memo gives the pixels of a fresh paint,
    // also moved by whole pixels and after the picture changes.
    void stretchMemoRepeatsFreshPaints_data() {
        QTest::addColumn<QRectF>("area"); // a negative size mirrors that axis
        QTest::addColumn<bool>("andOp");
        QTest::addColumn<bool>("alternate"); // the other operation on every other paint
        QTest::newRow("enlarged") << QRectF(3, 2, 37.5, 29) << false << false;
        QTest::newRow("shrunk, mirrored left-right") << QRectF(30, 1, -21, 13) << false << false;
        QTest::newRow("shrunk one way, enlarged the other")
            << QRectF(-4.5, 6, 12, 40) << false << false;
        QTest::newRow("partly off, ANDed") << QRectF(-10, -7, 45, -30) << true << false;
        QTest::newRow("copied and ANDed in turn at one place")
            << QRectF(2.5, 1.5, 30, 21) << false << true;
    }
    void stretchMemoRepeatsFreshPaints() {
        QFETCH(QRectF, area);
        QFETCH(bool, andOp);
        QFETCH(bool, alternate);
        QImage picture = patterned(23, 17).image();
        RasterOp op = andOp ? RasterOp::And : RasterOp::Copy;
        const Colour background = rgb(90, 200, 140);
        Surface s(40, 32, background);
        for (const double dx : {0.0, 0.0, 3.0, -2.0, 0.0, -1.0}) {
            if (alternate)
                op = op == RasterOp::And ? RasterOp::Copy : RasterOp::And;
            if (dx == -1.0) { // the same place, new pixels
                picture.setPixel(5, 5, qRgb(1, 2, 3));
                picture.setPixel(20, 14, qRgb(250, 0, 7));
            }
            s.clear();
            s.drawPicture(picture, float(area.x() + dx), float(area.y()), float(area.width()),
                          float(area.height()), op);
            QImage expected = Surface(40, 32, background).image();
            stretchPicture(expected, picture, float(area.x() + dx), float(area.y()),
                           float(area.width()), float(area.height()), picture.rect(), op);
            QVERIFY2(testkit::imagesMatch(s.image(), expected, QStringLiteral("memo")),
                     qPrintable(QStringLiteral("moved by %1").arg(dx)));
        }
    }

    // Over its budget the memo lets go of the paints used least recently, a paint found
    // again by its placement counting as used; a smaller budget lets go at once.
    void stretchMemoKeepsWhatIsUsed_data() {
        QTest::addColumn<bool>("foundByPlacement"); // the first paint, found again
        QTest::newRow("found again by its placement") << true;
        QTest::newRow("not found again") << false;
    }
    void stretchMemoKeepsWhatIsUsed() {
        QFETCH(bool, foundByPlacement);
        StretchMemo memo(1000);
        const auto key = [](int picture) { return StretchMemo::Key{picture, {0}, {1}, {0}, {1}}; };
        const auto keep = [&](int picture) {
            const StretchMemo::Key k = key(picture);
            return memo.keep(k, std::size_t(picture), std::vector<QRgb>(90, QRgb(picture)));
        };
        const StretchMemo::Placement place{1, 2.5, 3, 30, 3, QRect(0, 0, 9, 10), QSize(40, 30)};
        memo.place(place, 77, 1, StretchMemo::Placed{keep(1), 0, 0, 30, 3});
        for (int picture = 2; picture <= 10; ++picture)
            keep(picture);
        if (foundByPlacement)
            QVERIFY(memo.findPlaced(place, 77));
        keep(11); // 990 pixels kept
        QCOMPARE(memo.keptPixels(), std::size_t(990));
        keep(12); // over the budget: down to half of it, with the new paint
        QVERIFY(memo.keptPixels() <= 500);
        QVERIFY(memo.find(key(12), 12));
        QCOMPARE(memo.find(key(1), 1) != nullptr, foundByPlacement);
        QVERIFY(!memo.find(key(2), 2));
        QVERIFY(!memo.findPlaced(place, 77));
        memo.setBudget(200);
        QVERIFY(memo.keptPixels() <= 200);
        QVERIFY(memo.find(key(12), 12));
        // Alone over half the budget: not kept.
        QVERIFY(!memo.keep(key(13), 13, std::vector<QRgb>(101)));
        QVERIFY(memo.keptPixels() <= 200);
    }

    // Texts and sloping lines repeat the pixels the painter gave them once: they must
    // be the painter's pixels wherever they are drawn, cut by the surface's edges too.
    void textAndLinesMatchThePainter_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("penWidth");
        QTest::newRow("text and thin lines") << QStringLiteral("Évier à gauche") << 1;
        QTest::newRow("measure label and 2-pixel lines") << QStringLiteral("125") << 2;
        QTest::newRow("text on cells and 5-pixel lines") << QStringLiteral("Lit, 12,5 cm") << 5;
    }
    void textAndLinesMatchThePainter() {
        QFETCH(QString, text);
        QFETCH(int, penWidth);
        Surface s = patterned(90, 70);
        QImage expected = s.image();
        QPainter p(&expected);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setRenderHint(QPainter::TextAntialiasing, false);
        p.setFont(s.font());
        QPen pen(QColor(200, 40, 10));
        pen.setWidth(penWidth);
        pen.setCapStyle(penWidth > 1 ? Qt::RoundCap : Qt::SquareCap);
        std::uint32_t seed = 11;
        const auto next = [&seed](int range) {
            seed = seed * 1103515245u + 12345u;
            return int(seed >> 16) % range;
        };
        s.penWidth = penWidth;
        for (int k = 0; k < 40; ++k) {
            const QPoint a(next(110) - 10, next(90) - 10);
            const QPoint b = k % 4 ? a + QPoint(next(41) - 20, next(41) - 20) : a;
            s.line(float(a.x()), float(a.y()), float(b.x()), float(b.y()), rgb(200, 40, 10));
            p.setPen(pen);
            a == b ? p.drawPoint(a) : p.drawLine(a, b);
        }
        s.transparentText = penWidth != 5;
        s.penColour = rgb(0, 90, 255);
        p.setPen(QColor(0, 90, 255));
        for (const QPoint at :
             {QPoint(5, 5), QPoint(-7, 30), QPoint(60, 62), QPoint(20, -4), QPoint(5, 5)}) {
            s.textX = float(at.x());
            s.textY = float(at.y());
            s.drawText(text);
            const QSize size = s.textSize(text);
            if (!s.transparentText)
                p.fillRect(QRect(at, size), Qt::white);
            p.drawText(at + QPoint(0, QFontMetrics(s.font(), &expected).ascent()), text);
        }
        p.end();
        QVERIFY(testkit::imagesMatch(s.image(), expected, QStringLiteral("painter_pixels")));
    }

    // Clipped to a rectangle or to bands, every drawing call paints what it paints
    // unclipped inside the clip and nothing outside, and leaves the same text position.
    void clipKeepsInsideAndOutside_data() {
        QTest::addColumn<int>("primitive");
        QTest::addColumn<QList<QRect>>("bands");
        const QList<QRect> one{QRect(9, 7, 50, 40)};
        const QList<QRect> three{QRect(0, 0, 80, 11), QRect(23, 11, 9, 20), QRect(-5, 40, 200, 30)};
        const QList<QRect> none{QRect(10, 10, 0, 5)};
        const char* names[] = {"fill",  "lines",          "thick lines",      "columns",
                               "tiles", "shrunk picture", "enlarged picture", "text"};
        for (int primitive = 0; primitive < 8; ++primitive) {
            QTest::addRow("%s, one rectangle", names[primitive]) << primitive << one;
            QTest::addRow("%s, three bands", names[primitive]) << primitive << three;
            QTest::addRow("%s, empty clip", names[primitive]) << primitive << none;
        }
    }
    void clipKeepsInsideAndOutside() {
        QFETCH(int, primitive);
        QFETCH(QList<QRect>, bands);
        QImage picture(23, 17, QImage::Format_RGB32);
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                picture.setPixel(x, y, qRgb(x * 11, y * 15, (x ^ y) * 9));
        const auto draw = [&](Surface& s) {
            switch (primitive) {
            case 0:
                s.fillBox(3.4f, 2.6f, 70, 55.5f, rgb(10, 200, 30));
                break;
            case 1:
            case 2:
                s.penWidth = primitive == 1 ? 1 : 4;
                for (int k = 0; k < 12; ++k)
                    s.line(float(k * 7 - 5), 2, float(80 - k * 5), float(60 - k), kBlack);
                s.line(2, 30, 78, 30, kBlack);
                s.line(40, 1, 40, 59, kBlack);
                break;
            case 3: {
                std::vector<Surface::ColumnSpan> spans;
                for (int c = 0; c < 70; ++c)
                    spans.push_back({float(30 - c % 23), float(35 + c % 17)});
                s.columnLines(4, spans, rgb(200, 0, 200));
                break;
            }
            case 4:
                s.tilePicture(picture.copy(0, 0, 5, 4), 1.5f, 2.5f, 75, 54);
                break;
            case 5:
            case 6:
                s.drawPicture(picture, 2, 3, primitive == 5 ? 15.5f : 70, primitive == 5 ? 11 : 52);
                break;
            default:
                s.transparentText = false;
                s.textX = 6;
                s.textY = 20;
                s.drawText(QStringLiteral("Évier à gauche"));
            }
        };
        Surface whole = patterned(80, 60), clipped = patterned(80, 60);
        const QImage before = clipped.image();
        draw(whole);
        clipped.setClip(std::span<const QRect>(bands.data(), std::size_t(bands.size())));
        draw(clipped);
        clipped.clearClip();
        QImage expected = before;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 80; ++x)
                if (std::any_of(bands.begin(), bands.end(),
                                [&](const QRect& b) { return b.contains(x, y); }))
                    expected.setPixel(x, y, whole.image().pixel(x, y));
        QVERIFY(whole.image() != before);
        QVERIFY(testkit::imagesMatch(clipped.image(), expected, QStringLiteral("clipped")));
        QCOMPARE(std::pair(clipped.textX, clipped.textY), std::pair(whole.textX, whole.textY));
    }

    void listFolderOrderAndPattern() {
        const QString folder = dir_.filePath(QStringLiteral("lib"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/sub.jpg")));
        for (const char* n : {"b.jpg", "A.BMP", "a.gif", "c.jpeg", "d.png", "e.jpg.txt", "B.Gif",
                              "Zèbre.bmp", "Évier.bmp", "eau.bmp", "Ecran.bmp", "Étagère.bmp"})
            QVERIFY(fs_.writeFileSafely(folder + QLatin1Char('/') + QString::fromUtf8(n), "x"));
        // French order: accents and case only break ties.
        QCOMPARE(fs_.listFolder(folder, kPicturePattern).value_or(QStringList{}),
                 (QStringList{"A.BMP", "a.gif", "B.Gif", "b.jpg", "c.jpeg", "eau.bmp", "Ecran.bmp",
                              "Étagère.bmp", "Évier.bmp", "Zèbre.bmp"}));
        QVERIFY(!fs_.listFolder(folder + QStringLiteral("/absent"), kPicturePattern));
    }

    // Both ways of writing a whole file replace the file the name leads to, keep its
    // permissions and leave nothing else behind; a file that may not be written and a
    // write that runs out of room leave the earlier file as it was.
    void wholeFileWrites_data() {
        QTest::addColumn<bool>("synced");
        QTest::addColumn<QString>("situation");
        for (const bool synced : {true, false})
            for (const char* situation : {"replace", "link", "read-only", "no room", "new"})
                QTest::addRow("%s, %s", synced ? "synced" : "unsynced", situation)
                    << synced << QString::fromLatin1(situation);
    }
    void wholeFileWrites() {
        QFETCH(bool, synced);
        QFETCH(QString, situation);
        QTemporaryDir folder;
        const QString file = folder.filePath(QStringLiteral("plan.jpg"));
        const QString link = folder.filePath(QStringLiteral("lien.jpg"));
        const QByteArray earlier("earlier picture"), later(200 * 1024, 'y');
        if (situation != QLatin1String("new")) {
            QVERIFY(fs_.writeFileSafely(file, earlier));
            const auto permissions = situation == QLatin1String("read-only")
                                         ? QFile::ReadOwner | QFile::ReadGroup
                                         : QFile::ReadOwner | QFile::WriteOwner | QFile::ReadOther;
            QVERIFY(QFile::setPermissions(file, permissions));
        }
        if (situation == QLatin1String("link"))
            QVERIFY(QFile::link(file, link));
        const QFile::Permissions before = QFile::permissions(file);
        const QStringList names = {situation == QLatin1String("link") ? QStringLiteral("lien.jpg")
                                                                      : QString(),
                                   QStringLiteral("plan.jpg")};
        const QString target = situation == QLatin1String("link") ? link : file;
        const Durability durability = synced ? Durability::Synced : Durability::Unsynced;

        rlimit saved{};
        getrlimit(RLIMIT_FSIZE, &saved);
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        if (situation == QLatin1String("no room")) {
            const rlimit limit{4096, saved.rlim_max};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        const WriteResult result = writeWholeFile(target, later, durability);
        setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, previous);

        const bool refused = situation == QLatin1String("read-only") && geteuid() != 0;
        const bool fails = refused || situation == QLatin1String("no room");
        QCOMPARE(bool(result), !fails);
        QCOMPARE(result.reason.isEmpty(), !fails);
        QCOMPARE(fs_.readFile(file), std::optional(fails ? earlier : later));
        if (situation != QLatin1String("new"))
            QCOMPARE(QFile::permissions(file), before);
        if (situation == QLatin1String("link"))
            QCOMPARE(QFileInfo(link).symLinkTarget(), QFileInfo(file).absoluteFilePath());
        QStringList expected = names;
        expected.removeAll(QString());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::System | QDir::Hidden),
                 expected);
        QVERIFY(
            !writeWholeFile(folder.filePath(QStringLiteral("absent/plan.jpg")), later, durability));
    }
};

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
