#include "footviewport.h"

#include "glmeshview.h"
#include "picking.h"
#include "vec_math.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <cmath>

namespace view {

namespace {
// A press that moves less than this before its release is a click, not a drag.
constexpr double kClickSlop = 4.0;
// Degrees of turn per pixel of a left drag.
constexpr double kTurnPerPixel = 0.5;
} // namespace

bool FootViewport::openGLAvailable()
{
    static const bool available = [] {
        const QString platform = QGuiApplication::platformName();
        // These platforms have no screen to draw on, whatever the driver offers.
        if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
            return false;
        QOpenGLContext context;
        if (!context.create())
            return false;
        QOffscreenSurface surface;
        surface.setFormat(context.format());
        surface.create();
        if (!surface.isValid() || !context.makeCurrent(&surface))
            return false;
        context.doneCurrent();
        return true;
    }();
    return available;
}

FootViewport::FootViewport(QWidget *parent)
    : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (openGLAvailable()) {
        m_gl = new GlMeshView(this);
        m_display = m_gl;
    } else {
        auto *label = new QLabel(tr("3D display unavailable"), this);
        label->setObjectName(QStringLiteral("ViewportFallback"));
        label->setAlignment(Qt::AlignCenter);
        label->setAutoFillBackground(true);
        m_display = label;
    }
    // The viewport itself takes the mouse, whichever display it holds.
    m_display->setAttribute(Qt::WA_TransparentForMouseEvents);
    layout->addWidget(m_display);
    setFocusPolicy(Qt::StrongFocus);
    setMinimumSize(16, 16);
    m_camera.setViewport(width(), height());
}

FootViewport::~FootViewport() = default;

void FootViewport::setModel(mesh::Model model)
{
    m_model = std::move(model);
    modelChanged();
}

void FootViewport::modelChanged()
{
    ++m_generation;
    if (m_gl) {
        m_gl->invalidateGeometry();
        m_gl->update();
    }
}

void FootViewport::redraw()
{
    m_display->update();
}

void FootViewport::setShaded(bool shaded)
{
    m_shaded = shaded;
    redraw();
}

void FootViewport::setAxesShown(bool shown)
{
    m_axes = shown;
    redraw();
}

void FootViewport::fit()
{
    m_camera.setViewport(width(), height());
    m_camera.fit(m_model.bounds());
    if (isVisible())
        m_fitBeforeShow.reset();
    else
        m_fitBeforeShow = m_camera.viewHeight();
    redraw();
}

void FootViewport::setDisplayPlane(const std::optional<mesh::Plane> &plane)
{
    m_displayPlane = plane;
    redraw();
}

void FootViewport::startZoomWindow()
{
    m_zoomWindow = true;
    m_rubberBand = QRectF();
    setCursor(Qt::CrossCursor);
}

void FootViewport::startMeasuring()
{
    m_measure.start(m_measureDisplay);
    updateTracking();
    redraw();
}

void FootViewport::measureAngles()
{
    m_measure.angleMode();
    updateTracking();
    redraw();
}

void FootViewport::updateTracking()
{
    setMouseTracking(m_measure.followsPointer());
}

std::optional<mesh::Vec3> FootViewport::pickAt(const QPointF &pixel) const
{
    const auto hit = mesh::pickNearest(m_model, m_camera.rayThroughPixel(pixel.x(), pixel.y()));
    if (!hit)
        return std::nullopt;
    return hit->point;
}

QPointF FootViewport::toPixel(const mesh::Vec3 &point) const
{
    const mesh::PixelPoint p = m_camera.toPixel(point);
    return {p.x, p.y};
}

QImage FootViewport::grabFrame()
{
    if (m_gl)
        return m_gl->grabFramebuffer();
    return m_display->grab().toImage();
}

void FootViewport::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    m_camera.setViewport(width(), height());
}

void FootViewport::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    // By now the layout has given the view its real size.
    if (m_fitBeforeShow && *m_fitBeforeShow == m_camera.viewHeight())
        fit();
    m_fitBeforeShow.reset();
}

void FootViewport::mousePressEvent(QMouseEvent *event)
{
    m_pressPos = m_lastPos = event->position();
    m_pressButton = event->button();
    m_dragging = false;
    event->accept();
}

void FootViewport::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF pos = event->position();
    if (m_pressButton == Qt::NoButton) {
        if (m_measure.followsPointer()) {
            m_measure.hover(pickAt(pos));
            redraw();
        }
        return;
    }
    if (!m_dragging && (pos - m_pressPos).manhattanLength() < kClickSlop)
        return;
    m_dragging = true;
    if (m_zoomWindow && m_pressButton == Qt::LeftButton) {
        m_rubberBand = QRectF(m_pressPos, pos).normalized();
        redraw();
        return;
    }
    const QPointF delta = pos - m_lastPos;
    m_lastPos = pos;
    const bool slide = m_pressButton == Qt::RightButton || m_pressButton == Qt::MiddleButton
                       || (event->modifiers() & Qt::ShiftModifier);
    mesh::Frame &eye = m_camera.eyeFrame();
    if (slide) {
        // The scene follows the pointer: the view's centre moves the other way.
        const double scale = m_camera.unitsPerPixel();
        eye.moveBy(m_camera.right() * (-delta.x() * scale) + m_camera.up() * (delta.y() * scale));
    } else {
        eye.turnAboutOwnAxis(mesh::Axis::Y, -delta.x() * kTurnPerPixel);
        eye.turnAboutOwnAxis(mesh::Axis::X, -delta.y() * kTurnPerPixel);
    }
    redraw();
}

void FootViewport::mouseReleaseEvent(QMouseEvent *event)
{
    // A click of any button, with any modifier, is a click: the two-point
    // measurement takes its points from whichever button the user clicks.
    const bool wasClick = !m_dragging && event->button() == m_pressButton;
    const bool wasDrag = m_dragging;
    m_pressButton = Qt::NoButton;
    m_dragging = false;
    if (m_zoomWindow && event->button() == Qt::LeftButton) {
        if (wasDrag && !m_rubberBand.isEmpty()) {
            m_camera.zoomToRectangle({m_rubberBand.left(), m_rubberBand.top()},
                                     {m_rubberBand.right(), m_rubberBand.bottom()});
            m_zoomWindow = false;
            m_rubberBand = QRectF();
            unsetCursor();
            redraw();
        }
        return;
    }
    if (!wasClick)
        return;
    const QPointF pixel = event->position();
    const auto hit = pickAt(pixel);
    if (event->button() == Qt::LeftButton && m_measure.click(hit)) {
        updateTracking();
        redraw();
    }
    emit clicked(pixel, hit.has_value(), hit.value_or(mesh::Vec3{}));
}

void FootViewport::wheelEvent(QWheelEvent *event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) {
        const QPointF at = event->position();
        m_camera.zoom(std::pow(1.1, steps), m_camera.rayThroughPixel(at.x(), at.y()).origin);
        redraw();
    }
    event->accept();
}

void FootViewport::keyPressEvent(QKeyEvent *event)
{
    switch (event->key()) {
    case Qt::Key_W: startZoomWindow(); break;
    case Qt::Key_M: startMeasuring(); break;
    case Qt::Key_A: measureAngles(); break;
    case Qt::Key_Escape:
        m_zoomWindow = false;
        m_rubberBand = QRectF();
        unsetCursor();
        m_measure.stop();
        updateTracking();
        redraw();
        break;
    default: QWidget::keyPressEvent(event); return;
    }
    event->accept();
}

} // namespace view
