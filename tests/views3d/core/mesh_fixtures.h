#pragma once
// Generated scan files for the mesh core's tests, the fuzzers' seeds and the
// loader benchmark. Plain C++ (no Qt) and header-only, so any of them can
// include it. Nothing here comes from a real person's scan.

#include "mesh_model.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>

namespace mesh::fixtures {

// A closed, foot-sized tube (about 260 x 100 x 80 units) of rings x segments
// quads split into triangles: 2 x rings x segments triangles, each vertex
// shared by six of them, like a scan's surface. Positions are exact floats so
// STL files reproduce them bit for bit; colours are optional.
inline Mesh footLikeMesh(int rings, int segments, bool colours = false)
{
    constexpr double kPi = 3.14159265358979323846;
    Mesh m;
    m.name = "FixtureFoot";
    for (int r = 0; r < rings; ++r) {
        const double a = 2 * kPi * r / rings;
        for (int s = 0; s < segments; ++s) {
            const double b = 2 * kPi * s / segments;
            const double tube = 35 + 10 * std::sin(3 * a);
            const float x = static_cast<float>((95 + tube * std::cos(b)) * std::cos(a) * 1.3);
            const float y = static_cast<float>((95 + tube * std::cos(b)) * std::sin(a) * 0.45);
            const float z = static_cast<float>(tube * std::sin(b) + 40);
            m.positions.push_back({x, y, z});
            if (colours)
                m.colours.push_back({static_cast<std::uint8_t>(r * 255 / rings),
                                     static_cast<std::uint8_t>(s * 255 / segments), 128, 255});
        }
    }
    auto at = [&](int r, int s) { return static_cast<std::uint32_t>((r % rings) * segments + (s % segments)); };
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < segments; ++s) {
            m.triangles.push_back({at(r, s), at(r + 1, s), at(r + 1, s + 1)});
            m.triangles.push_back({at(r, s), at(r + 1, s + 1), at(r, s + 1)});
        }
    return m;
}

// About `triangles` triangles (rounded to the tube's grid).
inline Mesh footLikeMesh(std::size_t triangles, bool colours = false)
{
    const int rings = std::max(3, static_cast<int>(std::sqrt(triangles / 2.0) * 1.4));
    const int segments = std::max(3, static_cast<int>(triangles / 2 / rings));
    return footLikeMesh(rings, segments, colours);
}

namespace detail {
inline void putU32(std::string &out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}
inline void putF32(std::string &out, float f)
{
    std::uint32_t bits;
    std::memcpy(&bits, &f, 4);
    putU32(out, bits);
}
inline Vec3 normalOf(const Mesh &m, const Triangle &t)
{
    const Vec3 &a = m.positions[t[0]], &b = m.positions[t[1]], &c = m.positions[t[2]];
    const Vec3 u{b.x - a.x, b.y - a.y, b.z - a.z}, v{c.x - a.x, c.y - a.y, c.z - a.z};
    Vec3 n{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
    const double len = std::sqrt(n.x * n.x + n.y * n.y + n.z * n.z);
    if (len > 0)
        n = {n.x / len, n.y / len, n.z / len};
    return n;
}
inline std::string fmt(const char *format, double a, double b, double c)
{
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}
} // namespace detail

// Binary STL: the 80-byte header starts with `header` (cut or padded with
// blanks), then the count and one 50-byte record per triangle.
inline std::string binaryStl(const Mesh &m, std::string_view header = "fixture binary STL")
{
    std::string out(header.substr(0, 80));
    out.resize(80, ' ');
    detail::putU32(out, static_cast<std::uint32_t>(m.triangles.size()));
    out.reserve(84 + 50 * m.triangles.size());
    for (const Triangle &t : m.triangles) {
        const Vec3 n = detail::normalOf(m, t);
        detail::putF32(out, static_cast<float>(n.x));
        detail::putF32(out, static_cast<float>(n.y));
        detail::putF32(out, static_cast<float>(n.z));
        for (std::uint32_t corner : t) {
            const Vec3 &p = m.positions[corner];
            detail::putF32(out, static_cast<float>(p.x));
            detail::putF32(out, static_cast<float>(p.y));
            detail::putF32(out, static_cast<float>(p.z));
        }
        out.append(2, '\0');
    }
    return out;
}

// ASCII STL with the given first line and line end; coordinates written with
// nine significant digits, enough to give back the same floats.
inline std::string asciiStl(const Mesh &m, std::string_view firstLine = "solid fixture", std::string_view eol = "\n")
{
    std::string out;
    out.reserve(260 * m.triangles.size() + 64);
    out.append(firstLine).append(eol);
    for (const Triangle &t : m.triangles) {
        const Vec3 n = detail::normalOf(m, t);
        out.append(detail::fmt("  facet normal %.6e %.6e %.6e", n.x, n.y, n.z)).append(eol);
        out.append("    outer loop").append(eol);
        for (std::uint32_t corner : t) {
            const Vec3 &p = m.positions[corner];
            out.append(detail::fmt("      vertex %.9g %.9g %.9g", p.x, p.y, p.z)).append(eol);
        }
        out.append("    endloop").append(eol).append("  endfacet").append(eol);
    }
    out.append("endsolid fixture").append(eol);
    return out;
}

// OBJ with "v x y z [r g b]" (colours when the mesh has them) and "f a b c"
// lines, vertices counted from 1, in full double precision.
inline std::string objText(const Mesh &m, std::string_view eol = "\r\n")
{
    std::string out;
    out.reserve(80 * m.positions.size() + 30 * m.triangles.size());
    out.append("# fixture scan").append(eol);
    for (std::size_t i = 0; i < m.positions.size(); ++i) {
        const Vec3 &p = m.positions[i];
        out.append(detail::fmt("v %.17g %.17g %.17g", p.x, p.y, p.z));
        if (m.hasColours()) {
            const Rgba &c = m.colours[i];
            out.append(detail::fmt(" %.6f %.6f %.6f", c.r / 255.0, c.g / 255.0, c.b / 255.0));
        }
        out.append(eol);
    }
    char buffer[64];
    for (const Triangle &t : m.triangles) {
        std::snprintf(buffer, sizeof buffer, "f %u %u %u", t[0] + 1, t[1] + 1, t[2] + 1);
        out.append(buffer).append(eol);
    }
    return out;
}

// True when both meshes have the same triangles, in the same order, with
// corners at the same points: what a reader must keep, whatever vertex
// numbering it chose.
inline bool sameSurface(const Mesh &a, const Mesh &b)
{
    if (a.triangles.size() != b.triangles.size())
        return false;
    for (std::size_t t = 0; t < a.triangles.size(); ++t)
        for (int c = 0; c < 3; ++c)
            if (!(a.positions[a.triangles[t][c]] == b.positions[b.triangles[t][c]]))
                return false;
    return true;
}

inline void writeFile(const std::filesystem::path &path, std::string_view bytes)
{
    std::ofstream f(path, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!f)
        throw std::runtime_error("cannot write fixture " + path.string());
}

inline std::string readFile(const std::filesystem::path &path)
{
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

} // namespace mesh::fixtures
