#pragma once

#include "entity.h"

#include <QString>

namespace cad {
class Drawing;
}

// The three places that host a drawing: the Graphic Screen (G) and the
// insole panes of the soft (S) and rigid (R) prescription windows. Their
// set-ups differ in named respects (drawingsetup.h).
enum class DrawingHostKind { Graphic, Soft, Rigid };

// What the drawing logic needs of a window that hosts a drawing. The window
// (or a test's recording host) implements it; the logic never touches a
// widget.
class DrawingHost
{
public:
    explicit DrawingHost(DrawingHostKind kind)
        : m_kind(kind)
    {}
    virtual ~DrawingHost() = default;

    DrawingHostKind kind() const { return m_kind; }

    virtual cad::Drawing &drawing() = 0;

    // Runs a drawing command by its number (102 "Zoom Extents", 205 "Line",
    // ...) on this host's view.
    virtual void runCommand(int number) = 0;

    // The host's text lines: the message line (the Graphic Screen's status
    // panel 3, "Label43" or "rLabel43"), the pointer's X and Y lines and the
    // foot size line.
    virtual void showMessage(const QString &text) = 0;
    virtual void showX(const QString &text) = 0;
    virtual void showY(const QString &text) = 0;
    virtual void showSize(const QString &text) = 0;

    // Repaints the view after the drawing changed.
    virtual void redraw() = 0;

    // The window's caption; only the Graphic Screen's set-up sets one.
    virtual void setCaption(const QString &) {}

    // The photo this host's set-up placed: its raster (0 for none) and the
    // file it came from. Each host keeps its own, whatever another host
    // placed since.
    cad::Handle rasterEntity = 0;
    QString imageFile;

private:
    DrawingHostKind m_kind;
};
