#include "optiontablepdf.h"

#include "messagetext.h"
#include "numbers.h"
#include "paths.h"
#include "pdfwriter.h"
#include "prompter.h"
#include "qtpdfwriter.h"
#include "scriptrecord.h"

#include <QStringList>

namespace {

// Geometry in tenths of a millimetre from the top-left corner.
constexpr int kTop = 100;
constexpr int kPageBreakBelow = 2500;
constexpr int kHeadingX = 200;
constexpr int kNumberX = 300;
constexpr int kEntryX = 600;

struct Section
{
    const char *heading;
    const QStringList &table;
    int count;
};

// The line cursor of the document: whole tenths of a millimetre, advanced
// by a fractional line spacing and rounded at each step.
class LineCursor
{
public:
    explicit LineCursor(int y)
        : m_y(y)
    {}
    void setSpacing(double spacing) { m_spacing = spacing; }
    void advance(int lines) { m_y = num::roundHalfEven(m_y + lines * m_spacing); }
    void moveTo(int y) { m_y = y; }
    int y() const { return m_y; }

private:
    int m_y;
    double m_spacing = 0;
};

void drawDocument(PdfWriter &w, const ScriptRecord &job)
{
    w.Pdf_Set_Font(QStringLiteral("Times New Roman"));
    w.Pdf_Set_Font_Size(16);
    w.Pdf_Set_Document_Option(0);
    LineCursor cursor(kTop);
    w.Pdf_Set_Page_Option(3);
    w.Pdf_Rectangle(100, cursor.y() - 20, 2000, cursor.y() + 80);
    w.Pdf_Text_In_Box(100, cursor.y() - 20, 2000, cursor.y() + 80, 2, 2, QStringLiteral("OPTION TABLE"));
    w.Pdf_Set_Font(QStringLiteral("Times New Roman"));
    w.Pdf_Set_Font_Size(10);
    cursor.setSpacing(1.4 * w.Pdf_Text_Height(QStringLiteral("A")));
    cursor.advance(3);

    const Section sections[] = {
        {"Orthotic Style", job.OrthoticStyleTable, job.OrthoticStyleTableCount},
        {"EVA Density", job.EvaDensityTable, job.EvaDensityTableCount},
        {"Top Cover", job.TopCoverTable, job.TopCoverTableCount},
        {"Insole Options", job.InsoleOptionTable, job.InsoleOptionTableCount},
    };
    bool first = true;
    for (const Section &section : sections) {
        if (!first)
            cursor.advance(2);
        first = false;
        w.Pdf_Text(kHeadingX, cursor.y(), QLatin1String(section.heading));
        cursor.advance(1);
        // The count says how many entries the table file gave; a list
        // shorter than its count prints what it holds.
        const int count = qMin<qsizetype>(section.count, section.table.size());
        for (int i = 0; i < count; ++i) {
            w.Pdf_Text(kNumberX, cursor.y(), QString::number(i));
            w.Pdf_Text(kEntryX, cursor.y(), section.table[i]);
            cursor.advance(1);
            if (cursor.y() > kPageBreakBelow) {
                w.Pdf_New_Page();
                cursor.moveTo(kTop);
            }
        }
    }
}

} // namespace

void Compose_Option_Table_PDF(PdfWriter &writer, const ScriptRecord &job, const QString &path)
{
    writer.Pdf_Set_File_Name(path);
    writer.Pdf_Begin_Document();
    try {
        drawDocument(writer, job);
        writer.Pdf_End_Document();
    } catch (...) {
        writer.Pdf_Abort_Document();
        throw;
    }
}

void Write_Option_Table_PDF(const ScriptRecord &job, const QString &path)
{
    QtPdfWriter writer;
    Compose_Option_Table_PDF(writer, job, path);
}

void Print_Option_Table()
{
    Run_Command([] {
        const ScriptRecord &job = Job();
        Prompter::FileRequest request;
        request.title = QStringLiteral("Save a PDF File");
        request.folder = job.CurrentFolder;
        request.fileName = QStringLiteral("OptionTable");
        request.filter = QStringLiteral("PDF File (*.Pdf)|*.Pdf|All Files (*.*)|*.*");
        request.defaultExtension = QStringLiteral("Pdf");
        const QString path = UI().saveFile(request);
        if (path.isEmpty())
            return; // cancelled: nothing written, nothing shown
        Write_Option_Table_PDF(job, path);
        UI().message(Message_Lines({QStringLiteral("The Table File Has Been Saved..."), QString(), Message_Path(path),
                                    QString()}),
                     QStringLiteral("Status"), Prompter::Icon::Information, Prompter::Buttons::Ok);
    });
}
