#pragma once

#include <QString>

#include <functional>
#include <memory>

class QWidget;
class ScriptForm1;

// The job buttons of the soft prescription window, installed by the job
// output's commands when the program's parts are joined. Every method runs
// inside the window's command handler, so an exception it throws is shown as
// "Error: ..." and the program goes on.
class SoftJobCommands
{
public:
    virtual ~SoftJobCommands() = default;
    virtual void Submit_Job(ScriptForm1 &form) = 0; // Command2 "Submit Job to Laboratory"
    virtual void Save_Job_Locally(ScriptForm1 &form) = 0; // Command3 "Save Job Locally"
    virtual void Next_Job(ScriptForm1 &form) = 0; // Command4 "Next Job" (hidden)
    virtual void Write_JSON_File(ScriptForm1 &form) = 0; // Command7 "Write JSON File"
    virtual void Save_Script(ScriptForm1 &form) = 0; // Command8 "Save Script"
    virtual void Open_Script(ScriptForm1 &form) = 0; // Command9 "Open Script"
    virtual void Print_Option_Table(ScriptForm1 &form) = 0; // Command20 "Print"
};

// Each hook below raises Missing_Hook when it is used before it was installed.
SoftJobCommands &Soft_Job_Commands();
bool Soft_Job_Commands_Installed();
void Set_Soft_Job_Commands(std::shared_ptr<SoftJobCommands> commands);

// Shows a PDF modally over a window ("View PDF" of the order confirmation):
// the job output's viewer.
using SoftPdfViewer = std::function<void(const QString &pdfPath, QWidget *over)>;
const SoftPdfViewer &Soft_Pdf_Viewer();
bool Soft_Pdf_Viewer_Installed();
void Set_Soft_Pdf_Viewer(SoftPdfViewer viewer);

// Imports an STL scan into the left (0) or right (1) foot view, throwing on
// failure: the foot views' own "Load STL".
using SoftStlImporter = std::function<void(int side, const QString &stlPath)>;
const SoftStlImporter &Soft_Stl_Importer();
bool Soft_Stl_Importer_Installed();
void Set_Soft_Stl_Importer(SoftStlImporter importer);
