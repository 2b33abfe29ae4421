#include "mesh_edits.h"

#include "parallel.h"
#include "vec_math.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace mesh {

Mesh *editedMesh(Model &model)
{
    return model.objects.empty() ? nullptr : &model.objects.front();
}

const Mesh *editedMesh(const Model &model)
{
    return model.objects.empty() ? nullptr : &model.objects.front();
}

void mirror(Mesh &mesh)
{
    for (Vec3 &p : mesh.positions)
        p.x = -p.x;
    for (Triangle &t : mesh.triangles)
        std::swap(t[1], t[2]);
}

void rotateQuarterTurn(Mesh &mesh, Axis axis)
{
    // Sine 1 and cosine 0 written out, so no rounding creeps in.
    for (Vec3 &p : mesh.positions) {
        switch (axis) {
        case Axis::X: p = {p.x, -p.z, p.y}; break;
        case Axis::Y: p = {p.z, p.y, -p.x}; break;
        case Axis::Z: p = {-p.y, p.x, p.z}; break;
        }
    }
}

void scale(Mesh &mesh, double factor)
{
    for (Vec3 &p : mesh.positions)
        p = p * factor;
}

bool changeBrightness(Mesh &mesh, double amount)
{
    if (!mesh.hasColours())
        return false;
    // 256 possible inputs: one table, then a lookup per channel.
    std::array<std::uint8_t, 256> table{};
    for (int v = 0; v < 256; ++v) {
        const double scaled = std::clamp(v * amount, 0.0, 255.0);
        table[v] = static_cast<std::uint8_t>(std::isfinite(scaled) ? std::nearbyint(scaled) : 0);
    }
    for (Rgba &c : mesh.colours) {
        c.r = table[c.r];
        c.g = table[c.g];
        c.b = table[c.b];
    }
    return true;
}

std::size_t cleanMesh(Model &model)
{
    const std::size_t found = model.objects.size();
    if (found > 1)
        model.objects.resize(1);
    return found;
}

std::string objectsFoundText(std::size_t objects)
{
    return "Objects Found: " + std::to_string(objects);
}

void smooth(Mesh &mesh, double creaseAngleDegrees)
{
    mesh.creaseAngle = creaseAngleDegrees;
}

std::vector<Vec3> cornerNormals(const Mesh &mesh, double creaseAngleDegrees)
{
    const std::size_t triangleCount = mesh.triangles.size();
    const std::size_t vertexCount = mesh.positions.size();
    // Area-weighted (raw cross product) and unit normal of every triangle.
    std::vector<Vec3> weighted(triangleCount), unit(triangleCount);
    const unsigned jobs = jobCount(triangleCount, 1u << 15);
    runJobs(jobs, [&](unsigned job) {
        const Range r = jobRange(triangleCount, jobs, job);
        for (std::size_t t = r.begin; t < r.end; ++t) {
            const Triangle &tri = mesh.triangles[t];
            const Vec3 &a = mesh.positions[tri[0]];
            weighted[t] = cross(mesh.positions[tri[1]] - a, mesh.positions[tri[2]] - a);
            unit[t] = normalized(weighted[t]);
        }
    });

    std::vector<Vec3> normals(3 * triangleCount);
    if (creaseAngleDegrees <= 0) {
        for (std::size_t t = 0; t < triangleCount; ++t)
            normals[3 * t] = normals[3 * t + 1] = normals[3 * t + 2] = unit[t];
    } else {
        // The triangles around each vertex, as one flat list with offsets.
        std::vector<std::uint32_t> offsets(vertexCount + 1, 0);
        for (const Triangle &tri : mesh.triangles)
            for (std::uint32_t v : tri)
                ++offsets[v + 1];
        for (std::size_t v = 0; v < vertexCount; ++v)
            offsets[v + 1] += offsets[v];
        std::vector<std::uint32_t> around(offsets.back());
        std::vector<std::uint32_t> fill(offsets.begin(), offsets.end() - 1);
        for (std::size_t t = 0; t < triangleCount; ++t)
            for (std::uint32_t v : mesh.triangles[t])
                around[fill[v]++] = static_cast<std::uint32_t>(t);

        const double minCos = std::cos(radians(std::min(creaseAngleDegrees, 180.0)));
        runJobs(jobs, [&](unsigned job) {
            const Range r = jobRange(triangleCount, jobs, job);
            for (std::size_t t = r.begin; t < r.end; ++t) {
                for (int corner = 0; corner < 3; ++corner) {
                    const std::uint32_t v = mesh.triangles[t][corner];
                    Vec3 sum, all;
                    for (std::uint32_t k = offsets[v]; k < offsets[v + 1]; ++k) {
                        const std::uint32_t f = around[k];
                        all += weighted[f];
                        if (dot(unit[t], unit[f]) >= minCos - 1e-12)
                            sum += weighted[f];
                    }
                    Vec3 n = normalized(sum);
                    if (n == Vec3{})
                        n = normalized(all);
                    normals[3 * t + corner] = n;
                }
            }
        });
    }
    for (Vec3 &n : normals)
        if (n == Vec3{})
            n = {0, 0, 1};
    return normals;
}

} // namespace mesh
