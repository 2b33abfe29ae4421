#pragma once

#include <QApplication>
#include <QObject>
#include <QPointer>
#include <QPushButton>
#include <QString>
#include <QTimer>
#include <QWidget>

// Answers a modal dialog (found by its objectName) with one of its buttons
// each time it comes up, and counts its showings. The dialog is looked for
// again and again because a command may let window events run before it
// shows it. Tests that use it link Qt6::Widgets.
class ModalAnswer : public QObject
{
public:
    ModalAnswer(const char *dialog, const char *button)
        : m_dialog(QString::fromLatin1(dialog)),
          m_button(QString::fromLatin1(button))
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || modal->objectName() != m_dialog || modal == m_last)
                return;
            m_last = modal;
            ++shown;
            modal->findChild<QPushButton *>(m_button)->click();
        });
        m_timer.start(5);
    }
    int shown = 0;

private:
    QString m_dialog;
    QString m_button;
    QTimer m_timer;
    QPointer<QWidget> m_last;
};
