#pragma once
// Small shapes with known answers for the edit, cut, camera and picking
// tests: an axis-aligned box with shared corners, and the measures that
// show a mesh kept or lost its surface (area, enclosed volume, open edges).

#include "mesh_model.h"

#include <cmath>
#include <map>
#include <utility>

namespace mesh::shapes {

// Eight shared corners (index = x bit | y bit << 1 | z bit << 2) and twelve
// triangles wound counter-clockwise seen from outside.
inline Mesh box(Vec3 lo, Vec3 hi)
{
    Mesh m;
    m.name = "Box";
    for (int i = 0; i < 8; ++i)
        m.positions.push_back({i & 1 ? hi.x : lo.x, i & 2 ? hi.y : lo.y, i & 4 ? hi.z : lo.z});
    m.triangles = {{0, 2, 3}, {0, 3, 1}, {4, 5, 7}, {4, 7, 6}, {0, 1, 5}, {0, 5, 4},
                   {2, 6, 7}, {2, 7, 3}, {0, 4, 6}, {0, 6, 2}, {1, 3, 7}, {1, 7, 5}};
    return m;
}

inline Vec3 sub(const Vec3 &a, const Vec3 &b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}
inline Vec3 crossOf(const Vec3 &a, const Vec3 &b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

inline double area(const Mesh &m)
{
    double total = 0;
    for (const Triangle &t : m.triangles) {
        const Vec3 c = crossOf(sub(m.positions[t[1]], m.positions[t[0]]), sub(m.positions[t[2]], m.positions[t[0]]));
        total += std::sqrt(c.x * c.x + c.y * c.y + c.z * c.z) / 2;
    }
    return total;
}

// Positive for a closed mesh whose triangles face outwards.
inline double signedVolume(const Mesh &m)
{
    double total = 0;
    for (const Triangle &t : m.triangles) {
        const Vec3 &a = m.positions[t[0]], &b = m.positions[t[1]], &c = m.positions[t[2]];
        const Vec3 bc = crossOf(b, c);
        total += (a.x * bc.x + a.y * bc.y + a.z * bc.z) / 6;
    }
    return total;
}

// Directed edges used by more than one triangle, or undirected edges used by
// more than two: either means the surface was broken or wound inconsistently.
inline int badEdges(const Mesh &m)
{
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> directed;
    for (const Triangle &t : m.triangles)
        for (int c = 0; c < 3; ++c)
            ++directed[{t[c], t[(c + 1) % 3]}];
    int bad = 0;
    for (const auto &[edge, count] : directed)
        if (count > 1)
            ++bad;
    return bad;
}

// Edges of exactly one triangle: the rim of an open surface.
inline std::vector<std::pair<std::uint32_t, std::uint32_t>> openEdges(const Mesh &m)
{
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> directed;
    for (const Triangle &t : m.triangles)
        for (int c = 0; c < 3; ++c)
            ++directed[{t[c], t[(c + 1) % 3]}];
    std::vector<std::pair<std::uint32_t, std::uint32_t>> open;
    for (const auto &[edge, count] : directed)
        if (!directed.count({edge.second, edge.first}))
            open.push_back(edge);
    return open;
}

} // namespace mesh::shapes
