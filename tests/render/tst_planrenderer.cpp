// Guards the plan renderer's pixels: object kinds, textures, turns, the plan over the vehicle.
#include "document/Palette.h"
#include "render/CoverMask.h"
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
const QString kAccessory = QStringLiteral("Couchage_Lit_40_20_XY_.bmp");

using Probes = QList<std::pair<QPoint, Colour>>;

// Picture of four coloured quadrants (red, green / blue, yellow), for telling turns apart.
QImage quadrants(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    const Qt::GlobalColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
    for (int i = 0; i < 4; ++i)
        QPainter(&image).fillRect(i % 2 * w / 2, i / 2 * h / 2, w / 2, h / 2, colours[i]);
    return image;
}

// A layout over a body picture at 1 pixel per cm: the objects' sizes are their pixels.
document::Layout layoutOver(const QImage& body) {
    document::Layout layout;
    layout.vehiclePicture = body;
    layout.pictureWidth = float(body.width());
    layout.pictureHeight = float(body.height());
    layout.pixelsPerCm = 1;
    return layout;
}

void checkProbes(const Surface& s, const Probes& probes) {
    for (const auto& [at, colour] : probes)
        QCOMPARE(std::pair(at, s.colourAt(at.x(), at.y())), std::pair(at, colour));
}

} // namespace

Q_DECLARE_METATYPE(settings::Preferences)
Q_DECLARE_METATYPE(Probes)
Q_DECLARE_METATYPE(PlanObject)
Q_DECLARE_METATYPE(QList<PlanObject>)
Q_DECLARE_METATYPE(render::View)

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
        for (int i = 0; i < 12; ++i)
            texture.setPixel(i % 4, i / 4, qRgb(40 * (i % 4), 60 * (i / 4), 200));
        folder_.addPicture(QStringLiteral("textures"), QStringLiteral("Damier.bmp"), texture);
        folder_.addPicture(QStringLiteral("textures"), QStringLiteral("Abime.jpg"), 1, 1);
        QFile::resize(folder_.textures() + QStringLiteral("/Abime.jpg"), 3); // unreadable
    }

    // A two-pixel shaft, arrowheads opening one pixel a step from each tip, and the label:
    // centred above a horizontal shaft, ending one pixel left of a vertical one.
    void measureArrowsAndLabel_data() {
        QTest::addColumn<QRect>("box");
        QTest::addColumn<bool>("horizontal");
        QTest::newRow("wide box is horizontal") << QRect(10, 20, 61, 12) << true;
        QTest::newRow("a square box counts as vertical") << QRect(30, 20, 40, 40) << false;
    }
    void measureArrowsAndLabel() {
        QFETCH(QRect, box);
        QFETCH(bool, horizontal);
        const int x = box.x(), y = box.y(), w = box.width(), h = box.height();
        Surface s(200, 150);
        // At 50 %, the label is twice the length.
        renderer_.drawObject(s, render::ScreenBox{float(x), float(y), float(w), float(h)},
                             planObject(ObjectKind::Measure, 0, 0, 0, 0, Fill::colour(2)),
                             {0.5f, 1.0, {}});
        // The pixel `along` the shaft from its start and `across` it from the shaft's line.
        auto red = [&](int along, int across) {
            return horizontal ? s.colourAt(x + along, y + 5 + across) == kRed
                              : s.colourAt(x + w - 5 + across, y + along) == kRed;
        };
        const int length = horizontal ? w : h;
        QVERIFY(red(length / 2, 0));
        QVERIFY(red(length / 2, -1));
        for (int k = 1; k <= 5; ++k)
            for (const int end : {k - 1, length - k}) {
                QVERIFY2(red(end, -k),
                         qPrintable(QStringLiteral("arrowhead step %1 at %2").arg(k).arg(end)));
                QVERIFY2(red(end, k),
                         qPrintable(QStringLiteral("arrowhead step %1 at %2").arg(k).arg(end)));
                QVERIFY(!red(end, horizontal ? -k - 1 : k + 1));
            }
        const QSize text = s.textSize(QString::number(2 * length));
        const QPointF label =
            horizontal
                ? QPointF(std::nearbyint(x + w / 2.0f - text.width() / 2.0f) + text.width(), y + 5)
                : QPointF(x + w - 7, std::nearbyint(y + h / 2.0f - text.height() / 2.0f));
        QCOMPARE(QPointF(s.textX, s.textY), label);
    }

    void objectPixels_data() {
        QTest::addColumn<PlanObject>("object");
        QTest::addColumn<settings::Preferences>("prefs");
        QTest::addColumn<Probes>("probes");
        using enum ObjectKind;
        const Colour R = kRed, B = platform::kBlack;
        const Fill red = Fill::colour(2), damier = Fill::file(QStringLiteral("Damier.bmp"));
        auto texel = [](int tx, int ty) { return platform::rgb(40 * tx, 60 * ty, 200); };
        const settings::Preferences thin{.lineWidth = QStringLiteral("1")};
        QTest::newRow("ellipse: single-point ends, full-height middle")
            << planObject(Ellipse, 10, 10, 20, 40, red) << thin
            << Probes{{{10, 20}, R}, {{50, 20}, R}, {{30, 10}, R}, {{30, 30}, R},
                      {{9, 20}, B},  {{51, 20}, B}, {{10, 19}, B}, {{30, 9}, B}};
        // Triangles: right angle and centroid drawn, opposite corner and column X + W empty.
        QTest::newRow("triangle 0: right angle top-right")
            << planObject(Triangle, 10, 10, 20, 40, red) << thin
            << Probes{{{48, 11}, R}, {{37, 17}, R}, {{11, 28}, B}, {{9, 20}, B}, {{50, 11}, B}};
        QTest::newRow("triangle 3: bottom-right")
            << planObject(Triangle, 10, 10, 20, 40, red, false, 3) << thin
            << Probes{{{48, 28}, R}, {{37, 23}, R}, {{11, 11}, B}, {{9, 20}, B}, {{50, 28}, B}};
        // Lines: both ends drawn, nothing beyond; a thin line has one pixel per column.
        QTest::newRow("line 0: top-left to bottom-right")
            << planObject(Line, 10, 10, 20, 40, red) << thin
            << Probes{{{10, 10}, R}, {{49, 29}, R}, {{50, 30}, B}, {{40, 23}, B}, {{40, 25}, B}};
        QTest::newRow("line 1: right end at X + W")
            << planObject(Line, 10, 10, 20, 40, red, false, 1) << thin
            << Probes{{{50, 10}, R}, {{10, 29}, R}, {{9, 30}, B}, {{20, 23}, B}, {{20, 25}, B}};
        QTest::newRow("line 0, 3 pixels wide")
            << planObject(Line, 10, 10, 20, 40, red)
            << settings::Preferences{.lineWidth = QStringLiteral("3")}
            << Probes{{{10, 10}, R}, {{40, 23}, R}, {{40, 25}, R}, {{53, 33}, B}};
        QTest::newRow("fondblanc: text on white cells")
            << planObject(Text, 10, 10, 20, 40, red, false, 0, QStringLiteral("Lit"))
            << settings::Preferences{.whiteTextBackground = true}
            << Probes{{{10, 10}, platform::kWhite}};
        // Textures: tiles anchored at the box's top-left corner, cut at its edges.
        QTest::newRow("texture: several tiles, last row and column cut")
            << planObject(Rectangle, 10, 10, 8, 11, damier) << thin
            << Probes{{{10, 10}, texel(0, 0)}, {{13, 12}, texel(3, 2)}, {{14, 13}, texel(0, 0)},
                      {{20, 17}, texel(2, 1)}, {{21, 10}, B},           {{10, 18}, B}};
        QTest::newRow("texture: fractional box rounds")
            << planObject(Rectangle, 10, 10, 4.4f, 9.6f, damier) << thin
            << Probes{{{19, 13}, texel(1, 0)}, {{20, 10}, B}, {{10, 14}, B}};
        QTest::newRow("unreadable texture draws nothing")
            << planObject(Rectangle, 10, 10, 20, 40, Fill::file(QStringLiteral("Abime.jpg")))
            << thin << Probes{{{10, 10}, B}, {{30, 20}, B}};
        QTest::newRow("texture over a box reaching far past the plan")
            << planObject(Rectangle, -4e6f, 10, 8, 4e6f + 30, damier) << thin
            << Probes{{{0, 10}, texel(0, 0)},
                      {{13, 12}, texel(1, 2)},
                      {{29, 17}, texel(1, 1)},
                      {{30, 10}, B}};
        QTest::newRow("missing turned accessory draws nothing")
            << planObject(Accessory, 10, 10, 40, 20,
                          Fill::file(QStringLiteral("Absent_X_1_1_XY_.bmp")), false, 1)
            << thin << Probes{{{10, 10}, B}, {{20, 30}, B}};
    }
    void objectPixels() {
        QFETCH(PlanObject, object);
        QFETCH(settings::Preferences, prefs);
        QFETCH(Probes, probes);
        Surface s(80, 50); // white behind, so opaque text cells show
        s.fillBox(0, 0, 79, 49, platform::kBlack);
        const render::ScreenBox box{object.position.x, object.position.y, object.widthCm,
                                    object.heightCm};
        renderer_.drawObject(s, box, object, {1.0f, 1.0, prefs});
        checkProbes(s, probes);
        QCOMPARE(s.penWidth, 1);
        QVERIFY(s.transparentText);
    }

    // Exactly columns X..X+W-1 and rows Y..Y+H-1, its picture turned by quarters then stretched.
    void accessoryFillsExactlyItsBox_data() {
        QTest::addColumn<int>("orientation");
        QTest::addColumn<int>("scale");   // box side over picture side
        for (const int scale : {1, 2, 7}) // seven: each picture pixel a run of seven
            for (int orientation = 0; orientation < 4; ++orientation)
                QTest::addRow("orientation %d, scale %d", orientation, scale)
                    << orientation << scale;
    }
    void accessoryFillsExactlyItsBox() {
        QFETCH(int, orientation);
        QFETCH(int, scale);
        // Each orientation step is a quarter turn anticlockwise.
        const QImage turned =
            quadrants(40, 20).transformed(QTransform().rotate((4 - orientation) % 4 * 90));
        const QRect box(QPoint(13, 11), turned.size() * scale);
        QImage body(box.right() + 20, box.bottom() + 20, QImage::Format_RGB32);
        body.fill(Qt::black);
        document::Layout layout = layoutOver(body);
        layout.objects.append(planObject(ObjectKind::Accessory, float(box.x()), float(box.y()),
                                         float(box.height()), float(box.width()),
                                         Fill::file(kAccessory), false, orientation));
        Surface s(body.width(), body.height());
        renderer_.drawPlan(s, layout, render::View{1, 0, 0}, settings::Preferences{});
        QImage expected = body;
        QPainter(&expected).drawImage(box.topLeft(), turned.scaled(box.size()));
        QVERIFY(
            testkit::imagesMatch(s.image().convertToFormat(QImage::Format_RGB32), expected,
                                 QStringLiteral("accessory_%1_%2").arg(orientation).arg(scale)));
    }

    void afficheOverTheBody_data() {
        QTest::addColumn<QList<bool>>("flags"); // mirrorLeftRight, mirrorTopBottom, carross
        QTest::addColumn<render::View>("view");
        QTest::addColumn<Probes>("probes");
        // White body, black line at x = 20, grey from y = 30, green marker at the top left; a
        // red rectangle (15, 15, 20 x 25) and a blue one in front from (30, 15).
        const Colour k = platform::kBlack, w = platform::kWhite, g = platform::rgb(0, 255, 0);
        const Colour blue = document::kPalette[6], grey = platform::rgb(128, 128, 128);
        const Colour darkRed = platform::rgb(128, 0, 0);
        const render::View plain{1, 0, 0};
        QTest::newRow("objects cover the body")
            << QList<bool>{false, false, false} << plain
            << Probes{{{0, 0}, g},      {{4, 4}, g},      {{5, 5}, w},  {{20, 20}, kRed},
                      {{17, 35}, kRed}, {{32, 20}, blue}, {{20, 5}, k}, {{5, 40}, grey}};
        QTest::newRow("carross: black lines in front, white and grey leave or darken colours")
            << QList<bool>{false, false, true} << plain
            << Probes{{{20, 20}, k},
                      {{17, 20}, kRed},
                      {{17, 35}, darkRed},
                      {{32, 20}, blue},
                      {{20, 5}, k}};
        QTest::newRow("both mirrors keep the objects in place, scrolled by (20, 10)")
            << QList<bool>{true, true, false} << render::View{1, 20, 10}
            << Probes{{{35, 35}, g},    {{34, 35}, w}, {{10, 5}, blue},
                      {{19, 14}, blue}, {{20, 14}, w}, {{19, 20}, k}};
        // Corners at 15 * 0.5 - 5 * 0.5, each product rounded first: 8 - 2, not 8 - 3.
        QTest::newRow("50 %, scrolled by (5, 5): halves round to even")
            << QList<bool>{false, false, false} << render::View{.5f, 5, 5}
            << Probes{{{6, 6}, kRed}, {{5, 6}, w}, {{6, 5}, w}, {{12, 17}, kRed}};
    }
    void afficheOverTheBody() {
        QFETCH(QList<bool>, flags);
        QFETCH(render::View, view);
        QFETCH(Probes, probes);
        QImage body(60, 50, QImage::Format_RGB32);
        body.fill(Qt::white);
        QPainter(&body).fillRect(0, 30, 60, 20, QColor(128, 128, 128));
        QPainter(&body).fillRect(20, 0, 1, 50, Qt::black);
        QPainter(&body).fillRect(0, 0, 5, 5, Qt::green);
        document::Layout layout = layoutOver(body);
        layout.mirrorLeftRight = flags[0];
        layout.mirrorTopBottom = flags[1];
        layout.objects.append(planObject(ObjectKind::Rectangle, 15, 15, 25, 20, Fill::colour(2)));
        layout.objects.append(planObject(ObjectKind::Rectangle, 30, 15, 10, 10, Fill::colour(6)));
        settings::Preferences prefs;
        prefs.bodyLinesInFront = flags[2];
        Surface s(60, 50);
        renderer_.drawPlan(s, layout, view, prefs);
        checkProbes(s, probes);
    }

    // What later boxes, textures and accessories paint over is left out of a redraw; the
    // canvas and the surface's pen and text state must still be those of drawing the body
    // picture and every object in turn. A canvas-wide cover with near misses that leave a
    // strip where the body and the objects under it show; crowded plans where most
    // objects are partly or wholly hidden, some of them thin, flat or tiny.
    void drawnAsIfEveryObjectInTurn_data() {
        QTest::addColumn<QList<PlanObject>>("objects");
        QTest::addColumn<render::View>("view");
        QTest::addColumn<bool>("carross");
        const render::View plain{1, 0, 0};
        const auto rectangle = [](float x, float y, float h, float w, Fill fill) {
            return planObject(ObjectKind::Rectangle, x, y, h, w, std::move(fill));
        };
        const auto accessory = [](float x, float y, float h, float w, int turn) {
            return planObject(ObjectKind::Accessory, x, y, h, w, Fill::file(kAccessory), false,
                              turn);
        };
        // Under the cover: every kind, the last text in its own colour; over it, a box.
        const auto covered = [](const PlanObject& cover) {
            return QList<PlanObject>{
                planObject(ObjectKind::Rectangle, 2, 2, 8, 8, Fill::colour(4)),
                planObject(ObjectKind::Accessory, 5, 30, 10, 20, Fill::file(kAccessory), false, 2),
                planObject(ObjectKind::Line, 0, 0, 40, 50, Fill::colour(1)),
                planObject(ObjectKind::Ellipse, 20, 5, 20, 30, Fill::colour(5)),
                planObject(ObjectKind::Measure, 3, 20, 10, 40, Fill::colour(3)),
                planObject(ObjectKind::Text, 30, 40, 0, 0, Fill::colour(7), false, 0, "Lit"),
                planObject(ObjectKind::Triangle, 40, 2, 15, 15, Fill::colour(2), false, 1),
                cover,
                planObject(ObjectKind::Rectangle, 12, 12, 3, 4, Fill::colour(6))};
        };
        QTest::newRow("colour rectangle past every edge")
            << covered(rectangle(-3, -3, 57, 67, Fill::colour(9))) << plain << false;
        QTest::newRow("colour rectangle a column short of the right edge")
            << covered(rectangle(-3, -3, 57, 62, Fill::colour(9))) << plain << false;
        QTest::newRow("texture past every edge, body lines in front")
            << covered(rectangle(-7, -6, 70, 80, Fill::file(QStringLiteral("Damier.bmp")))) << plain
            << true;
        QTest::newRow("texture whose last tiles stop a row short of the bottom")
            << covered(rectangle(-6, -6, 55.4f, 80, Fill::file(QStringLiteral("Damier.bmp"))))
            << plain << false;
        QTest::newRow("unreadable texture paints nothing")
            << covered(rectangle(-10, -10, 80, 90, Fill::file(QStringLiteral("Abime.jpg"))))
            << plain << false;
        QTest::newRow("accessory turned a quarter, at 400 %, scrolled")
            << covered(accessory(0, 0, 40, 30, 1)) << render::View{4, 2, 1.5f} << false;
        QTest::newRow("accessory at 400 %, a column short of the left edge")
            << covered(accessory(0.15f, 0, 20, 30, 0)) << render::View{4, 0, 2} << false;
        QTest::newRow("crowded at 100 %") << crowded(1) << plain << false;
        QTest::newRow("crowded at 100 %, body lines in front") << crowded(2) << plain << true;
        QTest::newRow("crowded at 37 %") << crowded(3) << render::View{0.37f, 0, 0} << false;
        QTest::newRow("crowded at 250 %, scrolled")
            << crowded(4) << render::View{2.5f, 10.5f, 7} << false;
        QTest::newRow("crowded at 1600 %, body lines in front")
            << crowded(5) << render::View{16, 20, 15} << true;
    }
    void drawnAsIfEveryObjectInTurn() {
        QFETCH(QList<PlanObject>, objects);
        QFETCH(render::View, view);
        QFETCH(bool, carross);
        QImage body(60, 50, QImage::Format_RGB32); // not the surface's white
        body.fill(QColor(200, 220, 240));
        QPainter(&body).fillRect(10, 0, 2, 50, Qt::black);
        document::Layout layout = layoutOver(body);
        for (const PlanObject& object : objects)
            layout.objects.append(object);
        settings::Preferences prefs;
        prefs.bodyLinesInFront = carross;
        prefs.lineWidth = QStringLiteral("4");
        prefs.whiteTextBackground = !carross;

        Surface drawn(60, 50);
        drawn.textX = 5;
        renderer_.drawPlan(drawn, layout, view, prefs);

        Surface expected(60, 50);
        expected.textX = 5;
        const render::PicturePlacement at =
            render::placeVehicle(layout.pictureWidth, layout.pictureHeight, view.zoom, view.originX,
                                 view.originY, false, false);
        if (!carross)
            expected.drawPicture(body, at.left, at.top, at.width, at.height);
        for (const PlanObject& object : layout.objects)
            renderer_.drawObject(expected, render::screenBox(object, view, layout.pixelsPerCm),
                                 object, {view.zoom, layout.pixelsPerCm, prefs});
        if (carross)
            expected.drawPicture(body, at.left, at.top, at.width, at.height,
                                 platform::RasterOp::And);

        QVERIFY(testkit::imagesMatch(drawn.image(), expected.image(), QStringLiteral("covered")));
        QCOMPARE(drawn.penColour, expected.penColour);
        QCOMPARE(drawn.penWidth, expected.penWidth);
        QCOMPARE(std::pair(drawn.textX, drawn.textY), std::pair(expected.textX, expected.textY));
        QCOMPARE(drawn.transparentText, expected.transparentText);
    }

    // Events run between objects may scroll: what was found hidden under the old view is
    // not under the new one, and the objects left are drawn whole, where they now are.
    void viewChangedMidRedrawDrawsTheRestWhole() {
        const QImage body(60, 50, QImage::Format_RGB32);
        document::Layout layout = layoutOver(body);
        layout.objects.append(planObject(ObjectKind::Rectangle, 50, 40, 5, 5, Fill::colour(4)));
        layout.objects.append(planObject(ObjectKind::Ellipse, 5, 5, 20, 20, Fill::colour(5)));
        // Over the ellipse's right half.
        layout.objects.append(planObject(ObjectKind::Rectangle, 15, 0, 30, 30, Fill::colour(9)));
        render::View view{1, 0, 0};
        const render::View scrolled{1, -25, -20};
        int calls = 0;
        renderer_.processEvents = [&] {
            if (++calls == 1)
                view = scrolled;
        };
        Surface drawn(60, 50);
        renderer_.drawPlan(drawn, layout, view, {});
        renderer_.processEvents = nullptr;

        Surface expected(60, 50);
        expected.drawPicture(body, 0, 0, 60, 50);
        const auto draw = [&](int row, const render::View& at) {
            const PlanObject& object = layout.objects.row(row);
            renderer_.drawObject(expected, render::screenBox(object, at, 1), object, {1, 1, {}});
        };
        draw(1, {1, 0, 0});
        draw(2, scrolled);
        draw(3, scrolled);
        QVERIFY(testkit::imagesMatch(drawn.image(), expected.image(), QStringLiteral("scrolled")));
    }

    // The mask must never answer "covered" for a pixel that no covering rectangle holds,
    // whatever the rectangles and the area asked about, checked pixel by pixel.
    void coverMaskKeepsEveryUncoveredPixel() {
        std::uint32_t seed = 7;
        const auto next = [&seed](int below) {
            seed = seed * 1664525u + 1013904223u;
            return int((seed >> 8) % std::uint32_t(below));
        };
        for (int round = 0; round < 40; ++round) {
            const int width = 1 + next(150), height = 1 + next(90);
            render::CoverMask mask;
            mask.reset(width, height);
            QImage covered(width, height, QImage::Format_Mono);
            covered.fill(0);
            for (int k = 0; k < 8; ++k) {
                const QRect area(next(width + 20) - 10, next(height + 20) - 10, next(80), next(60));
                mask.cover(area);
                for (int y = 0; y < height; ++y)
                    for (int x = 0; x < width; ++x)
                        if (area.contains(x, y))
                            covered.setPixel(x, y, 1);
            }
            const QRect asked(next(width + 20) - 10, next(height + 20) - 10, next(120), next(90));
            std::vector<QRect> bands;
            const QRect bounds = mask.uncovered(asked, bands);
            QRect joined;
            for (std::size_t b = 0; b < bands.size(); ++b) {
                QVERIFY(!bands[b].isEmpty());
                QVERIFY(b == 0 || bands[b].top() > bands[b - 1].bottom());
                joined |= bands[b];
            }
            QCOMPARE(bounds, joined);
            for (int y = 0; y < height; ++y)
                for (int x = 0; x < width; ++x) {
                    const bool open = asked.contains(x, y) && !covered.pixelIndex(x, y);
                    const bool banded =
                        std::any_of(bands.begin(), bands.end(),
                                    [&](const QRect& b) { return b.contains(x, y); });
                    if (open && !banded)
                        QFAIL(qPrintable(QStringLiteral("round %1: (%2, %3) left out")
                                             .arg(round)
                                             .arg(x)
                                             .arg(y)));
                    QVERIFY(!banded || asked.contains(x, y));
                }
        }
    }

private:
    // 150 objects of every kind over the 60 x 50 body and past its edges, a few of them
    // thin, flat or tiny, at positions between pixels.
    static QList<PlanObject> crowded(std::uint32_t seed) {
        const auto next = [&seed](int below) {
            seed = seed * 1664525u + 1013904223u;
            return int((seed >> 8) % std::uint32_t(below));
        };
        const ObjectKind kinds[] = {ObjectKind::Rectangle, ObjectKind::Rectangle,
                                    ObjectKind::Accessory, ObjectKind::Ellipse,
                                    ObjectKind::Triangle,  ObjectKind::Line,
                                    ObjectKind::Measure,   ObjectKind::Text};
        const float tiny[] = {0, 0.4f, 1, 1.5f, 2.5f, 3.9f};
        QList<PlanObject> objects;
        for (int k = 0; k < 150; ++k) {
            const ObjectKind kind = kinds[next(8)];
            const float x = float(next(280)) / 4 - 10, y = float(next(240)) / 4 - 10;
            float h = float(next(300)) / 10, w = float(next(400)) / 10;
            if (next(8) == 0)
                w = tiny[next(6)];
            if (next(8) == 0)
                h = tiny[next(6)];
            Fill fill = Fill::colour(next(16));
            if (kind == ObjectKind::Rectangle && next(3) == 0)
                fill = Fill::file(QStringLiteral("Damier.bmp"));
            if (kind == ObjectKind::Accessory)
                fill = Fill::file(kAccessory);
            objects.append(
                planObject(kind, x, y, h, w, fill, false, next(4),
                           kind == ObjectKind::Text ? QStringLiteral("Évier") : QString()));
        }
        return objects;
    }
};

QTEST_MAIN(TestPlanRenderer)
#include "tst_planrenderer.moc"
