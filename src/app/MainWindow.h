#pragma once

#include "app/MassWindow.h"
#include "app/Startup.h"
#include "editor/Editor.h"
#include "editor/RecoveryCopies.h"
#include "output/PageLayout.h"
#include "platform/DialogService.h"
#include "platform/FileSystem.h"
#include "platform/Pictures.h"
#include "platform/Printer.h"
#include "platform/SettingsStore.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QStringList>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QAbstractButton;
class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPainter;
class QMenu;
class QPushButton;
class QScrollBar;
class QStatusBar;
class QTimer;
class QToolButton;

namespace settings::ui {
class PreferencesDialog;
}
namespace library::ui {
class AccessoryBrowser;
class VehicleImportDialog;
class AccessoryImportDialog;
} // namespace library::ui

namespace app {

class PictureWidget;
class HelpWindow;

// What the main window needs from the system; tests pass scripted and in-memory ones.
struct MainWindowServices {
    platform::DialogService& dialogs;
    platform::SettingsStore& store;
    platform::FileSystem& files;
    // The printer for "Im&primer", made when printing starts.
    std::function<std::unique_ptr<platform::Printer>()> makePrinter;
    // Where the file type is declared to the desktop; empty: the user's data folder.
    QString dataHome;
    // Starts the desktop's cache tools; empty: QProcess::startDetached.
    std::function<bool(const QString&, const QStringList&)> runDetached;
    // False when the program is installed: the per-user file-type declaration is skipped.
    bool declareToDesktop = true;
    // Where recovery copies of unsaved layouts are kept (editor::RecoveryCopies);
    // empty: none are written or offered.
    QString recoveryFolder = QString();
    // How long after a change the recovery copy is written at the latest.
    int recoveryDelayMs = 15000;
    // The sample library shipped with the program, whose missing pictures "Ajouter les
    // exemples manquants" copies into the library; empty: none is installed.
    QString sampleLibrary = QString();
};

// The menu entries, by the command they give.
struct MenuActions {
    QAction* newLayout = nullptr;
    QAction* openLayout = nullptr;
    QAction* save = nullptr;
    QAction* exportPicture = nullptr;
    QAction* exportScaledPdf = nullptr;
    QAction* exportPartsList = nullptr;
    QAction* print = nullptr;
    QAction* printToScale = nullptr;
    QAction* quit = nullptr;
    QAction* createRectangle = nullptr;
    QAction* createMeasure = nullptr;
    QAction* createText = nullptr;
    QAction* createEllipse = nullptr;
    QAction* createTriangle = nullptr;
    QAction* createLine = nullptr;
    QAction* accessoryLibrary = nullptr;
    QAction* undo = nullptr;
    QAction* redo = nullptr;
    QAction* bringToFront = nullptr;
    QAction* sendToBack = nullptr;
    QAction* turnLeft = nullptr;
    QAction* turnRight = nullptr;
    QAction* deleteSelection = nullptr;
    QAction* preferences = nullptr;
    QAction* surfacePanel = nullptr;
    QAction* massBudget = nullptr;
    QAction* vehicleData = nullptr;
    QAction* magnetism = nullptr;
    QAction* addAccessory = nullptr;
    QAction* addVehicle = nullptr;
    QAction* addMissingSamples = nullptr;
    QAction* help = nullptr;
    QAction* licence = nullptr;
    QAction* about = nullptr;
    QAction* credits = nullptr;
};

// The main window. It holds no behaviour of its own: each widget event goes to the
// editor handler for it, and refresh() then shows the editor's state in
// the widgets (programmatic widget changes made there never reach the handlers).
class MainWindow : public QMainWindow {
public:
    // Runs the whole start-up: library folders, file type, preferences, surface panel,
    // texture list, welcome text, then opens layoutPath (the layout file named on the
    // command line, see layoutArgument) unless it is empty.
    MainWindow(MainWindowServices services, QString libraryRoot,
               const QString& layoutPath = QString(), QWidget* parent = nullptr);
    ~MainWindow() override;

    editor::Editor& editor() { return *editor_; }
    const StartupResult& startupResult() const { return startup_; }
    settings::ui::PreferencesDialog& preferencesDialog() { return *preferences_; }

    // Shows the editor's state in every widget.
    void refresh();
    // Start-up: asks, for each recovery copy a session that did not end normally left,
    // whether to restore it (opened in place of its layout, modified), keep it for
    // later or delete it.
    void offerRecoveredCopies();

    // The menu commands that are more than a call into the editor.
    void requestQuit();
    void showPreferences();
    void showHelp();
    void showLicence();
    void showAbout();
    void showCredits();
    void showAccessoryImport();
    void showVehicleImport();
    // Copies the sample pictures the library lacks and says how many were added.
    void addMissingSamples();
    void printLayout();
    // "Exporter en PDF..." and "À l'échelle...": the scale dialog, then the editor.
    void exportScaledPdf();
    void printToScale();
    void accessoryBrowserToggled(bool checked);
    // "Bilan des masses": shows the mass window (made at the first call).
    void showMassWindow();
    // "Données du véhicule...": the open layout's vehicle data, modal.
    void showVehicleData();
    MassWindow* massWindow() const { return massWindow_; }

    // The canvas rectangle for a central area of that size: at (8, 128), 33 pixels
    // narrower and 168 pixels lower than the area.
    static QRect canvasGeometry(QSize inner);
    // The smallest window.
    static constexpr QSize kMinimumSize{617, 404};
    // The guide lines of magnetism, drawn over the plan on the screen only: a colour the
    // fill palette does not hold.
    static constexpr QRgb kGuideColour = qRgb(255, 0, 144);

protected:
    void closeEvent(QCloseEvent* event) override;
    // A window made smaller than kMinimumSize (by a window manager that ignores the
    // size hint) is enlarged back to it.
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // MainWindowControls.cpp: the frames, the plan and the status bar.
    void buildControls();
    void buildObjectsFrame(QWidget* area);
    void buildEditionFrame(QWidget* area);
    void buildZoomFrame(QWidget* area);
    void buildDimensionsFrame(QWidget* area);
    void buildFillFrame(QWidget* area);
    void buildSurfaceFrame(QWidget* area);
    void buildPlan(QWidget* area);
    void paintGuides(QPainter& painter) const;
    void placeControls();
    void setStatusHelp(QWidget* widget, std::function<QString()> text);
    // MainWindowMenus.cpp.
    void buildMenus();

    // Calls an editor handler unless a refresh is under way, then refreshes.
    void forward(const std::function<void(editor::Editor&)>& handler);
    // Forwards each click of the button to the handler.
    void forwardClicks(QAbstractButton* button, std::function<void(editor::Editor&)> handler);
    void refreshTextureList();
    void refreshSurfaceList();
    void refreshSelection();
    void refreshEnabling();
    void refreshPositionBoxes();
    void refreshUndoEntries();
    void refreshMasses();
    void showStatus(const QString& text);
    void closeOtherWindows();
    // While the layout has unsaved changes, a recovery copy is due within the delay of
    // the last change; without them there is none.
    void scheduleRecoveryCopy();
    void writeRecoveryCopy();
    // The scale dialog, preset with the last choice (the automatic zone preference at first).
    std::optional<output::ScaleSetup> chooseScale(const QString& title);

    // Library windows.
    std::optional<editor::NewLayoutChoice> chooseVehicle();
    void closeAccessoryBrowser();
    void showAccessoryBrowser(bool shown);

    MainWindowServices services_;
    QString libraryRoot_;
    platform::PictureCache pictures_;
    std::unique_ptr<editor::Editor> editor_;
    StartupResult startup_;
    settings::ui::PreferencesDialog* preferences_ = nullptr;
    QPointer<HelpWindow> helpWindow_;
    QPointer<library::ui::AccessoryBrowser> accessoryBrowser_;
    QPointer<library::ui::AccessoryImportDialog> accessoryImport_;
    QPointer<library::ui::VehicleImportDialog> vehicleImport_;
    QPointer<MassWindow> massWindow_;

    bool refreshing_ = false;
    bool quitting_ = false;
    QStringList listedTextures_;
    QHash<QObject*, std::function<QString()>> statusHelp_;
    std::optional<output::ScaleSetup> scaleSetup_;
    std::unique_ptr<editor::RecoveryCopies> recovery_;
    QTimer* recoveryTimer_ = nullptr;
    std::uint64_t copiedRevision_ = 0; // the layout revision the recovery copy holds

    // Controls, by their roles.
    QWidget* area_ = nullptr;
    PictureWidget* plan_ = nullptr;
    PictureWidget* selectionBox_ = nullptr;
    std::array<PictureWidget*, editor::kHandleCount> handles_{}; // indexed by editor::Handle
    QScrollBar* horizontalBar_ = nullptr;
    QScrollBar* verticalBar_ = nullptr;
    QGroupBox* objectsFrame_ = nullptr;
    QGroupBox* editFrame_ = nullptr;
    QGroupBox* zoomFrame_ = nullptr;
    QGroupBox* dimensionsFrame_ = nullptr;
    QGroupBox* fillFrame_ = nullptr;
    QGroupBox* surfaceFrame_ = nullptr;
    std::array<QToolButton*, 6> toolButtons_{}; // indexed by the kind they create
    QToolButton* libraryToggle_ = nullptr;
    QToolButton* frontButton_ = nullptr;
    QToolButton* backButton_ = nullptr;
    QToolButton* turnLeftButton_ = nullptr;
    QToolButton* turnRightButton_ = nullptr;
    QToolButton* deleteButton_ = nullptr;
    QLineEdit* zoomBox_ = nullptr;
    editor::PerDimension<QLineEdit*> dimensionBoxes_;
    std::array<QLineEdit*, 2> positionBoxes_{}; // X and Y, indexed by editor::Axis
    QWidget* dimensionsPicture_ = nullptr;
    QWidget* dimensionsUnit_ = nullptr;
    QCheckBox* lockBox_ = nullptr;
    QLineEdit* massBox_ = nullptr;
    PictureWidget* fillSwatch_ = nullptr;
    QComboBox* textureList_ = nullptr;
    QLabel* selectedAreaLabel_ = nullptr;
    QLabel* totalAreaLabel_ = nullptr;
    QListWidget* surfaceList_ = nullptr;
    QToolButton* addSurfaceButton_ = nullptr;
    QToolButton* removeSurfaceButton_ = nullptr;
    QStatusBar* statusBar_ = nullptr;
    QLabel* statusGaps_ = nullptr;     // the gaps around a dragged object
    QLabel* statusPosition_ = nullptr; // the pointer's or the selection's place, at the right
    QMenu* editMenu_ = nullptr;
    MenuActions menuActions_;
};

} // namespace app
