#pragma once

#include <array>
#include <vector>

// The insole template outline, the one table behind the template blocks
// "Left_Unit.Vec" and "Right_Unit.Vec", the Graphic Screen's insole outline
// and the job sketch's picture. Plain C++, so any part can draw it.
namespace insole {

// Row i: y, the distance from the heel, and the widths a (one side) and b
// (the other, mostly negative), all as fractions of the foot length.
struct OutlineRow
{
    double y, a, b;
};

inline constexpr int kOutlineRows = 55;

// clang-format off
inline constexpr std::array<OutlineRow, kOutlineRows> kOutline = {{
    {0, 0, 0}, // 0
    {0.005, 0.043, -0.028}, // 1
    {0.01, 0.054, -0.04}, // 2
    {0.02, 0.069, -0.052}, // 3
    {0.03, 0.082, -0.063}, // 4
    {0.04, 0.09, -0.07}, // 5
    {0.06, 0.103, -0.083}, // 6
    {0.08, 0.109, -0.091}, // 7
    {0.1, 0.112, -0.097}, // 8
    {0.12, 0.112, -0.102}, // 9
    {0.14, 0.111, -0.105}, // 10
    {0.16, 0.109, -0.107}, // 11
    {0.18, 0.107, -0.108}, // 12
    {0.2, 0.103, -0.11}, // 13
    {0.22, 0.1, -0.111}, // 14
    {0.24, 0.097, -0.113}, // 15
    {0.26, 0.093, -0.114}, // 16
    {0.28, 0.09, -0.116}, // 17
    {0.3, 0.087, -0.118}, // 18
    {0.32, 0.084, -0.12}, // 19
    {0.34, 0.082, -0.122}, // 20
    {0.36, 0.08, -0.124}, // 21
    {0.38, 0.078, -0.127}, // 22
    {0.4, 0.077, -0.129}, // 23
    {0.42, 0.077, -0.132}, // 24
    {0.44, 0.078, -0.135}, // 25
    {0.46, 0.08, -0.138}, // 26
    {0.48, 0.083, -0.142}, // 27
    {0.5, 0.087, -0.145}, // 28
    {0.52, 0.093, -0.149}, // 29
    {0.54, 0.099, -0.153}, // 30
    {0.56, 0.107, -0.157}, // 31
    {0.58, 0.116, -0.16}, // 32
    {0.6, 0.125, -0.164}, // 33
    {0.62, 0.135, -0.166}, // 34
    {0.64, 0.144, -0.167}, // 35
    {0.66, 0.153, -0.168}, // 36
    {0.68, 0.159, -0.167}, // 37
    {0.7, 0.163, -0.166}, // 38
    {0.72, 0.166, -0.164}, // 39
    {0.74, 0.167, -0.161}, // 40
    {0.76, 0.168, -0.157}, // 41
    {0.78, 0.167, -0.152}, // 42
    {0.8, 0.165, -0.146}, // 43
    {0.82, 0.163, -0.139}, // 44
    {0.841, 0.159, -0.131}, // 45
    {0.861, 0.155, -0.122}, // 46
    {0.881, 0.149, -0.112}, // 47
    {0.901, 0.142, -0.101}, // 48
    {0.921, 0.134, -0.087}, // 49
    {0.941, 0.123, -0.072}, // 50
    {0.961, 0.108, -0.054}, // 51
    {0.986, 0.08, -0.021}, // 52
    {0.995, 0.06, 0.002}, // 53
    {1, 0.034, 0.034}, // 54
}};
// clang-format on

struct OutlinePoint
{
    double x, y;
};

// The outline as drawn: (a, y) for rows 0 to 54, then (b, y) for rows 54
// down to 0, each value times `length`, so it starts and ends at the heel
// (0, 0) and turns at the toe, which comes twice (110 points). `mirrored`
// negates every x: the other foot's outline.
inline std::vector<OutlinePoint> outlinePoints(double length, bool mirrored)
{
    const double sx = mirrored ? -length : length;
    std::vector<OutlinePoint> points;
    points.reserve(2 * kOutlineRows);
    for (const OutlineRow &row : kOutline)
        points.push_back({row.a * sx, row.y * length});
    for (auto row = kOutline.rbegin(); row != kOutline.rend(); ++row)
        points.push_back({row->b * sx, row->y * length});
    return points;
}

} // namespace insole
