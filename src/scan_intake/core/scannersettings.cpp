#include "scannersettings.h"

#include "errors.h"
#include "paths.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "textfile.h"

#include <QFileInfo>

namespace {

// A path a user may have put in quotes, as a command line needs it when it
// holds blanks; the program is started without a command line, so the
// quotes would only be part of the name.
QString unquoted(const QString &value)
{
    const QString trimmed = value.trimmed();
    if (trimmed.size() >= 2 && trimmed.startsWith(u'"') && trimmed.endsWith(u'"'))
        return trimmed.mid(1, trimmed.size() - 2);
    return value;
}

QString withFinalSeparator(const QString &folder)
{
    if (folder.isEmpty() || folder.endsWith(u'/') || folder.endsWith(u'\\'))
        return folder;
    return folder + u'/';
}

QString ruruDataFolder(const ScriptRecord &job)
{
    return job.CurrentFolder + u'/';
}

} // namespace

ScannerConfigDefaults Scanner_Config_Defaults(IntakeScanner scanner)
{
    switch (scanner) {
    case IntakeScanner::Lsr:
        return {QStringLiteral("MiniScanner.Cfg"), QStringLiteral("C:\\LSR 3D Foot Scan\\Bin\\LSR_3D_Foot_Scan.exe"),
                QStringLiteral("C:\\3DEriruvu\\Data\\LSR_Scanner\\")};
    case IntakeScanner::Pellmar:
        return {QStringLiteral("Pellmar.Cfg"),
                QStringLiteral("C:\\KOVA_Datastore\\PellmarBrennickScannerControlPopUp.V0.99b.exe"),
                QStringLiteral("C:\\KOVA_Datastore\\DataDrop\\")};
    case IntakeScanner::General:
    case IntakeScanner::RuruZirorur: break;
    }
    return {QStringLiteral("MiniScanner.Cfg"), QStringLiteral("C:\\Scansoft\\Bin\\Scansoft.exe"),
            QStringLiteral("C:\\3DEriruvu\\Data\\")};
}

ScannerSettings Load_Scanner_Settings(IntakeScanner scanner, ScriptRecord &job)
{
    const ScannerConfigDefaults defaults = Scanner_Config_Defaults(scanner);
    QString program = defaults.program;
    QString dataFolder = defaults.dataFolder;

    const QString found = Resolve_Path_Nocase(Paths::root(), defaults.fileName);
    if (!found.isEmpty() && QFileInfo(found).isFile()) {
        try {
            const QStringList lines = textfile::readLines(found);
            // What the file lacks (a line, or a value on it) keeps its default.
            if (!lines.isEmpty() && !lines[0].trimmed().isEmpty())
                program = unquoted(lines[0]);
            if (lines.size() >= 2 && !lines[1].trimmed().isEmpty())
                dataFolder = unquoted(lines[1]);
        } catch (const std::exception &) {
            // An unreadable file is left alone; the defaults serve meanwhile.
        }
    } else if (found.isEmpty()) {
        // A working folder that cannot take the file still lets the window
        // open with its defaults; the status line says why nothing was kept.
        try {
            textfile::writeLines(Paths::file(defaults.fileName), {program, dataFolder});
        } catch (const SolvaneError &error) {
            Set_Status(QStringLiteral("Error: ") + error.description());
        }
    }

    ScannerSettings settings;
    settings.scanner = scanner;
    settings.program = From_Windows_Path(program);
    settings.dataFolder = From_Windows_Path(dataFolder);
    if (scanner == IntakeScanner::Pellmar) {
        settings.dataFolder = withFinalSeparator(settings.dataFolder);
        settings.scanDestFolder = job.DataFolder;
        if (settings.scanDestFolder.endsWith(u'/') || settings.scanDestFolder.endsWith(u'\\'))
            settings.scanDestFolder.chop(1);
    }
    Put_Scanner_Settings(settings, job);
    return settings;
}

void Put_Scanner_Settings(const ScannerSettings &settings, ScriptRecord &job)
{
    job.ScannerProgram = settings.program;
    job.ScannerDataFolder = settings.scanner == IntakeScanner::RuruZirorur ? ruruDataFolder(job) : settings.dataFolder;
    if (settings.scanner == IntakeScanner::Pellmar)
        job.ScanDestFolder = settings.scanDestFolder;
}
