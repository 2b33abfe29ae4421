#pragma once
// A main window that does nothing, for benchmarks of windows that call on it;
// a benchmark overrides what its window needs.

#include "shellservices.h"

#include <QString>

namespace bench {

class QuietShell : public ShellServices
{
public:
    void New_Script() override {}
    bool Load_Left_Foot() override { return true; }
    bool Load_Right_Foot() override { return true; }
    void Load_Sizes1() override {}
    void Set_Size_List_Texts(const QString &, const QString &) override {}
    QString Size_List_Text(int) const override { return {}; }
    bool Select_Size_At_Least(int, double) override { return true; }
    void Refresh_File_Lists() override {}
    void Show_Folder(const QString &) override {}
    void Show_User(const QString &) override {}
    void Minimize_Main_Window() override {}
    void Show_Scan_File_Caption(const QString &) override {}
};

} // namespace bench
