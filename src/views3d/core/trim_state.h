#pragma once
// The trim panel's arithmetic: where the trimming plane stands, how the
// "Up", "Down", "N", "S", "E" and "W" buttons move and tilt it, and the step
// buttons. The steps are shared by the left and right views' panels, so one
// TrimSteps is held for the whole program and handed to both.

#include "mesh_model.h"
#include "plane_cut.h"

#include <string>

namespace mesh {

struct TrimSteps
{
    double move = 5; // distance of one "Up" or "Down"
    double tilt = 5; // degrees of one "N", "S", "E" or "W"

    // The step buttons "20", "10", "5" and "1"; any other value is ignored.
    void choose(int button);
};

class TrimPlaneState
{
public:
    static constexpr double kStartHeight = 10;
    static constexpr double kMaxTilt = 60;

    // Opening the panel: level plane at height 10, no tilts, and both shared
    // steps back to 5 (the other view's panel included).
    void init(TrimSteps &shared);

    void up(const TrimSteps &steps);
    void down(const TrimSteps &steps);
    // North and south tilt about the x axis, east and west about the y axis,
    // each clamped to -60..60 after the step is added.
    void north(const TrimSteps &steps);
    void south(const TrimSteps &steps);
    void east(const TrimSteps &steps);
    void west(const TrimSteps &steps);

    Vec3 point() const { return m_point; }
    Vec3 normal() const { return m_normal; } // as last computed, not of length 1
    double tiltEW() const { return m_tiltEW; }
    double tiltNS() const { return m_tiltNS; }

    // The height box: the plane's height formatted "0.0".
    std::string heightText() const;
    // The plane shown in the view.
    Plane displayPlane() const { return {m_point, m_normal}; }
    // The plane the cut uses: "Cut Above" turns it round, so the part above
    // the displayed plane is removed instead of the part below.
    Plane cuttingPlane(bool cutAbove) const;

private:
    void tiltNorthSouth(double tilt);
    void tiltEastWest(double tilt);

    Vec3 m_point{0, 0, kStartHeight};
    Vec3 m_normal{0, 0, 1};
    double m_tiltEW = 0;
    double m_tiltNS = 0;
};

} // namespace mesh
