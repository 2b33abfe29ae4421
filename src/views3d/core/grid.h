#pragma once
// The positionable grid ("3DGrid") of a foot view and the arithmetic of its
// "Change Grid" window. The grid lies in its frame's local XY plane; the
// plane items lay it in the scene's XZ ("Grid End"), YZ ("Grid Side") or XY
// ("Grid Plan") plane, and the window moves it and turns it within that plane.

#include "frame.h"
#include "mesh_model.h"

#include <utility>
#include <vector>

namespace mesh {

// The plane the grid was last placed in; one value for the whole program,
// set to End whenever a foot view window loads.
enum class GridPlane : char { End = 'E', Side = 'S', Plan = 'P' };

class SceneGrid
{
public:
    static constexpr double kSpacing = 10; // millimetres between lines
    static constexpr int kLinesEachSide = 20; // so the grid spans 400 mm

    bool visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }

    const Frame &frame() const { return m_frame; }
    Frame &frame() { return m_frame; }

    // A plane item: reset the frame (discarding moves and turns), then turn
    // about the frame's own axes: End 90 about X; Side 90 about X, then 90
    // about the turned Y; Plan not at all.
    void placeInPlane(GridPlane plane);

    Vec3 normal() const { return m_frame.axis(Axis::Z); }

    // The grid's lines as scene segments, for drawing.
    std::vector<std::pair<Vec3, Vec3>> lines() const;

private:
    Frame m_frame;
    bool m_visible = false;
};

// The scene axis the window's turn buttons use for a plane: the normal of
// that plane, so the grid turns within it.
Vec3 gridTurnAxis(GridPlane plane);

enum class GridButton { MoveLeft, MoveRight, MoveUp, MoveDown, MoveIn, MoveOut, TurnLeft, TurnRight };

// One "Change Grid" window's step; it starts at 20 each time the window loads.
class GridWindowState
{
public:
    static constexpr double kStartStep = 20;

    double step() const { return m_step; }
    // The step buttons "20", "10", "5" and "1"; any other value is ignored.
    void chooseStep(int button);
    // Moves (by the step, in scene units, adding up) or turns (by the step in
    // degrees about gridTurnAxis(plane) through the origin) the grid.
    void press(GridButton button, SceneGrid &grid, GridPlane plane) const;

private:
    double m_step = kStartStep;
};

} // namespace mesh
