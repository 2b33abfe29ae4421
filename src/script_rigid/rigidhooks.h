#pragma once

#include <QString>

#include <memory>

class ScriptForm2;

// The job buttons of the rigid prescription window, installed by the rigid
// job commands when the program's parts are joined. Every method runs
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

// Raises Missing_Hook when used before it was installed.
RigidJobCommands &Rigid_Job_Commands();
bool Rigid_Job_Commands_Installed();
void Set_Rigid_Job_Commands(std::shared_ptr<RigidJobCommands> commands);
