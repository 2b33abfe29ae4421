#pragma once

#include "jobnames.h"

#include <QString>

class PdfWriter;
struct ScriptRecord;

// The frame every page of a prescription document shares: the page cursor
// and line spacing, the page head of the first page, the rule, the footer,
// the image pages and the "OTHER INFORMATION" title. One object composes one
// document from a job it only reads.
class PrescriptionDocument
{
public:
    // The last y a flowing row (options, notes) may take; the next one
    // continues on a new page at the continuation top.
    static constexpr int LastRowY = 2750;
    static constexpr int ContinuationTopY = 120;

    PrescriptionDocument(PdfWriter &writer, const ScriptRecord &job);

    PdfWriter &writer() { return m_writer; }
    const ScriptRecord &job() const { return m_job; }

    // Page state. The caller sets the page number to 1 before each document.
    int PdfCursorY = 0;
    double PdfTextHeight = 0;
    double PdfLineSpacing = 0;
    int PdfPageNumber = 1;

    // Begins the document at `path`, draws the title band and the page head
    // of the first page. The cursor is left on the head's last row.
    void Begin_Script_Document(const QString &path, JobKind kind);

    void Draw_Rule();
    // The footer of the current page, placed from `cursor`; the page number
    // goes up by one. No page is started.
    void Draw_Page_Footer(int cursor);
    void End_PDF_Document();

    void Draw_Instructions_Page();
    void Draw_Left_Graphic_Page();
    void Draw_Right_Graphic_Page();

    // The bold "This Job is Reprocessed from Job: " row, one line down,
    // when the job was read from an earlier record.
    void Draw_Reprocessed_Note();
    // The left and right insole option blocks, two lines down, each label
    // with its items.
    void Draw_Insole_Options();

    // New page with the "OTHER INFORMATION" title band, then the client's
    // name, the file number label and the column headings, in Arial 10.
    void Begin_Other_Info_Page();
    // The rule, the date and time the page is made, and the scan dates.
    void Draw_Other_Info_Dates();

    // Cursor + lines x spacing, rounded half to even.
    void advance(double lines);
    // Draws a text at the cursor.
    void text(int x, const QString &text);
    // Draws a label at the cursor and returns where the value that follows
    // it on its row starts: at the value's column, or one blank after the
    // label where the label reaches that far, so the two never run into one
    // another. The value's further rows (options, notes) take the same x.
    int drawLabel(int labelX, const QString &label, int valueX);
    // A label and its value at the cursor, the value placed as drawLabel says.
    void labelled(int labelX, const QString &label, int valueX, const QString &value);

    // Rows that grow with the job's texts (top covers, options, notes and
    // what follows them) flow: a row that would stand below LastRowY goes
    // to a new page instead, after the current page got its footer.
    void flowRow();
    // The footer that closes a page with flowing rows: never below the page.
    void Draw_Flow_Footer();

    // The items of a ";"-separated list at x, the first on the cursor's row,
    // one row each; the list ends when at most one character is left.
    void Draw_List_Items(int x, const QString &list);
    // The lines of the notes the same way, each cut into pieces of at most
    // 80 characters on rows of their own.
    void Draw_Note_Lines(int x, const QString &notes);

private:
    void drawImagePage(const QString &title, const QString &image, int imageBottom, bool instructions);
    void titleBox(int y, int horizontal, const QString &title);

    PdfWriter &m_writer;
    const ScriptRecord &m_job;
    int m_lastRowY = 0;
};

// The job's text with every CR LF made ",", as the documents print top
// covers, insole options and rigid notes.
QString Fold_Line_Breaks(const QString &text);

// The document's title: the first line of "Custom.Cfg", or the default
// title of the job kind when that file is missing.
QString Prescription_Title(JobKind kind);
