#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

namespace platform {

// The file operations the program needs. Paths use "/" separators.
class FileSystem {
public:
    virtual ~FileSystem() = default;

    virtual bool fileExists(const QString& path) const;
    virtual bool folderExists(const QString& path) const;
    virtual bool makeFolder(const QString& path);
    // File names (not paths) of the folder matching any of the patterns
    // ("*.gif;*.jpg;*.jpeg;*.bmp"; case is ignored), in French alphabetical order.
    // Nothing when the folder cannot be read.
    virtual std::optional<QStringList> listFolder(const QString& folder,
                                                  const QString& patterns) const;
    // Copies, replacing any file of the target's name. False on failure.
    virtual bool copyReplacing(const QString& source, const QString& target);
    virtual std::optional<QByteArray> readFile(const QString& path) const;
    // Writes to a temporary file beside the target, then replaces the target, so a
    // failure never leaves a truncated file in place of an earlier one.
    virtual bool writeFileSafely(const QString& path, const QByteArray& contents);
};

// The library picture pattern.
inline const QString kPicturePattern = QStringLiteral("*.gif;*.jpg;*.jpeg;*.bmp");

// A name that stands for a file directly inside a folder: not empty, no "/" or "\\", not
// "." or "..", no control character. Joined to a folder, any other name could reach a
// file outside it.
bool isPlainFileName(const QString& name);

// The path of the file called name in folder: that exact file when it exists, otherwise
// the first file of the folder's listing whose name is the same ignoring letter case
// (layouts made where file names ignore case may spell them differently). Nothing when
// the name is not plain or no file matches.
std::optional<QString> findLibraryFile(const QString& folder, const QString& name);

} // namespace platform
