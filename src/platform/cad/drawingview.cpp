#include "drawingview.h"

#include "cadviewdialogs.h"
#include "pick.h"
#include "prompter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <cmath>

namespace cad {

DrawingView::DrawingView(QWidget *parent)
    : QWidget(parent),
      m_engine(new CommandEngine(m_drawing, m_viewport, this))
{
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_viewport.setSize(size());
    reserveForPromptLine();
    m_currentLayer = m_drawing.currentLayer();
    m_engine->setDialogs(std::make_shared<QtCommandDialogs>(this));
    connect(m_engine, &CommandEngine::changed, this, [this] {
        update();
        noteCurrentLayer();
    });
    connect(m_engine, &CommandEngine::measured, this, &DrawingView::measured);
    connect(m_engine, &CommandEngine::promptChanged, this, [this](const QString &text) {
        emit promptChanged(text);
        update();
    });
}

DrawingView::~DrawingView()
{
    // Whoever armed a pick on this view hears that no point will come.
    cancelPick();
}

void DrawingView::runCommand(int number)
{
    m_log << number;
    cancelPick();
    Run_Command([&] { m_engine->run(number); });
    update();
    noteCurrentLayer();
}

void DrawingView::redraw()
{
    update();
    noteCurrentLayer();
}

void DrawingView::noteCurrentLayer()
{
    const int layer = m_drawing.currentLayer();
    if (layer == m_currentLayer)
        return;
    m_currentLayer = layer;
    emit currentLayerChanged(layer);
}

int DrawingView::promptLineHeight() const
{
    return fontMetrics().height() + 4;
}

void DrawingView::reserveForPromptLine()
{
    m_viewport.setReservedBottom(m_promptShown ? promptLineHeight() : 0);
}

void DrawingView::armPick()
{
    m_engine->cancel();
    m_pickArmed = true;
}

void DrawingView::cancelPick()
{
    if (!m_pickArmed)
        return;
    m_pickArmed = false;
    emit pickCancelled();
}

Handle DrawingView::entityAt(QPointF world) const
{
    return pickEntity(m_drawing, world, tolerance());
}

void DrawingView::setPromptLineShown(bool shown)
{
    m_promptShown = shown;
    reserveForPromptLine();
    update();
}

void DrawingView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    RenderOptions options;
    options.rasterCache = &m_rasters;
    cad::render(painter, m_drawing, m_viewport.transform(), options);

    // The selection: a dashed box round each chosen entity.
    painter.setRenderHint(QPainter::Antialiasing, false);
    QPen dashed(QColor(0, 120, 215), 1, Qt::DashLine);
    painter.setPen(dashed);
    painter.setBrush(Qt::NoBrush);
    for (Handle h : selection())
        if (const Entity *e = m_drawing.entity(h))
            painter.drawRect(m_viewport.transform().mapRect(m_drawing.entityExtents(*e)).adjusted(-2, -2, 2, 2));

    // The rubber band of the command in progress.
    painter.setPen(QPen(QColor(255, 128, 0), 1, Qt::DashLine));
    for (const QPolygonF &outline : m_engine->preview(toWorld(m_pointer)))
        painter.drawPolyline(m_viewport.transform().map(outline));

    if (m_promptShown && !prompt().isEmpty()) {
        const QRect line(0, height() - promptLineHeight(), width(), promptLineHeight());
        painter.fillRect(line, palette().window());
        painter.setPen(palette().windowText().color());
        painter.drawText(line.adjusted(4, 0, -4, 0), Qt::AlignVCenter | Qt::AlignLeft, prompt());
    }
}

void DrawingView::resizeEvent(QResizeEvent *)
{
    m_viewport.setSize(size());
    reserveForPromptLine();
}

void DrawingView::mousePressEvent(QMouseEvent *event)
{
    m_pointer = event->position();
    const QPointF world = toWorld(event->position());
    switch (event->button()) {
    case Qt::LeftButton:
        emit picked(world);
        if (m_pickArmed) {
            m_pickArmed = false;
            emit armedPick(world);
            return;
        }
        Run_Command([&] { m_engine->click(world, tolerance()); });
        break;
    case Qt::RightButton: Run_Command([&] { m_engine->finish(); }); break;
    case Qt::MiddleButton:
        m_dragging = true;
        m_dragFrom = event->position();
        break;
    default: break;
    }
    update();
}

void DrawingView::mouseMoveEvent(QMouseEvent *event)
{
    m_pointer = event->position();
    if (m_dragging) {
        const QPointF delta = event->position() - m_dragFrom;
        m_dragFrom = event->position();
        m_viewport.setView(m_viewport.centre() - QPointF(delta.x(), -delta.y()) / m_viewport.scale(),
                           m_viewport.scale());
    }
    emit pointerMoved(toWorld(event->position()));
    update();
}

void DrawingView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::MiddleButton)
        m_dragging = false;
}

void DrawingView::wheelEvent(QWheelEvent *event)
{
    const int steps = event->angleDelta().y();
    if (steps == 0)
        return;
    m_viewport.zoomAt(event->position(), std::pow(1.25, steps / 120.0));
    update();
    event->accept();
}

void DrawingView::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_Escape:
        cancelPick();
        m_engine->cancel();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter: Run_Command([&] { m_engine->finish(); }); break;
    default: QWidget::keyPressEvent(event); return;
    }
    update();
}

} // namespace cad
