// The job record into the soft window's controls and back: the new-script
// load (Load_Data_1), a record shown (Load_Data_2) and Save_Data. The order
// of the writes is part of the behaviour: a left box hands its text on to
// the right box, and each client name box renames the job's files.
#include "scriptform1.h"

#include "footdatarows.h"
#include "scriptform1_ui.h"
#include "softfields.h"
#include "softtables.h"

#include "numbers.h"
#include "scriptrecord.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>

using namespace SoftFields;
using SoftForm::chooseEntry;
using SoftForm::Pair;

namespace {

// Left box first: its change copies into the right one, which the right
// value then overwrites.
void writeRows(const SoftForm::FootDataTab &foot, LoadStep step)
{
    const ScriptRecord &job = Job();
    for (const FootDataRow *row : Rows_Loaded(step)) {
        const Pair<QLineEdit> &boxes = foot.boxes(*row);
        boxes[0]->setText(Box_Text(job, *row, 0));
        boxes[1]->setText(Box_Text(job, *row, 1));
    }
}

void takeRows(const SoftForm::FootDataTab &foot, SaveStep step)
{
    ScriptRecord &job = Job();
    for (const FootDataRow *row : Rows_Saved(step)) {
        const Pair<QLineEdit> &boxes = foot.boxes(*row);
        if (row->kind == BoxKind::HeelDepth) {
            // A zero depth is no depth: the box is emptied too, and emptying
            // the left box is not handed on to the right one.
            for (QLineEdit *depth : boxes) {
                if (Heel_Depth_Is_Zero(depth->text())) {
                    const QSignalBlocker quiet(depth);
                    depth->clear();
                }
            }
        }
        Take_Box_Text(job, *row, 0, boxes[0]->text());
        Take_Box_Text(job, *row, 1, boxes[1]->text());
    }
}

QString selectedTexts(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected())
            texts << list->item(i)->text();
    return Joined_Selection(texts);
}

} // namespace

// The second half of both loaders' writes, in their order. Each name box
// renames the job's files after the names as they then stand.
void ScriptForm1::writeClientAndScanBoxes()
{
    const ScriptRecord &job = Job();
    SoftForm::JobDataTab &jobData = ui->jobData;
    jobData.graphicFile[0]->setText(job.LeftGraphicFile);
    jobData.graphicFile[1]->setText(job.RightGraphicFile);
    const QString surname = job.ClientSurname;
    jobData.firstName->setText(QString(job.ClientFirstName));
    jobData.surname->setText(surname);
    writeRows(ui->footData, LoadStep::WithClientNames);
    jobData.scanDate[0]->setText(job.ScanDateL);
    jobData.scanDate[1]->setText(job.ScanDateR);
    jobData.scanTime[0]->setText(job.ScanTimeL);
    jobData.scanTime[1]->setText(job.ScanTimeR);
    jobData.operatorCode->setText(job.OperatorCode);
    jobData.scannerId->setText(job.ScannerId);
    writeRows(ui->footData, LoadStep::WithScannerId);
}

void ScriptForm1::showLengths()
{
    const ScriptRecord &job = Job();
    SoftForm::FootDataTab &foot = ui->footData;
    for (int side = 0; side < 2; ++side) {
        const LengthTexts texts = Length_Texts(job, side);
        foot.footLength[side]->setText(texts.footLength);
        foot.templateLength[side]->setText(texts.templateLength);
    }
}

// The lengths looked up afresh, shown as they are even for a size of 0.
void ScriptForm1::showLookedUpLengths()
{
    ScriptRecord &job = Job();
    SoftForm::FootDataTab &foot = ui->footData;
    Derive_Lengths(job);
    foot.templateLength[0]->setText(Whole(job.TemplateLengthL));
    foot.templateLength[1]->setText(Whole(job.TemplateLengthR));
    foot.footLength[0]->setText(Whole(job.FootLengthL));
    foot.footLength[1]->setText(Whole(job.FootLengthR));
}

void ScriptForm1::Load_Data_1()
{
    ScriptRecord &job = Job();
    SoftForm::JobDataTab &jobData = ui->jobData;
    SoftForm::FootDataTab &foot = ui->footData;

    New_Script_Defaults(job);
    Set_StylesL();
    Set_StylesR();
    job.PodiatristName = Read_Podiatrists();
    job.ClinicName = Read_Clinics();
    // A fresh window's ticks may already stand as set, so no change reaches
    // the job: the job took them above, as the records will read them.
    jobData.priorityReturn->setChecked(job.PriorityReturn);
    jobData.confirmBeforeManufacture->setChecked(job.ConfirmBeforeManufacture);
    jobData.sendConfirmationEmail->setChecked(job.SendConfirmationEmail);

    jobData.jobNumber->setText(job.JobNumber);
    jobData.patientFileNumber->setText(job.ClinicJobNumber);
    jobData.pdfFile->setText(job.PdfFile);
    jobData.scanFile[0]->setText(job.LeftScanFile);
    jobData.scanFile[1]->setText(job.RightScanFile);
    foot.scanPosition[0]->setText(job.ScanPositionL);
    foot.scanPosition[1]->setText(job.ScanPositionR);
    jobData.gender->setText(job.Gender);
    ui->orthoticData.notes->setPlainText(job.Notes);

    writeRows(foot, LoadStep::Measurements);
    // The box takes its note from the date it shows; a new script's date is
    // the default one even when the day turned meanwhile.
    jobData.dispenseDate->setText(job.DispenseDate);
    job.DispenseDateNote = QStringLiteral("(default)");

    writeClientAndScanBoxes();

    Load_Sizes1();
    Derive_Lengths(job);
    showLengths();

    Load_Sizes2();
    for (const Pair<QComboBox> &combos : {foot.metDome, foot.metPad})
        for (QComboBox *combo : combos)
            chooseEntry(combo, 0);
    Load_Sizes3();
    chooseEntry(foot.thickness[0], 0);
    chooseEntry(foot.thickness[1], 0);
    Load_Sizes4();
    chooseEntry(foot.pfa[0], 0);
    chooseEntry(foot.pfa[1], 0);

    foot.pfaShapeC[0]->setChecked(true);
    foot.pfaShapeC[1]->setChecked(true);
    foot.scanInternal[0]->setChecked(true);
    foot.scanInternal[1]->setChecked(true);

    Read_Tables(job);
    // Without a table the built-in lists supply the first entries.
    Choose_First_Options(job);
}

void ScriptForm1::Load_Data_2()
{
    ScriptRecord &job = Job();
    SoftForm::JobDataTab &jobData = ui->jobData;
    SoftForm::FootDataTab &foot = ui->footData;

    jobData.jobNumber->setText(job.JobNumber);
    jobData.patientFileNumber->setText(job.ClinicJobNumber);
    jobData.pdfFile->setText(job.PdfFile);
    jobData.scanFile[0]->setText(job.LeftScanFile);
    jobData.scanFile[1]->setText(job.RightScanFile);
    jobData.gender->setText(job.Gender);
    ui->orthoticData.notes->setPlainText(Show_Notes(job.Notes));

    // The record's names are shown even when the lists do not hold them.
    const QString podiatrist = job.PodiatristName;
    const QString clinic = job.ClinicName;
    jobData.podiatrist->setEditText(podiatrist);
    jobData.clinic->setEditText(clinic);

    writeRows(foot, LoadStep::Measurements);
    jobData.dispenseDate->setText(job.DispenseDate);

    const QString domeR = job.MetDomeR, padR = job.MetPadR;
    chooseEntry(foot.metDome[0], Met_Dome_Position(job.MetDomeL));
    chooseEntry(foot.metDome[1], Met_Dome_Position(domeR));
    chooseEntry(foot.metPad[0], Met_Pad_Position(job.MetPadL));
    chooseEntry(foot.metPad[1], Met_Pad_Position(padR));

    writeClientAndScanBoxes();

    Load_Sizes1();
    showFootSizes();
    Derive_Lengths(job);
    showLengths();

    Load_Sizes3();
    foot.thickness[0]->setEditText(num::shortestText(job.ThicknessL));
    foot.thickness[1]->setEditText(num::shortestText(job.ThicknessR));

    Load_Sizes4();
    const PfaShown pfa[2] = {Show_Pfa(job.PfaL), Show_Pfa(job.PfaR)};
    for (int side = 0; side < 2; ++side)
        if (pfa[side].cShape)
            (*pfa[side].cShape ? foot.pfaShapeC : foot.pfaShapeS)[side]->setChecked(true);
    foot.pfa[0]->setEditText(pfa[0].number);
    foot.pfa[1]->setEditText(pfa[1].number);

    const ScanPositionShown scan[2] = {Show_Scan_Position(job.ScanPositionL), Show_Scan_Position(job.ScanPositionR)};
    for (int side = 0; side < 2; ++side)
        (scan[side].external ? foot.scanExternal : foot.scanInternal)[side]->setChecked(true);
    foot.scanPosition[0]->setText(scan[0].size);
    foot.scanPosition[1]->setText(scan[1].size);

    Read_Tables(job);
    Load_Lists2();
    Set_StylesL();
    Set_StylesR();
}

void ScriptForm1::Save_Data()
{
    ScriptRecord &job = Job();
    const SoftForm::JobDataTab &jobData = ui->jobData;
    const SoftForm::FootDataTab &foot = ui->footData;
    const SoftForm::OrthoticDataTab &orthotic = ui->orthoticData;

    job.ClinicJobNumber = jobData.patientFileNumber->text();
    job.PdfFile = jobData.pdfFile->text();
    job.Gender = jobData.gender->text();

    job.ThicknessL = num::leadingNumber(num::numberBoxText(foot.thickness[0]->currentText()));
    job.ThicknessR = num::leadingNumber(num::numberBoxText(foot.thickness[1]->currentText()));

    takeRows(foot, SaveStep::AfterThickness);
    job.DispenseDate = jobData.dispenseDate->text();
    job.MetDomeL = foot.metDome[0]->currentText();
    job.MetDomeR = foot.metDome[1]->currentText();
    job.MetPadL = foot.metPad[0]->currentText();
    job.MetPadR = foot.metPad[1]->currentText();

    job.PfaL = Take_Pfa(foot.pfa[0]->currentText(), foot.pfaShapeS[0]->isChecked(), foot.pfaShapeC[0]->isChecked());
    job.PfaR = Take_Pfa(foot.pfa[1]->currentText(), foot.pfaShapeS[1]->isChecked(), foot.pfaShapeC[1]->isChecked());
    job.ScanPositionL = Take_Scan_Position(foot.scanPosition[0]->text(), foot.scanInternal[0]->isChecked());
    job.ScanPositionR = Take_Scan_Position(foot.scanPosition[1]->text(), foot.scanInternal[1]->isChecked());

    job.TopCoverL = selectedTexts(orthotic.topCovers[0]);
    job.TopCoverR = selectedTexts(orthotic.topCovers[1]);
    job.InsoleOptionsL = selectedTexts(orthotic.insoleOptions[0]);
    job.InsoleOptionsR = selectedTexts(orthotic.insoleOptions[1]);

    job.Notes = Take_Notes(orthotic.notes->toPlainText());

    job.ClientFirstName = jobData.firstName->text();
    job.ClientSurname = jobData.surname->text();
    job.OperatorCode = jobData.operatorCode->text();
    job.ScannerId = jobData.scannerId->text();

    takeRows(foot, SaveStep::AfterScannerId);
    takeRows(foot, SaveStep::Last);

    job.FootSizeL = foot.footSize[0]->currentText();
    job.FootSizeR = foot.footSize[1]->currentText();
    Derive_Lengths(job);
}
