#include "promptdialogs.h"

#include "numbers.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

QString PromptDialog::nameFor(Kind kind)
{
    return kind == Kind::Numeric ? QStringLiteral("dlgNumInput") : QStringLiteral("dlgStdInput");
}

PromptDialog::Outcome &PromptDialog::outcome(Kind kind)
{
    static Outcome numeric;
    static Outcome text;
    return kind == Kind::Numeric ? numeric : text;
}

QString &PromptDialog::PromptDefault()
{
    static QString text;
    return text;
}

PromptDialog::PromptDialog(Kind kind, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                          | Qt::WindowCloseButtonHint),
      m_kind(kind)
{
    setObjectName(nameFor(kind));
    setWindowTitle(kind == Kind::Numeric ? QStringLiteral("Numeric Data Input") : QStringLiteral("Text Data Input"));

    QFont controlFont = font();
    controlFont.setPointSize(12);
    setFont(controlFont);

    m_prompt = new QLabel(QStringLiteral("Label1"), this);
    m_prompt->setObjectName(QStringLiteral("lblPrompt"));
    m_prompt->setAlignment(Qt::AlignCenter);
    m_prompt->setTextFormat(Qt::PlainText);
    m_prompt->setWordWrap(true);

    m_entry = new QLineEdit(this);
    m_entry->setObjectName(QStringLiteral("txtUserInput"));
    m_entry->setAlignment(Qt::AlignCenter);
    QFont entryFont = controlFont;
    entryFont.setPointSize(kind == Kind::Numeric ? 18 : 12);
    m_entry->setFont(entryFont);
    QPalette pale = m_entry->palette();
    pale.setColor(QPalette::Base, QColor(255, 224, 192));
    pale.setColor(QPalette::Text, Qt::black);
    m_entry->setPalette(pale);
    m_prompt->setBuddy(m_entry);
    m_entry->installEventFilter(this);

    m_accept = new QPushButton(QStringLiteral("Accept"), this);
    m_accept->setObjectName(QStringLiteral("cmdAccept"));
    m_accept->setAccessibleName(QStringLiteral("Accept"));
    m_accept->setDefault(true);
    m_reset = new QPushButton(QStringLiteral("Reset"), this);
    m_reset->setObjectName(QStringLiteral("cmdReset"));
    m_reset->setAccessibleName(QStringLiteral("Reset"));
    m_reset->setAutoDefault(false);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cancel->setAccessibleName(QStringLiteral("Cancel"));
    m_cancel->setAutoDefault(false);

    m_label2 = new QLabel(QStringLiteral("Label2"), this);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setAlignment(Qt::AlignCenter);
    m_label2->setTextFormat(Qt::PlainText);

    auto *grid = new QGridLayout(this);
    grid->setSizeConstraint(QLayout::SetFixedSize); // a fixed dialog border
    if (kind == Kind::Numeric) {
        // Reset over Cancel at the left, the box in the middle, a tall Accept at the right.
        grid->addWidget(m_prompt, 0, 0, 1, 3);
        grid->addWidget(m_reset, 1, 0);
        grid->addWidget(m_cancel, 2, 0);
        grid->addWidget(m_entry, 1, 1, 2, 1);
        grid->addWidget(m_accept, 1, 2, 2, 1);
        grid->addWidget(m_label2, 3, 0, 1, 3);
        m_entry->setMinimumSize(150, 56);
        m_accept->setMinimumHeight(56);
        m_accept->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    } else {
        // The box across the width, then Cancel, Reset and a wider Accept in one row.
        grid->addWidget(m_prompt, 0, 0, 1, 4);
        grid->addWidget(m_entry, 1, 0, 1, 4);
        grid->addWidget(m_cancel, 2, 0);
        grid->addWidget(m_reset, 2, 1);
        grid->addWidget(m_accept, 2, 2, 1, 2);
        grid->addWidget(m_label2, 3, 0, 1, 4);
        m_entry->setMinimumWidth(360);
    }
    setTabOrder(m_entry, m_accept);
    setTabOrder(m_accept, m_reset);
    setTabOrder(m_reset, m_cancel);

    connect(m_entry, &QLineEdit::textChanged, this, &PromptDialog::onTextChanged);
    connect(m_accept, &QPushButton::clicked, this, &QDialog::accept);
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_reset, &QPushButton::clicked, this, &PromptDialog::onReset);
}

QString PromptDialog::held(const QString &text) const
{
    return m_kind == Kind::Numeric ? num::format0_0Text(text) : text;
}

void PromptDialog::prepare(const QString &prompt, const QString &label, const QString &defaultText,
                           const QString &title)
{
    m_prompt->setText(prompt);
    m_entry->setAccessibleName(prompt);
    m_label2->setText(label);
    m_entry->setText(defaultText);
    // Setting the same text again fires nothing, but the default is what the
    // dialog holds from the start.
    outcome(m_kind).UserInput = held(m_entry->text());
    PromptDefault() = defaultText;
    setWindowTitle(title);
    m_entry->setFocus();
    m_entry->selectAll();
}

void PromptDialog::onTextChanged(const QString &text)
{
    outcome(m_kind).UserInput = held(text);
}

void PromptDialog::onReset()
{
    m_entry->setText(held(PromptDefault()));
    m_entry->setFocus();
}

void PromptDialog::done(int result)
{
    // Every way of closing but Accept is a cancel: Cancel, Esc and the close box.
    outcome(m_kind).InputCanceled = result != QDialog::Accepted;
    QDialog::done(result);
}

bool PromptDialog::eventFilter(QObject *watched, QEvent *event)
{
    // A click into the box starts the entry afresh.
    if (watched == m_entry && event->type() == QEvent::MouseButtonPress)
        m_entry->clear();
    return QDialog::eventFilter(watched, event);
}
