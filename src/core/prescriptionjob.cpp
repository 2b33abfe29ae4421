#include "prescriptionjob.h"

#include "clock.h"
#include "paths.h"
#include "scriptrecord.h"

#include <QFileInfo>

namespace PrescriptionJob {

namespace {

QString pdfFolder(const ScriptRecord &job)
{
    return job.NasModeFlag ? job.NasFolder : job.CurrentFolder;
}

} // namespace

QString Default_Dispense_Date()
{
    return Clock::shortDate(Clock::now().date().addDays(7));
}

QString Dispense_Date_Note(const QString &dispenseDate)
{
    return dispenseDate == Default_Dispense_Date() ? QStringLiteral("(default)") : QString();
}

void Set_Scan_Times_From_Files(ScriptRecord &job)
{
    const QDateTime now = Clock::now();
    job.ScanDateL = job.ScanDateR = Clock::shortDate(now.date());
    job.ScanTimeL = job.ScanTimeR = Clock::longTime(now.time());
    auto fromFile = [](const QString &scan, QString &date, QString &time) {
        if (Is_Absent_Path(scan))
            return;
        const QFileInfo info(scan);
        const QDateTime changed = info.exists() ? info.lastModified() : QDateTime();
        if (!changed.isValid())
            return;
        date = Clock::shortDate(changed.date());
        time = Clock::longTime(changed.time());
    };
    fromFile(job.LeftScanFile, job.ScanDateL, job.ScanTimeL);
    fromFile(job.RightScanFile, job.ScanDateR, job.ScanTimeR);
}

void Name_Job_Files(ScriptRecord &job, JobKind kind, const QString &baseName)
{
    const QString name = JobFileStem(baseName, kind);
    job.PdfFile = Join_Path(pdfFolder(job), name + QStringLiteral(".Pdf"));
    job.FullPdfFile = Join_Path(pdfFolder(job), name + QStringLiteral("_L.Pdf"));
    job.CsvFile = Join_Path(job.CurrentFolder, name + QStringLiteral(".Csv"));
}

void Name_Job_Files_For_New_Script(ScriptRecord &job, JobKind kind)
{
    Name_Job_Files(job, kind, JobBaseNameForJob(job));
}

void Name_Job_Files_After_Client(ScriptRecord &job, JobKind kind)
{
    Name_Job_Files(job, kind, JobBaseName(job));
}

void Choose_User(ScriptRecord &job, const QString &user, JobKind kind)
{
    job.CurrentUser = user;
    job.PdfFile = Join_Path(pdfFolder(job), JobFileStem(JobBaseName(job), kind) + QStringLiteral(".Pdf"));
}

} // namespace PrescriptionJob
