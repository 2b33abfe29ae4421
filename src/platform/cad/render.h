#pragma once

#include "drawing.h"

#include <QColor>
#include <QImage>
#include <QRectF>
#include <QTransform>

class QPainter;

// One way of painting a drawing, for the screen, for an exported bitmap and
// for the printer, so what is burnt into a photo or printed is what the view
// showed.
namespace cad {

// Colour numbers 0 to 255: 1 red, 2 yellow, 3 green, 4 cyan, 5 blue,
// 6 magenta, 7 (and 0) the foreground (black on a light background, white
// on a dark one), 8 dark grey, 9 light grey, 10 to 255 round the colour
// wheel.
QColor paletteColour(int index, const QColor &background);

// The colour an entity is painted in: its own, or its layer's for 256.
QColor entityColour(const Drawing &drawing, const Entity &entity);

// A font file named by a drawing ("Simplex.Vcf") is only a name: the
// installed family its text is set in.
QString fontFamily(const QString &fontFile);

// Copies of photos scaled down to the size a view shows them at, so a
// repaint copies screen-sized pixels instead of filtering a 12-megapixel
// photo every time. A view keeps one; each photo keeps its last copy, made
// again when the zoom changes.
class RasterCache
{
public:
    // The image at exactly `size` pixels (smoothly scaled), kept for the
    // next call.
    const QImage &scaled(const QImage &image, QSize size);
    void clear() { m_copies.clear(); }

private:
    struct Copy
    {
        qint64 key = 0;
        QImage image;
    };
    QVector<Copy> m_copies;
};

struct RenderOptions
{
    double lineWidth = 1.0; // device pixels, whatever the zoom
    bool antialiasing = true;
    bool fillBackground = true; // the painter's whole device in the drawing's background colour
    // Where photos shown smaller than their pixels are drawn from; none
    // draws them from their own pixels (exports and prints).
    RasterCache *rasterCache = nullptr;
};

// The view that shows `world` (y up; its top() is the lowest y) as large as
// fits in `device` (y down), centred, without distortion.
QTransform fitTransform(const QRectF &world, const QRectF &device);

// Paints the visible layers back to front, each layer's entities in
// insertion order. Text stands upright in a y-up view. A raster whose pixels
// land one to one on device pixels is copied without smoothing; any other
// is smoothed. The painter's state is left as it was.
void render(QPainter &painter, const Drawing &drawing, const QTransform &worldToDevice,
            const RenderOptions &options = {});

// The size of an export of `region` at s pixels to the drawing unit:
// exactly round(width x s) by round(height x s).
QSize exportSize(const QRectF &region, double s);

// The rectangle `region` (y up) of the drawing as a bitmap at s pixels to
// the drawing unit, in the drawing's background. A raster placed at that
// same scale on the pixel grid comes out pixel for pixel, so burning a
// drawing into its photo keeps the photo's pixels wherever nothing was drawn.
// Lines are as wide, against the whole bitmap, as on a view of about 800
// pixels. Raises SolvaneError for a size that is empty or beyond 32768
// pixels a side.
QImage exportRegion(const Drawing &drawing, const QRectF &region, double s);

} // namespace cad
