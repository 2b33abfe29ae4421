#include "jobgathering.h"

#include "errors.h"
#include "jobpolicy.h"
#include "paths.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

const QString kNone = QStringLiteral("None");

// Two spellings of one file: the same file on disk, or (when neither is
// there yet) the same path.
bool samePlace(const QString &a, const QString &b)
{
    const QFileInfo ia(a);
    const QFileInfo ib(b);
    const QString ca = ia.canonicalFilePath();
    const QString cb = ib.canonicalFilePath();
    if (!ca.isEmpty() && !cb.isEmpty())
        return ca == cb;
#ifdef Q_OS_WIN
    const Qt::CaseSensitivity cs = Qt::CaseInsensitive;
#else
    const Qt::CaseSensitivity cs = Qt::CaseSensitive;
#endif
    return QDir::cleanPath(ia.absoluteFilePath()).compare(QDir::cleanPath(ib.absoluteFilePath()), cs) == 0;
}

// Copies through a temporary file beside the target, so a copy that breaks
// off never leaves half a scan under the real name.
void copyInto(const QString &source, const QString &target)
{
    auto failure = [&](const QString &why) {
        return SolvaneError(ErrorNumber::FileWrite, QStringLiteral("Cannot copy ") + QDir::toNativeSeparators(source)
                                                        + QStringLiteral(" to ") + QDir::toNativeSeparators(target)
                                                        + QStringLiteral(": ") + why);
    };
    QFile in(source);
    if (!QFileInfo(source).isFile() || !in.open(QIODevice::ReadOnly))
        throw failure(QFileInfo::exists(source) ? in.errorString() : QStringLiteral("the file does not exist"));
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly))
        throw failure(out.errorString());
    QByteArray chunk(1 << 20, Qt::Uninitialized);
    for (;;) {
        const qint64 got = in.read(chunk.data(), chunk.size());
        if (got < 0)
            throw failure(in.errorString());
        if (got == 0)
            break;
        if (out.write(chunk.constData(), got) != got)
            throw failure(out.errorString());
    }
    if (!out.commit())
        throw failure(out.errorString());
}

} // namespace

bool Verify_Files(ScriptRecord &job, const JobPolicy &policy)
{
    if (job.CurrentFolder.isEmpty()) {
        UI().message(policy.noWorkingFolderMessage, QStringLiteral("Warning"), Prompter::Icon::Warning);
        return false;
    }

    // Written after the gathering under the names the job gave them; only an
    // unset name is marked.
    for (QString *path : {&job.CsvFile, &job.PdfFile, &job.FullPdfFile})
        if (Is_Absent_Path(*path))
            *path = kNone;

    struct Gathered
    {
        QString *path;
        QString unsetValue;
        const QString *scan; // a model goes with its foot's scan
    };
    const Gathered order[] = {
        {&job.JobImageFile, QString(), nullptr},        {&job.LeftScanFile, kNone, nullptr},
        {&job.RightScanFile, kNone, nullptr},           {&job.LeftLcfFile, kNone, &job.LeftScanFile},
        {&job.RightLcfFile, kNone, &job.RightScanFile}, {&job.LeftGraphicFile, kNone, nullptr},
        {&job.RightGraphicFile, kNone, nullptr},
    };

    for (const Gathered &file : order) {
        QString &path = *file.path;
        if (Is_Absent_Path(path) || (file.scan && Is_Absent_Path(*file.scan))) {
            path = file.unsetValue;
            continue;
        }
        const QString target = Join_Path(job.CurrentFolder, Get_File_Name(path));
        if (samePlace(path, target))
            continue;
        try {
            copyInto(path, target);
        } catch (const SolvaneError &error) {
            Show_Error(error.description());
            return false;
        }
        path = target;
    }
    return true;
}
