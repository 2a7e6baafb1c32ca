#pragma once

#include "library/DialogLogic.h"

#include <QWidget>

#include <array>

namespace platform {
class DialogService;
}

class QLineEdit;
class QPushButton;

namespace library::ui {

// The boxes of a vehicle's data, as a small table: the empty vehicle's mass, each axle's
// maximum and each axle's centre in columns "Avant" and "Arrière", then the maximum
// authorised mass. The boxes are named "donnee_0" to "donnee_6" in VehicleDatum order;
// beside the axle centres, the button "Cliquer les roues" (CommandEssieux) lets the
// window that shows the picture take them from two clicks.
class VehicleDataBoxes : public QWidget {
public:
    explicit VehicleDataBoxes(QWidget* parent);

    QLineEdit* box(VehicleDatum datum) const { return boxes_[std::size_t(datum)]; }
    QPushButton* pickButton() const { return pick_; }

    VehicleDataTexts texts() const;
    void setTexts(const VehicleDataTexts& texts);
    void setAxles(const document::AxleCentres& axles);
    // A view without a length (front, back) has no axles to place.
    void setAxlesEnabled(bool enabled);

private:
    std::array<QLineEdit*, kVehicleData> boxes_{};
    QPushButton* pick_ = nullptr;
};

// Tells the user to click the front wheel's centre, then the rear wheel's.
void explainAxlePick(platform::DialogService& dialogs);

} // namespace library::ui
