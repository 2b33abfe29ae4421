#pragma once
// The model a foot view holds: a list of objects counted from 0, each a
// triangle mesh. Plain C++ with no toolkit types, so readers, edits, the
// model file and the renderer can all share it and be tested without a window.
//
// Conventions every producer and consumer keeps:
//  - positions are doubles in the scan's own units (usually millimetres);
//  - triangles index into positions and wind counter-clockwise seen from
//    outside; every index is below positions.size();
//  - colours and texCoords are either empty or exactly positions.size() long
//    (one entry per vertex);
//  - no number (position, texture coordinate, crease angle) is NaN or
//    infinite (readers refuse such files).
// Mesh::check() tells whether a mesh keeps these rules; readers only ever
// hand out meshes that pass it.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace mesh {

struct Vec3
{
    double x = 0, y = 0, z = 0;
    friend bool operator==(const Vec3 &, const Vec3 &) = default;
};

struct Vec2
{
    double u = 0, v = 0;
    friend bool operator==(const Vec2 &, const Vec2 &) = default;
};

struct Rgba
{
    std::uint8_t r = 0, g = 0, b = 0, a = 255;
    friend bool operator==(const Rgba &, const Rgba &) = default;
};

using Triangle = std::array<std::uint32_t, 3>;

// Axis-aligned box; empty until the first point is included.
struct Bounds
{
    Vec3 min, max;
    bool empty = true;

    void include(const Vec3 &p);
    void include(const Bounds &other);
    Vec3 centre() const;
    Vec3 size() const; // (0, 0, 0) when empty
    friend bool operator==(const Bounds &, const Bounds &) = default;
};

struct Mesh
{
    std::string name;
    std::vector<Vec3> positions;
    std::vector<Triangle> triangles;
    std::vector<Rgba> colours; // per vertex, or empty: no vertex colours
    std::vector<Vec2> texCoords; // per vertex, or empty: no texture mapping
    std::string texturePath; // picture the texture coordinates refer to
    double creaseAngle = 0; // degrees; edges sharper than this stay hard

    bool hasColours() const { return !colours.empty(); }
    bool hasTexCoords() const { return !texCoords.empty(); }
    Bounds bounds() const;
    // Empty text when the mesh keeps the conventions above, else what breaks them.
    std::string check() const;
    friend bool operator==(const Mesh &, const Mesh &) = default;
};

struct Model
{
    std::vector<Mesh> objects; // position 0 is "item 0", the foot

    bool empty() const { return objects.empty(); }
    Bounds bounds() const; // of every object together
    friend bool operator==(const Model &, const Model &) = default;
};

// A file that cannot be read, or whose content is not a valid model of its
// kind. what() is a sentence for the user, naming the file where one is known.
class MeshError : public std::runtime_error
{
public:
    enum class Kind { FileAccess = 1, Format = 2 };
    MeshError(Kind kind, const std::string &message)
        : std::runtime_error(message),
          m_kind(kind)
    {}
    Kind kind() const { return m_kind; }
    int number() const { return static_cast<int>(m_kind); }

private:
    Kind m_kind;
};

} // namespace mesh
