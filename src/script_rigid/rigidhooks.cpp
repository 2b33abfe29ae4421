#include "rigidhooks.h"

#include "scriptform2.h"

namespace {

std::shared_ptr<RigidJobCommands> &jobCommands()
{
    static std::shared_ptr<RigidJobCommands> commands;
    return commands;
}

class StandInDrawingPane : public RigidDrawingPane
{
public:
    void Load_Vec_File(ScriptForm2 &form) override { form.showDrawingMessage(QStringLiteral("Ready")); }
    void Save_Image(ScriptForm2 &) override {}
    void Insert_Foot_Block(ScriptForm2 &, const QString &, double, double, double, double) override {}
};

std::shared_ptr<RigidDrawingPane> &drawingPane()
{
    static std::shared_ptr<RigidDrawingPane> pane = std::make_shared<StandInDrawingPane>();
    return pane;
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

RigidDrawingPane &Rigid_Drawing_Pane()
{
    return *drawingPane();
}

void Set_Rigid_Drawing_Pane(std::shared_ptr<RigidDrawingPane> pane)
{
    drawingPane() = pane ? std::move(pane) : std::make_shared<StandInDrawingPane>();
}
