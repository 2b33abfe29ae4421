#pragma once

#include "jobpolicy.h"

#include <functional>

class JobCommandHost;

// The job commands of both prescription windows, in one order for both:
// "Submit Job to Laboratory", "Save Job Locally", "Next Job", "Save Script"
// and "Open Script". The window drives them through its host; the policy
// holds what differs by kind (names, wording, companion program). Each runs
// inside the window's command handler, which shows an error it raises as
// "Error: ...".
//
// Submit and Save Job Locally refuse a job numbered from a counter that
// "Solvane.Cfg" could not give, and stop at the first failure before the
// job's archive is written and verified: nothing is then sent, deleted or
// counted. Once the archive is verified the advanced counter is written
// before anything is sent, and a counter that cannot be written stops the
// command with the archive kept; after that the command always runs to "Job
// Complete", showing the trouble of a later step as a warning.
class JobCommandSequence
{
public:
    // `endProgram` ends the program once the companion has the job (tests
    // count the call instead).
    explicit JobCommandSequence(JobPolicy policy, std::function<void()> endProgram = {});

    const JobPolicy &policy() const { return m_policy; }

    void Submit_Job(JobCommandHost &host);
    void Save_Job_Locally(JobCommandHost &host);
    // The next job number, in memory only.
    void Next_Job(JobCommandHost &host);
    // The record under a chosen name with job number "0000", and both
    // documents with the job's number; JobNumber is restored however it ends.
    void Save_Script(JobCommandHost &host);
    // A record chosen by the user, read whole or not at all, then the second
    // pair question: No takes the next job number.
    void Open_Script(JobCommandHost &host);

private:
    enum class Finish { Submit, SaveLocally };
    void finishJob(JobCommandHost &host, Finish finish);

    JobPolicy m_policy;
    std::function<void()> m_endProgram;
};
