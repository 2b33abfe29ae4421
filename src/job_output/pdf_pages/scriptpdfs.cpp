#include "scriptpdfs.h"

#include "paths.h"
#include "prescriptiondocument.h"
#include "qtpdfwriter.h"
#include "rigidscriptpages.h"
#include "scriptrecord.h"

QList<ScriptPage> Script_PDF_Pages(const ScriptRecord &job, JobKind, PdfCommand command, PdfDocument document)
{
    QList<ScriptPage> pages{ScriptPage::Prescription};
    if (document == PdfDocument::Main) {
        if (command != PdfCommand::SubmitJob)
            pages << ScriptPage::OtherInformation;
        return pages;
    }

    pages << ScriptPage::OtherInformation;
    const bool left = !Is_Absent_Path(job.LeftGraphicFile);
    const bool right = !Is_Absent_Path(job.RightGraphicFile);
    const bool instructions = !Is_Absent_Path(job.JobImageFile);
    if (command == PdfCommand::SaveScript && instructions)
        pages << ScriptPage::Instructions;
    if (left)
        pages << ScriptPage::LeftGraphic;
    if (right)
        pages << ScriptPage::RightGraphic;
    if (command != PdfCommand::SaveScript && instructions)
        pages << ScriptPage::Instructions;
    return pages;
}

void Compose_Script_PDF(PdfWriter &writer, const ScriptRecord &job, const ScriptPdfRequest &request,
                        PdfDocument document, const QString &path)
{
    PrescriptionDocument doc(writer, job);
    doc.PdfPageNumber = 1;
    try {
        for (ScriptPage page : Script_PDF_Pages(job, request.kind, request.command, document)) {
            switch (page) {
            case ScriptPage::Prescription:
                if (request.kind == JobKind::Rigid)
                    Begin_Rigid_Script_PDF(doc, path);
                else
                    Begin_EVA_Script_PDF(doc, path, request.scanPositions);
                break;
            case ScriptPage::OtherInformation:
                if (request.kind == JobKind::Rigid)
                    Draw_Rigid_Other_Info(doc);
                else
                    Draw_EVA_Other_Info(doc);
                break;
            case ScriptPage::LeftGraphic: doc.Draw_Left_Graphic_Page(); break;
            case ScriptPage::RightGraphic: doc.Draw_Right_Graphic_Page(); break;
            case ScriptPage::Instructions: doc.Draw_Instructions_Page(); break;
            }
        }
        doc.End_PDF_Document();
    } catch (...) {
        writer.Pdf_Abort_Document();
        throw;
    }
}

void Write_Script_PDF(const ScriptRecord &job, const ScriptPdfRequest &request, PdfDocument document,
                      const QString &path)
{
    QtPdfWriter writer;
    Compose_Script_PDF(writer, job, request, document, path);
}

void Fold_Document_Line_Breaks(ScriptRecord &job, JobKind kind)
{
    job.TopCoverL = Fold_Line_Breaks(job.TopCoverL);
    job.TopCoverR = Fold_Line_Breaks(job.TopCoverR);
    job.InsoleOptionsL = Fold_Line_Breaks(job.InsoleOptionsL);
    job.InsoleOptionsR = Fold_Line_Breaks(job.InsoleOptionsR);
    if (kind == JobKind::Rigid)
        job.Notes = Fold_Line_Breaks(job.Notes);
}

void Write_Script_PDFs(ScriptRecord &job, const ScriptPdfRequest &request)
{
    Fold_Document_Line_Breaks(job, request.kind);
    QtPdfWriter writer;
    Compose_Script_PDF(writer, job, request, PdfDocument::Main, job.PdfFile);
    Compose_Script_PDF(writer, job, request, PdfDocument::Full, job.FullPdfFile);
}

void Write_EVA_Script_PDFs(ScriptRecord &job, PdfCommand command, const ScanPositionOptions &scanPositions)
{
    Write_Script_PDFs(job, ScriptPdfRequest{JobKind::Soft, command, scanPositions});
}

void Write_Rigid_Script_PDFs(ScriptRecord &job, PdfCommand command)
{
    Write_Script_PDFs(job, ScriptPdfRequest{JobKind::Rigid, command, {}});
}
