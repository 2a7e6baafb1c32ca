#pragma once

#include <QImage>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace testkit {

// Test mode paths, no desktop settings leaking in, and the given default locale.
void setUpTestEnvironment(const QLocale& locale = QLocale(QLocale::French, QLocale::France));

// A temporary program folder with the three library folders inside.
class ProgramFolder {
public:
    ProgramFolder();
    QString path() const { return dir_.path(); }
    QString vehicules() const { return path() + QStringLiteral("/vehicules"); }
    QString accessoires() const { return path() + QStringLiteral("/accessoires"); }
    QString textures() const { return path() + QStringLiteral("/textures"); }
    // Writes a picture of the given size and colour into a library folder ("vehicules",
    // "accessoires" or "textures") under that file name; the format follows the extension.
    QString addPicture(const QString& folder, const QString& fileName, int width, int height,
                       QRgb colour = qRgb(255, 255, 255)) const;
    QString addPicture(const QString& folder, const QString& fileName, const QImage& image) const;

private:
    QTemporaryDir dir_;
};

// A small tmpfs mounted for the test's lifetime, to meet a real full disk. Mounting
// needs root: unavailable() then says why the test cannot run.
class SmallDisk {
public:
    explicit SmallDisk(int kilobytes = 256);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    // Empty when mounted; otherwise the reason, for QSKIP.
    QString unavailable() const { return unavailable_; }
    QString path() const { return dir_.path(); }
    QString filePath(const QString& name) const { return dir_.filePath(name); }
    // Gives the mounted disk a new size, keeping what it holds.
    bool resize(int kilobytes) const;
    // Fills the disk to the last byte with a file named "filler".
    bool fill() const;
    // The names in the disk's top folder, sorted, hidden ones included.
    QStringList names() const;

private:
    QTemporaryDir dir_;
    QString unavailable_;
};

// What a run of the program printed and how it ended; exitCode is -1 when it did not end
// normally within a minute.
struct ProgramRun {
    int exitCode = -1;
    QString out, err;
};
// Runs the program headless (no display) with a home and settings folder of its own,
// so that no preference of the user's reaches it.
ProgramRun runProgram(const QString& executable, const QStringList& arguments, const QString& home);

// Compares images; on failure saves both next to the test binary and says where.
bool imagesMatch(const QImage& actual, const QImage& expected, const QString& name,
                 int tolerance = 0);

} // namespace testkit
