// Guards the scripted dialogs, the settings store and the file operations.
#include "platform/FileSystem.h"
#include "platform/ScriptedDialogService.h"
#include "platform/SettingsStore.h"
#include "testkit/TestKit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace platform;

namespace {

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QByteArray readBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

// Limits the size of files this process may write, for the life of the object.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit saved_{};
    void (*previous_)(int) = nullptr;
};

} // namespace

class TestPlatformServices : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void scriptedFallbacks_data() {
        QTest::addColumn<MsgButtons>("buttons");
        QTest::addColumn<MsgResult>("unanswered");
        QTest::newRow("OK box") << MsgButtons::Ok << MsgResult::Ok;
        QTest::newRow("Yes/No box says No") << MsgButtons::YesNo << MsgResult::No;
        QTest::newRow("Yes/No/Cancel box cancels") << MsgButtons::YesNoCancel << MsgResult::Cancel;
    }
    void scriptedFallbacks() {
        QFETCH(MsgButtons, buttons);
        QFETCH(MsgResult, unanswered);
        ScriptedDialogService d;
        QCOMPARE(d.messageBox(QStringLiteral("t"), QStringLiteral("T"), MsgIcon::Question, buttons),
                 unanswered);
    }

    void scriptedAnswersInOrderAndRecords() {
        ScriptedDialogService d;
        d.messageAnswers = {MsgResult::Yes, MsgResult::No};
        d.inputAnswers = {QStringLiteral("42")};
        d.saveAnswers = {FileDialogResult{QStringLiteral("/tmp/a.kla"), 2}};
        QCOMPARE(d.messageBox(QStringLiteral("un"), QStringLiteral("Sauvegarde :"),
                              MsgIcon::Question, MsgButtons::YesNoCancel),
                 MsgResult::Yes);
        QCOMPARE(d.inputBox(QStringLiteral("Valeur ?"), kProgramName, QString()),
                 QStringLiteral("42"));
        QCOMPARE(d.inputBox(QStringLiteral("Encore ?"), kProgramName, QStringLiteral("7")),
                 QString());
        FileDialogRequest save;
        save.filter = QStringLiteral("Agencements Kestrion (*.kla)|*.kla");
        save.overwritePrompt = true;
        const FileDialogResult chosen = d.saveFile(save);
        QCOMPARE(chosen.fileName, QStringLiteral("/tmp/a.kla"));
        QCOMPARE(chosen.filterIndex, 2);
        QVERIFY(d.openFile(FileDialogRequest{}).cancelled());
        QCOMPARE(d.messageBox(QStringLiteral("deux"), QStringLiteral("Erreur :"), MsgIcon::Critical,
                              MsgButtons::Ok),
                 MsgResult::No); // a queued answer wins over the fallback

        QCOMPARE(d.messages(), (QStringList{"un", "deux"}));
        QCOMPARE(d.asked.size(), std::size_t(6));
        QCOMPARE(d.asked[3].kind, ScriptedDialogService::Kind::Save);
        QVERIFY(d.asked[3].overwritePrompt);
        QCOMPARE(d.asked[3].text, save.filter);
        const auto* last = d.lastMessage();
        QVERIFY(last);
        QCOMPARE(last->title, QStringLiteral("Erreur :"));
        QCOMPARE(last->icon, MsgIcon::Critical);
        d.clear();
        QVERIFY(d.asked.empty() && !d.lastMessage());
    }

    void settingsRoundTrip_data() {
        QTest::addColumn<int>("genre");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QString>("readBack");
        QTest::newRow("genre 0 keeps text") << 0 << "HKLM\\Software\\Kestrion\\x"
                                            << "a b, c" << true << "a b, c";
        QTest::newRow("genre 1 integer") << 1 << "HKLM\\Software\\Kestrion\\larlig"
                                         << " 37 " << true << "37";
        QTest::newRow("genre 1 refuses text") << 1 << "HKLM\\Software\\Kestrion\\bad"
                                              << "abc" << false << "";
        QTest::newRow("trailing backslash is the default value")
            << 0 << "HKCR\\.kla\\"
            << "Kestrion.Agencement" << true << "Kestrion.Agencement";
        QTest::newRow("accents survive")
            << 0 << "HKCR\\Kestrion.Agencement\\"
            << "Agencement Kestrion, véhicule" << true << "Agencement Kestrion, véhicule";
    }
    void settingsRoundTrip() {
        QFETCH(int, genre);
        QFETCH(QString, name);
        QFETCH(QString, value);
        QFETCH(bool, written);
        QFETCH(QString, readBack);
        const QString ini = dir_.filePath(QStringLiteral("store.ini"));
        QSettingsStore writer(ini);
        QCOMPARE(writer.write(genre, name, value), written);
        QSettingsStore reader(ini); // every call opens the store afresh
        QCOMPARE(reader.read(name).value_or(QString()), readBack);
        QCOMPARE(reader.read(name).has_value(), written);
    }

    void defaultValueIsItsOwnEntry() {
        const QString ini = dir_.filePath(QStringLiteral("keys.ini"));
        QSettingsStore s(ini);
        QVERIFY(s.write(0, QStringLiteral("HKCR\\.kla\\"), QStringLiteral("defaut")));
        QVERIFY(s.write(0, QStringLiteral("HKCR\\.kla\\Content"), QStringLiteral("autre")));
        QCOMPARE(*s.read(QStringLiteral("HKCR\\.kla\\")), QStringLiteral("defaut"));
        QCOMPARE(*s.read(QStringLiteral("HKCR\\.kla\\Content")), QStringLiteral("autre"));
        QVERIFY(!s.read(QStringLiteral("HKCR\\.kla")));
    }

    void listFolderOrderAndPattern() {
        const QString folder = dir_.filePath(QStringLiteral("lib"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/sub.jpg")));
        for (const char* n : {"b.jpg", "A.BMP", "a.gif", "c.jpeg", "d.png", "e.jpg.txt", "B.Gif"})
            QVERIFY(writeBytes(folder + QLatin1Char('/') + QLatin1String(n), "x"));
        FileSystem fs;
        QCOMPARE(fs.listFolder(folder, kPicturePattern).value_or(QStringList{}),
                 (QStringList{"A.BMP", "a.gif", "B.Gif", "b.jpg", "c.jpeg"}));
        QCOMPARE(fs.listFolder(folder, QStringLiteral("*.png")).value_or(QStringList{}),
                 QStringList{"d.png"});
        QVERIFY(!fs.listFolder(folder + QStringLiteral("/absent"), kPicturePattern));
    }

    void writeSafelyReplaces() {
        FileSystem fs;
        const QString path = dir_.filePath(QStringLiteral("plan.kla"));
        QVERIFY(fs.writeFileSafely(path, "old contents"));
        QVERIFY(fs.writeFileSafely(path, "new"));
        QCOMPARE(readBytes(path), QByteArray("new"));
        QCOMPARE(*fs.readFile(path), QByteArray("new"));
        QVERIFY(!fs.readFile(dir_.filePath(QStringLiteral("absent"))));
    }

    void failedWriteKeepsTheOldFile() {
        FileSystem fs;
        const QString path = dir_.filePath(QStringLiteral("kept.kla"));
        QVERIFY(fs.writeFileSafely(path, "earlier layout"));
        {
            // A write that runs out of room half-way: the disk-full case.
            const FileSizeLimit limit(4096);
            QVERIFY(!fs.writeFileSafely(path, QByteArray(64 * 1024, 'x')));
        }
        QCOMPARE(readBytes(path), QByteArray("earlier layout"));
        const QStringList leftovers =
            QDir(dir_.path()).entryList({QStringLiteral("kept.kla*")}, QDir::Files);
        QCOMPARE(leftovers, QStringList{"kept.kla"});
    }

    void writeOntoAFolderFails() {
        FileSystem fs;
        const QString folder = dir_.filePath(QStringLiteral("a folder.kla"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/inside")));
        QVERIFY(!fs.writeFileSafely(folder, "x"));
        QVERIFY(QFileInfo(folder + QStringLiteral("/inside")).isDir());
        QVERIFY(!fs.writeFileSafely(dir_.filePath(QStringLiteral("no/such/folder.kla")), "x"));
    }
};

QTEST_GUILESS_MAIN(TestPlatformServices)
#include "tst_platformservices.moc"
