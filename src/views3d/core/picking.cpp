#include "picking.h"

#include "parallel.h"
#include "vec_math.h"

#include <cmath>
#include <vector>

namespace mesh {

namespace {

bool nearer(const PickHit &a, const PickHit &b)
{
    return a.t < b.t || (a.t == b.t && a.triangle < b.triangle);
}

// Moller-Trumbore without back-face culling.
bool intersect(const Vec3 &a, const Vec3 &b, const Vec3 &c, const Ray &ray, double &t, double &u, double &v)
{
    const Vec3 e1 = b - a, e2 = c - a;
    const Vec3 p = cross(ray.direction, e2);
    const double det = dot(e1, p);
    if (det == 0 || !std::isfinite(det))
        return false;
    const double inv = 1 / det;
    const Vec3 s = ray.origin - a;
    u = dot(s, p) * inv;
    if (u < 0 || u > 1)
        return false;
    const Vec3 q = cross(s, e1);
    v = dot(ray.direction, q) * inv;
    if (v < 0 || u + v > 1)
        return false;
    t = dot(e2, q) * inv;
    return std::isfinite(t);
}

} // namespace

std::optional<PickHit> pickNearest(const Mesh &mesh, const Ray &ray)
{
    const std::size_t count = mesh.triangles.size();
    if (count == 0 || normalized(ray.direction) == Vec3{})
        return std::nullopt;
    const unsigned jobs = jobCount(count, 1u << 16);
    std::vector<std::optional<PickHit>> best(jobs);
    runJobs(jobs, [&](unsigned job) {
        const Range r = jobRange(count, jobs, job);
        std::optional<PickHit> &mine = best[job];
        for (std::size_t i = r.begin; i < r.end; ++i) {
            const Triangle &tri = mesh.triangles[i];
            double t, u, v;
            if (!intersect(mesh.positions[tri[0]], mesh.positions[tri[1]], mesh.positions[tri[2]], ray, t, u, v))
                continue;
            if (mine && !(t < mine->t))
                continue;
            const Vec3 &a = mesh.positions[tri[0]];
            const Vec3 point = a * (1 - u - v) + mesh.positions[tri[1]] * u + mesh.positions[tri[2]] * v;
            mine = PickHit{0, i, point, t};
        }
    });
    std::optional<PickHit> result;
    for (const auto &hit : best)
        if (hit && (!result || nearer(*hit, *result)))
            result = hit;
    return result;
}

std::optional<PickHit> pickNearest(const Model &model, const Ray &ray)
{
    std::optional<PickHit> result;
    for (std::size_t o = 0; o < model.objects.size(); ++o) {
        std::optional<PickHit> hit = pickNearest(model.objects[o], ray);
        if (hit && (!result || hit->t < result->t)) {
            hit->object = o;
            result = hit;
        }
    }
    return result;
}

} // namespace mesh
