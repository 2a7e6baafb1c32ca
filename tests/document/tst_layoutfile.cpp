// Guards the layout file: what is written, what is read back, every file refused, and
// every header field and text read back exactly whatever the locale.
#include "document/LayoutFile.h"
#include "library/LayoutOpening.h"
#include "testkit/PlanObjects.h"
#include "testkit/TestKit.h"

#include <QFile>
#include <QTest>

using namespace document;
using namespace Qt::Literals::StringLiterals;

namespace {

const QString kVehicle = u"Fourgon_L2H2_Dessus_XY_500_.bmp"_s;
const QString kFrigo = u"Cuisine_Frigo40_45_50_XY-XZ_.bmp"_s;
const QString kBroken = u"Cuisine_Four_40_40_XY_.jpg"_s; // present, but not a picture
const QString kParquet = u"Parquet chêne, clair.bmp"_s;

QByteArray crlf(const QStringList& lines) {
    return (lines.join(u"\r\n"_s) + u"\r\n"_s).toUtf8();
}

// A valid "Kestrion 2" file: header, then a rectangle and a text.
QStringList goodLines() {
    return QString(u"Kestrion 2|"_s + kVehicle +
                   u"|0|1|2|150|1|12,5|30|40|50|3|0|0|3|5|6|7|8|0|1|Évier, à gauche"_s)
        .split(u'|');
}

// Vehicle names and zoom texts that a bare field would not give back, as they are
// written: between double quotes, a double quote doubled.
const QStringList kAwkwardVehicles = {
    kVehicle,
    u"Jumper 2,2 HDi_L2H2_Dessus_XY_500_.bmp"_s,
    u"Trafic \"Black\"_L1H1_Dessus_XY_500_.bmp"_s,
    u" Master_L3H2_Dessus_XY_500_.bmp "_s,
    u"L'Été aménagé_Œuvre_Côté gauche_XZ_500_.bmp"_s,
};
const QStringList kVehicleLines = {
    kVehicle,
    u"\"Jumper 2,2 HDi_L2H2_Dessus_XY_500_.bmp\""_s,
    u"\"Trafic \"\"Black\"\"_L1H1_Dessus_XY_500_.bmp\""_s,
    u"\" Master_L3H2_Dessus_XY_500_.bmp \""_s,
    u"L'Été aménagé_Œuvre_Côté gauche_XZ_500_.bmp"_s,
};

// A file as the program writes it, in the locale's number format: awkward header fields,
// every kind, whole and fractional places and sizes, textures, accessories and triangles
// in each quarter turn, both lines, locks, and texts with accents, commas and quotes.
QByteArray corpusFile(int seed, const QLocale& locale) {
    const QStringList reals = {u"0"_s,       u"12.5"_s,     u"0.1"_s,      u"-3.25"_s,
                               u"1234567"_s, u"33.33333"_s, u"1e-05"_s,    u"0.125"_s,
                               u"799.75"_s,  u"2.5e+10"_s,  u"0.3333333"_s};
    const QStringList texts = {u"Évier, à gauche"_s, u"Lit \"double\", 140"_s, u"Cœur d’été € …"_s,
                               u"L'évier; 2,5 m"_s, u"x"_s};
    const QStringList zooms = {u"100"_s, u"\"75,5\""_s, u"1600"_s, u"\" 80 \""_s};
    const int kinds[] = {0, 1, 2, 3, 4, 5, 9};
    const int count = 10 + seed * 3;
    QStringList lines{u"Kestrion 2"_s,           kVehicleLines[seed % kVehicleLines.size()],
                      QString::number(seed % 2), QString::number(seed / 2 % 2),
                      QString::number(count),    zooms[seed % zooms.size()]};
    for (int k = 0; k < count; ++k) {
        const int n = seed * 31 + k * 7;
        const auto real = [&](int salt) {
            return QString(reals[(n + salt) % reals.size()]).replace(u'.', locale.decimalPoint());
        };
        const int kind = kinds[(seed + k) % 7];
        QString fill = QString::number(n % 16), extra = u"0"_s;
        if (kind == 1 && k % 2)
            fill = n % 4 < 2 ? u"bois.jpg"_s : kParquet;
        if (kind == 9)
            fill = kFrigo;
        if (kind == 9 || kind == 5)
            extra = QString::number(n % 4);
        if (kind == 4)
            extra = QString::number(n % 2);
        if (kind == 3)
            extra = texts[n % texts.size()];
        const QString height = k % 3 ? real(5) : QString::number(n % 300);
        lines << QString::number(kind) << real(0) << real(3) << height << real(7) << fill
              << QString::number(k % 2) << extra;
    }
    return crlf(lines);
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
        for (const QString& vehicle : kAwkwardVehicles)
            folder_.addPicture(u"vehicules"_s, vehicle, 8, 8);
        folder_.addPicture(u"vehicules"_s, u"Bad_X_Vue_XY_0_.bmp"_s, 8, 8);
        folder_.addPicture(u"vehicules"_s, u"Bad_X_Vue_XY_.bmp"_s, 8, 8);
        folder_.addPicture(u"textures"_s, u"bois.jpg"_s, 4, 4);
        folder_.addPicture(u"textures"_s, kParquet, 4, 4);
        folder_.addPicture(u"accessoires"_s, kFrigo, 4, 4);
        for (const QString& broken : QStringList{folder_.textures() + u"/casse.jpg"_s,
                                                 folder_.accessoires() + u'/' + kBroken}) {
            QFile file(broken);
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write("JFIF, but cut short") > 0);
        }
    }

    // Every file the program writes reads back into objects that write the same bytes.
    void corpusWritesBackUnchanged_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<int>("seed");
        for (const QLocale& locale : {QLocale(QLocale::French), QLocale(QLocale::English)})
            for (int seed = 0; seed < 6; ++seed)
                QTest::addRow("%s %d", qPrintable(locale.decimalPoint()), seed) << locale << seed;
    }
    void corpusWritesBackUnchanged() {
        QFETCH(QLocale, locale);
        QFETCH(int, seed);
        const QByteArray bytes = corpusFile(seed, locale);
        const LoadOutcome out = load(bytes);
        QVERIFY2(out.ok(), qPrintable(out.errorMessage));
        QVERIFY(out.contents->missingTextures.isEmpty() &&
                out.contents->missingAccessories.isEmpty());
        Layout layout;
        layout.vehicleFile = out.contents->vehicleFile;
        layout.mirrorLeftRight = *out.contents->mirrorLeftRight;
        layout.mirrorTopBottom = *out.contents->mirrorTopBottom;
        layout.zoomText = out.contents->zoomText;
        layout.objects = out.contents->objects;
        QCOMPARE(QString::fromUtf8(layoutFileText(layout, locale)), QString::fromUtf8(bytes));
    }

    // Line breaks and surrounding blanks would split a text or not read back.
    void textsLoseLineBreaksAndBlanks() {
        Layout layout;
        layout.vehicleFile = kVehicle;
        for (const QString& text : {u"  Lit  "_s, u"Lit\r\ndouble"_s, u"Cœur d’été\n€ …"_s})
            layout.objects.append(testkit::planObject(ObjectKind::Text, 1, 2, 7, 30,
                                                      Fill::colour(12), true, 0, text));
        const QString path = folder_.path() + u"/texts.kla"_s;
        QVERIFY(writeLayoutFile(path, layout, QLocale(QLocale::French), fs_));
        const QByteArray bytes = *fs_.readFile(path);
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        const LoadOutcome out = library::readLayoutFile(path, folder_.path(), fs_);
        QVERIFY2(out.ok(), qPrintable(out.errorMessage));
        QStringList texts;
        for (const PlanObject& object : out.contents->objects)
            texts << object.text;
        QCOMPARE(texts, (QStringList{u"Lit"_s, u"Lit double"_s, u"Cœur d’été € …"_s}));
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
        QCOMPARE(out.contents->objects.row(2).text, u"Cœur d’été € …"_s);
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
        QTest::newRow("huge held") << "1e30" << 1600;
        QTest::newRow("negative held") << "-20" << 10;
        QTest::newRow("nan is no number") << "nan" << 100;
        QTest::newRow("infinity is no number") << "inf" << 100;
        QTest::newRow("words are no number") << "cent" << 100;
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
        QCOMPARE(out.contents->objects.row(1).position.x, 12.5f);
        QCOMPARE(out.contents->objects.row(2).text, u"Évier, à gauche"_s);
    }

    void fillChecks_data() {
        QTest::addColumn<QStringList>("kindFillExtra"); // as written in the file
        QTest::addColumn<QString>("read");              // kind, fill ("#" index) and orientation
        QTest::addColumn<QString>("missing");           // missing textures | missing accessories
        const QString banc = u"Salon_Banc_90_40_XY_.jpg"_s;
        const QString escaping = "../vehicules/" + kVehicle;
        const auto row = [](const char* what, const QString& kind, const QString& fill,
                            const QString& extra, const QString& read, const QString& missing) {
            QTest::newRow(what) << QStringList{kind, fill, extra} << read << missing;
        };
        row("short fill is a palette index, no check", "1", "12", "0", "1 #12 0", "|");
        row("missing texture becomes black", "1", "marbre.jpg", "0", "1 #0 0", "marbre.jpg|");
        row("present accessory kept", "9", kFrigo, "2", "9 " + kFrigo + " 2", "|");
        row("missing accessory becomes a black rectangle", "9", banc, "3", "1 #0 0", "|" + banc);
        row("long fill on a measure is not checked", "0", "nulle.gif", "0", "0 nulle.gif 0", "|");
        row("texture name may not leave its folder", "1", escaping, "0", "1 #0 0", escaping + "|");
        // The kind is rounded as the drawing rounds it: every picture drawn is checked.
        row("kind 1.2 is a rectangle: its texture is checked", "1.2", escaping, "0", "1 #0 0",
            escaping + "|");
        row("kind 9,2 is an accessory: its picture is checked", "9,2", "../textures/bois.jpg", "1",
            "1 #0 0", "|../textures/bois.jpg");
        row("kind 8.5 rounds to 8: no picture, no check", "8.5", "../x.jpg", "0.6", "8 ../x.jpg 1",
            "|");
        row("texture in another letter case is found, name kept", "1", "BOIS.JPG", "0",
            "1 BOIS.JPG 0", "|");
        row("accessory in another letter case is found, name kept", "9", kFrigo.toLower(), "2",
            "9 " + kFrigo.toLower() + " 2", "|");
        row("texture that does not decode counts as missing", "1", "casse.jpg", "0", "1 #0 0",
            "casse.jpg|");
        row("accessory that does not decode counts as missing", "9", kBroken, "1", "1 #0 0",
            "|" + kBroken);
    }
    void fillChecks() {
        QFETCH(QStringList, kindFillExtra);
        QFETCH(QString, read);
        QFETCH(QString, missing);
        QStringList lines = goodLines();
        lines[6] = kindFillExtra[0];
        lines[11] = kindFillExtra[1];
        lines[13] = kindFillExtra[2];
        const LoadOutcome out = load(crlf(lines));
        QVERIFY2(out.ok(), qPrintable(out.errorMessage));
        const PlanObject& object = out.contents->objects.row(1);
        const Fill& fill = object.fill;
        QCOMPARE(
            u"%1 %2 %3"_s.arg(int(object.kind))
                .arg(fill.isFile() ? fill.fileName() : u"#"_s + QString::number(fill.colourIndex()))
                .arg(object.orientation),
            read);
        // Place, size and lock are kept whatever happens to the fill.
        QVERIFY(object.position == (PlanPoint{12.5f, 30}) && object.heightCm == 40 &&
                object.widthCm == 50 && !object.locked);
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
        QTest::newRow("count above 1000") << with(4, "1001") << damaged;
        QTest::newRow("count not a number") << with(4, "deux") << damaged;
        QTest::newRow("count larger than the objects") << with(4, "3") << incomplete;
        QTest::newRow("cell not a number") << with(8, "trente") << damaged;
        QTest::newRow("number too big for a float") << with(9, "1e300") << damaged;
        QTest::newRow("ends before the count") << crlf(good.mid(0, 4)) << incomplete;
        QTest::newRow("ends inside an object") << crlf(good.mid(0, 17)) << incomplete;
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
