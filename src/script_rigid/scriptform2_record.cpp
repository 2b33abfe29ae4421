// The job record into the rigid window's "Job Data" boxes and back: a new
// job (Load_Data_1), a record read (Load_Data_2), Save_Data_Rigid, and the
// name and user lists. The order of the writes is part of the behaviour:
// each client name box renames the job's files as the names then stand.
#include "scriptform2.h"

#include "scriptform2_ui.h"

#include "formparts.h"
#include "jobnames.h"
#include "numbers.h"
#include "prescriptionjob.h"
#include "rigidtables.h"
#include "scriptrecord.h"
#include "sizechart.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

#include <cmath>

namespace {

void takeLengths(ScriptRecord &job)
{
    job.TemplateLengthL = Get_Template_Length(job, num::leadingNumber(job.FootSizeL));
    job.TemplateLengthR = Get_Template_Length(job, num::leadingNumber(job.FootSizeR));
    job.FootLengthL = Foot_Length_For(job.TemplateLengthL);
    job.FootLengthR = Foot_Length_For(job.TemplateLengthR);
}

} // namespace

void ScriptForm2::writeScanBoxes()
{
    const ScriptRecord &job = Job();
    RigidForm::JobDataTab &jobData = ui->jobData;
    jobData.jobNumber->setText(job.JobNumber);
    jobData.patientFileNumber->setText(job.ClinicJobNumber);
    jobData.pdfFile->setText(job.PdfFile);
    jobData.scanFile[0]->setText(job.LeftScanFile);
    jobData.scanFile[1]->setText(job.RightScanFile);
}

// The client names, each box renaming the files, then the scan's
// particulars. The names are taken once more at the end, so the files carry
// the full base name even when a box already showed its name.
void ScriptForm2::writeNameBoxes()
{
    const ScriptRecord &job = Job();
    RigidForm::JobDataTab &jobData = ui->jobData;
    const QString surname = job.ClientSurname;
    jobData.firstName->setText(QString(job.ClientFirstName));
    jobData.surname->setText(surname);
    nameFilesAfterClient();
    jobData.scanDate[0]->setText(job.ScanDateL);
    jobData.scanDate[1]->setText(job.ScanDateR);
    jobData.scanTime[0]->setText(job.ScanTimeL);
    jobData.scanTime[1]->setText(job.ScanTimeR);
    jobData.operatorCode->setText(job.OperatorCode);
    jobData.scannerId->setText(job.ScannerId);
}

void ScriptForm2::Load_Data_1(RigidOpening opening)
{
    ScriptRecord &job = Job();
    RigidForm::JobDataTab &jobData = ui->jobData;

    job.JobNumber = Make_Job_Number(job);
    job.ReprocessedFromJob.clear();
    // Filling the lists chooses their first entries, which the job takes.
    const QString podiatrist = job.PodiatristName;
    const QString clinic = job.ClinicName;
    job.PodiatristName = Read_Podiatrists_Rigid();
    job.ClinicName = Read_Clinics_Rigid();
    if (opening == RigidOpening::NewJob) {
        job.Gender = QStringLiteral("Male");
    } else {
        // The intake window's names are shown even when the lists do not
        // hold them, and the job keeps them.
        jobData.podiatrist->setEditText(podiatrist);
        jobData.clinic->setEditText(clinic);
        job.PodiatristName = podiatrist;
        job.ClinicName = clinic;
    }
    job.ClinicJobNumber.clear();
    // A fresh window's ticks may already stand as set, so no change reaches
    // the job: the job takes them first, then the boxes show them.
    job.PriorityReturn = false;
    job.ConfirmBeforeManufacture = false;
    job.SendConfirmationEmail = true;
    showTicks();
    PrescriptionJob::Name_Job_Files_For_New_Script(job, JobKind::Rigid);
    PrescriptionJob::Set_Scan_Times_From_Files(job);
    writeScanBoxes();

    for (QString *zero : {&job.HeelWidthL, &job.HeelWidthR, &job.ForefootWidthL, &job.ForefootWidthR, &job.ShellLengthL,
                          &job.ShellLengthR})
        *zero = QStringLiteral("0");
    job.SkiveAngleL = job.SkiveAngleR = QStringLiteral("0.0");

    job.DispenseDate = PrescriptionJob::Default_Dispense_Date();
    jobData.dispenseDate->setText(job.DispenseDate);
    // The date shown is the default one even when the day turned meanwhile.
    job.DispenseDateNote = QStringLiteral("(default)");

    jobData.graphicFile[0]->setText(job.LeftGraphicFile);
    jobData.graphicFile[1]->setText(job.RightGraphicFile);
    writeNameBoxes();
    Read_Tables_Rigids(job);
}

void ScriptForm2::Load_Data_2()
{
    ScriptRecord &job = Job();
    RigidForm::JobDataTab &jobData = ui->jobData;

    writeScanBoxes();
    // After any read the ticks show what the record held.
    showTicks();
    job.Notes.replace(u';', QLatin1String("\r\n"));
    // The record's names are shown even when the lists do not hold them.
    const QString podiatrist = job.PodiatristName;
    const QString clinic = job.ClinicName;
    jobData.podiatrist->setEditText(podiatrist);
    jobData.clinic->setEditText(clinic);
    jobData.dispenseDate->setText(job.DispenseDate);
    job.DispenseDateNote = PrescriptionJob::Dispense_Date_Note(job.DispenseDate);
    jobData.graphicFile[0]->setText(job.LeftGraphicFile);
    jobData.graphicFile[1]->setText(job.RightGraphicFile);
    writeNameBoxes();

    takeLengths(job);
    job.PfaL = num::format0_0(num::leadingNumber(job.PfaL));
    job.PfaR = num::format0_0(num::leadingNumber(job.PfaR));
    job.ScanPositionL = num::format0_0(std::fabs(num::leadingNumber(job.ScanPositionL)));
    job.ScanPositionR = num::format0_0(std::fabs(num::leadingNumber(job.ScanPositionR)));
    Read_Tables_Rigids(job);
}

void ScriptForm2::Save_Data_Rigid()
{
    ScriptRecord &job = Job();
    const RigidForm::JobDataTab &jobData = ui->jobData;
    job.ClinicJobNumber = jobData.patientFileNumber->text();
    job.PdfFile = jobData.pdfFile->text();
    job.DispenseDate = jobData.dispenseDate->text();
    job.ClientFirstName = jobData.firstName->text();
    job.ClientSurname = jobData.surname->text();
    job.OperatorCode = jobData.operatorCode->text();
    job.ScannerId = jobData.scannerId->text();
    takeLengths(job);
}

QString ScriptForm2::Read_Podiatrists_Rigid()
{
    return FormParts::Fill_Name_Combo(ui->jobData.podiatrist, QStringLiteral("Podiatrist.Cfg"));
}

QString ScriptForm2::Read_Clinics_Rigid()
{
    return FormParts::Fill_Name_Combo(ui->jobData.clinic, QStringLiteral("Clinic.Cfg"));
}

void ScriptForm2::Load_Combo5()
{
    FormParts::Fill_User_Combo(ui->jobData.user, Job());
}
