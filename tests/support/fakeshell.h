#pragma once

#include "scriptrecord.h"
#include "shellservices.h"

#include <QString>
#include <QStringList>

#include <functional>

// The main window as the other windows see it: it records each call and
// changes nothing but what a test gives it to change.
class FakeShell : public ShellServices
{
public:
    QStringList calls;
    std::function<void()> onNewScript;

    void New_Script() override
    {
        calls << QStringLiteral("New_Script");
        if (onNewScript)
            onNewScript();
    }
    bool Load_Left_Foot() override
    {
        calls << QStringLiteral("Load_Left_Foot");
        return true;
    }
    bool Load_Right_Foot() override
    {
        calls << QStringLiteral("Load_Right_Foot");
        return true;
    }
    void Load_Sizes1() override { calls << QStringLiteral("Load_Sizes1"); }
    void Set_Size_List_Texts(const QString &left, const QString &right) override
    {
        calls << QStringLiteral("Set_Size_List_Texts %1 %2").arg(left, right);
    }
    // What the size lists show; tests set them.
    QString sizeListTexts[2];
    QString Size_List_Text(int side) const override { return sizeListTexts[side == 0 ? 0 : 1]; }
    // The entries of the size lists, when a test gives them: a selection
    // among them shows the entry and, as the main window's lists do, puts it
    // into the job's foot size.
    QStringList sizeEntries[2];
    bool Select_Size_At_Least(int side, double size) override
    {
        calls << QStringLiteral("Select_Size_At_Least %1 %2").arg(side).arg(size);
        const int s = side == 0 ? 0 : 1;
        const int index = First_Size_At_Least(sizeEntries[s], size);
        if (index < 0)
            return false;
        sizeListTexts[s] = sizeEntries[s][index];
        (s == 0 ? Job().FootSizeL : Job().FootSizeR) = sizeListTexts[s];
        return true;
    }
    void Refresh_File_Lists() override { calls << QStringLiteral("Refresh_File_Lists"); }
    void Show_Folder(const QString &folder) override { calls << QStringLiteral("Show_Folder ") + folder; }
    void Show_User(const QString &user) override { calls << QStringLiteral("Show_User ") + user; }
    void Minimize_Main_Window() override { calls << QStringLiteral("Minimize_Main_Window"); }
    // The caption the main window would show.
    QString caption;
    void Show_Scan_File_Caption(const QString &scanFile) override
    {
        caption = QStringLiteral("Scan File: ") + scanFile;
        calls << QStringLiteral("Show_Scan_File_Caption ") + scanFile;
    }
};
