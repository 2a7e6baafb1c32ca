#pragma once

#include "output/Bgr24Raster.h"

#include <QString>

#include <stdexcept>

namespace output::JpegWriter {

// A failure of the JPEG writer: number 26001, source "kestrion.mJPEGLibrary" and a
// description that ends with the library's or the file's result code.
class JpegError : public std::runtime_error {
public:
    JpegError(const QString& description, const QString& detail);
    int number() const { return 26001; }
    QString source() const { return QStringLiteral("kestrion.mJPEGLibrary"); }
    const QString& description() const { return description_; }
    // The library's own explanation, for logs; never shown to the user.
    const QString& detail() const { return detail_; }

private:
    QString description_;
    QString detail_;
};

// Writes the raster as a baseline JPEG file at the given quality (1 to 100).
// The file is written beside its target and then renamed over it, so a failure
// leaves any earlier file untouched; a replaced file's permissions and access and
// modification times are carried over to the new one. Returns true; every failure
// is thrown as JpegError, and nothing is written when the encoder cannot start.
bool writeJpeg(const Bgr24Raster& dib, const QString& fileName, int quality);

} // namespace output::JpegWriter
