#include "insolepanes.h"

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
    return finder() ? finder()(Job().EvaScriptFlag) : nullptr;
}

void Set_Insole_Pane_Finder(std::function<InsolePaneTarget *(bool soft)> f)
{
    finder() = std::move(f);
}
