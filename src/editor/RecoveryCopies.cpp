#include "editor/RecoveryCopies.h"

#include "document/LayoutFile.h"
#include "platform/SafeWrite.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace editor {

namespace {

const QString kNeverSaved = QStringLiteral("Nouvel agencement");
const QString kOriginSuffix = QStringLiteral(".origine");
const QString kSessionSuffix = QStringLiteral(".session");

QString sessionOf(const QString& copyName) {
    return copyName.section(QLatin1Char('_'), 0, 0);
}

// True while the session's program still runs: it holds the lock on its session file.
bool sessionRuns(const QString& sessionFile) {
    const int fd = ::open(QFile::encodeName(sessionFile).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool locked = ::flock(fd, LOCK_SH | LOCK_NB) != 0;
    ::close(fd);
    return locked;
}

} // namespace

QString RecoveredCopy::layoutName() const {
    return originalPath.isEmpty() ? kNeverSaved : QFileInfo(originalPath).fileName();
}

RecoveryCopies::RecoveryCopies(QString folder) : folder_(std::move(folder)) {
    session_ = QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-') +
               QString::number(QDateTime::currentMSecsSinceEpoch(), 36);
}

RecoveryCopies::~RecoveryCopies() {
    discard();
    if (sessionFile_ >= 0) {
        QFile::remove(folder_ + QLatin1Char('/') + session_ + kSessionSuffix);
        ::close(sessionFile_);
    }
}

QString RecoveryCopies::defaultFolder() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/kestrion");
}

bool RecoveryCopies::startSession() {
    if (sessionFile_ >= 0)
        return true;
    if (folder_.isEmpty() || !QDir().mkpath(folder_))
        return false;
    const QByteArray path =
        QFile::encodeName(folder_ + QLatin1Char('/') + session_ + kSessionSuffix);
    const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        ::unlink(path.constData());
        return false;
    }
    sessionFile_ = fd;
    return true;
}

bool RecoveryCopies::write(const document::Layout& layout, const QLocale& locale) {
    if (!startSession())
        return false;
    const QString name =
        layout.filePath.isEmpty() ? kNeverSaved : QFileInfo(layout.filePath).completeBaseName();
    const QString path = folder_ + QLatin1Char('/') + session_ + QLatin1Char('_') +
                         (name.isEmpty() ? kNeverSaved : name) + QStringLiteral(".kla");
    if (!platform::writeWholeFile(path + kOriginSuffix, layout.filePath.toUtf8()) ||
        !platform::writeWholeFile(path, document::layoutFileText(layout, locale)))
        return false;
    if (!copyPath_.isEmpty() && copyPath_ != path) {
        QFile::remove(copyPath_);
        QFile::remove(copyPath_ + kOriginSuffix);
    }
    copyPath_ = path;
    return true;
}

void RecoveryCopies::discard() {
    if (copyPath_.isEmpty())
        return;
    QFile::remove(copyPath_);
    QFile::remove(copyPath_ + kOriginSuffix);
    copyPath_.clear();
}

std::vector<RecoveredCopy> RecoveryCopies::leftBehind() const {
    std::vector<RecoveredCopy> copies;
    if (folder_.isEmpty())
        return copies;
    const QDir dir(folder_);
    for (const QFileInfo& file : dir.entryInfoList({QStringLiteral("*.kla")}, QDir::Files)) {
        const QString session = sessionOf(file.fileName());
        if (session == session_ || !file.fileName().contains(QLatin1Char('_')) ||
            sessionRuns(dir.filePath(session + kSessionSuffix)))
            continue;
        QFile origin(file.filePath() + kOriginSuffix);
        const QString original =
            origin.open(QIODevice::ReadOnly) ? QString::fromUtf8(origin.readAll()) : QString();
        copies.push_back({file.filePath(), original, file.lastModified()});
    }
    std::sort(copies.begin(), copies.end(),
              [](const RecoveredCopy& a, const RecoveredCopy& b) { return a.written < b.written; });
    return copies;
}

void RecoveryCopies::remove(const RecoveredCopy& copy) const {
    QFile::remove(copy.copyPath);
    QFile::remove(copy.copyPath + kOriginSuffix);
    const QFileInfo file(copy.copyPath);
    const QString session = sessionOf(file.fileName());
    if (file.dir().entryList({session + QStringLiteral("_*.kla")}, QDir::Files).isEmpty())
        QFile::remove(file.dir().filePath(session + kSessionSuffix));
}

} // namespace editor
