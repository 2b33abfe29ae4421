#pragma once

#include "intakevariants.h"

#include <QString>
#include <QStringList>

struct ScriptRecord;

// The scanner values an intake window loads from "MiniScanner.Cfg" or
// "Pellmar.Cfg". Each window keeps its own and puts them into the job at
// each scan, so a window left open never scans with the program or folder
// that a window of another scanner loaded later.
struct ScannerSettings
{
    IntakeScanner scanner = IntakeScanner::RuruZirorur;
    QString program; // ScannerProgram, as this machine starts it
    QString dataFolder; // ScannerDataFolder (the drop folder for Pellmar)
    QString scanDestFolder; // Pellmar: the job folder, DataFolder without its final separator
};

// The configuration files' own lines, as a Windows machine writes them.
struct ScannerConfigDefaults
{
    QString fileName; // "MiniScanner.Cfg" or "Pellmar.Cfg"
    QString program; // line 1 when the file is created
    QString dataFolder; // line 2 when the file is created
};

// The defaults that the first window of a scanner to load writes.
ScannerConfigDefaults Scanner_Config_Defaults(IntakeScanner scanner);

// The window's load step: reads the scanner's configuration file from the
// working folder, or creates it with the window's defaults when it is
// missing. A file of fewer than two lines, or one that cannot be read, keeps
// the defaults for what it lacks and is left as it is. Paths are mapped
// for this machine (From_Windows_Path); a value in double quotes loses them.
// The Ruru-Zirorur windows discard line 2 (they scan into the job folder);
// the Pellmar windows take ScanDestFolder from the job's DataFolder and join
// a drop folder without a final separator with one.
// Also puts the values into the job (ScannerProgram, ScannerDataFolder and,
// for Pellmar, ScanDestFolder) as the load always did.
ScannerSettings Load_Scanner_Settings(IntakeScanner scanner, ScriptRecord &job);

// At each scan: the window's own values into the job. The Ruru-Zirorur
// windows scan into the job folder of that moment: CurrentFolder and "/".
void Put_Scanner_Settings(const ScannerSettings &settings, ScriptRecord &job);
