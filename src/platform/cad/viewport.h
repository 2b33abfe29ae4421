#pragma once

#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QTransform>

#include <deque>

// Where a drawing view looks: the drawing point at the centre of the view
// and the pixels per drawing unit. Drawing y points up, the screen's down.
// No widgets, so the mapping and the zooms are tested and timed alone.
namespace cad {

class Viewport
{
public:
    // The view's size in pixels.
    void setSize(QSizeF size) { m_size = size; }
    QSizeF size() const { return m_size; }
    // Pixels along the bottom edge that zoomExtents() leaves free, because
    // the view paints its prompt line over them.
    void setReservedBottom(double pixels) { m_reservedBottom = pixels > 0 ? pixels : 0; }
    double reservedBottom() const { return m_reservedBottom; }

    double scale() const { return m_scale; } // pixels per drawing unit
    QPointF centre() const { return m_centre; }
    void setView(QPointF centre, double scale);

    QPointF toScreen(QPointF world) const;
    QPointF toWorld(QPointF screen) const;
    // Drawing to screen, for cad::render().
    QTransform transform() const;
    // The drawing rectangle the view shows (y up: top() is the lowest y).
    QRectF visibleWorld() const;

    // Each of these keeps the view it leaves for previous().
    // The box as large as fits, with a margin of 5 % of its size on every
    // side, into the view above its reserved bottom; a point (or nothing)
    // keeps the scale and centres the point there.
    void zoomExtents(const QRectF &extents);
    // Zooms by the factor about the view's centre (2 in, 0.5 out).
    void zoomBy(double factor);
    // The drawing rectangle spanned by two drawing points fills the view.
    void zoomWindow(QPointF a, QPointF b);
    // Moves the drawing by a screen offset (it follows the pointer).
    void panBy(QPointF screenDelta);
    // Back to the view before the last zoom or pan; false when there is none.
    bool previous();

    // The wheel: zooms by the factor keeping the drawing point under the
    // pointer where it is. Not kept for previous(), one notch at a time
    // would fill it.
    void zoomAt(QPointF screen, double factor);

    static constexpr double kMargin = 0.05;
    static constexpr double kMinScale = 1e-6;
    static constexpr double kMaxScale = 1e6;
    static constexpr int kMaxPrevious = 50;

private:
    struct View
    {
        QPointF centre;
        double scale;
    };
    void keep();

    QSizeF m_size{100, 100};
    double m_reservedBottom = 0;
    QPointF m_centre;
    double m_scale = 1;
    std::deque<View> m_previous;
};

} // namespace cad
