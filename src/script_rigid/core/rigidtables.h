#pragma once

#include <QString>
#include <QStringList>

struct ScriptRecord;

// The two files the clinic writes by hand to configure the rigid form. The
// program only reads them.

inline constexpr const char *kRigidTableName = "Solvane_Rigids.Tbl";
inline constexpr const char *kHelpLinksName = "Help_Links.Cfg";

// Reads "Solvane_Rigids.Tbl" from the working folder (found whatever the
// case of its name) into the job's four rigid tables: shell styles, shell
// materials, top covers, insole options. A count of 0 gives an empty table,
// which the grid then offers as it is. A missing file shows the "Table"
// warning with the file's path and an unreadable one its error; either
// keeps the tables as they were. A short file keeps what it held (each
// count is the number of entries read). Returns RigidTablesLoadedFlag.
bool Read_Tables_Rigids(ScriptRecord &job);

// Reads "Help_Links.Cfg" into the 82 help links of the grid rows (entry
// i - 1 for row i): a count line, then for each row "key,link" (the key
// dropped, further fields ignored, no comma gives an empty link), up to the
// count, a line that is exactly "End" or the end of the file. Rows the file
// does not reach keep their links; links past row 82 are ignored. A missing
// file empties all 82.
void Read_Help_Links(QStringList &helpLinks);
