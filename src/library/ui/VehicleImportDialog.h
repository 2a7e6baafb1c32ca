#pragma once

#include "library/DialogLogic.h"
#include "platform/DialogService.h"
#include "platform/FileSystem.h"

#include <QDialog>
#include <QImage>
#include <QPointF>

#include <array>
#include <cstdint>

class QButtonGroup;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace library::ui {

class SurfaceView;
class VehicleDataBoxes;

// Adds a vehicle view to the vehicle library. The picture's scale is measured on the
// spot: the user clicks both ends of a known distance and types its length in cm; the
// name carries the resolution in micrometres per picture pixel. The vehicle's masses and
// the view's axle centres (typed, or taken by clicking the two wheel centres once the
// scale is known) may be given too: they go into the vehicle library's data file with
// the picture.
class VehicleImportDialog : public QDialog {
    Q_OBJECT
public:
    VehicleImportDialog(const QString& libraryRoot, platform::FileSystem& files,
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

    VehicleDataBoxes* dataBoxes() const { return dataBoxes_; }

    // The pointer over the picture, in picture pixels: a point of the resolution test,
    // or a wheel centre while the axles are being placed.
    void calibrationClicked(QPointF at);
    void pointerMoved(QPointF at);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    // The view types, as ids of their option buttons (Option1_<id>).
    enum class ViewType { Side = 0, FrontBack = 1, Top = 2 };
    static QString axesOf(ViewType view);

    void buildControls();
    void startCalibration();
    void startAxlePick();
    // Shows the library's masses for the model and body typed, when it knows them.
    void showKnownMasses();
    // Writes the masses and axle centres given for the picture named `name`; false (the
    // user told) when they are wrong or cannot be written.
    bool saveVehicleData(const QString& name, const QString& model, const QString& body,
                         bool lengthView);
    void addToLibrary();
    void otherPicture();
    // Forgets the measured resolution and the chosen view type.
    void clearTestAndViewType();
    void redrawPicture();
    void endTest(QPointF at);

    QString libraryRoot_;
    platform::FileSystem& files_;
    platform::DialogService& dialogs_;
    QString sourcePath_;
    QImage picture_;
    std::int16_t resolution_ = 0;
    CalibrationTest test_;
    AxlePick pick_;

    QPushButton* testButton_ = nullptr;
    QLabel* resolutionLabel_ = nullptr;
    QButtonGroup* viewTypes_ = nullptr;
    std::array<QComboBox*, 3> nameLists_{}; // model, body, view name
    QWidget* leftColumn_ = nullptr;
    QScrollArea* pictureArea_ = nullptr;
    SurfaceView* pictureView_ = nullptr;
    QWidget* dataFrame_ = nullptr;
    VehicleDataBoxes* dataBoxes_ = nullptr;
};

} // namespace library::ui
