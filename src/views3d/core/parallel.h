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

// How the work is shared out: as many jobs as the machine has cores, each
// at least a grain of work. Tests and benchmarks may say otherwise; every
// reader gives the same result whatever these are, to the bit.
struct Parallelism
{
    unsigned cores = 0; // 0: the machine's own
    std::size_t grainDivisor = 1; // above 1: small inputs are shared out as large ones are
};
Parallelism parallelism();
void setParallelism(const Parallelism &settings);

// Sets the sharing for its lifetime (tests and benchmarks).
class ScopedParallelism
{
public:
    explicit ScopedParallelism(const Parallelism &settings)
        : m_before(parallelism())
    {
        setParallelism(settings);
    }
    ~ScopedParallelism() { setParallelism(m_before); }
    ScopedParallelism(const ScopedParallelism &) = delete;
    ScopedParallelism &operator=(const ScopedParallelism &) = delete;

private:
    Parallelism m_before;
};

// The cores jobs are shared out over.
unsigned coreCount();

// How many jobs `work` items deserve when each should have at least `grain`.
inline unsigned jobCount(std::size_t work, std::size_t grain)
{
    const std::size_t divided = std::max<std::size_t>(grain / std::max<std::size_t>(parallelism().grainDivisor, 1), 1);
    return static_cast<unsigned>(std::clamp<std::size_t>(work / divided, 1, coreCount()));
}

void runJobs(unsigned jobs, const std::function<void(unsigned)> &job);

// Runs `count` jobs on at most coreCount() cores, each core taking the next
// job when it is free: many small jobs share uneven work out evenly.
void runEach(std::size_t count, const std::function<void(std::size_t)> &job);

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
