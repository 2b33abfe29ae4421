#pragma once
// A placed and turned coordinate frame in the scene: the camera's eye frame
// and the grid object's frame. Its local axes, seen in the scene, are the
// columns of `rotation`.

#include "mesh_edits.h" // Axis
#include "mesh_model.h"

#include <array>

namespace mesh {

struct Mat3
{
    std::array<double, 9> m{1, 0, 0, 0, 1, 0, 0, 0, 1}; // row by row

    static Mat3 identity() { return {}; }
    // Right-handed turn about a principal axis; quarter turns are exact.
    static Mat3 rotation(Axis axis, double degrees);
    // Right-handed turn about any axis through the origin.
    static Mat3 rotation(const Vec3 &axis, double degrees);

    double operator()(int row, int column) const { return m[3 * row + column]; }
    Vec3 column(int c) const { return {m[c], m[3 + c], m[6 + c]}; }
    Mat3 transposed() const;
    friend Mat3 operator*(const Mat3 &a, const Mat3 &b);
    friend Vec3 operator*(const Mat3 &a, const Vec3 &v);
    friend bool operator==(const Mat3 &, const Mat3 &) = default;
};

class Frame
{
public:
    const Mat3 &rotation() const { return m_rotation; }
    const Vec3 &position() const { return m_position; }
    Vec3 axis(Axis a) const { return m_rotation.column(static_cast<int>(a)); }

    void reset(); // no turn, at the origin
    void place(const Vec3 &position) { m_position = position; }
    void moveBy(const Vec3 &offset);
    // About the frame's own current axis: a second turn acts on the frame as
    // the first one left it.
    void turnAboutOwnAxis(Axis axis, double degrees);
    // About the scene's fixed axis, through the frame's own position.
    void turnAboutSceneAxis(Axis axis, double degrees);
    // About a scene axis through a scene point; the position turns with it.
    void turnAbout(double degrees, const Vec3 &point, const Vec3 &axis);

    Vec3 toScene(const Vec3 &local) const;

private:
    Mat3 m_rotation;
    Vec3 m_position;
};

} // namespace mesh
