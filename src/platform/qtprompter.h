#pragma once

#include "prompter.h"

class QWidget;

// The program's dialogs: Qt message boxes with plain text (never rich text
// built from file content), file dialogs and the printer dialog.
class QtPrompter : public Prompter
{
public:
    Answer message(const QString &text, const QString &title, Icon icon, Buttons buttons) override;
    bool numericInput(const QString &prompt, const QString &label, const QString &defaultText, const QString &title,
                      QString &entered) override;
    bool textInput(const QString &prompt, const QString &label, const QString &defaultText, const QString &title,
                   QString &entered) override;
    QString openFile(const FileRequest &request) override;
    QString saveFile(const FileRequest &request) override;
    bool printDialog(QPrinter &printer) override;

private:
    static QWidget *parentWindow();
};
