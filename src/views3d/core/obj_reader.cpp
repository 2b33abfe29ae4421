#include "obj_reader.h"

#include "file_bytes.h"
#include "large_buffers.h"
#include "leading_number.h"
#include "parallel.h"
#include "scan_repair.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <mutex>
#include <optional>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace mesh {

namespace {

bool isSeparator(char c)
{
    return c == ' ' || c == '\t';
}

bool isLineEnd(char c)
{
    return c == '\n' || c == '\r';
}

// Runs of blanks and tabs separate values, so exporters that align their
// columns read as they mean; a line end closes the last value.
bool endsValue(char c)
{
    return isSeparator(c) || isLineEnd(c);
}

// Halves to even, as every count and colour byte of the program rounds.
double roundHalfEven(double v)
{
    // Below 2^52 adding 2^52 leaves no fraction bits, so the sum is rounded
    // to an integer in the default mode (nearest, ties to even) without a
    // library call; colour bytes are read once a vertex.
    constexpr double kNoFraction = 4503599627370496.0; // 2^52
    if (v > 0 && v < kNoFraction)
        return (v + kNoFraction) - kNoFraction;
    return v == 0 ? v : std::nearbyint(v);
}

// The first CR or LF at or after p, or end. Notes whether a NUL byte comes
// before it: a file with one is not text and is never read as a scan.
const char *findLineEnd(const char *p, const char *end, bool &nul)
{
#ifdef __SSE2__
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), zero = _mm_setzero_si128();
    for (; end - p >= 16; p += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p));
        const auto ends =
            unsigned(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf))));
        const auto nuls = unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, zero)));
        if (ends != 0) {
            nul = nul || (nuls & ((ends & -ends) - 1)) != 0;
            return p + __builtin_ctz(ends);
        }
        nul = nul || nuls != 0;
    }
#endif
    for (; p != end && !isLineEnd(*p); ++p)
        nul = nul || *p == '\0';
    return p;
}

// Past the line end at p: CR LF, LF or CR. A LF met here has no CR before
// it (a CR before it would have been the line end).
const char *pastLineEnd(const char *p, const char *end, bool &bareLf)
{
    if (p == end)
        return p;
    if (*p++ == '\r')
        return p != end && *p == '\n' ? p + 1 : p;
    bareLf = true;
    return p;
}

enum class Statement { Vertex, Face, Normal, TexCoord, MtlLib, Other };

// The statement of the line at p, whose first value (after any blanks) is
// the keyword; it matches exactly ("V" is not "v"). p moves past the keyword.
Statement statementAt(const char *&p, const char *end)
{
    while (p != end && isSeparator(*p))
        ++p;
    const char *const keyword = p;
    while (p != end && !endsValue(*p))
        ++p;
    switch (p - keyword) {
    case 1: return *keyword == 'v' ? Statement::Vertex : *keyword == 'f' ? Statement::Face : Statement::Other;
    case 2:
        if (keyword[0] == 'v' && keyword[1] == 'n')
            return Statement::Normal;
        return keyword[0] == 'v' && keyword[1] == 't' ? Statement::TexCoord : Statement::Other;
    case 6: return std::string_view(keyword, 6) == "mtllib" ? Statement::MtlLib : Statement::Other;
    default: return Statement::Other;
    }
}

// Large files are cut into chunks at line ends, many more than there are
// cores, so that the cores share the work by taking the next chunk when they
// are free, whatever the mix of vertices and faces. A first walk counts what
// each chunk holds; with those counts every chunk writes its vertices and
// triangles straight into their places in the mesh.
struct Chunk
{
    std::size_t begin = 0, end = 0;
    std::size_t lines = 0, vertices = 0, faces = 0;
    bool nul = false, bareLf = false;
};

struct ObjLayout
{
    std::vector<Chunk> chunks;
    std::uint64_t vertices = 0, faces = 0;
    bool nul = false, bareLf = false;
};

// Which of 64 bytes from p (fewer at the end) are CR, LF and NUL, a bit each.
struct ByteMasks
{
    std::uint64_t cr = 0, lf = 0, nul = 0;
};

ByteMasks masksAt(const char *p, const char *end)
{
    ByteMasks m;
#ifdef __SSE2__
    if (end - p >= 64) {
        const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), zero = _mm_setzero_si128();
        for (int k = 0; k < 4; ++k) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i *>(p + 16 * k));
            m.cr |= std::uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, cr)))) << (16 * k);
            m.lf |= std::uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lf)))) << (16 * k);
            m.nul |= std::uint64_t(unsigned(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, zero)))) << (16 * k);
        }
        return m;
    }
#endif
    const auto n = static_cast<int>(std::min<std::ptrdiff_t>(end - p, 64));
    for (int i = 0; i < n; ++i) {
        m.cr |= std::uint64_t(p[i] == '\r') << i;
        m.lf |= std::uint64_t(p[i] == '\n') << i;
        m.nul |= std::uint64_t(p[i] == '\0') << i;
    }
    return m;
}

// Counts the chunk's lines and statements; `text` is the chunk's own bytes.
// The line ends of 64 bytes at a time are found at once, and only each
// line's first bytes are looked at: most lines start with their keyword.
void countChunk(std::string_view text, Chunk &chunk)
{
    const char *const begin = text.data();
    const char *const end = begin + text.size();
    auto countStatementAt = [&](const char *line) {
        if ((*line == 'v' || *line == 'f') && (line + 1 == end || endsValue(line[1]))) {
            ++(*line == 'v' ? chunk.vertices : chunk.faces);
        } else if (isSeparator(*line)) {
            switch (statementAt(line, end)) {
            case Statement::Vertex: ++chunk.vertices; break;
            case Statement::Face: ++chunk.faces; break;
            default: break;
            }
        }
    };
    if (begin == end)
        return;
    ++chunk.lines;
    countStatementAt(begin);
    bool crBefore = false; // the byte before the block is a CR
    for (const char *p = begin; p < end; p += 64) {
        const ByteMasks m = masksAt(p, end);
        chunk.nul = chunk.nul || m.nul != 0;
        // A LF after a CR ends the same line as the CR.
        const std::uint64_t lfAfterCr = m.lf & ((m.cr << 1) | std::uint64_t(crBefore));
        chunk.bareLf = chunk.bareLf || (m.lf & ~lfAfterCr) != 0;
        crBefore = (m.cr >> 63) != 0;
        // The last byte of every line end: a CR followed by a LF ends at the LF.
        std::uint64_t ends = m.lf | (m.cr & ~(m.lf >> 1));
        if (crBefore && end - p > 64 && p[64] == '\n')
            ends &= ~(std::uint64_t(1) << 63);
        for (; ends != 0; ends &= ends - 1) {
            const char *const next = p + std::countr_zero(ends) + 1;
            if (next == end)
                return;
            ++chunk.lines;
            countStatementAt(next);
        }
    }
}

void addUp(ObjLayout &layout)
{
    for (const Chunk &c : layout.chunks) {
        layout.vertices += c.vertices;
        layout.faces += c.faces;
        layout.nul = layout.nul || c.nul;
        layout.bareLf = layout.bareLf || c.bareLf;
    }
}

ObjLayout layOut(std::string_view text)
{
    const unsigned cores = jobCount(text.size(), 2 << 20);
    const unsigned wanted = cores == 1 ? 1 : cores * 8;
    ObjLayout layout;
    std::vector<std::size_t> starts{0};
    for (unsigned j = 1; j < wanted; ++j) {
        const std::size_t lf = text.find('\n', std::max(starts.back(), text.size() * j / wanted));
        if (lf == std::string_view::npos || lf + 1 >= text.size())
            break;
        starts.push_back(lf + 1);
    }
    starts.push_back(text.size());
    layout.chunks.resize(starts.size() - 1);
    for (std::size_t j = 0; j < layout.chunks.size(); ++j) {
        layout.chunks[j].begin = starts[j];
        layout.chunks[j].end = starts[j + 1];
    }
    runEach(layout.chunks.size(), [&](std::size_t j) {
        Chunk &c = layout.chunks[j];
        countChunk(text.substr(c.begin, c.end - c.begin), c);
    });
    addUp(layout);
    return layout;
}

struct ReadFailure
{
    std::size_t line; // in the whole text
    std::string why;
};

// What reading one chunk gave besides what it wrote into the mesh.
struct ChunkResult
{
    bool hasColours = false;
    std::uint32_t normals = 0, texCoords = 0;
    std::vector<std::string> mtlLibMessages;
    std::optional<ReadFailure> failure;
    // Triangles written at the chunk's first face's place, one a face; after
    // the first face of more than three corners, the rest follow in `spill`
    // and are moved into place once every chunk's count is known.
    std::size_t inPlace = 0;
    std::vector<Triangle> spill;
    // The first face that names a missing vertex: no face from it on is built.
    std::optional<std::size_t> badLine;
    std::uint32_t badCorner = 0; // from 0
    // The chunk holds other statements than the first walk counted: the file
    // changed between the walks.
    bool changed = false;
};

// Where a chunk writes: its first vertex and first face in the mesh.
struct ChunkTarget
{
    Vec3 *positions;
    Rgba *colours;
    Triangle *triangles;
    std::size_t firstLine; // before the chunk's first line
    const Chunk *counted; // what the first walk found in the chunk
};

struct ChunkChanged
{};

class ChunkReader
{
public:
    ChunkReader(const char *begin, const char *end, std::uint64_t vertices)
        : m_p(begin),
          m_end(end),
          m_vertices(vertices)
    {}

    ChunkResult read(const ChunkTarget &target)
    {
        ChunkResult result;
        m_line = target.firstLine;
        Vec3 *position = target.positions;
        Rgba *colour = target.colours;
        Triangle *triangle = target.triangles;
        const Vec3 *const positionsEnd = target.positions + target.counted->vertices;
        std::size_t faces = 0;
        try {
            while (m_p != m_end) {
                ++m_line;
                switch (statementAt(m_p, m_end)) {
                case Statement::Vertex:
                    if (position == positionsEnd)
                        throw ChunkChanged{};
                    if (readVertex(*position++, *colour))
                        result.hasColours = true;
                    ++colour;
                    break;
                case Statement::Face:
                    if (faces++ == target.counted->faces)
                        throw ChunkChanged{};
                    readFace(result, triangle);
                    break;
                case Statement::Normal: ++result.normals; break;
                case Statement::TexCoord: ++result.texCoords; break;
                case Statement::MtlLib: {
                    while (m_p != m_end && isSeparator(*m_p))
                        ++m_p;
                    const char *const rest = m_p;
                    skipToLineEnd();
                    result.mtlLibMessages.push_back("MtlLib Found: "
                                                    + std::string(rest, static_cast<std::size_t>(m_p - rest)));
                    break;
                }
                case Statement::Other: break;
                }
                skipToLineEnd();
                bool bareLf = false;
                m_p = pastLineEnd(m_p, m_end, bareLf);
            }
            result.changed = position != positionsEnd || faces != target.counted->faces
                             || m_line != target.firstLine + target.counted->lines;
        } catch (const ReadFailure &failure) {
            result.failure = failure;
        } catch (const ChunkChanged &) {
            result.changed = true;
        }
        return result;
    }

private:
    [[noreturn]] void fail(const char *why) const { throw ReadFailure{m_line, why}; }

    void skipToLineEnd()
    {
        bool nul = false;
        m_p = findLineEnd(m_p, m_end, nul);
    }

    // True when the line has another value; m_p is then at its first character.
    bool nextValue()
    {
        while (m_p != m_end && isSeparator(*m_p))
            ++m_p;
        return m_p != m_end && !isLineEnd(*m_p);
    }

    void skipRestOfValue()
    {
        while (m_p != m_end && !endsValue(*m_p))
            ++m_p;
    }

    // The value's leading number; a missing value reads as 0.
    double coordinate()
    {
        if (!nextValue())
            return 0;
        const ParsedNumber n = leadingNumberAt(m_p, m_end);
        if (!n.finite)
            fail("a number is too large");
        m_p += n.length;
        skipRestOfValue();
        return n.value;
    }

    // The vertex number a corner names, or 0 when it names none of
    // 1..2^31-1. Plain digits, as corners almost always are, are read as an
    // integer; anything else as the leading number rounded half to even.
    std::uint32_t corner()
    {
        if (!nextValue())
            return 0;
        const char *const start = m_p;
        std::uint64_t n = 0;
        const int digits = detail::takeDigits(m_p, m_end, n);
        std::uint32_t result = 0;
        if (digits >= 1 && digits <= 10 && (m_p == m_end || (*m_p != '.' && *m_p != 'e' && *m_p != 'E'))) {
            result = n >= 1 && n <= std::uint64_t(std::numeric_limits<std::int32_t>::max()) ? std::uint32_t(n) : 0;
        } else {
            const ParsedNumber number = leadingNumber(std::string_view(start, static_cast<std::size_t>(m_end - start)));
            m_p = start + number.length;
            const double v = roundHalfEven(number.value);
            result = v >= 1 && v <= double(std::numeric_limits<std::int32_t>::max()) ? std::uint32_t(v) : 0;
        }
        skipRestOfValue();
        return result;
    }

    // "v x y z [r g b]"; true when the line gives a colour.
    bool readVertex(Vec3 &p, Rgba &colour)
    {
        p.x = coordinate();
        p.y = coordinate();
        p.z = coordinate();
        if (!nextValue())
            return false;
        for (std::uint8_t *channel : {&colour.r, &colour.g, &colour.b}) {
            if (!nextValue())
                break;
            const double scaled = roundHalfEven(coordinate() * 255.0);
            if (!(scaled >= 0 && scaled <= 255))
                fail("a vertex colour is outside 0 to 1");
            *channel = static_cast<std::uint8_t>(scaled);
        }
        return true;
    }

    bool names(std::uint32_t corner) const { return corner != 0 && corner <= m_vertices; }

    // "f a b c [d ...]": the first three corners are always taken (a missing
    // one reads as 0, which no vertex has); further corners are fanned from
    // the first.
    void readFace(ChunkResult &result, Triangle *triangles)
    {
        m_corners.clear();
        for (int c = 0; c < 3; ++c)
            m_corners.push_back(corner());
        while (nextValue())
            m_corners.push_back(corner());
        if (result.badLine)
            return;
        const auto bad = std::find_if(m_corners.begin(), m_corners.end(), [&](std::uint32_t c) { return !names(c); });
        if (bad != m_corners.end()) {
            result.badLine = m_line;
            result.badCorner = static_cast<std::uint32_t>(bad - m_corners.begin());
            return;
        }
        if (m_corners.size() == 3 && result.spill.empty()) {
            triangles[result.inPlace++] = {m_corners[0] - 1, m_corners[1] - 1, m_corners[2] - 1};
            return;
        }
        for (std::size_t c = 2; c < m_corners.size(); ++c)
            result.spill.push_back({m_corners[0] - 1, m_corners[c - 1] - 1, m_corners[c] - 1});
    }

    const char *m_p;
    const char *const m_end;
    const std::uint64_t m_vertices;
    std::size_t m_line = 0;
    std::vector<std::uint32_t> m_corners;
};

// Gives `use` the bytes of chunk j: a view into a text in memory, or the
// chunk read from a file into a buffer.
using ChunkSource = std::function<void(std::size_t j, const std::function<void(std::string_view)> &use)>;

ChunkSource inMemory(std::string_view text, const ObjLayout &layout)
{
    return [text, &layout](std::size_t j, const std::function<void(std::string_view)> &use) {
        use(text.substr(layout.chunks[j].begin, layout.chunks[j].end - layout.chunks[j].begin));
    };
}

// Large files are read a chunk at a time into a few reused buffers, twice
// (to count, then to read), rather than whole into fresh memory: the copy
// from the page cache costs less than the fresh pages a whole file needs.
// The buffers are one array taken before the cores start, one slice a core:
// cores that each took fresh memory of their own at once waited on one
// another in the kernel for longer than they then took to read.
class ReadBuffers
{
public:
    struct Buffer
    {
        char *data = nullptr;
        std::size_t capacity = 0;
        LargeArray<char> own; // when a line longer than a slice needed more

        // Room for `need` bytes, the first `keep` kept.
        char *room(std::size_t keep, std::size_t need)
        {
            if (need > capacity) {
                const std::size_t grown = std::max(need, capacity * 2);
                LargeArray<char> bigger = makeLargeArray<char>(grown);
                if (keep > 0)
                    std::memcpy(bigger.get(), data, keep);
                own = std::move(bigger);
                data = own.get();
                capacity = grown;
            }
            return data;
        }
    };

    // `count` buffers of `bytes` each. Buffers for small chunks stay out of
    // huge pages: a huge page part used would cost more memory than it saves
    // time.
    ReadBuffers(std::size_t count, std::size_t bytes)
    {
        char *slices = nullptr;
        if (bytes >= kHugeSlice) {
            m_large = makeLargeArray<char>(count * bytes);
            slices = m_large.get();
        } else {
            m_small = std::make_unique_for_overwrite<char[]>(count * bytes);
            slices = m_small.get();
        }
        for (std::size_t j = 0; j < count; ++j)
            m_free.push_back({slices + j * bytes, bytes, {}});
    }

    Buffer take()
    {
        const std::lock_guard lock(m_mutex);
        if (m_free.empty())
            return {};
        Buffer b = std::move(m_free.back());
        m_free.pop_back();
        return b;
    }
    void give(Buffer b)
    {
        const std::lock_guard lock(m_mutex);
        m_free.push_back(std::move(b));
    }

private:
    static constexpr std::size_t kHugeSlice = std::size_t(1) << 20;
    LargeArray<char> m_large;
    std::unique_ptr<char[]> m_small;
    std::mutex m_mutex;
    std::vector<Buffer> m_free;
};

[[noreturn]] void changedWhileRead(const std::string &name)
{
    throw MeshError(MeshError::Kind::FileAccess, name + " changed while it was being read");
}

// Reads [offset, offset + length) after the first `keep` bytes of the buffer,
// in pieces small enough to be read on this core alone.
char *readRange(const OpenFile &file, std::uint64_t offset, std::size_t length, ReadBuffers::Buffer &buffer,
                std::size_t keep, const std::string &name)
{
    char *const data = buffer.room(keep, keep + length);
    constexpr std::size_t kPiece = std::size_t(4) << 20;
    for (std::size_t done = 0; done < length;) {
        const std::size_t piece = std::min(kPiece, length - done);
        if (file.readAt(offset + done, data + keep + done, piece) != piece)
            changedWhileRead(name);
        done += piece;
    }
    return data;
}

// Files from this size on are read in chunks (the cores setting divides it,
// so that tests read small files that way too).
bool readInChunks(std::uint64_t size)
{
    return size > 0 && size >= std::max<std::size_t>((std::size_t(8) << 20) / parallelism().grainDivisor, 1);
}

// How many shares a file of `size` bytes is cut into, about 1 MB each.
std::size_t shareCount(std::uint64_t size)
{
    const std::size_t share = std::max<std::size_t>((std::size_t(1) << 20) / parallelism().grainDivisor, 1);
    return static_cast<std::size_t>(
        std::min<std::uint64_t>(std::clamp<std::uint64_t>(size / share, coreCount() * 8, 4096), size));
}

// A chunk reaches past its share to the next line end, read 256 bytes, then
// 512 and so on: this much room after the share holds lines up to 32 KB long
// without taking more memory.
constexpr std::size_t kLineRoom = std::size_t(64) << 10;

// Buffers for reading a file of `size` bytes chunk by chunk: one a core.
ReadBuffers buffersFor(std::uint64_t size)
{
    const std::size_t shares = shareCount(size);
    return ReadBuffers(std::min<std::size_t>(shares, coreCount()),
                       static_cast<std::size_t>((size + shares - 1) / shares) + kLineRoom);
}

// The same cut as layOut's, found by each chunk itself: a chunk starts just
// after the first LF at or after its share's start (the file's first at 0),
// and ends where the next one starts.
ObjLayout layOutFile(const OpenFile &file, std::uint64_t size, ReadBuffers &buffers, const std::string &name)
{
    const std::size_t shares = shareCount(size);
    ObjLayout layout;
    layout.chunks.resize(shares);
    runEach(shares, [&](std::size_t j) {
        const std::uint64_t from = size * j / shares, to = size * (j + 1) / shares;
        ReadBuffers::Buffer buffer = buffers.take();
        char *data = readRange(file, from, static_cast<std::size_t>(to - from), buffer, 0, name);
        Chunk &c = layout.chunks[j];
        std::size_t first = 0;
        if (j > 0) {
            const void *lf = std::memchr(data, '\n', static_cast<std::size_t>(to - from));
            if (!lf) { // the share lies within one line, which the chunk before takes whole
                c.begin = c.end = to;
                buffers.give(std::move(buffer));
                return;
            }
            first = static_cast<std::size_t>(static_cast<const char *>(lf) - data) + 1;
        }
        c.begin = from + first;
        std::uint64_t end = to;
        if (j + 1 < shares) {
            // Past the share's end to the first LF at or after it.
            for (std::size_t piece = 256; end < size; piece *= 2) {
                const auto length = static_cast<std::size_t>(std::min<std::uint64_t>(piece, size - end));
                data = readRange(file, end, length, buffer, static_cast<std::size_t>(end - from), name);
                const char *const at = data + (end - from);
                if (const void *lf = std::memchr(at, '\n', length)) {
                    end += static_cast<std::size_t>(static_cast<const char *>(lf) - at) + 1;
                    break;
                }
                end += length;
            }
        }
        c.end = end;
        countChunk(std::string_view(data + first, static_cast<std::size_t>(c.end - c.begin)), c);
        buffers.give(std::move(buffer));
    });
    addUp(layout);
    return layout;
}

ChunkSource fromFile(const OpenFile &file, const ObjLayout &layout, ReadBuffers &buffers, const std::string &name)
{
    return [&file, &layout, &buffers, name](std::size_t j, const std::function<void(std::string_view)> &use) {
        const Chunk &c = layout.chunks[j];
        const auto length = static_cast<std::size_t>(c.end - c.begin);
        ReadBuffers::Buffer buffer = buffers.take();
        use(std::string_view(readRange(file, c.begin, length, buffer, 0, name), length));
        buffers.give(std::move(buffer));
    };
}

ObjReadResult readLaidOut(const ChunkSource &source, const ObjLayout &layout, const std::string &name)
{
    constexpr std::uint64_t kMaxCount = std::numeric_limits<std::int32_t>::max();
    if (layout.vertices > kMaxCount || layout.faces > kMaxCount)
        throw MeshError(MeshError::Kind::Format,
                        name + " cannot be read as OBJ: it has more statements than a mesh can index");
    ObjReadResult result;
    Mesh &mesh = result.model.objects.emplace_back();
    const std::size_t vertices = layout.vertices, faces = layout.faces;
    reserveInHugePages(mesh.positions, vertices);
    reserveInHugePages(mesh.colours, vertices);
    reserveInHugePages(mesh.triangles, faces);
    populateLarge({{mesh.positions.data(), vertices * sizeof(Vec3)},
                   {mesh.colours.data(), vertices * sizeof(Rgba)},
                   {mesh.triangles.data(), faces * sizeof(Triangle)}});
    runJobs(3, [&](unsigned j) {
        if (j == 0)
            mesh.positions.resize(vertices);
        else if (j == 1)
            mesh.colours.resize(vertices); // a vertex without colour stays (0, 0, 0, 255)
        else
            mesh.triangles.resize(faces);
    });

    const auto chunks = static_cast<unsigned>(layout.chunks.size());
    std::vector<ChunkTarget> targets;
    std::vector<std::size_t> firstFace;
    std::size_t vertexAt = 0, faceAt = 0, lineAt = 0;
    for (const Chunk &c : layout.chunks) {
        targets.push_back({mesh.positions.data() + vertexAt, mesh.colours.data() + vertexAt,
                           mesh.triangles.data() + faceAt, lineAt, &c});
        firstFace.push_back(faceAt);
        vertexAt += c.vertices;
        faceAt += c.faces;
        lineAt += c.lines;
    }
    std::vector<ChunkResult> results(chunks);
    runEach(chunks, [&](std::size_t j) {
        if (layout.chunks[j].begin == layout.chunks[j].end)
            return;
        source(j, [&](std::string_view text) {
            results[j] = ChunkReader(text.data(), text.data() + text.size(), vertices).read(targets[j]);
        });
    });

    result.counts.vertices = static_cast<std::uint32_t>(vertices);
    result.counts.faces = static_cast<std::uint32_t>(faces);
    for (const ChunkResult &r : results) {
        if (r.changed)
            changedWhileRead(name);
        if (r.failure)
            throw MeshError(MeshError::Kind::Format, name + " cannot be read as OBJ: line "
                                                         + std::to_string(r.failure->line) + ": " + r.failure->why);
        result.counts.normals += r.normals;
        result.counts.texCoords += r.texCoords;
        result.counts.hasColours = result.counts.hasColours || r.hasColours;
        result.mtlLibMessages.insert(result.mtlLibMessages.end(), r.mtlLibMessages.begin(), r.mtlLibMessages.end());
    }
    if (!result.counts.hasColours)
        std::vector<Rgba>().swap(mesh.colours);

    if (vertices == 0) {
        result.buildFailed = true;
        result.buildFailure = "the file has no vertices";
        std::vector<Triangle>().swap(mesh.triangles);
        return result;
    }
    // The mesh takes every face up to the first that names a missing vertex.
    std::vector<std::size_t> triangleAt(chunks, 0);
    std::size_t total = 0;
    unsigned used = chunks;
    bool spilled = false;
    for (unsigned j = 0; j < chunks; ++j) {
        const ChunkResult &r = results[j];
        triangleAt[j] = total;
        total += r.inPlace + r.spill.size();
        spilled = spilled || !r.spill.empty();
        if (r.badLine) {
            result.buildFailed = true;
            result.buildFailure = "line " + std::to_string(*r.badLine) + ": face corner "
                                  + std::to_string(r.badCorner + 1) + " names no vertex of the "
                                  + std::to_string(vertices) + " in the file";
            used = j + 1;
            break;
        }
    }
    if (spilled) {
        // Fanned faces gave more triangles than faces: every chunk moves up to
        // its place, the last first, so none overwrites one not yet moved.
        reserveLarge(mesh.triangles, total);
        mesh.triangles.resize(std::max(total, mesh.triangles.size()));
        for (unsigned j = used; j-- > 0;) {
            const ChunkResult &r = results[j];
            Triangle *const to = mesh.triangles.data() + triangleAt[j];
            std::memmove(to, mesh.triangles.data() + firstFace[j], r.inPlace * sizeof(Triangle));
            std::copy(r.spill.begin(), r.spill.end(), to + r.inPlace);
        }
    }
    mesh.triangles.resize(total);
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
    const ObjLayout layout = layOut(text);
    return readLaidOut(inMemory(text, layout), layout, sourceName);
}

ObjReadResult readObjFile(const std::filesystem::path &path, const std::function<void(std::string_view)> &status)
{
    auto announce = [&](std::string_view text) {
        if (status)
            status(text);
    };
    announce(kObjPass1Status);
    const std::string name = displayName(path);
    const std::string refused = name + " cannot be read as OBJ: ";
    // An empty view would look like a scan that loaded.
    auto withFaces = [&](ObjReadResult result) {
        if (result.model.objects.front().triangles.empty())
            throw MeshError(MeshError::Kind::Format,
                            refused + "it holds no faces to show"
                                + (result.buildFailed ? " (" + result.buildFailure + ")" : ""));
        return result;
    };
    {
        const OpenFile file(path);
        if (readInChunks(file.size())) {
            ReadBuffers buffers = buffersFor(file.size());
            const ObjLayout layout = layOutFile(file, file.size(), buffers, name);
            // A file that is not text, or needs its line ends repaired, is
            // read whole below.
            if (!layout.nul && !layout.bareLf) {
                announce(kObjPass2Status);
                announce(kObjPass3Status);
                return withFaces(readLaidOut(fromFile(file, layout, buffers, name), layout, name));
            }
        }
    }
    const FileBytes bytes = readFileBytes(path);
    // The walk that counts the statements also tells whether the file is
    // text and whether it needs its line ends repaired.
    ObjLayout layout = layOut(bytes.view());
    if (layout.nul)
        throw MeshError(MeshError::Kind::Format,
                        refused + "it is not a text file (it holds NUL bytes, as pictures and UTF-16 text do)");
    std::optional<std::string> repaired;
    if (layout.bareLf) {
        repaired = withCrLfLineEnds(bytes.view());
        if (repaired) {
            replaceFileContents(path, *repaired);
            layout = layOut(*repaired);
        }
    }
    const std::string_view text = repaired ? std::string_view(*repaired) : bytes.view();
    // Counting and reading are two walks over the text in parallel here; the
    // pass texts still tell the user how far the read has come.
    announce(kObjPass2Status);
    announce(kObjPass3Status);
    return withFaces(readLaidOut(inMemory(text, layout), layout, name));
}

} // namespace mesh
