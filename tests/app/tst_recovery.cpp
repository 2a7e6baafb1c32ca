// Guards the recovery copy: a program killed with unsaved changes leaves a copy that the
// next start offers and restores exactly; a normal quit leaves none.
#include "app/MainWindow.h"
#include "document/LayoutFile.h"
#include "platform/FileSystem.h"
#include "platform/SettingsStore.h"
#include "testkit/ScriptedDialogService.h"
#include "testkit/TestKit.h"

#include <QtTest>
#include <QtWidgets>

#include <memory>

#include <csignal>

using document::ObjectKind;
using platform::MsgResult;

Q_DECLARE_METATYPE(MsgResult)

namespace {

const QString kVehicle = QStringLiteral("Van_Fourgon_Dessus_XY_5000_.bmp");
const QString kChild = QStringLiteral("--editing-child");

// A window on a program folder, writing its recovery copies into `recovery` soon after
// each change.
struct Window {
    testkit::ScriptedDialogService dialogs;
    platform::MemoryStore store;
    platform::FileSystem files;
    QTemporaryDir home;
    std::unique_ptr<app::MainWindow> form;

    Window(const QString& program, const QString& recovery, const QString& layout = QString()) {
        app::MainWindowServices services{
            dialogs, store,       files,
            {},      home.path(), [](const QString&, const QStringList&) {
                return true; },
            false,   recovery,    50};
        form = std::make_unique<app::MainWindow>(services, program, layout);
    }
    editor::Editor& editor() { return form->editor(); }

    // Edits as the window's controls do: a rectangle resized, then a line.
    void edit() {
        editor().createObject(ObjectKind::Rectangle);
        editor().dimensionTextChanged(editor::Dimension::Width, QStringLiteral("77"));
        editor().dimensionsConfirmed();
        editor().createObject(ObjectKind::Line);
        form->refresh();
    }
};

QStringList copiesIn(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.kla")}, QDir::Files);
}

bool waitForCopy(const QString& folder) {
    return QTest::qWaitFor([&] { return !copiesIn(folder).isEmpty(); }, 20000);
}

// The program that gets killed: opens the layout, edits it, writes what it holds then
// into expected.kla, and runs until the test ends it.
int runEditingChild(int argc, char** argv) {
    QApplication app(argc, argv);
    testkit::setUpTestEnvironment();
    const QStringList args = app.arguments();
    Window window(args[2], args[3], args[4]);
    window.edit();
    const QByteArray expected =
        document::layoutFileText(window.editor().layoutAsSaved(), window.editor().locale());
    if (!window.files.writeFileSafely(args[2] + QStringLiteral("/expected.kla"), expected))
        return 1;
    return app.exec();
}

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT

    testkit::ProgramFolder folder_;
    QString layout_;

private Q_SLOTS:
    void initTestCase() {
        testkit::setUpTestEnvironment();
        folder_.addPicture(QStringLiteral("vehicules"), kVehicle, 1000, 500, qRgb(220, 220, 255));
        document::Layout layout;
        layout.vehicleFile = kVehicle;
        layout_ = folder_.path() + QStringLiteral("/plan d'été.kla");
        platform::FileSystem files;
        QVERIFY(document::writeLayoutFile(layout_, layout, QLocale(), files));
    }

    // Restored, the copy is the layout as it was edited, under the layout's own name and
    // modified; kept for later, it is offered again; deleted, it is gone.
    void killedWithChangesThenRestarted_data() {
        QTest::addColumn<MsgResult>("answer");
        QTest::newRow("restore") << MsgResult::Restore;
        QTest::newRow("keep for later") << MsgResult::Keep;
        QTest::newRow("discard") << MsgResult::Discard;
    }
    void killedWithChangesThenRestarted() {
        QFETCH(MsgResult, answer);
        QTemporaryDir recovery;
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {kChild, folder_.path(), recovery.path(), layout_});
        QVERIFY(child.waitForStarted());
        QVERIFY2(waitForCopy(recovery.path()), "no recovery copy written");
        const QStringList copies = copiesIn(recovery.path());
        QCOMPARE(copies.size(), 1);
        QVERIFY2(copies.front().endsWith(QStringLiteral("_plan d'été.kla")),
                 qPrintable(copies.front()));
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished(10000));
        const QByteArray expected = platform::FileSystem()
                                        .readFile(folder_.path() + QStringLiteral("/expected.kla"))
                                        .value_or("");
        QVERIFY(!expected.isEmpty());

        Window next(folder_.path(), recovery.path());
        next.dialogs.messageAnswers.push_back(answer);
        next.form->offerRecoveredCopies();
        QCOMPARE(next.dialogs.messages().size(), 1);
        const auto asked = next.dialogs.lastMessage();
        QVERIFY(asked.buttons == platform::MsgButtons::RestoreKeepDiscard);
        QVERIFY2(asked.text.contains(QStringLiteral("« plan d'été.kla »")), qPrintable(asked.text));
        const document::Layout& layout = next.editor().layout();
        QCOMPARE(layout.isOpen, answer == MsgResult::Restore);
        if (answer == MsgResult::Restore) {
            QCOMPARE(
                document::layoutFileText(next.editor().layoutAsSaved(), next.editor().locale()),
                expected);
            QCOMPARE(layout.filePath, layout_);
            QVERIFY(next.editor().isModified());
            // The restored layout's copy is now this session's own.
            QVERIFY(!copiesIn(recovery.path()).contains(copies.front()));
        }
        QCOMPARE(copiesIn(recovery.path()).size(), answer == MsgResult::Discard ? 0 : 1);
        // Another start offers only what was kept.
        Window third(folder_.path(), recovery.path());
        third.dialogs.messageAnswers.push_back(MsgResult::Keep); // kept again, when offered
        third.form->offerRecoveredCopies();
        QCOMPARE(third.dialogs.messages().size(), answer == MsgResult::Keep ? 1 : 0);
    }

    // Saving removes the copy; a quit without saving, answered on purpose, leaves none.
    void savedOrQuitLeavesNoCopy() {
        QTemporaryDir recovery;
        {
            Window window(folder_.path(), recovery.path(), layout_);
            window.form->show();
            window.edit();
            QVERIFY(waitForCopy(recovery.path()));
            const QString saved = folder_.path() + QStringLiteral("/enregistré.kla");
            window.dialogs.saveAnswers.push_back({saved, 1});
            QVERIFY(window.editor().saveLayout());
            window.form->refresh();
            QVERIFY(copiesIn(recovery.path()).isEmpty());
            window.edit();
            QVERIFY(waitForCopy(recovery.path()));
            QVERIFY2(copiesIn(recovery.path()).front().endsWith(QStringLiteral("_enregistré.kla")),
                     qPrintable(copiesIn(recovery.path()).front()));
            window.dialogs.messageAnswers.push_back(MsgResult::No);
            QVERIFY(window.form->close());
            QVERIFY(copiesIn(recovery.path()).isEmpty());
        }
        QVERIFY(QDir(recovery.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
    }

    // A never-saved layout's copy is named apart from any layout's, and a copy of a
    // session still running is not offered.
    void neverSavedAndRunningSessions() {
        QTemporaryDir recovery;
        Window first(folder_.path(), recovery.path());
        first.dialogs.clear();
        first.form->show();
        // A layout never saved, as a recovered copy of one opens.
        first.editor().openRecoveredCopy(layout_, QString());
        first.edit();
        QVERIFY(waitForCopy(recovery.path()));
        QVERIFY(
            copiesIn(recovery.path()).front().endsWith(QStringLiteral("_Nouvel agencement.kla")));
        Window second(folder_.path(), recovery.path());
        second.form->offerRecoveredCopies();
        QVERIFY(second.dialogs.messages().isEmpty());
    }

    // A 1000-object layout's copy: written whole, and readable as the layout.
    void largeLayoutCopy() {
        QTemporaryDir recovery;
        document::Layout layout;
        layout.vehicleFile = kVehicle;
        for (int i = 0; i < 1000; ++i)
            layout.objects.append(document::PlanObject{});
        editor::RecoveryCopies copies(recovery.path());
        QVERIFY(copies.write(layout, QLocale()));
        const QStringList names = copiesIn(recovery.path());
        QCOMPARE(names.size(), 1);
        QCOMPARE(platform::FileSystem().readFile(recovery.filePath(names.front())).value_or(""),
                 document::layoutFileText(layout, QLocale()));
    }
};

int main(int argc, char** argv) {
    if (argc > 4 && QString::fromLocal8Bit(argv[1]) == kChild)
        return runEditingChild(argc, argv);
    QApplication app(argc, argv);
    TestRecovery test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_recovery.moc"
