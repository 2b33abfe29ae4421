#pragma once
// Shared by the scan reader benchmarks: the floor they are measured against
// and the best of several timed runs.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>

#include "large_buffers.h"

namespace bench {

// The floor: one fread of the whole file into a fresh buffer. Returns the
// bytes read.
inline std::size_t plainRead(const std::filesystem::path &path)
{
    std::FILE *f = std::fopen(path.string().c_str(), "rb");
    if (!f)
        return 0;
    const auto size = static_cast<std::size_t>(std::filesystem::file_size(path));
    auto buffer = std::make_unique_for_overwrite<char[]>(size);
    const std::size_t got = std::fread(buffer.get(), 1, size, f);
    std::fclose(f);
    return got;
}

// The same read into fresh memory that asks for transparent huge pages, as
// the readers' large buffers do: the floor for a read that asks for them.
// Where fresh 4 KB pages are dear, the plain read mostly measures the
// kernel handing them out, which flatters every reader against it.
inline std::size_t plainReadHuge(const std::filesystem::path &path)
{
    std::FILE *f = std::fopen(path.string().c_str(), "rb");
    if (!f)
        return 0;
    const auto size = static_cast<std::size_t>(std::filesystem::file_size(path));
    const mesh::LargeArray<char> buffer = mesh::makeLargeArray<char>(size);
    const std::size_t got = std::fread(buffer.get(), 1, size, f);
    std::fclose(f);
    return got;
}

// Best of `reps` runs, in milliseconds. The function returns what it read
// (triangles, or bytes for the plain read), which must equal `expected`: a
// reader that reads less must not look fast.
inline double timeBest(int reps, std::size_t expected, const char *what, const std::function<std::size_t()> &run)
{
    using Clock = std::chrono::steady_clock;
    double best = 1e300;
    for (int i = 0; i < reps; ++i) {
        const auto start = Clock::now();
        const std::size_t got = run();
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        if (got != expected) {
            std::fprintf(stderr, "%s gave %zu, expected %zu\n", what, got, expected);
            std::exit(1);
        }
        best = std::min(best, ms);
    }
    return best;
}

} // namespace bench
