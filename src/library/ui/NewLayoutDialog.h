#pragma once

#include "library/LibraryNames.h"
#include "platform/DialogService.h"
#include "platform/FileSystem.h"

#include <QDialog>
#include <QRectF>

#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;

namespace library::ui {

class SurfaceView;

// The vehicle view a new layout starts from, turned as the user asked.
struct VehicleChoice {
    QString vehicleFile; // relative to the vehicles folder
    bool mirrorLeftRight;
    bool mirrorTopBottom;
};

// The new-layout dialog: narrows the vehicle library down by model, body and view,
// previews the chosen view, mirrored as asked.
class NewLayoutDialog : public QDialog {
    Q_OBJECT
public:
    NewLayoutDialog(const QString& libraryRoot, platform::FileSystem& files,
                    platform::DialogService& dialogs, QWidget* parent = nullptr);

    // Lists the library and shows the dialog modally. Nothing when the user cancels or
    // closes it, or when no vehicle could be chosen.
    static std::optional<VehicleChoice> choose(const QString& libraryRoot,
                                               platform::FileSystem& files,
                                               platform::DialogService& dialogs, QWidget* parent);

    // Lists the vehicle folder and fills the model list (warns when it is empty).
    void loadVehicles();

    // Set by "&OK" when an entry is chosen.
    const std::optional<VehicleChoice>& result() const { return result_; }
    const std::vector<VehicleName>& entries() const { return entries_; }
    // Index into entries() of the view shown, -1 when none.
    int chosenIndex() const { return chosen_; }
    // Where the preview box sits in its frame (pixels); empty when nothing is shown.
    QRectF previewRect() const { return previewRect_; }

private:
    void buildControls();
    void modelChosen();
    void bodyChosen();
    void viewChosen();
    // "&OK": takes the chosen view, or cancels when there is none.
    void confirmChoice();
    void drawPreview();

    QString libraryRoot_;
    platform::FileSystem& files_;
    platform::DialogService& dialogs_;

    std::vector<VehicleName> entries_;
    int chosen_ = -1;
    QRectF previewRect_;
    std::optional<VehicleChoice> result_;

    QComboBox* modelList_ = nullptr;
    QComboBox* bodyList_ = nullptr;
    QComboBox* viewList_ = nullptr;
    QCheckBox* mirrorLeftRight_ = nullptr;
    QCheckBox* mirrorTopBottom_ = nullptr;
    SurfaceView* preview_ = nullptr;
};

} // namespace library::ui
