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

// Takes the queued answer to a question; with none queued, fails the running test
// with a message naming the question, then answers with the fallback.
template <typename T>
T answerQuestion(std::deque<T>& queue, T fallback, const char* queueName, const QString& what) {
    if (queue.empty()) {
        const QByteArray message = QStringLiteral("%1 was shown with no answer queued in %2")
                                       .arg(what, QLatin1String(queueName))
                                       .toUtf8();
        QTest::qFail(message.constData(), __FILE__, __LINE__);
    }
    return takeFront(queue, std::move(fallback));
}
} // namespace

MsgResult ScriptedDialogService::messageBox(const QString& text, const QString& title, MsgIcon icon,
                                            MsgButtons buttons) {
    asked.push_back({Kind::Message, text, title, icon, buttons, 0, false});
    const MsgResult fallback = buttons == MsgButtons::YesNo                ? MsgResult::No
                               : buttons == MsgButtons::RestoreKeepDiscard ? MsgResult::Keep
                                                                           : MsgResult::Cancel;
    // An OK-only message asks nothing, so it leaves the queue to the questions; any other
    // set of buttons is a choice the test must make.
    if (buttons == MsgButtons::Ok)
        return MsgResult::Ok;
    return answerQuestion(messageAnswers, fallback, "messageAnswers",
                          QStringLiteral("a message box \"%1\" (\"%2\")").arg(title, text));
}

QString ScriptedDialogService::inputBox(const QString& prompt, const QString& title,
                                        const QString&) {
    asked.push_back({Kind::Input, prompt, title, MsgIcon::Question, MsgButtons::Ok, 0, false});
    return answerQuestion(inputAnswers, QString(), "inputAnswers",
                          QStringLiteral("an input box \"%1\" (\"%2\")").arg(title, prompt));
}

FileDialogResult ScriptedDialogService::openFile(const FileDialogRequest& request) {
    asked.push_back({Kind::Open, request.filter, QString(), MsgIcon::Information, MsgButtons::Ok,
                     request.filterIndex, request.overwritePrompt});
    return answerQuestion(
        openAnswers, FileDialogResult{}, "openAnswers",
        QStringLiteral("an open-file dialog (filter \"%1\")").arg(request.filter));
}

FileDialogResult ScriptedDialogService::saveFile(const FileDialogRequest& request) {
    asked.push_back({Kind::Save, request.filter, QString(), MsgIcon::Information, MsgButtons::Ok,
                     request.filterIndex, request.overwritePrompt});
    return answerQuestion(saveAnswers, FileDialogResult{}, "saveAnswers",
                          QStringLiteral("a save-file dialog (filter \"%1\")").arg(request.filter));
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
