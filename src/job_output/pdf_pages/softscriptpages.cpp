#include "softscriptpages.h"

#include "numbers.h"
#include "paths.h"
#include "pdfwriter.h"
#include "prescriptiondocument.h"
#include "scriptrecord.h"
#include "shellhelpers.h"

#include <cmath>

namespace softcell {

QString d1(double value)
{
    return num::format0_0(value);
}

QString d1UnlessZero(double value)
{
    return value != 0 ? num::format0_0(value) : QString();
}

QString textUnlessZeroText(const QString &t)
{
    return t == QLatin1String("0") ? QString() : t;
}

QString textUnlessZero(const QString &t)
{
    return num::leadingNumber(t) != 0 ? t : QString();
}

QString wedgeLateral(const QString &t)
{
    const double n = num::leadingNumber(t);
    return n >= 0 ? num::format0_0(std::fabs(n)) : QString();
}

QString wedgeMedial(const QString &t)
{
    const double n = num::leadingNumber(t);
    return n < 0 ? num::format0_0(std::fabs(n)) : QString();
}

QString t1(const QString &t)
{
    return num::format0_0Text(t);
}

QString scanPosition(const QString &position, bool e, bool i)
{
    if (e)
        return position + QStringLiteral(" E");
    if (i)
        return position + QStringLiteral(" I");
    return position;
}

} // namespace softcell

namespace {

struct TableRow
{
    const char *label;
    QString left;
    QString right;
};

void drawTable(PrescriptionDocument &doc, int firstRowY, int labelX, int leftX, int rightX, const QList<TableRow> &rows)
{
    doc.PdfCursorY = firstRowY;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (i > 0)
            doc.advance(1);
        doc.labelled(labelX, QLatin1String(rows[i].label), leftX, rows[i].left);
        doc.text(rightX, rows[i].right);
    }
}

} // namespace

void Begin_EVA_Script_PDF(PrescriptionDocument &doc, const QString &path, const ScanPositionOptions &pos)
{
    using namespace softcell;
    const ScriptRecord &job = doc.job();
    PdfWriter &w = doc.writer();

    doc.Begin_Script_Document(path, JobKind::Soft);

    doc.advance(1);
    doc.labelled(200, QStringLiteral("ORTHOTIC STYLE"), 550, job.OrthoticStyleL);
    doc.Draw_Reprocessed_Note();

    doc.advance(1.5);
    doc.Draw_Rule();
    const int tableTop = doc.PdfCursorY;
    doc.advance(1);
    doc.text(250, QStringLiteral("ITEM"));
    doc.text(650, QStringLiteral("LEFT"));
    doc.text(850, QStringLiteral("RIGHT"));
    doc.text(1150, QStringLiteral("ITEM"));
    doc.text(1500, QStringLiteral("LEFT"));
    doc.text(1700, QStringLiteral("RIGHT"));
    doc.advance(1.5);
    const int firstRow = doc.PdfCursorY;

    drawTable(doc, firstRow, 200, 650, 850,
              {
                  {"TEMPLATE", job.TemplateCodeL, job.TemplateCodeR},
                  {"DENSITY", job.EvaDensityL, job.EvaDensityR},
                  {"SCAN POSITION", scanPosition(job.ScanPositionL, pos.leftE, pos.leftI),
                   scanPosition(job.ScanPositionR, pos.rightE, pos.rightI)},
                  {"SKIVE DISTANCE", d1UnlessZero(job.SkiveDistanceL), d1UnlessZero(job.SkiveDistanceR)},
                  {"SKIVE ANGLE", textUnlessZero(job.SkiveAngleL), textUnlessZero(job.SkiveAngleR)},
                  {"THICKNESS", d1(job.ThicknessL), d1(job.ThicknessR)},
                  {"INVERSION RAMP", d1UnlessZero(job.InversionRampL), d1UnlessZero(job.InversionRampR)},
                  {"EVERSION RAMP", d1UnlessZero(job.EversionRampL), d1UnlessZero(job.EversionRampR)},
                  {"MET WEDGE LAT", wedgeLateral(job.MetaWedgeL), wedgeLateral(job.MetaWedgeR)},
                  {"MET WEDGE MED", wedgeMedial(job.MetaWedgeL), wedgeMedial(job.MetaWedgeR)},
                  {"RF POST MED", d1UnlessZero(job.RearFootPostingL), d1UnlessZero(job.RearFootPostingR)},
                  {"RF POST LAT", d1UnlessZero(job.RearFootPostingLateralL), d1UnlessZero(job.RearFootPostingLateralR)},
              });
    drawTable(doc, firstRow, 1100, 1500, 1700,
              {
                  {"PFA", job.PfaL, job.PfaR},
                  {"METDOME", textUnlessZeroText(job.MetDomeL), textUnlessZeroText(job.MetDomeR)},
                  {"METPAD", textUnlessZeroText(job.MetPadL), textUnlessZeroText(job.MetPadR)},
                  {"ARCH FILL", d1UnlessZero(job.ArchFillL), d1UnlessZero(job.ArchFillR)},
                  {"LAT ARCH FILL", d1UnlessZero(job.LateralArchFillL), d1UnlessZero(job.LateralArchFillR)},
                  {"ARCH HEIGHT", d1UnlessZero(job.ArchHeightL), d1UnlessZero(job.ArchHeightR)},
                  {"HEEL CUP", d1UnlessZero(job.HeelCupL), d1UnlessZero(job.HeelCupR)},
                  {"HEEL LIFT", d1UnlessZero(job.HeelLiftL), d1UnlessZero(job.HeelLiftR)},
                  {"FF VARUS", textUnlessZeroText(job.ForefootVarusL), textUnlessZeroText(job.ForefootVarusR)},
                  {"FF VALGUS", textUnlessZeroText(job.ForefootValgusL), textUnlessZeroText(job.ForefootValgusR)},
                  {"HEEL-DOT LENGTH", textUnlessZeroText(job.HeelDotLengthL), textUnlessZeroText(job.HeelDotLengthR)},
                  {"VARUS LENGTH", t1(job.VarusLengthL), t1(job.VarusLengthR)},
              });

    doc.advance(2);
    doc.Draw_Rule();
    w.Pdf_Move_To(1050, tableTop);
    w.Pdf_Line_To(1050, doc.PdfCursorY);

    doc.advance(1);
    doc.flowRow();
    doc.labelled(200, QStringLiteral("TOP COVER LEFT"), 650, Fold_Line_Breaks(job.TopCoverL));
    doc.advance(1);
    doc.flowRow();
    doc.labelled(200, QStringLiteral("TOP COVER RIGHT"), 650, Fold_Line_Breaks(job.TopCoverR));

    doc.Draw_Insole_Options();

    doc.advance(1);
    doc.flowRow();
    doc.Draw_Rule();
    doc.advance(1);
    doc.flowRow();
    doc.Draw_Note_Lines(doc.drawLabel(200, QStringLiteral("NOTES"), 600), job.Notes);
    doc.advance(1);

    struct WidthRow
    {
        const char *label;
        QString left, right;
        bool shown;
    };
    const WidthRow widths[] = {
        {"Forefoot Width", job.ForefootWidthL.toUpper(), job.ForefootWidthR.toUpper(),
         !job.ForefootWidthL.isEmpty() || !job.ForefootWidthR.isEmpty()},
        {"Midfoot Width", job.MidfootWidthL.toUpper(), job.MidfootWidthR.toUpper(),
         !job.MidfootWidthL.isEmpty() || !job.MidfootWidthR.isEmpty()},
        {"Heel Width", job.HeelWidthL.toUpper(), job.HeelWidthR.toUpper(),
         !job.HeelWidthL.isEmpty() || !job.HeelWidthR.isEmpty()},
        {"Extra Heel Depth", job.ExtraHeelDepthL.toUpper(), job.ExtraHeelDepthR.toUpper(),
         !job.ExtraHeelDepthL.isEmpty() || !job.ExtraHeelDepthR.isEmpty()},
        {"Insert Height", d1(job.InsertHeightL), d1(job.InsertHeightR),
         job.InsertHeightL != 0 || job.InsertHeightR != 0},
        {"Insert Length", d1(job.InsertLengthL), d1(job.InsertLengthR),
         job.InsertLengthL != 0 || job.InsertLengthR != 0},
    };
    for (const WidthRow &row : widths) {
        if (!row.shown)
            continue;
        doc.flowRow();
        doc.labelled(650, QLatin1String(row.label), 1100, row.left);
        doc.text(1500, row.right);
        doc.advance(1);
    }

    doc.Draw_Flow_Footer();
}

void Draw_EVA_Other_Info(PrescriptionDocument &doc)
{
    const ScriptRecord &job = doc.job();
    doc.Begin_Other_Info_Page();

    auto row = [&](double lines, const char *label, const QString &left, const QString &right) {
        doc.advance(lines);
        doc.labelled(200, QLatin1String(label), 700, left);
        doc.text(1300, right);
    };
    using softcell::d1UnlessZero;
    row(2, "Orthotic Style", job.OrthoticStyleL, job.OrthoticStyleR);
    row(1, "Foot Size", job.FootSizeL, job.FootSizeR);
    row(1, "Insert Height", d1UnlessZero(job.InsertHeightL), d1UnlessZero(job.InsertHeightR));
    row(1, "Insert Length", d1UnlessZero(job.InsertLengthL), d1UnlessZero(job.InsertLengthR));
    row(1, "Heel Width", job.HeelWidthL, job.HeelWidthR);
    row(1, "Midfoot Width", job.MidfootWidthL.toUpper(), job.MidfootWidthR.toUpper());
    row(1, "Forefoot Width", job.ForefootWidthL, job.ForefootWidthR);

    doc.Draw_Other_Info_Dates();

    // Each path as file name, and its folder one row down, 2 mm further right.
    const struct
    {
        const char *label;
        const QString &path;
    } files[] = {
        {"PDF File Name", job.PdfFile},
        {"Left Scan File Name", job.LeftScanFile},
        {"Right Scan File Name", job.RightScanFile},
        {"Left Graphic File Name", job.LeftGraphicFile},
        {"Right Graphic File Name", job.RightGraphicFile},
        {"Left LCF File Name", job.LeftLcfFile},
        {"Right LCF File Name", job.RightLcfFile},
    };
    for (const auto &file : files) {
        const QString shown = Record_Path(file.path);
        doc.advance(2);
        const int x = doc.drawLabel(200, QLatin1String(file.label), 700);
        doc.text(x, Get_File_Name(shown));
        doc.advance(1);
        doc.text(x + 20, Get_Folder_Path(shown));
    }

    doc.Draw_Page_Footer(doc.PdfCursorY);
}
