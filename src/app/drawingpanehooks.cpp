#include "drawingpanehooks.h"

#include "imageburn.h"
#include "insolepane.h"
#include "insolepanes.h"
#include "rigidhooks.h"
#include "scriptform1.h"
#include "scriptform2.h"
#include "softhooks.h"
#include "windowregistry.h"

#include <memory>

namespace {

// Both windows' hooks have the same methods; the pane lives in the tab the
// window hands over.
template <typename Hook, typename Form, DrawingHostKind Kind>
class PaneHook : public Hook
{
public:
    void Load_Vec_File(Form &form) override { pane(form).Load_Vec_File(); }
    void Save_Image(Form &form) override { pane(form).Save_Image(); }
    void Insert_Foot_Block(Form &form, const QString &blockFile, double x, double y, double z, double scale) override
    {
        pane(form).Insert_Foot_Block(blockFile, x, y, z, scale);
    }

private:
    static InsolePane &pane(Form &form) { return InsolePane::In(form.drawingPaneTab(), Kind); }
};

} // namespace

void Install_Insole_Panes()
{
    Set_Soft_Drawing_Pane(std::make_shared<PaneHook<SoftDrawingPane, ScriptForm1, DrawingHostKind::Soft>>());
    Set_Rigid_Drawing_Pane(std::make_shared<PaneHook<RigidDrawingPane, ScriptForm2, DrawingHostKind::Rigid>>());
    // No window is made to lend its drawing: a window that is not loaded
    // has no pane.
    Set_Insole_Pane_Finder([](bool soft) -> InsolePaneTarget * {
        if (!Windows().isLoaded(soft ? QStringLiteral("ScriptForm1") : QStringLiteral("ScriptForm2")))
            return nullptr;
        return InsolePane::Existing(soft ? DrawingHostKind::Soft : DrawingHostKind::Rigid);
    });
    Install_Graphic_Screen_Burn();
    Register_Insole_Pane_Windows();
}
