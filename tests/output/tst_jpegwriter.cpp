// Guards the 24-bit bottom-up raster and the JPEG writer: layout, encoding, replaced files,
// failures.
#include "output/cDIBSection.h"
#include "output/mJPEGLibrary.h"
#include "testkit/TestKit.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/stat.h>

using output::cDIBSection;
namespace jpeg = output::mJPEGLibrary;

namespace {

QImage quadrants(int w, int h) {
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y,
                           x < w / 2 ? (y < h / 2 ? qRgb(200, 30, 30) : qRgb(30, 160, 40))
                                     : (y < h / 2 ? qRgb(20, 40, 210) : qRgb(240, 220, 60)));
    return image;
}

struct stat statOf(const QString& path) {
    struct stat info {};
    ::stat(QFile::encodeName(path).constData(), &info);
    return info;
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestJpegWriter : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void rowLengthIsPaddedToFourBytes_data() {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("rowBytes");
        QTest::newRow("width 1: 3 bytes and 1 padding") << 1 << 4;
        QTest::newRow("width 3: 9 bytes and 3 padding") << 3 << 12;
        QTest::newRow("width 4: no padding") << 4 << 12;
    }
    void rowLengthIsPaddedToFourBytes() {
        QFETCH(int, width);
        QFETCH(int, rowBytes);
        cDIBSection dib;
        QVERIFY(dib.Create(width, 3));
        QCOMPARE(dib.BytesPerScanLine(), rowBytes);
        QCOMPARE(dib.Width(), width);
        QCOMPARE(dib.Height(), 3);
    }

    void pixelsAreBlueGreenRedBottomRowFirst() {
        QImage picture(2, 2, QImage::Format_RGB32);
        picture.setPixel(0, 0, qRgb(1, 2, 3));
        picture.setPixel(1, 0, qRgb(4, 5, 6));
        picture.setPixel(0, 1, qRgb(7, 8, 9));
        picture.setPixel(1, 1, qRgb(10, 11, 12));
        cDIBSection dib;
        dib.CreateFromPicture(picture);
        const std::uint8_t* bits = dib.DIBSectionBitsPtr();
        QVERIFY(bits);
        const QByteArray bottomRow(reinterpret_cast<const char*>(bits), 6);
        const QByteArray topRow(reinterpret_cast<const char*>(bits + dib.BytesPerScanLine()), 6);
        QCOMPARE(bottomRow, QByteArray("\x09\x08\x07\x0c\x0b\x0a", 6));
        QCOMPARE(topRow, QByteArray("\x03\x02\x01\x06\x05\x04", 6));
    }

    void jpegDecodesBackCloseToTheSource() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("plan.jpg"));
        const QImage picture = quadrants(63, 41); // odd sizes exercise the row padding
        cDIBSection dib;
        dib.CreateFromPicture(picture);
        QVERIFY(jpeg::SaveToJPG(dib, path, 90));

        const QByteArray bytes = readBytes(path);
        QVERIFY(bytes.startsWith("\xFF\xD8"));
        QVERIFY2(bytes.contains("\xFF\xC0"), "baseline frame marker");
        QImageReader reader(path);
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        const QImage decoded = reader.read().convertToFormat(QImage::Format_RGB32);
        QCOMPARE(decoded.size(), picture.size());
        for (const QPoint p : {QPoint(8, 8), QPoint(50, 8), QPoint(8, 32), QPoint(50, 32)}) {
            const QRgb a = decoded.pixel(p), b = picture.pixel(p);
            QVERIFY2(qAbs(qRed(a) - qRed(b)) <= 8 && qAbs(qGreen(a) - qGreen(b)) <= 8 &&
                         qAbs(qBlue(a) - qBlue(b)) <= 8,
                     qPrintable(QStringLiteral("colour at %1,%2").arg(p.x()).arg(p.y())));
        }
    }

    void replacedFileKeepsItsTimesAndMode() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("old.jpg"));
        writeBytes(path, QByteArray("not a picture"));
        QVERIFY(
            QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
        const timespec times[2] = {{1000000000, 123456789}, {1100000000, 987654321}};
        QCOMPARE(::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0), 0);
        const struct stat before = statOf(path);

        cDIBSection dib;
        dib.CreateFromPicture(quadrants(16, 16));
        QVERIFY(jpeg::SaveToJPG(dib, path, 90));

        const struct stat after = statOf(path);
        QVERIFY(readBytes(path).startsWith("\xFF\xD8"));
        QCOMPARE(after.st_mode & 07777, before.st_mode & 07777);
        QCOMPARE(after.st_atim.tv_sec, times[0].tv_sec);
        QCOMPARE(after.st_atim.tv_nsec, times[0].tv_nsec);
        QCOMPARE(after.st_mtim.tv_sec, times[1].tv_sec);
        QCOMPARE(after.st_mtim.tv_nsec, times[1].tv_nsec);

        // A new name gets the system's own time.
        const QString fresh = dir.filePath(QStringLiteral("new.jpg"));
        QVERIFY(jpeg::SaveToJPG(dib, fresh, 90));
        QVERIFY(statOf(fresh).st_mtim.tv_sec > times[1].tv_sec);
    }

    void failuresRaise26001AndLeaveFilesAlone_data() {
        QTest::addColumn<bool>("emptyBuffer");
        QTest::addColumn<QString>("target"); // relative to a temporary folder
        QTest::addColumn<bool>("targetExists");
        QTest::newRow("empty buffer over an existing file") << true << "kept.jpg" << true;
        QTest::newRow("empty buffer, new name") << true << "none.jpg" << false;
        QTest::newRow("folder that does not exist") << false << "missing/plan.jpg" << false;
    }
    void failuresRaise26001AndLeaveFilesAlone() {
        QFETCH(bool, emptyBuffer);
        QFETCH(QString, target);
        QFETCH(bool, targetExists);
        QTemporaryDir dir;
        const QString path = dir.filePath(target);
        if (targetExists)
            writeBytes(path, QByteArray("earlier file"));

        cDIBSection dib;
        if (!emptyBuffer)
            dib.CreateFromPicture(quadrants(8, 8));
        try {
            jpeg::SaveToJPG(dib, path, 90);
            QFAIL("no failure raised");
        } catch (const jpeg::JpegError& e) {
            QCOMPARE(e.number(), 26001);
            QCOMPARE(e.source(), QStringLiteral("kestrion.mJPEGLibrary"));
            QVERIFY2(e.description().startsWith(QStringLiteral("Failed to save to JPG ")),
                     qPrintable(e.description()));
        }
        if (targetExists)
            QCOMPARE(readBytes(path), QByteArray("earlier file"));
        else
            QVERIFY(!QFileInfo::exists(path));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), targetExists ? 1 : 0);
    }
};

QTEST_GUILESS_MAIN(TestJpegWriter)
#include "tst_jpegwriter.moc"
