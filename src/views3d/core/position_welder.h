#pragma once
// Joins corners that stand at exactly the same point into one vertex, so an
// STL's triangle soup becomes a connected mesh (smoothing, picking and cuts
// need to know which triangles meet). Exactly means the same 32-bit floats,
// with -0 and +0 taken as one point; nothing is snapped or moved.

#include "mesh_model.h"

#include <cstdint>
#include <vector>

namespace mesh {

class PositionWelder {
public:
    // expectedVertices sizes the table up front; it grows when exceeded.
    explicit PositionWelder(std::vector<Vec3>& positions, std::size_t expectedVertices);

    // The vertex index of the point, added to positions when new. The caller
    // has checked the point is finite.
    std::uint32_t add(const float xyz[3]);

private:
    struct Slot {
        std::uint32_t x, y, z;
        std::uint32_t indexPlusOne;   // 0: empty
    };
    void grow();

    std::vector<Vec3>& m_positions;
    std::vector<Slot> m_slots;
    std::size_t m_mask = 0;
    int m_shift = 0;
};

// True when none of the three floats is NaN or infinite.
bool finitePoint(const float xyz[3]);

} // namespace mesh
