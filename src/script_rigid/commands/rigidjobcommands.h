#pragma once

#include "jobcommandsequence.h"

#include <functional>

class RigidJobWindow;

// The job buttons of the rigid prescription window: "Submit Job to
// Laboratory" (Command2), "Save Job Locally" (Command3), "Next Job"
// (Command4), "New Grid" (Command6), "Upload to Database" (Command7), "Save
// Script" (Command8) and "Open Script" (Command9). Each runs inside the
// window's command handler, which shows an error it raises as "Error: ...".
//
// Submit, Save Job Locally, Next Job and the two script commands are the
// job command sequence both windows share, with the rigid record, the rigid
// pages, "R_" names, the rigid confirmation and the rigid companion shell.
class RigidJobCommandSet
{
public:
    // `policy` names the companion shell; `endProgram` ends the program
    // once the shell has the job (tests count the call instead).
    explicit RigidJobCommandSet(JobPolicy policy = Rigid_Job_Policy(), std::function<void()> endProgram = {});

    void Submit_Job(RigidJobWindow &window);
    void Save_Job_Locally(RigidJobWindow &window);
    void Next_Job(RigidJobWindow &window);
    // The rigid defaults and a fresh grid; client, job number and paths stay.
    void New_Grid(RigidJobWindow &window);
    // A notice only: nothing is read, written or sent.
    void Upload_To_Database(RigidJobWindow &window);
    void Save_Script(RigidJobWindow &window);
    // The work folder stays; a file that is not a complete rigid record
    // stops after its message, and the file's values are shown as they are
    // (no presets over them).
    void Open_Script(RigidJobWindow &window);

private:
    JobCommandSequence m_sequence;
};
