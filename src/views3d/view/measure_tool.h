#pragma once
// The viewport's own measuring tools ("Dynamic Display", "Static Display",
// "Angle"): two points clicked on the scan and what the view draws over them.
// They keep nothing for the rest of the program; the shared two-point
// measurement ("3D Distance", measure.h) runs beside them on the same clicks.
//
//   Dynamic: after the first point, a line follows the pointer with its
//            length; the second click fixes it.
//   Static:  the line and its length appear once both points are clicked.
//   Angle:   like Static, labelled with the line's slope against the XY
//            plane (0 level, 90 straight up or down).
// A click after a finished pair starts the next pair. A click that misses
// the scan changes nothing and says so.

#include "mesh_model.h"

#include <optional>
#include <string>
#include <vector>

namespace view {

enum class MeasureDisplay { Dynamic, Static };

class MeasureTool
{
public:
    enum class Mode { Off, Distance, Angle };

    static inline constexpr const char *kMissText = "No point of the scan there";

    // The measuring key: starts over in the given display.
    void start(MeasureDisplay display);
    // The angle key: the running tool measures slopes; ignored when off.
    void angleMode();
    void stop();

    Mode mode() const { return m_mode; }
    bool active() const { return m_mode != Mode::Off; }
    MeasureDisplay display() const { return m_display; }
    // Whether the pointer's position matters between clicks.
    bool followsPointer() const;

    // A click with what the pick under it met; false when the tool is off.
    bool click(const std::optional<mesh::Vec3> &picked);
    // The pointer moved over the view (Dynamic only follows it).
    void hover(const std::optional<mesh::Vec3> &picked);

    struct Overlay
    {
        std::vector<mesh::Vec3> points; // markers: none, one or two
        bool line = false; // between the two points
        std::string label; // at the line's middle
        std::string hint; // in a corner of the view
    };
    Overlay overlay() const;

    // "123.4 mm" and "12.34 deg", as the labels show them.
    static std::string lengthLabel(const mesh::Vec3 &a, const mesh::Vec3 &b);
    static std::string slopeLabel(const mesh::Vec3 &a, const mesh::Vec3 &b);

private:
    Mode m_mode = Mode::Off;
    MeasureDisplay m_display = MeasureDisplay::Static;
    std::vector<mesh::Vec3> m_points;
    std::optional<mesh::Vec3> m_hover;
    bool m_missed = false;
};

} // namespace view
