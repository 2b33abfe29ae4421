#include "large_buffers.h"

#include "largememory.h"
#include "parallel.h"

#include <algorithm>
#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace mesh {

namespace {
constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;
} // namespace

void adviseHugePages(void *data, std::size_t bytes)
{
    largememory::adviseHugePages(data, bytes);
}

std::size_t largeArrayAlignment(std::size_t bytes)
{
    return largememory::alignmentFor(bytes);
}

void populateLarge(const std::vector<MemoryRange> &ranges)
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    // Whole huge pages, so that no two cores fault in the same one.
    constexpr std::size_t kPiece = std::size_t(4) << 20;
    std::vector<MemoryRange> pieces;
    for (const MemoryRange &r : ranges) {
        const auto start = reinterpret_cast<std::uintptr_t>(r.data);
        const std::uintptr_t begin = (start + kHugePage - 1) & ~(kHugePage - 1);
        const std::uintptr_t end = (start + r.bytes) & ~(kHugePage - 1);
        for (std::uintptr_t at = begin; at < end; at += kPiece)
            pieces.push_back({reinterpret_cast<void *>(at), std::min<std::size_t>(kPiece, end - at)});
    }
    runEach(pieces.size(), [&](std::size_t j) { ::madvise(pieces[j].data, pieces[j].bytes, MADV_POPULATE_WRITE); });
#else
    (void)ranges;
#endif
}

} // namespace mesh
