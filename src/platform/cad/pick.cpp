#include "pick.h"

#include <QtMath>

#include <cmath>

namespace cad {

namespace {

double segmentDistance(QPointF p, QPointF a, QPointF b)
{
    const QPointF ab = b - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    double t = length2 > 0 ? QPointF::dotProduct(p - a, ab) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const QPointF nearest = a + ab * t;
    return std::hypot(p.x() - nearest.x(), p.y() - nearest.y());
}

bool nearPath(const QVector<QPointF> &points, bool closed, QPointF p, double tolerance)
{
    const qsizetype n = points.size();
    if (n == 1)
        return segmentDistance(p, points[0], points[0]) <= tolerance;
    for (qsizetype i = 1; i < n; ++i)
        if (segmentDistance(p, points[i - 1], points[i]) <= tolerance)
            return true;
    return closed && n > 2 && segmentDistance(p, points[n - 1], points[0]) <= tolerance;
}

QVector<QPointF> ellipsePoints(const Entity &e)
{
    constexpr int kSteps = 72;
    const double radiusY = e.kind == Kind::Circle ? e.radius : e.radiusY;
    const double turn = qDegreesToRadians(e.angle);
    QVector<QPointF> points;
    points.reserve(kSteps);
    for (int i = 0; i < kSteps; ++i) {
        const double t = 2 * M_PI * i / kSteps;
        const double x = e.radius * std::cos(t), y = radiusY * std::sin(t);
        points << e.anchor()
                      + QPointF(x * std::cos(turn) - y * std::sin(turn), x * std::sin(turn) + y * std::cos(turn));
    }
    return points;
}

bool hit(const Drawing &drawing, const Entity &e, QPointF p, double tolerance, int depth)
{
    // An insert whose box would take expanding it is tried part by part:
    // a part that is hit lies inside the insert's box anyway.
    const std::optional<QRectF> box = drawing.quickExtents(e, depth);
    if (box && !box->adjusted(-tolerance, -tolerance, tolerance, tolerance).contains(p))
        return false;
    switch (e.kind) {
    case Kind::Line:
    case Kind::Polyline: return nearPath(e.points, e.closed, p, tolerance);
    case Kind::Leader: return nearPath(e.points, false, p, tolerance) || !e.text.isEmpty();
    case Kind::Spline: return nearPath(splineCurve(e.points, e.closed), false, p, tolerance);
    case Kind::Circle:
        return std::abs(std::hypot(p.x() - e.anchor().x(), p.y() - e.anchor().y()) - e.radius) <= tolerance;
    case Kind::Ellipse: return nearPath(ellipsePoints(e), true, p, tolerance);
    case Kind::Text:
    case Kind::MultiText:
    case Kind::Raster: return true; // inside the box
    case Kind::Insert: {
        const Block *b = drawing.block(drawing.blockId(e.block));
        if (!b || depth >= kMaxBlockDepth)
            return false;
        const Similarity place = insertPlacement(e, b->base);
        for (Entity part : b->entities) {
            transformEntity(part, place);
            if (hit(drawing, part, p, tolerance, depth + 1))
                return true;
        }
        return false;
    }
    }
    return false;
}

} // namespace

bool layerPickable(const Drawing &drawing, int layerId)
{
    const Layer *layer = drawing.layer(layerId);
    return layer && layer->visible && !layer->locked;
}

bool entityHit(const Drawing &drawing, const Entity &entity, QPointF point, double tolerance)
{
    return hit(drawing, entity, point, tolerance, 0);
}

Handle pickEntity(const Drawing &drawing, QPointF point, double tolerance)
{
    const QVector<int> order = drawing.drawingOrder();
    const auto &entities = drawing.data().entities;
    for (auto layer = order.crbegin(); layer != order.crend(); ++layer) {
        if (!layerPickable(drawing, *layer))
            continue;
        for (auto e = entities.crbegin(); e != entities.crend(); ++e)
            if ((*e)->layer == *layer && entityHit(drawing, **e, point, tolerance))
                return (*e)->handle;
    }
    return 0;
}

QVector<Handle> entitiesInside(const Drawing &drawing, const QRectF &box)
{
    const QRectF area = box.normalized();
    QVector<Handle> inside;
    for (const auto &e : drawing.data().entities) {
        if (!layerPickable(drawing, e->layer))
            continue;
        const QRectF extents = drawing.entityExtents(*e);
        if (area.contains(extents.topLeft()) && area.contains(extents.bottomRight()))
            inside << e->handle;
    }
    return inside;
}

} // namespace cad
