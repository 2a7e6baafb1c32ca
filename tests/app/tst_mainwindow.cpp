// Guards the main window: control names and enabling, canvas geometry, the quit question, menu
// outputs, mouse and keyboard editing, and the windows it opens.
#include "WindowFixture.h"
#include "app/InfoWindows.h"
#include "app/MassWindow.h"
#include "app/Startup.h"
#include "library/ui/AccessoryBrowser.h"
#include "platform/Product.h"
#include "platform/QtDialogService.h"
#include "settings/PreferenceStore.h"
#include "settings/ui/PreferencesDialog.h"
#include "testkit/PlanObjects.h"

#include <QPrintDialog>
#include <QPrinterInfo>

using document::Fill;
using document::ObjectKind;
using platform::MsgResult;
using settings::PreferenceStore;

namespace {

const QString kVehicle = QStringLiteral("Van_Fourgon_Dessus_XY_5000_.bmp"); // 2 px per cm
const QString kAccessory = QStringLiteral("Meuble_Evier_60_40_XY_.bmp");
constexpr QRgb kAccessoryColour = qRgb(0, 128, 0);
const QString kNoPrinter = QStringLiteral("Aucune imprimante n'est installée.");
const QString kSaveQuestion = QStringLiteral("Voulez-vous sauvegarder l'agencement actuel?");

const QString kPrinterName = QStringLiteral("Atelier A3");

// A printer that writes a PDF file and remembers what the print dialog chose.
struct FakePrinter : platform::PdfFilePrinter {
    const bool installed;
    std::optional<platform::PrintChoice>& used;
    FakePrinter(const QString& path, bool i, std::optional<platform::PrintChoice>& u)
        : PdfFilePrinter(path), installed(i), used(u) {}
    QString findPrinter() override { return installed ? QString() : kNoPrinter; }
    platform::PrintChoice proposedChoice() const override { return {kPrinterName, 1, {}}; }
    void useChoice(const platform::PrintChoice& choice) override { used = choice; }
};

// Optionally opened on a layout named on the command line by an awkward name, on a van
// whose sink weighs 20 kg.
struct Fixture : testkit::WindowFixture {
    bool printerInstalled = true;
    std::optional<platform::PrintChoice> printChoice; // what the printer was told to use

    // realDialogs, when given, asks the user instead of the script.
    explicit Fixture(bool withLayout, const document::ObjectTable& objects = {},
                     const QString& zoom = QStringLiteral("100"),
                     platform::DialogService* realDialogs = nullptr) {
        folder.addPicture(QStringLiteral("vehicules"), kVehicle, 1000, 500, qRgb(220, 220, 255));
        folder.addPicture(QStringLiteral("accessoires"), kAccessory, 60, 40, kAccessoryColour);
        addVanData();
        if (!files.writeFileSafely(folder.accessoires() + QStringLiteral("/masses.txt"),
                                   kAccessory.toUtf8() + " = 20\n"))
            qFatal("cannot write the library's masses");
        layoutName = QStringLiteral("\"d'été\"  plan \"v2.kla");
        makePrinter = [this] {
            return std::make_unique<FakePrinter>(printed(), printerInstalled, printChoice);
        };
        document::Layout layout;
        layout.vehicleFile = kVehicle;
        layout.objects = objects;
        layout.zoomText = zoom;
        withLayout ? openLayout(layout, realDialogs) : open(QString(), realDialogs);
    }

    // Saves through "Enregistrer" under that name; the bytes written.
    QByteArray save(const QString& name) {
        const QString path = folder.path() + QLatin1Char('/') + name;
        dialogs.saveAnswers.push_back({path, 1});
        form->menuBar()->findChild<QAction*>(QStringLiteral("mnusave"))->trigger();
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    const document::ObjectTable& table() { return form->editor().layout().objects; }
    const document::PlanObject& object(int r) { return table().row(r); }
    QString live() const { return control<QLabel>(QStringLiteral("StatusPosition"))->text(); }
    library::ui::AccessoryBrowser* browser() const {
        return form->findChild<library::ui::AccessoryBrowser*>(QStringLiteral("Form3"));
    }
    void pressInBrowser(const char* button) { // Command1_0 "Insérer", Command1_2 "Fermer"
        QTest::mouseClick(browser()->findChild<QWidget*>(QLatin1String(button)), Qt::LeftButton);
    }
    void activate() {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
};

// Samples installed with the program, and a library's files: "folder/file" -> contents.
const QStringList kSamples = {QStringLiteral("accessoires/Cuisine_Frigo_50_85_XZ_.gif"),
                              QStringLiteral("textures/Bois.bmp"),
                              QStringLiteral("vehicules/Fourgon_L1H1_Dessus_XY_5000_.jpg")};
using Files = QMap<QString, QByteArray>;

Files filesUnder(const QString& root) {
    Files files;
    const QDir base(root);
    for (const QString& folder : base.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (const QFileInfo& file : QDir(base.filePath(folder)).entryInfoList(QDir::Files)) {
            QFile f(file.filePath());
            if (f.open(QIODevice::ReadOnly))
                files.insert(folder + u'/' + file.fileName(), f.readAll());
        }
    return files;
}

// Runs answer once a modal window of type T is showing (polled, since one modal window
// may follow another).
template <typename T> void whenShown(std::function<void(T*)> answer) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->stop();
            poll->deleteLater();
            answer(window);
        }
    });
    poll->start(20);
}

// Accepts the scale dialog, once it shows, with its proposed choice.
void acceptScaleDialog() {
    whenShown<QDialog>([](QDialog* scale) {
        QTest::mouseClick(scale->findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
    });
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void controlsAreNamedAndEnabledOnceALayoutIsOpen() {
        Fixture f(false);
        const auto names = [](const char* s) { return QString::fromLatin1(s).split(' '); };
        const QStringList editing = names("HScroll1 VScroll1 Frame1 Frame2 Frame3 Frame4 Frame5 "
                                          "Frame6 Check2 Command1_0 Command1_5");
        const QStringList editingMenus = names("mnusave mnusaveim mnupdf mnuliste mnuprint "
                                               "mnuechelle mnurect mnumes mnutext mnucerc mnutri "
                                               "mnulig mnubib");
        for (bool open : {false, true}) {
            for (const QString& name : editing)
                QVERIFY2(f.control(name)->isEnabled() == open, qPrintable(name));
            for (const QString& name : editingMenus)
                QVERIFY2(f.action(name)->isEnabled() == open, qPrintable(name));
            for (const QString& name : names("mnupremier mnuarrp mnupivg mnupivd mnusuppr"))
                QVERIFY2(!f.action(name)->isEnabled(), qPrintable(name)); // need a selection
            QVERIFY(!f.control("Command2")->isEnabled());
            f.form->editor().enableEditing();
            f.form->refresh();
        }
        QStringList others = names("Picture1 Picture2 Command4_0 Command4_1 Command5_0 Command5_1 "
                                   "Command3_0 Command3_1 Text2 Text1_0 Text1_1 Check1 Label1 "
                                   "Image1 Couleur Combo1 Label2 Label3 Label4 Label5 List2 "
                                   "Command6_0 Command6_1 StatusBar1");
        for (int i = 0; i < 16; ++i)
            others << QStringLiteral("Choix_couleur_%1").arg(i)
                   << QStringLiteral("picCoin_%1").arg(i % 8)
                   << QStringLiteral("Command1_%1").arg(i % 6);
        for (const QString& name : others)
            f.control(name);
        for (const QString& name : names("mnunew mnuload mnuquit mnupref mnusurf mnuaccess "
                                         "mnuvehic mnuaide mnulic mnupropos mnuremer"))
            QVERIFY2(f.action(name), qPrintable(name));
        QCOMPARE(f.form->objectName(), QStringLiteral("Form1"));
        QCOMPARE(f.form->windowTitle(), QStringLiteral("Kestrion"));
    }

    // Pressed on the widget focused by a click on the plan; the turns turn the selected triangle.
    void menuShortcutsReachTheirCommands_data() {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<ObjectKind>("kind");
        QTest::addColumn<int>("turned"); // 0: nothing selected
        const auto row = [](const char* name, QKeyCombination keys, ObjectKind kind, int turned) {
            QTest::newRow(name) << QKeySequence(keys) << kind << turned;
        };
        row("Ctrl+R rectangle", Qt::CTRL | Qt::Key_R, ObjectKind::Rectangle, 0);
        row("Ctrl+M measure", Qt::CTRL | Qt::Key_M, ObjectKind::Measure, 0);
        row("Ctrl+X text", Qt::CTRL | Qt::Key_X, ObjectKind::Text, 0);
        row("Ctrl+E ellipse", Qt::CTRL | Qt::Key_E, ObjectKind::Ellipse, 0);
        row("Ctrl+T triangle", Qt::CTRL | Qt::Key_T, ObjectKind::Triangle, 0);
        row("Ctrl+L line", Qt::CTRL | Qt::Key_L, ObjectKind::Line, 0);
        row("Ctrl+B accessory", Qt::CTRL | Qt::Key_B, ObjectKind::Accessory, 0);
        row("Ctrl+G turns left", Qt::CTRL | Qt::Key_G, ObjectKind::Triangle, 1);
        row("Ctrl+D turns right", Qt::CTRL | Qt::Key_D, ObjectKind::Triangle, 3);
    }
    void menuShortcutsReachTheirCommands() {
        QFETCH(QKeySequence, keys);
        QFETCH(ObjectKind, kind);
        QFETCH(int, turned);
        Fixture f(true);
        f.activate();
        f.dialogs.inputAnswers.push_back(QStringLiteral("Évier"));
        if (turned)
            QTest::mouseClick(f.control("Command1_5"), Qt::LeftButton);
        QTest::mouseClick(f.control("Picture1"), Qt::LeftButton, {}, QPoint(15, 15));
        QCOMPARE(f.form->editor().hasSelection(), turned != 0);
        QTest::keySequence(QApplication::focusWidget(), keys);
        if (kind == ObjectKind::Accessory)
            f.pressInBrowser("Command1_0");
        if (turned)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(f.table().count(), 1);
        QCOMPARE(std::pair(f.object(1).kind, int(f.object(1).orientation.number())),
                 std::pair(kind, turned));
    }

    // The offscreen platform ignores size hints, so the window must enlarge itself again. Every
    // frame lies whole above the canvas, which shows the editor's surface.
    void windowSizePlacesEveryControl_data() {
        QTest::addColumn<QSize>("asked");
        QTest::newRow("one pixel short each way") << QSize(616, 403);
        QTest::newRow("larger") << QSize(900, 700);
    }
    void windowSizePlacesEveryControl() {
        QFETCH(QSize, asked);
        Fixture f(true);
        f.form->windowHandle()->resize(asked);
        QTRY_COMPARE(f.form->size(), asked.expandedTo(app::MainWindow::kMinimumSize));
        QWidget* area = f.form->centralWidget();
        QWidget* plan = f.control("Picture1");
        QTRY_COMPARE(plan->geometry(), QRect(8, 128, area->width() - 33, area->height() - 168));
        QCOMPARE(f.control("VScroll1")->x(), area->width() - 26);
        QCOMPARE(f.control("HScroll1")->y(), area->height() - 41);
        const QImage surface =
            f.form->editor().canvas().image().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(surface.size(), plan->size());
        QVERIFY(testkit::imagesMatch(plan->grab().toImage().convertToFormat(QImage::Format_RGB32),
                                     surface, QStringLiteral("main_window_canvas")));
        for (int i = 1; i <= 6; ++i) {
            QWidget* frame = f.control(QStringLiteral("Frame%1").arg(i));
            QVERIFY2(frame->isVisible(), qPrintable(frame->objectName()));
            QVERIFY2(area->rect().contains(frame->geometry()), qPrintable(frame->objectName()));
            QVERIFY2(!frame->geometry().intersects(plan->geometry()),
                     qPrintable(frame->objectName()));
        }
    }

    // Quitting asks to save only a modified layout: not after an object was selected, the
    // pointer passed over its box and away, and a click elsewhere put it back.
    void quitQuestion_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<bool>("hovered");
        QTest::addColumn<MsgResult>("answer");
        QTest::newRow("unchanged, by the menu: ends without asking")
            << false << false << MsgResult::Cancel;
        QTest::newRow("selection hovered and put back: ends without asking")
            << false << true << MsgResult::Cancel;
        QTest::newRow("Cancel keeps the window") << true << false << MsgResult::Cancel;
        QTest::newRow("No ends without saving") << true << false << MsgResult::No;
        QTest::newRow("Yes ends even when the save is cancelled")
            << true << false << MsgResult::Yes;
    }
    void quitQuestion() {
        QFETCH(bool, modified);
        QFETCH(bool, hovered);
        QFETCH(MsgResult, answer);
        document::ObjectTable objects;
        objects.append(testkit::planObject(ObjectKind::Rectangle, 100, 100, 10, 10));
        Fixture f(true, objects);
        if (modified)
            f.action(QStringLiteral("mnurect"))->trigger(); // a new rectangle
        if (hovered) {
            f.activate();
            QWidget* plan = f.control("Picture1");
            QWidget* box = f.control("Picture2");
            QTest::mouseClick(plan, Qt::LeftButton, {}, QPoint(110, 110));
            QVERIFY(box->isVisible());
            for (const QPoint at : {QPoint(2, 2), QPoint(10, 10), QPoint(18, 5)})
                QTest::mouseMove(box, at);
            QTest::mouseMove(plan, QPoint(300, 200));
            QTest::mouseClick(plan, Qt::LeftButton, {}, QPoint(300, 200));
            QVERIFY(!box->isVisible());
        }
        QCOMPARE(f.form->editor().isModified(), modified);
        f.dialogs.messageAnswers.push_back(answer);
        if (answer == MsgResult::Yes)
            f.dialogs.saveAnswers.push_back(platform::FileDialogResult{}); // the save cancelled
        modified || hovered ? void(f.form->close())
                            : f.action(QStringLiteral("mnuquit"))->trigger();
        QCOMPARE(f.form->isVisible(), modified && answer == MsgResult::Cancel);
        const QStringList saved{kSaveQuestion, QStringLiteral("Agencement non sauvegardé")};
        QCOMPARE(f.dialogs.messages(), saved.mid(0, int(modified) + int(answer == MsgResult::Yes)));
    }

    // The selected accessory is put back only once the output goes ahead, so that what is
    // written holds it. The scale dialog's portrait and zone (autozone on) are independent.
    void outputsPutTheSelectionBackOnlyWhenTheyGoAhead_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("goesAhead"); // a file is chosen, a printer is found
        QTest::addColumn<QString>("scale");  // chosen in the scale dialog; empty: none shown
        // The file dialog's filter, the message, or the printer the print dialog proposes.
        QTest::addColumn<QString>("asked");
        QTest::addColumn<int>("pages");
        QTest::addColumn<int>("copies"); // answered in the print dialog; 0: cancelled
        const QString picture = QStringLiteral("Format JPEG|*.jpg;*.jpe;*.jpeg|Format BMP|*.bmp");
        const QString pdf = QStringLiteral("Document PDF|*.pdf");
        const QString csv = QStringLiteral("Liste CSV|*.csv");
        const auto row = [](const char* name, const char* command, bool goesAhead,
                            const char* scale, const QString& asked, int pages, int copies = 1) {
            QTest::newRow(name) << QString::fromLatin1(command) << goesAhead
                                << QString::fromLatin1(scale) << asked << pages << copies;
        };
        row("picture export, file dialog cancelled", "mnusaveim", false, "", picture, 0);
        row("picture export", "mnusaveim", true, "", picture, 0);
        row("print", "mnuprint", true, "", "", 1);
        row("PDF, scale dialog cancelled: no file asked", "mnupdf", false, "1:20", "", 0);
        row("PDF at 1:50 on A4: one page", "mnupdf", true, "1:50", pdf, 1);
        row("true-scale print without a printer", "mnuechelle", false, "1:10", kNoPrinter, 0);
        row("true-scale print, print dialog cancelled", "mnuechelle", false, "1:10", kPrinterName,
            0, 0);
        row("true-scale print at 1:10 in 2 copies: the van on 3 sheets", "mnuechelle", true, "1:10",
            kPrinterName, 3, 2);
        row("parts list", "mnuliste", true, "", csv, 0);
    }
    void outputsPutTheSelectionBackOnlyWhenTheyGoAhead() {
        QFETCH(QString, command);
        QFETCH(bool, goesAhead);
        QFETCH(QString, scale);
        QFETCH(QString, asked);
        QFETCH(int, pages);
        QFETCH(int, copies);
        document::ObjectTable objects; // turned by half: 120 x 80 pixels
        objects.append(testkit::planObject(ObjectKind::Accessory, 40, 30, 40, 60,
                                           Fill::file(kAccessory), false, 2));
        Fixture f(true, objects);
        const bool printing =
            command.endsWith(QLatin1String("print")) || command == QLatin1String("mnuechelle");
        f.printerInstalled = asked != kNoPrinter;
        f.dialogs.printAnswers.push_back(
            copies > 0 ? testkit::ScriptedDialogService::PrintAnswer{true, copies}
                       : testkit::ScriptedDialogService::PrintAnswer::cancel());
        if (scale.isEmpty()) { // the picture is the whole canvas
            settings::Preferences prefs = f.form->editor().preferences();
            prefs.automaticZone = false;
            f.form->editor().setPreferences(prefs);
        }
        QTest::mouseClick(f.control("Picture1"), Qt::LeftButton, {}, QPoint(100, 70));
        QCOMPARE(f.control("Picture2")->geometry(), QRect(40, 30, 120, 80));
        const QString file = f.folder.path() + "/output." +
                             QHash<QString, QString>{{"mnuliste", "csv"}, {"mnupdf", "pdf"}}.value(
                                 command, QStringLiteral("bmp"));
        if (goesAhead)
            f.dialogs.saveAnswers.push_back({file, command == QLatin1String("mnusaveim") ? 2 : 1});
        else
            f.dialogs.saveAnswers.push_back(platform::FileDialogResult{}); // a cancel, if asked
        bool answered = false;
        if (!scale.isEmpty())
            QTimer::singleShot(0, [&] {
                auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                QVERIFY(dialog->objectName() == QLatin1String("ScaleDialog"));
                answered = true;
                const auto option = [&](const char* name) {
                    return dialog->findChild<QRadioButton*>(QLatin1String(name));
                };
                QVERIFY(option("optPortrait")->isChecked());
                QVERIFY(option("optZone")->isChecked());
                auto* scales = dialog->findChild<QComboBox*>(QStringLiteral("cboEchelle"));
                scales->setCurrentIndex(scales->findText(scale));
                option("optPlanEntier")->setChecked(true); // the whole van, not just its drawn part
                QVERIFY(option("optPortrait")->isChecked());
                QVERIFY(!option("optZone")->isChecked());
                const bool ok = goesAhead || printing;
                QTest::mouseClick(dialog->findChild<QPushButton*>(
                                      ok ? QStringLiteral("cmdOK") : QStringLiteral("cmdAnnuler")),
                                  Qt::LeftButton);
            });
        f.action(command)->trigger();
        QCOMPARE(answered, !scale.isEmpty());

        QCOMPARE(f.control("Picture2")->isVisible(), !goesAhead);
        QCOMPARE(f.table().count(), goesAhead ? 1 : 0);
        QCOMPARE(f.dialogs.asked.size(), std::size_t(asked.isEmpty() ? 0 : 1));
        QCOMPARE(asked.isEmpty() ? asked : f.dialogs.asked.front().text, asked);
        if (asked == kPrinterName) {
            QVERIFY(f.dialogs.asked.front().kind == testkit::ScriptedDialogService::Kind::Print);
            // The choice reaches the printer only when the user goes ahead.
            QCOMPARE(f.printChoice.has_value(), goesAhead);
            if (goesAhead)
                QCOMPARE(*f.printChoice, (platform::PrintChoice{kPrinterName, copies, {}}));
        }
        const QByteArray written = f.files.readFile(printing ? f.printed() : file).value_or("");
        QCOMPARE(written.isEmpty(), !goesAhead);
        if (command == QLatin1String("mnusaveim") && goesAhead)
            QCOMPARE(QImage::fromData(written).pixel(100, 70), kAccessoryColour);
        if (command == QLatin1String("mnuliste") && goesAhead) {
            QVERIFY2(written.startsWith("\xEF\xBB\xBFN\xC2\xB0;Type;"), written.constData());
            QVERIFY2(written.contains("\r\n1;Accessoire;"), written.constData());
        }
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
        if (pages)
            QCOMPARE(QString::fromLatin1(written).count(page), pages);
    }

    // The copies typed into the real print dialog reach the printer; its cancel prints nothing.
    void realPrintDialogChoosesTheCopies_data() {
        QTest::addColumn<bool>("accepted");
        QTest::newRow("three copies, printed") << true;
        QTest::newRow("cancelled") << false;
    }
    void realPrintDialogChoosesTheCopies() {
        QFETCH(bool, accepted);
        if (QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("No printer is installed: the program shows no print dialog then.");
        platform::QtDialogService real;
        Fixture f(true, {}, QStringLiteral("100"), &real);
        real.setParent(f.form.get());
        acceptScaleDialog();
        bool shown = false;
        whenShown<QPrintDialog>([&](QPrintDialog* dialog) {
            shown = true;
            auto* copies = dialog->findChild<QSpinBox*>(QStringLiteral("copies"));
            QVERIFY(copies);
            copies->setValue(3);
            auto* buttons = dialog->findChild<QDialogButtonBox*>();
            QVERIFY(buttons);
            if (accepted)
                buttons->button(QDialogButtonBox::Ok)->click();
            else
                buttons->button(QDialogButtonBox::Cancel)->click();
        });
        f.action(QStringLiteral("mnuechelle"))->trigger();
        QVERIFY(shown);
        QCOMPARE(f.printChoice.has_value(), accepted);
        if (accepted)
            QCOMPARE(f.printChoice->copies, 3);
        QCOMPARE(QFileInfo::exists(f.printed()), accepted);
    }

    // A print dialog the test did not answer fails the test, and nothing is printed.
    void anUnansweredPrintDialogFailsTheTest() {
        Fixture f(true);
        acceptScaleDialog();
        QEXPECT_FAIL("", "the print dialog is not answered on purpose", Continue);
        f.action(QStringLiteral("mnuechelle"))->trigger();
        QCOMPARE(f.dialogs.asked.size(), std::size_t(1));
        QVERIFY(f.dialogs.asked.front().kind == testkit::ScriptedDialogService::Kind::Print);
        QVERIFY(!f.printChoice);
        QVERIFY(!QFileInfo::exists(f.printed()));
    }

    // "Ajouter les exemples manquants" copies the samples the library lacks and says how
    // many; no file of the user's is replaced or deleted, and the samples are only read.
    void missingSamplesAreAdded_data() {
        QTest::addColumn<Files>("user");      // the user's files beside the window's own
        QTest::addColumn<QString>("blocked"); // a folder a plain file stands in for
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QString>("message");
        const Files none;
        const QString several = QStringLiteral("%1 exemples ont été ajoutés à la bibliothèque.");
        QTest::newRow("every sample missing") << none << QString() << kSamples << several.arg(3);
        QTest::newRow("the user's version of a sample is kept")
            << Files{{kSamples[1], "mine"}} << QString() << QStringList{kSamples[0], kSamples[2]}
            << several.arg(2);
        QTest::newRow("a name in another case counts as there")
            << Files{{QStringLiteral("textures/BOIS.BMP"), "mine"}} << QString()
            << QStringList{kSamples[0], kSamples[2]} << several.arg(2);
        QTest::newRow("one missing") << Files{{kSamples[0], "a"}, {kSamples[1], "b"}} << QString()
                                     << QStringList{kSamples[2]}
                                     << QStringLiteral("1 exemple a été ajouté à la bibliothèque.");
        QTest::newRow("a folder that cannot be made is reported")
            << none << QStringLiteral("textures") << QStringList{kSamples[0], kSamples[2]}
            << several.arg(2) +
                   QStringLiteral("\n\nCes exemples n'ont pas pu être copiés (dossier protégé "
                                  "ou disque plein) :\ntextures/Bois.bmp");
    }
    void missingSamplesAreAdded() {
        QFETCH(Files, user);
        QFETCH(QString, blocked);
        QFETCH(QStringList, added);
        QFETCH(QString, message);
        Fixture f(false);
        for (const QString& file : kSamples)
            QVERIFY(
                f.files.writeFileSafely(f.samples.path() + '/' + file, "sample " + file.toUtf8()));
        for (auto it = user.cbegin(); it != user.cend(); ++it)
            QVERIFY(f.files.writeFileSafely(f.folder.path() + '/' + it.key(), it.value()));
        if (!blocked.isEmpty()) {
            QVERIFY(QDir(f.folder.path() + '/' + blocked).removeRecursively());
            QVERIFY(f.files.writeFileSafely(f.folder.path() + '/' + blocked, "not a folder"));
        }
        Files expected = filesUnder(f.folder.path());
        for (const QString& file : added)
            expected.insert(file, "sample " + file.toUtf8());
        f.action(QStringLiteral("mnuexemples"))->trigger();
        QCOMPARE(f.dialogs.lastMessage().text, message);
        QCOMPARE(filesUnder(f.folder.path()), expected);
        QCOMPARE(filesUnder(f.samples.path()).size(), kSamples.size());
        if (!blocked.isEmpty())
            return;
        f.action(QStringLiteral("mnuexemples"))->trigger();
        QCOMPARE(f.dialogs.lastMessage().text,
                 QStringLiteral("La bibliothèque contient déjà tous les exemples."));
    }

    // The PDF and parts-list save dialogs propose the layout's name in its folder and add
    // the extension to a bare name, through the real file dialog.
    void outputSaveDialogsProposeAndComplete_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("typed");   // empty: the proposed name is kept
        QTest::addColumn<QString>("written"); // in the layout's folder
        QTest::newRow("PDF, bare name") << "mnupdf"
                                        << "sortie"
                                        << "sortie.pdf";
        QTest::newRow("PDF, proposed name") << "mnupdf"
                                            << ""
                                            << "d'été  plan v2.pdf";
        QTest::newRow("parts list, bare name") << "mnuliste"
                                               << "liste"
                                               << "liste.csv";
        QTest::newRow("parts list, own extension") << "mnuliste"
                                                   << "liste.txt"
                                                   << "liste.txt";
    }
    void outputSaveDialogsProposeAndComplete() {
        QFETCH(QString, command);
        QFETCH(QString, typed);
        QFETCH(QString, written);
        platform::QtDialogService real;
        Fixture f(true, {}, QStringLiteral("100"), &real);
        real.setParent(f.form.get());
        if (command == QLatin1String("mnupdf"))
            acceptScaleDialog();
        QString folderShown, nameShown;
        whenShown<QFileDialog>([&](QFileDialog* dialog) {
            folderShown = dialog->directory().absolutePath();
            auto* box = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            nameShown = box->text();
            if (!typed.isEmpty()) {
                // Typed as a user types, into the name box holding the focus: the dialog
                // follows the box's text only while the box has it.
                QApplication::setActiveWindow(dialog);
                box->setFocus();
                QTRY_VERIFY(box->hasFocus());
                QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
                QTest::keyClicks(box, typed);
            }
            // The button follows the folder's listing, which the dialog reads in the background.
            QAbstractButton* save =
                dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"))
                    ->button(QDialogButtonBox::Save);
            QTRY_VERIFY(save->isEnabled());
            save->click();
        });
        f.action(command)->trigger();
        QCOMPARE(folderShown, QDir(f.folder.path()).absolutePath());
        // The layout's name, without the double quotes the dialog would take apart.
        QCOMPARE(nameShown, QFileInfo(f.layoutPath()).completeBaseName().remove('"') +
                                (command == QLatin1String("mnupdf") ? ".pdf" : ".csv"));
        const QStringList outputs =
            QDir(f.folder.path()).entryList({"sortie*", "liste*", "*.pdf", "*.csv"}, QDir::Files);
        QCOMPARE(outputs, QStringList{written});
        QVERIFY(QFileInfo(f.folder.path() + '/' + written).size() > 0);
    }

    // Buttons that show only a picture tell a screen reader and a tooltip what they do,
    // in the words of their status help.
    void iconButtonsAreNamed_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("words");
        QTest::addColumn<bool>("statusHelp"); // the status bar says the same on hover
        const auto row = [](const char* button, const char* words, bool statusHelp = true) {
            QTest::newRow(button) << QString::fromLatin1(button) << QString::fromUtf8(words)
                                  << statusHelp;
        };
        row("Command1_1", "Dessiner un rectangle");
        row("Command1_0", "Prendre une mesure");
        row("Command1_3", "Ecrire du texte");
        row("Command1_4", "Dessiner une ligne");
        row("Check2", "Ouvrir la bibliothèque d'accessoires");
        row("Command4_0", "Mettre au premier plan");
        row("Command4_1", "Envoyer à l'arrière-plan");
        row("Command5_0", "Pivoter à droite");
        row("Command5_1", "Pivoter à gauche");
        row("Command2", "Supprimer");
        row("Command3_0", "Zoom arrière", false);
        row("Command3_1", "Zoom avant", false);
        row("Command6_0", "Ajouter cette surface au décompte");
        row("Command6_1", "Retirer les surfaces choisies du décompte", false);
    }
    void iconButtonsAreNamed() {
        QFETCH(QString, button);
        QFETCH(QString, words);
        QFETCH(bool, statusHelp);
        Fixture f(true);
        auto* widget = f.control<QAbstractButton>(button);
        QCOMPARE(widget->toolTip(), words);
        QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
        QVERIFY(accessible);
        QVERIFY(!accessible->text(QAccessible::Name).isEmpty());
        if (button != QLatin1String("Check2"))
            QCOMPARE(accessible->text(QAccessible::Name), words);
        if (!statusHelp)
            return;
        QTest::mouseMove(widget, QPoint(3, 3));
        QCOMPARE(f.control<QStatusBar>("StatusBar1")->currentMessage(), words);
    }

    // A size read from a file shows as stored, with the locale's separator, in the size
    // boxes, the status bar and the parts list.
    void storedSizesShowWithoutFloatNoise() {
        document::ObjectTable objects;
        objects.append(testkit::planObject(ObjectKind::Rectangle, 20, 20, 200.3f, 30.6f));
        Fixture f(true, objects);
        // The list first: putting a clicked object back stores the sizes its boxes hold.
        const QString csv = f.folder.path() + QStringLiteral("/liste.csv");
        f.dialogs.saveAnswers.push_back({csv, 1});
        f.action("mnuliste")->trigger();
        QVERIFY2(f.files.readFile(csv).value_or("").contains("\r\n1;Rectangle;Noir;30,6;200,3;"),
                 f.files.readFile(csv).value_or("").constData());
        QTest::mouseClick(f.control("Picture1"), Qt::LeftButton, {}, QPoint(30, 30));
        QVERIFY(f.control("Picture2")->isVisible());
        QCOMPARE(f.control<QLineEdit>("Text1_0")->text(), QStringLiteral("30,6"));
        QCOMPARE(f.control<QLineEdit>("Text1_1")->text(), QStringLiteral("200,3"));
        QCOMPARE(f.live(), QStringLiteral("x 10 cm  y 10 cm  —  30,6 × 200,3 cm"));
    }

    // The live field at the right of the status bar follows each step; the accessory browser
    // follows its toggle and menu entry.
    void editingFlowsThroughTheWidgets() {
        Fixture f(true);
        QWidget* plan = f.control("Picture1");
        QWidget* box = f.control("Picture2");
        QTest::mouseClick(f.control("Command1_1"), Qt::LeftButton);
        QTest::mouseClick(plan, Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(box->geometry(), QRect(10, 10, 100, 100));
        QVERIFY(f.table().count() == 0);
        QVERIFY(f.control("Command2")->isEnabled());
        QCOMPARE(f.live(), QStringLiteral("x 5 cm  y 5 cm  —  50 × 50 cm"));
        QTest::mousePress(box, Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseMove(box, QPoint(40, 30));
        QCOMPARE(f.live(), QStringLiteral("x 25 cm  y 20 cm")); // the pointer, over the plan
        QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(40, 30));
        QCOMPARE(f.control<QStatusBar>("StatusBar1")->currentMessage(),
                 QStringLiteral("Vous pouvez déplacer l'objet (Souris ou flèches)"));
        QWidget* corner = f.control("picCoin_4");
        QTest::mousePress(corner, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseMove(corner, QPoint(9, 5));
        QTest::mouseRelease(corner, Qt::LeftButton, {}, QPoint(9, 5));
        QEvent leave(QEvent::Leave); // elsewhere, the field shows the selection
        QApplication::sendEvent(plan, &leave);
        QCOMPARE(box->size(), QSize(107, 103));
        QCOMPARE(f.live(), QStringLiteral("x 15 cm  y 10 cm  —  54 × 52 cm"));
        // Focus selects all, only digits and Backspace pass, Enter applies.
        auto* width = f.control<QLineEdit>("Text1_0");
        f.form->activateWindow();
        width->setFocus();
        QTRY_COMPARE(width->selectedText(), QStringLiteral("54"));
        QTest::keyClicks(width, QStringLiteral("8x,-9"));
        QTest::sendKeyEvent(QTest::Click, width, Qt::Key_3, QString(QChar(0x0663)), {}); // Arabic
        QTest::keyClick(width, Qt::Key_Backspace);
        QTest::keyClicks(width, QStringLiteral("0"));
        QTest::keyClick(width, Qt::Key_Return);
        QCOMPARE(width->text(), QStringLiteral("80"));
        QCOMPARE(box->width(), 160);
        QCOMPARE(f.live(), QStringLiteral("x 15 cm  y 10 cm  —  80 × 52 cm"));
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(f.object(1).position == (document::PlanPoint{30, 20}));
        QCOMPARE(f.object(1).widthCm, 80.f);
        QCOMPARE(f.live(), QString());
        // Arrow keys go to whichever widget the selecting click focused; 10 pixels stay shown.
        QTest::mouseClick(plan, Qt::LeftButton, {}, QPoint(50, 50));
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused == plan || focused == box);
        const QSize canvas = f.form->editor().canvas().image().size();
        const int right = canvas.width() - 10, bottom = canvas.height() - 10;
        for (const auto& [key, end] : {std::pair{Qt::Key_Left, QPoint(-150, 20)},
                                       {Qt::Key_Up, QPoint(-150, -94)},
                                       {Qt::Key_Right, QPoint(right, -94)},
                                       {Qt::Key_Down, QPoint(right, bottom)}}) {
            for (int i = 0; i < canvas.width() + canvas.height(); ++i)
                QTest::keyClick(focused, key);
            QCOMPARE(box->geometry(), QRect(end, QSize(160, 104)));
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(f.object(1).position == (document::PlanPoint{float(right), float(bottom)}));
        QVERIFY(!box->isVisible());
        QVERIFY(!f.control("Command2")->isEnabled());
        QVERIFY(f.form->editor().isModified());
        auto* zoom = f.control<QLineEdit>("Text2");
        zoom->setFocus();
        // The box selects its text once it has the focus; the keys typed after replace it.
        QCoreApplication::processEvents();
        QVERIFY(zoom->hasSelectedText());
        QTest::keyClicks(zoom, QStringLiteral("2000"));
        QCOMPARE(zoom->text(), QStringLiteral("1600"));
        QCOMPARE(f.form->editor().view().view.zoom, 16.f);
        // Hiding the browser from the menu keeps the chosen accessory; its "Fermer" forgets it.
        auto* toggle = f.control<QToolButton>("Check2");
        QAction* menu = f.action(QStringLiteral("mnubib"));
        const auto shown = [&](bool visible) {
            auto* browser = f.browser();
            return browser && browser->isVisible() == visible && toggle->isChecked() == visible &&
                   menu->isChecked() == visible;
        };
        const QString& chosen = f.form->editor().nextObject().accessoryFile;
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(shown(true));
        f.pressInBrowser("Command1_0");
        QVERIFY(shown(true));
        QVERIFY(chosen == kAccessory);
        menu->trigger();
        QVERIFY(shown(false));
        QVERIFY(chosen == kAccessory);
        menu->trigger();
        f.pressInBrowser("Command1_2");
        QVERIFY(shown(false));
        QVERIFY(chosen.isEmpty());
    }

    // The mass window follows the plan: the accessory inserted from the browser weighs what
    // the library says, dragging it from the front axle to midway shares its load between
    // the axles while the drag goes on, and the mass box weighs a rectangle in one step.
    void massWindowFollowsTheAccessory() {
        Fixture f(true);
        QTest::mouseClick(f.control<QToolButton>("Check2"), Qt::LeftButton);
        f.pressInBrowser("Command1_0");
        QCOMPARE(f.object(1).massKg, 20.f);
        QTest::mouseClick(f.control("Command6_2"), Qt::LeftButton);
        app::MassWindow* masses = f.form->massWindow();
        QVERIFY(masses && masses->isVisible());
        const auto figures = [masses] {
            QStringList texts;
            for (int k = 0; k < app::MassWindow::kFigures; ++k)
                texts << masses->figure(k)->text();
            return texts;
        };
        // The sink's middle, 5 + 30 cm from the left edge, is on the front axle.
        QCOMPARE(figures(),
                 QStringList({"20 kg", "1820 kg / 3000 kg", "1020 kg / 1500 kg", "800 kg / 1600 kg",
                              "1180 kg", "131,9 cm en arrière de l'essieu avant"}));
        QWidget* box = f.control("Picture2");
        QTest::mouseClick(f.control("Picture1"), Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(box->isVisible());
        QTest::mousePress(box, Qt::LeftButton, {}, QPoint(10, 10));
        QTest::mouseMove(box, QPoint(310, 10));
        QCOMPARE(figures().mid(2, 2), QStringList({"1010 kg / 1500 kg", "810 kg / 1600 kg"}));
        QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(310, 10));
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(figures().mid(2, 2), QStringList({"1010 kg / 1500 kg", "810 kg / 1600 kg"}));

        QTest::mouseClick(f.control("Command1_1"), Qt::LeftButton); // a rectangle
        QTest::mouseClick(f.control("Picture1"), Qt::LeftButton, {}, QPoint(30, 30));
        QVERIFY(box->isVisible());
        QCOMPARE(masses->findChild<QListWidget*>("masse_inconnue")->count(), 1);
        auto* mass = f.control<QLineEdit>("masse");
        QVERIFY(mass->isEnabled() && mass->text().isEmpty());
        mass->setFocus();
        QTest::keyClicks(mass, QStringLiteral("1400"));
        QTest::keyClick(mass, Qt::Key_Return);
        QCOMPARE(f.form->menuBar()->findChild<QAction*>(QStringLiteral("mnuannuler"))->text(),
                 QStringLiteral("A&nnuler la masse"));
        QCOMPARE(masses->findChild<QListWidget*>("masse_inconnue")->count(), 0);
        QCOMPARE(masses->figure(1)->text(),
                 QStringLiteral("3220 kg / 3000 kg  — dépassement de 220 kg"));
        QVERIFY(masses->figure(1)->styleSheet().contains(QStringLiteral("color")));
    }

    // Arrows, a mouse drag and a deletion on an object at a fractional place, taken back
    // with Ctrl+Z typed where the focus is, the menu entries naming each step: saving gives
    // the opened file byte for byte, the redo steps stay, and Ctrl+Y or Ctrl+Shift+Z then
    // saves the edited file.
    void undoAllThroughTheShortcutsSavesTheOpenedFile_data() {
        QTest::addColumn<QString>("zoom");
        QTest::addColumn<QKeySequence>("redoKeys");
        const QKeySequence y(Qt::CTRL | Qt::Key_Y), shiftZ(Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        QTest::newRow("10 %, Ctrl+Y") << "10" << y;
        QTest::newRow("37 %, Ctrl+Shift+Z") << "37" << shiftZ;
        QTest::newRow("100 %, Ctrl+Y") << "100" << y;
        QTest::newRow("1600 %, Ctrl+Shift+Z") << "1600" << shiftZ;
    }
    void undoAllThroughTheShortcutsSavesTheOpenedFile() {
        QFETCH(QString, zoom);
        QFETCH(QKeySequence, redoKeys);
        document::ObjectTable objects;
        objects.append(testkit::planObject(ObjectKind::Rectangle, 10.3f, 5.7f, 10, 20));
        objects.append(testkit::planObject(ObjectKind::Measure, 600.5f, 300.25f, 10, 40));
        Fixture f(true, objects, zoom);
        QFile file(f.layoutPath());
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray opened = file.readAll();
        f.activate();
        QAction* undo = f.action(QStringLiteral("mnuannuler"));
        QAction* redo = f.action(QStringLiteral("mnuretablir"));
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        const float z = zoom.toFloat() / 100;
        QTest::mouseClick(f.control("Picture1"), Qt::LeftButton, {},
                          QPoint(int(10.3f * z) + 1, int(5.7f * z) + 1));
        QWidget* box = f.control("Picture2");
        QVERIFY(box->isVisible());
        const auto type = [](const QKeySequence& keys) {
            QTest::keySequence(QApplication::focusWidget(), keys);
        };
        for (int i = 0; i < 3; ++i)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
        QCOMPARE(undo->text(), QStringLiteral("A&nnuler le déplacement"));
        QTest::mousePress(box, Qt::LeftButton, {}, QPoint(1, 1));
        QTest::mouseMove(box, QPoint(9, 6));
        QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(9, 6));
        const QRect dragged = box->geometry();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Delete);
        QCOMPARE(f.table().count(), 1);
        QCOMPARE(undo->text(), QStringLiteral("A&nnuler la suppression"));
        const QByteArray edited = f.save(QStringLiteral("edited.kla"));
        QVERIFY(edited != opened);

        type(QKeySequence(Qt::CTRL | Qt::Key_Z));
        QVERIFY(box->isVisible());
        QCOMPARE(box->geometry(), dragged);
        QCOMPARE(redo->text(), QStringLiteral("&Rétablir la suppression"));
        while (undo->isEnabled())
            type(QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(f.save(QStringLiteral("undone.kla")), opened);
        QVERIFY(redo->isEnabled());
        while (redo->isEnabled())
            type(redoKeys);
        QCOMPARE(f.save(QStringLiteral("redone.kla")), edited);
    }

    // Ctrl+Z and Ctrl+Y typed while the mouse holds the selection box leave the arrow step
    // before the drag alone; the drag is one step once the button is released.
    void undoWhileTheBoxIsHeldDoesNothing() {
        document::ObjectTable objects;
        objects.append(testkit::planObject(ObjectKind::Rectangle, 100, 100, 10, 10));
        objects.append(testkit::planObject(ObjectKind::Rectangle, 300, 200, 10, 10));
        Fixture f(true, objects);
        f.activate();
        QWidget* box = f.control("Picture2");
        QAction* undo = f.form->menuBar()->findChild<QAction*>(QStringLiteral("mnuannuler"));
        QTest::mouseClick(f.control("Picture1"), Qt::LeftButton, {}, QPoint(110, 110));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
        QTest::mousePress(box, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseMove(box, QPoint(15, 5));
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_Y));
        QVERIFY(box->isVisible());
        QCOMPARE(box->geometry().topLeft(), QPoint(110, 101));
        QTest::mouseMove(box, QPoint(15, 5)); // in the box's pixels: 10 further right
        QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(15, 5));
        QCOMPARE(box->geometry().topLeft(), QPoint(120, 101));
        QCOMPARE(f.form->editor().history().stepCount(), std::size_t(2));
        QCOMPARE(undo->text(), QStringLiteral("A&nnuler le déplacement"));
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_Z));
        QCOMPARE(box->geometry().topLeft(), QPoint(100, 101));
        QVERIFY(f.object(2).position == (document::PlanPoint{300, 200}));
    }

    // OK keeps the line width, in range, everywhere; "Par défaut" then "Annuler" keeps 5.
    void preferences_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("kept");
        QTest::newRow("empty box gives the default 2") << "" << true << "2";
        QTest::newRow("digits past any integer: 100") << "99999999999999999999" << true << "100";
        QTest::newRow("defaults, then cancel") << "250" << false << "5";
    }
    void preferences() {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(QString, kept);
        Fixture f(false);
        auto& pref = f.form->preferencesDialog();
        auto* width = pref.findChild<QLineEdit*>(QStringLiteral("Text1"));
        width->setText(QStringLiteral("5"));
        pref.accept();
        width->setText(typed);
        pref.findChild<QCheckBox*>(QStringLiteral("Check2"))->setChecked(true);
        if (!ok) {
            pref.restoreDefaults();
            QCOMPARE(pref.shownValues(), settings::Preferences::defaults());
        }
        ok ? pref.accept() : pref.reject();
        QVERIFY(!pref.isVisible());
        QVERIFY(f.dialogs.asked.empty());
        const settings::Preferences& used = f.form->editor().preferences();
        for (const QString& lineWidth : {pref.shownValues().lineWidth, used.lineWidth,
                                         f.store.values.value(PreferenceStore::key("larlig"))})
            QCOMPARE(lineWidth, kept);
        QVERIFY(used.clickBringsToFront == ok);
        QVERIFY(pref.shownValues().clickBringsToFront == ok);
    }

    void infoWindows() {
        const QString text = app::helpText();
        QVERIFY(!text.contains(QRegularExpression(QStringLiteral("\r(?!\n)|(?<!\r)\n"))));
        QVERIFY(text.startsWith(QStringLiteral("AVANT DE COMMENCER\r\n")));
        QVERIFY(text.endsWith('\n'));
        const QStringList lines = text.split(QStringLiteral("\r\n")).mid(0, text.count('\n'));
        app::HelpWindow help;
        const QString shown =
            help.findChild<QPlainTextEdit*>(QStringLiteral("Text1"))->toPlainText();
        QCOMPARE(shown.split('\n').mid(0, lines.size()), lines);
        QCoreApplication::setApplicationVersion(QStringLiteral("1.02.0001"));
        for (int opening = 0; opening < 2; ++opening) {
            app::AboutDialog about;
            QCOMPARE(about.windowTitle(), QStringLiteral("À propos de Kestrion"));
            for (const auto& [name, text] : std::initializer_list<std::pair<const char*, QString>>{
                     {"lblTitle", QStringLiteral("Kestrion")},
                     {"lblVersion", QStringLiteral("Version : 1.2.1")}, // no leading zeros
                     {"lblDescription", QStringLiteral("Auteur : ") + platform::kAuthor +
                                            QStringLiteral("\r\rConcevez facilement les plans de "
                                                           "votre véhicule aménagé!")},
                     {"Label1", platform::kSiteHost}})
                QCOMPARE(about.findChild<QLabel*>(QLatin1String(name))->text(), text);
        }
    }

    // The desktop finds the window's entry by its id, and its icon at each theme size.
    void windowBelongsToTheInstalledDesktopEntry() {
        app::nameApplication();
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("kestrion"));
        Fixture f(false);
        const QList<QSize> sizes = f.form->windowIcon().availableSizes();
        for (const int size : {16, 32, 48, 64, 128, 256})
            QVERIFY2(sizes.contains(QSize(size, size)), qPrintable(QString::number(size)));
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
