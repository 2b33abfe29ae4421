#pragma once

#include "samplejob.h"
#include "scriptrecord.h"

#include <QString>

// A rigid job as the rigid window leaves it before a record is written:
// every value set, and no two values of a pair alike where the record or
// the grid could mix them up. Its folder lies under the working folder.
inline ScriptRecord fullRigidJob(const QString &root)
{
    ScriptRecord j = Sample_Job_Header(root, QStringLiteral("R_VORMAK0042_Zoë_Lee.Csv"));

    j.ShellStyleL = QStringLiteral("Slim");
    j.ShellStyleR = QStringLiteral("Standard");
    j.ShellMaterialL = QStringLiteral("Polypropylene (3 mm)");
    j.ShellMaterialR = QStringLiteral("Subortholene (3 mm)");
    j.TopCoverL = QStringLiteral("FDM Armadillo Black\r\nSLS Nylon Grey");
    j.TopCoverR = QStringLiteral("Milled Polypropylene 2mm");
    j.TopCoverBaseL = QStringLiteral("Subortholene 2mm");
    j.TopCoverBaseR = QStringLiteral("None");
    j.InsoleOptionsL = QStringLiteral("Option 1\r\nOption 3");
    j.InsoleOptionsR = QStringLiteral("Option 2");
    j.AdditionalForefootPaddingL = QStringLiteral("Option 4");
    j.AdditionalForefootPaddingR = QStringLiteral("None");
    j.AdditionalHeelPaddingL = QStringLiteral("None");
    j.AdditionalHeelPaddingR = QStringLiteral("Option 5");
    j.Notes = QStringLiteral("Runs daily, left knee\r\nCall first");

    j.ThicknessL = 2;
    j.ThicknessR = 2.5;
    j.SkiveDistanceL = 2.25;
    j.SkiveAngleL = QStringLiteral("15");
    j.SkiveAngleR = QStringLiteral("0");
    j.ArchFillL = 50;
    j.ArchFillR = 40;
    j.HeelLiftL = 3;
    j.ArchExpansionL = QStringLiteral("Minimum");
    j.ArchExpansionR = QStringLiteral("None");
    j.HeelExpansionL = QStringLiteral("Moderate");
    j.HeelExpansionR = QStringLiteral("Maximum");
    j.MedialFlangeL = 4;
    j.MedialFlangeR = 4.5;
    j.LateralFlangeL = 3;
    j.SpecificHeelWidthL = 58;
    j.MedialHeelHeightL = 12;
    j.MedialHeelHeightR = 11.5;
    j.LateralHeelHeightL = 10;
    j.LateralHeelHeightR = 9;
    j.CuboidNotchL = 1;
    j.FirstRayNotchL = 2;
    j.FifthRayNotchR = 3;
    j.NavicularNotchL = 1.5;
    j.StyloidNotchR = 2.5;
    j.CuboidShellL = 1;
    j.CuboidShellR = 1.25;
    j.FirstRayShellR = 2;
    j.FifthRayShellL = 3;
    j.NavicularShellR = 1;
    j.StyloidShellL = 2;
    j.HeelApertureL = 6;
    j.EvaMortonExtensionL = 1;
    j.ReverseMortonExtensionR = 2;
    j.ForefootValgusWedgeL = 3;
    j.ForefootVarusWedgeR = 4;
    j.EvaArchFillL = j.ContouredArchFillL = j.FlatArchFillL = true;
    j.LateralBorderPostL = 5;
    j.PptCuboidNotchL = 2;
    j.MetDomeL = QStringLiteral("S");
    j.MetDomeR = QStringLiteral("2");
    j.MetPadL = QStringLiteral("Metpad Small");
    j.MetPadR = QStringLiteral("Custom");

    j.ForefootVarusL = QStringLiteral("4");
    j.ForefootVarusR = QStringLiteral("3.5");
    j.ForefootValgusR = QStringLiteral("2.25");
    j.VarusLengthL = QStringLiteral("180");
    j.VarusLengthR = QStringLiteral("182.5");
    j.HeelDotLengthL = QStringLiteral("42");
    j.HeelDotLengthR = QStringLiteral("40");
    j.ShellLengthL = QStringLiteral("Short");
    j.ShellLengthR = QStringLiteral("Standard");
    j.HeelWidthL = QStringLiteral("62");
    j.HeelWidthR = QStringLiteral("60");
    j.ForefootWidthL = QStringLiteral("85");
    j.ForefootWidthR = QStringLiteral("84");
    j.PeakArchHeightL = QStringLiteral("18");
    j.PeakArchHeightR = QStringLiteral("17");
    j.HeelCupMedialL = QStringLiteral("14");
    j.HeelCupMedialR = QStringLiteral("13");
    j.HeelCupLateralL = QStringLiteral("12");
    j.HeelCupLateralR = QStringLiteral("11");
    j.ArchHeightMedialL = QStringLiteral("20");
    j.ArchHeightMedialR = QStringLiteral("19");
    j.ArchHeightLateralL = QStringLiteral("9");
    j.ArchHeightLateralR = QStringLiteral("8");

    j.HeelPostWidthL = QStringLiteral("Half Width");
    j.HeelPostWidthR = QStringLiteral("None");
    j.HeelPostLateralL = true;
    j.HeelPostDistanceL = 10;
    j.HeelPostRotationL = 4.5;
    j.HeelPostMedialLengthL = 30;
    j.HeelPostLateralLengthL = 20;
    j.HeelPostMedialLengthR = 21;
    j.HeelPostLateralLengthR = 22;
    j.FootPostMedialLengthL = 30;
    j.FootPostLateralLengthL = 20;
    j.InversionAngleL = 4;
    j.EversionAngleR = 2;
    j.SagittalAngleL = 1.5;
    j.ForefootPostWidthL = QStringLiteral("Quarter Width");
    j.ForefootPostWidthR = QStringLiteral("None");
    j.ForefootPostLateralR = true;
    j.ForefootPostDistanceR = 15;
    j.RearPostLengthL = 45.5;
    j.TaperAngleL = true;
    j.PfaL = QStringLiteral("5");
    j.PfaR = QStringLiteral("0");
    j.PfaShapeL = QStringLiteral("2");
    j.PfaShapeR = QStringLiteral("0");
    return j;
}
