#pragma once
// Whole-file reads and replace-by-rename writes shared by the readers, the
// repairs and the model file. Failures throw MeshError (FileAccess) naming
// the path.

#include "large_buffers.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string_view>

namespace mesh {

class FileBytes
{
public:
    FileBytes() = default;
    FileBytes(LargeArray<char> data, std::size_t size)
        : m_data(std::move(data)),
          m_size(size)
    {}
    std::string_view view() const { return {m_data.get(), m_size}; }
    std::size_t size() const { return m_size; }

private:
    LargeArray<char> m_data;
    std::size_t m_size = 0;
};

// The whole file; the buffer is not zero-filled first, as scans are large.
FileBytes readFileBytes(const std::filesystem::path &path);

// A file open for reading a piece at a time, for readers that never hold a
// whole large file. Throws MeshError (FileAccess) naming the path.
class OpenFile
{
public:
    explicit OpenFile(const std::filesystem::path &path);
    ~OpenFile();
    OpenFile(const OpenFile &) = delete;
    OpenFile &operator=(const OpenFile &) = delete;

    std::uint64_t size() const { return m_size; }
    // Up to `length` bytes from `offset` into `into`; fewer only at the end
    // of the file. Returns the bytes read.
    std::size_t readAt(std::uint64_t offset, char *into, std::size_t length) const;

private:
    std::filesystem::path m_path;
    std::FILE *m_file = nullptr;
    std::uint64_t m_size = 0;
};

// Writes the bytes to a temporary file beside the target, flushes it to disk
// and renames it over the target, so a failure never leaves a half-written
// file in place of the old one.
void replaceFileContents(const std::filesystem::path &path, std::string_view bytes);

std::string displayName(const std::filesystem::path &path);

} // namespace mesh
