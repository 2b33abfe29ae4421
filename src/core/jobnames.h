#pragma once

#include <QString>

struct ScriptRecord;

// The longest name part, in characters and in UTF-8 bytes alike: three parts
// and the fixed words of a job file ("R_", "_Priority.Zip") stay well under
// the 255 bytes a file name may have, whatever the code page's characters.
inline constexpr int kSafeNamePartLength = 64;

// A client-name or job-number part of a file or folder name: characters
// Windows forbids in names, control characters and characters the code page
// cannot hold become "_", "." or ".." becomes "_", so no name can climb out
// of its folder, and the part is cut to kSafeNamePartLength. Records, PDFs
// and screens keep the names as typed.
QString safeNamePart(const QString &part);

enum class JobKind { Soft, Rigid };

// Job base names: full "AB0042_Ann_Lee", short "AB0042_Default". The job
// number is a safe name part too: it may come from a record or a typed box.
QString JobBaseName(const ScriptRecord &job);
QString JobBaseNameDefault(const ScriptRecord &job);

// The name used outside the job commands: the short form while the job has
// no scans (both scan paths shorter than five characters), else the full one.
QString JobBaseNameForJob(const ScriptRecord &job);

// "R_" in front for rigid jobs.
QString JobFileStem(const QString &baseName, JobKind kind);

// The job sketch of either kind: CurrentFolder/[R_]<full base name>.Jpg.
QString JobSketchPath(const ScriptRecord &job, JobKind kind);

// OperatorCode followed by the counter formatted "0000".
QString Make_Job_Number(const ScriptRecord &job);
