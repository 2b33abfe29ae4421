#include "rigidhooks.h"

#include "scriptform2.h"

#include "programhooks.h"

namespace {

std::shared_ptr<RigidJobCommands> &jobCommands()
{
    static std::shared_ptr<RigidJobCommands> commands;
    return commands;
}

} // namespace

RigidJobCommands &Rigid_Job_Commands()
{
    Require_Hook(Rigid_Job_Commands_Installed(), QStringLiteral("the rigid job commands"));
    return *jobCommands();
}

bool Rigid_Job_Commands_Installed()
{
    return jobCommands() != nullptr;
}

void Set_Rigid_Job_Commands(std::shared_ptr<RigidJobCommands> commands)
{
    jobCommands() = std::move(commands);
}
