// Guards the two import windows: the resolution test, the checks and their order, the names
// written.
#include "LibraryFixture.h"

#include "library/ui/Form2.h"
#include "library/ui/Form3.h"
#include "library/ui/Form4.h"
#include "library/ui/Form5.h"
#include "library/ui/PictureBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using library::ui::Form2;
using library::ui::Form3;
using library::ui::Form4;
using library::ui::Form5;
using library::ui::PictureBox;
using Kind = platform::ScriptedDialogService::Kind;

namespace {

const QString kInstructions = QStringLiteral(
    "Il faut que vous connaissiez une distance réelle sur l'image.\n\nCliquez deux points "
    "correspondants aux extrémités de la distance connue!\nSi vous ne voyez pas une partie de "
    "l'image, agrandissez la fenêtre.");

// Runs a resolution test over 200 pixels answered with the given distance.
void measure(Form5& form, LibraryFixture& f, const QString& answer = QStringLiteral("50")) {
    press(form, "Command1");
    f.dialogs.inputAnswers.push_back(answer);
    form.Picture1_MouseDown(50, 20);
    form.Picture1_MouseDown(250, 20);
}

void name(const QObject& form, const QStringList& texts) {
    for (int i = 0; i < texts.size(); ++i)
        child<QComboBox>(form, QStringLiteral("Combo%1").arg(i + 1))->setEditText(texts[i]);
}

void describeAccessory(const QObject& form, const QString& width, const QString& height,
                       const QList<bool>& views, const QString& famille, const QString& modele) {
    child<QLineEdit>(form, "Text1_1")->setText(width);
    child<QLineEdit>(form, "Text1_0")->setText(height);
    for (int i = 0; i < views.size(); ++i)
        child<QCheckBox>(form, QStringLiteral("Check1_%1").arg(i))->setChecked(views[i]);
    child<QComboBox>(form, "Combo1_0")->setEditText(famille);
    child<QComboBox>(form, "Combo1_1")->setEditText(modele);
}

} // namespace

class ImportDialogsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void form5MeasuresResolution_data();
    void form5MeasuresResolution();
    void form5SecondClickOnFirstPointAsksNothing();
    void form5TestNeedsAPicture();
    void form5ChecksInOrderThenAddsForForm2();
    void form5AnotherPictureStartsOver();
    void form5FailedCopyWritesNothing();
    void form5DropsForbiddenTypedCharacters();

    void form4ComposesNames_data();
    void form4ComposesNames();
    void form4ChecksInOrderThenAddsForForm3();
    void form4KeepsDigitsOnly();
    void form4PreviewFitsBox();
    void form4CancelledOpenShowsNothing();
};

void ImportDialogsTest::form5MeasuresResolution_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QPoint>("second");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("warnings");
    QTest::newRow("50 cm over 200 px") << "50" << QPoint(250, 20) << "2500 µm/pixel"
                                       << "Test effectué" << 0;
    QTest::newRow("French 12,5 over a 200 px diagonal")
        << "12,5" << QPoint(50 + 120, 20 + 160) << "625 µm/pixel"
        << "Test effectué" << 0;
    QTest::newRow("empty answer") << "" << QPoint(250, 20) << "???? µm/pixel"
                                  << "Refaire le test" << 0;
    QTest::newRow("negative distance refused") << "-50" << QPoint(250, 20) << "???? µm/pixel"
                                               << "Refaire le test" << 1;
}

void ImportDialogsTest::form5MeasuresResolution() {
    QFETCH(QString, answer);
    QFETCH(QPoint, second);
    QFETCH(QString, label);
    QFETCH(QString, command);
    QFETCH(int, warnings);
    LibraryFixture f;
    f.pick(QStringLiteral("photo.jpg"));
    Form5 form(f.folder.path(), f.fs, f.dialogs);
    form.start();
    form.show();
    auto* picture1 = child<PictureBox>(form, "Picture1");
    QCOMPARE(picture1->surface().Image().size(), QSize(300, 200));
    const QImage clean = picture1->surface().Image().copy();

    press(form, "Command1");
    QCOMPARE(f.dialogs.messages(), QStringList{kInstructions});
    QCOMPARE(f.dialogs.lastMessage()->title, QStringLiteral("Kestrion"));
    f.dialogs.clear();
    f.dialogs.inputAnswers.push_back(answer);
    QTest::mouseMove(picture1, QPoint(40, 40));
    QTest::mouseClick(picture1, Qt::LeftButton, {}, QPoint(50, 20));
    QVERIFY(picture1->surface().Image() != clean);
    QTest::mouseClick(picture1, Qt::LeftButton, {}, second);

    QCOMPARE(f.asked(Kind::Input), 1);
    QCOMPARE(f.dialogs.asked.front().text, QStringLiteral("Distance réelle en centimètres (cm) :"));
    QCOMPARE(f.asked(Kind::Message), warnings);
    QCOMPARE(child<QLabel>(form, "Label1")->text(), label);
    QCOMPARE(child<QPushButton>(form, "Command1")->text(), command);
    QVERIFY(!form.calibration().running());
    QVERIFY(
        testkit::imagesMatch(picture1->surface().Image(), clean, QStringLiteral("form5_redrawn")));
}

void ImportDialogsTest::form5SecondClickOnFirstPointAsksNothing() {
    LibraryFixture f;
    f.pick(QStringLiteral("photo.jpg"));
    Form5 form(f.folder.path(), f.fs, f.dialogs);
    form.start();
    press(form, "Command1");
    form.Picture1_MouseDown(50, 20);
    form.Picture1_MouseDown(50, 20);
    form.Picture1_MouseDown(250, 20);
    QCOMPARE(f.asked(Kind::Input), 0);
    f.dialogs.inputAnswers.push_back(QStringLiteral("50"));
    form.Picture1_MouseDown(50, 20);
    QCOMPARE(f.asked(Kind::Input), 1);
    QCOMPARE(int(form.resolution()), 2500);
}

void ImportDialogsTest::form5TestNeedsAPicture() {
    LibraryFixture f;
    Form5 form(f.folder.path(), f.fs, f.dialogs);
    form.start(); // the Open dialog is cancelled
    press(form, "Command1");
    QCOMPARE(f.asked(Kind::Message), 1);
    QCOMPARE(f.dialogs.lastMessage()->title, QStringLiteral("Attention :"));
    QVERIFY(!form.calibration().running());
}

void ImportDialogsTest::form5ChecksInOrderThenAddsForForm2() {
    LibraryFixture f;
    f.vehicle(QStringLiteral("Camion_C1_Avant_YZ_100_.bmp"));
    f.pick(QStringLiteral("photo.v2.jpg"));
    Form5 form(f.folder.path(), f.fs, f.dialogs);
    form.start();
    auto* combo1 = child<QComboBox>(form, "Combo1");
    QCOMPARE(combo1->count(), 1);
    QCOMPARE(combo1->itemText(0), QStringLiteral("Camion"));
    QCOMPARE(combo1->currentText(), QString());

    press(form, "Command2_0");
    measure(form, f);
    press(form, "Command2_0");
    child<QRadioButton>(form, "Option1_2")->setChecked(true);
    name(form, {"  Fourgon ", "L1H1", "   "});
    press(form, "Command2_0");
    name(form, {"Fourgon", "L1H1", "Haut"});
    f.dialogs.messageAnswers = {platform::MsgResult::No};
    form.show();
    press(form, "Command2_0");

    QCOMPARE(
        f.dialogs.messages(),
        (QStringList{
            QStringLiteral("Vous devez faire le test de résolution de l'image!"), kInstructions,
            QStringLiteral("Veuillez sélectionner le type de vue!"),
            QStringLiteral("Vous devez spécifier le modèle, la carrosserie et le nom de la vue!"),
            QStringLiteral("Vous pouvez à présent supprimer l'image d'origine.\n\n"
                           "Souhaitez-vous ajouter un autre véhicule?")}));
    QCOMPARE(f.dialogs.lastMessage()->title, QStringLiteral("C'est fait!"));
    QCOMPARE(f.files("vehicules"),
             (QStringList{"Camion_C1_Avant_YZ_100_.bmp", "Fourgon_L1H1_Haut_XY_2500_.jpg"}));
    QVERIFY(!form.isVisible());
    // Closed, the window keeps nothing for its next opening.
    QCOMPARE(int(form.resolution()), 0);
    QVERIFY(form.sourcePath().isEmpty());
    QCOMPARE(combo1->currentText(), QString());

    Form2 form2(f.folder.path(), f.fs, f.dialogs);
    form2.Form_Load();
    child<QComboBox>(form2, "Combo1")->setCurrentIndex(1);
    press(form2, "Command1_0");
    QCOMPARE(form2.result()->vehicule_fichier, QStringLiteral("Fourgon_L1H1_Haut_XY_2500_.jpg"));
}

void ImportDialogsTest::form5AnotherPictureStartsOver() {
    LibraryFixture f;
    const QString photo = f.pick(QStringLiteral("photo.bmp"));
    Form5 form(f.folder.path(), f.fs, f.dialogs);
    form.start();
    measure(form, f);
    child<QRadioButton>(form, "Option1_0")->setChecked(true);
    name(form, {"Fourgon", "L2", "Gauche"});
    f.dialogs.messageAnswers = {platform::MsgResult::Yes};
    press(form, "Command2_0"); // "Autre image" follows; its Open dialog is cancelled

    QCOMPARE(f.files("vehicules"), QStringList{"Fourgon_L2_Gauche_XZ_2500_.bmp"});
    QCOMPARE(f.asked(Kind::Open), 2);
    QCOMPARE(int(form.resolution()), 0);
    QCOMPARE(child<QLabel>(form, "Label1")->text(), QStringLiteral("Cliquez ci-dessous"));
    QCOMPARE(child<QPushButton>(form, "Command1")->text(), QStringLiteral("Faire le test"));
    QVERIFY(!child<QRadioButton>(form, "Option1_0")->isChecked());
    auto* combo1 = child<QComboBox>(form, "Combo1");
    QCOMPARE(combo1->currentText(), QString());
    QCOMPARE(combo1->itemText(0), QStringLiteral("Fourgon"));
    QCOMPARE(form.sourcePath(), photo);
}

void ImportDialogsTest::form5FailedCopyWritesNothing() {
    LibraryFixture f;
    const QString photo = f.pick(QStringLiteral("photo.jpg"));
    Form5 form(f.folder.path(), f.fs, f.dialogs);
    form.start();
    measure(form, f);
    child<QRadioButton>(form, "Option1_1")->setChecked(true);
    name(form, {"Fourgon", "L2", "Arrière"});
    QVERIFY(QFile::remove(photo));
    f.dialogs.clear();
    press(form, "Command2_0");
    QCOMPARE(f.asked(Kind::Message), 1);
    QCOMPARE(f.dialogs.lastMessage()->title, QStringLiteral("Erreur :"));
    QVERIFY(f.files("vehicules").isEmpty());
}

void ImportDialogsTest::form5DropsForbiddenTypedCharacters() {
    LibraryFixture f;
    Form5 form(f.folder.path(), f.fs, f.dialogs);
    auto* combo = child<QComboBox>(form, "Combo2");
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("L1_H1/:*?<>|\"\\x"));
    QCOMPARE(combo->currentText(), QStringLiteral("L1H1x"));
}

void ImportDialogsTest::form4ComposesNames_data() {
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QList<bool>>("views"); // Gauche / Droite, Avant / Arrière, Dessus
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("name");
    QTest::newRow("top and side") << "45"
                                  << "50" << QList<bool>{true, false, true} << "frigo.bmp"
                                  << "Cuisine_Frigo40_45_50_XY-XZ_.bmp";
    QTest::newRow("front/back alone") << "45"
                                      << "50" << QList<bool>{false, true, false} << "frigo.bmp"
                                      << "Cuisine_Frigo40_45_50_YZ_.bmp";
    QTest::newRow("front/back and top") << "45"
                                        << "50" << QList<bool>{false, true, true} << "frigo.bmp"
                                        << "Cuisine_Frigo40_45_50_XY-YZ_.bmp";
    QTest::newRow("045 and 0 kept as typed") << "045"
                                             << "0" << QList<bool>{true, true, true} << "frigo.bmp"
                                             << "Cuisine_Frigo40_045_0_XY-XZ-YZ_.bmp";
    QTest::newRow("extension after the last dot")
        << "45"
        << "50" << QList<bool>{false, false, true} << "my.frigo.v2.JPG"
        << "Cuisine_Frigo40_45_50_XY_.JPG";
}

void ImportDialogsTest::form4ComposesNames() {
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QList<bool>, views);
    QFETCH(QString, source);
    QFETCH(QString, name);
    LibraryFixture f;
    f.pick(source, 40, 30);
    Form4 form(f.folder.path(), f.fs, f.dialogs);
    form.start();
    describeAccessory(form, width, height, views, QStringLiteral("Cuisine"),
                      QStringLiteral("Frigo40 "));
    press(form, "Command1_0");
    QCOMPARE(f.files("accessoires"), QStringList{name});
}

void ImportDialogsTest::form4ChecksInOrderThenAddsForForm3() {
    LibraryFixture f;
    f.accessory(QStringLiteral("Lit_Simple_190_90_XY_.bmp"));
    f.accessory(QStringLiteral("Lit_Double_190_XY_.bmp"));
    f.pick(QStringLiteral("frigo.bmp"), 40, 30);
    Form4 form(f.folder.path(), f.fs, f.dialogs);
    form.start();
    QCOMPARE(child<QComboBox>(form, "Combo1_1")->count(), 1);
    QCOMPARE(child<QComboBox>(form, "Combo1_1")->itemText(0), QStringLiteral("Simple"));

    press(form, "Command1_0");
    describeAccessory(form, "", "50", {}, "", "");
    press(form, "Command1_0");
    describeAccessory(form, "45", "50", {}, "", "");
    press(form, "Command1_0");
    describeAccessory(form, "45", "50", {true}, "Cuisine", "");
    press(form, "Command1_0");
    describeAccessory(form, "45", "50", {true}, "Cuisine", "Frigo40");
    press(form, "Command1_0");

    const QString dimensions =
        QStringLiteral("Vous devez spécifier les dimensions de l'accessoire!");
    QCOMPARE(f.dialogs.messages(),
             (QStringList{
                 dimensions, dimensions,
                 QStringLiteral("Veuillez sélectionner au moins une vue compatible!"),
                 QStringLiteral("Vous devez spécifier la famille et le modèle de l'accessoire!"),
                 QStringLiteral("Vous pouvez à présent supprimer l'image d'origine.\n\n"
                                "Souhaitez-vous ajouter un autre accessoire?")}));

    QStringList inserted;
    Form3 browser(
        f.folder.path(), f.fs, f.dialogs, [] { return QStringLiteral("XZ"); },
        [&inserted](const QString& file) { inserted << file; }, [] {});
    browser.Form_Load();
    QCOMPARE(child<QComboBox>(browser, "Combo1")->currentText(), QStringLiteral("Cuisine"));
    press(browser, "Command1_0");
    QCOMPARE(inserted, QStringList{"Cuisine_Frigo40_45_50_XZ_.bmp"});
}

void ImportDialogsTest::form4KeepsDigitsOnly() {
    LibraryFixture f;
    Form4 form(f.folder.path(), f.fs, f.dialogs);
    auto* height = child<QLineEdit>(form, "Text1_0");
    QTest::keyClicks(height, QStringLiteral("4a,5-.0 "));
    QCOMPARE(height->text(), QStringLiteral("450"));
    QTest::keyClick(height, Qt::Key_Backspace);
    QCOMPARE(height->text(), QStringLiteral("45"));
    auto* family = child<QComboBox>(form, "Combo1_0");
    QTest::keyClicks(family->lineEdit(), QStringLiteral("Cui_sine?"));
    QCOMPARE(family->currentText(), QStringLiteral("Cuisine"));
}

void ImportDialogsTest::form4PreviewFitsBox() {
    LibraryFixture f;
    f.pick(QStringLiteral("wide.bmp"), 194, 81); // 2910 x 1215 twips
    Form4 form(f.folder.path(), f.fs, f.dialogs);
    form.start();
    QCOMPARE(form.imageTwips(), QRectF(720, 960 + (1215 - 607.5) / 2, 1455, 607.5));
    QCOMPARE(child<QLineEdit>(form, "Text1_1")->y(),
             qRound((960 + (1215 - 607.5) / 2 + 607.5 + 100) / 15));
    QCOMPARE(child<PictureBox>(form, "Image1")->size(), QSize(97, 40));
}

void ImportDialogsTest::form4CancelledOpenShowsNothing() {
    LibraryFixture f;
    f.accessory(QStringLiteral("Lit_Simple_190_90_XY_.bmp"));
    Form4 form(f.folder.path(), f.fs, f.dialogs);
    form.start();
    QCOMPARE(f.dialogs.asked.front().text,
             QStringLiteral("Images (*.bmp, *.jpg, *.gif)|*.gif;*.jpg;*.jpeg;*.bmp"));
    QCOMPARE(child<QComboBox>(form, "Combo1_0")->count(), 0);
    QVERIFY(child<PictureBox>(form, "Image1")->isHidden());

    // Adding without a picture says so and writes nothing.
    describeAccessory(form, "45", "50", {false, false, true}, "Cuisine", "Frigo");
    press(form, "Command1_0");
    QCOMPARE(f.dialogs.lastMessage()->title, QStringLiteral("Attention :"));
    QCOMPARE(f.files("accessoires"), QStringList{"Lit_Simple_190_90_XY_.bmp"});
}

QTEST_MAIN(ImportDialogsTest)
#include "tst_importdialogs.moc"
