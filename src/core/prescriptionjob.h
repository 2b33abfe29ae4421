#pragma once

#include "jobnames.h"

#include <QString>

struct ScriptRecord;

// What the soft and the rigid prescription windows do alike to the job: the
// dispense date, the scan dates and the job's file names. The kind says
// which file names a job gets (the rigid ones start with "R_").
namespace PrescriptionJob {

// Today plus seven days as the date boxes show it ("dd/MM/yyyy").
QString Default_Dispense_Date();
// "(default)" while the date is exactly the default one, else empty.
QString Dispense_Date_Note(const QString &dispenseDate);

// Scan dates and times of a new job: now, or the scan file's own time of
// last change where the foot names a file that exists. A path naming no
// file keeps now.
void Set_Scan_Times_From_Files(ScriptRecord &job);

// The job's PDF, full PDF and record paths for a base name: the PDFs in the
// NAS folder in NAS mode, else in CurrentFolder; the record in CurrentFolder.
void Name_Job_Files(ScriptRecord &job, JobKind kind, const QString &baseName);
// A new job names its files "_Default" while it has no scans...
void Name_Job_Files_For_New_Script(ScriptRecord &job, JobKind kind);
// ...and after its client once a client name is typed.
void Name_Job_Files_After_Client(ScriptRecord &job, JobKind kind);

// A user chosen in the user list: CurrentUser, and the job's PDF named after
// the job. The full PDF, the record and the folders keep their names.
void Choose_User(ScriptRecord &job, const QString &user, JobKind kind);

} // namespace PrescriptionJob
