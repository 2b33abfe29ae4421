#pragma once

struct ScriptRecord;

// Resets the job state for the next job, as far as the job state alone goes:
// the configuration is read again (and created when missing), the size
// chart restored, the job numbered and its default file names formed in the
// folder of the previous job. The main window then refills its size lists,
// resets the soft window and points its lists at the data folder.
// A configuration file that cannot be read or created raises SolvaneError,
// and the job's counter then counts as not from the file (no job numbered
// with it is sent or saved).
void New_Script_Record(ScriptRecord &job);
