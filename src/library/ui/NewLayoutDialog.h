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

struct Form2Result {
    QString vehicleFile; // relative to the vehicles folder
    bool mirrorLeftRight;
    bool mirrorTopBottom;
};

// The new-layout dialog: narrows the vehicle library down by model, body and view,
// previews the chosen view, mirrored as asked.
class NewLayoutDialog : public QDialog {
    Q_OBJECT
public:
    NewLayoutDialog(const QString& apath, platform::FileSystem& files,
                    platform::DialogService& dialogs, QWidget* parent = nullptr);

    // Lists the library and shows the dialog modally. Nothing when the user cancels or
    // closes it, or when no vehicle could be chosen.
    static std::optional<Form2Result> choose(const QString& apath, platform::FileSystem& files,
                                             platform::DialogService& dialogs, QWidget* parent);

    // Lists the vehicle folder and fills the model list (warns when it is empty).
    void Form_Load();

    // Set by "&OK" when an entry is chosen.
    const std::optional<Form2Result>& result() const { return result_; }
    const std::vector<VehicleName>& entries() const { return entries_; }
    // Index into entries() of the view shown, -1 when none.
    int chosenIndex() const { return chosen_; }
    // Where the preview box sits in its frame, in twips.
    QRectF previewTwips() const { return previewTwips_; }

private:
    void buildControls();
    void Combo1_Click();
    void Combo2_Click();
    void Combo3_Click();
    void Command1_Click(int index);
    void drawPreview();

    QString apath_;
    platform::FileSystem& files_;
    platform::DialogService& dialogs_;

    std::vector<VehicleName> entries_;
    int chosen_ = -1;
    QRectF previewTwips_;
    std::optional<Form2Result> result_;

    QComboBox* combo1_ = nullptr;
    QComboBox* combo2_ = nullptr;
    QComboBox* combo3_ = nullptr;
    QCheckBox* checkGaucheDroite_ = nullptr; // Check1_0
    QCheckBox* checkHautBas_ = nullptr;      // Check1_1
    SurfaceView* picture1_ = nullptr;
};

} // namespace library::ui
