#pragma once

#include <QColor>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QTableWidget>

#include <QComboBox>

// The rigid window's prescription grid "Grid1": a table whose row 0 is its
// header and whose data rows are numbered from 1, each cell holding a text,
// a back colour, a font and a kind (plain, drop-down list or tick box).
// Values pass in and out as texts only.
//
// It reports three events: a cell was clicked (Cell_Click, the cell then in
// Grid_Active_Cell), a drop-down cell is about to show its list (List_Open,
// filled through the Grid_List_* operations while it is raised, afresh at
// every opening) and the user changed a cell's value (Cell_Changed; texts
// set from code never raise it).
class GridControl : public QTableWidget
{
    Q_OBJECT
public:
    enum class Kind { Plain = 0, List = 1, Tick = 2 };

    explicit GridControl(QWidget *parent = nullptr);

    // Structure and contents.
    void Grid_Clear();
    void Grid_Set_Rows(int rows); // the header row included
    void Grid_Set_Cols(int columns);
    // Appends a row whose TAB-separated fields fill columns 1, 2, 3, ...
    void Grid_Add_Row(const QString &fields);
    // The same with the fields apart, so a text holding a TAB stays whole.
    void Grid_Add_Row(const QStringList &fields);
    int Grid_Rows() const { return rowCount() + 1; }

    QString Grid_Cell_Text(int row, int column) const;
    void Set_Grid_Cell_Text(int row, int column, const QString &text);

    // Looks and kinds.
    void Grid_Cell_Back_Colour(int row, int column, const QColor &colour);
    void Grid_Cell_Bold(int row, int column);
    void Grid_Cell_Font_Size(int row, int column, double points);
    void Grid_Cell_Kind(int row, int column, Kind kind);
    Kind Cell_Kind(int row, int column) const;
    // A plain cell edited as several lines (the notes).
    void Grid_Cell_Multiline(int row, int column, bool on);
    void Grid_Column_Width(int column, int width);
    // 14 aligns right (the labels), anything else left.
    void Grid_Column_Alignment(int column, int code);
    // A locked column is never edited (index, labels, units).
    void Grid_Column_Locked(int column, bool locked);
    bool Column_Locked(int column) const;

    // Painting off during a rebuild; one repaint after it.
    void Grid_Redraw(bool on);
    void Grid_Refresh();

    struct ActiveCell
    {
        int row = 0;
        int column = 0;
        QString text;
    };
    ActiveCell Grid_Active_Cell() const { return m_active; }

    // The drop-down list of the cell being edited; nothing happens while no
    // list is open.
    void Grid_List_Clear();
    void Grid_List_Add_Item(const QString &text);
    void Grid_List_Select(int index);
    void Grid_List_Font_Size(double points);

    // Takes what an open editor holds into its cell (raising Cell_Changed
    // as the user's edit would) and closes it, so a half-typed value is
    // never left out of a reading of the grid.
    void Commit_Open_Editor();

    // The open editor and drop-down list, if any.
    QWidget *Open_Editor() const { return m_editor; }
    QComboBox *Open_List() const { return m_list; }

    // Ticked: "True" in any capitals, or a leading number other than 0.
    static bool Is_Ticked(const QString &text);

signals:
    void Cell_Click();
    void List_Open(int row);
    void Cell_Changed(int row, int column);

private:
    friend class GridCellDelegate;

    QTableWidgetItem *cell(int row, int column) const;
    QTableWidgetItem *ensureCell(int row, int column);
    // A user's new text for a cell: set, then reported when it differs.
    void userSets(int row, int column, const QString &text);

    Qt::Alignment alignment(int column) const;

    ActiveCell m_active;
    QList<Qt::Alignment> m_alignments;
    QList<bool> m_locked;
    QPointer<QComboBox> m_list;
    QPointer<QWidget> m_editor;
    int m_listSelected = -1;
};
