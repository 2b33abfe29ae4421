#pragma once
// Cutting the foot mesh with a plane: the part on the side the plane's
// normal points away from is removed. Triangles that cross the plane are
// split where they cross it, with colours and texture coordinates
// interpolated along the cut edges; the new vertices are shared between
// neighbouring triangles, so the surface stays joined. Vertices that no
// triangle uses any more are dropped.

#include "mesh_model.h"

namespace mesh {

struct Plane
{
    Vec3 origin;
    Vec3 normal; // need not have length 1; the kept side is where it points
};

enum class CutOutcome {
    Cut, // part of the mesh was removed
    NothingRemoved, // the whole mesh lies on the kept side; unchanged
    WouldLeaveNothing, // refused: the mesh is unchanged
    InvalidPlane, // refused: the normal is zero or not finite
};

// Keeps the part of the mesh where (p - origin) . normal >= 0.
CutOutcome cutMesh(Mesh &mesh, const Plane &plane);

} // namespace mesh
