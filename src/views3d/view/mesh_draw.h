#pragma once
// What the viewport needs of a mesh to draw it, computed without a window:
// shading normals and wireframe edges.
// Plain C++ on the mesh core, so it tests without OpenGL.

#include "mesh_model.h"

#include <cstdint>
#include <vector>

namespace view {

// The colour of a mesh that carries no vertex colours.
inline constexpr mesh::Rgba kPlainMeshColour{200, 200, 200, 255};

// Area-weighted vertex normals (unit length; (0, 0, 1) for a vertex of no
// triangle with area).
std::vector<float> vertexNormals(const mesh::Mesh &mesh);

// Two indices per triangle edge, for drawing the mesh as lines.
std::vector<std::uint32_t> wireframeIndices(const mesh::Mesh &mesh);

} // namespace view
