#include "obj_reader.h"

#include "file_bytes.h"
#include "leading_number.h"
#include "line_cursor.h"
#include "scan_repair.h"

#include <cmath>
#include <limits>
#include <optional>

namespace mesh {

namespace {

// The text before the first blank; the rest after it stays in `rest`.
std::string_view takeToken(std::string_view& rest)
{
    const std::size_t blank = rest.find(' ');
    std::string_view token = rest.substr(0, blank);
    rest = blank == std::string_view::npos ? std::string_view() : rest.substr(blank + 1);
    return token;
}

// Halves to even, as every count and colour byte of the program rounds.
double roundHalfEven(double v)
{
    return std::nearbyint(v);   // the default rounding mode is to nearest even
}

struct RawFace {
    std::size_t line;
    std::uint32_t firstCorner;   // into the corner list
    std::uint32_t cornerCount;
};

class ObjParser {
public:
    ObjParser(std::string_view text, const std::string& sourceName)
        : m_text(text), m_source(sourceName) {}

    ObjReadResult parse()
    {
        ObjReadResult result;
        Mesh& mesh = result.model.objects.emplace_back();
        mesh.positions.reserve(m_text.size() / 64);
        LineCursor lines(m_text);
        std::string_view line;
        while (lines.next(line)) {
            std::string_view rest = line;
            const std::string_view keyword = takeToken(rest);
            if (keyword == "v") {
                readVertex(rest, mesh, result.counts, lines.lineNumber());
            } else if (keyword == "f") {
                readFace(rest, lines.lineNumber(), result.counts);
            } else if (keyword == "vn") {
                ++result.counts.normals;
            } else if (keyword == "vt") {
                ++result.counts.texCoords;
            } else if (keyword == "mtllib") {
                result.mtlLibMessages.push_back("MtlLib Found: " + std::string(rest));
            }
        }
        if (result.counts.hasColours)
            mesh.colours.resize(mesh.positions.size());   // absent entries stay (0, 0, 0, 255)
        for (const auto& [index, colour] : m_colours)
            mesh.colours[index] = colour;
        build(mesh, result);
        return result;
    }

private:
    [[noreturn]] void fail(std::size_t lineNumber, const std::string& why) const
    {
        throw MeshError(MeshError::Kind::Format, m_source + " cannot be read as OBJ: line "
                                                     + std::to_string(lineNumber) + ": " + why);
    }

    double coordinate(std::string_view token, std::size_t lineNumber) const
    {
        const ParsedNumber n = leadingNumber(token);
        if (!n.finite)
            fail(lineNumber, "a number is too large");
        return n.value;
    }

    void readVertex(std::string_view rest, Mesh& mesh, ObjCounts& counts, std::size_t lineNumber)
    {
        if (mesh.positions.size() >= kMaxVertices)
            fail(lineNumber, "the file has more vertices than a mesh can index");
        Vec3 p;
        p.x = coordinate(takeToken(rest), lineNumber);
        p.y = coordinate(takeToken(rest), lineNumber);
        p.z = coordinate(takeToken(rest), lineNumber);
        const auto index = static_cast<std::uint32_t>(mesh.positions.size());
        mesh.positions.push_back(p);
        ++counts.vertices;
        if (rest.empty())
            return;
        Rgba colour;
        std::uint8_t* channels[3] = {&colour.r, &colour.g, &colour.b};
        for (std::uint8_t* channel : channels) {
            if (rest.empty())
                break;
            const double scaled = roundHalfEven(coordinate(takeToken(rest), lineNumber) * 255.0);
            if (!(scaled >= 0 && scaled <= 255))
                fail(lineNumber, "a vertex colour is outside 0 to 1");
            *channel = static_cast<std::uint8_t>(scaled);
        }
        counts.hasColours = true;
        m_colours.emplace_back(index, colour);
    }

    void readFace(std::string_view rest, std::size_t lineNumber, ObjCounts& counts)
    {
        if (counts.faces == std::numeric_limits<std::uint32_t>::max())
            fail(lineNumber, "the file has more faces than a mesh can index");
        ++counts.faces;
        RawFace face{lineNumber, static_cast<std::uint32_t>(m_corners.size()), 0};
        // The first three corners are always taken (an empty one reads as 0,
        // which no vertex has); further corners are fanned, ignoring the
        // empty values that trailing blanks leave.
        for (int c = 0; c < 3 || !rest.empty(); ++c) {
            const std::string_view token = takeToken(rest);
            if (c >= 3 && token.empty())
                continue;
            m_corners.push_back(cornerNumber(token));
            ++face.cornerCount;
        }
        m_faces.push_back(face);
    }

    // The vertex number a corner names, or 0 when it names none of 1..2^32-1.
    static std::uint32_t cornerNumber(std::string_view token)
    {
        const double v = roundHalfEven(leadingNumber(token).value);
        if (!(v >= 1 && v <= double(std::numeric_limits<std::int32_t>::max())))
            return 0;
        return static_cast<std::uint32_t>(v);
    }

    void build(Mesh& mesh, ObjReadResult& result) const
    {
        const std::size_t vertexCount = mesh.positions.size();
        if (vertexCount == 0) {
            result.buildFailed = true;
            result.buildFailure = "the file has no vertices";
            return;
        }
        std::size_t triangles = 0;
        for (const RawFace& f : m_faces)
            triangles += f.cornerCount - 2;
        mesh.triangles.reserve(triangles);
        for (const RawFace& f : m_faces) {
            const std::uint32_t* corners = m_corners.data() + f.firstCorner;
            for (std::uint32_t c = 0; c < f.cornerCount; ++c) {
                if (corners[c] == 0 || corners[c] > vertexCount) {
                    result.buildFailed = true;
                    result.buildFailure = "line " + std::to_string(f.line) + ": face corner "
                                          + std::to_string(c + 1) + " names no vertex of the "
                                          + std::to_string(vertexCount) + " in the file";
                    return;
                }
            }
            for (std::uint32_t c = 2; c < f.cornerCount; ++c)
                mesh.triangles.push_back({corners[0] - 1, corners[c - 1] - 1, corners[c] - 1});
        }
    }

    static constexpr std::size_t kMaxVertices = std::numeric_limits<std::int32_t>::max();

    std::string_view m_text;
    const std::string& m_source;
    std::vector<std::pair<std::uint32_t, Rgba>> m_colours;
    std::vector<std::uint32_t> m_corners;
    std::vector<RawFace> m_faces;
};

} // namespace

std::string ObjCounts::text() const
{
    auto flag = [](bool b) { return b ? "True" : "False"; };
    return "VCount: " + std::to_string(vertices) + "\r\nVnCount: " + std::to_string(normals)
           + "\r\nVtCount: " + std::to_string(texCoords) + "\r\nFCount: " + std::to_string(faces)
           + "\r\nVn Flag: " + flag(normals > 0) + "\r\nVt Flag: " + flag(texCoords > 0)
           + "\r\nVc Flag: " + flag(hasColours);
}

std::string objBuildErrorText(ViewSide side)
{
    return side == ViewSide::Left ? "Error Reading OBJ File (2)" : "Error Reading OBJ File (3)";
}

ObjReadResult parseObj(std::string_view text, const std::string& sourceName)
{
    return ObjParser(text, sourceName).parse();
}

ObjReadResult readObjFile(const std::filesystem::path& path,
                          const std::function<void(std::string_view)>& status)
{
    auto announce = [&](std::string_view text) {
        if (status)
            status(text);
    };
    announce(kObjPass1Status);
    const FileBytes bytes = readFileBytes(path);
    std::optional<std::string> repaired = withCrLfLineEnds(bytes.view());
    if (repaired)
        replaceFileContents(path, *repaired);
    const std::string_view text = repaired ? std::string_view(*repaired) : bytes.view();
    // Counting and reading are one walk here; the pass texts still tell the
    // user how far the read has come.
    announce(kObjPass2Status);
    announce(kObjPass3Status);
    return parseObj(text, displayName(path));
}

} // namespace mesh
