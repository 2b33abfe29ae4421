#include "scannercommand.h"

#include "paths.h"
#include "runandwait.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "textfile.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kTwelveZeros = QStringLiteral("000000000000");

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// Where the batch file would "cd" to, as this machine has it; a folder that
// does not exist gives way to the program's own folder.
QString workingFolderFor(const QString &program, const QString &cdFolder)
{
    if (!cdFolder.isEmpty()) {
        const QString local = From_Windows_Path(cdFolder);
        if (QFileInfo(local).isDir())
            return local;
    }
    const QFileInfo programFile(program);
    if (!programFile.isAbsolute())
        return {};
    const QString own = programFile.absolutePath();
    return QFileInfo(own).isDir() ? own : QString();
}

QString cdLine(const QString &folder)
{
    return QStringLiteral("cd \"") + native(folder) + u'"';
}

} // namespace

QString Scanner_Gender_Code(const QString &gender)
{
    return gender == QLatin1String("Male") ? QStringLiteral("0") : QStringLiteral("1");
}

ScannerCommand Ruru_Scanner_Command(ScriptRecord &job)
{
    ScannerCommand command;
    command.program = job.ScannerProgram;
    const QString scanFile = job.ScannerDataFolder + job.ScanWrlName;
    command.arguments = {scanFile, QStringLiteral("-x")};
    command.workingFolder = workingFolderFor(command.program, QString());
    job.ScannerArguments = native(scanFile) + QStringLiteral(" -x");
    command.batchLines = {native(command.program) + u' ' + job.ScannerArguments};
    command.waitingFor = QStringLiteral("the MiniScanner (") + job.ScanWrlName + u')';
    return command;
}

ScannerCommand Lsr_Scanner_Command(ScriptRecord &job)
{
    static const QString cdFolder = QStringLiteral("C:\\LSR 3D Foot Scan\\Bin\\");
    ScannerCommand command;
    command.program = job.ScannerProgram;
    const QString code = Scanner_Gender_Code(job.Gender);
    command.arguments = {QStringLiteral("-s"), job.ClientFirstName,  job.ClientSurname,    code,
                         kTwelveZeros,         QStringLiteral("-n"), job.ScannerDataFolder};
    command.workingFolder = workingFolderFor(command.program, cdFolder);
    job.ScannerArguments = job.ClientFirstName + u' ' + job.ClientSurname + u' ' + code + u' ' + kTwelveZeros
                           + QStringLiteral(" -n ") + native(job.ScannerDataFolder);
    const QString recordedFolder =
        command.workingFolder.isEmpty() ? From_Windows_Path(cdFolder) : command.workingFolder;
    command.batchLines = {cdLine(recordedFolder),
                          native(command.program) + QStringLiteral(" -s ") + job.ScannerArguments};
    command.waitingFor = QStringLiteral("the LSR Scanner");
    return command;
}

ScannerCommand Pellmar_Scanner_Command(const ScriptRecord &job)
{
    static const QString cdFolder = QStringLiteral("C:\\KOVA_Datastore\\");
    ScannerCommand command;
    command.program = job.ScannerProgram;
    command.workingFolder = workingFolderFor(command.program, cdFolder);
    const QString recordedFolder =
        command.workingFolder.isEmpty() ? From_Windows_Path(cdFolder) : command.workingFolder;
    command.batchLines = {cdLine(recordedFolder), native(command.program)};
    command.waitingFor = QStringLiteral("the Pellmar Scanner");
    return command;
}

void Write_Scanner_Bat(const ScannerCommand &command)
{
    textfile::writeLines(Paths::file(QStringLiteral("Scanner.Bat")), command.batchLines);
}

ScannerRunResult Run_Scanner(const ScannerCommand &command)
{
    Wait_Milliseconds(500);
    RunOptions options;
    options.workingFolder = command.workingFolder;
    options.waitingFor = command.waitingFor;
    const RunResult result = Run_And_Wait(command.program, command.arguments, options);
    Wait_Milliseconds(500);
    ScannerRunResult out;
    out.stopped = result.stopped;
    return out;
}
