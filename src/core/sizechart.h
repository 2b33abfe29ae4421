#pragma once

#include <QString>

struct ScriptRecord;

// The built-in 17-row chart of foot sizes and template lengths.
void Set_Default_Sizes(ScriptRecord &job);

// Replaces the chart with a size table file ("FootSize<N>.Dat"): a count
// line, then "size,length" rows. A file that cannot be read, whose count is
// not positive, or that ends before its last row changes nothing and throws.
void Read_Size_File(ScriptRecord &job, const QString &path);

// Template length in mm for a size: the first of the first 17 rows whose size
// is at least the given one; two rows shorter (but never below row 1) when
// Gender does not begin with "M"; the last row for a size above the chart.
double Get_Template_Length(const ScriptRecord &job, double footSize);

// Foot length is always template length minus 25 mm.
inline double Foot_Length_For(double templateLength)
{
    return templateLength - 25.0;
}

// The size lists' texts of the first 17 rows.
QStringList Size_List_Texts(const ScriptRecord &job);
