#include "large_buffers.h"

#include "largememory.h"
#include "parallel.h"

#include <algorithm>
#include <cstdint>

#ifdef __linux__
#include <sys/mman.h>
#ifndef MADV_COLLAPSE
#define MADV_COLLAPSE 25 // Linux 6.1; older kernels refuse it, and the page stays as it was
#endif
#endif

namespace mesh {

namespace {
constexpr std::uintptr_t kHugePage = std::uintptr_t(2) << 20;
constexpr std::uintptr_t kPage = 4096;

// The huge page extents a buffer has to itself: those wholly inside it, and
// the one it starts or ends in when only the allocator's few bytes of that
// extent lie outside it. `head`: the first extent is one of the latter, whose
// first page the allocator has already written.
struct OwnExtents
{
    std::uintptr_t begin = 0, end = 0;
    bool head = false;
};

OwnExtents ownExtents(const void *data, std::size_t bytes)
{
    const auto start = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t stop = start + bytes;
    OwnExtents e;
    e.begin = (start + kHugePage - 1) & ~(kHugePage - 1);
    e.end = stop & ~(kHugePage - 1);
    if (const std::uintptr_t before = start & (kHugePage - 1); before != 0 && before <= kAllocatorHeader) {
        e.begin -= kHugePage;
        e.head = true;
    }
    if (const std::uintptr_t after = (kHugePage - (stop & (kHugePage - 1))) & (kHugePage - 1);
        after != 0 && after <= kAllocatorHeader)
        e.end += kHugePage;
    if (e.end <= e.begin)
        return {};
    return e;
}
} // namespace

void adviseHugePages(void *data, std::size_t bytes)
{
    largememory::adviseHugePages(data, bytes);
}

void adviseOwnHugePages(void *data, std::size_t bytes)
{
#ifdef __linux__
    const OwnExtents e = ownExtents(data, bytes);
    if (e.end > e.begin)
        ::madvise(reinterpret_cast<void *>(e.begin), e.end - e.begin, MADV_HUGEPAGE);
#else
    (void)data;
    (void)bytes;
#endif
}

std::size_t wholeHugePageBytes(std::size_t bytes)
{
    if (bytes < kHugePage)
        return bytes;
    // With glibc a block of k * 2 MB - 32 bytes, header and rounding included,
    // is exactly k * 2 MB.
    const std::size_t block = bytes + kAllocatorHeader / 2;
    return (block + kHugePage - 1) / kHugePage * kHugePage - kAllocatorHeader / 2;
}

std::size_t largeArrayAlignment(std::size_t bytes)
{
    return largememory::alignmentFor(bytes);
}

void populateLarge(const std::vector<MemoryRange> &ranges)
{
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    // Whole huge pages a few at a time, so that no two cores fault in the
    // same one. An extent whose first page the allocator wrote cannot be
    // handed over as a huge page: it is rebuilt as one (the allocator's bytes
    // copied). The pages outside huge pages are handed over too, a little at
    // a time: taken now on every core, they cost less than one at a time on
    // the first write of the one core that fills them.
    constexpr std::size_t kPiece = std::size_t(4) << 20;
    constexpr std::size_t kSmallPiece = std::size_t(256) << 10;
    struct Piece
    {
        std::uintptr_t at;
        std::size_t bytes;
        int advice;
    };
    std::vector<Piece> pieces;
    auto cut = [&](std::uintptr_t begin, std::uintptr_t end, std::size_t piece) {
        for (std::uintptr_t at = begin; at < end; at += piece)
            pieces.push_back({at, std::min<std::size_t>(piece, end - at), MADV_POPULATE_WRITE});
    };
    for (const MemoryRange &r : ranges) {
        if (!r.data || r.bytes == 0)
            continue;
        const auto start = reinterpret_cast<std::uintptr_t>(r.data);
        // Every page holding a byte of the range is mapped, and populating
        // one already there changes nothing in it.
        const std::uintptr_t first = start & ~(kPage - 1);
        const std::uintptr_t last = (start + r.bytes + kPage - 1) & ~(kPage - 1);
        OwnExtents e = ownExtents(r.data, r.bytes);
        if (e.end <= e.begin)
            e.begin = e.end = last;
        if (e.head) {
            pieces.push_back({e.begin, std::size_t(kHugePage), MADV_COLLAPSE});
            cut(e.begin + kHugePage, e.end, kPiece);
        } else {
            cut(first, e.begin, kSmallPiece);
            cut(e.begin, e.end, kPiece);
        }
        cut(std::max(e.end, first), last, kSmallPiece);
    }
    // The rebuilt pages first: each takes longer than a piece.
    std::stable_partition(pieces.begin(), pieces.end(), [](const Piece &p) { return p.advice == MADV_COLLAPSE; });
    runEach(pieces.size(), [&](std::size_t j) {
        const Piece &p = pieces[j];
        if (::madvise(reinterpret_cast<void *>(p.at), p.bytes, p.advice) != 0 && p.advice == MADV_COLLAPSE)
            ::madvise(reinterpret_cast<void *>(p.at), p.bytes, MADV_POPULATE_WRITE);
    });
#else
    (void)ranges;
#endif
}

} // namespace mesh
