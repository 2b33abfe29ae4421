#include "runandwait.h"

#include "errors.h"
#include "messagetext.h"
#include "prompter.h"
#include "waitdialog.h"

#include <QApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QPointer>
#include <QProcess>
#include <QTimer>

namespace {

constexpr int kStartTimeoutMs = 30000;
constexpr int kTerminateGraceMs = 3000;

void prepare(QProcess &process, const QString &program, const QStringList &arguments, const RunOptions &options)
{
    process.setProgram(program);
    process.setArguments(arguments);
    if (!options.workingFolder.isEmpty())
        process.setWorkingDirectory(options.workingFolder);
    // Nobody reads the program's output; let it go where ours goes, so a
    // talkative program never blocks on a full pipe.
    process.setProcessChannelMode(QProcess::ForwardedChannels);
}

[[noreturn]] void cannotStart(const QString &program, const QString &why)
{
    throw SolvaneError(ErrorNumber::FileNotFound,
                       QStringLiteral("Cannot start ") + program + QStringLiteral(": ") + why);
}

QString describe(const QString &program, const RunOptions &options)
{
    return options.waitingFor.isEmpty() ? QFileInfo(program).fileName() : options.waitingFor;
}

} // namespace

RunResult Run_And_Wait(const QString &program, const QStringList &arguments, const RunOptions &options)
{
    QProcess process;
    prepare(process, program, arguments, options);
    process.start();
    if (!process.waitForStarted(kStartTimeoutMs))
        cannotStart(program, process.errorString());
    process.closeWriteChannel(); // a program that reads its input sees the end, not a wait

    RunResult result;
    if (qobject_cast<QApplication *>(QCoreApplication::instance())) {
        const QString what = describe(program, options);
        QEventLoop loop;
        QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);

        WaitDialog dialog(what, QApplication::activeWindow());
        QTimer forceKill;
        forceKill.setSingleShot(true);
        QObject::connect(&forceKill, &QTimer::timeout, &process, &QProcess::kill);
        bool asking = false;
        QObject::connect(&dialog, &WaitDialog::stopRequested, &dialog, [&] {
            if (asking || result.stopped)
                return;
            asking = true;
            const Prompter::Answer answer = UI().message(
                Message_Lines({QStringLiteral("Stop waiting for ") + what + u'?', QString(),
                               QStringLiteral("The program will be ended, and what it was doing will not be used.")}),
                QStringLiteral("Stop Waiting"), Prompter::Icon::Question, Prompter::Buttons::YesNo);
            asking = false;
            if (answer != Prompter::Answer::Yes || process.state() == QProcess::NotRunning)
                return;
            result.stopped = true;
            process.terminate();
            forceKill.start(kTerminateGraceMs);
        });

        if (process.state() != QProcess::NotRunning) {
            dialog.show();
            loop.exec();
        }
        dialog.hide();
    } else {
        process.waitForFinished(-1);
    }
    if (process.state() != QProcess::NotRunning)
        process.waitForFinished(-1);

    result.crashed = !result.stopped && process.exitStatus() == QProcess::CrashExit;
    result.exitCode = process.exitCode();
    return result;
}

qint64 Run_And_Wait_Idle(const QString &program, const QStringList &arguments, const RunOptions &options)
{
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    if (!options.workingFolder.isEmpty())
        process.setWorkingDirectory(options.workingFolder);
    qint64 pid = 0;
    if (!process.startDetached(&pid))
        cannotStart(program, process.errorString());
    return pid;
}
