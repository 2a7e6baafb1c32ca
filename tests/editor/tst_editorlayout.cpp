// Guards new, open, save, quit and export, and that a refused command changes nothing.
#include "EditorFixture.h"

#include "document/Palette.h"

#include <QFile>
#include <QtTest>

using platform::MsgResult;

class TestEditorLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void newLayoutResetsAroundThePicture() {
        EditorFixture f;
        f.openTwoObjects();
        f.click(20, 20);
        f.s().view.view = render::View{2.0f, 30, 40};
        f.dialogs.messageAnswers.push_back(MsgResult::No);
        f.nextChoice = editor::NewLayoutChoice{EditorFixture::kVehicle, true, false};
        f.ed->mnunew_Click();
        QCOMPARE(f.dialogs.asked.front().title, QStringLiteral("Nouvel agencement :"));
        QCOMPARE(f.browserClosed, 2);
        QCOMPARE(f.table().nb_objets(), 0);
        QVERIFY(f.s().layout.inv_g_d);
        QCOMPARE(f.s().view.view.zoom, 1.f);
        QVERIFY(f.s().controls.layoutEnabled);
        QVERIFY(!f.s().layout.modifie);
    }

    void refusedNewLayoutKeepsTheOldOne_data() {
        QTest::addColumn<QString>("choice"); // "" : the dialog was cancelled
        QTest::newRow("cancelled dialog") << "";
        QTest::newRow("picture that cannot load") << "Van_Fourgon_Cote_XZ_5000_.jpg";
        QTest::newRow("name that cannot be read") << "Van_Fourgon_Cote_XZ_0_.bmp";
    }
    void refusedNewLayoutKeepsTheOldOne() {
        QFETCH(QString, choice);
        EditorFixture f;
        QFile broken(f.folder.vehicules() + "/Van_Fourgon_Cote_XZ_5000_.jpg");
        QVERIFY(broken.open(QIODevice::WriteOnly) && broken.write("not a picture") > 0);
        broken.close();
        f.openTwoObjects();
        f.s().view.view.zoom = 2.0f;
        const document::ObjectTable before = f.table();
        f.dialogs.messageAnswers.push_back(MsgResult::No);
        f.nextChoice = editor::NewLayoutChoice{choice, true, true};
        if (choice.isEmpty())
            f.nextChoice.reset();
        f.ed->mnunew_Click();
        QVERIFY(f.table() == before);
        QVERIFY(f.s().layout.modifie);
        QCOMPARE(f.s().layout.vehicule_fichier, EditorFixture::kVehicle);
        QVERIFY(!f.s().layout.inv_g_d);
        QCOMPARE(f.s().view.view.zoom, 2.0f);
        QCOMPARE(f.dialogs.messages().size(), choice.isEmpty() ? 1 : 2);
        if (!choice.isEmpty())
            QCOMPARE(f.dialogs.lastMessage()->text,
                     QStringLiteral("Problème intervenu lors du chargement de l'agencement"));
    }

    void saveWithSelectionWritesItAndReopens() {
        EditorFixture f;
        f.openTwoObjects();
        f.click(20, 20);
        const QString path = f.folder.path() + QStringLiteral("/van plan.kla");
        f.dialogs.saveAnswers.push_back({path, 1});
        QVERIFY(f.ed->mnusave_Click());
        QCOMPARE(f.dialogs.asked.back().text, QStringLiteral("Agencements Kestrion (*.kla)|*.kla"));
        QVERIFY(!f.s().layout.modifie);
        QVERIFY(!f.s().hasSelection());
        EditorFixture g;
        g.ed->openAtStartup(path);
        QCOMPARE(g.table().nb_objets(), 2);
        QCOMPARE(g.cell(1, document::ColX), 10.0);
        QCOMPARE(g.cell(2, document::ColX), 100.0);
        QVERIFY(g.s().layout.agencement_ouvert && !g.s().layout.modifie);
    }

    void openRefusingABadFileKeepsTheLayout() {
        EditorFixture f;
        f.openTwoObjects();
        const QString bad = f.folder.path() + QStringLiteral("/bad.kla");
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("Autre chose\r\n") > 0);
        file.close();
        const document::ObjectTable before = f.table();
        f.dialogs.messageAnswers.push_back(MsgResult::No);
        f.dialogs.openAnswers.push_back({bad, 1});
        f.ed->mnuload_Click();
        QVERIFY(f.table() == before);
        QCOMPARE(f.dialogs.lastMessage()->title, QStringLiteral("Erreur :"));
        QVERIFY(f.s().layout.agencement_ouvert);
        QVERIFY(!f.s().layout.modifie); // offered to save, then refused: counts as saved
    }

    void quitQuestion_data() {
        QTest::addColumn<bool>("modified");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("quits");
        QTest::addColumn<int>("saveDialogs");
        QTest::newRow("unchanged: no question") << false << int(MsgResult::Cancel) << true << 0;
        QTest::newRow("yes saves, quits even if cancelled")
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
        f.openTwoObjects();
        f.s().layout.modifie = modified;
        f.dialogs.messageAnswers.push_back(MsgResult(answer));
        QCOMPARE(f.ed->confirmQuit(), quits);
        int saves = 0;
        for (const auto& a : f.dialogs.asked)
            saves += a.kind == platform::ScriptedDialogService::Kind::Save ? 1 : 0;
        QCOMPARE(saves, saveDialogs);
        if (saves) // the save dialog was cancelled
            QCOMPARE(f.dialogs.lastMessage()->text, QStringLiteral("Agencement non sauvegardé"));
        if (modified)
            QCOMPARE(f.dialogs.asked.front().title, QStringLiteral("Quitter :"));
        else
            QVERIFY(f.dialogs.asked.empty());
    }
};

QTEST_MAIN(TestEditorLayout)
#include "tst_editorlayout.moc"
