// The image control's picture: adjustments, drawing, facts and the undo
// history with its memory bound.

#include "errors.h"
#include "imagedocument.h"
#include "imagefile.h"
#include "pixelops.h"
#include "testhome.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// A picture with texture: every pixel differs from its neighbours.
QImage texture(int width, int height, QImage::Format format = QImage::Format_RGB32)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           qRgba((x * 37 + y * 11) % 256, (x * 7 + y * 53) % 256, (x * y) % 256,
                                 format == QImage::Format_ARGB32 ? (x * 29 + y) % 256 : 255));
    return image.convertToFormat(format);
}

QImage filled(int width, int height, QColor colour)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

} // namespace

class TestImageDocument : public QObject
{
    Q_OBJECT

private slots:
    void negativeTwiceGivesTheOriginal_data()
    {
        QTest::addColumn<int>("format");
        QTest::newRow("colour") << int(QImage::Format_RGB32);
        QTest::newRow("colour with alpha") << int(QImage::Format_ARGB32);
        QTest::newRow("grey") << int(QImage::Format_Grayscale8);
    }
    void negativeTwiceGivesTheOriginal()
    {
        QFETCH(int, format);
        const QImage original = texture(31, 17, QImage::Format(format));
        const QImage once = imageops::negative(original);
        QVERIFY(once != original);
        QCOMPARE(once.pixelColor(3, 4).red(), 255 - original.pixelColor(3, 4).red());
        QCOMPARE(once.pixelColor(3, 4).alpha(), original.pixelColor(3, 4).alpha());
        QCOMPARE(imageops::negative(once), original);
    }

    void brightnessScalesAndClamps_data()
    {
        QTest::addColumn<int>("level");
        QTest::addColumn<double>("factor");
        QTest::addColumn<int>("expected");
        QTest::newRow("brighten") << 100 << 1.2 << 120;
        QTest::newRow("brighten clamps at 255") << 230 << 1.2 << 255;
        QTest::newRow("white stays white") << 255 << 1.2 << 255;
        QTest::newRow("darken") << 100 << 0.8 << 80;
        QTest::newRow("darken rounds") << 101 << 0.8 << 81; // 80.8
        QTest::newRow("black stays black") << 0 << 1.2 << 0;
    }
    void brightnessScalesAndClamps()
    {
        QFETCH(int, level);
        QFETCH(double, factor);
        QFETCH(int, expected);
        QImage image(4, 3, QImage::Format_ARGB32);
        image.fill(QColor(level, level / 2, level, 77));
        const QImage out = imageops::scaledBrightness(image, factor);
        QCOMPARE(out.size(), image.size());
        QCOMPARE(out.pixelColor(2, 1).red(), expected);
        QCOMPARE(out.pixelColor(2, 1).blue(), expected);
        QCOMPARE(out.pixelColor(2, 1).alpha(), 77); // alpha is not a colour
    }

    void greyscaleMirrorSharpenRepair()
    {
        const QImage source = texture(9, 7);
        const QImage grey = imageops::greyscale(source);
        QCOMPARE(grey.format(), source.format());
        for (QPoint p : {QPoint(0, 0), QPoint(4, 3), QPoint(8, 6)}) {
            const QColor c = grey.pixelColor(p);
            QVERIFY(c.red() == c.green() && c.green() == c.blue());
            QCOMPARE(c.red(), qGray(source.pixel(p)));
        }

        const QImage mirrored = imageops::mirrored(source);
        QCOMPARE(mirrored.pixel(0, 2), source.pixel(8, 2));
        QCOMPARE(mirrored.pixel(8, 6), source.pixel(0, 6));

        // A flat picture stays flat; a lone bright point stands out more.
        const QImage flat = filled(6, 5, QColor(90, 90, 90));
        QCOMPARE(imageops::sharpened(flat), flat);
        QImage point = flat;
        point.setPixelColor(3, 2, QColor(120, 120, 120));
        const QImage sharp = imageops::sharpened(point);
        QCOMPARE(sharp.pixelColor(3, 2).red(), 5 * 120 - 4 * 90); // 240
        QCOMPARE(sharp.pixelColor(2, 2).red(), 5 * 90 - 3 * 90 - 120); // 60
        QCOMPARE(sharp.pixelColor(0, 0).red(), 90); // borders repeat

        // Repair takes out a speck, also in a corner, and keeps edges.
        QImage speck = flat;
        speck.setPixelColor(3, 2, Qt::white);
        speck.setPixelColor(0, 0, Qt::black);
        QCOMPARE(imageops::repaired(speck), flat);
        QImage halves = flat;
        for (int y = 0; y < 5; ++y)
            for (int x = 3; x < 6; ++x)
                halves.setPixelColor(x, y, Qt::white);
        QCOMPARE(imageops::repaired(halves), halves);
    }

    // A large photo's adjustments are written into fresh large-page memory,
    // which is what keeps them quick; the results are the same as on a small
    // picture of the same pixels.
    void largePicturesAreAdjustedInLargePages()
    {
        const QImage source = texture(1200, 900);
        const QImage bright = imageops::scaledBrightness(source, 1.2);
        QCOMPARE(reinterpret_cast<quintptr>(bright.constBits()) % (quintptr(2) << 20), quintptr(0));
        const QImage corner = source.copy(0, 0, 9, 7);
        QCOMPARE(bright.copy(0, 0, 9, 7), imageops::scaledBrightness(corner, 1.2));
        QCOMPARE(imageops::negative(imageops::negative(source)), source);
    }

    void tinyAndOddPictures_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::newRow("one pixel") << QSize(1, 1);
        QTest::newRow("one row") << QSize(5, 1);
        QTest::newRow("one column") << QSize(1, 5);
        QTest::newRow("large enough for bands") << QSize(700, 600);
    }
    void tinyAndOddPictures()
    {
        QFETCH(QSize, size);
        const QImage source = texture(size.width(), size.height());
        for (const QImage &out : {imageops::sharpened(source), imageops::repaired(source), imageops::negative(source)})
            QCOMPARE(out.size(), size);
        const QImage mirrored = imageops::mirrored(source);
        QCOMPARE(mirrored.pixel(0, size.height() - 1), source.pixel(size.width() - 1, size.height() - 1));
        QCOMPARE(imageops::mirrored(mirrored), source);
        const QImage grey = source.convertToFormat(QImage::Format_Grayscale8);
        QCOMPARE(imageops::mirrored(grey).pixelColor(0, 0), grey.pixelColor(size.width() - 1, 0));
        // Bands must join seamlessly: the median of a flat picture is itself.
        const QImage flat = filled(size.width(), size.height(), QColor(10, 200, 30));
        QCOMPARE(imageops::repaired(flat), flat);
    }

    void indexedAndMonoPicturesAreWorkedOnInColour()
    {
        QImage mono(8, 4, QImage::Format_Mono);
        mono.fill(1);
        const QImage out = imageops::negative(mono);
        QCOMPARE(out.format(), QImage::Format_RGB32);
        QCOMPARE(out.pixelColor(1, 1), QColor(255 - mono.pixelColor(1, 1).red(), 255 - mono.pixelColor(1, 1).green(),
                                              255 - mono.pixelColor(1, 1).blue()));
    }

    void factsOfThePicture_data()
    {
        QTest::addColumn<int>("format");
        QTest::addColumn<int>("bitDepth");
        QTest::newRow("RGB32") << int(QImage::Format_RGB32) << 24;
        QTest::newRow("ARGB32") << int(QImage::Format_ARGB32) << 32;
        QTest::newRow("grey") << int(QImage::Format_Grayscale8) << 8;
        QTest::newRow("indexed") << int(QImage::Format_Indexed8) << 8;
        QTest::newRow("mono") << int(QImage::Format_Mono) << 1;
    }
    void factsOfThePicture()
    {
        QFETCH(int, format);
        QFETCH(int, bitDepth);
        QImage image(40, 30, QImage::Format(format));
        image.setDotsPerMeterX(11811); // 300 dpi
        image.setDotsPerMeterY(3780); // 96 dpi
        ImageDocument doc;
        doc.setImage(image);
        QCOMPARE(doc.pixelWidth(), 40);
        QCOMPARE(doc.pixelHeight(), 30);
        QCOMPARE(doc.bitDepth(), bitDepth);
        QCOMPARE(doc.resolutionX(), 300);
        QCOMPARE(doc.resolutionY(), 96);
        QCOMPARE(doc.greyRangeStart(), 0);
        QCOMPARE(doc.greyRangeEnd(), 255);
    }

    void undoAndRedoRestorePicturesAndZoom()
    {
        ImageDocument doc;
        const QImage original = texture(20, 10);
        doc.setImage(original);
        QVERIFY(!doc.undo());
        QVERIFY(!doc.redo());

        doc.recordUndoStep();
        doc.scaleBrightness(1.2);
        const QImage brighter = doc.image();
        doc.recordUndoStep();
        doc.setZoom(50);

        QVERIFY(doc.undo());
        QCOMPARE(doc.zoom(), 100.0);
        QCOMPARE(doc.image(), brighter);
        QVERIFY(doc.undo());
        QCOMPARE(doc.image(), original);
        QVERIFY(!doc.undo());

        QVERIFY(doc.redo());
        QCOMPARE(doc.image(), brighter);
        // A new step drops what could be redone.
        doc.recordUndoStep();
        doc.makeNegative();
        QCOMPARE(doc.redoSteps(), 0);
        QVERIFY(!doc.redo());
        QVERIFY(doc.undo());
        QCOMPARE(doc.image(), brighter);
    }

    void zoomStepsCostTheHistoryNoPixels()
    {
        ImageDocument doc;
        doc.setImage(texture(100, 100));
        for (int i = 0; i < 10; ++i) {
            doc.recordUndoStep();
            doc.setZoom(25 + i);
        }
        QCOMPARE(doc.undoSteps(), 10);
        QCOMPARE(doc.historyBytes(), 0);
    }

    void historyIsBoundedByMemoryOldestFirst()
    {
        ImageDocument doc;
        QImage start = filled(100, 100, QColor(1, 1, 1));
        const qint64 picture = start.sizeInBytes();
        doc.setHistoryLimit(3 * picture);
        doc.setImage(start);
        QList<QImage> states{doc.image()};
        for (int i = 0; i < 20; ++i) {
            doc.recordUndoStep();
            doc.scaleBrightness(1.2);
            states << doc.image();
            QVERIFY(doc.historyBytes() <= 3 * picture);
        }
        QCOMPARE(doc.undoSteps(), 3);
        while (doc.undo()) {}
        // The newest three steps are kept: back to the state of step 17.
        QCOMPARE(doc.image(), states.at(17));
    }

    void completionFollowsAdjustmentsDrawingAndRedrawOnly()
    {
        ImageDocument doc;
        doc.setImage(filled(50, 40, Qt::white));
        QSignalSpy completed(&doc, &ImageDocument::completed);
        doc.recordUndoStep();
        doc.scaleBrightness(0.8);
        doc.convertToGreyscale();
        doc.makeNegative();
        doc.sharpen();
        doc.mirror();
        doc.repair();
        doc.drawLine({1, 1}, {10, 1}, Qt::red);
        doc.redraw();
        QCOMPARE(completed.count(), 8);
        doc.undo();
        doc.redo();
        doc.setZoom(75);
        QCOMPARE(completed.count(), 8);
    }

    void drawingUsesColourAndPenWidth()
    {
        ImageDocument doc;
        QImage grey(60, 40, QImage::Format_Grayscale8);
        grey.fill(200);
        doc.setImage(grey);
        doc.setPenWidth(9);
        QCOMPARE(doc.penWidth(), 4);
        doc.setPenWidth(0);
        QCOMPARE(doc.penWidth(), 1);
        doc.setPenWidth(3);

        // A colour line on a grey picture stays in colour.
        doc.drawLine({5, 20}, {50, 20}, QColor(220, 0, 0));
        QCOMPARE(doc.image().pixelColor(30, 20), QColor(220, 0, 0));
        QCOMPARE(doc.image().pixelColor(30, 21), QColor(220, 0, 0)); // 3 pixels wide
        QCOMPARE(doc.image().pixelColor(30, 23), QColor(200, 200, 200));

        // A rectangle with a negative width and height spans back from its corner.
        doc.setPenWidth(1);
        doc.drawRectangle({40, 30}, -30, -20, QColor(0, 0, 220));
        QCOMPARE(doc.image().pixelColor(10, 15), QColor(0, 0, 220)); // left side
        QCOMPARE(doc.image().pixelColor(25, 10), QColor(0, 0, 220)); // top side
        QCOMPARE(doc.image().pixelColor(25, 15), QColor(200, 200, 200)); // not filled

        doc.drawEllipse({44, 2}, {58, 16}, QColor(0, 220, 0));
        QCOMPARE(doc.image().pixelColor(51, 9), QColor(200, 200, 200)); // hollow
        QVERIFY(doc.image().pixelColor(44, 9).green() > 100); // left end of the box

        const QImage before = doc.image();
        doc.drawText({2, 2}, QStringLiteral("Hi"), QStringLiteral("Arial"), 26, Qt::black);
        QVERIFY(doc.image() != before);
        doc.drawText({2, 2}, QString(), QStringLiteral("Arial"), 26, Qt::black);
    }

    void loadAndSaveGoThroughTheImageFiles()
    {
        TestHome home;
        ImageDocument doc;
        QVERIFY_THROWS_EXCEPTION(SolvaneError, doc.load(home.path(QStringLiteral("missing.Jpg"))));
        doc.setImage(texture(64, 48));
        const QString path = home.path(QStringLiteral("photo.Jpg"));
        doc.save(path);
        doc.setZoom(50);
        doc.recordUndoStep();
        doc.load(path);
        QCOMPARE(doc.pixelWidth(), 64);
        QCOMPARE(doc.zoom(), 100.0);
        QCOMPARE(doc.undoSteps(), 0);
        QVERIFY_THROWS_EXCEPTION(SolvaneError, doc.save(home.path(QStringLiteral("photo.Qqq"))));
    }
};

QTEST_MAIN(TestImageDocument)
#include "tst_imagedocument.moc"
