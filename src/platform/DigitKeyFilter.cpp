#include "platform/DigitKeyFilter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

namespace platform {

bool DigitKeyFilter::accepts(const QString& typed) {
    if (typed.isEmpty())
        return true; // a key without a character: arrows, Delete, Home...
    for (const QChar c : typed) {
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        // Control characters carry Backspace, Enter, Tab and the editing shortcuts.
        if (!digit && !c.isNull() && c.category() != QChar::Other_Control)
            return false;
    }
    return true;
}

bool DigitKeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
        if (!shortcut && !accepts(key->text()))
            return true;
    } else if (event->type() == QEvent::FocusIn) {
        // After the mouse press that gave the focus, or the press would undo the selection.
        if (auto* box = qobject_cast<QLineEdit*>(watched)) {
            QPointer<QLineEdit> guarded(box);
            QTimer::singleShot(0, box, [guarded] {
                if (guarded)
                    guarded->selectAll();
            });
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace platform
