#pragma once

#include "drawingpanetab.h"

#include <QStringList>

// The drawing pane of a prescription window tested without the drawing
// tools: counts the pane's rebuilds and notes its other steps.
class CountingPane : public DrawingPaneHook
{
public:
    int loads = 0;
    QStringList messages;
    void Load_Vec_File(DrawingPaneTab &) override { ++loads; }
    void Save_Image(DrawingPaneTab &) override { messages << QStringLiteral("Save_Image"); }
    void Insert_Foot_Block(DrawingPaneTab &, const QString &, double, double, double, double) override
    {
        messages << QStringLiteral("Insert_Foot_Block");
    }
};
