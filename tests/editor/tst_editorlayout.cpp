// Guards new, open, save, quit and export, and that a refused command changes nothing.
#include "EditorFixture.h"

#include "document/LayoutFile.h"
#include "document/Palette.h"
#include "library/LayoutOpening.h"
#include "output/HeadlessExport.h"
#include "platform/SettingsStore.h"
#include "settings/PreferenceStore.h"

#include <QFile>
#include <QImage>
#include <QTextStream>
#include <QtTest>

using platform::MsgResult;

namespace {

// Writes a "Kestrion 2" file by hand, so that its fields can hold what the writer never
// writes; objectLines holds eight lines per object.
QString writeLayoutFile(const QString& path, const QString& vehicle, const QString& zoom,
                        const QStringList& objectLines) {
    const QStringList lines = QStringList{QStringLiteral("Kestrion 2"),
                                          vehicle,
                                          QStringLiteral("0"),
                                          QStringLiteral("0"),
                                          QString::number(objectLines.size() / 8),
                                          zoom} +
                              objectLines;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8()) < 0)
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// True when every pixel of the plan's area has the colour.
bool areaIs(const platform::Surface& plan, const QRect& area, platform::Colour colour) {
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (plan.Point(x, y) != colour)
                return false;
    return true;
}

} // namespace

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
        f.ed->newLayout();
        QCOMPARE(f.dialogs.asked.front().title, QStringLiteral("Nouvel agencement :"));
        QCOMPARE(f.browserClosed, 2);
        QCOMPARE(f.table().count(), 0);
        QVERIFY(f.s().layout.mirrorLeftRight);
        QCOMPARE(f.s().view.view.zoom, 1.f);
        QVERIFY(f.s().controls.layoutEnabled);
        QVERIFY(!f.s().layout.modified);
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
        f.ed->newLayout();
        QVERIFY(f.table() == before);
        QVERIFY(f.s().layout.modified);
        QCOMPARE(f.s().layout.vehicleFile, EditorFixture::kVehicle);
        QVERIFY(!f.s().layout.mirrorLeftRight);
        QCOMPARE(f.s().view.view.zoom, 2.0f);
        QCOMPARE(f.dialogs.messages().size(), choice.isEmpty() ? 1 : 2);
        if (!choice.isEmpty())
            QCOMPARE(f.dialogs.lastMessage().text,
                     QStringLiteral("Problème intervenu lors du chargement de l'agencement"));
    }

    void saveWithSelectionWritesItAndReopens() {
        EditorFixture f;
        f.openTwoObjects();
        f.click(20, 20);
        const QString path = f.folder.path() + QStringLiteral("/van plan.kla");
        f.dialogs.saveAnswers.push_back({path, 1});
        QVERIFY(f.ed->saveLayout());
        QCOMPARE(f.dialogs.asked.back().text, QStringLiteral("Agencements Kestrion (*.kla)|*.kla"));
        QVERIFY(!f.s().layout.modified);
        QVERIFY(!f.s().hasSelection());
        EditorFixture g;
        g.ed->openAtStartup(path);
        QCOMPARE(g.table().count(), 2);
        QCOMPARE(g.object(1).position.x, 10.f);
        QCOMPARE(g.object(2).position.x, 100.f);
        QVERIFY(g.s().layout.isOpen && !g.s().layout.modified);
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
        f.ed->chooseAndOpenLayout();
        QVERIFY(f.table() == before);
        QCOMPARE(f.dialogs.lastMessage().title, QStringLiteral("Erreur :"));
        QVERIFY(f.s().layout.isOpen);
        QVERIFY(!f.s().layout.modified); // offered to save, then refused: counts as saved
    }

    // The zoom box shows the zoom the plan is drawn at, that zoom is saved again, and the
    // headless export draws the same file at the same zoom.
    void openedZoomIsTheZoomUsed_data() {
        QTest::addColumn<QString>("field"); // the zoom line of the file
        QTest::addColumn<int>("percent");
        QTest::newRow("above 1600") << "5000" << 1600;
        QTest::newRow("decimal comma, quoted") << "\"75,5\"" << 76;
        QTest::newRow("nan") << "nan" << 100;
    }
    void openedZoomIsTheZoomUsed() {
        QFETCH(QString, field);
        QFETCH(int, percent);
        EditorFixture f;
        const QString vehicle = QStringLiteral("Mini_Van_Dessus_XY_5000_.bmp");
        f.folder.addPicture(QStringLiteral("vehicules"), vehicle, 20, 10);
        const QString path =
            writeLayoutFile(f.folder.path() + QStringLiteral("/zoom.kla"), vehicle, field, {});
        f.dialogs.openAnswers.push_back({path, 1});
        f.ed->chooseAndOpenLayout();
        QCOMPARE(f.s().view.zoomText, QString::number(percent));
        QCOMPARE(f.s().view.view.zoom, float(percent / 100.0));

        const QString saved = f.folder.path() + QStringLiteral("/saved.kla");
        f.dialogs.saveAnswers.push_back({saved, 1});
        QVERIFY(f.ed->saveLayout());
        const document::LoadOutcome reread =
            library::readLayoutFile(saved, f.folder.path(), f.files);
        QVERIFY2(reread.ok(), qPrintable(reread.errorMessage));
        QCOMPARE(reread.contents->zoomText, QString::number(percent));

        platform::MemoryStore store; // export the whole canvas
        store.values.insert(settings::PreferenceStore::key(QStringLiteral("autozone")),
                            QStringLiteral("0"));
        const QString picture = f.folder.path() + QStringLiteral("/zoom.bmp");
        QString errors;
        QTextStream err(&errors);
        QCOMPARE(output::runHeadlessExport({QStringLiteral("--export"), path, picture},
                                           f.folder.path(), store, err),
                 0);
        const QSize plan(qRound(20 * percent / 100.0), qRound(10 * percent / 100.0));
        QCOMPARE(QImage(picture).size(), plan + QSize(0, 20)); // the stamp band below
    }

    // Pictures from outside the library are replaced and named when the layout opens;
    // names in another letter case find their file.
    void openReplacesPicturesItCannotShow_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("fill");
        QTest::addColumn<QString>("listed"); // "t": as a texture, "a": as an accessory
        QTest::addColumn<platform::Colour>("colour");
        const platform::Colour black = platform::kBlack;
        QTest::newRow("texture in another letter case") << "1"
                                                        << "BOIS.BMP"
                                                        << "" << platform::rgb(150, 90, 30);
        QTest::newRow("accessory in another letter case")
            << "9" << EditorFixture::kAccessory.toUpper() << "" << platform::rgb(0, 128, 0);
        QTest::newRow("kind 1.2: texture outside the library") << "1.2"
                                                               << "../rouge.bmp"
                                                               << "t" << black;
        QTest::newRow("kind 9.2: accessory outside the library") << "9,2"
                                                                 << "../rouge.bmp"
                                                                 << "a" << black;
    }
    void openReplacesPicturesItCannotShow() {
        QFETCH(QString, kind);
        QFETCH(QString, fill);
        QFETCH(QString, listed);
        QFETCH(platform::Colour, colour);
        EditorFixture f;
        f.folder.addPicture(QString(), QStringLiteral("rouge.bmp"), 50, 50, qRgb(255, 0, 0));
        // 30 x 20 cm at 2 px/cm: a 60 x 40 pixel box from (50, 50).
        const QString path = writeLayoutFile(f.folder.path() + QStringLiteral("/pictures.kla"),
                                             EditorFixture::kVehicle, QStringLiteral("100"),
                                             {kind, "50", "50", "20", "30", fill, "1", "0"});
        f.dialogs.openAnswers.push_back({path, 1});
        f.ed->chooseAndOpenLayout();
        QCOMPARE(f.table().count(), 1);
        const QString message =
            document::missingPicturesMessage(listed == "t" ? QStringList{fill} : QStringList{},
                                             listed == "a" ? QStringList{fill} : QStringList{});
        QCOMPARE(f.dialogs.messages(), message.isEmpty() ? QStringList() : QStringList{message});
        QVERIFY(areaIs(f.s().canvas, QRect(52, 52, 56, 36), colour));
    }
};

QTEST_MAIN(TestEditorLayout)
#include "tst_editorlayout.moc"
