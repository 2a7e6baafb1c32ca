// Guards where the library lives: beside a writable program, or in the user's data folder
// for an installed one, seeded once from the installed sample library and never again.
#include "library/LibraryLocation.h"
#include "platform/FileSystem.h"
#include "testkit/TestKit.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList kSampleFiles = {QStringLiteral("vehicules/Fourgon_L1H1_Dessus_XY_5000_.jpg"),
                                  QStringLiteral("accessoires/Cuisine_Frigo_50_85_XZ_.gif"),
                                  QStringLiteral("textures/Bois.bmp")};

// prefix/bin holds the program, prefix/share/kestrion an installed sample library.
struct Tree {
    QTemporaryDir dir;
    platform::FileSystem fs;
    QString bin() const { return dir.path() + QStringLiteral("/bin"); }
    QString share() const { return dir.path() + QStringLiteral("/share/kestrion"); }
    QString dataHome() const { return dir.path() + QStringLiteral("/home/.local/share"); }
    QString userLibrary() const { return dataHome() + QStringLiteral("/kestrion"); }
    explicit Tree(bool sampleInstalled) {
        QDir().mkpath(bin());
        for (const QString& file : kSampleFiles)
            if (sampleInstalled && !write(share() + u'/' + file, file.toUtf8()))
                qFatal("cannot write the sample library");
    }
    bool write(const QString& path, const QByteArray& bytes) {
        return QDir().mkpath(QFileInfo(path).absolutePath()) && fs.writeFileSafely(path, bytes);
    }
    QByteArray read(const QString& path) const { return fs.readFile(path).value_or("<missing>"); }
    library::LibraryLocation locate(bool writable) const {
        return library::locateLibrary(
            {bin(), dataHome(), [writable](const QString&) { return writable; }}, fs);
    }
};

} // namespace

class TestLibraryLocation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void locationFollowsTheProgramFolder_data() {
        QTest::addColumn<bool>("writable");
        QTest::addColumn<bool>("sampleInstalled");
        QTest::addColumn<bool>("installed");
        QTest::newRow("writable build folder: beside the program") << true << false << false;
        QTest::newRow("read-only folder of an installed program: user's folder")
            << false << true << true;
        QTest::newRow("installed tree writable by root still uses the user's folder")
            << true << true << true;
        QTest::newRow("read-only folder without a sample library: user's folder, unseeded")
            << false << false << true;
    }
    void locationFollowsTheProgramFolder() {
        QFETCH(bool, writable);
        QFETCH(bool, sampleInstalled);
        QFETCH(bool, installed);
        Tree tree(sampleInstalled);
        const library::LibraryLocation location = tree.locate(writable);
        QCOMPARE(location.installed, installed);
        QCOMPARE(location.root, installed ? tree.userLibrary() : tree.bin());
        QCOMPARE(location.sampleLibrary, sampleInstalled ? tree.share() : QString());
        // Before the first start a command without a window reads the sample library.
        QCOMPARE(library::readableLibrary(location, tree.fs),
                 installed && sampleInstalled ? tree.share() : location.root);
        QVERIFY(library::prepareUserLibrary(location, tree.fs));
        QCOMPARE(library::readableLibrary(location, tree.fs), location.root);
        QCOMPARE(QFileInfo::exists(tree.userLibrary()), installed);
        for (const QString& name : library::kLibraryFolders)
            QCOMPARE(QFileInfo(location.root + u'/' + name).isDir(), installed);
        QCOMPARE(QFileInfo::exists(tree.userLibrary() + u'/' + kSampleFiles[0]),
                 installed && sampleInstalled);
    }

    void userLibraryIsSeededOnlyOnce() {
        Tree tree(true);
        const library::LibraryLocation location = tree.locate(false);
        QVERIFY(library::prepareUserLibrary(location, tree.fs));
        const QString root = location.root + u'/';
        for (const QString& file : kSampleFiles)
            QCOMPARE(tree.read(root + file), file.toUtf8());
        // The user's changes, then a newer sample library.
        const QString wood = kSampleFiles[2], mine = QStringLiteral("accessoires/Lit_9_9_XY_.bmp");
        QVERIFY(tree.write(root + wood, "mine"));
        QVERIFY(tree.write(root + mine, "imported"));
        QVERIFY(QDir(root + QStringLiteral("vehicules")).removeRecursively());
        QVERIFY(tree.write(tree.share() + u'/' + wood, "newer sample"));
        QVERIFY(library::prepareUserLibrary(location, tree.fs));
        // The missing folder is made again, empty; everything else stays as the user left it.
        QVERIFY(QDir(root + QStringLiteral("vehicules")).isEmpty());
        QCOMPARE(tree.read(root + wood) + tree.read(root + mine), QByteArray("mineimported"));
    }

    // A first start on a full disk copies what fits, each file whole, and says so; the
    // next start with room completes the copy without touching what is already there.
    void copyCutShortIsCompletedLater() {
        testkit::SmallDisk disk(256);
        if (!disk.unavailable().isEmpty())
            QSKIP(qPrintable(disk.unavailable()));
        Tree tree(false);
        const QByteArray big(120 * 1024, 'p');
        for (const QString& file : kSampleFiles)
            QVERIFY(tree.write(tree.share() + u'/' + file, file.toUtf8() + big));
        library::LibraryLocation location = tree.locate(false);
        location.root = disk.filePath(QStringLiteral("kestrion"));
        QVERIFY(!library::prepareUserLibrary(location, tree.fs));
        QVERIFY(library::libraryCopyFailedMessage(location).contains(location.root));
        QStringList copied;
        for (const QString& file : kSampleFiles) {
            const QString path = location.root + u'/' + file;
            if (QFileInfo::exists(path)) {
                QCOMPARE(tree.read(path), file.toUtf8() + big);
                copied << file;
            }
            QCOMPARE(QDir(QFileInfo(path).path()).entryList(QDir::Files | QDir::Hidden).size(),
                     int(QFileInfo::exists(path)));
        }
        QVERIFY(!copied.isEmpty() && copied.size() < kSampleFiles.size());
        QVERIFY(tree.write(location.root + u'/' + copied.front(), "mine"));
        QVERIFY(disk.resize(1024));
        QVERIFY(library::prepareUserLibrary(location, tree.fs));
        for (const QString& file : kSampleFiles)
            QCOMPARE(tree.read(location.root + u'/' + file),
                     file == copied.front() ? QByteArray("mine") : file.toUtf8() + big);
    }
};

QTEST_GUILESS_MAIN(TestLibraryLocation)
#include "tst_librarylocation.moc"
