#include "library/ui/AccessoryBrowser.h"
#include "library/ui/AccessoryImportDialog.h"
#include "library/ui/NewLayoutDialog.h"
#include "library/ui/SurfaceView.h"
#include "library/ui/VehicleImportDialog.h"
#include "platform/FileSystem.h"
#include "testkit/ScriptedDialogService.h"
#include "testkit/TestKit.h"

#include <QtTest>
#include <QtWidgets>

using namespace library::ui;

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
QStringList items(const QAbstractItemModel* model) {
    QStringList out;
    for (int row = 0; row < model->rowCount(); ++row)
        out << model->index(row, 0).data().toString();
    return out;
}

struct Fixture {
    testkit::ProgramFolder folder;
    platform::FileSystem fs;
    testkit::ScriptedDialogService dialogs;

    void add(const char* sub, std::initializer_list<const char*> names) {
        for (const char* name : names)
            folder.addPicture(QLatin1String(sub), QString::fromUtf8(name), 20, 10);
    }
    // The next Open dialog returns this picture from outside the library.
    void pick(const QString& name, int width = 300, int height = 200) {
        dialogs.openAnswers.push_back(
            {folder.addPicture(QString(), name, width, height, qRgb(200, 180, 160)), 1});
    }
};

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
    QListWidget* models() const { return child<QListWidget>(*form, "List1"); }
};

const QString kInstructions = QStringLiteral(
    "Il faut que vous connaissiez une distance réelle sur l'image.\n\nCliquez deux points "
    "correspondants aux extrémités de la distance connue!\nSi vous ne voyez pas une partie de "
    "l'image, agrandissez la fenêtre.");
const QString kDone = QStringLiteral("Vous pouvez à présent supprimer l'image d'origine.\n\n"
                                     "Souhaitez-vous ajouter un autre %1?");

void typeInto(const QObject& form, const QStringList& boxes, const QStringList& texts) {
    for (int i = 0; i < texts.size(); ++i) {
        auto* combo = form.findChild<QComboBox*>(boxes[i]);
        QLineEdit* box = combo ? combo->lineEdit() : child<QLineEdit>(form, boxes[i]);
        box->clear();
        QTest::keyClicks(box, texts[i]);
    }
}

// Through the window system, so that a quick second press nearby comes as a double click.
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

} // namespace

class LibraryWindowsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void newLayoutCascadesAndLastSameViewWins() {
        Fixture f;
        f.add("vehicules",
              {"Fourgon_L1H1_Haut_XY_2500_.jpg", "Fourgon_L1H1_Gauche_XZ_2500_.jpg",
               "Fourgon_L2H2_Haut_XY_2500_.jpg", "Fourgon_L2H2_Avant_YZ_2500_.jpg",
               "Fourgon_L2H2_Haut_XZ_500_.jpg", "Camion_C1_Haut_XY_1000_.bmp",
               "Camion_C1_extra_Haut_XY_1000_.bmp", "Camion_C2_Haut_XY_.bmp", "photo.jpg"});
        NewLayoutDialog form(f.folder.path(), f.fs, f.dialogs);
        form.loadVehicles();
        QVERIFY(f.dialogs.asked.empty());
        auto* models = child<QComboBox>(form, "Combo1");
        auto* bodies = child<QComboBox>(form, "Combo2");
        auto* views = child<QComboBox>(form, "Combo3");
        QCOMPARE(items(models->model()), (QStringList{"Camion", "Fourgon"}));
        QCOMPARE(items(bodies->model()), QStringList{"C1"});
        models->setCurrentIndex(1);
        QCOMPARE(items(bodies->model()), (QStringList{"L1H1", "L2H2"}));
        QCOMPARE(items(views->model()), (QStringList{"Gauche", "Haut"}));
        bodies->setCurrentIndex(1);
        QCOMPARE(items(views->model()), (QStringList{"Avant", "Haut"}));
        views->setCurrentIndex(1);
        child(form, "Check1_0")->setChecked(true);
        press(form, "Command1_0");
        QCOMPARE(form.result()->vehicleFile, QStringLiteral("Fourgon_L2H2_Haut_XZ_500_.jpg"));
        QVERIFY(form.result()->mirrorLeftRight);
        QVERIFY(!form.result()->mirrorTopBottom);
        // As a modal dialog: cancelled it gives nothing, accepted the first view.
        const auto choose = [&f](const char* button) {
            QTimer::singleShot(0, [button] { press(*QApplication::activeModalWidget(), button); });
            return NewLayoutDialog::choose(f.folder.path(), f.fs, f.dialogs, nullptr);
        };
        QVERIFY(!choose("Command1_1").has_value());
        QCOMPARE(choose("Command1_0")->vehicleFile, QStringLiteral("Camion_C1_Haut_XY_1000_.bmp"));
    }

    // Well-formed names only, compatible ones unless unfiltered; a model's last file is inserted.
    void browserFiltersAndInserts() {
        Fixture f;
        f.add("accessoires",
              {"Lit_Simple_190_90_XZ-YZ_.bmp", "Cuisine_Evier_60_40_YZ_.bmp",
               "Cuisine_Frigo_45_50_XY-XZ_.bmp", "Cuisine_Frigo_60_080_XY_.bmp",
               "Cuisine_Four_x_40_XY_.jpg", "Cuisine_Four_A_45_50_XY_.bmp", "notes.txt"});
        Browser b(f);
        auto* families = child<QComboBox>(*b.form, "Combo1");
        QCOMPARE(items(families->model()), QStringList{"Cuisine"});
        QCOMPARE(items(b.models()->model()), QStringList{"Frigo"});
        b.models()->setCurrentRow(0);
        QCOMPARE(child<QLabel>(*b.form, "Label4")->text(), QStringLiteral("080"));
        press(*b.form, "Command1_1"); // inserts and closes
        QVERIFY(!b.form->isVisible());
        QVERIFY(b.released == 1);
        b.form->show();
        press(*b.form, "Check1"); // every family
        QCOMPARE(items(families->model()), (QStringList{"Cuisine", "Lit"}));
        QCOMPARE(items(b.models()->model()), (QStringList{"Evier", "Frigo"}));
        // A double click on a model inserts it and closes too.
        const QPoint first = b.models()->visualItemRect(b.models()->item(0)).center();
        QTest::mouseClick(b.models()->viewport(), Qt::LeftButton, {}, first);
        QTest::mouseDClick(b.models()->viewport(), Qt::LeftButton, {}, first);
        QCOMPARE(b.inserted,
                 (QStringList{"Cuisine_Frigo_60_080_XY_.bmp", "Cuisine_Evier_60_40_YZ_.bmp"}));
        QVERIFY(!b.form->isVisible());
        QVERIFY(b.released == 2);
        press(*b.form, "Check1"); // the compatible ones again
        QCOMPARE(items(families->model()), QStringList{"Cuisine"});
        QVERIFY(QDir(f.folder.accessoires()).removeRecursively());
        Browser unreadable(f);
        QCOMPARE(f.dialogs.messages(),
                 QStringList{"Impossible d'obtenir la liste des accessoires"});
    }

    // Two clicks 200 pixels apart (clicking the first point again takes it back) or a quick one
    // 3 pixels away; cm / pixels * 10000 in single precision, halves to even.
    void vehicleImport_data() {
        QTest::addColumn<bool>("quick");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("resolution"); // "????": none
        QTest::addColumn<int>("warnings");
        const auto row = [](const char* name, bool quick, const char* answer,
                            const char* resolution, int warnings) {
            QTest::newRow(name) << quick << QString(answer) << QString(resolution) << warnings;
        };
        row("a dot is no French number", false, "12.5", "????", 0);
        row("half to even", false, "0,25", "12", 0);
        row("largest 16-bit resolution", false, "655,34", "32767", 0);
        row("too large", false, "700", "????", 1);
        row("rounds to nothing", false, "0,001", "????", 1);
        row("quick second click", true, "3", "10000", 0);
    }
    void vehicleImport() {
        QFETCH(bool, quick);
        QFETCH(QString, answer);
        QFETCH(QString, resolution);
        QFETCH(int, warnings);
        Fixture f;
        f.add("vehicules", {"Camion_C1_Avant_YZ_100_.bmp"});
        f.pick(QStringLiteral("photo.v2.jpg"));
        VehicleImportDialog form(f.folder.path(), f.fs, f.dialogs);
        form.start();
        form.show();
        QApplication::setActiveWindow(&form);
        QVERIFY(QTest::qWaitForWindowActive(&form));
        auto* models = child<QComboBox>(form, "Combo1");
        QCOMPARE(items(models->model()), QStringList{"Camion"});
        press(form, "Command2_0");
        auto* picture = child<SurfaceView>(form, "Picture1");
        const QImage clean = picture->surface().image().copy();
        press(form, "Command1");
        f.dialogs.inputAnswers.push_back(answer);
        if (quick) {
            const int time = QTest::lastMouseTimestamp += QTest::mouseDoubleClickInterval;
            clickAt(picture, QPoint(50, 20), time);
            clickAt(picture, QPoint(53, 20), time + 10);
            QTest::lastMouseTimestamp += QTest::mouseDoubleClickInterval;
        } else {
            QTest::mouseMove(picture, QPoint(40, 40));
            QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(50, 20));
            QVERIFY(picture->surface().image() != clean);
            for (const QPoint at : {QPoint(50, 20), QPoint(250, 20), QPoint(50, 20)})
                QTest::mouseClick(picture, Qt::LeftButton, {}, at);
        }
        // The Open dialog and two messages before the question, the warnings after it.
        QCOMPARE(f.dialogs.asked.at(3).text,
                 QStringLiteral("Distance réelle en centimètres (cm) :"));
        QCOMPARE(int(f.dialogs.asked.size()), 4 + warnings);
        QCOMPARE(child<QLabel>(form, "Label1")->text(), resolution + QStringLiteral(" µm/pixel"));
        QCOMPARE(child(form, "Command1")->text(), resolution == QLatin1String("????")
                                                      ? QStringLiteral("Refaire le test")
                                                      : QStringLiteral("Test effectué"));
        QVERIFY(!form.calibration().running());
        QVERIFY(testkit::imagesMatch(picture->surface().image(), clean,
                                     QStringLiteral("vehicleimport")));
        if (resolution == QLatin1String("????"))
            return;
        press(form, "Command2_0");
        child<QRadioButton>(form, "Option1_2")->setChecked(true);
        const QStringList boxes{"Combo1", "Combo2", "Combo3"}; // model, body, view
        typeInto(form, boxes, {"  Fourgon ", "L1H1", "   "});
        press(form, "Command2_0");
        typeInto(form, boxes, {" Fourgon ", "L1_H1/:*?<>|\"\\"});
        // Pasted text loses the same characters as typed text.
        child<QComboBox>(form, "Combo3")->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("H_a:ut 2,5'"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_V, Qt::ControlModifier);
        f.dialogs.messageAnswers = {platform::MsgResult::No};
        press(form, "Command2_0");
        QCOMPARE(f.dialogs.messages(),
                 (QStringList{"Vous devez faire le test de résolution de l'image!", kInstructions,
                              "Veuillez sélectionner le type de vue!",
                              "Vous devez spécifier le modèle, la carrosserie et le nom de la vue!",
                              kDone.arg(QStringLiteral("véhicule"))}));
        QCOMPARE(f.dialogs.lastMessage().title, QStringLiteral("C'est fait!"));
        QCOMPARE(QDir(f.folder.vehicules()).entryList(QDir::Files, QDir::Name),
                 (QStringList{"Camion_C1_Avant_YZ_100_.bmp",
                              "Fourgon_L1H1_Haut 2,5'_XY_" + resolution + "_.jpg"}));
        // Closed, the window keeps nothing for its next opening.
        QVERIFY(!form.isVisible());
        QCOMPARE(int(form.resolution()), 0);
        QCOMPARE(models->currentText(), QString());
    }

    // The preview fits its box, centred; the size boxes follow it and go back for the next
    // opening. Then the checks in order, and the file written is offered by the browser.
    void accessoryImportPlacesPreviewThenChecksInOrder_data() {
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QRectF>("preview");
        QTest::addColumn<QList<QRect>>("placed"); // the picture shown, height and width boxes
        const QSize box(36, 20);
        QTest::newRow("small picture kept, halves to even")
            << QSize(20, 60) << QRectF(86.5, 74.5, 20, 60)
            << QList<QRect>{{86, 74, 20, 60}, {QPoint(50, 94), box}, {QPoint(78, 141), box}};
        QTest::newRow("wide picture: the width first, a third below it")
            << QSize(99, 66) << QRectF(48, 433.0 / 6, 97, 194.0 / 3)
            << QList<QRect>{{48, 72, 97, 65}, {QPoint(12, 94), box}, {QPoint(78, 144), box}};
        QTest::newRow("tall picture: the height, a half-pixel width")
            << QSize(97, 162) << QRectF(72.25, 64, 48.5, 81)
            << QList<QRect>{{72, 64, 48, 81}, {QPoint(36, 94), box}, {QPoint(78, 152), box}};
    }
    void accessoryImportPlacesPreviewThenChecksInOrder() {
        QFETCH(QSize, picture);
        QFETCH(QRectF, preview);
        QFETCH(QList<QRect>, placed);
        Fixture f;
        f.add("accessoires", {"Lit_Simple_190_90_XY_.bmp", "Lit_Double_190_XY_.bmp"});
        f.pick(QStringLiteral("my.frigo.v2.JPG"), picture.width(), picture.height());
        AccessoryImportDialog form(f.folder.path(), f.fs, f.dialogs);
        const auto geometries = [&form] {
            return QList<QRect>{child<SurfaceView>(form, "Image1")->geometry(),
                                child<QLineEdit>(form, "Text1_0")->geometry(),
                                child<QLineEdit>(form, "Text1_1")->geometry()};
        };
        const QList<QRect> fresh{QRect(12, 94, 36, 20), QRect(78, 152, 36, 20)};
        QCOMPARE(geometries().mid(1), fresh);
        form.start();
        QCOMPARE(form.previewRect(), preview);
        QCOMPARE(geometries(), placed);
        QCOMPARE(items(child<QComboBox>(form, "Combo1_1")->model()), QStringList{"Simple"});
        press(form, "Command1_0");
        f.dialogs.messageAnswers = {platform::MsgResult::No}; // no other accessory after this one
        for (const auto& [texts, views] : QList<std::pair<QStringList, QString>>{
                 {{"", "50", "", "", ""}, ""}, // width, height, family, model, mass; views
                 {{"45", "50", "", "", ""}, ""},
                 {{"45", "50", "Cuisine", "", ""}, "1"},
                 {{"045", "0a,-", "Cui_sine", " Frigo_40? ", "lourd"}, "111"},
                 {{"045", "0a,-", "Cui_sine", " Frigo_40? ", "28,5"}, "111"}}) { // kept as typed
            typeInto(form, {"Text1_1", "Text1_0", "Combo1_0", "Combo1_1", "TextMasse"}, texts);
            for (int i = 0; i < views.size(); ++i) // Gauche / Droite, Avant / Arrière, Dessus
                child(form, QStringLiteral("Check1_%1").arg(i))->setChecked(views[i] == '1');
            press(form, "Command1_0");
        }
        const char* dimensions = "Vous devez spécifier les dimensions de l'accessoire!";
        QCOMPARE(f.dialogs.messages(),
                 (QStringList{dimensions, dimensions,
                              "Veuillez sélectionner au moins une vue compatible!",
                              "Vous devez spécifier la famille et le modèle de l'accessoire!",
                              "La masse de l'accessoire doit être un nombre positif de kg, ou "
                              "rester vide quand elle n'est pas connue.",
                              kDone.arg(QStringLiteral("accessoire"))}));
        f.dialogs.openAnswers.push_back(platform::FileDialogResult{});
        form.start(); // opened again, the Open dialog cancelled
        QCOMPARE(geometries().mid(1), fresh);
        Browser b(f, QStringLiteral("XZ"));
        // The browser shows the mass the import wrote beside the pictures.
        QCOMPARE(child<QLabel>(*b.form, "LabelMasse")->text(), QStringLiteral("Masse : 28,5 kg"));
        press(*b.form, "Command1_0");
        QCOMPARE(b.inserted, QStringList{"Cuisine_Frigo40_045_0_XY-XZ-YZ_.JPG"});
    }
};

QTEST_MAIN(LibraryWindowsTest)
#include "tst_librarywindows.moc"
