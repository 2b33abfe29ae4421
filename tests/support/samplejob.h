#pragma once

#include "scriptrecord.h"

#include <QString>

// The job and client part of a sample job, the same for either kind of
// prescription: a client whose name is not plain ASCII, every file under
// the working folder `root`, and no two values of a pair alike where a
// record could mix them up. The tests add the prescription of their kind.
inline ScriptRecord Sample_Job_Header(const QString &root, const QString &csvName)
{
    ScriptRecord j;
    j.CurrentFolder = root + QStringLiteral("/Data/Ann");
    j.CsvFile = j.CurrentFolder + u'/' + csvName;
    j.JobNumber = QStringLiteral("VORMAK0042");
    j.ClinicJobNumber = QStringLiteral("P-17");
    j.PdfFile = j.CurrentFolder + QStringLiteral("/VORMAK0042_Zoë_Lee.Pdf");
    j.LeftScanFile = j.CurrentFolder + QStringLiteral("/Lee_Zoë_L.Wrl");
    j.RightScanFile = j.CurrentFolder + QStringLiteral("/Lee_Zoë_R.Wrl");
    j.LeftLcfFile = j.CurrentFolder + QStringLiteral("/Lee_Zoë_L.Lcf");
    j.RightLcfFile = QStringLiteral("Lee_Zoë_R.Lcf"); // bare name: placed in CurrentFolder
    j.LeftGraphicFile = j.CurrentFolder + QStringLiteral("/Lee_Zoë_L[VRML].Jpg");
    j.RightGraphicFile = j.CurrentFolder + QStringLiteral("/Lee_Zoë_R[VRML].Jpg");
    j.ClientFirstName = QStringLiteral("Zoë");
    j.ClientSurname = QStringLiteral("Lee");
    j.Gender = QStringLiteral("Female");
    j.PodiatristName = QStringLiteral("Dr Hale");
    j.SendConfirmationEmail = true;
    j.ClinicName = QStringLiteral("Foot Clinic;1 High St;Town");
    j.DispenseDate = QStringLiteral("24/12/2026");
    j.PriorityReturn = true;
    j.ConfirmBeforeManufacture = false;
    j.FootSizeL = QStringLiteral("8");
    j.FootSizeR = QStringLiteral("8.5");
    j.TemplateLengthL = 247;
    j.TemplateLengthR = 253;
    j.FootLengthL = 222;
    j.FootLengthR = 228;
    j.ScanPositionL = QStringLiteral("-3");
    j.ScanPositionR = QStringLiteral("0");
    j.ScanDateL = j.ScanDateR = QStringLiteral("08/12/2026");
    j.ScanTimeL = j.ScanTimeR = QStringLiteral("10:11:12");
    return j;
}
