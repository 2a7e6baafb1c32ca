#include "testkit/TestKit.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QtGlobal>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/mount.h>
#include <unistd.h>

namespace testkit {

void setUpTestEnvironment(const QLocale& locale) {
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(locale);
}

SmallDisk::SmallDisk(int kilobytes) {
    if (!dir_.isValid()) {
        unavailable_ = QStringLiteral("no temporary folder");
        return;
    }
    if (::geteuid() != 0) {
        unavailable_ = QStringLiteral("mounting a small tmpfs needs root; run the tests as root");
        return;
    }
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + 'k';
    if (::mount("tmpfs", QFile::encodeName(dir_.path()).constData(), "tmpfs", 0,
                options.constData()) != 0)
        unavailable_ =
            QStringLiteral("cannot mount a tmpfs: ") + QString::fromLocal8Bit(std::strerror(errno));
}

SmallDisk::~SmallDisk() {
    if (unavailable_.isEmpty())
        ::umount2(QFile::encodeName(dir_.path()).constData(), MNT_DETACH);
}

bool SmallDisk::resize(int kilobytes) const {
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + 'k';
    return unavailable_.isEmpty() && ::mount("tmpfs", QFile::encodeName(dir_.path()).constData(),
                                             "tmpfs", MS_REMOUNT, options.constData()) == 0;
}

bool SmallDisk::fill() const {
    QFile filler(filePath(QStringLiteral("filler")));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray block(4096, 'x');
    while (filler.write(block) > 0) {
    }
    // Whatever a page's worth left, byte by byte.
    while (filler.write("x", 1) == 1) {
    }
    return true;
}

QStringList SmallDisk::names() const {
    return QDir(path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                                  QDir::Name);
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

ProgramRun runProgram(const QString& executable, const QStringList& arguments,
                      const QString& home) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("HOME"), home);
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    // As a desktop session has, private to this run.
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home + QStringLiteral("/.runtime"));
    QDir(home).mkpath(QStringLiteral(".runtime"));
    QFile::setPermissions(home + QStringLiteral("/.runtime"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    process.setProcessEnvironment(env);
    process.start(executable, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

} // namespace testkit
