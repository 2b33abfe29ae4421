#pragma once
// Menu captions as the user reads them and the access keys (Alt and the
// underlined letter) of a menu bar.

#include <QAction>
#include <QKeySequence>
#include <QMenuBar>
#include <QStringList>

namespace menukeys {

// The caption as shown: the "&" that marks the access key is not drawn,
// and "&&" shows one "&".
inline QString shownCaption(const QString &text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'&' && i + 1 < text.size())
            ++i;
        out += text[i];
    }
    return out;
}

// The items of the bar a user can reach: visible, enabled, with a caption.
inline QList<QAction *> reachableItems(QMenuBar *bar)
{
    QList<QAction *> out;
    for (QAction *a : bar->actions()) {
        if (a->isVisible() && a->isEnabled() && !a->isSeparator() && !a->text().isEmpty())
            out << a;
    }
    return out;
}

// What is wrong with the bar's access keys: an item without one, or two
// items that share a letter. Empty when every item has its own.
inline QStringList accessKeyFaults(QMenuBar *bar)
{
    QStringList faults;
    QHash<QKeySequence, QString> taken;
    for (QAction *a : reachableItems(bar)) {
        const QKeySequence key = QKeySequence::mnemonic(a->text());
        const QString caption = shownCaption(a->text());
        if (key.isEmpty())
            faults << QStringLiteral("\"%1\" has no access key").arg(caption);
        else if (taken.contains(key))
            faults << QStringLiteral("\"%1\" and \"%2\" share %3").arg(taken[key], caption, key.toString());
        else
            taken.insert(key, caption);
    }
    return faults;
}

} // namespace menukeys
