#pragma once
// One foot view's undo files in the working folder: five ring slots
// ("UndoL01.Lcf" .. "UndoL05.Lcf", "UndoR.." for the right view) and the
// initial snapshot written after every scan load ("UndoL.Lcf"). Only file
// names and the slot counter live here; the view writes the models.

#include "footside.h"

#include <QString>

class UndoRing
{
public:
    static constexpr int kDepth = 5;

    explicit UndoRing(FootSide side) : m_side(side) {}

    int slot() const { return m_slot; }
    QString slotPath(int slot) const;
    QString initialSnapshot() const;

    // The path Make_Undo writes now; the next call gets the following slot.
    QString takeSlot();

    // A new model in the view: its ring files are deleted and counting
    // starts again, so "Undo" never brings back another scan.
    void clear();
    // The window closes: the ring and the initial snapshot go.
    void removeAll();

private:
    FootSide m_side;
    int m_slot = 1;
};
