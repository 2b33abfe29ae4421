#pragma once
// The foot view's orthographic camera. The eye frame ("EyeFrame") gives the
// direction of view: its x axis points right on the screen, its y axis up,
// and its z axis towards the viewer; its reset orientation is the "Top"
// view. The frame's position is an offset from the view's centre, which
// "Reset" (fit) and zooming set, so the presets, which reset the frame and
// place it at (0, 0, 0), turn the view about what the user was looking at.
//
// Pixels count from the top-left corner of the view, x to the right and y
// downwards, as the window's mouse events give them.

#include "frame.h"
#include "mesh_model.h"

#include <array>

namespace mesh {

enum class ViewPreset { Top, Bottom, Left, Right, Front, Back, Sole };

// A line through the scene. An orthographic viewer sees all of it, so a
// pick takes hits anywhere on it, the nearest being the smallest t.
struct Ray
{
    Vec3 origin;
    Vec3 direction; // length 1, into the screen
    Vec3 at(double t) const
    {
        return {origin.x + direction.x * t, origin.y + direction.y * t, origin.z + direction.z * t};
    }
};

struct AxisRange
{
    double low = 0, high = 0;
    double centre() const { return (low + high) / 2; }
};

struct PixelPoint
{
    double x = 0, y = 0;
};

class Camera
{
public:
    static constexpr double kScreenZoom = 1.5; // `Scale_Screen1`, `ViewBottom`

    Frame &eyeFrame() { return m_eye; }
    const Frame &eyeFrame() const { return m_eye; }

    void setViewport(int widthPixels, int heightPixels);
    int viewportWidth() const { return m_width; }
    int viewportHeight() const { return m_height; }

    // The menu presets: reset the eye frame, place it at (0, 0, 0), then the
    // preset's turns. The zoom stays.
    void applyPreset(ViewPreset preset);

    // "Reset": the whole of the bounds in sight as the view now looks at
    // them, centred, with a margin; the direction of view stays. Empty bounds
    // give a 100-unit view of the origin.
    void fit(const Bounds &bounds);

    // Magnifies by `factor` (above 1 brings the scene closer); the point
    // keeps its place on the screen. A factor that is not positive and
    // finite is ignored.
    void zoom(double factor, const Vec3 &about);
    // The view's window zoom: the pixel rectangle fills the view. An empty
    // rectangle is ignored.
    void zoomToRectangle(PixelPoint corner1, PixelPoint corner2);

    // The scene's extent along a scene axis of the box the view shows.
    AxisRange visibleRange(Axis axis) const;
    Vec3 visibleCentre() const;
    // `Scale_Screen1` / `Scale_Screen2`: zoom by 1.5 about the visible centre.
    void zoomScreen() { zoom(kScreenZoom, visibleCentre()); }

    double viewHeight() const { return m_viewHeight; } // scene units, top to bottom
    double unitsPerPixel() const;
    Vec3 right() const { return m_eye.axis(Axis::X); }
    Vec3 up() const { return m_eye.axis(Axis::Y); }
    Vec3 towardsViewer() const { return m_eye.axis(Axis::Z); }

    Ray rayThroughPixel(double x, double y) const;
    PixelPoint toPixel(const Vec3 &scenePoint) const;

    // Scene to clip space for the renderer (column-major, OpenGL's depth
    // from -1 near to 1 far), deep enough to hold the given bounds whole.
    std::array<double, 16> viewProjection(const Bounds &scene) const;

private:
    Frame m_eye;
    Vec3 m_centre; // the view's centre, less the eye frame's offset
    double m_viewHeight = 100;
    double m_depth = 100;
    int m_width = 1, m_height = 1;
};

} // namespace mesh
