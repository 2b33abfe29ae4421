#include "measure.h"

#include "fixed_text.h"
#include "plangeometry.h"
#include "vec_math.h"

#include <cmath>

namespace mesh {

double distance3D(const Vec3 &first, const Vec3 &second)
{
    return geometry::distance3D(first.x, first.y, first.z, second.x, second.y, second.z);
}

Measurement measureBetween(const Vec3 &first, const Vec3 &second)
{
    Measurement m;
    m.point1 = first;
    m.point2 = second;
    m.distance3D = distance3D(first, second);
    m.distanceX = std::abs(second.x - first.x);
    m.distanceY = std::abs(second.y - first.y);
    m.distanceZ = std::abs(second.z - first.z);
    m.distanceXY = distance3D({first.x, first.y, 0}, {second.x, second.y, 0});
    m.angleXY = geometry::planAngleDegrees(first.x, first.y, second.x, second.y);
    return m;
}

DistancesTexts distancesTexts(const Measurement &m)
{
    return {
        fixedText(m.distance3D, 1), fixedText(m.distanceXY, 1), m.angleXY ? fixedText(*m.angleXY, 2) : std::string(),
        fixedText(m.distanceX, 1),  fixedText(m.distanceY, 1),  fixedText(m.distanceZ, 1)};
}

std::string distanceStatusText(const Measurement &m)
{
    return "Distance: " + fixedText(m.distance3D, 2);
}

long long twipsToPixels(double twips, double twipsPerPixel)
{
    if (twips == 0 || !(twipsPerPixel > 0))
        return 0;
    return roundHalfEven(twips / twipsPerPixel);
}

std::string MeasureSession::start()
{
    m_pickFirst = true;
    m_pickSecond = false;
    return kPickFirstText;
}

MeasureSession::ClickResult MeasureSession::click(const std::optional<Vec3> &picked)
{
    using Kind = ClickResult::Kind;
    if (m_pickFirst) {
        // A miss keeps the stage and the points: the user clicks again.
        if (!picked)
            return {Kind::Missed, kMissedFirstText};
        m_point1 = *picked;
        m_pickFirst = false;
        m_pickSecond = true;
        return {Kind::FirstPicked, kPickSecondText};
    }
    if (m_pickSecond) {
        if (!picked)
            return {Kind::Missed, kMissedSecondText};
        m_point2 = *picked;
        m_results = measureBetween(m_point1, m_point2);
        m_pickSecond = false;
        return {Kind::Measured, distanceStatusText(m_results)};
    }
    return {};
}

MeasureSession::Stage MeasureSession::stage() const
{
    if (m_pickFirst)
        return Stage::WaitingForFirst;
    return m_pickSecond ? Stage::WaitingForSecond : Stage::Idle;
}

} // namespace mesh
