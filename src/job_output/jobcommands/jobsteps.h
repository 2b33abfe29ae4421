#pragma once

#include "jobnames.h"

#include <QString>

#include <functional>

struct ScriptRecord;
struct JobPolicy;

// The parts of the job commands of both prescription windows that work on
// the job state alone, so that they test without a window. The command
// sequences put them in their order.
namespace JobSteps {

enum class NamePart { FirstName, Surname };

// Asks for the client's first name, then the surname, for as long as each
// holds its placeholder ("FirstName", "Surname"; an empty name counts as the
// placeholder). A name given is handed to `showName` for its box on the
// window. Returns false when a prompt is left empty or cancelled: that name
// is then empty in the job and the command must stop.
bool Ask_Client_Names(ScriptRecord &job, const std::function<void(NamePart, const QString &)> &showName);

// The forefoot pair of a foot when both are empty, the heel-to-dot distance
// of a foot scanned as VRML when it is empty, then the warnings about
// implausible lengths. Prompted values go into the job as their shortest
// number text; a cancelled prompt stores 0. Nothing of it in cast mode.
void Ask_Missing_Measurements(ScriptRecord &job);

// A graphic (foot photo) path that names no existing file becomes "None".
void Forget_Missing_Graphics(ScriptRecord &job);

// The scan and photo checks after the record is written. Submitting warns
// about a missing scan of either foot and a missing photo of a VRML scan;
// saving locally does not look at the photos and tells of a missing scan
// under the policy's title for that foot (none: not a word). A missing
// file's path becomes "None".
enum class ScanChecks { Submit, SaveLocally };
void Check_Scan_Files(ScriptRecord &job, ScanChecks checks, const JobPolicy &policy);

// "Save Script" names: the short "_Default" form while the job has no scans,
// else the full form, with "R_" in front for a rigid job; the record in
// CurrentFolder, the PDFs in NasFolder in NAS mode, else in CurrentFolder.
void Name_Saved_Script_Files(ScriptRecord &job, JobKind kind);

// Adds 1 to JobCounter in memory (never past its largest value) and forms
// JobNumber from it.
void Take_Next_Job_Number(ScriptRecord &job);

// The folder of a file without its closing separator ("Open Script" makes
// the record's folder the work folder).
QString Folder_Of(const QString &filePath);

} // namespace JobSteps
