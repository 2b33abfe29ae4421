#pragma once
// Small vector arithmetic on the model's Vec3, shared by the edits, the cut,
// the camera and picking.

#include "mesh_model.h"
#include "plangeometry.h"

#include <cmath>

namespace mesh {

inline Vec3 operator+(const Vec3 &a, const Vec3 &b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}
inline Vec3 operator-(const Vec3 &a, const Vec3 &b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 operator-(const Vec3 &a)
{
    return {-a.x, -a.y, -a.z};
}
inline Vec3 operator*(const Vec3 &a, double s)
{
    return {a.x * s, a.y * s, a.z * s};
}
inline Vec3 operator*(double s, const Vec3 &a)
{
    return a * s;
}
inline Vec3 &operator+=(Vec3 &a, const Vec3 &b)
{
    a = a + b;
    return a;
}

inline double dot(const Vec3 &a, const Vec3 &b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}
inline Vec3 cross(const Vec3 &a, const Vec3 &b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double length(const Vec3 &a)
{
    return std::sqrt(dot(a, a));
}
// The zero vector stays zero rather than becoming NaN.
inline Vec3 normalized(const Vec3 &a)
{
    const double len = length(a);
    return len > 0 ? a * (1 / len) : Vec3{};
}

using geometry::kDegreesPerRadian;
inline double radians(double degrees)
{
    return degrees / kDegreesPerRadian;
}

} // namespace mesh
