#include "camera.h"

#include "vec_math.h"

#include <algorithm>
#include <cmath>

namespace mesh {

namespace {
constexpr double kFitMargin = 1.1;
}

void Camera::setViewport(int widthPixels, int heightPixels)
{
    m_width = std::max(1, widthPixels);
    m_height = std::max(1, heightPixels);
}

void Camera::applyPreset(ViewPreset preset)
{
    m_eye.reset();
    m_eye.place({0, 0, 0});
    // Each preset's turns are about the scene's axes. Turned about the
    // frame's own axes, "Left", "Right", "Front" and "Back" would all look
    // from the same side of the foot, only spun in the screen plane.
    auto turn = [&](Axis axis, double degrees) { m_eye.turnAboutSceneAxis(axis, degrees); };
    switch (preset) {
    case ViewPreset::Top: turn(Axis::Y, 0); break;
    case ViewPreset::Bottom:
        turn(Axis::Y, 180);
        turn(Axis::Z, 180);
        break;
    case ViewPreset::Left:
        turn(Axis::X, 270);
        turn(Axis::Y, 180);
        break;
    case ViewPreset::Right: turn(Axis::X, 90); break;
    case ViewPreset::Front:
        turn(Axis::Y, 90);
        turn(Axis::X, 90);
        break;
    case ViewPreset::Back:
        turn(Axis::Y, 270);
        turn(Axis::X, 90);
        break;
    case ViewPreset::Sole: turn(Axis::Y, 180); break;
    }
}

void Camera::fit(const Bounds &bounds)
{
    m_eye.place({0, 0, 0});
    if (bounds.empty) {
        m_centre = {};
        m_viewHeight = m_depth = 100;
        return;
    }
    m_centre = bounds.centre();
    // The box as the view sees it now, so a foot seen end-on still fills the
    // view; the depth holds the bounding sphere, whichever way the view turns.
    double across = 0, upwards = 0;
    for (int k = 0; k < 8; ++k) {
        const Vec3 corner{k & 1 ? bounds.max.x : bounds.min.x, k & 2 ? bounds.max.y : bounds.min.y,
                          k & 4 ? bounds.max.z : bounds.min.z};
        across = std::max(across, 2 * std::abs(dot(corner - m_centre, right())));
        upwards = std::max(upwards, 2 * std::abs(dot(corner - m_centre, up())));
    }
    const double aspect = static_cast<double>(m_width) / m_height;
    m_viewHeight = std::max({upwards, across / aspect, 1e-6}) * kFitMargin;
    m_depth = std::max(length(bounds.size()), 1e-6) * kFitMargin;
}

void Camera::zoom(double factor, const Vec3 &about)
{
    if (!(factor > 0) || !std::isfinite(factor))
        return;
    const Vec3 centre = visibleCentre();
    // Only the offset across the screen shrinks; depth does not matter to
    // an orthographic view.
    Vec3 offset = centre - about;
    offset = offset - towardsViewer() * dot(offset, towardsViewer());
    const Vec3 newCentre = centre - offset + offset * (1 / factor);
    m_centre = newCentre - m_eye.position();
    m_viewHeight /= factor;
}

void Camera::zoomToRectangle(PixelPoint corner1, PixelPoint corner2)
{
    const double w = std::abs(corner2.x - corner1.x);
    const double h = std::abs(corner2.y - corner1.y);
    if (w <= 0 || h <= 0)
        return;
    const Ray middle = rayThroughPixel((corner1.x + corner2.x) / 2, (corner1.y + corner2.y) / 2);
    const double aspect = static_cast<double>(m_width) / m_height;
    const double newHeight = std::max(h, w / aspect) * unitsPerPixel();
    m_centre = middle.origin - m_eye.position();
    m_viewHeight = newHeight;
}

AxisRange Camera::visibleRange(Axis axis) const
{
    const int i = static_cast<int>(axis);
    const Vec3 c = visibleCentre();
    const double centre = i == 0 ? c.x : (i == 1 ? c.y : c.z);
    const double halfHeight = m_viewHeight / 2;
    const double halfWidth = halfHeight * m_width / m_height;
    const double halfDepth = m_depth / 2;
    const Mat3 &r = m_eye.rotation();
    const double reach = std::abs(r(i, 0)) * halfWidth + std::abs(r(i, 1)) * halfHeight + std::abs(r(i, 2)) * halfDepth;
    return {centre - reach, centre + reach};
}

Vec3 Camera::visibleCentre() const
{
    return m_centre + m_eye.position();
}

double Camera::unitsPerPixel() const
{
    return m_viewHeight / m_height;
}

Ray Camera::rayThroughPixel(double x, double y) const
{
    const double scale = unitsPerPixel();
    const double across = (x - m_width / 2.0) * scale;
    const double upwards = (m_height / 2.0 - y) * scale;
    return {visibleCentre() + right() * across + up() * upwards, -towardsViewer()};
}

PixelPoint Camera::toPixel(const Vec3 &scenePoint) const
{
    const Vec3 offset = scenePoint - visibleCentre();
    const double scale = unitsPerPixel();
    return {m_width / 2.0 + dot(offset, right()) / scale, m_height / 2.0 - dot(offset, up()) / scale};
}

std::array<double, 16> Camera::viewProjection(const Bounds &scene) const
{
    const Vec3 c = visibleCentre();
    const double halfHeight = m_viewHeight / 2;
    const double halfWidth = halfHeight * m_width / m_height;
    double halfDepth = m_depth / 2;
    if (!scene.empty) {
        for (int k = 0; k < 8; ++k) {
            const Vec3 corner{k & 1 ? scene.max.x : scene.min.x, k & 2 ? scene.max.y : scene.min.y,
                              k & 4 ? scene.max.z : scene.min.z};
            halfDepth = std::max(halfDepth, std::abs(dot(corner - c, towardsViewer())));
        }
    }
    halfDepth = halfDepth * 1.01 + 1e-6;
    // Rows of the scene-to-clip map: clip = row . (p - c).
    const Vec3 rows[3] = {right() * (1 / halfWidth), up() * (1 / halfHeight), towardsViewer() * (-1 / halfDepth)};
    std::array<double, 16> m{};
    for (int row = 0; row < 3; ++row) {
        m[0 * 4 + row] = rows[row].x;
        m[1 * 4 + row] = rows[row].y;
        m[2 * 4 + row] = rows[row].z;
        m[3 * 4 + row] = -dot(rows[row], c);
    }
    m[15] = 1;
    return m;
}

} // namespace mesh
