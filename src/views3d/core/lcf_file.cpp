#include "lcf_file.h"

#include "file_bytes.h"
#include "large_buffers.h"

#include <array>
#include <bit>
#include <cstddef>
#include <cstring>
#include <limits>
#include <vector>

namespace mesh {

namespace {

// The arrays are copied whole: their elements must be the packed values.
static_assert(sizeof(Vec3) == 3 * sizeof(double) && sizeof(Vec2) == 2 * sizeof(double));
static_assert(sizeof(Rgba) == 4 && offsetof(Rgba, r) == 0 && offsetof(Rgba, a) == 3);
static_assert(sizeof(Triangle) == 3 * sizeof(std::uint32_t));

constexpr char kMagic[4] = {'S', 'L', 'C', 'F'};
constexpr std::uint32_t kVersion = 1;
constexpr std::uint32_t kHasColours = 1u << 0;
constexpr std::uint32_t kHasTexCoords = 1u << 1;
constexpr std::uint32_t kKnownFlags = kHasColours | kHasTexCoords;
// flags, vertex count, triangle count, crease angle, two string lengths.
constexpr std::uint64_t kObjectHeaderSize = 4 + 4 + 4 + 8 + 4 + 4;
constexpr std::size_t kFileHeaderSize = 12;
constexpr std::size_t kChecksumSize = 4;

// Eight tables, so that the checksum takes eight bytes a step: a model
// file of a large scan is tens of megabytes, and one byte a step made the
// checksum as slow as all the rest of the encoding.
using CrcTables = std::array<std::array<std::uint32_t, 256>, 8>;

const CrcTables &crcTables()
{
    static const CrcTables tables = [] {
        CrcTables t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[0][i] = c;
        }
        for (std::size_t k = 1; k < t.size(); ++k)
            for (std::uint32_t i = 0; i < 256; ++i)
                t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
        return t;
    }();
    return tables;
}

std::uint32_t littleEndian32(const unsigned char *p)
{
    return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
}

// CRC-32 as zip and PNG compute it.
std::uint32_t crc32(std::string_view bytes)
{
    const CrcTables &t = crcTables();
    const auto *p = reinterpret_cast<const unsigned char *>(bytes.data());
    std::size_t n = bytes.size();
    std::uint32_t c = 0xFFFFFFFFu;
    for (; n >= 8; n -= 8, p += 8) {
        const std::uint32_t low = c ^ littleEndian32(p);
        const std::uint32_t high = littleEndian32(p + 4);
        c = t[7][low & 0xFF] ^ t[6][(low >> 8) & 0xFF] ^ t[5][(low >> 16) & 0xFF] ^ t[4][low >> 24] ^ t[3][high & 0xFF]
            ^ t[2][(high >> 8) & 0xFF] ^ t[1][(high >> 16) & 0xFF] ^ t[0][high >> 24];
    }
    for (; n > 0; --n, ++p)
        c = t[0][(c ^ *p) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

class Writer
{
public:
    void u32(std::uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            m_out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    void u64(std::uint64_t v)
    {
        for (int i = 0; i < 8; ++i)
            m_out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    }
    void f64(double v) { u64(std::bit_cast<std::uint64_t>(v)); }
    void bytes(std::string_view b) { m_out.append(b); }
    // An array of a mesh: the file holds each value little-endian, as the
    // memory of a little-endian machine already does, so there it goes in
    // one copy; elsewhere `each` writes it element by element.
    template <class T, class Each>
    void array(const std::vector<T> &values, [[maybe_unused]] Each each)
    {
        if constexpr (std::endian::native == std::endian::little)
            m_out.append(reinterpret_cast<const char *>(values.data()), values.size() * sizeof(T));
        else
            for (const T &value : values)
                each(value);
    }
    void text(const std::string &s)
    {
        u32(static_cast<std::uint32_t>(s.size()));
        bytes(s);
    }
    void reserve(std::size_t n)
    {
        m_out.reserve(n);
        adviseHugePages(m_out.data(), m_out.capacity());
    }
    std::string &out() { return m_out; }

private:
    std::string m_out;
};

class Reader
{
public:
    Reader(std::string_view bytes, const std::string &source)
        : m_bytes(bytes),
          m_source(source)
    {}

    std::uint64_t remaining() const { return m_bytes.size() - m_pos; }
    std::uint32_t u32()
    {
        need(4);
        std::uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v |= std::uint32_t(static_cast<unsigned char>(m_bytes[m_pos + i])) << (8 * i);
        m_pos += 4;
        return v;
    }
    std::uint64_t u64()
    {
        const std::uint64_t low = u32();
        return low | (std::uint64_t(u32()) << 32);
    }
    double f64() { return std::bit_cast<double>(u64()); }
    std::uint8_t u8()
    {
        need(1);
        return static_cast<std::uint8_t>(m_bytes[m_pos++]);
    }
    std::string text()
    {
        const std::uint32_t length = u32();
        need(length);
        std::string s(m_bytes.substr(m_pos, length));
        m_pos += length;
        return s;
    }
    void need(std::uint64_t n) const
    {
        if (n > remaining())
            fail("it ends too early");
    }
    [[noreturn]] void fail(const std::string &why) const
    {
        throw MeshError(MeshError::Kind::Format, m_source + " is not a readable model file: " + why);
    }

private:
    std::string_view m_bytes;
    std::size_t m_pos = 0;
    const std::string &m_source;
};

} // namespace

std::string encodeLcf(const Model &model)
{
    if (model.objects.size() > std::numeric_limits<std::uint32_t>::max())
        throw MeshError(MeshError::Kind::Format, "The model has too many objects to save");
    std::size_t size = kFileHeaderSize + kChecksumSize;
    for (std::size_t i = 0; i < model.objects.size(); ++i) {
        const Mesh &m = model.objects[i];
        const std::string problem = m.check();
        if (!problem.empty())
            throw MeshError(MeshError::Kind::Format, "Object " + std::to_string(i) + " cannot be saved: " + problem);
        if (m.positions.size() > std::numeric_limits<std::uint32_t>::max()
            || m.triangles.size() > std::numeric_limits<std::uint32_t>::max()
            || m.name.size() > std::numeric_limits<std::uint32_t>::max()
            || m.texturePath.size() > std::numeric_limits<std::uint32_t>::max())
            throw MeshError(MeshError::Kind::Format, "Object " + std::to_string(i) + " is too large to save");
        size += kObjectHeaderSize + m.name.size() + m.texturePath.size() + m.positions.size() * 24
                + m.colours.size() * 4 + m.texCoords.size() * 16 + m.triangles.size() * 12;
    }
    Writer w;
    w.reserve(size);
    w.bytes(std::string_view(kMagic, 4));
    w.u32(kVersion);
    w.u32(static_cast<std::uint32_t>(model.objects.size()));
    for (const Mesh &m : model.objects) {
        w.u32((m.hasColours() ? kHasColours : 0) | (m.hasTexCoords() ? kHasTexCoords : 0));
        w.u32(static_cast<std::uint32_t>(m.positions.size()));
        w.u32(static_cast<std::uint32_t>(m.triangles.size()));
        w.f64(m.creaseAngle);
        w.text(m.name);
        w.text(m.texturePath);
        w.array(m.positions, [&](const Vec3 &p) {
            w.f64(p.x);
            w.f64(p.y);
            w.f64(p.z);
        });
        w.bytes(std::string_view(reinterpret_cast<const char *>(m.colours.data()), m.colours.size() * sizeof(Rgba)));
        w.array(m.texCoords, [&](const Vec2 &t) {
            w.f64(t.u);
            w.f64(t.v);
        });
        w.array(m.triangles, [&](const Triangle &t) {
            for (std::uint32_t corner : t)
                w.u32(corner);
        });
    }
    const std::uint32_t checksum = crc32(w.out());
    w.u32(checksum);
    return std::move(w.out());
}

Model decodeLcf(std::string_view bytes, const std::string &sourceName)
{
    Reader header(bytes, sourceName);
    if (bytes.size() < kFileHeaderSize + kChecksumSize || std::memcmp(bytes.data(), kMagic, 4) != 0)
        header.fail("it is not a model file of this program");
    const std::string_view body = bytes.substr(0, bytes.size() - kChecksumSize);
    Reader trailer(bytes.substr(body.size()), sourceName);
    if (trailer.u32() != crc32(body))
        header.fail("its checksum does not match; the file is damaged");

    Reader r(body, sourceName);
    r.u32(); // magic, checked above
    const std::uint32_t version = r.u32();
    if (version != kVersion)
        r.fail("it was written in format version " + std::to_string(version) + ", which this program does not know");
    const std::uint32_t objectCount = r.u32();
    if (objectCount > r.remaining() / kObjectHeaderSize)
        r.fail("it claims " + std::to_string(objectCount) + " objects, more than its size can hold");
    Model model;
    model.objects.resize(objectCount);
    for (std::uint32_t i = 0; i < objectCount; ++i) {
        Mesh &m = model.objects[i];
        const std::uint32_t flags = r.u32();
        if (flags & ~kKnownFlags)
            r.fail("object " + std::to_string(i) + " has unknown flags");
        const std::uint64_t vertices = r.u32();
        const std::uint64_t triangles = r.u32();
        m.creaseAngle = r.f64();
        m.name = r.text();
        m.texturePath = r.text();
        const std::uint64_t perVertex = 24 + ((flags & kHasColours) ? 4 : 0) + ((flags & kHasTexCoords) ? 16 : 0);
        if (vertices * perVertex + triangles * 12 > r.remaining())
            r.fail("object " + std::to_string(i) + " claims " + std::to_string(vertices) + " vertices and "
                   + std::to_string(triangles) + " triangles, more than the file holds");
        m.positions.resize(vertices);
        for (Vec3 &p : m.positions) {
            p.x = r.f64();
            p.y = r.f64();
            p.z = r.f64();
        }
        if (flags & kHasColours) {
            m.colours.resize(vertices);
            for (Rgba &c : m.colours) {
                c.r = r.u8();
                c.g = r.u8();
                c.b = r.u8();
                c.a = r.u8();
            }
        }
        if (flags & kHasTexCoords) {
            m.texCoords.resize(vertices);
            for (Vec2 &t : m.texCoords) {
                t.u = r.f64();
                t.v = r.f64();
            }
        }
        m.triangles.resize(triangles);
        for (Triangle &t : m.triangles)
            for (std::uint32_t &corner : t)
                corner = r.u32();
        const std::string problem = m.check();
        if (!problem.empty())
            r.fail("object " + std::to_string(i) + ": " + problem);
    }
    if (r.remaining() != 0)
        r.fail("it has " + std::to_string(r.remaining()) + " bytes after its last object");
    return model;
}

std::uint32_t lcfChecksum(std::string_view bytesBeforeChecksum)
{
    return crc32(bytesBeforeChecksum);
}

void saveLcfFile(const Model &model, const std::filesystem::path &path)
{
    replaceFileContents(path, encodeLcf(model));
}

Model loadLcfFile(const std::filesystem::path &path)
{
    const FileBytes bytes = readFileBytes(path);
    return decodeLcf(bytes.view(), displayName(path));
}

} // namespace mesh
