// Guards the layout file: what is written, what is read back, and every file refused.
#include "document/LayoutFile.h"
#include "library/LayoutOpening.h"
#include "testkit/PlanObjects.h"
#include "testkit/TestKit.h"

#include <QTest>

using namespace document;
using namespace Qt::Literals::StringLiterals;

Q_DECLARE_METATYPE(document::LooseLoads)

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

// The same file with masses: 12.5 kg on the rectangle, 150 kg of passengers 20 cm ahead
// of the front axle.
QStringList massLines() {
    QStringList lines = goodLines();
    lines[0] = u"Kestrion 3"_s;
    return lines + QString(u"1|1|12,5|1|Passagers|150|-20"_s).split(u'|');
}

// What a file reads as: version, zoom text and percent, the first object's kind, fill ("#" index)
// and turn, the second object's text, then missing textures | missing accessories; with
// masses, the first object's and the first load's.
QString summary(const LayoutFileContents& c) {
    const PlanObject& first = c.objects.row(1);
    const QString fill = first.fill.isFile() ? first.fill.fileName()
                                             : u"#"_s + QString::number(first.fill.colourIndex());
    const QString text = u"v%1 %2=%3 / %4 %5 %6 / %7 / %8|%9"_s.arg(c.version)
                             .arg(c.zoomText)
                             .arg(zoomPercent(c.zoomText, QLocale(QLocale::French)))
                             .arg(int(first.kind))
                             .arg(fill)
                             .arg(first.orientation.number())
                             .arg(c.objects.row(2).text, c.missingTextures.join(u','),
                                  c.missingAccessories.join(u','));
    if (c.version < 3)
        return text;
    if (c.loads.empty())
        return text + u" / %1 loads"_s.arg(c.loads.size());
    return text + u" / %1 kg on 1, %2 %3 kg at %4"_s.arg(*c.objects.row(1).massKg)
                      .arg(c.loads[0].label)
                      .arg(c.loads[0].massKg)
                      .arg(c.loads[0].alongCm);
}

// Vehicle names a bare field would not give back, and their line as written: between
// double quotes, a double quote doubled.
const QList<std::pair<QString, QString>> kAwkwardVehicles = {
    {kVehicle, kVehicle},
    {u"Jumper 2,2 HDi_L2H2_Dessus_XY_500_.bmp"_s, u"\"Jumper 2,2 HDi_L2H2_Dessus_XY_500_.bmp\""_s},
    {u"Trafic \"Black\"_L1H1_Dessus_XY_500_.bmp"_s,
     u"\"Trafic \"\"Black\"\"_L1H1_Dessus_XY_500_.bmp\""_s},
    {u" Master_L3H2_Dessus_XY_500_.bmp "_s, u"\" Master_L3H2_Dessus_XY_500_.bmp \""_s},
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
    QStringList lines{
        u"Kestrion 2"_s,           kAwkwardVehicles[seed % kAwkwardVehicles.size()].second,
        QString::number(seed % 2), QString::number(seed / 2 % 2),
        QString::number(count),    zooms[seed % zooms.size()]};
    for (int k = 0; k < count; ++k) {
        const int n = seed * 31 + k * 7;
        const auto real = [&](int salt) {
            return QString(reals[(n + salt) % reals.size()]).replace(u'.', locale.decimalPoint());
        };
        const int kind = kinds[(seed + k) % 7];
        const QString fill = kind == 9            ? kFrigo
                             : kind == 1 && k % 2 ? (n % 4 < 2 ? u"bois.jpg"_s : kParquet)
                                                  : QString::number(n % 16);
        const QString extra = kind == 3                ? texts[n % texts.size()]
                              : kind == 4              ? QString::number(n % 2)
                              : kind == 5 || kind == 9 ? QString::number(n % 4)
                                                       : u"0"_s;
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
        for (const auto& vehicle : kAwkwardVehicles)
            folder_.addPicture(u"vehicules"_s, vehicle.first, 8, 8);
        folder_.addPicture(u"vehicules"_s, u"Bad_X_Vue_XY_0_.bmp"_s, 8, 8);
        folder_.addPicture(u"vehicules"_s, u"Bad_X_Vue_XY_.bmp"_s, 8, 8);
        folder_.addPicture(u"textures"_s, u"bois.jpg"_s, 4, 4);
        folder_.addPicture(u"textures"_s, kParquet, 4, 4);
        folder_.addPicture(u"accessoires"_s, kFrigo, 4, 4);
        QVERIFY(fs_.writeFileSafely(folder_.textures() + u"/casse.jpg"_s, "JFIF, but cut short"));
        QVERIFY(fs_.writeFileSafely(folder_.accessoires() + u'/' + kBroken, "JFIF, cut short"));
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
        QVERIFY(out.contents->missingTextures.isEmpty());
        QVERIFY(out.contents->missingAccessories.isEmpty());
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
        layout.objects.append(testkit::planObject(ObjectKind::Text, 1, 2, 7, 30, Fill::colour(12),
                                                  true, 0, u"  Lit\r\ndouble\n€ … "_s));
        const QByteArray bytes = layoutFileText(layout, QLocale(QLocale::French));
        QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
        const LoadOutcome out = load(bytes);
        QVERIFY2(out.ok(), qPrintable(out.errorMessage));
        QCOMPARE(out.contents->objects.row(1).text, u"Lit double € …"_s);
    }

    // Files read, or refused with the start of the message shown.
    void reading_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("expected");
        const auto with = [](std::initializer_list<std::pair<int, QString>> changes,
                             QStringList lines = goodLines()) {
            for (const auto& [index, value] : changes)
                lines[index] = value;
            return crlf(lines);
        };
        const auto read = [](const QString& head, const QString& first = u"1 #3 0"_s,
                             const QString& missing = u"|"_s,
                             const QString& text = u"Évier, à gauche"_s) -> QString {
            return head + u" / "_s + first + u" / "_s + text + u" / "_s + missing;
        };
        const auto row = [](const char* what, const QByteArray& bytes, const QString& expected) {
            QTest::newRow(what) << bytes << expected;
        };
        const QString v2 = u"v2 150=150"_s;
        row("vehicle in another letter case, kept as spelt", with({{1, kVehicle.toUpper()}}),
            read(v2));
        row("Western Windows code page text",
            crlf(goodLines().mid(0, 21)) + "C\x9C\x75r d\x92\xE9t\xE9 \x80 \x85\r\n",
            read(v2, "1 #3 0", "|", u"Cœur d’été € …"_s));
        // The zoom is held to 10..1600 %, 100 when it is no number, in any locale.
        for (const char* zoom : {"80.5=80", "1e30=1600", "-20=10", "inf=100", "cent=100"})
            row(zoom, with({{5, QString::fromLatin1(zoom).section(u'=', 0, 0)}}),
                read(u"v2 "_s + QLatin1String(zoom)));
        QStringList lines = goodLines();
        lines[7] = u"12.5"_s;
        row("point decimal", crlf(lines), read(v2));
        lines[5] = u"  \"80,5\" , ignored"_s;
        row("quoted zoom field keeps its comma", crlf(lines), read("v2 80,5=80"));
        lines[5] = u"  120 , 5"_s;
        row("comma ends a zoom field", crlf(lines), read("v2 120=120"));
        row("LF only, no final line break", lines.join(u'\n').toUtf8(), read("v2 120=120"));
        lines[0] = u"Kestrion 1"_s;
        lines.remove(2, 2); // no mirror lines
        row("version 1 without mirror lines", crlf(lines), read("v1 120=120"));
        row("kind 8.5 rounds to 8: no picture, no check",
            with({{6, "8.5"}, {11, "../x.jpg"}, {13, "0.6"}}), read(v2, "8 ../x.jpg 1"));
        row("texture that does not decode counts as missing", with({{11, "casse.jpg"}}),
            read(v2, "1 #0 0", "casse.jpg|"));
        row("accessory that does not decode counts as missing",
            with({{6, "9"}, {11, kBroken}, {13, "1"}}), read(v2, "1 #0 0", "|" + kBroken));
        const QString damaged = u"Ce fichier est endommagé"_s;
        row("unknown version", with({{0, "Kestrion 4"}}), u"Ce fichier n'est pas compatible"_s);
        row("missing vehicle picture", with({{1, "Autre_X_Vue_XY_500_.bmp"}}),
            "L'agencement est basé sur le véhicule suivant :\n\nAutre_X_Vue_XY_500_.bmp\n\n"
            "Cette image ne fait pas partie de la bibliothèque. Vous devez vous la procurer "
            "pour voir l'agencement.");
        const QString badName = u"L'image du véhicule suivant n'a pas un nom valide :\n\n"_s;
        row("vehicle resolution 0", with({{1, "Bad_X_Vue_XY_0_.bmp"}}),
            badName + u"Bad_X_Vue_XY_0_.bmp\n\nSa résolution (le cinquième champ du nom) "
                      "doit être un nombre entier positif."_s);
        row("vehicle name without a resolution field", with({{1, "Bad_X_Vue_XY_.bmp"}}),
            badName + u"Bad_X_Vue_XY_.bmp\n\nUn nom d'image de véhicule se compose de six "
                      "champs séparés par \"_\" (modèle_carrosserie_vue_axes_résolution_."
                      "extension) : celui-ci n'en a pas six, sa résolution ne peut donc pas "
                      "être lue."_s);
        row("count above 1000", with({{4, "1001"}}), damaged);
        row("count larger than the objects", with({{4, "3"}}), u"Ce fichier est incomplet"_s);
        row("cell not a number", with({{8, "trente"}}), damaged);
        row("number too big for a float", with({{9, "1e300"}}), damaged);
        row("larger than any layout", with({}) + QByteArray(9 * 1024 * 1024, 'x'), damaged);
        // The mass part.
        const QString v3 = read(u"v3 150=150"_s);
        row("masses read", with({}, massLines()),
            v3 + u" / 12.5 kg on 1, Passagers 150 kg at -20"_s);
        row("nothing weighed, no load", crlf(massLines().mid(0, 22) + QStringList{u"0"_s, u"0"_s}),
            v3 + u" / 0 loads"_s);
        const QString incomplete = u"Ce fichier est incomplet"_s;
        row("mass part missing", crlf(goodLines()).replace("Kestrion 2", "Kestrion 3"), incomplete);
        row("cut in a load", crlf(massLines().mid(0, 27)), incomplete);
        row("more weighed than objects", with({{22, "3"}}, massLines()), damaged);
        row("mass on row 0", with({{23, "0"}}, massLines()), damaged);
        row("mass on a row past the last", with({{23, "3"}}, massLines()), damaged);
        row("row weighed twice",
            crlf(massLines().mid(0, 22) +
                 QStringList{u"2"_s, u"1"_s, u"5"_s, u"1"_s, u"6"_s, u"0"_s}),
            damaged);
        row("mass not a number", with({{24, "lourd"}}, massLines()), damaged);
        row("load count above 1000", with({{25, "1001"}}, massLines()), damaged);
        row("load place too big for a float", with({{28, "1e300"}}, massLines()), damaged);
    }
    void reading() {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, expected);
        const LoadOutcome out = load(bytes);
        if (!out.ok()) {
            QVERIFY2(out.errorMessage.startsWith(expected), qPrintable(out.errorMessage));
            return;
        }
        const LayoutFileContents& c = *out.contents;
        QCOMPARE(summary(c), expected);
        QCOMPARE(zoomPercent(c.zoomText, QLocale(QLocale::English)),
                 zoomPercent(c.zoomText, QLocale(QLocale::French)));
        QVERIFY(bytes.contains(c.vehicleFile.toUtf8()));
        QCOMPARE(c.mirrorTopBottom, c.version == 1 ? std::nullopt : std::optional(true));
        // Place, size and lock are kept whatever happens to the fill.
        const PlanObject& first = c.objects.row(1);
        QVERIFY(first.position == (PlanPoint{12.5f, 30}));
        QVERIFY(first.heightCm == 40);
        QVERIFY(first.widthCm == 50);
        QVERIFY(!first.locked);
    }

    // A layout with masses reads back with them and writes the same bytes again; one
    // without is written as "Kestrion 2". The loads keep names with accents, quotes and
    // separators, and masses and places that need every digit of single precision.
    void massesRoundTrip_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<LooseLoads>("loads");
        const LooseLoads plain{{u"Passagers, avant"_s, 150, -20.25f}, {u"Eau"_s, 100, 310}};
        const LooseLoads digits{{u"Réservoir"_s, 1234.5677f, -12.345678f}};
        for (const QLocale& locale : {QLocale(QLocale::French), QLocale(QLocale::English)}) {
            const QByteArray name = QLocale::languageToString(locale.language()).toLatin1();
            QTest::addRow("%s, plain", name.data()) << locale << plain;
            QTest::addRow("%s, every digit", name.data()) << locale << digits;
        }
        const QLocale french(QLocale::French);
        QTest::newRow("decimals") << french << LooseLoads{{u"Bagages"_s, 0.1f, 333.3f}};
        QTest::newRow("tiny and large")
            << french << LooseLoads{{u"Vis"_s, 0.001f, 1e-5f}, {u"Lest"_s, 32767.5f, 99999.99f}};
        QTest::newRow("awkward names")
            << french
            << LooseLoads{{u"l'« eau » \"douce\""_s, 80, 0}, {u""_s, 5, 1}, {u"a;b,c"_s, 1, 2}};
    }
    void massesRoundTrip() {
        QFETCH(QLocale, locale);
        QFETCH(LooseLoads, loads);
        Layout layout;
        layout.vehicleFile = kVehicle;
        layout.objects.append(testkit::planObject(ObjectKind::Rectangle, 1, 2, 7, 30,
                                                  Fill::colour(12), false, 0, {}));
        layout.objects.append(testkit::planObject(ObjectKind::Accessory, 10, 20, 45, 50,
                                                  Fill::file(kFrigo), true, 1, {}));
        layout.objects.append(
            testkit::planObject(ObjectKind::Ellipse, 1, 2, 7, 30, Fill::colour(3), false, 0, {}));
        const QByteArray plain = layoutFileText(layout, locale);
        QVERIFY(plain.startsWith("Kestrion 2\r\n"));

        layout.objects.row(2).massKg = 28.5f;
        layout.objects.row(3).massKg = 0.f; // known to weigh nothing
        layout.loads = loads;
        const QString path = folder_.path() + u"/masses.kla"_s;
        QVERIFY(writeLayoutFile(path, layout, locale, fs_));
        const LoadOutcome out = library::readLayoutFile(path, folder_.path(), fs_);
        QVERIFY2(out.ok(), qPrintable(out.errorMessage));
        QCOMPARE(out.contents->version, 3);
        QVERIFY(!out.contents->objects.row(1).massKg);
        QCOMPARE(out.contents->objects.row(2).massKg, 28.5f);
        QCOMPARE(out.contents->objects.row(3).massKg, 0.f);
        QCOMPARE(out.contents->loads, layout.loads);
        // Every "Kestrion 2" line is there as it was, under the new first line.
        const QByteArray bytes = *fs_.readFile(path);
        QCOMPARE(bytes.mid(12, plain.size() - 12), plain.mid(12));
        QVERIFY(bytes.startsWith("Kestrion 3\r\n"));
        Layout back;
        back.vehicleFile = out.contents->vehicleFile;
        back.objects = out.contents->objects;
        back.loads = out.contents->loads;
        QCOMPARE(layoutFileText(back, locale), bytes);
    }

    void missingPicturesMessage() {
        QCOMPARE(document::missingPicturesMessage({}, {}), QString());
        QCOMPARE(document::missingPicturesMessage({u"a.jpg"_s}, {u"b.bmp"_s, u"c.gif"_s}),
                 u"L'agencement original comprend les textures suivantes :\n\na.jpg\n\n"
                 "Ainsi que les accessoires suivants :\n\nb.bmp\nc.gif\n\n"
                 "Ces images ne faisant pas partie de la bibliothèque, elles ont été remplacées "
                 "par des rectangles noirs."_s);
    }

    // The table holds at most 1000 rows and takes a row back only between 1 and count + 1.
    void objectTableLimits() {
        ObjectTable t;
        for (int k = 0; k < kMaxObjects; ++k)
            QVERIFY(t.append(PlanObject{}));
        PlanObject last;
        last.position.x = 1;
        QVERIFY(t.isFull());
        QVERIFY(!t.append(last));
        QVERIFY(!t.insertAt(1, last));
        t.removeAt(kMaxObjects);
        QVERIFY(!t.isFull());
        QVERIFY(!t.insertAt(0, last));
        QVERIFY(!t.insertAt(kMaxObjects + 1, last));
        QVERIFY(t.insertAt(kMaxObjects, last)); // after the others
        QCOMPARE(t.row(kMaxObjects).position.x, 1.f);
    }

    void proposedName() {
        const auto name = [](auto viewName, bool m) {
            return proposedFileName(u"Trafic"_s, viewName, m);
        };
        // A mirrored view swaps "droite" and "gauche", lower case only.
        QCOMPARE(name(u"Côté droite"_s, false), u"Trafic - Côté droite.kla"_s);
        QCOMPARE(name(u"Côté droite"_s, true), u"Trafic - Côté gauchee.kla"_s);
        QCOMPARE(name(u"gauche"_s, true), u"Trafic - droit.kla"_s);
        QCOMPARE(name(u"Gauche"_s, true), u"Trafic - Gauche.kla"_s);
    }
};

QTEST_GUILESS_MAIN(TestLayoutFile)
#include "tst_layoutfile.moc"
