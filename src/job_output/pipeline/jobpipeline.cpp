#include "jobpipeline.h"

#include "errors.h"
#include "helperprogram.h"
#include "jobarchive.h"
#include "mainconfig.h"
#include "messagetext.h"
#include "paths.h"
#include "prompter.h"
#include "runandwait.h"
#include "scriptrecord.h"
#include "shellhelpers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <limits>

namespace {

// The sender that takes no arguments and finds the job itself. On Windows
// the file tested is the one Windows starts for the bare name.
#ifdef Q_OS_WIN
const QString kSelfFindingSender = QStringLiteral("ZezuzIzov.exe");
const QString kArchiveSender = QStringLiteral("ZIDodur.exe");
#else
const QString kSelfFindingSender = QStringLiteral("ZezuzIzov");
const QString kArchiveSender = QStringLiteral("ZIDodur");
#endif

const QString kNone = QStringLiteral("None");

void warn(const QString &text)
{
    UI().message(text, QStringLiteral("Warning"), Prompter::Icon::Warning);
}

QString canonicalFile(const QString &path)
{
    return QFileInfo(path).canonicalFilePath();
}

// The folder a file lies in, with links and "." resolved, so that a path
// spelled another way still counts as the same folder.
QString canonicalFolderOf(const QString &path)
{
    return QFileInfo(QFileInfo(path).absolutePath()).canonicalFilePath();
}

bool isPresent(const QString &path)
{
    return !Is_Absent_Path(path) && File_Exists(path);
}

void checkModelFile(QString &path)
{
    if (!isPresent(path) || QFileInfo(path).size() < kSmallestPackedModel)
        path = kNone;
}

// One archive is written at a time, so whatever temporary files of an
// archive lie there now were left by a write that was killed.
void removeStaleParts()
{
    Remove_Stale_Archive_Parts(Paths::jobsFolder());
    Remove_Stale_Archive_Parts(Paths::defaultArchiveFolder());
}

bool startSender(const QString &program, const QStringList &arguments, const QString &archivePath)
{
    try {
        Run_And_Wait_Idle(program, arguments, {Paths::root(), {}});
        return true;
    } catch (const SolvaneError &error) {
        warn(Message_Lines({QStringLiteral("The Job Could Not Be Sent."), QString(), error.description(), QString(),
                            QStringLiteral("The job archive stays in ") + Message_Path(archivePath)}));
        return false;
    }
}

} // namespace

void Set_Job_Paths(ScriptRecord &job, JobKind kind)
{
    const QString stem = JobFileStem(JobBaseName(job), kind);
    const QString pdfFolder = job.NasModeFlag ? job.NasFolder : job.CurrentFolder;
    job.CsvFile = Join_Path(job.CurrentFolder, stem + QStringLiteral(".Csv"));
    job.PdfFile = Join_Path(pdfFolder, stem + QStringLiteral(".Pdf"));
    job.FullPdfFile = Join_Path(pdfFolder, stem + QStringLiteral("_L.Pdf"));
    if (kind == JobKind::Rigid)
        job.JobImageFile = JobSketchPath(job, kind);
}

QString Job_Archive_Path(const ScriptRecord &job, JobKind kind, ArchiveDestination destination)
{
    const QString base = JobBaseName(job);
    if (destination == ArchiveDestination::Laboratory)
        return Paths::jobsFolder() + base + QStringLiteral(".Zip");
    // The archive folder is a prefix that ends in its separator; without one
    // the archive would land wherever the program happened to start.
    const QString folder = job.ArchiveFolder.isEmpty() ? Paths::defaultArchiveFolder() : job.ArchiveFolder;
    return folder + JobFileStem(base, kind)
           + (job.PriorityReturn ? QStringLiteral("_Priority.Zip") : QStringLiteral(".Zip"));
}

QStringList Job_Archive_Members(const ScriptRecord &job)
{
    const QString *order[] = {&job.PdfFile,      &job.FullPdfFile,     &job.JobImageFile,    &job.CsvFile,
                              &job.LeftScanFile, &job.LeftLcfFile,     &job.LeftGraphicFile, &job.RightScanFile,
                              &job.RightLcfFile, &job.RightGraphicFile};
    QStringList members;
    QSet<QString> seen;
    for (const QString *path : order) {
        if (!isPresent(*path))
            continue;
        const QString identity = canonicalFile(*path);
        if (seen.contains(identity))
            continue;
        seen.insert(identity);
        members << *path;
    }
    return members;
}

QStringList Pack_Job_Archive(ScriptRecord &job, const QString &archivePath, EarlyArchiveParts *early)
{
    const QFileInfo target(archivePath);
    if (target.exists() || target.isSymLink())
        throw SolvaneError(kArchiveExists, Message_Path(archivePath) + QStringLiteral(" already exists"));

    checkModelFile(job.LeftLcfFile);
    checkModelFile(job.RightLcfFile);
    Set_Status(QStringLiteral("Packaging Job..."));
    if (!early)
        removeStaleParts();

    const QStringList members = Job_Archive_Members(job);
    ArchiveWork work;
    work.status = Set_Status;
    work.early = early;
    Write_Job_Archive(archivePath, members, QStringLiteral("Job: ") + job.JobNumber, work);
    return members;
}

void Pack_Job_Files_Ahead(std::unique_ptr<EarlyArchiveParts> &early, const ScriptRecord &job)
{
    if (!early) {
        removeStaleParts();
        QDir().mkpath(Paths::jobsFolder());
        early = std::make_unique<EarlyArchiveParts>(Paths::jobsFolder());
    }
    QStringList files;
    for (const QString *path : {&job.LeftScanFile, &job.LeftLcfFile, &job.LeftGraphicFile, &job.RightScanFile,
                                &job.RightLcfFile, &job.RightGraphicFile})
        if (isPresent(*path))
            files << *path;
    early->add(files);
}

SendOutcome Send_Job_Archive(ScriptRecord &job, const QString &archivePath)
{
    const QString title = QStringLiteral("Send Data");
    if (UI().message(QStringLiteral("Do You Want to Send the Data to VORMAK Now?"), title, Prompter::Icon::None,
                     Prompter::Buttons::YesNo)
        != Prompter::Answer::Yes)
        return SendOutcome::Declined;

    const QString selfFinding = Helper_Program_File(kSelfFindingSender);
    if (!selfFinding.isEmpty())
        return startSender(selfFinding, {}, archivePath) ? SendOutcome::Started : SendOutcome::NotStarted;

    const bool started =
        startSender(Helper_Program_Path(kArchiveSender), {QDir::toNativeSeparators(archivePath)}, archivePath);
    const Prompter::Answer answer =
        UI().message(Message_Lines({QStringLiteral("Do You Want to Delete the Working Files"),
                                    QStringLiteral("After they have been Sent?")}),
                     title, Prompter::Icon::None, Prompter::Buttons::YesNo);
    job.DeleteWorkingFilesFlag = answer == Prompter::Answer::Yes;
    return started ? SendOutcome::Started : SendOutcome::NotStarted;
}

QStringList Delete_Working_Files(const ScriptRecord &job, const QStringList &archived)
{
    if (!job.DeleteWorkingFilesFlag)
        return {};

    QSet<QString> inArchive;
    for (const QString &path : archived)
        inArchive.insert(canonicalFile(path));
    const QString workFolder = QFileInfo(job.CurrentFolder).canonicalFilePath();
    const QString nasFolder = job.NasFolder.isEmpty() ? QString() : QFileInfo(job.NasFolder).canonicalFilePath();

    struct WorkingFile
    {
        const QString *path;
        bool document;
    };
    const WorkingFile order[] = {
        {&job.PdfFile, true},        {&job.FullPdfFile, true},   {&job.CsvFile, false},
        {&job.LeftScanFile, false},  {&job.LeftLcfFile, false},  {&job.LeftGraphicFile, false},
        {&job.RightScanFile, false}, {&job.RightLcfFile, false}, {&job.RightGraphicFile, false}};

    QStringList deleted;
    QStringList kept;
    for (const WorkingFile &file : order) {
        const QString &path = *file.path;
        if (!isPresent(path) || !inArchive.contains(canonicalFile(path)))
            continue;
        const QString folder = canonicalFolderOf(path);
        const bool ours = (!workFolder.isEmpty() && folder == workFolder)
                          || (file.document && !nasFolder.isEmpty() && folder == nasFolder);
        if (!ours)
            continue;
        if (QFile::remove(path))
            deleted << path;
        else
            kept << Message_Path(path);
    }
    if (!kept.isEmpty())
        warn(Message_Lines(QStringList{QStringLiteral("These Working Files Could Not Be Deleted:"), QString()} + kept));
    return deleted;
}

void Clear_Foot_Paths(ScriptRecord &job)
{
    for (QString *path : {&job.LeftScanFile, &job.RightScanFile, &job.LeftLcfFile, &job.RightLcfFile,
                          &job.LeftGraphicFile, &job.RightGraphicFile})
        *path = kNone;
}

void Require_Job_Counter_From_Config(const ScriptRecord &job)
{
    if (job.JobCounterFromConfig)
        return;
    const QString path = Message_Path(Main_Config_Path());
    throw SolvaneError(
        ErrorNumber::FileNotFound,
        Message_Lines({QStringLiteral("The job counter could not be read from ") + path
                           + QStringLiteral(", so this job has no number of its own: it is not "
                                            "submitted or saved."),
                       QString(), QStringLiteral("Mend that file, then start a new job (Files > New).")}));
}

void Advance_Job_Counter(ScriptRecord &job, const QString &archivePath)
{
    const int counter = job.JobCounter;
    if (job.JobCounter < std::numeric_limits<int>::max())
        ++job.JobCounter;
    try {
        Write_Main_Config(job);
    } catch (const SolvaneError &error) {
        // The job was not sent, so its number stays unspent, as the file
        // still says.
        job.JobCounter = counter;
        throw SolvaneError(error.number(), Message_Lines({QStringLiteral("The Job Counter Could Not Be Saved."),
                                                          QString(), error.description(), QString(),
                                                          QStringLiteral("Nothing was sent. The job archive stays in ")
                                                              + Message_Path(archivePath)}));
    }
    job.JobCounterFromConfig = true;
}
