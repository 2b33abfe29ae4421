#include "plane_cut.h"

#include "parallel.h"
#include "vec_math.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace mesh {

namespace {

std::uint8_t mixByte(std::uint8_t a, std::uint8_t b, double t)
{
    return static_cast<std::uint8_t>(std::clamp(std::nearbyint(a + (b - a) * t), 0.0, 255.0));
}

} // namespace

CutOutcome cutMesh(Mesh &mesh, const Plane &plane)
{
    const Vec3 n = normalized(plane.normal);
    if (!std::isfinite(n.x) || !std::isfinite(n.y) || !std::isfinite(n.z) || n == Vec3{}
        || !std::isfinite(plane.origin.x) || !std::isfinite(plane.origin.y) || !std::isfinite(plane.origin.z))
        return CutOutcome::InvalidPlane;
    if (mesh.triangles.empty())
        return CutOutcome::NothingRemoved;

    // Signed distance of every vertex; a vertex within rounding of the plane
    // counts as on it, so a cut through existing vertices makes no slivers.
    const std::size_t vertexCount = mesh.positions.size();
    std::vector<double> distance(vertexCount);
    std::vector<std::int8_t> side(vertexCount);
    const double offset = dot(plane.origin, n);
    const unsigned jobs = jobCount(vertexCount, 1u << 16);
    runJobs(jobs, [&](unsigned job) {
        const Range r = jobRange(vertexCount, jobs, job);
        for (std::size_t v = r.begin; v < r.end; ++v) {
            const Vec3 &p = mesh.positions[v];
            const double d = dot(p, n) - offset;
            const double scale = 1 + std::abs(offset) + std::abs(p.x) + std::abs(p.y) + std::abs(p.z);
            distance[v] = d;
            side[v] = d > 1e-12 * scale ? 1 : (d < -1e-12 * scale ? -1 : 0);
        }
    });

    std::vector<Triangle> kept;
    kept.reserve(mesh.triangles.size());
    std::vector<Vec3> addedPositions;
    std::vector<Rgba> addedColours;
    std::vector<Vec2> addedTexCoords;
    std::unordered_map<std::uint64_t, std::uint32_t> edgeVertex;
    bool removedAny = false;

    // The vertex where the edge a-b meets the plane, made once per edge and
    // always from the lower index, so both triangles of the edge share it.
    auto crossing = [&](std::uint32_t a, std::uint32_t b) {
        if (a > b)
            std::swap(a, b);
        const std::uint64_t key = (std::uint64_t(a) << 32) | b;
        auto [it, added] = edgeVertex.try_emplace(key, 0);
        if (!added)
            return it->second;
        const double t = distance[a] / (distance[a] - distance[b]);
        const Vec3 &pa = mesh.positions[a];
        const Vec3 &pb = mesh.positions[b];
        addedPositions.push_back(pa + (pb - pa) * t);
        if (mesh.hasColours()) {
            const Rgba &ca = mesh.colours[a];
            const Rgba &cb = mesh.colours[b];
            addedColours.push_back(
                {mixByte(ca.r, cb.r, t), mixByte(ca.g, cb.g, t), mixByte(ca.b, cb.b, t), mixByte(ca.a, cb.a, t)});
        }
        if (mesh.hasTexCoords()) {
            const Vec2 &ta = mesh.texCoords[a];
            const Vec2 &tb = mesh.texCoords[b];
            addedTexCoords.push_back({ta.u + (tb.u - ta.u) * t, ta.v + (tb.v - ta.v) * t});
        }
        // Indices past the old vertices, renumbered when the mesh is compacted.
        it->second = static_cast<std::uint32_t>(vertexCount + addedPositions.size() - 1);
        return it->second;
    };

    for (const Triangle &tri : mesh.triangles) {
        const int s0 = side[tri[0]], s1 = side[tri[1]], s2 = side[tri[2]];
        const bool anyAbove = s0 > 0 || s1 > 0 || s2 > 0;
        const bool anyBelow = s0 < 0 || s1 < 0 || s2 < 0;
        if (!anyBelow) {
            kept.push_back(tri);
            continue;
        }
        removedAny = true;
        if (!anyAbove)
            continue;
        // Clip the triangle to the kept side, corners in their winding order.
        std::uint32_t polygon[4];
        int corners = 0;
        for (int c = 0; c < 3; ++c) {
            const std::uint32_t here = tri[c], next = tri[(c + 1) % 3];
            if (side[here] >= 0)
                polygon[corners++] = here;
            if (side[here] * side[next] < 0)
                polygon[corners++] = crossing(here, next);
        }
        kept.push_back({polygon[0], polygon[1], polygon[2]});
        if (corners == 4)
            kept.push_back({polygon[0], polygon[2], polygon[3]});
    }

    if (!removedAny)
        return CutOutcome::NothingRemoved;
    if (kept.empty())
        return CutOutcome::WouldLeaveNothing;

    // Keep only the vertices still in use, in their old order, then the new ones.
    const std::size_t total = vertexCount + addedPositions.size();
    constexpr std::uint32_t kUnused = 0xFFFFFFFFu;
    std::vector<std::uint32_t> renumber(total, kUnused);
    for (const Triangle &tri : kept)
        for (std::uint32_t v : tri)
            renumber[v] = 0;
    std::uint32_t next = 0;
    for (std::size_t v = 0; v < total; ++v)
        if (renumber[v] != kUnused)
            renumber[v] = next++;

    Mesh result;
    result.name = mesh.name;
    result.texturePath = mesh.texturePath;
    result.creaseAngle = mesh.creaseAngle;
    result.positions.reserve(next);
    if (mesh.hasColours())
        result.colours.reserve(next);
    if (mesh.hasTexCoords())
        result.texCoords.reserve(next);
    for (std::size_t v = 0; v < total; ++v) {
        if (renumber[v] == kUnused)
            continue;
        const bool old = v < vertexCount;
        const std::size_t added = v - vertexCount;
        result.positions.push_back(old ? mesh.positions[v] : addedPositions[added]);
        if (mesh.hasColours())
            result.colours.push_back(old ? mesh.colours[v] : addedColours[added]);
        if (mesh.hasTexCoords())
            result.texCoords.push_back(old ? mesh.texCoords[v] : addedTexCoords[added]);
    }
    for (Triangle &tri : kept)
        for (std::uint32_t &v : tri)
            v = renumber[v];
    result.triangles = std::move(kept);
    mesh = std::move(result);
    return CutOutcome::Cut;
}

} // namespace mesh
