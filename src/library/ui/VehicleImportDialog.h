#pragma once

#include "platform/DialogService.h"
#include "platform/FileSystem.h"

#include <QDialog>
#include <QRectF>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace library::ui {

class SurfaceView;

// Adds an accessory picture to the accessory library under a name that carries its
// family, model, size in cm and the vehicle views it fits.
class VehicleImportDialog : public QDialog {
    Q_OBJECT
public:
    VehicleImportDialog(const QString& apath, platform::FileSystem& files,
                        platform::DialogService& dialogs, QWidget* parent = nullptr);

    // Asks for the picture, previews it and fills the suggestion lists. A cancelled
    // Open dialog leaves everything as it was.
    void start();
    // Closes the window and forgets this opening's picture, test and texts.
    void done(int result) override;

    QString sourcePath() const { return sourcePath_; }
    // Where the preview sits in its frame, in twips; empty before a picture is shown.
    QRectF imageTwips() const { return imageTwips_; }

private:
    void buildControls();
    void Command1_Click(int index);
    void addToLibrary();
    void otherPicture();
    // Empties the size boxes and unticks the views.
    void clearSizesAndViews();
    void showPreview(const QImage& picture);
    // Puts the size boxes where they stand before any preview: around the empty box.
    void placeSizeBoxes();
    void fillLists();

    QString apath_;
    platform::FileSystem& files_;
    platform::DialogService& dialogs_;
    QString sourcePath_;
    QRectF imageTwips_;

    SurfaceView* image1_ = nullptr;
    QLineEdit* text1_[2] = {};  // 0: height, 1: width (cm)
    QCheckBox* check1_[3] = {}; // 0: Gauche / Droite, 1: Avant / Arrière, 2: Dessus
    QComboBox* combo1_[2] = {}; // 0: family, 1: model
};

} // namespace library::ui
