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
        f.s().view.view = render::View{2.0f, 30, 40};
        const document::ObjectTable before = f.table();
        const QString loading =
            QStringLiteral("Problème intervenu lors du chargement de l'agencement");
        for (const auto& [choice, last] :
             {std::pair{QString(), QString()},
              {QStringLiteral("Van_Fourgon_Cote_XZ_5000_.jpg"), loading},
              {QStringLiteral("Van_Fourgon_Cote_XZ_0_.bmp"), loading},
              {QStringLiteral("bad.kla"), QStringLiteral("Erreur :")}}) {
            const qsizetype shown = f.dialogs.messages().size();
            f.s().layout.modified = true;
            f.dialogs.messageAnswers.push_back(MsgResult::No);
            f.dialogs.openAnswers.push_back({bad.fileName(), 1});
            f.nextChoice = editor::NewLayoutChoice{choice, true, true};
            if (choice.isEmpty())
                f.nextChoice.reset();
            const bool opening = choice == QLatin1String("bad.kla");
            opening ? f.ed->chooseAndOpenLayout() : f.ed->newLayout();
            QVERIFY(f.table() == before);
            QCOMPARE(f.s().layout.vehicleFile, EditorFixture::kVehicle);
            QVERIFY(!f.s().layout.mirrorLeftRight);
            QVERIFY(f.s().layout.isOpen);
            QCOMPARE(f.s().view.view.zoom, 2.0f);
            QCOMPARE(f.dialogs.messages().size(), shown + (last.isEmpty() ? 1 : 2));
            if (!last.isEmpty())
                QCOMPARE(opening ? f.dialogs.lastMessage().title : f.dialogs.lastMessage().text,
                         last);
            // Declined when a file was chosen to open, the offer to save counts as saved.
            QCOMPARE(f.s().layout.modified, !opening);
        }
        QCOMPARE(f.dialogs.asked.front().title, QStringLiteral("Nouvel agencement :"));
        f.click(20, 20);
        f.s().layout.modified = true;
        const int closed = f.browserClosed;
        f.dialogs.messageAnswers.push_back(MsgResult::No);
        f.nextChoice = editor::NewLayoutChoice{EditorFixture::kVehicle, true, false};
        f.ed->newLayout();
        QCOMPARE(f.browserClosed, closed + 1);
        QVERIFY(f.table().count() == 0);
        QVERIFY(f.s().layout.mirrorLeftRight);
        QCOMPARE(f.s().view.view.zoom, 1.f);
        QVERIFY(f.s().controls.layoutEnabled);
        QVERIFY(!f.s().layout.modified);
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
        QCOMPARE(f.s().view.zoomText, QString::number(percent));
        const float zoom = f.s().view.view.zoom;
        QCOMPARE(zoom, float(percent / 100.0));
        f.add(1, 10, 10, 20, 30);
        f.add(2, 100, 10, 20, 30);
        f.s().layout.modified = true;
        f.click(10 * zoom + 3, 10 * zoom + 3);
        QVERIFY(f.s().hasSelection());
        const QString saved = f.folder.path() + QStringLiteral("/van plan.kla");
        f.dialogs.saveAnswers.push_back({saved, 1});
        QVERIFY(f.ed->saveLayout());
        QCOMPARE(f.dialogs.asked.back().text, QStringLiteral("Agencements Kestrion (*.kla)|*.kla"));
        QVERIFY(!f.s().layout.modified);
        QVERIFY(!f.s().hasSelection());
        EditorFixture g;
        g.ed->openAtStartup(saved);
        QVERIFY(g.table().count() == 2);
        QVERIFY(g.table() == f.table());
        QVERIFY(g.s().layout.isOpen);
        QVERIFY(!g.s().layout.modified);
        QCOMPARE(g.s().view.zoomText, QString::number(percent));
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
        QImage inside(56, 36, f.s().canvas.image().format()); // the 60 x 40 px box
        inside.fill(colour);
        QCOMPARE(f.s().canvas.image().copy(52, 52, 56, 36), inside);
    }
};

QTEST_MAIN(TestEditorLayout)
#include "tst_editorlayout.moc"
