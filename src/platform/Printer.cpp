#include "platform/Printer.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace platform {

QString PdfFilePrinter::printPicture(const QImage& picture) {
    QPdfWriter writer(path_);
    writer.setResolution(96);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&writer))
        return QStringLiteral("Impossible d'écrire le fichier d'impression.");
    painter.drawImage(QPoint(0, 0), picture);
    painter.end();
    return QString();
}

QString PdfFilePrinter::printPages(const QPageLayout& layout, const PagePainter& paint) {
    QPdfWriter writer(path_);
    writer.setResolution(300);
    writer.setPageLayout(layout);
    if (!paint(writer, 1))
        return QStringLiteral("Impossible d'écrire le fichier d'impression.");
    return QString();
}

} // namespace platform
