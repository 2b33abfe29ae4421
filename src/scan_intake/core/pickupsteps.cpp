#include "pickupsteps.h"

#include "disksync.h"
#include "errors.h"
#include "jobnames.h"
#include "paths.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "shellservices.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>
#include <system_error>

namespace {

std::filesystem::path fsPath(const QString &path)
{
    return QFileInfo(path).filesystemFilePath();
}

} // namespace

bool Copy_Scan_File(const QString &source, const QString &target)
{
    auto failed = [&](const QString &reason) {
        return SolvaneError(ErrorNumber::FileWrite, QStringLiteral("Cannot copy ") + QDir::toNativeSeparators(source)
                                                        + QStringLiteral(" to ") + QDir::toNativeSeparators(target)
                                                        + QStringLiteral(": ") + reason);
    };
    const QFileInfo from(source);
    if (!from.exists() || from.isDir())
        throw SolvaneError(ErrorNumber::FileNotFound, QStringLiteral("The file ") + QDir::toNativeSeparators(source)
                                                          + QStringLiteral(" was not found"));
    const QFileInfo to(target);
    if (to.exists() && from.canonicalFilePath() == to.canonicalFilePath())
        return false;

    QTemporaryFile partial(Join_Path(to.path(), u'.' + to.fileName() + QStringLiteral(".XXXXXX")));
    if (!partial.open())
        throw failed(partial.errorString());
    partial.close();
    std::error_code ec;
    std::filesystem::copy_file(fsPath(source), fsPath(partial.fileName()),
                               std::filesystem::copy_options::overwrite_existing, ec);
    if (!ec && QFileInfo(partial.fileName()).size() != from.size())
        ec = std::make_error_code(std::errc::io_error);
    if (ec)
        throw failed(QString::fromStdString(ec.message()));
    // The scanner's own file is deleted next: the copy must be on the disk
    // itself, under its name, before that.
    if (const int error = Sync_File(partial.fileName()))
        throw failed(Disk_Error_Text(error));
    std::filesystem::rename(fsPath(partial.fileName()), fsPath(target), ec);
    if (ec)
        throw failed(QString::fromStdString(ec.message()));
    partial.setAutoRemove(false);
    if (const int error = Sync_Folder(to.absolutePath()))
        throw failed(Disk_Error_Text(error));
    return true;
}

QString Picked_Scan_Name(const QString &surname, const QString &firstName, ScanSide side, const QString &suffix)
{
    return safeNamePart(surname) + u'_' + safeNamePart(firstName) + u'_' + Scan_Side_Letter(side) + suffix;
}

QString With_Extension(const QString &path, const QString &extension)
{
    return path.chopped(qMin<qsizetype>(4, path.size())) + extension;
}

PickedFootPaths Picked_Foot_Paths(ScriptRecord &job, ScanSide side)
{
    if (side == ScanSide::Left)
        return {job.LeftScanFile, job.LeftSelectedScanFile, job.LeftLcfFile, job.LeftGraphicFile};
    return {job.RightScanFile, job.RightSelectedScanFile, job.RightLcfFile, job.RightGraphicFile};
}

PickupView &Show_Picked_Scan(ScriptRecord &job, PickupViews &views, ScanSide side)
{
    PickedFootPaths paths = Picked_Foot_Paths(job, side);
    paths.selectedScanFile = paths.scanFile;
    if (ShellServices *shell = Shell())
        shell->Show_Scan_File_Caption(paths.selectedScanFile);
    Set_Status(QStringLiteral("Loading Scan Data"));

    PickupView &view = views.Foot_View(side);
    view.Load_Model_File(paths.scanFile);
    view.Set_Caption(paths.scanFile);
    view.Smooth();
    view.Show_Normal();
    view.Write_Initial_Snapshot();
    return view;
}

QString Failure_Reason(const std::exception &error)
{
    if (const auto *own = dynamic_cast<const SolvaneError *>(&error))
        return own->description();
    return QString::fromUtf8(error.what());
}
