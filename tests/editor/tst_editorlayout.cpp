// Guards the layout commands: new, open, save, quit, start-up and output, and that a
// refused command leaves the open layout whole.
#include "EditorFixture.h"

#include "document/LayoutFile.h"
#include "document/Palette.h"

#include <QFile>
#include <QtTest>

using document::Cell;
using platform::MsgResult;

namespace {

// A layout with two objects, selected or not, modified.
void twoObjects(EditorFixture& f) {
    f.openNew();
    f.add(1, 10, 10, 20, 30);
    f.add(2, 100, 10, 20, 30);
    f.s().layout.modifie = true;
}

QString savePath(EditorFixture& f, const QString& name = QStringLiteral("plan.kla")) {
    return f.folder.path() + QLatin1Char('/') + name;
}

} // namespace

class TestEditorLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void startUpState() {
        EditorFixture f;
        QCOMPARE(f.s().controls.textures, QStringList{EditorFixture::kTexture});
        QCOMPARE(f.s().controls.combo1Index, 0);
        QVERIFY(!f.s().controls.layoutEnabled);
        f.ed->Picture1_MouseMove();
        QCOMPARE(f.s().statusText,
                 QStringLiteral("Ouvrez un fichier existant ou créez-en un nouveau"));
        f.ed->printWelcome();
        const QImage canvas = f.s().picture1.Image();
        bool drawn = false;
        for (int x = 0; x < canvas.width() && !drawn; ++x)
            drawn = canvas.pixelColor(x, 145).rgb() != QColor(Qt::white).rgb();
        QVERIFY(drawn); // the welcome text runs through the canvas's middle
    }

    void newLayoutResetsAroundThePicture() {
        EditorFixture f;
        twoObjects(f);
        f.click(20, 20);
        f.s().view.view = render::View{2.0f, 30, 40};
        f.dialogs.messageAnswers.push_back(MsgResult::No);
        f.nextChoice = editor::NewLayoutChoice{EditorFixture::kVehicle, true, false};
        f.ed->mnunew_Click();
        QCOMPARE(f.dialogs.asked.front().title, QStringLiteral("Nouvel agencement :"));
        QCOMPARE(f.browserClosed, 2);
        QCOMPARE(f.table().nb_objets(), 0);
        QVERIFY(!f.s().hasSelection());
        QVERIFY(f.s().layout.inv_g_d);
        QCOMPARE(f.s().layout.vehicule_resol, 2.0);
        QCOMPARE(f.s().layout.image_largeur, 1000.f);
        QCOMPARE(f.s().view.view.zoom, 1.f);
        QCOMPARE(f.s().view.text2, QStringLiteral("100"));
        QCOMPARE(f.s().view.view.origine_x, 0.f);
        QVERIFY(f.s().controls.layoutEnabled);
        QVERIFY(!f.s().layout.modifie);
    }

    void refusedNewLayoutKeepsTheOldOne_data() {
        QTest::addColumn<QString>("choice"); // "" : the dialog was cancelled
        QTest::addColumn<bool>("message");
        QTest::newRow("cancelled dialog") << "" << false;
        QTest::newRow("picture that cannot load") << "Van_Fourgon_Cote_XZ_5000_.jpg" << true;
        QTest::newRow("name that cannot be read") << "Van_Fourgon_Cote_XZ_0_.bmp" << true;
    }
    void refusedNewLayoutKeepsTheOldOne() {
        QFETCH(QString, choice);
        QFETCH(bool, message);
        EditorFixture f;
        QFile broken(f.folder.vehicules() + "/Van_Fourgon_Cote_XZ_5000_.jpg");
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("not a picture");
        broken.close();
        twoObjects(f);
        f.s().view.view.zoom = 2.0f;
        const document::ObjectTable before = f.table();
        f.dialogs.messageAnswers.push_back(MsgResult::No);
        if (choice.isEmpty())
            f.nextChoice.reset();
        else
            f.nextChoice = editor::NewLayoutChoice{choice, true, true};
        f.ed->mnunew_Click();
        QVERIFY(f.table() == before);
        QVERIFY(f.s().layout.modifie);
        QCOMPARE(f.s().layout.vehicule_fichier, EditorFixture::kVehicle);
        QVERIFY(!f.s().layout.inv_g_d);
        QCOMPARE(f.s().view.view.zoom, 2.0f);
        if (message) {
            QCOMPARE(f.dialogs.lastMessage()->text,
                     QStringLiteral("Problème intervenu lors du chargement de l'agencement"));
            QCOMPARE(f.dialogs.lastMessage()->title, QStringLiteral("Erreur :"));
        } else {
            QCOMPARE(f.dialogs.messages().size(), 1); // only the save question
        }
    }

    void saveWithSelectionWritesItAndReopens() {
        EditorFixture f;
        twoObjects(f);
        f.click(20, 20);
        QCOMPARE(f.table().nb_objets(), 1);
        f.dialogs.saveAnswers.push_back({savePath(f), 1});
        QVERIFY(f.ed->mnusave_Click());
        const auto& asked = f.dialogs.asked.back();
        QCOMPARE(asked.text, QStringLiteral("Agencements Kestrion (*.kla)|*.kla"));
        QVERIFY(asked.overwritePrompt);
        QVERIFY(!f.s().layout.modifie);
        QVERIFY(!f.s().hasSelection());

        EditorFixture g;
        QVERIFY(g.ed->openLayoutFile(savePath(f)));
        QCOMPARE(g.table().nb_objets(), 2);
        QCOMPARE(g.cell(1, document::ColX), 10.0);
        QCOMPARE(g.cell(2, document::ColX), 100.0);
        QVERIFY(g.s().layout.agencement_ouvert);
        QVERIFY(!g.s().layout.modifie);
        QVERIFY(g.s().controls.layoutEnabled);
    }

    void cancelledSaveWarnsAndKeepsModified() {
        EditorFixture f;
        twoObjects(f);
        QVERIFY(!f.ed->mnusave_Click());
        QCOMPARE(f.dialogs.lastMessage()->text, QStringLiteral("Agencement non sauvegardé"));
        QCOMPARE(f.dialogs.lastMessage()->icon, platform::MsgIcon::Warning);
        QVERIFY(f.s().layout.modifie);
    }

    void openRestoresTheSavedZoom() {
        EditorFixture f;
        twoObjects(f);
        f.ed->Text2_Change(QStringLiteral("150"));
        f.ed->HScroll1_Change(40);
        f.dialogs.saveAnswers.push_back({savePath(f), 1});
        QVERIFY(f.ed->mnusave_Click());
        EditorFixture g;
        g.openNew();
        g.dialogs.openAnswers.push_back({savePath(f), 1});
        g.ed->mnuload_Click();
        QCOMPARE(g.s().view.text2, QStringLiteral("150"));
        QCOMPARE(g.s().view.view.zoom, 1.5f);
        QCOMPARE(g.s().view.hscroll, 0);
        QCOMPARE(g.s().view.view.origine_x, 0.f);
        QCOMPARE(g.browserClosed, 2);
    }

    void openRefusingABadFileKeepsTheLayout() {
        EditorFixture f;
        twoObjects(f);
        const QString bad = savePath(f, QStringLiteral("bad.kla"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("Autre chose\r\n");
        file.close();
        const document::ObjectTable before = f.table();
        f.dialogs.messageAnswers.push_back(MsgResult::No);
        f.dialogs.openAnswers.push_back({bad, 1});
        f.ed->mnuload_Click();
        QVERIFY(f.table() == before);
        QCOMPARE(f.dialogs.lastMessage()->title, QStringLiteral("Erreur :"));
        QCOMPARE(f.dialogs.lastMessage()->icon, platform::MsgIcon::Critical);
        QCOMPARE(f.s().layout.vehicule_fichier, EditorFixture::kVehicle);
        QVERIFY(f.s().layout.agencement_ouvert);
        QVERIFY(!f.s().layout.modifie); // offered to save, then refused: counts as saved
    }

    void openQuestionCancelStops() {
        EditorFixture f;
        twoObjects(f);
        f.dialogs.messageAnswers.push_back(MsgResult::Cancel);
        f.ed->mnuload_Click();
        QCOMPARE(f.dialogs.asked.back().title, QStringLiteral("Sauvegarde :"));
        QCOMPARE(int(f.dialogs.asked.size()), 1); // no open dialog
    }

    void quitQuestion_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("quits");
        QTest::addColumn<int>("saveDialogs");
        QTest::newRow("nothing changed: no question")
            << false << int(MsgResult::Cancel) << true << 0;
        QTest::newRow("yes saves, then quits even when cancelled")
            << true << int(MsgResult::Yes) << true << 1;
        QTest::newRow("no quits") << true << int(MsgResult::No) << true << 0;
        QTest::newRow("cancel stays") << true << int(MsgResult::Cancel) << false << 0;
    }
    void quitQuestion() {
        QFETCH(bool, modified);
        QFETCH(int, answer);
        QFETCH(bool, quits);
        QFETCH(int, saveDialogs);
        EditorFixture f;
        twoObjects(f);
        f.s().layout.modifie = modified;
        f.dialogs.messageAnswers.push_back(MsgResult(answer));
        QCOMPARE(f.ed->confirmQuit(), quits);
        int saves = 0;
        for (const auto& a : f.dialogs.asked)
            saves += a.kind == platform::ScriptedDialogService::Kind::Save ? 1 : 0;
        QCOMPARE(saves, saveDialogs);
        if (modified)
            QCOMPARE(f.dialogs.asked.front().title, QStringLiteral("Quitter :"));
        else
            QVERIFY(f.dialogs.asked.empty());
    }

    void commandLineOpensTheLayout() {
        EditorFixture f;
        twoObjects(f);
        f.dialogs.saveAnswers.push_back({savePath(f, QStringLiteral("van plan.kla")), 1});
        QVERIFY(f.ed->mnusave_Click());
        EditorFixture g;
        g.ed->openAtStartup(QLatin1Char('"') + savePath(f, QStringLiteral("van plan.kla")) +
                            QLatin1Char('"'));
        QCOMPARE(g.table().nb_objets(), 2);
        QCOMPARE(g.s().view.hscroll, 0);
        QVERIFY(g.s().layout.agencement_ouvert);
    }

    void exportPutsTheSelectionBackFirst() {
        EditorFixture f;
        twoObjects(f);
        f.click(20, 20);
        f.ed->mnusaveim_Click(); // the file dialog is cancelled
        QVERIFY(!f.s().hasSelection());
        QCOMPARE(f.table().nb_objets(), 2);
        QCOMPARE(f.s().picture1.Point(20, 20), document::paletteColour(2));
    }
};

QTEST_MAIN(TestEditorLayout)
#include "tst_editorlayout.moc"
