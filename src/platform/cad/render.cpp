#include "render.h"

#include "errors.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <cmath>

namespace cad {

namespace {

constexpr int kMaxExportSide = 32768;

// Paints entities in device coordinates. Line work of one colour that
// follows itself is gathered into one path of separate segments and stroked
// once. Qt 6.4 strokes such a path of thousands of segments in milliseconds,
// while the same lines as connected polylines, with round caps or joins, or
// under a cosmetic pen and a transform, take seconds on a large bitmap; the
// square caps of neighbouring segments close the joints.
class Painter
{
public:
    Painter(QPainter &painter, const Drawing &drawing, const QTransform &view, const RenderOptions &options)
        : m_p(painter),
          m_drawing(drawing),
          m_view(view),
          m_options(options)
    {}

    ~Painter() { flush(); }

    void entity(const Entity &e, const QColor &colour, int depth)
    {
        switch (e.kind) {
        case Kind::Line:
            if (e.points.size() == 2)
                segments(colour, e.points, m_view);
            break;
        case Kind::Polyline: segments(colour, e.points, m_view, e.closed); break;
        case Kind::Spline: segments(colour, splineCurve(e.points, e.closed), m_view); break;
        case Kind::Circle:
        case Kind::Ellipse: {
            const QTransform place = QTransform().translate(e.anchor().x(), e.anchor().y()).rotate(e.angle) * m_view;
            const double radiusY = e.kind == Kind::Circle ? e.radius : e.radiusY;
            segments(colour, ellipse(e.radius, radiusY, place), place, true);
            break;
        }
        case Kind::Text:
        case Kind::MultiText:
            flush();
            text(e, colour);
            break;
        case Kind::Leader: leader(e, colour); break;
        case Kind::Raster:
            flush();
            raster(e, colour);
            break;
        case Kind::Insert: insert(e, colour, depth); break;
        }
    }

    // Strokes and fills what was gathered.
    void flush()
    {
        if (m_strokes.isEmpty() && m_fills.isEmpty())
            return;
        m_p.setTransform(QTransform());
        if (!m_fills.isEmpty()) {
            m_p.setPen(Qt::NoPen);
            m_p.setBrush(m_colour);
            m_p.drawPath(m_fills);
        }
        if (!m_strokes.isEmpty()) {
            QPen pen(m_colour);
            pen.setWidthF(m_options.lineWidth);
            // Round caps and joins make Qt's stroker take seconds over a
            // drawing of long lines and curves; these take milliseconds.
            pen.setJoinStyle(Qt::BevelJoin);
            pen.setCapStyle(Qt::SquareCap);
            m_p.setPen(pen);
            m_p.setBrush(Qt::NoBrush);
            m_p.drawPath(m_strokes);
        }
        m_strokes.clear();
        m_fills.clear();
    }

private:
    QPainterPath &strokes(const QColor &colour)
    {
        if (colour != m_colour)
            flush();
        m_colour = colour;
        return m_strokes;
    }

    QPainterPath &fills(const QColor &colour)
    {
        strokes(colour);
        return m_fills;
    }

    // Each segment of the points (mapped by `toDevice`) as its own subpath.
    void segments(const QColor &colour, const QVector<QPointF> &points, const QTransform &toDevice, bool closed = false)
    {
        QPainterPath &path = strokes(colour);
        const qsizetype n = points.size();
        if (n == 1) {
            path.moveTo(toDevice.map(points[0]));
            path.lineTo(toDevice.map(points[0]));
            return;
        }
        QPointF previous = n > 0 ? toDevice.map(points[0]) : QPointF();
        const QPointF first = previous;
        for (qsizetype i = 1; i < n; ++i) {
            const QPointF next = toDevice.map(points[i]);
            path.moveTo(previous);
            path.lineTo(next);
            previous = next;
        }
        if (closed && n > 2) {
            path.moveTo(previous);
            path.lineTo(first);
        }
    }

    // An ellipse about the origin as a polygon fine enough for its size on
    // the device.
    static QVector<QPointF> ellipse(double radius, double radiusY, const QTransform &toDevice)
    {
        const double deviceScale = std::sqrt(std::abs(toDevice.determinant()));
        const double reach = std::max(std::abs(radius), std::abs(radiusY)) * deviceScale;
        const int n = std::clamp(int(std::ceil(2 * M_PI * reach / 3.0)), 12, 4096);
        QVector<QPointF> points;
        points.reserve(n);
        for (int i = 0; i < n; ++i) {
            const double t = 2 * M_PI * i / n;
            points << QPointF(radius * std::cos(t), radiusY * std::sin(t));
        }
        return points;
    }

    void text(const Entity &e, const QColor &colour)
    {
        if (e.height <= 0)
            return;
        const TextStyle *style = m_drawing.textStyle(m_drawing.textStyleId(e.style));
        QFont font(fontFamily(style ? style->fontFile : QString()));
        font.setPixelSize(kReferencePixels);
        font.setHintingPreference(QFont::PreferNoHinting);
        const double capHeight = QFontMetricsF(font, m_p.device()).capHeight();
        const double k = e.height / (capHeight > 0 ? capHeight : kReferencePixels * 0.7);
        m_p.setFont(font);
        m_p.setPen(colour);
        const QStringList lines = textLines(e);
        const QVector<QPointF> baselines = textBaselines(e);
        for (qsizetype i = 0; i < lines.size(); ++i) {
            // Up in the drawing is up on the letters: the y flip of the view
            // is undone for the glyphs.
            const QTransform place =
                QTransform().translate(baselines[i].x(), baselines[i].y()).rotate(e.angle).scale(k, -k);
            m_p.setTransform(place * m_view);
            m_p.drawText(QPointF(0, 0), lines[i]);
        }
    }

    void leader(const Entity &e, const QColor &colour)
    {
        if (e.points.isEmpty())
            return;
        segments(colour, e.points, m_view);
        if (e.points.size() >= 2 && e.arrowSize > 0) {
            const QPointF tip = e.points[0];
            QPointF back = e.points[1] - tip;
            const double length = std::hypot(back.x(), back.y());
            if (length > 0) {
                back /= length;
                const QPointF side(-back.y(), back.x());
                const QPointF base = tip + back * e.arrowSize;
                QPainterPath arrow;
                arrow.moveTo(m_view.map(tip));
                arrow.lineTo(m_view.map(base + side * (e.arrowSize / 3)));
                arrow.lineTo(m_view.map(base - side * (e.arrowSize / 3)));
                arrow.closeSubpath();
                fills(colour).addPath(arrow);
            }
        }
        if (!e.text.isEmpty()) {
            flush();
            text(leaderLabel(e), colour);
        }
    }

    void raster(const Entity &e, const QColor &colour)
    {
        if (e.scale <= 0 || e.imageSize.isEmpty())
            return;
        const double w = e.imageSize.width(), h = e.imageSize.height();
        // Image pixels (x right, y down from the top row) to drawing units.
        QTransform toWorld;
        toWorld.translate(e.anchor().x(), e.anchor().y());
        toWorld.rotate(e.angle);
        toWorld.scale(1 / e.scale, e.mirrored ? 1 / e.scale : -1 / e.scale);
        toWorld.translate(0, -h);
        const QTransform toDevice = toWorld * m_view;
        if (e.image.isNull()) {
            // The file could not be read: its frame keeps its place.
            segments(colour, {{0, 0}, {w, 0}, {w, h}, {0, h}}, toDevice, true);
            segments(colour, {{0, 0}, {w, h}}, toDevice);
            segments(colour, {{w, 0}, {0, h}}, toDevice);
            return;
        }
        const bool oneToOne = std::abs(toDevice.m11() - 1) < 1e-9 && std::abs(toDevice.m22() - 1) < 1e-9
                              && std::abs(toDevice.m12()) < 1e-12 && std::abs(toDevice.m21()) < 1e-12
                              && std::abs(toDevice.dx() - std::round(toDevice.dx())) < 1e-6
                              && std::abs(toDevice.dy() - std::round(toDevice.dy())) < 1e-6;
        // Shown smaller than its pixels, unturned and unflipped: from the
        // view's copy at screen size, copied pixel for pixel.
        const bool shrunk = m_options.rasterCache && std::abs(toDevice.m12()) < 1e-12
                            && std::abs(toDevice.m21()) < 1e-12 && toDevice.m11() > 0 && toDevice.m22() > 0
                            && toDevice.m11() < 1 && toDevice.m22() < 1;
        if (shrunk) {
            const QRectF onDevice = toDevice.mapRect(QRectF(0, 0, w, h));
            const QSize size(std::max(1, int(std::lround(onDevice.width()))),
                             std::max(1, int(std::lround(onDevice.height()))));
            m_p.setTransform(QTransform());
            m_p.drawImage(QPoint(int(std::lround(onDevice.left())), int(std::lround(onDevice.top()))),
                          m_options.rasterCache->scaled(e.image, size));
        } else if (oneToOne) {
            m_p.setTransform(QTransform());
            m_p.setRenderHint(QPainter::SmoothPixmapTransform, false);
            m_p.drawImage(QPoint(int(std::round(toDevice.dx())), int(std::round(toDevice.dy()))), e.image);
        } else {
            m_p.setTransform(toDevice);
            m_p.setRenderHint(QPainter::SmoothPixmapTransform, true);
            m_p.drawImage(QPointF(0, 0), e.image);
        }
    }

    void insert(const Entity &e, const QColor &colour, int depth)
    {
        const Block *b = m_drawing.block(m_drawing.blockId(e.block));
        if (!b || depth >= kMaxBlockDepth)
            return;
        const Similarity place = insertPlacement(e, b->base);
        for (Entity part : b->entities) {
            transformEntity(part, place);
            const QColor partColour =
                part.colour == kByLayer ? colour : paletteColour(part.colour, m_drawing.background());
            entity(part, partColour, depth + 1);
        }
    }

    static constexpr int kReferencePixels = 100;

    QPainter &m_p;
    const Drawing &m_drawing;
    QTransform m_view;
    RenderOptions m_options;
    QColor m_colour;
    QPainterPath m_strokes; // device coordinates
    QPainterPath m_fills;
};

} // namespace

const QImage &RasterCache::scaled(const QImage &image, QSize size)
{
    for (Copy &copy : m_copies) {
        if (copy.key != image.cacheKey())
            continue;
        if (copy.image.size() != size)
            copy.image = image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        return copy.image;
    }
    // Photos no longer drawn fall out; a drawing rarely holds more than two.
    constexpr qsizetype kMaxCopies = 4;
    if (m_copies.size() >= kMaxCopies)
        m_copies.removeFirst();
    m_copies.append({image.cacheKey(), image.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                           .convertToFormat(QImage::Format_ARGB32_Premultiplied)});
    return m_copies.last().image;
}

QColor paletteColour(int index, const QColor &background)
{
    switch (index) {
    case 1: return QColor(255, 0, 0);
    case 2: return QColor(255, 255, 0);
    case 3: return QColor(0, 255, 0);
    case 4: return QColor(0, 255, 255);
    case 5: return QColor(0, 0, 255);
    case 6: return QColor(255, 0, 255);
    case 8: return QColor(128, 128, 128);
    case 9: return QColor(192, 192, 192);
    default: break;
    }
    if (index >= 10 && index <= 255)
        return QColor::fromHsv((index - 10) * 360 / 246, 255, 230);
    return background.lightness() > 128 ? QColor(Qt::black) : QColor(Qt::white);
}

QColor entityColour(const Drawing &drawing, const Entity &entity)
{
    if (entity.colour != kByLayer)
        return paletteColour(entity.colour, drawing.background());
    const Layer *layer = drawing.layer(entity.layer);
    return paletteColour(layer ? layer->colour : 7, drawing.background());
}

QString fontFamily(const QString &fontFile)
{
    const QString name = QFileInfo(fontFile).completeBaseName().toLower();
    if (name.contains(QLatin1String("arial")) || name.contains(QLatin1String("helvet")))
        return QStringLiteral("Liberation Sans");
    if (name.contains(QLatin1String("times")) || name.contains(QLatin1String("roman")))
        return QStringLiteral("Liberation Serif");
    if (name.contains(QLatin1String("cour")) || name.contains(QLatin1String("mono")))
        return QStringLiteral("Liberation Mono");
    return QStringLiteral("DejaVu Sans");
}

QTransform fitTransform(const QRectF &world, const QRectF &device)
{
    double w = world.width(), h = world.height();
    if (w <= 0 && h <= 0)
        w = h = 1;
    double k;
    if (w <= 0)
        k = device.height() / h;
    else if (h <= 0)
        k = device.width() / w;
    else
        k = std::min(device.width() / w, device.height() / h);
    const QPointF c = world.center();
    const QPointF d = device.center();
    return QTransform(k, 0, 0, -k, d.x() - k * c.x(), d.y() + k * c.y());
}

void render(QPainter &painter, const Drawing &drawing, const QTransform &worldToDevice, const RenderOptions &options)
{
    painter.save();
    if (options.fillBackground && painter.device()) {
        painter.setTransform(QTransform());
        painter.fillRect(QRect(0, 0, painter.device()->width(), painter.device()->height()), drawing.background());
    }
    painter.setRenderHint(QPainter::Antialiasing, options.antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing, options.antialiasing);

    // Entities grouped by layer once, in insertion order within each.
    QVector<QVector<const Entity *>> byLayer(drawing.layerCount() + 1);
    for (const auto &e : drawing.data().entities)
        if (e->layer >= 1 && e->layer <= drawing.layerCount())
            byLayer[e->layer] << e.get();

    {
        Painter p(painter, drawing, worldToDevice, options);
        for (const int id : drawing.drawingOrder()) {
            if (!drawing.layer(id)->visible)
                continue;
            for (const Entity *e : byLayer[id])
                p.entity(*e, entityColour(drawing, *e), 0);
        }
    }
    painter.restore();
}

QSize exportSize(const QRectF &region, double s)
{
    const double w = std::round(region.width() * s);
    const double h = std::round(region.height() * s);
    if (!std::isfinite(w) || !std::isfinite(h) || w < 1 || h < 1 || w > kMaxExportSide || h > kMaxExportSide)
        return {};
    return QSize(int(w), int(h));
}

QImage exportRegion(const Drawing &drawing, const QRectF &region, double s)
{
    const QSize size = exportSize(region, s);
    if (size.isEmpty())
        throw SolvaneError(ErrorNumber::BadFileFormat,
                           QStringLiteral("The drawing cannot be exported at %1 x %2 pixels")
                               .arg(region.width() * s)
                               .arg(region.height() * s));
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull())
        throw SolvaneError(ErrorNumber::FileWrite,
                           QStringLiteral("There is not enough memory to export the drawing at %1 x %2 pixels")
                               .arg(size.width())
                               .arg(size.height()));
    const QTransform view(s, 0, 0, -s, -region.x() * s, (region.y() + region.height()) * s);
    RenderOptions options;
    options.lineWidth = std::max(1.0, std::max(size.width(), size.height()) / 800.0);
    QPainter painter(&image);
    render(painter, drawing, view, options);
    painter.end();
    return image;
}

} // namespace cad
