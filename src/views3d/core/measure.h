#pragma once
// Two-point measurement ("3D Distance"): the results between two picked
// points, the texts of the "Distances" window, and the measuring state that
// both foot views share (one MeasureSession for the whole program).

#include "mesh_model.h"

#include <optional>
#include <string>

namespace mesh {

// sqrt(dx^2 + dy^2 + dz^2), each difference second minus first (the
// program's one distance routine, geometry::distance3D).
double distance3D(const Vec3 &first, const Vec3 &second);

struct Measurement
{
    Vec3 point1, point2;
    double distance3D = 0;
    double distanceX = 0; // |x2 - x1|
    double distanceY = 0;
    double distanceZ = 0;
    double distanceXY = 0; // in plan, z ignored
    std::optional<double> angleXY = 0.0;
};

Measurement measureBetween(const Vec3 &first, const Vec3 &second);

// The boxes of the "Distances" window, by control name: lengths "0.0",
// the angle "0.00", an angle that has no value an empty box.
struct DistancesTexts
{
    std::string text1; // "3D"
    std::string text2; // "2D"
    std::string text6; // angle "2D"
    std::string text3; // "X"
    std::string text4; // "Y"
    std::string text5; // "Z"
};
DistancesTexts distancesTexts(const Measurement &m);

// The status once the "Distances" window is closed: "Distance: 13.00".
std::string distanceStatusText(const Measurement &m);

// A click position in twips to whole pixels, halves to the even pixel;
// 0 stays 0.
long long twipsToPixels(double twips, double twipsPerPixel);

class MeasureSession
{
public:
    static inline constexpr const char *kPickFirstText = "Pick the First Point";
    static inline constexpr const char *kPickSecondText = "Pick the Second Point";
    static inline constexpr const char *kMissedFirstText = "No Point of the Scan There: Pick the First Point";
    static inline constexpr const char *kMissedSecondText = "No Point of the Scan There: Pick the Second Point";

    enum class Stage { Idle, WaitingForFirst, WaitingForSecond };

    struct ClickResult
    {
        enum class Kind {
            Ignored, // no measurement under way: nothing changes, no status
            FirstPicked, // status: pick the second point
            Measured, // show "Distances", then the status (the distance)
            Missed, // the pick met no surface: still waiting for the same point
        };
        Kind kind = Kind::Ignored;
        std::string status;
    };

    // "3D Distance" in either view, in any stage: start over. Returns the status.
    std::string start();

    // A click in either view, with what the pick under it met.
    ClickResult click(const std::optional<Vec3> &picked);

    Stage stage() const;
    bool pickFirstFlag() const { return m_pickFirst; }
    bool pickSecondFlag() const { return m_pickSecond; }
    Vec3 pickPoint1() const { return m_point1; }
    Vec3 pickPoint2() const { return m_point2; }
    // The last measurement; all zero until the first one ends.
    const Measurement &results() const { return m_results; }

private:
    bool m_pickFirst = false;
    bool m_pickSecond = false;
    Vec3 m_point1, m_point2;
    Measurement m_results;
};

} // namespace mesh
