#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The six scan intake windows share one window class; what differs between
// them (scanner, defaults, buttons, tab order) is the data of this table.

enum class IntakeScanner { General, RuruZirorur, Lsr, Pellmar };

// What a button of an intake window does.
enum class IntakeAction {
    ScanFoot, // the general window starts the scanner software
    ScanLeft, // the Ruru-Zirorur "Scan Left"
    ScanRight, // the Ruru-Zirorur "Scan Right"
    ScanFeet, // the LSR scanner
    ScanLeftFoot, // the Pellmar scanner, left
    ScanRightFoot, // the Pellmar scanner, right
    Prepare, // "Save Script", "Prepare Script", "Prepare Rigid Script"
    UnzipFile,
    ResetFlags,
};

struct IntakeButton
{
    QString name; // objectName ("Command4")
    QString caption;
    IntakeAction action;
};

struct IntakeVariant
{
    QString window; // "ScanForm2"
    QString caption; // "Ruru-Zirorur Data (EVA)"
    IntakeScanner scanner;
    QString surnameDefault; // "Surname", "SurName" in the general window
    bool rigid = false; // its prepare button makes a rigid job
    // The scan buttons, left first; each but the general window's stands
    // under its name box (Text9 for the first, Text10 for the second).
    std::vector<IntakeButton> scanButtons;
    IntakeButton prepare;
    QString prepareFrame; // "EVA" or "Rigid"; empty: no frame (general window)
    std::vector<IntakeButton> further; // "Unzip File", "Reset Flags"
    QStringList tabOrder; // objectNames, first stop first

    bool general() const { return scanner == IntakeScanner::General; }
    // The scan name boxes, the name check and the left-size copy belong to
    // the scanner windows.
    bool hasScanNameBoxes() const { return !general(); }
    bool checksNames() const { return !general(); }
    bool copiesLeftSize() const { return !general(); }
    bool hasStatusBar() const { return scanner == IntakeScanner::Lsr || scanner == IntakeScanner::Pellmar; }
};

// ScanForm, ScanForm2 .. ScanForm6, in that order.
const std::vector<IntakeVariant> &Intake_Variants();

// The variant of a window name, or null.
const IntakeVariant *Intake_Variant(const QString &window);

// A row of the "Foot parameters" frame that holds two measurement boxes.
struct MeasurementRow
{
    QString family; // "Text4": boxes Text4_0 (left) and Text4_1 (right)
    QString caption; // "Forefoot Varus"
    QString captionLabel; // "Label4"
    QString unit; // "deg"
    QString unitLabel; // "Label11"
};

// Text4 to Text7, top to bottom.
const std::vector<MeasurementRow> &Measurement_Rows();

// What a freshly loaded window shows.
namespace IntakeDefaults {
inline const char *kFirstName = "FirstName";
inline const char *kLeftScanName = "ScanLeft";
inline const char *kRightScanName = "ScanRight";
inline const char *kMeasurement = "0.0";
inline const char *kGender = "Male";
inline const char *kStatus = "Ready";
constexpr int kSizeEntry = 8; // size "9" with the built-in chart
} // namespace IntakeDefaults
