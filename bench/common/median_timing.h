#pragma once
// Shared by the window and drawing benchmarks: the median and the worst of
// several timed runs, and the memory the process holds.

#include <QByteArray>
#include <QFile>

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace bench {

struct Timing
{
    double median = 0, worst = 0;
};

// `prepare` runs before each timed run and is not counted.
inline Timing measure(int repetitions, const std::function<void()> &prepare, const std::function<void()> &work)
{
    std::vector<double> ms;
    for (int i = 0; i < repetitions; ++i) {
        if (prepare)
            prepare();
        const auto start = std::chrono::steady_clock::now();
        work();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

inline Timing measure(int repetitions, const std::function<void()> &work)
{
    return measure(repetitions, {}, work);
}

// The resident memory of this process in megabytes.
inline double residentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

} // namespace bench
