#include "frame.h"

#include "vec_math.h"

#include <cmath>

namespace mesh {

namespace {

// Sine and cosine with quarter turns exact, so preset views and grid planes
// hold no 6e-17 residues.
void sineCosine(double degrees, double &s, double &c)
{
    const double turns = degrees / 90;
    if (std::isfinite(turns) && turns == std::floor(turns)) {
        static constexpr double sines[4] = {0, 1, 0, -1};
        const long long quarter = ((static_cast<long long>(turns) % 4) + 4) % 4;
        s = sines[quarter];
        c = sines[(quarter + 1) % 4];
        return;
    }
    const double a = radians(degrees);
    s = std::sin(a);
    c = std::cos(a);
}

} // namespace

Mat3 Mat3::rotation(Axis axis, double degrees)
{
    double s, c;
    sineCosine(degrees, s, c);
    switch (axis) {
    case Axis::X: return {{1, 0, 0, 0, c, -s, 0, s, c}};
    case Axis::Y: return {{c, 0, s, 0, 1, 0, -s, 0, c}};
    case Axis::Z: break;
    }
    return {{c, -s, 0, s, c, 0, 0, 0, 1}};
}

Mat3 Mat3::rotation(const Vec3 &axis, double degrees)
{
    const Vec3 k = normalized(axis);
    if (k == Vec3{})
        return identity();
    double s, c;
    sineCosine(degrees, s, c);
    const double t = 1 - c;
    return {{t * k.x * k.x + c, t * k.x * k.y - s * k.z, t * k.x * k.z + s * k.y, t * k.x * k.y + s * k.z,
             t * k.y * k.y + c, t * k.y * k.z - s * k.x, t * k.x * k.z - s * k.y, t * k.y * k.z + s * k.x,
             t * k.z * k.z + c}};
}

Mat3 Mat3::transposed() const
{
    return {{m[0], m[3], m[6], m[1], m[4], m[7], m[2], m[5], m[8]}};
}

Mat3 operator*(const Mat3 &a, const Mat3 &b)
{
    Mat3 r;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            r.m[3 * i + j] = a(i, 0) * b(0, j) + a(i, 1) * b(1, j) + a(i, 2) * b(2, j);
    return r;
}

Vec3 operator*(const Mat3 &a, const Vec3 &v)
{
    return {a(0, 0) * v.x + a(0, 1) * v.y + a(0, 2) * v.z, a(1, 0) * v.x + a(1, 1) * v.y + a(1, 2) * v.z,
            a(2, 0) * v.x + a(2, 1) * v.y + a(2, 2) * v.z};
}

void Frame::reset()
{
    m_rotation = Mat3::identity();
    m_position = {};
}

void Frame::moveBy(const Vec3 &offset)
{
    m_position += offset;
}

void Frame::turnAboutOwnAxis(Axis axis, double degrees)
{
    m_rotation = m_rotation * Mat3::rotation(axis, degrees);
}

void Frame::turnAboutSceneAxis(Axis axis, double degrees)
{
    m_rotation = Mat3::rotation(axis, degrees) * m_rotation;
}

void Frame::turnAbout(double degrees, const Vec3 &point, const Vec3 &axis)
{
    const Mat3 turn = Mat3::rotation(axis, degrees);
    m_rotation = turn * m_rotation;
    m_position = point + turn * (m_position - point);
}

Vec3 Frame::toScene(const Vec3 &local) const
{
    return m_rotation * local + m_position;
}

} // namespace mesh
