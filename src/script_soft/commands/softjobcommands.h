#pragma once

#include "jobcommandsequence.h"
#include "softhooks.h"

#include <functional>

// The job buttons of the soft prescription window: "Submit Job to
// Laboratory", "Save Job Locally", "Next Job", "Save Script", "Open Script",
// "Write JSON File" and the option table's "Print". Each runs inside the
// window's command handler, which shows an error it raises as "Error: ...".
// The job commands are the shared sequence, driven through the soft window.
class SoftJobCommandSet : public SoftJobCommands
{
public:
    // `policy` names the companion viewer; `endProgram` ends the program
    // once the viewer has the job (tests count the call instead).
    explicit SoftJobCommandSet(JobPolicy policy = Soft_Job_Policy(), std::function<void()> endProgram = {});

    void Submit_Job(ScriptForm1 &form) override;
    void Save_Job_Locally(ScriptForm1 &form) override;
    void Next_Job(ScriptForm1 &form) override;
    void Write_JSON_File(ScriptForm1 &form) override;
    void Save_Script(ScriptForm1 &form) override;
    void Open_Script(ScriptForm1 &form) override;
    void Print_Option_Table(ScriptForm1 &form) override;

private:
    JobCommandSequence m_sequence;
};

// Installs the commands above on the soft window. The application calls it
// once at start-up.
void Install_Soft_Job_Commands();
