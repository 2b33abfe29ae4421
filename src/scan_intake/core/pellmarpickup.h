#pragma once

#include "pickupview.h"

#include <QDateTime>
#include <QString>

#include <functional>

struct ScriptRecord;

// The file the Pellmar scanner leaves for every scan, in its drop folder; a
// folder given without a final separator is joined with one.
QString Pellmar_Drop_File(const QString &dropFolder);

// What the drop file was before a run, so that a run that left no new scan
// is not taken for one: the scanner never removes its old file.
struct DropFileState
{
    bool exists = false;
    qint64 size = 0;
    QDateTime modified;
    size_t contents = 0; // a hash of the bytes
};
DropFileState Drop_File_State(const QString &path);

// New or changed since `before`: its time, size or contents differ.
bool Is_New_Drop_File(const DropFileState &before, const DropFileState &now);

// The scanned flags, shared by both Pellmar windows: a foot is counted as
// scanned only when its whole scan came through.
bool Already_Scanned(const ScriptRecord &job, ScanSide side);
void Mark_Scanned(ScriptRecord &job, ScanSide side);
void Reset_Flags(ScriptRecord &job); // "Reset Flags" and the Pellmar menu items

// "Scan Left Foot" / "Scan Right Foot" of both Pellmar windows: one foot per
// run of the scanner control program. Its fresh drop file is copied into the
// job folder under the client's name, loaded, smoothed and saved as the foot
// model, and a picture of the sole becomes the foot image. The drop file is
// never moved or deleted.
class PellmarPickup
{
public:
    PellmarPickup(ScriptRecord &job, PickupViews &views, PickupWindow &window);

    // Writes the scanner's command and runs it, raising an exception when
    // either fails; a stopped wait returns as a run that left nothing.
    using ScannerRun = std::function<void()>;

    // The scan of one foot. Refused ("Left Foot Has Already Been Scanned")
    // while its flag is set; the flag is set when the scan came through.
    bool Scan_Foot(ScanSide side, const QString &firstName, const QString &surname, const ScannerRun &runScanner);

    // Picks up the drop file for a side, when it is new since `before`. A
    // stale one is refused with "No New Scan Was Received from the Pellmar
    // Scanner", any other failure shows "Error: " and its reason. True when
    // the foot is in, its model and sole image written.
    bool Process_Pellmar_Scan(ScanSide side, const DropFileState &before);

private:
    bool pickUp(ScanSide side, const DropFileState &before);

    ScriptRecord &m_job;
    PickupViews &m_views;
    PickupWindow &m_window;
};
