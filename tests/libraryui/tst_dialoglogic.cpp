// Guards the arithmetic behind the library windows: fitting, resolution, names, the two-click test.
#include "library/ui/DialogLogic.h"
#include "testkit/TestKit.h"

#include <QtTest>

using namespace library::ui;
using Outcome = Measurement::Outcome;

Q_DECLARE_METATYPE(Measurement::Outcome)

class DialogLogicTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void fitsWidthFirstThenHeight_data();
    void fitsWidthFirstThenHeight();
    void measuresResolution_data();
    void measuresResolution();
    void cleansNames_data();
    void cleansNames();
    void suggestsDistinctFieldsOfLibraryNames();
    void crossHairAndCrossLeaveNoMark();
};

void DialogLogicTest::fitsWidthFirstThenHeight_data() {
    QTest::addColumn<QSizeF>("natural");
    QTest::addColumn<QSizeF>("box");
    QTest::addColumn<QSizeF>("fitted");
    QTest::newRow("tall import picture")
        << QSizeF(1455, 2430) << QSizeF(1455, 1215) << QSizeF(727.5, 1215);
    QTest::newRow("still too high after the width")
        << QSizeF(4000, 4000) << QSizeF(3460, 2025) << QSizeF(2025, 2025);
    QTest::newRow("small picture kept")
        << QSizeF(300, 150) << QSizeF(1455, 1215) << QSizeF(300, 150);
}

void DialogLogicTest::fitsWidthFirstThenHeight() {
    QFETCH(QSizeF, natural);
    QFETCH(QSizeF, box);
    QFETCH(QSizeF, fitted);
    const QSizeF got = fitInto(natural, box);
    QVERIFY2(qAbs(got.width() - fitted.width()) < 1e-6 &&
                 qAbs(got.height() - fitted.height()) < 1e-6,
             qPrintable(QStringLiteral("%1x%2").arg(got.width()).arg(got.height())));
}

void DialogLogicTest::measuresResolution_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<double>("pixels");
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<int>("resolution");
    const QLocale fr(QLocale::French, QLocale::France), en(QLocale::English, QLocale::UnitedStates);
    QTest::newRow("50 cm over 200 px") << "50" << 200.0 << fr << Outcome::Ok << 2500;
    QTest::newRow("French decimal comma") << "12,5" << 100.0 << fr << Outcome::Ok << 1250;
    QTest::newRow("French reading refuses a dot")
        << "12.5" << 100.0 << fr << Outcome::NotANumber << 0;
    QTest::newRow("English decimal point") << "12.5" << 100.0 << en << Outcome::Ok << 1250;
    QTest::newRow("half rounds to even (2.5)") << "1" << 4000.0 << fr << Outcome::Ok << 2;
    QTest::newRow("half rounds to even (3.5)") << "7" << 20000.0 << fr << Outcome::Ok << 4;
    QTest::newRow("spaces around the number") << " 50 " << 200.0 << fr << Outcome::Ok << 2500;
    QTest::newRow("empty answer") << "" << 200.0 << fr << Outcome::NotANumber << 0;
    QTest::newRow("words") << "cinquante" << 200.0 << fr << Outcome::NotANumber << 0;
    QTest::newRow("negative") << "-50" << 200.0 << fr << Outcome::NotPositive << 0;
    QTest::newRow("zero") << "0" << 200.0 << fr << Outcome::NotPositive << 0;
    QTest::newRow("32767 fits") << "32767" << 10000.0 << fr << Outcome::Ok << 32767;
    QTest::newRow("32768 is too large") << "32768" << 10000.0 << fr << Outcome::TooLarge << 0;
    QTest::newRow("rounds to nothing") << "0,001" << 200.0 << fr << Outcome::TooSmall << 0;
}

void DialogLogicTest::measuresResolution() {
    QFETCH(QString, answer);
    QFETCH(double, pixels);
    QFETCH(QLocale, locale);
    QFETCH(Outcome, outcome);
    QFETCH(int, resolution);
    const Measurement m = measureResolution(answer, pixels, locale);
    QCOMPARE(m.outcome, outcome);
    QCOMPARE(int(m.resolution), resolution);
}

void DialogLogicTest::cleansNames_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("clean");
    QTest::newRow("trimmed") << "  Fourgon L1 "
                             << "Fourgon L1";
    QTest::newRow("spaces only are empty") << "   "
                                           << "";
    QTest::newRow("every forbidden character dropped") << "a_b\\c/d:e*f?g<h>i|j\"k"
                                                       << "abcdefghijk";
    QTest::newRow("accents kept") << "Réfrigérateur"
                                  << "Réfrigérateur";
}

void DialogLogicTest::cleansNames() {
    QFETCH(QString, typed);
    QFETCH(QString, clean);
    QCOMPARE(cleanName(typed), clean);
}

void DialogLogicTest::suggestsDistinctFieldsOfLibraryNames() {
    const QStringList names{"Fourgon_L1H1_Haut_XY_2500_.jpg",
                            "Fourgon_L2H2_Haut_XY_2500_.jpg",
                            "Camion_L1H1_Avant_YZ_100_.bmp",
                            "Seven_fields_a_b_c_d_.jpg",
                            "Five_a_b_c_.jpg",
                            "_L3_Gauche_XZ_100_.jpg"};
    QCOMPARE(distinctFields(names, 0), (QStringList{"Fourgon", "Camion"}));
    QCOMPARE(distinctFields(names, 1), (QStringList{"L1H1", "L2H2", "L3"}));
    QCOMPARE(distinctFields(names, 2), (QStringList{"Haut", "Avant", "Gauche"}));
}

void DialogLogicTest::crossHairAndCrossLeaveNoMark() {
    platform::Surface surface(120, 80);
    surface.Cls();
    const QImage clean = surface.Image().copy();
    CalibrationTest test;
    test.start();
    test.mouseMove(30, 20, surface);
    QVERIFY(surface.Image() != clean);
    QCOMPARE(surface.Point(0, 20), platform::kBlack);
    test.mouseMove(70, 50, surface);
    QCOMPARE(surface.Point(0, 20), platform::kWhite);
    QCOMPARE(surface.Point(110, 50), platform::kBlack);
    test.click(70, 50, surface);
    // Moving away removes the cross-hair, the cross stays until the picture is redrawn.
    test.mouseMove(100, 10, surface);
    test.mouseMove(100, 10, surface);
    QCOMPARE(surface.Point(65, 50), platform::kBlack);
    test.click(70, 50, surface); // on the first point: the cross drawn again is removed
    QCOMPARE(surface.Point(65, 50), platform::kWhite);
    QCOMPARE(surface.Point(70, 45), platform::kWhite);
    QVERIFY(!test.firstPointTaken());
}

QTEST_MAIN(DialogLogicTest)
#include "tst_dialoglogic.moc"
