#pragma once
// Joins corners that stand at exactly the same point into one vertex, so an
// STL's triangle soup becomes a connected mesh (smoothing, picking and cuts
// need to know which triangles meet). Exactly means the same 32-bit floats,
// with -0 and +0 taken as one point; nothing is snapped or moved.
//
// Vertices are numbered in the order their first corner appears, so the
// result does not depend on how many cores did the work. Corners are sorted
// into buckets by the top bits of their hash, and each bucket is welded on
// its own with a table small enough for one core's cache, the buckets shared
// out over the cores. Temporary memory is 17 bytes a corner: each corner's
// point is copied into its bucket, so the buckets are read straight through.

#include "large_buffers.h"
#include "mesh_model.h"
#include "parallel.h"

#include <atomic>
#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace mesh {

struct CornerKey
{
    std::uint32_t x, y, z; // float bit patterns, -0 stored as +0
    friend bool operator==(const CornerKey &, const CornerKey &) = default;
};

// False when a coordinate is NaN or infinite.
inline bool makeCornerKey(const float xyz[3], CornerKey &key)
{
    std::uint32_t bits[3];
    std::memcpy(bits, xyz, sizeof bits);
    bool finite = true;
    for (std::uint32_t &b : bits) {
        finite = finite && (b & 0x7F800000u) != 0x7F800000u;
        if (b == 0x80000000u)
            b = 0;
    }
    key = {bits[0], bits[1], bits[2]};
    return finite;
}

inline std::uint64_t hashCornerKey(const CornerKey &k)
{
    std::uint64_t h = (std::uint64_t(k.x) | (std::uint64_t(k.y) << 32)) * 0x9E3779B97F4A7C15ull;
    h ^= std::uint64_t(k.z) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    h ^= h >> 32;
    return h;
}

// keyAt(c) gives corner c's key (c < corners, callable from several threads).
// positions gets one entry per distinct point; vertexOfCorner[c] (room for
// `corners` entries) gets corner c's vertex.
template <class KeyAt>
void weldCorners(std::size_t corners, const KeyAt &keyAt, std::vector<Vec3> &positions, std::uint32_t *vertexOfCorner)
{
    constexpr int kBucketBits = 8;
    constexpr std::size_t kBuckets = std::size_t(1) << kBucketBits;
    const std::size_t n = corners;
    const unsigned jobs = jobCount(n, 1 << 16);

    // Which bucket each corner goes to; later, whether it is its point's first.
    auto mark = makeLargeArray<std::uint8_t>(n);
    std::vector<std::size_t> cursor(jobs * kBuckets, 0);
    runJobs(jobs, [&](unsigned job) {
        const Range r = jobRange(n, jobs, job);
        std::size_t *mine = cursor.data() + job * kBuckets;
        for (std::size_t c = r.begin; c < r.end; ++c) {
            const auto b = static_cast<std::uint8_t>(hashCornerKey(keyAt(c)) >> (64 - kBucketBits));
            mark[c] = b;
            ++mine[b];
        }
    });
    // Bucket b holds job 0's corners, then job 1's, ...: ascending order.
    std::vector<std::size_t> bucketStart(kBuckets + 1, 0);
    std::size_t at = 0;
    for (std::size_t b = 0; b < kBuckets; ++b) {
        bucketStart[b] = at;
        for (unsigned j = 0; j < jobs; ++j) {
            const std::size_t count = cursor[j * kBuckets + b];
            cursor[j * kBuckets + b] = at;
            at += count;
        }
    }
    bucketStart[kBuckets] = at;
    // Each corner's point goes with it, so a bucket is read straight through
    // instead of reaching back into the file for every corner.
    struct Entry
    {
        CornerKey key;
        std::uint32_t corner;
    };
    auto sorted = makeLargeArray<Entry>(n);
    runJobs(jobs, [&](unsigned job) {
        const Range r = jobRange(n, jobs, job);
        std::size_t *mine = cursor.data() + job * kBuckets;
        for (std::size_t c = r.begin; c < r.end; ++c)
            sorted[mine[mark[c]]++] = {keyAt(c), static_cast<std::uint32_t>(c)};
    });

    // vertexOfCorner first holds each corner's first corner of the same point.
    std::uint32_t *first = vertexOfCorner;
    std::atomic<std::size_t> nextBucket{0};
    runJobs(jobs, [&](unsigned) {
        struct Slot
        {
            CornerKey key;
            std::uint32_t firstPlusOne; // 0: empty
        };
        std::vector<Slot> table;
        for (std::size_t b; (b = nextBucket.fetch_add(1)) < kBuckets;) {
            const std::size_t size = bucketStart[b + 1] - bucketStart[b];
            if (size == 0)
                continue;
            const std::size_t capacity = std::bit_ceil(std::max<std::size_t>(16, size * 2));
            table.assign(capacity, Slot{{0, 0, 0}, 0});
            const std::size_t mask = capacity - 1;
            for (std::size_t e = bucketStart[b]; e < bucketStart[b + 1]; ++e) {
                const std::uint32_t c = sorted[e].corner;
                const CornerKey key = sorted[e].key;
                std::size_t i = static_cast<std::size_t>(hashCornerKey(key)) & mask;
                for (;; i = (i + 1) & mask) {
                    Slot &slot = table[i];
                    if (slot.firstPlusOne == 0) {
                        slot = {key, c + 1};
                        first[c] = c;
                        mark[c] = 1;
                        break;
                    }
                    if (slot.key == key) {
                        first[c] = slot.firstPlusOne - 1;
                        mark[c] = 0;
                        break;
                    }
                }
            }
        }
    });
    sorted.reset();

    // Number the first corners in file order, then point every other corner
    // at its first one's vertex.
    std::vector<std::size_t> firsts(jobs, 0);
    runJobs(jobs, [&](unsigned job) {
        const Range r = jobRange(n, jobs, job);
        std::size_t count = 0;
        for (std::size_t c = r.begin; c < r.end; ++c)
            count += mark[c];
        firsts[job] = count;
    });
    std::size_t total = 0;
    for (std::size_t &f : firsts) {
        const std::size_t start = total;
        total += f;
        f = start;
    }
    resizeLarge(positions, total);
    runJobs(jobs, [&](unsigned job) {
        const Range r = jobRange(n, jobs, job);
        auto next = static_cast<std::uint32_t>(firsts[job]);
        for (std::size_t c = r.begin; c < r.end; ++c) {
            if (!mark[c])
                continue;
            CornerKey k = keyAt(c);
            float xyz[3];
            std::memcpy(xyz, &k, sizeof xyz);
            positions[next] = {xyz[0], xyz[1], xyz[2]};
            vertexOfCorner[c] = next++;
        }
    });
    runJobs(jobs, [&](unsigned job) {
        const Range r = jobRange(n, jobs, job);
        for (std::size_t c = r.begin; c < r.end; ++c)
            if (!mark[c])
                vertexOfCorner[c] = vertexOfCorner[first[c]];
    });
}

} // namespace mesh
