#include "shellservices.h"

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
