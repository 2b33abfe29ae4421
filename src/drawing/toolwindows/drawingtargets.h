#pragma once

#include "windowregistry.h"

class DrawingHost;

namespace cad {
class DrawingView;
}

// The drawing a tool window acts on, found anew at every use and never
// created for it: the loaded Graphic Screen's (BlockForm1, ScaleForm) or the
// insole pane EvaScriptFlag names (palettes, BlockForm2, ScaleForm2).
enum class TargetRole { GraphicScreen, InsolePane };

struct DrawingTarget
{
    DrawingHost *host = nullptr;
    cad::DrawingView *view = nullptr;

    explicit operator bool() const { return host && view; }
};

// The target when its window is loaded; empty otherwise.
DrawingTarget Find_Drawing_Target(TargetRole role);

// `The "<caption>" window is not open.` (title "Info") for the target's
// window.
void Say_Target_Not_Open(TargetRole role);

// The registry's factory for a window that serves `role`: without the
// target's window it says so and makes nothing; a window serving the
// Graphic Screen is unloaded when the Graphic Screen goes.
WindowRegistry::Factory Target_Window_Factory(const QString &name, TargetRole role, std::function<QWidget *()> make);

// Registers a window class that serves both targets (constructed with its
// role) under its Graphic Screen name and its insole pane name.
template <typename Window>
void Register_Target_Twins(const QString &graphicName, const QString &paneName)
{
    Windows().registerFactory(graphicName, Target_Window_Factory(graphicName, TargetRole::GraphicScreen,
                                                                 [] { return new Window(TargetRole::GraphicScreen); }));
    Windows().registerFactory(paneName, Target_Window_Factory(paneName, TargetRole::InsolePane,
                                                              [] { return new Window(TargetRole::InsolePane); }));
}
