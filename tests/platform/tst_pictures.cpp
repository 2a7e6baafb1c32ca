// Guards reading BMP, GIF and JPEG pictures and writing Windows bitmaps.
#include "platform/Pictures.h"
#include "testkit/TestKit.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace platform;

namespace {

// A 2x1 GIF made by hand: a red pixel then a blue one (2-colour table, LZW codes
// clear, 0, 1, end of information at 3 bits each).
QByteArray redBlueGif() {
    static const unsigned char bytes[] = {'G',  'I',  'F',  '8',  '9',  'a',  0x02, 0x00, 0x01,
                                          0x00, 0x80, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00,
                                          0xFF, 0x2C, 0x00, 0x00, 0x00, 0x00, 0x02, 0x00, 0x01,
                                          0x00, 0x00, 0x02, 0x02, 0x44, 0x0A, 0x00, 0x3B};
    return QByteArray(reinterpret_cast<const char*>(bytes), sizeof bytes);
}

QImage sample() {
    QImage image(5, 3, QImage::Format_RGB32);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x)
            image.setPixel(x, y, qRgb(x * 50, y * 100, 200 - x * 10));
    return image;
}

} // namespace

class TestPictures : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

    QString write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_.filePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write");
        f.write(bytes);
        return path;
    }

private Q_SLOTS:
    void initTestCase() { testkit::setUpTestEnvironment(); }

    void loadsEachFormat_data() {
        QTest::addColumn<QString>("format");
        QTest::addColumn<QImage>("picture");
        QTest::addColumn<int>("tolerance");
        QImage flat(16, 16, QImage::Format_RGB32);
        flat.fill(qRgb(200, 100, 50));
        QTest::newRow("BMP, exact") << "BMP" << sample() << 0;
        QTest::newRow("JPEG, flat colour within its loss") << "JPEG" << flat << 6;
    }
    void loadsEachFormat() {
        QFETCH(QString, format);
        QFETCH(QImage, picture);
        QFETCH(int, tolerance);
        const QString path = dir_.filePath(QStringLiteral("p.") + format.toLower());
        QVERIFY(picture.save(path, format.toLatin1().constData(), 100));
        const auto loaded = LoadPicture(path);
        QVERIFY(loaded);
        QCOMPARE(loaded->size(), picture.size());
        QCOMPARE(loaded->format(), QImage::Format_RGB32);
        QVERIFY(testkit::imagesMatch(*loaded, picture, format, tolerance));
    }

    void loadsHandMadeGif() {
        const auto loaded = LoadPicture(write(QStringLiteral("rb.gif"), redBlueGif()));
        QVERIFY(loaded);
        QCOMPARE(loaded->size(), QSize(2, 1));
        QCOMPARE(loaded->pixel(0, 0), qRgb(255, 0, 0));
        QCOMPARE(loaded->pixel(1, 0), qRgb(0, 0, 255));
    }

    void refusesWhatIsNotAPicture_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("text") << QByteArray("Kestrion 2\r\n");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("GIF cut short") << redBlueGif().left(12);
    }
    void refusesWhatIsNotAPicture() {
        QFETCH(QByteArray, bytes);
        QVERIFY(!LoadPicture(write(QStringLiteral("bad.gif"), bytes)));
        QVERIFY(!LoadPicture(dir_.filePath(QStringLiteral("absent.bmp"))));
    }

    void savesA24BitBitmap() {
        const QString path = dir_.filePath(QStringLiteral("saved.bmp"));
        QVERIFY(SavePicture(sample(), path));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray head = f.read(30);
        QVERIFY(head.startsWith("BM"));
        QCOMPARE(int(uchar(head[28])), 24); // bits per pixel
        const auto back = LoadPicture(path);
        QVERIFY(back);
        QVERIFY(testkit::imagesMatch(*back, sample(), QStringLiteral("saved_bmp")));
        QVERIFY(!SavePicture(QImage(), path));
        QVERIFY(!SavePicture(sample(), dir_.filePath(QStringLiteral("absent/x.bmp"))));
    }

    void cacheSeesFileChanges() {
        const QString path = dir_.filePath(QStringLiteral("cached.bmp"));
        QImage a(2, 2, QImage::Format_RGB32);
        a.fill(qRgb(255, 0, 0));
        QVERIFY(SavePicture(a, path));
        PictureCache cache;
        const QImage* first = cache.get(path);
        QVERIFY(first);
        QCOMPARE(first->pixel(0, 0), qRgb(255, 0, 0));
        QImage b(3, 2, QImage::Format_RGB32); // a different size changes the file size
        b.fill(qRgb(0, 0, 255));
        QVERIFY(SavePicture(b, path));
        const QImage* second = cache.get(path);
        QVERIFY(second);
        QCOMPARE(second->pixel(0, 0), qRgb(0, 0, 255));
        QVERIFY(!cache.get(dir_.filePath(QStringLiteral("absent.bmp"))));
    }
};

QTEST_GUILESS_MAIN(TestPictures)
#include "tst_pictures.moc"
