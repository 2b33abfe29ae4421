#include "rigidscriptpages.h"

#include "numbers.h"
#include "paths.h"
#include "pdfwriter.h"
#include "prescriptiondocument.h"
#include "scriptrecord.h"
#include "shellhelpers.h"

QString Yes_No_Text(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

void Begin_Rigid_Script_PDF(PrescriptionDocument &doc, const QString &path)
{
    const ScriptRecord &job = doc.job();
    PdfWriter &w = doc.writer();
    const auto d1 = [](double v) { return num::format0_0(v); };

    doc.Begin_Script_Document(path, JobKind::Rigid);

    doc.Draw_Reprocessed_Note();

    doc.advance(1.5);
    doc.Draw_Rule();
    const int tableTop = doc.PdfCursorY;
    doc.advance(1);
    doc.text(250, QStringLiteral("ITEM"));
    doc.text(1000, QStringLiteral("LEFT"));
    doc.text(1500, QStringLiteral("RIGHT"));

    auto row = [&](double lines, const char *label, const QString &left, const QString &right) {
        doc.advance(lines);
        doc.labelled(200, QLatin1String(label), 950, left);
        doc.text(1450, right);
    };
    auto heading = [&](double lines, const char *label) {
        doc.advance(lines);
        doc.text(200, QLatin1String(label));
    };

    row(1.5, "SHELL STYLE", job.ShellStyleL, job.ShellStyleR);
    row(1, "SHELL MATERIAL", job.ShellMaterialL, job.ShellMaterialR);
    heading(1.5, "SHELL MEASUREMENTS");
    row(1.5, "Shell Length", job.ShellLengthL, job.ShellLengthR);
    row(1, "Heel Width", job.HeelWidthL, job.HeelWidthR);
    row(1, "Forefoot Width", job.ForefootWidthL, job.ForefootWidthR);
    row(1, "Peak Arch Height", job.PeakArchHeightL, job.PeakArchHeightR);
    row(1, "Medial Heel Cup Height", job.HeelCupMedialL, job.HeelCupMedialR);
    row(1, "Lateral Heel Cup Height", job.HeelCupLateralL, job.HeelCupLateralR);
    row(1, "Medial Arch Height", job.ArchHeightMedialL, job.ArchHeightMedialR);
    row(1, "Lateral Arch Height", job.ArchHeightLateralL, job.ArchHeightLateralR);
    heading(1.5, "ADDITIONS & DEFLECTIONS");
    row(1, "PFA", job.PfaL, job.PfaR);
    row(1, "Heel Skive Depth", d1(job.SkiveDistanceL), d1(job.SkiveDistanceR));
    row(1, "Heel Skive Angle", job.SkiveAngleL, job.SkiveAngleR);
    row(1.5, "Heel Lift", d1(job.HeelLiftL), d1(job.HeelLiftR));
    row(1, "Arch Fill", d1(job.ArchFillL), d1(job.ArchFillR));

    doc.advance(2);
    doc.Draw_Rule();
    w.Pdf_Move_To(1400, tableTop);
    w.Pdf_Line_To(1400, doc.PdfCursorY);

    auto block = [&](double lines, const char *label, const QString &value) {
        doc.advance(lines);
        doc.flowRow();
        doc.labelled(200, QLatin1String(label), 650, value);
    };
    block(1, "TOP COVER LEFT", Fold_Line_Breaks(job.TopCoverL));
    block(2, "TOP COVER RIGHT", Fold_Line_Breaks(job.TopCoverR));
    block(1, "TOP COVER (BASE) LEFT", job.TopCoverBaseL);
    block(2, "TOP COVER (BASE) RIGHT", job.TopCoverBaseR);

    doc.Draw_Insole_Options();

    doc.advance(1);
    doc.flowRow();
    doc.Draw_Rule();
    doc.advance(2);
    doc.flowRow();
    doc.Draw_Note_Lines(doc.drawLabel(200, QStringLiteral("NOTES"), 600), Fold_Line_Breaks(job.Notes));

    doc.Draw_Flow_Footer();
}

void Draw_Rigid_Other_Info(PrescriptionDocument &doc)
{
    const ScriptRecord &job = doc.job();
    const auto d1 = [](double v) { return num::format0_0(v); };
    const auto d1Text = [](const QString &t) { return num::format0_0Text(t); };
    const auto numberText = [](double v) { return num::shortestText(v); };

    doc.Begin_Other_Info_Page();

    auto row = [&](double lines, const char *label, const QString &left, const QString &right) {
        doc.advance(lines);
        doc.labelled(200, QLatin1String(label), 700, left);
        doc.text(1300, right);
    };

    row(2, "Shell Style", job.ShellStyleL, job.ShellStyleR);
    row(1, "Foot Size", job.FootSizeL, job.FootSizeR);
    row(1, "Foot Length", d1(job.FootLengthL), d1(job.FootLengthR));
    row(1, "Template Length", d1(job.TemplateLengthL), d1(job.TemplateLengthR));
    row(1, "Forefoot Varus", d1Text(job.ForefootVarusL), d1Text(job.ForefootVarusR));
    row(1, "Forefoot Valgus", d1Text(job.ForefootValgusL), d1Text(job.ForefootValgusR));
    row(1, "Heel to 1st MPJ Length", d1Text(job.VarusLengthL), d1Text(job.VarusLengthR));
    row(1, "Heel to Dot Length", d1Text(job.HeelDotLengthL), d1Text(job.HeelDotLengthR));
    row(1, "Scan Position", job.ScanPositionL, job.ScanPositionR);
    row(1, "Metdomes", job.MetDomeL, job.MetDomeR);
    row(1, "Metpads", job.MetPadL, job.MetPadR);
    row(1, "Heel Aperture", numberText(job.HeelApertureL), numberText(job.HeelApertureR));
    row(1, "EVA Morton's Extension", numberText(job.EvaMortonExtensionL), numberText(job.EvaMortonExtensionR));
    row(1, "Reverse Morton's Extension", numberText(job.ReverseMortonExtensionL),
        numberText(job.ReverseMortonExtensionR));
    row(1, "Forefoot Valgus Wedge", numberText(job.ForefootValgusWedgeL), numberText(job.ForefootValgusWedgeR));
    row(1, "Forefoot Varus Wedge", numberText(job.ForefootVarusWedgeL), numberText(job.ForefootVarusWedgeR));
    row(1, "PPT Cuboid Notch", numberText(job.PptCuboidNotchL), numberText(job.PptCuboidNotchR));
    row(1, "EVA Arch Fill", Yes_No_Text(job.EvaArchFillL), Yes_No_Text(job.EvaArchFillR));
    row(1, "Contoured Arch Fill", Yes_No_Text(job.ContouredArchFillL), Yes_No_Text(job.ContouredArchFillR));
    row(1, "Flat Arch Fill", Yes_No_Text(job.FlatArchFillL), Yes_No_Text(job.FlatArchFillR));
    row(1, "Lateral Border Post", numberText(job.LateralBorderPostL), numberText(job.LateralBorderPostR));
    row(1, "Additional Forefoot Padding", job.AdditionalForefootPaddingL, job.AdditionalForefootPaddingR);
    row(1, "Additional Heel Padding", job.AdditionalHeelPaddingL, job.AdditionalHeelPaddingR);

    doc.Draw_Other_Info_Dates();

    auto file = [&](double lines, const char *label, const QString &path) {
        doc.advance(lines);
        doc.labelled(200, QLatin1String(label), 700, Record_Path(path));
    };
    file(2, "PDF File Name", job.PdfFile);
    file(2, "Left Scan File Name", job.LeftScanFile);
    file(1, "Right Scan File Name", job.RightScanFile);
    file(2, "Left Graphic File Name", job.LeftGraphicFile);
    file(1, "Right Graphic File Name", job.RightGraphicFile);
    file(2, "Left LCF File Name", job.LeftLcfFile);
    file(1, "Right LCF File Name", job.RightLcfFile);

    doc.Draw_Page_Footer(doc.PdfCursorY);
}
