#pragma once

#include "document/PlanObject.h"
#include "editor/EditSession.h"
#include "editor/EditorServices.h"
#include "editor/EditorState.h"
#include "editor/Geometry.h"
#include "editor/Magnetism.h"
#include "editor/Snapping.h"
#include "editor/StatusLine.h"
#include "library/MassData.h"
#include "output/PageLayout.h"
#include "platform/DialogService.h"
#include "platform/FileSystem.h"
#include "platform/Pictures.h"
#include "platform/Printer.h"
#include "platform/SettingsStore.h"
#include "render/PlanRenderer.h"
#include "settings/Preferences.h"

#include <QElapsedTimer>
#include <QLocale>
#include <QPointF>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace editor {

// The behaviour of the main window, without widgets: every handler of the plan, the
// editing controls and the layout commands. The window forwards its events here and
// then shows the state. Plan coordinates are pixels of the canvas; box and handle
// coordinates are in the pressed control's own pixels.
class Editor {
public:
    Editor(EditorServices services, EditorHooks hooks, QString libraryRoot);
    ~Editor();
    Editor(const Editor&) = delete;
    Editor& operator=(const Editor&) = delete;

    // What the window shows after each event, read from each piece's owner; the window
    // changes it only through the commands below.
    // The open layout as it stands (the selected object out of its table).
    const document::Layout& layout() const;
    // The plan canvas the plan widget shows.
    const platform::Surface& canvas() const;
    const settings::Preferences& preferences() const { return prefs_; }
    // The surface-count panel.
    const SurfaceCount& surfaces() const;
    // The next object's fill and the accessory the accessory tool inserts.
    const NextObject& nextObject() const;
    // The status bar's help text.
    const QString& statusText() const;
    // The editing controls: sizes, lock, mass, texture, fill swatch and what is enabled.
    const EditingControls& controls() const;
    // The zoom, the scroll origin, the zoom box and the two bars.
    const ViewState& view() const;
    // The selected object with its box and handles.
    const SelectionState& selection() const;
    bool hasSelection() const;

    void setPreferences(const settings::Preferences& prefs) { prefs_ = prefs; }
    // The accessory the browser shows (empty when it closes), for the accessory tool.
    void setAccessoryFile(const QString& file);
    void setAccessoryBrowserShown(bool shown);
    void showStatus(const QString& text);
    // Where the last handler asked the keyboard focus to go; asked once.
    FocusRequest takeFocusRequest();
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
    // Opens a recovery copy as the layout it was taken from: named by originalPath (empty
    // for one never saved) and modified, so "Enregistrer" proposes its own file.
    bool openRecoveredCopy(const QString& copyPath, const QString& originalPath);
    // The layout as "Enregistrer" would write it now, for a recovery copy; the editor's
    // state is left as it is.
    document::Layout layoutAsSaved() const;
    // Changes whenever the layout's objects may have changed.
    std::uint64_t layoutRevision() const;
    void enableEditing();
    // Clears the canvas and redraws the plan.
    void redraw();
    // Redraws without clearing (resize, preferences confirmed).
    void drawPlan();

    // View.
    void canvasResized(int width, int height);
    void zoomTextChanged(const QString& text);
    // The "-" and "+" buttons: the next zoom step, written into the zoom box.
    void zoomOut();
    void zoomIn();
    void horizontalScrolled(int value);
    void verticalScrolled(int value);

    // A new object of that kind; an accessory is the one named by accessoryFile.
    void createObject(document::ObjectKind kind);

    // The plan. A press only records where it was (and puts the selection back); the
    // click, a press and release over the plan, picks the object under that point.
    void planPressed(QPointF at);
    void planClicked();
    void planHovered();
    // Arrows move the selection by a pixel; Delete and Backspace delete it; Space and
    // Enter put it back. False for the keys the plan and selection box do not use, which
    // go on to the window. Both the plan and the selection box send their keys here.
    // With Shift, arrows move by a centimetre of the picture (at least one pixel).
    bool keyPressed(Qt::Key key, Qt::KeyboardModifiers modifiers = {});

    // The selection box: a left press and drag moves it.
    void boxPressed(QPointF at, Qt::MouseButton button);
    // With magnetism on and Alt not held, the dragged box snaps to its neighbours.
    void boxMoved(QPointF at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers = {});
    void boxReleased();

    // The resize handles: a left drag from a handle resizes the selection by that
    // handle's sides. Coordinates are in the handle's own pixels.
    void handlePressed(QPointF at);
    void handleMoved(Handle handle, QPointF at, Qt::MouseButtons buttons,
                     Qt::KeyboardModifiers modifiers = {});
    void handleReleased();

    // Property editing.
    void dimensionTextChanged(Dimension dimension, const QString& text);
    // Enter in a dimension box: applies both boxes to the selection.
    void dimensionsConfirmed();
    void sizeLockToggled(bool checked);
    // The mass box; Enter gives the selection its mass, as one step.
    void massTextChanged(const QString& text);
    void massConfirmed();
    // Enter in the X or Y box: the selection's corner moves to the typed position in cm,
    // as one step; a position outside the vehicle picture is refused with a message.
    void positionConfirmed(Axis axis, const QString& text);
    // The selection's top-left corner in cm from the vehicle picture's corner, as the X
    // and Y boxes show it (one decimal when a picture pixel is finer than a cm); empty
    // without a selection.
    QString positionText(Axis axis) const;
    void paletteColourChosen(int index);
    // An entry of the texture list: 0 is the "choose" caption, k the k-th texture.
    void textureIndexChosen(std::optional<int> index);
    void fillSwatchClicked();
    void bringToFront();
    void sendToBack();
    void turn(Turn direction);
    void deleteSelection();

    // Undo and redo of the layout's edits, and the words of their menu entries. Both do
    // nothing while a drag of the box or a handle is under way.
    void undo();
    void redo();
    // The file on disk differs from the layout shown: the history stands elsewhere than
    // at the step last saved.
    bool isModified() const;
    UndoEntries undoEntries() const;
    const document::LayoutHistory& history() const;

    // The selected object's top-left corner from the vehicle picture's top-left and its
    // size, in whole cm, as it would be stored now ("x 123 cm  y 45 cm  —  60 × 55 cm");
    // empty without a selection.
    QString livePosition() const;
    // The pointer is over the plan at that canvas point, or has left it.
    void pointerOverPlan(QPointF at);
    void pointerLeftPlan();
    // The status bar's position field: the pointer's position in cm from the vehicle
    // picture's corner while it is over the plan (blank where the plan shows no picture),
    // else the selection's live position.
    QString positionField() const;

    // "Magnétisme": whether mouse drags snap to the other objects and the picture's edges.
    // Kept in the settings store; on unless it says otherwise.
    bool magnetism() const { return magnetism_; }
    void setMagnetism(bool on);
    void restoreMagnetism();
    // The guides and gaps of the mouse drag under way (canvas pixels), shown on the screen
    // only; and the gaps in cm as the status bar shows them ("← 2 cm  → 15,5 cm…"), empty
    // while nothing is dragged.
    DragAids dragAids() const;
    QString gapsField() const;

    // Mass budget: the layout as it stands (the selection where it is now) against the
    // vehicle library's data, read at start-up and again by reloadVehicleData.
    document::MassBudget massBudget() const;
    void reloadVehicleData();
    // The loads not drawn, as the mass window edits them: one step of the history when
    // they differ from the layout's.
    void setLoads(document::LooseLoads loads);
    // The centre of mass marked on the plan (on screen only).
    void setMassCentreShown(bool shown) { massCentreShown_ = shown; }
    bool massCentreShown() const { return massCentreShown_; }
    // The canvas column of the centre of mass while it is marked and known.
    std::optional<int> massCentreColumn() const;

    // Surface count.
    void toggleSurfacePanel();
    // Start-up: the saved panel setting; shown unless it is "0".
    void restoreSurfacePanel(const std::optional<QString>& savedSetting);
    // Adds the selected shape's area to the list.
    void addSurface();
    void removeSelectedSurfaces();
    // The lines selected in the list now.
    void surfaceSelectionChanged(const QList<bool>& selected);

private:
    struct ChangeStamp;
    ChangeStamp changeStamp() const;
    bool dragUnderWay() const;
    // Runs an edit and records it as one step of the history (folded into the last one
    // while the run goes on).
    void edit(document::LayoutChange change, const std::function<void()>& action,
              Run run = Run::None);
    // Records the edit made since the stamp `before`, unless nothing changed since.
    void recordEdit(document::LayoutChange change, const ChangeStamp& before, Run run);
    void finishDrag(document::LayoutChange change);
    // Whether a mouse drag with these keys held snaps.
    bool snaps(Qt::KeyboardModifiers modifiers) const;

    EditorServices services_;
    EditorHooks hooks_;
    // The library folder, fixed for the run.
    const QString libraryRoot_;
    // The current preference values, as the window last set them.
    settings::Preferences prefs_;
    render::PlanRenderer renderer_;
    QLocale locale_;
    // Time since queued events last ran during a redraw.
    QElapsedTimer sinceEvents_;
    // The concerns the handlers forward to (creation, view, selection, properties,
    // surface count, layout commands).
    struct Modules;
    std::unique_ptr<Modules> modules_;
    // The selection when the drag under way started.
    std::unique_ptr<ChangeStamp> dragStart_;
    library::VehicleData vehicleData_;
    bool massCentreShown_ = false;
    // Where the pointer is over the plan, in canvas pixels; nothing once it has left.
    std::optional<QPointF> pointer_;
    bool magnetism_ = true;
};

} // namespace editor
