#pragma once

#include "platform/DialogService.h"

#include <QStringList>

#include <deque>
#include <vector>

namespace testkit {

using platform::FileDialogRequest;
using platform::FileDialogResult;
using platform::MsgButtons;
using platform::MsgIcon;
using platform::MsgResult;

// A dialog service for tests: records every question and answers from queues.
// Every question must be scripted: a message box offering a choice, an input box, a file
// dialog or a print dialog shown with nothing queued fails the running test, naming the
// dialog, then gets the safe answer so the program goes on (No, Cancel or Keep for a
// message box, "" for an input box, a cancel for the file and print dialogs). A message
// with only an OK button asks nothing: it is answered by Ok and takes nothing from the queue.
class ScriptedDialogService : public platform::DialogService {
public:
    enum class Kind { Message, Input, Open, Save, Print };
    // The print dialog's answer: the printer proposed, in a number of copies, or a cancel.
    struct PrintAnswer {
        bool accepted = true;
        int copies = 1;
        static PrintAnswer cancel() { return {false, 1}; }
    };
    struct Asked {
        Kind kind;
        QString text; // message text, input prompt, the file filter, or the printer proposed
        QString title;
        MsgIcon icon = MsgIcon::Information;
        MsgButtons buttons = MsgButtons::Ok;
        int filterIndex = 0;
        bool overwritePrompt = false;
    };

    MsgResult messageBox(const QString& text, const QString& title, MsgIcon icon,
                         MsgButtons buttons) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    FileDialogResult openFile(const FileDialogRequest& request) override;
    FileDialogResult saveFile(const FileDialogRequest& request) override;
    std::optional<platform::PrintChoice>
    printDialog(const platform::PrintChoice& proposed) override;

    std::deque<MsgResult> messageAnswers;
    std::deque<QString> inputAnswers;
    std::deque<FileDialogResult> openAnswers;
    std::deque<FileDialogResult> saveAnswers;
    std::deque<PrintAnswer> printAnswers;

    std::vector<Asked> asked;

    // The texts of the message boxes shown so far, in order.
    QStringList messages() const;
    // The last message box shown. When none was, an entry whose text and title are
    // kNoMessage, so that a test comparing them fails and says why.
    Asked lastMessage() const;
    static inline const QString kNoMessage = QStringLiteral("(no message box was shown)");
    void clear();
};

} // namespace testkit
