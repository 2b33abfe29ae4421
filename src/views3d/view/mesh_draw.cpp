#include "mesh_draw.h"

#include "vec_math.h"

#include <algorithm>
#include <cmath>

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

} // namespace view
