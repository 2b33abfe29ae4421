#include "view_camera.h"

#include <algorithm>
#include <cmath>

namespace view {

namespace {
QVector3D toQt(const mesh::Vec3& v)
{
    return QVector3D(float(v.x), float(v.y), float(v.z));
}
} // namespace

void ViewCamera::fit(const mesh::Bounds& bounds)
{
    if (bounds.empty) {
        m_centre = QVector3D();
        m_radius = 50.0;
    } else {
        m_centre = toQt(bounds.centre());
        const mesh::Vec3 size = bounds.size();
        m_radius = std::max(0.5 * std::sqrt(size.x * size.x + size.y * size.y + size.z * size.z), 1e-3);
    }
    const double halfAngle = kFieldOfView * 0.5 * M_PI / 180.0;
    m_distance = m_radius / std::sin(halfAngle) * 1.05;
}

void ViewCamera::resetFrame()
{
    m_orientation = QQuaternion();
}

void ViewCamera::rotateFrame(int axis, double degrees)
{
    QVector3D a(axis == 0 ? 1.f : 0.f, axis == 1 ? 1.f : 0.f, axis == 2 ? 1.f : 0.f);
    m_orientation = (QQuaternion::fromAxisAndAngle(a, float(degrees)) * m_orientation).normalized();
}

void ViewCamera::orbit(double screenDx, double screenDy)
{
    const QVector3D up = m_orientation.rotatedVector(QVector3D(0, 1, 0));
    const QVector3D right = m_orientation.rotatedVector(QVector3D(1, 0, 0));
    const QQuaternion turn = QQuaternion::fromAxisAndAngle(up, float(-screenDx * 0.5))
        * QQuaternion::fromAxisAndAngle(right, float(-screenDy * 0.5));
    m_orientation = (turn * m_orientation).normalized();
}

void ViewCamera::pan(const QPointF& pixelDelta, const QSize& viewport)
{
    if (viewport.height() <= 0)
        return;
    const double halfAngle = kFieldOfView * 0.5 * M_PI / 180.0;
    const double unitsPerPixel = 2.0 * m_distance * std::tan(halfAngle) / viewport.height();
    const QVector3D up = m_orientation.rotatedVector(QVector3D(0, 1, 0));
    const QVector3D right = m_orientation.rotatedVector(QVector3D(1, 0, 0));
    m_centre -= right * float(pixelDelta.x() * unitsPerPixel);
    m_centre += up * float(pixelDelta.y() * unitsPerPixel);
}

void ViewCamera::zoom(double factor)
{
    if (factor > 0)
        m_distance = std::max(m_distance / factor, m_radius * 1e-3);
}

QVector3D ViewCamera::eye() const
{
    return m_centre + m_orientation.rotatedVector(QVector3D(0, 0, float(m_distance)));
}

QMatrix4x4 ViewCamera::viewMatrix() const
{
    QMatrix4x4 m;
    m.lookAt(eye(), m_centre, m_orientation.rotatedVector(QVector3D(0, 1, 0)));
    return m;
}

QMatrix4x4 ViewCamera::projectionMatrix(const QSize& viewport) const
{
    const double aspect = viewport.height() > 0 ? double(viewport.width()) / viewport.height() : 1.0;
    // The whole model stays between the planes whatever the turn or zoom.
    const double nearPlane = std::max(m_distance - 2.5 * m_radius, m_distance * 1e-3);
    const double farPlane = m_distance + 2.5 * m_radius;
    QMatrix4x4 m;
    m.perspective(float(kFieldOfView), float(aspect), float(nearPlane), float(farPlane));
    return m;
}

Ray ViewCamera::rayThrough(const QPointF& pixel, const QSize& viewport) const
{
    const QMatrix4x4 inverse = (projectionMatrix(viewport) * viewMatrix()).inverted();
    const double x = 2.0 * (pixel.x() + 0.5) / std::max(1, viewport.width()) - 1.0;
    const double y = 1.0 - 2.0 * (pixel.y() + 0.5) / std::max(1, viewport.height());
    const QVector3D nearPoint = inverse.map(QVector3D(float(x), float(y), -1.f));
    const QVector3D farPoint = inverse.map(QVector3D(float(x), float(y), 1.f));
    const QVector3D d = (farPoint - nearPoint).normalized();
    return {{nearPoint.x(), nearPoint.y(), nearPoint.z()}, {d.x(), d.y(), d.z()}};
}

QPointF ViewCamera::project(const mesh::Vec3& point, const QSize& viewport) const
{
    const QVector3D ndc = (projectionMatrix(viewport) * viewMatrix()).map(toQt(point));
    return {(ndc.x() + 1.0) * 0.5 * viewport.width() - 0.5, (1.0 - ndc.y()) * 0.5 * viewport.height() - 0.5};
}

} // namespace view
