#pragma once
// The controls of the rigid prescription window, built tab by tab. Each
// control keeps its historic name as its objectName (rText3_0 is the "Left
// Scan File" box) and its caption as its accessible name; the window
// reaches it through the typed members below.

#include "drawingpanetab.h"

#include <array>

class GridControl;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QWidget;

namespace RigidForm {

// The left (0) and right (1) control of a pair.
template <typename T>
using Pair = std::array<T *, 2>;

// "Job Data": the client, the job's files, the scan and the ticks.
struct JobDataTab
{
    QLineEdit *jobNumber = nullptr; // rText1
    QLineEdit *patientFileNumber = nullptr; // rText48
    QLineEdit *pdfFile = nullptr; // rText2
    Pair<QLineEdit> scanFile{}; // rText3
    Pair<QLineEdit> graphicFile{}; // rText37
    QLineEdit *firstName = nullptr; // rText38
    QLineEdit *surname = nullptr; // rText49
    Pair<QLineEdit> scanDate{}; // rText41
    Pair<QLineEdit> scanTime{}; // rText42
    QLineEdit *operatorCode = nullptr; // rText43
    QLineEdit *scannerId = nullptr; // rText44
    QLineEdit *dispenseDate = nullptr; // rText29
    QComboBox *podiatrist = nullptr; // rCombo2
    QComboBox *clinic = nullptr; // rCombo3
    QComboBox *user = nullptr; // rCombo8, hidden for a single user
    QCheckBox *priorityReturn = nullptr; // rCheck1
    QCheckBox *confirmBeforeManufacture = nullptr; // rCheck2
    QCheckBox *sendConfirmationEmail = nullptr; // rCheck3
    QPushButton *nextJob = nullptr; // Command4
    QPushButton *graphicImage = nullptr; // Command21

    static JobDataTab build(QWidget *tab);
};

// "Foot Data": the prescription grid and its buttons.
struct FootDataTab
{
    GridControl *grid = nullptr; // Grid1
    QPushButton *sizes = nullptr; // Command10
    QPushButton *newGrid = nullptr; // Command6
    QPushButton *printOptions = nullptr; // Command20

    static FootDataTab build(QWidget *tab);
};

// The command buttons under the tabs.
struct ButtonRow
{
    QPushButton *quit = nullptr; // Command1
    QPushButton *submit = nullptr; // Command2
    QPushButton *saveLocally = nullptr; // Command3
    QPushButton *upload = nullptr; // Command7
    QPushButton *saveScript = nullptr; // Command8
    QPushButton *openScript = nullptr; // Command9

    static ButtonRow build(QBoxLayout *row);
};

struct ScriptForm2Ui
{
    QTabWidget *tabs = nullptr; // SSTab1
    JobDataTab jobData;
    FootDataTab footData;
    DrawingPaneTab graphics; // Vecad2, rLabel20 ... rLabel49
    ButtonRow buttons;

    // Builds the tabs and the button row on `form`, "Foot Data" current.
    void setupUi(QWidget *form);
};

} // namespace RigidForm
