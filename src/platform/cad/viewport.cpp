#include "viewport.h"

#include <algorithm>
#include <cmath>

namespace cad {

void Viewport::setView(QPointF centre, double scale)
{
    if (std::isfinite(centre.x()) && std::isfinite(centre.y()))
        m_centre = centre;
    if (std::isfinite(scale) && scale > 0)
        m_scale = std::clamp(scale, kMinScale, kMaxScale);
}

QPointF Viewport::toScreen(QPointF world) const
{
    return {m_size.width() / 2 + m_scale * (world.x() - m_centre.x()),
            m_size.height() / 2 - m_scale * (world.y() - m_centre.y())};
}

QPointF Viewport::toWorld(QPointF screen) const
{
    return {m_centre.x() + (screen.x() - m_size.width() / 2) / m_scale,
            m_centre.y() - (screen.y() - m_size.height() / 2) / m_scale};
}

QTransform Viewport::transform() const
{
    const QPointF origin = toScreen(QPointF(0, 0));
    return QTransform(m_scale, 0, 0, -m_scale, origin.x(), origin.y());
}

QRectF Viewport::visibleWorld() const
{
    return QRectF(toWorld(QPointF(0, m_size.height())), toWorld(QPointF(m_size.width(), 0))).normalized();
}

void Viewport::keep()
{
    m_previous.push_back({m_centre, m_scale});
    while (int(m_previous.size()) > kMaxPrevious)
        m_previous.pop_front();
}

void Viewport::zoomExtents(const QRectF &extents)
{
    keep();
    // A view too short for its prompt line fits into the whole of it.
    const double reserved = m_reservedBottom < m_size.height() ? m_reservedBottom : 0;
    const double height = m_size.height() - reserved;
    const QPointF centre = extents.isNull() && extents.topLeft().isNull() ? QPointF(0, 0) : extents.center();
    const double w = extents.width() * (1 + 2 * kMargin);
    const double h = extents.height() * (1 + 2 * kMargin);
    double scale = m_scale;
    if (w > 0 && h > 0)
        scale = std::min(m_size.width() / w, height / h);
    else if (w > 0)
        scale = m_size.width() / w;
    else if (h > 0)
        scale = height / h;
    setView(centre, scale);
    // The fitted box sits in the middle of the free part: the view's centre
    // moves down by half the reserved strip.
    setView(QPointF(centre.x(), centre.y() - reserved / 2 / m_scale), m_scale);
}

void Viewport::zoomBy(double factor)
{
    if (!(factor > 0))
        return;
    keep();
    setView(m_centre, m_scale * factor);
}

void Viewport::zoomWindow(QPointF a, QPointF b)
{
    const QRectF box = QRectF(a, b).normalized();
    if (box.width() <= 0 && box.height() <= 0)
        return;
    keep();
    double scale;
    if (box.width() <= 0)
        scale = m_size.height() / box.height();
    else if (box.height() <= 0)
        scale = m_size.width() / box.width();
    else
        scale = std::min(m_size.width() / box.width(), m_size.height() / box.height());
    setView(box.center(), scale);
}

void Viewport::panBy(QPointF screenDelta)
{
    keep();
    setView(m_centre - QPointF(screenDelta.x() / m_scale, -screenDelta.y() / m_scale), m_scale);
}

bool Viewport::previous()
{
    if (m_previous.empty())
        return false;
    const View back = m_previous.back();
    m_previous.pop_back();
    m_centre = back.centre;
    m_scale = back.scale;
    return true;
}

void Viewport::zoomAt(QPointF screen, double factor)
{
    if (!(factor > 0))
        return;
    const QPointF under = toWorld(screen);
    setView(m_centre, m_scale * factor);
    // Shift so the same drawing point lies under the pointer again.
    const QPointF now = toWorld(screen);
    setView(m_centre + (under - now), m_scale);
}

} // namespace cad
