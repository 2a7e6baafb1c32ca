// Guards the new-layout dialog and the accessory browser: lists, choice, preview, buttons.
#include "library/ui/Form2.h"
#include "library/ui/Form3.h"
#include "library/ui/PictureBox.h"
#include "platform/ScriptedDialogService.h"
#include "testkit/TestKit.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using library::ui::Form2;
using library::ui::Form3;
using library::ui::PictureBox;

namespace {

QStringList items(const QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

QStringList items(const QListWidget* list) {
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// Left half red, right half blue, except the top row which is green.
QImage quarteredPicture(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(255, 0, 0));
    for (int y = 0; y < height; ++y)
        for (int x = width / 2; x < width; ++x)
            image.setPixel(x, y, qRgb(0, 0, 255));
    for (int x = 0; x < width; ++x)
        image.setPixel(x, 0, qRgb(0, 255, 0));
    return image;
}

} // namespace

class LibraryBrowsersTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void form2CascadesModelBodyView();
    void form2LastSameViewWins();
    void form2PreviewFitsAndCentres_data();
    void form2PreviewFitsAndCentres();
    void form2PreviewMirrors_data();
    void form2PreviewMirrors();
    void form2CancelGivesNothing();
    void form2EmptyLibraryWarns();
    void form2UnreadableFolderReports();

    void form3FilterHidesIncompatibleFamilies();
    void form3LastSameModelWins();
    void form3InsertsChosenFileEachTime();
    void form3DoubleClickInsertsAndReleases();
    void form3EmptyLibraryInsertsNothing();
    void form3PreviewFitsAndCentres();
    void form3CloseButtonsRelease();
};

void LibraryBrowsersTest::form2CascadesModelBodyView() {
    testkit::ProgramFolder folder;
    for (const char* name : {"Fourgon_L1H1_Haut_XY_2500_.jpg", "Fourgon_L1H1_Gauche_XZ_2500_.jpg",
                             "Fourgon_L2H2_Haut_XY_2500_.jpg", "Fourgon_L2H2_Avant_YZ_2500_.jpg",
                             "Camion_C1_Haut_XY_1000_.bmp", "Camion_C1_extra_Haut_XY_1000_.bmp",
                             "photo.jpg", "Camion_C2_Haut_XY_.bmp"})
        folder.addPicture(QStringLiteral("vehicules"), QString::fromLatin1(name), 20, 10);
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    Form2 form(folder.path(), fs, dialogs);
    form.Form_Load();
    QVERIFY(dialogs.asked.empty());

    auto* combo1 = form.findChild<QComboBox*>(QStringLiteral("Combo1"));
    auto* combo2 = form.findChild<QComboBox*>(QStringLiteral("Combo2"));
    auto* combo3 = form.findChild<QComboBox*>(QStringLiteral("Combo3"));
    QCOMPARE(items(combo1), (QStringList{"Camion", "Fourgon"}));
    QCOMPARE(items(combo2), QStringList{"C1"});
    QCOMPARE(items(combo3), QStringList{"Haut"});

    combo1->setCurrentIndex(1);
    QCOMPARE(items(combo2), (QStringList{"L1H1", "L2H2"}));
    QCOMPARE(items(combo3), (QStringList{"Gauche", "Haut"}));
    QCOMPARE(form.entries()[size_t(form.chosenIndex())].fileName,
             QStringLiteral("Fourgon_L1H1_Gauche_XZ_2500_.jpg"));

    combo2->setCurrentIndex(1);
    QCOMPARE(items(combo3), (QStringList{"Avant", "Haut"}));
    combo3->setCurrentIndex(1);
    form.findChild<QPushButton*>(QStringLiteral("Command1_0"))->click();
    QVERIFY(form.result().has_value());
    QCOMPARE(form.result()->vehicule_fichier, QStringLiteral("Fourgon_L2H2_Haut_XY_2500_.jpg"));
    QCOMPARE(form.result()->inv_g_d, false);
    QCOMPARE(form.result()->inv_h_b, false);
}

void LibraryBrowsersTest::form2LastSameViewWins() {
    testkit::ProgramFolder folder;
    folder.addPicture(QStringLiteral("vehicules"), QStringLiteral("Van_B_Top_XY_1000_.bmp"), 20,
                      10);
    folder.addPicture(QStringLiteral("vehicules"), QStringLiteral("Van_B_Top_XZ_500_.bmp"), 20, 10);
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    Form2 form(folder.path(), fs, dialogs);
    form.Form_Load();
    QCOMPARE(items(form.findChild<QComboBox*>(QStringLiteral("Combo3"))), QStringList{"Top"});
    form.findChild<QCheckBox*>(QStringLiteral("Check1_0"))->setChecked(true);
    form.findChild<QCheckBox*>(QStringLiteral("Check1_1"))->setChecked(true);
    form.findChild<QPushButton*>(QStringLiteral("Command1_0"))->click();
    QVERIFY(form.result().has_value());
    QCOMPARE(form.result()->vehicule_fichier, QStringLiteral("Van_B_Top_XZ_500_.bmp"));
    QCOMPARE(form.result()->inv_g_d, true);
    QCOMPARE(form.result()->inv_h_b, true);
}

void LibraryBrowsersTest::form2PreviewFitsAndCentres_data() {
    QTest::addColumn<QSize>("pixels");
    QTest::addColumn<QRectF>("twips");
    QTest::newRow("wide picture shrinks to the width, centred vertically")
        << QSize(400, 66)
        << QRectF(120, 240 + (2025 - 3460.0 * 66 / 400) / 2, 3460, 3460.0 * 66 / 400);
    QTest::newRow("tall picture shrinks to the height, centred horizontally")
        << QSize(100, 270)
        << QRectF(120 + (3460 - 2025.0 * 100 / 270) / 2, 240, 2025.0 * 100 / 270, 2025);
    QTest::newRow("small picture keeps its size")
        << QSize(20, 10) << QRectF(120 + (3460 - 300) / 2.0, 240 + (2025 - 150) / 2.0, 300, 150);
}

void LibraryBrowsersTest::form2PreviewFitsAndCentres() {
    QFETCH(QSize, pixels);
    QFETCH(QRectF, twips);
    testkit::ProgramFolder folder;
    folder.addPicture(QStringLiteral("vehicules"), QStringLiteral("V_B_Vue_XY_100_.bmp"),
                      pixels.width(), pixels.height());
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    Form2 form(folder.path(), fs, dialogs);
    form.Form_Load();
    const QRectF got = form.previewTwips();
    QVERIFY2(qAbs(got.left() - twips.left()) < 0.01 && qAbs(got.top() - twips.top()) < 0.01 &&
                 qAbs(got.width() - twips.width()) < 0.01 &&
                 qAbs(got.height() - twips.height()) < 0.01,
             qPrintable(QStringLiteral("%1,%2 %3x%4")
                            .arg(got.left())
                            .arg(got.top())
                            .arg(got.width())
                            .arg(got.height())));
    auto* picture1 = form.findChild<PictureBox*>(QStringLiteral("Picture1"));
    QCOMPARE(picture1->size(), QSize(qRound(twips.width() / 15), qRound(twips.height() / 15)));
}

void LibraryBrowsersTest::form2PreviewMirrors_data() {
    QTest::addColumn<bool>("leftRight");
    QTest::addColumn<bool>("topBottom");
    QTest::addColumn<QRgb>("topLeft");
    QTest::addColumn<QRgb>("bottomRight");
    const QRgb red = qRgb(255, 0, 0), blue = qRgb(0, 0, 255), green = qRgb(0, 255, 0);
    QTest::newRow("as it is") << false << false << green << blue;
    QTest::newRow("left-right: blue on the left") << true << false << green << red;
    QTest::newRow("top-bottom: green row at the bottom") << false << true << red << green;
    QTest::newRow("both: half a turn") << true << true << blue << green;
}

void LibraryBrowsersTest::form2PreviewMirrors() {
    QFETCH(bool, leftRight);
    QFETCH(bool, topBottom);
    QFETCH(QRgb, topLeft);
    QFETCH(QRgb, bottomRight);
    testkit::ProgramFolder folder;
    folder.addPicture(QStringLiteral("vehicules"), QStringLiteral("V_B_Vue_XY_100_.bmp"),
                      quarteredPicture(20, 10));
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    Form2 form(folder.path(), fs, dialogs);
    form.Form_Load();
    form.findChild<QCheckBox*>(QStringLiteral("Check1_0"))->setChecked(leftRight);
    form.findChild<QCheckBox*>(QStringLiteral("Check1_1"))->setChecked(topBottom);
    const QImage& shown =
        form.findChild<PictureBox*>(QStringLiteral("Picture1"))->surface().Image();
    QCOMPARE(shown.size(), QSize(20, 10));
    QCOMPARE(shown.pixel(0, 0) & 0xFFFFFF, topLeft & 0xFFFFFF);
    QCOMPARE(shown.pixel(19, 9) & 0xFFFFFF, bottomRight & 0xFFFFFF);
}

void LibraryBrowsersTest::form2CancelGivesNothing() {
    testkit::ProgramFolder folder;
    folder.addPicture(QStringLiteral("vehicules"), QStringLiteral("V_B_Vue_XY_100_.bmp"), 20, 10);
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("Form2") && w->isVisible())
                w->findChild<QPushButton*>(QStringLiteral("Command1_1"))->click();
    });
    QVERIFY(!Form2::choose(folder.path(), fs, dialogs, nullptr).has_value());

    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("Form2") && w->isVisible())
                w->findChild<QPushButton*>(QStringLiteral("Command1_0"))->click();
    });
    const auto chosen = Form2::choose(folder.path(), fs, dialogs, nullptr);
    QVERIFY(chosen.has_value());
    QCOMPARE(chosen->vehicule_fichier, QStringLiteral("V_B_Vue_XY_100_.bmp"));
}

void LibraryBrowsersTest::form2EmptyLibraryWarns() {
    testkit::ProgramFolder folder;
    folder.addPicture(QStringLiteral("vehicules"), QStringLiteral("photo.jpg"), 20, 10);
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    Form2 form(folder.path(), fs, dialogs);
    form.Form_Load();
    QCOMPARE(dialogs.messages(),
             QStringList{QStringLiteral("Aucun véhicule disponible!\n\nVérifiez que le "
                                        "sous-dossier 'vehicules' contient des images valides.")});
    QCOMPARE(dialogs.lastMessage()->title, QStringLiteral("Attention :"));
    QCOMPARE(dialogs.lastMessage()->icon, platform::MsgIcon::Warning);
    form.findChild<QPushButton*>(QStringLiteral("Command1_0"))->click();
    QVERIFY(!form.result().has_value());
}

void LibraryBrowsersTest::form2UnreadableFolderReports() {
    testkit::ProgramFolder folder;
    QVERIFY(QDir(folder.vehicules()).removeRecursively());
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    Form2 form(folder.path(), fs, dialogs);
    form.Form_Load();
    QCOMPARE(dialogs.messages(),
             QStringList{QStringLiteral("Impossible d'obtenir la liste des véhicules")});
    QCOMPARE(dialogs.lastMessage()->title, QStringLiteral("Erreur :"));
    QCOMPARE(dialogs.lastMessage()->icon, platform::MsgIcon::Critical);
}

namespace {
struct BrowserProbe {
    QStringList inserted;
    int released = 0;
    QString axes = QStringLiteral("XY");
    std::unique_ptr<Form3> make(const QString& apath, platform::FileSystem& fs,
                                platform::DialogService& dialogs) {
        return std::make_unique<Form3>(
            apath, fs, dialogs, [this] { return axes; },
            [this](const QString& file) { inserted << file; }, [this] { ++released; });
    }
};
} // namespace

void LibraryBrowsersTest::form3FilterHidesIncompatibleFamilies() {
    testkit::ProgramFolder folder;
    folder.addPicture(QStringLiteral("accessoires"), QStringLiteral("Lit_Simple_190_90_XZ-YZ_.bmp"),
                      20, 10);
    folder.addPicture(QStringLiteral("accessoires"),
                      QStringLiteral("Cuisine_Frigo_45_50_XY-XZ_.bmp"), 20, 10);
    folder.addPicture(QStringLiteral("accessoires"), QStringLiteral("Cuisine_Evier_60_40_YZ_.bmp"),
                      20, 10);
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    BrowserProbe probe;
    auto form = probe.make(folder.path(), fs, dialogs);
    auto* combo1 = form->findChild<QComboBox*>(QStringLiteral("Combo1"));
    auto* list1 = form->findChild<QListWidget*>(QStringLiteral("List1"));
    auto* check1 = form->findChild<QCheckBox*>(QStringLiteral("Check1"));
    QVERIFY(check1->isChecked());
    form->show();
    QCOMPARE(items(combo1), QStringList{"Cuisine"});
    QCOMPARE(items(list1), QStringList{"Frigo"});

    check1->click();
    QCOMPARE(items(combo1), (QStringList{"Cuisine", "Lit"}));
    QCOMPARE(items(list1), (QStringList{"Evier", "Frigo"}));
    combo1->setCurrentIndex(1);
    QCOMPARE(items(list1), QStringList{"Simple"});

    check1->click();
    QCOMPARE(items(combo1), QStringList{"Cuisine"});
    QVERIFY(dialogs.asked.empty());
}

void LibraryBrowsersTest::form3LastSameModelWins() {
    testkit::ProgramFolder folder;
    folder.addPicture(QStringLiteral("accessoires"), QStringLiteral("Cuisine_Frigo_45_50_XY_.bmp"),
                      20, 10);
    folder.addPicture(QStringLiteral("accessoires"), QStringLiteral("Cuisine_Frigo_60_080_XY_.bmp"),
                      20, 10);
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    BrowserProbe probe;
    auto form = probe.make(folder.path(), fs, dialogs);
    form->show();
    QCOMPARE(items(form->findChild<QListWidget*>(QStringLiteral("List1"))), QStringList{"Frigo"});
    QCOMPARE(form->findChild<QLabel*>(QStringLiteral("Label3"))->text(), QStringLiteral("60"));
    QCOMPARE(form->findChild<QLabel*>(QStringLiteral("Label4"))->text(), QStringLiteral("080"));
    form->findChild<QPushButton*>(QStringLiteral("Command1_0"))->click();
    QCOMPARE(probe.inserted, QStringList{"Cuisine_Frigo_60_080_XY_.bmp"});
}

void LibraryBrowsersTest::form3InsertsChosenFileEachTime() {
    testkit::ProgramFolder folder;
    folder.addPicture(QStringLiteral("accessoires"), QStringLiteral("Cuisine_Frigo_45_50_XY_.bmp"),
                      20, 10);
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    BrowserProbe probe;
    auto form = probe.make(folder.path(), fs, dialogs);
    form->show();
    auto* insert = form->findChild<QPushButton*>(QStringLiteral("Command1_0"));
    for (int i = 0; i < 3; ++i)
        insert->click();
    QCOMPARE(probe.inserted, QStringList(3, QStringLiteral("Cuisine_Frigo_45_50_XY_.bmp")));
    QCOMPARE(probe.released, 0);
    QVERIFY(form->isVisible());

    form->findChild<QPushButton*>(QStringLiteral("Command1_1"))->click();
    QCOMPARE(probe.inserted.size(), 4);
    QCOMPARE(probe.released, 1);
    QVERIFY(!form->isVisible());
}

void LibraryBrowsersTest::form3DoubleClickInsertsAndReleases() {
    testkit::ProgramFolder folder;
    folder.addPicture(QStringLiteral("accessoires"), QStringLiteral("Cuisine_Evier_60_40_XY_.bmp"),
                      20, 10);
    folder.addPicture(QStringLiteral("accessoires"), QStringLiteral("Cuisine_Frigo_45_50_XY_.bmp"),
                      20, 10);
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    BrowserProbe probe;
    auto form = probe.make(folder.path(), fs, dialogs);
    form->show();
    auto* list1 = form->findChild<QListWidget*>(QStringLiteral("List1"));
    const QRect second = list1->visualItemRect(list1->item(1));
    QTest::mouseClick(list1->viewport(), Qt::LeftButton, {}, second.center());
    QTest::mouseDClick(list1->viewport(), Qt::LeftButton, {}, second.center());
    QCOMPARE(probe.inserted, QStringList{"Cuisine_Frigo_45_50_XY_.bmp"});
    QCOMPARE(probe.released, 1);
    QVERIFY(!form->isVisible());
}

void LibraryBrowsersTest::form3EmptyLibraryInsertsNothing() {
    testkit::ProgramFolder folder;
    folder.addPicture(QStringLiteral("accessoires"), QStringLiteral("Cuisine_Frigo_45_XY_.bmp"), 20,
                      10);
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    BrowserProbe probe;
    auto form = probe.make(folder.path(), fs, dialogs);
    form->show();
    QCOMPARE(dialogs.messages(), QStringList{QStringLiteral(
                                     "La bibliothèque d'accessoires est vide!\n\nVérifiez que le "
                                     "sous-dossier 'accessoires' contient des images valides.")});
    QCOMPARE(dialogs.lastMessage()->title, QStringLiteral("Attention :"));
    form->findChild<QPushButton*>(QStringLiteral("Command1_0"))->click();
    QVERIFY(probe.inserted.isEmpty());
    QCOMPARE(probe.released, 0);
}

void LibraryBrowsersTest::form3PreviewFitsAndCentres() {
    testkit::ProgramFolder folder;
    folder.addPicture(QStringLiteral("accessoires"), QStringLiteral("Lit_Long_200_40_XY_.bmp"), 200,
                      40);
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    BrowserProbe probe;
    auto form = probe.make(folder.path(), fs, dialogs);
    form->show();
    const QRectF twips = form->imageTwips();
    QCOMPARE(twips.width(), 1455.0);
    QCOMPARE(twips.height(), 291.0);
    QCOMPARE(twips.left(), 360.0);
    QCOMPARE(twips.top(), 240 + (1215 - 291) / 2.0);
    auto* image1 = form->findChild<PictureBox*>(QStringLiteral("Image1"));
    QCOMPARE(image1->size(), QSize(97, 19));
}

void LibraryBrowsersTest::form3CloseButtonsRelease() {
    testkit::ProgramFolder folder;
    folder.addPicture(QStringLiteral("accessoires"), QStringLiteral("Cuisine_Frigo_45_50_XY_.bmp"),
                      20, 10);
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    BrowserProbe probe;
    auto form = probe.make(folder.path(), fs, dialogs);
    form->show();
    form->findChild<QPushButton*>(QStringLiteral("Command1_2"))->click();
    QCOMPARE(probe.released, 1);
    QVERIFY(probe.inserted.isEmpty());
    form->show();
    form->close();
    QCOMPARE(probe.released, 2);
    QVERIFY(!form->isVisible());
}

QTEST_MAIN(LibraryBrowsersTest)
#include "tst_librarybrowsers.moc"
