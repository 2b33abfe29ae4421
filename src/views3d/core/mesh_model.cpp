#include "mesh_model.h"

#include <algorithm>
#include <cmath>

namespace mesh {

void Bounds::include(const Vec3 &p)
{
    if (empty) {
        min = max = p;
        empty = false;
        return;
    }
    min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
    max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
}

void Bounds::include(const Bounds &other)
{
    if (other.empty)
        return;
    include(other.min);
    include(other.max);
}

Vec3 Bounds::centre() const
{
    return {(min.x + max.x) / 2, (min.y + max.y) / 2, (min.z + max.z) / 2};
}

Vec3 Bounds::size() const
{
    if (empty)
        return {};
    return {max.x - min.x, max.y - min.y, max.z - min.z};
}

Bounds Mesh::bounds() const
{
    Bounds b;
    for (const Vec3 &p : positions)
        b.include(p);
    return b;
}

std::string Mesh::check() const
{
    const std::size_t n = positions.size();
    if (!colours.empty() && colours.size() != n)
        return "the mesh has " + std::to_string(colours.size()) + " colours for " + std::to_string(n) + " vertices";
    if (!texCoords.empty() && texCoords.size() != n)
        return "the mesh has " + std::to_string(texCoords.size()) + " texture coordinates for " + std::to_string(n)
               + " vertices";
    for (std::size_t i = 0; i < n; ++i) {
        const Vec3 &p = positions[i];
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z))
            return "vertex " + std::to_string(i) + " is not a finite position";
    }
    for (std::size_t i = 0; i < texCoords.size(); ++i)
        if (!std::isfinite(texCoords[i].u) || !std::isfinite(texCoords[i].v))
            return "texture coordinate " + std::to_string(i) + " is not a finite number";
    if (!std::isfinite(creaseAngle))
        return "the crease angle is not a finite number";
    for (std::size_t t = 0; t < triangles.size(); ++t)
        for (std::uint32_t corner : triangles[t])
            if (corner >= n)
                return "triangle " + std::to_string(t) + " names vertex " + std::to_string(corner) + " of "
                       + std::to_string(n);
    return {};
}

Bounds Model::bounds() const
{
    Bounds b;
    for (const Mesh &m : objects)
        b.include(m.bounds());
    return b;
}

} // namespace mesh
