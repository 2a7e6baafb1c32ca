#include "settings/ui/PreferencesDialog.h"

#include "platform/DigitKeyFilter.h"
#include "settings/PreferenceStore.h"

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
    bodyLinesInFront_ = makeCheck(
        QStringLiteral("Check1"),
        QStringLiteral("Afficher les lignes de carrosserie devant les objets (plus lent)"),
        general);
    clickBringsToFront_ =
        makeCheck(QStringLiteral("Check2"),
                  QStringLiteral("Cliquer sur un objet le ramène au premier plan"), general);
    anchorBeforeScrolling_ =
        makeCheck(QStringLiteral("Check3"),
                  QStringLiteral("Ancrer l'objet séléctionné avant de déplacer l'image"), general);
    auto* generalLayout = new QVBoxLayout(general);
    for (QCheckBox* box : {bodyLinesInFront_, clickBringsToFront_, anchorBeforeScrolling_})
        generalLayout->addWidget(box);

    auto* drawing = new QGroupBox(QStringLiteral("Options de dessin"), this);
    drawing->setObjectName(QStringLiteral("Frame2"));
    whiteTextBackground_ =
        makeCheck(QStringLiteral("Check4"),
                  QStringLiteral("Imposer un fond blanc derrière le texte"), drawing);
    auto* widthLabel = new QLabel(QStringLiteral("Largeur des objets 'ligne' :"), drawing);
    widthLabel->setObjectName(QStringLiteral("Label1"));
    lineWidthBox_ = new QLineEdit(drawing);
    lineWidthBox_->setObjectName(QStringLiteral("Text1"));
    lineWidthBox_->setFixedWidth(40);
    lineWidthBox_->installEventFilter(new platform::DigitKeyFilter(lineWidthBox_));
    auto* pixels = new QLabel(QStringLiteral("pixels"), drawing);
    pixels->setObjectName(QStringLiteral("Label2"));
    auto* widthRow = new QHBoxLayout;
    widthRow->addWidget(widthLabel);
    widthRow->addWidget(lineWidthBox_);
    widthRow->addWidget(pixels);
    widthRow->addStretch();
    auto* drawingLayout = new QVBoxLayout(drawing);
    drawingLayout->addWidget(whiteTextBackground_);
    drawingLayout->addLayout(widthRow);

    auto* output = new QGroupBox(QStringLiteral("Export d'image / Impression"), this);
    output->setObjectName(QStringLiteral("Frame3"));
    findExportZone_ =
        makeCheck(QStringLiteral("Check5"),
                  QStringLiteral("Déterminer automatiquement la zone à exporter"), output);
    auto* outputLayout = new QVBoxLayout(output);
    outputLayout->addWidget(findExportZone_);

    const std::pair<QString, void (PreferencesDialog::*)()> commands[] = {
        {QStringLiteral("&OK"), &PreferencesDialog::accept},
        {QStringLiteral("&Annuler"), &PreferencesDialog::reject},
        {QStringLiteral("Par &défaut"), &PreferencesDialog::restoreDefaults}};
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    for (int i = 0; i < 3; ++i) {
        auto* button = new QPushButton(commands[i].first, this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(i));
        button->setAutoDefault(false);
        button->setDefault(i == 0);
        connect(button, &QPushButton::clicked, this, commands[i].second);
        buttonRow->addWidget(button);
    }

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(general);
    layout->addWidget(drawing);
    layout->addWidget(output);
    layout->addLayout(buttonRow);

    showInControls(confirmed_);
}

void PreferencesDialog::showInControls(const Preferences& prefs) {
    bodyLinesInFront_->setChecked(prefs.bodyLinesInFront);
    clickBringsToFront_->setChecked(prefs.clickBringsToFront);
    anchorBeforeScrolling_->setChecked(prefs.anchorOnScroll);
    whiteTextBackground_->setChecked(prefs.whiteTextBackground);
    lineWidthBox_->setText(prefs.lineWidth);
    findExportZone_->setChecked(prefs.automaticZone);
}

void PreferencesDialog::setValues(const Preferences& prefs) {
    confirmed_ = prefs;
    showInControls(prefs);
}

Preferences PreferencesDialog::shownValues() const {
    Preferences prefs;
    prefs.bodyLinesInFront = bodyLinesInFront_->isChecked();
    prefs.clickBringsToFront = clickBringsToFront_->isChecked();
    prefs.anchorOnScroll = anchorBeforeScrolling_->isChecked();
    prefs.whiteTextBackground = whiteTextBackground_->isChecked();
    prefs.lineWidth = lineWidthBox_->text();
    prefs.automaticZone = findExportZone_->isChecked();
    return prefs;
}

QString PreferencesDialog::clampLineWidth(const QString& text) {
    bool ok = false;
    // As a double, so that a long run of digits still counts as "above 100".
    const double value = text.trimmed().toDouble(&ok);
    if (!ok)
        return Preferences::defaults().lineWidth;
    if (value > 100)
        return QStringLiteral("100");
    if (value < 1)
        return QStringLiteral("1");
    return QString::number(qint64(value));
}

void PreferencesDialog::accept() {
    hide();
    lineWidthBox_->setText(clampLineWidth(lineWidthBox_->text()));
    confirmed_ = shownValues();
    if (!PreferenceStore(store_).writePreferences(confirmed_))
        dialogs_.messageBox(QStringLiteral("Impossible d'enregistrer les préférences.\n"
                                           "Elles restent valables jusqu'à la fermeture "
                                           "du programme."),
                            QStringLiteral("Attention :"), platform::MsgIcon::Warning,
                            platform::MsgButtons::Ok);
    if (onConfirmed)
        onConfirmed(confirmed_);
    QDialog::accept();
}

void PreferencesDialog::reject() {
    hide();
    const auto stored = PreferenceStore(store_).readPreferences();
    showInControls(stored ? *stored : confirmed_);
    QDialog::reject();
}

void PreferencesDialog::restoreDefaults() {
    showInControls(Preferences::defaults());
}

} // namespace settings::ui
