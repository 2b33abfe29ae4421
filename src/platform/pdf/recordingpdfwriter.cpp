#include "recordingpdfwriter.h"

#include "errors.h"
#include "pdffonts.h"

#include <QFileInfo>

QList<RecordingPdfWriter::Call> RecordingPdfWriter::ofOp(const QString &op) const
{
    QList<Call> out;
    for (const Call &c : calls)
        if (c.op == op)
            out << c;
    return out;
}

QList<RecordingPdfWriter::Call> RecordingPdfWriter::texts(int page) const
{
    QList<Call> out;
    for (const Call &c : calls)
        if (c.op == QLatin1String("Pdf_Text") && (page == 0 || c.page == page))
            out << c;
    return out;
}

QList<RecordingPdfWriter::Call> RecordingPdfWriter::textsAt(int y, int page) const
{
    QList<Call> out;
    for (const Call &c : texts(page))
        if (c.y() == y)
            out << c;
    return out;
}

const RecordingPdfWriter::Call *RecordingPdfWriter::findText(const QString &text, int page) const
{
    for (const Call &c : calls)
        if (c.op == QLatin1String("Pdf_Text") && c.text == text && (page == 0 || c.page == page))
            return &c;
    return nullptr;
}

void RecordingPdfWriter::record(const QString &op, QVector<int> args, const QString &text)
{
    Call c;
    c.op = op;
    c.args = std::move(args);
    c.text = text;
    c.font = m_font;
    c.size = m_size;
    c.bold = m_bold;
    c.page = m_page;

    const int n = ++m_counts[op];
    const auto failure = m_failures.constFind(op);
    c.failed = failure != m_failures.constEnd() && (failure.value() == 0 || failure.value() == n);
    calls << c;
    if (c.failed)
        throw SolvaneError(ErrorNumber::FileWrite, QStringLiteral("%1 failed as the test asked").arg(op));
}

void RecordingPdfWriter::image(const QString &op, QVector<int> args, const QString &path)
{
    record(op, std::move(args), path);
    if (missingImagesFail && !QFileInfo(path).isFile()) {
        calls.last().failed = true;
        throw SolvaneError(ErrorNumber::FileNotFound, QStringLiteral("The image %1 was not found").arg(path));
    }
}

void RecordingPdfWriter::Pdf_Set_File_Name(const QString &path)
{
    record(QStringLiteral("Pdf_Set_File_Name"), {}, path);
    m_path = path;
}

void RecordingPdfWriter::Pdf_Set_Paper(const QString &name)
{
    record(QStringLiteral("Pdf_Set_Paper"), {}, name);
}

void RecordingPdfWriter::Pdf_Begin_Document()
{
    m_page = 1;
    m_began = true;
    m_ended = m_aborted = false;
    record(QStringLiteral("Pdf_Begin_Document"));
}

void RecordingPdfWriter::Pdf_New_Page()
{
    ++m_page;
    record(QStringLiteral("Pdf_New_Page"));
}

void RecordingPdfWriter::Pdf_End_Document()
{
    record(QStringLiteral("Pdf_End_Document"));
    m_ended = true;
}

void RecordingPdfWriter::Pdf_Abort_Document()
{
    m_aborted = true;
    calls << Call{QStringLiteral("Pdf_Abort_Document"), {}, {}, m_font, m_size, m_bold, m_page, false};
}

void RecordingPdfWriter::Pdf_Set_Font(const QString &name)
{
    record(QStringLiteral("Pdf_Set_Font"), {}, name);
    m_font = name;
}

void RecordingPdfWriter::Pdf_Set_Font_Size(double points)
{
    record(QStringLiteral("Pdf_Set_Font_Size"), {qRound(points)});
    m_size = points;
}

void RecordingPdfWriter::Pdf_Set_Bold(bool on)
{
    record(QStringLiteral("Pdf_Set_Bold"), {on ? 1 : 0});
    m_bold = on;
}

void RecordingPdfWriter::Pdf_Set_Document_Option(int option)
{
    record(QStringLiteral("Pdf_Set_Document_Option"), {option});
}

void RecordingPdfWriter::Pdf_Set_Page_Option(int option)
{
    record(QStringLiteral("Pdf_Set_Page_Option"), {option});
}

void RecordingPdfWriter::Pdf_Set_Image_Option(bool on)
{
    record(QStringLiteral("Pdf_Set_Image_Option"), {on ? 1 : 0});
}

int RecordingPdfWriter::Pdf_Text_Height(const QString &text)
{
    record(QStringLiteral("Pdf_Text_Height"), {}, text);
    return Pdf_Em_Height(m_size);
}

int RecordingPdfWriter::Pdf_Text_Width(const QString &text)
{
    record(QStringLiteral("Pdf_Text_Width"), {}, text);
    return Pdf_Text_Advance(Pdf_Font(m_font, m_size, m_bold), text);
}

void RecordingPdfWriter::Pdf_Text(int x, int y, const QString &text)
{
    record(QStringLiteral("Pdf_Text"), {x, y}, text);
}

void RecordingPdfWriter::Pdf_Text_In_Box(int x1, int y1, int x2, int y2, int horizontal, int vertical,
                                         const QString &text)
{
    record(QStringLiteral("Pdf_Text_In_Box"), {x1, y1, x2, y2, horizontal, vertical}, text);
}

void RecordingPdfWriter::Pdf_Rectangle(int x1, int y1, int x2, int y2)
{
    record(QStringLiteral("Pdf_Rectangle"), {x1, y1, x2, y2});
}

void RecordingPdfWriter::Pdf_Move_To(int x, int y)
{
    record(QStringLiteral("Pdf_Move_To"), {x, y});
}
void RecordingPdfWriter::Pdf_Line_To(int x, int y)
{
    record(QStringLiteral("Pdf_Line_To"), {x, y});
}

void RecordingPdfWriter::Pdf_Image(int x, int y, const QString &jpegFile)
{
    image(QStringLiteral("Pdf_Image"), {x, y}, jpegFile);
}

void RecordingPdfWriter::Pdf_Image_Stretched(int x1, int y1, int x2, int y2, const QString &jpegFile)
{
    image(QStringLiteral("Pdf_Image_Stretched"), {x1, y1, x2, y2}, jpegFile);
}
