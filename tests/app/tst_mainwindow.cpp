// Guards the main window as a shell over the editor (control and menu names, enabling, the
// canvas geometry, the quit question, the layout named on the command line, export and
// printing of a selection, editing flows driven with the mouse and the keyboard) and the
// windows it opens: preferences, help and About, the scale dialog; the workshop outputs
// from the menus and the selection's live place and size in cm.
#include "app/InfoWindows.h"
#include "app/MainWindow.h"
#include "app/Startup.h"
#include "document/LayoutFile.h"
#include "library/ui/AccessoryBrowser.h"
#include "platform/FileSystem.h"
#include "platform/Product.h"
#include "platform/ScriptedDialogService.h"
#include "platform/SettingsStore.h"
#include "settings/PreferenceStore.h"
#include "settings/ui/PreferencesDialog.h"
#include "testkit/PlanObjects.h"
#include "testkit/TestKit.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWindow>
#include <QtTest>

using document::Fill;
using document::ObjectKind;

#include <functional>
#include <memory>

using document::ObjectKind;
using platform::MsgResult;
using platform::ScriptedDialogService;

namespace {

const QString kVehicle = QStringLiteral("Van_Fourgon_Dessus_XY_5000_.bmp"); // 2 px per cm
const QString kAccessory = QStringLiteral("Meuble_Evier_60_40_XY_.bmp");
constexpr QRgb kVehicleColour = qRgb(220, 220, 255);
constexpr QRgb kAccessoryColour = qRgb(0, 128, 0);

// The printer the window is given: it keeps the pages in the fixture's list, or finds no
// printer installed.
struct FakePrinter : platform::Printer {
    const bool& installed;
    QList<QImage>& pages;
    QList<QByteArray>& documents; // true-scale prints, as PDF
    FakePrinter(const bool& i, QList<QImage>& p, QList<QByteArray>& d)
        : installed(i), pages(p), documents(d) {}
    QString findPrinter() override {
        return installed ? QString() : QStringLiteral("Aucune imprimante n'est installée.");
    }
    QString printPicture(const QImage& picture) override {
        pages.append(picture);
        return {};
    }
    QString printPages(const QPageLayout& layout, const platform::PagePainter& paint) override {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        {
            QPdfWriter writer(&buffer);
            writer.setPageLayout(layout);
            if (!paint(writer))
                return QStringLiteral("failed");
        }
        documents.append(buffer.data());
        return {};
    }
};

// Empty when every pixel of the box has the inside colour and every pixel of the one-pixel
// ring around it the outside colour.
QString boxProblem(const QImage& image, const QRect& box, QRgb inside, QRgb outside) {
    const QRect ring = box.adjusted(-1, -1, 1, 1);
    for (int y = ring.top(); y <= ring.bottom(); ++y)
        for (int x = ring.left(); x <= ring.right(); ++x) {
            const QRgb wanted = box.contains(x, y) ? inside : outside;
            if ((image.pixel(x, y) & 0xFFFFFF) != (wanted & 0xFFFFFF))
                return QStringLiteral("pixel %1,%2 is %3")
                    .arg(x)
                    .arg(y)
                    .arg(image.pixel(x, y) & 0xFFFFFF, 6, 16, QLatin1Char('0'));
        }
    return {};
}

// The main window with scripted dialogs, an in-memory store and a fake printer over a program
// folder with one vehicle view and one accessory, optionally opened on a layout of it (holding
// the given objects) named on the command line.
struct Fixture {
    testkit::ProgramFolder folder;
    QTemporaryDir home;
    ScriptedDialogService dialogs;
    platform::MemoryStore store;
    platform::FileSystem files;
    bool printerInstalled = true;
    QList<QImage> printedPages;
    QList<QByteArray> printedDocuments;
    std::unique_ptr<app::MainWindow> form;

    explicit Fixture(bool withLayout, const QString& layoutName = QStringLiteral("essai.kla"),
                     const document::ObjectTable& objects = {}) {
        folder.addPicture(QStringLiteral("vehicules"), kVehicle, 1000, 500, kVehicleColour);
        folder.addPicture(QStringLiteral("accessoires"), kAccessory, 60, 40, kAccessoryColour);
        QStringList arguments;
        if (withLayout) {
            document::Layout layout;
            layout.vehicleFile = kVehicle;
            layout.objects = objects;
            const QString path = folder.path() + QLatin1Char('/') + layoutName;
            if (!document::writeLayoutFile(path, layout, QLocale(), files))
                qFatal("cannot write the test layout");
            arguments << path;
        }
        app::MainWindowServices services{dialogs,
                                         store,
                                         files,
                                         [this] {
                                             return std::make_unique<FakePrinter>(
                                                 printerInstalled, printedPages, printedDocuments);
                                         },
                                         home.path(),
                                         [](const QString&, const QStringList&) { return true; }};
        form = std::make_unique<app::MainWindow>(services, folder.path(),
                                                 app::layoutArgument(arguments));
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            qFatal("the main window does not show");
    }

    template <typename T = QWidget> T* control(const QString& name) const {
        // Inside the central area: the preferences window and the accessory browser,
        // also children of the window, reuse some of the same names.
        T* found = form->centralWidget()->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
    const document::ObjectTable& table() { return form->editor().state().layout.objects; }
    const document::PlanObject& object(int r) { return table().row(r); }
    // The selection's place and size at the right of the status bar.
    QString live() const { return control<QLabel>(QStringLiteral("StatusPosition"))->text(); }
};

// Runs `answer` on the scale dialog once it is shown by `trigger`.
void withScaleDialog(const std::function<void()>& trigger,
                     const std::function<void(QDialog&)>& answer) {
    bool answered = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (dialog && dialog->objectName() == QLatin1String("ScaleDialog")) {
            answered = true;
            answer(*dialog);
        } else if (dialog) {
            dialog->reject();
        }
    });
    trigger();
    QVERIFY(answered);
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void everyControlIsFoundByNameInItsPlace() {
        Fixture f(false);
        QStringList names = {"Picture1", "Picture2",   "HScroll1",   "VScroll1",   "Frame1",
                             "Frame2",   "Frame3",     "Frame4",     "Frame5",     "Frame6",
                             "Check2",   "Command4_0", "Command4_1", "Command5_0", "Command5_1",
                             "Command2", "Command3_0", "Command3_1", "Text2",      "Text1_0",
                             "Text1_1",  "Check1",     "Label1",     "Image1",     "Couleur",
                             "Combo1",   "Label2",     "Label3",     "Label4",     "Label5",
                             "List2",    "Command6_0", "Command6_1", "StatusBar1"};
        for (int i = 0; i < 16; ++i)
            names << QStringLiteral("Choix_couleur_%1").arg(i)
                  << QStringLiteral("picCoin_%1").arg(i % 8)
                  << QStringLiteral("Command1_%1").arg(i % 6);
        for (const QString& name : names)
            QVERIFY2(f.form->centralWidget()->findChild<QWidget*>(name), qPrintable(name));
        for (const char* name :
             {"mnunew",   "mnuload",    "mnusave",  "mnusaveim", "mnupdf",     "mnuliste",
              "mnuprint", "mnuechelle", "mnuquit",  "mnurect",   "mnumes",     "mnutext",
              "mnucerc",  "mnutri",     "mnulig",   "mnubib",    "mnupremier", "mnuarrp",
              "mnupivg",  "mnupivd",    "mnusuppr", "mnupref",   "mnusurf",    "mnuaccess",
              "mnuvehic", "mnuaide",    "mnulic",   "mnupropos", "mnuremer"})
            QVERIFY2(f.form->action(QLatin1String(name)), name);
        QCOMPARE(f.form->objectName(), QStringLiteral("Form1"));
        QCOMPARE(f.form->windowTitle(), QStringLiteral("Kestrion"));
    }

    // The shortcuts, pressed on the widget that has the focus after a click on the plan:
    // the object entries create their kind, the turn entries turn the selected triangle.
    void menuShortcutsReachTheirCommands_data() {
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<bool>("onSelection");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("extra");
        const auto row = [](const char* name, QKeyCombination keys, bool onSelection,
                            ObjectKind kind, int extra = 0) {
            QTest::newRow(name) << QKeySequence(keys) << onSelection << int(kind) << extra;
        };
        row("Ctrl+R rectangle", Qt::CTRL | Qt::Key_R, false, ObjectKind::Rectangle);
        row("Ctrl+M measure", Qt::CTRL | Qt::Key_M, false, ObjectKind::Measure);
        row("Ctrl+X text", Qt::CTRL | Qt::Key_X, false, ObjectKind::Text);
        row("Ctrl+E ellipse", Qt::CTRL | Qt::Key_E, false, ObjectKind::Ellipse);
        row("Ctrl+T triangle", Qt::CTRL | Qt::Key_T, false, ObjectKind::Triangle);
        row("Ctrl+L line", Qt::CTRL | Qt::Key_L, false, ObjectKind::Line);
        row("Ctrl+G turns left", Qt::CTRL | Qt::Key_G, true, ObjectKind::Triangle, 1);
        row("Ctrl+D turns right", Qt::CTRL | Qt::Key_D, true, ObjectKind::Triangle, 3);
    }
    void menuShortcutsReachTheirCommands() {
        QFETCH(QKeySequence, keys);
        QFETCH(bool, onSelection);
        QFETCH(int, kind);
        QFETCH(int, extra);
        Fixture f(true);
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        f.dialogs.inputAnswers.push_back(QStringLiteral("Évier"));
        if (onSelection)
            QTest::mouseClick(f.control("Command1_5"), Qt::LeftButton);
        QTest::mouseClick(f.control("Picture1"), Qt::LeftButton, {}, QPoint(15, 15));
        QCOMPARE(f.form->editor().state().hasSelection(), onSelection);
        QTest::keySequence(QApplication::focusWidget(), keys);
        if (onSelection)
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(f.table().count(), 1);
        QCOMPARE(int(f.object(1).kind), kind);
        if (onSelection)
            QCOMPARE(f.object(1).orientation, extra);
    }

    void editingIsEnabledOnlyOnceALayoutIsOpen() {
        Fixture f(false);
        const QStringList controls = {"HScroll1", "VScroll1",   "Frame1",    "Frame2",
                                      "Frame3",   "Frame4",     "Frame5",    "Frame6",
                                      "Check2",   "Command1_0", "Command1_5"};
        const QStringList menus = {"mnusave",    "mnusaveim", "mnupdf", "mnuliste", "mnuprint",
                                   "mnuechelle", "mnurect",   "mnumes", "mnutext",  "mnucerc",
                                   "mnutri",     "mnulig",    "mnubib"};
        for (bool open : {false, true}) {
            for (const QString& name : controls)
                QVERIFY2(f.control(name)->isEnabled() == open, qPrintable(name));
            for (const QString& name : menus)
                QVERIFY2(f.form->action(name)->isEnabled() == open, qPrintable(name));
            for (const char* name : {"mnupremier", "mnuarrp", "mnupivg", "mnupivd", "mnusuppr"})
                QVERIFY2(!f.form->action(QLatin1String(name))->isEnabled(), name);
            QVERIFY(!f.control("Command2")->isEnabled());
            f.form->editor().enableEditing();
            f.form->refresh();
        }
    }
    // The offscreen platform, like a window manager that ignores size hints, lets the
    // window be made smaller than its minimum: the window itself must enlarge it again. At
    // any size the canvas and its bars follow the central area, the canvas shows the
    // editor's surface, and every frame lies whole above the canvas.
    void windowSizePlacesEveryControl_data() {
        QTest::addColumn<QSize>("asked");
        QTest::newRow("narrower") << QSize(300, 600);
        QTest::newRow("lower") << QSize(800, 200);
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
            f.form->editor().state().canvas.image().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(surface.size(), plan->size());
        QVERIFY(testkit::imagesMatch(plan->grab().toImage().convertToFormat(QImage::Format_RGB32),
                                     surface, QStringLiteral("main_window_canvas")));
        for (int i = 1; i <= 6; ++i) {
            const QString name = QStringLiteral("Frame%1").arg(i);
            const QRect frame = f.control(name)->geometry();
            QVERIFY2(f.control(name)->isVisible() && area->rect().contains(frame) &&
                         !frame.intersects(plan->geometry()),
                     qPrintable(name));
            for (QWidget* child :
                 f.control(name)->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                QVERIFY2(QRect(QPoint(), frame.size()).contains(child->geometry()),
                         qPrintable(name + QLatin1Char(' ') + child->objectName()));
        }
    }

    void quitQuestion_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("closes");
        QTest::newRow("unchanged, by the menu: ends without asking")
            << false << int(MsgResult::Cancel) << true;
        QTest::newRow("Cancel keeps the window") << true << int(MsgResult::Cancel) << false;
        QTest::newRow("No ends without saving") << true << int(MsgResult::No) << true;
        QTest::newRow("Yes ends even when the save is cancelled")
            << true << int(MsgResult::Yes) << true;
    }
    void quitQuestion() {
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(bool, closes);
        Fixture f(true);
        f.form->editor().stateForTesting().layout.modified = modified;
        f.dialogs.messageAnswers.push_back(MsgResult(answer));
        if (modified)
            f.form->close();
        else
            f.form->action(QStringLiteral("mnuquit"))->trigger();
        QCOMPARE(!f.form->isVisible(), closes);
        QStringList messages;
        if (modified)
            messages << QStringLiteral("Voulez-vous sauvegarder l'agencement actuel?");
        if (answer == int(MsgResult::Yes))
            messages << QStringLiteral("Agencement non sauvegardé");
        QCOMPARE(f.dialogs.messages(), messages);
    }
    void layoutNamedOnTheCommandLineOpens_data() {
        QTest::addColumn<QString>("name");
        QTest::newRow("double quotes around a word") << QStringLiteral("plan \"v2\".kla");
        QTest::newRow("one double quote") << QStringLiteral("plan v2\".kla");
        QTest::newRow("starts with a double quote") << QStringLiteral("\"plan\".kla");
        QTest::newRow("spaces, apostrophe, accents") << QStringLiteral("  d'été  plan.kla");
    }
    void layoutNamedOnTheCommandLineOpens() {
        QFETCH(QString, name);
        document::ObjectTable objects;
        objects.append(testkit::planObject(ObjectKind::Rectangle, 10, 20, 30, 40, Fill::colour(2)));
        Fixture f(true, name, objects);
        QVERIFY2(f.dialogs.asked.empty(), qPrintable(f.dialogs.messages().join('\n')));
        QVERIFY(f.form->editor().state().layout.isOpen);
        QCOMPARE(f.table().count(), 1);
        QVERIFY(f.form->action(QStringLiteral("mnusave"))->isEnabled());
    }

    // Export and printing put the selected object back only once they go ahead; then the
    // half-turned accessory fills exactly its box in the picture, as on the plan and on the
    // selection box.
    void exportAndPrintKeepTheSelectionUntilTheyGoAhead_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("goesAhead");
        QTest::newRow("export, dialog cancelled") << QStringLiteral("mnusaveim") << false;
        QTest::newRow("export, file chosen") << QStringLiteral("mnusaveim") << true;
        QTest::newRow("print, no printer") << QStringLiteral("mnuprint") << false;
        QTest::newRow("print, printer found") << QStringLiteral("mnuprint") << true;
    }
    void exportAndPrintKeepTheSelectionUntilTheyGoAhead() {
        QFETCH(QString, command);
        QFETCH(bool, goesAhead);
        // 60 x 40 cm at (40, 30), turned by half: 120 x 80 pixels at 100 %.
        document::ObjectTable objects;
        objects.append(testkit::planObject(ObjectKind::Accessory, 40, 30, 40, 60,
                                           Fill::file(kAccessory), false, 2));
        Fixture f(true, QStringLiteral("essai.kla"), objects);
        const QRect box(40, 30, 120, 80);
        QString problem = boxProblem(f.form->editor().state().canvas.image(), box, kAccessoryColour,
                                     kVehicleColour);
        QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("plan: ") + problem));

        QTest::mouseClick(f.control("Picture1"), Qt::LeftButton, {}, QPoint(100, 70));
        QCOMPARE(f.control("Picture2")->geometry(), box);
        // The box's own picture, framed by one black pixel all round.
        QImage selected(box.size() + QSize(2, 2), QImage::Format_RGB32);
        selected.fill(Qt::black);
        QPainter(&selected).drawImage(1, 1, f.form->editor().state().selection.box.surface.image());
        problem =
            boxProblem(selected, QRect(QPoint(1, 1), box.size()), kAccessoryColour, qRgb(0, 0, 0));
        QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("selection box: ") + problem));

        f.form->editor().stateForTesting().prefs.autozone =
            false; // the picture is the whole canvas
        const QString file = f.folder.path() + QStringLiteral("/plan.bmp");
        if (command == QLatin1String("mnusaveim") && goesAhead)
            f.dialogs.saveAnswers.push_back({file, 2});
        f.printerInstalled = goesAhead;
        f.form->action(command)->trigger();

        QCOMPARE(f.form->editor().state().hasSelection(), !goesAhead);
        QCOMPARE(f.control("Picture2")->isVisible(), !goesAhead);
        QCOMPARE(f.table().count(), goesAhead ? 1 : 0);
        if (!goesAhead) {
            QVERIFY(!QFileInfo::exists(file) && f.printedPages.isEmpty());
            QCOMPARE(f.dialogs.messages(),
                     command == QLatin1String("mnuprint")
                         ? QStringList{QStringLiteral("Aucune imprimante n'est installée.")}
                         : QStringList());
            return;
        }
        const QImage written =
            command == QLatin1String("mnusaveim") ? QImage(file) : f.printedPages.value(0);
        QVERIFY(!written.isNull());
        problem = boxProblem(written, box, kAccessoryColour, kVehicleColour);
        QVERIFY2(problem.isEmpty(), qPrintable(QStringLiteral("picture: ") + problem));
    }

    // A rectangle created, dragged, resized by a handle and by a typed width, put back, then
    // deleted; the live field at the right of the status bar follows each step.
    void editingFlowsThroughTheWidgets() {
        Fixture f(true);
        QWidget* plan = f.control("Picture1");
        QWidget* box = f.control("Picture2");
        QCOMPARE(f.live(), QString());
        // A 50 x 50 cm rectangle, 100 x 100 pixels, 10 pixels (5 cm) in from the corner.
        QTest::mouseClick(f.control("Command1_1"), Qt::LeftButton);
        QTest::mouseClick(plan, Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(box->geometry(), QRect(10, 10, 100, 100));
        QVERIFY(f.table().count() == 0 && f.control("Command2")->isEnabled());
        QCOMPARE(f.live(), QStringLiteral("x 5 cm  y 5 cm  —  50 × 50 cm"));

        // Dragged by (+20, +10) pixels: 10 and 5 cm further.
        QTest::mousePress(box, Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseMove(box, QPoint(40, 30));
        QCOMPARE(f.live(), QStringLiteral("x 15 cm  y 10 cm  —  50 × 50 cm"));
        QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(40, 30));
        QCOMPARE(f.control<QStatusBar>("StatusBar1")->currentMessage(),
                 QStringLiteral("Vous pouvez déplacer l'objet (Souris ou flèches)"));

        // The bottom-right handle dragged by (+7, +3) pixels.
        QWidget* corner = f.control("picCoin_4");
        QTest::mousePress(corner, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseMove(corner, QPoint(9, 5));
        QTest::mouseRelease(corner, Qt::LeftButton, {}, QPoint(9, 5));
        QCOMPARE(box->size(), QSize(107, 103));
        QCOMPARE(f.control<QLineEdit>("Text1_0")->text(), QStringLiteral("54"));
        QCOMPARE(f.control<QLineEdit>("Text1_1")->text(), QStringLiteral("52"));
        QCOMPARE(f.live(), QStringLiteral("x 15 cm  y 10 cm  —  54 × 52 cm"));

        // Typing a width: the focus selects all, only digits and Backspace pass, Enter applies.
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

        // Enter on the box puts the object back where it was left.
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(f.object(1).position.x, 30.f);
        QCOMPARE(f.object(1).position.y, 20.f);
        QCOMPARE(f.object(1).widthCm, 80.f);
        QCOMPARE(f.live(), QString());

        // Selected again, the Delete key removes it.
        QTest::mouseClick(plan, Qt::LeftButton, {}, QPoint(50, 50));
        QTest::keyClick(box, Qt::Key_Delete);
        QVERIFY(!box->isVisible() && !f.control("Command2")->isEnabled());
        QVERIFY(f.table().count() == 0 && f.form->editor().state().layout.modified);

        // Typing 2000 in the zoom box shows 1600.
        auto* zoom = f.control<QLineEdit>("Text2");
        zoom->setFocus();
        zoom->selectAll();
        QTest::keyClicks(zoom, QStringLiteral("2000"));
        QCOMPARE(zoom->text(), QStringLiteral("1600"));
        QCOMPARE(f.form->editor().state().view.view.zoom, 16.f);
    }

    // True-scale output of a layout with a selected rectangle, through the scale dialog
    // preset to portrait and, as autozone is on, the zone (the two choices do not exclude
    // each other). The selection is put back only once the output goes ahead.
    void trueScaleThroughTheScaleDialog_data() {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("scale");
        QTest::addColumn<bool>("installed");
        QTest::addColumn<int>("pages"); // 0: nothing written
        QTest::newRow("PDF, dialog cancelled: no file asked")
            << "mnupdf" << false << "1:20" << true << 0;
        QTest::newRow("PDF at 1:50 on A4: one page") << "mnupdf" << true << "1:50" << true << 1;
        QTest::newRow("print at 1:10 on A4: the 5 m van over three sheets")
            << "mnuechelle" << true << "1:10" << true << 3;
        QTest::newRow("print without a printer: the message")
            << "mnuechelle" << true << "1:10" << false << 0;
    }
    void trueScaleThroughTheScaleDialog() {
        QFETCH(QString, command);
        QFETCH(bool, accept);
        QFETCH(QString, scale);
        QFETCH(bool, installed);
        QFETCH(int, pages);
        Fixture f(true);
        f.printerInstalled = installed;
        QTest::mouseClick(f.control("Command1_1"), Qt::LeftButton);
        QTest::mouseClick(f.control("Picture1"), Qt::LeftButton, {}, QPoint(50, 50));
        const QString pdf = f.folder.path() + QStringLiteral("/plan.pdf");
        f.dialogs.saveAnswers.push_back({pdf, 1});
        withScaleDialog([&] { f.form->action(command)->trigger(); },
                        [&](QDialog& dialog) {
                            const auto checked = [&](const char* name) {
                                return dialog.findChild<QWidget*>(QLatin1String(name))
                                    ->property("checked")
                                    .toBool();
                            };
                            QVERIFY(checked("optPortrait") && checked("optZone"));
                            auto* scales =
                                dialog.findChild<QComboBox*>(QStringLiteral("cboEchelle"));
                            scales->setCurrentIndex(scales->findText(scale));
                            // The whole van, not just its drawn part.
                            dialog.findChild<QWidget*>(QStringLiteral("optPlanEntier"))
                                ->setProperty("checked", true);
                            QVERIFY(checked("optPortrait") && !checked("optZone"));
                            QTest::mouseClick(dialog.findChild<QPushButton*>(
                                                  accept ? QStringLiteral("cmdOK")
                                                         : QStringLiteral("cmdAnnuler")),
                                              Qt::LeftButton);
                        });
        QByteArray written;
        if (command == QLatin1String("mnupdf")) {
            QCOMPARE(f.dialogs.asked.size(), std::size_t(accept ? 1 : 0));
            if (accept)
                QCOMPARE(f.dialogs.asked.front().text, QStringLiteral("Document PDF|*.pdf"));
            QFile file(pdf);
            if (file.open(QIODevice::ReadOnly))
                written = file.readAll();
        } else {
            QCOMPARE(f.dialogs.messages(),
                     installed ? QStringList()
                               : QStringList{QStringLiteral("Aucune imprimante n'est installée.")});
            written = f.printedDocuments.value(0);
        }
        static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
        QCOMPARE(QString::fromLatin1(written).count(page), pages);
        QCOMPARE(f.live().isEmpty(), pages > 0);
    }

    void partsListFromTheMenu() {
        Fixture f(true);
        QTest::mouseClick(f.control(QStringLiteral("Command1_1")), Qt::LeftButton);
        // Selected, so the list must first put it back to count it.
        QTest::mouseClick(f.control(QStringLiteral("Picture1")), Qt::LeftButton, {},
                          QPoint(50, 50));
        // A cancelled file dialog leaves it selected.
        f.form->action(QStringLiteral("mnuliste"))->trigger();
        QCOMPARE(f.live(), QStringLiteral("x 5 cm  y 5 cm  —  50 × 50 cm"));
        const QString csv = f.folder.path() + QStringLiteral("/liste.csv");
        f.dialogs.saveAnswers.push_back({csv, 1});
        f.form->action(QStringLiteral("mnuliste"))->trigger();
        QCOMPARE(f.dialogs.asked.back().text, QStringLiteral("Liste CSV|*.csv"));
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll().mid(3)).split(QStringLiteral("\r\n")),
                 QStringList({"N°;Type;Description;Largeur (cm);Hauteur (cm);X (cm);Y (cm);"
                              "Surface (m²);Figé",
                              "1;Rectangle;Noir;50;50;5;5;0,25;non",
                              ";Total couleur;Noir : 0,25 m²;;;;;0,25;", ""}));
        QCOMPARE(f.live(), QString());
    }

    // A selected 20 x 20 pixel rectangle moved with the arrow keys, sent to whichever
    // widget has the focus after the click that selected it. Where fromFarEdge is set,
    // start and end count back from the canvas's right edge (x) or bottom edge (y).
    void arrowKeysMoveTheSelection_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QPoint>("start");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QPoint>("end");
        QTest::addColumn<QPoint>("fromFarEdge");
        const QPoint none(0, 0), right(1, 0), bottom(0, 1);
        QTest::newRow("left stops with 10 pixels on the canvas")
            << int(Qt::Key_Left) << QPoint(0, 100) << 15 << QPoint(-10, 100) << none;
        QTest::newRow("up stops with 10 pixels on the canvas")
            << int(Qt::Key_Up) << QPoint(100, 0) << 15 << QPoint(100, -10) << none;
        QTest::newRow("right stops with 10 pixels on the canvas")
            << int(Qt::Key_Right) << QPoint(15, 100) << 15 << QPoint(10, 100) << right;
        QTest::newRow("down stops with 10 pixels on the canvas")
            << int(Qt::Key_Down) << QPoint(100, 15) << 15 << QPoint(100, 10) << bottom;
    }
    void arrowKeysMoveTheSelection() {
        QFETCH(int, key);
        QFETCH(QPoint, start);
        QFETCH(int, presses);
        QFETCH(QPoint, end);
        QFETCH(QPoint, fromFarEdge);
        // The canvas's size is only known once the window is laid out; the layout file is
        // written again with the rectangle in place before it is opened.
        Fixture probe(false);
        const QSize canvas = probe.form->editor().state().canvas.image().size();
        const auto onCanvas = [&](QPoint p) {
            return QPoint(fromFarEdge.x() ? canvas.width() - p.x() : p.x(),
                          fromFarEdge.y() ? canvas.height() - p.y() : p.y());
        };
        start = onCanvas(start);
        end = onCanvas(end);
        document::ObjectTable objects; // 10 x 10 cm: 20 x 20 pixels at 100 %
        objects.append(testkit::planObject(ObjectKind::Rectangle, float(start.x()),
                                           float(start.y()), 10, 10, Fill::colour(2)));
        Fixture f(true, QStringLiteral("essai.kla"), objects);
        QCOMPARE(f.form->editor().state().canvas.image().size(), canvas);
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));

        QWidget* plan = f.control("Picture1");
        QWidget* box = f.control("Picture2");
        QTest::mouseClick(plan, Qt::LeftButton, {}, start + QPoint(10, 10));
        QCOMPARE(box->geometry(), QRect(start, QSize(20, 20)));
        QVERIFY(!f.form->editor().state().layout.modified);
        QWidget* focused = QApplication::focusWidget();
        QVERIFY(focused == plan || focused == box);

        for (int i = 0; i < presses; ++i)
            QTest::keyClick(focused, Qt::Key(key));
        QCOMPARE(box->geometry(), QRect(end, QSize(20, 20)));

        // Moved, so quitting offers to save; Cancel keeps the window.
        f.dialogs.messageAnswers.push_back(MsgResult::Cancel);
        f.form->close();
        QVERIFY(f.form->isVisible());
        QCOMPARE(f.dialogs.messages(),
                 QStringList{QStringLiteral("Voulez-vous sauvegarder l'agencement actuel?")});

        // Put back, the object lies where the box was left.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(f.object(1).position.x, float(end.x()));
        QCOMPARE(f.object(1).position.y, float(end.y()));
    }

    void accessoryToggleDrivesTheBrowser() {
        Fixture f(true);
        auto* toggle = f.control<QToolButton>("Check2");
        QAction* menu = f.form->action(QStringLiteral("mnubib"));
        const auto browser = [&] {
            return f.form->findChild<library::ui::AccessoryBrowser*>(QStringLiteral("Form3"));
        };
        QTest::mouseClick(toggle, Qt::LeftButton);
        QVERIFY(browser() && browser()->isVisible() && toggle->isChecked() && menu->isChecked());
        // "Insérer" adds the accessory and leaves the browser open.
        QTest::mouseClick(browser()->findChild<QWidget*>(QStringLiteral("Command1_0")),
                          Qt::LeftButton);
        QCOMPARE(f.table().count(), 1);
        QCOMPARE(f.object(1).kind, ObjectKind::Accessory);
        QVERIFY(browser()->isVisible());
        const QString& chosen = f.form->editor().state().next.accessoryFile;
        QCOMPARE(chosen, QStringLiteral("Meuble_Evier_60_40_XY_.bmp"));
        menu->trigger();
        QVERIFY(!browser()->isVisible() && !toggle->isChecked() && !menu->isChecked());
        QVERIFY(!chosen.isEmpty()); // hiding the browser keeps the choice
        // "Fermer" forgets the chosen accessory as it releases the toggle.
        f.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.form.get()));
        QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_B));
        QVERIFY(browser()->isVisible());
        QTest::mouseClick(browser()->findChild<QWidget*>(QStringLiteral("Command1_2")),
                          Qt::LeftButton);
        QVERIFY(!browser()->isVisible() && !toggle->isChecked() && !menu->isChecked());
        QCOMPARE(chosen, QString());
    }

    void preferencesOkBringsTheLineWidthIntoRange_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("kept");
        QTest::newRow("250 becomes 100") << "250" << 100;
        QTest::newRow("empty box gives the default 2") << "" << 2;
        QTest::newRow("a digit run beyond any integer is 100") << "99999999999999999999" << 100;
    }
    void preferencesOkBringsTheLineWidthIntoRange() {
        QFETCH(QString, typed);
        QFETCH(int, kept);
        Fixture f(false);
        auto& pref = f.form->preferencesDialog();
        pref.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(typed);
        pref.findChild<QWidget*>(QStringLiteral("Check2"))->setProperty("checked", true);
        pref.accept();
        QVERIFY(!pref.isVisible() && f.dialogs.asked.empty());
        QCOMPARE(pref.shownValues().larlig, QString::number(kept));
        QCOMPARE(f.store.values.value(settings::PreferenceStore::key(QStringLiteral("larlig"))),
                 QString::number(kept));
        QCOMPARE(f.form->editor().state().prefs.larlig, QString::number(kept));
        QVERIFY(f.form->editor().state().prefs.clicpreplan);
    }
    void preferencesDefaultsThenCancelChangeNothing() {
        platform::MemoryStore store;
        ScriptedDialogService dialogs;
        settings::Preferences mine;
        mine.carross = mine.fondblanc = true;
        mine.larlig = QStringLiteral("5");
        mine.autozone = false;
        settings::PreferenceStore(store).writeSix(mine);
        const auto before = store.values;
        settings::ui::PreferencesDialog pref(store, dialogs);
        pref.setValues(mine);
        pref.restoreDefaults();
        QCOMPARE(pref.shownValues(), settings::Preferences::defaults());
        pref.reject();
        QCOMPARE(pref.shownValues(), mine);
        QCOMPARE(store.values, before);
    }

    // Windows line ends throughout, and the help window shows the text line by line.
    void helpTextLineByLine() {
        const QString text = app::helpText();
        QCOMPARE(text.count(QLatin1Char('\n')), text.count(QStringLiteral("\r\n")));
        QCOMPARE(text.count(QLatin1Char('\r')), text.count(QStringLiteral("\r\n")));
        QStringList lines = text.split(QStringLiteral("\r\n"));
        QVERIFY(lines.takeLast().isEmpty()); // the text ends with a line end
        QCOMPARE(lines.first(), QStringLiteral("AVANT DE COMMENCER"));
        app::HelpWindow help;
        auto* box = help.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
        QCOMPARE(box->toPlainText().split(QLatin1Char('\n')).mid(0, lines.size()), lines);
    }

    void aboutBoxShowsTheSameTextsAtEveryOpening() {
        QCoreApplication::setApplicationVersion(QStringLiteral("1.02.0001"));
        for (int opening = 0; opening < 2; ++opening) {
            app::AboutDialog about;
            QCOMPARE(about.windowTitle(), QStringLiteral("À propos de Kestrion"));
            const auto label = [&](const char* name) {
                return about.findChild<QLabel*>(QLatin1String(name))->text();
            };
            QCOMPARE(label("lblTitle"), QStringLiteral("Kestrion"));
            QCOMPARE(label("lblVersion"), QStringLiteral("Version : 1.2.1")); // no leading zeros
            QCOMPARE(label("lblDescription"),
                     QStringLiteral("Auteur : ") + platform::kAuthor +
                         QStringLiteral("\r\rConcevez facilement les plans de votre véhicule "
                                        "aménagé!"));
            QCOMPARE(label("Label1"), platform::kSiteHost);
        }
    }
};

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
