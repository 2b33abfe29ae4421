#pragma once

#include "commandengine.h"
#include "drawing.h"
#include "render.h"
#include "viewport.h"

#include <QPointF>
#include <QVector>
#include <QWidget>

#include <memory>

// The drawing control's face: a widget that paints its own drawing with
// cad::render(), y up, and runs drawing commands by number. Left clicks
// give points to the command in progress, the right button or Enter ends
// it, Esc cancels it, the wheel zooms about the pointer and the middle
// button drags the drawing along. Locked and hidden layers are never
// picked.
namespace cad {

class DrawingView : public QWidget
{
    Q_OBJECT
public:
    explicit DrawingView(QWidget *parent = nullptr);
    ~DrawingView() override;

    Drawing &drawing() { return m_drawing; }
    const Drawing &drawing() const { return m_drawing; }
    Viewport &viewport() { return m_viewport; }
    const Viewport &viewport() const { return m_viewport; }
    CommandEngine &engine() { return *m_engine; }

    QPointF toWorld(QPointF screen) const { return m_viewport.toWorld(screen); }
    QPointF toScreen(QPointF world) const { return m_viewport.toScreen(world); }

    // Runs drawing command `number` (CommandEngine) on this view and notes
    // the number in the view's log, known or not. A failure is shown as
    // "Error: ..." and the view goes on.
    void runCommand(int number);
    // Every number run on this view, in order.
    const QVector<int> &commandLog() const { return m_log; }
    int activeCommand() const { return m_engine->active(); }

    // Arms a pick for this view only: the next left click here gives
    // armedPick (once). Esc, any command or the view's end cancel it, with
    // pickCancelled. A running command is cancelled first.
    void armPick();
    bool pickIsArmed() const { return m_pickArmed; }
    void cancelPick();

    const QVector<Handle> &selection() const { return m_engine->selection(); }
    void setSelection(const QVector<Handle> &handles) { m_engine->setSelection(handles); }
    void clearSelection() { m_engine->clearSelection(); }

    // The pickable entity under a drawing point, within a few pixels.
    Handle entityAt(QPointF world) const;
    // How far a pick reaches, in pixels.
    static constexpr double kPickPixels = 5;

    QString prompt() const { return m_engine->prompt(); }
    // Whether the view paints the prompt along its bottom edge (hosts with
    // a prompt strip of their own switch it off). "Zoom Extents" keeps the
    // drawing above a prompt line that is shown.
    void setPromptLineShown(bool shown);
    int promptLineHeight() const;

    void setDialogs(std::shared_ptr<CommandDialogs> dialogs) { m_engine->setDialogs(std::move(dialogs)); }

    // Repaints after the drawing was changed from outside a command.
    void redraw();

signals:
    // Every left click, at its drawing point.
    void picked(QPointF world);
    void pointerMoved(QPointF world);
    void measured(double total, double last);
    void armedPick(QPointF world);
    void pickCancelled();
    void promptChanged(const QString &prompt);
    // The drawing's current layer is another than before, whichever step
    // made it current (a command, a tool or a redraw after a change).
    void currentLayerChanged(int layerId);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    double tolerance() const { return kPickPixels / m_viewport.scale(); }
    void noteCurrentLayer();
    void reserveForPromptLine();

    Drawing m_drawing;
    Viewport m_viewport;
    CommandEngine *m_engine;
    RasterCache m_rasters;
    QVector<int> m_log;
    bool m_pickArmed = false;
    bool m_promptShown = true;
    int m_currentLayer = 0;
    bool m_dragging = false;
    QPointF m_dragFrom;
    QPointF m_pointer; // screen
};

} // namespace cad
