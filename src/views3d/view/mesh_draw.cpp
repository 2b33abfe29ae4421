#include "mesh_draw.h"

#include "large_buffers.h"
#include "vec_math.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace view {

std::vector<float> vertexNormals(const mesh::Mesh &mesh)
{
    std::vector<double> sum(mesh.positions.size() * 3, 0.0);
    for (const auto &tri : mesh.triangles) {
        // The cross product's length is twice the area: larger faces weigh more.
        const mesh::Vec3 n = mesh::cross(mesh.positions[tri[1]] - mesh.positions[tri[0]],
                                         mesh.positions[tri[2]] - mesh.positions[tri[0]]);
        for (std::uint32_t i : tri) {
            sum[3 * i] += n.x;
            sum[3 * i + 1] += n.y;
            sum[3 * i + 2] += n.z;
        }
    }
    std::vector<float> out(sum.size());
    for (std::size_t i = 0; i < mesh.positions.size(); ++i) {
        const double x = sum[3 * i], y = sum[3 * i + 1], z = sum[3 * i + 2];
        const double len = std::sqrt(x * x + y * y + z * z);
        if (len > 0) {
            out[3 * i] = float(x / len);
            out[3 * i + 1] = float(y / len);
            out[3 * i + 2] = float(z / len);
        } else {
            out[3 * i + 2] = 1.f;
        }
    }
    return out;
}

std::vector<std::uint32_t> wireframeIndices(const mesh::Mesh &mesh)
{
    std::vector<std::uint32_t> out;
    out.reserve(mesh.triangles.size() * 6);
    for (const auto &t : mesh.triangles) {
        out.insert(out.end(), {t[0], t[1], t[1], t[2], t[2], t[0]});
    }
    return out;
}

std::vector<mesh::Triangle> cacheFriendlyOrder(const mesh::Mesh &mesh)
{
    // Fans round one vertex at a time, then moves on to the neighbour that
    // was shaded longest ago yet is still among the last kCache shaded (or,
    // at a dead end, to a recent vertex with triangles left, else the next
    // one in the mesh's order): linear in the size of the mesh. Its scratch
    // arrays come in huge pages: on a virtual machine fresh memory taken a
    // page at a time costs more than the reordering itself.
    constexpr std::uint32_t kCache = 24;
    const std::size_t vertexCount = mesh.positions.size();
    const std::size_t triangleCount = mesh.triangles.size();
    if (vertexCount >= std::numeric_limits<std::uint32_t>::max()
        || triangleCount * 3 >= std::numeric_limits<std::uint32_t>::max())
        return mesh.triangles;
    // The triangles round each vertex: those of vertex v are around[first[v]] up to around[first[v + 1]].
    auto first = mesh::makeLargeArray<std::uint32_t>(vertexCount + 1);
    std::fill_n(first.get(), vertexCount + 1, 0u);
    for (const mesh::Triangle &t : mesh.triangles)
        for (std::uint32_t v : t) {
            if (v >= vertexCount)
                return mesh.triangles; // not ours to mend: drawn as it stands
            ++first[v + 1];
        }
    for (std::size_t v = 0; v < vertexCount; ++v)
        first[v + 1] += first[v];
    auto around = mesh::makeLargeArray<std::uint32_t>(first[vertexCount]);
    // Triangles still to draw round each vertex; one that names a vertex twice counts twice.
    auto live = mesh::makeLargeArray<std::uint32_t>(vertexCount);
    std::copy_n(first.get(), vertexCount, live.get());
    for (std::size_t t = 0; t < triangleCount; ++t)
        for (std::uint32_t v : mesh.triangles[t])
            around[live[v]++] = std::uint32_t(t);
    for (std::size_t v = 0; v < vertexCount; ++v)
        live[v] = first[v + 1] - first[v];
    // When each vertex was last shaded, counted in vertices shaded; 0: never.
    auto shadedAt = mesh::makeLargeArray<std::uint32_t>(vertexCount);
    std::fill_n(shadedAt.get(), vertexCount, 0u);
    std::uint32_t clock = kCache + 1;
    std::vector<bool> drawn(triangleCount, false);

    std::vector<mesh::Triangle> out;
    mesh::reserveLarge(out, triangleCount);
    // The corners last drawn, the newest at the back; older ones drop out, as
    // the sweep in the mesh's order finds whatever they would have.
    constexpr std::size_t kDeadEnds = 4096;
    std::array<std::uint32_t, kDeadEnds> deadEnds;
    std::size_t deadEndTop = 0, deadEndCount = 0;
    std::vector<std::uint32_t> candidates;
    std::size_t cursor = 0;
    auto skipDeadEnd = [&]() -> std::int64_t {
        while (deadEndCount > 0) {
            deadEndTop = (deadEndTop + kDeadEnds - 1) % kDeadEnds;
            --deadEndCount;
            if (live[deadEnds[deadEndTop]] > 0)
                return deadEnds[deadEndTop];
        }
        for (; cursor < vertexCount; ++cursor)
            if (live[cursor] > 0)
                return std::int64_t(cursor);
        return -1;
    };
    for (std::int64_t fan = skipDeadEnd(); fan >= 0;) {
        candidates.clear();
        for (std::uint32_t i = first[fan]; i < first[fan + 1]; ++i) {
            const std::uint32_t t = around[i];
            if (drawn[t])
                continue;
            drawn[t] = true;
            out.push_back(mesh.triangles[t]);
            for (std::uint32_t v : mesh.triangles[t]) {
                deadEnds[deadEndTop] = v;
                deadEndTop = (deadEndTop + 1) % kDeadEnds;
                deadEndCount = std::min(deadEndCount + 1, kDeadEnds);
                candidates.push_back(v);
                --live[v];
                if (clock - shadedAt[v] > kCache)
                    shadedAt[v] = clock++;
            }
        }
        std::int64_t best = -1, bestPriority = -1;
        for (std::uint32_t v : candidates) {
            if (live[v] == 0)
                continue;
            // Fanning round v shades about two vertices per triangle left: prefer
            // the oldest vertex that will still be cached when its fan is done.
            const std::uint32_t age = clock - shadedAt[v];
            const std::int64_t priority = age + 2 * std::int64_t(live[v]) <= kCache ? age : 0;
            if (priority > bestPriority) {
                bestPriority = priority;
                best = v;
            }
        }
        fan = best >= 0 ? best : skipDeadEnd();
    }
    return out;
}

} // namespace view
