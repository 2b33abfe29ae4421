#pragma once

class DrawingHost;

// The two tools that tie a drawing to the client's foot size.

// Load Template: the unit insole outline of CurrentFoot ("Left" or "Right",
// case counted), scaled to the template length that the size chart gives
// for the foot's size (its leading number), inserted at the origin on the
// layer "Insole", which stays current; then redraw and "Zoom Extents" (102).
// The files are crossed, as they always were: the left foot takes
// "Right_Unit.Vec" from "Blocks", the right foot "Left_Unit.Vec". Without a
// side it says "No Template Size Data was Found" in the host's message line
// and returns false. A missing outline file inserts nothing and raises
// SolvaneError naming it.
bool Load_Template(DrawingHost &host);

// Foot Info: the current foot's template length, foot length (both "0.0")
// and size in a message box with only OK and the program's title; nothing
// without a side.
void Foot_Info();
