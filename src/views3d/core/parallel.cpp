#include "parallel.h"

#include <atomic>
#include <condition_variable>
#include <exception>
#include <mutex>
#include <system_error>
#include <vector>

namespace mesh {

namespace {

std::atomic<unsigned> g_cores{0};
std::atomic<std::size_t> g_grainDivisor{1};

class WorkerPool
{
public:
    // The workers are started by a thread of their own, so that the first
    // read's caller starts on its jobs at once rather than after the last
    // worker is up (starting eight threads costs milliseconds on some
    // machines); each worker takes jobs from the moment it is up.
    WorkerPool()
        : m_starter([this] { startWorkers(); })
    {}
    ~WorkerPool()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stop = true;
        }
        m_wake.notify_all();
        m_starter.join();
        for (std::thread &t : m_threads)
            t.join();
    }

    void run(unsigned jobs, const std::function<void(unsigned)> &job)
    {
        std::lock_guard turn(m_turn);
        {
            std::lock_guard lock(m_mutex);
            m_job = &job;
            m_jobs = jobs;
            m_next = 1;
            m_done = 0;
            m_failure = nullptr;
            ++m_generation;
        }
        m_wake.notify_all();
        runOne(0);
        std::unique_lock lock(m_mutex);
        // The caller helps with jobs no worker has taken yet.
        while (m_next < m_jobs) {
            const unsigned index = m_next++;
            lock.unlock();
            runOne(index);
            lock.lock();
        }
        m_finished.wait(lock, [&] { return m_done == m_jobs; });
        m_job = nullptr;
        if (m_failure)
            std::rethrow_exception(m_failure);
    }

private:
    void startWorkers()
    {
        const unsigned workers = std::max(1u, std::thread::hardware_concurrency()) - 1;
        for (unsigned i = 0; i < workers; ++i) {
            std::thread worker;
            try {
                worker = std::thread([this] { work(); });
            } catch (const std::system_error &) {
                return; // fewer workers: the callers take the jobs left
            }
            std::lock_guard lock(m_mutex);
            m_threads.push_back(std::move(worker));
            if (m_stop)
                return;
        }
    }

    void runOne(unsigned index)
    {
        std::exception_ptr failure;
        try {
            (*m_job)(index);
        } catch (...) {
            failure = std::current_exception();
        }
        std::lock_guard lock(m_mutex);
        if (failure && !m_failure)
            m_failure = failure;
        if (++m_done == m_jobs)
            m_finished.notify_all();
    }

    void work()
    {
        std::uint64_t seen = 0;
        std::unique_lock lock(m_mutex);
        for (;;) {
            m_wake.wait(lock, [&] { return m_stop || (m_generation != seen && m_next < m_jobs); });
            if (m_stop)
                return;
            seen = m_generation;
            while (m_job && m_next < m_jobs) {
                const unsigned index = m_next++;
                lock.unlock();
                runOne(index);
                lock.lock();
            }
        }
    }

    std::mutex m_turn;
    std::mutex m_mutex;
    std::condition_variable m_wake, m_finished;
    std::vector<std::thread> m_threads; // filled by m_starter
    const std::function<void(unsigned)> *m_job = nullptr;
    unsigned m_jobs = 0, m_next = 0, m_done = 0;
    std::uint64_t m_generation = 0;
    std::exception_ptr m_failure;
    bool m_stop = false;
    std::thread m_starter; // last: it uses every member above
};

} // namespace

Parallelism parallelism()
{
    return {g_cores.load(), g_grainDivisor.load()};
}

void setParallelism(const Parallelism &settings)
{
    g_cores = settings.cores;
    g_grainDivisor = std::max<std::size_t>(settings.grainDivisor, 1);
}

unsigned coreCount()
{
    const unsigned set = g_cores.load();
    return set != 0 ? set : std::max(1u, std::thread::hardware_concurrency());
}

void runJobs(unsigned jobs, const std::function<void(unsigned)> &job)
{
    if (jobs <= 1) {
        job(0);
        return;
    }
    static WorkerPool pool;
    pool.run(jobs, job);
}

void runEach(std::size_t count, const std::function<void(std::size_t)> &job)
{
    std::atomic<std::size_t> next{0};
    runJobs(static_cast<unsigned>(std::min<std::size_t>(count, coreCount())), [&](unsigned) {
        for (std::size_t j; (j = next++) < count;)
            job(j);
    });
}

} // namespace mesh
