#include "entity.h"

#include <QLineF>
#include <QtMath>

namespace cad {

namespace {

QPointF rotated(QPointF p, double degrees)
{
    const double r = qDegreesToRadians(degrees);
    const double c = std::cos(r);
    const double s = std::sin(r);
    return {p.x() * c - p.y() * s, p.x() * s + p.y() * c};
}

// An angle brought into (-180, 180].
double normalised(double degrees)
{
    double a = std::fmod(degrees, 360.0);
    if (a <= -180)
        a += 360;
    else if (a > 180)
        a -= 360;
    return a;
}

} // namespace

QPointF Similarity::map(QPointF p) const
{
    if (mirrored)
        p.setY(-p.y());
    return rotated(p, angle) * scale + offset;
}

double Similarity::mapAngle(double degrees) const
{
    return mirrored ? angle - degrees : angle + degrees;
}

Similarity Similarity::then(const Similarity &next) const
{
    Similarity out;
    out.scale = scale * next.scale;
    out.angle = next.mirrored ? next.angle - angle : next.angle + angle;
    out.mirrored = mirrored != next.mirrored;
    out.offset = next.map(offset);
    return out;
}

Similarity Similarity::translation(QPointF by)
{
    Similarity t;
    t.offset = by;
    return t;
}

Similarity Similarity::rotation(QPointF centre, double degrees)
{
    Similarity t;
    t.angle = degrees;
    t.offset = centre - rotated(centre, degrees);
    return t;
}

Similarity Similarity::scaling(QPointF centre, double factor)
{
    // A negative factor is a half turn with the positive one, so sizes
    // and angles stay meaningful.
    Similarity t;
    t.scale = std::abs(factor);
    t.angle = factor < 0 ? 180 : 0;
    t.offset = centre - centre * factor;
    return t;
}

Similarity Similarity::mirror(QPointF a, QPointF b)
{
    Similarity t;
    t.mirrored = true;
    t.angle = 2 * qRadiansToDegrees(std::atan2(b.y() - a.y(), b.x() - a.x()));
    t.offset = a - rotated(QPointF(a.x(), -a.y()), t.angle);
    return t;
}

void transformEntity(Entity &entity, const Similarity &t)
{
    for (QPointF &p : entity.points)
        p = t.map(p);
    const double factor = t.scale;
    entity.radius *= factor;
    entity.radiusY *= factor;
    entity.height *= factor;
    entity.arrowSize *= factor;
    switch (entity.kind) {
    case Kind::Ellipse: entity.angle = normalised(t.mapAngle(entity.angle)); break;
    case Kind::Text:
    case Kind::MultiText:
        entity.angle = normalised(t.mapAngle(entity.angle));
        if (t.mirrored) {
            // Readable: letters are never mirrored, and a mirrored text is
            // turned the right way up.
            if (entity.angle > 90)
                entity.angle -= 180;
            else if (entity.angle <= -90)
                entity.angle += 180;
        }
        break;
    case Kind::Raster:
        entity.angle = normalised(t.mapAngle(entity.angle));
        entity.mirrored = entity.mirrored != t.mirrored;
        if (factor > 0)
            entity.scale /= factor;
        break;
    case Kind::Insert:
        entity.angle = normalised(t.mapAngle(entity.angle));
        entity.mirrored = entity.mirrored != t.mirrored;
        entity.scale *= factor;
        break;
    default: break;
    }
}

Similarity insertPlacement(const Entity &insert, QPointF blockBase)
{
    Similarity place;
    place.scale = insert.scale;
    place.angle = insert.angle;
    place.mirrored = insert.mirrored;
    place.offset = insert.anchor();
    return Similarity::translation(-blockBase).then(place);
}

QVector<QPointF> splineCurve(const QVector<QPointF> &points, bool closed)
{
    const qsizetype n = points.size();
    if (n < 3)
        return points;
    const qsizetype spans = closed ? n : n - 1;
    auto at = [&](qsizetype i) {
        if (closed)
            return points[((i % n) + n) % n];
        return points[std::clamp<qsizetype>(i, 0, n - 1)];
    };
    constexpr int kSteps = 16;
    QVector<QPointF> curve;
    curve.reserve(spans * kSteps + 1);
    for (qsizetype i = 0; i < spans; ++i) {
        const QPointF p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        for (int k = 0; k < kSteps; ++k) {
            const double t = double(k) / kSteps;
            const double t2 = t * t, t3 = t2 * t;
            curve << 0.5
                         * (2 * p1 + (p2 - p0) * t + (2 * p0 - 5 * p1 + 4 * p2 - p3) * t2
                            + (3 * p1 - p0 - 3 * p2 + p3) * t3);
        }
    }
    curve << (closed ? points.first() : points.last());
    return curve;
}

QStringList textLines(const Entity &text)
{
    if (text.kind == Kind::MultiText)
        return text.text.split(u'\n');
    return {text.text};
}

QVector<QPointF> textBaselines(const Entity &text)
{
    if (text.kind != Kind::MultiText)
        return {text.anchor()};
    const qsizetype lines = text.text.count(u'\n') + 1;
    const QPointF down = rotated(QPointF(0, -1), text.angle);
    QVector<QPointF> out;
    for (qsizetype i = 0; i < lines; ++i)
        out << text.anchor() + down * (text.height * (1 + kLinePitch * double(i)));
    return out;
}

Entity leaderLabel(const Entity &leader)
{
    Entity label;
    label.kind = Kind::Text;
    label.layer = leader.layer;
    label.colour = leader.colour;
    label.text = leader.text;
    label.style = leader.style;
    label.height = leader.height;
    label.points = {leader.points.value(leader.points.size() - 1) + QPointF(leader.height * 0.5, -leader.height * 0.5)};
    return label;
}

} // namespace cad
