#pragma once

#include <QString>
#include <QStringList>

// Outside programs (senders, companion viewers, scanner software) are started
// with a program and an argument list, never through a shell or a command
// text: each name or path is one argument, blanks and quotes included.

struct RunOptions
{
    QString workingFolder; // empty: the program's own current folder
    QString waitingFor; // shown while waiting ("Waiting for <this>..."); default: the program's file name
};

struct RunResult
{
    bool stopped = false; // the user chose "Stop Waiting" and the program was ended
    bool crashed = false; // the program ended abnormally (killed, crashed)
    int exitCode = 0; // meaningful when neither flag is set
};

// Starts the program and returns when it has ended.
//
// While it runs, a small modal window "Waiting" names what it waits for and
// offers "Stop Waiting": the program's windows keep painting, but take no
// other input. "Stop Waiting" asks first; on Yes the program is ended and the
// result says `stopped`, and the caller goes on as for a run that left no
// output. Without a QApplication (command-line tools) it simply waits.
//
// A program that cannot be started raises SolvaneError ("Cannot start ...").
RunResult Run_And_Wait(const QString &program, const QStringList &arguments, const RunOptions &options = {});

// Starts the program on its own (it keeps running after this returns, and
// after the program ends) and returns its process id as soon as it has
// started. A program that cannot be started raises SolvaneError.
qint64 Run_And_Wait_Idle(const QString &program, const QStringList &arguments, const RunOptions &options = {});
