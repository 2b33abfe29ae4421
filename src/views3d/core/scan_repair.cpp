#include "scan_repair.h"

#include "file_bytes.h"
#include "line_cursor.h"
#include "stl_reader.h"

#include <cstring>

namespace mesh {

namespace {

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

} // namespace

bool isTextFile(std::string_view bytes)
{
    return bytes.empty() || std::memchr(bytes.data(), '\0', bytes.size()) == nullptr;
}

std::optional<std::string> stlWithoutHeadComment(std::string_view bytes)
{
    if (binaryStlTriangleCount(bytes) >= 0 || !isTextFile(bytes))
        return std::nullopt;
    LineCursor lines(bytes);
    std::string_view first, second;
    if (!lines.next(first))
        return std::nullopt;
    if (first.size() >= 5) {
        std::string head(first.substr(0, 5));
        for (char &c : head)
            c = lower(c);
        if (head == "solid")
            return std::nullopt;
    }
    if (first.starts_with("iQube") || first.starts_with("Binary"))
        return std::nullopt;
    if (!lines.next(second) || !second.starts_with('#'))
        return std::nullopt;
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 32);
    out.append(first).append("\r\n");
    std::string_view line;
    while (lines.next(line))
        out.append(line).append("\r\n");
    return out;
}

StlRepairOutcome checkStlFile(const std::filesystem::path &path) noexcept
{
    try {
        const FileBytes bytes = readFileBytes(path);
        const std::optional<std::string> repaired = stlWithoutHeadComment(bytes.view());
        if (!repaired)
            return StlRepairOutcome::Unchanged;
        replaceFileContents(path, *repaired);
        return StlRepairOutcome::CommentRemoved;
    } catch (...) {
        return StlRepairOutcome::Failed;
    }
}

std::optional<std::string> withCrLfLineEnds(std::string_view bytes)
{
    // An empty text may stand on no memory, and memchr may not be given none.
    if (bytes.empty() || !isTextFile(bytes))
        return std::nullopt;
    std::size_t bare = 0;
    for (const char *p = bytes.data(), *end = p + bytes.size();
         (p = static_cast<const char *>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)))); ++p) {
        if (p == bytes.data() || p[-1] != '\r')
            ++bare;
    }
    if (bare == 0)
        return std::nullopt;
    std::string out;
    out.reserve(bytes.size() + bare);
    std::size_t copied = 0;
    for (std::size_t i = bytes.find('\n'); i != std::string_view::npos; i = bytes.find('\n', i + 1)) {
        if (i > 0 && bytes[i - 1] == '\r')
            continue;
        out.append(bytes.substr(copied, i - copied)).append("\r\n");
        copied = i + 1;
    }
    out.append(bytes.substr(copied));
    return out;
}

bool fixLineEnds(const std::filesystem::path &path)
{
    const FileBytes bytes = readFileBytes(path);
    const std::optional<std::string> repaired = withCrLfLineEnds(bytes.view());
    if (!repaired)
        return false;
    replaceFileContents(path, *repaired);
    return true;
}

} // namespace mesh
