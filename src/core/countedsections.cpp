#include "countedsections.h"

#include "numbers.h"
#include "shellhelpers.h"

int Section_Count(const QString &countLine)
{
    QString rest = countLine;
    const int count = num::roundHalfEven(num::leadingNumber(Get_Token_Comma(rest)));
    return count > 0 ? count : 0;
}

CountedSections Parse_Counted_Sections(const QStringList &lines, int sectionCount)
{
    CountedSections out;
    qsizetype next = 1; // line 1 is the title
    for (int s = 0; s < sectionCount; ++s) {
        QStringList items;
        if (next < lines.size()) {
            const int count = Section_Count(lines[next++]);
            // Never trust a count beyond what the file holds.
            const qsizetype available = lines.size() - next;
            const qsizetype take = std::min<qsizetype>(count, available);
            items = lines.mid(next, take);
            next += take;
            if (take < count)
                out.complete = false;
        } else {
            out.complete = false;
        }
        out.sections << items;
    }
    return out;
}
