#pragma once

#include "pdfwriter.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QVector>

// A writer that draws nothing and remembers every call with the font state
// and page it was made on, so tests can check where each text went. It can
// be told to fail an operation, and by default fails on image files that do
// not exist, as the real writer does.
class RecordingPdfWriter : public PdfWriter
{
public:
    struct Call
    {
        QString op; // the operation's name, "Pdf_Text"
        QVector<int> args; // its numbers in order: x, y or x1, y1, x2, y2, alignments, option
        QString text; // its text, path or name
        QString font;
        double size = 0;
        bool bold = false;
        int page = 0; // 1 for the first page; 0 before the document began
        bool failed = false;

        int x() const { return args.value(0); }
        int y() const { return args.value(1); }
    };

    QList<Call> calls;
    bool missingImagesFail = true;

    // Makes the n-th call (1-based) of the operation throw SolvaneError;
    // 0 makes every call of it throw.
    void failOn(const QString &op, int occurrence = 0) { m_failures.insert(op, occurrence); }

    // Queries for tests.
    QList<Call> ofOp(const QString &op) const;
    QList<Call> texts(int page = 0) const; // Pdf_Text calls, of one page or (0) all
    QList<Call> textsAt(int y, int page) const;
    const Call *findText(const QString &text, int page = 0) const; // first Pdf_Text with this text
    int pageCount() const { return m_page; }
    bool began() const { return m_began; }
    bool ended() const { return m_ended; }
    bool aborted() const { return m_aborted; }
    QString fileName() const { return m_path; }

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
    // Measured as the Qt writer measures, in the font state recorded.
    int Pdf_Text_Width(const QString &text) override;

    void Pdf_Text(int x, int y, const QString &text) override;
    void Pdf_Text_In_Box(int x1, int y1, int x2, int y2, int horizontal, int vertical, const QString &text) override;
    void Pdf_Rectangle(int x1, int y1, int x2, int y2) override;
    void Pdf_Move_To(int x, int y) override;
    void Pdf_Line_To(int x, int y) override;
    void Pdf_Image(int x, int y, const QString &jpegFile) override;
    void Pdf_Image_Stretched(int x1, int y1, int x2, int y2, const QString &jpegFile) override;

private:
    void record(const QString &op, QVector<int> args = {}, const QString &text = {});
    void image(const QString &op, QVector<int> args, const QString &path);

    QMap<QString, int> m_failures;
    QMap<QString, int> m_counts;
    QString m_path;
    QString m_font = QStringLiteral("Arial");
    double m_size = 10;
    bool m_bold = false;
    int m_page = 0;
    bool m_began = false;
    bool m_ended = false;
    bool m_aborted = false;
};
