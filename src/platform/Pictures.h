#pragma once

#include <QDateTime>
#include <QHash>
#include <QImage>
#include <QString>

#include <optional>

namespace platform {

// Reads a BMP, GIF or JPEG picture. Returns nothing when the file is missing or
// cannot be decoded. The picture is converted to 32-bit RGB.
std::optional<QImage> LoadPicture(const QString& path);

// Writes the picture as an uncompressed 24-bit Windows bitmap. False on failure.
bool SavePicture(const QImage& picture, const QString& path);

// Decoded library pictures, read again only when the file changes on disk
// (size or modification time), so redraws give the same pixels as a fresh read.
class PictureCache {
public:
    // nullptr when the file cannot be read.
    const QImage* get(const QString& path);
    void clear() { entries_.clear(); }

private:
    struct Entry {
        qint64 size = -1;
        QDateTime modified;
        QImage image;
    };
    QHash<QString, Entry> entries_;
};

} // namespace platform
