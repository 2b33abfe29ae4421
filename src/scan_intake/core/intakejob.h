#pragma once

struct ScriptRecord;

// What the intake windows write into the job while the user works.

// "Get Next Job": the counter one up and the job number made from it, in
// memory only; "Solvane.Cfg" is written when a script is prepared.
void Next_Intake_Job(ScriptRecord &job);

// The gender box's double click: "Male" becomes "Female", anything else
// "Male"; the template and foot lengths are looked up again for the sizes
// the job holds (FootSizeL and FootSizeR, not the window's size boxes).
void Toggle_Intake_Gender(ScriptRecord &job);
