#pragma once

#include "commanddialogs.h"
#include "drawing.h"
#include "viewport.h"

#include <QObject>
#include <QPolygonF>
#include <QString>
#include <QVector>

#include <memory>

// The drawing commands, by number, as a drawing view runs them: each takes
// the points the user clicks (in drawing units), asks for texts and numbers
// through the program's prompter and opens its dialogs through
// CommandDialogs. One command runs at a time: a new one cancels the one in
// progress; Esc cancels it, Enter or a right click ends it (keeping what a
// polyline, spline, leader or selection has so far). Every change of the
// drawing is one undo step. No widgets: the view feeds it clicks and keys.
namespace cad {

class CommandEngine : public QObject
{
    Q_OBJECT
public:
    CommandEngine(Drawing &drawing, Viewport &viewport, QObject *parent = nullptr);

    // Whether the number is a command this engine runs.
    static bool knows(int number);

    // Starts command `number`, cancelling the one in progress. Commands
    // without points (zooms, undo, layers, print) are done at once. An
    // unknown number does nothing but say so in the prompt. May raise
    // SolvaneError (a printer that cannot start); the view reports it.
    void run(int number);
    // The command in progress, 0 for none.
    int active() const { return m_command; }

    // A left click at a drawing point; `tolerance` is the pick reach in
    // drawing units (a few pixels at the current zoom).
    void click(QPointF point, double tolerance);
    // Enter or a right click.
    void finish();
    // Esc, or command 911: nothing more of the command happens.
    void cancel();

    // What the command in progress would make with the pointer here, as
    // outlines in drawing units (the rubber band).
    QVector<QPolygonF> preview(QPointF pointer) const;
    QString prompt() const { return m_prompt; }

    const QVector<Handle> &selection() const { return m_selection; }
    void setSelection(const QVector<Handle> &handles);
    void clearSelection();

    bool polar() const { return m_polar; }

    void setDialogs(std::shared_ptr<CommandDialogs> dialogs) { m_dialogs = std::move(dialogs); }

signals:
    void promptChanged(const QString &prompt);
    // The drawing, the selection or the view changed: repaint.
    void changed();
    // Measure: the running total and the last length, after each point
    // but the first.
    void measured(double total, double last);

private:
    enum class Phase { Points, Selecting };

    void end();
    void setPrompt(const QString &text);
    void nextPrompt();
    QPointF polarAdjusted(QPointF point) const;
    bool needsSelection(int number) const;
    void selectionReady();
    void pickInto(QPointF point, double tolerance, bool toggle);
    void pruneSelection();

    void transformSelection(const Similarity &t, bool copy);
    void pointsDone();
    void makeText(QPointF at, bool multi);
    void scaleSelection(QPointF base);
    void eraseSelection();
    void explodeSelection();
    void editProperties();
    void editRaster();
    void editLayers();
    void editLayerOrder();
    void editTextStyle();
    void print();
    void finishPath();

    Drawing &m_drawing;
    Viewport &m_viewport;
    std::shared_ptr<CommandDialogs> m_dialogs;

    int m_command = 0;
    Phase m_phase = Phase::Points;
    QVector<QPointF> m_points;
    double m_measured = 0;
    QVector<Handle> m_selection;
    bool m_polar = false;
    QString m_prompt;
};

} // namespace cad
