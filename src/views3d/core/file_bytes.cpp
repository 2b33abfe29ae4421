#include "file_bytes.h"

#include "mesh_model.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>
#endif

#include "large_buffers.h"
#include "parallel.h"

namespace mesh {

namespace {

struct FileCloser
{
    void operator()(std::FILE *f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

[[noreturn]] void failAccess(const std::string &what, const std::filesystem::path &path, int err)
{
    std::string message = what + " " + displayName(path);
    if (err != 0)
        message += ": " + std::string(std::strerror(err));
    throw MeshError(MeshError::Kind::FileAccess, message);
}

} // namespace

std::string displayName(const std::filesystem::path &path)
{
    return path.string();
}

#ifndef _WIN32
namespace {

// Large files are read in parallel slices: much of a plain read's time is the
// kernel filling fresh pages of the buffer, and that spreads over the cores.
// nullopt when the file changed size under the read, or pread failed; the
// caller then reads it the plain way.
std::optional<FileBytes> readInSlices(int fd, std::size_t size)
{
    auto data = makeLargeArray<char>(size);
    const unsigned jobs = jobCount(size, 4 << 20);
    std::vector<char> ok(jobs, 0);
    runJobs(jobs, [&](unsigned job) {
        const Range r = jobRange(size, jobs, job);
        std::size_t at = r.begin;
        while (at < r.end) {
            const ssize_t got = ::pread(fd, data.get() + at, r.end - at, static_cast<off_t>(at));
            if (got <= 0) {
                if (got < 0 && errno == EINTR)
                    continue;
                return;
            }
            at += static_cast<std::size_t>(got);
        }
        ok[job] = 1;
    });
    char probe;
    if (std::find(ok.begin(), ok.end(), 0) != ok.end() || ::pread(fd, &probe, 1, static_cast<off_t>(size)) != 0)
        return std::nullopt;
    return FileBytes(std::move(data), size);
}

} // namespace
#endif

FileBytes readFileBytes(const std::filesystem::path &path)
{
    FilePtr file(std::fopen(path.string().c_str(), "rb"));
    if (!file)
        failAccess("Cannot open", path, errno);
    std::setvbuf(file.get(), nullptr, _IONBF, 0);
    std::error_code ec;
    const auto expected = std::filesystem::file_size(path, ec);
    if (ec)
        failAccess("Cannot read the size of", path, ec.value());
#ifndef _WIN32
    if (expected >= (8u << 20)) {
        if (std::optional<FileBytes> sliced = readInSlices(fileno(file.get()), static_cast<std::size_t>(expected)))
            return std::move(*sliced);
    }
#endif
    // The size is only a hint: read until the end, growing if the file grew.
    std::size_t capacity = static_cast<std::size_t>(expected) + 1;
    auto data = makeLargeArray<char>(capacity);
    std::size_t size = 0;
    for (;;) {
        const std::size_t got = std::fread(data.get() + size, 1, capacity - size, file.get());
        size += got;
        if (size < capacity) {
            if (std::ferror(file.get()))
                failAccess("Cannot read", path, errno);
            break;
        }
        auto bigger = makeLargeArray<char>(capacity * 2);
        std::memcpy(bigger.get(), data.get(), size);
        data = std::move(bigger);
        capacity *= 2;
    }
    return FileBytes(std::move(data), size);
}

OpenFile::OpenFile(const std::filesystem::path &path)
    : m_path(path),
      m_file(std::fopen(path.string().c_str(), "rb"))
{
    if (!m_file)
        failAccess("Cannot open", path, errno);
    std::setvbuf(m_file, nullptr, _IONBF, 0);
    std::error_code ec;
    m_size = std::filesystem::file_size(path, ec);
    if (ec) {
        std::fclose(m_file);
        failAccess("Cannot read the size of", path, ec.value());
    }
}

OpenFile::~OpenFile()
{
    std::fclose(m_file);
}

std::size_t OpenFile::readAt(std::uint64_t offset, char *into, std::size_t length) const
{
    std::size_t done = 0;
#ifndef _WIN32
    const int fd = fileno(m_file);
    // Large pieces are read in slices on every core, as whole files are.
    const std::uint64_t available = offset < m_size ? m_size - offset : 0;
    const std::size_t expected = static_cast<std::size_t>(std::min<std::uint64_t>(length, available));
    const unsigned jobs = expected >= (8u << 20) ? jobCount(expected, 4 << 20) : 1;
    if (jobs > 1) {
        std::vector<char> whole(jobs, 0);
        runJobs(jobs, [&](unsigned job) {
            const Range r = jobRange(expected, jobs, job);
            std::size_t at = r.begin;
            while (at < r.end) {
                const ssize_t got = ::pread(fd, into + at, r.end - at, static_cast<off_t>(offset + at));
                if (got < 0 && errno == EINTR)
                    continue;
                if (got <= 0)
                    return;
                at += static_cast<std::size_t>(got);
            }
            whole[job] = 1;
        });
        if (std::find(whole.begin(), whole.end(), 0) == whole.end())
            done = expected;
        // else: the file changed under the read; the plain loop below finds out how.
    }
    while (done < length) {
        const ssize_t got = ::pread(fd, into + done, length - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            failAccess("Cannot read", m_path, errno);
        if (got == 0)
            break;
        done += static_cast<std::size_t>(got);
    }
#else
    if (_fseeki64(m_file, static_cast<__int64>(offset), SEEK_SET) != 0)
        failAccess("Cannot read", m_path, errno);
    done = std::fread(into, 1, length, m_file);
    if (done < length && std::ferror(m_file))
        failAccess("Cannot read", m_path, errno);
#endif
    return done;
}

void replaceFileContents(const std::filesystem::path &path, std::string_view bytes)
{
    std::filesystem::path temp = path;
    temp += ".partial~";
    {
        FilePtr file(std::fopen(temp.string().c_str(), "wb"));
        if (!file)
            failAccess("Cannot create", temp, errno);
        if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
            const int err = errno;
            file.reset();
            std::filesystem::remove(temp);
            failAccess("Cannot write", temp, err);
        }
        bool ok = std::fflush(file.get()) == 0;
#ifndef _WIN32
        ok = ok && ::fsync(fileno(file.get())) == 0;
#endif
        const int err = errno;
        if (std::fclose(file.release()) != 0 || !ok) {
            std::error_code ignored;
            std::filesystem::remove(temp, ignored);
            failAccess("Cannot write", temp, err);
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temp, ignored);
        failAccess("Cannot replace", path, ec.value());
    }
}

} // namespace mesh
