#pragma once

#include <QMainWindow>

class QLabel;

// The program's start-up window: the job workspace every other window hangs from.
class MainForm : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainForm(QWidget *parent = nullptr);
    ~MainForm() override;

    void Set_Status(const QString &text);
    QString statusText() const;

private:
    QLabel *m_statusPanel = nullptr;
};
