#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

struct ScriptRecord;

// The soft prescription as the laboratory's JSON import reads it: one object
// with the job, the client and one device per foot, laid out one item per
// line with two blanks of indentation per level.
//
// The text is UTF-8 without a byte-order mark with CR LF line ends, so a
// client called "Zoë" or "Nowak-Łęcka" stays valid JSON. Every text is
// escaped; a number box that holds no number (empty, "9L") is written as
// null rather than left as a bare word that would break the whole record.

// The lines of the record, without line ends.
QStringList Json_Record_Lines(const ScriptRecord &job);

// The bytes of the record file: the lines in UTF-8, each ended by CR LF.
QByteArray Json_Record_Bytes(const ScriptRecord &job);

// Writes the record of `job` to JSONFilename through QSaveFile, so a failed
// write leaves an existing file whole. Throws SolvaneError on failure.
void Write_JSON(const ScriptRecord &job, const QString &JSONFilename);

// Helpers of the record, public because other JSON writers of the program
// must quote and number the same way.
namespace json {

// A JSON string literal: quotes, backslashes and control characters escaped.
QString quoted(const QString &text);

// A "0.0" number; null when the value is not finite.
QString number(double value);

// A number kept as text in the job state ("9", "-2", " 4.5"): formatted
// "0.0" when the whole text is a number, else null.
QString numberText(const QString &text);

} // namespace json
