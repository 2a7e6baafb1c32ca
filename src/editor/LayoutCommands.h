#pragma once

#include "editor/EditorCore.h"
#include "editor/Selection.h"
#include "editor/ViewControl.h"
#include "platform/Printer.h"

#include <QImage>
#include <QString>

namespace editor {

// New, open, save, quit, export and print: the commands that replace, write or show
// the whole layout. A layout is only replaced once everything it needs has been read,
// so a refusal always leaves the open one whole.
class LayoutCommands {
public:
    LayoutCommands(EditorCore& core, Selection& selection, ViewControl& view)
        : core_(core), selection_(selection), view_(view) {}

    void mnunew_Click();
    void mnuload_Click();
    bool mnusave_Click();
    bool openLayoutFile(const QString& path);
    bool confirmQuit();
    void openAtStartup(const QString& path);
    void mnusaveim_Click();
    void mnuprint_Click(platform::Printer& printer);
    void ActiverEdition();

private:
    // Asks whether to save before the layout is replaced; false when the user cancels.
    bool offerToSave(const QString& title);
    void closeAccessoryBrowser();
    void putSelectionBack();
    void keepOpenLayoutAfterRefusal();

    EditorCore& core_;
    Selection& selection_;
    ViewControl& view_;
};

} // namespace editor
