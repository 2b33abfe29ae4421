#pragma once

#include <QString>
#include <Qt>

#include <array>
#include <optional>

struct ScriptRecord;

// The rigid prescription grid without a window: 82 rows of five columns
// (index, label, left foot, right foot, unit), each row showing one
// left/right pair of the job. One table of rows drives what the grid shows,
// how it looks and how it is read back; the window only applies it.
namespace RigidGrid {

constexpr int RowCount = 82; // rows are numbered from 1, as the help links number them
constexpr int ColumnCount = 5;
enum Column : int { IndexColumn = 0, LabelColumn = 1, LeftColumn = 2, RightColumn = 3, UnitColumn = 4 };

// How a row's values are written into its cells.
enum class LineKind {
    Heading, // the label alone
    Text, // the values as stored
    Number, // each value "0.0"
    Flag, // "True" or "False"
    Side, // "Lateral" for True, "Medial" otherwise
};

// The editor of the left and right cells (the grid control's kinds 0, 1, 2).
enum class CellKind { Plain = 0, List = 1, Tick = 2 };

enum class Look { Plain, Heading, Marked };

// How Save_Grid takes a row's left and right cells back into the job.
enum class Reading {
    NotRead, // headings
    Text, // unchanged
    NumberText, // the shortest text of the leading number
    Number, // the leading number
    Ticked, // "True" in any capitals, or a leading number other than 0
    Side, // exactly "Lateral"
};

// A left/right pair of the job: two members of one kind (texts, numbers or
// flags); the members of the other kinds stay null.
struct PairMembers
{
    QString ScriptRecord::*textL = nullptr;
    QString ScriptRecord::*textR = nullptr;
    double ScriptRecord::*numL = nullptr;
    double ScriptRecord::*numR = nullptr;
    bool ScriptRecord::*flagL = nullptr;
    bool ScriptRecord::*flagR = nullptr;
};

// One grid row. Text rows show texts, number rows numbers, flag and side
// rows flags. Row 82 shows the notes alone (no right member).
struct Row
{
    const char *label;
    const char *unit;
    LineKind line;
    CellKind cell;
    Look look;
    Reading reading;
    PairMembers pair = {};
};

// The 82 rows, row r at index r - 1.
const std::array<Row, RowCount> &Rows();
const Row &Row_At(int row);

struct Rgb
{
    int red = 0;
    int green = 0;
    int blue = 0;
    friend bool operator==(const Rgb &, const Rgb &) = default;
};

inline constexpr Rgb kHeadingColour{255, 190, 190};
inline constexpr Rgb kMarkedColour{255, 240, 190};

// What Grid_Headings gives the grid: the header row, the columns and the
// look the grid starts with.
struct ColumnHeading
{
    QString header;
    int width = 0;
    Qt::Alignment alignment;
};

struct Headings
{
    std::array<ColumnHeading, ColumnCount> columns;
    Rgb gridLines{192, 192, 192};
    int rowHeight = 22;
    double fontPointSize = 9.75;
    // The grid's colour scheme, in the order the grid was always given it;
    // which part of the grid takes which colour is the window's choice.
    std::array<Rgb, 7> scheme;
};

Headings Grid_Headings();

// The texts of columns 1 to 4 of one row, as the row writers form them. A
// value holding a TAB stays whole in its cell.
using Line = std::array<QString, 4>;
Line Write_Grid_Line_Heading(const QString &label);
Line Write_Grid_Line_String(const QString &label, const QString &left, const QString &right, const QString &unit);
Line Write_Grid_Line_Float(const QString &label, double left, double right, const QString &unit);
Line Write_Grid_Line_Bool(const QString &label, bool left, bool right);

struct Cell
{
    QString text;
    std::optional<Rgb> background; // none: the grid's own colour
    bool bold = false;
    CellKind kind = CellKind::Plain;
};

// The cells of the 82 rows, addressed by row (1 to 82) and column.
class Content
{
public:
    Cell &at(int row, int column) { return m_cells[index(row, column)]; }
    const Cell &at(int row, int column) const { return m_cells[index(row, column)]; }

private:
    static std::size_t index(int row, int column);
    std::array<Cell, RowCount * ColumnCount> m_cells;
};

// The texts of the 82 rows as the grid holds them when it is saved.
class Texts
{
public:
    QString &at(int row, int column) { return m_texts[index(row, column)]; }
    const QString &at(int row, int column) const { return m_texts[index(row, column)]; }

    static Texts of(const Content &content);

private:
    static std::size_t index(int row, int column);
    std::array<QString, RowCount * ColumnCount> m_texts;
};

// Bold on columns 1 to 4 of a heading row.
void Set_Heading(Content &content, int row);

// True for a tick cell's or a record's yes/no text: "True" in any capitals,
// or a leading number other than 0.
bool Is_Ticked_Text(const QString &text);

// A foot size as the record reader takes it: the shortest text of its
// leading number ("9.0" gives "9"). A blank size stays blank, so a record
// whose size was never set is still refused by the size check of the job
// commands. The grid reads a size cell as any number cell: blank is "0".
QString Size_Number_Text(const QString &text);

} // namespace RigidGrid

// Every cell of the grid from the job: texts, looks and kinds. The four
// heel post lengths of rows 54 and 55 are then set to 0 in the job (the
// record does not carry them), while the cells keep what they showed.
RigidGrid::Content Load_Grid(ScriptRecord &job);

// The rigid defaults of a new job and of "New Grid": lengths from the sizes,
// thickness 2.0, scan date and time now, the default texts, numbers and
// flags, the Pellmar intake measurements (Pellmar_Measurements), then the
// grid's presets (heel to dot "0", shell style and length "Standard", arch
// and heel expansion "None"). Client, sizes and the values the defaults do
// not name stay. An opened script never gets these presets.
void Set_Default(ScriptRecord &job);

// Reads rows 2 to 82 back into the job, each by its row's reading (row 82:
// the left cell into Notes), then the heel post rotation of each foot.
void Save_Grid(ScriptRecord &job, const RigidGrid::Texts &texts);

// The heel post rotation in degrees from the post's medial and lateral
// lengths and the heel width: arctan((medial - lateral) / width) times
// 57.29577951. A width of 0 or without a number keeps `current`.
double Heel_Post_Rotation(double medialLength, double lateralLength, const QString &heelWidth, double current);
