#include "measure_tool.h"

#include "fixed_text.h"
#include "measure.h"
#include "vec_math.h"

#include <cmath>

namespace view {

void MeasureTool::start(MeasureDisplay display)
{
    m_mode = Mode::Distance;
    m_display = display;
    m_points.clear();
    m_hover.reset();
    m_missed = false;
}

void MeasureTool::angleMode()
{
    if (m_mode == Mode::Off)
        return;
    m_mode = Mode::Angle;
    m_points.clear();
    m_hover.reset();
    m_missed = false;
}

void MeasureTool::stop()
{
    *this = MeasureTool{};
}

bool MeasureTool::followsPointer() const
{
    return m_mode == Mode::Distance && m_display == MeasureDisplay::Dynamic && m_points.size() == 1;
}

bool MeasureTool::click(const std::optional<mesh::Vec3> &picked)
{
    if (m_mode == Mode::Off)
        return false;
    m_missed = !picked;
    if (!picked)
        return true;
    if (m_points.size() == 2)
        m_points.clear();
    m_points.push_back(*picked);
    m_hover.reset();
    return true;
}

void MeasureTool::hover(const std::optional<mesh::Vec3> &picked)
{
    if (followsPointer())
        m_hover = picked;
}

MeasureTool::Overlay MeasureTool::overlay() const
{
    Overlay out;
    if (m_mode == Mode::Off)
        return out;
    out.points = m_points;
    if (m_missed)
        out.hint = kMissText;
    if (m_points.size() == 1 && followsPointer() && m_hover) {
        out.points.push_back(*m_hover);
        out.line = true;
        out.label = lengthLabel(m_points[0], *m_hover);
    } else if (m_points.size() == 2) {
        out.line = true;
        out.label =
            m_mode == Mode::Angle ? slopeLabel(m_points[0], m_points[1]) : lengthLabel(m_points[0], m_points[1]);
    }
    return out;
}

std::string MeasureTool::lengthLabel(const mesh::Vec3 &a, const mesh::Vec3 &b)
{
    return mesh::fixedText(mesh::distance3D(a, b), 1) + " mm";
}

std::string MeasureTool::slopeLabel(const mesh::Vec3 &a, const mesh::Vec3 &b)
{
    const double plan = std::hypot(b.x - a.x, b.y - a.y);
    const double rise = std::abs(b.z - a.z);
    const double degrees = plan == 0 && rise == 0 ? 0 : std::atan2(rise, plan) * mesh::kDegreesPerRadian;
    return mesh::fixedText(degrees, 2) + " deg";
}

} // namespace view
