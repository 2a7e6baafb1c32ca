// Guards the workshop outputs as the main window offers them: the menu entries, the scale
// dialog leading to a PDF, the parts list, and the selection's live place and size in cm.
#include "app/Form1.h"
#include "document/LayoutFile.h"
#include "platform/FileSystem.h"
#include "platform/ScriptedDialogService.h"
#include "platform/SettingsStore.h"
#include "testkit/TestKit.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <memory>

using platform::ScriptedDialogService;

namespace {

const QString kVehicle = QStringLiteral("Van_Fourgon_Dessus_XY_5000_.bmp"); // 2 px per cm

// The main window opened on an empty layout of a white 1000 x 500 pixel van.
struct Fixture {
    testkit::ProgramFolder folder;
    QTemporaryDir home;
    ScriptedDialogService dialogs;
    platform::MemoryStore store;
    platform::FileSystem files;
    std::unique_ptr<app::Form1> form;

    Fixture() {
        folder.addPicture(QStringLiteral("vehicules"), kVehicle, 1000, 500, qRgb(255, 255, 255));
        document::Layout layout;
        layout.vehicule_fichier = kVehicle;
        const QString path = folder.path() + QStringLiteral("/essai.kla");
        if (!document::SauverAgencement(path, layout, QLocale(), files))
            qFatal("cannot write the test layout");
        app::Form1Services services{
            dialogs, store,       files,
            nullptr, home.path(), [](const QString&, const QStringList&) { return true; }};
        form = std::make_unique<app::Form1>(services, folder.path(),
                                            QLatin1Char('"') + path + QLatin1Char('"'));
        form->show();
        if (!QTest::qWaitForWindowExposed(form.get()))
            qFatal("the main window does not show");
    }
    template <typename T = QWidget> T* control(const QString& name) const {
        T* found = form->centralWidget()->findChild<T*>(name);
        if (!found)
            qFatal("no control %s", qPrintable(name));
        return found;
    }
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

class TestOutputsWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void fileMenuOffersTheOutputsInOrder() {
        Fixture f;
        QStringList captions;
        for (QAction* action : f.form->findChild<QMenu*>(QStringLiteral("mnufichier"))->actions())
            captions << action->text();
        QCOMPARE(captions,
                 QStringList({"&Nouveau...", "&Ouvrir", "", "Enregi&strer", "Exporter l'&image",
                              "Exporter en P&DF...", "Exporter la &liste des objets...", "",
                              "Im&primer", "À l'é&chelle...", "", "&Quitter"}));
        for (const char* name : {"mnupdf", "mnuliste", "mnuechelle"})
            QVERIFY2(f.form->action(QLatin1String(name))->isEnabled(), name);
    }

    void theLiveFieldFollowsMovesResizesAndTypedSizes() {
        Fixture f;
        QWidget* plan = f.control(QStringLiteral("Picture1"));
        QWidget* box = f.control(QStringLiteral("Picture2"));
        QCOMPARE(f.live(), QString());
        // A 50 x 50 cm rectangle 10 pixels (5 cm) in from the van's corner, selected.
        QTest::mouseClick(f.control(QStringLiteral("Command1_1")), Qt::LeftButton);
        QTest::mouseClick(plan, Qt::LeftButton, {}, QPoint(50, 50));
        QCOMPARE(f.live(), QStringLiteral("x 5 cm  y 5 cm  —  50 × 50 cm"));

        // Dragged by (+20, +10) pixels: 10 and 5 cm further.
        QTest::mousePress(box, Qt::LeftButton, {}, QPoint(20, 20));
        QTest::mouseMove(box, QPoint(40, 30));
        QCOMPARE(f.live(), QStringLiteral("x 15 cm  y 10 cm  —  50 × 50 cm"));
        QTest::mouseRelease(box, Qt::LeftButton, {}, QPoint(40, 30));
        // The help on the left stays the editor's own.
        QCOMPARE(f.control<QStatusBar>(QStringLiteral("StatusBar1"))->currentMessage(),
                 QStringLiteral("Vous pouvez déplacer l'objet (Souris ou flèches)"));

        // The bottom-right handle dragged by (+7, +3) pixels.
        QWidget* corner = f.control(QStringLiteral("picCoin_4"));
        QTest::mousePress(corner, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseMove(corner, QPoint(9, 5));
        QTest::mouseRelease(corner, Qt::LeftButton, {}, QPoint(9, 5));
        QCOMPARE(f.live(), QStringLiteral("x 15 cm  y 10 cm  —  54 × 52 cm"));

        // A width typed into the box and applied with Enter.
        auto* width = f.control<QLineEdit>(QStringLiteral("Text1_0"));
        f.form->activateWindow();
        width->setFocus();
        width->selectAll();
        QTest::keyClicks(width, QStringLiteral("80"));
        QTest::keyClick(width, Qt::Key_Return);
        QCOMPARE(f.live(), QStringLiteral("x 15 cm  y 10 cm  —  80 × 52 cm"));

        // Deselected: empty.
        QTest::mouseClick(plan, Qt::LeftButton, {}, QPoint(600, 300));
        QCOMPARE(f.live(), QString());
    }

    void pdfThroughTheScaleDialog_data() {
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("scale");
        QTest::addColumn<int>("pages"); // 0: nothing asked, nothing written
        QTest::newRow("cancelling the dialog asks for no file") << false << "1:20" << 0;
        QTest::newRow("1:50 on A4: one page") << true << "1:50" << 1;
        QTest::newRow("1:10 on A4: the 5 m van over three pages") << true << "1:10" << 3;
    }
    void pdfThroughTheScaleDialog() {
        QFETCH(bool, accept);
        QFETCH(QString, scale);
        QFETCH(int, pages);
        Fixture f;
        const QString pdf = f.folder.path() + QStringLiteral("/plan.pdf");
        f.dialogs.saveAnswers.push_back({pdf, 1});
        withScaleDialog([&] { f.form->action(QStringLiteral("mnupdf"))->trigger(); },
                        [&](QDialog& dialog) {
                            auto* scales =
                                dialog.findChild<QComboBox*>(QStringLiteral("cboEchelle"));
                            scales->setCurrentIndex(scales->findText(scale));
                            // The whole van, not just its drawn part.
                            dialog.findChild<QWidget*>(QStringLiteral("optPlanEntier"))
                                ->setProperty("checked", true);
                            QTest::mouseClick(dialog.findChild<QPushButton*>(
                                                  accept ? QStringLiteral("cmdOK")
                                                         : QStringLiteral("cmdAnnuler")),
                                              Qt::LeftButton);
                        });
        QCOMPARE(f.dialogs.asked.size(), std::size_t(pages ? 1 : 0));
        QCOMPARE(QFile::exists(pdf), pages > 0);
        if (!pages)
            return;
        QCOMPARE(f.dialogs.asked.front().text, QStringLiteral("Document PDF|*.pdf"));
        QProcess info;
        info.start(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY(info.waitForFinished(60000));
        QVERIFY(QString::fromUtf8(info.readAllStandardOutput())
                    .contains(QRegularExpression(QStringLiteral("Pages:\\s+%1\\n").arg(pages))));
    }

    void partsListFromTheMenu() {
        Fixture f;
        f.form->editor().setLocale(QLocale(QLocale::French, QLocale::France));
        QTest::mouseClick(f.control(QStringLiteral("Command1_1")), Qt::LeftButton);
        // Selected, so the list must first put it back to count it.
        QTest::mouseClick(f.control(QStringLiteral("Picture1")), Qt::LeftButton, {},
                          QPoint(50, 50));
        const QString csv = f.folder.path() + QStringLiteral("/liste.csv");
        f.dialogs.saveAnswers.push_back({csv, 1});
        f.form->action(QStringLiteral("mnuliste"))->trigger();
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(file.readAll().mid(3)).split(QStringLiteral("\r\n")),
                 QStringList({"N°;Type;Description;Largeur (cm);Hauteur (cm);X (cm);Y (cm);"
                              "Surface (m²);Figé",
                              "1;Rectangle;Noir;50;50;5;5;0,25;non",
                              ";Total couleur;Noir : 0,25 m²;;;;;0,25;", ""}));
        QCOMPARE(f.live(), QString());
    }
};

QTEST_MAIN(TestOutputsWindow)
#include "tst_outputswindow.moc"
