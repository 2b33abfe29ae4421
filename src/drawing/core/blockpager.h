#pragma once

#include <QString>

struct DrawingState;

// The pages of the "Standard Blocks" picker: 15 slots, slot s showing
// library entry PageFirst + s. The paging is kept exactly as clinics know
// it: "Next >" advances while the page's last slot is below the count (so a
// library of exactly 15 entries pages on to an empty page) and stops once
// the first slot has passed the count; "< Previous" never goes before the
// first page.
class BlockPager
{
public:
    static constexpr int kSlots = 15;

    int PageFirst = 0;
    int PageLast = kSlots - 1;
    int PageStep = kSlots;

    // "Next >": whether the slots are to be loaded again (always, unless the
    // page already lies past the library).
    bool next(int blockCount);
    // "< Previous": whether the slots are to be loaded again (not when the
    // first page was already shown).
    bool previous();

    // The library entry in the slot, or -1 for a slot without one.
    int entryAt(int slot, int blockCount) const;
};

// What a slot shows for a library entry (or for none).
struct BlockSlot
{
    QString label; // empty for no entry
    // "Icons/Blank.Gif" for a slot without an entry, the entry's icon when
    // it exists, else "Icons/NoImage.Gif"; empty when that picture itself
    // is missing.
    QString picture;
};
BlockSlot Block_Slot(const DrawingState &state, int entry);
