#pragma once

#include "platform/Printer.h"

#include <QPrinterInfo>

namespace platform {

// The system's default printer (else the first installed one) through Qt's print
// support: landscape, one page, the picture at screen size (96 dots per inch) from
// the top-left corner of the printable area, cut off where it exceeds it.
// The print dialog's choice (printer, copies, a file instead) applies to the true-size pages.
class QtPrinter : public Printer {
public:
    QString findPrinter() override;
    PrintChoice proposedChoice() const override;
    void useChoice(const PrintChoice& choice) override;
    QString printPicture(const QImage& picture) override;
    // The pages on the same printer, at its own resolution, from the sheet's corner.
    QString printPages(const QPageLayout& layout, const PagePainter& paint) override;

    // The message when no printer is installed.
    static QString noPrinterMessage();

private:
    QPrinterInfo info_;
    PrintChoice choice_;
};

} // namespace platform
