#pragma once

#include "platform/DialogService.h"

class QWidget;

namespace platform {

// Real dialogs: Qt message, input and file dialogs, in French through the
// translations loaded at start-up.
class QtDialogService : public DialogService {
public:
    // parent: the window the dialogs are centred on; may change during the run.
    explicit QtDialogService(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    MsgResult messageBox(const QString& text, const QString& title, MsgIcon icon,
                         MsgButtons buttons) override;
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override;
    FileDialogResult openFile(const FileDialogRequest& request) override;
    FileDialogResult saveFile(const FileDialogRequest& request) override;
    // Qt's print dialog: the printer, the copies, or a PDF file instead; no page range,
    // since every sheet goes to paper.
    std::optional<PrintChoice> printDialog(const PrintChoice& proposed) override;

    // "Desc|*.a;*.b|Other|*.c" -> {"Desc (*.a *.b)", "Other (*.c)"}
    static QStringList qtFilters(const QString& filter);
    // The 1-based index in filter of the name filter a dialog reports as chosen, given
    // either in full ("Format BMP (*.bmp)") or as its description alone ("Format BMP");
    // fallback when it matches none.
    static int filterIndexOf(const QString& filter, const QString& chosen, int fallback);

private:
    QWidget* parent_;
};

} // namespace platform
