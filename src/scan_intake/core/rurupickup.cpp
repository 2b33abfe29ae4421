#include "rurupickup.h"

#include "errors.h"
#include "paths.h"
#include "pickupsteps.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "shellservices.h"

#include <QDir>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path fsPath(const QString &path)
{
    return std::filesystem::path(path.toStdU16String());
}

[[noreturn]] void fail(const QString &what)
{
    throw SolvaneError(ErrorNumber::FileWrite, what);
}

// Moves a file the scanner left into the data folder. Within one disk a
// rename replaces the older file in one step; across disks the file is
// copied beside its target, flushed to the disk and renamed into place, and
// only then does the original go.
void moveUp(const QString &source, const QString &target)
{
    std::error_code ec;
    std::filesystem::rename(fsPath(source), fsPath(target), ec);
    if (!ec) {
        // Two names of one file: the rename leaves both, and the target
        // already is the file.
        if (QFileInfo::exists(source) && std::filesystem::equivalent(fsPath(source), fsPath(target), ec)
            && !QFile::remove(source))
            fail(QStringLiteral("Cannot delete ") + source);
        return;
    }

    const qint64 size = QFileInfo(source).size();
    Copy_Scan_File(source, target);
    if (QFileInfo(target).size() != size)
        fail(QStringLiteral("The copy of ") + source + QStringLiteral(" is incomplete"));
    if (!QFile::remove(source))
        fail(QStringLiteral("Cannot delete ") + source);
}

} // namespace

QString Ruru_Sub_Folder(const QString &folderF, const QString &baseN)
{
    return folderF + baseN;
}

QList<RuruScanFile> Ruru_Scan_Files(const QString &folderF, const QString &baseN)
{
    const QString sub = Ruru_Sub_Folder(folderF, baseN) + u'/';
    const QString photo = baseN + QStringLiteral("[VRML].Jpg");
    const QString calibrated = QStringLiteral("DPICalibrated-") + photo;
    return {
        {sub + baseN + QStringLiteral(".Wrl"), folderF + baseN + QStringLiteral(".Wrl"),
         QStringLiteral("Scan File Was Not Found")},
        {sub + photo, folderF + photo, QStringLiteral("Texture File Was Not Found")},
        {sub + calibrated, folderF + calibrated, QStringLiteral("DPI File Was Not Found")},
    };
}

QString Ruru_Scan_Name(const QString &surname, const QString &firstName, int side)
{
    return surname + u'_' + firstName + (side == 0 ? QStringLiteral("_L") : QStringLiteral("_R"));
}

PickUpOutcome Pick_Up_Ruru_Scan(ScriptRecord &job, int side, bool scannerStopped)
{
    Wait_Milliseconds(500);
    const QString folderF = job.ScannerDataFolder;
    const QString baseN = job.ScanBaseName;
    const QString sub = Ruru_Sub_Folder(folderF, baseN);
    const QString title = side == 0 ? QStringLiteral("Left") : QStringLiteral("Right");

    bool scanFound = false;
    const QList<RuruScanFile> files = Ruru_Scan_Files(folderF, baseN);
    for (qsizetype i = 0; i < files.size(); ++i) {
        const RuruScanFile &file = files[i];
        // The scanner is a Windows program: its names may come in any case.
        const QString found = scannerStopped ? QString() : Resolve_Path_Nocase(sub, Get_File_Name(file.source));
        if (found.isEmpty() || !QFileInfo(found).isFile()) {
            UI().message(file.missingMessage, title, Prompter::Icon::Information);
            continue;
        }
        moveUp(found, file.target);
        if (i == 0)
            scanFound = true;
    }

    // Never more than the one empty folder: what else the scanner left stays.
    if (!QDir().rmdir(sub))
        fail(QStringLiteral("Cannot remove the scanner's folder ") + sub
             + (QFileInfo(sub).isDir() ? QStringLiteral(" (it is not empty)") : QStringLiteral(" (it is missing)")));

    if (ShellServices *shell = Shell())
        shell->Refresh_File_Lists();
    if (!scanFound)
        return PickUpOutcome::ScanMissing;

    const QString lcf = folderF + baseN + QStringLiteral(".Lcf");
    const QString graphic = folderF + baseN + QStringLiteral("[VRML].Jpg");
    const QString scanName = baseN + QStringLiteral(".Wrl");
    if (side == 0) {
        job.LeftLcfFile = lcf;
        job.LeftGraphicFile = graphic;
        job.LeftScanFileName = scanName;
    } else {
        job.RightLcfFile = lcf;
        job.RightGraphicFile = graphic;
        job.RightScanFileName = scanName;
    }
    job.BrennickFlag = true;

    ShellServices *shell = Shell();
    const bool loaded = shell && (side == 0 ? shell->Load_Left_Foot() : shell->Load_Right_Foot());
    return loaded ? PickUpOutcome::Loaded : PickUpOutcome::LoadFailed;
}
