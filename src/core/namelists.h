#pragma once

#include <QString>
#include <QStringList>

struct ScriptRecord;

// The clinic's name lists ("Podiatrist.Cfg", "Clinic.Cfg"): a header line,
// then one entry per line, taken whole, up to a line that is exactly "End".
// The soft and rigid prescription windows and the intake windows all read
// them through here.

// The names of the list file, or empty when the file is missing, unreadable
// or names nobody. A file without an "End" line ends its list at its end.
QStringList Read_Name_List(const QString &path);

// What a name combo offers for the list file of that name in the working
// folder (found whatever the case of its name): its names, or the single
// entry "No Names Available" when it has none.
QStringList Name_List_Items(const QString &fileName);

inline const char *kNoNamesAvailable = "No Names Available";

// The names the user combo offers, in order, up to the first empty one.
// Empty when UserList is as long as CurrentUser: the single-user case,
// where the combo stays hidden.
QStringList User_Combo_Names(const ScriptRecord &job);
