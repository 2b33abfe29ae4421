#include "rigidtables.h"

#include "countedsections.h"
#include "errors.h"
#include "paths.h"
#include "prompter.h"
#include "rigidgrid.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "textfile.h"

#include <QDir>

namespace {

QStringList readOrReport(const QString &path, bool &ok)
{
    ok = false;
    try {
        QStringList lines = textfile::readLines(path);
        ok = true;
        return lines;
    } catch (const SolvaneError &error) {
        // The window must still open; the tables keep what they held.
        Show_Error(error.description());
        return {};
    }
}

} // namespace

bool Read_Tables_Rigids(ScriptRecord &job)
{
    job.RigidTablesLoadedFlag = false;
    const QString name = QString::fromLatin1(kRigidTableName);
    const QString path = Resolve_Path_Nocase(Paths::root(), name);
    if (path.isEmpty()) {
        UI().message(QStringLiteral("The File %1 Was Not Found").arg(QDir::toNativeSeparators(Paths::file(name))),
                     QStringLiteral("Table"), Prompter::Icon::Warning, Prompter::Buttons::Ok);
        return false;
    }
    bool ok = false;
    const QStringList lines = readOrReport(path, ok);
    if (!ok)
        return false;

    const CountedSections parsed = Parse_Counted_Sections(lines, 4);
    job.ShellStyleTable = parsed.sections[0];
    job.ShellMaterialTable = parsed.sections[1];
    job.RigidTopCoverTable = parsed.sections[2];
    job.RigidInsoleOptionTable = parsed.sections[3];
    job.ShellStyleTableCount = int(job.ShellStyleTable.size());
    job.ShellMaterialTableCount = int(job.ShellMaterialTable.size());
    job.RigidTopCoverTableCount = int(job.RigidTopCoverTable.size());
    job.RigidInsoleOptionTableCount = int(job.RigidInsoleOptionTable.size());
    job.RigidTablesLoadedFlag = true;
    return true;
}

void Read_Help_Links(QStringList &helpLinks)
{
    helpLinks.resize(RigidGrid::RowCount);
    const QString path = Resolve_Path_Nocase(Paths::root(), QString::fromLatin1(kHelpLinksName));
    if (path.isEmpty()) {
        helpLinks.fill(QString());
        return;
    }
    bool ok = false;
    const QStringList lines = readOrReport(path, ok);
    if (!ok || lines.isEmpty())
        return;

    const int count = Section_Count(lines[0]);
    for (int i = 1; i <= count && i < lines.size(); ++i) {
        if (lines[i] == QLatin1String("End"))
            break;
        if (i > RigidGrid::RowCount)
            break; // no row to link
        QString rest = lines[i];
        Get_Token_Comma(rest); // the key
        helpLinks[i - 1] = Get_Token_Comma(rest);
    }
}
