#include "cadfixtures.h"
#include "errors.h"
#include "render.h"

#include <QPainter>
#include <QtTest>

using namespace cad;

namespace {

// The box of the pixels that differ from the background.
QRect inkBox(const QImage &image, QRgb background)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != background)
                box |= QRect(x, y, 1, 1);
    return box;
}

int inkInRow(const QImage &image, int y, QRgb background)
{
    int n = 0;
    for (int x = 0; x < image.width(); ++x)
        n += image.pixel(x, y) != background;
    return n;
}

bool close(QRgb a, QColor b, int tolerance = 60)
{
    return qAbs(qRed(a) - b.red()) <= tolerance && qAbs(qGreen(a) - b.green()) <= tolerance
           && qAbs(qBlue(a) - b.blue()) <= tolerance;
}

// The pane's four layers, as the set-up orders them.
void fourLayers(Drawing &d)
{
    const char *names[] = {"Image", "Insole", "Client", "Scale"};
    const int colours[] = {1, 1, 1, 4};
    for (int i = 0; i < 4; ++i)
        d.modifyLayer(d.addLayer(QString::fromLatin1(names[i]), colours[i]))->order = 3 - i;
}

} // namespace

class TestRender : public QObject
{
    Q_OBJECT

private slots:
    void exportOfThePhotoRectangleIsThePhoto_data()
    {
        QTest::addColumn<QSize>("pixels");
        QTest::addColumn<double>("s");
        QTest::addColumn<QPointF>("corner");
        QTest::newRow("Graphic Screen scale") << QSize(640, 480) << 480.0 << QPointF(0, 0);
        QTest::newRow("pane scale 250 mm") << QSize(640, 480) << 1.5625 << QPointF(0, 0);
        QTest::newRow("portrait") << QSize(480, 640) << 1.5625 << QPointF(0, 0);
        QTest::newRow("fractional s, odd size") << QSize(1201, 799) << 1.0 / 3.0 << QPointF(0, 0);
        QTest::newRow("calibrated, moved") << QSize(300, 200) << 2.7183 << QPointF(12.5, -3.25);
        QTest::newRow("one pixel to the unit") << QSize(33, 17) << 1.0 << QPointF(-4, 7);
    }

    void exportOfThePhotoRectangleIsThePhoto()
    {
        QFETCH(QSize, pixels);
        QFETCH(double, s);
        QFETCH(QPointF, corner);
        const QImage photo = cadfixtures::texturedPhoto(pixels.width(), pixels.height());
        Drawing d;
        fourLayers(d);
        d.setCurrentLayer(QStringLiteral("Image"));
        const Handle r = d.addRasterImage(photo, QString(), corner, s);
        const QRectF region(corner, QSizeF(pixels.width() / d.rasterScale(r), pixels.height() / d.rasterScale(r)));

        const QImage out = exportRegion(d, region, s);
        QCOMPARE(out.size(), pixels);
        QCOMPARE(exportSize(region, s), pixels);
        QVERIFY(out.convertToFormat(QImage::Format_RGB32) == photo);
    }

    void aLineOnScaleShowsOverThePhoto()
    {
        const QImage photo = cadfixtures::texturedPhoto(400, 300);
        Drawing d;
        fourLayers(d);
        // Drawn before the photo was placed, yet the "Scale" layer is in front.
        d.setCurrentLayer(QStringLiteral("Scale"));
        d.addLine({10, 50.125}, {90, 50.125}); // along the middle of pixel row 99
        d.setCurrentLayer(QStringLiteral("Image"));
        d.addRasterImage(photo, QString(), {0, 0}, 4);
        d.setCurrentLayer(QStringLiteral("Client"));
        d.addCircle({50, 20}, 5);
        d.modifyLayer(d.layerId(QStringLiteral("Client")))->visible = false;

        const QImage out = exportRegion(d, QRectF(0, 0, 100, 75), 4);
        QCOMPARE(out.size(), QSize(400, 300));
        for (int x : {60, 200, 340})
            QVERIFY2(close(out.pixel(x, 99), QColor(0, 255, 255), 8),
                     qPrintable(QString::number(out.pixel(x, 99), 16)));
        // Away from the line the photo is untouched; the hidden circle (its
        // rim through pixel 180, 220) is not drawn.
        QCOMPARE(out.pixel(200, 30), photo.pixel(200, 30));
        QCOMPARE(out.pixel(200, 220), photo.pixel(200, 220));
        QCOMPARE(out.pixel(180, 220), photo.pixel(180, 220));
    }

    void coloursByLayerAndOwn()
    {
        Drawing d;
        const int red = d.addLayer(QStringLiteral("Insole"), 1);
        d.setCurrentLayer(red);
        const Handle byLayer = d.addLine({0, 0}, {1, 0});
        const Handle own = d.addLine({0, 1}, {1, 1});
        d.modify(own)->colour = 5;
        QCOMPARE(entityColour(d, *d.entity(byLayer)), QColor(255, 0, 0));
        QCOMPARE(entityColour(d, *d.entity(own)), QColor(0, 0, 255));
        QCOMPARE(paletteColour(7, Qt::white), QColor(Qt::black));
        QCOMPARE(paletteColour(7, QColor(20, 20, 20)), QColor(Qt::white));
        QCOMPARE(paletteColour(0, Qt::white), QColor(Qt::black));
        QVERIFY(paletteColour(200, Qt::white).isValid());
        QCOMPARE(fontFamily(QStringLiteral("Simplex.Vcf")), QStringLiteral("DejaVu Sans"));
        QCOMPARE(fontFamily(QStringLiteral("C:\\Fonts\\Arial.ttf")), QStringLiteral("Liberation Sans"));
    }

    void textStandsUprightInAYUpView()
    {
        Drawing d;
        d.setDefaultTextHeight(40);
        d.addText({10, 10}, QStringLiteral("T"));
        const QImage out = exportRegion(d, QRectF(0, 0, 100, 100), 1);
        const QRgb white = qRgb(255, 255, 255);
        const QRect ink = inkBox(out, white);
        QVERIFY(!ink.isEmpty());
        // The baseline at y 10 is pixel row 90; the letter stands above it.
        QVERIFY2(ink.bottom() <= 91 && ink.bottom() >= 85, qPrintable(QString::number(ink.bottom())));
        QVERIFY2(std::abs(ink.height() - 40) <= 3, qPrintable(QString::number(ink.height())));
        // The bar of the T is at the top.
        QVERIFY(inkInRow(out, ink.top() + 1, white) > 3 * inkInRow(out, ink.bottom() - 1, white));

        // Mirrored across x = 50, the text still reads: its bar stays on top.
        d.transform(d.first(), Similarity::mirror({50, 0}, {50, 100}));
        const QImage mirrored = exportRegion(d, QRectF(0, 0, 200, 100), 1);
        const QRect after = inkBox(mirrored, white);
        QVERIFY(inkInRow(mirrored, after.top() + 1, white) > 3 * inkInRow(mirrored, after.bottom() - 1, white));
        QVERIFY(after.left() > 50);
    }

    void everyKindPaintsWithinItsExtents()
    {
        Drawing d;
        const QVector<Handle> made = cadfixtures::oneOfEach(d);
        for (const Handle h : made) {
            Drawing one;
            one.defineBlock(*d.block(d.blockId(QStringLiteral("Marker"))));
            one.setDefaultTextHeight(d.entity(h)->height > 0 ? d.entity(h)->height : 2.5);
            one.add(*d.entity(h));
            const QRectF box = one.extents().adjusted(-2, -2, 2, 2);
            // A margin of 10 units around the extents at 4 pixels a unit.
            const QRectF region = box.adjusted(-10, -10, 10, 10);
            const QImage out = exportRegion(one, region, 4);
            const QRect ink = inkBox(out, qRgb(255, 255, 255));
            QVERIFY2(!ink.isEmpty(), qPrintable(QString::number(int(d.entity(h)->kind))));
            // Ink stays inside the extents (40 pixels of margin on each side).
            QVERIFY2(ink.left() >= 38 && ink.top() >= 38 && ink.right() <= out.width() - 38
                         && ink.bottom() <= out.height() - 38,
                     qPrintable(QStringLiteral("kind %1").arg(int(d.entity(h)->kind))));
        }
    }

    void renderFitsAView()
    {
        const QTransform t = fitTransform(QRectF(0, 0, 200, 100), QRectF(0, 0, 400, 400));
        QCOMPARE(t.map(QPointF(0, 0)), QPointF(0, 300));
        QCOMPARE(t.map(QPointF(200, 100)), QPointF(400, 100));

        Drawing d;
        d.setBackground(QColor(216, 223, 243));
        d.addLine({0, 50.25}, {200, 50.25}); // along pixel row 199
        QImage screen(400, 400, QImage::Format_RGB32);
        screen.fill(Qt::red);
        QPainter painter(&screen);
        render(painter, d, t);
        QCOMPARE(painter.transform(), QTransform());
        painter.end();
        QCOMPARE(QColor(screen.pixel(5, 5)), QColor(216, 223, 243));
        QVERIFY(close(screen.pixel(200, 199), Qt::black, 8));
    }

    void aShrunkPhotoComesFromTheCachedCopyInItsPlace()
    {
        // Left half red, right half blue, 400 x 200 pixels at 4 pixels to
        // the unit: 100 x 50 units, shown at 0.5 pixel a unit.
        QImage photo(400, 200, QImage::Format_RGB32);
        photo.fill(Qt::blue);
        QPainter(&photo).fillRect(0, 0, 200, 200, Qt::red);
        cad::Drawing d;
        d.setBackground(Qt::white);
        d.addRasterImage(photo, QStringLiteral("p.jpg"), {10, 20}, 4);
        const QTransform view(0.5, 0, 0, -0.5, 0, 100); // y up, 100 pixels high
        cad::RasterCache cache;
        cad::RenderOptions options;
        options.rasterCache = &cache;
        QImage cached(120, 100, QImage::Format_RGB32), direct(120, 100, QImage::Format_RGB32);
        for (auto [image, opts] : {std::pair{&cached, options}, std::pair{&direct, cad::RenderOptions()}}) {
            QPainter painter(image);
            cad::render(painter, d, view, opts);
        }
        // The photo covers x 5 to 55 and y 65 to 90 on the device.
        QCOMPARE(cached.pixelColor(10, 80), QColor(Qt::red));
        QCOMPARE(cached.pixelColor(50, 80), QColor(Qt::blue));
        QCOMPARE(cached.pixelColor(3, 80), QColor(Qt::white));
        QCOMPARE(cached.pixelColor(10, 92), QColor(Qt::white));
        QCOMPARE(cached.pixelColor(57, 70), QColor(Qt::white));
        QCOMPARE(cached.pixelColor(10, 63), QColor(Qt::white));
        for (const QPoint p : {QPoint(10, 80), QPoint(50, 70), QPoint(3, 80), QPoint(60, 60)})
            QCOMPARE(cached.pixelColor(p), direct.pixelColor(p));
        // The copy is the size shown, and kept for the next paint.
        const QImage &copy = cache.scaled(photo, QSize(50, 25));
        QCOMPARE(copy.size(), QSize(50, 25));
        QCOMPARE(&cache.scaled(photo, QSize(50, 25)), &copy);
    }

    void exportsThatCannotBeMadeAreRefused()
    {
        Drawing d;
        QVERIFY_THROWS_EXCEPTION(SolvaneError, exportRegion(d, QRectF(0, 0, 0, 10), 1));
        QVERIFY_THROWS_EXCEPTION(SolvaneError, exportRegion(d, QRectF(0, 0, 100000, 10), 1));
        QVERIFY_THROWS_EXCEPTION(SolvaneError, exportRegion(d, QRectF(0, 0, 10, 10), std::nan("")));
        QCOMPARE(exportSize(QRectF(0, 0, 10, 10), 0.04), QSize());
    }
};

QTEST_MAIN(TestRender)
#include "tst_render.moc"
