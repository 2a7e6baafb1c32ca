#pragma once

#include "platform/DialogService.h"
#include "platform/FileSystem.h"

#include <QDialog>
#include <QRectF>

#include <array>

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace library::ui {

class SurfaceView;

// Adds an accessory picture to the accessory library under a name that carries its
// family, model, size in cm and the vehicle views it fits.
class AccessoryImportDialog : public QDialog {
    Q_OBJECT
public:
    AccessoryImportDialog(const QString& libraryRoot, platform::FileSystem& files,
                          platform::DialogService& dialogs, QWidget* parent = nullptr);

    // Asks for the picture, previews it and fills the suggestion lists. A cancelled
    // Open dialog leaves everything as it was.
    void start();
    // Closes the window and forgets this opening's picture, sizes and texts.
    void done(int result) override;

    QString sourcePath() const { return sourcePath_; }
    // Where the preview sits in its frame (pixels); empty before a picture is shown.
    QRectF previewRect() const { return previewRect_; }

private:
    void buildControls();
    void addToLibrary();
    void otherPicture();
    // Empties the size boxes and unticks the views.
    void clearSizesAndViews();
    void showPreview(const QImage& picture);
    // Puts the size boxes where they stand before any preview: around the empty box.
    void placeSizeBoxes();

    QString libraryRoot_;
    platform::FileSystem& files_;
    platform::DialogService& dialogs_;
    QString sourcePath_;
    QRectF previewRect_;

    SurfaceView* preview_ = nullptr;
    QLineEdit* heightBox_ = nullptr; // cm
    QLineEdit* widthBox_ = nullptr;  // cm
    QLineEdit* massBox_ = nullptr;   // kg; empty: no known mass
    QCheckBox* sideView_ = nullptr;
    QCheckBox* frontBackView_ = nullptr;
    QCheckBox* topView_ = nullptr;
    std::array<QComboBox*, 2> nameLists_{}; // family, model
};

} // namespace library::ui
