#include "jobcommandsequence.h"

#include "footmodelfiles.h"
#include "jobcommandhost.h"
#include "jobsteps.h"

#include "companionstart.h"
#include "errors.h"
#include "jobarchive.h"
#include "jobgathering.h"
#include "jobnames.h"
#include "jobpipeline.h"
#include "messagetext.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "shellservices.h"

#include <QCoreApplication>

using namespace JobSteps;

namespace {

const QString kCsvFilter = QStringLiteral("CSV File (*.Csv)|*.Csv|All Files (*.*)|*.*");

void warn(const QString &text, const QString &title = QStringLiteral("Warning"))
{
    UI().message(text, title, Prompter::Icon::Warning);
}

std::function<void(NamePart, const QString &)> nameShownOn(JobCommandHost &host)
{
    return [&host](NamePart part, const QString &name) { host.showClientName(part, name); };
}

Prompter::FileRequest csvRequest(const ScriptRecord &job, const QString &title)
{
    Prompter::FileRequest request;
    request.title = title;
    request.folder = job.CurrentFolder;
    request.fileName = job.CsvFile;
    request.filter = kCsvFilter;
    request.defaultExtension = QStringLiteral("Csv");
    return request;
}

// Once the archive is verified a step's failure must not keep the job from
// completing: it is shown and the next step runs.
template <typename F>
void stepAfterArchive(F &&step)
{
    try {
        step();
    } catch (const SolvaneError &error) {
        warn(error.description());
    } catch (const std::exception &error) {
        warn(QString::fromLocal8Bit(error.what()));
    }
}

void startNextJob()
{
    ShellServices *shell = Shell();
    if (!shell)
        return;
    stepAfterArchive([shell] { shell->New_Script(); });
    stepAfterArchive([shell] { shell->Refresh_File_Lists(); });
}

// Puts the job number back however the record write ends.
class JobNumberKept
{
public:
    explicit JobNumberKept(ScriptRecord &job)
        : m_job(job),
          m_number(job.JobNumber)
    {}
    ~JobNumberKept() { m_job.JobNumber = m_number; }
    JobNumberKept(const JobNumberKept &) = delete;
    JobNumberKept &operator=(const JobNumberKept &) = delete;

private:
    ScriptRecord &m_job;
    QString m_number;
};

} // namespace

JobCommandSequence::JobCommandSequence(JobPolicy policy, std::function<void()> endProgram)
    : m_policy(std::move(policy)),
      m_endProgram(endProgram ? std::move(endProgram) : End_Program_For_Companion)
{}

void JobCommandSequence::Submit_Job(JobCommandHost &host)
{
    finishJob(host, Finish::Submit);
}

void JobCommandSequence::Save_Job_Locally(JobCommandHost &host)
{
    finishJob(host, Finish::SaveLocally);
}

void JobCommandSequence::finishJob(JobCommandHost &host, Finish finish)
{
    const bool local = finish == Finish::SaveLocally;
    const JobKind kind = m_policy.kind;
    ScriptRecord &job = Job();
    Require_Job_Counter_From_Config(job);

    if (host.footSize(0).isEmpty()) {
        warn(QStringLiteral("Left Foot Size Has Not Been Set"), QStringLiteral("Left Foot"));
        return;
    }
    if (host.footSize(1).isEmpty()) {
        warn(QStringLiteral("Right Foot Size Has Not Been Set"), QStringLiteral("Right Foot"));
        return;
    }
    host.saveFields();
    job.JobNumber = Make_Job_Number(job);
    if (!Ask_Client_Names(job, nameShownOn(host)))
        return;
    Ask_Missing_Measurements(job);

    Set_Job_Paths(job, kind);
    host.showPdfPath();
    // The files already final start compressing for the archive while the
    // rest of the job is written; whatever ends the command stops them.
    std::unique_ptr<EarlyArchiveParts> early;
    Pack_Job_Files_Ahead(early, job);
    Save_Missing_Model_Files(job);
    // The views repaint after writing their models before the photos are looked at.
    QCoreApplication::processEvents();
    Forget_Missing_Graphics(job);
    if (!Verify_Files(job, m_policy))
        return;
    Pack_Job_Files_Ahead(early, job);

    host.writeRecord(job);
    if (!File_Exists(job.CsvFile)) {
        warn(QStringLiteral("CSV File Does Not Exist"), QStringLiteral("Missing File"));
        return;
    }
    Check_Scan_Files(job, local ? ScanChecks::SaveLocally : ScanChecks::Submit, m_policy);
    host.writeDocuments(job, local ? PdfCommand::SaveJobLocally : PdfCommand::SubmitJob);

    if (!host.confirmOrder())
        return;
    if (local) {
        Wait_Milliseconds(500);
        host.takePdfPathBack();
    }
    if (!File_Exists(job.PdfFile))
        warn(QStringLiteral("PDF File Does Not Exist"));

    const QString archive =
        Job_Archive_Path(job, kind, local ? ArchiveDestination::Local : ArchiveDestination::Laboratory);
    // Raises when the archive cannot be written and verified: the job then
    // stays as it is, to be submitted again once the cause is mended.
    const QStringList members = Pack_Job_Archive(job, archive, early.get());
    early.reset();
    // The number is spent before the job can leave: a counter that cannot be
    // saved stops the command here, with nothing sent.
    Advance_Job_Counter(job, archive);

    if (local) {
        Wait_Milliseconds(500);
    } else {
        stepAfterArchive([&] { Send_Job_Archive(job, archive); });
        stepAfterArchive([&] { Delete_Working_Files(job, members); });
    }
    Clear_Foot_Paths(job);
    stepAfterArchive([] { Close_Foot_Views(); });

    if (local) {
        const QString text = Message_Lines({QStringLiteral("The Job Files Have Been Saved..."), QString(),
                                            QStringLiteral("Script: ") + Message_Path(job.CsvFile),
                                            QStringLiteral("Archive: ") + Message_Path(archive), QString(),
                                            m_policy.enterCompanionQuestion});
        const bool enter = UI().message(text, QStringLiteral("Status"), Prompter::Icon::None, Prompter::Buttons::YesNo)
                           == Prompter::Answer::Yes;
        // A companion that does not start leaves the user here: go on as for No.
        if (enter && Run_Companion(job, m_policy, m_endProgram) == CompanionStart::Started) {
            Set_Status(QStringLiteral("Job Complete"));
            host.closeWindow();
            return;
        }
    }
    startNextJob();
    Set_Status(QStringLiteral("Job Complete"));
    host.closeWindow();
}

void JobCommandSequence::Next_Job(JobCommandHost &host)
{
    Take_Next_Job_Number(Job());
    host.showJobNumber();
}

void JobCommandSequence::Save_Script(JobCommandHost &host)
{
    ScriptRecord &job = Job();
    if (!Ask_Client_Names(job, nameShownOn(host)))
        return;

    Name_Saved_Script_Files(job, m_policy.kind);
    host.showPdfPath();
    const QString chosen = UI().saveFile(csvRequest(job, QStringLiteral("Save a CSV File")));
    if (chosen.isEmpty())
        return;
    job.CsvFile = chosen;

    {
        // A saved script is not a job of its own: its record carries 0000,
        // while its documents carry the job's number.
        const JobNumberKept kept(job);
        job.JobNumber = QStringLiteral("0000");
        host.saveFields();
        host.writeRecord(job);
    }
    host.writeDocuments(job, PdfCommand::SaveScript);
    Set_Status(QStringLiteral("Script File Saved"));
}

void JobCommandSequence::Open_Script(JobCommandHost &host)
{
    ScriptRecord &job = Job();
    const QString chosen = UI().openFile(csvRequest(job, QStringLiteral("Open a CSV File")));
    if (chosen.isEmpty())
        return;

    // The read is whole or nothing: a short or foreign record leaves the
    // job, the record path among it, as it was, and its message says why.
    const QString previous = job.CsvFile;
    job.CsvFile = chosen;
    bool read = false;
    try {
        read = host.readScript(job, chosen);
    } catch (...) {
        job.CsvFile = previous;
        throw;
    }
    if (!read) {
        job.CsvFile = previous;
        return;
    }

    const bool secondPair = UI().message(QStringLiteral("           Is This a Second Pair?"),
                                         QStringLiteral("Job Number"), Prompter::Icon::None, Prompter::Buttons::YesNo)
                            == Prompter::Answer::Yes;
    if (secondPair)
        job.JobNumber = Make_Job_Number(job);
    else
        Take_Next_Job_Number(job);
    host.showOpenedScript();
    Set_Status(QStringLiteral("Script File Opened"));
}
