#include "preparescript.h"

#include "clock.h"
#include "errors.h"
#include "mainconfig.h"
#include "numbers.h"
#include "paths.h"
#include "programhooks.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellservices.h"
#include "sizechart.h"

#include <limits>

namespace {

PrepareHooks &hooks()
{
    static PrepareHooks h;
    return h;
}

// Error number of this command's own refusal.
constexpr int kOverflow = 6;

} // namespace

const std::vector<PrepareRoute> &Prepare_Routes()
{
    using R = PrepareRecord;
    using F = PrepareFolder;
    using O = PrepareOpens;
    static const std::vector<PrepareRoute> routes{
        {QStringLiteral("ScanForm"), R::General, 0, F::Current, JobKind::Soft, std::nullopt, O::Nothing},
        {QStringLiteral("ScanForm2"), R::Simple, 0, F::ScannerData, JobKind::Soft, true, O::Soft},
        // The rigid windows hand the rigid form a real rigid record.
        {QStringLiteral("ScanForm3"), R::Rigid, 1, F::ScannerData, JobKind::Rigid, true, O::Rigid},
        {QStringLiteral("ScanForm4"), R::Simple, 0, F::ScannerData, JobKind::Soft, true, O::Soft},
        {QStringLiteral("ScanForm5"), R::Simple, 0, F::ScanDest, JobKind::Soft, true, O::Soft},
        {QStringLiteral("ScanForm6"), R::Rigid, 1, F::ScanDest, JobKind::Rigid, false, O::Rigid},
    };
    return routes;
}

const PrepareRoute *Prepare_Route(const QString &window)
{
    for (const PrepareRoute &route : Prepare_Routes()) {
        if (route.window == window)
            return &route;
    }
    return nullptr;
}

void Take_Intake_Fields(ScriptRecord &job, const IntakeFields &fields, bool measurementsAsNumbers)
{
    const IntakeBoxTexts &boxes = fields.boxes;
    job.ClientFirstName = boxes.Text1;
    job.ClientSurname = boxes.Text2;
    job.JobNumber = boxes.Text3;
    Take_Intake_Measurements(job, boxes.measurements, measurementsAsNumbers);
    job.PodiatristName = fields.podiatrist;
    job.ClinicName = fields.clinic;
    job.ThicknessL = job.ThicknessR = 1.5;
    job.FootSizeL = fields.footSizes[0];
    job.FootSizeR = fields.footSizes[1];
    job.TemplateLengthL = Get_Template_Length(job, num::leadingNumber(job.FootSizeL));
    job.TemplateLengthR = Get_Template_Length(job, num::leadingNumber(job.FootSizeR));
    job.FootLengthL = Foot_Length_For(job.TemplateLengthL);
    job.FootLengthR = Foot_Length_For(job.TemplateLengthR);
    const QDateTime now = Clock::now();
    job.ScanDateL = job.ScanDateR = Clock::shortDate(now.date());
    job.ScanTimeL = job.ScanTimeR = Clock::longTime(now.time());
}

QString Prepare_Csv_Path(const ScriptRecord &job, const PrepareRoute &route)
{
    const QString name = JobFileStem(JobBaseName(job), route.kind) + QStringLiteral(".Csv");
    switch (route.folder) {
    case PrepareFolder::Current: return Join_Path(job.CurrentFolder, name);
    case PrepareFolder::ScannerData: return Join_Path(job.ScannerDataFolder, name);
    case PrepareFolder::ScanDest: return Join_Path(job.ScanDestFolder, name);
    }
    return name;
}

const PrepareHooks &Prepare_Hooks()
{
    return hooks();
}

void Set_Prepare_Hooks(PrepareHooks h)
{
    hooks() = std::move(h);
}

PrepareOutcome Prepare_Script(ScriptRecord &job, const PrepareRoute &route, const IntakeFields &fields)
{
    // A counter at its largest cannot give another job number; wrapping it
    // round would hand out numbers the laboratory has already seen.
    if (route.advancesCounter() && job.JobCounter == std::numeric_limits<int>::max())
        throw SolvaneError(kOverflow,
                           QStringLiteral("The job counter is at its largest value (%1): no further job number can be "
                                          "given. Nothing was saved.")
                               .arg(job.JobCounter));
    if (route.record == PrepareRecord::Rigid)
        Require_Hook(bool(hooks().writeRigidRecord), QStringLiteral("the rigid script record writer"));

    Take_Intake_Fields(job, fields, route.record == PrepareRecord::General);
    job.CsvFile = Prepare_Csv_Path(job, route);
    if (route.refusesBlanks() && job.CsvFile.contains(u' ')) {
        UI().message(QLatin1String(kSpacesInScriptName), QStringLiteral("Error"), Prompter::Icon::Information);
        return PrepareOutcome::Refused;
    }

    switch (route.record) {
    case PrepareRecord::General: Write_CSV_Simple1(job); break;
    case PrepareRecord::Simple: Write_CSV_Simple2(job, fields.boxes, route.iType); break;
    case PrepareRecord::Rigid: hooks().writeRigidRecord(job); break;
    }

    // The counter moves only once "Solvane.Cfg" holds it, so a failed write
    // leaves memory and file alike.
    ScriptRecord next = job;
    if (route.advancesCounter())
        next.JobCounter += 1;
    Write_Main_Config(next);
    job.JobCounter = next.JobCounter;
    job.JobNumber = Make_Job_Number(job);

    if (route.preparedFlag) {
        job.PreparedCsvFlag = *route.preparedFlag;
        job.PreparedCsvFile = job.CsvFile;
    }
    if (route.opens != PrepareOpens::Nothing)
        job.EvaScriptFlag = route.opens == PrepareOpens::Soft;
    return PrepareOutcome::Done;
}

PrepareOutcome Run_Prepare_Script(const PrepareRoute &route, const IntakeFields &fields)
{
    const PrepareHooks &h = hooks();
    if (route.opens == PrepareOpens::Soft)
        Require_Hook(h.openSoftWindow && h.showSoftFootSizes, QStringLiteral("the soft prescription window"));
    if (route.opens == PrepareOpens::Rigid)
        Require_Hook(bool(h.openRigidWindow), QStringLiteral("the rigid prescription window"));

    ScriptRecord &job = Job();
    if (Prepare_Script(job, route, fields) == PrepareOutcome::Refused)
        return PrepareOutcome::Refused;

    switch (route.opens) {
    case PrepareOpens::Nothing: break;
    case PrepareOpens::Soft:
        // The soft window's load reads the handed-over record first; the
        // main lists then pick among their own entries, and the soft
        // window shows the sizes the job ends with.
        h.openSoftWindow();
        if (ShellServices *shell = Shell()) {
            shell->Select_Size_At_Least(0, num::leadingNumber(job.FootSizeL));
            shell->Select_Size_At_Least(1, num::leadingNumber(job.FootSizeR));
        }
        h.showSoftFootSizes();
        break;
    case PrepareOpens::Rigid: h.openRigidWindow(); break;
    }
    return PrepareOutcome::Done;
}
