#include "platform/Pictures.h"

#include "platform/FileSystem.h"
#include "platform/SafeWrite.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QTransform>

#include <sys/stat.h>

namespace platform {

std::optional<QImage> LoadPicture(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(false);
    QImage image = reader.read();
    if (image.isNull())
        return std::nullopt;
    image = image.convertToFormat(QImage::Format_RGB32);
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

std::optional<QImage> LoadLibraryPicture(const QString& folder, const QString& name) {
    const std::optional<QString> path = findLibraryFile(folder, name);
    if (!path)
        return std::nullopt;
    return LoadPicture(*path);
}

bool SavePicture(const QImage& picture, const QString& path) {
    if (picture.isNull())
        return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "bmp");
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB888)))
        return false;
    return bool(writeWholeFile(path, bytes));
}

namespace {

// Size and modification time of a regular file, from one stat; nothing otherwise.
std::optional<std::pair<qint64, qint64>> fileStamp(const QString& path) {
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return std::pair{qint64(info.st_size),
                     qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

} // namespace

PictureCache::Entry* PictureCache::entry(const QString& folder, const QString& name) {
    if (!isPlainFileName(name))
        return nullptr;
    const QString exact = folder + QLatin1Char('/') + name;
    const auto it = entries_.find(exact);
    if (it != entries_.end() && checkedInThisPass(*it))
        return it->image.isNull() ? nullptr : &*it;
    if (passDepth_ > 0 && missingInPass_.contains(exact))
        return nullptr;
    if (it != entries_.end()) {
        // A file found by ignoring case stands only as long as the exact name is absent.
        const auto stamp = fileStamp(it->path);
        const bool stillFound = it->path == exact || !fileStamp(exact);
        if (stillFound && stamp && stamp->first == it->size && stamp->second == it->modified) {
            it->checkedInPass = pass_;
            return it->image.isNull() ? nullptr : &*it;
        }
    }
    const std::optional<QString> path = findLibraryFile(folder, name);
    const auto stamp = path ? fileStamp(*path) : std::nullopt;
    if (!stamp) {
        entries_.remove(exact);
        if (passDepth_ > 0)
            missingInPass_.insert(exact);
        return nullptr;
    }
    Entry& fresh = entries_[exact];
    fresh =
        Entry{*path, stamp->first, stamp->second, LoadPicture(*path).value_or(QImage()), {}, pass_};
    return fresh.image.isNull() ? nullptr : &fresh;
}

PictureCache::Pass::Pass(PictureCache& cache) : cache_(cache) {
    if (cache_.passDepth_++ == 0) {
        ++cache_.pass_;
        cache_.missingInPass_.clear();
    }
}

PictureCache::Pass::~Pass() {
    --cache_.passDepth_;
}

const QImage* PictureCache::get(const QString& folder, const QString& name) {
    Entry* found = entry(folder, name);
    return found ? &found->image : nullptr;
}

const QImage* PictureCache::turned(const QString& folder, const QString& name, int quarterTurns) {
    Entry* found = entry(folder, name);
    if (!found)
        return nullptr;
    const int turns = ((quarterTurns % 4) + 4) % 4;
    if (turns == 0)
        return &found->image;
    QImage& version = found->turned[std::size_t(turns - 1)];
    if (version.isNull()) {
        // Qt turns clockwise for positive angles (y grows downwards); these are exact
        // pixel moves, no resampling.
        version = found->image.transformed(QTransform().rotate(-90.0 * turns));
    }
    return &version;
}

} // namespace platform
