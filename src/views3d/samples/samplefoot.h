#pragma once
// Plausible foot surfaces for the demo working folder, the tests and the
// benchmarks: a closed, smooth foot shape (heel, arch, ball and toes) along
// the X axis, sole on the XY plane facing -Z, about 260 mm long. Made from
// formulas only: no scan of a person is involved.

#include "mesh_model.h"

#include <QImage>
#include <QString>

#include <cstddef>

namespace samples {

enum class Foot { Left, Right };

// About `triangles` triangles (at least a few hundred). Texture coordinates
// run along the foot (u) and around it (v); the seam has its own vertices.
// The right foot is the left one mirrored, with its winding reversed.
mesh::Model makeFoot(Foot foot, std::size_t triangles = 20000);

// The texture photo for the foot: skin tones with a darker sole band and a
// faint grid, so orientation and mapping show. Deterministic.
QImage makeTexturePhoto(int width = 512, int height = 256);

// VRML97: one Shape with an ImageTexture (url `textureUrl`, as written) and
// an IndexedFaceSet with coordinates, texture coordinates and their indices.
QByteArray vrml97Text(const mesh::Mesh &mesh, const QString &textureUrl);

// Binary STL (little-endian, facet normals computed).
QByteArray binaryStl(const mesh::Mesh &mesh);

// Writes the demo scans into `folder` (created when missing):
//   Sample_Anna_L.Wrl + Sample_Anna_L[VRML].Jpg, Sample_Anna_R.Wrl + ...[VRML].Jpg,
//   Sample_Ben_L.Stl, Sample_Ben_R.Stl.
// Returns the paths written; throws std::runtime_error on failure.
QStringList writeSampleScans(const QString &folder, std::size_t triangles = 20000);

// One foot as VRML with its texture photo beside it ("<base>.Wrl" and
// "<base>[VRML].Jpg"); returns the ".Wrl" path.
QString writeVrmlScan(const QString &folder, const QString &base, Foot foot, std::size_t triangles);
// One foot as binary STL ("<base>.Stl"); returns its path.
QString writeStlScan(const QString &folder, const QString &base, Foot foot, std::size_t triangles);

} // namespace samples
