#include "drawingpanehooks.h"

#include "drawingpanetab.h"
#include "imageburn.h"
#include "insolepane.h"
#include "insolepanes.h"
#include "windowregistry.h"

#include <memory>

namespace {

// The pane lives in the tab the window hands over.
class PaneHook : public DrawingPaneHook
{
public:
    void Load_Vec_File(DrawingPaneTab &tab) override { pane(tab).Load_Vec_File(); }
    void Save_Image(DrawingPaneTab &tab) override { pane(tab).Save_Image(); }
    void Insert_Foot_Block(DrawingPaneTab &tab, const QString &blockFile, double x, double y, double z,
                           double scale) override
    {
        pane(tab).Insert_Foot_Block(blockFile, x, y, z, scale);
    }

private:
    static InsolePane &pane(DrawingPaneTab &tab)
    {
        return InsolePane::In(tab, tab.window == DrawingPaneTab::Window::Rigid ? DrawingHostKind::Rigid
                                                                               : DrawingHostKind::Soft);
    }
};

} // namespace

void Install_Insole_Panes()
{
    Set_Drawing_Pane_Hook(std::make_shared<PaneHook>());
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
