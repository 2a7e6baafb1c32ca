#pragma once

#include "library/DialogLogic.h"
#include "platform/DialogService.h"
#include "platform/FileSystem.h"

#include <QDialog>

class QLabel;
class QScrollArea;

namespace library::ui {

class SurfaceView;
class VehicleDataBoxes;

// "Données du véhicule": the masses of a vehicle model and body (empty on each axle,
// each axle's maximum, maximum authorised mass, in kg) and, for a top or side view
// picture, its axle centres in cm from the picture's left edge, typed or taken by
// clicking the two wheel centres on the picture shown below. "OK" writes them into the
// vehicle library's data file (library::writeVehicleData); a box left empty leaves that
// part unknown.
class VehicleDataDialog : public QDialog {
public:
    VehicleDataDialog(const QString& libraryRoot, const QString& model, const QString& body,
                      const QString& picture, bool lengthView, platform::FileSystem& files,
                      platform::DialogService& dialogs, QWidget* parent = nullptr);

    VehicleDataBoxes* boxes() const { return boxes_; }
    // The picture, in picture pixels: the clicks of the axle centres.
    SurfaceView* pictureView() const { return pictureView_; }

    // Reads the boxes and writes the file; false (with a message) when a box holds no
    // number or the file cannot be written, the window then stays open.
    bool save();

private:
    void startAxlePick();
    void pictureClicked(QPointF at);
    void redrawPicture();

    QString libraryRoot_, model_, body_, picture_;
    bool lengthView_;
    platform::FileSystem& files_;
    platform::DialogService& dialogs_;
    QImage image_;
    double pixelsPerCm_ = 0;
    AxlePick pick_;
    VehicleDataBoxes* boxes_ = nullptr;
    QScrollArea* pictureArea_ = nullptr;
    SurfaceView* pictureView_ = nullptr;
};

} // namespace library::ui
