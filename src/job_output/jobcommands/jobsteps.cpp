#include "jobsteps.h"

#include "jobpolicy.h"
#include "numbers.h"
#include "paths.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"

#include <limits>

namespace JobSteps {

namespace {

const QString kNone = QStringLiteral("None");

bool namesFile(const QString &path)
{
    return !Is_Absent_Path(path) && File_Exists(path);
}

bool askName(QString &name, const QString &placeholder, const QString &prompt,
             const std::function<void(const QString &)> &show)
{
    while (name == placeholder) {
        name = Get_Std_Input(prompt, QString(), placeholder, QStringLiteral("Enter Client Name"));
        if (name.isEmpty())
            return false;
        if (name != placeholder)
            show(name);
    }
    return true;
}

QString numberAsked(const QString &prompt, const QString &title)
{
    return num::shortestText(Get_Num_Input(prompt, QString(), QStringLiteral("0"), title));
}

void askForefoot(QString &varus, QString &valgus, const QString &side)
{
    if (!varus.isEmpty() || !valgus.isEmpty())
        return;
    varus = numberAsked(QStringLiteral("Enter %1 Foot Varus").arg(side), QStringLiteral("Forefoot Varus"));
    valgus = numberAsked(QStringLiteral("Enter %1 Foot Valgus").arg(side), QStringLiteral("Forefoot Valgus"));
}

void info(const QString &text)
{
    UI().message(text, QStringLiteral("Warning"), Prompter::Icon::Information);
}

void warn(const QString &text, const QString &title = QStringLiteral("Warning"))
{
    UI().message(text, title, Prompter::Icon::Warning);
}

} // namespace

bool Ask_Client_Names(ScriptRecord &job, const std::function<void(NamePart, const QString &)> &showName)
{
    const QString first = QStringLiteral("FirstName");
    const QString surname = QStringLiteral("Surname");
    if (job.ClientFirstName.isEmpty())
        job.ClientFirstName = first;
    if (job.ClientSurname.isEmpty())
        job.ClientSurname = surname;
    return askName(job.ClientFirstName, first, QStringLiteral("Enter Client First Name"),
                   [&](const QString &name) { showName(NamePart::FirstName, name); })
           && askName(job.ClientSurname, surname, QStringLiteral("Enter Client Surname"),
                      [&](const QString &name) { showName(NamePart::Surname, name); });
}

void Ask_Missing_Measurements(ScriptRecord &job)
{
    if (job.CastModeFlag)
        return;
    askForefoot(job.ForefootVarusL, job.ForefootValgusL, QStringLiteral("Left"));
    askForefoot(job.ForefootVarusR, job.ForefootValgusR, QStringLiteral("Right"));
    const QString distance = QStringLiteral("Distance");
    if (!job.StlScanFlagL && job.HeelDotLengthL.isEmpty())
        job.HeelDotLengthL = numberAsked(QStringLiteral("Enter Left Heel to Dot Distance"), distance);
    if (!job.StlScanFlagR && job.HeelDotLengthR.isEmpty())
        job.HeelDotLengthR = numberAsked(QStringLiteral("Enter Right Heel to Dot Distance"), distance);

    if (!job.StlScanFlagL && num::leadingNumber(job.HeelDotLengthL) > 80.0)
        info(QStringLiteral("Left Foot: Heel to Dot Length May Be Incorrect"));
    if (!job.StlScanFlagR && num::leadingNumber(job.HeelDotLengthR) > 80.0)
        info(QStringLiteral("Right Foot: Heel to Dot Length May Be Incorrect"));
    if (!job.StlScanFlagL && num::leadingNumber(job.VarusLengthL) < 80.0)
        info(QStringLiteral("Left Foot: Heel to 1st MPJ Length May Be Incorrect"));
    if (!job.StlScanFlagR && num::leadingNumber(job.VarusLengthR) < 80.0)
        info(QStringLiteral("Right Foot: Heel to 1st MPJ Length May Be Incorrect"));
}

void Forget_Missing_Graphics(ScriptRecord &job)
{
    for (QString *graphic : {&job.LeftGraphicFile, &job.RightGraphicFile})
        if (!namesFile(*graphic))
            *graphic = kNone;
}

void Check_Scan_Files(ScriptRecord &job, ScanChecks checks, const JobPolicy &policy)
{
    const bool submit = checks == ScanChecks::Submit;
    const QString warning = QStringLiteral("Warning");
    struct Foot
    {
        QString side;
        QString *scan;
        QString *graphic;
        bool stl;
        QString scanTitle; // empty: no message
    };
    const Foot feet[] = {{QStringLiteral("Left"), &job.LeftScanFile, &job.LeftGraphicFile, job.StlScanFlagL,
                          submit ? warning : policy.localMissingScanTitleL},
                         {QStringLiteral("Right"), &job.RightScanFile, &job.RightGraphicFile, job.StlScanFlagR,
                          submit ? warning : policy.localMissingScanTitleR}};
    for (const Foot &foot : feet) {
        if (!namesFile(*foot.scan)) {
            if (!foot.scanTitle.isEmpty())
                warn(foot.side + QStringLiteral(" Scan File Does Not Exist"), foot.scanTitle);
            *foot.scan = kNone;
        }
        if (submit && !foot.stl && !namesFile(*foot.graphic)) {
            warn(foot.side + QStringLiteral(" Texture File Does Not Exist"));
            *foot.graphic = kNone;
        }
    }
}

void Name_Saved_Script_Files(ScriptRecord &job, JobKind kind)
{
    const QString base = JobFileStem(JobBaseNameForJob(job), kind);
    const QString pdfFolder = job.NasModeFlag ? job.NasFolder : job.CurrentFolder;
    job.PdfFile = Join_Path(pdfFolder, base + QStringLiteral(".Pdf"));
    job.FullPdfFile = Join_Path(pdfFolder, base + QStringLiteral("_L.Pdf"));
    job.CsvFile = Join_Path(job.CurrentFolder, base + QStringLiteral(".Csv"));
}

void Take_Next_Job_Number(ScriptRecord &job)
{
    if (job.JobCounter < std::numeric_limits<int>::max())
        ++job.JobCounter;
    job.JobNumber = Make_Job_Number(job);
}

QString Folder_Of(const QString &filePath)
{
    QString folder = Get_Folder_Path(filePath);
    if (folder.size() > 1 && (folder.endsWith(u'/') || folder.endsWith(u'\\')))
        folder.chop(1);
    return folder;
}

} // namespace JobSteps
