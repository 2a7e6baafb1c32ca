#include "platform/FileSystem.h"

#include "platform/SafeWrite.h"

#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace platform {

bool isPlainFileName(const QString& name) {
    const bool hasControl =
        std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x20; });
    return !name.isEmpty() && !hasControl && !name.contains(QLatin1Char('/')) &&
           !name.contains(QLatin1Char('\\')) && name != QStringLiteral(".") &&
           name != QStringLiteral("..");
}

std::optional<QString> findLibraryFile(const QString& folder, const QString& name) {
    if (!isPlainFileName(name))
        return std::nullopt;
    const QString exact = folder + QLatin1Char('/') + name;
    if (QFileInfo(exact).isFile())
        return exact;
    const std::optional<QStringList> listed = FileSystem().listFolder(folder, QStringLiteral("*"));
    if (!listed)
        return std::nullopt;
    for (const QString& candidate : *listed) {
        if (candidate.compare(name, Qt::CaseInsensitive) == 0)
            return folder + QLatin1Char('/') + candidate;
    }
    return std::nullopt;
}

bool FileSystem::fileExists(const QString& path) const {
    return QFileInfo(path).isFile();
}

bool FileSystem::folderExists(const QString& path) const {
    return QFileInfo(path).isDir();
}

bool FileSystem::makeFolder(const QString& path) {
    return QDir().mkpath(path);
}

std::optional<QStringList> FileSystem::listFolder(const QString& folder,
                                                  const QString& patterns) const {
    const QDir dir(folder);
    if (!dir.exists() || !QFileInfo(folder).isReadable())
        return std::nullopt;
    const QStringList filters = patterns.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QStringList names = dir.entryList(filters, QDir::Files | QDir::Hidden, QDir::NoSort);
    // In the order a French reader expects: accented letters with their plain letter
    // (É with E), case deciding only between otherwise equal names; names the collator
    // finds equal by their code points, so the order never depends on the listing.
    QCollator collator(QLocale(QLocale::French, QLocale::France));
    std::sort(names.begin(), names.end(), [&collator](const QString& a, const QString& b) {
        const int c = collator.compare(a, b);
        return c != 0 ? c < 0 : a < b;
    });
    return names;
}

bool FileSystem::copyReplacing(const QString& source, const QString& target) {
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    const QByteArray data = in.readAll();
    if (in.error() != QFile::NoError)
        return false;
    return writeFileSafely(target, data);
}

std::optional<QByteArray> FileSystem::readFile(const QString& path) const {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray data = file.readAll();
    if (file.error() != QFile::NoError)
        return std::nullopt;
    return data;
}

bool FileSystem::writeFileSafely(const QString& path, const QByteArray& contents) {
    return bool(writeWholeFile(path, contents));
}

} // namespace platform
