#pragma once

#include <functional>

struct ScriptRecord;
struct JobPolicy;

enum class CompanionStart {
    NotStarted, // the user was told why (or, for a missing soft viewer, not);
                // the command goes on as if the user had declined
    Started, // the program runs with the record; this program is ending
};

// Ends this program at once, with no shut-down sequence: the companion takes
// over the job that was just saved.
void End_Program_For_Companion();

// Hands the saved job to the companion program of the policy (the soft
// viewer "Veltrane.Exe", the rigid shell "Kelvaro3D.Exe") with the script
// record's path as its one argument, when the program is installed, the
// record exists and the companion is not already running. After a start it
// waits half a second and calls `endProgram`.
CompanionStart Run_Companion(const ScriptRecord &job, const JobPolicy &policy,
                             const std::function<void()> &endProgram = End_Program_For_Companion);

// The soft and rigid windows' names for the same start.
CompanionStart Run_Veltrane(const ScriptRecord &job,
                            const std::function<void()> &endProgram = End_Program_For_Companion);
CompanionStart Run_Rigids(const ScriptRecord &job, const std::function<void()> &endProgram = End_Program_For_Companion);
