#pragma once
// Building blocks of the prescription windows' forms: controls named by
// their historic names (objectName) and captioned for screen readers
// (accessible name = visible caption).

#include <QString>

#include <array>

struct ScriptRecord;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QLabel;
class QPushButton;
class QWidget;

namespace FormParts {

template <typename T>
T *named(const QString &objectName)
{
    auto *w = new T;
    w->setObjectName(objectName);
    return w;
}

// "<name>_0" and "<name>_1".
QString sideName(const QString &name, int side);

// A caption beside a control; the control takes it as its accessible name.
QLabel *captionFor(const QString &text, QWidget *control);

// Makes `index` the chosen entry; an entry chosen again still shows its own text.
void chooseEntry(QComboBox *combo, int index);

QPushButton *commandButton(const QString &name, const QString &caption, const QString &accessibleName);
inline QPushButton *commandButton(const QString &name, const QString &caption)
{
    return commandButton(name, caption, caption);
}

// The dispense date box with the three job ticks beside it ("Priority
// Return", "Confirm Before Manufacture", "Send Confirmation E-Mail"), named
// `dateName` and `<tickPrefix>1` to 3, on one row widget.
struct DispenseDateRow
{
    QWidget *row = nullptr;
    QLineEdit *date = nullptr;
    std::array<QCheckBox *, 3> ticks{};
};
DispenseDateRow dispenseDateRow(const QString &dateName, const QString &tickPrefix);

// Fills a name combo with the list file of that name in the working folder
// ("No Names Available" without one) and chooses its first entry, so the
// combo's choice behaviour takes the name. Returns the name chosen.
QString Fill_Name_Combo(QComboBox *names, const QString &fileName);

// Fills the user combo from the job's user list and chooses its first
// entry; with a single user the combo stays empty and hidden.
void Fill_User_Combo(QComboBox *users, const ScriptRecord &job);

} // namespace FormParts
