#pragma once

#include "pdflibrary.h"

#include <QDialog>
#include <QImage>
#include <QPoint>
#include <QPrinter>
#include <QWidget>

#include <memory>

class QLineEdit;
class QScrollBar;
class QTimer;
class QToolButton;

// The path the viewer opens when it loads; callers set it first.
QString &PdfViewerFile();

// "View PDF" of both confirmation dialogs: sets PdfViewerFile to `path`,
// loads the "PDF Viewer" window afresh and shows it modally; returns when it
// is closed. A file that cannot be opened is reported in the window, which
// still opens.
void Show_Pdf_Viewer(const QString &path);

// Registers the viewer with the window registry under "PdfForm"; the
// application calls it once at start-up (Show_Pdf_Viewer calls it too).
void Register_Pdf_Viewer();

// Picture1: the surface a page is drawn on, shifted by the viewer's origin.
class PdfPicture : public QWidget
{
    Q_OBJECT
public:
    explicit PdfPicture(QWidget *parent = nullptr);

    void clear();
    void setImage(const QImage &image);
    void setOrigin(QPoint origin);

    const QImage &image() const { return m_image; }
    QPoint origin() const { return m_origin; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
    QPoint m_origin;
};

// "PDF Viewer": one page at a time of a PDF the program has just written,
// with page stepping, zoom, resolution, panning and printing. Each load
// opens PdfViewerFile afresh at page 1, zoom 1.00 and 85 dpi.
class PdfForm : public QDialog
{
    Q_OBJECT
public:
    explicit PdfForm(QWidget *parent = nullptr);
    ~PdfForm() override;

    // The viewer's state, as the buttons leave it.
    int page() const { return m_page; }
    int pageCount() const { return m_pageCount; }
    int dpi() const { return m_dpi; }
    double zoom() const { return m_zoom; }
    double libraryZoom() const { return m_library.zoom(); }
    QPoint origin() const;
    int result() const { return m_result; }

    // The printer "Printer setup" chose; "Print" starts from it.
    QPrinter &printer() { return *m_printer; }

private:
    void previousPage();
    void nextPage();
    void zoomBy(double factor);
    void resetView();
    void print();
    void printerSetup();
    void scrolled(Qt::Orientation orientation, int position);

    void readResolution();
    void renderCurrentPage();
    void updateScrollRanges();

    PdfLibrary m_library;
    std::unique_ptr<QPrinter> m_printer;
    int m_result = 0;
    int m_dpi = 85;
    int m_page = 1;
    int m_pageCount = 0;
    double m_zoom = 1.0;

    QLineEdit *m_text1 = nullptr; // resolution
    QLineEdit *m_text4 = nullptr; // zoom
    QLineEdit *m_text5 = nullptr; // page
    QLineEdit *m_text6 = nullptr; // page count
    QScrollBar *m_hbar = nullptr; // FlatScrollBar1
    QScrollBar *m_vbar = nullptr; // FlatScrollBar2
    PdfPicture *m_picture = nullptr;
    QTimer *m_timer = nullptr;
};
