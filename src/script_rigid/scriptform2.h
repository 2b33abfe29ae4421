#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class GridControl;
class RigidJobCommands;
namespace RigidForm {
struct ScriptForm2Ui;
}
namespace RigidGrid {
class Texts;
}

// Whose client the window opens on. A new rigid job (the menu) starts from
// the defaults: "Male" and the first podiatrist and clinic of the lists. An
// intake window's "Prepare Script" has put its client into the job already:
// the names, gender, podiatrist and clinic typed or picked there stay.
enum class RigidOpening { NewJob, IntakeClient };

// "Rigid Orthotic Script File": the rigid shell prescription of the job
// held in Job(). Created through the window registry (its constructor is
// its load), it shows the job's data on "Job Data", the whole prescription
// in one 82-row grid on "Foot Data" and hosts the insole drawing pane on
// "Graphics". Name boxes, dispense date, lists and ticks keep the job in
// step as they change; the grid goes into the job when it is saved.
class ScriptForm2 : public QWidget
{
    Q_OBJECT
public:
    explicit ScriptForm2(QWidget *parent = nullptr);
    ~ScriptForm2() override;

    // The whole opening sequence: new job defaults, the prepared record,
    // first tab, user list, the rigid defaults with a fresh grid and the
    // help links.
    void Run_Load_Steps(RigidOpening opening = RigidOpening::NewJob);

    // Record to controls and back.
    void Load_Data_1(RigidOpening opening = RigidOpening::NewJob);
    void Load_Data_2();
    void Save_Data_Rigid();

    // Lists.
    QString Read_Podiatrists_Rigid();
    QString Read_Clinics_Rigid();
    void Load_Combo5();

    // The grid: the rigid defaults and a rebuild (Set_Default), a rebuild
    // from the job as it stands (an opened script), and the grid's values
    // back into the job (any open editor committed first).
    void Set_Default();
    void Rebuild_Grid();
    void Save_Grid();
    RigidGrid::Texts gridTexts();
    GridControl *grid() const;

    // The insole drawing pane of the "Graphics" tab (see DrawingPaneHook).
    void Load_Vec_File();
    void Insert_Foot_Block(const QString &blockFile, double x, double y, double z, double scale);

    // The three tick boxes show the job's tick fields (after a record read).
    void showTicks();
    void showPdfPath(); // the job's PdfFile in "PDF Output File"
    QString pdfPathShown() const; // what "PDF Output File" holds
    void showJobNumber(); // the job's JobNumber in "Job Number"
    // A client name given at a job command's prompt, into its box.
    void showClientFirstName(const QString &name);
    void showClientSurname(const QString &name);

    int ClickedRow = 1;
    int ClickedColumn = 1;
    QStringList HelpLinks; // the help page of grid row i at i - 1

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void connectBehaviour();
    void writeNameBoxes();
    void writeScanBoxes();
    void nameFilesAfterClient();

    // Behaviour.
    void rCombo8_Click();
    void SSTab1_Click(int index);
    void Grid1_List_Open(int row);
    void Grid1_Cell_Changed(int row, int column);
    void Grid1_Cell_Click();
    void Quit();
    void openWindow(const QString &name);
    void jobCommand(void (RigidJobCommands::*command)(ScriptForm2 &));
    void fillGrid();

    std::unique_ptr<RigidForm::ScriptForm2Ui> ui;
};

// Registers the rigid prescription window with the window registry; the
// program's parts are joined with it at start-up.
void Register_Rigid_Windows();

// The "Rigid Script" menu and the intake windows' hand-over: creates the
// window when needed (its load runs), takes a record handed over while it
// was already open by running its opening sequence again, and brings it to
// the front. An intake window's client is always taken by the opening
// sequence, so an open window never shows the last client over new scans.
ScriptForm2 *Open_ScriptForm2(RigidOpening opening = RigidOpening::NewJob);
