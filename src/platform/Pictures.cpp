#include "platform/Pictures.h"

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

const QImage* PictureCache::get(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return nullptr;
    auto it = entries_.find(path);
    if (it != entries_.end() && it->size == info.size() && it->modified == info.lastModified())
        return &it->image;
    auto image = LoadPicture(path);
    if (!image)
        return nullptr;
    Entry& entry = entries_[path];
    entry.size = info.size();
    entry.modified = info.lastModified();
    entry.image = std::move(*image);
    return &entry.image;
}

} // namespace platform
