#pragma once

#include <QString>
#include <QStringList>

struct ScriptRecord;

// A job's script record (soft, or rigid with the same lines 1 to 8) taken
// into another clinic folder: its lines 4 to 8 name the job's PDF, scans
// and images, and must name them in the new folder.

// The number of lines a record needs before it can be rewritten.
inline constexpr int kRelocatedRecordLines = 8;

// The file name a record line names, or empty when the line names none
// ("None", nothing after the label). The value is read as records carry it
// ("C:\3DEriruvu\..." or any other path, "\" or "/").
QString Record_Line_File_Name(const QString &line);

// The record's lines for `folder`:
//  - line 4 "PDF File Name," and the PDF named after the left scan line's
//    file less its last six characters ("12345_Ann_Lee_L.Lcf" gives
//    "12345_Ann_Lee.Pdf"); a left line without a file takes the right
//    line's, and with neither the old PDF name is kept;
//  - lines 5 to 8 their fixed labels and "None", or the same file name in
//    `folder`;
//  - every other line as it is.
// Paths are written as records carry them (Record_Path). Throws SolvaneError
// when there are fewer than eight lines.
QStringList Relocated_Record_Lines(const QStringList &lines, const QString &folder, const QString &source);

// Rewrites the record at `csvDstFile`, just copied into its new folder, for
// that folder, replacing it whole (a failed write leaves it as it was), and
// sets job.PdfFile to <folder>/<JobBaseName>.Pdf. A record of fewer than
// eight lines is left as it is and raises SolvaneError.
void Update_CSV_File(const QString &csvDstFile, ScriptRecord &job);
