#include "undoring.h"

#include "paths.h"

#include <QFile>

QString UndoRing::slotPath(int slot) const
{
    return Paths::file(QStringLiteral("Undo%1%2.Lcf").arg(Side_Letter(m_side)).arg(slot, 2, 10, QLatin1Char('0')));
}

QString UndoRing::initialSnapshot() const
{
    return Paths::file(QStringLiteral("Undo%1.Lcf").arg(Side_Letter(m_side)));
}

QString UndoRing::takeSlot()
{
    const QString path = slotPath(m_slot);
    m_slot = m_slot >= kDepth ? 1 : m_slot + 1;
    return path;
}

void UndoRing::clear()
{
    for (int s = 1; s <= kDepth; ++s)
        QFile::remove(slotPath(s));
    m_slot = 1;
}

void UndoRing::removeAll()
{
    clear();
    QFile::remove(initialSnapshot());
}
