#pragma once

#include "platform/PrintChoice.h"

#include <QString>

#include <optional>

namespace platform {

// The program's name, the title of instructions and input boxes.
inline const QString kProgramName = QStringLiteral("Kestrion");

enum class MsgIcon { Critical, Question, Warning, Information };
// RestoreKeepDiscard: "Restaurer" (the default), "Plus tard" and "Supprimer", for a
// recovery copy; closing the box keeps the copy for later.
enum class MsgButtons { Ok, YesNo, YesNoCancel, RestoreKeepDiscard };
enum class MsgResult { Ok, Yes, No, Cancel, Restore, Keep, Discard };

struct FileDialogRequest {
    // Pairs of description and patterns joined by "|", patterns separated by ";":
    // "Format JPEG|*.jpg;*.jpe;*.jpeg|Format BMP|*.bmp".
    QString filter;
    int filterIndex = 1; // 1-based
    QString fileName;    // initial name, usually empty
    bool overwritePrompt = false;
    bool hideReadOnly = false;
};

struct FileDialogResult {
    QString fileName; // full path; empty when the user cancelled
    int filterIndex = 1;
    bool cancelled() const { return fileName.isEmpty(); }
};

// Everything that asks the user something goes through this interface, so that
// tests answer from a script instead of blocking.
class DialogService {
public:
    virtual ~DialogService() = default;

    // Blocks until answered; returns the button pressed. Closing the box returns
    // Cancel for Yes/No/Cancel, No for Yes/No, Keep for RestoreKeepDiscard and Ok for Ok.
    virtual MsgResult messageBox(const QString& text, const QString& title, MsgIcon icon,
                                 MsgButtons buttons) = 0;
    // Returns the text typed, or "" when the user cancels.
    virtual QString inputBox(const QString& prompt, const QString& title,
                             const QString& defaultText = QString()) = 0;
    // Returns the chosen path, or an empty name when cancelled.
    virtual FileDialogResult openFile(const FileDialogRequest& request) = 0;
    // Asks before replacing an existing file when overwritePrompt is set; a refusal
    // counts as a cancel.
    virtual FileDialogResult saveFile(const FileDialogRequest& request) = 0;
    // The print dialog, starting from the printer and copies proposed. Returns what the
    // user chose, or nothing when the user cancels.
    virtual std::optional<PrintChoice> printDialog(const PrintChoice& proposed) = 0;
};

} // namespace platform
