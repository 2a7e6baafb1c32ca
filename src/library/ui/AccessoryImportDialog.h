#pragma once

#include "library/DialogLogic.h"
#include "platform/DialogService.h"
#include "platform/FileSystem.h"

#include <QDialog>
#include <QImage>

#include <cstdint>

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace library::ui {

class SurfaceView;

// Adds a vehicle view to the vehicle library. The picture's scale is measured on the
// spot: the user clicks both ends of a known distance and types its length in cm; the
// name carries the resolution in micrometres per picture pixel.
class AccessoryImportDialog : public QDialog {
    Q_OBJECT
public:
    AccessoryImportDialog(const QString& apath, platform::FileSystem& files,
                          platform::DialogService& dialogs, QWidget* parent = nullptr);

    // Forgets the last test, fills the suggestion lists and asks for the picture. A
    // cancelled Open dialog keeps the picture shown before.
    void start();
    // Closes the window and forgets this opening's picture, test and texts.
    void done(int result) override;

    QString sourcePath() const { return sourcePath_; }
    // Micrometres per pixel from the last test; 0 when there is no valid test.
    std::int16_t resolution() const { return resolution_; }
    const CalibrationTest& calibration() const { return test_; }

    // The picture box's events, in picture pixels.
    void Picture1_MouseDown(float x, float y);
    void Picture1_MouseMove(float x, float y);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void Command1_Click();
    void Command2_Click(int index);
    void addToLibrary();
    void otherPicture();
    // Forgets the measured resolution and the chosen view type.
    void clearTestAndViewType();
    void fillLists();
    void redrawPicture();
    void endTest(float x, float y);

    QString apath_;
    platform::FileSystem& files_;
    platform::DialogService& dialogs_;
    QString sourcePath_;
    QImage picture_;
    std::int16_t resolution_ = 0;
    CalibrationTest test_;

    QPushButton* command1_ = nullptr;
    QLabel* label1_ = nullptr;
    QRadioButton* option1_[3] = {}; // 0: Gauche / Droite, 1: Avant / Arrière, 2: Dessus
    QButtonGroup* options_ = nullptr;
    QComboBox* combos_[3] = {}; // Combo1 model, Combo2 body, Combo3 view name
    QWidget* leftColumn_ = nullptr;
    QScrollArea* pictureArea_ = nullptr;
    SurfaceView* picture1_ = nullptr;
};

} // namespace library::ui
