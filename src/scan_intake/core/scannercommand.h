#pragma once

#include <QString>
#include <QStringList>

struct ScriptRecord;

// How one scan starts its scanner program: the program and its arguments
// (each name, folder or path one argument, never through a shell) in a
// working folder, and the lines of "Scanner.Bat" that record the command as
// the clinic's scanner set-up has always written it. The batch file is
// written for the record and never run.
struct ScannerCommand
{
    QString program;
    QStringList arguments;
    QString workingFolder;
    QStringList batchLines;
    QString waitingFor; // what the wait window names
};

// The Ruru-Zirorur scan of ScanWrlName into ScannerDataFolder:
// <program> <folder><name>.Wrl -x, started in the working folder. Sets
// ScannerArguments to the argument part of the recorded line.
ScannerCommand Ruru_Scanner_Command(ScriptRecord &job);

// The LSR scan: <program> -s <first name> <surname> <gender code>
// 000000000000 -n <data folder>, started in the LSR program's "Bin" folder.
// Sets ScannerArguments.
ScannerCommand Lsr_Scanner_Command(ScriptRecord &job);

// The Pellmar scanner control program, without arguments, started in the
// Pellmar data store folder.
ScannerCommand Pellmar_Scanner_Command(const ScriptRecord &job);

// "0" when Gender is exactly "Male" (case counted), else "1".
QString Scanner_Gender_Code(const QString &gender);

// Writes "Scanner.Bat" in the working folder afresh (CR LF, through
// QSaveFile). A failure leaves the old file and throws.
void Write_Scanner_Bat(const ScannerCommand &command);

struct ScannerRunResult
{
    bool stopped = false; // the user stopped waiting; the run left what it left
};

// One scan: a short pause, the program run to its end while the windows
// keep painting (with "Stop Waiting"), another pause. A program that cannot
// be started throws SolvaneError.
ScannerRunResult Run_Scanner(const ScannerCommand &command);
