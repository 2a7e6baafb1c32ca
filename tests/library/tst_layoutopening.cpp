// Guards the one way a layout file becomes a layout, shared by the window and the command
// line; the refusals and the zoom are checked through the window.
#include "library/LayoutOpening.h"
#include "platform/FileSystem.h"
#include "testkit/TestKit.h"

#include <QtTest>

using library::OpenedLayout;
using namespace Qt::StringLiterals;

class TestLayoutOpening : public QObject {
    Q_OBJECT

    testkit::ProgramFolder folder_;
    platform::FileSystem fs_;
    const QString vehicle_ = u"Fourgon_L2H2_Dessus_XY_500_.bmp"_s;     // 20 pixels per cm
    const QString undecodable_ = u"Fourgon_L2H2_Gauche_XZ_500_.jpg"_s; // not a picture

    // Opens a file on the vehicle, mirrored left to right, with one rectangle.
    OpenedLayout open(const QString& vehicle, const QString& fill) {
        const QString path = folder_.path() + u"/plan.kla"_s;
        const QStringList lines = {u"Kestrion 2"_s, vehicle, u"1"_s,  u"0"_s,  u"1"_s,
                                   u"5000"_s,       u"1"_s,  u"10"_s, u"20"_s, u"30"_s,
                                   u"40"_s,         fill,    u"0"_s,  u"0"_s};
        if (!fs_.writeFileSafely(path, (lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8()))
            qFatal("cannot write the layout");
        return library::openLayout(path, folder_.path(), fs_, QLocale(QLocale::French));
    }

private Q_SLOTS:
    void initTestCase() {
        testkit::setUpTestEnvironment();
        folder_.addPicture(u"vehicules"_s, vehicle_, 40, 30);
        QVERIFY(fs_.writeFileSafely(folder_.vehicules() + u"/"_s + undecodable_, "not a picture"));
    }

    void completeLayout() {
        const OpenedLayout opened = open(vehicle_, u"2"_s);
        QCOMPARE(opened.failure, OpenedLayout::Failure::None);
        QVERIFY(opened.missingPictures.isEmpty());
        const document::Layout& l = opened.layout;
        QCOMPARE(opened.zoomPercent, 1600);
        QCOMPARE(l.zoomText, u"1600"_s);
        QVERIFY(l.isOpen && !l.modified);
        QCOMPARE(l.vehicleFile + u"|"_s + l.vehicleModel + u"|"_s + l.vehicleBody + u"|"_s +
                     l.vehicleView + u"|"_s + l.vehicleAxes,
                 vehicle_ + u"|Fourgon|L2H2|Dessus|XY"_s);
        QCOMPARE(l.pixelsPerCm, 20.0);
        QCOMPARE(QSizeF(l.pictureWidth, l.pictureHeight), QSizeF(40, 30));
        QCOMPARE(l.vehiclePicture.size(), QSize(40, 30));
        QVERIFY(l.mirrorLeftRight && !l.mirrorTopBottom);
        QCOMPARE(l.objects.count(), 1);
    }

    void unreadableVehicleStillReportsMissingPictures() {
        const OpenedLayout opened = open(undecodable_, u"absente.jpg"_s);
        QCOMPARE(opened.failure, OpenedLayout::Failure::VehicleUnreadable);
        QVERIFY(opened.refusal.isEmpty() && !opened.missingPictures.isEmpty());
        QCOMPARE(opened.layout.vehicleFile, undecodable_);
    }
};

QTEST_MAIN(TestLayoutOpening)
#include "tst_layoutopening.moc"
