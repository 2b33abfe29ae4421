#pragma once

#include <QStringList>

// Joins the parts of the program at start-up: teaches the window registry
// every part's windows and connects the hooks through which one part calls
// another (the soft window's "View PDF" shows the job output's viewer, its
// STL scan choice imports into the foot view).
// Called once, before the main window loads.
void Join_Program_Parts();

// The windows the program opens by name, each registered by its part.
const QStringList &Program_Windows();

// What Join_Program_Parts() must install and has not: every hook one part
// calls in another and every window of Program_Windows(), each by name.
// Empty once the parts are joined.
QStringList Missing_Program_Parts();
