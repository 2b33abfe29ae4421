#include "grid.h"

#include "vec_math.h"

namespace mesh {

void SceneGrid::placeInPlane(GridPlane plane)
{
    m_frame.reset();
    switch (plane) {
    case GridPlane::End: m_frame.turnAboutOwnAxis(Axis::X, 90); break;
    case GridPlane::Side:
        m_frame.turnAboutOwnAxis(Axis::X, 90);
        m_frame.turnAboutOwnAxis(Axis::Y, 90);
        break;
    case GridPlane::Plan: break;
    }
}

std::vector<std::pair<Vec3, Vec3>> SceneGrid::lines() const
{
    std::vector<std::pair<Vec3, Vec3>> out;
    const double reach = kSpacing * kLinesEachSide;
    for (int i = -kLinesEachSide; i <= kLinesEachSide; ++i) {
        const double at = i * kSpacing;
        out.emplace_back(m_frame.toScene({at, -reach, 0}), m_frame.toScene({at, reach, 0}));
        out.emplace_back(m_frame.toScene({-reach, at, 0}), m_frame.toScene({reach, at, 0}));
    }
    return out;
}

Vec3 gridTurnAxis(GridPlane plane)
{
    switch (plane) {
    case GridPlane::End: return {0, 1, 0};
    case GridPlane::Side: return {1, 0, 0};
    case GridPlane::Plan: break;
    }
    return {0, 0, 1};
}

void GridWindowState::chooseStep(int button)
{
    if (button == 20 || button == 10 || button == 5 || button == 1)
        m_step = button;
}

void GridWindowState::press(GridButton button, SceneGrid &grid, GridPlane plane) const
{
    Frame &f = grid.frame();
    switch (button) {
    case GridButton::MoveLeft: f.moveBy({-m_step, 0, 0}); break;
    case GridButton::MoveRight: f.moveBy({m_step, 0, 0}); break;
    case GridButton::MoveUp: f.moveBy({0, m_step, 0}); break;
    case GridButton::MoveDown: f.moveBy({0, -m_step, 0}); break;
    case GridButton::MoveIn: f.moveBy({0, 0, -m_step}); break;
    case GridButton::MoveOut: f.moveBy({0, 0, m_step}); break;
    case GridButton::TurnLeft: f.turnAbout(m_step, {0, 0, 0}, gridTurnAxis(plane)); break;
    case GridButton::TurnRight: f.turnAbout(-m_step, {0, 0, 0}, gridTurnAxis(plane)); break;
    }
}

} // namespace mesh
