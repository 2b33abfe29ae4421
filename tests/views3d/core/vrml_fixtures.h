#pragma once
// Generated VRML97 scans for the VRML reader's tests, the fuzzers' seeds and
// the VRML benchmark, written the way scanners write them: one Shape in a
// Transform, points and indices in long bracketed lists separated by commas.
// Header-only and without Qt, like mesh_fixtures.h.

#include "mesh_fixtures.h"

#include <charconv>
#include <string>
#include <string_view>

namespace mesh::fixtures {

struct VrmlOptions
{
    bool colours = false; // a Color node, one colour per point
    bool texture = false; // an ImageTexture and texture coordinates
    bool texCoordIndex = false; // texture corners through their own index list
    std::string textureUrl = "Fixture_L[VRML].Jpg";
    std::string_view eol = "\n";
    int digits = 17; // significant digits of each number
};

namespace detail {
inline void putNumber(std::string &out, double v, int digits)
{
    char buffer[40];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::general, digits);
    out.append(buffer, result.ptr);
}
inline void putIndex(std::string &out, long v)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, v);
    out.append(buffer, result.ptr);
}
// Texture coordinates a scanner could give the mesh: its position seen from
// above, squeezed into the picture.
inline Vec2 fixtureTexCoord(const Vec3 &p)
{
    return {(p.x + 200) / 400, (p.y + 100) / 200};
}
} // namespace detail

// The mesh's vertices, triangles and (when asked) colours and texture
// coordinates as a VRML97 file. The triangles are written in the mesh's
// order and winding, so reading the file gives the same surface back.
inline std::string vrmlText(const Mesh &m, const VrmlOptions &o = {})
{
    using detail::putIndex;
    using detail::putNumber;
    const std::string_view eol = o.eol;
    std::string out;
    out.reserve(40 * o.digits * m.positions.size() / 10 + 30 * m.triangles.size() + 512);
    out.append("#VRML V2.0 utf8").append(eol).append("# fixture scan").append(eol);
    out.append("Transform {").append(eol).append("  children [").append(eol);
    out.append("    Shape {").append(eol).append("      appearance Appearance {").append(eol);
    out.append("        material Material { diffuseColor 0.8 0.8 0.8 }").append(eol);
    if (o.texture)
        out.append("        texture ImageTexture {")
            .append(eol)
            .append("          url \"")
            .append(o.textureUrl)
            .append("\"")
            .append(eol)
            .append("        }")
            .append(eol);
    out.append("      }").append(eol);
    out.append("      geometry IndexedFaceSet {").append(eol);
    out.append("        creaseAngle 0.5").append(eol);
    out.append("        coord Coordinate { point [").append(eol);
    for (const Vec3 &p : m.positions) {
        out.append("          ");
        putNumber(out, p.x, o.digits);
        out.push_back(' ');
        putNumber(out, p.y, o.digits);
        out.push_back(' ');
        putNumber(out, p.z, o.digits);
        out.append(",").append(eol);
    }
    out.append("        ] }").append(eol);
    auto indexList = [&](const char *field) {
        out.append("        ").append(field).append(" [").append(eol);
        for (const Triangle &t : m.triangles) {
            out.append("          ");
            for (std::uint32_t corner : t) {
                putIndex(out, corner);
                out.append(", ");
            }
            out.append("-1,").append(eol);
        }
        out.append("        ]").append(eol);
    };
    indexList("coordIndex");
    if (o.colours && m.hasColours()) {
        out.append("        color Color { color [").append(eol);
        for (const Rgba &c : m.colours) {
            out.append("          ");
            putNumber(out, c.r / 255.0, 6);
            out.push_back(' ');
            putNumber(out, c.g / 255.0, 6);
            out.push_back(' ');
            putNumber(out, c.b / 255.0, 6);
            out.append(",").append(eol);
        }
        out.append("        ] }").append(eol).append("        colorPerVertex TRUE").append(eol);
    }
    if (o.texture) {
        out.append("        texCoord TextureCoordinate { point [").append(eol);
        for (const Vec3 &p : m.positions) {
            const Vec2 uv = detail::fixtureTexCoord(p);
            out.append("          ");
            putNumber(out, uv.u, o.digits);
            out.push_back(' ');
            putNumber(out, uv.v, o.digits);
            out.append(",").append(eol);
        }
        out.append("        ] }").append(eol);
        if (o.texCoordIndex)
            indexList("texCoordIndex");
    }
    out.append("      }").append(eol).append("    }").append(eol);
    out.append("  ]").append(eol).append("}").append(eol);
    return out;
}

} // namespace mesh::fixtures
