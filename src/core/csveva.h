#pragma once

#include <QString>
#include <QStringList>

struct ScriptRecord;

// The soft script record: 66 lines of label and values, CR LF, Windows-1252.

// Writes the record to job.CsvFile, with the path and list normalisations
// stored back into the job. Throws SolvaneError when the file cannot be
// written; the old file then stays whole.
void Write_CSV_EVA(ScriptRecord &job);

// The record's lines as Write_CSV_EVA writes them (after its normalisations).
QStringList Build_CSV_EVA(ScriptRecord &job);

inline constexpr char kSoftRecordTitle[] = "BRENNICK ORTHOTICS PRESCRIPTION";

// What the soft record's writers differ in: the prescription window writes
// its own record, the intake windows a simpler one; every other line is the
// same, so both build on Build_Soft_Record.
struct SoftRecordForm
{
    QString title; // line 1; empty writes none, and the record has 65 lines
    QString leftModel, rightModel; // lines 5 and 6, as written
    QString leftGraphic, rightGraphic; // lines 7 and 8, as written
    QString podiatrist; // line 12's value
    bool priorityReturn = false; // line 22
    bool confirmBeforeManufacture = false;
};

// The record's lines from the job and the writer's own fields. Top covers,
// options and notes go in as the job holds them: each writer settles their
// line breaks and commas first. Date and time come from the clock.
QStringList Build_Soft_Record(const ScriptRecord &job, const SoftRecordForm &form);

// Reads job.CsvFile into the job. The whole record is parsed first and taken
// only when it is complete: a file that is missing, shorter than 66 lines or
// not a soft record changes nothing and throws.
void Read_CSV_EVA(ScriptRecord &job);

// Parses lines into the job (no file, no notifications). Throws on an
// incomplete record, leaving the job untouched. `source` names it in errors.
void Parse_CSV_EVA(ScriptRecord &job, const QStringList &lines, const QString &source);

// A PFA value holding "C" at its second character or later is the "C" shape.
bool Pfa_Is_C_Shape(const QString &pfa);

// A value the user typed, made safe for a positional record: "," becomes ";"
// and line breaks become `lineBreak`.
QString Record_Field(const QString &value, const QString &lineBreak = QStringLiteral(";"));

// What the soft and rigid script records share: lines 2 to 13,
// the notes line, and the positional fields.

// A model file path as the writers take it, stored back: an absent one
// becomes "None", a bare name is placed in CurrentFolder, and a foot without
// a model has no graphic either.
void Correct_Model_And_Graphic(const ScriptRecord &job, QString &model, QString &graphic);

// A job file path as a record line carries it: "None" when absent, else its
// Record_Path with no raw ",".
QString Record_Path_Field(const QString &path);

// What a scan line (5 or 6) names: the foot's own scan when it is an STL
// scan, else its model file.
QString Scan_Line_Path(const QString &scan, const QString &model);

// The podiatrist field of line 12: the name and ";Y" or ";N" for the e-mail tick.
QString Podiatrist_Field(const ScriptRecord &job);

// Field n (from 1) of a record line, split at "," as the writers joined it.
QString Record_Line_Field(const QString &line, int n);

// Reads a scan line back into the foot's model and scan paths: the model is
// the path written, the scan the same path (an STL scan) or its ".Wrl"
// sibling (the existing file of that name in any case, ".wrl" included).
// "None" leaves both as they were.
void Read_Scan_Line(const QString &line, QString &lcf, QString &scan);

// Reads line 12: the name without the writer's ";Y" or ";N", which (like a
// third field "Y") sets the e-mail tick.
void Read_Podiatrist_Line(const QString &line, QString &name, bool &sendEmail);

// The notes line: everything after the label, less the writer's closing ",".
QString Read_Notes_Line(const QString &line);

// Reads lines 2 to 13, alike in both records: job number (into
// ReprocessedFromJob as well), clinic job number, PDF, scan and graphic
// paths ("None" keeps a graphic), client, podiatrist and clinic. `lines`
// holds at least 13 lines.
void Read_Job_Lines(ScriptRecord &job, const QStringList &lines);
