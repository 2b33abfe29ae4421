#include "namelists.h"

#include "errors.h"
#include "mainconfig.h"
#include "paths.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "textfile.h"

QStringList Read_Name_List(const QString &path)
{
    QStringList lines;
    try {
        lines = textfile::readLines(path);
    } catch (const SolvaneError &) {
        return {};
    }
    QStringList names;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        if (lines[i] == QLatin1String("End"))
            break;
        names << lines[i];
    }
    return names;
}

QStringList Name_List_Items(const QString &fileName)
{
    const QString path = Resolve_Path_Nocase(Paths::root(), fileName);
    QStringList names = path.isEmpty() ? QStringList() : Read_Name_List(path);
    if (names.isEmpty())
        names << QString::fromLatin1(kNoNamesAvailable);
    return names;
}

QStringList User_Combo_Names(const ScriptRecord &job)
{
    return User_List_Names(job);
}
