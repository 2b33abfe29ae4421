#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The two one-value prompts, "Numeric Data Input" (`dlgNumInput`) and "Text
// Data Input" (`dlgStdInput`). They differ only in how the typed text becomes
// the result, in what Reset puts back and in their layout. What a prompt
// leaves behind (UserInput, InputCanceled) outlives the dialog, because the
// caller reads it after the dialog is gone.
class PromptDialog : public QDialog
{
    Q_OBJECT
public:
    enum class Kind { Numeric, Text };

    struct Outcome
    {
        QString UserInput; // the numeric dialog holds it formatted "0.0"
        bool InputCanceled = false; // Cancel, Esc or the close box
    };

    static QString nameFor(Kind kind); // "dlgNumInput" or "dlgStdInput"

    explicit PromptDialog(Kind kind, QWidget *parent = nullptr);

    Kind kind() const { return m_kind; }

    // Puts the prompt, the second line, the starting text and the caption up,
    // as one call of the prompt does before showing the dialog.
    void prepare(const QString &prompt, const QString &label, const QString &defaultText, const QString &title);

    // The last result of each dialog, kept for the whole run.
    static Outcome &outcome(Kind kind);
    // The default text of the prompt now shown; Reset puts it back.
    static QString &PromptDefault();

    void done(int result) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void onTextChanged(const QString &text);
    void onReset();
    QString held(const QString &text) const;

    Kind m_kind;
    QLabel *m_prompt = nullptr;
    QLineEdit *m_entry = nullptr;
    QPushButton *m_accept = nullptr;
    QPushButton *m_reset = nullptr;
    QPushButton *m_cancel = nullptr;
    QLabel *m_label2 = nullptr;
};
