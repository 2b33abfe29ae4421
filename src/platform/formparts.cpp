#include "formparts.h"

#include "namelists.h"
#include "scriptrecord.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace FormParts {

QString sideName(const QString &name, int side)
{
    return name + u'_' + QString::number(side);
}

QLabel *captionFor(const QString &text, QWidget *control)
{
    auto *label = new QLabel(text);
    if (control) {
        label->setBuddy(control);
        control->setAccessibleName(text);
    }
    return label;
}

void chooseEntry(QComboBox *target, int index)
{
    if (index < 0 || index >= target->count())
        return;
    if (target->currentIndex() == index) {
        if (target->isEditable())
            target->setEditText(target->itemText(index));
        return;
    }
    target->setCurrentIndex(index);
}

QPushButton *commandButton(const QString &name, const QString &caption, const QString &accessibleName)
{
    auto *b = named<QPushButton>(name);
    b->setText(caption);
    b->setAccessibleName(accessibleName);
    return b;
}

DispenseDateRow dispenseDateRow(const QString &dateName, const QString &tickPrefix)
{
    DispenseDateRow r;
    r.date = named<QLineEdit>(dateName);
    // The ticks beside it would otherwise squeeze the date out of sight.
    r.date->setMinimumWidth(r.date->fontMetrics().horizontalAdvance(QStringLiteral("00/00/0000"))
                            + r.date->minimumSizeHint().width());
    r.row = new QWidget;
    auto *ticks = new QHBoxLayout(r.row);
    ticks->setContentsMargins(0, 0, 0, 0);
    ticks->addWidget(r.date);
    const QString captions[3] = {QStringLiteral("Priority Return"), QStringLiteral("Confirm Before Manufacture"),
                                 QStringLiteral("Send Confirmation E-Mail")};
    for (int i = 0; i < 3; ++i) {
        auto *c = named<QCheckBox>(tickPrefix + QString::number(i + 1));
        c->setText(captions[i]);
        c->setAccessibleName(captions[i]);
        ticks->addWidget(c);
        r.ticks[i] = c;
    }
    return r;
}

QString Fill_Name_Combo(QComboBox *names, const QString &fileName)
{
    {
        const QSignalBlocker quiet(names);
        names->clear();
        names->addItems(Name_List_Items(fileName));
        names->setCurrentIndex(-1);
    }
    names->setCurrentIndex(0);
    return names->currentText();
}

void Fill_User_Combo(QComboBox *users, const ScriptRecord &job)
{
    {
        const QSignalBlocker quiet(users);
        users->clear();
    }
    // One user: the list is that user's name alone (only the lengths are compared).
    if (job.UserList.size() == job.CurrentUser.size()) {
        users->hide();
        return;
    }
    users->show();
    {
        const QSignalBlocker quiet(users);
        users->addItems(User_Combo_Names(job));
        users->setCurrentIndex(-1);
    }
    if (users->count() > 0)
        users->setCurrentIndex(0);
}

} // namespace FormParts
