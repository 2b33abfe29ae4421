#pragma once
// Messages go to the console: a benchmark must never wait for a click.

#include "prompter.h"

#include <cstdio>

namespace bench {

class ConsolePrompter : public Prompter
{
public:
    Answer message(const QString &text, const QString &title, Icon, Buttons) override
    {
        std::fprintf(stderr, "message [%s]: %s\n", qPrintable(title), qPrintable(text));
        return Answer::Ok;
    }
    bool numericInput(const QString &, const QString &, const QString &, const QString &, QString &) override
    {
        return false;
    }
    bool textInput(const QString &, const QString &, const QString &, const QString &, QString &) override
    {
        return false;
    }
    QString openFile(const FileRequest &) override { return {}; }
    QString saveFile(const FileRequest &) override { return {}; }
    bool printDialog(QPrinter &) override { return false; }
};

} // namespace bench
