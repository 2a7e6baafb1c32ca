#include "library/ui/VehicleDataBoxes.h"

#include "platform/DialogService.h"
#include "platform/Product.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace library::ui {

VehicleDataBoxes::VehicleDataBoxes(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(2);
    grid->addWidget(new QLabel(QStringLiteral("Avant"), this), 0, 1, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("Arrière"), this), 0, 2, Qt::AlignCenter);
    for (int k = 0; k < kVehicleData; ++k) {
        auto* box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("donnee_%1").arg(k));
        box->setMaximumWidth(70);
        boxes_[std::size_t(k)] = box;
    }
    struct Row {
        const char* caption;
        VehicleDatum front;
        std::optional<VehicleDatum> rear;
    };
    const Row rows[] = {
        {"Masse à vide (kg) :", VehicleDatum::KerbFront, VehicleDatum::KerbRear},
        {"Maximum de l'essieu (kg) :", VehicleDatum::MaxFront, VehicleDatum::MaxRear},
        {"Centre de l'essieu (cm) :", VehicleDatum::FrontAxle, VehicleDatum::RearAxle},
        {"Masse maximale autorisée (kg) :", VehicleDatum::MaxTotal, std::nullopt}};
    int line = 1;
    for (const Row& row : rows) {
        auto* caption = new QLabel(QString::fromUtf8(row.caption), this);
        caption->setBuddy(box(row.front));
        grid->addWidget(caption, line, 0);
        grid->addWidget(box(row.front), line, 1);
        if (row.rear)
            grid->addWidget(box(*row.rear), line, 2);
        ++line;
    }
    box(VehicleDatum::FrontAxle)
        ->setToolTip(QStringLiteral("Distance depuis le bord gauche de l'image du véhicule"));
    box(VehicleDatum::RearAxle)->setToolTip(box(VehicleDatum::FrontAxle)->toolTip());
    pick_ = new QPushButton(QStringLiteral("Cliquer les roues"), this);
    pick_->setObjectName(QStringLiteral("CommandEssieux"));
    pick_->setAutoDefault(false);
    pick_->setToolTip(QStringLiteral("Cliquez sur l'image le centre de la roue avant, puis "
                                     "celui de la roue arrière"));
    grid->addWidget(pick_, 3, 3);
    grid->setColumnStretch(4, 1);
}

VehicleDataTexts VehicleDataBoxes::texts() const {
    VehicleDataTexts texts;
    for (int k = 0; k < kVehicleData; ++k)
        texts[std::size_t(k)] = boxes_[std::size_t(k)]->text();
    return texts;
}

void VehicleDataBoxes::setTexts(const VehicleDataTexts& texts) {
    for (int k = 0; k < kVehicleData; ++k)
        boxes_[std::size_t(k)]->setText(texts[std::size_t(k)]);
}

void VehicleDataBoxes::setAxles(const document::AxleCentres& axles) {
    VehicleDataTexts texts = vehicleDataTexts(VehicleDataEntry{std::nullopt, axles});
    for (const VehicleDatum d : {VehicleDatum::FrontAxle, VehicleDatum::RearAxle})
        box(d)->setText(texts[std::size_t(d)]);
}

void VehicleDataBoxes::setAxlesEnabled(bool enabled) {
    for (const VehicleDatum d : {VehicleDatum::FrontAxle, VehicleDatum::RearAxle})
        box(d)->setEnabled(enabled);
    pick_->setEnabled(enabled);
}

void explainAxlePick(platform::DialogService& dialogs) {
    dialogs.messageBox(QStringLiteral("Cliquez sur l'image le centre de la roue avant, puis "
                                      "celui de la roue arrière."),
                       platform::kProgramName, platform::MsgIcon::Information,
                       platform::MsgButtons::Ok);
}

} // namespace library::ui
