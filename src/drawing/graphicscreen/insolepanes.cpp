#include "insolepanes.h"

#include "programhooks.h"
#include "prompter.h"
#include "scriptrecord.h"

namespace {

std::function<InsolePaneTarget *(bool)> &finder()
{
    static std::function<InsolePaneTarget *(bool)> f;
    return f;
}

} // namespace

InsolePaneTarget *Active_Insole_Pane()
{
    Require_Hook(Insole_Pane_Finder_Installed(), QStringLiteral("the insole pane finder"));
    return finder()(Job().EvaScriptFlag);
}

bool Insole_Pane_Finder_Installed()
{
    return bool(finder());
}

void Set_Insole_Pane_Finder(std::function<InsolePaneTarget *(bool soft)> f)
{
    finder() = std::move(f);
}

void Say_Insole_Pane_Not_Open()
{
    const QString caption =
        Job().EvaScriptFlag ? QStringLiteral("EVA Orthotic Script File") : QStringLiteral("Rigid Orthotic Script File");
    UI().message(QStringLiteral("The \"%1\" window is not open.").arg(caption), QStringLiteral("Info"),
                 Prompter::Icon::Information);
}
