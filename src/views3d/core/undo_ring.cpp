#include "undo_ring.h"

#include "lcf_file.h"

#include <cstdio>
#include <system_error>

namespace mesh {

UndoRing::UndoRing(std::filesystem::path workingFolder, std::string stem)
    : m_folder(std::move(workingFolder)),
      m_stem(std::move(stem))
{}

std::filesystem::path UndoRing::slotPath(int slot) const
{
    char number[16];
    std::snprintf(number, sizeof number, "%02d", slot);
    return m_folder / (m_stem + number + ".Lcf");
}

std::filesystem::path UndoRing::initialSnapshotPath() const
{
    return m_folder / (m_stem + ".Lcf");
}

void UndoRing::save(const Model &model)
{
    saveLcfFile(model, slotPath(m_nextSlot));
    m_nextSlot = m_nextSlot % kDepth + 1;
    if (m_validSteps < kDepth)
        ++m_validSteps;
}

std::optional<Model> UndoRing::undo()
{
    if (m_validSteps == 0)
        return std::nullopt;
    const int slot = m_nextSlot == 1 ? kDepth : m_nextSlot - 1;
    Model restored = loadLcfFile(slotPath(slot));
    m_nextSlot = slot;
    --m_validSteps;
    return restored;
}

Model UndoRing::undoAll() const
{
    return loadLcfFile(initialSnapshotPath());
}

void UndoRing::startWithScan(const Model &loaded)
{
    // The old snapshot goes first: should the new one fail to write, "Undo
    // All" must report that rather than bring back the previous scan.
    removeFiles();
    saveLcfFile(loaded, initialSnapshotPath());
}

void UndoRing::clear()
{
    std::error_code ignored;
    for (int slot = 1; slot <= kDepth; ++slot)
        std::filesystem::remove(slotPath(slot), ignored);
    m_nextSlot = 1;
    m_validSteps = 0;
}

void UndoRing::removeFiles()
{
    clear();
    std::error_code ignored;
    std::filesystem::remove(initialSnapshotPath(), ignored);
}

} // namespace mesh
