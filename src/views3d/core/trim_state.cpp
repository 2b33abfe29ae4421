#include "trim_state.h"

#include "fixed_text.h"
#include "vec_math.h"

#include <algorithm>
#include <cmath>

namespace mesh {

void TrimSteps::choose(int button)
{
    switch (button) {
    case 20:
        move = 20;
        tilt = 10;
        break;
    case 10:
        move = 10;
        tilt = 5;
        break;
    case 5:
        move = 5;
        tilt = 2.5;
        break;
    case 1:
        move = 1;
        tilt = 0.5;
        break;
    default: break;
    }
}

void TrimPlaneState::init(TrimSteps &shared)
{
    *this = TrimPlaneState{};
    shared = TrimSteps{};
}

void TrimPlaneState::up(const TrimSteps &steps)
{
    m_point.z += steps.move;
}
void TrimPlaneState::down(const TrimSteps &steps)
{
    m_point.z -= steps.move;
}

void TrimPlaneState::north(const TrimSteps &steps)
{
    tiltNorthSouth(m_tiltNS + steps.tilt);
}
void TrimPlaneState::south(const TrimSteps &steps)
{
    tiltNorthSouth(m_tiltNS - steps.tilt);
}
void TrimPlaneState::east(const TrimSteps &steps)
{
    tiltEastWest(m_tiltEW + steps.tilt);
}
void TrimPlaneState::west(const TrimSteps &steps)
{
    tiltEastWest(m_tiltEW - steps.tilt);
}

// A tilt sets two of the normal's components and leaves the third, as the
// panel always has: after "E" and "N" the normal is (sin ew, sin ns, cos ns).
void TrimPlaneState::tiltNorthSouth(double tilt)
{
    m_tiltNS = std::clamp(tilt, -kMaxTilt, kMaxTilt);
    const double a = radians(m_tiltNS);
    m_normal.y = std::sin(a);
    m_normal.z = std::cos(a);
}

void TrimPlaneState::tiltEastWest(double tilt)
{
    m_tiltEW = std::clamp(tilt, -kMaxTilt, kMaxTilt);
    const double a = radians(m_tiltEW);
    m_normal.x = std::sin(a);
    m_normal.z = std::cos(a);
}

std::string TrimPlaneState::heightText() const
{
    return fixedText(m_point.z, 1);
}

Plane TrimPlaneState::cuttingPlane(bool cutAbove) const
{
    return {m_point, cutAbove ? -m_normal : m_normal};
}

} // namespace mesh
