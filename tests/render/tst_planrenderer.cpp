// Guards the plan renderer: screen mapping, every object kind's pixels, textures, turns and
// Affiche.
#include "document/Layout.h"
#include "document/Palette.h"
#include "render/PlanRenderer.h"
#include "render/ScaleModel.h"
#include "testkit/PlanObjects.h"
#include "testkit/TestKit.h"

#include <QPainter>
#include <QtTest>

using document::Fill;
using document::ObjectKind;
using document::PlanObject;
using platform::Colour;
using platform::Surface;
using testkit::planObject;

namespace {

constexpr Colour kRed = document::kPalette[2];

// Pixels expected after drawing.
using Probes = QList<std::pair<QPoint, Colour>>;

// An object of the kind with its fill and its orientation or text: a number is a palette
// index or an orientation, anything else a file name or a text.
PlanObject objectOf(ObjectKind kind, const QString& fill, const QString& extra) {
    const bool text = !extra.front().isDigit();
    return planObject(kind, 0, 0, 0, 0,
                      fill.front().isDigit() ? Fill::colour(fill.toInt()) : Fill::file(fill), false,
                      text ? 0 : extra.toInt(), text ? extra : QString());
}

const QString kAccessory = QStringLiteral("Couchage_Lit_40_20_XY_.bmp");

// Picture of four coloured quadrants (red, green / blue, yellow), for telling turns apart.
QImage quadrants(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    const Qt::GlobalColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    for (int i = 0; i < 4; ++i)
        QPainter(&image).fillRect(i % 2 * w / 2, i / 2 * h / 2, w / 2, h / 2, colours[i]);
    return image;
}

// The picture as an accessory with that orientation shows it, at its unscaled size.
QImage turnedAs(const QImage& picture, int orientation) {
    switch (orientation) {
    case 1:
        return picture.transformed(QTransform().rotate(-90));
    case 2:
        return picture.mirrored(true, true);
    case 3:
        return picture.transformed(QTransform().rotate(90));
    default:
        return picture;
    }
}

// Empty when the one-pixel ring around the box still has the backdrop colour everywhere.
QString ringProblem(const Surface& s, const QRect& box, Colour backdrop) {
    const QRect ring = box.adjusted(-1, -1, 1, 1);
    for (int y = ring.top(); y <= ring.bottom(); ++y)
        for (int x = ring.left(); x <= ring.right(); ++x)
            if (!box.contains(x, y) && s.Point(x, y) != backdrop)
                return QStringLiteral("pixel %1,%2 outside the box was painted").arg(x).arg(y);
    return {};
}

void checkProbes(const Surface& s, const Probes& probes) {
    for (const auto& [at, colour] : probes)
        QVERIFY2(s.Point(at.x(), at.y()) == colour,
                 qPrintable(QStringLiteral("pixel %1,%2").arg(at.x()).arg(at.y())));
}

} // namespace

Q_DECLARE_METATYPE(settings::Preferences)
Q_DECLARE_METATYPE(Probes)
Q_DECLARE_METATYPE(document::ObjectKind)

class TestPlanRenderer : public QObject {
    Q_OBJECT

    testkit::ProgramFolder folder_;
    platform::PictureCache cache_;
    render::PlanRenderer renderer_{cache_, folder_.path()};

private Q_SLOTS:
    void initTestCase() {
        testkit::setUpTestEnvironment();
        folder_.addPicture(QStringLiteral("accessoires"), kAccessory, quadrants(40, 20));
        QImage texture(4, 3, QImage::Format_RGB32);
        for (int ty = 0; ty < 3; ++ty)
            for (int tx = 0; tx < 4; ++tx)
                texture.setPixel(tx, ty, qRgb(40 * tx, 60 * ty, 200));
        folder_.addPicture(QStringLiteral("textures"), QStringLiteral("Damier.bmp"), texture);
        folder_.addPicture(QStringLiteral("textures"), QStringLiteral("Abime.jpg"), 1, 1);
        QFile::resize(folder_.textures() + QStringLiteral("/Abime.jpg"), 3); // unreadable
    }

    void screenMapping_data() {
        QTest::addColumn<QPointF>("stored"); // columns 2 and 3, picture pixels
        QTest::addColumn<float>("zoom");
        QTest::addColumn<double>("resol");
        QTest::addColumn<QPointF>("origin");
        QTest::addColumn<QPointF>("onSurface");
        // Each product is rounded (halves to even) before the difference.
        QTest::newRow("2.5 - 1.5 gives 2 - 2")
            << QPointF(5, 5) << .5f << 2.0 << QPointF(3, 3) << QPointF(0, 0);
        QTest::newRow("zoomed in, scroll subtracts")
            << QPointF(10, 20) << 2.f << 2.0 << QPointF(4, 8) << QPointF(12, 24);
        QTest::newRow("10 %, 0.7 px/cm")
            << QPointF(0, 0) << .1f << 0.7 << QPointF(0, 0) << QPointF(0, 0);
    }

    void screenMapping() {
        QFETCH(QPointF, stored);
        QFETCH(float, zoom);
        QFETCH(double, resol);
        QFETCH(QPointF, origin);
        QFETCH(QPointF, onSurface);
        const auto box = render::screenBox(
            planObject(ObjectKind::Rectangle, float(stored.x()), float(stored.y()), 30, 50),
            render::View{zoom, float(origin.x()), float(origin.y())}, resol);
        QCOMPARE(QPointF(box.x, box.y), onSurface);
        // A measure's label turns the screen width back into the stored length.
        QCOMPARE(render::longueurCm(box.w, zoom, resol), 50);
    }

    void measureArrowsAndLabel_data() {
        QTest::addColumn<QRect>("box");
        QTest::addColumn<bool>("horizontal");
        QTest::newRow("wide box is horizontal") << QRect(10, 20, 61, 12) << true;
        QTest::newRow("tall box is vertical") << QRect(10, 20, 12, 61) << false;
        QTest::newRow("square box is vertical") << QRect(30, 20, 40, 40) << false;
    }

    void measureArrowsAndLabel() {
        QFETCH(QRect, box);
        QFETCH(bool, horizontal);
        const int x = box.x(), y = box.y(), w = box.width(), h = box.height();
        Surface s(200, 150);
        float fx = x, fy = y, fh = h, fw = w;
        renderer_.drawObject(s, fx, fy, fh, fw, objectOf(ObjectKind::Measure, "2", "0"), {});
        // The pixel `along` the shaft from its start and `across` it from the shaft's line.
        auto red = [&](int along, int across) {
            return horizontal ? s.Point(x + along, y + 5 + across) == kRed
                              : s.Point(x + w - 5 + across, y + along) == kRed;
        };
        const int length = horizontal ? w : h;
        QVERIFY(red(length / 2, 0) && red(length / 2, -1)); // a two-pixel shaft
        for (int k = 1; k <= 5; ++k) // both arrowheads open by one pixel per step from the tip
            for (const int end : {k - 1, length - k}) {
                QVERIFY2(red(end, -k) && red(end, k),
                         qPrintable(QStringLiteral("arrowhead step %1 at %2").arg(k).arg(end)));
                QVERIFY(!red(end, horizontal ? -k - 1 : k + 1));
            }
        const QSize text = s.textSize(QString::number(length));
        if (horizontal) {
            QCOMPARE(s.textX - float(text.width()),
                     std::nearbyint(x + w / 2.0f - text.width() / 2.0f));
            QCOMPARE(s.textY, float(y + 5));
        } else {
            QCOMPARE(s.textX, float(x + w - 7)); // the label ends one pixel left of the shaft
            QCOMPARE(s.textY, std::nearbyint(y + h / 2.0f - text.height() / 2.0f));
        }
        QCOMPARE(s.penColour, kRed);
    }

    void objectPixels_data() {
        QTest::addColumn<ObjectKind>("kind");
        QTest::addColumn<QRectF>("box");
        QTest::addColumn<QStringList>("cells"); // fill, and orientation or text
        QTest::addColumn<settings::Preferences>("prefs");
        QTest::addColumn<Probes>("probes");
        using enum ObjectKind;
        const QRectF box(10, 10, 40, 20), tall(10, 10, 20, 40);
        const Colour R = kRed, B = platform::kBlack;
        const QStringList red{"2", "0"};
        auto texel = [](int tx, int ty) { return platform::rgb(40 * tx, 60 * ty, 200); };
        const settings::Preferences thin{.larlig = QStringLiteral("1")};
        QTest::newRow("ellipse: single-point ends, full-height middle")
            << Ellipse << box << red << thin
            << Probes{{{10, 20}, R}, {{50, 20}, R}, {{30, 10}, R}, {{30, 30}, R},
                      {{9, 20}, B},  {{51, 20}, B}, {{10, 19}, B}, {{30, 9}, B}};
        // Triangles: right angle and centroid drawn, opposite corner and column X + W empty.
        QTest::newRow("triangle 0: right angle top-right")
            << Triangle << box << red << thin
            << Probes{{{48, 11}, R}, {{37, 17}, R}, {{11, 28}, B}, {{9, 20}, B}, {{50, 11}, B}};
        QTest::newRow("triangle 3: bottom-right")
            << Triangle << box << QStringList{"2", "3"} << thin
            << Probes{{{48, 28}, R}, {{37, 23}, R}, {{11, 11}, B}, {{9, 20}, B}, {{50, 28}, B}};
        // Lines: both ends drawn, nothing beyond; a thin line has one pixel per column.
        QTest::newRow("line 0: top-left to bottom-right")
            << Line << box << red << thin
            << Probes{{{10, 10}, R}, {{49, 29}, R}, {{50, 30}, B}, {{40, 23}, B}, {{40, 25}, B}};
        QTest::newRow("line 1: right end at X + W")
            << Line << box << QStringList{"2", "1"} << thin
            << Probes{{{50, 10}, R}, {{10, 29}, R}, {{9, 30}, B}, {{20, 23}, B}, {{20, 25}, B}};
        QTest::newRow("line 0, 3 pixels wide")
            << Line << box << red << settings::Preferences{.larlig = QStringLiteral("3")}
            << Probes{{{10, 10}, R}, {{40, 23}, R}, {{40, 25}, R}, {{53, 33}, B}};
        QTest::newRow("fondblanc: text on white cells")
            << Text << box << QStringList{"2", "Lit"} << settings::Preferences{.fondblanc = true}
            << Probes{{{10, 10}, platform::kWhite}};
        QTest::newRow("no fondblanc: the backdrop shows between letters")
            << Text << box << QStringList{"2", "Lit"} << thin << Probes{{{10, 10}, B}};
        // Textures: tiles anchored at the box's top-left corner, cut at its edges.
        QTest::newRow("texture: several tiles, last row and column cut")
            << Rectangle << QRectF(10, 10, 11, 8) << QStringList{"Damier.bmp", "0"} << thin
            << Probes{{{10, 10}, texel(0, 0)}, {{13, 12}, texel(3, 2)}, {{14, 13}, texel(0, 0)},
                      {{20, 17}, texel(2, 1)}, {{21, 10}, B},           {{10, 18}, B}};
        QTest::newRow("texture: fractional box rounds")
            << Rectangle << QRectF(10, 10, 9.6, 4.4) << QStringList{"Damier.bmp", "0"} << thin
            << Probes{{{19, 13}, texel(1, 0)}, {{20, 10}, B}, {{10, 14}, B}};
        QTest::newRow("unreadable texture draws nothing")
            << Rectangle << box << QStringList{"Abime.jpg", "0"} << thin
            << Probes{{{10, 10}, B}, {{30, 20}, B}};
        QTest::newRow("texture over a box reaching far past the plan")
            << Rectangle << QRectF(-4e6, 10, 4e6 + 30, 8) << QStringList{"Damier.bmp", "0"} << thin
            << Probes{{{0, 10}, texel(0, 0)},
                      {{13, 12}, texel(1, 2)},
                      {{29, 17}, texel(1, 1)},
                      {{30, 10}, B}};
        QTest::newRow("missing turned accessory draws nothing")
            << Accessory << tall << QStringList{"Absent_X_1_1_XY_.bmp", "1"} << thin
            << Probes{{{10, 10}, B}, {{20, 30}, B}};
    }

    void objectPixels() {
        QFETCH(ObjectKind, kind);
        QFETCH(QRectF, box);
        QFETCH(QStringList, cells);
        QFETCH(settings::Preferences, prefs);
        QFETCH(Probes, probes);
        Surface s(80, 50); // white behind, so opaque text cells show
        s.fillBox(0, 0, 79, 49, platform::kBlack);
        float x = box.x(), y = box.y(), h = box.height(), w = box.width();
        renderer_.drawObject(s, x, y, h, w, objectOf(kind, cells[0], cells[1]), {1.0f, 1.0, prefs});
        checkProbes(s, probes);
        QCOMPARE(s.penWidth, 1);
        QVERIFY(s.transparentText);
    }

    // Whatever its orientation, an accessory covers exactly the columns X..X+W-1 and rows
    // Y..Y+H-1 of its box, drawn alone or as part of the plan.
    void accessoryFillsExactlyItsBox_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("scale"); // box side over picture side
        QTest::addColumn<bool>("throughThePlan");
        for (const bool plan : {false, true})
            for (const int scale : {1, 2})
                for (int orientation = 0; orientation < 4; ++orientation)
                    QTest::addRow("%s, orientation %d, scale %d", plan ? "plan" : "one object",
                                  orientation, scale)
                        << orientation << scale << plan;
    }

    void accessoryFillsExactlyItsBox() {
        QFETCH(int, orientation);
        QFETCH(int, scale);
        QFETCH(bool, throughThePlan);
        const QImage picture = quadrants(40, 20);
        const QImage expected = turnedAs(picture, orientation)
                                    .scaled(turnedAs(picture, orientation).size() * scale,
                                            Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QRect box(QPoint(13, 11), expected.size());

        Surface s(box.right() + 20, box.bottom() + 20);
        s.fillBox(0, 0, float(s.width() - 1), float(s.height() - 1), platform::kBlack);
        if (throughThePlan) {
            // A black body picture at 1 pixel per cm: the row's sizes are the box's pixels.
            document::Layout layout;
            layout.vehiclePicture = QImage(s.width(), s.height(), QImage::Format_RGB32);
            layout.vehiclePicture.fill(Qt::black);
            layout.pictureWidth = float(s.width());
            layout.pictureHeight = float(s.height());
            layout.pixelsPerCm = 1;
            layout.objects.append(planObject(ObjectKind::Accessory, float(box.x()), float(box.y()),
                                             float(box.height()), float(box.width()),
                                             Fill::file(kAccessory), false, orientation));
            renderer_.Affiche(s, layout, render::View{1, 0, 0}, settings::Preferences{});
        } else {
            float x = float(box.x()), y = float(box.y()), h = float(box.height()),
                  w = float(box.width());
            renderer_.drawObject(
                s, x, y, h, w,
                objectOf(ObjectKind::Accessory, kAccessory, QString::number(orientation)), {});
        }
        const QString name = QStringLiteral("accessory_%1_%2").arg(orientation).arg(scale);
        QVERIFY(testkit::imagesMatch(s.image().copy(box).convertToFormat(QImage::Format_RGB32),
                                     expected.convertToFormat(QImage::Format_RGB32), name));
        const QString outside = ringProblem(s, box, platform::kBlack);
        QVERIFY2(outside.isEmpty(), qPrintable(outside));
    }

    void afficheOverTheBody_data() {
        QTest::addColumn<QList<bool>>("flags"); // mirrorLeftRight, mirrorTopBottom, carross
        QTest::addColumn<QPointF>("origin");
        QTest::addColumn<Probes>("probes");
        // Body 60 x 50: white, a black line at x = 20, a grey band from y = 30 and a green
        // 5-pixel marker at the top-left corner. A red rectangle (15, 15, 20 x 25), then a
        // blue one in front of it from (30, 15).
        const Colour k = platform::kBlack, w = platform::kWhite, g = platform::rgb(0, 255, 0);
        const Colour blue = document::kPalette[6], grey = platform::rgb(128, 128, 128);
        const Colour darkRed = platform::rgb(128, 0, 0);
        QTest::newRow("objects cover the body")
            << QList<bool>{false, false, false} << QPointF()
            << Probes{{{0, 0}, g},      {{4, 4}, g},      {{5, 5}, w},  {{20, 20}, kRed},
                      {{17, 35}, kRed}, {{32, 20}, blue}, {{20, 5}, k}, {{5, 40}, grey}};
        QTest::newRow("carross: black lines in front, white and grey leave or darken colours")
            << QList<bool>{false, false, true} << QPointF()
            << Probes{{{20, 20}, k},
                      {{17, 20}, kRed},
                      {{17, 35}, darkRed},
                      {{32, 20}, blue},
                      {{20, 5}, k}};
        QTest::newRow("left-right mirror keeps the objects in place")
            << QList<bool>{true, false, false} << QPointF()
            << Probes{{{55, 0}, g}, {{54, 0}, w},     {{0, 0}, w},     {{39, 5}, k},
                      {{20, 5}, w}, {{17, 20}, kRed}, {{32, 20}, blue}};
        QTest::newRow("both mirrors, scrolled by (20, 10)")
            << QList<bool>{true, true, false} << QPointF(20, 10)
            << Probes{{{35, 35}, g},    {{34, 35}, w}, {{10, 5}, blue},
                      {{19, 14}, blue}, {{20, 14}, w}, {{19, 20}, k}};
    }

    void afficheOverTheBody() {
        QFETCH(QList<bool>, flags);
        QFETCH(QPointF, origin);
        QFETCH(Probes, probes);
        QImage body(60, 50, QImage::Format_RGB32);
        body.fill(Qt::white);
        QPainter(&body).fillRect(0, 30, 60, 20, QColor(128, 128, 128));
        QPainter(&body).fillRect(20, 0, 1, 50, Qt::black);
        QPainter(&body).fillRect(0, 0, 5, 5, Qt::green);
        document::Layout layout;
        layout.vehiclePicture = body;
        layout.pictureWidth = 60;
        layout.pictureHeight = 50;
        layout.pixelsPerCm = 1;
        layout.mirrorLeftRight = flags[0];
        layout.mirrorTopBottom = flags[1];
        layout.objects.append(planObject(ObjectKind::Rectangle, 15, 15, 25, 20, Fill::colour(2)));
        layout.objects.append(planObject(ObjectKind::Rectangle, 30, 15, 10, 10, Fill::colour(6)));
        settings::Preferences prefs;
        prefs.carross = flags[2];
        Surface s(60, 50);
        renderer_.Affiche(s, layout, render::View{1, float(origin.x()), float(origin.y())}, prefs);
        checkProbes(s, probes);
    }
};

QTEST_MAIN(TestPlanRenderer)
#include "tst_planrenderer.moc"
