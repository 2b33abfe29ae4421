#include "lsrpickup.h"

#include "errors.h"
#include "paths.h"
#include "pickupsteps.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "texprepare.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QString withoutFinalSeparator(QString folder)
{
    while (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(u'\\')))
        folder.chop(1);
    return folder;
}

const QString kErrorTitle = QStringLiteral("Error");

} // namespace

LsrPickupFiles Lsr_Pickup_Files(const QString &dataFolder, const QString &surname, const QString &firstName)
{
    LsrPickupFiles files;
    files.folder = withoutFinalSeparator(dataFolder);
    const QString scanner = Get_Path(dataFolder);
    for (const ScanSide side : {ScanSide::Left, ScanSide::Right}) {
        LsrFootFiles &foot = files.feet[side == ScanSide::Left ? 0 : 1];
        const QString own = scanner + u'_' + Scan_Side_Letter(side);
        foot.scanSource = Join_Path(files.folder, own + QStringLiteral(".wrl"));
        foot.textureSource = Join_Path(files.folder, own + QStringLiteral("[VRML].jpg"));
        foot.textureName = Picked_Scan_Name(surname, firstName, side, QStringLiteral("[VRML].jpg"));
        foot.scanCopy = Join_Path(files.folder, Picked_Scan_Name(surname, firstName, side, QStringLiteral(".wrl")));
        foot.textureCopy = Join_Path(files.folder, foot.textureName);
    }
    return files;
}

void Make_Lsr_Data_Folder(const QString &dataFolder)
{
    const QString folder = withoutFinalSeparator(dataFolder);
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        throw SolvaneError(ErrorNumber::FileWrite,
                           QStringLiteral("Cannot create the folder ") + QDir::toNativeSeparators(folder));
}

LsrPickup::LsrPickup(ScriptRecord &job, PickupViews &views, PickupWindow &window)
    : m_job(job),
      m_views(views),
      m_window(window)
{}

bool LsrPickup::Scan_Feet(const QString &firstName, const QString &surname, const ScannerRun &runScanner)
{
    m_job.ClientFirstName = firstName;
    m_job.ClientSurname = surname;
    const QString left = surname + u'_' + firstName + QStringLiteral("_L");
    m_window.Show_Scan_Names(left, surname + u'_' + firstName + QStringLiteral("_R"));
    m_job.ScanBaseName = left;
    m_job.ScanWrlName = left + QStringLiteral(".Wrl");
    try {
        Make_Lsr_Data_Folder(m_job.ScannerDataFolder);
        m_window.ShowStatus(QStringLiteral("Please Wait While the Scanner Starts..."));
        runScanner();
    } catch (const std::exception &error) {
        Set_Status(QStringLiteral("Error: ") + Failure_Reason(error));
        UI().message(QStringLiteral("LSR Scanner Application Error"), kErrorTitle, Prompter::Icon::Critical);
        return false;
    }
    m_window.ShowStatus(QStringLiteral("Processing..."));
    return Process_LSR_Scan();
}

bool LsrPickup::Process_LSR_Scan()
{
    try {
        pickUp();
        return true;
    } catch (const std::exception &error) {
        Set_Status(QStringLiteral("Error: ") + Failure_Reason(error));
        UI().message(QStringLiteral("LSR Scanner Post-Processing Error"), kErrorTitle, Prompter::Icon::Critical);
        return false;
    }
}

void LsrPickup::pickUp()
{
    m_undeleted.clear();
    Wait_Milliseconds(500);
    const LsrPickupFiles files = Lsr_Pickup_Files(m_job.ScannerDataFolder, m_job.ClientSurname, m_job.ClientFirstName);

    // A file that is its own copy stays: it is the only one there is.
    QStringList scannerFiles;
    for (const ScanSide side : {ScanSide::Left, ScanSide::Right}) {
        if (Copy_Scan_File(files[side].scanSource, files[side].scanCopy))
            scannerFiles << files[side].scanSource;
        if (Copy_Scan_File(files[side].textureSource, files[side].textureCopy))
            scannerFiles << files[side].textureSource;
    }

    m_job.CurrentFolder = files.folder;
    for (const ScanSide side : {ScanSide::Left, ScanSide::Right}) {
        PickedFootPaths paths = Picked_Foot_Paths(m_job, side);
        paths.scanFile = files[side].scanCopy;
        paths.graphicFile = files[side].textureCopy;
    }
    for (const ScanSide side : {ScanSide::Left, ScanSide::Right})
        TexPrepare(files[side].scanCopy, files[side].textureName);
    for (const ScanSide side : {ScanSide::Left, ScanSide::Right}) {
        PickedFootPaths paths = Picked_Foot_Paths(m_job, side);
        paths.lcfFile = With_Extension(paths.scanFile, QStringLiteral(".Lcf"));
    }

    for (const ScanSide side : {ScanSide::Left, ScanSide::Right})
        Show_Picked_Scan(m_job, m_views, side);

    for (const QString &file : std::as_const(scannerFiles))
        if (!QFile::remove(file))
            m_undeleted << file;
    m_window.Take_Focus();
    m_window.ShowStatus(QStringLiteral("Ready"));
    // Left behind, they would be taken for the next client's scans.
    if (!m_undeleted.isEmpty())
        UI().message(QStringLiteral("The scanner's files could not be deleted:\r\n")
                         + QDir::toNativeSeparators(m_undeleted.join(QStringLiteral("\r\n"))),
                     QStringLiteral("Warning"), Prompter::Icon::Warning);
}
