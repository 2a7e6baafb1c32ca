#pragma once

#include "app/Startup.h"
#include "editor/Editor.h"
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
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QScrollBar;
class QStatusBar;
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
struct Form1Services {
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
};

// The main window. It holds no behaviour of its own: each widget event goes to the
// editor handler of the same name, and refresh() then shows the editor's state in
// the widgets (programmatic widget changes made there never reach the handlers).
class MainWindow : public QMainWindow {
public:
    // Runs the whole start-up: library folders, file type, preferences, surface panel,
    // texture list, welcome text, then opens layoutPath (the layout file named on the
    // command line, see layoutArgument) unless it is empty.
    MainWindow(Form1Services services, QString apath, const QString& layoutPath = QString(),
               QWidget* parent = nullptr);
    ~MainWindow() override;

    editor::Editor& editor() { return *editor_; }
    const StartupResult& startupResult() const { return startup_; }
    settings::ui::PreferencesDialog& pref() { return *pref_; }
    QAction* action(const QString& objectName) const;

    // Shows the editor's state in every widget.
    void refresh();

    // The menu commands that are more than a call into the editor.
    void requestQuit();
    void showPreferences();
    void showHelp();
    void showLicence();
    void showAbout();
    void showCredits();
    void showAccessoryImport();
    void showVehicleImport();
    void printLayout();
    // "Exporter en PDF..." and "À l'échelle...": the scale dialog, then the editor.
    void exportScaledPdf();
    void printToScale();
    void accessoryBrowserToggled(bool checked);

    // The canvas rectangle for a central area of that size: at (8, 128), 33 pixels
    // narrower and 168 pixels lower than the area.
    static QRect canvasGeometry(QSize inner);
    // The smallest window, 9255 x 6060 twips.
    static constexpr QSize kMinimumSize{617, 404};

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
    void placeControls();
    void setStatusHelp(QWidget* widget, std::function<QString()> text);
    // MainWindowMenus.cpp.
    void buildMenus();

    // Calls an editor handler unless a refresh is under way, then refreshes.
    void forward(const std::function<void(editor::Editor&)>& handler);
    void refreshCombo();
    void refreshSurfaceList();
    void refreshSelection();
    void refreshEnabling();
    void showStatus(const QString& text);
    void closeOtherWindows();
    // The scale dialog, preset with the last choice (the zone from autozone at first).
    std::optional<output::ScaleSetup> chooseScale(const QString& title);

    // Library windows.
    std::optional<editor::NewLayoutChoice> chooseVehicle();
    void closeAccessoryBrowser();
    void showAccessoryBrowser(bool shown);

    Form1Services services_;
    QString apath_;
    platform::PictureCache pictures_;
    std::unique_ptr<editor::Editor> editor_;
    StartupResult startup_;
    settings::ui::PreferencesDialog* pref_ = nullptr;
    QPointer<HelpWindow> aide_;
    QPointer<library::ui::AccessoryBrowser> form3_;
    QPointer<library::ui::AccessoryImportDialog> form4_;
    QPointer<library::ui::VehicleImportDialog> form5_;

    bool refreshing_ = false;
    bool quitting_ = false;
    QStringList comboTextures_;
    QHash<QObject*, std::function<QString()>> statusHelp_;
    std::optional<output::ScaleSetup> scaleSetup_;

    // Controls, by their names.
    QWidget* area_ = nullptr;
    PictureWidget* picture1_ = nullptr;
    PictureWidget* picture2_ = nullptr;
    std::array<PictureWidget*, 8> picCoin_{};
    QScrollBar* hscroll1_ = nullptr;
    QScrollBar* vscroll1_ = nullptr;
    std::array<QGroupBox*, 7> frames_{}; // Frame1 .. Frame6 at their numbers
    std::array<QToolButton*, 6> command1_{};
    QToolButton* check2_ = nullptr;
    std::array<QToolButton*, 2> command4_{};
    std::array<QToolButton*, 2> command5_{};
    QToolButton* command2_ = nullptr;
    std::array<QPushButton*, 2> command3_{};
    QLineEdit* text2_ = nullptr;
    std::array<QLineEdit*, 2> text1_{};
    QCheckBox* check1_ = nullptr;
    PictureWidget* couleur_ = nullptr;
    std::array<PictureWidget*, 16> choixCouleur_{};
    QComboBox* combo1_ = nullptr;
    std::array<QLabel*, 6> labels_{}; // Label1 .. Label5 at their numbers
    QListWidget* list2_ = nullptr;
    std::array<QToolButton*, 2> command6_{};
    QStatusBar* statusBar1_ = nullptr;
    QLabel* statusPosition_ = nullptr; // the selection's place and size, right of the help
    QMenu* mnuedit_ = nullptr;
};

} // namespace app
