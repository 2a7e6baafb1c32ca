// Guards the layout file: what is written, what is read back, and every file refused.
#include "document/LayoutFile.h"
#include "testkit/TestKit.h"

#include <QFile>
#include <QTest>

using namespace document;

Q_DECLARE_METATYPE(document::Cell)

namespace {

const QString kVehicle = QStringLiteral("Fourgon_L2H2_Dessus_XY_500_.bmp");

ObjectRow makeRow(Cell kind, Cell x, Cell y, Cell h, Cell w, Cell fill, Cell lock, Cell extra) {
    ObjectRow row;
    row[1] = kind;
    row[2] = x;
    row[3] = y;
    row[4] = h;
    row[5] = w;
    row[6] = fill;
    row[7] = lock;
    row[8] = extra;
    return row;
}

Cell i(int v) {
    return Cell::integer(std::int16_t(v));
}
Cell f(float v) {
    return Cell::real(v);
}
Cell t(const char* v) {
    return Cell::text(QString::fromUtf8(v));
}

QByteArray crlf(const QStringList& lines) {
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

// A valid two-object "Kestrion 2" file with a chosen number of leading header lines.
QStringList goodLines() {
    return {QStringLiteral("Kestrion 2"), kVehicle, QStringLiteral("0"), QStringLiteral("1"),
            QStringLiteral("2"), QStringLiteral("150"),
            // rectangle
            QStringLiteral("1"), QStringLiteral("12,5"), QStringLiteral("30"), QStringLiteral("40"),
            QStringLiteral("50"), QStringLiteral("3"), QStringLiteral("0"), QStringLiteral("0"),
            // text
            QStringLiteral("3"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
            QStringLiteral("8"), QStringLiteral("0"), QStringLiteral("1"),
            QStringLiteral("Évier, à gauche")};
}

} // namespace

class TestLayoutFile : public QObject {
    Q_OBJECT

    testkit::ProgramFolder folder_;
    platform::FileSystem fs_;

    QString writeFile(const QByteArray& bytes, const QString& name = QStringLiteral("t.kla")) {
        const QString path = folder_.path() + QLatin1Char('/') + name;
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            qFatal("cannot write test file");
        file.write(bytes);
        return path;
    }
    LoadOutcome load(const QByteArray& bytes) {
        return ChargerAgencement(writeFile(bytes), folder_.path(), fs_);
    }

private Q_SLOTS:
    void initTestCase() {
        testkit::setUpTestEnvironment();
        folder_.addPicture(QStringLiteral("vehicules"), kVehicle, 8, 8);
        folder_.addPicture(QStringLiteral("vehicules"), QStringLiteral("Bad_X_Vue_XY_0_.bmp"), 8,
                           8);
        folder_.addPicture(QStringLiteral("textures"), QStringLiteral("bois.jpg"), 4, 4);
        folder_.addPicture(QStringLiteral("accessoires"),
                           QStringLiteral("Cuisine_Frigo40_45_50_XY-XZ_.bmp"), 4, 4);
    }

    void roundTrip_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("separator");
        QTest::newRow("French settings write a comma") << QLocale(QLocale::French) << ",";
        QTest::newRow("English settings write a point") << QLocale(QLocale::English) << ".";
    }
    void roundTrip() {
        QFETCH(QLocale, locale);
        QFETCH(QString, separator);
        Layout layout;
        layout.vehicule_fichier = kVehicle;
        layout.inv_g_d = true;
        layout.zoomText = QStringLiteral("75");
        layout.objets.append(
            makeRow(i(1), f(10.5f), f(20), i(40), i(60), t("bois.jpg"), i(1), i(0)));
        layout.objets.append(
            makeRow(i(3), f(-3.25f), f(1234567), i(7), i(30), i(12), i(1), t("Lit  ")));
        layout.objets.append(makeRow(i(9), f(0.125f), f(2), i(50), i(45),
                                     t("Cuisine_Frigo40_45_50_XY-XZ_.bmp"), i(1), i(3)));
        layout.objets.append(makeRow(i(2), f(0.1f), f(1e-3f), i(5), i(5), i(15), i(0), i(0)));

        const QByteArray text = layoutFileText(layout, locale);
        const QByteArray header =
            "Kestrion 2\r\n" + kVehicle.toUtf8() + "\r\n1\r\n0\r\n4\r\n75\r\n";
        QVERIFY(text.startsWith(header));
        QVERIFY(text.endsWith("\r\n"));
        QVERIFY(!text.contains("\n\n"));
        QVERIFY(text.contains(
            (QStringLiteral("\r\n10") + separator + QStringLiteral("5\r\n")).toUtf8()));
        QVERIFY(text.contains("\r\n1234567\r\n"));
        QVERIFY(text.contains("\r\nLit\r\n"));

        const QString path = folder_.path() + QStringLiteral("/rt.kla");
        QVERIFY(SauverAgencement(path, layout, locale, fs_));
        const LoadOutcome out = ChargerAgencement(path, folder_.path(), fs_);
        QVERIFY2(out.ok(), qPrintable(out.errorMessage));
        const LayoutFileContents& c = *out.contents;
        QCOMPARE(c.vehicule_fichier, kVehicle);
        QCOMPARE(c.inv_g_d, std::optional<bool>(true));
        QCOMPARE(c.inv_h_b, std::optional<bool>(false));
        QCOMPARE(c.zoomText, QStringLiteral("75"));
        QCOMPARE(c.objets.nb_objets(), 4);
        QVERIFY(c.missingTextures.isEmpty() && c.missingAccessories.isEmpty());
        for (int r = 1; r <= 4; ++r) {
            for (int col = 1; col <= 8; ++col) {
                const Cell& read = c.objets.cell(r, col);
                const Cell& written = layout.objets.cell(r, col);
                const QByteArray where = QByteArray::number(r) + "," + QByteArray::number(col);
                if (col == 6 || (col == 8 && r == 2)) {
                    QVERIFY2(read.isText(), where);
                    QCOMPARE(read.toString(), written.toString().trimmed());
                } else {
                    QVERIFY2(read.isReal(), where);
                    QCOMPARE(read.toDouble(), double(float(written.toDouble())));
                }
            }
        }
        QCOMPARE(c.objets.cell(2, 6).toInt(), 12);
    }

    void versionOneFile() {
        QStringList lines = goodLines();
        lines[0] = QStringLiteral("Kestrion 1");
        lines.removeAt(2); // no mirror lines
        lines.removeAt(2);
        const LoadOutcome out = load(crlf(lines));
        QVERIFY2(out.ok(), qPrintable(out.errorMessage));
        QCOMPARE(out.contents->version, 1);
        QVERIFY(!out.contents->inv_g_d && !out.contents->inv_h_b);
        QCOMPARE(out.contents->objets.nb_objets(), 2);
        QCOMPARE(out.contents->zoomText, QStringLiteral("150"));
        QCOMPARE(out.contents->objets.cell(1, 2).toDouble(), 12.5);
        QCOMPARE(out.contents->objets.cell(2, 8), Cell::text(QStringLiteral("Évier, à gauche")));
    }

    void readingRules_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<double>("x");
        QTest::addColumn<QString>("zoom");
        QTest::addColumn<QString>("text");
        QStringList lines = goodLines();
        QTest::newRow("CR LF, comma decimal") << crlf(lines) << 12.5 << "150"
                                              << "Évier, à gauche";
        lines[7] = QStringLiteral("12.5");
        QTest::newRow("point decimal") << crlf(lines) << 12.5 << "150"
                                       << "Évier, à gauche";
        lines[5] = QStringLiteral("  \"80,5\" , ignored");
        QTest::newRow("quoted zoom field keeps its comma") << crlf(lines) << 12.5 << "80,5"
                                                           << "Évier, à gauche";
        lines[5] = QStringLiteral("  120 , 5");
        QTest::newRow("comma ends a zoom field") << crlf(lines) << 12.5 << "120"
                                                 << "Évier, à gauche";
        QTest::newRow("LF only, no final line break")
            << lines.join(QLatin1Char('\n')).toUtf8() << 12.5 << "120"
            << "Évier, à gauche";
        QTest::newRow("Latin-1 bytes")
            << lines.join(QStringLiteral("\r\n")).toLatin1() << 12.5 << "120"
            << "Évier, à gauche";
    }
    void readingRules() {
        QFETCH(QByteArray, bytes);
        QFETCH(double, x);
        QFETCH(QString, zoom);
        QFETCH(QString, text);
        const LoadOutcome out = load(bytes);
        QVERIFY2(out.ok(), qPrintable(out.errorMessage));
        QCOMPARE(out.contents->objets.cell(1, 2).toDouble(), x);
        QCOMPARE(out.contents->zoomText, zoom);
        QCOMPARE(out.contents->objets.cell(2, 8).toString(), text);
        QCOMPARE(out.contents->inv_h_b, std::optional<bool>(true));
    }

    void fillChecks_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("fill");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<Cell>("kindRead");
        QTest::addColumn<Cell>("fillRead");
        QTest::addColumn<Cell>("extraRead");
        QTest::addColumn<QStringList>("textures");
        QTest::addColumn<QStringList>("accessories");
        const QStringList none;
        QTest::newRow("short fill is a palette index, no check")
            << "1"
            << "12"
            << "0" << f(1) << t("12") << f(0) << none << none;
        QTest::newRow("present texture kept")
            << "1"
            << "bois.jpg"
            << "0" << f(1) << t("bois.jpg") << f(0) << none << none;
        QTest::newRow("missing texture becomes black")
            << "1"
            << "marbre.jpg"
            << "0" << f(1) << i(0) << f(0) << QStringList{"marbre.jpg"} << none;
        QTest::newRow("present accessory kept")
            << "9"
            << "Cuisine_Frigo40_45_50_XY-XZ_.bmp"
            << "2" << f(9) << t("Cuisine_Frigo40_45_50_XY-XZ_.bmp") << f(2) << none << none;
        QTest::newRow("missing accessory becomes a black rectangle")
            << "9"
            << "Salon_Banc_90_40_XY_.jpg"
            << "3" << f(1) << i(0) << i(0) << none << QStringList{"Salon_Banc_90_40_XY_.jpg"};
        QTest::newRow("long fill on a measure is not checked")
            << "0"
            << "nulle.gif"
            << "0" << f(0) << t("nulle.gif") << f(0) << none << none;
        QTest::newRow("long fill on an ellipse is not checked")
            << "2"
            << "abcd"
            << "0" << f(2) << t("abcd") << f(0) << none << none;
        QTest::newRow("texture name may not leave its folder")
            << "1"
            << "../vehicules/" + kVehicle << "0" << f(1) << i(0) << f(0)
            << QStringList{"../vehicules/" + kVehicle} << none;
    }
    void fillChecks() {
        QFETCH(QString, kind);
        QFETCH(QString, fill);
        QFETCH(QString, extra);
        QFETCH(Cell, kindRead);
        QFETCH(Cell, fillRead);
        QFETCH(Cell, extraRead);
        QFETCH(QStringList, textures);
        QFETCH(QStringList, accessories);
        QStringList lines = goodLines();
        lines[6] = kind;
        lines[11] = fill;
        lines[13] = extra;
        const LoadOutcome out = load(crlf(lines));
        QVERIFY2(out.ok(), qPrintable(out.errorMessage));
        const ObjectTable& tab = out.contents->objets;
        QCOMPARE(tab.cell(1, 1), kindRead);
        QCOMPARE(tab.cell(1, 6), fillRead);
        QCOMPARE(tab.cell(1, 8), extraRead);
        // Place, size and lock are kept whatever happens to the fill.
        QCOMPARE(tab.cell(1, 2), f(12.5f));
        QCOMPARE(tab.cell(1, 3), f(30));
        QCOMPARE(tab.cell(1, 4), f(40));
        QCOMPARE(tab.cell(1, 5), f(50));
        QCOMPARE(tab.cell(1, 7), f(0));
        QCOMPARE(out.contents->missingTextures, textures);
        QCOMPARE(out.contents->missingAccessories, accessories);
    }

    void missingPictures_data() {
        QTest::addColumn<QStringList>("textures");
        QTest::addColumn<QStringList>("accessories");
        QTest::addColumn<QString>("message");
        QTest::newRow("nothing missing") << QStringList{} << QStringList{} << "";
        QTest::newRow("textures only")
            << QStringList{"a.jpg", "a.jpg"} << QStringList{}
            << "L'agencement original comprend les textures suivantes :\n\na.jpg\na.jpg\n\n"
               "Ces textures ne faisant pas partie de la bibliothèque, elles ont été remplacées "
               "par des rectangles noirs.";
        QTest::newRow("accessories only")
            << QStringList{} << QStringList{"b.bmp"}
            << "L'agencement original comprend les accessoires suivants :\n\nb.bmp\n\n"
               "Ces accessoires ne faisant pas partie de la bibliothèque, ils ont été remplacés "
               "par des rectangles noirs.";
        QTest::newRow("both")
            << QStringList{"a.jpg"} << QStringList{"b.bmp", "c.gif"}
            << "L'agencement original comprend les textures suivantes :\n\na.jpg\n\n"
               "Ainsi que les accessoires suivants :\n\nb.bmp\nc.gif\n\n"
               "Ces images ne faisant pas partie de la bibliothèque, elles ont été remplacées "
               "par des rectangles noirs.";
    }
    void missingPictures() {
        QFETCH(QStringList, textures);
        QFETCH(QStringList, accessories);
        QFETCH(QString, message);
        QCOMPARE(missingPicturesMessage(textures, accessories), message);
    }

    void refusedFiles_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("messageStart");
        const QStringList good = goodLines();
        const auto with = [&good](int index, const QString& value) {
            QStringList l = good;
            l[index] = value;
            return crlf(l);
        };
        const QString incompatible = QStringLiteral("Ce fichier n'est pas compatible");
        QTest::newRow("empty file") << QByteArray() << incompatible;
        QTest::newRow("unknown version") << with(0, "Kestrion 3") << incompatible;
        QTest::newRow("missing vehicle picture")
            << with(1, "Autre_X_Vue_XY_500_.bmp")
            << "L'agencement est basé sur le véhicule suivant :\n\nAutre_X_Vue_XY_500_.bmp\n\n"
               "Cette image ne fait pas partie de la bibliothèque. Vous devez vous la procurer "
               "pour voir l'agencement.";
        QTest::newRow("vehicle resolution 0") << with(1, "Bad_X_Vue_XY_0_.bmp") << "L'image du";
        QTest::newRow("count above 1000") << with(4, "1001") << "Ce fichier est endommagé";
        QTest::newRow("negative count") << with(4, "-1") << "Ce fichier est endommagé";
        QTest::newRow("count not a number") << with(4, "deux") << "Ce fichier est endommagé";
        QTest::newRow("count larger than the objects")
            << with(4, "3") << "Ce fichier est incomplet";
        QTest::newRow("cell not a number") << with(8, "trente") << "Ce fichier est endommagé";
        QTest::newRow("kind not a number") << with(6, "") << "Ce fichier est endommagé";
        QTest::newRow("number too big for a float")
            << with(9, "1e300") << "Ce fichier est endommagé";
        QTest::newRow("ends before the count")
            << crlf(good.mid(0, 4)) << "Ce fichier est incomplet";
        QTest::newRow("ends inside an object")
            << crlf(good.mid(0, 17)) << "Ce fichier est incomplet";
    }
    void refusedFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, messageStart);
        const LoadOutcome out = load(bytes);
        QVERIFY(!out.ok());
        QVERIFY2(out.errorMessage.startsWith(messageStart), qPrintable(out.errorMessage));
    }

    void unreadableFile() {
        const LoadOutcome out =
            ChargerAgencement(folder_.path() + QStringLiteral("/absent.kla"), folder_.path(), fs_);
        QVERIFY(!out.ok());
        QVERIFY(!out.errorMessage.isEmpty());
    }

    void proposedName_data() {
        QTest::addColumn<QString>("vue");
        QTest::addColumn<bool>("mirrored");
        QTest::addColumn<QString>("name");
        QTest::newRow("not mirrored") << "Côté droite" << false << "Trafic - Côté droite.kla";
        QTest::newRow("droite turns into gauchee")
            << "Côté droite" << true << "Trafic - Côté gauchee.kla";
        QTest::newRow("gauche turns into droit") << "gauche" << true << "Trafic - droit.kla";
        QTest::newRow("case-sensitive") << "Gauche" << true << "Trafic - Gauche.kla";
    }
    void proposedName() {
        QFETCH(QString, vue);
        QFETCH(bool, mirrored);
        QFETCH(QString, name);
        QCOMPARE(proposedFileName(QStringLiteral("Trafic"), vue, mirrored), name);
    }
};

QTEST_GUILESS_MAIN(TestLayoutFile)
#include "tst_layoutfile.moc"
