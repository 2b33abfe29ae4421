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

class Painter
{
public:
    Painter(QPainter &painter, const Drawing &drawing, const QTransform &view, const RenderOptions &options)
        : m_p(painter),
          m_drawing(drawing),
          m_view(view),
          m_options(options)
    {}

    void entity(const Entity &e, const QColor &colour, int depth)
    {
        QPen pen(colour);
        pen.setCosmetic(true);
        pen.setWidthF(m_options.lineWidth);
        pen.setJoinStyle(Qt::RoundJoin);
        pen.setCapStyle(Qt::RoundCap);
        m_p.setPen(pen);
        m_p.setBrush(Qt::NoBrush);
        m_p.setTransform(m_view);
        switch (e.kind) {
        case Kind::Line:
            if (e.points.size() == 2)
                m_p.drawLine(e.points[0], e.points[1]);
            break;
        case Kind::Polyline:
            if (e.closed)
                m_p.drawPolygon(e.points.constData(), int(e.points.size()));
            else
                m_p.drawPolyline(e.points.constData(), int(e.points.size()));
            break;
        case Kind::Spline: {
            const QVector<QPointF> curve = splineCurve(e.points, e.closed);
            m_p.drawPolyline(curve.constData(), int(curve.size()));
            break;
        }
        case Kind::Circle: m_p.drawEllipse(e.anchor(), e.radius, e.radius); break;
        case Kind::Ellipse:
            m_p.setTransform(QTransform().translate(e.anchor().x(), e.anchor().y()).rotate(e.angle) * m_view);
            m_p.drawEllipse(QPointF(0, 0), e.radius, e.radiusY);
            break;
        case Kind::Text:
        case Kind::MultiText: text(e, colour); break;
        case Kind::Leader: leader(e, colour); break;
        case Kind::Raster: raster(e); break;
        case Kind::Insert: insert(e, colour, depth); break;
        }
    }

private:
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
        m_p.drawPolyline(e.points.constData(), int(e.points.size()));
        if (e.points.size() >= 2 && e.arrowSize > 0) {
            const QPointF tip = e.points[0];
            QPointF back = e.points[1] - tip;
            const double length = std::hypot(back.x(), back.y());
            if (length > 0) {
                back /= length;
                const QPointF side(-back.y(), back.x());
                const QPointF base = tip + back * e.arrowSize;
                const QPointF arrow[3] = {tip, base + side * (e.arrowSize / 3), base - side * (e.arrowSize / 3)};
                m_p.setBrush(colour);
                m_p.drawPolygon(arrow, 3);
                m_p.setBrush(Qt::NoBrush);
            }
        }
        if (!e.text.isEmpty())
            text(leaderLabel(e), colour);
    }

    void raster(const Entity &e)
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
            m_p.setTransform(toDevice);
            m_p.drawRect(QRectF(0, 0, w, h));
            m_p.drawLine(QPointF(0, 0), QPointF(w, h));
            m_p.drawLine(QPointF(w, 0), QPointF(0, h));
            return;
        }
        const bool oneToOne = std::abs(toDevice.m11() - 1) < 1e-9 && std::abs(toDevice.m22() - 1) < 1e-9
                              && std::abs(toDevice.m12()) < 1e-12 && std::abs(toDevice.m21()) < 1e-12
                              && std::abs(toDevice.dx() - std::round(toDevice.dx())) < 1e-6
                              && std::abs(toDevice.dy() - std::round(toDevice.dy())) < 1e-6;
        if (oneToOne) {
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
};

} // namespace

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

    Painter p(painter, drawing, worldToDevice, options);
    for (const int id : drawing.drawingOrder()) {
        if (!drawing.layer(id)->visible)
            continue;
        for (const Entity *e : byLayer[id])
            p.entity(*e, entityColour(drawing, *e), 0);
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
