#include "platform/Pictures.h"

#include "platform/FileSystem.h"

#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

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
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QImageWriter writer(&file, "bmp");
    if (!writer.write(picture.convertToFormat(QImage::Format_RGB888)))
        return false;
    return file.commit();
}

const QImage* PictureCache::get(const QString& folder, const QString& name) {
    if (!isPlainFileName(name))
        return nullptr;
    const QString exact = folder + QLatin1Char('/') + name;
    const auto it = entries_.constFind(exact);
    if (it != entries_.cend()) {
        // A file found by ignoring case stands only as long as the exact name is absent.
        const QFileInfo info(it->path);
        const bool stillFound = it->path == exact || !QFileInfo(exact).isFile();
        if (stillFound && info.isFile() && info.size() == it->size &&
            info.lastModified() == it->modified)
            return it->image.isNull() ? nullptr : &it->image;
    }
    const std::optional<QString> path = findLibraryFile(folder, name);
    if (!path) {
        entries_.remove(exact);
        return nullptr;
    }
    const QFileInfo info(*path);
    Entry& entry = entries_[exact];
    entry.path = *path;
    entry.size = info.size();
    entry.modified = info.lastModified();
    entry.image = LoadPicture(*path).value_or(QImage());
    return entry.image.isNull() ? nullptr : &entry.image;
}

} // namespace platform
