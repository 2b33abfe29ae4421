#pragma once
// Whole-file reads and replace-by-rename writes shared by the readers, the
// repairs and the model file. Failures throw MeshError (FileAccess) naming
// the path.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string_view>

namespace mesh {

class FileBytes
{
public:
    FileBytes() = default;
    FileBytes(std::unique_ptr<char[]> data, std::size_t size)
        : m_data(std::move(data)),
          m_size(size)
    {}
    std::string_view view() const { return {m_data.get(), m_size}; }
    std::size_t size() const { return m_size; }

private:
    std::unique_ptr<char[]> m_data;
    std::size_t m_size = 0;
};

// The whole file; the buffer is not zero-filled first, as scans are large.
FileBytes readFileBytes(const std::filesystem::path &path);

// Writes the bytes to a temporary file beside the target, flushes it to disk
// and renames it over the target, so a failure never leaves a half-written
// file in place of the old one.
void replaceFileContents(const std::filesystem::path &path, std::string_view bytes);

std::string displayName(const std::filesystem::path &path);

} // namespace mesh
