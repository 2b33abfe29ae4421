#pragma once

#include "shellservices.h"

#include <QString>
#include <QStringList>

#include <functional>

// The main window as the other windows see it: it records each call and
// changes nothing.
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
    void Refresh_File_Lists() override { calls << QStringLiteral("Refresh_File_Lists"); }
    void Show_Folder(const QString &folder) override { calls << QStringLiteral("Show_Folder ") + folder; }
    void Minimize_Main_Window() override { calls << QStringLiteral("Minimize_Main_Window"); }
    // The caption the main window would show.
    QString caption;
    void Show_Scan_File_Caption(const QString &scanFile) override
    {
        caption = QStringLiteral("Scan File: ") + scanFile;
        calls << QStringLiteral("Show_Scan_File_Caption ") + scanFile;
    }
};
