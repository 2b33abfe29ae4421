#pragma once

#include <QImage>
#include <QPdfDocument>
#include <QString>

class QPrinter;

// Opens, renders and prints one PDF for the viewer. Its calls answer with
// the whole-number results the viewer's messages were written around:
//
//   open:   1 opened; 2 protected by a password (possibly encrypted);
//           3 file not found; 4 not a PDF file; 5 any other failure.
//   render: 1 drawn; 0 nothing to draw (no such page, resolution or zoom
//           not above 0); 3 the page exists but could not be rendered.
//   print:  1 printed; 0 printing failed.
class PdfLibrary
{
public:
    enum OpenResult { Opened = 1, Encrypted = 2, NotFound = 3, NotPdf = 4, OpenFailed = 5 };

    int open(const QString &path);
    int pageCount() const;

    void setZoom(double zoom) { m_zoom = zoom; }
    double zoom() const { return m_zoom; }

    // The size of a page, counted from 1, in pixels at `dpi` and `zoom`;
    // empty for a page that does not exist or a size that is not above 0.
    QSize pageSize(int dpi, int page, double zoom) const;

    // Renders a page, counted from 1, at `dpi` and the current zoom. Very
    // large requests are rendered smaller (at most kMaxPixels) rather than
    // exhausting memory on a mistyped resolution.
    QImage render(int dpi, int page, int *result);

    // Prints pages first..last (counted from 1) on `printer`, each fitted
    // to the printable area; `title` names the print job.
    int print(QPrinter &printer, int first, int last, const QString &title);

    static constexpr qint64 kMaxPixels = 24'000'000;

private:
    QPdfDocument m_document;
    double m_zoom = 1.0;
};
