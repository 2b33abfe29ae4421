#pragma once
// The undo ring of one foot view: five slot files ("UndoL01.Lcf" to
// "UndoL05.Lcf" for the left view, "UndoR.." for the right) and the initial
// snapshot ("UndoL.Lcf") written after every scan load, all model files in
// the working folder.
//
// The ring counts how many of its slots hold steps of the model now in the
// view. "Undo" steps back only through those, and says "Nothing Left to
// Undo" once they are used up, instead of cycling round to states that are
// newer than the one shown or that belong to a scan loaded before.

#include "mesh_model.h"

#include <filesystem>
#include <optional>
#include <string>

namespace mesh {

class UndoRing
{
public:
    static constexpr int kDepth = 5;
    static inline constexpr const char *kNothingLeftText = "Nothing Left to Undo";
    static inline constexpr const char *kUndoTitle = "Undo";

    // stem is "UndoL" for the left view and "UndoR" for the right one.
    UndoRing(std::filesystem::path workingFolder, std::string stem);

    std::filesystem::path slotPath(int slot) const; // slot 1..kDepth
    std::filesystem::path initialSnapshotPath() const;

    int depth() const { return kDepth; }
    int nextSlot() const { return m_nextSlot; } // the slot the next save writes
    int validSteps() const { return m_validSteps; } // how many "Undo"s are left

    // Saves the model into the next slot before an edit changes it. Throws
    // MeshError when the file cannot be written; the ring is then as it was,
    // and the caller should not make the edit it could not undo.
    void save(const Model &model);

    // The model of the last step saved, which replaces the view's model; its
    // slot is written again by the next save. nullopt: nothing left to undo,
    // and nothing changes. Throws MeshError when the slot file cannot be read,
    // leaving the ring as it was.
    std::optional<Model> undo();

    // "Undo All": the model as it was loaded. Throws MeshError when there is
    // no initial snapshot. The ring's steps stay.
    Model undoAll() const;

    // A new scan in the view: the steps of the old model are dropped (their
    // files deleted) and the initial snapshot written.
    void startWithScan(const Model &loaded);
    // Any other replacement of the view's model (a model file opened): the
    // steps are dropped, the initial snapshot stays.
    void clear();

    // The view closes: every file of the ring and the snapshot is deleted.
    void removeFiles();

private:
    std::filesystem::path m_folder;
    std::string m_stem;
    int m_nextSlot = 1;
    int m_validSteps = 0;
};

} // namespace mesh
