#pragma once

// Puts the insole drawing panes into both prescription windows' "Graphics"
// tabs through their pane hooks, gives the Graphic Screen its burn, and
// lets the drawing tools find the pane of a loaded window.
void Install_Insole_Panes();
