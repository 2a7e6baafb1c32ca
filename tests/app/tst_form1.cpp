// Guards the main window as a shell over the editor: control and menu names, enabling,
// the canvas geometry, the quit question, and a few editing flows driven through the
// real widgets with the mouse and the keyboard.
#include "Snapshot.h"
#include "app/Form1.h"
#include "document/LayoutFile.h"
#include "library/ui/Form3.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedDialogService.h"
#include "platform/SettingsStore.h"
#include "settings/ui/Pref.h"
#include "testkit/TestKit.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>

#include <memory>

using platform::MsgResult;
using platform::ScriptedDialogService;

namespace {

const QString kVehicle = QStringLiteral("Van_Fourgon_Dessus_XY_5000_.bmp"); // 2 px per cm

// A program folder with one vehicle view, a main window over it with scripted dialogs and
// an in-memory store, optionally opened on a layout of that vehicle given on the command line.
struct Fixture {
    testkit::ProgramFolder folder;
    QTemporaryDir home;
    ScriptedDialogService dialogs;
    platform::MemoryStore store;
    platform::FileSystem files;
    std::unique_ptr<app::Form1> form;

    explicit Fixture(bool withLayout) {
        folder.addPicture(QStringLiteral("vehicules"), kVehicle, 1000, 500, qRgb(220, 220, 255));
        folder.addPicture(QStringLiteral("accessoires"),
                          QStringLiteral("Meuble_Evier_60_40_XY_.bmp"), 60, 40, qRgb(0, 128, 0));
        folder.addPicture(QStringLiteral("textures"), QStringLiteral("bois.bmp"), 8, 8,
                          qRgb(150, 90, 30));
        QString commandLine;
        if (withLayout) {
            document::Layout layout;
            layout.vehicule_fichier = kVehicle;
            const QString path = folder.path() + QStringLiteral("/essai.kla");
            if (!document::SauverAgencement(path, layout, QLocale(), files))
                qFatal("cannot write the test layout");
            commandLine = QLatin1Char('"') + path + QLatin1Char('"');
        }
        app::Form1Services services{
            dialogs, store,       files,
            nullptr, home.path(), [](const QString&, const QStringList&) { return true; }};
        form = std::make_unique<app::Form1>(services, folder.path(), commandLine);
    }

    template <typename T = QWidget> T* control(const QString& name) const {
        // Inside the central area: the preferences window and the accessory browser,
        // also children of the window, reuse some of the same names.
        T* found = form->centralWidget()->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    document::ObjectTable& table() { return form->editor().state().layout.objets; }
    double cell(int r, int c) { return table().cell(r, c).toDouble(); }
    bool show() {
        form->show();
        return QTest::qWaitForWindowExposed(form.get());
    }
};

} // namespace

class TestForm1 : public QObject {
    Q_OBJECT

    // One window for the rows of a data table, made on first use.
    std::unique_ptr<Fixture> shared_;
    bool sharedHasLayout_ = false;
    Fixture& shared(bool withLayout) {
        if (!shared_ || sharedHasLayout_ != withLayout) {
            shared_ = std::make_unique<Fixture>(withLayout);
            sharedHasLayout_ = withLayout;
        }
        return *shared_;
    }

private Q_SLOTS:
    void cleanupTestCase() { shared_.reset(); }
    void initTestCase() {
        testkit::setUpTestEnvironment();
        QCoreApplication::setApplicationVersion(QStringLiteral("1.2.1"));
    }

    void everyControlIsFoundByName() {
        Fixture f(false);
        QStringList names = {"Picture1", "Picture2",   "HScroll1",   "VScroll1",   "Frame1",
                             "Frame2",   "Frame3",     "Frame4",     "Frame5",     "Frame6",
                             "Check2",   "Command4_0", "Command4_1", "Command5_0", "Command5_1",
                             "Command2", "Command3_0", "Command3_1", "Text2",      "Text1_0",
                             "Text1_1",  "Check1",     "Label1",     "Image1",     "Couleur",
                             "Combo1",   "Label2",     "Label3",     "Label4",     "Label5",
                             "List2",    "Command6_0", "Command6_1", "StatusBar1"};
        for (int i = 0; i < 8; ++i)
            names << QStringLiteral("picCoin_%1").arg(i);
        for (int i = 0; i < 6; ++i)
            names << QStringLiteral("Command1_%1").arg(i);
        for (int i = 0; i < 16; ++i)
            names << QStringLiteral("Choix_couleur_%1").arg(i);
        for (const QString& name : names)
            QVERIFY2(f.form->centralWidget()->findChild<QWidget*>(name), qPrintable(name));
        QCOMPARE(f.form->objectName(), QStringLiteral("Form1"));
        QCOMPARE(f.form->windowTitle(), QStringLiteral("Kestrion"));
        QCOMPARE(f.control<QLineEdit>("Text2")->text(), QStringLiteral("100"));
        QCOMPARE(f.control<QLineEdit>("Text1_0")->text(), QStringLiteral("50"));
        QCOMPARE(f.control<QScrollBar>("HScroll1")->maximum(), 100);
        QCOMPARE(f.control<QScrollBar>("VScroll1")->pageStep(), 10);
    }

    void toolButtonsRunLeftToRightInKindOrder() {
        Fixture f(false);
        const QList<int> kinds = {1, 0, 3, 2, 5, 4};
        for (int i = 1; i < kinds.size(); ++i) {
            const QRect before =
                f.control(QStringLiteral("Command1_%1").arg(kinds[i - 1]))->geometry();
            const QRect after = f.control(QStringLiteral("Command1_%1").arg(kinds[i]))->geometry();
            QVERIFY(after.top() > before.top() ||
                    (after.top() == before.top() && after.left() > before.left()));
        }
        // The palette's first row holds the odd swatches 1, 3, 5, 7 above 0, 2, 4, 6.
        QVERIFY(f.control("Choix_couleur_1")->y() < f.control("Choix_couleur_0")->y());
        QVERIFY(f.control("Choix_couleur_1")->x() < f.control("Choix_couleur_3")->x());
        QCOMPARE(f.control("Choix_couleur_8")->x(), f.control("Choix_couleur_1")->x());
    }

    void menuCaptionsAndShortcuts_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shortcut");
        const QList<std::array<const char*, 3>> rows = {
            {"mnufichier", "&Fichier", ""},
            {"mnunew", "&Nouveau...", ""},
            {"mnuload", "&Ouvrir", ""},
            {"mnusave", "Enregi&strer", "Ctrl+S"},
            {"mnusaveim", "Exporter l'&image", ""},
            {"mnuprint", "Im&primer", ""},
            {"mnuquit", "&Quitter", ""},
            {"mnurect", "&Rectangle", "Ctrl+R"},
            {"mnumes", "&Mesure", "Ctrl+M"},
            {"mnutext", "Te&xte", "Ctrl+X"},
            {"mnucerc", "&Ellipse / Cercle", "Ctrl+E"},
            {"mnutri", "&Triangle", "Ctrl+T"},
            {"mnulig", "&Ligne", "Ctrl+L"},
            {"mnubib", "&Bibliothèque d'accessoires", "Ctrl+B"},
            {"mnuedit", "&Edition", ""},
            {"mnupremier", "Mettre au &premier plan", ""},
            {"mnuarrp", "Envoyer à l'&arrière-plan", ""},
            {"mnupivg", "Pivoter à &gauche", "Ctrl+G"},
            {"mnupivd", "Pivoter à &droite", "Ctrl+D"},
            {"mnusuppr", "&Supprimer", ""},
            {"mnuoptions", "O&ptions", ""},
            {"mnupref", "&Préférences...", ""},
            {"mnusurf", "Module de décompte de &surfaces", ""},
            {"mnuaccess", "Ajouter un &accessoire à la bibliothèque...", ""},
            {"mnuvehic", "Ajouter un &véhicule à la bibliothèque...", ""},
            {"mnuaide_menu", "&?", ""},
            {"mnuaide", "&Aide", "F1"},
            {"mnulic", "&License", ""},
            {"mnupropos", "A &propos", ""},
            {"mnuremer", "&Remerciements", ""}};
        for (const auto& row : rows)
            QTest::newRow(row[0]) << QString::fromUtf8(row[0]) << QString::fromUtf8(row[1])
                                  << QString::fromUtf8(row[2]);
    }
    void menuCaptionsAndShortcuts() {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, shortcut);
        QAction* item = shared(false).form->action(name);
        QVERIFY(item);
        QCOMPARE(item->text(), caption);
        QCOMPARE(item->shortcut().toString(QKeySequence::PortableText), shortcut);
    }

    void menuOrderWithSeparatorsAndPictures() {
        Fixture f(false);
        const QList<QAction*> entries =
            f.form->menuBar()->findChild<QMenu*>(QStringLiteral("mnufichier"))->actions();
        QStringList names;
        for (QAction* entry : entries)
            names << (entry->isSeparator() ? QStringLiteral("-") : entry->objectName());
        QCOMPARE(names, (QStringList{"mnunew", "mnuload", "-", "mnusave", "mnusaveim", "-",
                                     "mnuprint", "-", "mnuquit"}));
        for (int position : {0, 1, 3, 4, 6})
            QVERIFY(!entries[position]->icon().isNull());
        QVERIFY(entries[8]->icon().isNull());
        QVERIFY(f.form->action(QStringLiteral("mnusurf"))->isCheckable());
        QVERIFY(f.form->action(QStringLiteral("mnubib"))->isCheckable());
    }

    void editingIsEnabledOnlyOnceALayoutIsOpen() {
        Fixture f(false);
        const QStringList layoutControls = {"HScroll1",   "VScroll1",   "Frame1", "Frame2",
                                            "Frame3",     "Frame4",     "Frame5", "Frame6",
                                            "Command1_0", "Command1_5", "Check2"};
        const QStringList layoutMenus = {"mnusave", "mnusaveim", "mnuprint", "mnurect", "mnumes",
                                         "mnutext", "mnucerc",   "mnutri",   "mnulig",  "mnubib"};
        const QStringList selectionMenus = {"mnupremier", "mnuarrp", "mnupivg", "mnupivd",
                                            "mnusuppr"};
        for (const QString& name : layoutControls)
            QVERIFY2(!f.control(name)->isEnabled(), qPrintable(name));
        for (const QString& name : layoutMenus + selectionMenus)
            QVERIFY2(!f.form->action(name)->isEnabled(), qPrintable(name));
        QVERIFY(f.form->action(QStringLiteral("mnunew"))->isEnabled());

        f.form->editor().ActiverEdition();
        f.form->refresh();
        for (const QString& name : layoutControls)
            QVERIFY2(f.control(name)->isEnabled(), qPrintable(name));
        for (const QString& name : layoutMenus)
            QVERIFY2(f.form->action(name)->isEnabled(), qPrintable(name));
        for (const QString& name : selectionMenus)
            QVERIFY2(!f.form->action(name)->isEnabled(), qPrintable(name));
        QVERIFY(!f.control("Command2")->isEnabled());
    }

    void commandLineLayoutOpensWithBarsAtZero() {
        Fixture f(true);
        QVERIFY(f.form->editor().state().layout.agencement_ouvert);
        QCOMPARE(f.control<QScrollBar>("HScroll1")->value(), 0);
        QCOMPARE(f.control<QScrollBar>("VScroll1")->value(), 0);
        QVERIFY(f.form->action(QStringLiteral("mnusave"))->isEnabled());
        QVERIFY(f.dialogs.asked.empty());
    }

    void windowKeepsItsMinimumAndTheCanvasFollows() {
        Fixture f(false);
        QVERIFY(f.show());
        f.form->resize(300, 200);
        QTRY_COMPARE(f.form->size(), app::Form1::kMinimumSize);
        for (const QSize size : {QSize(900, 700), QSize(640, 480)}) {
            f.form->resize(size);
            QWidget* area = f.form->centralWidget();
            QTRY_COMPARE(f.control("Picture1")->geometry(),
                         QRect(8, 128, area->width() - 33, area->height() - 168));
            QCOMPARE(f.form->editor().state().picture1.width(), area->width() - 33);
            QCOMPARE(f.form->editor().state().picture1.height(), area->height() - 168);
            QCOMPARE(f.control("VScroll1")->x(), area->width() - 26);
            QCOMPARE(f.control("HScroll1")->y(), area->height() - 41);
        }
    }

    void canvasShowsThePlanSurfaceOneToOne() {
        Fixture f(false);
        QVERIFY(f.show());
        const QImage shown =
            f.control("Picture1")->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QImage surface =
            f.form->editor().state().picture1.Image().convertToFormat(QImage::Format_RGB32);
        QVERIFY(testkit::imagesMatch(shown, surface, QStringLiteral("form1_canvas")));
        snapshot(f.form.get(), QStringLiteral("form1-start"));
    }

    void quitQuestion_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<int>("questions");
        QTest::newRow("unchanged layout ends without asking")
            << false << int(MsgResult::Cancel) << true << 0;
        QTest::newRow("Cancel keeps the window") << true << int(MsgResult::Cancel) << false << 1;
        QTest::newRow("No ends without saving") << true << int(MsgResult::No) << true << 1;
        QTest::newRow("Yes with the save cancelled still ends")
            << true << int(MsgResult::Yes) << true << 1;
    }
    void quitQuestion() {
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        QFETCH(int, questions);
        Fixture f(true);
        QVERIFY(f.show());
        f.form->editor().state().layout.modifie = modified;
        f.dialogs.messageAnswers.push_back(MsgResult(answer));
        f.form->close();
        QCOMPARE(!f.form->isVisible(), closes);
        int asked = 0;
        for (const auto& q : f.dialogs.asked) {
            if (q.kind == ScriptedDialogService::Kind::Message &&
                q.title == QStringLiteral("Quitter :")) {
                ++asked;
                QCOMPARE(q.text, QStringLiteral("Voulez-vous sauvegarder l'agencement actuel?"));
                QCOMPARE(q.title, QStringLiteral("Quitter :"));
                QCOMPARE(q.buttons, platform::MsgButtons::YesNoCancel);
            }
        }
        QCOMPARE(asked, questions);
        if (answer == int(MsgResult::Yes))
            QVERIFY(std::any_of(f.dialogs.asked.begin(), f.dialogs.asked.end(), [](const auto& q) {
                return q.kind == ScriptedDialogService::Kind::Save;
            }));
    }

    void quitMenuWithNoLayoutEndsAtOnce() {
        Fixture f(false);
        QVERIFY(f.show());
        f.form->action(QStringLiteral("mnuquit"))->trigger();
        QVERIFY(!f.form->isVisible());
        QVERIFY(f.dialogs.asked.empty());
    }

    void licenceIsOneInformationBox() {
        Fixture f(false);
        f.form->action(QStringLiteral("mnulic"))->trigger();
        QCOMPARE(f.dialogs.asked.size(), std::size_t(1));
        const auto& box = f.dialogs.asked[0];
        QCOMPARE(box.title, QStringLiteral("License :"));
        QCOMPARE(box.icon, platform::MsgIcon::Information);
        QCOMPARE(box.buttons, platform::MsgButtons::Ok);
        QCOMPARE(box.text, QStringLiteral("\r\r\r"));
    }

    void helpWindowStaysOpenBesideTheEditing() {
        Fixture f(true);
        QVERIFY(f.show());
        f.form->action(QStringLiteral("mnuaide"))->trigger();
        QWidget* aide = f.form->findChild<QWidget*>(QStringLiteral("Aide"));
        QVERIFY(aide && aide->isVisible());
        QTest::mouseClick(f.control("Command1_1"), Qt::LeftButton);
        QCOMPARE(f.table().nb_objets(), 1);
        QVERIFY(aide->isVisible());
    }

    void statusHelpFollowsThePointer_data() {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("text");
        QTest::newRow("rectangle tool") << "Command1_1"
                                        << "Dessiner un rectangle";
        QTest::newRow("measure tool") << "Command1_0"
                                      << "Prendre une mesure";
        QTest::newRow("turn right") << "Command5_0"
                                    << "Pivoter à droite";
        QTest::newRow("zoom box") << "Text2"
                                  << "Entrez une valeur entre 10 et 1600%";
        QTest::newRow("height box") << "Text1_1"
                                    << "Hauteur de l'objet (Appuyez sur Entrée pour valider)";
        QTest::newRow("library toggle while closed") << "Check2"
                                                     << "Ouvrir la bibliothèque d'accessoires";
        QTest::newRow("empty plan of an open layout") << "Picture1"
                                                      << "Choisissez un objet à insérer";
    }
    void statusHelpFollowsThePointer() {
        QFETCH(QString, control);
        QFETCH(QString, text);
        Fixture& f = shared(true);
        QVERIFY(f.form->isVisible() || f.show());
        QTest::mouseMove(f.control(control), QPoint(3, 3));
        QTRY_COMPARE(f.control<QStatusBar>("StatusBar1")->currentMessage(), text);
    }

    void editingFlowsThroughTheWidgets() {
        Fixture f(true);
        QVERIFY(f.show());
        QWidget* plan = f.control("Picture1");
        QWidget* box = f.control("Picture2");

        // A 50 x 50 cm rectangle, 100 x 100 pixels, 10 pixels in from the corner.
        QTest::mouseClick(f.control("Command1_1"), Qt::LeftButton);
        QCOMPARE(f.table().nb_objets(), 1);
        QCOMPARE(f.cell(1, 1), 1.0);
        QCOMPARE(f.cell(1, 2), 10.0);

        QTest::mouseClick(plan, Qt::LeftButton, {}, QPoint(50, 50));
        QVERIFY(box->isVisible());
        QCOMPARE(box->geometry(), QRect(10, 10, 100, 100));
        QCOMPARE(f.table().nb_objets(), 0);
        QVERIFY(f.control("Command2")->isEnabled());
        QVERIFY(f.control("picCoin_4")->isVisible());
        snapshot(f.form.get(), QStringLiteral("form1-selection"));

        // Drag the box by (+20, +10), then Enter puts it back there.
        QTest::mousePress(box, Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseMove(box, QPoint(40, 30));
        QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(40, 30));
        QCOMPARE(box->geometry().topLeft(), QPoint(30, 20));
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(!box->isVisible());
        QCOMPARE(f.table().nb_objets(), 1);
        QCOMPARE(f.cell(1, 2), 30.0);
        QCOMPARE(f.cell(1, 3), 20.0);

        // Handle 4 dragged by (+7, +3): 107 x 103 pixels show as 54 x 52 cm (halves to even).
        QTest::mouseClick(plan, Qt::LeftButton, {}, QPoint(50, 50));
        QWidget* corner = f.control("picCoin_4");
        QCOMPARE(corner->pos(), QPoint(130, 120));
        QTest::mousePress(corner, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseMove(corner, QPoint(9, 5));
        QTest::mouseRelease(corner, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(box->size(), QSize(107, 103));
        QCOMPARE(f.control<QLineEdit>("Text1_0")->text(), QStringLiteral("54"));
        QCOMPARE(f.control<QLineEdit>("Text1_1")->text(), QStringLiteral("52"));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(f.cell(1, 5), 54.0);
        QCOMPARE(f.cell(1, 4), 52.0);
        QVERIFY(f.form->editor().state().layout.modifie);

        // Typing a width: the box takes the focus's select-all, letters are dropped, Enter applies.
        QTest::mouseClick(plan, Qt::LeftButton, {}, QPoint(50, 50));
        auto* width = f.control<QLineEdit>("Text1_0");
        f.form->activateWindow();
        width->setFocus();
        QTRY_COMPARE(width->selectedText(), QStringLiteral("54"));
        QTest::keyClicks(width, QStringLiteral("8x0"));
        QTest::keyClick(width, Qt::Key_Return);
        QCOMPARE(width->text(), QStringLiteral("80"));
        QCOMPARE(box->width(), 160);

        // Delete the selection with the key.
        QVERIFY(box->isVisible());
        QTest::keyClick(box, Qt::Key_Delete);
        QVERIFY(!box->isVisible());
        QCOMPARE(f.table().nb_objets(), 0);
        QVERIFY(!f.control("Command2")->isEnabled());

        // Typing 2000 in the zoom box clamps to 1600.
        auto* zoom = f.control<QLineEdit>("Text2");
        zoom->setFocus();
        zoom->selectAll();
        QTest::keyClicks(zoom, QStringLiteral("2000"));
        QCOMPARE(zoom->text(), QStringLiteral("1600"));
        QCOMPARE(f.form->editor().state().view.view.zoom, 16.0f);
    }

    void accessoryToggleDrivesTheBrowser() {
        Fixture f(true);
        QVERIFY(f.show());
        auto* toggle = f.control<QToolButton>("Check2");
        QAction* menu = f.form->action(QStringLiteral("mnubib"));
        const auto browser = [&] {
            return f.form->findChild<library::ui::Form3*>(QStringLiteral("Form3"));
        };

        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(browser() && browser()->isVisible());
        QVERIFY(toggle->isChecked() && menu->isChecked());

        // "Insérer" adds a 60 x 40 cm accessory and leaves the browser open.
        QTest::mouseClick(browser()->findChild<QWidget*>(QStringLiteral("Command1_0")),
                          Qt::LeftButton);
        QCOMPARE(f.table().nb_objets(), 1);
        QCOMPARE(f.cell(1, 1), 9.0);
        QCOMPARE(f.cell(1, 5), 60.0);
        QVERIFY(browser()->isVisible());

        menu->trigger();
        QVERIFY(!browser()->isVisible());
        QVERIFY(!toggle->isChecked() && !menu->isChecked());

        // Opening a layout throws the browser away and releases the toggle.
        menu->trigger();
        QVERIFY(browser()->isVisible());
        f.form->editor().state().layout.modifie = false;
        f.dialogs.openAnswers.push_back({f.folder.path() + QStringLiteral("/essai.kla"), 1});
        f.form->action(QStringLiteral("mnuload"))->trigger();
        QTRY_VERIFY(!browser());
        QVERIFY(!toggle->isChecked() && !menu->isChecked());
    }

    void preferencesConfirmedReachTheEditor() {
        Fixture f(false);
        settings::Preferences changed;
        changed.larlig = QStringLiteral("250");
        changed.clicpreplan = true;
        auto& pref = f.form->pref();
        pref.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(changed.larlig);
        pref.findChild<QWidget*>(QStringLiteral("Check2"))->setProperty("checked", true);
        pref.Command1_Click(0);
        QCOMPARE(f.form->editor().state().prefs.larlig, QStringLiteral("100"));
        QVERIFY(f.form->editor().state().prefs.clicpreplan);
        QCOMPARE(f.store.values.value(QStringLiteral("HKLM\\Software\\Kestrion\\larlig")),
                 QStringLiteral("100"));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_form1.moc"
