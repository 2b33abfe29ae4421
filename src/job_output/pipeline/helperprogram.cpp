#include "helperprogram.h"

#include "paths.h"
#include "shellhelpers.h"

QString Helper_Program_File(const QString &name)
{
    const QString found = Resolve_Path_Nocase(Paths::root(), name);
    return File_Exists(found) ? found : QString();
}

QString Helper_Program_Path(const QString &name)
{
    const QString found = Helper_Program_File(name);
    return found.isEmpty() ? Paths::file(name) : found;
}
