#include "app/ScaleDialog.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace app {

namespace {

QRadioButton* radio(const QString& name, const QString& caption, QWidget* parent) {
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(name);
    return button;
}

// Two exclusive choices side by side.
QWidget* pair(QRadioButton* first, QRadioButton* second, QWidget* parent) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    first->setParent(row);
    second->setParent(row);
    layout->addWidget(first);
    layout->addWidget(second);
    auto* group = new QButtonGroup(row);
    group->addButton(first);
    group->addButton(second);
    return row;
}

} // namespace

ScaleDialog::ScaleDialog(const QString& title, const output::ScaleSetup& initial, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("ScaleDialog"));
    setWindowTitle(title);

    scale_ = new QComboBox(this);
    scale_->setObjectName(QStringLiteral("cboEchelle"));
    for (int scale : output::kOfferedScales) {
        scale_->addItem(output::scaleCaption(scale), scale);
        if (scale == initial.scale)
            scale_->setCurrentIndex(scale_->count() - 1);
    }
    paper_ = new QComboBox(this);
    paper_->setObjectName(QStringLiteral("cboPapier"));
    paper_->addItem(QStringLiteral("A4"), int(output::Paper::A4));
    paper_->addItem(QStringLiteral("A3"), int(output::Paper::A3));
    paper_->setCurrentIndex(initial.paper == output::Paper::A3 ? 1 : 0);

    // Each pair gets its own row widget before anything is checked: radio buttons
    // sharing a parent exclude one another.
    portrait_ = radio(QStringLiteral("optPortrait"), QStringLiteral("Portrait"), this);
    landscape_ = radio(QStringLiteral("optPaysage"), QStringLiteral("Paysage"), this);
    QWidget* orientation = pair(portrait_, landscape_, this);
    wholePlan_ = radio(QStringLiteral("optPlanEntier"), QStringLiteral("Plan entier"), this);
    zone_ = radio(QStringLiteral("optZone"), QStringLiteral("Zone automatique"), this);
    QWidget* extent = pair(wholePlan_, zone_, this);
    (initial.landscape ? landscape_ : portrait_)->setChecked(true);
    (initial.automaticZone ? zone_ : wholePlan_)->setChecked(true);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Échelle :"), scale_);
    form->addRow(QStringLiteral("Papier :"), paper_);
    form->addRow(QStringLiteral("Orientation :"), orientation);
    form->addRow(QStringLiteral("Étendue :"), extent);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setDefault(true);
    QPushButton* cancel =
        buttons->addButton(QStringLiteral("Annuler"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("cmdAnnuler"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

output::ScaleSetup ScaleDialog::setup() const {
    output::ScaleSetup setup;
    setup.scale = scale_->currentData().toInt();
    setup.paper = output::Paper(paper_->currentData().toInt());
    setup.landscape = landscape_->isChecked();
    setup.automaticZone = zone_->isChecked();
    return setup;
}

std::optional<output::ScaleSetup>
ScaleDialog::choose(const QString& title, const output::ScaleSetup& initial, QWidget* parent) {
    ScaleDialog dialog(title, initial, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.setup();
}

} // namespace app
