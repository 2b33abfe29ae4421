#include "stl_reader.h"

#include "corner_weld.h"
#include "file_bytes.h"
#include "large_buffers.h"
#include "line_cursor.h"
#include "parallel.h"

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstring>
#include <iterator>
#include <memory>
#include <optional>
#include <span>
#include <string>

namespace mesh {

namespace {

constexpr std::size_t kHeaderSize = 84;
constexpr std::size_t kRecordSize = 50;
// Vertex indices are 32-bit; three corners a triangle.
constexpr std::uint64_t kMaxTriangles = 0xFFFFFFFFull / 3;
// An empty view would look like a scan that loaded.
constexpr const char *kNoFaces = "it holds no faces to show";

[[noreturn]] void fail(const std::string &sourceName, const std::string &why)
{
    throw MeshError(MeshError::Kind::Format, sourceName + " is not a readable STL file: " + why);
}

std::uint32_t readU32(const char *p)
{
    const auto *b = reinterpret_cast<const unsigned char *>(p);
    return std::uint32_t(b[0]) | std::uint32_t(b[1]) << 8 | std::uint32_t(b[2]) << 16 | std::uint32_t(b[3]) << 24;
}

static_assert(std::endian::native == std::endian::little, "binary STL is read in place");

static_assert(sizeof(Triangle) == 3 * sizeof(std::uint32_t), "triangles are welded in place");

// A mesh from corners three a triangle in order, or from the triangles of
// `fanned` (corner numbers), welded.
template <class KeyAt>
Model weldedModel(std::size_t corners, const KeyAt &keyAt, const std::vector<Triangle> *fanned)
{
    Model model;
    Mesh &mesh = model.objects.emplace_back();
    if (!fanned) {
        resizeLarge(mesh.triangles, corners / 3);
        weldCorners(corners, keyAt, mesh.positions, reinterpret_cast<std::uint32_t *>(mesh.triangles.data()));
        return model;
    }
    std::vector<std::uint32_t> vertexOf;
    resizeLarge(vertexOf, corners);
    weldCorners(corners, keyAt, mesh.positions, vertexOf.data());
    mesh.triangles = *fanned;
    for (Triangle &t : mesh.triangles)
        for (std::uint32_t &c : t)
            c = vertexOf[c];
    return model;
}

Model parseBinary(std::string_view bytes, std::uint32_t count, const std::string &sourceName)
{
    if (count > kMaxTriangles)
        fail(sourceName, "it holds more triangles than a model can index");
    const char *records = bytes.data() + kHeaderSize;
    // Corners are read in place: 12 bytes of normal, then three corners.
    auto keyAt = [records](std::size_t corner) {
        float xyz[3];
        std::memcpy(xyz, records + (corner / 3) * kRecordSize + 12 + 12 * (corner % 3), sizeof xyz);
        CornerKey key;
        makeCornerKey(xyz, key);
        return key;
    };
    const unsigned jobs = jobCount(count, 1 << 15);
    std::vector<std::uint64_t> firstBad(jobs, std::uint64_t(-1));
    runJobs(jobs, [&](unsigned job) {
        const Range r = jobRange(count, jobs, job);
        const char *record = records + r.begin * kRecordSize;
        for (std::size_t t = r.begin; t < r.end; ++t, record += kRecordSize) {
            float xyz[9];
            std::memcpy(xyz, record + 12, sizeof xyz); // little-endian hosts only
            CornerKey key;
            if (!(makeCornerKey(xyz, key) && makeCornerKey(xyz + 3, key) && makeCornerKey(xyz + 6, key))) {
                firstBad[job] = t;
                break;
            }
        }
    });
    for (const std::uint64_t bad : firstBad)
        if (bad != std::uint64_t(-1))
            fail(sourceName, "triangle " + std::to_string(bad + 1) + " has a corner that is not a finite number");
    return weldedModel(std::size_t(count) * 3, keyAt, nullptr);
}

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

char lower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

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

// What one stretch of ASCII STL holds. Corner indices in `fanned` are local
// to the stretch.
struct AsciiPiece
{
    std::vector<CornerKey> corners;
    std::vector<Triangle> fanned;
    enum class Last { Nothing, Facet, Endsolid } last = Last::Nothing;
    bool sawEndsolid = false;
    bool endsInLoop = false;
    bool plainTriangles = true; // every loop had three corners
    std::string error; // with the line number counted from the stretch's start
};

struct StretchError
{
    std::string why;
};

class AsciiStlParser
{
public:
    explicit AsciiStlParser(std::string_view text)
        : m_text(text)
    {}

    // The stretch starts at a line start; the header line is skipped when it
    // is the file's first stretch.
    AsciiPiece parse(bool skipHeader)
    {
        AsciiPiece piece;
        reserveLarge(piece.corners, m_text.size() / 70);
        LineCursor lines(m_text);
        std::uint32_t cornerCount = 0; // in the current loop
        std::uint32_t loopStart = 0;
        bool inLoop = false;
        std::string_view line;
        try {
            while (lines.next(line)) {
                const std::size_t lineNumber = lines.lineNumber();
                if (skipHeader && lineNumber == 1)
                    continue; // the header, whatever it says
                std::size_t b = 0;
                while (b < line.size() && isBlank(line[b]))
                    ++b;
                line.remove_prefix(b);
                if (line.empty())
                    continue;
                m_line = lineNumber;
                if (startsWithWord(line, "vertex")) {
                    if (!inLoop)
                        failHere("a vertex stands outside a facet's loop");
                    float xyz[3];
                    line.remove_prefix(6);
                    for (float &v : xyz)
                        v = number(line);
                    CornerKey key;
                    if (!makeCornerKey(xyz, key))
                        failHere("a vertex is not a finite number");
                    if (piece.corners.size() >= 0xFFFFFFFFu)
                        failHere("the file holds more corners than a model can index");
                    piece.corners.push_back(key);
                    ++cornerCount;
                } else if (startsWithWord(line, "facet")) {
                    if (inLoop)
                        failHere("a facet begins before the previous one ended");
                    piece.last = AsciiPiece::Last::Facet;
                } else if (startsWithWord(line, "outer")) {
                    if (inLoop)
                        failHere("a loop begins before the previous one ended");
                    inLoop = true;
                    cornerCount = 0;
                    loopStart = static_cast<std::uint32_t>(piece.corners.size());
                    piece.last = AsciiPiece::Last::Facet;
                } else if (startsWithWord(line, "endloop")) {
                    if (!inLoop)
                        failHere("\"endloop\" without a loop");
                    if (cornerCount < 3)
                        failHere("a facet has fewer than three vertices");
                    inLoop = false;
                    // Loops of more than three corners are fanned from the first.
                    if (cornerCount > 3 && piece.plainTriangles) {
                        piece.plainTriangles = false;
                        for (std::uint32_t c = 0; c + 2 < loopStart; c += 3)
                            piece.fanned.push_back({c, c + 1, c + 2});
                    }
                    if (!piece.plainTriangles)
                        for (std::uint32_t c = 2; c < cornerCount; ++c)
                            piece.fanned.push_back({loopStart, loopStart + c - 1, loopStart + c});
                } else if (startsWithWord(line, "endfacet")) {
                    if (inLoop)
                        failHere("a facet ends inside its loop");
                } else if (startsWithWord(line, "endsolid")) {
                    if (inLoop)
                        failHere("a solid ends inside a facet");
                    piece.last = AsciiPiece::Last::Endsolid;
                    piece.sawEndsolid = true;
                } else if (startsWithWord(line, "solid")) {
                    if (inLoop)
                        failHere("a solid begins inside a facet");
                } else {
                    failHere("the line is not STL");
                }
            }
        } catch (const StretchError &e) {
            piece.error = e.why;
        }
        piece.endsInLoop = inLoop;
        return piece;
    }

private:
    [[noreturn]] void failHere(const std::string &why) const
    {
        throw StretchError{"line " + std::to_string(m_line) + ": " + why};
    }

    float number(std::string_view &rest) const
    {
        std::size_t i = 0;
        while (i < rest.size() && isBlank(rest[i]))
            ++i;
        if (i < rest.size() && rest[i] == '+')
            ++i;
        float value = 0;
        const char *first = rest.data() + i;
        const char *last = rest.data() + rest.size();
        const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
        if (ec == std::errc::result_out_of_range)
            failHere("a coordinate is out of range");
        if (ec != std::errc() || (end != last && !isBlank(*end)))
            failHere("a vertex needs three numbers");
        rest.remove_prefix(static_cast<std::size_t>(end - rest.data()));
        return value;
    }

    std::string_view m_text;
    std::size_t m_line = 0;
};

// Where a stretch may begin: the start of the first line at or after `from`
// whose first word is "facet", "solid" or "endsolid" (never inside a loop).
std::size_t stretchStart(std::string_view text, std::size_t from)
{
    std::size_t pos = from;
    while (pos < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            return text.size();
        pos = end + 1;
        if (pos < text.size() && text[end] == '\r' && text[pos] == '\n')
            ++pos;
        std::size_t word = pos;
        while (word < text.size() && isBlank(text[word]))
            ++word;
        const std::string_view rest = text.substr(word, 9);
        if (startsWithWord(rest, "facet") || startsWithWord(rest, "solid") || startsWithWord(rest, "endsolid"))
            return pos;
    }
    return text.size();
}

// The text cut into stretches read in parallel, the first stretch starting
// with the file's header line when `withHeader`. Empty when some stretch
// found a problem, or ends inside a loop, that only a reader of the whole
// text in one stretch can name by its line.
std::vector<AsciiPiece> readStretches(std::string_view text, bool withHeader)
{
    const unsigned jobs = jobCount(text.size(), 4 << 20);
    std::vector<std::size_t> starts{0};
    for (unsigned j = 1; j < jobs; ++j) {
        const std::size_t s = stretchStart(text, std::max(starts.back(), text.size() * j / jobs));
        if (s < text.size() && s > starts.back())
            starts.push_back(s);
    }
    starts.push_back(text.size());
    const std::size_t stretches = starts.size() - 1;
    std::vector<AsciiPiece> pieces(stretches);
    runJobs(static_cast<unsigned>(stretches), [&](unsigned j) {
        pieces[j] = AsciiStlParser(text.substr(starts[j], starts[j + 1] - starts[j])).parse(withHeader && j == 0);
    });
    for (const AsciiPiece &p : pieces)
        if (!p.error.empty() || p.endsInLoop)
            return {};
    return pieces;
}

// The checks on the whole file's pieces, then the welded mesh. Each piece's
// corners are let go as soon as they are copied.
Model joinPieces(std::vector<AsciiPiece> &pieces, const std::string &sourceName)
{
    if (pieces.back().endsInLoop)
        fail(sourceName, "it ends inside a facet; the file is cut short");
    AsciiPiece::Last last = AsciiPiece::Last::Nothing;
    bool sawEndsolid = false, plain = true;
    std::size_t corners = 0, fanned = 0;
    for (const AsciiPiece &p : pieces) {
        if (p.last != AsciiPiece::Last::Nothing)
            last = p.last;
        sawEndsolid = sawEndsolid || p.sawEndsolid;
        plain = plain && p.plainTriangles;
        corners += p.corners.size();
        fanned += p.plainTriangles ? p.corners.size() / 3 : p.fanned.size();
    }
    if (last == AsciiPiece::Last::Facet || !sawEndsolid)
        fail(sourceName, "it ends without \"endsolid\"; the file is cut short");
    if (corners == 0)
        fail(sourceName, kNoFaces);
    if (corners > 0xFFFFFFFFull)
        fail(sourceName, "it holds more corners than a model can index");
    if (pieces.size() == 1 && plain) {
        const AsciiPiece &whole = pieces.front();
        return weldedModel(
            whole.corners.size(), [&](std::size_t c) { return whole.corners[c]; }, nullptr);
    }
    std::vector<CornerKey> all;
    reserveLarge(all, corners);
    std::vector<Triangle> triangles;
    if (!plain)
        reserveLarge(triangles, fanned);
    for (AsciiPiece &p : pieces) {
        const auto offset = static_cast<std::uint32_t>(all.size());
        all.insert(all.end(), p.corners.begin(), p.corners.end());
        if (!plain) {
            if (p.plainTriangles) {
                for (std::uint32_t c = 0; c + 2 < p.corners.size(); c += 3)
                    triangles.push_back({offset + c, offset + c + 1, offset + c + 2});
            } else {
                for (const Triangle &t : p.fanned)
                    triangles.push_back({offset + t[0], offset + t[1], offset + t[2]});
            }
        }
        p = AsciiPiece{};
    }
    return weldedModel(
        all.size(), [&](std::size_t c) { return all[c]; }, plain ? nullptr : &triangles);
}

Model parseAscii(std::string_view text, const std::string &sourceName)
{
    // Large files are cut into stretches read in parallel. Any problem sends
    // the whole file through one reader, whose message then names the line.
    std::vector<AsciiPiece> pieces = readStretches(text, true);
    if (pieces.empty()) {
        pieces.assign(1, AsciiStlParser(text).parse(true));
        if (!pieces.front().error.empty())
            fail(sourceName, pieces.front().error);
    }
    return joinPieces(pieces, sourceName);
}

// Where the text may be cut so that the rest starts a stretch: the start of
// its last line whose first word is "facet", "solid" or "endsolid"; 0 when
// it has none.
std::size_t lastStretchStart(std::string_view text)
{
    for (std::size_t end = text.size(); end > 0;) {
        const std::size_t lineEnd = text.find_last_of("\r\n", end - 1);
        if (lineEnd == std::string_view::npos)
            return 0;
        const std::size_t start = lineEnd + 1;
        std::size_t word = start;
        while (word < text.size() && isBlank(text[word]))
            ++word;
        const std::string_view rest = text.substr(word, 9);
        if (start < text.size()
            && (startsWithWord(rest, "facet") || startsWithWord(rest, "solid") || startsWithWord(rest, "endsolid")))
            return start;
        end = lineEnd;
    }
    return 0;
}

// A large ASCII file is read a window at a time, so that the whole text is
// never held: only the corners it holds. The windows are cut where a
// stretch may start, and the pieces are those of the whole text, so the
// mesh is the same. Empty when a problem needs the whole text to be named.
std::optional<Model> readAsciiInWindows(const OpenFile &file, const std::string &sourceName)
{
    const std::size_t window = std::max<std::size_t>(
        4096, std::size_t(coreCount()) * std::max<std::size_t>((4 << 20) / parallelism().grainDivisor, 1));
    std::vector<AsciiPiece> pieces;
    std::string buffer;
    buffer.reserve(2 * window);
    adviseHugePages(buffer.data(), buffer.capacity());
    std::uint64_t offset = 0;
    bool first = true;
    for (;;) {
        const std::size_t carried = buffer.size();
        buffer.resize(carried + window);
        const std::size_t got = file.readAt(offset, buffer.data() + carried, window);
        buffer.resize(carried + got);
        offset += got;
        const bool atEnd = got < window;
        const std::string_view text(buffer);
        const std::size_t cut = atEnd ? text.size() : lastStretchStart(text);
        if (cut == 0 && !atEnd)
            continue; // no place to cut yet: read on
        std::vector<AsciiPiece> more = readStretches(text.substr(0, cut), first);
        if (more.empty())
            return std::nullopt;
        std::move(more.begin(), more.end(), std::back_inserter(pieces));
        buffer.erase(0, cut);
        first = false;
        if (atEnd)
            break;
    }
    std::string().swap(buffer);
    return joinPieces(pieces, sourceName);
}

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

Model parseStl(std::string_view bytes, const std::string &sourceName)
{
    const std::int64_t count = binaryStlTriangleCount(bytes);
    if (count == 0)
        fail(sourceName, kNoFaces);
    if (count > 0)
        return parseBinary(bytes, static_cast<std::uint32_t>(count), sourceName);
    if (bytes.empty())
        fail(sourceName, "the file is empty");
    if (looksBinary(bytes)) {
        if (bytes.size() < kHeaderSize)
            fail(sourceName, "it is shorter than the 84 bytes of a binary header");
        const std::uint64_t claimed = readU32(bytes.data() + 80);
        fail(sourceName, "its header gives " + std::to_string(claimed) + " triangles, which need "
                             + std::to_string(kHeaderSize + kRecordSize * claimed) + " bytes, but the file has "
                             + std::to_string(bytes.size()));
    }
    return parseAscii(bytes, sourceName);
}

Model readStlFile(const std::filesystem::path &path)
{
    const std::string name = displayName(path);
    {
        const OpenFile file(path);
        const std::uint64_t size = file.size();
        std::string head(static_cast<std::size_t>(std::min<std::uint64_t>(size, 4096)), '\0');
        head.resize(file.readAt(0, head.data(), head.size()));
        const bool binary =
            head.size() >= kHeaderSize && kHeaderSize + kRecordSize * std::uint64_t(readU32(head.data() + 80)) == size;
        if (!binary && !head.empty() && !looksBinary(head)) {
            if (std::optional<Model> model = readAsciiInWindows(file, name))
                return std::move(*model);
        }
    }
    // Binary files, and files whose problems are named from the whole text.
    const FileBytes bytes = readFileBytes(path);
    return parseStl(bytes.view(), name);
}

} // namespace mesh
