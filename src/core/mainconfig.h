#pragma once

#include <QString>
#include <QStringList>
#include <optional>

struct ScriptRecord;

// "Solvane.Cfg": operator code, scanner id, counter, current user, further
// users up to the first empty line. The one reader and writer of the file.
struct MainConfig
{
    QStringList lines; // as read, at most the lines up to the first empty user line

    bool has(int lineNumber) const { return lines.size() >= lineNumber; }
    QString line(int lineNumber) const { return has(lineNumber) ? lines[lineNumber - 1] : QString(); }

    // The users: line 4 and the following lines up to the first empty one,
    // joined with ",". Empty when the file has no line 4.
    QString userList() const;
};

QString Main_Config_Path();

// nullopt when the file does not exist. Short files give what they have.
std::optional<MainConfig> Read_Main_Config();

// Creates the file with its four default lines (the scanner id differs
// between start-up and a new job).
void Create_Main_Config(const QString &scannerId);

// The job commands' write-back: lines 1 and 2 as held, the counter "0000",
// then CurrentUser alone when it is as long as UserList (one user), else every
// name of UserList one per line. Atomic: a failure leaves the old file and throws.
void Write_Main_Config(const ScriptRecord &job);

// The entries of a user list: the names of UserList up to the first empty
// one. None (the list is hidden) when there is only one user or none.
QStringList User_List_Names(const ScriptRecord &job);

// The counter line's value: its leading number to the nearest whole number.
int Counter_From_Text(const QString &text);
