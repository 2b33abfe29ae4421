#pragma once
// The controls of the soft prescription window, built tab by tab. Each
// control keeps its historic name as its objectName (Text8_0 is the left
// "Forefoot Varus" box, Combo1_1 the right size list) and its caption as its
// accessible name; the window reaches it through the typed members below.

#include "drawingpanetab.h"
#include "footdatarows.h"
#include "formparts.h"

#include <QString>

#include <array>
#include <vector>

class QBoxLayout;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;

namespace SoftForm {

// The left (0) and right (1) control of a row.
template <typename T>
using Pair = std::array<T *, 2>;

// "Job Data": the client, the job's files and the scan.
struct JobDataTab
{
    QLineEdit *firstName = nullptr; // Text38
    QLineEdit *surname = nullptr; // Text49
    QLineEdit *jobNumber = nullptr; // Text1
    QLineEdit *gender = nullptr; // Text5, a double click toggles it
    QComboBox *podiatrist = nullptr; // Combo2
    QComboBox *clinic = nullptr; // Combo3
    QLineEdit *patientFileNumber = nullptr; // Text48
    QLineEdit *dispenseDate = nullptr; // Text29
    QCheckBox *priorityReturn = nullptr; // Check1
    QCheckBox *confirmBeforeManufacture = nullptr; // Check2
    QCheckBox *sendConfirmationEmail = nullptr; // Check3
    QLineEdit *pdfFile = nullptr; // Text2
    Pair<QLineEdit> scanFile{}; // Text3
    Pair<QPushButton> chooseScanFile{}; // Command28, Command29
    Pair<QLineEdit> graphicFile{}; // Text37
    QLineEdit *scannerId = nullptr; // Text44
    QLineEdit *operatorCode = nullptr; // Text43
    QComboBox *user = nullptr; // Combo8, hidden for a single user
    Pair<QLineEdit> scanDate{}; // Text41
    Pair<QLineEdit> scanTime{}; // Text42
    Pair<QLineEdit> templateCode{}; // Text15, Text27
    QPushButton *graphicImage = nullptr; // Command21, hidden

    static JobDataTab build(QWidget *tab);
};

// "Foot Data": the rows of SoftFields::Foot_Data_Rows() and the controls
// that some of them carry.
struct FootDataTab
{
    struct BoxRow
    {
        const SoftFields::FootDataRow *row;
        Pair<QLineEdit> boxes;
    };

    Pair<QComboBox> footSize{}; // Combo1
    QPushButton *sizes = nullptr; // Command10
    Pair<QLineEdit> templateLength{}; // Text30, Text46
    Pair<QLineEdit> footLength{}; // Text7
    Pair<QComboBox> thickness{}; // Combo6
    Pair<QComboBox> pfa{}; // Combo7
    Pair<QComboBox> metDome{}; // Combo4
    Pair<QComboBox> metPad{}; // Combo5
    Pair<QLineEdit> extraHeelDepth{}; // Text11
    Pair<QPushButton> heelDepthSide{}; // Command5, Command6 ("S")
    Pair<QRadioButton> pfaShapeS{}; // Option1, Option3
    Pair<QRadioButton> pfaShapeC{}; // Option2, Option4
    Pair<QLineEdit> scanPosition{}; // Text4
    Pair<QRadioButton> scanExternal{}; // Option5, Option7 ("E")
    Pair<QRadioButton> scanInternal{}; // Option6, Option8 ("I")
    QPushButton *graphicImage = nullptr; // Command22, hidden
    std::vector<BoxRow> boxRows; // every row of boxes, in the table's order

    // The boxes of a row of boxes of the table.
    const Pair<QLineEdit> &boxes(const SoftFields::FootDataRow &row) const;

    static FootDataTab build(QWidget *tab);
};

// "Orthotic Data": the option lists, the notes and "Print".
struct OrthoticDataTab
{
    Pair<QListWidget> styles{}; // List1
    Pair<QListWidget> densities{}; // List2
    Pair<QListWidget> topCovers{}; // List3
    Pair<QListWidget> insoleOptions{}; // List4L, List4R
    QPushButton *clearTopCovers = nullptr; // Command26
    QPushButton *clearInsoleOptions = nullptr; // Command27
    QPlainTextEdit *notes = nullptr; // Text6
    QPushButton *print = nullptr; // Command20

    static OrthoticDataTab build(QWidget *tab);
};

// "Graphics": the drawing tools' palettes, the foot choice and the pane
// (Vecad1, Label20 ... Label49).
using GraphicsTab = DrawingPaneTab;

// The command buttons under the tabs.
struct ButtonRow
{
    QPushButton *quit = nullptr; // Command1
    QPushButton *openScript = nullptr; // Command9
    QPushButton *saveScript = nullptr; // Command8
    QPushButton *writeJson = nullptr; // Command7
    QPushButton *submit = nullptr; // Command2
    QPushButton *saveLocally = nullptr; // Command3
    QPushButton *nextJob = nullptr; // Command4, hidden

    static ButtonRow build(QBoxLayout *row);
};

struct ScriptForm1Ui
{
    QTabWidget *tabs = nullptr; // SSTab1
    JobDataTab jobData;
    FootDataTab footData;
    OrthoticDataTab orthoticData;
    GraphicsTab graphics;
    ButtonRow buttons;

    // Builds the tabs and the button row on `form`, "Foot Data" current.
    void setupUi(QWidget *form);
};

// Building blocks shared by the tabs.
using FormParts::captionFor;
using FormParts::chooseEntry;
using FormParts::commandButton;
using FormParts::named;
using FormParts::sideName;

} // namespace SoftForm
