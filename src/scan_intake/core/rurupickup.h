#pragma once

#include <QString>
#include <QStringList>

struct ScriptRecord;

// What the Ruru-Zirorur program leaves for one foot, and where it goes.
// F is the folder scanned into (ScannerDataFolder, ending in a separator),
// N the scan's base name (ScanBaseName): the program writes the sub-folder
// F + N holding N.Wrl, N[VRML].Jpg and DPICalibrated-N[VRML].Jpg, and the
// pick-up moves the three files up into F.
struct RuruScanFile
{
    QString source; // in the sub-folder
    QString target; // in F
    QString missingMessage; // "Scan File Was Not Found", ...
};

QString Ruru_Sub_Folder(const QString &folderF, const QString &baseN);
QList<RuruScanFile> Ruru_Scan_Files(const QString &folderF, const QString &baseN);

// The scan base name of a foot as the scan name boxes build it:
// surname + "_" + first name + "_L" (or "_R"), as typed.
QString Ruru_Scan_Name(const QString &surname, const QString &firstName, int side);

enum class PickUpOutcome {
    Loaded, // the foot is in its view
    ScanMissing, // the scanner left no scan: nothing was loaded
    LoadFailed, // the main window's load refused the scan (it said why)
};

// Picks up one foot (0 left, 1 right) after its scanner run, from
// ScannerDataFolder and ScanBaseName:
//  - each of the three files found in the sub-folder (whatever the case of
//    its name) is moved into F, replacing an older one; a file not found is
//    reported with its own message (title "Left" or "Right") and the others
//    go on;
//  - a file leaves the sub-folder only once its copy in F has its size;
//  - the sub-folder is removed, never with what it still holds: a folder
//    that is not empty or is missing stops the pick-up (SolvaneError);
//  - the main window's scan lists are read again, the foot's model, image
//    and scan names set, BrennickFlag set, and the foot loaded through the
//    main window, unless no scan was found.
// A copy or removal that fails throws SolvaneError; files already moved stay.
// After the user stopped waiting for the scanner, what it may have half
// written is not taken: the pick-up goes on as for a run that left nothing.
PickUpOutcome Pick_Up_Ruru_Scan(ScriptRecord &job, int side, bool scannerStopped = false);
