// Guards the layout reader against damaged files: each is read or refused, never a crash.
#include "document/LayoutFile.h"
#include "testkit/TestKit.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTest>

using namespace document;

namespace {

const QString kVehicle = QStringLiteral("Fourgon_L2H2_Dessus_XY_500_.bmp");

QList<QByteArray> seedLines() {
    QList<QByteArray> lines = {"Kestrion 2", kVehicle.toUtf8(), "1", "0", "4", "100"};
    const QList<QList<QByteArray>> objects = {
        {"1", "10,5", "20", "40", "60", "bois.jpg", "0", "0"},
        {"9", "3", "4", "45", "40", "Cuisine_Frigo40_45_50_XY-XZ_.bmp", "1", "2"},
        {"3", "7", "8", "9", "10", "12", "1", "Table \"pliante\", 2"},
        {"9", "1.5", "2.5", "30", "30", "Absent_X_30_30_XY_.jpg", "1", "1"},
    };
    for (const auto& o : objects)
        lines += o;
    return lines;
}

QByteArray join(const QList<QByteArray>& lines) {
    QByteArray out;
    for (const QByteArray& l : lines)
        out += l + "\r\n";
    return out;
}

QByteArray mutate(QRandomGenerator& rng) {
    QList<QByteArray> lines = seedLines();
    const int edits = 1 + int(rng.bounded(4));
    for (int e = 0; e < edits && !lines.isEmpty(); ++e) {
        const int at = int(rng.bounded(lines.size()));
        switch (rng.bounded(8)) {
        case 0: // drop a line
            lines.removeAt(at);
            break;
        case 1: // duplicate a line
            lines.insert(at, lines[at]);
            break;
        case 2: // empty a line
            lines[at].clear();
            break;
        case 3: { // huge or odd numbers
            static const QList<QByteArray> odd = {"1e300", "-1e40", "99999999999", "NaN",
                                                  "inf",   "-0",    "32768",       "1,5,6"};
            lines[at] = odd[rng.bounded(odd.size())];
            break;
        }
        case 4: // change the count
            if (lines.size() > 4)
                lines[4] = QByteArray::number(int(rng.bounded(2100)) - 50);
            break;
        case 5: { // flip bytes
            QByteArray& l = lines[at];
            if (!l.isEmpty())
                l[rng.bounded(l.size())] = char(rng.bounded(256));
            break;
        }
        case 6: // extra line of noise
            lines.insert(at, QByteArray(int(rng.bounded(20)), char(rng.bounded(256))));
            break;
        default: // truncate the file
            lines = lines.mid(0, at);
            break;
        }
    }
    QByteArray bytes = join(lines);
    if (rng.bounded(10) == 0 && !bytes.isEmpty())
        bytes.truncate(int(rng.bounded(bytes.size())));
    return bytes;
}

} // namespace

class TestLayoutFileFuzz : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void damagedFilesAreReadOrRefused() {
        testkit::setUpTestEnvironment();
        testkit::ProgramFolder folder;
        folder.addPicture(QStringLiteral("vehicules"), kVehicle, 4, 4);
        folder.addPicture(QStringLiteral("textures"), QStringLiteral("bois.jpg"), 4, 4);
        folder.addPicture(QStringLiteral("accessoires"),
                          QStringLiteral("Cuisine_Frigo40_45_50_XY-XZ_.bmp"), 4, 4);
        platform::FileSystem fs;
        const QString path = folder.path() + QStringLiteral("/fuzz.kla");

        QRandomGenerator rng(20261205);
        QElapsedTimer clock;
        clock.start();
        int read = 0, refused = 0;
        for (int n = 0; n < 3000 && clock.elapsed() < 4000; ++n) {
            const QByteArray bytes = mutate(rng);
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(bytes);
            file.close();

            const LoadOutcome out = ChargerAgencement(path, folder.path(), fs);
            if (out.ok()) {
                ++read;
                QVERIFY2(out.errorMessage.isEmpty(), bytes.constData());
                const ObjectTable& t = out.contents->objets;
                QVERIFY(t.nb_objets() >= 0 && t.nb_objets() <= kMaxObjects);
                for (int r = 1; r <= t.nb_objets(); ++r)
                    QVERIFY2(!t.cell(r, ColKind).isText() && t.cell(r, ColKind).number(),
                             bytes.constData());
            } else {
                ++refused;
                QVERIFY2(!out.errorMessage.isEmpty(), bytes.constData());
            }
        }
        // Both outcomes must have been exercised for the run to mean anything.
        QVERIFY(read > 0);
        QVERIFY(refused > 0);
    }
};

QTEST_GUILESS_MAIN(TestLayoutFileFuzz)
#include "tst_layoutfile_fuzz.moc"
