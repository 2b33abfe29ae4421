#include "pellmarpickup.h"

#include "errors.h"
#include "paths.h"
#include "pickupsteps.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

const QString kDropFileName = QStringLiteral("BrennickSingleRepeatOutput.wrl");

size_t contentsHash(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return 0;
    if (const uchar *bytes = file.map(0, file.size()))
        return qHash(QByteArrayView(bytes, file.size()));
    return qHash(file.readAll());
}

bool &flagOf(ScriptRecord &job, ScanSide side)
{
    return side == ScanSide::Left ? job.ScannedFlagL : job.ScannedFlagR;
}

} // namespace

QString Pellmar_Drop_File(const QString &dropFolder)
{
    return Join_Path(dropFolder, kDropFileName);
}

DropFileState Drop_File_State(const QString &path)
{
    DropFileState state;
    const QFileInfo info(path);
    state.exists = info.exists() && info.isFile();
    if (!state.exists)
        return state;
    state.size = info.size();
    state.modified = info.lastModified();
    state.contents = contentsHash(path);
    return state;
}

bool Is_New_Drop_File(const DropFileState &before, const DropFileState &now)
{
    if (!now.exists)
        return false;
    return !before.exists || before.size != now.size || before.modified != now.modified
           || before.contents != now.contents;
}

bool Already_Scanned(const ScriptRecord &job, ScanSide side)
{
    return side == ScanSide::Left ? job.ScannedFlagL : job.ScannedFlagR;
}

void Mark_Scanned(ScriptRecord &job, ScanSide side)
{
    flagOf(job, side) = true;
}

void Reset_Flags(ScriptRecord &job)
{
    job.ScannedFlagL = false;
    job.ScannedFlagR = false;
}

PellmarPickup::PellmarPickup(ScriptRecord &job, PickupViews &views, PickupWindow &window)
    : m_job(job),
      m_views(views),
      m_window(window)
{}

bool PellmarPickup::Scan_Foot(ScanSide side, const QString &firstName, const QString &surname,
                              const ScannerRun &runScanner)
{
    const QString sideName = Scan_Side_Name(side);
    if (Already_Scanned(m_job, side)) {
        UI().message(sideName + QStringLiteral(" Foot Has Already Been Scanned"), sideName,
                     Prompter::Icon::Information);
        return false;
    }
    m_job.ClientFirstName = firstName;
    m_job.ClientSurname = surname;
    m_window.Show_Scan_Names(surname + u'_' + firstName + QStringLiteral("_L"),
                             surname + u'_' + firstName + QStringLiteral("_R"));

    const DropFileState before = Drop_File_State(Pellmar_Drop_File(m_job.ScannerDataFolder));
    try {
        m_window.ShowStatus(QStringLiteral("Please Wait While the Scanner Starts..."));
        runScanner();
    } catch (const std::exception &error) {
        UI().message(QStringLiteral("Error: ") + Failure_Reason(error), QStringLiteral("Error"),
                     Prompter::Icon::Critical);
        return false;
    }
    m_window.ShowStatus(QStringLiteral("Processing..."));
    if (!Process_Pellmar_Scan(side, before))
        return false;
    Mark_Scanned(m_job, side);
    return true;
}

bool PellmarPickup::Process_Pellmar_Scan(ScanSide side, const DropFileState &before)
{
    try {
        return pickUp(side, before);
    } catch (const std::exception &error) {
        UI().message(QStringLiteral("Error: ") + Failure_Reason(error), QStringLiteral("Error"),
                     Prompter::Icon::Critical);
        return false;
    }
}

bool PellmarPickup::pickUp(ScanSide side, const DropFileState &before)
{
    Wait_Milliseconds(500);
    const QString folder = m_job.ScanDestFolder;
    if (!QFileInfo(folder).isDir() && !QDir().mkpath(folder))
        throw SolvaneError(ErrorNumber::FileWrite,
                           QStringLiteral("Cannot create the folder ") + QDir::toNativeSeparators(folder));

    const QString dropFile = Pellmar_Drop_File(m_job.ScannerDataFolder);
    const DropFileState now = Drop_File_State(dropFile);
    if (!now.exists)
        throw SolvaneError(ErrorNumber::FileNotFound, QStringLiteral("The Pellmar scanner left no scan: ")
                                                          + QDir::toNativeSeparators(dropFile)
                                                          + QStringLiteral(" was not found"));
    if (!Is_New_Drop_File(before, now)) {
        UI().message(QStringLiteral("No New Scan Was Received from the Pellmar Scanner"), Scan_Side_Name(side),
                     Prompter::Icon::Warning);
        return false;
    }

    PickedFootPaths paths = Picked_Foot_Paths(m_job, side);
    const QString copy =
        Join_Path(folder, Picked_Scan_Name(m_job.ClientSurname, m_job.ClientFirstName, side, QStringLiteral(".wrl")));
    Copy_Scan_File(dropFile, copy);
    paths.scanFile = copy;
    paths.graphicFile = With_Extension(copy, QStringLiteral(".Jpg"));
    m_job.CurrentFolder = folder;

    PickupView &view = Show_Picked_Scan(m_job, m_views, side);
    Wait_Milliseconds(500);
    paths.lcfFile = With_Extension(copy, QStringLiteral(".Lcf"));
    // Saved before the view turns to the sole, which brightens the colours.
    view.Save_Model(paths.lcfFile);
    view.ViewBottom();
    view.Save_Capture(paths.graphicFile);

    m_window.Take_Focus();
    m_window.ShowStatus(QStringLiteral("Ready"));
    return true;
}
