#include "platform/QtDialogService.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>

#include <algorithm>

namespace platform {

QStringList QtDialogService::qtFilters(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        filters << parts[i] + QStringLiteral(" (") + patterns + QLatin1Char(')');
    }
    return filters;
}

int QtDialogService::filterIndexOf(const QString& filter, const QString& chosen, int fallback) {
    const QStringList filters = qtFilters(filter);
    const qsizetype full = filters.indexOf(chosen);
    if (full >= 0)
        return int(full) + 1;
    // Some dialogs, with their filter details hidden, report the description alone.
    const QStringList parts = filter.split(QLatin1Char('|'));
    const QString wanted = chosen.simplified();
    for (int i = 0; i + 1 < parts.size(); i += 2)
        if (parts[i].simplified() == wanted)
            return i / 2 + 1;
    return fallback;
}

MsgResult QtDialogService::messageBox(const QString& text, const QString& title, MsgIcon icon,
                                      MsgButtons buttons) {
    QMessageBox box(parent_);
    box.setWindowTitle(title.isEmpty() ? kProgramName : title);
    box.setText(QString(text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    switch (icon) {
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Question:
        box.setIcon(QMessageBox::Question);
        break;
    case MsgIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    }
    switch (buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MsgButtons::RestoreKeepDiscard: {
        QPushButton* restore = box.addButton(QStringLiteral("Restaurer"), QMessageBox::AcceptRole);
        QPushButton* keep = box.addButton(QStringLiteral("Plus tard"), QMessageBox::RejectRole);
        QPushButton* discard =
            box.addButton(QStringLiteral("Supprimer"), QMessageBox::DestructiveRole);
        box.setDefaultButton(restore);
        box.setEscapeButton(keep);
        box.exec();
        return box.clickedButton() == restore   ? MsgResult::Restore
               : box.clickedButton() == discard ? MsgResult::Discard
                                                : MsgResult::Keep;
    }
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MsgResult::Yes;
    case QMessageBox::No:
        return MsgResult::No;
    case QMessageBox::Cancel:
        return MsgResult::Cancel;
    default:
        return buttons == MsgButtons::Ok      ? MsgResult::Ok
               : buttons == MsgButtons::YesNo ? MsgResult::No
                                              : MsgResult::Cancel;
    }
}

QString QtDialogService::inputBox(const QString& prompt, const QString& title,
                                  const QString& defaultText) {
    bool ok = false;
    const QString text = QInputDialog::getText(parent_, title.isEmpty() ? kProgramName : title,
                                               prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? text : QString();
}

namespace {
FileDialogResult runFileDialog(QWidget* parent, const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parent);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    dialog.setOption(QFileDialog::ReadOnly, false);
    // Show each filter as its description alone: descriptions such as
    // "Agencements Kestrion (*.kla)" already carry their patterns. Set before the
    // filters, since changing it rebuilds the filter list and loses the selection.
    dialog.setOption(QFileDialog::HideNameFilterDetails, true);
    const QStringList filters = QtDialogService::qtFilters(request.filter);
    dialog.setNameFilters(filters);
    if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
        dialog.selectNameFilter(filters[request.filterIndex - 1]);
    if (!request.fileName.isEmpty()) {
        // The folder first, then the name alone. The dialog reads double quotes in its
        // name box as marks around several names: a proposed name keeps the others only.
        const QFileInfo proposed(request.fileName);
        if (request.fileName.contains(QLatin1Char('/')))
            dialog.setDirectory(proposed.absolutePath());
        dialog.selectFile(proposed.fileName().remove(QLatin1Char('"')));
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    FileDialogResult result;
    result.fileName = dialog.selectedFiles().first();
    const int requested =
        request.filterIndex >= 1 && request.filterIndex <= filters.size() ? request.filterIndex : 1;
    result.filterIndex =
        QtDialogService::filterIndexOf(request.filter, dialog.selectedNameFilter(), requested);
    return result;
}
} // namespace

FileDialogResult QtDialogService::openFile(const FileDialogRequest& request) {
    return runFileDialog(parent_, request, false);
}

FileDialogResult QtDialogService::saveFile(const FileDialogRequest& request) {
    return runFileDialog(parent_, request, true);
}

std::optional<PrintChoice> QtDialogService::printDialog(const PrintChoice& proposed) {
    QPrinter printer(QPrinterInfo::printerInfo(proposed.printerName), QPrinter::HighResolution);
    printer.setCopyCount(std::max(1, proposed.copies));
    if (!proposed.outputFile.isEmpty())
        printer.setOutputFileName(proposed.outputFile);
    QPrintDialog dialog(&printer, parent_);
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintCollateCopies);
    // The dialog is answered with the ordinary pointer, even while the caller shows a
    // busy one.
    QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = dialog.exec();
    QApplication::restoreOverrideCursor();
    if (answer != QDialog::Accepted)
        return std::nullopt;
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat;
    return PrintChoice{toFile ? QString() : printer.printerName(), std::max(1, printer.copyCount()),
                       toFile ? printer.outputFileName() : QString()};
}

} // namespace platform
