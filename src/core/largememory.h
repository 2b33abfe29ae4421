#pragma once
// Fresh memory for large buffers that are filled at once: scan arrays,
// pictures. The kernel hands out fresh memory a page at a time, and on some
// machines each 4 KB page costs more than the bytes that fill it, so a large
// buffer asks for transparent huge pages (Linux) and its memory arrives 2 MB
// at a time. Only advice: contents and sizes never change, and where the
// kernel cannot follow it memory comes as before. Plain C++, so the mesh core
// uses it without Qt.

#include <cstddef>

namespace largememory {

// Below this a buffer is allocated as any other.
inline constexpr std::size_t kLargeBuffer = std::size_t(1) << 20;

// Asks for huge pages over the whole 2 MB extents inside [data, data + bytes).
// Call it before the buffer is first written; small buffers are left alone.
void adviseHugePages(void *data, std::size_t bytes);

// The alignment a buffer of `bytes` gets: a huge page for large ones.
std::size_t alignmentFor(std::size_t bytes);

// Uninitialised room for `bytes`, advised before anything touches it; free
// it with release() and the same size. Throws std::bad_alloc.
void *allocate(std::size_t bytes);
void release(void *data, std::size_t bytes) noexcept;

} // namespace largememory
