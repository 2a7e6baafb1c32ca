// Guards the new-layout dialog and the accessory browser: lists, choice, preview, buttons.
#include "LibraryFixture.h"

#include "library/ui/Form2.h"
#include "library/ui/Form3.h"
#include "library/ui/PictureBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QTimer>

using library::ui::Form2;
using library::ui::Form3;
using library::ui::PictureBox;

namespace {

template <typename List> QStringList items(const List* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i) {
        if constexpr (std::is_same_v<List, QComboBox>)
            out << list->itemText(i);
        else
            out << list->item(i)->text();
    }
    return out;
}

// Presses a button of the modal dialog once it shows.
void pressWhenShown(const QString& button) {
    QTimer::singleShot(0, [button] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("Form2") && w->isVisible())
                press(*w, button);
    });
}

// An accessory browser on the fixture's library, recording what it asks of the main window.
struct Browser {
    QStringList inserted;
    int released = 0;
    std::unique_ptr<Form3> form;
    Browser(LibraryFixture& f, const QString& axes = QStringLiteral("XY")) {
        form = std::make_unique<Form3>(
            f.folder.path(), f.fs, f.dialogs, [axes] { return axes; },
            [this](const QString& file) { inserted << file; }, [this] { ++released; });
        form->show();
    }
};

const QString kNoVehicle = QStringLiteral("Aucun véhicule disponible!\n\nVérifiez que le "
                                          "sous-dossier 'vehicules' contient des images valides.");

} // namespace

class LibraryBrowsersTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void form2CascadesAndLastSameViewWins();
    void form2PreviewFitsAndMirrors_data();
    void form2PreviewFitsAndMirrors();
    void form2CancelGivesNothing();
    void form2WarnsWithoutVehicles_data();
    void form2WarnsWithoutVehicles();

    void form3FilterHidesIncompatibleFamilies();
    void form3InsertsLastSameModelEachTime();
    void form3DoubleClickInsertsAndReleases();
    void form3EmptyLibraryInsertsNothing();
    void form3PreviewFitsAndCentres();
    void form3CloseReleases();
};

void LibraryBrowsersTest::form2CascadesAndLastSameViewWins() {
    LibraryFixture f;
    for (const char* name :
         {"Fourgon_L1H1_Haut_XY_2500_.jpg", "Fourgon_L1H1_Gauche_XZ_2500_.jpg",
          "Fourgon_L2H2_Haut_XY_2500_.jpg", "Fourgon_L2H2_Avant_YZ_2500_.jpg",
          "Fourgon_L2H2_Haut_XZ_500_.jpg", "Camion_C1_Haut_XY_1000_.bmp",
          "Camion_C1_extra_Haut_XY_1000_.bmp", "Camion_C2_Haut_XY_.bmp", "photo.jpg"})
        f.vehicle(QString::fromLatin1(name));
    Form2 form(f.folder.path(), f.fs, f.dialogs);
    form.Form_Load();
    QVERIFY(f.dialogs.asked.empty());
    auto* combo1 = child<QComboBox>(form, "Combo1");
    auto* combo2 = child<QComboBox>(form, "Combo2");
    auto* combo3 = child<QComboBox>(form, "Combo3");
    QCOMPARE(items(combo1), (QStringList{"Camion", "Fourgon"}));
    QCOMPARE(items(combo2), QStringList{"C1"});

    combo1->setCurrentIndex(1);
    QCOMPARE(items(combo2), (QStringList{"L1H1", "L2H2"}));
    QCOMPARE(items(combo3), (QStringList{"Gauche", "Haut"}));
    combo2->setCurrentIndex(1);
    QCOMPARE(items(combo3), (QStringList{"Avant", "Haut"}));
    combo3->setCurrentIndex(1);
    child<QCheckBox>(form, "Check1_0")->setChecked(true);
    press(form, "Command1_0");
    QVERIFY(form.result().has_value());
    QCOMPARE(form.result()->vehicule_fichier, QStringLiteral("Fourgon_L2H2_Haut_XZ_500_.jpg"));
    QCOMPARE(form.result()->inv_g_d, true);
    QCOMPARE(form.result()->inv_h_b, false);
}

void LibraryBrowsersTest::form2PreviewFitsAndMirrors_data() {
    QTest::addColumn<bool>("leftRight");
    QTest::addColumn<bool>("topBottom");
    QTest::addColumn<QRgb>("topLeft");
    QTest::addColumn<QRgb>("bottomRight");
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), green = qRgb(0, 255, 0);
    QTest::newRow("as it is") << false << false << green << blue;
    QTest::newRow("left-right: blue half on the left") << true << false << green << red;
    QTest::newRow("top-bottom: green row at the bottom") << false << true << red << green;
    QTest::newRow("both: half a turn") << true << true << blue << green;
}

void LibraryBrowsersTest::form2PreviewFitsAndMirrors() {
    QFETCH(bool, leftRight);
    QFETCH(bool, topBottom);
    QFETCH(QRgb, topLeft);
    QFETCH(QRgb, bottomRight);
    // 6000 x 1200 twips: left half red, right half blue, top rows green.
    QImage picture(400, 80, QImage::Format_RGB32);
    picture.fill(qRgb(255, 0, 0));
    for (int y = 0; y < 80; ++y)
        for (int x = 0; x < 400; ++x)
            if (y < 8 || x >= 200)
                picture.setPixel(x, y, y < 8 ? qRgb(0, 255, 0) : qRgb(0, 0, 255));
    LibraryFixture f;
    f.folder.addPicture(QStringLiteral("vehicules"), QStringLiteral("V_B_Vue_XY_100_.bmp"),
                        picture);
    Form2 form(f.folder.path(), f.fs, f.dialogs);
    form.Form_Load();
    child<QCheckBox>(form, "Check1_0")->setChecked(leftRight);
    child<QCheckBox>(form, "Check1_1")->setChecked(topBottom);

    const double height = 3460.0 / 5;
    QCOMPARE(form.previewTwips(), QRectF(120, 240 + (2025 - height) / 2, 3460, height));
    const QImage& shown = child<PictureBox>(form, "Picture1")->surface().Image();
    QCOMPARE(shown.size(), QSize(231, 46));
    QCOMPARE(shown.pixel(0, 0) & 0xFFFFFF, topLeft & 0xFFFFFF);
    QCOMPARE(shown.pixel(230, 45) & 0xFFFFFF, bottomRight & 0xFFFFFF);
}

void LibraryBrowsersTest::form2CancelGivesNothing() {
    LibraryFixture f;
    f.vehicle(QStringLiteral("V_B_Vue_XY_100_.bmp"));
    pressWhenShown(QStringLiteral("Command1_1"));
    QVERIFY(!Form2::choose(f.folder.path(), f.fs, f.dialogs, nullptr).has_value());
    pressWhenShown(QStringLiteral("Command1_0"));
    const auto chosen = Form2::choose(f.folder.path(), f.fs, f.dialogs, nullptr);
    QVERIFY(chosen.has_value());
    QCOMPARE(chosen->vehicule_fichier, QStringLiteral("V_B_Vue_XY_100_.bmp"));
}

void LibraryBrowsersTest::form2WarnsWithoutVehicles_data() {
    QTest::addColumn<bool>("folderExists");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::newRow("no six-field name") << true << kNoVehicle << "Attention :";
    QTest::newRow("no folder") << false << "Impossible d'obtenir la liste des véhicules"
                               << "Erreur :";
}

void LibraryBrowsersTest::form2WarnsWithoutVehicles() {
    QFETCH(bool, folderExists);
    QFETCH(QString, message);
    QFETCH(QString, title);
    LibraryFixture f;
    f.vehicle(QStringLiteral("Fourgon_L1_Haut_XY_.jpg"));
    if (!folderExists)
        QVERIFY(QDir(f.folder.vehicules()).removeRecursively());
    Form2 form(f.folder.path(), f.fs, f.dialogs);
    form.Form_Load();
    QCOMPARE(f.dialogs.messages(), QStringList{message});
    QCOMPARE(f.dialogs.lastMessage()->title, title);
    press(form, "Command1_0");
    QVERIFY(!form.result().has_value());
}

void LibraryBrowsersTest::form3FilterHidesIncompatibleFamilies() {
    LibraryFixture f;
    f.accessory(QStringLiteral("Lit_Simple_190_90_XZ-YZ_.bmp"));
    f.accessory(QStringLiteral("Cuisine_Frigo_45_50_XY-XZ_.bmp"));
    f.accessory(QStringLiteral("Cuisine_Evier_60_40_YZ_.bmp"));
    Browser b(f);
    auto* combo1 = child<QComboBox>(*b.form, "Combo1");
    auto* list1 = child<QListWidget>(*b.form, "List1");
    auto* check1 = child<QCheckBox>(*b.form, "Check1");
    QVERIFY(check1->isChecked());
    QCOMPARE(items(combo1), QStringList{"Cuisine"});
    QCOMPARE(items(list1), QStringList{"Frigo"});

    check1->click();
    QCOMPARE(items(combo1), (QStringList{"Cuisine", "Lit"}));
    QCOMPARE(items(list1), (QStringList{"Evier", "Frigo"}));
    combo1->setCurrentIndex(1);
    QCOMPARE(items(list1), QStringList{"Simple"});
    check1->click();
    QCOMPARE(items(combo1), QStringList{"Cuisine"});
    QVERIFY(f.dialogs.asked.empty());
}

void LibraryBrowsersTest::form3InsertsLastSameModelEachTime() {
    LibraryFixture f;
    f.accessory(QStringLiteral("Cuisine_Frigo_45_50_XY_.bmp"));
    f.accessory(QStringLiteral("Cuisine_Frigo_60_080_XY_.bmp"));
    Browser b(f);
    QCOMPARE(items(child<QListWidget>(*b.form, "List1")), QStringList{"Frigo"});
    QCOMPARE(child<QLabel>(*b.form, "Label3")->text(), QStringLiteral("60"));
    QCOMPARE(child<QLabel>(*b.form, "Label4")->text(), QStringLiteral("080"));
    for (int i = 0; i < 3; ++i)
        press(*b.form, "Command1_0");
    QCOMPARE(b.inserted, QStringList(3, QStringLiteral("Cuisine_Frigo_60_080_XY_.bmp")));
    QCOMPARE(b.released, 0);
    QVERIFY(b.form->isVisible());

    press(*b.form, "Command1_1");
    QCOMPARE(b.inserted.size(), 4);
    QCOMPARE(b.released, 1);
    QVERIFY(!b.form->isVisible());
}

void LibraryBrowsersTest::form3DoubleClickInsertsAndReleases() {
    LibraryFixture f;
    f.accessory(QStringLiteral("Cuisine_Evier_60_40_XY_.bmp"));
    f.accessory(QStringLiteral("Cuisine_Frigo_45_50_XY_.bmp"));
    Browser b(f);
    auto* list1 = child<QListWidget>(*b.form, "List1");
    const QPoint second = list1->visualItemRect(list1->item(1)).center();
    QTest::mouseClick(list1->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(list1->viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(b.inserted, QStringList{"Cuisine_Frigo_45_50_XY_.bmp"});
    QCOMPARE(b.released, 1);
    QVERIFY(!b.form->isVisible());
}

void LibraryBrowsersTest::form3EmptyLibraryInsertsNothing() {
    LibraryFixture f;
    f.accessory(QStringLiteral("Cuisine_Frigo_45_XY_.bmp"));
    Browser b(f);
    QCOMPARE(f.dialogs.messages(),
             QStringList{QStringLiteral("La bibliothèque d'accessoires est vide!\n\nVérifiez que "
                                        "le sous-dossier 'accessoires' contient des images "
                                        "valides.")});
    QCOMPARE(f.dialogs.lastMessage()->title, QStringLiteral("Attention :"));
    press(*b.form, "Command1_0");
    QVERIFY(b.inserted.isEmpty());
    QCOMPARE(b.released, 0);
}

void LibraryBrowsersTest::form3PreviewFitsAndCentres() {
    LibraryFixture f;
    f.accessory(QStringLiteral("Lit_Long_200_40_XY_.bmp"), 200, 40); // 3000 x 600 twips
    Browser b(f);
    QCOMPARE(b.form->imageTwips(), QRectF(360, 240 + (1215 - 291) / 2.0, 1455, 291));
    QCOMPARE(child<PictureBox>(*b.form, "Image1")->size(), QSize(97, 19));
}

void LibraryBrowsersTest::form3CloseReleases() {
    LibraryFixture f;
    f.accessory(QStringLiteral("Cuisine_Frigo_45_50_XY_.bmp"));
    Browser b(f);
    press(*b.form, "Command1_2");
    QCOMPARE(b.released, 1);
    b.form->show();
    b.form->close();
    QCOMPARE(b.released, 2);
    QVERIFY(!b.form->isVisible());
    QVERIFY(b.inserted.isEmpty());
}

QTEST_MAIN(LibraryBrowsersTest)
#include "tst_librarybrowsers.moc"
