#include "rigidhooks.h"

#include "scriptform2.h"

namespace {

std::shared_ptr<RigidJobCommands> &jobCommands()
{
    static std::shared_ptr<RigidJobCommands> commands;
    return commands;
}

} // namespace

RigidJobCommands *Rigid_Job_Commands()
{
    return jobCommands().get();
}

void Set_Rigid_Job_Commands(std::shared_ptr<RigidJobCommands> commands)
{
    jobCommands() = std::move(commands);
}
