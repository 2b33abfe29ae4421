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
