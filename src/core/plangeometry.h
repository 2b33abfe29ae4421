#pragma once
// The two measures of a pair of points that the foot views show and the
// shared helpers offer. Plain C++ without Qt, so the mesh core uses the same
// routines as the rest of the program.

#include <cmath>
#include <optional>

namespace geometry {

// The program's own constant for turning radians into degrees.
constexpr double kDegreesPerRadian = 57.29577951;

// sqrt(dx^2 + dy^2 + dz^2), each difference second minus first.
inline double distance3D(double x1, double y1, double z1, double x2, double y2, double z2)
{
    const double dx = x2 - x1, dy = y2 - y1, dz = z2 - z1;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

// The plan slope of the line through two points in degrees, -90 to 90; the
// same whichever point comes first. A line along y (equal x) gives 90.
// Points at the same place in plan have no slope: nullopt.
inline std::optional<double> planAngleDegrees(double x1, double y1, double x2, double y2)
{
    const double dx = x2 - x1, dy = y2 - y1;
    if (dx == 0)
        return dy == 0 ? std::nullopt : std::optional<double>(90.0);
    return std::atan(dy / dx) * kDegreesPerRadian;
}

} // namespace geometry
