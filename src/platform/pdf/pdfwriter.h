#pragma once

#include <QString>

// The writer every document of the program is drawn on. Pages are A4 and
// measured in whole tenths of a millimetre from the top-left corner, y
// growing downwards; text is placed by the top-left corner of its line.
// Font settings persist from page to page. An operation that cannot be
// carried out (a missing image, a file that cannot be written) throws
// SolvaneError, and the caller decides whether to go on. One document is
// composed at a time.
class PdfWriter
{
public:
    virtual ~PdfWriter() = default;

    // The file Pdf_End_Document writes.
    virtual void Pdf_Set_File_Name(const QString &path) = 0;
    // Only "A4" is known.
    virtual void Pdf_Set_Paper(const QString &name) = 0;
    // Opens the first page.
    virtual void Pdf_Begin_Document() = 0;
    virtual void Pdf_New_Page() = 0;
    // The whole document is in the file when this returns; until then an
    // earlier file at the path is left as it was.
    virtual void Pdf_End_Document() = 0;
    // Drops the open document, if any: nothing of it reaches the file.
    virtual void Pdf_Abort_Document() = 0;

    // "Arial" or "Times New Roman".
    virtual void Pdf_Set_Font(const QString &name) = 0;
    virtual void Pdf_Set_Font_Size(double points) = 0;
    virtual void Pdf_Set_Bold(bool on) = 0;

    // Options the documents give; kept for the record of what was asked.
    virtual void Pdf_Set_Document_Option(int option) = 0;
    virtual void Pdf_Set_Page_Option(int option) = 0;
    virtual void Pdf_Set_Image_Option(bool on) = 0;

    // Height of the text in the current font, in whole tenths of a millimetre.
    virtual int Pdf_Text_Height(const QString &text) = 0;
    // How far the text reaches to the right in the current font, in whole
    // tenths of a millimetre, rounded up: what is drawn that far further on
    // never touches it.
    virtual int Pdf_Text_Width(const QString &text) = 0;

    virtual void Pdf_Text(int x, int y, const QString &text) = 0;
    // Horizontal and vertical alignment: 0 left (top), 1 right (bottom), 2 centred.
    virtual void Pdf_Text_In_Box(int x1, int y1, int x2, int y2, int horizontal, int vertical, const QString &text) = 0;
    // A frame only; text drawn into it afterwards stays visible.
    virtual void Pdf_Rectangle(int x1, int y1, int x2, int y2) = 0;
    virtual void Pdf_Move_To(int x, int y) = 0;
    virtual void Pdf_Line_To(int x, int y) = 0;
    // A JPEG file with its top-left corner at (x, y), at its own resolution.
    virtual void Pdf_Image(int x, int y, const QString &jpegFile) = 0;
    // A JPEG file scaled into the box, keeping its proportions.
    virtual void Pdf_Image_Stretched(int x1, int y1, int x2, int y2, const QString &jpegFile) = 0;
};
