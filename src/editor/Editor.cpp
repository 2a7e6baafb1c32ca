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

Editor::Editor(EditorServices services, EditorHooks hooks, QString libraryRoot)
    : services_(services), hooks_(std::move(hooks)), renderer_(services.pictures, libraryRoot) {
    state_.libraryRoot = std::move(libraryRoot);
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
    state_.next.fill = document::Fill::colour(0);
    refreshTextures();
    state_.selection.handles.visible = false;
    state_.view.view = render::View{};
    state_.view.horizontalBar = 0;
    state_.view.verticalBar = 0;
    state_.layout.mirrorLeftRight = false;
    state_.layout.mirrorTopBottom = false;
    state_.layout.objects.clear();
    state_.layout.vehicleFile.clear();
}

void Editor::printWelcome() {
    platform::Surface& canvas = state_.canvas;
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
    state_.controls.textures = library::listTextures(services_.files, state_.libraryRoot);
    state_.controls.textureEntry = 0;
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
void Editor::drawPlan() {
    modules_->core.drawPlan();
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
void Editor::zoomOut() {
    modules_->view.stepZoom(ViewControl::Step::Out);
}
void Editor::zoomIn() {
    modules_->view.stepZoom(ViewControl::Step::In);
}
void Editor::horizontalScrolled(int value) {
    modules_->view.horizontalScrolled(value);
}
void Editor::verticalScrolled(int value) {
    modules_->view.verticalScrolled(value);
}

void Editor::createObject(document::ObjectKind kind) {
    modules_->creation.create(kind);
}

void Editor::planPressed(QPointF at) {
    modules_->selection.planPressed(at);
}
void Editor::planClicked() {
    modules_->selection.planClicked();
}
void Editor::planHovered() {
    modules_->selection.planHovered();
}
bool Editor::keyPressed(Qt::Key key) {
    return modules_->selection.keyPressed(key);
}
void Editor::boxPressed(QPointF at, Qt::MouseButton button) {
    modules_->selection.boxPressed(at, button);
}
void Editor::boxMoved(QPointF at, Qt::MouseButtons buttons) {
    modules_->selection.boxMoved(at, buttons);
}
void Editor::boxReleased() {
    modules_->selection.endDrag();
}
void Editor::handlePressed(QPointF at) {
    modules_->selection.handlePressed(at);
}
void Editor::handleMoved(Handle handle, QPointF at, Qt::MouseButtons buttons) {
    modules_->selection.handleMoved(handle, at, buttons);
}
void Editor::handleReleased() {
    modules_->selection.handleReleased();
}

void Editor::dimensionTextChanged(Dimension dimension, const QString& text) {
    modules_->properties.dimensionTextChanged(dimension, text);
}
void Editor::dimensionsConfirmed() {
    modules_->properties.dimensionsConfirmed();
}
void Editor::sizeLockToggled(bool checked) {
    modules_->properties.sizeLockToggled(checked);
}
void Editor::paletteColourChosen(int index) {
    modules_->properties.paletteColourChosen(index);
}
void Editor::textureChosen(int entry) {
    modules_->properties.textureChosen(entry);
}
void Editor::fillSwatchClicked() {
    modules_->properties.fillSwatchClicked();
}
void Editor::bringToFront() {
    modules_->properties.restack(Selection::Place::Front);
}
void Editor::sendToBack() {
    modules_->properties.restack(Selection::Place::Back);
}
void Editor::turn(Turn direction) {
    modules_->properties.turn(direction);
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

void Editor::restoreSurfacePanel(const std::optional<QString>& savedSetting) {
    // A value that cannot be read leaves the panel in its designed state.
    if (!savedSetting)
        return;
    state_.surfaces.visible = savedSetting->trimmed() == QLatin1String("0");
    toggleSurfacePanel();
}

void Editor::addSurface() {
    modules_->panel.add();
}

void Editor::removeSelectedSurfaces() {
    modules_->panel.removeSelected();
}

void Editor::surfaceSelectionChanged(const QList<bool>& selected) {
    modules_->panel.listClicked(selected);
}

} // namespace editor
