#pragma once

#include "jobnames.h"

#include <QString>

// What differs between a soft and a rigid job in the shared pipeline. Names,
// archive paths and the counter differ by `kind` alone; the rest is the
// wording and the companion program each window uses.
struct JobPolicy
{
    JobKind kind = JobKind::Soft;

    // Shown by Verify_Files when the job has no work folder.
    QString noWorkingFolderMessage;

    // The companion program started after a job saved locally, a file in the
    // working folder ("Veltrane.Exe"), and the text that marks its window
    // ("Veltrane") when it already runs.
    QString companionProgram;
    QString companionWindowText;
    // Title of the messages about the script record ("To Veltrane").
    QString companionTitle;
    // Shown (title "Information") when the program is missing; empty: the
    // start returns without a word.
    QString companionMissingMessage;

    // The last line of the question that ends a job saved locally, whose Yes
    // starts the companion ("Do You Want to Enter Veltrane?").
    QString enterCompanionQuestion;
    // Titles of the messages about a missing left and right scan when a job
    // is saved locally; empty: the path becomes "None" without a word.
    QString localMissingScanTitleL;
    QString localMissingScanTitleR;
};

const JobPolicy &Soft_Job_Policy();
const JobPolicy &Rigid_Job_Policy();
