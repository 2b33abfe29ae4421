// The rigid window's prescription grid: the rebuild from the job (the
// core's Load_Grid applied to the grid control), the reading back, and the
// three grid events: a list opening, a user's change and a label click.
#include "scriptform2.h"

#include "gridcontrol.h"
#include "gridediting.h"
#include "rigidgrid.h"

#include "prompter.h"
#include "scriptrecord.h"
#include "windowregistry.h"

#include <QColor>

using namespace RigidGrid;

namespace {

QColor colour(const Rgb &rgb)
{
    return QColor(rgb.red, rgb.green, rgb.blue);
}

constexpr double kCellFontSize = 10;
constexpr int kRightAligned = 14;
constexpr int kLeftAligned = 10;

} // namespace

void ScriptForm2::fillGrid()
{
    GridControl *g = grid();
    g->Grid_Clear();
    g->Grid_Set_Rows(1);
    g->Grid_Set_Cols(ColumnCount);
    const Headings headings = Grid_Headings();
    for (int column = 0; column < ColumnCount; ++column) {
        const ColumnHeading &heading = headings.columns[std::size_t(column)];
        g->Set_Grid_Cell_Text(0, column, heading.header);
        g->Grid_Column_Width(column, heading.width);
        g->Grid_Column_Alignment(column, heading.alignment & Qt::AlignRight ? kRightAligned : kLeftAligned);
        g->Grid_Column_Locked(column, column != LeftColumn && column != RightColumn);
    }

    // One repaint for the whole rebuild.
    g->Grid_Redraw(false);
    const Content content = Load_Grid(Job());
    for (int row = 1; row <= RowCount; ++row) {
        g->Grid_Add_Row(QStringList{content.at(row, LabelColumn).text, content.at(row, LeftColumn).text,
                                    content.at(row, RightColumn).text, content.at(row, UnitColumn).text});
        g->Set_Grid_Cell_Text(row, IndexColumn, content.at(row, IndexColumn).text);
        for (int column = LabelColumn; column <= UnitColumn; ++column) {
            const Cell &c = content.at(row, column);
            if (c.background)
                g->Grid_Cell_Back_Colour(row, column, colour(*c.background));
            if (c.bold)
                g->Grid_Cell_Bold(row, column);
            if (c.kind != CellKind::Plain)
                g->Grid_Cell_Kind(row, column, GridControl::Kind(int(c.kind)));
            g->Grid_Cell_Font_Size(row, column, kCellFontSize);
        }
    }
    // The notes take several lines.
    g->Grid_Cell_Multiline(RowCount, LeftColumn, true);
    g->Grid_Cell_Multiline(RowCount, RightColumn, true);
    ClickedRow = 1;
    ClickedColumn = 1;
    g->Grid_Redraw(true);
    g->Grid_Refresh();
}

void ScriptForm2::Set_Default()
{
    ::Set_Default(Job());
    fillGrid();
}

void ScriptForm2::Rebuild_Grid()
{
    fillGrid();
}

Texts ScriptForm2::gridTexts()
{
    GridControl *g = grid();
    g->Commit_Open_Editor();
    Texts texts;
    for (int row = 1; row <= RowCount; ++row)
        for (int column = 0; column < ColumnCount; ++column)
            texts.at(row, column) = g->Grid_Cell_Text(row, column);
    return texts;
}

void ScriptForm2::Save_Grid()
{
    ::Save_Grid(Job(), gridTexts());
}

void ScriptForm2::Grid1_List_Open(int row)
{
    GridControl *g = grid();
    const ListFill fill = List_For_Row(Job(), row);
    if (fill.fontSize > 0)
        g->Grid_List_Font_Size(fill.fontSize);
    g->Grid_List_Clear();
    for (const QString &item : fill.items)
        g->Grid_List_Add_Item(item);
    if (fill.selected >= 0)
        g->Grid_List_Select(fill.selected);
}

void ScriptForm2::Grid1_Cell_Changed(int row, int column)
{
    GridControl *g = grid();
    if (const std::optional<CellSet> set = Cell_Changed(Job(), row, column, g->Grid_Cell_Text(row, column)))
        g->Set_Grid_Cell_Text(set->row, set->column, set->text);
}

void ScriptForm2::Grid1_Cell_Click()
{
    const GridControl::ActiveCell active = grid()->Grid_Active_Cell();
    ClickedRow = active.row;
    ClickedColumn = active.column;
    const std::optional<QString> page = Help_Page_For_Click(HelpLinks, ClickedRow, ClickedColumn);
    if (!page)
        return;
    Job().BrowserPage = *page;
    // An open browser comes to the front with the page it shows.
    Run_Command([] { Windows().show(QStringLiteral("Browser")); });
}
