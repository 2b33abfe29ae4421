#pragma once

#include "jobnames.h"
#include "softscriptpages.h"

#include <QList>
#include <QString>

class PdfWriter;
struct ScriptRecord;

// The job commands that write prescription documents; each draws its own
// sequence of pages.
enum class PdfCommand { SubmitJob, SaveJobLocally, SaveScript };

// The main document (PdfFile) or the fuller "_L" document (FullPdfFile).
enum class PdfDocument { Main, Full };

enum class ScriptPage { Prescription, OtherInformation, LeftGraphic, RightGraphic, Instructions };

struct ScriptPdfRequest
{
    JobKind kind = JobKind::Soft;
    PdfCommand command = PdfCommand::SubmitJob;
    ScanPositionOptions scanPositions; // read by the soft page only
};

// The pages a command draws into one document, in order. Image pages are
// left out for absent files ("None", empty).
QList<ScriptPage> Script_PDF_Pages(const ScriptRecord &job, JobKind kind, PdfCommand command, PdfDocument document);

// Composes one document on the writer and ends it. Page numbers start at 1.
// On a failure the writer's document is aborted (no file is left) and the
// SolvaneError passes on.
void Compose_Script_PDF(PdfWriter &writer, const ScriptRecord &job, const ScriptPdfRequest &request,
                        PdfDocument document, const QString &path);

// The same on the Qt writer: the document is written to `path` whole, or
// not at all.
void Write_Script_PDF(const ScriptRecord &job, const ScriptPdfRequest &request, PdfDocument document,
                      const QString &path);

// Both documents of a job, the main one to job.PdfFile first, then the "_L"
// one to job.FullPdfFile. Before drawing, the job's top covers and insole
// options (and the rigid notes) take "," for every line break, as the
// documents print them; the job keeps that form. Throws SolvaneError at the
// first document that cannot be written.
void Write_Script_PDFs(ScriptRecord &job, const ScriptPdfRequest &request);

// Soft and rigid shorthands of Write_Script_PDFs.
void Write_EVA_Script_PDFs(ScriptRecord &job, PdfCommand command, const ScanPositionOptions &scanPositions);
void Write_Rigid_Script_PDFs(ScriptRecord &job, PdfCommand command);

// The line-break rewrite Write_Script_PDFs applies to the job.
void Fold_Document_Line_Breaks(ScriptRecord &job, JobKind kind);
