// Guards the layout file: what is written, what is read back, every file refused, and
// every header field and text read back exactly whatever the locale.
#include "document/LayoutFile.h"
#include "library/LayoutOpening.h"
#include "testkit/TestKit.h"

#include <QFile>
#include <QTest>

using namespace document;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(document::Cell)

namespace {

const QString kVehicle = u"Fourgon_L2H2_Dessus_XY_500_.bmp"_s;
const QString kFrigo = u"Cuisine_Frigo40_45_50_XY-XZ_.bmp"_s;
const QString kBroken = u"Cuisine_Four_40_40_XY_.jpg"_s; // present, but not a picture

const auto i = [](int v) { return Cell::integer(std::int16_t(v)); };
const auto f = [](float v) { return Cell::real(v); };
const auto t = [](const QString& v) { return Cell::text(v); };

QByteArray crlf(const QStringList& lines) {
    return (lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8();
}

// A valid "Kestrion 2" file: header, then a rectangle and a text.
QStringList goodLines() {
    return QString(u"Kestrion 2|"_s + kVehicle +
                   u"|0|1|2|150|1|12,5|30|40|50|3|0|0|3|5|6|7|8|0|1|Évier, à gauche"_s)
        .split(u'|');
}

} // namespace

class TestLayoutFile : public QObject {
    Q_OBJECT

    testkit::ProgramFolder folder_;
    platform::FileSystem fs_;

    LoadOutcome load(const QByteArray& bytes) {
        const QString path = folder_.path() + u"/t.kla"_s;
        if (!fs_.writeFileSafely(path, bytes))
            qFatal("cannot write test file");
        return library::readLayoutFile(path, folder_.path(), fs_);
    }

private Q_SLOTS:
    void initTestCase() {
        testkit::setUpTestEnvironment();
        folder_.addPicture(u"vehicules"_s, kVehicle, 8, 8);
        folder_.addPicture(u"vehicules"_s, u"Bad_X_Vue_XY_0_.bmp"_s, 8, 8);
        folder_.addPicture(u"vehicules"_s, u"Bad_X_Vue_XY_.bmp"_s, 8, 8);
        folder_.addPicture(u"vehicules"_s, u"Fourgon.bmp"_s, 8, 8);
        folder_.addPicture(u"textures"_s, u"bois.jpg"_s, 4, 4);
        folder_.addPicture(u"accessoires"_s, kFrigo, 4, 4);
        for (const QString& broken : QStringList{folder_.textures() + u"/casse.jpg"_s,
                                                 folder_.accessoires() + u'/' + kBroken}) {
            QFile file(broken);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("JFIF, but cut short") > 0);
        }
    }

    // Names and texts that a bare field or a lossy code page would not give back.
    void awkwardNamesRoundTrip_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("vehicle");
        QTest::addColumn<QString>("zoom");
        QTest::addColumn<QString>("line2"); // line 2 as written
        const struct {
            const char* what;
            QString vehicle, zoom, line2;
        } cases[] = {
            {"plain name stays bare", kVehicle, u"100"_s, kVehicle},
            {"comma", u"Jumper 2,2 HDi_L2H2_Dessus_XY_500_.bmp"_s, u"75,5"_s,
             u"\"Jumper 2,2 HDi_L2H2_Dessus_XY_500_.bmp\""_s},
            {"double quote", u"Trafic \"Black\"_L1H1_Dessus_XY_500_.bmp"_s, u"150"_s,
             u"\"Trafic \"\"Black\"\"_L1H1_Dessus_XY_500_.bmp\""_s},
            {"surrounding spaces", u" Master_L3H2_Dessus_XY_500_.bmp "_s, u" 80 "_s,
             u"\" Master_L3H2_Dessus_XY_500_.bmp \""_s},
            {"accents and apostrophe", u"L'Été aménagé_Œuvre_Côté gauche_XZ_500_.bmp"_s, u"200"_s,
             u"L'Été aménagé_Œuvre_Côté gauche_XZ_500_.bmp"_s},
        };
        for (const QLocale& locale : {QLocale(QLocale::French), QLocale(QLocale::English)})
            for (const auto& c : cases)
                QTest::addRow("%s, %s", c.what,
                              qPrintable(QLocale::languageToString(locale.language())))
                    << locale << c.vehicle << c.zoom << c.line2;
    }
    void awkwardNamesRoundTrip() {
        QFETCH(QLocale, locale);
        QFETCH(QString, vehicle);
        QFETCH(QString, zoom);
        QFETCH(QString, line2);
        folder_.addPicture(u"vehicules"_s, vehicle, 8, 8);
        Layout layout;
        layout.vehicleFile = vehicle;
        layout.mirrorLeftRight = true;
        layout.zoomText = zoom;
        layout.objects.append(
            {{i(1), f(10.5f), f(20), i(40), i(60), t(u"bois.jpg"_s), i(1), i(0)}});
        layout.objects.append({{i(9), f(0.125f), f(2), i(50), i(45), t(kFrigo), i(1), i(3)}});
        layout.objects.append({{i(2), f(0.1f), f(1e-3f), i(5), i(5), i(15), i(0), i(0)}});
        for (const QString& text :
             {u"Lit  "_s, u"Cœur d’été € …"_s, u"Lit \"double\", 140"_s, u"L'évier, à droite"_s})
            layout.objects.append(
                {{i(3), f(-3.25f), f(1234567), i(7), i(30), i(12), i(1), t(text)}});

        const QString path = folder_.path() + u"/awkward.kla"_s;
        QVERIFY(writeLayoutFile(path, layout, locale, fs_));
        const QByteArray bytes = *fs_.readFile(path);
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        const QStringList lines = QString::fromUtf8(bytes).split(u"\r\n"_s);
        QCOMPARE(lines.mid(0, 5), (QStringList{u"Kestrion 2"_s, line2, u"1"_s, u"0"_s, u"7"_s}));
        QCOMPARE(lines.value(7), u"10"_s + locale.decimalPoint() + u"5"_s);
        QCOMPARE(lines.last(), QString());

        const LoadOutcome out = library::readLayoutFile(path, folder_.path(), fs_);
        QVERIFY2(out.ok(), qPrintable(out.errorMessage));
        const LayoutFileContents& c = *out.contents;
        QCOMPARE((QStringList{c.vehicleFile, c.zoomText}), (QStringList{vehicle, zoom}));
        QVERIFY(c.mirrorLeftRight == true && c.mirrorTopBottom == false &&
                c.missingTextures.isEmpty() && c.missingAccessories.isEmpty());
        QCOMPARE(c.objects.count(), layout.objects.count());
        for (int r = 1; r <= c.objects.count(); ++r)
            for (int col = 1; col <= 8; ++col) {
                const Cell& read = c.objects.cell(r, col);
                const Cell& written = layout.objects.cell(r, col);
                // Fills and texts come back as text, every other cell as a number.
                QCOMPARE(read.isText(), col == ColFill || written.isText());
                QCOMPARE(read, read.isText() ? t(written.toString().trimmed())
                                             : f(float(written.toDouble())));
            }
    }

    void olderFilesKeepTheirCharacters_data() {
        QTest::addColumn<QByteArray>("encodedText");
        // "Cœur d’été € …" in each encoding a file may come in.
        QTest::newRow("UTF-8") << QString(u"Cœur d’été € …"_s).toUtf8();
        QTest::newRow("Western Windows code page") << QByteArray("C\x9C"
                                                                 "ur d\x92\xE9t\xE9 \x80 \x85");
    }
    void olderFilesKeepTheirCharacters() {
        QFETCH(QByteArray, encodedText);
        QStringList lines = goodLines();
        lines.removeLast();
        const QByteArray bytes = crlf(lines) + encodedText + "\r\n";
        const LoadOutcome out = load(bytes);
        QVERIFY2(out.ok(), qPrintable(out.errorMessage));
        QCOMPARE(out.contents->objects.cell(2, ColExtra), t(u"Cœur d’été € …"_s));
    }

    void vehicleNameIgnoresLetterCase() {
        QStringList lines = goodLines();
        lines[1] = kVehicle.toUpper();
        const LoadOutcome out = load(crlf(lines));
        QVERIFY2(out.ok(), qPrintable(out.errorMessage));
        QCOMPARE(out.contents->vehicleFile, kVehicle.toUpper()); // as the file spells it
    }

    void zoomText_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("percent");
        QTest::newRow("whole number") << "150" << 150;
        QTest::newRow("decimal comma, half to even") << "75,5" << 76;
        QTest::newRow("decimal point") << "80.5" << 80;
        QTest::newRow("above 1600 held") << "5000" << 1600;
        QTest::newRow("below 10 held") << "5" << 10;
        QTest::newRow("negative held") << "-20" << 10;
        QTest::newRow("huge held") << "1e30" << 1600;
        QTest::newRow("nan is no number") << "nan" << 100;
        QTest::newRow("infinity is no number") << "inf" << 100;
        QTest::newRow("minus infinity is no number") << "-inf" << 100;
        QTest::newRow("words are no number") << "cent" << 100;
        QTest::newRow("empty") << "" << 100;
    }
    void zoomText() {
        QFETCH(QString, text);
        QFETCH(int, percent);
        for (const QLocale& locale : {QLocale(QLocale::French), QLocale(QLocale::English)})
            QCOMPARE(zoomPercent(text, locale), percent);
    }

    void readingRules_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("zoom");
        QStringList lines = goodLines();
        lines[7] = u"12.5"_s;
        QTest::newRow("point decimal") << crlf(lines) << "150";
        lines[5] = u"  \"80,5\" , ignored"_s;
        QTest::newRow("quoted zoom field keeps its comma") << crlf(lines) << "80,5";
        lines[5] = u"  120 , 5"_s;
        QTest::newRow("comma ends a zoom field") << crlf(lines) << "120";
        QTest::newRow("LF only, no final line break") << lines.join(u'\n').toUtf8() << "120";
        lines[0] = u"Kestrion 1"_s;
        lines.remove(2, 2); // no mirror lines
        QTest::newRow("version 1 without mirror lines") << crlf(lines) << "120";
    }
    void readingRules() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, zoom);
        const LoadOutcome out = load(bytes);
        QVERIFY2(out.ok(), qPrintable(out.errorMessage));
        const bool version1 = bytes.startsWith("Kestrion 1");
        QCOMPARE(out.contents->version, version1 ? 1 : 2);
        QCOMPARE(out.contents->mirrorTopBottom, version1 ? std::nullopt : std::optional(true));
        QCOMPARE(out.contents->zoomText, zoom);
        QCOMPARE(out.contents->objects.count(), 2);
        QCOMPARE(out.contents->objects.cell(1, ColX), f(12.5f));
        QCOMPARE(out.contents->objects.cell(2, ColExtra), t(u"Évier, à gauche"_s));
    }

    void fillChecks_data() {
        QTest::addColumn<QStringList>("kindFillExtra"); // as written in the file
        QTest::addColumn<QList<Cell>>("read");          // kind, fill, extra
        QTest::addColumn<QString>("missing");           // missing textures | missing accessories
        const QString banc = u"Salon_Banc_90_40_XY_.jpg"_s;
        QTest::newRow("short fill is a palette index, no check")
            << QStringList{"1", "12", "0"} << QList{f(1), t(u"12"_s), f(0)} << "|";
        QTest::newRow("missing texture becomes black")
            << QStringList{"1", "marbre.jpg", "0"} << QList{f(1), i(0), f(0)} << "marbre.jpg|";
        QTest::newRow("present accessory kept")
            << QStringList{"9", kFrigo, "2"} << QList{f(9), t(kFrigo), f(2)} << "|";
        QTest::newRow("missing accessory becomes a black rectangle")
            << QStringList{"9", banc, "3"} << QList{f(1), i(0), i(0)} << "|" + banc;
        QTest::newRow("long fill on a measure is not checked")
            << QStringList{"0", "nulle.gif", "0"} << QList{f(0), t(u"nulle.gif"_s), f(0)} << "|";
        QTest::newRow("texture name may not leave its folder")
            << QStringList{"1", "../vehicules/" + kVehicle, "0"} << QList{f(1), i(0), f(0)}
            << "../vehicules/" + kVehicle + "|";
        // The drawing rounds the kind: whatever it draws as a picture is checked.
        QTest::newRow("kind 1.2 is drawn as a rectangle: its texture is checked")
            << QStringList{"1.2", "../vehicules/" + kVehicle, "0"} << QList{f(1.2f), i(0), f(0)}
            << "../vehicules/" + kVehicle + "|";
        QTest::newRow("kind 9,2 is drawn as an accessory: its picture is checked")
            << QStringList{"9,2", "../textures/bois.jpg", "1"} << QList{f(1), i(0), i(0)}
            << "|../textures/bois.jpg";
        QTest::newRow("kind 0.6 rounds to a rectangle")
            << QStringList{"0.6", "marbre.jpg", "0"} << QList{f(0.6f), i(0), f(0)} << "marbre.jpg|";
        QTest::newRow("kind 8.5 rounds to 8: no picture, no check")
            << QStringList{"8.5", "../x.jpg", "0"} << QList{f(8.5f), t(u"../x.jpg"_s), f(0)} << "|";
        QTest::newRow("texture in another letter case is found, name kept")
            << QStringList{"1", "BOIS.JPG", "0"} << QList{f(1), t(u"BOIS.JPG"_s), f(0)} << "|";
        QTest::newRow("accessory in another letter case is found, name kept")
            << QStringList{"9", kFrigo.toLower(), "2"} << QList{f(9), t(kFrigo.toLower()), f(2)}
            << "|";
        QTest::newRow("texture that does not decode counts as missing")
            << QStringList{"1", "casse.jpg", "0"} << QList{f(1), i(0), f(0)} << "casse.jpg|";
        QTest::newRow("accessory that does not decode counts as missing")
            << QStringList{"9", kBroken, "1"} << QList{f(1), i(0), i(0)} << "|" + kBroken;
    }
    void fillChecks() {
        QFETCH(QStringList, kindFillExtra);
        QFETCH(QList<Cell>, read);
        QFETCH(QString, missing);
        QStringList lines = goodLines();
        lines[6] = kindFillExtra[0];
        lines[11] = kindFillExtra[1];
        lines[13] = kindFillExtra[2];
        const LoadOutcome out = load(crlf(lines));
        QVERIFY2(out.ok(), qPrintable(out.errorMessage));
        const ObjectTable& tab = out.contents->objects;
        QCOMPARE((QList{tab.cell(1, ColKind), tab.cell(1, ColFill), tab.cell(1, ColExtra)}), read);
        // Place, size and lock are kept whatever happens to the fill.
        QCOMPARE(
            (QList{tab.cell(1, 2), tab.cell(1, 3), tab.cell(1, 4), tab.cell(1, 5), tab.cell(1, 7)}),
            (QList{f(12.5f), f(30), f(40), f(50), f(0)}));
        QCOMPARE(out.contents->missingTextures.join(u',') + u'|' +
                     out.contents->missingAccessories.join(u','),
                 missing);
    }

    void missingPicturesMessage() {
        QCOMPARE(document::missingPicturesMessage({}, {}), QString());
        QCOMPARE(document::missingPicturesMessage({u"a.jpg"_s}, {u"b.bmp"_s, u"c.gif"_s}),
                 u"L'agencement original comprend les textures suivantes :\n\na.jpg\n\n"
                 "Ainsi que les accessoires suivants :\n\nb.bmp\nc.gif\n\n"
                 "Ces images ne faisant pas partie de la bibliothèque, elles ont été remplacées "
                 "par des rectangles noirs."_s);
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
        const QString incompatible = u"Ce fichier n'est pas compatible"_s;
        const QString damaged = u"Ce fichier est endommagé"_s;
        const QString incomplete = u"Ce fichier est incomplet"_s;
        QTest::newRow("empty file") << QByteArray() << incompatible;
        QTest::newRow("unknown version") << with(0, "Kestrion 3") << incompatible;
        QTest::newRow("missing vehicle picture")
            << with(1, "Autre_X_Vue_XY_500_.bmp")
            << "L'agencement est basé sur le véhicule suivant :\n\nAutre_X_Vue_XY_500_.bmp\n\n"
               "Cette image ne fait pas partie de la bibliothèque. Vous devez vous la procurer "
               "pour voir l'agencement.";
        const QString badName = u"L'image du véhicule suivant n'a pas un nom valide :\n\n"_s;
        const QString sixFields =
            u"\n\nUn nom d'image de véhicule se compose de six champs séparés par \"_\" "
            "(modèle_carrosserie_vue_axes_résolution_.extension) : celui-ci n'en a pas six, sa "
            "résolution ne peut donc pas être lue."_s;
        QTest::newRow("vehicle resolution 0")
            << with(1, "Bad_X_Vue_XY_0_.bmp")
            << badName + u"Bad_X_Vue_XY_0_.bmp\n\nSa résolution (le cinquième champ du nom) "
                         "doit être un nombre entier positif."_s;
        QTest::newRow("vehicle name without a resolution field")
            << with(1, "Bad_X_Vue_XY_.bmp") << badName + u"Bad_X_Vue_XY_.bmp"_s + sixFields;
        QTest::newRow("vehicle name without any field")
            << with(1, "Fourgon.bmp") << badName + u"Fourgon.bmp"_s + sixFields;
        QTest::newRow("count above 1000") << with(4, "1001") << damaged;
        QTest::newRow("count not a number") << with(4, "deux") << damaged;
        QTest::newRow("count larger than the objects") << with(4, "3") << incomplete;
        QTest::newRow("cell not a number") << with(8, "trente") << damaged;
        QTest::newRow("number too big for a float") << with(9, "1e300") << damaged;
        QTest::newRow("ends before the count") << crlf(good.mid(0, 4)) << incomplete;
        QTest::newRow("ends inside an object") << crlf(good.mid(0, 17)) << incomplete;
        QTest::newRow("a million objects") << with(4, "1000000") << damaged;
        // A whole layout, followed by more than any layout can hold.
        QTest::newRow("larger than any layout")
            << crlf(good) + QByteArray(9 * 1024 * 1024, 'x') << damaged;
    }
    void refusedFiles() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, messageStart);
        const LoadOutcome out = load(bytes);
        QVERIFY(!out.ok());
        QVERIFY2(out.errorMessage.startsWith(messageStart), qPrintable(out.errorMessage));
    }

    void proposedName() {
        const auto name = [](auto vue, bool m) { return proposedFileName(u"Trafic"_s, vue, m); };
        // A mirrored view swaps "droite" and "gauche", lower case only.
        QCOMPARE(name(u"Côté droite"_s, false), u"Trafic - Côté droite.kla"_s);
        QCOMPARE(name(u"Côté droite"_s, true), u"Trafic - Côté gauchee.kla"_s);
        QCOMPARE(name(u"gauche"_s, true), u"Trafic - droit.kla"_s);
        QCOMPARE(name(u"Gauche"_s, true), u"Trafic - Gauche.kla"_s);
    }
};

QTEST_GUILESS_MAIN(TestLayoutFile)
#include "tst_layoutfile.moc"
