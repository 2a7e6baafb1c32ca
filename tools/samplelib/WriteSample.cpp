#include "GifWriter.h"
#include "SampleLibrary.h"

#include <QDir>
#include <QImageWriter>
#include <QSaveFile>

namespace samplelib {

bool writeSample(const QString& root, const SampleFile& file) {
    if (!QDir(root).mkpath(file.folder))
        return false;
    QSaveFile out(root + QLatin1Char('/') + file.folder + QLatin1Char('/') + file.name);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    const QString suffix = file.name.section(QLatin1Char('.'), -1).toLower();
    if (suffix == QLatin1String("gif")) {
        out.write(encodeGif(file.picture));
    } else {
        const bool jpeg = suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg");
        QImageWriter writer(&out, jpeg ? "jpeg" : "bmp");
        if (jpeg)
            writer.setQuality(90);
        if (!writer.write(file.picture.convertToFormat(QImage::Format_RGB32)))
            return false;
    }
    return out.commit();
}

} // namespace samplelib
