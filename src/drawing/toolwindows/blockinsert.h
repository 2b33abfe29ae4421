#pragma once

#include "drawingtargets.h"

#include <QString>

// The block a picker slot chose, waiting for its point: the pick is armed
// on the target's view only, so a click in another drawing neither ends
// the wait nor inserts there. The next left click in the target view
// inserts the block file there at scale 1.0 (one undo step), redraws and
// runs command 911. Esc in the view, any command started there, closing
// the target window or shut-down cancels the wait. A newer block choice
// replaces a waiting one. PickFlag is cleared when the pick is armed, as
// the picker always did; the view's pick event sets it with PickX and PickY.
void Arm_Block_Insert(const DrawingTarget &target, const QString &blockFile);

// Whether a block is waiting for its point (tests, shut-down).
bool Block_Insert_Waiting();
