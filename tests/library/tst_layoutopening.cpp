// Guards the one way a layout file becomes a layout, shared by the window and the command
// line: what a complete result holds, and which failure each kind of bad input gives.
#include "library/LayoutOpening.h"
#include "platform/FileSystem.h"
#include "testkit/TestKit.h"

#include <QtTest>

using library::OpenedLayout;
using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(OpenedLayout::Failure)

namespace {

const QString kVehicle = u"Fourgon_L2H2_Dessus_XY_500_.bmp"_s;     // 20 pixels per cm
const QString kUndecodable = u"Fourgon_L2H2_Gauche_XZ_500_.jpg"_s; // not a picture
const QString kMissingTexture = u"absente.jpg"_s;

// A file on the vehicle with one rectangle, textured when a texture is named.
QByteArray layoutFile(const QString& vehicle, const QString& zoom, const QString& fill) {
    const QStringList lines = {u"Kestrion 2"_s, vehicle, u"1"_s,  u"0"_s,  u"1"_s, zoom,   u"1"_s,
                               u"10"_s,         u"20"_s, u"30"_s, u"40"_s, fill,   u"0"_s, u"0"_s};
    return (lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8();
}

} // namespace

class TestLayoutOpening : public QObject {
    Q_OBJECT

    testkit::ProgramFolder folder_;
    platform::FileSystem fs_;

private Q_SLOTS:
    void initTestCase() {
        testkit::setUpTestEnvironment();
        folder_.addPicture(u"vehicules"_s, kVehicle, 40, 30);
        QVERIFY(fs_.writeFileSafely(folder_.vehicules() + u"/"_s + kUndecodable, "not a picture"));
    }

    void openLayout_data() {
        QTest::addColumn<QString>("vehicle");
        QTest::addColumn<QString>("zoom");
        QTest::addColumn<QString>("fill");
        QTest::addColumn<OpenedLayout::Failure>("failure");
        QTest::addColumn<bool>("missingReported");
        QTest::addColumn<int>("percent");
        QTest::newRow("complete, zoom held to the range")
            << kVehicle << u"5000"_s << u"2"_s << OpenedLayout::Failure::None << false << 1600;
        QTest::newRow("quoted decimal comma zoom, half to even")
            << kVehicle << u"\"75,5\""_s << u"2"_s << OpenedLayout::Failure::None << false << 76;
        QTest::newRow("missing texture reported, layout still opens")
            << kVehicle << u"100"_s << kMissingTexture << OpenedLayout::Failure::None << true
            << 100;
        QTest::newRow("vehicle file absent: the reader refuses")
            << u"Fourgon_L2H2_Avant_YZ_500_.bmp"_s << u"100"_s << u"2"_s
            << OpenedLayout::Failure::FileRefused << false << 100;
        QTest::newRow("vehicle not a picture: unreadable, missing texture still reported")
            << kUndecodable << u"100"_s << kMissingTexture
            << OpenedLayout::Failure::VehicleUnreadable << true << 100;
    }
    void openLayout() {
        QFETCH(QString, vehicle);
        QFETCH(QString, zoom);
        QFETCH(QString, fill);
        QFETCH(OpenedLayout::Failure, failure);
        QFETCH(bool, missingReported);
        QFETCH(int, percent);
        const QString path = folder_.path() + u"/plan.kla"_s;
        QVERIFY(fs_.writeFileSafely(path, layoutFile(vehicle, zoom, fill)));

        const OpenedLayout opened =
            library::openLayout(path, folder_.path(), fs_, QLocale(QLocale::French));
        QCOMPARE(opened.failure, failure);
        QCOMPARE(opened.refusal.isEmpty(), failure != OpenedLayout::Failure::FileRefused);
        QCOMPARE(!opened.missingPictures.isEmpty(), missingReported);
        if (failure == OpenedLayout::Failure::VehicleUnreadable)
            QCOMPARE(opened.layout.vehicleFile, vehicle);
        if (failure != OpenedLayout::Failure::None)
            return;

        const document::Layout& l = opened.layout;
        QCOMPARE(opened.zoomPercent, percent);
        QCOMPARE(l.zoomText, QString::number(percent));
        QVERIFY(l.isOpen && !l.modified);
        QCOMPARE(l.vehicleFile, kVehicle);
        QCOMPARE(l.vehicleModel + u"|"_s + l.vehicleBody + u"|"_s + l.vehicleView + u"|"_s +
                     l.vehicleAxes,
                 u"Fourgon|L2H2|Dessus|XY"_s);
        QCOMPARE(l.pixelsPerCm, 20.0);
        QCOMPARE(QSizeF(l.pictureWidth, l.pictureHeight), QSizeF(40, 30));
        QCOMPARE(l.vehiclePicture.size(), QSize(40, 30));
        QVERIFY(l.mirrorLeftRight && !l.mirrorTopBottom);
        QCOMPARE(l.objects.count(), 1);
    }
};

QTEST_MAIN(TestLayoutOpening)
#include "tst_layoutopening.moc"
