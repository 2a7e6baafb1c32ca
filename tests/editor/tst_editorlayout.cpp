// Guards new, open and save of layouts, and that a refused command changes nothing.
#include "EditorFixture.h"

#include "document/LayoutFile.h"
#include "testkit/LayoutText.h"

#include <QtTest>

using platform::MsgResult;

class TestEditorLayout : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    // After the offer to save is declined, the new-layout dialog cancelled or given a picture
    // it cannot use, or a file that is not a layout opened, keep the layout and say why; a
    // usable picture then starts afresh.
    void newLayoutRefusedThenAccepted() {
        EditorFixture f;
        QFile broken(f.folder.vehicules() + "/Van_Fourgon_Cote_XZ_5000_.jpg");
        QVERIFY(broken.open(QIODevice::WriteOnly));
        QVERIFY(broken.write("not a picture") > 0);
        broken.close();
        QFile bad(f.folder.path() + "/bad.kla");
        QVERIFY(bad.open(QIODevice::WriteOnly));
        QVERIFY(bad.write("Autre chose\r\n") > 0);
        bad.close();
        f.openTwoObjects();
        f.setView(200, 4, 12);
        const QString loading =
            QStringLiteral("Problème intervenu lors du chargement de l'agencement");
        for (const auto& [choice, last] :
             {std::pair{QString(), QString()},
              {QStringLiteral("Van_Fourgon_Cote_XZ_5000_.jpg"), loading},
              {QStringLiteral("Van_Fourgon_Cote_XZ_0_.bmp"), loading},
              {QStringLiteral("bad.kla"), QStringLiteral("Erreur :")}}) {
            f.makeModified();
            const document::ObjectTable before = f.table();
            const qsizetype shown = f.dialogs.messages().size();
            f.dialogs.messageAnswers.push_back(MsgResult::No);
            f.dialogs.openAnswers.push_back({bad.fileName(), 1});
            f.nextChoice = editor::NewLayoutChoice{choice, true, true};
            if (choice.isEmpty())
                f.nextChoice.reset();
            const bool opening = choice == QLatin1String("bad.kla");
            opening ? f.ed->chooseAndOpenLayout() : f.ed->newLayout();
            QVERIFY(f.table() == before);
            QCOMPARE(f.ed->layout().vehicleFile, EditorFixture::kVehicle);
            QVERIFY(!f.ed->layout().mirrorLeftRight);
            QVERIFY(f.ed->layout().isOpen);
            QVERIFY(f.ed->view().view == (render::View{2.0f, 32, 42}));
            QCOMPARE(f.dialogs.messages().size(), shown + (last.isEmpty() ? 1 : 2));
            if (!last.isEmpty())
                QCOMPARE(opening ? f.dialogs.lastMessage().title : f.dialogs.lastMessage().text,
                         last);
            // Declined when a file was chosen to open, the offer to save counts as saved.
            QCOMPARE(f.ed->isModified(), !opening);
        }
        QCOMPARE(f.dialogs.asked.front().title, QStringLiteral("Nouvel agencement :"));
        f.makeModified();
        f.click(20, 20);
        const int closed = f.browserClosed;
        f.dialogs.messageAnswers.push_back(MsgResult::No);
        f.nextChoice = editor::NewLayoutChoice{EditorFixture::kVehicle, true, false};
        f.ed->newLayout();
        QCOMPARE(f.browserClosed, closed + 1);
        QVERIFY(f.table().count() == 0);
        QVERIFY(f.ed->layout().mirrorLeftRight);
        QCOMPARE(f.ed->view().view.zoom, 1.f);
        QVERIFY(f.ed->controls().layoutEnabled);
        QVERIFY(!f.ed->isModified());
    }

    // A layout written with an odd zoom opens at the zoom its box shows; saved with an object
    // selected, it keeps that object and that zoom when read back.
    void openSaveAndReopen_data() {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("percent");
        QTest::newRow("too large: the largest zoom") << QStringLiteral("5000") << 1600;
        QTest::newRow("a half in quotes: to even") << QStringLiteral("\"75,5\"") << 76;
        QTest::newRow("not a number: 100 %") << QStringLiteral("nan") << 100;
    }
    void openSaveAndReopen() {
        QFETCH(QString, field);
        QFETCH(int, percent);
        EditorFixture f;
        f.dialogs.openAnswers.push_back({testkit::writeLayoutText(f.folder.path() + "/zoom.kla",
                                                                  EditorFixture::kVehicle, field),
                                         1});
        f.ed->chooseAndOpenLayout();
        QCOMPARE(f.ed->view().zoomText, QString::number(percent));
        const float zoom = f.ed->view().view.zoom;
        QCOMPARE(zoom, float(percent / 100.0));
        f.add(1, 10, 10, 20, 30);
        f.add(2, 100, 10, 20, 30);
        f.click(10 * zoom + 3, 10 * zoom + 3);
        QVERIFY(f.ed->hasSelection());
        const QString saved = f.folder.path() + QStringLiteral("/van plan.kla");
        f.dialogs.saveAnswers.push_back({saved, 1});
        QVERIFY(f.ed->saveLayout());
        QCOMPARE(f.dialogs.asked.back().text, QStringLiteral("Agencements Kestrion (*.kla)|*.kla"));
        QVERIFY(!f.ed->isModified());
        QVERIFY(!f.ed->hasSelection());
        EditorFixture g;
        g.ed->openAtStartup(saved);
        QVERIFY(g.table().count() == 2);
        QVERIFY(g.table() == f.table());
        QVERIFY(g.ed->layout().isOpen);
        QVERIFY(!g.ed->isModified());
        QCOMPARE(g.ed->view().zoomText, QString::number(percent));
    }

    // "Enregistrer" on a full disk: the file saved before stays whole, no temporary file
    // is left, the user is told and the layout still has changes to save.
    void saveOnFullDisk() {
        testkit::SmallDisk disk;
        if (!disk.unavailable().isEmpty())
            QSKIP(qPrintable(disk.unavailable()));
        EditorFixture f;
        f.openTwoObjects();
        const QString path = disk.filePath(QStringLiteral("plan.kla"));
        f.dialogs.saveAnswers.push_back({path, 1});
        QVERIFY(f.ed->saveLayout());
        const QByteArray saved = f.files.readFile(path).value_or("");
        QList<document::PlanObject> objects;
        for (int i = 0; i < 200; ++i)
            objects.append(
                testkit::planObject(document::ObjectKind::Rectangle, float(i), 50, 20, 30));
        f.addAll(objects);
        f.ed->createObject(document::ObjectKind::Rectangle);
        QVERIFY(f.ed->isModified());
        QVERIFY(disk.fill());
        const QStringList names = disk.names();
        f.dialogs.saveAnswers.push_back({path, 1});
        QVERIFY(!f.ed->saveLayout());
        QCOMPARE(f.dialogs.lastMessage().text, QStringLiteral("Agencement non sauvegardé"));
        QVERIFY(f.ed->isModified());
        QCOMPARE(f.files.readFile(path).value_or(""), saved);
        QCOMPARE(disk.names(), names);
    }

    // An export whose dialog is answered with the open layout's own file (or a link to it)
    // is refused with a message and leaves the layout file as it was.
    void outputOntoTheOpenLayout_data() {
        QTest::addColumn<QString>("output");
        QTest::addColumn<bool>("link");
        QTest::newRow("picture") << "picture" << false;
        QTest::newRow("picture through a link") << "picture" << true;
        QTest::newRow("PDF") << "pdf" << false;
        QTest::newRow("parts list") << "parts" << true;
    }
    void outputOntoTheOpenLayout() {
        QFETCH(QString, output);
        QFETCH(bool, link);
        EditorFixture f;
        f.openTwoObjects();
        const QString path = f.folder.path() + QStringLiteral("/plan.kla");
        f.dialogs.saveAnswers.push_back({path, 1});
        QVERIFY(f.ed->saveLayout());
        const QByteArray saved = f.files.readFile(path).value_or("");
        const QString target = link ? f.folder.path() + QStringLiteral("/lien.csv") : path;
        QVERIFY(!link || QFile::link(path, target));
        f.dialogs.saveAnswers.push_back({target, 1});
        if (output == QLatin1String("picture"))
            f.ed->exportPicture();
        else if (output == QLatin1String("pdf"))
            f.ed->exportPdf(output::ScaleSetup{});
        else
            f.ed->exportPartsList();
        QVERIFY2(f.dialogs.lastMessage().text.contains(QStringLiteral("l'agencement lui-même")),
                 qPrintable(f.dialogs.lastMessage().text));
        QCOMPARE(f.files.readFile(path).value_or(""), saved);
    }

    // A 30 x 20 cm object at (50, 50): pictures from outside the library are replaced by
    // black and named when the layout opens; names in another letter case find their file.
    void openReplacesPicturesItCannotShow_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("fill");
        QTest::addColumn<QChar>("listed"); // t: as a missing texture, a: accessory
        QTest::addColumn<QRgb>("colour");
        const QString outside = QStringLiteral("../rouge.bmp");
        QTest::newRow("texture in another case")
            << QStringLiteral("1") << QStringLiteral("BOIS.BMP") << QChar(u' ')
            << qRgb(150, 90, 30);
        QTest::newRow("accessory in another case")
            << QStringLiteral("9") << EditorFixture::kAccessory.toUpper() << QChar(u' ')
            << qRgb(0, 128, 0);
        QTest::newRow("texture outside the library")
            << QStringLiteral("1.2") << outside << QChar(u't') << qRgb(0, 0, 0);
        QTest::newRow("accessory outside the library")
            << QStringLiteral("9,2") << outside << QChar(u'a') << qRgb(0, 0, 0);
    }
    void openReplacesPicturesItCannotShow() {
        QFETCH(QString, kind);
        QFETCH(QString, fill);
        QFETCH(QChar, listed);
        QFETCH(QRgb, colour);
        EditorFixture f;
        f.folder.addPicture(QString(), QStringLiteral("rouge.bmp"), 50, 50, qRgb(255, 0, 0));
        const QString path =
            testkit::writeLayoutText(f.folder.path() + "/pictures.kla", EditorFixture::kVehicle,
                                     "100", {kind, "50", "50", "20", "30", fill, "1", "0"});
        f.dialogs.openAnswers.push_back({path, 1});
        f.ed->chooseAndOpenLayout();
        QCOMPARE(f.table().count(), 1);
        const QString message =
            document::missingPicturesMessage(listed == u't' ? QStringList{fill} : QStringList{},
                                             listed == u'a' ? QStringList{fill} : QStringList{});
        QCOMPARE(f.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QImage inside(56, 36, f.ed->canvas().image().format()); // the 60 x 40 px box
        inside.fill(colour);
        QCOMPARE(f.ed->canvas().image().copy(52, 52, 56, 36), inside);
    }
};

QTEST_MAIN(TestEditorLayout)
#include "tst_editorlayout.moc"
