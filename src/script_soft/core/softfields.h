#pragma once

#include "prescriptionjob.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <optional>

struct ScriptRecord;

// How the soft prescription's values travel between the job record and the
// window's controls, and the rules of the window that are not about widgets.
// Everything here is GUI-free: the window decides the order of the writes
// (left before right), these functions the texts and the record's values.
// The measurement rows of the "Foot Data" tab are in footdatarows.h.
namespace SoftFields {

// The "0" format of the length boxes.
QString Whole(double value);

// PFA: the record holds the number and the shape letter ("3.5C").
struct PfaShown
{
    QString number; // "3.5" for the combo
    std::optional<bool> cShape; // from the last character; none leaves the buttons
};
// Also rewrites the record's value as its number "0.0", as the window shows it.
PfaShown Show_Pfa(QString &pfa);
QString Take_Pfa(const QString &comboText, bool sChosen, bool cChosen);

// Scan position: the box holds the size of the angle, "E"/"I" the sign
// ("-" for "E"). Showing also rewrites the record's value as that size.
struct ScanPositionShown
{
    QString size;
    bool external = false;
};
ScanPositionShown Show_Scan_Position(QString &scanPosition);
// The sign comes from the buttons alone: a sign typed into the box is dropped.
QString Take_Scan_Position(const QString &boxText, bool internalChosen);

// Met dome and met pad codes to list positions (anything else is entry 0).
int Met_Dome_Position(const QString &code);
int Met_Pad_Position(const QString &code);

// The fixed combo items.
const QStringList &Met_Dome_Items();
const QStringList &Met_Pad_Items();
const QStringList &Thickness_Items();
const QStringList &Pfa_Items();

// Notes: ";" in the record are line breaks in the box (the record changes);
// the box's lines come back with CR LF breaks.
QString Show_Notes(QString &notes);
QString Take_Notes(const QString &boxText);

// The selected items of a multi-choice list, each followed by ";".
QString Joined_Selection(const QStringList &selectedTexts);

// Template and foot lengths from the foot sizes and the gender.
void Derive_Lengths(ScriptRecord &job);

// What the template and foot length boxes of one side show: "0" for both
// when the size is not above 0, whatever the record holds.
struct LengthTexts
{
    QString templateLength;
    QString footLength;
};
LengthTexts Length_Texts(const ScriptRecord &job, int side);

// A size chosen in one side's size list (0 left, 1 right): that side's
// FootSize, its TemplateLength from the size chart and the gender (0 for a
// size that is not a number) and its FootLength. A left choice also
// recomputes the right foot length from the right template length as it
// stands. Returns the side's foot length as its box shows it.
QString Take_Foot_Size(ScriptRecord &job, int side, const QString &size);

// The length boxes of one side once a size choice is done: the template
// length in whole millimetres while the side's size is above 0 (the foot
// length box keeps what it shows, none); otherwise "0" in both boxes, while
// the record keeps the looked-up lengths.
struct SizeChoiceBoxes
{
    QString templateLength;
    std::optional<QString> footLength;
};
SizeChoiceBoxes Size_Choice_Boxes(const ScriptRecord &job, int side);

// The job's PDF, full PDF and record paths. The new-script form uses the
// "_Default" names while the job has no scans; once a client name is typed
// the names follow the client. PDFs go to the NAS folder in NAS mode.
inline void Name_Job_Files_For_New_Script(ScriptRecord &job)
{
    PrescriptionJob::Name_Job_Files_For_New_Script(job, JobKind::Soft);
}
inline void Name_Job_Files_After_Client(ScriptRecord &job)
{
    PrescriptionJob::Name_Job_Files_After_Client(job, JobKind::Soft);
}

// A user chosen in the user list: CurrentUser, and the job's PDF named
// after the job (in the NAS folder in NAS mode). The full PDF and the
// record keep their names.
inline void Choose_User(ScriptRecord &job, const QString &user)
{
    PrescriptionJob::Choose_User(job, user, JobKind::Soft);
}

// The job values of a new script, set before its window fills the boxes:
// placeholder client names, a fresh job number, scan positions "0", a male
// client, no clinic job number, the default dispense date, the ticks (only
// the confirmation e-mail on), 1.5 mm insoles, the "_Default" file names,
// the scan times, the notes "None" and no forefoot, varus length, extra
// heel depth or heel-to-dot values. The names of the podiatrist, the clinic
// and the options come from the window's lists.
void New_Script_Defaults(ScriptRecord &job);

// The dispense date and scan times both prescription windows share.
using PrescriptionJob::Default_Dispense_Date;
using PrescriptionJob::Dispense_Date_Note;
inline void Set_New_Script_Scan_Times(ScriptRecord &job)
{
    PrescriptionJob::Set_Scan_Times_From_Files(job);
}

} // namespace SoftFields
