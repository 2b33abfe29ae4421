#include "optionchoice.h"

#include "numbers.h"
#include "shellhelpers.h"

namespace SoftFields {

namespace {

bool holds(const QString &saved, const QString &item)
{
    return !saved.isEmpty() && saved.contains(item, Qt::CaseInsensitive);
}

bool takesValue(const QString &part)
{
    return part.contains(QLatin1String("(mm)"), Qt::CaseInsensitive)
           || part.contains(QLatin1String("(deg)"), Qt::CaseInsensitive);
}

QString withValue(const QString &name, double value)
{
    return name + QStringLiteral(" = ") + num::format0_0(value);
}

} // namespace

QList<int> Saved_Choice_Rows(const QStringList &items, const QString &saved)
{
    QList<int> rows;
    for (int i = 0; i < items.size(); ++i)
        if (holds(saved, items.at(i)))
            rows << i;
    return rows;
}

SavedOptions Reselect_Saved_Options(const QStringList &items, const QString &saved)
{
    SavedOptions options;
    QString parts = saved;
    for (const int row : Saved_Choice_Rows(items, saved)) {
        options.selected << row;
        const QString part = Get_Token_Semicolon(parts);
        if (takesValue(part))
            options.texts.insert(row, part);
        if (row >= 1)
            options.deselectFirst = true;
    }
    return options;
}

bool Option_Has_Value(const QString &optionText)
{
    return optionText.indexOf(u'=', 1) >= 0;
}

QString Option_Name(const QString &optionText)
{
    const qsizetype equals = optionText.indexOf(u'=', 1);
    return equals < 0 ? optionText : optionText.left(equals - 1);
}

QString Option_Value_Text(const QString &optionText, double value)
{
    if (!Option_Has_Value(optionText))
        return withValue(optionText, value);
    const QString name = Option_Name(optionText);
    return value != 0.0 ? withValue(name, value) : name;
}

} // namespace SoftFields
