#pragma once
// Splitting one large read over the machine's cores. The worker threads are
// started once and kept, because starting threads for every step of a read
// costs more than the step itself on small scans. runJobs() returns when all
// jobs are done (the caller's thread takes job 0) and rethrows the first
// exception of any job. Reads from several threads at once take turns.

#include <algorithm>
#include <cstddef>
#include <functional>
#include <thread>

namespace mesh {

// How many jobs `work` items deserve when each should have at least `grain`.
inline unsigned jobCount(std::size_t work, std::size_t grain)
{
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    return static_cast<unsigned>(std::clamp<std::size_t>(work / std::max<std::size_t>(grain, 1), 1, cores));
}

void runJobs(unsigned jobs, const std::function<void(unsigned)> &job);

// The half-open range of items that job `index` of `jobs` takes.
struct Range
{
    std::size_t begin, end;
};
inline Range jobRange(std::size_t items, unsigned jobs, unsigned index)
{
    return {items * index / jobs, items * (index + 1) / jobs};
}

} // namespace mesh
