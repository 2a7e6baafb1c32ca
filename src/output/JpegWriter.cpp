#include "output/JpegWriter.h"

#include "platform/SafeWrite.h"

#include <QFile>

#include <turbojpeg.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <optional>

namespace output::JpegWriter {

JpegError::JpegError(const QString& description, const QString& detail)
    : std::runtime_error(description.toStdString()), description_(description), detail_(detail) {}

namespace {

// The encoder's handle and output buffer, released on every path.
class Compressor {
public:
    Compressor() : handle_(tjInitCompress()) {}
    ~Compressor() {
        if (buffer_)
            tjFree(buffer_);
        if (handle_)
            tjDestroy(handle_);
    }
    Compressor(const Compressor&) = delete;
    Compressor& operator=(const Compressor&) = delete;

    bool ready() const { return handle_ != nullptr; }
    tjhandle handle() const { return handle_; }
    unsigned char** buffer() { return &buffer_; }
    unsigned char* data() const { return buffer_; }
    QString lastError() const { return QString::fromLocal8Bit(tjGetErrorStr2(handle_)); }

private:
    tjhandle handle_ = nullptr;
    unsigned char* buffer_ = nullptr;
};

// What a replaced file carries over to its successor.
struct KeptAttributes {
    QFile::Permissions permissions;
    timespec accessed{};
    timespec modified{};
};

std::optional<KeptAttributes> noteAttributes(const QString& fileName) {
    struct stat info {};
    if (::stat(QFile::encodeName(fileName).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return KeptAttributes{QFile::permissions(fileName), info.st_atim, info.st_mtim};
}

void restoreAttributes(const QString& fileName, const KeptAttributes& kept) {
    QFile::setPermissions(fileName, kept.permissions);
    const timespec times[2] = {kept.accessed, kept.modified};
    ::utimensat(AT_FDCWD, QFile::encodeName(fileName).constData(), times, 0);
}

[[noreturn]] void failWrite(int code, const QString& detail) {
    throw JpegError(QStringLiteral("Failed to save to JPG ") + QString::number(code), detail);
}

} // namespace

bool writeJpeg(const Bgr24Raster& dib, const QString& fileName, int quality) {
    Compressor compressor;
    if (!compressor.ready()) {
        const int code = -1;
        throw JpegError(QStringLiteral("Failed to initialise the JPEG library: ") +
                            QString::number(code),
                        QString::fromLocal8Bit(tjGetErrorStr2(nullptr)));
    }

    const std::optional<KeptAttributes> kept = noteAttributes(fileName);

    // Encoded in memory first, so an encoder failure never touches the disk.
    unsigned long size = 0;
    const int result =
        tjCompress2(compressor.handle(), dib.bits(), dib.width(), dib.bytesPerRow(), dib.height(),
                    TJPF_BGR, compressor.buffer(), &size, TJSAMP_444, quality, TJFLAG_BOTTOMUP);
    if (result != 0 || dib.isEmpty())
        failWrite(result != 0 ? result : -1, compressor.lastError());

    // Written whole through a unique temporary file beside the target, renamed over it
    // only once every byte is on the disk. No sync to disk: it costs more than the
    // encoding, and the rename alone replaces the old picture by the new one whole.
    const QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(compressor.data()), qsizetype(size));
    if (const platform::WriteResult written = platform::writeWholeFile(fileName, bytes); !written)
        failWrite(-1, written.reason);

    if (kept)
        restoreAttributes(fileName, *kept);
    return true;
}

} // namespace output::JpegWriter
