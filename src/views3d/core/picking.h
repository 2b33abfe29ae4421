#pragma once
// Picking a point of the scan under the mouse: the nearest triangle the ray
// meets, from either side (a scan's inside shows through its open edges). A
// ray that meets nothing is a miss, never a point at (0, 0, 0).

#include "camera.h"
#include "mesh_model.h"

#include <cstddef>
#include <optional>

namespace mesh {

struct PickHit
{
    std::size_t object = 0; // position in the model
    std::size_t triangle = 0; // within that object
    Vec3 point; // on the triangle, in model coordinates
    double t = 0; // along the ray; smaller is nearer the viewer
};

// The hit with the smallest t anywhere on the ray's line (see Ray); ties
// go to the lower triangle number, so a pick is repeatable.
std::optional<PickHit> pickNearest(const Mesh &mesh, const Ray &ray);
std::optional<PickHit> pickNearest(const Model &model, const Ray &ray);

} // namespace mesh
