#include "softjobcommands.h"

#include "footmodelfiles.h"
#include "softjobsteps.h"

#include "companionstart.h"
#include "csveva.h"
#include "jobgathering.h"
#include "jobnames.h"
#include "jobpipeline.h"
#include "jsoncommand.h"
#include "messagetext.h"
#include "optionform.h"
#include "optiontablepdf.h"
#include "paths.h"
#include "prompter.h"
#include "scriptform1.h"
#include "scriptpdfs.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "shellservices.h"

#include <QCoreApplication>

using namespace SoftJobSteps;

namespace {

const QString kCsvFilter = QStringLiteral("CSV File (*.Csv)|*.Csv|All Files (*.*)|*.*");

// The scan position signs as the prescription page prints them.
ScanPositionOptions scanPositionsOf(const ScriptForm1 &form)
{
    const ScanPositionSigns signs = form.scanPositionSigns();
    ScanPositionOptions options;
    options.leftE = signs.external[0];
    options.leftI = signs.internal[0];
    options.rightE = signs.external[1];
    options.rightI = signs.internal[1];
    return options;
}

// A client name given at a prompt, shown in its box on the window.
std::function<void(NamePart, const QString &)> nameShownOn(ScriptForm1 &form)
{
    return [&form](NamePart part, const QString &name) {
        if (part == NamePart::FirstName)
            form.showClientFirstName(name);
        else
            form.showClientSurname(name);
    };
}

void warn(const QString &text, const QString &title = QStringLiteral("Warning"))
{
    UI().message(text, title, Prompter::Icon::Warning);
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

SoftJobCommandSet::SoftJobCommandSet(JobPolicy policy, std::function<void()> endProgram)
    : m_policy(std::move(policy)),
      m_endProgram(endProgram ? std::move(endProgram) : End_Program_For_Companion)
{}

void SoftJobCommandSet::Submit_Job(ScriptForm1 &form)
{
    finishJob(form, Finish::Submit);
}

void SoftJobCommandSet::Save_Job_Locally(ScriptForm1 &form)
{
    finishJob(form, Finish::SaveLocally);
}

void SoftJobCommandSet::finishJob(ScriptForm1 &form, Finish finish)
{
    const bool local = finish == Finish::SaveLocally;
    ScriptRecord &job = Job();
    Require_Job_Counter_From_Config(job);

    if (form.footSize(0).isEmpty()) {
        warn(QStringLiteral("Left Foot Size Has Not Been Set"), QStringLiteral("Left Foot"));
        return;
    }
    if (form.footSize(1).isEmpty()) {
        warn(QStringLiteral("Right Foot Size Has Not Been Set"), QStringLiteral("Right Foot"));
        return;
    }
    form.Save_Data();
    job.JobNumber = Make_Job_Number(job);
    if (!Ask_Client_Names(job, nameShownOn(form)))
        return;
    Ask_Missing_Measurements(job);

    Set_Job_Paths(job, JobKind::Soft);
    form.showPdfPath();
    Save_Missing_Model_Files(job);
    // The views repaint after writing their models before the photos are looked at.
    QCoreApplication::processEvents();
    Forget_Missing_Graphics(job);
    if (!Verify_Files(job, m_policy))
        return;

    Write_CSV_EVA(job);
    if (!File_Exists(job.CsvFile)) {
        warn(QStringLiteral("CSV File Does Not Exist"), QStringLiteral("Missing File"));
        return;
    }
    Check_Scan_Files(job, local ? ScanChecks::SaveLocally : ScanChecks::Submit);
    Write_EVA_Script_PDFs(job, local ? PdfCommand::SaveJobLocally : PdfCommand::SubmitJob, scanPositionsOf(form));

    if (OptionForm::Run_OptionForm())
        return;
    if (local)
        Wait_Milliseconds(500);
    if (!File_Exists(job.PdfFile))
        warn(QStringLiteral("PDF File Does Not Exist"));

    const QString archive =
        Job_Archive_Path(job, JobKind::Soft, local ? ArchiveDestination::Local : ArchiveDestination::Laboratory);
    // Raises when the archive cannot be written and verified: the job then
    // stays as it is, to be submitted again once the cause is mended.
    const QStringList members = Pack_Job_Archive(job, archive);
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
                                            QStringLiteral("Do You Want to Enter Veltrane?")});
        const bool enter = UI().message(text, QStringLiteral("Status"), Prompter::Icon::None, Prompter::Buttons::YesNo)
                           == Prompter::Answer::Yes;
        // A viewer that does not start leaves the user here: go on as for No.
        if (enter && Run_Companion(job, m_policy, m_endProgram) == CompanionStart::Started) {
            Set_Status(QStringLiteral("Job Complete"));
            form.close();
            return;
        }
    }
    startNextJob();
    Set_Status(QStringLiteral("Job Complete"));
    form.close();
}

void SoftJobCommandSet::Next_Job(ScriptForm1 &form)
{
    ScriptRecord &job = Job();
    Take_Next_Job_Number(job);
    form.showJobNumber();
}

void SoftJobCommandSet::Save_Script(ScriptForm1 &form)
{
    ScriptRecord &job = Job();
    if (!Ask_Client_Names(job, nameShownOn(form)))
        return;

    Name_Saved_Script_Files(job);
    form.showPdfPath();
    const QString chosen = UI().saveFile(csvRequest(job, QStringLiteral("Save a CSV File")));
    if (chosen.isEmpty())
        return;
    job.CsvFile = chosen;

    {
        // A saved script is not a job of its own: its record carries 0000,
        // while its documents carry the job's number.
        const JobNumberKept kept(job);
        job.JobNumber = QStringLiteral("0000");
        form.Save_Data();
        Write_CSV_EVA(job);
    }
    Write_EVA_Script_PDFs(job, PdfCommand::SaveScript, scanPositionsOf(form));
    Set_Status(QStringLiteral("Script File Saved"));
}

void SoftJobCommandSet::Open_Script(ScriptForm1 &form)
{
    ScriptRecord &job = Job();
    const QString chosen = UI().openFile(csvRequest(job, QStringLiteral("Open a CSV File")));
    if (chosen.isEmpty())
        return;

    // The read is whole or nothing: a short or foreign record leaves the
    // job, the record path among it, as it was, and the error says why.
    const QString previous = job.CsvFile;
    job.CsvFile = chosen;
    try {
        Read_CSV_EVA(job);
    } catch (...) {
        job.CsvFile = previous;
        throw;
    }
    job.CurrentFolder = Folder_Of(job.CsvFile);

    const bool secondPair = UI().message(QStringLiteral("           Is This a Second Pair?"),
                                         QStringLiteral("Job Number"), Prompter::Icon::None, Prompter::Buttons::YesNo)
                            == Prompter::Answer::Yes;
    if (secondPair)
        job.JobNumber = Make_Job_Number(job);
    else
        Take_Next_Job_Number(job);
    form.Load_Data_2();
    Set_Status(QStringLiteral("Script File Opened"));
}

void SoftJobCommandSet::Write_JSON_File(ScriptForm1 &)
{
    ::Write_JSON_File();
}

void SoftJobCommandSet::Print_Option_Table(ScriptForm1 &)
{
    ::Print_Option_Table();
}

void Install_Soft_Job_Commands()
{
    Set_Soft_Job_Commands(std::make_shared<SoftJobCommandSet>());
}
