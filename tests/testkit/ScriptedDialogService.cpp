#include "testkit/ScriptedDialogService.h"

#include <QTest>

namespace testkit {

using namespace platform;

namespace {
template <typename T> T takeFront(std::deque<T>& queue, T fallback) {
    if (queue.empty())
        return fallback;
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}
} // namespace

MsgResult ScriptedDialogService::messageBox(const QString& text, const QString& title, MsgIcon icon,
                                            MsgButtons buttons) {
    asked.push_back({Kind::Message, text, title, icon, buttons, 0, false});
    const MsgResult fallback = buttons == MsgButtons::Ok                   ? MsgResult::Ok
                               : buttons == MsgButtons::YesNo              ? MsgResult::No
                               : buttons == MsgButtons::RestoreKeepDiscard ? MsgResult::Keep
                                                                           : MsgResult::Cancel;
    return takeFront(messageAnswers, fallback);
}

QString ScriptedDialogService::inputBox(const QString& prompt, const QString& title,
                                        const QString&) {
    asked.push_back({Kind::Input, prompt, title, MsgIcon::Question, MsgButtons::Ok, 0, false});
    return takeFront(inputAnswers, QString());
}

FileDialogResult ScriptedDialogService::openFile(const FileDialogRequest& request) {
    asked.push_back({Kind::Open, request.filter, QString(), MsgIcon::Information, MsgButtons::Ok,
                     request.filterIndex, request.overwritePrompt});
    return takeFront(openAnswers, FileDialogResult{});
}

FileDialogResult ScriptedDialogService::saveFile(const FileDialogRequest& request) {
    asked.push_back({Kind::Save, request.filter, QString(), MsgIcon::Information, MsgButtons::Ok,
                     request.filterIndex, request.overwritePrompt});
    return takeFront(saveAnswers, FileDialogResult{});
}

std::optional<PrintChoice> ScriptedDialogService::printDialog(const PrintChoice& proposed) {
    asked.push_back({Kind::Print, proposed.printerName, QString(), MsgIcon::Information,
                     MsgButtons::Ok, 0, false});
    if (printAnswers.empty()) {
        // A cancel would hide whether printing was meant to go ahead: the test must say.
        QTest::qFail("a print dialog was shown with no answer queued in printAnswers", __FILE__,
                     __LINE__);
        return std::nullopt;
    }
    const PrintAnswer answer = printAnswers.front();
    printAnswers.pop_front();
    if (!answer.accepted)
        return std::nullopt;
    PrintChoice choice = proposed;
    choice.copies = answer.copies;
    return choice;
}

QStringList ScriptedDialogService::messages() const {
    QStringList texts;
    for (const Asked& a : asked)
        if (a.kind == Kind::Message)
            texts << a.text;
    return texts;
}

ScriptedDialogService::Asked ScriptedDialogService::lastMessage() const {
    for (auto it = asked.rbegin(); it != asked.rend(); ++it)
        if (it->kind == Kind::Message)
            return *it;
    Asked none{Kind::Message, kNoMessage, kNoMessage};
    return none;
}

void ScriptedDialogService::clear() {
    asked.clear();
    messageAnswers.clear();
    inputAnswers.clear();
    openAnswers.clear();
    saveAnswers.clear();
    printAnswers.clear();
}

} // namespace testkit
