#pragma once

#include <QHash>
#include <QImage>
#include <QSet>
#include <QString>

#include <array>
#include <optional>

namespace platform {

// Reads a BMP, GIF or JPEG picture. Returns nothing when the file is missing or
// cannot be decoded. The picture is converted to 32-bit RGB. For pictures the user
// picks anywhere on the disk; library pictures go through LoadLibraryPicture.
std::optional<QImage> LoadPicture(const QString& path);

// Reads the picture called name in a library folder, found as findLibraryFile finds it
// (exact name first, then ignoring letter case). Nothing when the name could leave the
// folder, no file matches, or the file cannot be decoded.
std::optional<QImage> LoadLibraryPicture(const QString& folder, const QString& name);

// Writes the picture as an uncompressed 24-bit Windows bitmap. False on failure.
bool SavePicture(const QImage& picture, const QString& path);

// Decoded library pictures, read again only when the file changes on disk
// (size or modification time, to the nanosecond), so redraws give the same pixels as
// a fresh read. Each picture also keeps its turned versions, made once at the
// picture's own size and dropped with it when the file changes or the cache is cleared.
class PictureCache {
public:
    // The picture called name in a library folder, found and read as LoadLibraryPicture
    // does; nullptr when it cannot be read. Valid until the next call.
    const QImage* get(const QString& folder, const QString& name);
    // The same picture turned by quarterTurns quarter turns counter-clockwise (0 to 3;
    // other values count modulo 4), or nullptr when it cannot be read.
    const QImage* turned(const QString& folder, const QString& name, int quarterTurns);
    void clear() { entries_.clear(); }

    // While a Pass lives, each file is looked at on disk at most once (a redraw sees
    // one version of every picture and costs one look per file, not one per object);
    // outside any pass every call looks again.
    class Pass {
    public:
        explicit Pass(PictureCache& cache);
        ~Pass();
        Pass(const Pass&) = delete;
        Pass& operator=(const Pass&) = delete;

    private:
        PictureCache& cache_;
    };

private:
    struct Entry {
        QString path; // the file found for the name
        qint64 size = -1;
        qint64 modified = 0;          // nanoseconds since the epoch
        QImage image;                 // null when the file does not decode
        std::array<QImage, 3> turned; // one, two and three quarter turns; null until asked
        quint64 checkedInPass = 0;    // the pass in which the file was last looked at
    };
    Entry* entry(const QString& folder, const QString& name);
    bool checkedInThisPass(const Entry& entry) const {
        return passDepth_ > 0 && entry.checkedInPass == pass_;
    }

    QHash<QString, Entry> entries_;
    int passDepth_ = 0;
    quint64 pass_ = 0;
    QSet<QString> missingInPass_; // names not found during the current pass
};

} // namespace platform
