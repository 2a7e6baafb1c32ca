#include "settings/ui/PreferencesDialog.h"

#include "settings/PreferenceStore.h"
#include "settings/ui/DigitKeyFilter.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace settings::ui {

namespace {

QCheckBox* makeCheck(const QString& name, const QString& caption, QWidget* parent) {
    auto* box = new QCheckBox(caption, parent);
    box->setObjectName(name);
    return box;
}

} // namespace

PreferencesDialog::PreferencesDialog(platform::SettingsStore& store,
                                     platform::DialogService& dialogs, QWidget* parent)
    : QDialog(parent), store_(store), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Pref"));
    setWindowTitle(QStringLiteral("Kestrion - Préférences"));
    setModal(true);

    auto* general = new QGroupBox(QStringLiteral("Comportement général"), this);
    general->setObjectName(QStringLiteral("Frame1"));
    checks_[0] = makeCheck(
        QStringLiteral("Check1"),
        QStringLiteral("Afficher les lignes de carrosserie devant les objets (plus lent)"),
        general);
    checks_[1] =
        makeCheck(QStringLiteral("Check2"),
                  QStringLiteral("Cliquer sur un objet le ramène au premier plan"), general);
    checks_[2] =
        makeCheck(QStringLiteral("Check3"),
                  QStringLiteral("Ancrer l'objet séléctionné avant de déplacer l'image"), general);
    auto* generalLayout = new QVBoxLayout(general);
    for (int i = 0; i < 3; ++i)
        generalLayout->addWidget(checks_[i]);

    auto* drawing = new QGroupBox(QStringLiteral("Options de dessin"), this);
    drawing->setObjectName(QStringLiteral("Frame2"));
    checks_[3] = makeCheck(QStringLiteral("Check4"),
                           QStringLiteral("Imposer un fond blanc derrière le texte"), drawing);
    auto* widthLabel = new QLabel(QStringLiteral("Largeur des objets 'ligne' :"), drawing);
    widthLabel->setObjectName(QStringLiteral("Label1"));
    text1_ = new QLineEdit(drawing);
    text1_->setObjectName(QStringLiteral("Text1"));
    text1_->setFixedWidth(40);
    text1_->installEventFilter(new DigitKeyFilter(text1_));
    auto* pixels = new QLabel(QStringLiteral("pixels"), drawing);
    pixels->setObjectName(QStringLiteral("Label2"));
    auto* widthRow = new QHBoxLayout;
    widthRow->addWidget(widthLabel);
    widthRow->addWidget(text1_);
    widthRow->addWidget(pixels);
    widthRow->addStretch();
    auto* drawingLayout = new QVBoxLayout(drawing);
    drawingLayout->addWidget(checks_[3]);
    drawingLayout->addLayout(widthRow);

    auto* output = new QGroupBox(QStringLiteral("Export d'image / Impression"), this);
    output->setObjectName(QStringLiteral("Frame3"));
    checks_[4] = makeCheck(QStringLiteral("Check5"),
                           QStringLiteral("Déterminer automatiquement la zone à exporter"), output);
    auto* outputLayout = new QVBoxLayout(output);
    outputLayout->addWidget(checks_[4]);

    const QString captions[] = {QStringLiteral("&OK"), QStringLiteral("&Annuler"),
                                QStringLiteral("Par &défaut")};
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    for (int i = 0; i < 3; ++i) {
        buttons_[i] = new QPushButton(captions[i], this);
        buttons_[i]->setObjectName(QStringLiteral("Command1_%1").arg(i));
        buttons_[i]->setAutoDefault(false);
        connect(buttons_[i], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        buttonRow->addWidget(buttons_[i]);
    }
    buttons_[0]->setDefault(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(general);
    layout->addWidget(drawing);
    layout->addWidget(output);
    layout->addLayout(buttonRow);

    showInControls(confirmed_);
}

void PreferencesDialog::showInControls(const Preferences& prefs) {
    checks_[0]->setChecked(prefs.carross);
    checks_[1]->setChecked(prefs.clicpreplan);
    checks_[2]->setChecked(prefs.ancrer);
    checks_[3]->setChecked(prefs.fondblanc);
    text1_->setText(prefs.larlig);
    checks_[4]->setChecked(prefs.autozone);
}

void PreferencesDialog::setValues(const Preferences& prefs) {
    confirmed_ = prefs;
    showInControls(prefs);
}

Preferences PreferencesDialog::shownValues() const {
    Preferences prefs;
    prefs.carross = checks_[0]->isChecked();
    prefs.clicpreplan = checks_[1]->isChecked();
    prefs.ancrer = checks_[2]->isChecked();
    prefs.fondblanc = checks_[3]->isChecked();
    prefs.larlig = text1_->text();
    prefs.autozone = checks_[4]->isChecked();
    return prefs;
}

QString PreferencesDialog::clampLineWidth(const QString& text) {
    bool ok = false;
    // As a double, so that a long run of digits still counts as "above 100".
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        return Preferences::defaults().larlig;
    if (value > 100)
        return QStringLiteral("100");
    if (value < 1)
        return QStringLiteral("1");
    return QString::number(qint64(value));
}

void PreferencesDialog::Command1_Click(int index) {
    switch (index) {
    case 0: {
        hide();
        text1_->setText(clampLineWidth(text1_->text()));
        confirmed_ = shownValues();
        if (!PreferenceStore(store_).writeSix(confirmed_))
            dialogs_.messageBox(QStringLiteral("Impossible d'enregistrer les préférences.\n"
                                               "Elles restent valables jusqu'à la fermeture "
                                               "du programme."),
                                QStringLiteral("Attention :"), platform::MsgIcon::Warning,
                                platform::MsgButtons::Ok);
        if (onConfirmed)
            onConfirmed(confirmed_);
        QDialog::accept();
        break;
    }
    case 1: {
        hide();
        const auto stored = PreferenceStore(store_).readSix();
        showInControls(stored ? *stored : confirmed_);
        QDialog::reject();
        break;
    }
    case 2:
        showInControls(Preferences::defaults());
        break;
    default:
        break;
    }
}

void PreferencesDialog::reject() {
    Command1_Click(1);
}

} // namespace settings::ui
