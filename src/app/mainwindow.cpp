#include "mainwindow.h"

#include "shellhelpers.h"

#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

MainForm::MainForm(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QStringLiteral("Solvane: Prepare and Submit Jobs"));
    menuBar();

    m_statusPanel = new QLabel(this);
    m_statusPanel->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(m_statusPanel, 1);
    resize(900, 600);
    ::Set_Status_Sink([this](const QString &text) { Set_Status(text); });
    Set_Status(QStringLiteral("Ready"));
}

MainForm::~MainForm()
{
    ::Set_Status_Sink({});
}

void MainForm::Set_Status(const QString &text)
{
    m_statusPanel->setText(text);
    // Long operations block the event loop; paint now so the text is seen.
    m_statusPanel->repaint();
}

QString MainForm::statusText() const
{
    return m_statusPanel->text();
}
