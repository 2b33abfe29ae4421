#pragma once

#include <QString>

// The job-output commands that the prescription windows' buttons run. Each
// is the whole command: it asks its own questions through UI(), shows its
// own messages and reports an unexpected failure as "Error: ..." through
// Run_Command, so a button handler only calls it.
//
// Link the CMake target solvane_job_commands to get all of them.

// "Write JSON File" of the soft window: asks for the file ("Select a JSON
// File", proposing "Test_File" in the data root), shows "Writing Job..." with
// the path in the status line and writes the JSON record of Job(). A
// cancelled dialog writes nothing and leaves the status line alone.
void Write_JSON_File();

// "Print" of the soft window and "Print Options" of the rigid window: asks
// for the file ("Save a PDF File", proposing "OptionTable" in the job
// folder), writes the option-table PDF of the four soft option tables of
// Job() and confirms with "The Table File Has Been Saved...". A cancelled
// dialog writes nothing and shows nothing.
void Print_Option_Table();

// "View PDF" of both confirmation dialogs: sets PdfViewerFile to `path`,
// loads the "PDF Viewer" window afresh and shows it modally; returns when it
// is closed. A file that cannot be opened is reported in the window, which
// still opens.
void Show_Pdf_Viewer(const QString &path);

// Registers the viewer with the window registry under "PdfForm"; the
// application calls it once at start-up (Show_Pdf_Viewer calls it too).
void Register_Pdf_Viewer();
