#include "startup.h"

#include "errors.h"
#include "instancelock.h"
#include "jobarchive.h"
#include "mainconfig.h"
#include "messagetext.h"
#include "numbers.h"
#include "paths.h"
#include "prompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "sizechart.h"
#include "textfile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// A settings file the installation provides, whatever the case of its name:
// they are copied in by hand on Windows, where "CAST.CFG" is "Cast.Cfg".
QString settingsFilePath(const QString &name)
{
    return Resolve_Path_Nocase(Paths::root(), name);
}

// The lines of an optional settings file; empty when it is missing. A file
// that exists but cannot be read is a failure of its own.
std::optional<QStringList> readSettingsFile(const QString &name)
{
    const QString path = settingsFilePath(name);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return std::nullopt;
    return textfile::readLines(path);
}

// Settings files written on a clinic PC name folders under "C:\3DEriruvu\".
QString settingsFolder(const QString &value)
{
    return From_Record_Path(value);
}

bool folderExists(const QString &folder)
{
    return !folder.isEmpty() && QFileInfo(folder).isDir();
}

void showWarning(const QString &text)
{
    UI().message(text, StartupText::kTitle, Prompter::Icon::Warning, Prompter::Buttons::Ok);
}

} // namespace

QString StartupText::userFolderMissing(const QString &folder)
{
    return Message_Lines({QStringLiteral("The User Data Directory "), QString(), Message_Path(folder), QString(),
                          QStringLiteral("Was Not Found.")});
}

QString StartupText::noDataRoot()
{
    return Message_Lines({QStringLiteral("The Default Data Directory Does Not Exist"),
                          QStringLiteral("Please Contact Brennick Orthotics")});
}

QString Startup_Command_Line(const QStringList &arguments)
{
    return arguments.mid(1).join(u' ');
}

StartupSwitches Parse_Startup_Switches(const QString &commandLine)
{
    StartupSwitches switches;
    switches.keepWorkingFiles = commandLine == QLatin1String("-d");
    switches.nasMode = commandLine == QLatin1String("-n");
    return switches;
}

void Read_Network(ScriptRecord &job)
{
    job.ArchiveFolder = Paths::defaultArchiveFolder();
    const auto lines = readSettingsFile(QStringLiteral("FSmenu.Cfg"));
    // Lines 1 to 3 belong to another program; only line 4 is ours.
    if (lines && lines->size() >= 4 && !lines->at(3).isEmpty())
        job.ArchiveFolder = settingsFolder(lines->at(3));
}

QString Read_Nas_Folder(const ScriptRecord &job)
{
    const auto lines = readSettingsFile(QStringLiteral("NAS.Cfg"));
    // An empty NAS line would put the job's PDFs at the top of the disk.
    if (lines && !lines->isEmpty() && !lines->first().isEmpty())
        return settingsFolder(lines->first());
    return job.DataFolder;
}

void Reset_Sizes_To_Default(ScriptRecord &job)
{
    Set_Default_Sizes(job);
    const QStringList sizes = Size_List_Texts(job);
    job.FootSizeL = sizes.value(0);
    job.FootSizeR = sizes.value(0);
    job.TemplateLengthL = Get_Template_Length(job, num::leadingNumber(job.FootSizeL));
    job.TemplateLengthR = Get_Template_Length(job, num::leadingNumber(job.FootSizeR));
    job.FootLengthL = Foot_Length_For(job.TemplateLengthL);
    job.FootLengthR = Foot_Length_For(job.TemplateLengthR);
}

QString Folder_List_Path(const QString &folder)
{
    return QDir::cleanPath(folder);
}

StartupResult Run_Startup(ScriptRecord &job, const QString &commandLine, InstanceLock &lock)
{
    StartupResult result;

    // A missing working folder cannot hold a lock; the data folder check
    // below tells the user what is wrong with it.
    if (lock.acquire() == InstanceLock::State::HeldByAnother) {
        UI().message(StartupText::kAlreadyRunning, StartupText::kTitle, Prompter::Icon::Information,
                     Prompter::Buttons::Ok);
        result.outcome = StartupOutcome::AlreadyRunning;
        return result;
    }
    // Holding the lock, no other copy can be writing an archive in this
    // working folder: its temporary files were left by a write that was
    // killed, and one of them may hold a whole job under a name no one sees.
    if (lock.isHeld()) {
        Remove_Stale_Archive_Parts(Paths::jobsFolder());
        Remove_Stale_Archive_Parts(Paths::defaultArchiveFolder());
    }

    job.LeftScanFileName = QStringLiteral("None");
    job.RightScanFileName = QStringLiteral("None");
    // Kept only when the configuration file is too short to supply them.
    job.ScannerId = QStringLiteral("0000");
    job.OperatorCode = QStringLiteral("Test");

    const StartupSwitches switches = Parse_Startup_Switches(commandLine);
    job.DeleteWorkingFilesFlag = !switches.keepWorkingFiles;

    Run_Command([&] { Read_Network(job); });

    job.DataFolder = Paths::dataFolderPrefix();
    job.CurrentFoot.clear();
    job.GraphicSelection.clear();

    // Until the file is read or made, the counter is no number of the clinic's.
    job.JobCounterFromConfig = false;
    std::optional<MainConfig> config;
    bool unreadable = false;
    try {
        config = Read_Main_Config();
    } catch (const SolvaneError &error) {
        // The file is there but cannot be read: it holds the job counter, so
        // it is never replaced by the defaults. This run goes on with them.
        Show_Error(error.description());
        unreadable = true;
    }
    if (config) {
        result.configFound = true;
        if (config->has(1))
            job.OperatorCode = config->line(1);
        if (config->has(2))
            job.ScannerId = config->line(2);
        job.JobCounterText = config->line(3);
        job.CurrentUser = config->line(4);
        job.UserList = config->userList();
        job.JobCounter = Counter_From_Text(job.JobCounterText);
        job.JobCounterFromConfig = true;
    } else if (!unreadable) {
        job.ScannerId = QStringLiteral("A0000");
        job.OperatorCode = QStringLiteral("VORMAK");
        job.JobCounterText.clear();
        job.JobCounter = 0;
        job.CurrentUser.clear();
        job.UserList.clear();
        // A failed write is reported and start-up goes on with the defaults.
        Run_Command([&job] {
            Create_Main_Config(QStringLiteral("A0000"));
            job.JobCounterFromConfig = true;
        });
    }

    if (!job.CurrentUser.isEmpty())
        job.DataFolder += job.CurrentUser + u'/';

    job.NasModeFlag = switches.nasMode;
    job.NasFolder.clear();
    if (switches.nasMode)
        Run_Command([&] { job.NasFolder = Read_Nas_Folder(job); });

    job.PdfFile = QStringLiteral("None");
    job.LeftScanFile = QStringLiteral("None");
    job.RightScanFile = QStringLiteral("None");
    job.LeftGraphicFile = QStringLiteral("None");
    job.RightGraphicFile = QStringLiteral("None");
    job.StlScanFlagL = job.StlScanFlagR = false;
    job.ObjScanFlagL = job.ObjScanFlagR = false;
    job.PreparedCsvFlag = false;

    Reset_Sizes_To_Default(job);

    job.CastModeFlag = !settingsFilePath(QStringLiteral("Cast.Cfg")).isEmpty();

    if (!folderExists(job.DataFolder)) {
        showWarning(StartupText::userFolderMissing(Paths::dataFolderPrefix() + job.CurrentUser));
        if (!folderExists(Paths::dataRoot())) {
            showWarning(StartupText::noDataRoot());
            result.outcome = StartupOutcome::NoDataRoot;
            return result;
        }
        job.DataFolder = Paths::dataRoot();
    }

    job.CurrentFolder = Folder_List_Path(job.DataFolder);
    return result;
}
