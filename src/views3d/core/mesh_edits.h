#pragma once
// The foot views' edits of the scan mesh: mirror, quarter turns, scaling,
// brightness, dropping extra objects and crease-angle smoothing. Each works
// on the model's item 0 (the foot), which is what the view menus act on.
//
// None of them saves an undo snapshot: the view decides which edits go into
// its undo ring (undo_ring.h) and saves before calling them.

#include "mesh_model.h"

#include <cstddef>
#include <string>
#include <vector>

namespace mesh {

// Item 0, the mesh every edit works on; nullptr when the model is empty.
Mesh *editedMesh(Model &model);
const Mesh *editedMesh(const Model &model);

enum class Axis { X = 0, Y = 1, Z = 2 };

// x becomes -x. The winding is reversed with it, so the mirrored surface
// still faces outwards (a reflection alone would turn it inside out).
void mirror(Mesh &mesh);

// A quarter turn (+90 degrees, right-handed) about the axis through the
// origin. Exact: four turns give back the same positions bit for bit.
void rotateQuarterTurn(Mesh &mesh, Axis axis);

// The same factor on all three axes; 1000 ("Scale 1000") and 25.4 (inches
// to millimetres) are the menu's factors.
constexpr double kScale1000 = 1000;
constexpr double kInchesToMillimetres = 25.4;
void scale(Mesh &mesh, double factor);

// Multiplies red, green and blue of every vertex colour by `amount`, clamps
// to 0..255 and rounds halves to even; alpha stays. A mesh without vertex
// colours has nothing to brighten and is left as it is (false); inventing
// colours for it would paint a grey scan black.
constexpr double kBrighten = 1.5;
constexpr double kDarken = 0.7;
bool changeBrightness(Mesh &mesh, double amount);

// Keeps only item 0; returns how many objects the model held before.
// The view shows objectsFoundText() when that is more than 1.
std::size_t cleanMesh(Model &model);
std::string objectsFoundText(std::size_t objects); // "Objects Found: 3"
inline constexpr const char *kCleanMeshTitle = "Clean Mesh";

// "Smooth": shading only. The crease angle is stored on the mesh (and in its
// model file); the positions never move, because the scan goes to the
// laboratory as it was taken.
constexpr double kSmoothCreaseAngle = 40;
void smooth(Mesh &mesh, double creaseAngleDegrees = kSmoothCreaseAngle);

// Unit normals for shading, one per triangle corner (3 x triangles, in
// triangle order). A corner takes the area-weighted mean of the normals of
// the triangles around its vertex that meet its own triangle at no more than
// the crease angle, so edges sharper than that stay hard; a crease angle of
// 0 gives flat shading. Degenerate triangles take their vertex's mean.
std::vector<Vec3> cornerNormals(const Mesh &mesh, double creaseAngleDegrees);
inline std::vector<Vec3> cornerNormals(const Mesh &mesh)
{
    return cornerNormals(mesh, mesh.creaseAngle);
}

} // namespace mesh
