#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// The outcome of a whole-file write: written, or the system's reason why not.
struct WriteResult {
    bool written = false;
    QString reason;
    explicit operator bool() const { return written; }
};

// Writes contents to a temporary file created exclusively under a unique name beside
// path, checks every write, the flush to the system and the size the system holds,
// and only then renames it over path (a link named path is followed to its file; an
// existing file's permissions are kept). On any failure the temporary file is removed
// and a file already at path is left as it was: a full disk never leaves an empty or
// truncated file in place of the previous one.
WriteResult writeWholeFile(const QString& path, const QByteArray& contents);

// True when both paths name the same existing file: the same file after resolving
// links, or the same device and inode (a hard link).
bool isSameFile(const QString& a, const QString& b);

} // namespace platform
