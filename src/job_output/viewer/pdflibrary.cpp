#include "pdflibrary.h"

#include <QFile>
#include <QPainter>
#include <QPrinter>

#include <cmath>

namespace {

// Printer pages need no more detail than this, and a 1200 dpi page image
// would take over half a gigabyte.
constexpr int kMaxPrintDpi = 300;

QSize fitWithin(QSize size, qint64 maxPixels)
{
    const qint64 pixels = qint64(size.width()) * size.height();
    if (pixels <= maxPixels)
        return size;
    const double scale = std::sqrt(double(maxPixels) / double(pixels));
    return QSize(qMax(1, int(size.width() * scale)), qMax(1, int(size.height() * scale)));
}

} // namespace

int PdfLibrary::open(const QString &path)
{
    m_document.close();
    // A file that does not even start like a PDF is refused here: the
    // rendering library keeps memory it never frees for every such file.
    QFile file(path);
    if (!file.exists())
        return NotFound;
    if (file.open(QIODevice::ReadOnly) && !file.read(1024).contains("%PDF-"))
        return NotPdf;
    file.close();
    switch (m_document.load(path)) {
    case QPdfDocument::Error::None: return Opened;
    case QPdfDocument::Error::IncorrectPassword:
    case QPdfDocument::Error::UnsupportedSecurityScheme: return Encrypted;
    case QPdfDocument::Error::FileNotFound: return NotFound;
    case QPdfDocument::Error::InvalidFileFormat: return NotPdf;
    default: return OpenFailed;
    }
}

int PdfLibrary::pageCount() const
{
    return m_document.pageCount();
}

QSize PdfLibrary::pageSize(int dpi, int page, double zoom) const
{
    if (page < 1 || page > pageCount() || dpi <= 0 || !(zoom > 0) || !std::isfinite(zoom))
        return {};
    const QSizeF points = m_document.pagePointSize(page - 1);
    const double scale = dpi / 72.0 * zoom;
    const double w = std::round(points.width() * scale);
    const double h = std::round(points.height() * scale);
    if (w < 1 || h < 1 || w > 1e9 || h > 1e9)
        return {};
    return QSize(int(w), int(h));
}

QImage PdfLibrary::render(int dpi, int page, int *result)
{
    const QSize size = pageSize(dpi, page, m_zoom);
    if (size.isEmpty()) {
        *result = 0;
        return {};
    }
    QImage image = m_document.render(page - 1, fitWithin(size, kMaxPixels));
    *result = image.isNull() ? 3 : 1;
    if (!image.isNull()) {
        // The rendering leaves unprinted paper transparent; on screen a page
        // is white, not the colour of the window behind it.
        QPainter paper(&image);
        paper.setCompositionMode(QPainter::CompositionMode_DestinationOver);
        paper.fillRect(image.rect(), Qt::white);
    }
    return image;
}

int PdfLibrary::print(QPrinter &printer, int first, int last, const QString &title)
{
    if (first < 1 || last > pageCount() || first > last)
        return 0;
    printer.setDocName(title);
    QPainter painter;
    if (!painter.begin(&printer))
        return 0;
    const QRect area(QPoint(0, 0), printer.pageLayout().paintRectPixels(printer.resolution()).size());
    const double renderScale = qMin(1.0, double(kMaxPrintDpi) / qMax(1, printer.resolution()));
    for (int page = first; page <= last; ++page) {
        if (page > first && !printer.newPage())
            return 0;
        const QSizeF points = m_document.pagePointSize(page - 1);
        QSize target = points.scaled(area.size(), Qt::KeepAspectRatio).toSize();
        if (target.isEmpty())
            return 0;
        const QSize pixels = fitWithin((QSizeF(target) * renderScale).toSize().expandedTo(QSize(1, 1)), kMaxPixels);
        const QImage image = m_document.render(page - 1, pixels);
        if (image.isNull())
            return 0;
        painter.drawImage(QRect(area.topLeft(), target), image);
    }
    return painter.end() ? 1 : 0;
}
