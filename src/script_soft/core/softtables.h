#pragma once

#include <QString>
#include <QStringList>

struct ScriptRecord;

// The four choice lists of the soft prescription that the clinic may define
// in "Solvane.Tbl", in the order the file holds them.
enum class SoftOptionList { Styles = 0, Densities = 1, TopCovers = 2, InsoleOptions = 3 };

// The lists the window offers when no table was read.
const QStringList &Built_In_Option_List(SoftOptionList list);

// Reads "Solvane.Tbl" from the working folder into the four soft tables of
// the job. A missing file shows the "Table" warning and leaves the tables
// as they were; an unreadable one is reported as an error. A short file keeps
// what it held (each count is the number of entries actually read). Never
// throws. Returns TablesLoadedFlag.
bool Read_Tables(ScriptRecord &job);

// The items a list shows: the table's entries when a table was read and the
// section has any, else the built-in list.
QStringList Option_List_Items(const ScriptRecord &job, SoftOptionList list);

// A new script takes the first item of each list for both feet (the
// built-in lists' when no table was read).
void Choose_First_Options(ScriptRecord &job);

// The style code belongs to the list position, whatever text stands there:
// 0 "M", 1 "WA", 2 "WD", 3 "R", 4 "CC", anything else (or -1) empty.
QString Style_Code(int stylePosition);

// The template code: the style code followed by the foot size as "0.0"
// (a size that is not a number is used as it stands).
QString Template_Code(int stylePosition, const QString &footSize);

// The size table a style position selects ("FootSize<N>.Dat" in the working
// folder, any case), or empty when there is none.
QString Size_File_For_Style(int stylePosition);

// True for an insole option that takes a value: "(mm)" or "(deg)", any case,
// after the first character.
bool Option_Takes_Value(const QString &optionText);
