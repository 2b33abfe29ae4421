#include "blockpager.h"

#include "blocklibrary.h"
#include "drawingstate.h"

#include <QFileInfo>

bool BlockPager::next(int blockCount)
{
    if (PageFirst > blockCount)
        return false;
    if (PageLast < blockCount) {
        PageFirst += PageStep;
        PageLast += PageStep;
    }
    return true;
}

bool BlockPager::previous()
{
    PageFirst -= PageStep;
    PageLast -= PageStep;
    if (PageFirst < 0) {
        PageFirst = 0;
        PageLast = kSlots - 1;
        return false;
    }
    return true;
}

int BlockPager::entryAt(int slot, int blockCount) const
{
    if (slot < 0 || slot >= kSlots)
        return -1;
    const int entry = PageFirst + slot;
    return entry >= 0 && entry < blockCount ? entry : -1;
}

namespace {

QString existingIcon(const QString &name)
{
    const QString path = Icon_File_Path(name);
    return !path.isEmpty() && QFileInfo(path).isFile() ? path : QString();
}

} // namespace

BlockSlot Block_Slot(const DrawingState &state, int entry)
{
    BlockSlot slot;
    if (entry < 0 || entry >= state.BlockCount) {
        slot.picture = existingIcon(QStringLiteral("Blank.Gif"));
        return slot;
    }
    slot.label = state.BlockLabels.value(entry);
    slot.picture = existingIcon(state.BlockIcons.value(entry));
    if (slot.picture.isEmpty())
        slot.picture = existingIcon(QStringLiteral("NoImage.Gif"));
    return slot;
}
