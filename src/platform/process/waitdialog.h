#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The small window shown while an outside program runs: what is awaited,
// and "Stop Waiting". It only reports the button; the runner decides.
class WaitDialog : public QDialog
{
    Q_OBJECT
public:
    explicit WaitDialog(const QString &waitingFor, QWidget *parent = nullptr);

    QString text() const;

signals:
    void stopRequested();

protected:
    void reject() override; // Esc and the frame's close ask to stop too

private:
    QLabel *m_label = nullptr;
    QPushButton *m_stop = nullptr;
};
