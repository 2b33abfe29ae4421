#pragma once
// STL scans, binary or ASCII, read into a one-object model (the foot is item
// 0). Corners at the same point are welded into shared vertices.
//
// A file is binary when its size is exactly 84 + 50 x the triangle count in
// bytes 80..83; this test comes before any look at the text, because binary
// headers often begin "solid". Any other file is read as ASCII: the first
// line is a header whatever it says, several solids are joined into the one
// mesh, keywords are read in any case, and the file must close its last
// solid with "endsolid" (so a copy cut short is refused rather than shown
// with part of the foot missing). A file without a single facet is refused.

#include "mesh_model.h"

#include <cstdint>
#include <filesystem>
#include <string_view>

namespace mesh {

// The triangle count a binary STL of this content would hold when its size
// matches, else -1.
std::int64_t binaryStlTriangleCount(std::string_view bytes);

// sourceName names the file in error messages.
Model parseStl(std::string_view bytes, const std::string &sourceName);
Model readStlFile(const std::filesystem::path &path);

} // namespace mesh
