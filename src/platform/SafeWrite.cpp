#include "platform/SafeWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

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

// The system's reason for the last failed call.
WriteResult systemFailure() {
    return WriteResult{false, qt_error_string(errno)};
}

// A descriptor closed on every path.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now, reporting whether the system accepted the last writes.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

// The same steps as QSaveFile, without its sync to disk: a temporary file of a new random
// name beside the file a link points to (never following a link planted at that name),
// the existing file's permissions, every write and the size checked, then the rename.
WriteResult writeUnsynced(const QString& path, const QByteArray& contents) {
    const QFileInfo named(path);
    const QFileInfo target(named.isSymLink() ? named.symLinkTarget() : named.absoluteFilePath());
    const QByteArray targetName = QFile::encodeName(target.absoluteFilePath());
    // As QSaveFile: a file that may not be written is not replaced either.
    if (target.exists() && ::access(targetName.constData(), W_OK) != 0)
        return systemFailure();
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        temporary = QFile::encodeName(
            target.absolutePath() + QLatin1Char('/') + target.fileName() + QLatin1Char('.') +
            QString::number(QRandomGenerator::global()->generate64(), 36) +
            QStringLiteral(".part"));
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return systemFailure();
    }
    if (fd < 0)
        return systemFailure();
    Descriptor file(fd);
    const auto fail = [&temporary](WriteResult result) {
        ::unlink(temporary.constData());
        return result;
    };
    struct stat existing {};
    if (::stat(targetName.constData(), &existing) == 0 && S_ISREG(existing.st_mode) &&
        ::fchmod(file.get(), existing.st_mode & 07777) != 0)
        return fail(systemFailure());
    for (qint64 done = 0; done < contents.size();) {
        const qint64 length = std::min(kPiece, qint64(contents.size()) - done);
        const ssize_t wrote = ::write(file.get(), contents.constData() + done, std::size_t(length));
        if (wrote < 0 && errno == EINTR)
            continue;
        if (wrote <= 0)
            return fail(wrote < 0 ? systemFailure()
                                  : WriteResult{false, QStringLiteral("short write")});
        done += wrote;
    }
    struct stat written {};
    if (::fstat(file.get(), &written) != 0)
        return fail(systemFailure());
    if (qint64(written.st_size) != qint64(contents.size()))
        return fail(WriteResult{false, QStringLiteral("short write")});
    if (!file.close())
        return fail(systemFailure());
    if (::rename(temporary.constData(), targetName.constData()) != 0)
        return fail(systemFailure());
    return WriteResult{true, {}};
}

} // namespace

WriteResult writeWholeFile(const QString& path, const QByteArray& contents, Durability durability) {
    if (durability == Durability::Unsynced)
        return writeUnsynced(path, contents);
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
    // QSaveFile gives the new file its owner's write permission even where the old one had
    // none (a file root may still replace): the old file's mode is kept exactly.
    struct stat existing {};
    if (::stat(QFile::encodeName(path).constData(), &existing) == 0 && S_ISREG(existing.st_mode) &&
        ::fchmod(file.handle(), existing.st_mode & 07777) != 0) {
        WriteResult result = systemFailure();
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
