#pragma once

#include "prompter.h"

#include <QList>
#include <QQueue>
#include <QString>
#include <memory>
#include <optional>

// A prompter for tests: records every dialog the code asked for and answers
// from queues. An empty queue answers as a cancel (Ok for plain messages), so
// an unexpected question shows up in the record instead of blocking.
class ScriptedPrompter : public Prompter
{
public:
    struct Call
    {
        QString kind; // "message", "numeric", "text", "open", "save", "print"
        QString text; // message text or prompt
        QString title;
        Icon icon = Icon::None;
        Buttons buttons = Buttons::Ok;
        QString label;
        QString defaultText;
        FileRequest file;
    };

    QList<Call> calls;
    QQueue<Answer> answers;
    QQueue<std::optional<QString>> inputs; // nullopt = cancel
    QQueue<QString> files; // "" = cancel
    QQueue<bool> prints;

    Answer message(const QString &text, const QString &title, Icon icon, Buttons buttons) override
    {
        Call c;
        c.kind = QStringLiteral("message");
        c.text = text;
        c.title = title;
        c.icon = icon;
        c.buttons = buttons;
        calls << c;
        if (!answers.isEmpty())
            return answers.dequeue();
        return buttons == Buttons::Ok ? Answer::Ok : Answer::Cancel;
    }

    bool numericInput(const QString &prompt, const QString &label, const QString &defaultText, const QString &title,
                      QString &entered) override
    {
        return input(QStringLiteral("numeric"), prompt, label, defaultText, title, entered);
    }

    bool textInput(const QString &prompt, const QString &label, const QString &defaultText, const QString &title,
                   QString &entered) override
    {
        return input(QStringLiteral("text"), prompt, label, defaultText, title, entered);
    }

    QString openFile(const FileRequest &request) override { return file(QStringLiteral("open"), request); }
    QString saveFile(const FileRequest &request) override { return file(QStringLiteral("save"), request); }

    bool printDialog(QPrinter &) override
    {
        Call c;
        c.kind = QStringLiteral("print");
        calls << c;
        return prints.isEmpty() ? false : prints.dequeue();
    }

    // The texts of the message boxes shown so far.
    QStringList messages() const
    {
        QStringList out;
        for (const Call &c : calls)
            if (c.kind == QLatin1String("message"))
                out << c.text;
        return out;
    }

    // Installs a fresh double as the program's prompter and returns it.
    static std::shared_ptr<ScriptedPrompter> install()
    {
        auto p = std::make_shared<ScriptedPrompter>();
        Set_Prompter(p);
        return p;
    }

private:
    bool input(const QString &kind, const QString &prompt, const QString &label, const QString &defaultText,
               const QString &title, QString &entered)
    {
        Call c;
        c.kind = kind;
        c.text = prompt;
        c.label = label;
        c.defaultText = defaultText;
        c.title = title;
        calls << c;
        if (inputs.isEmpty())
            return false;
        const std::optional<QString> next = inputs.dequeue();
        if (!next)
            return false;
        entered = *next;
        return true;
    }

    QString file(const QString &kind, const FileRequest &request)
    {
        Call c;
        c.kind = kind;
        c.title = request.title;
        c.file = request;
        calls << c;
        return files.isEmpty() ? QString() : files.dequeue();
    }
};
