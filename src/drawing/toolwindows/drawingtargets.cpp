#include "drawingtargets.h"

#include "graphicform.h"
#include "insolepanes.h"
#include "prompter.h"
#include "windowregistry.h"

DrawingTarget Find_Drawing_Target(TargetRole role)
{
    if (role == TargetRole::GraphicScreen) {
        auto *form = qobject_cast<GraphicForm *>(Windows().loaded(QStringLiteral("GraphicForm")));
        return form ? DrawingTarget{form, form->view()} : DrawingTarget{};
    }
    InsolePaneTarget *pane = Active_Insole_Pane();
    return pane ? DrawingTarget{pane, &pane->view()} : DrawingTarget{};
}

void Say_Target_Not_Open(TargetRole role)
{
    if (role == TargetRole::InsolePane) {
        Say_Insole_Pane_Not_Open();
        return;
    }
    UI().message(QStringLiteral("The \"Graphic Screen\" window is not open."), QStringLiteral("Info"),
                 Prompter::Icon::Information);
}

WindowRegistry::Factory Target_Window_Factory(const QString &name, TargetRole role, std::function<QWidget *()> make)
{
    return [name, role, make = std::move(make)]() -> QWidget * {
        if (!Find_Drawing_Target(role)) {
            Say_Target_Not_Open(role);
            return nullptr;
        }
        QWidget *window = make();
        if (role == TargetRole::GraphicScreen)
            QObject::connect(Windows().loaded(QStringLiteral("GraphicForm")), &QObject::destroyed, window,
                             [name] { Windows().unload(name); });
        return window;
    };
}
