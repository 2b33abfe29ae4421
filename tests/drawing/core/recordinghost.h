#pragma once

#include "drawing.h"
#include "drawinghost.h"

#include <QStringList>
#include <QVector>

// A drawing host for tests: a real drawing, and a record of every command,
// line and redraw the logic asked of its window.
class RecordingHost : public DrawingHost
{
public:
    explicit RecordingHost(DrawingHostKind kind)
        : DrawingHost(kind)
    {}

    cad::Drawing model;
    QVector<int> commands;
    QStringList log; // everything in order: "command 102", "redraw", "message Ready", ...
    QString message, x, y, size, caption;
    int redraws = 0;

    cad::Drawing &drawing() override { return model; }
    void runCommand(int number) override
    {
        commands << number;
        log << QStringLiteral("command %1").arg(number);
    }
    void showMessage(const QString &text) override
    {
        message = text;
        log << QStringLiteral("message ") + text;
    }
    void showX(const QString &text) override
    {
        x = text;
        log << QStringLiteral("x ") + text;
    }
    void showY(const QString &text) override
    {
        y = text;
        log << QStringLiteral("y ") + text;
    }
    void showSize(const QString &text) override
    {
        size = text;
        log << QStringLiteral("size ") + text;
    }
    void redraw() override
    {
        ++redraws;
        log << QStringLiteral("redraw");
    }
    void setCaption(const QString &text) override
    {
        caption = text;
        log << QStringLiteral("caption ") + text;
    }
};
