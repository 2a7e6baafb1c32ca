#include "platform/QtPrinter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

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

QString QtPrinter::printPicture(const QImage& picture) {
    // Without a default, the first installed printer stands in for it.
    QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull() && !QPrinterInfo::availablePrinters().isEmpty())
        info = QPrinterInfo::availablePrinters().constFirst();
    if (info.isNull() || info.printerName().isEmpty())
        return noPrinterMessage();
    if (picture.isNull())
        return QStringLiteral("Impossible d'imprimer le plan.");

    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Kestrion"));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setFullPage(false); // (0, 0) is the top-left corner of the printable area

    QPainter painter;
    if (!painter.begin(&printer))
        return printerFailed(info.printerName());
    const double scaleX = printer.logicalDpiX() / kScreenDotsPerInch;
    const double scaleY = printer.logicalDpiY() / kScreenDotsPerInch;
    painter.drawImage(QRectF(0, 0, picture.width() * scaleX, picture.height() * scaleY), picture);
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        return printerFailed(info.printerName());
    return QString();
}

} // namespace platform
