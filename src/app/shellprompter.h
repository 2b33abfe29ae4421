#pragma once

#include "qtprompter.h"

// The program's prompter: Qt's message and file dialogs, with the two
// one-value prompts served by the program's own dialogs, each taken from the
// window registry, shown modally and unloaded again.
class ShellPrompter : public QtPrompter
{
public:
    bool numericInput(const QString &prompt, const QString &label, const QString &defaultText, const QString &title,
                      QString &entered) override;
    bool textInput(const QString &prompt, const QString &label, const QString &defaultText, const QString &title,
                   QString &entered) override;
};
