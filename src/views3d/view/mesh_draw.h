#pragma once
// What the viewport needs of a mesh, computed without a window: picking,
// shading normals, wireframe edges and the colour changes of the views.
// Plain C++ on the mesh core, so it tests without OpenGL.

#include "mesh_model.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace view {

// The colour of a mesh that carries no vertex colours.
inline constexpr mesh::Rgba kPlainMeshColour{200, 200, 200, 255};

struct PickHit {
    std::size_t object = 0;
    std::size_t triangle = 0;
    mesh::Vec3 point;
    double distance = 0; // along the ray
};

// The nearest triangle the ray meets in front of its origin, both faces
// counted; none when it misses every object.
std::optional<PickHit> pickModel(const mesh::Model& model, const mesh::Vec3& origin,
                                 const mesh::Vec3& direction);

// Area-weighted vertex normals (unit length; (0, 0, 1) for a vertex of no
// triangle with area).
std::vector<float> vertexNormals(const mesh::Mesh& mesh);

// Two indices per triangle edge, for drawing the mesh as lines.
std::vector<std::uint32_t> wireframeIndices(const mesh::Mesh& mesh);

// Multiplies every vertex colour by amount (red, green and blue; alpha
// stays), clamps to 0..255 and rounds halves to even. A mesh without colours
// first gets kPlainMeshColour on every vertex, so it brightens from what it
// showed. Positions never change.
void changeBrightness(mesh::Mesh& mesh, double amount);

// The mesh at item 0, the one the views' edits work on; null for an empty model.
mesh::Mesh* firstMesh(mesh::Model& model);

} // namespace view
