// Guards the vehicle's data as the user gives them: in "Données du véhicule" and in the
// vehicle import window, masses typed and axle centres typed or taken by clicking the two
// wheel centres on the picture, written into the library's data file and read back from
// it; wrong entries are refused and leave the file as it was.
#include "library/MassData.h"
#include "library/ui/SurfaceView.h"
#include "library/ui/VehicleDataBoxes.h"
#include "library/ui/VehicleDataDialog.h"
#include "library/ui/VehicleImportDialog.h"
#include "platform/FileSystem.h"
#include "testkit/ScriptedDialogService.h"
#include "testkit/TestKit.h"

#include <QtTest>
#include <QtWidgets>

using library::VehicleDatum;
using namespace library::ui;

namespace {

const QString kPickPrompt = QStringLiteral("Cliquez sur l'image le centre de la roue avant, "
                                           "puis celui de la roue arrière.");

struct Fixture {
    testkit::ProgramFolder folder;
    platform::FileSystem fs;
    testkit::ScriptedDialogService dialogs;

    library::VehicleData data() const { return library::readVehicleData(folder.path(), fs); }
    QByteArray dataFile() const {
        QFile file(folder.vehicules() + QStringLiteral("/donnees.txt"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

void type(VehicleDataBoxes* boxes, VehicleDatum datum, const QString& text) {
    QLineEdit* box = boxes->box(datum);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

void typeMasses(VehicleDataBoxes* boxes, const QStringList& texts) {
    for (int k = 0; k < texts.size(); ++k)
        type(boxes, VehicleDatum(k), texts[k]);
}

QString boxText(VehicleDataBoxes* boxes, VehicleDatum datum) {
    return boxes->box(datum)->text();
}

// Clicks on the picture view at these columns, in the middle of its height.
void clickColumns(QWidget* picture, const QList<int>& columns) {
    for (const int x : columns)
        QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(x, picture->height() / 2));
}

const document::VehicleMasses kMasses{1150, 850, 1850, 2000, 3500};

} // namespace

class VehicleDataTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    // "Données du véhicule" on a side view: the wheel centres clicked on the picture give
    // the axle boxes in cm from the picture's left edge, whichever side the front is on; a
    // second click on the front wheel's column does not count. OK writes them and the
    // typed masses, and the window opened again shows them. A back view has no axles: their
    // boxes and the button are disabled and no picture is offered.
    void dataWindowTakesTheAxlesFromTwoClicks_data() {
        QTest::addColumn<QString>("picture");
        QTest::addColumn<QList<int>>("clicks");
        QTest::addColumn<document::AxleCentres>("axles");
        QTest::newRow("2 px per cm, front on the left")
            << "Fourgon_L2H2_Gauche_XZ_5000_.bmp" << QList<int>{70, 760}
            << document::AxleCentres{35, 380};
        QTest::newRow("front on the right")
            << "Fourgon_L2H2_Droite_XZ_5000_.bmp" << QList<int>{760, 70}
            << document::AxleCentres{380, 35};
        QTest::newRow("front column clicked twice")
            << "Fourgon_L2H2_Gauche_XZ_5000_.bmp" << QList<int>{70, 70, 500}
            << document::AxleCentres{35, 250};
        QTest::newRow("tenths of a cm, from above")
            << "Fourgon_L2H2_Dessus_XY_3000_.bmp" << QList<int>{100, 211}
            << document::AxleCentres{30, 63.3};
        QTest::newRow("back view: masses only")
            << "Fourgon_L2H2_Arriere_YZ_5000_.bmp" << QList<int>{} << document::AxleCentres{0, 0};
    }
    void dataWindowTakesTheAxlesFromTwoClicks() {
        QFETCH(QString, picture);
        QFETCH(QList<int>, clicks);
        QFETCH(document::AxleCentres, axles);
        const bool alongLength = !clicks.isEmpty();
        Fixture f;
        f.folder.addPicture(QStringLiteral("vehicules"), picture, 900, 300);
        {
            VehicleDataDialog form(f.folder.path(), "Fourgon", "L2H2", picture, alongLength, f.fs,
                                   f.dialogs);
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            VehicleDataBoxes* boxes = form.boxes();
            for (int k = 0; k < library::kVehicleData; ++k)
                QVERIFY(boxes->box(VehicleDatum(k))->text().isEmpty());
            typeMasses(boxes, {"1150", "850", "1850", "2000", "3500"});
            QCOMPARE(boxes->box(VehicleDatum::FrontAxle)->isEnabled(), alongLength);
            QCOMPARE(boxes->box(VehicleDatum::RearAxle)->isEnabled(), alongLength);
            QCOMPARE(boxes->pickButton()->isEnabled(), alongLength);
            QCOMPARE(form.pictureView()->isVisibleTo(&form), alongLength);
            if (alongLength) {
                QTest::mouseClick(boxes->pickButton(), Qt::LeftButton);
                QCOMPARE(f.dialogs.messages(), QStringList{kPickPrompt});
                const QImage clean = form.pictureView()->surface().image().copy();
                clickColumns(form.pictureView(), clicks.mid(0, 1));
                // The front wheel's column is marked, the boxes wait for the rear wheel.
                QVERIFY(form.pictureView()->surface().image() != clean);
                QVERIFY(boxText(boxes, VehicleDatum::FrontAxle).isEmpty());
                clickColumns(form.pictureView(), clicks.mid(1));
                QCOMPARE(boxText(boxes, VehicleDatum::FrontAxle).toDouble(), axles.frontCm);
                QCOMPARE(boxText(boxes, VehicleDatum::RearAxle).toDouble(), axles.rearCm);
                // Clicks after the second wheel change nothing.
                clickColumns(form.pictureView(), {5});
                QCOMPARE(boxText(boxes, VehicleDatum::FrontAxle).toDouble(), axles.frontCm);
            }
            form.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
            QCOMPARE(form.result(), int(QDialog::Accepted));
        }
        QCOMPARE(f.data().axlesOf(picture), alongLength ? std::optional(axles) : std::nullopt);
        QCOMPARE(f.data().massesOf("Fourgon", "L2H2"), kMasses);
        VehicleDataDialog again(f.folder.path(), "Fourgon", "L2H2", picture, alongLength, f.fs,
                                f.dialogs);
        QCOMPARE(boxText(again.boxes(), VehicleDatum::RearAxle).toDouble(), axles.rearCm);
        QCOMPARE(boxText(again.boxes(), VehicleDatum::MaxTotal), QStringLiteral("3500"));
    }

    // What the window refuses, with the message that says why; the file keeps what it
    // held. Boxes emptied together forget that part.
    void dataWindowRefusesWrongEntries_data() {
        QTest::addColumn<QStringList>("texts"); // the seven boxes
        QTest::addColumn<QString>("message");   // empty: accepted
        const QString numbers = QStringLiteral("Les données du véhicule doivent être des nombres "
                                               "positifs, ou rester vides quand elles ne sont pas "
                                               "connues.");
        const QString together = QStringLiteral("Donnez les cinq masses ensemble, et les centres "
                                                "des deux essieux ensemble, à des distances "
                                                "différentes.");
        QTest::newRow("not a number")
            << QStringList{"1150", "850", "lourd", "2000", "3500", "35", "380"} << numbers;
        QTest::newRow("negative mass")
            << QStringList{"1150", "-850", "1850", "2000", "3500", "35", "380"} << numbers;
        QTest::newRow("negative axle")
            << QStringList{"1150", "850", "1850", "2000", "3500", "-1", "380"} << numbers;
        QTest::newRow("four masses of five")
            << QStringList{"1150", "850", "1850", "2000", "", "35", "380"} << together;
        QTest::newRow("one axle") << QStringList{"1150", "850", "1850", "2000", "3500", "35", ""}
                                  << together;
        QTest::newRow("both axles at one place")
            << QStringList{"1150", "850", "1850", "2000", "3500", "35", "35"} << together;
        QTest::newRow("decimal comma")
            << QStringList{"1150,5", "850", "1850", "2000", "3500", "35,5", "380"} << QString();
        QTest::newRow("all emptied") << QStringList{"", "", "", "", "", "", ""} << QString();
    }
    void dataWindowRefusesWrongEntries() {
        QFETCH(QStringList, texts);
        QFETCH(QString, message);
        Fixture f;
        const QString picture = QStringLiteral("Fourgon_L2H2_Gauche_XZ_5000_.bmp");
        f.folder.addPicture(QStringLiteral("vehicules"), picture, 900, 300);
        library::VehicleData known;
        known.setMasses("Fourgon", "L2H2", kMasses);
        known.setAxles(picture, document::AxleCentres{35, 380});
        QVERIFY(library::writeVehicleData(f.folder.path(), known, f.fs));
        const QByteArray before = f.dataFile();

        VehicleDataDialog form(f.folder.path(), "Fourgon", "L2H2", picture, true, f.fs, f.dialogs);
        form.show();
        for (int k = 0; k < library::kVehicleData; ++k)
            type(form.boxes(), VehicleDatum(k), texts[k]);
        form.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        if (!message.isEmpty()) {
            QCOMPARE(f.dialogs.messages(), QStringList{message});
            QVERIFY(form.isVisible());
            QCOMPARE(f.dataFile(), before);
            return;
        }
        QVERIFY(f.dialogs.asked.empty());
        QVERIFY(!form.isVisible());
        const library::VehicleData after = f.data();
        QCOMPARE(after.massesOf("Fourgon", "L2H2").has_value(), !texts[0].isEmpty());
        QCOMPARE(after.axlesOf(picture).has_value(), !texts[5].isEmpty());
        if (!texts[0].isEmpty()) {
            QCOMPARE(after.massesOf("Fourgon", "L2H2")->kerbFrontKg, 1150.5);
            QCOMPARE(after.axlesOf(picture)->frontCm, 35.5);
        }
    }

    // The import window: once the picture's scale is measured, two clicks on the wheel
    // centres give the axle boxes; "Ajouter à la bibliothèque" writes the typed masses for
    // the model and body and the axles for the new picture's name, beside the picture. A
    // model and body the library knows show their masses; a front or back view keeps no
    // axles. Wrong data stop the import before anything is written: no picture, no data.
    void importWindowKeepsTheVehicleData_data() {
        QTest::addColumn<QString>("viewOption"); // Option1_0 side, _1 front/back, _2 top
        QTest::addColumn<QString>("axes");
        QTest::addColumn<bool>("withAxles");
        QTest::addColumn<bool>("oneMassOnly"); // refused
        QTest::newRow("side view") << "Option1_0"
                                   << "XZ" << true << false;
        QTest::newRow("top view") << "Option1_2"
                                  << "XY" << true << false;
        QTest::newRow("back view") << "Option1_1"
                                   << "YZ" << false << false;
        QTest::newRow("one mass of five: refused") << "Option1_0"
                                                   << "XZ" << true << true;
    }
    void importWindowKeepsTheVehicleData() {
        QFETCH(QString, viewOption);
        QFETCH(QString, axes);
        QFETCH(bool, withAxles);
        QFETCH(bool, oneMassOnly);
        Fixture f;
        library::VehicleData known;
        known.setMasses("Fourgon", "L3H2", document::VehicleMasses{1200, 950, 1850, 2100, 3500});
        QVERIFY(library::writeVehicleData(f.folder.path(), known, f.fs));
        const QByteArray before = f.dataFile();
        f.dialogs.openAnswers.push_back(
            {f.folder.addPicture(QString(), QStringLiteral("photo.jpg"), 900, 300), 1});
        VehicleImportDialog form(f.folder.path(), f.fs, f.dialogs);
        form.start();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        VehicleDataBoxes* boxes = form.dataBoxes();
        auto* picture = form.findChild<SurfaceView*>(QStringLiteral("Picture1"));

        // Before the scale is known the wheels cannot be placed in cm.
        QTest::mouseClick(boxes->pickButton(), Qt::LeftButton);
        QCOMPARE(f.dialogs.lastMessage().text,
                 QStringLiteral("Faites d'abord le test de résolution de l'image : les centres "
                                "des essieux se donnent en centimètres."));
        // 200 px for 100 cm: 2 px per cm, 5000 µm per pixel.
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
        f.dialogs.inputAnswers.push_back(QStringLiteral("100"));
        clickColumns(picture, {100, 300});
        QCOMPARE(int(form.resolution()), 5000);

        // Axles typed first are taken only on a view along the length.
        type(boxes, VehicleDatum::FrontAxle, "1");
        type(boxes, VehicleDatum::RearAxle, "2");
        form.findChild<QRadioButton*>(viewOption)->click();
        QCOMPARE(boxes->box(VehicleDatum::FrontAxle)->isEnabled(), withAxles);
        QCOMPARE(boxes->pickButton()->isEnabled(), withAxles);
        const auto name = [&form](const char* list, const QString& text) {
            QLineEdit* box = form.findChild<QComboBox*>(QLatin1String(list))->lineEdit();
            box->clear();
            QTest::keyClicks(box, text);
        };
        name("Combo1", "Fourgon");
        name("Combo2", "L3H2");
        QCOMPARE(boxText(boxes, VehicleDatum::MaxRear), QStringLiteral("2100"));
        name("Combo2", "L2H2");
        name("Combo3", "Profil");
        type(boxes, VehicleDatum::KerbFront, "1150");
        if (oneMassOnly) {
            for (const VehicleDatum datum : {VehicleDatum::KerbRear, VehicleDatum::MaxFront,
                                             VehicleDatum::MaxRear, VehicleDatum::MaxTotal})
                type(boxes, datum, QString());
            QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command2_0")),
                              Qt::LeftButton);
            QCOMPARE(f.dialogs.lastMessage().text,
                     QStringLiteral("Donnez les cinq masses ensemble, et les centres des deux "
                                    "essieux ensemble, à des distances différentes."));
            QVERIFY(form.isVisible());
            QCOMPARE(QDir(f.folder.vehicules()).entryList(QDir::Files), QStringList{"donnees.txt"});
            QCOMPARE(f.dataFile(), before);
            return;
        }
        type(boxes, VehicleDatum::KerbRear, "850");
        type(boxes, VehicleDatum::MaxFront, "1850");
        type(boxes, VehicleDatum::MaxRear, "2000");
        type(boxes, VehicleDatum::MaxTotal, "3500");
        if (withAxles) {
            QTest::mouseClick(boxes->pickButton(), Qt::LeftButton);
            QCOMPARE(f.dialogs.lastMessage().text, kPickPrompt);
            clickColumns(picture, {210, 900 - 110});
            QCOMPARE(boxText(boxes, VehicleDatum::FrontAxle), QStringLiteral("105"));
            QCOMPARE(boxText(boxes, VehicleDatum::RearAxle), QStringLiteral("395"));
        }
        f.dialogs.messageAnswers = {platform::MsgResult::No};
        QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("Command2_0")),
                          Qt::LeftButton);
        QCOMPARE(f.dialogs.lastMessage().title, QStringLiteral("C'est fait!"));
        const QString file = QStringLiteral("Fourgon_L2H2_Profil_%1_5000_.jpg").arg(axes);
        QVERIFY(QFile::exists(f.folder.vehicules() + QLatin1Char('/') + file));
        const library::VehicleData data = f.data();
        QCOMPARE(data.massesOf("Fourgon", "L2H2"), kMasses);
        QCOMPARE(data.massesOf("Fourgon", "L3H2")->maxRearKg, 2100.0); // kept
        QCOMPARE(data.axlesOf(file).has_value(), withAxles);
        if (withAxles)
            QCOMPARE(*data.axlesOf(file), (document::AxleCentres{105, 395}));
        // Closed, the window keeps nothing for its next opening.
        QVERIFY(boxText(boxes, VehicleDatum::KerbFront).isEmpty());
    }
};

QTEST_MAIN(VehicleDataTest)
#include "tst_vehicledata.moc"
