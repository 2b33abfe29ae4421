#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The option table layout the clinic edits by hand: an ignored title line,
// then for each section a count line ("12" or "12,Styles") followed by that
// many item lines, each taken whole with its commas and blanks. Both
// prescription windows read their tables with this one parser.
struct CountedSections
{
    QList<QStringList> sections; // one entry per section asked for, items in file order
    bool complete = true; // false when the file ended before its counts were met
};

// The count of a count line: the leading number of the text before its first
// ",", to the nearest whole number with halves to even; 0 when the line does
// not begin with a number, and never negative.
int Section_Count(const QString &countLine);

// Parses `sectionCount` sections. A file that ends early keeps what it held:
// the section being read keeps the items found, and later sections are empty.
CountedSections Parse_Counted_Sections(const QStringList &lines, int sectionCount);
