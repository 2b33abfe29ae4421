#pragma once

#include "jobnames.h"
#include "simplerecords.h"

#include <QString>

#include <array>
#include <functional>
#include <optional>
#include <vector>

struct ScriptRecord;

// The last button of each scan intake window ("Save Script", "Prepare
// Script", "Prepare Rigid Script"): the window's fields into the job, the
// job's record, "Solvane.Cfg", and the hand-over to the prescription window
// that opens next. The six buttons are one procedure; their differences are
// the rows of Prepare_Routes().

// What an intake window holds when the button is pressed, as typed.
struct IntakeFields
{
    IntakeBoxTexts boxes; // Text1 to Text7
    QString podiatrist; // Combo2
    QString clinic; // Combo3
    std::array<QString, 2> footSizes; // Combo1(0) left, Combo1(1) right
};

enum class PrepareRecord {
    General, // the general window's simple record
    Simple, // the scanner windows' simple record (iType)
    Rigid, // a real rigid record
};

enum class PrepareFolder { Current, ScannerData, ScanDest };

enum class PrepareOpens { Nothing, Soft, Rigid };

struct PrepareRoute
{
    QString window; // "ScanForm2"
    PrepareRecord record;
    int iType; // the simple record's title
    PrepareFolder folder;
    JobKind kind; // Rigid puts "R_" before the record's name
    std::optional<bool> preparedFlag; // PreparedCsvFlag afterwards; none leaves it
    PrepareOpens opens;

    // Only the general window's "Save Script" gives out a job number.
    bool advancesCounter() const { return record == PrepareRecord::General; }
    // The scanners and companions on the clinic's machines read the record
    // at this path, and they stop at a blank.
    bool refusesBlanks() const { return record != PrepareRecord::General; }
    // The general window closes once its record is saved.
    bool unloadsItself() const { return record == PrepareRecord::General; }
};

// ScanForm, ScanForm2 .. ScanForm6, in that order.
const std::vector<PrepareRoute> &Prepare_Routes();
const PrepareRoute *Prepare_Route(const QString &window);

inline constexpr char kSpacesInScriptName[] = "Spaces Found in the Script File Name - Exit";

// Step 1: names, job number, measurements, podiatrist, clinic, the 1.5 mm
// thickness, sizes, template and foot lengths, scan date and time. The
// general window stores the measurements as numbers; the scanner windows as
// typed (a decimal comma made a point), and their simple writer converts them.
void Take_Intake_Fields(ScriptRecord &job, const IntakeFields &fields, bool measurementsAsNumbers);

// Step 2: the record's path, from the route's folder and the job's file
// stem (names made safe for a file name).
QString Prepare_Csv_Path(const ScriptRecord &job, const PrepareRoute &route);

// What the buttons need of the prescription windows, installed when the
// program's parts are joined. A hook left empty is raised as Missing_Hook
// before anything is written.
struct PrepareHooks
{
    std::function<void(ScriptRecord &)> writeRigidRecord; // to job.CsvFile
    std::function<void()> openSoftWindow; // loads (reading a handed-over record) and shows
    std::function<void()> showSoftFootSizes; // FootSizeL/R in the open soft window's size lists
    std::function<void()> openRigidWindow;
};
const PrepareHooks &Prepare_Hooks();
void Set_Prepare_Hooks(PrepareHooks hooks);

enum class PrepareOutcome { Done, Refused };

// Steps 1 to 8 and the drawing tools' flag: the job's values, the record,
// "Solvane.Cfg" (the counter advanced only when that write succeeds) and the
// hand-over flags. A blank in the path is refused with a message that says
// so (Refused; nothing written, the job's values of step 1 stay).
// Throws SolvaneError, with nothing handed over, when the counter is at its
// largest (nothing changed), or when the record or "Solvane.Cfg" cannot be
// written (an older file stays whole).
PrepareOutcome Prepare_Script(ScriptRecord &job, const PrepareRoute &route, const IntakeFields &fields);

// The whole button on the program's job: Prepare_Script, then the main
// window's size lists, and the prescription window opened.
PrepareOutcome Run_Prepare_Script(const PrepareRoute &route, const IntakeFields &fields);
