#pragma once

#include <QHash>
#include <QObject>

class QLineEdit;

// The editing rule of the prescription's measurement and name boxes: a
// press of any mouse button empties the box, and the first key typed after
// the row gained the focus empties it before the key takes effect, so typing
// replaces the old value. The two boxes of a left/right row share one
// "first key" mark, which the focus leaving a box clears. Tab and Shift+Tab
// only move on, and focus taken by another application or a popup menu is
// not a lost focus. A modifier pressed alone is not the first key either.
class FirstKeyClears : public QObject
{
    Q_OBJECT
public:
    explicit FirstKeyClears(QObject *parent = nullptr);

    // Adds a box to the family; boxes given the same row share their mark.
    void addBox(QLineEdit *box, const QString &row);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QHash<QObject *, QString> m_rowOf;
    QHash<QString, bool> m_firstKeyTaken;
};
