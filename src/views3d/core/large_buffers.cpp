#include "large_buffers.h"

#include <cstdint>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace mesh {

namespace {
constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;
// Below this an array is allocated as any other.
constexpr std::size_t kLargeArray = std::size_t(1) << 20;
} // namespace

void adviseHugePages(void *data, std::size_t bytes)
{
#ifdef __linux__
    if (!data || bytes < kHugePage)
        return;
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t begin = (start + kHugePage - 1) & ~(kHugePage - 1);
    const std::uintptr_t end = (start + bytes) & ~(kHugePage - 1);
    // Only advice: where the kernel cannot follow it, memory comes as before.
    if (end > begin)
        ::madvise(reinterpret_cast<void *>(begin), end - begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

std::size_t largeArrayAlignment(std::size_t bytes)
{
    return bytes >= kLargeArray ? std::size_t(kHugePage) : alignof(std::max_align_t);
}

} // namespace mesh
