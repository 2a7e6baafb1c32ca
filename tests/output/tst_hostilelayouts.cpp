// Guards `kestrion --export` against damaged and hostile layout files: every file of a
// corpus of extreme sizes, positions and zooms, and of randomly damaged files, is read,
// drawn and written. A file that makes the export hang stops the test through Qt's
// per-function watchdog (QTEST_FUNCTION_TIMEOUT, set for this test in CMakeLists.txt),
// which names the row it stopped in.
#include "output/HeadlessExport.h"
#include "platform/SettingsStore.h"
#include "testkit/TestKit.h"

#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

namespace {

const QString kVehicle = QStringLiteral("Fourgon_L2H2_dessus_XY_5000_.bmp"); // 2 px/cm
const QString kAccessory = QStringLiteral("Meuble_Evier_60_40_XY_.bmp");
const QString kTexture = QStringLiteral("Motif.bmp");

// A "Kestrion 2" file: one object per list of eight cells.
QByteArray layoutText(const QString& zoom, const QList<QStringList>& rows) {
    QStringList lines{QStringLiteral("Kestrion 2"), kVehicle,
                      QStringLiteral("0"),          QStringLiteral("0"),
                      QString::number(rows.size()), zoom};
    for (const QStringList& row : rows)
        lines += row;
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

// Kind, fill and extra of every drawing path.
const QList<QStringList> kKinds = {
    {"0", "12", "0"},       {"1", "3", "0"},        {"1", kTexture, "0"},   {"2", "5", "0"},
    {"3", "1", "Hostile"},  {"4", "1", "0"},        {"4", "1", "1"},        {"5", "9", "2"},
    {"9", kAccessory, "0"}, {"9", kAccessory, "1"}, {"9", kAccessory, "2"}, {"9", kAccessory, "3"},
};

const QStringList kExtremes = {"1000000", "-1000000", "1E+30", "-1E+30", "8000",
                               "32767",   "-32768",   "1E-30", "0",      "-5"};

QStringList objectRow(const QStringList& kind, const QString& x, const QString& y, const QString& h,
                      const QString& w) {
    return {kind[0], x, y, h, w, kind[1], QStringLiteral("0"), kind[2]};
}

} // namespace

class TestHostileLayouts : public QObject {
    Q_OBJECT

    testkit::ProgramFolder folder_;

    // Runs the export of the layout text into out.jpg (or the output extra names), on a
    // 400 x 300 canvas or the one extra asks for; returns the exit code.
    int exportText(const QByteArray& text, const QStringList& extra, QString& errors,
                   const QString& output = QStringLiteral("out.jpg")) {
        const QString layout = folder_.path() + QStringLiteral("/hostile.kla");
        QFile file(layout);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            return -1;
        file.close();
        platform::MemoryStore store;
        QTextStream err(&errors);
        return output::runHeadlessExport(
            QStringList{QStringLiteral("--export"), layout, folder_.path() + u'/' + output} + extra,
            folder_.path(), store, err);
    }

private Q_SLOTS:
    void initTestCase() {
        testkit::setUpTestEnvironment();
        QImage body(1200, 600, QImage::Format_RGB32);
        body.fill(Qt::white);
        QPainter(&body).drawRect(20, 20, 1160, 560);
        folder_.addPicture(QStringLiteral("vehicules"), kVehicle, body);
        QImage accessory(60, 40, QImage::Format_RGB32);
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 60; ++x)
                accessory.setPixel(x, y, qRgb(x * 4, y * 6, 128));
        folder_.addPicture(QStringLiteral("accessoires"), kAccessory, accessory);
        folder_.addPicture(QStringLiteral("textures"), kTexture, 7, 5, qRgb(150, 90, 30));
    }

    void extremeFilesExport_data() {
        QTest::addColumn<QByteArray>("text");
        for (const QString& zoom : {QStringLiteral("10"), QStringLiteral("1600")})
            for (const QStringList& kind : kKinds)
                for (const QString& v : kExtremes) {
                    const QString what = kind.join(QLatin1Char(' '));
                    QTest::addRow("%s %% %s, size %s", qPrintable(zoom), qPrintable(what),
                                  qPrintable(v))
                        << layoutText(zoom, {objectRow(kind, "10", "10", v, v)});
                    QTest::addRow("%s %% %s, at %s", qPrintable(zoom), qPrintable(what),
                                  qPrintable(v))
                        << layoutText(zoom, {objectRow(kind, v, "-" + v, "50", "50")});
                }
        // Damaged files: a valid plan of every kind with a few lines replaced at random
        // by extreme values or junk (fixed seed, so the corpus is the same every run).
        QList<QStringList> rows;
        for (const QStringList& kind : kKinds)
            rows << objectRow(kind, "40", "30", "120", "90");
        const QList<QByteArray> valid = layoutText("400", rows).split('\n');
        QRandomGenerator random(20261205);
        const QStringList junk = kExtremes + QStringList{"", "abc", "1,5E+300", "NaN", "-0"};
        for (int n = 0; n < 300; ++n) {
            QList<QByteArray> lines = valid;
            for (int k = 0; k < 3; ++k) {
                const int at = 4 + int(random.bounded(lines.size() - 5));
                lines[at] = junk[int(random.bounded(junk.size()))].toUtf8() + '\r';
            }
            QTest::addRow("damaged file %d", n) << lines.join('\n');
        }
        // The same with masses: each object weighed, loads at extreme places.
        QByteArray weighed = layoutText("400", rows).replace("Kestrion 2", "Kestrion 3");
        weighed += QByteArray::number(rows.size()) + "\r\n";
        for (int row = 1; row <= rows.size(); ++row)
            weighed += QByteArray::number(row) + "\r\n" + QByteArray::number(row * 10) + "\r\n";
        weighed += "3\r\nEau\r\n100\r\n1E+30\r\nPassagers\r\n-1E+30\r\n0\r\n"
                   "Vide\r\n0\r\n-5\r\n";
        QTest::addRow("file with masses") << weighed;
        const QList<QByteArray> validMasses = weighed.split('\n');
        for (int n = 0; n < 100; ++n) {
            QList<QByteArray> lines = validMasses;
            for (int k = 0; k < 3; ++k) {
                const int at = 4 + int(random.bounded(lines.size() - 5));
                lines[at] = junk[int(random.bounded(junk.size()))].toUtf8() + '\r';
            }
            QTest::addRow("damaged file with masses %d", n) << lines.join('\n');
        }
    }

    void extremeFilesExport() {
        QFETCH(QByteArray, text);
        QString errors;
        const int code =
            exportText(text, {QStringLiteral("--canvas"), QStringLiteral("400x300")}, errors);
        // Refusing the file (3) is as good as drawing it (0); nothing else may happen.
        QVERIFY2(code == 0 || code == 3, qPrintable(errors));
        if (!text.startsWith("Kestrion 3"))
            return;
        // The mass budget of the same file: printed (0, or 5 over a limit) or refused (3).
        platform::MemoryStore store;
        QString printed;
        QTextStream out(&printed), err(&errors);
        const int masses = output::runHeadlessExport(
            {QStringLiteral("--masses"), folder_.path() + QStringLiteral("/hostile.kla")},
            folder_.path(), store, out, err);
        QVERIFY2(masses == 0 || masses == 3 || masses == 5, qPrintable(errors));
        QCOMPARE(masses == 3, code == 3);
    }

    // True-scale sheets of extreme plans: refused (too far, 3; too many sheets, 2)
    // or written with the plan visible on the first sheet.
    void extremePlansOnPaper_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("scale");
        const QList<QStringList> kinds = {kKinds[1], kKinds[3], kKinds[8]};
        for (const QString& scale : {QStringLiteral("50"), QStringLiteral("fit")})
            for (const QStringList& kind : kinds)
                for (const QString& v : kExtremes + QStringList{"4E+09", "nan"}) {
                    const QString what = kind.join(QLatin1Char(' '));
                    QTest::addRow("1:%s %s, size %s", qPrintable(scale), qPrintable(what),
                                  qPrintable(v))
                        << layoutText("100", {objectRow(kind, "10", "10", "50", v)}) << scale;
                    QTest::addRow("1:%s %s, at %s", qPrintable(scale), qPrintable(what),
                                  qPrintable(v))
                        << layoutText("100", {objectRow(kind, v, "10", "50", "50")}) << scale;
                }
    }
    void extremePlansOnPaper() {
        QFETCH(QByteArray, text);
        QFETCH(QString, scale);
        const QString pdf = folder_.path() + QStringLiteral("/out.pdf");
        QFile::remove(pdf);
        QString errors;
        const int code =
            exportText(text, {QStringLiteral("--scale"), scale}, errors, QStringLiteral("out.pdf"));
        QVERIFY2(code == 0 || code == 2 || code == 3, qPrintable(errors));
        QCOMPARE(QFileInfo::exists(pdf), code == 0);
        QVERIFY2(code == 0 || !errors.trimmed().isEmpty(), "a refusal says why");
        if (code != 0)
            return;
        // The first sheet's drawing area (above the footer) shows the plan.
        QProcess render;
        render.start(QStringLiteral("pdftoppm"), {"-r", "20", "-f", "1", "-l", "1", "-gray", "-png",
                                                  pdf, folder_.path() + QStringLiteral("/sheet")});
        QVERIFY(render.waitForFinished(60000) && render.exitCode() == 0);
        QDir folder(folder_.path());
        const QStringList sheets = folder.entryList({QStringLiteral("sheet*.png")});
        QCOMPARE(sheets.size(), 1);
        const QImage sheet(folder.filePath(sheets.front()));
        QVERIFY(folder.remove(sheets.front()));
        const int footerTop = sheet.height() - int(26 / 25.4 * 20);
        bool drawn = false;
        for (int y = 0; y < footerTop && !drawn; ++y)
            for (int x = 0; x < sheet.width() && !drawn; ++x)
                drawn = qGray(sheet.pixel(x, y)) < 160;
        QVERIFY2(drawn, "a sheet without the plan");
    }
};

QTEST_MAIN(TestHostileLayouts)
#include "tst_hostilelayouts.moc"
