#pragma once

#include <QString>
#include <QStringList>

#include <optional>

struct ScriptRecord;

// What the rigid grid's three events do, without a window: the drop-down
// list a row offers, the change rules of a user's edit and the row help of
// a label click. Rows and columns are numbered as in rigidgrid.h.
namespace RigidGrid {

// The list a drop-down cell of `row` shows when it opens: its entries, the
// entry shown as chosen (none: -1) and the list's font size (0: as it is).
// Built afresh at every opening, so a changed table or size chart shows at
// once. Rows without a list (row 62 among them) give an empty one.
struct ListFill
{
    QStringList items;
    int selected = -1;
    int fontSize = 0;
};
ListFill List_For_Row(const ScriptRecord &job, int row);

// The built-in lists of rows 76 (shell material) and 77/78 (top covers),
// offered while no rigid table was read.
const QStringList &Built_In_Shell_Materials();
const QStringList &Built_In_Top_Covers();

// A cell that a change rule sets.
struct CellSet
{
    int row = 0;
    int column = 0;
    QString text;
    friend bool operator==(const CellSet &, const CellSet &) = default;
};

// A user's change of a cell to `text`. A left foot size sets both feet's
// size, template and foot lengths and shows the size in the right cell; a
// right foot size sets the right foot's alone; a left value of any other
// row is copied to its right cell. Returns the cell to set, if any; the
// edited cell keeps the text as entered.
std::optional<CellSet> Cell_Changed(ScriptRecord &job, int row, int column, const QString &text);

// The help page a click opens: the row's link for a click on a label
// (column 1) of rows 1 to 82, possibly empty (the browser opens blank);
// none for any other cell.
std::optional<QString> Help_Page_For_Click(const QStringList &helpLinks, int row, int column);

} // namespace RigidGrid
