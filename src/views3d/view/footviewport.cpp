#include "footviewport.h"

#include "glmeshview.h"
#include "mesh_draw.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace view {

namespace {
// A press that moves less than this before its release is a click, not a drag.
constexpr double kClickSlop = 4.0;
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

FootViewport::FootViewport(QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    if (openGLAvailable()) {
        m_gl = new GlMeshView(this);
        m_display = m_gl;
    } else {
        auto* label = new QLabel(tr("3D display unavailable"), this);
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
    m_camera.fit(m_model.bounds());
    redraw();
}

std::optional<mesh::Vec3> FootViewport::pickAt(const QPointF& pixel) const
{
    const Ray ray = m_camera.rayThrough(pixel, size());
    const auto hit = pickModel(m_model, ray.origin, ray.direction);
    if (!hit)
        return std::nullopt;
    return hit->point;
}

QImage FootViewport::grabFrame()
{
    if (m_gl)
        return m_gl->grabFramebuffer();
    return m_display->grab().toImage();
}

void FootViewport::mousePressEvent(QMouseEvent* event)
{
    m_pressPos = m_lastPos = event->position();
    m_pressButton = event->button();
    m_dragging = false;
    event->accept();
}

void FootViewport::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressButton == Qt::NoButton)
        return;
    const QPointF pos = event->position();
    if (!m_dragging && (pos - m_pressPos).manhattanLength() < kClickSlop)
        return;
    m_dragging = true;
    const QPointF delta = pos - m_lastPos;
    m_lastPos = pos;
    const bool slide = m_pressButton == Qt::RightButton || m_pressButton == Qt::MiddleButton
        || (event->modifiers() & Qt::ShiftModifier);
    if (slide)
        m_camera.pan(delta, size());
    else
        m_camera.orbit(delta.x(), delta.y());
    redraw();
}

void FootViewport::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasClick = !m_dragging && event->button() == m_pressButton
        && event->button() == Qt::LeftButton;
    m_pressButton = Qt::NoButton;
    m_dragging = false;
    if (!wasClick)
        return;
    const QPointF pixel = event->position();
    const auto hit = pickAt(pixel);
    emit clicked(pixel, hit.has_value(), hit.value_or(mesh::Vec3{}));
}

void FootViewport::wheelEvent(QWheelEvent* event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps != 0) {
        m_camera.zoom(std::pow(1.1, steps));
        redraw();
    }
    event->accept();
}

} // namespace view
