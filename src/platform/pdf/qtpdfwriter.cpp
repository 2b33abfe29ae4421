#include "qtpdfwriter.h"

#include "errors.h"
#include "messagetext.h"
#include "paths.h"
#include "pdffonts.h"

#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QImageReader>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace {

constexpr int kResolution = 254; // dots per inch: one dot is a tenth of a millimetre
constexpr qreal kLineWidth = 3; // 0.3 mm
constexpr qreal kScreenDpi = 96; // assumed for images that carry no resolution

SolvaneError noDocument(const char *operation)
{
    return SolvaneError(ErrorNumber::FileWrite,
                        QStringLiteral("%1: no PDF document is open").arg(QLatin1String(operation)));
}

// A PDF text line is one line: a line break or tab inside a value would
// otherwise draw as a box.
QString oneLine(const QString &text)
{
    QString out = text;
    for (QChar &c : out)
        if (c.unicode() < 0x20)
            c = u' ';
    return out;
}

QImage readJpeg(const QString &path)
{
    if (!QFileInfo(path).isFile())
        throw SolvaneError(ErrorNumber::FileNotFound,
                           QStringLiteral("The image %1 was not found").arg(Message_Path(path)));
    QImageReader reader(path);
    reader.setAutoTransform(false); // the photo is drawn as stored, like every other tool shows it
    QImage image = reader.read();
    if (image.isNull())
        throw SolvaneError(
            ErrorNumber::BadFileFormat,
            QStringLiteral("The image %1 could not be read (%2)").arg(Message_Path(path), reader.errorString()));
    return image;
}

Qt::Alignment alignment(int horizontal, int vertical)
{
    Qt::Alignment a;
    a |= horizontal == 2 ? Qt::AlignHCenter : horizontal == 1 ? Qt::AlignRight : Qt::AlignLeft;
    a |= vertical == 2 ? Qt::AlignVCenter : vertical == 1 ? Qt::AlignBottom : Qt::AlignTop;
    return a;
}

} // namespace

QtPdfWriter::QtPdfWriter()
    : m_font(Pdf_Font(QStringLiteral("Arial"), 10, false))
{}

QtPdfWriter::~QtPdfWriter()
{
    Pdf_Abort_Document();
}

void QtPdfWriter::Pdf_Set_File_Name(const QString &path)
{
    m_path = path;
}

void QtPdfWriter::Pdf_Set_Paper(const QString &name)
{
    if (name.compare(QLatin1String("A4"), Qt::CaseInsensitive) != 0)
        throw SolvaneError(ErrorNumber::BadFileFormat, QStringLiteral("Unknown paper size: %1").arg(name));
}

void QtPdfWriter::Pdf_Begin_Document()
{
    Pdf_Abort_Document();
    if (m_path.isEmpty())
        throw SolvaneError(ErrorNumber::FileWrite, QStringLiteral("No PDF file name was given"));

    auto file = std::make_unique<QSaveFile>(m_path);
    if (!file->open(QIODevice::WriteOnly))
        throw SolvaneError(
            ErrorNumber::FileWrite,
            QStringLiteral("The PDF file %1 could not be written (%2)").arg(Message_Path(m_path), file->errorString()));

    auto pdf = std::make_unique<QPdfWriter>(file.get());
    pdf->setResolution(kResolution);
    pdf->setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
    pdf->setCreator(QStringLiteral("SOLVANE"));
    pdf->setTitle(QFileInfo(m_path).completeBaseName());

    auto painter = std::make_unique<QPainter>();
    if (!painter->begin(pdf.get()))
        throw SolvaneError(ErrorNumber::FileWrite,
                           QStringLiteral("The PDF file %1 could not be started").arg(Message_Path(m_path)));
    painter->setPen(QPen(Qt::black, kLineWidth));
    painter->setBrush(Qt::NoBrush);

    m_file = std::move(file);
    m_pdf = std::move(pdf);
    m_painter = std::move(painter);
    m_pen = {};
    applyFont();
}

void QtPdfWriter::Pdf_New_Page()
{
    if (!m_pdf)
        throw noDocument("Pdf_New_Page");
    if (!m_pdf->newPage())
        throw SolvaneError(ErrorNumber::FileWrite,
                           QStringLiteral("A new page of %1 could not be started").arg(Message_Path(m_path)));
}

void QtPdfWriter::Pdf_End_Document()
{
    if (!m_painter)
        throw noDocument("Pdf_End_Document");
    const bool drawn = m_painter->end(); // writes the rest of the document
    m_painter.reset();
    m_pdf.reset();
    const bool committed = drawn && m_file->commit();
    const QString reason = drawn ? m_file->errorString() : QStringLiteral("the document could not be finished");
    m_file.reset();
    if (!committed)
        throw SolvaneError(
            ErrorNumber::FileWrite,
            QStringLiteral("The PDF file %1 could not be written (%2)").arg(Message_Path(m_path), reason));
}

void QtPdfWriter::Pdf_Abort_Document()
{
    if (m_file)
        m_file->cancelWriting();
    if (m_painter && m_painter->isActive())
        m_painter->end();
    m_painter.reset();
    m_pdf.reset();
    m_file.reset(); // an uncommitted QSaveFile removes its temporary file
}

void QtPdfWriter::Pdf_Set_Font(const QString &name)
{
    m_font.setFamily(Pdf_Font_Family(name));
    applyFont();
}

void QtPdfWriter::Pdf_Set_Font_Size(double points)
{
    if (!(points > 0))
        throw SolvaneError(ErrorNumber::BadFileFormat, QStringLiteral("Invalid font size %1").arg(points));
    m_font.setPointSizeF(points);
    applyFont();
}

void QtPdfWriter::Pdf_Set_Bold(bool on)
{
    m_font.setBold(on);
    applyFont();
}

// The options change nothing in this writer: Qt compresses text and images
// and places pages the same way whatever was asked.
void QtPdfWriter::Pdf_Set_Document_Option(int) {}
void QtPdfWriter::Pdf_Set_Page_Option(int) {}
void QtPdfWriter::Pdf_Set_Image_Option(bool) {}

int QtPdfWriter::Pdf_Text_Height(const QString &)
{
    return Pdf_Em_Height(m_font.pointSizeF());
}

int QtPdfWriter::Pdf_Text_Width(const QString &text)
{
    return Pdf_Text_Advance(m_font, oneLine(text));
}

void QtPdfWriter::Pdf_Text(int x, int y, const QString &text)
{
    QPainter &p = painter();
    p.drawText(QPointF(x, y + p.fontMetrics().ascent()), oneLine(text));
}

void QtPdfWriter::Pdf_Text_In_Box(int x1, int y1, int x2, int y2, int horizontal, int vertical, const QString &text)
{
    QPainter &p = painter();
    p.drawText(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized(),
               int(alignment(horizontal, vertical)) | Qt::TextDontClip | Qt::TextSingleLine, oneLine(text));
}

void QtPdfWriter::Pdf_Rectangle(int x1, int y1, int x2, int y2)
{
    painter().drawRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized());
}

void QtPdfWriter::Pdf_Move_To(int x, int y)
{
    painter();
    m_pen = QPointF(x, y);
}

void QtPdfWriter::Pdf_Line_To(int x, int y)
{
    const QPointF to(x, y);
    painter().drawLine(m_pen, to);
    m_pen = to;
}

void QtPdfWriter::Pdf_Image(int x, int y, const QString &jpegFile)
{
    QPainter &p = painter();
    const QImage image = readJpeg(jpegFile);
    const qreal dpiX = image.dotsPerMeterX() > 0 ? image.dotsPerMeterX() * 0.0254 : kScreenDpi;
    const qreal dpiY = image.dotsPerMeterY() > 0 ? image.dotsPerMeterY() * 0.0254 : kScreenDpi;
    QSizeF size(image.width() * kResolution / dpiX, image.height() * kResolution / dpiY);
    // Whatever its stated resolution, an image never runs off the page.
    const QSizeF room(qMax(1, 2100 - x), qMax(1, 2970 - y));
    if (size.width() > room.width() || size.height() > room.height())
        size.scale(room, Qt::KeepAspectRatio);
    p.drawImage(QRectF(QPointF(x, y), size), image);
}

void QtPdfWriter::Pdf_Image_Stretched(int x1, int y1, int x2, int y2, const QString &jpegFile)
{
    QPainter &p = painter();
    const QImage image = readJpeg(jpegFile);
    const QRectF box = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
    // A foot photo must not be distorted: it is fitted into the box and centred.
    QSizeF size = image.size();
    size.scale(box.size(), Qt::KeepAspectRatio);
    const QRectF target(box.left() + (box.width() - size.width()) / 2, box.top() + (box.height() - size.height()) / 2,
                        size.width(), size.height());
    p.drawImage(target, image);
}

QString QtPdfWriter::resolvedFamily() const
{
    return QFontInfo(m_font).family();
}

QPainter &QtPdfWriter::painter()
{
    if (!m_painter)
        throw noDocument("drawing");
    return *m_painter;
}

void QtPdfWriter::applyFont()
{
    if (m_painter)
        m_painter->setFont(m_font);
}
