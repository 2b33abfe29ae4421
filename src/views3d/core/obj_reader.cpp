#include "obj_reader.h"

#include "file_bytes.h"
#include "large_buffers.h"
#include "leading_number.h"
#include "line_cursor.h"
#include "parallel.h"
#include "scan_repair.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace mesh {

namespace {

bool isSeparator(char c)
{
    return c == ' ' || c == '\t';
}

// The next value: runs of blanks and tabs separate values, so exporters that
// align their columns read as they mean. The rest after it stays in `rest`;
// an empty token means the line has no more values.
std::string_view takeToken(std::string_view &rest)
{
    std::size_t begin = 0;
    while (begin < rest.size() && isSeparator(rest[begin]))
        ++begin;
    std::size_t end = begin;
    while (end < rest.size() && !isSeparator(rest[end]))
        ++end;
    const std::string_view token = rest.substr(begin, end - begin);
    rest.remove_prefix(end);
    return token;
}

bool onlySeparators(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), isSeparator);
}

// Halves to even, as every count and colour byte of the program rounds.
double roundHalfEven(double v)
{
    return std::nearbyint(v); // the default rounding mode is to nearest even
}

struct RawFace
{
    std::size_t line; // within its stretch
    std::uint32_t firstCorner; // into its stretch's corner list
    std::uint32_t cornerCount;
};

struct ReadFailure
{
    std::size_t line; // within its stretch
    std::string why;
};

// What one stretch of lines holds. Large files are cut into stretches at line
// ends and read in parallel; the pieces are then joined in file order, so
// the result (and the first failure) is the one a single pass would give.
struct ObjPiece
{
    std::vector<Vec3> positions;
    std::vector<std::pair<std::uint32_t, Rgba>> colours; // local vertex index
    std::vector<std::uint32_t> corners; // vertex numbers from 1, 0 for none
    std::vector<RawFace> faces;
    ObjCounts counts;
    std::vector<std::string> mtlLibMessages;
    std::size_t lines = 0;
    std::optional<ReadFailure> failure;
};

class ObjStretchReader
{
public:
    explicit ObjStretchReader(std::string_view text)
        : m_text(text)
    {}

    ObjPiece read()
    {
        ObjPiece piece;
        reserveLarge(piece.positions, m_text.size() / 64);
        reserveLarge(piece.corners, m_text.size() / 24);
        reserveLarge(piece.faces, m_text.size() / 64);
        reserveLarge(piece.colours, m_text.size() / 64);
        LineCursor lines(m_text);
        std::string_view line;
        try {
            while (lines.next(line)) {
                m_line = lines.lineNumber();
                std::string_view rest = line;
                const std::string_view keyword = takeToken(rest);
                if (keyword == "v") {
                    readVertex(rest, piece);
                } else if (keyword == "f") {
                    readFace(rest, piece);
                } else if (keyword == "vn") {
                    ++piece.counts.normals;
                } else if (keyword == "vt") {
                    ++piece.counts.texCoords;
                } else if (keyword == "mtllib") {
                    rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(" \t")));
                    piece.mtlLibMessages.push_back("MtlLib Found: " + std::string(rest));
                }
            }
        } catch (const ReadFailure &failure) {
            piece.failure = failure;
        }
        piece.lines = lines.lineNumber();
        return piece;
    }

private:
    [[noreturn]] void fail(const std::string &why) const { throw ReadFailure{m_line, why}; }

    double coordinate(std::string_view token) const
    {
        const ParsedNumber n = leadingNumber(token);
        if (!n.finite)
            fail("a number is too large");
        return n.value;
    }

    void readVertex(std::string_view rest, ObjPiece &piece)
    {
        Vec3 p;
        p.x = coordinate(takeToken(rest));
        p.y = coordinate(takeToken(rest));
        p.z = coordinate(takeToken(rest));
        const auto index = static_cast<std::uint32_t>(piece.positions.size());
        piece.positions.push_back(p);
        ++piece.counts.vertices;
        if (onlySeparators(rest))
            return;
        Rgba colour;
        std::uint8_t *channels[3] = {&colour.r, &colour.g, &colour.b};
        for (std::uint8_t *channel : channels) {
            if (onlySeparators(rest))
                break;
            const double scaled = roundHalfEven(coordinate(takeToken(rest)) * 255.0);
            if (!(scaled >= 0 && scaled <= 255))
                fail("a vertex colour is outside 0 to 1");
            *channel = static_cast<std::uint8_t>(scaled);
        }
        piece.counts.hasColours = true;
        piece.colours.emplace_back(index, colour);
    }

    void readFace(std::string_view rest, ObjPiece &piece)
    {
        ++piece.counts.faces;
        RawFace face{m_line, static_cast<std::uint32_t>(piece.corners.size()), 0};
        // The first three corners are always taken (a missing one reads as
        // 0, which no vertex has); further corners are fanned.
        for (int c = 0; c < 3 || !onlySeparators(rest); ++c) {
            const std::string_view token = takeToken(rest);
            piece.corners.push_back(cornerNumber(token));
            ++face.cornerCount;
        }
        piece.faces.push_back(face);
    }

    // The vertex number a corner names, or 0 when it names none of 1..2^31-1.
    static std::uint32_t cornerNumber(std::string_view token)
    {
        const double v = roundHalfEven(leadingNumber(token).value);
        if (!(v >= 1 && v <= double(std::numeric_limits<std::int32_t>::max())))
            return 0;
        return static_cast<std::uint32_t>(v);
    }

    std::string_view m_text;
    std::size_t m_line = 0;
};

// Stretch starts: just after a LF near each equal share of the text.
std::vector<std::size_t> stretchStarts(std::string_view text)
{
    const unsigned jobs = jobCount(text.size(), 2 << 20);
    std::vector<std::size_t> starts{0};
    for (unsigned j = 1; j < jobs; ++j) {
        const std::size_t lf = text.find('\n', std::max(starts.back(), text.size() * j / jobs));
        if (lf == std::string_view::npos || lf + 1 >= text.size())
            break;
        starts.push_back(lf + 1);
    }
    starts.push_back(text.size());
    return starts;
}

ObjReadResult joinPieces(std::vector<ObjPiece> &pieces, const std::string &source)
{
    constexpr std::uint64_t kMaxCount = std::numeric_limits<std::int32_t>::max();
    ObjReadResult result;
    Mesh &mesh = result.model.objects.emplace_back();
    std::size_t lineOffset = 0;
    std::uint64_t vertices = 0, faces = 0;
    std::vector<std::size_t> vertexOffset, lineOffsets;
    for (const ObjPiece &p : pieces) {
        if (p.failure)
            throw MeshError(MeshError::Kind::Format, source + " cannot be read as OBJ: line "
                                                         + std::to_string(lineOffset + p.failure->line) + ": "
                                                         + p.failure->why);
        vertexOffset.push_back(vertices);
        lineOffsets.push_back(lineOffset);
        vertices += p.counts.vertices;
        faces += p.counts.faces;
        lineOffset += p.lines;
        result.counts.normals += p.counts.normals;
        result.counts.texCoords += p.counts.texCoords;
        result.counts.hasColours = result.counts.hasColours || p.counts.hasColours;
        result.mtlLibMessages.insert(result.mtlLibMessages.end(), p.mtlLibMessages.begin(), p.mtlLibMessages.end());
        if (vertices > kMaxCount || faces > kMaxCount || p.corners.size() > 0xFFFFFFF0u)
            throw MeshError(MeshError::Kind::Format,
                            source + " cannot be read as OBJ: it has more statements than a mesh can index");
    }
    result.counts.vertices = static_cast<std::uint32_t>(vertices);
    result.counts.faces = static_cast<std::uint32_t>(faces);
    const auto stretches = static_cast<unsigned>(pieces.size());

    resizeLarge(mesh.positions, vertices);
    if (result.counts.hasColours)
        resizeLarge(mesh.colours, vertices); // a vertex without colour stays (0, 0, 0, 255)
    runJobs(stretches, [&](unsigned j) {
        ObjPiece &p = pieces[j];
        std::copy(p.positions.begin(), p.positions.end(), mesh.positions.begin() + static_cast<long>(vertexOffset[j]));
        for (const auto &[index, colour] : p.colours)
            mesh.colours[vertexOffset[j] + index] = colour;
        std::vector<Vec3>().swap(p.positions);
    });

    if (vertices == 0) {
        result.buildFailed = true;
        result.buildFailure = "the file has no vertices";
        return result;
    }
    // The mesh takes every face up to the first that names a missing vertex.
    std::vector<std::size_t> firstBad(stretches), triangles(stretches);
    runJobs(stretches, [&](unsigned j) {
        const ObjPiece &p = pieces[j];
        std::size_t count = 0, f = 0;
        for (; f < p.faces.size(); ++f) {
            const std::uint32_t *corners = p.corners.data() + p.faces[f].firstCorner;
            const std::uint32_t n = p.faces[f].cornerCount;
            if (std::any_of(corners, corners + n, [&](std::uint32_t c) { return c == 0 || c > vertices; }))
                break;
            count += n - 2;
        }
        firstBad[j] = f;
        triangles[j] = count;
    });
    std::vector<std::size_t> triangleOffset(stretches, 0);
    std::size_t total = 0;
    unsigned used = stretches;
    for (unsigned j = 0; j < stretches; ++j) {
        triangleOffset[j] = total;
        total += triangles[j];
        const ObjPiece &p = pieces[j];
        if (firstBad[j] < p.faces.size()) {
            const RawFace &bad = p.faces[firstBad[j]];
            const std::uint32_t *corners = p.corners.data() + bad.firstCorner;
            const auto which = std::find_if(corners, corners + bad.cornerCount,
                                            [&](std::uint32_t c) { return c == 0 || c > vertices; })
                               - corners;
            result.buildFailed = true;
            result.buildFailure = "line " + std::to_string(lineOffsets[j] + bad.line) + ": face corner "
                                  + std::to_string(which + 1) + " names no vertex of the " + std::to_string(vertices)
                                  + " in the file";
            used = j + 1;
            break;
        }
    }
    resizeLarge(mesh.triangles, total);
    runJobs(used, [&](unsigned j) {
        const ObjPiece &p = pieces[j];
        Triangle *out = mesh.triangles.data() + triangleOffset[j];
        for (std::size_t f = 0; f < firstBad[j]; ++f) {
            const std::uint32_t *corners = p.corners.data() + p.faces[f].firstCorner;
            for (std::uint32_t c = 2; c < p.faces[f].cornerCount; ++c)
                *out++ = {corners[0] - 1, corners[c - 1] - 1, corners[c] - 1};
        }
    });
    return result;
}

} // namespace

std::string ObjCounts::text() const
{
    auto flag = [](bool b) { return b ? "True" : "False"; };
    return "VCount: " + std::to_string(vertices) + "\r\nVnCount: " + std::to_string(normals) + "\r\nVtCount: "
           + std::to_string(texCoords) + "\r\nFCount: " + std::to_string(faces) + "\r\nVn Flag: " + flag(normals > 0)
           + "\r\nVt Flag: " + flag(texCoords > 0) + "\r\nVc Flag: " + flag(hasColours);
}

std::string objBuildErrorText(ViewSide side)
{
    return side == ViewSide::Left ? "Error Reading OBJ File (2)" : "Error Reading OBJ File (3)";
}

ObjReadResult parseObj(std::string_view text, const std::string &sourceName)
{
    const std::vector<std::size_t> starts = stretchStarts(text);
    std::vector<ObjPiece> pieces(starts.size() - 1);
    runJobs(static_cast<unsigned>(pieces.size()), [&](unsigned j) {
        pieces[j] = ObjStretchReader(text.substr(starts[j], starts[j + 1] - starts[j])).read();
    });
    return joinPieces(pieces, sourceName);
}

ObjReadResult readObjFile(const std::filesystem::path &path, const std::function<void(std::string_view)> &status)
{
    auto announce = [&](std::string_view text) {
        if (status)
            status(text);
    };
    announce(kObjPass1Status);
    const FileBytes bytes = readFileBytes(path);
    const std::string refused = displayName(path) + " cannot be read as OBJ: ";
    if (!isTextFile(bytes.view()))
        throw MeshError(MeshError::Kind::Format,
                        refused + "it is not a text file (it holds NUL bytes, as pictures and UTF-16 text do)");
    std::optional<std::string> repaired = withCrLfLineEnds(bytes.view());
    if (repaired)
        replaceFileContents(path, *repaired);
    const std::string_view text = repaired ? std::string_view(*repaired) : bytes.view();
    // Counting and reading are one walk here; the pass texts still tell the
    // user how far the read has come.
    announce(kObjPass2Status);
    announce(kObjPass3Status);
    ObjReadResult result = parseObj(text, displayName(path));
    // An empty view would look like a scan that loaded.
    if (result.model.objects.front().triangles.empty())
        throw MeshError(MeshError::Kind::Format, refused + "it holds no faces to show"
                                                     + (result.buildFailed ? " (" + result.buildFailure + ")" : ""));
    return result;
}

} // namespace mesh
