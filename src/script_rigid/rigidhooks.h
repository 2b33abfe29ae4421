#pragma once

#include <QString>

#include <memory>

class ScriptForm2;

// The job buttons of the rigid prescription window, installed by the rigid
// job commands at start-up; without them (a window tested alone) each
// button says that its command is not available yet. Every method runs
// inside the window's command handler, so an exception it throws is shown
// as "Error: ..." and the program goes on.
class RigidJobCommands
{
public:
    virtual ~RigidJobCommands() = default;
    virtual void Submit_Job(ScriptForm2 &form) = 0; // Command2 "Submit Job to Laboratory"
    virtual void Save_Job_Locally(ScriptForm2 &form) = 0; // Command3 "Save Job Locally"
    virtual void Next_Job(ScriptForm2 &form) = 0; // Command4 "Next Job"
    virtual void New_Grid(ScriptForm2 &form) = 0; // Command6 "New Grid"
    virtual void Upload_To_Database(ScriptForm2 &form) = 0; // Command7 "Upload to Database"
    virtual void Save_Script(ScriptForm2 &form) = 0; // Command8 "Save Script"
    virtual void Open_Script(ScriptForm2 &form) = 0; // Command9 "Open Script"
};

// Null until the rigid job commands are installed.
RigidJobCommands *Rigid_Job_Commands();
void Set_Rigid_Job_Commands(std::shared_ptr<RigidJobCommands> commands);

// The insole drawing pane of the rigid window's "Graphics" tab, installed by
// the drawing tools into the window's DrawingPaneTab
// (ScriptForm2::drawingPaneTab()). Without it a stand-in only says "Ready",
// so the window works on its own.
class RigidDrawingPane
{
public:
    virtual ~RigidDrawingPane() = default;
    // Rebuilds the pane for GraphicSelection; run on every tab change.
    virtual void Load_Vec_File(ScriptForm2 &form) = 0;
    // Burns the drawing into the image it was drawn on ("S").
    virtual void Save_Image(ScriptForm2 &form) = 0;
    // The block drawing inserted at (x, y), scaled by `scale`.
    virtual void Insert_Foot_Block(ScriptForm2 &form, const QString &blockFile, double x, double y, double z,
                                   double scale) = 0;
};

// Never null: the stand-in until a pane is installed.
RigidDrawingPane &Rigid_Drawing_Pane();
void Set_Rigid_Drawing_Pane(std::shared_ptr<RigidDrawingPane> pane); // null restores the stand-in
