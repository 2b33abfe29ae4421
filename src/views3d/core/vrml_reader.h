#pragma once
// VRML97 scans ("#VRML V2.0 utf8"): the part of the language that foot
// scanners and common exporters write, read into a model with one object per
// Shape that holds an IndexedFaceSet, in the order the shapes appear.
//
// Read: Transform (translation, rotation, scale, center, scaleOrientation),
// Group, Anchor, Collision and Billboard (as groups), Switch (its chosen
// child), LOD (its first level); Shape, Appearance, Material (diffuseColor and
// transparency give every vertex its colour when the set has no Color node),
// ImageTexture (the first url found beside the file); IndexedFaceSet with
// coord, coordIndex, color, colorIndex, colorPerVertex, texCoord,
// texCoordIndex, creaseAngle and ccw. DEF and USE, comments, commas, any line
// ends. Other nodes, fields, PROTO, EXTERNPROTO and ROUTE are passed over by
// their brackets.
//
// The mesh is in the file's world coordinates: every Transform above a shape
// is applied, and a mirroring transform reverses the winding so triangles
// still face outwards. Polygons are fanned from their first corner; faces of
// fewer than three corners are dropped. A point keeps its number; where the
// point's corners disagree on colour or texture coordinate, the extra
// vertices follow the points.
//
// Every count and index is checked: a file that breaks them, is cut short,
// nests too deeply or would multiply by USE into more than a scan's worth of
// geometry is refused with a MeshError naming the line.

#include "mesh_model.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace mesh {

// sourceName names the file in error messages. Texture urls are looked up in
// textureFolder; with an empty folder no file is looked at and no mesh gets a
// texture path.
Model parseVrml(std::string_view text, const std::string &sourceName, const std::filesystem::path &textureFolder = {});

// Reads the file and looks for its textures beside it. Throws MeshError.
Model readVrmlFile(const std::filesystem::path &path);

// The file a texture url names, looked for in `folder` (and its sub-folders
// when the url names them), letters compared without regard to case, as the
// scans come from a system whose file names ignore it. A url with a scheme,
// a drive, an absolute path or ".." is looked for by its last name only, so
// a url never reaches outside the folder. Empty when nothing is found.
std::filesystem::path findTextureFile(const std::filesystem::path &folder, std::string_view url);

} // namespace mesh
