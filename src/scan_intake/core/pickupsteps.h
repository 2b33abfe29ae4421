#pragma once

#include "pickupview.h"

#include <QString>

struct ScriptRecord;

// Steps both scan pick-ups take.

// Copies a scanner's file to its name in the job, replacing an older copy
// only once the new one is whole and on the disk (written beside it,
// flushed, then renamed, and the folder flushed), so the scanner's file may
// be deleted after it. Returns
// false, copying nothing, when the source is the target itself: a folder
// named like the client makes the scanner's file its own copy. Raises
// SolvaneError when the source is missing or the copy fails.
bool Copy_Scan_File(const QString &source, const QString &target);

// The file name a client's scan is kept under: "<surname>_<first name>_L"
// (or "_R") and `suffix`, each name part safe for a file name.
QString Picked_Scan_Name(const QString &surname, const QString &firstName, ScanSide side, const QString &suffix);

// The path less its last four characters (".wrl") and the new extension.
QString With_Extension(const QString &path, const QString &extension);

// The job's paths of one foot.
struct PickedFootPaths
{
    QString &scanFile;
    QString &selectedScanFile;
    QString &lcfFile;
    QString &graphicFile;
};
PickedFootPaths Picked_Foot_Paths(ScriptRecord &job, ScanSide side);

// Shows a picked-up scan in its view as the scanners' pick-ups always have:
// the job's selected scan and the main caption name it, the main status says
// "Loading Scan Data", the view loads it, names it, smooths it, shows itself
// and keeps the model as loaded for "Undo All". Returns the view.
PickupView &Show_Picked_Scan(ScriptRecord &job, PickupViews &views, ScanSide side);

// The reason an exception gives, for a message.
QString Failure_Reason(const std::exception &error);
