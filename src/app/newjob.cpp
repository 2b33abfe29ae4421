#include "newjob.h"

#include "clock.h"
#include "jobnames.h"
#include "mainconfig.h"
#include "paths.h"
#include "scriptrecord.h"
#include "startup.h"

void New_Script_Record(ScriptRecord &job)
{
    job.LeftScanFileName = QStringLiteral("None");
    job.RightScanFileName = QStringLiteral("None");
    job.DataFolder = Paths::dataFolderPrefix();
    job.CurrentFoot.clear();

    // Until the file is read or made, the counter is no number of the clinic's.
    job.JobCounterFromConfig = false;
    if (const std::optional<MainConfig> config = Read_Main_Config()) {
        // A short file gives the lines it has; the others stay as they were.
        if (config->has(1))
            job.OperatorCode = config->line(1);
        if (config->has(2))
            job.ScannerId = config->line(2);
        if (config->has(3)) {
            job.JobCounterText = config->line(3);
            job.JobCounter = Counter_From_Text(job.JobCounterText);
        }
        if (config->has(4))
            job.CurrentUser = config->line(4);
    } else {
        job.ScannerId = QStringLiteral("A0011");
        job.OperatorCode = QStringLiteral("VORMAK");
        job.JobCounterText.clear();
        job.JobCounter = 0;
        job.CurrentUser.clear();
        Create_Main_Config(QStringLiteral("A0011"));
    }
    job.JobCounterFromConfig = true;

    if (!job.CurrentUser.isEmpty())
        job.DataFolder += job.CurrentUser + u'/';

    job.PdfFile = QStringLiteral("None");
    job.LeftScanFile = QStringLiteral("None");
    job.RightScanFile = QStringLiteral("None");
    job.LeftGraphicFile = QStringLiteral("None");
    job.RightGraphicFile = QStringLiteral("None");

    Reset_Sizes_To_Default(job);
    // The soft window's ticks stand for these; they are reset here too, so a
    // new job starts without them whether or not that window is loaded.
    job.PriorityReturn = false;
    job.ConfirmBeforeManufacture = false;

    job.ClientFirstName = QStringLiteral("FirstName");
    job.ClientSurname = QStringLiteral("Surname");
    job.JobNumber = Make_Job_Number(job);

    job.ScanPositionL = job.ScanPositionR = QStringLiteral("0");
    job.Gender = QStringLiteral("Male");
    job.ClinicJobNumber.clear();
    job.DispenseDate.clear();
    job.ThicknessL = job.ThicknessR = 1.5;

    // The default names go into the folder of the previous job: the folder
    // list moves to the data folder only at the end of the new job.
    const QString pdfFolder = job.NasModeFlag ? job.NasFolder : job.CurrentFolder;
    const QString base = JobBaseNameDefault(job);
    job.PdfFile = Join_Path(pdfFolder, base + QStringLiteral(".Pdf"));
    job.FullPdfFile = Join_Path(pdfFolder, base + QStringLiteral("_L.Pdf"));
    job.CsvFile = Join_Path(job.CurrentFolder, base + QStringLiteral(".Csv"));

    const QDateTime now = Clock::now();
    job.ScanDateL = job.ScanDateR = Clock::shortDate(now.date());
    job.ScanTimeL = job.ScanTimeR = Clock::longTime(now.time());

    job.Notes = QStringLiteral("None");
    for (QString *text :
         {&job.ForefootVarusL, &job.ForefootVarusR, &job.ForefootValgusL, &job.ForefootValgusR, &job.HeelDotLengthL,
          &job.HeelDotLengthR, &job.VarusLengthL, &job.VarusLengthR, &job.ExtraHeelDepthL, &job.ExtraHeelDepthR,
          &job.HeelWidthL, &job.HeelWidthR, &job.MidfootWidthL, &job.MidfootWidthR, &job.MetaWedgeL, &job.MetaWedgeR,
          &job.ForefootWidthL, &job.ForefootWidthR})
        text->clear();
    for (double *value : {&job.ForefootElevationL,
                          &job.ForefootElevationR,
                          &job.SkiveDistanceL,
                          &job.SkiveDistanceR,
                          &job.InversionRampL,
                          &job.InversionRampR,
                          &job.EversionRampL,
                          &job.EversionRampR,
                          &job.ArchFillL,
                          &job.ArchFillR,
                          &job.LateralArchFillL,
                          &job.LateralArchFillR,
                          &job.ArchHeightL,
                          &job.ArchHeightR,
                          &job.HeelLiftL,
                          &job.HeelLiftR,
                          &job.HeelCupL,
                          &job.HeelCupR,
                          &job.RearFootPostingL,
                          &job.RearFootPostingR,
                          &job.RearFootPostingLateralL,
                          &job.RearFootPostingLateralR,
                          &job.InsertHeightL,
                          &job.InsertHeightR,
                          &job.InsertLengthL,
                          &job.InsertLengthR})
        *value = 0.0;
    job.SkiveAngleL = job.SkiveAngleR = QStringLiteral("0");
}
