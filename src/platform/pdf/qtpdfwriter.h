#pragma once

#include "pdfwriter.h"

#include <QFont>
#include <QPointF>
#include <QString>

#include <memory>

class QPainter;
class QPdfWriter;
class QSaveFile;

// The writer on QPdfWriter and QPainter: 254 dots per inch, so one device
// pixel is one tenth of a millimetre, with no margins. The file is written
// through QSaveFile, so a document that is aborted or fails leaves no half
// file and an older file at the path stays whole.
class QtPdfWriter : public PdfWriter
{
public:
    QtPdfWriter();
    ~QtPdfWriter() override;

    void Pdf_Set_File_Name(const QString &path) override;
    void Pdf_Set_Paper(const QString &name) override;
    void Pdf_Begin_Document() override;
    void Pdf_New_Page() override;
    void Pdf_End_Document() override;
    void Pdf_Abort_Document() override;

    void Pdf_Set_Font(const QString &name) override;
    void Pdf_Set_Font_Size(double points) override;
    void Pdf_Set_Bold(bool on) override;

    void Pdf_Set_Document_Option(int option) override;
    void Pdf_Set_Page_Option(int option) override;
    void Pdf_Set_Image_Option(bool on) override;

    int Pdf_Text_Height(const QString &text) override;
    int Pdf_Text_Width(const QString &text) override;

    void Pdf_Text(int x, int y, const QString &text) override;
    void Pdf_Text_In_Box(int x1, int y1, int x2, int y2, int horizontal, int vertical, const QString &text) override;
    void Pdf_Rectangle(int x1, int y1, int x2, int y2) override;
    void Pdf_Move_To(int x, int y) override;
    void Pdf_Line_To(int x, int y) override;
    void Pdf_Image(int x, int y, const QString &jpegFile) override;
    void Pdf_Image_Stretched(int x1, int y1, int x2, int y2, const QString &jpegFile) override;

    // The family the current font resolves to on this machine.
    QString resolvedFamily() const;

private:
    QPainter &painter();
    void applyFont();

    QString m_path;
    QFont m_font;
    QPointF m_pen;
    std::unique_ptr<QSaveFile> m_file;
    std::unique_ptr<QPdfWriter> m_pdf;
    std::unique_ptr<QPainter> m_painter;
};
