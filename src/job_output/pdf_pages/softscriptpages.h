#pragma once

#include <QString>

class PrescriptionDocument;

// The scan position option buttons of the soft window: "E" and "I" for each
// foot. The prescription page prints the chosen letter after the position.
struct ScanPositionOptions
{
    bool leftE = false; // Option5
    bool leftI = false; // Option6
    bool rightE = false; // Option7
    bool rightI = false; // Option8
};

// Begins the soft prescription document at `path` and draws its first
// page: the head, the style, the two value tables, top covers, insole
// options, notes, widths and inserts, and the footer. Long option lists and
// notes continue on further pages.
void Begin_EVA_Script_PDF(PrescriptionDocument &doc, const QString &path, const ScanPositionOptions &scanPositions);

// Adds the soft "OTHER INFORMATION" page.
void Draw_EVA_Other_Info(PrescriptionDocument &doc);

// Value rules of the soft tables (the number of a text is its leading number).
namespace softcell {
QString d1(double value); // "0.0"
QString d1UnlessZero(double value); // "0.0", or nothing for 0
QString textUnlessZeroText(const QString &t); // the text, or nothing for exactly "0"
QString textUnlessZero(const QString &t); // the text, or nothing when its number is 0
QString wedgeLateral(const QString &t); // |n| "0.0" when n >= 0
QString wedgeMedial(const QString &t); // |n| "0.0" when n < 0
QString t1(const QString &t); // "0.0" when the text is a number, else as it is
QString scanPosition(const QString &position, bool e, bool i);
} // namespace softcell
