#include "shellservices.h"

#include "numbers.h"

namespace {
ShellServices *g_shell = nullptr;
}

ShellServices *Shell()
{
    return g_shell;
}
void Set_Shell(ShellServices *shell)
{
    g_shell = shell;
}

int First_Size_At_Least(const QStringList &entries, double size)
{
    for (int i = 0; i < entries.size(); ++i) {
        if (num::leadingNumber(entries[i]) >= size)
            return i;
    }
    return -1;
}
