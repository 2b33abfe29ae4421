#include "companionstart.h"

#include "errors.h"
#include "helperprogram.h"
#include "jobpolicy.h"
#include "messagetext.h"
#include "paths.h"
#include "prompter.h"
#include "runandwait.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "windowfinder.h"

#include <QCoreApplication>
#include <QDir>

void End_Program_For_Companion()
{
    QCoreApplication::exit(0);
}

CompanionStart Run_Companion(const ScriptRecord &job, const JobPolicy &policy, const std::function<void()> &endProgram)
{
    const auto info = Prompter::Icon::Information;
    const QString program = Helper_Program_File(policy.companionProgram);
    if (program.isEmpty()) {
        if (!policy.companionMissingMessage.isEmpty())
            UI().message(policy.companionMissingMessage, QStringLiteral("Information"), info);
        return CompanionStart::NotStarted;
    }
    if (!File_Exists(job.CsvFile)) {
        UI().message(QStringLiteral("CSVname Was Not Found"), policy.companionTitle, info);
        return CompanionStart::NotStarted;
    }
    FoundWindow running;
    if (Find_Window(running, policy.companionWindowText)) {
        UI().message(
            Message_Lines({QStringLiteral("We Cannot Start ") + policy.companionWindowText + QStringLiteral("..."),
                           QString(), QStringLiteral("It is Already Running.")}),
            QStringLiteral("Warning"), info);
        return CompanionStart::NotStarted;
    }
    try {
        Run_And_Wait_Idle(program, {QDir::toNativeSeparators(job.CsvFile)}, {Paths::root(), {}});
    } catch (const SolvaneError &error) {
        Show_Error(error.description());
        return CompanionStart::NotStarted;
    }
    Wait_Milliseconds(500);
    if (endProgram)
        endProgram();
    return CompanionStart::Started;
}

CompanionStart Run_Veltrane(const ScriptRecord &job, const std::function<void()> &endProgram)
{
    return Run_Companion(job, Soft_Job_Policy(), endProgram);
}

CompanionStart Run_Rigids(const ScriptRecord &job, const std::function<void()> &endProgram)
{
    return Run_Companion(job, Rigid_Job_Policy(), endProgram);
}
