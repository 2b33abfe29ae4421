#pragma once
// What the rest of the program uses of the foot views.
//
// The windows: "Form1" ("Left Foot") and "Form2" ("Right Foot"), created on
// first use through the WindowRegistry (creating one runs its load). The
// procedures a caller may use on a view are the public ones of FootView
// (footview.h): Load_Model_File, Import_Stl, Save_Model (returns the bytes
// written), Smooth, Change_Brightness, Make_Undo, Write_Initial_Snapshot,
// Clear_Undo, ViewBottom (the sole, brightened and zoomed, ready for a
// capture), Scale_Screen, Grid_On, Capture, Show_Normal, Set_Caption,
// Write_Status.
//
// Loading a scan the way the main window does (names derived, kind by
// extension, picture found, caption and status set, the initial undo
// snapshot written): Load_Left_Foot / Load_Right_Foot below. Callers set
// Job().CurrentFolder and Job().LeftScanFileName (or Right...) first.

#include "footside.h"
#include "footview.h"

// Registers "Form1" and "Form2", their grid windows "GridForm1" and
// "GridForm2" and the "DistForm" window with the WindowRegistry. The main
// window calls it once at start-up; the accessors below also make sure of it.
void Register_Foot_Views();

// The view, created (and so loaded, not shown) when it is not loaded yet.
FootView &Left_View();
FootView &Right_View();
FootView &Foot_View(FootSide side);

// The view only when it is loaded; never creates it.
FootView *Loaded_Foot_View(FootSide side);

// Loads the scan named by Job().CurrentFolder and Job().LeftScanFileName
// (RightScanFileName) into the view, shows the view and writes
// "UndoL.Lcf" ("UndoR.Lcf"). Sets LeftScanFile, LeftLcfFile,
// LeftGraphicFile, CurrentFoot and BrennickFlag (true when the
// "<base>[VRML].Jpg" photo was found, in any case).
// Returns true when a model was loaded. A file name of "None" loads nothing
// and returns false without a message; a failure shows the warning
// Load_Failure_Text() and returns false, the view keeping what it showed.
bool Load_Left_Foot();
bool Load_Right_Foot();
bool Load_Foot(FootSide side);

// The warning of a failed load: "Error: " and the reader's reason. A view
// without a 3D display puts the clinic's familiar "Error: The Brennick
// Runtime was Not Found." (and "Has it Been Loaded?") before the reason.
QString Load_Failure_Text(const QString &reason, bool displayAvailable);
