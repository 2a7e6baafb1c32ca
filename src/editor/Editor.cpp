#include "editor/Editor.h"

#include "editor/Creation.h"
#include "editor/EditSession.h"
#include "editor/EditingPanel.h"
#include "editor/EditorCore.h"
#include "editor/HandleDrag.h"
#include "editor/LayoutCommands.h"
#include "editor/Placement.h"
#include "editor/PlanCanvas.h"
#include "editor/Properties.h"
#include "editor/Selection.h"
#include "editor/SelectionKeys.h"
#include "editor/StatusLine.h"
#include "editor/SurfacePanel.h"
#include "editor/ViewControl.h"
#include "library/LibraryNames.h"
#include "platform/NumberText.h"
#include "platform/Numbers.h"
#include "settings/PreferenceStore.h"

namespace editor {

using document::LayoutChange;

// Each piece of the editor's state is a private member of one module below, its owner;
// the others read it through EditorCore's const references, and a module that changes it
// is given its owner.
struct Editor::Modules {
    Modules(const QString& libraryRoot, const settings::Preferences& prefs,
            render::PlanRenderer& renderer, EditorServices& services, EditorHooks& hooks,
            const QLocale& locale)
        : view(core, canvas, selection), session(canvas, selection),
          canvas(renderer, session.layout(), view.state(), prefs), core{session.layout(),
                                                                        view.state(),
                                                                        canvas.surface(),
                                                                        prefs,
                                                                        libraryRoot,
                                                                        renderer,
                                                                        services,
                                                                        hooks,
                                                                        locale},
          controls(renderer), panel(locale), magnetism(core),
          selection(core, session, canvas, panel, controls, status),
          drag(core, selection, panel, magnetism, controls, status), keys(core, selection, focus),
          creation(core, session, canvas, selection, controls),
          properties(core, selection, panel, controls),
          commands(core, session, canvas, selection, view, controls) {}

    // The owners of the view, the layout and the canvas first, so that every module reads
    // state that exists.
    ViewControl view;
    EditSession session;
    PlanCanvas canvas;
    EditorCore core;
    StatusLine status;
    FocusRequests focus;
    EditingPanel controls;
    SurfacePanel panel;
    Magnetism magnetism;
    Selection selection;
    HandleDrag drag;
    SelectionKeys keys;
    Creation creation;
    Properties properties;
    LayoutCommands commands;
};

namespace {
constexpr qint64 kEventInterval = 10; // milliseconds
} // namespace

Editor::Editor(EditorServices services, EditorHooks hooks, QString libraryRoot)
    : services_(services), hooks_(std::move(hooks)), libraryRoot_(std::move(libraryRoot)),
      renderer_(services.pictures, libraryRoot_) {
    modules_ =
        std::make_unique<Modules>(libraryRoot_, prefs_, renderer_, services_, hooks_, locale_);
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

// What the layout as it would be saved is made of, cheap to take: the table's revision
// and the selection as the window shows it. While it stays the same the layout cannot
// have changed, and the history need not copy and compare the table.
struct Editor::ChangeStamp {
    std::uint64_t tableRevision = 0;
    bool shown = false;
    int row = 0;
    std::uint64_t serial = 0;
    document::PlanObject object;
    float left = 0, top = 0, width = 0, height = 0;
    float zoom = 0, originX = 0, originY = 0;
    PerDimension<QString> sizeText;
    bool operator==(const ChangeStamp&) const = default;
    bool sameSelectionLook(const ChangeStamp& o) const {
        return row == o.row && object == o.object && left == o.left && top == o.top &&
               width == o.width && height == o.height && zoom == o.zoom && originX == o.originX &&
               originY == o.originY && sizeText == o.sizeText;
    }
};

Editor::ChangeStamp Editor::changeStamp() const {
    const SelectionState& sel = modules_->selection.state();
    return {layout().objects.revision(),
            sel.box.visible,
            sel.row,
            modules_->selection.serial(),
            sel.object,
            sel.box.left,
            sel.box.top,
            sel.box.width,
            sel.box.height,
            view().view.zoom,
            view().view.originX,
            view().view.originY,
            controls().sizeText};
}

void Editor::initialise() {
    reloadVehicleData();
    modules_->controls.setNextFill(document::Fill::colour(0));
    refreshTextures();
    modules_->view.resetView(100);
}

void Editor::printWelcome() {
    modules_->canvas.showWelcome(QStringLiteral("Bienvenue dans Kestrion!"));
}

void Editor::openAtStartup(const QString& path) {
    modules_->commands.openAtStartup(path);
}

void Editor::refreshTextures() {
    modules_->controls.setTextures(library::listTextures(services_.files, libraryRoot_));
}

bool Editor::openRecoveredCopy(const QString& copyPath, const QString& originalPath) {
    return modules_->commands.openRecoveredCopy(copyPath, originalPath);
}

document::Layout Editor::layoutAsSaved() const {
    document::Layout layout = this->layout();
    layout.objects.assign(modules_->session.currentObjects());
    layout.zoomText = view().zoomText;
    return layout;
}

std::uint64_t Editor::layoutRevision() const {
    return modules_->session.revision();
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
    // Going ahead puts the selection back, which may restack it.
    edit(LayoutChange::PutBack, [&] { modules_->commands.exportPicture(); });
}
void Editor::printLayout(platform::Printer& printer) {
    edit(LayoutChange::PutBack, [&] { modules_->commands.printLayout(printer); });
}
void Editor::exportPdf(const output::ScaleSetup& setup) {
    edit(LayoutChange::PutBack, [&] { modules_->commands.exportPdf(setup); });
}
void Editor::printAtScale(const output::ScaleSetup& setup, platform::Printer& printer) {
    edit(LayoutChange::PutBack, [&] { modules_->commands.printAtScale(setup, printer); });
}
void Editor::exportPartsList() {
    edit(LayoutChange::PutBack, [&] { modules_->commands.exportPartsList(); });
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
    modules_->canvas.redraw();
}
void Editor::drawPlan() {
    modules_->canvas.drawPlan();
}

void Editor::canvasResized(int width, int height) {
    modules_->view.canvasResized(width, height);
    // The selection box holds the part of the object on the plan, which the new size changes.
    if (modules_->selection.shown())
        modules_->selection.drawBox();
}
void Editor::zoomTextChanged(const QString& text) {
    edit(LayoutChange::PutBack, [&] { modules_->view.zoomTextChanged(text); });
}
void Editor::zoomOut() {
    edit(LayoutChange::PutBack, [&] { modules_->view.stepZoom(ViewControl::Step::Out); });
}
void Editor::zoomIn() {
    edit(LayoutChange::PutBack, [&] { modules_->view.stepZoom(ViewControl::Step::In); });
}
void Editor::horizontalScrolled(int value) {
    edit(LayoutChange::PutBack, [&] { modules_->view.horizontalScrolled(value); });
}
void Editor::verticalScrolled(int value) {
    edit(LayoutChange::PutBack, [&] { modules_->view.verticalScrolled(value); });
}

void Editor::createObject(document::ObjectKind kind) {
    edit(LayoutChange::Create, [&] { modules_->creation.create(kind); });
}

void Editor::planPressed(QPointF at) {
    edit(LayoutChange::PutBack, [&] { modules_->selection.planPressed(at); });
}
void Editor::planClicked() {
    edit(LayoutChange::PutBack, [&] { modules_->selection.planClicked(); });
}
void Editor::planHovered() {
    modules_->selection.planHovered();
}
bool Editor::keyPressed(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    // A modifier pressed alone, as before each Shift+arrow, changes nothing and leaves a run
    // of arrow keys going.
    if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta)
        return false;
    const bool arrow =
        key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
    const bool deletion = key == Qt::Key_Delete || key == Qt::Key_Backspace;
    const LayoutChange change =
        arrow ? LayoutChange::Move : (deletion ? LayoutChange::Delete : LayoutChange::PutBack);
    bool taken = false;
    edit(
        change,
        [&] { taken = modules_->keys.keyPressed(key, arrow && modifiers & Qt::ShiftModifier); },
        arrow ? Run::Arrows : Run::None);
    return taken;
}
// A drag is one step, recorded when the button is released: the moves in between only
// move the box.
void Editor::boxPressed(QPointF at, Qt::MouseButton button) {
    modules_->drag.boxPressed(at, button);
    dragStart_ = std::make_unique<ChangeStamp>(changeStamp());
}
void Editor::boxMoved(QPointF at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    modules_->drag.boxMoved(at, buttons, snaps(modifiers));
}
void Editor::boxReleased() {
    modules_->drag.endDrag();
    finishDrag(LayoutChange::Move);
}
void Editor::handlePressed(QPointF at) {
    modules_->drag.handlePressed(at);
    dragStart_ = std::make_unique<ChangeStamp>(changeStamp());
}
void Editor::handleMoved(Handle handle, QPointF at, Qt::MouseButtons buttons,
                         Qt::KeyboardModifiers modifiers) {
    modules_->drag.handleMoved(handle, at, buttons, snaps(modifiers));
}
void Editor::handleReleased() {
    modules_->drag.handleReleased();
    finishDrag(LayoutChange::Resize);
}

void Editor::finishDrag(LayoutChange change) {
    if (const std::unique_ptr<ChangeStamp> start = std::move(dragStart_))
        recordEdit(change, *start, Run::None);
}

void Editor::dimensionTextChanged(Dimension dimension, const QString& text) {
    modules_->properties.dimensionTextChanged(dimension, text);
}
void Editor::dimensionsConfirmed() {
    edit(LayoutChange::Resize, [&] { modules_->properties.dimensionsConfirmed(); });
}
void Editor::massTextChanged(const QString& text) {
    modules_->properties.massTextChanged(text);
}
void Editor::massConfirmed() {
    edit(LayoutChange::Mass, [&] { modules_->properties.massConfirmed(); });
}
void Editor::sizeLockToggled(bool checked) {
    edit(LayoutChange::Lock, [&] { modules_->properties.sizeLockToggled(checked); });
}
void Editor::positionConfirmed(Axis axis, const QString& text) {
    edit(LayoutChange::Move, [&] { modules_->properties.positionConfirmed(axis, text); });
}
QString Editor::positionText(Axis axis) const {
    if (!modules_->selection.shown() || layout().pixelsPerCm <= 0)
        return QString();
    const document::PlanObject object = modules_->selection.selectionObject();
    const double pixelsPerCm = layout().pixelsPerCm;
    const float pixel = axis == Axis::X ? object.position.x : object.position.y;
    return cmText(double(pixel) / pixelsPerCm, cmDecimals(1 / pixelsPerCm), locale_);
}
void Editor::paletteColourChosen(int index) {
    edit(LayoutChange::Fill, [&] { modules_->properties.paletteColourChosen(index); });
}
void Editor::textureIndexChosen(std::optional<int> index) {
    edit(LayoutChange::Fill, [&] { modules_->properties.textureIndexChosen(index); });
}
void Editor::fillSwatchClicked() {
    edit(LayoutChange::Fill, [&] { modules_->properties.fillSwatchClicked(); });
}
void Editor::bringToFront() {
    edit(LayoutChange::BringToFront,
         [&] { modules_->properties.restack(Selection::Place::Front); });
}
void Editor::sendToBack() {
    edit(LayoutChange::SendToBack, [&] { modules_->properties.restack(Selection::Place::Back); });
}
void Editor::turn(Turn direction) {
    edit(LayoutChange::Turn, [&] { modules_->properties.turn(direction); });
}
void Editor::deleteSelection() {
    edit(LayoutChange::Delete, [&] { modules_->properties.deleteSelection(); });
}

// While a mouse button holds the box or a handle, undo and redo do nothing: the drag
// under way is not a step yet, and the steps before it belong to other edits.
void Editor::undo() {
    if (!dragUnderWay())
        modules_->session.undo();
}
void Editor::redo() {
    if (!dragUnderWay())
        modules_->session.redo();
}
bool Editor::dragUnderWay() const {
    return dragStart_ != nullptr && modules_->drag.underWay();
}
bool Editor::isModified() const {
    return modules_->session.isModified();
}
UndoEntries Editor::undoEntries() const {
    UndoEntries entries = modules_->session.entries();
    if (dragUnderWay()) {
        entries.canUndo = false;
        entries.canRedo = false;
    }
    return entries;
}
const document::LayoutHistory& Editor::history() const {
    return modules_->session.steps();
}
document::MassBudget Editor::massBudget() const {
    document::Layout layout = this->layout();
    // The selection as it stands, moved or not, so the figures follow a drag under way.
    const Selection& selection = modules_->selection;
    if (selection.shown())
        layout.objects.insertAt(selection.state().row, selection.selectionObject());
    return library::layoutMassBudget(layout, vehicleData_);
}

void Editor::reloadVehicleData() {
    vehicleData_ = library::readVehicleData(libraryRoot_, services_.files);
}

void Editor::setLoads(document::LooseLoads loads) {
    modules_->session.setLoads(std::move(loads));
}

std::optional<int> Editor::massCentreColumn() const {
    const document::Layout& layout = this->layout();
    if (!massCentreShown_ || !layout.isOpen)
        return std::nullopt;
    const document::MassBudget budget = massBudget();
    const auto axles = document::planAxles(layout, vehicleData_.axlesOf(layout.vehicleFile));
    if (!budget.centreCm || !axles)
        return std::nullopt;
    const double pictureX = axles->planX(*budget.centreCm) * layout.pixelsPerCm;
    const render::View& v = view().view;
    return platform::roundToInt((pictureX - v.originX) * v.zoom);
}

void Editor::edit(LayoutChange change, const std::function<void()>& action, Run run) {
    const ChangeStamp before = changeStamp();
    action();
    recordEdit(change, before, run);
}

// The selected object counts as edited once an edit changed the selection as the window
// shows it (box, object, dimension boxes, or where the view stands under the box) while
// it stayed selected.
void Editor::recordEdit(LayoutChange change, const ChangeStamp& before, Run run) {
    const ChangeStamp after = changeStamp();
    if (after == before)
        return;
    if (after.shown && before.shown && after.serial == before.serial &&
        !after.sameSelectionLook(before))
        modules_->selection.markEdited();
    modules_->session.record(change, run);
}

const document::Layout& Editor::layout() const {
    return modules_->session.layout();
}

const platform::Surface& Editor::canvas() const {
    return modules_->canvas.surface();
}

const SurfaceCount& Editor::surfaces() const {
    return modules_->panel.state();
}

const NextObject& Editor::nextObject() const {
    return modules_->controls.next();
}

const QString& Editor::statusText() const {
    return modules_->status.text();
}

void Editor::showStatus(const QString& text) {
    modules_->status.show(text);
}

FocusRequest Editor::takeFocusRequest() {
    return modules_->focus.take();
}

void Editor::setAccessoryFile(const QString& file) {
    modules_->controls.setNextAccessory(file);
}

const EditingControls& Editor::controls() const {
    return modules_->controls.state();
}

void Editor::setAccessoryBrowserShown(bool shown) {
    modules_->controls.setAccessoryBrowserShown(shown);
}

const ViewState& Editor::view() const {
    return modules_->view.state();
}

const SelectionState& Editor::selection() const {
    return modules_->selection.state();
}

bool Editor::hasSelection() const {
    return modules_->selection.shown();
}

QString Editor::livePosition() const {
    if (!modules_->selection.shown())
        return QString();
    // As stored until the box is edited: a size read from a file keeps its decimals.
    const document::PlanObject object = modules_->selection.heldObject();
    const double pixelsPerCm = layout().pixelsPerCm > 0 ? layout().pixelsPerCm : 1.0;
    const auto cm = [](double v) { return QString::number(platform::roundToInt(v)); };
    const auto size = [this](float v) { return platform::shortestText(v, locale_); };
    return QStringLiteral("x %1 cm  y %2 cm  —  %3 × %4 cm")
        .arg(cm(object.position.x / pixelsPerCm), cm(object.position.y / pixelsPerCm),
             size(object.widthCm), size(object.heightCm));
}

void Editor::pointerOverPlan(QPointF at) {
    pointer_ = at;
}

void Editor::pointerLeftPlan() {
    pointer_.reset();
}

QString Editor::positionField() const {
    if (!pointer_)
        return livePosition();
    const document::Layout& layout = this->layout();
    if (!layout.isOpen || layout.pixelsPerCm <= 0)
        return QString();
    const render::View& view = this->view().view;
    const auto cm = pointerCm(*pointer_, view, layout.pixelsPerCm,
                              QSizeF(layout.pictureWidth, layout.pictureHeight));
    if (!cm)
        return QString();
    // A screen pixel finer than a centimetre earns one decimal.
    const int decimals = cmDecimals(1 / (layout.pixelsPerCm * double(view.zoom)));
    return QStringLiteral("x %1 cm  y %2 cm")
        .arg(cmText(cm->x(), decimals, locale_), cmText(cm->y(), decimals, locale_));
}

bool Editor::snaps(Qt::KeyboardModifiers modifiers) const {
    return magnetism_ && !(modifiers & Qt::AltModifier);
}

DragAids Editor::dragAids() const {
    // A selection put back in the middle of a drag ends the drag too.
    if (!modules_->drag.underWay())
        return DragAids{};
    return modules_->magnetism.aids();
}

QString Editor::gapsField() const {
    const std::optional<Gaps> gaps = dragAids().gaps;
    const document::Layout& layout = this->layout();
    if (!gaps || layout.pixelsPerCm <= 0)
        return QString();
    const double pixelsPerCm = layout.pixelsPerCm * double(view().view.zoom);
    const int decimals = cmDecimals(1 / pixelsPerCm);
    QStringList sides;
    for (const auto& [arrow, gap] : {std::pair{u'←', gaps->left},
                                     {u'→', gaps->right},
                                     {u'↑', gaps->top},
                                     {u'↓', gaps->bottom}})
        if (gap)
            sides << QString(QChar(arrow)) + QLatin1Char(' ') +
                         cmText(double(*gap) / pixelsPerCm, decimals, locale_) +
                         QStringLiteral(" cm");
    return sides.join(QStringLiteral("  "));
}

void Editor::setMagnetism(bool on) {
    magnetism_ = on;
    settings::PreferenceStore(services_.store).writeMagnetism(on);
}

void Editor::restoreMagnetism() {
    magnetism_ = settings::PreferenceStore(services_.store).readMagnetism();
}

void Editor::toggleSurfacePanel() {
    SurfacePanel& panel = modules_->panel;
    panel.setShown(!panel.state().visible);
    settings::PreferenceStore(services_.store).writeSurfacePanelShown(panel.state().visible);
}

void Editor::restoreSurfacePanel(const std::optional<QString>& savedSetting) {
    // A value that cannot be read leaves the panel in its designed state.
    if (!savedSetting)
        return;
    modules_->panel.setShown(savedSetting->trimmed() == QLatin1String("0"));
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
