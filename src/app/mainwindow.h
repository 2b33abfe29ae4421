#pragma once

#include "instancelock.h"
#include "scriptentry.h"
#include "shellservices.h"
#include "startup.h"

#include <QMainWindow>

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class ScanListsPanel;

// The program's start-up window ("Solvane: Prepare and Submit Jobs"): the
// job workspace every other window hangs from. It runs the start-up, keeps
// the size lists, the user list and the scan lists in step with the job
// state, shows the status line, and shuts the program down.
class MainForm : public QMainWindow, public ShellServices
{
    Q_OBJECT
public:
    explicit MainForm(QWidget *parent = nullptr);
    ~MainForm() override;

    // The start-up of the program, with the whole command line after the
    // program name. Anything but Ready means the program ends.
    StartupOutcome Form_Load(const QString &commandLine);

    // ShellServices
    void New_Script() override;
    bool Load_Left_Foot() override;
    bool Load_Right_Foot() override;
    void Load_Sizes1() override;
    void Set_Size_List_Texts(const QString &left, const QString &right) override;
    QString Size_List_Text(int side) const override;
    bool Select_Size_At_Least(int side, double size) override;
    void Refresh_File_Lists() override;
    // Points the folder tree (and with it both scan lists) at a folder, which
    // becomes the job's current folder. A folder already shown is read
    // again, as its files may have changed since.
    void Show_Folder(const QString &folder) override;
    void Show_User(const QString &user) override;
    void Minimize_Main_Window() override;
    void Show_Scan_File_Caption(const QString &scanFile) override;

    // Fills the user list from UserList; hides it for a single user.
    void Load_Combo3();
    // Unloads the shut-down list of windows (only those that are loaded).
    void Unload_All();

    void Set_Status(const QString &text);
    QString statusText() const;

signals:
    // The main window has closed: the program ends.
    void programEnded();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildMenus();
    void buildWorkspace();
    // "EVA Script" and "Rigid Script".
    void enterScript(ScriptKind kind);

    InstanceLock m_lock;
    QLabel *m_statusPanel = nullptr;
    QMenu *m_mnuFiles = nullptr;
    QAction *m_mnuNew = nullptr;
    QAction *m_mnuExit = nullptr;
    QAction *m_mnuTools = nullptr;
    QComboBox *m_combo1 = nullptr;
    QComboBox *m_combo2 = nullptr;
    QComboBox *m_combo3 = nullptr;
    QLabel *m_userLabel = nullptr;
    ScanListsPanel *m_scanLists = nullptr;
    QPushButton *m_command10 = nullptr;
};
