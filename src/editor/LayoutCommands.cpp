#include "editor/LayoutCommands.h"

#include "document/LayoutFile.h"
#include "library/LayoutOpening.h"
#include "library/MassData.h"
#include "output/ImageExport.h"
#include "output/MassReport.h"
#include "output/OutputTarget.h"
#include "output/PartsList.h"
#include "output/ScaledOutput.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace editor {

namespace {

const QString kErreur = QStringLiteral("Erreur :");
const QString kAttention = QStringLiteral("Attention :");
const QString kLayoutFilter = QStringLiteral("Agencements Kestrion (*.kla)|*.kla");
const QString kSaveQuestion = QStringLiteral("Voulez-vous sauvegarder l'agencement actuel?");

} // namespace

void LayoutCommands::closeAccessoryBrowser() {
    controls_.setAccessoryBrowserShown(false);
    if (core_.hooks.closeAccessoryBrowser)
        core_.hooks.closeAccessoryBrowser();
}

void LayoutCommands::putSelectionBack() {
    if (selection_.shown()) {
        selection_.putBack();
    }
}

bool LayoutCommands::offerToSave(const QString& title) {
    if (!core_.layoutOpen() || !session_.isModified())
        return true;
    const platform::MsgResult answer = core_.services.dialogs.messageBox(
        kSaveQuestion, title, platform::MsgIcon::Question, platform::MsgButtons::YesNoCancel);
    if (answer == platform::MsgResult::Cancel)
        return false;
    if (answer == platform::MsgResult::Yes)
        saveLayout();
    return true;
}

void LayoutCommands::enableEditing() {
    controls_.enableLayout();
}

void LayoutCommands::newLayout() {
    if (!offerToSave(QStringLiteral("Nouvel agencement :")))
        return;
    closeAccessoryBrowser();
    if (!core_.hooks.chooseVehicle)
        return;
    const std::optional<NewLayoutChoice> choice = core_.hooks.chooseVehicle();
    if (!choice || choice->vehicleFile.isEmpty())
        return;
    std::optional<library::VehiclePicture> vehicle =
        library::loadVehicle(core_.libraryRoot, choice->vehicleFile);
    if (!vehicle) {
        core_.inform(QStringLiteral("Problème intervenu lors du chargement de l'agencement"),
                     kErreur, platform::MsgIcon::Critical);
        return;
    }
    putSelectionBack();
    view_.resetView(100);
    document::Layout layout;
    std::move(*vehicle).applyTo(layout);
    layout.mirrorLeftRight = choice->mirrorLeftRight;
    layout.mirrorTopBottom = choice->mirrorTopBottom;
    layout.zoomText = QStringLiteral("100");
    layout.isOpen = true;
    session_.open(std::move(layout));
    canvas_.redraw();
    enableEditing();
}

void LayoutCommands::chooseAndOpenLayout() {
    if (!offerToSave(QStringLiteral("Sauvegarde :")))
        return;
    platform::FileDialogRequest request;
    request.filter = kLayoutFilter;
    request.hideReadOnly = true;
    const platform::FileDialogResult chosen = core_.services.dialogs.openFile(request);
    if (chosen.cancelled())
        return;
    rememberFolder(chosen.fileName);
    closeAccessoryBrowser();
    putSelectionBack();
    openLayoutFile(chosen.fileName);
}

// A refused file leaves the open layout's objects and view as they were; the user
// has just been offered to save it, so it counts as saved, as after a successful open.
void LayoutCommands::keepOpenLayoutAfterRefusal() {
    if (!core_.layoutOpen())
        return;
    session_.markSaved();
    canvas_.redraw();
}

bool LayoutCommands::openLayoutFile(const QString& path) {
    library::OpenedLayout opened =
        library::openLayout(path, core_.libraryRoot, core_.services.files, core_.locale);
    if (opened.failure == library::OpenedLayout::Failure::FileRefused) {
        const QString text = opened.refusal.isEmpty()
                                 ? QStringLiteral("Impossible de lire l'agencement :\n\n") + path
                                 : opened.refusal;
        core_.inform(text, kErreur, platform::MsgIcon::Critical);
        keepOpenLayoutAfterRefusal();
        return false;
    }
    if (opened.failure == library::OpenedLayout::Failure::VehicleUnreadable) {
        core_.inform(QStringLiteral("L'image du véhicule suivant ne peut pas être lue :\n\n") +
                         opened.layout.vehicleFile +
                         QStringLiteral("\n\nL'agencement n'a pas été ouvert."),
                     kErreur, platform::MsgIcon::Critical);
        keepOpenLayoutAfterRefusal();
        return false;
    }
    if (!opened.missingPictures.isEmpty())
        core_.inform(opened.missingPictures, kAttention, platform::MsgIcon::Information);

    putSelectionBack();
    view_.resetView(opened.zoomPercent);
    session_.open(std::move(opened.layout));
    canvas_.redraw();
    enableEditing();
    return true;
}

bool LayoutCommands::openRecoveredCopy(const QString& copyPath, const QString& originalPath) {
    if (!offerToSave(QStringLiteral("Récupération :")))
        return false;
    closeAccessoryBrowser();
    putSelectionBack();
    if (!openLayoutFile(copyPath))
        return false;
    session_.setFilePath(originalPath);
    session_.markUnsaved();
    return true;
}

bool LayoutCommands::saveLayout() {
    putSelectionBack();
    session_.record(document::LayoutChange::PutBack);
    const document::Layout& layout = session_.layout();
    platform::FileDialogRequest request;
    request.filter = kLayoutFilter;
    request.overwritePrompt = true;
    request.fileName = !layout.filePath.isEmpty()
                           ? layout.filePath
                           : document::proposedFileName(layout.vehicleModel, layout.vehicleView,
                                                        layout.mirrorLeftRight);
    const platform::FileDialogResult chosen = core_.services.dialogs.saveFile(request);
    bool written = false;
    if (!chosen.cancelled()) {
        session_.setZoomText(core_.view.zoomText);
        written =
            document::writeLayoutFile(chosen.fileName, layout, core_.locale, core_.services.files);
    }
    if (!written) {
        core_.inform(QStringLiteral("Agencement non sauvegardé"), kAttention,
                     platform::MsgIcon::Warning);
        return false;
    }
    session_.setFilePath(chosen.fileName);
    session_.markSaved();
    rememberFolder(chosen.fileName);
    return true;
}

bool LayoutCommands::confirmQuit() {
    if (!core_.layoutOpen() || !session_.isModified())
        return true;
    const platform::MsgResult answer = core_.services.dialogs.messageBox(
        kSaveQuestion, QStringLiteral("Quitter :"), platform::MsgIcon::Question,
        platform::MsgButtons::YesNoCancel);
    if (answer == platform::MsgResult::Cancel)
        return false;
    if (answer == platform::MsgResult::Yes)
        saveLayout(); // the program ends even when the save was cancelled
    return true;
}

void LayoutCommands::openAtStartup(const QString& path) {
    if (path.isEmpty())
        return;
    openLayoutFile(path);
}

// The selected object is on the box, not on the canvas: export and printing put it
// back so the picture shows every object, but only once they really go ahead, so a
// cancelled dialog or a missing printer leaves the selection as it was.
void LayoutCommands::exportPicture() {
    if (!core_.layoutOpen())
        return;
    const document::Layout& l = core_.layout;
    output::exportImage(core_.canvas, l.vehicleModel, l.vehicleBody, core_.prefs.automaticZone,
                        l.filePath, core_.services.dialogs, [this] { putSelectionBack(); });
}

void LayoutCommands::printLayout(platform::Printer& printer) {
    if (!core_.layoutOpen())
        return;
    const document::Layout& l = core_.layout;
    output::printPlan(core_.canvas, l.vehicleModel, l.vehicleBody, core_.prefs.automaticZone,
                      printer, core_.services.dialogs, [this] { putSelectionBack(); });
}

void LayoutCommands::rememberFolder(const QString& path) {
    lastFolder_ = QFileInfo(path).absolutePath();
}

QString LayoutCommands::askOutputName(const QString& filter, const QString& suffix) {
    const document::Layout& l = core_.layout;
    const QString name = l.filePath.isEmpty()
                             ? QFileInfo(document::proposedFileName(l.vehicleModel, l.vehicleView,
                                                                    l.mirrorLeftRight))
                                   .completeBaseName()
                             : QFileInfo(l.filePath).completeBaseName();
    const QString folder =
        l.filePath.isEmpty() ? lastFolder_ : QFileInfo(l.filePath).absolutePath();
    platform::FileDialogRequest request;
    request.filter = filter;
    request.overwritePrompt = true;
    request.fileName = name + QLatin1Char('.') + suffix;
    if (!folder.isEmpty())
        request.fileName = QDir(folder).filePath(request.fileName);
    QString path = core_.services.dialogs.saveFile(request).fileName;
    if (path.isEmpty())
        return path;
    rememberFolder(path);
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    return path;
}

bool LayoutCommands::refusedAsLayoutFile(const QString& path) {
    const QString refusal = output::refusalToOverwriteLayout(core_.layout.filePath, path);
    if (!refusal.isEmpty())
        core_.inform(refusal, kErreur, platform::MsgIcon::Critical);
    return !refusal.isEmpty();
}

// The selection is put back only once the output goes ahead (a file was chosen, a
// printer found and the print dialog answered): a cancel leaves everything as it was.
void LayoutCommands::exportPdf(const output::ScaleSetup& setup) {
    if (!core_.layoutOpen())
        return;
    const QString path = askOutputName(QStringLiteral("Document PDF|*.pdf"), QStringLiteral("pdf"));
    if (path.isEmpty() || refusedAsLayoutFile(path))
        return;
    outputAtScale(setup, [&](const output::PlanSource& source, const output::ScaledPlan& plan) {
        return output::writeScaledPdf(path, source, plan);
    });
}

void LayoutCommands::printAtScale(const output::ScaleSetup& setup, platform::Printer& printer) {
    if (!core_.layoutOpen())
        return;
    if (const QString missing = printer.findPrinter(); !missing.isEmpty()) {
        core_.inform(missing, kErreur, platform::MsgIcon::Critical);
        return;
    }
    const std::optional<platform::PrintChoice> choice =
        core_.services.dialogs.printDialog(printer.proposedChoice());
    if (!choice)
        return;
    printer.useChoice(*choice);
    outputAtScale(setup, [&](const output::PlanSource& source, const output::ScaledPlan& plan) {
        return output::printScaled(printer, source, plan);
    });
}

void LayoutCommands::outputAtScale(const output::ScaleSetup& setup, const SheetWriter& write) {
    putSelectionBack();
    const output::PlanSource source{core_.layout, core_.prefs, core_.services.pictures,
                                    core_.libraryRoot,
                                    output::sheetMassLines(core_.layout, core_.libraryRoot,
                                                           core_.services.files, core_.locale)};
    const output::ScaledPlan plan = output::prepareScaledPlan(source, setup);
    if (const QString refusal = plan.refusal(); !refusal.isEmpty())
        core_.inform(refusal, kAttention, platform::MsgIcon::Warning);
    else if (const QString problem = write(source, plan); !problem.isEmpty())
        core_.inform(problem, kErreur, platform::MsgIcon::Critical);
}

void LayoutCommands::exportPartsList() {
    if (!core_.layoutOpen())
        return;
    const QString path = askOutputName(QStringLiteral("Liste CSV|*.csv"), QStringLiteral("csv"));
    if (path.isEmpty() || refusedAsLayoutFile(path))
        return;
    putSelectionBack();
    const document::Layout& layout = core_.layout;
    const document::MassBudget masses = library::layoutMassBudget(
        layout, library::readVehicleData(core_.libraryRoot, core_.services.files));
    if (!output::writePartsList(path, output::partsListLines(layout, core_.locale, masses)))
        core_.inform(output::partsListFailedMessage(), kErreur, platform::MsgIcon::Critical);
}

} // namespace editor
