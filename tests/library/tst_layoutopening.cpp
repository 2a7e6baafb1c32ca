// Guards the grammar of library picture names and the one way a layout file becomes a layout,
// shared by the window and the command line; listings, refusals and the zoom are checked
// through the windows.
#include "library/LayoutOpening.h"
#include "library/LibraryNames.h"
#include "platform/FileSystem.h"
#include "testkit/TestKit.h"

#include <QtTest>

using namespace library;
using namespace Qt::StringLiterals;

class TestLibraryFiles : public QObject {
    Q_OBJECT
    testkit::ProgramFolder folder_;
    platform::FileSystem fs_;
    const QString vehicle_ = u"Fourgon_L2H2_Dessus_XY_500_.bmp"_s;     // 20 pixels per cm
    const QString undecodable_ = u"Fourgon_L2H2_Gauche_XZ_500_.jpg"_s; // not a picture

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

    void vehicleNames_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("pixelsPerCm"); // 0: refused
        QTest::newRow("spaces and accents in the view")
            << "Trafic_L2H1_Côté droit_XZ_500_.gif" << 20.0;
        QTest::newRow("largest 16-bit resolution") << "A_B_C_XZ_32767_.bmp" << 10000.0 / 32767;
        QTest::newRow("resolution too big for 16 bits") << "A_B_C_XZ_32768_.bmp" << 0.0;
        QTest::newRow("resolution 0") << "A_B_C_XZ_0_.bmp" << 0.0;
        QTest::newRow("fractional resolution") << "A_B_C_XZ_2,5_.bmp" << 0.0;
    }
    void vehicleNames() {
        QFETCH(QString, name);
        QFETCH(double, pixelsPerCm);
        const auto v = parseVehicleName(name);
        QCOMPARE(v.has_value(), pixelsPerCm > 0);
        if (v) {
            QCOMPARE(v->pixelsPerCm, pixelsPerCm);
            // Model, body, view and axes are the name's first four fields.
            QCOMPARE((QStringList{v->model, v->body, v->view, v->axes}).join('_'),
                     name.section('_', 0, 3));
        }
    }

    // Names read well and plain pairs of views and axes are checked through the browser.
    void refusalsAndEdges() {
        for (const QString& name :
             {u"Cuisine_Frigo_4,5_50_XY_.bmp"_s, u"Cuisine_Frigo_40000_50_XY_.bmp"_s})
            QVERIFY2(!parseAccessoryName(name), qPrintable(name));
        QVERIFY(isCompatible(u"XY-XZ-YZ"_s, u"YZ"_s)); // the third code counts
        QVERIFY(!isCompatible(u"XY-ZY"_s, u"Y-"_s));   // letters across a separator do not
        QVERIFY(!isCompatible(u"XY"_s, QString()));    // no axes fit nothing
        QCOMPARE(extensionOf(u"photo"_s), u"photo"_s); // no dot: the whole path
        QCOMPARE(textureCaption(u"bois.clair.jpg"_s), u"bois"_s);
    }

    void completeLayout() {
        const OpenedLayout opened = open(vehicle_, u"2"_s);
        QCOMPARE(opened.failure, OpenedLayout::Failure::None);
        QVERIFY(opened.missingPictures.isEmpty());
        const document::Layout& l = opened.layout;
        QVERIFY(l.isOpen);
        QVERIFY(l.mirrorLeftRight);
        QVERIFY(!l.mirrorTopBottom);
        QCOMPARE(l.vehicleFile + u"|"_s + l.vehicleModel + u"|"_s + l.vehicleBody + u"|"_s +
                     l.vehicleView + u"|"_s + l.vehicleAxes,
                 vehicle_ + u"|Fourgon|L2H2|Dessus|XY"_s);
        QCOMPARE(l.pixelsPerCm, 20.0);
        QCOMPARE(QSizeF(l.pictureWidth, l.pictureHeight), QSizeF(l.vehiclePicture.size()));
        QVERIFY(l.vehiclePicture.size() == QSize(40, 30));
        QVERIFY(l.objects.count() == 1);
    }

    void unreadableVehicleStillReportsMissingPictures() {
        const OpenedLayout opened = open(undecodable_, u"absente.jpg"_s);
        QCOMPARE(opened.failure, OpenedLayout::Failure::VehicleUnreadable);
        QVERIFY(opened.refusal.isEmpty());
        QVERIFY(!opened.missingPictures.isEmpty());
        QCOMPARE(opened.layout.vehicleFile, undecodable_);
    }
};

QTEST_MAIN(TestLibraryFiles)
#include "tst_layoutopening.moc"
