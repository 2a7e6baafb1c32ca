#include "platform/SafeWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <sys/stat.h>

#include <algorithm>

namespace platform {

namespace {

// Writes in pieces so a short write is seen where it happens.
constexpr qint64 kPiece = qint64(1) << 20;

WriteResult failed(QSaveFile& file) {
    WriteResult result{false, file.errorString()};
    // Dropping an uncommitted QSaveFile removes its temporary file.
    file.cancelWriting();
    return result;
}

} // namespace

WriteResult writeWholeFile(const QString& path, const QByteArray& contents) {
    QSaveFile file(path);
    // Never written in place, even where no temporary file can be made beside the target.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return WriteResult{false, file.errorString()};
    for (qint64 done = 0; done < contents.size();) {
        const qint64 length = std::min(kPiece, qint64(contents.size()) - done);
        const qint64 wrote = file.write(contents.constData() + done, length);
        if (wrote <= 0)
            return failed(file);
        done += wrote;
    }
    // QSaveFile::commit() can report success after its own final buffered write failed,
    // so the buffer is emptied and checked here, then the size on disk compared.
    if (!file.flush() || file.error() != QFileDevice::NoError)
        return failed(file);
    struct stat info {};
    if (::fstat(file.handle(), &info) != 0 || qint64(info.st_size) != qint64(contents.size())) {
        WriteResult result{false, QStringLiteral("short write")};
        file.cancelWriting();
        return result;
    }
    if (!file.commit())
        return WriteResult{false, file.errorString()};
    return WriteResult{true, {}};
}

bool isSameFile(const QString& a, const QString& b) {
    const QString first = QFileInfo(a).canonicalFilePath();
    const QString second = QFileInfo(b).canonicalFilePath();
    if (first.isEmpty() || second.isEmpty())
        return false;
    if (first == second)
        return true;
    struct stat one {
    }, two{};
    if (::stat(QFile::encodeName(first).constData(), &one) != 0 ||
        ::stat(QFile::encodeName(second).constData(), &two) != 0)
        return false;
    return one.st_dev == two.st_dev && one.st_ino == two.st_ino;
}

} // namespace platform
