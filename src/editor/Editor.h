#pragma once

#include "editor/EditorServices.h"
#include "editor/EditorState.h"
#include "output/PageLayout.h"
#include "platform/DialogService.h"
#include "platform/FileSystem.h"
#include "platform/Pictures.h"
#include "platform/Printer.h"
#include "platform/SettingsStore.h"
#include "render/PlanRenderer.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QString>

#include <memory>
#include <optional>

namespace editor {

// The behaviour of the main window, without widgets: every handler of the plan, the
// editing controls and the layout commands. The window forwards its events here and
// then shows the state. Plan coordinates are pixels of the canvas; box and handle
// coordinates are in the pressed control's own pixels.
class Editor {
public:
    Editor(EditorServices services, EditorHooks hooks, QString apath);
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    EditorState& state() { return state_; }
    const EditorState& state() const { return state_; }
    render::PlanRenderer& renderer() { return renderer_; }
    // The locale of numbers in files and the surface panel (the user's by default).
    void setLocale(const QLocale& locale) { locale_ = locale; }
    const QLocale& locale() const { return locale_; }

    // Start-up: texture list, zoom steps, empty view; then the welcome text on the canvas.
    void initialise();
    void printWelcome();
    // Opens the layout file named on the command line; its name is used whole, double
    // quotes included. A file that cannot be opened is reported as by "Ouvrir".
    void openAtStartup(const QString& path);
    // Fills the texture list from the textures folder.
    void refreshTextures();

    // Layout commands.
    void newLayout();
    void chooseAndOpenLayout();
    bool saveLayout(); // true when the file was written
    void exportPicture();
    void printLayout(platform::Printer& printer);
    void exportPdf(const output::ScaleSetup& setup);
    void printAtScale(const output::ScaleSetup& setup, platform::Printer& printer);
    void exportPartsList();
    // Asks the quit question when needed; true when the program may end.
    bool confirmQuit();
    // Reads a layout file and applies it; false when refused (the open layout is kept).
    bool openLayoutFile(const QString& path);
    void enableEditing();
    // Clears the canvas and redraws the plan.
    void redraw();
    // Redraws without clearing (resize, preferences confirmed).
    void Affiche();

    // View.
    void canvasResized(int width, int height);
    void zoomTextChanged(const QString& text);
    void stepZoom(int index);
    void horizontalScrolled(int value);
    void verticalScrolled(int value);

    // Creation (kinds 0..5, 9).
    void Command1_Click(int index);

    // Plan, selection box and handles.
    void Picture1_MouseDown(int button, int shift, float x, float y);
    void planClicked();
    void Picture1_MouseMove();
    void Picture1_KeyDown(int keyCode, int shift);
    void Picture1_KeyPress(int keyAscii);
    void Picture2_MouseDown(int button, int shift, float x, float y);
    void Picture2_MouseMove(int button, int shift, float x, float y);
    void Picture2_MouseUp(int button, int shift, float x, float y);
    void Picture2_KeyDown(int keyCode, int shift);
    void Picture2_KeyPress(int keyAscii);
    void picCoin_MouseDown(int index, int button, int shift, float x, float y);
    void picCoin_MouseMove(int index, int button, int shift, float x, float y);
    void picCoin_MouseUp(int index, int button, int shift, float x, float y);

    // Property editing.
    void dimensionTextChanged(int index, const QString& text);
    void dimensionKeyPressed(int index, int keyCode);
    void sizeLockToggled(bool checked);
    void Choix_couleur_Click(int index);
    void Combo1_Click(int index);
    void fillSwatchClicked();
    void restackSelection(int index); // 0 front, 1 back
    void turnSelection(int index);    // 0 right, 1 left
    void deleteSelection();

    // The selected object's top-left corner from the vehicle picture's top-left and its
    // size, in whole cm, as it would be stored now ("x 123 cm  y 45 cm  —  60 × 55 cm");
    // empty without a selection.
    QString livePosition() const;

    // Surface count.
    void toggleSurfacePanel();
    // Start-up: shown unless modsurf is "0".
    void applyModsurf(const std::optional<QString>& modsurf);
    void editSurfaceList(int index); // 0 add, 1 delete
    void List2_Click(const QList<bool>& selected);

private:
    EditorServices services_;
    EditorHooks hooks_;
    EditorState state_;
    render::PlanRenderer renderer_;
    QLocale locale_;
    // Time since queued events last ran during a redraw.
    QElapsedTimer sinceEvents_;
    // The concerns the handlers forward to (creation, view, selection, properties,
    // surface count, layout commands).
    struct Modules;
    std::unique_ptr<Modules> modules_;
};

} // namespace editor
