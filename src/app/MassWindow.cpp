#include "app/MassWindow.h"

#include "document/StoredNumbers.h"
#include "platform/Numbers.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>

namespace app {

namespace {

const char* const kFigureNames[MassWindow::kFigures] = {
    "Masse ajoutée :",  "Masse totale :",          "Essieu avant :",
    "Essieu arrière :", "Charge utile restante :", "Centre de gravité :"};

QString kg(double value) {
    return document::massText(value, QLocale()) + QStringLiteral(" kg");
}

// A figure against its limit; over it, in red with the overload.
void showAgainstLimit(QLabel* label, double value, double limit, double over) {
    QString text = kg(value) + QStringLiteral(" / ") + kg(limit);
    if (over > 0)
        text += QStringLiteral("  — dépassement de ") + kg(over);
    label->setText(text);
    label->setStyleSheet(over > 0 ? QStringLiteral("color: rgb(200, 0, 0); font-weight: bold;")
                                  : QString());
}

QTableWidgetItem* cell(const QString& text) {
    return new QTableWidgetItem(text);
}

} // namespace

MassWindow::MassWindow(Callbacks callbacks, QWidget* parent)
    : QDialog(parent), callbacks_(std::move(callbacks)) {
    setObjectName(QStringLiteral("FormMasses"));
    setWindowTitle(QStringLiteral("Bilan des masses"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    for (int k = 0; k < kFigures; ++k) {
        figures_[std::size_t(k)] = new QLabel(QStringLiteral("-"), this);
        figures_[std::size_t(k)]->setObjectName(QStringLiteral("masse_%1").arg(k));
        form->addRow(QString::fromUtf8(kFigureNames[k]), figures_[std::size_t(k)]);
    }
    layout->addLayout(form);
    note_ = new QLabel(this);
    note_->setObjectName(QStringLiteral("masse_note"));
    note_->setWordWrap(true);
    layout->addWidget(note_);

    layout->addWidget(new QLabel(QStringLiteral("Objets sans masse connue :"), this));
    withoutMass_ = new QListWidget(this);
    withoutMass_->setObjectName(QStringLiteral("masse_inconnue"));
    withoutMass_->setMaximumHeight(70);
    layout->addWidget(withoutMass_);

    layout->addWidget(new QLabel(
        QStringLiteral("Charges non dessinées (passagers, eau, carburant, bagages…) :"), this));
    loads_ = new QTableWidget(0, 3, this);
    loads_->setObjectName(QStringLiteral("masse_charges"));
    loads_->setHorizontalHeaderLabels(
        {QStringLiteral("Charge"), QStringLiteral("Masse (kg)"), QStringLiteral("Position (cm)")});
    loads_->horizontalHeaderItem(2)->setToolTip(
        QStringLiteral("Distance depuis l'essieu avant, positive vers l'arrière"));
    loads_->horizontalHeader()->setStretchLastSection(true);
    loads_->setMinimumHeight(100);
    layout->addWidget(loads_);
    connect(loads_, &QTableWidget::cellChanged, this, [this] { readLoads(); });

    auto* buttons = new QHBoxLayout;
    auto* add = new QPushButton(QStringLiteral("Ajouter une charge"), this);
    add->setObjectName(QStringLiteral("masse_ajouter"));
    auto* remove = new QPushButton(QStringLiteral("Supprimer"), this);
    remove->setObjectName(QStringLiteral("masse_supprimer"));
    // Enter confirms a cell being typed, never adds or removes a load.
    add->setAutoDefault(false);
    remove->setAutoDefault(false);
    buttons->addWidget(add);
    buttons->addWidget(remove);
    buttons->addStretch();
    layout->addLayout(buttons);
    connect(add, &QPushButton::clicked, this, [this] {
        showing_ = true;
        const int row = loads_->rowCount();
        loads_->insertRow(row);
        loads_->setItem(row, 0, cell(QStringLiteral("Charge")));
        loads_->setItem(row, 1, cell(QStringLiteral("0")));
        loads_->setItem(row, 2, cell(QStringLiteral("0")));
        showing_ = false;
        readLoads();
    });
    connect(remove, &QPushButton::clicked, this, [this] {
        const int row = loads_->currentRow();
        if (row < 0)
            return;
        showing_ = true;
        loads_->removeRow(row);
        showing_ = false;
        readLoads();
    });

    showCentre_ = new QCheckBox(QStringLiteral("Marquer le centre de gravité sur le plan"), this);
    showCentre_->setObjectName(QStringLiteral("masse_centre"));
    layout->addWidget(showCentre_);
    connect(showCentre_, &QCheckBox::toggled, this, [this](bool on) {
        if (!showing_ && callbacks_.centreShown)
            callbacks_.centreShown(on);
    });
    resize(440, 520);
}

MassWindow::~MassWindow() {
    disconnect(loads_, nullptr, this, nullptr);
}

void MassWindow::show(const document::MassBudget& budget, const document::Layout& layout,
                      bool centreShown) {
    showing_ = true;
    for (QLabel* label : figures_) {
        label->setText(QStringLiteral("-"));
        label->setStyleSheet(QString());
    }
    figure(0)->setText(kg(budget.addedKg));
    QStringList notes;
    if (budget.vehicle && budget.totalKg) {
        const document::VehicleMasses& v = *budget.vehicle;
        showAgainstLimit(figure(1), *budget.totalKg, v.maxTotalKg, budget.totalOverKg);
        if (budget.frontKg && budget.rearKg) {
            showAgainstLimit(figure(2), *budget.frontKg, v.maxFrontKg, budget.frontOverKg);
            showAgainstLimit(figure(3), *budget.rearKg, v.maxRearKg, budget.rearOverKg);
        }
        figure(4)->setText(kg(*budget.payloadLeftKg));
        if (*budget.payloadLeftKg < 0)
            figure(4)->setStyleSheet(QStringLiteral("color: rgb(200, 0, 0); font-weight: bold;"));
        if (budget.centreCm)
            figure(5)->setText(QStringLiteral("%1 cm %2 de l'essieu avant")
                                   .arg(document::massText(std::abs(*budget.centreCm), QLocale()),
                                        *budget.centreCm < 0 ? QStringLiteral("en avant")
                                                             : QStringLiteral("en arrière")));
        if (!budget.frontKg)
            notes << (document::hasLengthAxis(layout)
                          ? QStringLiteral("Les centres des essieux de cette vue ne sont pas "
                                           "connus : pas de charge par essieu (menu Options › "
                                           "Données du véhicule...).")
                          : QStringLiteral("Cette vue ne montre pas la longueur du véhicule "
                                           "(vue de l'arrière ou de l'avant) : seul le total "
                                           "est calculé."));
    } else if (layout.isOpen) {
        notes << QStringLiteral("Les masses du véhicule %1 %2 ne sont pas connues : seule la "
                                "masse ajoutée est calculée.")
                     .arg(layout.vehicleModel, layout.vehicleBody);
    }
    note_->setText(notes.join(QLatin1Char('\n')));
    if (withoutMass_->count() != budget.withoutMass.size() || [&] {
            for (int k = 0; k < withoutMass_->count(); ++k)
                if (withoutMass_->item(k)->text() != budget.withoutMass[k])
                    return true;
            return false;
        }()) {
        withoutMass_->clear();
        withoutMass_->addItems(budget.withoutMass);
    }
    shownLoads_ = layout.loads;
    fillLoads();
    showCentre_->setChecked(centreShown);
    showCentre_->setEnabled(budget.centreCm.has_value());
    showing_ = false;
}

void MassWindow::fillLoads() {
    // The table is filled again only when it shows other texts than the loads (a value
    // just typed in another form, a step undone), so that typing in it is never
    // interrupted.
    const QLocale locale;
    const auto texts = [&locale](const document::LooseLoad& load) {
        return QStringList{load.label, document::exactRealText(load.massKg, locale),
                           document::exactRealText(load.alongCm, locale)};
    };
    bool same = loads_->rowCount() == int(shownLoads_.size());
    for (int row = 0; same && row < loads_->rowCount(); ++row) {
        const QStringList wanted = texts(shownLoads_[std::size_t(row)]);
        for (int column = 0; same && column < 3; ++column) {
            const QTableWidgetItem* item = loads_->item(row, column);
            same = item && item->text() == wanted[column];
        }
    }
    if (same)
        return;
    loads_->setRowCount(int(shownLoads_.size()));
    for (int row = 0; row < int(shownLoads_.size()); ++row) {
        const QStringList wanted = texts(shownLoads_[std::size_t(row)]);
        for (int column = 0; column < 3; ++column)
            loads_->setItem(row, column, cell(wanted[column]));
    }
}

void MassWindow::readLoads() {
    if (showing_ || !callbacks_.loadsEdited)
        return;
    // A value that is not a number, or out of range, is not taken: the loads stay as they
    // were and the table shows them again.
    document::LooseLoads loads;
    for (int row = 0; row < loads_->rowCount(); ++row) {
        const auto text = [&](int column) {
            const QTableWidgetItem* item = loads_->item(row, column);
            return item ? item->text() : QString();
        };
        const auto value = [&](int column) {
            const std::optional<double> v = platform::parseNumber(text(column));
            return v ? document::storedReal(*v) : std::nullopt;
        };
        const std::optional<float> mass = value(1), along = value(2);
        loads.push_back({text(0).trimmed(), mass.value_or(0), along.value_or(0)});
        if (!mass || !along) {
            showing_ = true;
            fillLoads();
            showing_ = false;
            return;
        }
    }
    callbacks_.loadsEdited(std::move(loads));
}

} // namespace app
