#pragma once

#include "jobpolicy.h"
#include "softhooks.h"

#include <functional>

// The job buttons of the soft prescription window: "Submit Job to
// Laboratory", "Save Job Locally", "Next Job", "Save Script", "Open Script",
// "Write JSON File" and the option table's "Print". Each runs inside the
// window's command handler, which shows an error it raises as "Error: ...".
//
// Submit and Save Job Locally stop at the first failure before the job's
// archive is written and verified: nothing is then sent, deleted or counted.
// Once the archive is verified they always run to "Job Complete", showing
// the trouble of a later step as a warning.
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
    enum class Finish { Submit, SaveLocally };
    void finishJob(ScriptForm1 &form, Finish finish);

    JobPolicy m_policy;
    std::function<void()> m_endProgram;
};

// Installs the commands above on the soft window. The application calls it
// once at start-up.
void Install_Soft_Job_Commands();
