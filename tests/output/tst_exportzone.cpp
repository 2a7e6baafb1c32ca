// Guards the export zone search on drawn canvases and the stamped picture: band, size choice,
// shortening.
#include "output/ImageExport.h"
#include "platform/Product.h"
#include "testkit/TestKit.h"

#include <QtTest>

using output::Zone;
using platform::Colour;
using platform::rgb;

Q_DECLARE_METATYPE(Zone)

namespace {

QSize measure(const QString& text, int points) {
    platform::Surface surface(1, 1);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setWeight(QFont::Bold);
    surface.setFont(font);
    surface.setFontBold(true);
    surface.setFontSize(points);
    return surface.TailleTexte(text);
}

const QString kModele = QStringLiteral("Fourgon");
const QString kCarros = QStringLiteral("L2H2");
QString fullText() {
    return kModele + QLatin1Char(' ') + kCarros + QStringLiteral("  -  Kestrion  -  ") +
           platform::kSiteHost;
}
QString siteText() {
    return QStringLiteral("Kestrion  -  ") + platform::kSiteHost;
}
QString shortText() {
    return QStringLiteral("KT - ") + platform::kSiteHost;
}

} // namespace

class TestExportZone : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void zoneSearch_data() {
        QTest::addColumn<QSize>("canvas");
        QTest::addColumn<QRect>("drawing"); // inclusive corners, filled
        QTest::addColumn<uint>("colour");
        QTest::addColumn<bool>("automatic");
        QTest::addColumn<Zone>("expected");
        const QSize size(400, 300);
        const QRect middle(QPoint(150, 100), QPoint(200, 150));
        const Colour black = rgb(0, 0, 0);
        QTest::newRow("not automatic: whole canvas")
            << size << middle << black << false << Zone{0, 0, 400, 300};
        QTest::newRow("nothing drawn: whole canvas")
            << size << QRect() << black << true << Zone{0, 0, 400, 300};
        QTest::newRow("drawing in the middle, 10-pixel margin beyond the samples")
            << size << middle << black << true << Zone{140, 90, 208, 158};
        QTest::newRow("light grey with blue 200 counts as drawn")
            << size << middle << rgb(200, 200, 200) << true << Zone{140, 90, 208, 158};
        QTest::newRow("blue 240, green 239 counts as drawn")
            << size << middle << rgb(255, 239, 240) << true << Zone{140, 90, 208, 158};
        QTest::newRow("pure blue counts as background")
            << size << middle << rgb(0, 0, 255) << true << Zone{0, 0, 400, 300};
        QTest::newRow("black with blue 241 counts as background")
            << size << middle << rgb(0, 0, 241) << true << Zone{0, 0, 400, 300};
        QTest::newRow("wholly left of column 100: whole canvas")
            << size << QRect(QPoint(20, 50), QPoint(60, 80)) << black << true
            << Zone{0, 0, 400, 300};
        QTest::newRow("left of column 100 touching column 0 keeps its height")
            << size << QRect(QPoint(0, 50), QPoint(60, 80)) << black << true
            << Zone{0, 40, 400, 88};
        QTest::newRow("only in the last 100 columns: whole canvas")
            << size << QRect(QPoint(350, 100), QPoint(399, 150)) << black << true
            << Zone{0, 0, 400, 300};
        QTest::newRow("narrower than 20 pixels: whole width, height kept")
            << size << QRect(QPoint(203, 50), QPoint(205, 250)) << black << true
            << Zone{0, 40, 400, 258};
        QTest::newRow("lower than 20 pixels: whole height, width kept")
            << size << QRect(QPoint(150, 148), QPoint(250, 150)) << black << true
            << Zone{140, 0, 258, 300};
        QTest::newRow("right edge clamped to the last column")
            << QSize(400, 300) << QRect(QPoint(150, 100), QPoint(399, 150)) << black << true
            << Zone{140, 90, 399, 158};
        QTest::newRow("the 10 rows at the top are not searched sideways")
            << size << QRect(QPoint(150, 0), QPoint(250, 8)) << black << true
            << Zone{0, 0, 400, 300};
    }
    void zoneSearch() {
        QFETCH(QSize, canvas);
        QFETCH(QRect, drawing);
        QFETCH(uint, colour);
        QFETCH(bool, automatic);
        QFETCH(Zone, expected);
        platform::Surface surface(canvas.width(), canvas.height());
        if (!drawing.isNull())
            surface.fillBox(drawing.left(), drawing.top(), drawing.right(), drawing.bottom(),
                            colour);
        const Zone zone = output::ChercherZoneExport(surface, automatic);
        QVERIFY2(zone == expected, qPrintable(QStringLiteral("got %1,%2,%3,%4")
                                                  .arg(zone.left)
                                                  .arg(zone.top)
                                                  .arg(zone.right)
                                                  .arg(zone.bottom)));
    }

    void stampChoice_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("points");
        const int full10 = measure(fullText(), 10).width();
        const int full8 = measure(fullText(), 8).width();
        const int site8 = measure(siteText(), 8).width();
        const int short8 = measure(shortText(), 8).width();
        QTest::newRow("one pixel wider than the text: 10 points") << full10 + 1 << fullText() << 10;
        QTest::newRow("exactly as wide as the text: too wide for 10 points")
            << full10 << fullText() << 9;
        QTest::newRow("exactly as wide at 8 points: the full text stays")
            << full8 << fullText() << 8;
        QTest::newRow("one pixel narrower: the product and the site")
            << full8 - 1 << siteText() << 8;
        QTest::newRow("exactly as wide as the product and the site") << site8 << siteText() << 8;
        QTest::newRow("narrower: the short form") << site8 - 1 << shortText() << 8;
        QTest::newRow("narrower still: the product name alone")
            << short8 - 1 << QStringLiteral("Kestrion") << 8;
        QTest::newRow("very narrow: the product name even when it overflows")
            << 5 << QStringLiteral("Kestrion") << 8;
    }
    void stampChoice() {
        QFETCH(int, width);
        QFETCH(QString, text);
        QFETCH(int, points);
        const output::Stamp stamp = output::chooseStamp(width, kModele, kCarros);
        QCOMPARE(stamp.text, text);
        QCOMPARE(stamp.points, points);
    }

    void stampedPictureHasTheZoneAndAWhiteBand_data() {
        QTest::addColumn<Zone>("zone");
        QTest::newRow("zone inside the canvas") << Zone{10, 20, 310, 90};
        QTest::newRow("narrow zone with an overflowing stamp") << Zone{0, 0, 30, 40};
    }
    void stampedPictureHasTheZoneAndAWhiteBand() {
        QFETCH(Zone, zone);
        platform::Surface canvas(400, 300, rgb(90, 120, 150));
        canvas.fillBox(100, 50, 120, 60, rgb(10, 200, 30));
        const QImage picture = output::PreparerImageSortie(canvas, zone, kModele, kCarros);
        const int w = zone.right - zone.left, h = zone.bottom - zone.top + 20;
        QCOMPARE(picture.size(), QSize(w, h));
        QCOMPARE(picture.copy(0, 0, w, h - 20),
                 canvas.Image().copy(zone.left, zone.top, w, h - 20));

        // The band: white above and around the stamp, which is drawn in black.
        bool ink = false;
        for (int y = h - 20; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const QRgb p = picture.pixel(x, y) & 0xFFFFFF;
                QVERIFY(p == 0xFFFFFF || (p == 0 && y > h - 20));
                ink = ink || p == 0;
            }
        QVERIFY(ink);
    }
};

QTEST_MAIN(TestExportZone)
#include "tst_exportzone.moc"
