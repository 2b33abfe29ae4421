#pragma once

#include "jobnames.h"

#include <QString>
#include <QStringList>

#include <memory>

class EarlyArchiveParts;
struct ScriptRecord;

// The steps that turn a finished job into files that leave the clinic. The
// job commands of both prescription windows call them in their own order:
//
//   Set_Job_Paths(job, kind);                 // before the record and PDFs
//   Pack_Job_Files_Ahead(early, job);         // scans, photos; again once the
//                                             // models are written
//   ... Verify_Files, record, PDFs, confirmation ...
//   path = Job_Archive_Path(job, kind, dest); // after "Packaging Job..." is due
//   Require_Job_Counter_From_Config(job);     // first: throws, nothing done
//   ...
//   members = Pack_Job_Archive(job, path, early.get()); // throws: the command stops here
//   Advance_Job_Counter(job, path);           // throws: the command stops here
//   Send_Job_Archive(job, path);              // Submit only
//   Delete_Working_Files(job, members);       // Submit only
//   Clear_Foot_Paths(job);
//
// Up to a verified archive whose number is spent in "Solvane.Cfg" any failure
// stops the command and nothing is sent, deleted or counted. After it, every
// step reports its own trouble as a warning and returns, so the command
// always runs to its end.

enum class ArchiveDestination {
    Laboratory, // "Jobs": the archive the sender carries (never "R_")
    Local, // the archive folder, "R_" for rigid jobs, "_Priority" variant
};

// Names the script record and both PDFs of the job from its full base name:
// the record in CurrentFolder, the PDFs in NasFolder in NAS mode and in
// CurrentFolder otherwise, all with "R_" in front for a rigid job. A rigid
// job also names its sketch (JobImageFile). Expects JobNumber and both client
// names to be set.
void Set_Job_Paths(ScriptRecord &job, JobKind kind);

// Where the job's archive goes. Local archives take ArchiveFolder as a plain
// prefix and end in "_Priority.Zip" when PriorityReturn is set.
QString Job_Archive_Path(const ScriptRecord &job, JobKind kind, ArchiveDestination destination);

// The files the archive would hold now, in their fixed order: main PDF, full
// PDF, sketch, record, then scan, model and graphic of the left and of the
// right foot. A path that names no existing file is left out; a file named
// twice is packed once.
QStringList Job_Archive_Members(const ScriptRecord &job);

// A model file (.Lcf) smaller than this carries no foot and is not sent.
inline constexpr qint64 kSmallestPackedModel = 100;

// Packs the job into a new archive at `archivePath` with the comment
// "Job: <JobNumber>" and returns the members, each verified in the archive.
// First a model file path that names no file of at least 100 bytes becomes
// "None" (it is then neither packed nor deleted), and the status line shows
// "Packaging Job...", then each member's progress ("Creating Zip File:
// Lee_Ann_L.Wrl 40%", then "Checking Zip File: ..."), the members packed
// and checked on all cores while the windows keep painting under the wait
// cursor. Raises SolvaneError, leaving no archive behind, when
// the target already exists ("<path> already exists", before anything of the
// job changes) or the archive cannot be written and verified.
// With `early`, the members it compressed ahead are taken where their
// sources are unchanged (see EarlyArchiveParts); it was started by
// Pack_Job_Files_Ahead, which removed the stale temporary files then.
QStringList Pack_Job_Archive(ScriptRecord &job, const QString &archivePath, EarlyArchiveParts *early = nullptr);

// The job's scans, models and photos that are there now start compressing
// in the background, in the Jobs folder, while the record, the documents
// and the order confirmation are done; Pack_Job_Archive then takes them.
// The first call (`early` null) removes the temporary archive files a
// killed write left, as Pack_Job_Archive does, and makes `early`; a later
// call adds the files that came since. Going away, `early` stops the work
// and removes what it wrote, whatever ended the command.
void Pack_Job_Files_Ahead(std::unique_ptr<EarlyArchiveParts> &early, const ScriptRecord &job);

enum class SendOutcome {
    Declined, // the user chose not to send now
    Started, // a sender program is on its way with the archive
    NotStarted, // the sender could not be started; the user was warned
};

// Asks "Do You Want to Send the Data to VORMAK Now?". On Yes it starts
// "ZezuzIzov" (no arguments) when that program is installed, else "ZIDodur"
// with the archive path as its one argument, followed by the question whether
// the working files are to be deleted after sending, whose answer sets
// DeleteWorkingFilesFlag for this and every later job of the run. Neither
// sender is waited for. A sender that cannot start is shown as a warning; the
// archive stays where it is.
SendOutcome Send_Job_Archive(ScriptRecord &job, const QString &archivePath);

// When DeleteWorkingFilesFlag is set, deletes the job's working files (PDFs,
// record, scans, models, graphics; never the sketch or the archive) that are
// among `archived` (what Pack_Job_Archive returned) and lie in CurrentFolder,
// the PDFs also in NasFolder. Files that cannot be deleted are named in one
// warning. Returns the paths deleted.
QStringList Delete_Working_Files(const ScriptRecord &job, const QStringList &archived);

// The six per-foot paths (scans, models, graphics) become "None": the job is over.
void Clear_Foot_Paths(ScriptRecord &job);

// A job numbered from a counter that "Solvane.Cfg" could not give (the file
// could not be read or made) may carry a number already given: raises
// SolvaneError saying so, before the job command does anything.
void Require_Job_Counter_From_Config(const ScriptRecord &job);

// Adds 1 to JobCounter (never past its largest value) and writes
// "Solvane.Cfg" anew, so that the number of a job about to leave the clinic
// is never given again: a number may be skipped, never used twice. Called
// once the archive at `archivePath` is verified and before it is sent. A file
// that cannot be written leaves JobCounter as it was and raises SolvaneError
// naming the archive, which stays: the command stops there, nothing is sent.
void Advance_Job_Counter(ScriptRecord &job, const QString &archivePath);
