// Guards where the library lives: beside a writable program, or in the user's data folder
// for an installed one, seeded once from the installed sample library and never again.
#include "library/LibraryLocation.h"
#include "platform/FileSystem.h"
#include "testkit/TestKit.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// A tree like an installation or a build folder: prefix/bin holds the program and,
// for an installed tree, prefix/share/kestrion the sample library.
struct Tree {
    QTemporaryDir dir;
    QString bin() const { return dir.path() + QStringLiteral("/bin"); }
    QString share() const { return dir.path() + QStringLiteral("/share/kestrion"); }
    QString dataHome() const { return dir.path() + QStringLiteral("/home/.local/share"); }
    QString userLibrary() const { return dataHome() + QStringLiteral("/kestrion"); }
    Tree() { QDir().mkpath(bin()); }
};

bool writeFile(const QString& path, const QByteArray& contents) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size();
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

const QString kVan = QStringLiteral("vehicules/Fourgon_L1H1_Dessus_XY_5000_.jpg");
const QString kFridge = QStringLiteral("accessoires/Cuisine_Frigo_50_85_XZ_.gif");
const QString kWood = QStringLiteral("textures/Bois.bmp");

void addSampleLibrary(const Tree& tree) {
    for (const QString& file : {kVan, kFridge, kWood})
        QVERIFY(writeFile(tree.share() + QLatin1Char('/') + file, file.toUtf8()));
}

library::LibraryLocation locate(const Tree& tree, bool writable) {
    platform::FileSystem fs;
    return library::locateLibrary(
        {tree.bin(), tree.dataHome(), [writable](const QString&) { return writable; }}, fs);
}

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
        Tree tree;
        if (sampleInstalled)
            addSampleLibrary(tree);

        const library::LibraryLocation location = locate(tree, writable);
        QCOMPARE(location.installed, installed);
        QCOMPARE(location.root, installed ? tree.userLibrary() : tree.bin());
        QCOMPARE(location.sampleLibrary, sampleInstalled ? tree.share() : QString());

        platform::FileSystem fs;
        // Before the first start a command without a window reads the sample library.
        QCOMPARE(library::readableLibrary(location, fs),
                 installed && sampleInstalled ? tree.share() : location.root);
        QVERIFY(library::prepareUserLibrary(location, fs));
        QCOMPARE(library::readableLibrary(location, fs), location.root);
        if (!installed) {
            QVERIFY2(!QFileInfo::exists(tree.userLibrary()), "nothing is made in the home folder");
            return;
        }
        for (const QString& name : library::kLibraryFolders)
            QVERIFY2(QFileInfo(location.root + QLatin1Char('/') + name).isDir(), qPrintable(name));
        QCOMPARE(QFileInfo::exists(tree.userLibrary() + QLatin1Char('/') + kVan), sampleInstalled);
    }

    void userLibraryIsSeededOnlyOnce() {
        Tree tree;
        addSampleLibrary(tree);
        const library::LibraryLocation location = locate(tree, false);
        platform::FileSystem fs;
        QVERIFY(library::prepareUserLibrary(location, fs));
        const QString root = tree.userLibrary() + QLatin1Char('/');
        for (const QString& file : {kVan, kFridge, kWood})
            QCOMPARE(readFile(root + file), file.toUtf8());

        // The user changes a texture, imports an accessory, removes the vehicle folder; a
        // newer sample library gets installed.
        QVERIFY(writeFile(root + kWood, "mine"));
        const QString imported = QStringLiteral("accessoires/Couchage_Lit_190_140_XY_.bmp");
        QVERIFY(writeFile(root + imported, "imported"));
        QVERIFY(QDir(root + QStringLiteral("vehicules")).removeRecursively());
        QVERIFY(writeFile(tree.share() + QLatin1Char('/') + kWood, "newer sample"));

        QVERIFY(library::prepareUserLibrary(location, fs));
        // The missing folder is made again, empty; everything else stays as the user left it.
        QVERIFY(QDir(root + QStringLiteral("vehicules")).isEmpty());
        QCOMPARE(readFile(root + kWood) + readFile(root + imported), QByteArray("mineimported"));
    }
};

QTEST_GUILESS_MAIN(TestLibraryLocation)
#include "tst_librarylocation.moc"
