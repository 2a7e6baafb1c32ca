#pragma once

#include <QImage>
#include <QString>

namespace platform {

// The system's current printer, as far as the program uses it: one page holding
// one picture at screen size from the top-left corner of the printable area.
class Printer {
public:
    virtual ~Printer() = default;
    // Looks for the printer before anything is drawn. Returns an empty text when there
    // is one to print on, otherwise a French explanation for the user.
    virtual QString findPrinter() { return QString(); }
    // Prints one page and ends the document. Returns an empty text on success,
    // otherwise a French explanation for the user.
    virtual QString printPicture(const QImage& picture) = 0;
};

// Writes the page to a PDF file instead of a printer (tests, and a fallback).
class PdfFilePrinter : public Printer {
public:
    explicit PdfFilePrinter(QString path) : path_(std::move(path)) {}
    QString printPicture(const QImage& picture) override;

private:
    QString path_;
};

} // namespace platform
