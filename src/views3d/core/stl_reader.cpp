#include "stl_reader.h"

#include "file_bytes.h"
#include "line_cursor.h"
#include "position_welder.h"

#include <charconv>
#include <cstring>
#include <string>

namespace mesh {

namespace {

constexpr std::size_t kHeaderSize = 84;
constexpr std::size_t kRecordSize = 50;
// Vertex indices are 32-bit; three corners a triangle.
constexpr std::uint64_t kMaxTriangles = 0xFFFFFFFFull / 3;

[[noreturn]] void fail(const std::string& sourceName, const std::string& why)
{
    throw MeshError(MeshError::Kind::Format, sourceName + " is not a readable STL file: " + why);
}

std::uint32_t readU32(const char* p)
{
    const auto* b = reinterpret_cast<const unsigned char*>(p);
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16
           | std::uint32_t(b[3]) << 24;
}

float readF32(const char* p)
{
    const std::uint32_t bits = readU32(p);
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
}

Model parseBinary(std::string_view bytes, std::uint32_t count, const std::string& sourceName)
{
    if (count > kMaxTriangles)
        fail(sourceName, "it holds more triangles than a model can index");
    Model model;
    Mesh& mesh = model.objects.emplace_back();
    mesh.triangles.resize(count);
    // A closed mesh has about half as many vertices as triangles.
    PositionWelder welder(mesh.positions, count / 2 + 16);
    const char* record = bytes.data() + kHeaderSize;
    for (std::uint32_t t = 0; t < count; ++t, record += kRecordSize) {
        Triangle& tri = mesh.triangles[t];
        for (int c = 0; c < 3; ++c) {
            const char* p = record + 12 + 12 * c;
            const float xyz[3] = {readF32(p), readF32(p + 4), readF32(p + 8)};
            if (!finitePoint(xyz))
                fail(sourceName, "triangle " + std::to_string(t + 1) + " has a corner that is not a finite number");
            tri[c] = welder.add(xyz);
        }
    }
    return model;
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

// The line's first word equals the keyword, in any case.
bool startsWithWord(std::string_view line, std::string_view word)
{
    if (line.size() < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (lower(line[i]) != word[i])
            return false;
    return line.size() == word.size() || isBlank(line[word.size()]);
}

bool looksBinary(std::string_view bytes)
{
    const std::size_t n = std::min<std::size_t>(bytes.size(), 4096);
    for (std::size_t i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x20 && c != '\t' && c != '\r' && c != '\n' && c != '\f' && c != '\v')
            return true;
    }
    return false;
}

class AsciiStlParser {
public:
    AsciiStlParser(std::string_view text, const std::string& sourceName)
        : m_text(text), m_source(sourceName) {}

    Model parse()
    {
        Model model;
        Mesh& mesh = model.objects.emplace_back();
        // About 250 bytes a facet; a closed mesh has half as many vertices.
        PositionWelder welder(mesh.positions, m_text.size() / 500 + 16);
        LineCursor lines(m_text);
        bool facetsSinceEnd = false;
        bool sawEndsolid = false;
        std::uint32_t corners[3];
        std::size_t cornerCount = 0;
        std::uint32_t firstCorner = 0;
        bool inLoop = false;
        std::string_view line;
        while (lines.next(line)) {
            const std::size_t lineNumber = lines.lineNumber();
            if (lineNumber == 1)
                continue;   // the header, whatever it says
            std::size_t b = 0;
            while (b < line.size() && isBlank(line[b]))
                ++b;
            line.remove_prefix(b);
            if (line.empty())
                continue;
            if (startsWithWord(line, "vertex")) {
                if (!inLoop)
                    failAt(lineNumber, "a vertex stands outside a facet's loop");
                float xyz[3];
                line.remove_prefix(6);
                for (float& v : xyz)
                    v = number(line, lineNumber);
                if (!finitePoint(xyz))
                    failAt(lineNumber, "a vertex is not a finite number");
                const std::uint32_t index = welder.add(xyz);
                // Loops of more than three corners are fanned from the first.
                if (cornerCount < 3) {
                    corners[cornerCount] = index;
                    if (cornerCount == 2)
                        mesh.triangles.push_back({corners[0], corners[1], corners[2]});
                } else {
                    mesh.triangles.push_back({firstCorner, corners[2], index});
                    corners[2] = index;
                }
                if (cornerCount == 0)
                    firstCorner = index;
                ++cornerCount;
            } else if (startsWithWord(line, "facet")) {
                if (inLoop)
                    failAt(lineNumber, "a facet begins before the previous one ended");
                facetsSinceEnd = true;
            } else if (startsWithWord(line, "outer")) {
                if (inLoop)
                    failAt(lineNumber, "a loop begins before the previous one ended");
                inLoop = true;
                cornerCount = 0;
                facetsSinceEnd = true;
            } else if (startsWithWord(line, "endloop")) {
                if (!inLoop)
                    failAt(lineNumber, "\"endloop\" without a loop");
                if (cornerCount < 3)
                    failAt(lineNumber, "a facet has fewer than three vertices");
                inLoop = false;
            } else if (startsWithWord(line, "endfacet")) {
                if (inLoop)
                    failAt(lineNumber, "a facet ends inside its loop");
            } else if (startsWithWord(line, "endsolid")) {
                if (inLoop)
                    failAt(lineNumber, "a solid ends inside a facet");
                facetsSinceEnd = false;
                sawEndsolid = true;
            } else if (startsWithWord(line, "solid")) {
                if (inLoop)
                    failAt(lineNumber, "a solid begins inside a facet");
            } else {
                failAt(lineNumber, "the line is not STL");
            }
        }
        if (inLoop)
            fail(m_source, "it ends inside a facet; the file is cut short");
        if (facetsSinceEnd || !sawEndsolid)
            fail(m_source, "it ends without \"endsolid\"; the file is cut short");
        return model;
    }

private:
    [[noreturn]] void failAt(std::size_t lineNumber, const std::string& why)
    {
        fail(m_source, "line " + std::to_string(lineNumber) + ": " + why);
    }

    float number(std::string_view& rest, std::size_t lineNumber)
    {
        std::size_t i = 0;
        while (i < rest.size() && isBlank(rest[i]))
            ++i;
        if (i < rest.size() && rest[i] == '+')
            ++i;
        float value = 0;
        const char* first = rest.data() + i;
        const char* last = rest.data() + rest.size();
        const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
        if (ec == std::errc::result_out_of_range)
            failAt(lineNumber, "a coordinate is out of range");
        if (ec != std::errc() || (end != last && !isBlank(*end)))
            failAt(lineNumber, "a vertex needs three numbers");
        rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
        return value;
    }

    std::string_view m_text;
    const std::string& m_source;
};

} // namespace

std::int64_t binaryStlTriangleCount(std::string_view bytes)
{
    if (bytes.size() < kHeaderSize)
        return -1;
    const std::uint64_t count = readU32(bytes.data() + 80);
    if (kHeaderSize + kRecordSize * count != bytes.size())
        return -1;
    return static_cast<std::int64_t>(count);
}

Model parseStl(std::string_view bytes, const std::string& sourceName)
{
    const std::int64_t count = binaryStlTriangleCount(bytes);
    if (count >= 0)
        return parseBinary(bytes, static_cast<std::uint32_t>(count), sourceName);
    if (bytes.empty())
        fail(sourceName, "the file is empty");
    if (looksBinary(bytes)) {
        if (bytes.size() < kHeaderSize)
            fail(sourceName, "it is shorter than the 84 bytes of a binary header");
        const std::uint64_t claimed = readU32(bytes.data() + 80);
        fail(sourceName, "its header gives " + std::to_string(claimed) + " triangles, which need "
                             + std::to_string(kHeaderSize + kRecordSize * claimed)
                             + " bytes, but the file has " + std::to_string(bytes.size()));
    }
    return AsciiStlParser(bytes, sourceName).parse();
}

Model readStlFile(const std::filesystem::path& path)
{
    const FileBytes bytes = readFileBytes(path);
    return parseStl(bytes.view(), displayName(path));
}

} // namespace mesh
