#pragma once

#include "editor/EditSession.h"
#include "editor/EditorCore.h"
#include "editor/PlanCanvas.h"
#include "editor/Selection.h"
#include "editor/ViewControl.h"
#include "output/PageLayout.h"
#include "platform/Printer.h"

#include <QImage>
#include <QString>

#include <functional>

namespace output {
struct PlanSource;
struct ScaledPlan;
} // namespace output

namespace editor {

// New, open, save, quit, export and print: the commands that replace, write or show
// the whole layout. A layout is only replaced once everything it needs has been read,
// so a refusal always leaves the open one whole.
class LayoutCommands {
public:
    LayoutCommands(const EditorCore& core, EditSession& session, PlanCanvas& canvas,
                   Selection& selection, ViewControl& view, EditingPanel& controls)
        : core_(core), session_(session), canvas_(canvas), selection_(selection), view_(view),
          controls_(controls) {}

    void newLayout();
    void chooseAndOpenLayout();
    bool saveLayout();
    bool openLayoutFile(const QString& path);
    // Opens a recovery copy in place of the layout it was taken from (after the offer to
    // save the open one): under the original file name, modified. False when refused.
    bool openRecoveredCopy(const QString& copyPath, const QString& originalPath);
    bool confirmQuit();
    void openAtStartup(const QString& path);
    void exportPicture();
    void printLayout(platform::Printer& printer);
    // "Exporter en PDF..." and "À l'échelle...", once the scale dialog has given the
    // setup: the true-scale sheets to a PDF file asked for, or to the printer and in the
    // copies chosen in the print dialog.
    void exportPdf(const output::ScaleSetup& setup);
    void printAtScale(const output::ScaleSetup& setup, platform::Printer& printer);
    // "Exporter la liste des objets...": the parts list to a CSV file asked for, in the
    // editor's locale.
    void exportPartsList();
    void enableEditing();

private:
    // Asks whether to save before the layout is replaced; false when the user cancels.
    bool offerToSave(const QString& title);
    void closeAccessoryBrowser();
    void putSelectionBack();
    // Puts the selection back, lays the plan out on sheets and hands them to write,
    // which returns a French explanation when it fails (empty on success).
    using SheetWriter =
        std::function<QString(const output::PlanSource&, const output::ScaledPlan&)>;
    void outputAtScale(const output::ScaleSetup& setup, const SheetWriter& write);
    // Says so and returns true when path is the open layout's own file.
    bool refusedAsLayoutFile(const QString& path);
    void keepOpenLayoutAfterRefusal();
    // Asks for the name of an output of the open layout (PDF, parts list): proposes the
    // layout's name with the suffix in the layout's folder, or the last folder used,
    // and adds the suffix to a name typed without extension. Empty when cancelled.
    QString askOutputName(const QString& filter, const QString& suffix);
    // Remembers the folder of a file the user chose.
    void rememberFolder(const QString& path);

    const EditorCore& core_;
    EditSession& session_;
    PlanCanvas& canvas_;
    Selection& selection_;
    ViewControl& view_;
    EditingPanel& controls_;
    QString lastFolder_; // the folder of the last file chosen in a file dialog
};

} // namespace editor
