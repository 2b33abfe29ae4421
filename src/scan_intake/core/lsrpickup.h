#pragma once

#include "pickupview.h"

#include <QString>
#include <QStringList>

#include <functional>

struct ScriptRecord;

// The files of one foot that the LSR scanner leaves in its data folder D,
// and the copies named after the client.
struct LsrFootFiles
{
    QString scanSource; // D/<G>_L.wrl, G being the last part of D's path
    QString textureSource; // D/<G>_L[VRML].jpg
    QString scanCopy; // D/<surname>_<first name>_L.wrl
    QString textureCopy; // D/<surname>_<first name>_L[VRML].jpg
    QString textureName; // the copy's photo, without a folder
};

struct LsrPickupFiles
{
    QString folder; // D without a final separator: the job's CurrentFolder
    LsrFootFiles feet[2]; // left, right
    const LsrFootFiles &operator[](ScanSide side) const { return feet[side == ScanSide::Left ? 0 : 1]; }
};

LsrPickupFiles Lsr_Pickup_Files(const QString &dataFolder, const QString &surname, const QString &firstName);

// The LSR scanner's data folder made when missing, before the scanner runs;
// SolvaneError when it cannot be made.
void Make_Lsr_Data_Folder(const QString &dataFolder);

// "Scan Feet" of the LSR intake window: one run of the LSR scanner takes
// both feet; their scans and photos are copied to the client's names, each
// scan pointed at its copied photo, and both loaded into the foot views.
// The scanner's own four files go only once both feet have loaded from the
// copies, so a failure never loses the only copy of a scan.
class LsrPickup
{
public:
    LsrPickup(ScriptRecord &job, PickupViews &views, PickupWindow &window);

    // Writes the scanner's command and runs it, raising an exception when
    // either fails.
    using ScannerRun = std::function<void()>;

    // The whole scan: the names into the job, the data folder made, the
    // scanner run, then Process_LSR_Scan. A failure before the pick-up shows
    // "LSR Scanner Application Error". True when both feet are in.
    bool Scan_Feet(const QString &firstName, const QString &surname, const ScannerRun &runScanner);

    // Picks up what the scanner left in ScannerDataFolder. A failure shows
    // "LSR Scanner Post-Processing Error" (its reason on the main status
    // line) and returns false; what was done stays done.
    bool Process_LSR_Scan();

    // Scanner files that could not be deleted after a pick-up.
    const QStringList &undeleted() const { return m_undeleted; }

private:
    void pickUp();

    ScriptRecord &m_job;
    PickupViews &m_views;
    PickupWindow &m_window;
    QStringList m_undeleted;
};
