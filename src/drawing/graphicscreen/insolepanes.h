#pragma once

#include "drawinghost.h"

#include <functional>

namespace cad {
class DrawingView;
}

// An insole pane of a prescription window's "Graphics" tab as the tool
// palettes, the block picker and Calculate Scale see it: a drawing host with
// its view. The panes themselves live with the prescription windows' drawing
// part; these windows only reach them through here.
class InsolePaneTarget : public DrawingHost
{
public:
    using DrawingHost::DrawingHost;

    virtual cad::DrawingView &view() = 0;

    // "Save" of the "Files" palette: the pane's drawing burnt into the image
    // it was drawn on, by the palette's rules (always saved, the whole photo
    // exported, the foot whose photo was written reloaded, none for the job
    // sketch). A failure is raised and nothing is reloaded.
    virtual void burnFromPalette() = 0;
};

// The pane the palettes act on: the soft window's when EvaScriptFlag is set,
// the rigid window's otherwise, whichever window opened the palette. Null
// when that window is not loaded: no window is created only to borrow its
// drawing.
InsolePaneTarget *Active_Insole_Pane();

// Installed by the panes when the program's parts are joined: the pane of
// the soft (true) or rigid (false) window while that window is loaded, else
// null. Active_Insole_Pane raises Missing_Hook without it.
void Set_Insole_Pane_Finder(std::function<InsolePaneTarget *(bool soft)> finder);
bool Insole_Pane_Finder_Installed();

// `The "EVA Orthotic Script File" window is not open.` (or the rigid
// window's caption, as EvaScriptFlag names it; title "Info"): what the
// palettes and pickers say instead of creating the window.
void Say_Insole_Pane_Not_Open();
