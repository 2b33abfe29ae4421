#include "errors.h"
#include "imagefile.h"
#include "largeimage.h"
#include "testhome.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QtTest>

namespace {

QImage gradient(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb(x * 255 / width, y * 255 / height, (x * y) % 256));
    return image;
}

// A JPEG carrying an orientation tag that says "turn a quarter" (6), as
// cameras write it: the tag goes into an Exif segment right after the start.
QByteArray jpegTurnedByTag(const QImage &image)
{
    QBuffer plain;
    plain.open(QIODevice::WriteOnly);
    QImageWriter(&plain, "jpeg").write(image);
    const QByteArray tiff = QByteArray("MM\0*\0\0\0\x08", 8) // big-endian header, first directory at 8
                            + QByteArray("\0\x01", 2) // one entry
                            + QByteArray("\x01\x12\0\x03\0\0\0\x01\0\x06\0\0", 12) // orientation, short, 1, 6
                            + QByteArray("\0\0\0\0", 4); // no next directory
    const QByteArray payload = QByteArray("Exif\0\0", 6) + tiff;
    QByteArray segment("\xff\xe1", 2);
    segment += char((payload.size() + 2) >> 8);
    segment += char((payload.size() + 2) & 0xff);
    segment += payload;
    return plain.data().left(2) + segment + plain.data().mid(2);
}

// Large pictures start on a 2 MB boundary, so all of them can come in huge
// pages; Qt's own allocation does not align them so.
bool startsOnHugePage(const QImage &image)
{
    return reinterpret_cast<quintptr>(image.constBits()) % (quintptr(2) << 20) == 0;
}

} // namespace

class TestImageFile : public QObject
{
    Q_OBJECT

private slots:
    void anOrientationTagDoesNotTurnThePhoto()
    {
        TestHome home;
        home.write(QStringLiteral("Foot0.Jpg"), jpegTurnedByTag(gradient(64, 32)));
        const QString path = home.path(QStringLiteral("Foot0.Jpg"));
        // A reader that follows the tag turns it on its side.
        QImageReader following(path);
        following.setAutoTransform(true);
        QCOMPARE(following.read().size(), QSize(32, 64));

        const QImage loaded = Load_Image_File(path);
        QCOMPARE(loaded.size(), QSize(64, 32));
    }

    void formatFollowsTheSuffix_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("format");
        QTest::addColumn<bool>("lossless");
        QTest::newRow("Jpg") << "Sketch.Jpg" << QByteArray("jpeg") << false;
        QTest::newRow("JPEG upper case") << "SKETCH.JPEG" << QByteArray("jpeg") << false;
        QTest::newRow("Bmp of an STL scan") << "Foot.Bmp" << QByteArray("bmp") << true;
        QTest::newRow("png") << "Foot.png" << QByteArray("png") << true;
    }

    void formatFollowsTheSuffix()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, format);
        QFETCH(bool, lossless);
        TestHome home;
        const QImage picture = gradient(40, 30);
        Save_Image_File(picture, home.path(name));
        QImageReader reader(home.path(name));
        QCOMPARE(reader.format(), format);
        const QImage back = Load_Image_File(home.path(name));
        QCOMPARE(back.size(), picture.size());
        if (lossless)
            QCOMPARE(back.convertToFormat(QImage::Format_RGB32), picture);
        QCOMPARE(QDir(home.root()).entryList(QDir::Files | QDir::Hidden), QStringList{name});
    }

    void jpegIsWrittenAtQuality90()
    {
        TestHome home;
        const QImage picture = gradient(120, 80);
        Save_Image_File(picture, home.path(QStringLiteral("Foot.Jpg")));
        QBuffer expected;
        expected.open(QIODevice::WriteOnly);
        QImageWriter writer(&expected, "jpeg");
        writer.setQuality(90);
        QVERIFY(writer.write(picture));
        QCOMPARE(home.read(QStringLiteral("Foot.Jpg")), expected.data());
    }

    void failuresAreReportedAndKeepTheOldFile()
    {
        TestHome home;
        home.write(QStringLiteral("Old.Jpg"), "older picture");
        const auto fails = [&](const QImage &image, const QString &name, const QString &reason) {
            try {
                Save_Image_File(image, home.path(name));
                QFAIL("saved");
            } catch (const SolvaneError &e) {
                QVERIFY2(e.description().startsWith(QStringLiteral("Cannot save the image ") + home.path(name)),
                         qPrintable(e.description()));
                QVERIFY2(e.description().contains(reason), qPrintable(e.description()));
            }
        };
        fails(QImage(), QStringLiteral("Old.Jpg"), QStringLiteral("no picture"));
        fails(gradient(4, 4), QStringLiteral("Old.Xyz"), QStringLiteral("\"Xyz\""));
        fails(gradient(4, 4), QStringLiteral("Missing/New.Jpg"), QString());
        QCOMPARE(home.read(QStringLiteral("Old.Jpg")), QByteArray("older picture"));
        QCOMPARE(QDir(home.root()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Old.Jpg")});
    }

    // Large pictures live in memory of their own; they must lay out their rows
    // as Qt does and behave as any other picture when written and copied.
    void largePicturesAreOrdinaryPictures_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QImage::Format>("format");
        QTest::newRow("12 MP colour") << QSize(4000, 3000) << QImage::Format_RGB32;
        QTest::newRow("odd width, grey") << QSize(1999, 1001) << QImage::Format_Grayscale8;
        QTest::newRow("odd width, 24-bit") << QSize(1001, 700) << QImage::Format_RGB888;
        QTest::newRow("small") << QSize(16, 8) << QImage::Format_ARGB32;
    }

    void largePicturesAreOrdinaryPictures()
    {
        QFETCH(QSize, size);
        QFETCH(QImage::Format, format);
        QImage image = Large_Image(size, format);
        const QImage plain(size, format);
        QCOMPARE(image.size(), size);
        QCOMPARE(image.format(), format);
        QCOMPARE(image.bytesPerLine(), plain.bytesPerLine());
        if (plain.sizeInBytes() >= (1 << 20))
            QVERIFY(startsOnHugePage(image));
        image.fill(Qt::white);
        image.setPixelColor(size.width() - 1, size.height() - 1, Qt::black);
        QImage copy = image;
        copy.setPixelColor(0, 0, Qt::black); // detaches: the first stays white
        QCOMPARE(image.pixelColor(0, 0), QColor(Qt::white));
        QCOMPARE(copy.pixelColor(size.width() - 1, size.height() - 1), QColor(Qt::black));
    }

    void largePhotosReadAsAPlainDecodeReadsThem_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QImage::Format>("format");
        QTest::newRow("jpeg colour") << QStringLiteral("Big.Jpg") << QImage::Format_RGB32;
        QTest::newRow("jpeg grey") << QStringLiteral("Grey.Jpg") << QImage::Format_Grayscale8;
        QTest::newRow("png colour") << QStringLiteral("Big.png") << QImage::Format_RGB32;
    }

    void largePhotosReadAsAPlainDecodeReadsThem()
    {
        QFETCH(QString, name);
        QFETCH(QImage::Format, format);
        TestHome home;
        const QString path = home.path(name);
        QVERIFY(gradient(1200, 900).convertToFormat(format).save(path));
        QImageReader plain(path);
        plain.setAutoTransform(false);
        const QImage expected = plain.read();
        QVERIFY(!expected.isNull());
        const QImage loaded = Load_Image_File(path);
        QCOMPARE(loaded.format(), expected.format());
        QCOMPARE(loaded, expected);
        // The decode wrote into the large-page picture made for it.
        QVERIFY(startsOnHugePage(loaded));
    }

    void unreadableFilesAreReported()
    {
        TestHome home;
        home.write(QStringLiteral("Broken.Jpg"), "not a picture at all");
        QVERIFY_THROWS_EXCEPTION(SolvaneError, Load_Image_File(home.path(QStringLiteral("Broken.Jpg"))));
        try {
            Load_Image_File(home.path(QStringLiteral("None")));
            QFAIL("read a missing file");
        } catch (const SolvaneError &e) {
            QCOMPARE(e.number(), ErrorNumber::FileNotFound);
            QVERIFY(e.description().contains(home.path(QStringLiteral("None"))));
        }
        QVERIFY_THROWS_EXCEPTION(SolvaneError, Load_Image_File(home.root()));
    }
};

QTEST_GUILESS_MAIN(TestImageFile)
#include "tst_imagefile.moc"
