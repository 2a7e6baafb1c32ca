// Guards the library windows: the new-layout dialog, the accessory browser and the two import
// windows with their resolution test, their checks in order and the names they write.
#include "library/DialogLogic.h"
#include "library/ui/AccessoryBrowser.h"
#include "library/ui/AccessoryImportDialog.h"
#include "library/ui/NewLayoutDialog.h"
#include "library/ui/SurfaceView.h"
#include "library/ui/VehicleImportDialog.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedDialogService.h"
#include "testkit/TestKit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTimer>
#include <QWindow>
#include <QtTest>

using namespace library;
using namespace library::ui;
using Kind = platform::ScriptedDialogService::Kind;
using Outcome = Measurement::Outcome;

Q_DECLARE_METATYPE(Measurement::Outcome)

namespace {

template <typename T = QAbstractButton> T* child(const QObject& parent, const QString& name) {
    T* found = parent.findChild<T*>(name);
    if (found == nullptr)
        qFatal("no control %s", qPrintable(name));
    return found;
}
void press(const QObject& parent, const QString& name) {
    child(parent, name)->click();
}

// A program folder, the real file system and a scripted dialog service.
struct Fixture {
    testkit::ProgramFolder folder;
    platform::FileSystem fs;
    platform::ScriptedDialogService dialogs;

    void vehicle(const QString& name) {
        folder.addPicture(QStringLiteral("vehicules"), name, 20, 10);
    }
    void accessory(const QString& name) {
        folder.addPicture(QStringLiteral("accessoires"), name, 20, 10);
    }
    // A picture outside the library, as the user picks it; the next Open dialog returns it.
    QString pick(const QString& name, int width = 300, int height = 200) {
        const QString path = folder.addPicture(QString(), name, width, height, qRgb(200, 180, 160));
        dialogs.openAnswers.push_back({path, 1});
        return path;
    }
    int asked(Kind kind) const {
        return int(std::count_if(dialogs.asked.begin(), dialogs.asked.end(),
                                 [kind](const auto& a) { return a.kind == kind; }));
    }
    QStringList files(const QString& sub) const {
        return QDir(folder.path() + QLatin1Char('/') + sub).entryList(QDir::Files, QDir::Name);
    }
};

QStringList items(const QAbstractItemModel* model) {
    QStringList out;
    for (int row = 0; row < model->rowCount(); ++row)
        out << model->index(row, 0).data().toString();
    return out;
}

// An accessory browser on the fixture's library, recording what it asks of the main window.
struct Browser {
    QStringList inserted;
    int released = 0;
    std::unique_ptr<AccessoryBrowser> form;
    explicit Browser(Fixture& f, const QString& axes = QStringLiteral("XY")) {
        form = std::make_unique<AccessoryBrowser>(
            f.folder.path(), f.fs, f.dialogs, [axes] { return axes; },
            [this](const QString& file) { inserted << file; }, [] {}, [this] { ++released; });
        form->show();
    }
    QListWidget* list() const { return child<QListWidget>(*form, "List1"); }
};

const QString kInstructions = QStringLiteral(
    "Il faut que vous connaissiez une distance réelle sur l'image.\n\nCliquez deux points "
    "correspondants aux extrémités de la distance connue!\nSi vous ne voyez pas une partie de "
    "l'image, agrandissez la fenêtre.");
const QString kDone = QStringLiteral("Vous pouvez à présent supprimer l'image d'origine.\n\n"
                                     "Souhaitez-vous ajouter un autre %1?");

// A vehicle import showing a picked photo, its resolution test started and the
// instructions answered; returns the picture box as it was before the test.
QImage startCalibration(AccessoryImportDialog& form, Fixture& f) {
    f.pick(QStringLiteral("photo.jpg"));
    form.start();
    form.show();
    const QImage clean = child<SurfaceView>(form, "Picture1")->surface().image().copy();
    press(form, "Command1");
    if (f.dialogs.messages() != QStringList{kInstructions})
        qFatal("the resolution test gave no instructions");
    f.dialogs.clear();
    return clean;
}

// Runs a resolution test over 200 pixels answered with 50 cm.
void measure(AccessoryImportDialog& form, Fixture& f) {
    press(form, "Command1");
    f.dialogs.inputAnswers.push_back(QStringLiteral("50"));
    form.Picture1_MouseDown(50, 20);
    form.Picture1_MouseDown(250, 20);
}

// Types into a box as the user would, through the window's key filters.
void type(QLineEdit* box, const QString& text) {
    box->clear();
    QTest::keyClicks(box, text);
}

void describeVehicle(AccessoryImportDialog& form, int view, const QStringList& texts) {
    child<QRadioButton>(form, QStringLiteral("Option1_%1").arg(view))->setChecked(true);
    for (int i = 0; i < texts.size(); ++i)
        type(child<QComboBox>(form, QStringLiteral("Combo%1").arg(i + 1))->lineEdit(), texts[i]);
}

// texts: width, height, family, model; views: '1' checks Gauche / Droite, Avant / Arrière, Dessus.
void describeAccessory(const QObject& form, const QStringList& texts, const QString& views) {
    type(child<QLineEdit>(form, "Text1_1"), texts[0]);
    type(child<QLineEdit>(form, "Text1_0"), texts[1]);
    type(child<QComboBox>(form, "Combo1_0")->lineEdit(), texts[2]);
    type(child<QComboBox>(form, "Combo1_1")->lineEdit(), texts[3]);
    for (int i = 0; i < views.size(); ++i)
        child(form, QStringLiteral("Check1_%1").arg(i))->setChecked(views[i] == QLatin1Char('1'));
}

// Clicks as the window system reports them: a press and a release through the widget's
// window at the given time (ms). A second press close in time and place comes as a double
// click.
void clickAt(QWidget* widget, QPoint at, int timestamp) {
    QWindow* window = widget->window()->windowHandle();
    const QPointF local = widget->mapTo(widget->window(), QPointF(at));
    const QPointF global = window->mapToGlobal(local);
    qt_handleMouseEvent(window, local, global, Qt::LeftButton, Qt::LeftButton,
                        QEvent::MouseButtonPress, {}, timestamp);
    qt_handleMouseEvent(window, local, global, Qt::NoButton, Qt::LeftButton,
                        QEvent::MouseButtonRelease, {}, timestamp + 1);
    QCoreApplication::processEvents();
}

// Counts the double-click events a widget receives.
struct DoubleClickCounter : QObject {
    int count = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::MouseButtonDblClick;
        return false;
    }
};

} // namespace

class LibraryWindowsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void fitsWidthFirstThenHeight_data() {
        QTest::addColumn<QSizeF>("natural");
        QTest::addColumn<QSizeF>("box");
        QTest::addColumn<QSizeF>("fitted");
        QTest::newRow("tall picture")
            << QSizeF(1455, 2430) << QSizeF(1455, 1215) << QSizeF(727.5, 1215);
        QTest::newRow("still too high after the width")
            << QSizeF(4000, 4000) << QSizeF(3460, 2025) << QSizeF(2025, 2025);
        QTest::newRow("small picture kept")
            << QSizeF(300, 150) << QSizeF(1455, 1215) << QSizeF(300, 150);
    }
    void fitsWidthFirstThenHeight() {
        QFETCH(QSizeF, natural);
        QFETCH(QSizeF, box);
        QFETCH(QSizeF, fitted);
        QCOMPARE(fitInto(natural, box), fitted);
    }

    void measuresResolution_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<double>("pixels");
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<Outcome>("outcome");
        QTest::addColumn<int>("resolution");
        const QLocale fr(QLocale::French, QLocale::France);
        const QLocale en(QLocale::English, QLocale::UnitedStates);
        QTest::newRow("French decimal comma") << "12,5" << 100.0 << fr << Outcome::Ok << 1250;
        QTest::newRow("French refuses a dot") << "12.5" << 100.0 << fr << Outcome::NotANumber << 0;
        QTest::newRow("English decimal point") << "12.5" << 100.0 << en << Outcome::Ok << 1250;
        QTest::newRow("half to even (2.5)") << "1" << 4000.0 << fr << Outcome::Ok << 2;
        QTest::newRow("zero") << "0" << 200.0 << fr << Outcome::NotPositive << 0;
        QTest::newRow("32767 fits") << "32767" << 10000.0 << fr << Outcome::Ok << 32767;
        QTest::newRow("32768 too large") << "32768" << 10000.0 << fr << Outcome::TooLarge << 0;
        QTest::newRow("rounds to nothing") << "0,001" << 200.0 << fr << Outcome::TooSmall << 0;
    }
    void measuresResolution() {
        QFETCH(QString, answer);
        QFETCH(double, pixels);
        QFETCH(QLocale, locale);
        QFETCH(Outcome, outcome);
        QFETCH(int, resolution);
        const Measurement m = measureResolution(answer, pixels, locale);
        QCOMPARE(m.outcome, outcome);
        QCOMPARE(int(m.resolution), resolution);
    }

    void form2CascadesAndLastSameViewWins() {
        Fixture f;
        for (const char* name :
             {"Fourgon_L1H1_Haut_XY_2500_.jpg", "Fourgon_L1H1_Gauche_XZ_2500_.jpg",
              "Fourgon_L2H2_Haut_XY_2500_.jpg", "Fourgon_L2H2_Avant_YZ_2500_.jpg",
              "Fourgon_L2H2_Haut_XZ_500_.jpg", "Camion_C1_Haut_XY_1000_.bmp",
              "Camion_C1_extra_Haut_XY_1000_.bmp", "Camion_C2_Haut_XY_.bmp", "photo.jpg"})
            f.vehicle(QString::fromLatin1(name));
        NewLayoutDialog form(f.folder.path(), f.fs, f.dialogs);
        form.Form_Load();
        QVERIFY(f.dialogs.asked.empty());
        auto* combo1 = child<QComboBox>(form, "Combo1");
        auto* combo2 = child<QComboBox>(form, "Combo2");
        auto* combo3 = child<QComboBox>(form, "Combo3");
        QCOMPARE(items(combo1->model()), (QStringList{"Camion", "Fourgon"}));
        QCOMPARE(items(combo2->model()), QStringList{"C1"});
        combo1->setCurrentIndex(1);
        QCOMPARE(items(combo2->model()), (QStringList{"L1H1", "L2H2"}));
        QCOMPARE(items(combo3->model()), (QStringList{"Gauche", "Haut"}));
        combo2->setCurrentIndex(1);
        QCOMPARE(items(combo3->model()), (QStringList{"Avant", "Haut"}));
        combo3->setCurrentIndex(1);
        child(form, "Check1_0")->setChecked(true);
        press(form, "Command1_0");
        QCOMPARE(form.result()->vehicleFile, QStringLiteral("Fourgon_L2H2_Haut_XZ_500_.jpg"));
        QVERIFY(form.result()->mirrorLeftRight && !form.result()->mirrorTopBottom);
    }

    void form2CancelGivesNothing() {
        Fixture f;
        f.vehicle(QStringLiteral("V_B_Vue_XY_100_.bmp"));
        const auto choose = [&f](const char* button) {
            QTimer::singleShot(0, [button] { // once the modal dialog shows
                for (QWidget* w : QApplication::topLevelWidgets())
                    if (w->objectName() == QLatin1String("Form2") && w->isVisible())
                        press(*w, QLatin1String(button));
            });
            return NewLayoutDialog::choose(f.folder.path(), f.fs, f.dialogs, nullptr);
        };
        QVERIFY(!choose("Command1_1").has_value());
        QCOMPARE(choose("Command1_0")->vehicleFile, QStringLiteral("V_B_Vue_XY_100_.bmp"));
    }

    void form3FilterHidesIncompatibleFamilies() {
        Fixture f;
        f.accessory(QStringLiteral("Lit_Simple_190_90_XZ-YZ_.bmp"));
        f.accessory(QStringLiteral("Cuisine_Frigo_45_50_XY-XZ_.bmp"));
        f.accessory(QStringLiteral("Cuisine_Evier_60_40_YZ_.bmp"));
        Browser b(f);
        auto* combo1 = child<QComboBox>(*b.form, "Combo1");
        auto* check1 = child(*b.form, "Check1");
        QVERIFY(check1->isChecked());
        QCOMPARE(items(combo1->model()), QStringList{"Cuisine"});
        QCOMPARE(items(b.list()->model()), QStringList{"Frigo"});
        check1->click();
        QCOMPARE(items(combo1->model()), (QStringList{"Cuisine", "Lit"}));
        QCOMPARE(items(b.list()->model()), (QStringList{"Evier", "Frigo"}));
        combo1->setCurrentIndex(1);
        QCOMPARE(items(b.list()->model()), QStringList{"Simple"});
        check1->click();
        QCOMPARE(items(combo1->model()), QStringList{"Cuisine"});
    }

    void form3InsertsLastSameModelEachTime() {
        Fixture f;
        f.accessory(QStringLiteral("Cuisine_Frigo_45_50_XY_.bmp"));
        f.accessory(QStringLiteral("Cuisine_Frigo_60_080_XY_.bmp"));
        Browser b(f);
        QCOMPARE(items(b.list()->model()), QStringList{"Frigo"});
        QCOMPARE(child<QLabel>(*b.form, "Label4")->text(), QStringLiteral("080"));
        for (int i = 0; i < 3; ++i)
            press(*b.form, "Command1_0");
        QCOMPARE(b.inserted, QStringList(3, QStringLiteral("Cuisine_Frigo_60_080_XY_.bmp")));
        QVERIFY(b.form->isVisible() && b.released == 0);
        press(*b.form, "Command1_1"); // inserts once more and closes
        QCOMPARE(b.inserted.size(), 4);
        QVERIFY(!b.form->isVisible() && b.released == 1);
    }

    void form3DoubleClickInsertsAndReleases() {
        Fixture f;
        f.accessory(QStringLiteral("Cuisine_Evier_60_40_XY_.bmp"));
        f.accessory(QStringLiteral("Cuisine_Frigo_45_50_XY_.bmp"));
        Browser b(f);
        const QPoint second = b.list()->visualItemRect(b.list()->item(1)).center();
        QTest::mouseClick(b.list()->viewport(), Qt::LeftButton, {}, second);
        QTest::mouseDClick(b.list()->viewport(), Qt::LeftButton, {}, second);
        QCOMPARE(b.inserted, QStringList{"Cuisine_Frigo_45_50_XY_.bmp"});
        QVERIFY(!b.form->isVisible() && b.released == 1);
    }

    void form5MeasuresWithTheMouse_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("shown"); // Label1, Command1
        QTest::addColumn<int>("warnings");
        QTest::newRow("50 cm over 200 px")
            << "50" << QStringList{"2500 µm/pixel", "Test effectué"} << 0;
        QTest::newRow("empty answer") << "" << QStringList{"???? µm/pixel", "Refaire le test"} << 0;
        QTest::newRow("negative refused")
            << "-50" << QStringList{"???? µm/pixel", "Refaire le test"} << 1;
    }
    void form5MeasuresWithTheMouse() {
        QFETCH(QString, answer);
        QFETCH(QStringList, shown);
        QFETCH(int, warnings);
        Fixture f;
        AccessoryImportDialog form(f.folder.path(), f.fs, f.dialogs);
        const QImage clean = startCalibration(form, f);
        auto* picture1 = child<SurfaceView>(form, "Picture1");
        f.dialogs.inputAnswers.push_back(answer);
        // A second click on the first point takes it back without asking anything.
        QTest::mouseMove(picture1, QPoint(40, 40));
        QTest::mouseClick(picture1, Qt::LeftButton, {}, QPoint(50, 20));
        QVERIFY(picture1->surface().image() != clean);
        for (const QPoint at : {QPoint(50, 20), QPoint(250, 20), QPoint(50, 20)})
            QTest::mouseClick(picture1, Qt::LeftButton, {}, at);
        QCOMPARE(f.asked(Kind::Input), 1);
        QCOMPARE(f.dialogs.asked.front().text,
                 QStringLiteral("Distance réelle en centimètres (cm) :"));
        QCOMPARE(f.asked(Kind::Message), warnings);
        QCOMPARE(child<QLabel>(form, "Label1")->text(), shown[0]);
        QCOMPARE(child(form, "Command1")->text(), shown[1]);
        QVERIFY(!form.calibration().running());
        QVERIFY(testkit::imagesMatch(picture1->surface().image(), clean, QStringLiteral("form5")));
    }

    void form5QuickSecondClickCounts_data() {
        QTest::addColumn<QPoint>("second"); // where the quick second click lands
        QTest::addColumn<int>("questions");
        QTest::addColumn<bool>("firstPointTaken");
        QTest::addColumn<QString>("caption");
        QTest::newRow("3 px away: the second point, measured")
            << QPoint(53, 20) << 1 << false << "10000 µm/pixel";
        QTest::newRow("on the first point: taken back, nothing asked")
            << QPoint(50, 20) << 0 << false << "Cliquez ci-dessous";
    }
    void form5QuickSecondClickCounts() {
        QFETCH(QPoint, second);
        QFETCH(int, questions);
        QFETCH(bool, firstPointTaken);
        QFETCH(QString, caption);
        Fixture f;
        AccessoryImportDialog form(f.folder.path(), f.fs, f.dialogs);
        startCalibration(form, f);
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* picture1 = child<SurfaceView>(form, "Picture1");
        f.dialogs.inputAnswers.push_back(QStringLiteral("3"));
        DoubleClickCounter doubleClicks;
        picture1->installEventFilter(&doubleClicks);
        const int time = QTest::lastMouseTimestamp += QTest::mouseDoubleClickInterval;
        clickAt(picture1, QPoint(50, 20), time);
        clickAt(picture1, second, time + 10);
        QTest::lastMouseTimestamp += QTest::mouseDoubleClickInterval;
        QCOMPARE(doubleClicks.count, 1);
        QCOMPARE(f.asked(Kind::Input), questions);
        QCOMPARE(form.calibration().firstPointTaken(), firstPointTaken);
        QCOMPARE(child<QLabel>(form, "Label1")->text(), caption);
    }

    void nameListsDropForbiddenTypedCharacters_data() {
        QTest::addColumn<bool>("vehicle"); // the vehicle import, else the accessory import
        QTest::addColumn<QString>("list");
        QTest::newRow("vehicle model") << true << "Combo1";
        QTest::newRow("vehicle body") << true << "Combo2";
        QTest::newRow("vehicle view") << true << "Combo3";
        QTest::newRow("accessory family") << false << "Combo1_0";
        QTest::newRow("accessory model") << false << "Combo1_1";
    }
    void nameListsDropForbiddenTypedCharacters() {
        QFETCH(bool, vehicle);
        QFETCH(QString, list);
        Fixture f;
        std::unique_ptr<QDialog> form;
        if (vehicle)
            form = std::make_unique<AccessoryImportDialog>(f.folder.path(), f.fs, f.dialogs);
        else
            form = std::make_unique<VehicleImportDialog>(f.folder.path(), f.fs, f.dialogs);
        form->show();
        QApplication::setActiveWindow(form.get());
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        auto* combo = child<QComboBox>(*form, list);
        combo->setFocus();
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused == combo || focused == combo->lineEdit());
        QTest::keyClicks(focused, QStringLiteral("L1_H1/:*?<>|\"\\ 2,5'"));
        QCOMPARE(combo->currentText(), QStringLiteral("L1H1 2,5'"));
        // Pasted text loses them too.
        combo->lineEdit()->selectAll();
        QApplication::clipboard()->setText(QStringLiteral("Cui_sine:4"));
        QTest::keyClick(focused, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(combo->currentText(), QStringLiteral("Cuisine4"));
    }

    void librariesListInFrenchOrder_data() {
        QTest::addColumn<QString>("window");
        QTest::newRow("new layout: models") << "Form2";
        QTest::newRow("accessory browser: families") << "Form3";
        QTest::newRow("vehicle import: models") << "Form5";
        QTest::newRow("accessory import: families") << "Form4";
    }
    void librariesListInFrenchOrder() {
        QFETCH(QString, window);
        Fixture f;
        const QStringList names{"Zèbre", "Évier", "eau", "Ecran", "Arôme", "Étagère"};
        for (const QString& name : names) {
            f.vehicle(name + QStringLiteral("_B_Haut_XY_100_.bmp"));
            f.accessory(name + QStringLiteral("_M_40_50_XY_.bmp"));
        }
        const QStringList french{"Arôme", "eau", "Ecran", "Étagère", "Évier", "Zèbre"};
        QComboBox* list = nullptr;
        std::unique_ptr<QWidget> form;
        std::unique_ptr<Browser> browser;
        if (window == QLatin1String("Form2")) {
            auto* form2 = new NewLayoutDialog(f.folder.path(), f.fs, f.dialogs);
            form.reset(form2);
            form2->Form_Load();
            list = child<QComboBox>(*form2, "Combo1");
        } else if (window == QLatin1String("Form3")) {
            browser = std::make_unique<Browser>(f);
            list = child<QComboBox>(*browser->form, "Combo1");
        } else if (window == QLatin1String("Form5")) {
            auto* form5 = new AccessoryImportDialog(f.folder.path(), f.fs, f.dialogs);
            form.reset(form5);
            form5->start();
            list = child<QComboBox>(*form5, "Combo1");
        } else {
            f.pick(QStringLiteral("frigo.bmp"), 40, 30);
            auto* form4 = new VehicleImportDialog(f.folder.path(), f.fs, f.dialogs);
            form.reset(form4);
            form4->start();
            list = child<QComboBox>(*form4, "Combo1_0");
        }
        QCOMPARE(items(list->model()), french);
    }

    void form5ChecksInOrderThenAddsForForm2() {
        Fixture f;
        f.vehicle(QStringLiteral("Camion_C1_Avant_YZ_100_.bmp"));
        f.pick(QStringLiteral("photo.v2.jpg"));
        AccessoryImportDialog form(f.folder.path(), f.fs, f.dialogs);
        form.start();
        auto* combo1 = child<QComboBox>(form, "Combo1");
        QCOMPARE(items(combo1->model()), QStringList{"Camion"});
        press(form, "Command2_0");
        measure(form, f);
        press(form, "Command2_0");
        describeVehicle(form, 2, {"  Fourgon ", "L1H1", "   "});
        press(form, "Command2_0");
        describeVehicle(form, 2, {" Fourgon ", "L1_H1/:*?<>|\"\\", "Haut"});
        f.dialogs.messageAnswers = {platform::MsgResult::No};
        form.show();
        press(form, "Command2_0");
        QCOMPARE(
            f.dialogs.messages(),
            (QStringList{QStringLiteral("Vous devez faire le test de résolution de l'image!"),
                         kInstructions, QStringLiteral("Veuillez sélectionner le type de vue!"),
                         QStringLiteral(
                             "Vous devez spécifier le modèle, la carrosserie et le nom de la vue!"),
                         kDone.arg(QStringLiteral("véhicule"))}));
        QCOMPARE(f.dialogs.lastMessage().title, QStringLiteral("C'est fait!"));
        QCOMPARE(f.files("vehicules"),
                 (QStringList{"Camion_C1_Avant_YZ_100_.bmp", "Fourgon_L1H1_Haut_XY_2500_.jpg"}));
        QVERIFY(!form.isVisible());
        // Closed, the window keeps nothing for its next opening.
        QCOMPARE(int(form.resolution()), 0);
        QCOMPARE(combo1->currentText(), QString());

        NewLayoutDialog form2(f.folder.path(), f.fs, f.dialogs);
        form2.Form_Load();
        child<QComboBox>(form2, "Combo1")->setCurrentIndex(1);
        press(form2, "Command1_0");
        QCOMPARE(form2.result()->vehicleFile, QStringLiteral("Fourgon_L1H1_Haut_XY_2500_.jpg"));
    }

    void form4ComposesNames_data() {
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QString>("views");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QString>("name");
        const QStringList typed{"45", "50", "Cuisine", "Frigo40 "};
        QTest::newRow("top and side") << typed << "101"
                                      << "frigo.bmp"
                                      << "Cuisine_Frigo40_45_50_XY-XZ_.bmp";
        QTest::newRow("045 and 0 kept as typed, three views")
            << QStringList{"045", "0", "Cuisine", "Frigo40"} << "111"
            << "frigo.bmp"
            << "Cuisine_Frigo40_045_0_XY-XZ-YZ_.bmp";
        QTest::newRow("extension after the last dot") << typed << "001"
                                                      << "my.frigo.v2.JPG"
                                                      << "Cuisine_Frigo40_45_50_XY_.JPG";
    }
    void form4ComposesNames() {
        QFETCH(QStringList, texts);
        QFETCH(QString, views);
        QFETCH(QString, source);
        QFETCH(QString, name);
        Fixture f;
        f.pick(source, 40, 30);
        VehicleImportDialog form(f.folder.path(), f.fs, f.dialogs);
        form.start();
        describeAccessory(form, texts, views);
        press(form, "Command1_0");
        QCOMPARE(f.files("accessoires"), QStringList{name});
    }

    void form4OpensAgainWithItsSizeBoxesInPlace() {
        Fixture f;
        const VehicleImportDialog fresh(f.folder.path(), f.fs, f.dialogs);
        const auto boxes = [](const QObject& form) {
            return QList<QRect>{child<QLineEdit>(form, "Text1_0")->geometry(),
                                child<QLineEdit>(form, "Text1_1")->geometry()};
        };
        VehicleImportDialog form(f.folder.path(), f.fs, f.dialogs);
        f.pick(QStringLiteral("small.bmp"), 20, 60);
        form.start();
        QVERIFY(boxes(form) != boxes(fresh)); // they follow the small preview
        press(form, "Command1_2");
        form.start(); // opened again, the Open dialog cancelled
        QCOMPARE(boxes(form), boxes(fresh));
    }

    void form4ChecksInOrderThenAddsForForm3() {
        Fixture f;
        f.accessory(QStringLiteral("Lit_Simple_190_90_XY_.bmp"));
        f.accessory(QStringLiteral("Lit_Double_190_XY_.bmp"));
        f.pick(QStringLiteral("frigo.bmp"), 40, 30);
        VehicleImportDialog form(f.folder.path(), f.fs, f.dialogs);
        form.start();
        QCOMPARE(items(child<QComboBox>(form, "Combo1_1")->model()), QStringList{"Simple"});
        press(form, "Command1_0");
        for (const auto& [texts, views] : QList<std::pair<QStringList, QString>>{
                 {{"", "50", "", ""}, ""},
                 {{"45", "50", "", ""}, ""},
                 {{"45", "50", "Cuisine", ""}, "1"},
                 {{"45", "5a,0-", "Cui_sine", "Frigo_40?"}, "1"}}) {
            describeAccessory(form, texts, views);
            press(form, "Command1_0");
        }
        const QString dimensions =
            QStringLiteral("Vous devez spécifier les dimensions de l'accessoire!");
        QCOMPARE(f.dialogs.messages(),
                 (QStringList{dimensions, dimensions,
                              QStringLiteral("Veuillez sélectionner au moins une vue compatible!"),
                              QStringLiteral(
                                  "Vous devez spécifier la famille et le modèle de l'accessoire!"),
                              kDone.arg(QStringLiteral("accessoire"))}));
        Browser b(f, QStringLiteral("XZ"));
        press(*b.form, "Command1_0");
        QCOMPARE(b.inserted, QStringList{"Cuisine_Frigo40_45_50_XZ_.bmp"});
    }
};

QTEST_MAIN(LibraryWindowsTest)
#include "tst_librarywindows.moc"
