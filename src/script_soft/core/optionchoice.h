#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// The choices of the "Orthotic Data" lists as texts: which items a saved
// record selects again, and the values the insole options carry in their
// item texts ("Heel Lift Ext (mm) = 2.5").
namespace SoftFields {

// The rows whose item the saved text holds (any case), top to bottom; an
// empty item matches any saved text that is not empty. In a single-choice
// list a later row replaces an earlier one; in a several-choice list all
// are added to what is selected.
QList<int> Saved_Choice_Rows(const QStringList &items, const QString &saved);

// The saved insole options selected again. Each matching item is selected;
// the k-th matching item takes the k-th ";"-separated saved part as its
// text when that part holds "(mm)" or "(deg)" (any case), so its value
// comes back with it. "None" (the first item) gives way as soon as an item
// below it matched. Nothing else is deselected.
struct SavedOptions
{
    QList<int> selected; // top to bottom
    QMap<int, QString> texts; // rows whose item text becomes the saved part
    bool deselectFirst = false;
};
SavedOptions Reselect_Saved_Options(const QStringList &items, const QString &saved);

// True when an option's text carries a value: an "=" after its first character.
bool Option_Has_Value(const QString &optionText);

// The option without its value: the text before the "=", less the blank before it.
QString Option_Name(const QString &optionText);

// The option text once a value was entered for it. A first value is added
// as " = " and the value "0.0", whatever it is, 0 included; a value entered
// again replaces the old one, and 0 leaves the bare option name.
QString Option_Value_Text(const QString &optionText, double value);

} // namespace SoftFields
