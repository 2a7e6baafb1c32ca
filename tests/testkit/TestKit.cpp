#include "testkit/TestKit.h"

#include <QDir>
#include <QStandardPaths>
#include <QtGlobal>

#include <cstdlib>

namespace testkit {

void setUpTestEnvironment(const QLocale& locale) {
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(locale);
}

ProgramFolder::ProgramFolder() {
    QDir root(dir_.path());
    root.mkdir(QStringLiteral("vehicules"));
    root.mkdir(QStringLiteral("accessoires"));
    root.mkdir(QStringLiteral("textures"));
}

QString ProgramFolder::addPicture(const QString& folder, const QString& fileName, int width,
                                  int height, QRgb colour) const {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return addPicture(folder, fileName, image);
}

QString ProgramFolder::addPicture(const QString& folder, const QString& fileName,
                                  const QImage& image) const {
    const QString path = dir_.path() + QLatin1Char('/') + folder + QLatin1Char('/') + fileName;
    const QString suffix = fileName.section(QLatin1Char('.'), -1).toLower();
    const char* format = suffix == QLatin1String("bmp")   ? "BMP"
                         : suffix == QLatin1String("png") ? "PNG"
                                                          : "JPEG";
    // GIF cannot be written by Qt; tests that need a .gif name get a BMP-coded file,
    // which the picture reader recognises by content.
    if (suffix == QLatin1String("gif"))
        format = "BMP";
    image.save(path, format, 100);
    return path;
}

bool imagesMatch(const QImage& actual, const QImage& expected, const QString& name, int tolerance) {
    bool same = actual.size() == expected.size();
    if (same) {
        for (int y = 0; y < actual.height() && same; ++y)
            for (int x = 0; x < actual.width() && same; ++x) {
                const QRgb a = actual.pixel(x, y), e = expected.pixel(x, y);
                same = qAbs(qRed(a) - qRed(e)) <= tolerance &&
                       qAbs(qGreen(a) - qGreen(e)) <= tolerance &&
                       qAbs(qBlue(a) - qBlue(e)) <= tolerance;
            }
    }
    if (!same) {
        actual.save(name + QStringLiteral("_actual.png"));
        expected.save(name + QStringLiteral("_expected.png"));
        qWarning("images differ; saved %s_actual.png and %s_expected.png", qPrintable(name),
                 qPrintable(name));
    }
    return same;
}

} // namespace testkit
