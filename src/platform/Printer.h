#pragma once

#include "platform/PrintChoice.h"

#include <QImage>
#include <QPageLayout>
#include <QString>

#include <functional>

class QPagedPaintDevice;

namespace platform {

// Draws a document's pages on a device already set to their paper, the whole document
// `copies` times in a row (for a device that cannot make copies itself): starts its own
// painter, calls newPage() between pages, and returns false when drawing failed.
using PagePainter = std::function<bool(QPagedPaintDevice&, int copies)>;

// The system's current printer, as far as the program uses it: one page holding
// one picture at screen size from the top-left corner of the printable area, or a
// document of pages drawn at true size.
class Printer {
public:
    virtual ~Printer() = default;
    // Looks for the printer before anything is drawn. Returns an empty text when there
    // is one to print on, otherwise a French explanation for the user.
    virtual QString findPrinter() { return QString(); }
    // What the print dialog proposes: the printer found, one copy.
    virtual PrintChoice proposedChoice() const { return {}; }
    // Prints what follows on the printer, in the number of copies, the print dialog chose.
    virtual void useChoice(const PrintChoice&) {}
    // Prints one page and ends the document. Returns an empty text on success,
    // otherwise a French explanation for the user.
    virtual QString printPicture(const QImage& picture) = 0;
    // Prints the pages that paint draws on sheets of the layout's size and
    // orientation, measured from the sheet's corner (no margins). Same result as
    // printPicture.
    virtual QString printPages(const QPageLayout& layout, const PagePainter& paint) = 0;
};

// Writes the page to a PDF file instead of a printer (tests, and a fallback).
class PdfFilePrinter : public Printer {
public:
    explicit PdfFilePrinter(QString path) : path_(std::move(path)) {}
    QString printPicture(const QImage& picture) override;
    // The pages at 300 dots per inch.
    QString printPages(const QPageLayout& layout, const PagePainter& paint) override;

private:
    QString path_;
};

} // namespace platform
