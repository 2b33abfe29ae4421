#pragma once

#include <QString>
#include <QStringList>

// What other windows ask of the main window. The main window implements it
// and installs itself at start-up; tests install a fake. Kept here so that
// subsystem libraries need not link the main window.
class ShellServices
{
public:
    virtual ~ShellServices() = default;

    virtual void New_Script() = 0;
    virtual bool Load_Left_Foot() = 0;
    virtual bool Load_Right_Foot() = 0;

    // Refills the main window's size lists from the chart (first entries selected).
    virtual void Load_Sizes1() = 0;
    // Puts texts into the main window's size lists (a record was read).
    virtual void Set_Size_List_Texts(const QString &left, const QString &right) = 0;
    // What the main window's size list of a foot shows (0 left, 1 right).
    virtual QString Size_List_Text(int side) const = 0;
    // Selects in a size list (0 left, 1 right) its first entry whose size is
    // at least `size`, as a pick does, so the job's FootSizeL or FootSizeR
    // follows. False, with nothing changed, when no entry is that large.
    virtual bool Select_Size_At_Least(int side, double size) = 0;
    // Re-reads CurrentFolder into the scan file lists.
    virtual void Refresh_File_Lists() = 0;
    // Points the folder view and both scan lists (with their usual pattern)
    // at a folder, read afresh, which becomes CurrentFolder.
    virtual void Show_Folder(const QString &folder) = 0;
    // Shows a user in the main window's user list, as a pick there would;
    // a name the list does not hold (or a hidden list) changes nothing.
    virtual void Show_User(const QString &user) = 0;
    // Puts the main window out of the way while the scanner software runs.
    virtual void Minimize_Main_Window() = 0;
    // The caption names the scan in hand: "Scan File: " and its path.
    virtual void Show_Scan_File_Caption(const QString &scanFile) = 0;
};

// The position of the first entry whose size (its leading number) is at
// least `size`; -1 when there is none.
int First_Size_At_Least(const QStringList &entries, double size);

// Null until the main window (or a test) installs one.
ShellServices *Shell();
void Set_Shell(ShellServices *shell);

// Implemented by the soft prescription window: the resets a new job asks of
// it (length boxes, ticks, PFA shapes and scan positions).
class NewJobFormResets
{
public:
    virtual ~NewJobFormResets() = default;
    virtual void Reset_For_New_Job() = 0;
};
