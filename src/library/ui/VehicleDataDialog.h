#pragma once

#include "platform/DialogService.h"
#include "platform/FileSystem.h"

#include <QDialog>

#include <array>

class QLineEdit;

namespace library::ui {

// "Données du véhicule": the masses of a vehicle model and body (empty on each axle,
// each axle's maximum, maximum authorised mass, in kg) and, for a top or side view
// picture, its axle centres in cm from the picture's left edge. "OK" writes them into
// the vehicle library's data file (library::writeVehicleData); a box left empty leaves
// that part unknown.
class VehicleDataDialog : public QDialog {
public:
    VehicleDataDialog(const QString& libraryRoot, const QString& model, const QString& body,
                      const QString& picture, bool lengthView, platform::FileSystem& files,
                      platform::DialogService& dialogs, QWidget* parent = nullptr);

    // Boxes in order: vide_avant, vide_arriere, maxi_avant, maxi_arriere, maxi_total,
    // essieu_avant, essieu_arriere; named "donnee_0" to "donnee_6".
    static constexpr int kBoxes = 7;
    QLineEdit* box(int index) const { return boxes_[std::size_t(index)]; }

    // Reads the boxes and writes the file; false (with a message) when a box holds no
    // number or the file cannot be written, the window then stays open.
    bool save();

private:
    QString libraryRoot_, model_, body_, picture_;
    bool lengthView_;
    platform::FileSystem& files_;
    platform::DialogService& dialogs_;
    std::array<QLineEdit*, kBoxes> boxes_{};
};

} // namespace library::ui
