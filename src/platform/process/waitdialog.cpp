#include "waitdialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

WaitDialog::WaitDialog(const QString &waitingFor, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("WaitDialog"));
    setWindowTitle(QStringLiteral("Waiting"));
    setWindowModality(Qt::ApplicationModal);

    m_label = new QLabel(QStringLiteral("Waiting for ") + waitingFor + QStringLiteral("..."), this);
    m_label->setObjectName(QStringLiteral("WaitLabel"));
    m_label->setTextFormat(Qt::PlainText);
    m_label->setWordWrap(true);

    m_stop = new QPushButton(QStringLiteral("Stop Waiting"), this);
    m_stop->setObjectName(QStringLiteral("StopWaiting"));
    m_stop->setAccessibleName(m_stop->text());
    m_stop->setAutoDefault(false);
    connect(m_stop, &QPushButton::clicked, this, &WaitDialog::stopRequested);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_stop);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_label);
    layout->addLayout(buttons);
    setMinimumWidth(360);
}

QString WaitDialog::text() const
{
    return m_label->text();
}

void WaitDialog::reject()
{
    emit stopRequested();
}
