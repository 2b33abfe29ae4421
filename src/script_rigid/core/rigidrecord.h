#pragma once

#include <QString>
#include <QStringList>

struct ScriptRecord;

// The rigid script record ("R_<job>_<first>_<surname>.Csv"): 108 lines of
// job data and left/right values under sections in angle brackets, ending
// in "END"; Windows-1252, CR LF, fields joined by "," without quoting. The
// laboratory, the rigid companion shell and the job archive take it as the
// rigid form writes it.

inline constexpr int kRigidRecordLines = 108;

// The record's lines for the job, as Write_CSV_Rigid writes them. Stores
// the writer's changes back into the job: model paths placed in
// CurrentFolder ("None" when absent, which also clears that foot's
// graphic), line breaks of the top covers joined with "," and of the
// insole options and notes with ";", and any "," typed in them made ";".
QStringList Build_CSV_Rigid(ScriptRecord &job);

// Writes the record to job.CsvFile (the caller names it first). Throws
// SolvaneError when it cannot be written; an older file then stays whole.
void Write_CSV_Rigid(ScriptRecord &job);

// True for a first line holding "RIGID" (any capitals) after its first character.
bool Is_Rigid_Title(const QString &line);

// Reads the record at `path` into the job. A first line that is not rigid
// shows "This is Not a Rigid Script" and returns false with the job
// unchanged. The record is parsed into a copy and taken whole: a file that
// is missing, empty or shorter than its layout throws SolvaneError and
// changes nothing. A rigid title over the soft layout (the Ruru-Zirorur
// rigid intake writes one) gives lines 2 to 18 and the dispense date only;
// the rest is the rigid defaults' to set. "CSV (Rigid) File Data OK" goes to
// the status line when the record ends in "END". The grid is not touched.
bool Read_Csv_Rigid(ScriptRecord &job, const QString &path);

// The parsing step of Read_Csv_Rigid for lines under a rigid title (no
// file, no messages). Throws on a short record, leaving the job untouched;
// `source` names it in the error. Returns whether the record ends in "END".
bool Parse_Csv_Rigid(ScriptRecord &job, const QStringList &lines, const QString &source);
