#include "blocklibrary.h"

#include "drawingstate.h"
#include "errors.h"
#include "numbers.h"
#include "paths.h"
#include "shellhelpers.h"
#include "textfile.h"

#include <algorithm>

namespace {

QString libraryPath(const QString &folder, const QString &entry)
{
    const QString name = Get_File_Name(entry.trimmed());
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return {};
    const QString dir = Resolve_Path_Nocase(Paths::root(), folder);
    const QString inside = dir.isEmpty() ? Paths::file(folder) : dir;
    const QString found = Resolve_Path_Nocase(inside, name);
    return found.isEmpty() ? Join_Path(inside, name) : found;
}

} // namespace

void Read_Block_Library(DrawingState &state)
{
    state.BlockCount = 0;
    state.BlockFiles.clear();
    state.BlockIcons.clear();
    state.BlockLabels.clear();

    const QString path = Resolve_Path_Nocase(Paths::root(), QStringLiteral("Graphics.Lib"));
    if (path.isEmpty())
        return;
    QStringList lines;
    try {
        lines = textfile::readLines(path);
    } catch (const SolvaneError &) {
        return;
    }
    if (lines.isEmpty())
        return;
    QString head = lines.first();
    const int count = num::roundHalfEven(num::leadingNumber(Get_Token_Comma(head)));
    const int present = std::min<qsizetype>(count, lines.size() - 1);
    for (int i = 1; i <= present; ++i) {
        QString rest = lines[i];
        state.BlockFiles << Get_Token_Comma(rest);
        state.BlockIcons << Get_Token_Comma(rest);
        state.BlockLabels << Get_Token_Comma(rest);
    }
    state.BlockCount = int(state.BlockFiles.size());
}

QString Block_File_Path(const QString &entry)
{
    return libraryPath(QStringLiteral("Blocks"), entry);
}

QString Icon_File_Path(const QString &entry)
{
    return libraryPath(QStringLiteral("Icons"), entry);
}
