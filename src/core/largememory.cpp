#include "largememory.h"

#include <algorithm>
#include <cstdint>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace largememory {

namespace {
constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;

// Rounded up to whole alignment units, so the last huge page is whole too.
std::size_t roundedSize(std::size_t bytes, std::size_t alignment)
{
    bytes = std::max<std::size_t>(bytes, 1);
    return (bytes + alignment - 1) / alignment * alignment;
}
} // namespace

void adviseHugePages(void *data, std::size_t bytes)
{
#ifdef __linux__
    if (!data || bytes < kHugePage)
        return;
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (start + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = (start + bytes) & ~(kHugePage - 1);
    if (end > begin)
        ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

std::size_t alignmentFor(std::size_t bytes)
{
    return bytes >= kLargeBuffer ? std::size_t(kHugePage) : alignof(std::max_align_t);
}

void *allocate(std::size_t bytes)
{
    const std::size_t alignment = alignmentFor(bytes);
    const std::size_t rounded = roundedSize(bytes, alignment);
    void *data = ::operator new(rounded, std::align_val_t(alignment));
    adviseHugePages(data, rounded);
    return data;
}

void release(void *data, std::size_t bytes) noexcept
{
    ::operator delete(data, std::align_val_t(alignmentFor(bytes)));
}

} // namespace largememory
