#pragma once

#include <QString>

class PdfWriter;
struct ScriptRecord;

// The option-table document: the four soft option tables of `job` (orthotic
// styles, EVA densities, top covers, insole options), every entry with its
// position number, under an "OPTION TABLE" title band. Entries that reach
// the foot of a page continue at the top of the next; the document has no
// footer and no date.
//
// Draws the whole document on `writer` into `path` and ends it. On a
// failure the writer's document is aborted, so the writer can begin the next
// one, and the SolvaneError passes on.
void Compose_Option_Table_PDF(PdfWriter &writer, const ScriptRecord &job, const QString &path);

// The same on the Qt writer: the file is written whole or not at all.
void Write_Option_Table_PDF(const ScriptRecord &job, const QString &path);

// "Print" of the soft window and "Print Options" of the rigid window: asks
// for the file ("Save a PDF File", proposing "OptionTable" in the job
// folder), writes the option-table PDF of the four soft option tables of
// Job() and confirms with "The Table File Has Been Saved...". A cancelled
// dialog writes nothing and shows nothing. The whole command, as
// Write_JSON_File is.
void Print_Option_Table();
