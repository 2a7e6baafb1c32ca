#include "app/MainWindow.h"

#include "app/Icons.h"
#include "app/InfoWindows.h"
#include "app/MassWindow.h"
#include "app/PictureWidget.h"
#include "app/ScaleDialog.h"
#include "library/MissingSamples.h"
#include "library/ui/AccessoryBrowser.h"
#include "library/ui/AccessoryImportDialog.h"
#include "library/ui/NewLayoutDialog.h"
#include "library/ui/VehicleDataDialog.h"
#include "library/ui/VehicleImportDialog.h"
#include "settings/ui/PreferencesDialog.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QEnterEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

namespace app {

namespace {

QString defaultDataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

void setTextKeepingCursor(QLineEdit* box, const QString& text) {
    if (box->text() != text)
        box->setText(text);
}

} // namespace

MainWindow::MainWindow(MainWindowServices services, QString libraryRoot, const QString& layoutPath,
                       QWidget* parent)
    : QMainWindow(parent), services_(std::move(services)), libraryRoot_(std::move(libraryRoot)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(platform::kProgramName);
    setWindowIcon(icons::programIconSet());
    setMinimumSize(kMinimumSize);

    editor::EditorHooks hooks;
    hooks.chooseVehicle = [this] { return chooseVehicle(); };
    hooks.closeAccessoryBrowser = [this] { closeAccessoryBrowser(); };
    hooks.processEvents = [] {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    editor_ = std::make_unique<editor::Editor>(
        editor::EditorServices{services_.dialogs, services_.files, services_.store, pictures_},
        std::move(hooks), libraryRoot_);

    buildControls();
    buildMenus();

    Startup startup(libraryRoot_,
                    services_.dataHome.isEmpty() ? defaultDataHome() : services_.dataHome,
                    services_.files, services_.store);
    if (services_.runDetached)
        startup.runDetached = services_.runDetached;
    startup.declareToDesktop = services_.declareToDesktop;
    startup_ = startup.run();

    preferences_ = new settings::ui::PreferencesDialog(services_.store, services_.dialogs, this);
    preferences_->setValues(startup_.prefs);
    preferences_->onConfirmed = [this](const settings::Preferences& prefs) {
        editor_->setPreferences(prefs);
        if (!editor_->layout().vehicleFile.isEmpty())
            editor_->drawPlan();
        refresh();
    };
    editor_->setPreferences(startup_.prefs);
    editor_->restoreSurfacePanel(startup_.surfacePanel);
    editor_->restoreMagnetism();
    editor_->initialise();
    editor_->setPreferences(startup_.prefs);

    resize(1000, 720);
    // The central area gets its size from the window's layout, which runs at show
    // time; settle it now so the plan is sized before the welcome text is centred.
    if (layout())
        layout()->activate();
    placeControls();
    editor_->printWelcome();
    if (!services_.recoveryFolder.isEmpty()) {
        recovery_ = std::make_unique<editor::RecoveryCopies>(services_.recoveryFolder);
        recoveryTimer_ = new QTimer(this);
        recoveryTimer_->setSingleShot(true);
        connect(recoveryTimer_, &QTimer::timeout, this, [this] { writeRecoveryCopy(); });
    }
    if (!layoutPath.isEmpty())
        editor_->openAtStartup(layoutPath);
    refresh();
}

void MainWindow::offerRecoveredCopies() {
    if (!recovery_)
        return;
    for (const editor::RecoveredCopy& copy : recovery_->leftBehind()) {
        const QString text =
            QStringLiteral("Kestrion ne s'est pas terminé normalement. Une copie de secours de "
                           "l'agencement « %1 » a été faite le %2 à %3.\n\n"
                           "Restaurer l'ouvre avec les modifications qui n'avaient pas été "
                           "enregistrées ; Plus tard la garde pour le prochain démarrage ; "
                           "Supprimer l'efface.")
                .arg(copy.layoutName(), copy.written.toString(QStringLiteral("dd/MM/yyyy")),
                     copy.written.toString(QStringLiteral("HH:mm")));
        const platform::MsgResult answer = services_.dialogs.messageBox(
            text, QStringLiteral("Récupération :"), platform::MsgIcon::Question,
            platform::MsgButtons::RestoreKeepDiscard);
        if (answer == platform::MsgResult::Discard) {
            recovery_->remove(copy);
        } else if (answer == platform::MsgResult::Restore &&
                   editor_->openRecoveredCopy(copy.copyPath, copy.originalPath)) {
            // The restored layout has its own copy before the one it came from goes.
            writeRecoveryCopy();
            recovery_->remove(copy);
        }
        refresh();
    }
}

void MainWindow::scheduleRecoveryCopy() {
    if (!recovery_)
        return;
    const document::Layout& layout = editor_->layout();
    if (!layout.isOpen || !editor_->isModified()) {
        recoveryTimer_->stop();
        recovery_->discard();
        return;
    }
    if (editor_->layoutRevision() != copiedRevision_ && !recoveryTimer_->isActive())
        recoveryTimer_->start(services_.recoveryDelayMs);
}

void MainWindow::writeRecoveryCopy() {
    const document::Layout& layout = editor_->layout();
    if (!recovery_ || !layout.isOpen || !editor_->isModified())
        return;
    copiedRevision_ = editor_->layoutRevision();
    recovery_->write(editor_->layoutAsSaved(), editor_->locale());
}

MainWindow::~MainWindow() = default;

void MainWindow::forward(const std::function<void(editor::Editor&)>& handler) {
    if (refreshing_ || !editor_)
        return;
    handler(*editor_);
    refresh();
}

void MainWindow::forwardClicks(QAbstractButton* button,
                               std::function<void(editor::Editor&)> handler) {
    connect(button, &QAbstractButton::clicked, this,
            [this, handler = std::move(handler)] { forward(handler); });
}

void MainWindow::showStatus(const QString& text) {
    if (statusBar_->currentMessage() != text)
        statusBar_->showMessage(text);
}

void MainWindow::refreshEnabling() {
    const auto& c = editor_->controls();
    const bool open = c.layoutEnabled;
    verticalBar_->setEnabled(open);
    horizontalBar_->setEnabled(open);
    fillFrame_->setEnabled(open && c.fillEnabled);
    // Texts and accessories keep their size but can be placed and weighed: only the size
    // controls follow the kind, the position boxes follow the selection.
    dimensionsFrame_->setEnabled(open);
    for (QWidget* sizeControl :
         {static_cast<QWidget*>(dimensionBoxes_[editor::Dimension::Width]),
          static_cast<QWidget*>(dimensionBoxes_[editor::Dimension::Height]),
          static_cast<QWidget*>(lockBox_), dimensionsPicture_, dimensionsUnit_})
        sizeControl->setEnabled(c.dimensionsEnabled);
    for (QLineEdit* box : positionBoxes_)
        box->setEnabled(editor_->hasSelection());
    massBox_->setEnabled(c.massEnabled);
    for (QGroupBox* frame : {zoomFrame_, editFrame_, objectsFrame_, surfaceFrame_})
        frame->setEnabled(open);
    for (QToolButton* button : toolButtons_)
        button->setEnabled(open);
    libraryToggle_->setEnabled(open);
    const MenuActions& m = menuActions_;
    for (QAction* item :
         {m.save, m.exportPicture, m.exportScaledPdf, m.exportPartsList, m.print, m.printToScale,
          m.createRectangle, m.createMeasure, m.createText, m.createEllipse, m.createTriangle,
          m.createLine, m.accessoryLibrary, m.vehicleData})
        item->setEnabled(open);

    const bool edit = c.editEnabled;
    const bool turn = c.editEnabled && c.turnEnabled;
    frontButton_->setEnabled(edit);
    backButton_->setEnabled(edit);
    deleteButton_->setEnabled(edit);
    turnRightButton_->setEnabled(turn);
    turnLeftButton_->setEnabled(turn);
    for (QAction* item : {m.bringToFront, m.sendToBack, m.deleteSelection})
        item->setEnabled(edit);
    for (QAction* item : {m.turnLeft, m.turnRight})
        item->setEnabled(turn);
    refreshUndoEntries();
}

// A position box keeps what the user is typing into it until Enter or until it loses the
// focus; otherwise it shows where the selection is.
void MainWindow::refreshPositionBoxes() {
    for (const editor::Axis axis : {editor::Axis::X, editor::Axis::Y}) {
        QLineEdit* box = positionBoxes_[std::size_t(axis)];
        if (!(box->hasFocus() && box->isModified()))
            setTextKeepingCursor(box, editor_->positionText(axis));
    }
}

// The entries name the step they would take back or do again, in the status bar too.
void MainWindow::refreshUndoEntries() {
    const editor::UndoEntries entries = editor_->undoEntries();
    const auto show = [](QAction* item, const QString& text, bool enabled, const QString& idle) {
        item->setText(text);
        item->setEnabled(enabled);
        item->setStatusTip(enabled ? QString(text).remove(QLatin1Char('&')) : idle);
    };
    show(menuActions_.undo, entries.undoText, entries.canUndo,
         QStringLiteral("Aucune modification à annuler"));
    show(menuActions_.redo, entries.redoText, entries.canRedo,
         QStringLiteral("Aucune modification à rétablir"));
}

void MainWindow::refresh() {
    if (refreshing_ || !editor_)
        return;
    refreshing_ = true;

    plan_->update();
    refreshSelection();

    const editor::ViewState& view = editor_->view();
    const editor::EditingControls& controls = editor_->controls();
    horizontalBar_->setValue(view.horizontalBar);
    verticalBar_->setValue(view.verticalBar);
    setTextKeepingCursor(zoomBox_, view.zoomText);
    for (const editor::Dimension dimension : {editor::Dimension::Width, editor::Dimension::Height})
        setTextKeepingCursor(dimensionBoxes_[dimension], controls.sizeText[dimension]);
    refreshPositionBoxes();
    lockBox_->setChecked(controls.lockChecked);
    setTextKeepingCursor(massBox_, controls.massText);
    libraryToggle_->setChecked(controls.accessoryBrowserShown);
    libraryToggle_->setToolTip(statusHelp_.value(libraryToggle_)());
    menuActions_.accessoryLibrary->setChecked(controls.accessoryBrowserShown);
    menuActions_.surfacePanel->setChecked(editor_->surfaces().visible);
    menuActions_.magnetism->setChecked(editor_->magnetism());
    fillSwatch_->update();
    refreshTextureList();
    refreshSurfaceList();
    refreshEnabling();
    showStatus(editor_->statusText());
    const QString gaps = editor_->gapsField();
    statusGaps_->setText(gaps);
    statusGaps_->setVisible(!gaps.isEmpty());
    statusPosition_->setText(editor_->positionField());
    refreshMasses();

    switch (editor_->takeFocusRequest()) {
    case editor::FocusRequest::Plan:
        plan_->setFocus(Qt::OtherFocusReason);
        break;
    case editor::FocusRequest::Box:
        selectionBox_->setFocus(Qt::OtherFocusReason);
        break;
    case editor::FocusRequest::None:
        break;
    }
    scheduleRecoveryCopy();
    refreshing_ = false;
}

void MainWindow::refreshMasses() {
    if (massWindow_ && massWindow_->isVisible())
        massWindow_->show(editor_->massBudget(), editor_->layout(), editor_->massCentreShown());
}

void MainWindow::showVehicleData() {
    const document::Layout& layout = editor_->layout();
    if (!layout.isOpen)
        return;
    library::ui::VehicleDataDialog dialog(libraryRoot_, layout.vehicleModel, layout.vehicleBody,
                                          layout.vehicleFile, document::hasLengthAxis(layout),
                                          services_.files, services_.dialogs, this);
    if (dialog.exec() == QDialog::Accepted)
        forward([](editor::Editor& e) { e.reloadVehicleData(); });
}

void MainWindow::showMassWindow() {
    if (!massWindow_) {
        MassWindow::Callbacks callbacks;
        callbacks.loadsEdited = [this](document::LooseLoads loads) {
            forward([&loads](editor::Editor& e) { e.setLoads(std::move(loads)); });
        };
        callbacks.centreShown = [this](bool shown) {
            forward([shown](editor::Editor& e) { e.setMassCentreShown(shown); });
        };
        massWindow_ = new MassWindow(std::move(callbacks), this);
        massWindow_->setWindowFlag(Qt::Tool);
        // Its loads are steps of the layout's history: Ctrl+Z and Ctrl+Y work there too.
        massWindow_->addActions({menuActions_.undo, menuActions_.redo});
    }
    massWindow_->QDialog::show();
    massWindow_->raise();
    refresh();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == area_ && event->type() == QEvent::Resize) {
        placeControls();
        return false;
    }
    if (event->type() != QEvent::MouseMove && event->type() != QEvent::Enter)
        return QMainWindow::eventFilter(watched, event);
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !editor_ || !statusHelp_.contains(watched))
        return QMainWindow::eventFilter(watched, event);
    // The deepest control under the pointer with a help text of its own wins, so a
    // move that reaches a frame from one of its buttons keeps the button's text.
    QPoint position;
    if (event->type() == QEvent::MouseMove)
        position = static_cast<QMouseEvent*>(event)->position().toPoint();
    else
        position = static_cast<QEnterEvent*>(event)->position().toPoint();
    QWidget* target = widget->childAt(position);
    while (target && target != widget && !statusHelp_.contains(target))
        target = target->parentWidget();
    if (!target)
        target = widget;
    editor_->showStatus(statusHelp_.value(target)());
    showStatus(editor_->statusText());
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeOtherWindows() {
    for (QWidget* window : findChildren<QWidget*>()) {
        if (window->isWindow() && window->isVisible())
            window->close();
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!quitting_ && !editor_->confirmQuit()) {
        event->ignore();
        refresh();
        return;
    }
    quitting_ = true;
    // Saved, or left without saving on purpose: the recovery copy has no use any more.
    if (recovery_)
        recovery_->discard();
    closeOtherWindows();
    event->accept();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    if (isMinimized())
        return;
    const QSize allowed = event->size().expandedTo(kMinimumSize);
    if (allowed != event->size())
        resize(allowed);
}

void MainWindow::requestQuit() {
    if (!editor_->confirmQuit()) {
        refresh();
        return;
    }
    quitting_ = true;
    close();
}

void MainWindow::showPreferences() {
    preferences_->exec();
    refresh();
}

void MainWindow::showHelp() {
    if (!helpWindow_) {
        helpWindow_ = new HelpWindow(this);
        helpWindow_->setAttribute(Qt::WA_DeleteOnClose);
    }
    helpWindow_->show();
    helpWindow_->raise();
    helpWindow_->activateWindow();
}

void MainWindow::showLicence() {
    services_.dialogs.messageBox(licenceText(), QStringLiteral("License :"),
                                 platform::MsgIcon::Information, platform::MsgButtons::Ok);
}

void MainWindow::showAbout() {
    AboutDialog about(this);
    about.exec();
}

void MainWindow::showCredits() {
    CreditsDialog credits(this);
    credits.exec();
}

void MainWindow::printLayout() {
    if (!services_.makePrinter)
        return;
    const std::unique_ptr<platform::Printer> printer = services_.makePrinter();
    if (!printer)
        return;
    forward([&printer](editor::Editor& e) { e.printLayout(*printer); });
}

std::optional<output::ScaleSetup> MainWindow::chooseScale(const QString& title) {
    output::ScaleSetup initial;
    initial.automaticZone = editor_->preferences().automaticZone;
    const auto chosen = ScaleDialog::choose(title, scaleSetup_.value_or(initial), this);
    if (chosen)
        scaleSetup_ = chosen;
    return chosen;
}

void MainWindow::exportScaledPdf() {
    if (!editor_->layout().isOpen)
        return;
    const auto setup = chooseScale(QStringLiteral("Exporter en PDF"));
    if (!setup)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    forward([&setup](editor::Editor& e) { e.exportPdf(*setup); });
    QApplication::restoreOverrideCursor();
}

void MainWindow::printToScale() {
    if (!editor_->layout().isOpen || !services_.makePrinter)
        return;
    const auto setup = chooseScale(QStringLiteral("Imprimer à l'échelle"));
    if (!setup)
        return;
    const std::unique_ptr<platform::Printer> printer = services_.makePrinter();
    if (!printer)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    forward([&setup, &printer](editor::Editor& e) { e.printAtScale(*setup, *printer); });
    QApplication::restoreOverrideCursor();
}

void MainWindow::showAccessoryImport() {
    if (!accessoryImport_)
        accessoryImport_ = new library::ui::AccessoryImportDialog(libraryRoot_, services_.files,
                                                                  services_.dialogs, this);
    accessoryImport_->start();
    accessoryImport_->exec();
    refresh();
}

void MainWindow::showVehicleImport() {
    if (!vehicleImport_)
        vehicleImport_ = new library::ui::VehicleImportDialog(libraryRoot_, services_.files,
                                                              services_.dialogs, this);
    vehicleImport_->start();
    vehicleImport_->exec();
    refresh();
}

void MainWindow::addMissingSamples() {
    const QString title = QStringLiteral("Exemples :");
    if (services_.sampleLibrary.isEmpty()) {
        services_.dialogs.messageBox(
            QStringLiteral("Aucune bibliothèque d'exemples n'est installée avec le programme."),
            title, platform::MsgIcon::Information, platform::MsgButtons::Ok);
        return;
    }
    const library::SampleAddition addition =
        library::addMissingSamples(services_.sampleLibrary, libraryRoot_, services_.files);
    services_.dialogs.messageBox(library::sampleAdditionMessage(addition), title,
                                 addition.failed.isEmpty() ? platform::MsgIcon::Information
                                                           : platform::MsgIcon::Warning,
                                 platform::MsgButtons::Ok);
    refresh();
}

std::optional<editor::NewLayoutChoice> MainWindow::chooseVehicle() {
    const auto chosen = library::ui::NewLayoutDialog::choose(libraryRoot_, services_.files,
                                                             services_.dialogs, this);
    if (!chosen)
        return std::nullopt;
    return editor::NewLayoutChoice{chosen->vehicleFile, chosen->mirrorLeftRight,
                                   chosen->mirrorTopBottom};
}

void MainWindow::showAccessoryBrowser(bool shown) {
    if (shown && !accessoryBrowser_) {
        accessoryBrowser_ = new library::ui::AccessoryBrowser(
            libraryRoot_, services_.files, services_.dialogs,
            [this] { return editor_->layout().vehicleAxes; },
            [this](const QString& file) {
                editor_->setAccessoryFile(file);
                editor_->createObject(document::ObjectKind::Accessory);
                refresh();
            },
            [this] { editor_->setAccessoryFile(QString()); },
            [this] { accessoryBrowserToggled(false); }, this);
    }
    if (accessoryBrowser_)
        accessoryBrowser_->setVisible(shown);
}

void MainWindow::accessoryBrowserToggled(bool checked) {
    editor_->setAccessoryBrowserShown(checked);
    showAccessoryBrowser(checked);
    refresh();
}

void MainWindow::closeAccessoryBrowser() {
    editor_->setAccessoryBrowserShown(false);
    if (accessoryBrowser_) {
        accessoryBrowser_->hide();
        accessoryBrowser_->deleteLater();
        accessoryBrowser_ = nullptr;
    }
    refresh();
}

} // namespace app
