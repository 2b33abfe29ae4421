#pragma once

#include <QString>

// The help and product-information windows, all opened without blocking:
//   "Browser"   the help browser, showing Job().BrowserPage;
//   "AboutForm" "About VELTRANE";
//   "Help1"     "Keyboard Help", using the 3D views with mouse and keys;
//   "FootSize"  "Foot Sizes", the template size table.
// Each is one window, created on first use; closing it unloads it, and the
// next request loads it afresh. A request for an open window brings it to
// the front as it is (an open browser keeps its page).

// Registers the four windows with the WindowRegistry under the names above.
// The main window calls it once at start-up.
void Register_Help_Windows();

// The Help menus' "Help": BrowserPage := the help page "Help1.Htm" of the
// working folder, then the browser is opened.
void Show_Help_Browser();

// Opens the browser on the current Job().BrowserPage (the rigid grid's row
// help sets it first). Web addresses go to the desktop's browser.
void Show_Browser();

void Show_About();
void Show_Keyboard_Help();
void Show_Foot_Sizes();

// The help page's path, "Help1.Htm" in the working folder.
QString Help_Page_Path();
