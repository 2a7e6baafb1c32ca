// Guards "Ajouter les exemples manquants": the samples the user's library lacks are
// copied in, and no file of the user's is ever replaced or deleted.
#include "library/MissingSamples.h"
#include "platform/FileSystem.h"
#include "testkit/TestKit.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QStringList kSamples = {QStringLiteral("accessoires/Cuisine_Frigo_50_85_XZ_.gif"),
                              QStringLiteral("textures/Bois.bmp"),
                              QStringLiteral("vehicules/Fourgon_L1H1_Dessus_XY_5000_.jpg")};

using Files = QMap<QString, QByteArray>; // "folder/file" -> contents

bool write(const QString& path, const QByteArray& bytes) {
    platform::FileSystem fs;
    return QDir().mkpath(QFileInfo(path).absolutePath()) && fs.writeFileSafely(path, bytes);
}

Files filesUnder(const QString& root) {
    Files files;
    QDir base(root);
    for (const QString& folder : base.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        for (const QFileInfo& file : QDir(base.filePath(folder)).entryInfoList(QDir::Files)) {
            QFile f(file.filePath());
            if (f.open(QIODevice::ReadOnly))
                files.insert(folder + u'/' + file.fileName(), f.readAll());
        }
    return files;
}

} // namespace

class TestMissingSamples : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void addMissingSamples_data() {
        QTest::addColumn<Files>("user");          // the user's library before
        QTest::addColumn<QStringList>("blocked"); // folders a plain file stands in for
        QTest::addColumn<QStringList>("added");
        QTest::addColumn<QStringList>("failed");
        const Files none;
        QTest::newRow("empty library gets every sample")
            << none << QStringList() << kSamples << QStringList();
        QTest::newRow("the user's version of a sample is kept")
            << Files{{QStringLiteral("textures/Bois.bmp"), "mine"}} << QStringList()
            << QStringList{kSamples[0], kSamples[2]} << QStringList();
        QTest::newRow("a name in another case counts as there")
            << Files{{QStringLiteral("textures/BOIS.BMP"), "mine"}} << QStringList()
            << QStringList{kSamples[0], kSamples[2]} << QStringList();
        QTest::newRow("the user's own pictures stay")
            << Files{{QStringLiteral("vehicules/Camion_X_Dessus_XY_1000_.jpg"), "own"},
                     {QStringLiteral("accessoires/Lit_Double_140_190_XY_.gif"), "own"}}
            << QStringList() << kSamples << QStringList();
        QTest::newRow("complete library: nothing to add")
            << Files{{kSamples[0], "a"}, {kSamples[1], "b"}, {kSamples[2], "c"}} << QStringList()
            << QStringList() << QStringList();
        QTest::newRow("a folder that cannot be made is reported")
            << Files{{QStringLiteral("vehicules/Camion_X_Dessus_XY_1000_.jpg"), "own"}}
            << QStringList{QStringLiteral("textures")} << QStringList{kSamples[0], kSamples[2]}
            << QStringList{kSamples[1]};
    }
    void addMissingSamples() {
        QFETCH(Files, user);
        QFETCH(QStringList, blocked);
        QFETCH(QStringList, added);
        QFETCH(QStringList, failed);
        QTemporaryDir dir;
        const QString sample = dir.path() + QStringLiteral("/share/kestrion");
        const QString root = dir.path() + QStringLiteral("/home/kestrion");
        for (const QString& file : kSamples)
            QVERIFY(write(sample + u'/' + file, "sample " + file.toUtf8()));
        QVERIFY(QDir().mkpath(root));
        for (auto it = user.cbegin(); it != user.cend(); ++it)
            QVERIFY(write(root + u'/' + it.key(), it.value()));
        for (const QString& folder : blocked)
            QVERIFY(write(root + u'/' + folder, "not a folder"));

        platform::FileSystem fs;
        const library::SampleAddition addition = library::addMissingSamples(sample, root, fs);
        QStringList addedSorted = addition.added; // the order of the folders is not a rule
        addedSorted.sort();
        QCOMPARE(addedSorted, added);
        QCOMPARE(addition.failed, failed);

        Files expected = user;
        for (const QString& file : added)
            expected.insert(file, "sample " + file.toUtf8());
        QCOMPARE(filesUnder(root), expected);
        QCOMPARE(filesUnder(sample).size(), kSamples.size()); // the source is only read
    }

    void message_data() {
        QTest::addColumn<int>("added");
        QTest::addColumn<QStringList>("failed");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing missing")
            << 0 << QStringList()
            << QStringLiteral("La bibliothèque contient déjà tous les exemples.");
        QTest::newRow("one added")
            << 1 << QStringList() << QStringLiteral("1 exemple a été ajouté à la bibliothèque.");
        QTest::newRow("several added")
            << 3 << QStringList()
            << QStringLiteral("3 exemples ont été ajoutés à la bibliothèque.");
        QTest::newRow("added and failed")
            << 2 << QStringList{QStringLiteral("textures/Bois.bmp")}
            << QStringLiteral("2 exemples ont été ajoutés à la bibliothèque.\n\nCes exemples n'ont "
                              "pas pu être copiés (dossier protégé ou disque plein) :\n"
                              "textures/Bois.bmp");
    }
    void message() {
        QFETCH(int, added);
        QFETCH(QStringList, failed);
        QFETCH(QString, message);
        library::SampleAddition addition;
        for (int i = 0; i < added; ++i)
            addition.added << QStringLiteral("vehicules/%1.jpg").arg(i);
        addition.failed = failed;
        QCOMPARE(library::sampleAdditionMessage(addition), message);
    }
};

QTEST_GUILESS_MAIN(TestMissingSamples)
#include "tst_missingsamples.moc"
