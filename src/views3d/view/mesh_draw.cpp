#include "mesh_draw.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace view {

namespace {

mesh::Vec3 sub(const mesh::Vec3& a, const mesh::Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
mesh::Vec3 cross(const mesh::Vec3& a, const mesh::Vec3& b)
{
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double dot(const mesh::Vec3& a, const mesh::Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Möller-Trumbore; the distance along the ray or a negative value for a miss.
double intersect(const mesh::Vec3& origin, const mesh::Vec3& dir, const mesh::Vec3& a,
                 const mesh::Vec3& b, const mesh::Vec3& c)
{
    const mesh::Vec3 e1 = sub(b, a), e2 = sub(c, a);
    const mesh::Vec3 p = cross(dir, e2);
    const double det = dot(e1, p);
    if (std::abs(det) < 1e-18)
        return -1;
    const double inv = 1.0 / det;
    const mesh::Vec3 s = sub(origin, a);
    const double u = dot(s, p) * inv;
    if (u < 0 || u > 1)
        return -1;
    const mesh::Vec3 q = cross(s, e1);
    const double v = dot(dir, q) * inv;
    if (v < 0 || u + v > 1)
        return -1;
    return dot(e2, q) * inv;
}

} // namespace

std::optional<PickHit> pickModel(const mesh::Model& model, const mesh::Vec3& origin,
                                 const mesh::Vec3& direction)
{
    std::optional<PickHit> best;
    for (std::size_t o = 0; o < model.objects.size(); ++o) {
        const mesh::Mesh& m = model.objects[o];
        for (std::size_t t = 0; t < m.triangles.size(); ++t) {
            const auto& tri = m.triangles[t];
            const double d = intersect(origin, direction, m.positions[tri[0]], m.positions[tri[1]],
                                       m.positions[tri[2]]);
            if (d >= 0 && (!best || d < best->distance)) {
                best = PickHit{o, t,
                               {origin.x + direction.x * d, origin.y + direction.y * d,
                                origin.z + direction.z * d},
                               d};
            }
        }
    }
    return best;
}

std::vector<float> vertexNormals(const mesh::Mesh& mesh)
{
    std::vector<double> sum(mesh.positions.size() * 3, 0.0);
    for (const auto& tri : mesh.triangles) {
        // The cross product's length is twice the area: larger faces weigh more.
        const mesh::Vec3 n = cross(sub(mesh.positions[tri[1]], mesh.positions[tri[0]]),
                                   sub(mesh.positions[tri[2]], mesh.positions[tri[0]]));
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

std::vector<std::uint32_t> wireframeIndices(const mesh::Mesh& mesh)
{
    std::vector<std::uint32_t> out;
    out.reserve(mesh.triangles.size() * 6);
    for (const auto& t : mesh.triangles) {
        out.insert(out.end(), {t[0], t[1], t[1], t[2], t[2], t[0]});
    }
    return out;
}

void changeBrightness(mesh::Mesh& mesh, double amount)
{
    if (!mesh.hasColours())
        mesh.colours.assign(mesh.positions.size(), kPlainMeshColour);
    const int previous = std::fegetround();
    std::fesetround(FE_TONEAREST);
    auto scale = [amount](std::uint8_t c) {
        const double v = std::clamp(c * amount, 0.0, 255.0);
        return static_cast<std::uint8_t>(std::nearbyint(v));
    };
    for (mesh::Rgba& c : mesh.colours) {
        c.r = scale(c.r);
        c.g = scale(c.g);
        c.b = scale(c.b);
    }
    std::fesetround(previous);
}

mesh::Mesh* firstMesh(mesh::Model& model)
{
    return model.objects.empty() ? nullptr : &model.objects.front();
}

} // namespace view
