#pragma once

#include "library/LibraryNames.h"
#include "platform/DialogService.h"
#include "platform/FileSystem.h"

#include <QRectF>
#include <QWidget>

#include <functional>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;

namespace library::ui {

class SurfaceView;

// The accessory library browser: a tool window kept above the main window, where the
// user picks a family and a model and inserts the accessory into the open layout.
//
// insert(file) creates an accessory object from that library file name; forget() empties
// the main window's chosen accessory ("Fermer"); release() releases the main window's
// library toggle, which hides the browser. release() may
// hide the window or delete it later (deleteLater), never at once: it is called from
// the window's own handlers.
class AccessoryBrowser : public QWidget {
    Q_OBJECT
public:
    AccessoryBrowser(const QString& libraryRoot, platform::FileSystem& files,
                     platform::DialogService& dialogs, std::function<QString()> vehicleAxes,
                     std::function<void(const QString& file)> insert, std::function<void()> forget,
                     std::function<void()> release, QWidget* parent = nullptr);

    // Lists the accessory folder and fills the families; runs on the first showing and
    // whenever the compatibility filter is switched.
    void loadAccessories();

    const std::vector<AccessoryName>& entries() const { return entries_; }
    // Index into entries() of the accessory shown, -1 when none.
    int chosenIndex() const { return chosen_; }
    // Where the preview sits in its frame (pixels); empty when nothing is shown.
    QRectF previewRect() const { return previewRect_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void familyChosen();
    void modelChosen();
    // Inserts the chosen accessory, if any, into the layout.
    void insertChosen();
    void insertAndClose();
    // "Fermer": the main window forgets its chosen accessory.
    void forgetAndClose();
    void releaseToggle();
    void showPreview();
    std::optional<QString> filter() const;

    QString libraryRoot_;
    platform::FileSystem& files_;
    platform::DialogService& dialogs_;
    std::function<QString()> vehicleAxes_;
    std::function<void(const QString&)> insert_;
    std::function<void()> forget_;
    std::function<void()> release_;

    std::vector<AccessoryName> entries_;
    std::optional<QString> filter_; // the axes the listed entries fit; none: all pass
    int chosen_ = -1;
    bool loaded_ = false;
    bool releasing_ = false;
    QRectF previewRect_;

    QComboBox* familyList_ = nullptr;
    QListWidget* modelList_ = nullptr;
    QCheckBox* compatibleOnly_ = nullptr;
    SurfaceView* preview_ = nullptr;
    QLabel* widthLabel_ = nullptr;  // below the preview
    QLabel* heightLabel_ = nullptr; // left of the preview
    QLabel* massLabel_ = nullptr;   // the chosen model's mass, from the library's masses
};

} // namespace library::ui
