#pragma once
// The camera of a foot viewport: an eye frame turned about the model's
// centre. The reset frame is the "Top" view: looking down the Z axis at the
// XY plane, Y up the screen. Plain value type, so views, picking and tests
// share the same arithmetic.

#include "mesh_model.h"

#include <QMatrix4x4>
#include <QPointF>
#include <QQuaternion>
#include <QSize>
#include <QVector3D>

namespace view {

struct Ray {
    mesh::Vec3 origin;
    mesh::Vec3 direction; // unit length
};

class ViewCamera {
public:
    // Frames the box: the centre becomes the turning point and the eye moves
    // back until the whole box shows. The orientation stays.
    void fit(const mesh::Bounds& bounds);

    // Back to the "Top" orientation; distance and centre stay.
    void resetFrame();
    // Turns the eye frame about a world axis (0 = X, 1 = Y, 2 = Z) through
    // the centre, as the view presets do.
    void rotateFrame(int axis, double degrees);

    // Mouse work: turn about the screen's axes, slide the centre with the
    // pointer, and move closer (factor > 1) or away.
    void orbit(double screenDx, double screenDy);
    void pan(const QPointF& pixelDelta, const QSize& viewport);
    void zoom(double factor);

    QVector3D centre() const { return m_centre; }
    void setCentre(const QVector3D& centre) { m_centre = centre; }
    double distance() const { return m_distance; }
    QQuaternion orientation() const { return m_orientation; }
    QVector3D eye() const;

    QMatrix4x4 viewMatrix() const;
    QMatrix4x4 projectionMatrix(const QSize& viewport) const;

    // The line of sight through a pixel (origin on the near plane).
    Ray rayThrough(const QPointF& pixel, const QSize& viewport) const;
    // Where a point lands in the viewport, in pixels from the top-left.
    QPointF project(const mesh::Vec3& point, const QSize& viewport) const;

    static constexpr double kFieldOfView = 30.0; // degrees, vertical

private:
    QVector3D m_centre;
    double m_distance = 100.0;
    double m_radius = 50.0;
    QQuaternion m_orientation;
};

} // namespace view
