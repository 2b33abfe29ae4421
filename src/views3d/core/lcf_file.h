#pragma once
// ".Lcf", the foot views' own model file: the whole model, bit for bit, in a
// small binary layout described in LCF_FORMAT.md beside this file. The same
// model always gives the same bytes; every count is checked against the
// file's size and a checksum before anything is allocated or built.

#include "mesh_model.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace mesh {

// Throws MeshError when the model breaks the rules of mesh_model.h.
std::string encodeLcf(const Model &model);
// sourceName names the file in error messages.
Model decodeLcf(std::string_view bytes, const std::string &sourceName);

// Written through a temporary file and a rename: an old file is replaced
// whole or not at all.
void saveLcfFile(const Model &model, const std::filesystem::path &path);

// The checksum a file ends with, computed over every byte before it.
std::uint32_t lcfChecksum(std::string_view bytesBeforeChecksum);
Model loadLcfFile(const std::filesystem::path &path);

} // namespace mesh
