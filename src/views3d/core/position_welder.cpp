#include "position_welder.h"

#include <bit>
#include <cstring>

namespace mesh {

namespace {

std::uint32_t keyBits(float f)
{
    std::uint32_t bits;
    std::memcpy(&bits, &f, sizeof bits);
    return bits == 0x80000000u ? 0u : bits;   // -0 welds with +0
}

std::uint64_t hashKey(std::uint32_t x, std::uint32_t y, std::uint32_t z)
{
    std::uint64_t h = (std::uint64_t(x) | (std::uint64_t(y) << 32)) * 0x9E3779B97F4A7C15ull;
    h ^= std::uint64_t(z) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 29;
    h *= 0xBF58476D1CE4E5B9ull;
    return h;
}

} // namespace

bool finitePoint(const float xyz[3])
{
    for (int i = 0; i < 3; ++i) {
        std::uint32_t bits;
        std::memcpy(&bits, &xyz[i], sizeof bits);
        if ((bits & 0x7F800000u) == 0x7F800000u)
            return false;
    }
    return true;
}

PositionWelder::PositionWelder(std::vector<Vec3>& positions, std::size_t expectedVertices)
    : m_positions(positions)
{
    std::size_t capacity = std::bit_ceil(std::max<std::size_t>(expectedVertices * 2, 64));
    m_slots.assign(capacity, Slot{0, 0, 0, 0});
    m_mask = capacity - 1;
    m_shift = 64 - std::countr_zero(capacity);
    m_positions.reserve(expectedVertices);
}

std::uint32_t PositionWelder::add(const float xyz[3])
{
    const std::uint32_t x = keyBits(xyz[0]), y = keyBits(xyz[1]), z = keyBits(xyz[2]);
    std::size_t i = static_cast<std::size_t>(hashKey(x, y, z) >> m_shift);
    for (;;) {
        Slot& slot = m_slots[i];
        if (slot.indexPlusOne == 0)
            break;
        if (slot.x == x && slot.y == y && slot.z == z)
            return slot.indexPlusOne - 1;
        i = (i + 1) & m_mask;
    }
    const auto index = static_cast<std::uint32_t>(m_positions.size());
    m_positions.push_back({xyz[0], xyz[1], xyz[2]});
    m_slots[i] = Slot{x, y, z, index + 1};
    if (m_positions.size() * 2 > m_slots.size())
        grow();
    return index;
}

void PositionWelder::grow()
{
    std::vector<Slot> old = std::move(m_slots);
    const std::size_t capacity = old.size() * 2;
    m_slots.assign(capacity, Slot{0, 0, 0, 0});
    m_mask = capacity - 1;
    m_shift = 64 - std::countr_zero(capacity);
    for (const Slot& s : old) {
        if (s.indexPlusOne == 0)
            continue;
        std::size_t i = static_cast<std::size_t>(hashKey(s.x, s.y, s.z) >> m_shift);
        while (m_slots[i].indexPlusOne != 0)
            i = (i + 1) & m_mask;
        m_slots[i] = s;
    }
}

} // namespace mesh
