// Guards the two import windows: the resolution test, the checks and their order, the names
// written.
#include "library/ui/Form2.h"
#include "library/ui/Form3.h"
#include "library/ui/Form4.h"
#include "library/ui/Form5.h"
#include "library/ui/PictureBox.h"
#include "platform/ScriptedDialogService.h"
#include "testkit/TestKit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using library::ui::Form2;
using library::ui::Form3;
using library::ui::Form4;
using library::ui::Form5;
using library::ui::PictureBox;
using platform::MsgResult;
using Kind = platform::ScriptedDialogService::Kind;

namespace {

const QString kTestInstructions = QStringLiteral(
    "Il faut que vous connaissiez une distance réelle sur l'image.\n\nCliquez deux points "
    "correspondants aux extrémités de la distance connue!\nSi vous ne voyez pas une partie de "
    "l'image, agrandissez la fenêtre.");

// A picture outside the library, as the user would pick it.
QString sourcePicture(const testkit::ProgramFolder& folder, const QString& name, int width,
                      int height) {
    const QString path = folder.path() + QLatin1Char('/') + name;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(200, 180, 160));
    const bool saved = image.save(path, name.endsWith(QLatin1String(".bmp")) ? "BMP" : "JPEG");
    Q_ASSERT(saved);
    return path;
}

platform::FileDialogResult picked(const QString& path) {
    return {path, 1};
}

int count(const platform::ScriptedDialogService& dialogs, Kind kind) {
    return int(std::count_if(dialogs.asked.begin(), dialogs.asked.end(),
                             [kind](const auto& a) { return a.kind == kind; }));
}

template <typename W> void click(W& form, const char* name) {
    auto* button = form.template findChild<QPushButton*>(QString::fromLatin1(name));
    QVERIFY2(button != nullptr, name);
    button->click();
}

void type(QComboBox* combo, const QString& text) {
    combo->setEditText(text);
}

QStringList libraryFiles(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
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
    void form5ChecksInOrderThenAddsAndListsInForm2();
    void form5AnotherPictureStartsOver();
    void form5FailedCopyWritesNothing();
    void form5DropsForbiddenTypedCharacters();

    void form4ComposesNames_data();
    void form4ComposesNames();
    void form4ChecksInOrderThenAddsAndListsInForm3();
    void form4KeepsDigitsOnly();
    void form4PreviewFitsBox();
    void form4CancelledOpenShowsNothing();
};

void ImportDialogsTest::form5MeasuresResolution_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QPoint>("second");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("warnings");
    QTest::newRow("50 cm over 200 px") << "50" << QPoint(250, 20) << 2500 << "2500 µm/pixel"
                                       << "Test effectué" << 0;
    QTest::newRow("French 12,5 over a 3-4-5 diagonal")
        << "12,5" << QPoint(50 + 120, 20 + 160) << 625 << "625 µm/pixel"
        << "Test effectué" << 0;
    QTest::newRow("empty answer") << "" << QPoint(250, 20) << 0 << "???? µm/pixel"
                                  << "Refaire le test" << 0;
    QTest::newRow("negative distance refused") << "-50" << QPoint(250, 20) << 0 << "???? µm/pixel"
                                               << "Refaire le test" << 1;
    QTest::newRow("beyond 32767 refused") << "5000" << QPoint(51, 20) << 0 << "???? µm/pixel"
                                          << "Refaire le test" << 1;
}

void ImportDialogsTest::form5MeasuresResolution() {
    QFETCH(QString, answer);
    QFETCH(QPoint, second);
    QFETCH(int, resolution);
    QFETCH(QString, label);
    QFETCH(QString, command);
    QFETCH(int, warnings);
    testkit::ProgramFolder folder;
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    dialogs.openAnswers.push_back(picked(sourcePicture(folder, "photo.jpg", 300, 200)));
    Form5 form(folder.path(), fs, dialogs);
    form.start();
    form.show();
    auto* picture1 = form.findChild<PictureBox*>(QStringLiteral("Picture1"));
    QCOMPARE(picture1->surface().Image().size(), QSize(300, 200));
    const QImage clean = picture1->surface().Image().copy();

    click(form, "Command1");
    QCOMPARE(dialogs.messages(), QStringList{kTestInstructions});
    QCOMPARE(dialogs.lastMessage()->title, QStringLiteral("Kestrion"));
    dialogs.clear();
    dialogs.inputAnswers.push_back(answer);
    QTest::mouseMove(picture1, QPoint(40, 40));
    QTest::mouseClick(picture1, Qt::LeftButton, {}, QPoint(50, 20));
    QVERIFY(picture1->surface().Image() != clean);
    QTest::mouseClick(picture1, Qt::LeftButton, {}, second);

    QCOMPARE(count(dialogs, Kind::Input), 1);
    QCOMPARE(dialogs.asked.front().text, QStringLiteral("Distance réelle en centimètres (cm) :"));
    QCOMPARE(count(dialogs, Kind::Message), warnings);
    QCOMPARE(int(form.resolution()), resolution);
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label1"))->text(), label);
    QCOMPARE(form.findChild<QPushButton*>(QStringLiteral("Command1"))->text(), command);
    QVERIFY(!form.calibration().running());
    QVERIFY(
        testkit::imagesMatch(picture1->surface().Image(), clean, QStringLiteral("form5_redrawn")));
}

void ImportDialogsTest::form5SecondClickOnFirstPointAsksNothing() {
    testkit::ProgramFolder folder;
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    dialogs.openAnswers.push_back(picked(sourcePicture(folder, "photo.jpg", 300, 200)));
    Form5 form(folder.path(), fs, dialogs);
    form.start();
    click(form, "Command1");
    form.Picture1_MouseDown(50, 20);
    form.Picture1_MouseDown(50, 20);
    form.Picture1_MouseDown(250, 20);
    QCOMPARE(count(dialogs, Kind::Input), 0);
    dialogs.inputAnswers.push_back(QStringLiteral("50"));
    form.Picture1_MouseDown(50, 20);
    QCOMPARE(count(dialogs, Kind::Input), 1);
    QCOMPARE(int(form.resolution()), 2500);
}

void ImportDialogsTest::form5TestNeedsAPicture() {
    testkit::ProgramFolder folder;
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    Form5 form(folder.path(), fs, dialogs);
    form.start(); // the Open dialog is cancelled
    click(form, "Command1");
    QCOMPARE(dialogs.messages().size(), 1);
    QCOMPARE(dialogs.lastMessage()->title, QStringLiteral("Attention :"));
    QVERIFY(!form.calibration().running());
    form.Picture1_MouseDown(0, 0);
    QCOMPARE(count(dialogs, Kind::Input), 0);
}

void ImportDialogsTest::form5ChecksInOrderThenAddsAndListsInForm2() {
    testkit::ProgramFolder folder;
    folder.addPicture(QStringLiteral("vehicules"), QStringLiteral("Camion_C1_Avant_YZ_100_.bmp"),
                      20, 10);
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    dialogs.openAnswers.push_back(picked(sourcePicture(folder, "photo.v2.jpg", 300, 200)));
    Form5 form(folder.path(), fs, dialogs);
    form.start();
    auto* combo1 = form.findChild<QComboBox*>(QStringLiteral("Combo1"));
    auto* combo2 = form.findChild<QComboBox*>(QStringLiteral("Combo2"));
    auto* combo3 = form.findChild<QComboBox*>(QStringLiteral("Combo3"));
    QCOMPARE(combo1->count(), 1);
    QCOMPARE(combo1->itemText(0), QStringLiteral("Camion"));
    QCOMPARE(combo1->currentText(), QString());
    dialogs.clear();

    click(form, "Command2_0");
    form.Picture1_MouseDown(10, 10); // no test running: ignored
    click(form, "Command1");
    dialogs.inputAnswers.push_back(QStringLiteral("50"));
    form.Picture1_MouseDown(50, 20);
    form.Picture1_MouseDown(250, 20);
    click(form, "Command2_0");
    form.findChild<QRadioButton*>(QStringLiteral("Option1_2"))->setChecked(true);
    type(combo1, QStringLiteral("  Fourgon "));
    type(combo2, QStringLiteral("L1H1"));
    type(combo3, QStringLiteral("   "));
    click(form, "Command2_0");
    type(combo3, QStringLiteral("Haut"));
    dialogs.messageAnswers = {MsgResult::No};
    form.show();
    click(form, "Command2_0");

    QCOMPARE(
        dialogs.messages(),
        (QStringList{
            QStringLiteral("Vous devez faire le test de résolution de l'image!"), kTestInstructions,
            QStringLiteral("Veuillez sélectionner le type de vue!"),
            QStringLiteral("Vous devez spécifier le modèle, la carrosserie et le nom de la vue!"),
            QStringLiteral("Vous pouvez à présent supprimer l'image d'origine.\n\n"
                           "Souhaitez-vous ajouter un autre véhicule?")}));
    QCOMPARE(dialogs.lastMessage()->title, QStringLiteral("C'est fait!"));
    QCOMPARE(dialogs.lastMessage()->buttons, platform::MsgButtons::YesNo);
    QCOMPARE(combo1->currentText(), QStringLiteral("Fourgon"));
    QCOMPARE(libraryFiles(folder.vehicules()),
             (QStringList{"Camion_C1_Avant_YZ_100_.bmp", "Fourgon_L1H1_Haut_XY_2500_.jpg"}));
    QVERIFY(!form.isVisible());
    QCOMPARE(form.result(), int(QDialog::Rejected));

    Form2 form2(folder.path(), fs, dialogs);
    form2.Form_Load();
    auto* models = form2.findChild<QComboBox*>(QStringLiteral("Combo1"));
    QCOMPARE(models->count(), 2);
    models->setCurrentIndex(1);
    QCOMPARE(models->currentText(), QStringLiteral("Fourgon"));
    click(form2, "Command1_0");
    QCOMPARE(form2.result()->vehicule_fichier, QStringLiteral("Fourgon_L1H1_Haut_XY_2500_.jpg"));
}

void ImportDialogsTest::form5AnotherPictureStartsOver() {
    testkit::ProgramFolder folder;
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    const QString photo = sourcePicture(folder, "photo.bmp", 300, 200);
    dialogs.openAnswers.push_back(picked(photo));
    Form5 form(folder.path(), fs, dialogs);
    form.start();
    click(form, "Command1");
    dialogs.inputAnswers.push_back(QStringLiteral("50"));
    form.Picture1_MouseDown(50, 20);
    form.Picture1_MouseDown(250, 20);
    form.findChild<QRadioButton*>(QStringLiteral("Option1_0"))->setChecked(true);
    type(form.findChild<QComboBox*>(QStringLiteral("Combo1")), QStringLiteral("Fourgon"));
    type(form.findChild<QComboBox*>(QStringLiteral("Combo2")), QStringLiteral("L2"));
    type(form.findChild<QComboBox*>(QStringLiteral("Combo3")), QStringLiteral("Gauche"));
    dialogs.messageAnswers = {MsgResult::Yes};
    click(form, "Command2_0"); // "Autre image" follows; its Open dialog is cancelled

    QCOMPARE(libraryFiles(folder.vehicules()), QStringList{"Fourgon_L2_Gauche_XZ_2500_.bmp"});
    QCOMPARE(count(dialogs, Kind::Open), 2);
    QCOMPARE(int(form.resolution()), 0);
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Cliquez ci-dessous"));
    QCOMPARE(form.findChild<QPushButton*>(QStringLiteral("Command1"))->text(),
             QStringLiteral("Faire le test"));
    QVERIFY(!form.findChild<QRadioButton*>(QStringLiteral("Option1_0"))->isChecked());
    auto* combo1 = form.findChild<QComboBox*>(QStringLiteral("Combo1"));
    QCOMPARE(combo1->currentText(), QString());
    QCOMPARE(combo1->itemText(0), QStringLiteral("Fourgon"));
    QCOMPARE(form.sourcePath(), photo);
}

void ImportDialogsTest::form5FailedCopyWritesNothing() {
    testkit::ProgramFolder folder;
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    const QString photo = sourcePicture(folder, "photo.jpg", 300, 200);
    dialogs.openAnswers.push_back(picked(photo));
    Form5 form(folder.path(), fs, dialogs);
    form.start();
    click(form, "Command1");
    dialogs.inputAnswers.push_back(QStringLiteral("50"));
    form.Picture1_MouseDown(50, 20);
    form.Picture1_MouseDown(250, 20);
    form.findChild<QRadioButton*>(QStringLiteral("Option1_1"))->setChecked(true);
    type(form.findChild<QComboBox*>(QStringLiteral("Combo1")), QStringLiteral("Fourgon"));
    type(form.findChild<QComboBox*>(QStringLiteral("Combo2")), QStringLiteral("L2"));
    type(form.findChild<QComboBox*>(QStringLiteral("Combo3")), QStringLiteral("Arrière"));
    QVERIFY(QFile::remove(photo));
    dialogs.clear();
    click(form, "Command2_0");
    QCOMPARE(dialogs.messages().size(), 1);
    QCOMPARE(dialogs.lastMessage()->title, QStringLiteral("Erreur :"));
    QCOMPARE(dialogs.lastMessage()->icon, platform::MsgIcon::Critical);
    QVERIFY(libraryFiles(folder.vehicules()).isEmpty());
}

void ImportDialogsTest::form5DropsForbiddenTypedCharacters() {
    testkit::ProgramFolder folder;
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    Form5 form(folder.path(), fs, dialogs);
    auto* combo = form.findChild<QComboBox*>(QStringLiteral("Combo2"));
    QTest::keyClicks(combo->lineEdit(), QStringLiteral("L1_H1/:*?<>|\"\\x"));
    QCOMPARE(combo->currentText(), QStringLiteral("L1H1x"));
}

void ImportDialogsTest::form4ComposesNames_data() {
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QList<bool>>("checks"); // Gauche / Droite, Avant / Arrière, Dessus
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
    QFETCH(QList<bool>, checks);
    QFETCH(QString, source);
    QFETCH(QString, name);
    testkit::ProgramFolder folder;
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    dialogs.openAnswers.push_back(picked(sourcePicture(folder, source, 40, 30)));
    Form4 form(folder.path(), fs, dialogs);
    form.start();
    form.findChild<QLineEdit*>(QStringLiteral("Text1_1"))->setText(width);
    form.findChild<QLineEdit*>(QStringLiteral("Text1_0"))->setText(height);
    for (int i = 0; i < 3; ++i)
        form.findChild<QCheckBox*>(QStringLiteral("Check1_%1").arg(i))->setChecked(checks[i]);
    type(form.findChild<QComboBox*>(QStringLiteral("Combo1_0")), QStringLiteral("Cuisine"));
    type(form.findChild<QComboBox*>(QStringLiteral("Combo1_1")), QStringLiteral("Frigo40 "));
    click(form, "Command1_0");
    QCOMPARE(libraryFiles(folder.accessoires()), QStringList{name});
}

void ImportDialogsTest::form4ChecksInOrderThenAddsAndListsInForm3() {
    testkit::ProgramFolder folder;
    folder.addPicture(QStringLiteral("accessoires"), QStringLiteral("Lit_Simple_190_90_XY_.bmp"),
                      20, 10);
    folder.addPicture(QStringLiteral("accessoires"), QStringLiteral("Lit_Double_190_XY_.bmp"), 20,
                      10);
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    dialogs.openAnswers.push_back(picked(sourcePicture(folder, "frigo.bmp", 40, 30)));
    Form4 form(folder.path(), fs, dialogs);
    form.start();
    auto* family = form.findChild<QComboBox*>(QStringLiteral("Combo1_0"));
    auto* model = form.findChild<QComboBox*>(QStringLiteral("Combo1_1"));
    QCOMPARE(family->count(), 1);
    QCOMPARE(model->count(), 1);
    QCOMPARE(model->itemText(0), QStringLiteral("Simple"));

    click(form, "Command1_0");
    form.findChild<QLineEdit*>(QStringLiteral("Text1_0"))->setText(QStringLiteral("50"));
    click(form, "Command1_0");
    form.findChild<QLineEdit*>(QStringLiteral("Text1_1"))->setText(QStringLiteral("45"));
    click(form, "Command1_0");
    form.findChild<QCheckBox*>(QStringLiteral("Check1_0"))->setChecked(true);
    type(family, QStringLiteral("Cuisine"));
    click(form, "Command1_0");
    type(model, QStringLiteral("Frigo40"));
    click(form, "Command1_0");

    QCOMPARE(dialogs.messages(),
             (QStringList{
                 QStringLiteral("Vous devez spécifier les dimensions de l'accessoire!"),
                 QStringLiteral("Vous devez spécifier les dimensions de l'accessoire!"),
                 QStringLiteral("Veuillez sélectionner au moins une vue compatible!"),
                 QStringLiteral("Vous devez spécifier la famille et le modèle de l'accessoire!"),
                 QStringLiteral("Vous pouvez à présent supprimer l'image d'origine.\n\n"
                                "Souhaitez-vous ajouter un autre accessoire?")}));
    QCOMPARE(dialogs.lastMessage()->title, QStringLiteral("C'est fait!"));

    QStringList inserted;
    Form3 browser(
        folder.path(), fs, dialogs, [] { return QStringLiteral("XZ"); },
        [&inserted](const QString& file) { inserted << file; }, [] {});
    browser.Form_Load();
    auto* families = browser.findChild<QComboBox*>(QStringLiteral("Combo1"));
    QCOMPARE(families->count(), 1);
    QCOMPARE(families->currentText(), QStringLiteral("Cuisine"));
    click(browser, "Command1_0");
    QCOMPARE(inserted, QStringList{"Cuisine_Frigo40_45_50_XZ_.bmp"});
}

void ImportDialogsTest::form4KeepsDigitsOnly() {
    testkit::ProgramFolder folder;
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    Form4 form(folder.path(), fs, dialogs);
    auto* height = form.findChild<QLineEdit*>(QStringLiteral("Text1_0"));
    QTest::keyClicks(height, QStringLiteral("4a,5-.0 "));
    QCOMPARE(height->text(), QStringLiteral("450"));
    QTest::keyClick(height, Qt::Key_Backspace);
    QCOMPARE(height->text(), QStringLiteral("45"));
    auto* family = form.findChild<QComboBox*>(QStringLiteral("Combo1_0"));
    QTest::keyClicks(family->lineEdit(), QStringLiteral("Cui_sine?"));
    QCOMPARE(family->currentText(), QStringLiteral("Cuisine"));
}

void ImportDialogsTest::form4PreviewFitsBox() {
    testkit::ProgramFolder folder;
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    dialogs.openAnswers.push_back(picked(sourcePicture(folder, "wide.bmp", 194, 81)));
    Form4 form(folder.path(), fs, dialogs);
    form.start();
    QCOMPARE(form.imageTwips(), QRectF(720, 960 + (1215 - 607.5) / 2, 1455, 607.5));
    auto* width = form.findChild<QLineEdit*>(QStringLiteral("Text1_1"));
    QCOMPARE(width->y(), qRound((960 + (1215 - 607.5) / 2 + 607.5 + 100) / 15));
    auto* image1 = form.findChild<PictureBox*>(QStringLiteral("Image1"));
    QCOMPARE(image1->size(), QSize(97, 40));
}

void ImportDialogsTest::form4CancelledOpenShowsNothing() {
    testkit::ProgramFolder folder;
    folder.addPicture(QStringLiteral("accessoires"), QStringLiteral("Lit_Simple_190_90_XY_.bmp"),
                      20, 10);
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;
    Form4 form(folder.path(), fs, dialogs);
    form.start();
    QCOMPARE(count(dialogs, Kind::Open), 1);
    QCOMPARE(dialogs.asked.front().text,
             QStringLiteral("Images (*.bmp, *.jpg, *.gif)|*.gif;*.jpg;*.jpeg;*.bmp"));
    QCOMPARE(form.findChild<QComboBox*>(QStringLiteral("Combo1_0"))->count(), 0);
    QVERIFY(form.imageTwips().isEmpty());
    QVERIFY(form.findChild<PictureBox*>(QStringLiteral("Image1"))->isHidden());

    // Adding without a picture says so and writes nothing.
    form.findChild<QLineEdit*>(QStringLiteral("Text1_0"))->setText(QStringLiteral("50"));
    form.findChild<QLineEdit*>(QStringLiteral("Text1_1"))->setText(QStringLiteral("45"));
    form.findChild<QCheckBox*>(QStringLiteral("Check1_2"))->setChecked(true);
    type(form.findChild<QComboBox*>(QStringLiteral("Combo1_0")), QStringLiteral("Cuisine"));
    type(form.findChild<QComboBox*>(QStringLiteral("Combo1_1")), QStringLiteral("Frigo"));
    click(form, "Command1_0");
    QCOMPARE(dialogs.lastMessage()->title, QStringLiteral("Attention :"));
    QCOMPARE(libraryFiles(folder.accessoires()), QStringList{"Lit_Simple_190_90_XY_.bmp"});
}

QTEST_MAIN(ImportDialogsTest)
#include "tst_importdialogs.moc"
