#pragma once

#include <QString>
#include <QStringList>

#include "mainconfig.h" // User_List_Names

struct ScriptRecord;
class InstanceLock;

// The start-up of the program without its window: it reads the command line
// and the configuration files of the working folder into the job state, and
// tells the main window what to show. Messages go through the prompter.

namespace StartupText {
inline const QString kTitle = QStringLiteral("Solvane");
inline const QString kAlreadyRunning = QStringLiteral("The SOLVANE Application is Already Running");
// The missing user folder message, around the folder's path.
QString userFolderMissing(const QString &folder);
QString noDataRoot();
inline const QString kReady = QStringLiteral("Ready");
} // namespace StartupText

// The switches are compared with the whole command line, so "-d -n" is
// neither of them.
struct StartupSwitches
{
    bool keepWorkingFiles = false; // "-d"
    bool nasMode = false; // "-n"
};

// The command line after the program name, its arguments joined with blanks.
QString Startup_Command_Line(const QStringList &arguments);
StartupSwitches Parse_Startup_Switches(const QString &commandLine);

// "FSmenu.Cfg" line 4 into ArchiveFolder; the default archive folder when the
// file or its line 4 is missing or empty.
void Read_Network(ScriptRecord &job);

// "NAS.Cfg" line 1; DataFolder when the file or its line 1 is missing or empty.
QString Read_Nas_Folder(const ScriptRecord &job);

// The size chart restored to the built-in one, with the first size of each
// list taken as the foot size and its lengths.
void Reset_Sizes_To_Default(ScriptRecord &job);

// A folder as the folder list reports its path: without a trailing separator.
QString Folder_List_Path(const QString &folder);

enum class StartupOutcome {
    Ready, // the main window shows the job workspace
    AlreadyRunning, // another copy holds the working folder: this one ends
    NoDataRoot, // the data folder of the working folder is missing: the program ends
};

struct StartupResult
{
    StartupOutcome outcome = StartupOutcome::Ready;
    // The main configuration file existed: the user list and "Tools" are enabled.
    bool configFound = false;
};

// Runs the start-up steps on the job state in their fixed order, up to (not
// including) what only the window can do: filling the user list, pointing the
// folder list at DataFolder and showing "Ready". CurrentFolder is set as the
// folder list will report it.
StartupResult Run_Startup(ScriptRecord &job, const QString &commandLine, InstanceLock &lock);
