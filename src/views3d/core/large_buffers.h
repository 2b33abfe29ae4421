#pragma once
// Fresh memory for the large buffers a scan read fills at once. The kernel
// hands out fresh memory a page at a time, and on some machines each 4 KB
// page costs more than the bytes that fill it: reading a large scan into
// fresh memory was mostly the kernel's work. Where transparent huge pages
// can be asked for (Linux), a large buffer asks for them, so its memory
// arrives 2 MB at a time. Nothing else changes: contents, sizes and the
// results of every read stay exactly as they were.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <new>
#include <type_traits>
#include <vector>

namespace mesh {

// Asks for huge pages over the whole 2 MB extents inside [data, data + bytes).
// Call it before the buffer is first written; small buffers are left alone.
void adviseHugePages(void *data, std::size_t bytes);

// Uninitialised room for `count` trivial values. A large array starts on a
// 2 MB boundary, so all of it can come in huge pages.
struct LargeArrayDeleter
{
    std::size_t alignment = alignof(std::max_align_t);
    void operator()(void *data) const noexcept { ::operator delete(data, std::align_val_t(alignment)); }
};
template <class T>
using LargeArray = std::unique_ptr<T[], LargeArrayDeleter>;

// The alignment an array of `bytes` gets: a huge page for large ones.
std::size_t largeArrayAlignment(std::size_t bytes);

template <class T>
LargeArray<T> makeLargeArray(std::size_t count)
{
    static_assert(std::is_trivially_default_constructible_v<T> && std::is_trivially_destructible_v<T>);
    const std::size_t bytes = std::max<std::size_t>(count * sizeof(T), 1);
    const std::size_t alignment = std::max(largeArrayAlignment(bytes), alignof(T));
    // Rounded up to whole alignment units, so the last huge page is whole too.
    const std::size_t rounded = (bytes + alignment - 1) / alignment * alignment;
    void *data = ::operator new(rounded, std::align_val_t(alignment));
    adviseHugePages(data, rounded);
    return LargeArray<T>(static_cast<T *>(data), LargeArrayDeleter{alignment});
}

// The allocator keeps at most this many bytes of its own just before and
// after a large block it takes from the kernel (16 with glibc).
inline constexpr std::size_t kAllocatorHeader = 64;

// Bytes to ask of the allocator for at least `bytes`, so that its block
// starts on a huge page: large blocks come from the kernel in whole pages
// with the allocator's header in front, so asking for a few bytes under a
// multiple of 2 MB makes the block whole 2 MB pages, which the kernel places
// on a 2 MB boundary. The part never written costs address space only.
// Below one huge page, `bytes` as it is.
std::size_t wholeHugePageBytes(std::size_t bytes);

// Asks for huge pages over the extents [data, data + bytes) has to itself:
// the whole 2 MB extents inside it, and the first and last too where only
// the allocator's header lies outside the range.
void adviseOwnHugePages(void *data, std::size_t bytes);

// reserve() for a vector about to be filled at once with `count` elements
// and handed to populateLarge(): its storage starts on a huge page, so that
// all of it but the last part huge page can come in huge pages. A fresh
// vector's storage otherwise starts inside a huge page, and up to 2 MB more
// of its memory comes 4 KB at a time. The last part huge page stays in
// small pages: taken whole it would cost more memory than the read before.
template <class T>
void reserveInHugePages(std::vector<T> &v, std::size_t count)
{
    if (count <= v.capacity())
        return;
    v.reserve(std::max(count, wholeHugePageBytes(count * sizeof(T)) / sizeof(T)));
    adviseOwnHugePages(v.data(), count * sizeof(T));
}

// Has the kernel hand over the memory of the ranges now, a few megabytes at
// a time on every core, rather than page by page to the one core that first
// writes it. Only advice too: where it cannot be followed, nothing changes.
struct MemoryRange
{
    void *data;
    std::size_t bytes;
};
void populateLarge(const std::vector<MemoryRange> &ranges);

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
