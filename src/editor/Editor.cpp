#include "editor/Editor.h"

#include "editor/Creation.h"
#include "editor/EditorCore.h"
#include "editor/LayoutCommands.h"
#include "editor/Properties.h"
#include "editor/Selection.h"
#include "editor/SurfacePanel.h"
#include "editor/ViewControl.h"
#include "library/LibraryNames.h"
#include "platform/Numbers.h"
#include "settings/PreferenceStore.h"

namespace editor {

struct Editor::Modules {
    Modules(EditorState& state, render::PlanRenderer& renderer, EditorServices& services,
            EditorHooks& hooks, QLocale& locale)
        : core{state, renderer, services, hooks, locale}, panel(state.surfaces, locale),
          selection(core, panel), view(core, selection), creation(core, selection),
          properties(core, selection, panel), commands(core, selection, view) {}

    EditorCore core;
    SurfacePanel panel;
    Selection selection;
    ViewControl view;
    Creation creation;
    Properties properties;
    LayoutCommands commands;
};

namespace {
constexpr qint64 kEventInterval = 10; // milliseconds
} // namespace

Editor::Editor(EditorServices services, EditorHooks hooks, QString apath)
    : services_(services), hooks_(std::move(hooks)), renderer_(services.pictures, apath) {
    state_.apath = std::move(apath);
    modules_ = std::make_unique<Modules>(state_, renderer_, services_, hooks_, locale_);
    // Queued events run between objects of a redraw, but at most every few milliseconds:
    // asking the event loop costs more than drawing most objects.
    sinceEvents_.start();
    renderer_.processEvents = [this] {
        if (sinceEvents_.hasExpired(kEventInterval)) {
            modules_->core.processEvents();
            sinceEvents_.restart();
        }
    };
}

Editor::~Editor() = default;

void Editor::initialise() {
    state_.remplissage_courant = document::Fill::colour(0);
    refreshTextures();
    state_.view.paliers_zoom = kPaliersZoom;
    state_.handles.visible = false;
    state_.view.view = render::View{};
    state_.view.hscroll = 0;
    state_.view.vscroll = 0;
    state_.layout.mirrorLeftRight = false;
    state_.layout.mirrorTopBottom = false;
    state_.layout.objects.clear();
    state_.layout.vehicleFile.clear();
}

void Editor::printWelcome() {
    platform::Surface& canvas = state_.picture1;
    const QString welcome = QStringLiteral("Bienvenue dans Kestrion!");
    const QSize extent = canvas.textSize(welcome);
    canvas.textX = float(canvas.width() - extent.width()) / 2;
    canvas.textY = float(canvas.height()) / 2 - 10;
    canvas.drawText(welcome);
}

void Editor::openAtStartup(const QString& path) {
    modules_->commands.openAtStartup(path);
}

void Editor::refreshTextures() {
    state_.controls.textures = library::listTextures(services_.files, state_.apath);
    state_.controls.combo1Index = 0;
}

void Editor::newLayout() {
    modules_->commands.newLayout();
}
void Editor::chooseAndOpenLayout() {
    modules_->commands.chooseAndOpenLayout();
}
bool Editor::saveLayout() {
    return modules_->commands.saveLayout();
}
void Editor::exportPicture() {
    modules_->commands.exportPicture();
}
void Editor::printLayout(platform::Printer& printer) {
    modules_->commands.printLayout(printer);
}
void Editor::exportPdf(const output::ScaleSetup& setup) {
    modules_->commands.exportPdf(setup);
}
void Editor::printAtScale(const output::ScaleSetup& setup, platform::Printer& printer) {
    modules_->commands.printAtScale(setup, printer);
}
void Editor::exportPartsList() {
    modules_->commands.exportPartsList();
}
bool Editor::confirmQuit() {
    return modules_->commands.confirmQuit();
}
bool Editor::openLayoutFile(const QString& path) {
    return modules_->commands.openLayoutFile(path);
}
void Editor::enableEditing() {
    modules_->commands.enableEditing();
}
void Editor::redraw() {
    modules_->core.redraw();
}
void Editor::Affiche() {
    modules_->core.affiche();
}

void Editor::canvasResized(int width, int height) {
    modules_->view.canvasResized(width, height);
    // The selection box holds the part of the object on the plan, which the new size changes.
    if (state_.hasSelection())
        modules_->selection.drawBox();
}
void Editor::zoomTextChanged(const QString& text) {
    modules_->view.zoomTextChanged(text);
}
void Editor::stepZoom(int index) {
    modules_->view.stepZoom(index);
}
void Editor::horizontalScrolled(int value) {
    modules_->view.horizontalScrolled(value);
}
void Editor::verticalScrolled(int value) {
    modules_->view.verticalScrolled(value);
}

void Editor::Command1_Click(int index) {
    modules_->creation.Command1_Click(index);
}

void Editor::Picture1_MouseDown(int button, int, float x, float y) {
    modules_->selection.Picture1_MouseDown(button, x, y);
}
void Editor::planClicked() {
    modules_->selection.planClicked();
}
void Editor::Picture1_MouseMove() {
    modules_->selection.Picture1_MouseMove();
}
void Editor::Picture1_KeyDown(int keyCode, int) {
    modules_->selection.keyDown(keyCode);
}
void Editor::Picture1_KeyPress(int keyAscii) {
    modules_->selection.keyPress(keyAscii);
}
void Editor::Picture2_MouseDown(int button, int, float x, float y) {
    modules_->selection.Picture2_MouseDown(button, x, y);
}
void Editor::Picture2_MouseMove(int button, int, float x, float y) {
    modules_->selection.Picture2_MouseMove(button, x, y);
}
void Editor::Picture2_MouseUp(int, int, float, float) {
    modules_->selection.EndDrag();
}
void Editor::Picture2_KeyDown(int keyCode, int) {
    modules_->selection.keyDown(keyCode);
}
void Editor::Picture2_KeyPress(int keyAscii) {
    modules_->selection.keyPress(keyAscii);
}
void Editor::picCoin_MouseDown(int, int, int, float x, float y) {
    modules_->selection.picCoin_MouseDown(x, y);
}
void Editor::picCoin_MouseMove(int index, int button, int, float x, float y) {
    modules_->selection.picCoin_MouseMove(index, button, x, y);
}
void Editor::picCoin_MouseUp(int, int, int, float, float) {
    modules_->selection.picCoin_MouseUp();
}

void Editor::dimensionTextChanged(int index, const QString& text) {
    modules_->properties.dimensionTextChanged(index, text);
}
void Editor::dimensionKeyPressed(int index, int keyCode) {
    modules_->properties.dimensionKeyPressed(index, keyCode);
}
void Editor::sizeLockToggled(bool checked) {
    modules_->properties.sizeLockToggled(checked);
}
void Editor::Choix_couleur_Click(int index) {
    modules_->properties.Choix_couleur_Click(index);
}
void Editor::Combo1_Click(int index) {
    modules_->properties.Combo1_Click(index);
}
void Editor::fillSwatchClicked() {
    modules_->properties.fillSwatchClicked();
}
void Editor::restackSelection(int index) {
    modules_->properties.restackSelection(index);
}
void Editor::turnSelection(int index) {
    modules_->properties.turnSelection(index);
}
void Editor::deleteSelection() {
    modules_->properties.deleteSelection();
}

QString Editor::livePosition() const {
    if (!state_.hasSelection())
        return QString();
    const document::PlanObject object = modules_->selection.selectionObject();
    const double resol = state_.layout.pixelsPerCm > 0 ? state_.layout.pixelsPerCm : 1.0;
    const auto cm = [](double v) { return QString::number(platform::M(v)); };
    return QStringLiteral("x %1 cm  y %2 cm  —  %3 × %4 cm")
        .arg(cm(object.position.x / resol), cm(object.position.y / resol), cm(object.widthCm),
             cm(object.heightCm));
}

void Editor::toggleSurfacePanel() {
    state_.surfaces.visible = !state_.surfaces.visible;
    settings::PreferenceStore(services_.store).writeModsurf(state_.surfaces.visible);
}

void Editor::applyModsurf(const std::optional<QString>& modsurf) {
    // A value that cannot be read leaves the panel in its designed state.
    if (!modsurf)
        return;
    state_.surfaces.visible = modsurf->trimmed() == QLatin1String("0");
    toggleSurfacePanel();
}

void Editor::editSurfaceList(int index) {
    if (index == 0)
        modules_->panel.add();
    else if (index == 1)
        modules_->panel.removeSelected();
}

void Editor::List2_Click(const QList<bool>& selected) {
    modules_->panel.listClicked(selected);
}

} // namespace editor
