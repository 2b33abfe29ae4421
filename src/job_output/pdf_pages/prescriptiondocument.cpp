#include "prescriptiondocument.h"

#include "clock.h"
#include "errors.h"
#include "numbers.h"
#include "paths.h"
#include "pdfwriter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "textfile.h"

#include <QFileInfo>

#include <algorithm>

namespace {

// Shown in the second footer row of every page.
const char *const kVersionText = "SOLVANE Version 2.08";
const char *const kMakerWebAddress = "www.brennickorthotics.com";

// Runs one step of an image page: a picture that cannot be drawn leaves its
// area empty and the page goes on.
template <typename Step>
void tolerant(Step step)
{
    try {
        step();
    } catch (const SolvaneError &) {}
}

} // namespace

QString Fold_Line_Breaks(const QString &text)
{
    QString out = text;
    out.replace(QLatin1String("\r\n"), QLatin1String(","));
    return out;
}

QString Prescription_Title(JobKind kind)
{
    const QString path = Resolve_Path_Nocase(Paths::root(), QStringLiteral("Custom.Cfg"));
    if (path.isEmpty())
        return kind == JobKind::Rigid ? QStringLiteral("  BRENNICK  RIGID  PRESCRIPTION")
                                      : QStringLiteral("  BRENNICK  ORTHOTICS  PRESCRIPTION");
    // An empty file has an empty first line: no title band.
    return textfile::readLines(path).value(0);
}

PrescriptionDocument::PrescriptionDocument(PdfWriter &writer, const ScriptRecord &job)
    : m_writer(writer),
      m_job(job)
{}

void PrescriptionDocument::advance(double lines)
{
    PdfCursorY = num::roundHalfEven(PdfCursorY + lines * PdfLineSpacing);
}

void PrescriptionDocument::text(int x, const QString &text)
{
    m_writer.Pdf_Text(x, PdfCursorY, text);
    m_lastRowY = PdfCursorY;
}

int PrescriptionDocument::drawLabel(int labelX, const QString &label, int valueX)
{
    const int x = std::max(valueX, labelX + m_writer.Pdf_Text_Width(label + u' '));
    text(labelX, label);
    return x;
}

void PrescriptionDocument::labelled(int labelX, const QString &label, int valueX, const QString &value)
{
    text(drawLabel(labelX, label, valueX), value);
}

void PrescriptionDocument::Begin_Script_Document(const QString &path, JobKind kind)
{
    PdfWriter &w = m_writer;
    const ScriptRecord &job = m_job;

    w.Pdf_Set_File_Name(path);
    w.Pdf_Set_Paper(QStringLiteral("A4"));
    w.Pdf_Begin_Document();
    w.Pdf_Set_Font(QStringLiteral("Arial"));
    w.Pdf_Set_Font_Size(14);
    w.Pdf_Set_Document_Option(0);
    PdfCursorY = 100;
    m_lastRowY = PdfCursorY;
    w.Pdf_Set_Page_Option(3);

    const QString title = Prescription_Title(kind);
    if (title.size() >= 2) {
        w.Pdf_Rectangle(100, PdfCursorY - 20, 2000, PdfCursorY + 80);
        w.Pdf_Text_In_Box(100, PdfCursorY - 20, 2000, PdfCursorY + 80, 0, 2, title);
        w.Pdf_Text(1200, PdfCursorY, QStringLiteral("JOB NO:"));
    }

    w.Pdf_Set_Font(QStringLiteral("Arial"));
    w.Pdf_Set_Font_Size(10);
    PdfTextHeight = w.Pdf_Text_Height(QStringLiteral("A"));
    PdfLineSpacing = 1.4 * PdfTextHeight;

    advance(3);
    text(200, QStringLiteral("FOR OFFICE USE ONLY        S:                P:                M:                "
                             "G:                C:                B:"));
    advance(1);
    text(200, QStringLiteral("FILE NO:  ") + job.JobNumber);
    text(950, QStringLiteral("DATE RECEIVED:"));
    w.Pdf_Rectangle(1430, PdfCursorY, 2000, num::roundHalfEven(PdfCursorY + 3 * PdfLineSpacing));
    advance(1);
    text(200, QStringLiteral("CNC FILE FORMAT:  "));
    advance(1);
    labelled(200, QStringLiteral("DISPENSE DATE:"), 500, job.DispenseDate + u' ' + job.DispenseDateNote);

    w.Pdf_Set_Bold(true);
    if (job.PriorityReturn) {
        advance(1.4);
        text(1430, QStringLiteral("Priority Return Required"));
    }
    if (job.ConfirmBeforeManufacture) {
        advance(1.4);
        text(1430, QStringLiteral("Confirm Order Before Manufacture"));
    }
    w.Pdf_Set_Bold(false);

    // The clinic is a name with up to two further parts after ";".
    QString clinic = job.ClinicName;
    const QString part1 = Get_Token_Semicolon(clinic);
    const QString part2 = Get_Token_Semicolon(clinic);
    const QString part3 = Get_Token_Semicolon(clinic);

    advance(1.5);
    labelled(200, QStringLiteral("CLIENT NAME:"), 500, job.ClientFirstName + QStringLiteral("  ") + job.ClientSurname);
    text(950, QStringLiteral("CLINIC NAME:  ") + part1 + QStringLiteral("  ") + part2 + QStringLiteral("  ") + part3);
    advance(1);
    text(200, QStringLiteral("GENDER:   ") + job.Gender);
    QString podiatrist = QStringLiteral("PODIATRIST:   ") + job.PodiatristName;
    if (!job.ClinicJobNumber.isEmpty())
        podiatrist += QStringLiteral("  (Pod Job Number: ") + job.ClinicJobNumber + u')';
    text(950, podiatrist);
}

void PrescriptionDocument::Draw_Rule()
{
    m_writer.Pdf_Move_To(200, PdfCursorY);
    m_writer.Pdf_Line_To(1900, PdfCursorY);
}

void PrescriptionDocument::Draw_Page_Footer(int cursor)
{
    PdfWriter &w = m_writer;
    w.Pdf_Set_Font(QStringLiteral("Arial"));
    w.Pdf_Set_Font_Size(10);
    const int row1 = cursor < 2750 ? 2800 : cursor + 100;
    const int row2 = cursor < 2750 ? 2860 : cursor + 160;
    w.Pdf_Text(200, row1, Record_Path(m_job.PdfFile));
    w.Pdf_Text(1800, row1, QStringLiteral("Page ") + QString::number(PdfPageNumber));
    w.Pdf_Text(200, row2, QLatin1String(kVersionText));
    w.Pdf_Text(1460, row2, QLatin1String(kMakerWebAddress));
    ++PdfPageNumber;
}

void PrescriptionDocument::End_PDF_Document()
{
    m_writer.Pdf_End_Document();
}

void PrescriptionDocument::flowRow()
{
    if (PdfCursorY <= LastRowY)
        return;
    Draw_Page_Footer(m_lastRowY);
    m_writer.Pdf_New_Page();
    m_writer.Pdf_Set_Page_Option(3);
    PdfCursorY = ContinuationTopY;
}

void PrescriptionDocument::Draw_Flow_Footer()
{
    // Past LastRowY the cursor only stands where a further row would have
    // gone; the footer follows the last row that was drawn.
    Draw_Page_Footer(PdfCursorY > LastRowY ? m_lastRowY : PdfCursorY);
}

void PrescriptionDocument::Draw_List_Items(int x, const QString &list)
{
    QString rest = list;
    do {
        const QString item = Get_Token_Semicolon(rest);
        flowRow();
        text(x, item);
        advance(1);
    } while (rest.size() > 1);
}

void PrescriptionDocument::Draw_Note_Lines(int x, const QString &notes)
{
    QString rest = notes;
    do {
        const QString line = Get_Token_Semicolon(rest);
        qsizetype at = 0;
        do {
            flowRow();
            text(x, line.mid(at, 80));
            advance(1);
            at += 80;
        } while (at < line.size());
    } while (rest.size() > 1);
}

void PrescriptionDocument::titleBox(int y, int horizontal, const QString &title)
{
    m_writer.Pdf_Rectangle(100, y, 2000, y + 100);
    m_writer.Pdf_Text_In_Box(100, y, 2000, y + 100, horizontal, 2, title);
}

void PrescriptionDocument::Begin_Other_Info_Page()
{
    PdfWriter &w = m_writer;
    w.Pdf_New_Page();
    PdfCursorY = 120;
    m_lastRowY = PdfCursorY;
    w.Pdf_Set_Page_Option(3);
    w.Pdf_Set_Font_Size(14);
    titleBox(PdfCursorY, 2, QStringLiteral("OTHER INFORMATION"));
    w.Pdf_Set_Font_Size(10);

    advance(3);
    labelled(200, QStringLiteral("CLIENT NAME:"), 700, m_job.ClientFirstName + u' ' + m_job.ClientSurname);
    advance(1);
    text(200, QStringLiteral("PATIENT FILE NO:"));
    advance(3);
    text(250, QStringLiteral("ITEM"));
    text(700, QStringLiteral("LEFT"));
    text(1300, QStringLiteral("RIGHT"));
}

void PrescriptionDocument::Draw_Other_Info_Dates()
{
    // The moment the document is made, not that of the job or the scans.
    const QDateTime now = Clock::now();
    advance(2);
    Draw_Rule();
    advance(2);
    labelled(200, QStringLiteral("Current Date"), 700, Clock::recordDate(now.date()));
    text(1200, Clock::longTime(now.time()));
    advance(1);
    labelled(200, QStringLiteral("Left Scan"), 700, m_job.ScanDateL);
    text(1000, m_job.ScanTimeL);
    advance(1);
    labelled(200, QStringLiteral("Right Scan"), 700, m_job.ScanDateR);
    text(1000, m_job.ScanTimeR);
}

void PrescriptionDocument::Draw_Reprocessed_Note()
{
    m_writer.Pdf_Set_Bold(true);
    if (!m_job.ReprocessedFromJob.isEmpty()) {
        advance(1);
        text(200, QStringLiteral("This Job is Reprocessed from Job: ") + m_job.ReprocessedFromJob);
    }
    m_writer.Pdf_Set_Bold(false);
}

void PrescriptionDocument::Draw_Insole_Options()
{
    const auto block = [this](const QString &label, const QString &options) {
        flowRow();
        Draw_List_Items(drawLabel(200, label, 650), Fold_Line_Breaks(options));
    };
    advance(2);
    block(QStringLiteral("INSOLE OPTIONS LEFT"), m_job.InsoleOptionsL);
    advance(1);
    block(QStringLiteral("INSOLE OPTIONS RIGHT"), m_job.InsoleOptionsR);
}

void PrescriptionDocument::drawImagePage(const QString &title, const QString &image, int imageBottom, bool instructions)
{
    PdfWriter &w = m_writer;
    w.Pdf_New_Page();
    PdfCursorY = 120;
    m_lastRowY = PdfCursorY;
    w.Pdf_Set_Page_Option(3);
    if (instructions)
        w.Pdf_Set_Font_Size(14);
    titleBox(PdfCursorY, 2, title);

    tolerant([&] { w.Pdf_Set_Image_Option(true); });
    tolerant([&] { w.Pdf_Image_Stretched(100, 320, 2000, imageBottom, image); });
    if (instructions)
        tolerant([&] { w.Pdf_Set_Font_Size(10); });
    PdfCursorY = 2200;
    tolerant([&] {
        QString logo = Resolve_Path_Nocase(Paths::root(), QStringLiteral("ClinicLogo.Jpg"));
        if (logo.isEmpty())
            logo = Paths::file(QStringLiteral("ClinicLogo.Jpg"));
        w.Pdf_Image(360, 2200, logo);
    });
    tolerant([&] { Draw_Page_Footer(PdfCursorY); });
}

void PrescriptionDocument::Draw_Instructions_Page()
{
    drawImagePage(QStringLiteral("Instructions:  ") + m_job.ClientFirstName + u' ' + m_job.ClientSurname,
                  m_job.JobImageFile, 1695, true);
}

void PrescriptionDocument::Draw_Left_Graphic_Page()
{
    drawImagePage(QStringLiteral("LEFT FOOT GRAPHIC:  ") + m_job.ClientFirstName + u' ' + m_job.ClientSurname,
                  m_job.LeftGraphicFile, 2120, false);
}

void PrescriptionDocument::Draw_Right_Graphic_Page()
{
    drawImagePage(QStringLiteral("RIGHT FOOT GRAPHIC:  ") + m_job.ClientFirstName + u' ' + m_job.ClientSurname,
                  m_job.RightGraphicFile, 2120, false);
}
