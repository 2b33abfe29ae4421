#pragma once
// Fresh memory for the large buffers a scan read fills at once. The kernel
// hands out fresh memory a page at a time, and on some machines each 4 KB
// page costs more than the bytes that fill it: reading a large scan into
// fresh memory was mostly the kernel's work. Where transparent huge pages
// can be asked for (Linux), a large buffer asks for them, so its memory
// arrives 2 MB at a time. Nothing else changes: contents, sizes and the
// results of every read stay exactly as they were.

#include <cstddef>
#include <vector>

namespace mesh {

// Asks for huge pages over the whole 2 MB extents inside [data, data + bytes).
// Call it before the buffer is first written; small buffers are left alone.
void adviseHugePages(void *data, std::size_t bytes);

// reserve() for a vector about to be filled with `count` elements.
template <class T>
void reserveLarge(std::vector<T> &v, std::size_t count)
{
    if (count <= v.capacity())
        return;
    v.reserve(count);
    adviseHugePages(v.data(), v.capacity() * sizeof(T));
}

// resize() of an empty vector to `count` elements, in fresh memory advised first.
template <class T>
void resizeLarge(std::vector<T> &v, std::size_t count)
{
    reserveLarge(v, count);
    v.resize(count);
}

template <class T>
void resizeLarge(std::vector<T> &v, std::size_t count, const T &value)
{
    reserveLarge(v, count);
    v.resize(count, value);
}

} // namespace mesh
