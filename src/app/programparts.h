#pragma once

// Joins the parts of the program at start-up: teaches the window registry
// every part's windows and connects the hooks through which one part calls
// another (the soft window's "View PDF" shows the job output's viewer, its
// STL scan choice imports into the foot view).
// Called once, before the main window loads.
void Join_Program_Parts();
