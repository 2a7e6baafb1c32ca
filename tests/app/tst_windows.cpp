// Guards the preferences window's three buttons, the number boxes' key filter, and the
// fixed texts of the help, About and acknowledgements windows.
#include "Snapshot.h"
#include "app/InfoWindows.h"
#include "platform/Product.h"
#include "platform/ScriptedDialogService.h"
#include "platform/SettingsStore.h"
#include "settings/PreferenceStore.h"
#include "settings/ui/DigitKeyFilter.h"
#include "settings/ui/Pref.h"
#include "testkit/TestKit.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

namespace {

QString stored(platform::MemoryStore& store, const char* name) {
    return store.values.value(settings::PreferenceStore::key(QLatin1String(name)));
}

} // namespace

class TestWindows : public QObject {
    Q_OBJECT

    platform::MemoryStore store;
    platform::ScriptedDialogService dialogs;

    QLineEdit* lineWidth(settings::ui::Pref& pref) {
        return pref.findChild<QLineEdit*>(QStringLiteral("Text1"));
    }
    QCheckBox* check(settings::ui::Pref& pref, int number) {
        return pref.findChild<QCheckBox*>(QStringLiteral("Check%1").arg(number));
    }

private Q_SLOTS:
    void initTestCase() {
        testkit::setUpTestEnvironment();
        QCoreApplication::setApplicationVersion(QStringLiteral("1.2.1"));
    }
    void init() {
        store = platform::MemoryStore();
        dialogs.clear();
    }

    void okBringsTheLineWidthIntoRange_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        QTest::newRow("0 becomes 1") << "0"
                                     << "1";
        QTest::newRow("250 becomes 100") << "250"
                                         << "100";
        QTest::newRow("37 stays") << "37"
                                  << "37";
        QTest::newRow("100 stays") << "100"
                                   << "100";
        QTest::newRow("empty box gives the default 2") << ""
                                                       << "2";
        QTest::newRow("pasted letters give the default 2") << "abc"
                                                           << "2";
        QTest::newRow("a digit run beyond any integer becomes 100") << "99999999999999999999"
                                                                    << "100";
    }
    void okBringsTheLineWidthIntoRange() {
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        settings::ui::Pref pref(store, dialogs);
        std::optional<settings::Preferences> confirmed;
        pref.onConfirmed = [&](const settings::Preferences& p) { confirmed = p; };
        lineWidth(pref)->setText(typed);
        check(pref, 1)->setChecked(true);
        pref.Command1_Click(0);
        QVERIFY(!pref.isVisible());
        QCOMPARE(lineWidth(pref)->text(), kept);
        QCOMPARE(stored(store, "larlig"), kept);
        QCOMPARE(stored(store, "carross"), QStringLiteral("1"));
        QVERIFY(confirmed);
        QCOMPARE(confirmed->larlig, kept);
        QVERIFY(confirmed->carross);
        QVERIFY(dialogs.asked.empty());
    }

    void lineWidthBoxTakesOnlyDigitsAndBackspace() {
        settings::ui::Pref pref(store, dialogs);
        pref.show();
        QLineEdit* box = lineWidth(pref);
        box->clear();
        box->setFocus();
        QTest::keyClicks(box, QStringLiteral("a1b2,3 x"));
        QCOMPARE(box->text(), QStringLiteral("123"));
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("12"));
    }

    void typedCharacterFilter_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("digit") << "7" << true;
        QTest::newRow("backspace") << "\b" << true;
        QTest::newRow("key without character") << "" << true;
        QTest::newRow("letter") << "e" << false;
        QTest::newRow("minus sign") << "-" << false;
        QTest::newRow("decimal comma") << "," << false;
        QTest::newRow("space") << " " << false;
        QTest::newRow("arabic-indic digit") << QString(QChar(0x0663)) << false;
    }
    void typedCharacterFilter() {
        QFETCH(QString, typed);
        QFETCH(bool, accepted);
        QCOMPARE(settings::ui::DigitKeyFilter::accepts(typed), accepted);
    }

    void defaultsThenCancelLeavesEverythingAsItWas() {
        settings::Preferences mine;
        mine.carross = true;
        mine.fondblanc = true;
        mine.larlig = QStringLiteral("5");
        mine.autozone = false;
        settings::PreferenceStore(store).writeSix(mine);
        const auto before = store.values;
        settings::ui::Pref pref(store, dialogs);
        pref.setValues(mine);

        snapshot(&pref, QStringLiteral("pref"));
        pref.Command1_Click(2);
        QCOMPARE(pref.shownValues(), settings::Preferences::defaults());
        pref.Command1_Click(1);
        QCOMPARE(pref.shownValues(), mine);
        QCOMPARE(store.values, before);
    }

    void cancelWithUnreadableStoreShowsTheLastConfirmedValues() {
        settings::ui::Pref pref(store, dialogs);
        settings::Preferences mine;
        mine.larlig = QStringLiteral("12");
        pref.setValues(mine);
        lineWidth(pref)->setText(QStringLiteral("80"));
        store.refuseReads = true;
        pref.Command1_Click(1);
        QCOMPARE(lineWidth(pref)->text(), QStringLiteral("12"));
    }

    void okWithRefusingStoreWarnsAndStillApplies() {
        store.refuseWrites = true;
        settings::ui::Pref pref(store, dialogs);
        bool applied = false;
        pref.onConfirmed = [&](const settings::Preferences&) { applied = true; };
        pref.Command1_Click(0);
        QVERIFY(applied);
        QCOMPARE(dialogs.asked.size(), std::size_t(1));
        QCOMPARE(dialogs.asked[0].title, QStringLiteral("Attention :"));
    }

    void helpTextLines() {
        const QString text = app::helpText();
        QVERIFY(text.endsWith(QStringLiteral("\r\n")));
        QCOMPARE(text.count(QLatin1Char('\n')), text.count(QStringLiteral("\r\n")));
        QCOMPARE(text.count(QLatin1Char('\r')), text.count(QStringLiteral("\r\n")));
        QStringList lines = text.split(QStringLiteral("\r\n"));
        lines.removeLast(); // after the final line end
        QCOMPARE(lines.size(), 36);
        QCOMPARE(lines.first(), QStringLiteral("AVANT DE COMMENCER"));
        QCOMPARE(lines.last(),
                 QStringLiteral("- Vous pouvez sélectionner une ou plusieurs lignes et "
                                "les supprimer en cliquant sur la croix rouge."));
        const QStringList titles = {"AVANT DE COMMENCER", "CREATION D'OBJETS",
                                    "MODIFICATION D'OBJETS", "COPIE D'OBJETS",
                                    "CALCUL DE SURFACES"};
        for (int i = 0; i < titles.size(); ++i) {
            const int at = int(lines.indexOf(titles[i]));
            QVERIFY2(at >= 0, qPrintable(titles[i]));
            QVERIFY(lines[at + 1].isEmpty());
            QVERIFY(!lines[at + 2].isEmpty());
            if (i > 0)
                QVERIFY(lines[at - 1].isEmpty() && lines[at - 2].isEmpty() &&
                        !lines[at - 3].isEmpty());
        }
        // 23 text lines, 5 titles among them, the rest blank.
        QCOMPARE(lines.size() - int(lines.count(QString())), 23);
        QVERIFY(lines.contains(
            QStringLiteral("- Astuce: si les lignes de carrosserie vous gênent, faites "
                           "un rectangle blanc en arrière-plan")));

        app::Aide aide;
        snapshot(&aide, QStringLiteral("aide"));
        QCOMPARE(aide.windowTitle(), QStringLiteral("Kestrion - Aide"));
        auto* box = aide.findChild<QPlainTextEdit*>(QStringLiteral("Text1"));
        QVERIFY(box->isReadOnly());
        QCOMPARE(box->toPlainText().split(QLatin1Char('\n')).mid(0, 36), lines);
        QVERIFY(aide.findChild<QPushButton*>(QStringLiteral("OKButton")));
    }

    void aboutBoxShowsTheSameTextsAtEveryOpening() {
        QUrl opened;
        for (int opening = 0; opening < 2; ++opening) {
            app::FrmAbout about;
            QCOMPARE(about.windowTitle(), QStringLiteral("À propos de Kestrion"));
            const auto label = [&](const char* name) {
                return about.findChild<QLabel*>(QLatin1String(name))->text();
            };
            QCOMPARE(label("lblTitle"), QStringLiteral("Kestrion"));
            QCOMPARE(label("lblVersion"), QStringLiteral("Version : 1.2.1"));
            QCOMPARE(
                label("lblDescription"),
                QStringLiteral("Auteur : ") + platform::kAuthor +
                    QStringLiteral("\r\rConcevez facilement les plans de votre véhicule aménagé!"));
            QCOMPARE(label("Label1"), platform::kSiteHost);
            QVERIFY(about.findChild<QPushButton*>(QStringLiteral("cmdOK")));
            snapshot(&about, QStringLiteral("frmAbout"));
            // A browser that cannot open is not reported and the box stays.
            about.openUrl = [&](const QUrl& url) {
                opened = url;
                return false;
            };
            about.Label1_Click();
            QCOMPARE(opened, QUrl(platform::kSiteUrl));
            QVERIFY(dialogs.asked.empty());
        }
    }

    void versionCaption_data() {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("caption");
        QTest::newRow("plain") << "1.2.1"
                               << "Version : 1.2.1";
        QTest::newRow("leading zeros dropped") << "1.02.0001"
                                               << "Version : 1.2.1";
    }
    void versionCaption() {
        QFETCH(QString, version);
        QFETCH(QString, caption);
        QCOMPARE(app::versionCaption(version), caption);
    }

    void acknowledgementsWindow() {
        app::Remer remer;
        QCOMPARE(remer.windowTitle(), QStringLiteral("Kestrion - Remerciements"));
        QCOMPARE(remer.findChild<QLineEdit*>(QStringLiteral("Text1"))->text(),
                 platform::kContributors);
        QVERIFY(remer.findChild<QLabel*>(QStringLiteral("Label1"))
                    ->text()
                    .startsWith(QStringLiteral("Je souhaite remercier les personnes suivantes")));
        QCOMPARE(remer.findChild<QPushButton*>(QStringLiteral("Command1"))->text(),
                 QStringLiteral("OK"));
    }
};

QTEST_MAIN(TestWindows)
#include "tst_windows.moc"
