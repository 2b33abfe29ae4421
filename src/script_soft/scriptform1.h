#pragma once

#include "shellservices.h"

#include <QHash>
#include <QString>
#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QBoxLayout;
class SoftJobCommands;

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

    // The insole drawing pane of the "Graphics" tab (see SoftDrawingPane).
    void Load_Vec_File();
    void Insert_Foot_Block(const QString &blockFile);

    // What a new job resets on this window.
    void Reset_For_New_Job() override;

    bool listsReady() const { return m_listsReady; }

    // The foot sizes as they stood at the end of the last load; "QUIT" puts
    // them back. They outlive the window.
    static QString SavedFootSizeL;
    static QString SavedFootSizeR;

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildJobDataTab(QWidget *tab);
    void buildFootDataTab(QWidget *tab);
    void buildOrthoticDataTab(QWidget *tab);
    void buildGraphicsTab(QWidget *tab);
    void buildButtonRow(QBoxLayout *row);
    void connectBehaviour();

    QLineEdit *box(const QString &name) const;
    QComboBox *combo(const QString &name) const;
    QListWidget *list(const QString &name) const;
    QRadioButton *option(int n) const;
    QCheckBox *check(int n) const;

    void writePairBoxes(const QStringList &controls);
    void writeBox(const QString &name, const QString &text);
    void showLengths();
    void writeClientAndScanBoxes();
    void showLookedUpLengths();
    void takeSingleChoice(const QString &listName, int side, int row, QString &leftField, QString &rightField);
    void chooseEntry(QComboBox *combo, int index);

    // Behaviour.
    void Combo1_Click(int side);
    void Combo8_Click();
    void List1_Click(int side, int row);
    void List2_Click(int side, int row);
    void List3_Click(int side, int row);
    void List4_Click(int side, int row);
    void Clear_Top_Covers();
    void Clear_Insole_Options();
    void Choose_Scan_File(int side);
    void Ask_Heel_Depth_Side(int side);
    void Text5_DblClick();
    void Tab_Change(int index);
    void Quit();
    void Sizes();
    void openWindow(const QString &name, const QString &caption);
    void jobCommand(const QString &caption, void (SoftJobCommands::*command)(ScriptForm1 &));
    void pickGraphicSide(const QString &side, const QString &message);
    void reflectRecordRead();

    int selectedRow(QListWidget *list) const;
    void fillListPair(QListWidget *left, QListWidget *right, const QStringList &items);

    QTabWidget *m_tabs = nullptr;
    QHash<QString, QWidget *> m_controls;

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
