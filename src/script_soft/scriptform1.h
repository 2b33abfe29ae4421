#pragma once

#include "shellservices.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class QListWidget;
class SoftJobCommands;
namespace SoftForm {
struct ScriptForm1Ui;
}

// The scan position sign buttons of both feet: "E" (external) and "I"
// (internal), left [0] and right [1].
struct ScanPositionSigns
{
    std::array<bool, 2> external{};
    std::array<bool, 2> internal{};
};

// "EVA Orthotic Script File": the soft (EVA) prescription of the job held in
// Job(). Created through the window registry (its constructor is its load),
// it moves the job record into its controls and back and keeps the record in
// step with every edit. Controls carry their historic names as objectNames
// (Text8_0 is the left "Forefoot Varus" box).
class ScriptForm1 : public QWidget, public NewJobFormResets
{
    Q_OBJECT
public:
    explicit ScriptForm1(QWidget *parent = nullptr);
    ~ScriptForm1() override;

    // The whole opening sequence: defaults, the prepared record, first tab,
    // list fills and the sizes remembered for "QUIT".
    void Run_Load_Steps();

    // Record to controls and back.
    void Load_Data_1();
    void Load_Data_2();
    void Save_Data();

    // List and table loaders.
    void Load_List1();
    void Load_List2();
    void Load_List3();
    void Load_List4();
    void Load_Sizes1();
    void Load_Sizes2();
    void Load_Sizes3();
    void Load_Sizes4();
    QString Read_Podiatrists();
    QString Read_Clinics();
    void Load_Combo5();

    // Option list selection.
    void Load_Lists2();
    void Set_StylesL();
    void Set_StylesR();

    // The insole drawing pane of the "Graphics" tab (see DrawingPaneHook).
    void Load_Vec_File();
    void Insert_Foot_Block(const QString &blockFile, double x, double y, double z, double scale);

    // What a new job resets on this window.
    void Reset_For_New_Job() override;

    bool listsReady() const { return m_listsReady; }

    // What the job commands and the drawing pane read and show here.
    QString footSize(int side) const; // the size list's text, 0 left, 1 right
    // The job's FootSizeL and FootSizeR as the size lists' texts (Combo1_0,
    // Combo1_1); a size the list does not hold is shown all the same.
    void showFootSizes();
    ScanPositionSigns scanPositionSigns() const;
    // The client name boxes; each change renames the job's files.
    void showClientFirstName(const QString &name);
    void showClientSurname(const QString &name);
    void showPdfPath(); // the job's PdfFile in "PDF Output File"
    void showJobNumber(); // the job's JobNumber in "Job Number"

    // The foot sizes as they stood at the end of the last load; "QUIT" puts
    // them back. They outlive the window.
    static QString SavedFootSizeL;
    static QString SavedFootSizeR;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectBehaviour();

    // Record to controls.
    void writeClientAndScanBoxes();
    void showLengths();
    void showLookedUpLengths();

    // Behaviour.
    void Combo1_Click(int side);
    void Combo8_Click();
    void List1_Click(int side, int row);
    void List2_Click(int side, int row);
    void List3_Click(int side, int row);
    void List4_Click(int side, int row);
    void takeSingleChoice(const std::array<QListWidget *, 2> &lists, int side, int row, QString &leftField,
                          QString &rightField);
    void Clear_Top_Covers();
    void Clear_Insole_Options();
    void Choose_Scan_File(int side);
    void Ask_Heel_Depth_Side(int side);
    void Text5_DblClick();
    void Tab_Change(int index);
    void Quit();
    void Sizes();
    void openWindow(const QString &name);
    void jobCommand(void (SoftJobCommands::*command)(ScriptForm1 &));
    void reflectRecordRead();

    std::unique_ptr<SoftForm::ScriptForm1Ui> ui;

    bool m_listsReady = false;
    bool m_clearingLists = false;
    bool m_quietOptions = false; // an option list taking "None" away itself
};

// Registers the soft prescription window with the window registry; the main
// window calls it once at start-up.
void Register_Soft_Windows();

// The "EVA Script" menu and the intake windows' "Prepare Script": creates the
// window when needed (its load runs), takes a record handed over while it
// was already open by running its opening sequence again, and brings it to
// the front.
ScriptForm1 *Open_ScriptForm1();
