#include "firstkeyclears.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>

FirstKeyClears::FirstKeyClears(QObject *parent)
    : QObject(parent)
{}

void FirstKeyClears::addBox(QLineEdit *box, const QString &row)
{
    m_rowOf.insert(box, row);
    m_firstKeyTaken.insert(row, false);
    box->installEventFilter(this);
    connect(box, &QObject::destroyed, this, [this](QObject *gone) { m_rowOf.remove(gone); });
}

bool FirstKeyClears::eventFilter(QObject *watched, QEvent *event)
{
    const auto row = m_rowOf.constFind(watched);
    if (row == m_rowOf.constEnd())
        return false;
    // A box on its way out is no longer a line edit.
    auto *box = qobject_cast<QLineEdit *>(watched);
    if (!box)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: box->clear(); break;
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if (key == Qt::Key_Tab || key == Qt::Key_Backtab)
            break;
        // A modifier pressed alone waits for its key: Shift+Tab must leave
        // the box as it is, and Shift then a letter still replaces the text.
        if (key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta
            || key == Qt::Key_AltGr)
            break;
        bool &taken = m_firstKeyTaken[*row];
        if (!taken) {
            box->clear();
            taken = true;
        }
        break;
    }
    case QEvent::FocusOut: {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            m_firstKeyTaken[*row] = false;
        break;
    }
    default: break;
    }
    return false;
}
