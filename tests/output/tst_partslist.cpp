// Guards the parts list: one exact line per object of every kind in French and English
// number formats, and the totals per texture and per colour.
#include "output/PartsList.h"
#include "testkit/PlanObjects.h"
#include "testkit/TestKit.h"

#include <QtTest>

using document::Fill;
using testkit::planObject;

namespace {

// Every kind on a van picture at 2 pixels per cm; positions in picture pixels.
document::Layout everyKind() {
    using enum document::ObjectKind;
    document::Layout layout;
    layout.vehicleFile = QStringLiteral("Fourgon_L2H2_Dessus_XY_5000_.jpg");
    layout.pixelsPerCm = 2.0;
    const Fill parquet = Fill::file(QStringLiteral("Parquet chene.jpg"));
    const Fill red = Fill::colour(2);
    document::ObjectTable& t = layout.objects;
    t.append(planObject(Measure, 20, 40, 5, 120));
    t.append(planObject(Rectangle, 100, 60, 120, 200, parquet, true));
    t.append(planObject(Ellipse, 11, 3, 100, 100, red));
    t.append(planObject(Text, 0, 0, 10, 60, Fill::colour(0), true, 0,
                        QStringLiteral("Lit; 140 \"double\"")));
    t.append(planObject(Line, -15, 7, 1, 80, Fill::colour(6), false, 1));
    t.append(planObject(Triangle, 300, 201, 45, 120, red, false, 3));
    t.append(planObject(Accessory, 400, 100, 40, 60,
                        Fill::file(QStringLiteral("Meuble_Evier_60_40_XY_.bmp")), true));
    t.append(planObject(Rectangle, 500, 0, 192, 100, parquet));
    t.append(planObject(Rectangle, 0, 300, 50, 100, red));
    return layout;
}

} // namespace

class TestPartsList : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void everyKindAndTheTotals_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QStringList>("expected");
        const QStringList french = {
            "N°;Type;Description;Largeur (cm);Hauteur (cm);X (cm);Y (cm);Surface (m²);Figé",
            "1;Mesure;Noir;120;5;10;20;;non",
            "2;Rectangle;Parquet chene;200;120;50;30;2,4;oui",
            "3;Ellipse / Cercle;Rouge;100;100;5,5;1,5;0,79;non",
            "4;Texte;\"Lit; 140 \"\"double\"\"\";60;10;0;0;;oui",
            "5;Ligne;Bleu;80;1;-7,5;3,5;;non",
            "6;Triangle;Rouge;120;45;150;100,5;0,27;non",
            "7;Accessoire;Meuble Evier;60;40;200;50;;oui",
            "8;Rectangle;Parquet chene;100;192;250;0;1,92;non",
            "9;Rectangle;Rouge;100;50;0;150;0,5;non",
            ";Total texture;Parquet chene : 4,32 m²;;;;;4,32;",
            ";Total couleur;Rouge : 1,56 m²;;;;;1,56;",
        };
        QStringList english = french;
        for (int i = 1; i < english.size(); ++i) {
            // Only the decimal separator of the numbers changes; no name holds a comma.
            static const QRegularExpression comma(QStringLiteral("(\\d),(\\d)"));
            english[i].replace(comma, QStringLiteral("\\1.\\2"));
        }
        QTest::newRow("French: decimal commas")
            << QLocale(QLocale::French, QLocale::France) << french;
        QTest::newRow("English: decimal points")
            << QLocale(QLocale::English, QLocale::UnitedStates) << english;
    }
    void everyKindAndTheTotals() {
        QFETCH(QLocale, locale);
        QFETCH(QStringList, expected);
        const QStringList lines = output::partsListLines(everyKind(), locale);
        for (int i = 0; i < std::min(lines.size(), expected.size()); ++i)
            QCOMPARE(lines[i], expected[i]);
        QCOMPARE(lines.size(), expected.size());
    }
};

QTEST_MAIN(TestPartsList)
#include "tst_partslist.moc"
