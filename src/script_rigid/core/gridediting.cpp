#include "gridediting.h"

#include "rigidgrid.h"

#include "numbers.h"
#include "scriptrecord.h"
#include "sizechart.h"

#include <algorithm>

namespace RigidGrid {

namespace {

QStringList fromLatin1(std::initializer_list<const char *> texts)
{
    QStringList list;
    for (const char *text : texts)
        list << QString::fromLatin1(text);
    return list;
}

// The first `count` entries of a table, never more than it holds; a count
// of 0 offers nothing.
QStringList tableEntries(const QStringList &table, int count)
{
    return table.mid(0, std::clamp<qsizetype>(count, 0, table.size()));
}

ListFill sizeList(const ScriptRecord &job)
{
    ListFill fill;
    fill.fontSize = 10;
    const int count = std::min<int>(job.SizeChartCount, int(job.SizeChartSizes.size()));
    for (int i = 0; i < count; ++i)
        fill.items << num::shortestText(job.SizeChartSizes[i]);
    if (count > 0)
        fill.selected = num::roundHalfEven(count / 2.0);
    return fill;
}

void takeFootSize(ScriptRecord &job, int side, const QString &text)
{
    const double size = num::leadingNumber(text);
    (side == 0 ? job.FootSizeL : job.FootSizeR) = num::shortestText(size);
    double &templateLength = side == 0 ? job.TemplateLengthL : job.TemplateLengthR;
    templateLength = Get_Template_Length(job, size);
    (side == 0 ? job.FootLengthL : job.FootLengthR) = Foot_Length_For(templateLength);
}

} // namespace

const QStringList &Built_In_Shell_Materials()
{
    static const QStringList items = fromLatin1({"Polypropylene (2 mm)", "Polypropylene (3 mm)", "Polypropylene (4 mm)",
                                                 "Polypropylene (4.5 mm)", "Subortholene (3 mm)"});
    return items;
}

const QStringList &Built_In_Top_Covers()
{
    static const QStringList items = fromLatin1({"**3D PRINTED**",
                                                 "FDM Armadillo Black",
                                                 "FDM Armadillo Green",
                                                 "FDM Armadillo Orange",
                                                 "FDM Armadillo Blue",
                                                 "FDM Armadillo White",
                                                 "FDM Armadillo Red",
                                                 "SLS Nylon White",
                                                 "SLS Nylon Grey",
                                                 "SLA/DLP Tough Resin",
                                                 "**CNC MACHINED**",
                                                 "Milled Polypropylene 2mm",
                                                 "Milled Polypropylene 3mm",
                                                 "Milled Polypropylene 4mm",
                                                 "Milled Polypropylene 5mm",
                                                 "**VACUUM FORMED**",
                                                 "Vacuum Formed Polypropylene 2mm",
                                                 "Vacuum Formed Polypropylene 3mm",
                                                 "Vacuum Formed Polypropylene 4mm",
                                                 "Vacuum Formed Polypropylene 5mm",
                                                 "Subortholene 2mm",
                                                 "Subortholene 3mm",
                                                 "Subortholene 4mm"});
    return items;
}

ListFill List_For_Row(const ScriptRecord &job, int row)
{
    static const QStringList options = fromLatin1({"Option 1", "Option 2", "Option 3", "Option 4", "Option 5"});
    static const QStringList postWidths = fromLatin1({"None", "Full Width", "Half Width", "Quarter Width"});
    static const QStringList expansions = fromLatin1({"None", "Minimum", "Moderate", "Maximum"});
    switch (row) {
    case 2: return sizeList(job);
    case 12: return {fromLatin1({"1.0", "1.5", "2.0", "2.5", "3.0", "3.5", "4.0", "4.5", "5.0"})};
    case 13:
    case 14: return {expansions};
    case 15:
        return {fromLatin1({"Standard", "Slim", "Super Slim", "Wide", "Gait Plate (Out-Toe)", "Gait Plate (In-Toe)",
                            "Morton's Extension", "Cobra/Hook"})};
    case 16: return {fromLatin1({"Standard", "Short", "Long"})};
    case 30: return {fromLatin1({"1", "2", "3", "4", "S", "M", "L"})};
    case 44:
    case 57: return {postWidths};
    case 45:
    case 58: return {fromLatin1({"Medial", "Lateral"})};
    case 61:
    case 79:
    case 80: return {options};
    case 63:
        return {fromLatin1({"Standard Size 1", "Standard Size 2", "Standard Size 3", "Standard Size 4",
                            "Briggates Small", "Briggates Medium", "Briggates Large", "Metpad Small", "Metpad Medium",
                            "Metpad Large", "Custom"})};
    case 76:
        return {job.RigidTablesLoadedFlag ? tableEntries(job.ShellMaterialTable, job.ShellMaterialTableCount)
                                          : Built_In_Shell_Materials(),
                0};
    case 77:
    case 78:
        return {job.RigidTablesLoadedFlag ? tableEntries(job.RigidTopCoverTable, job.RigidTopCoverTableCount)
                                          : Built_In_Top_Covers(),
                0};
    default: return {};
    }
}

std::optional<CellSet> Cell_Changed(ScriptRecord &job, int row, int column, const QString &text)
{
    if (row < 1 || row > RowCount)
        return std::nullopt;
    if (row == 2 && column == LeftColumn) {
        takeFootSize(job, 0, text);
        job.FootSizeR = job.FootSizeL;
        job.TemplateLengthR = job.TemplateLengthL;
        job.FootLengthR = job.FootLengthL;
        return CellSet{2, RightColumn, job.FootSizeR};
    }
    if (row == 2 && column == RightColumn) {
        takeFootSize(job, 1, text);
        return std::nullopt;
    }
    if (column == LeftColumn)
        return CellSet{row, RightColumn, text};
    return std::nullopt;
}

std::optional<QString> Help_Page_For_Click(const QStringList &helpLinks, int row, int column)
{
    if (column != LabelColumn || row < 1 || row > RowCount)
        return std::nullopt;
    return helpLinks.value(row - 1);
}

} // namespace RigidGrid
