#include "platform/QtPrinter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <algorithm>

namespace platform {

namespace {

constexpr double kScreenDotsPerInch = 96.0;

QString printerFailed(const QString& name) {
    return QStringLiteral("L'imprimante « %1 » n'a pas accepté le plan. Vérifiez qu'elle est "
                          "allumée et disponible, puis recommencez.")
        .arg(name);
}

} // namespace

QString QtPrinter::noPrinterMessage() {
    return QStringLiteral("Aucune imprimante n'est installée. Impossible d'imprimer le plan.");
}

QString QtPrinter::findPrinter() {
    // Without a default, the first installed printer stands in for it.
    info_ = QPrinterInfo::defaultPrinter();
    if (info_.isNull() && !QPrinterInfo::availablePrinters().isEmpty())
        info_ = QPrinterInfo::availablePrinters().constFirst();
    if (info_.isNull() || info_.printerName().isEmpty())
        return noPrinterMessage();
    return QString();
}

PrintChoice QtPrinter::proposedChoice() const {
    return {info_.printerName(), 1, QString()};
}

void QtPrinter::useChoice(const PrintChoice& choice) {
    choice_ = choice;
    choice_.copies = std::max(1, choice.copies);
    if (const QPrinterInfo chosen = QPrinterInfo::printerInfo(choice.printerName); !chosen.isNull())
        info_ = chosen;
}

QString QtPrinter::printPicture(const QImage& picture) {
    // Printing without asking first looks for the printer now.
    if (info_.isNull() || info_.printerName().isEmpty()) {
        if (const QString problem = findPrinter(); !problem.isEmpty())
            return problem;
    }
    if (picture.isNull())
        return QStringLiteral("Impossible d'imprimer le plan.");

    QPrinter printer(info_, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Kestrion"));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setFullPage(false); // (0, 0) is the top-left corner of the printable area

    QPainter painter;
    if (!painter.begin(&printer))
        return printerFailed(info_.printerName());
    const double scaleX = printer.logicalDpiX() / kScreenDotsPerInch;
    const double scaleY = printer.logicalDpiY() / kScreenDotsPerInch;
    painter.drawImage(QRectF(0, 0, picture.width() * scaleX, picture.height() * scaleY), picture);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return printerFailed(info_.printerName());
    return QString();
}

QString QtPrinter::printPages(const QPageLayout& layout, const PagePainter& paint) {
    const bool toFile = !choice_.outputFile.isEmpty();
    if (!toFile && (info_.isNull() || info_.printerName().isEmpty())) {
        if (const QString problem = findPrinter(); !problem.isEmpty())
            return problem;
    }
    const QString name = toFile ? choice_.outputFile : info_.printerName();
    QPrinter printer(info_, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Kestrion"));
    if (toFile)
        printer.setOutputFileName(choice_.outputFile);
    printer.setFullPage(true); // (0, 0) is the sheet's corner
    if (!printer.setPageLayout(layout))
        return QStringLiteral("L'imprimante « %1 » n'accepte pas ce format de papier.").arg(name);
    // A print server makes the copies; a file gets the whole document that many times.
    const bool serverCopies = printer.supportsMultipleCopies();
    if (serverCopies)
        printer.setCopyCount(choice_.copies);
    if (!paint(printer, serverCopies ? 1 : choice_.copies) ||
        printer.printerState() == QPrinter::Error)
        return printerFailed(name);
    return QString();
}

} // namespace platform
