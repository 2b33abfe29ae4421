#pragma once
// The 3D display of a foot view: holds the view's model, camera, grid,
// trimming plane and measuring overlays, draws them with OpenGL (shaded or
// wireframe, vertex colours, the texture photo, axes) and turns mouse work
// into camera moves and picks:
//   left drag: turn about the view's centre;
//   right or middle drag (or Shift + left): slide;
//   wheel: zoom about the point under the pointer;
//   a click of any button (press and release without a drag): pick, see
//   clicked(); the measuring tool of the "m" key takes left clicks only.
// Keys: "w" starts a window zoom (drag the rectangle to fill the view),
// "m" the measuring tool in the chosen display, "a" its angle mode, Esc
// ends either.
// Where no OpenGL context can be had (the offscreen platform, a machine
// without a usable driver) the display is a plain widget that says
// "3D display unavailable"; the model, the camera, picking and every file
// command still work.

#include "camera.h"
#include "grid.h"
#include "measure_tool.h"
#include "mesh_model.h"
#include "plane_cut.h"

#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QWidget>

#include <optional>

namespace view {

class GlMeshView;

class FootViewport : public QWidget
{
    Q_OBJECT
public:
    explicit FootViewport(QWidget *parent = nullptr);
    ~FootViewport() override;

    // Whether this process can draw with OpenGL at all (checked once).
    static bool openGLAvailable();
    bool usesOpenGL() const { return m_gl != nullptr; }
    // The drawing surface: the OpenGL widget, or the fallback label.
    QWidget *display() const { return m_display; }

    const mesh::Model &model() const { return m_model; }
    // Edits go through here; call modelChanged() after changing geometry or colours.
    mesh::Model &model() { return m_model; }
    // Replaces what the view shows (the camera stays until fit()).
    void setModel(mesh::Model model);
    // Geometry or colours changed: the display rebuilds what it draws.
    void modelChanged();
    // Plain repaint.
    void redraw();

    // Folder against which a relative texture path is resolved.
    void setTextureFolder(const QString &folder) { m_textureFolder = folder; }
    QString textureFolder() const { return m_textureFolder; }

    bool shaded() const { return m_shaded; }
    void setShaded(bool shaded);
    bool axesShown() const { return m_axes; }
    void setAxesShown(bool shown);

    mesh::Camera &camera() { return m_camera; }
    const mesh::Camera &camera() const { return m_camera; }
    // Frames the whole model as the view now looks at it ("Reset").
    void fit();

    // The positionable grid ("3DGrid"); redraw() after changing it.
    mesh::SceneGrid &grid() { return m_grid; }
    const mesh::SceneGrid &grid() const { return m_grid; }

    // The trimming plane shown light grey and half transparent, or none.
    void setDisplayPlane(const std::optional<mesh::Plane> &plane);
    const std::optional<mesh::Plane> &displayPlane() const { return m_displayPlane; }

    // Window zoom: the next drag's rectangle fills the view.
    void startZoomWindow();
    bool zoomWindowActive() const { return m_zoomWindow; }
    // The rectangle being dragged, empty when none.
    QRectF rubberBand() const { return m_rubberBand; }

    // Which display the measuring key starts ("Dynamic Display" or "Static Display").
    void setMeasureDisplay(MeasureDisplay display) { m_measureDisplay = display; }
    MeasureDisplay measureDisplay() const { return m_measureDisplay; }
    const MeasureTool &measureTool() const { return m_measure; }
    // The measuring key and the angle key, as the menus send them.
    void startMeasuring();
    void measureAngles();

    // The model point under a pixel of this widget, none for a miss.
    std::optional<mesh::Vec3> pickAt(const QPointF &pixel) const;
    // Where a model point lands, in pixels of this widget.
    QPointF toPixel(const mesh::Vec3 &point) const;

    // What the display shows now, at its own size.
    QImage grabFrame();

    // How many times the model was handed to the display since creation
    // (tests and benchmarks see a rebuild happen).
    int geometryGeneration() const { return m_generation; }

signals:
    // A click without a drag: the point hit, or hit false for a miss.
    void clicked(const QPointF &pixel, bool hit, const mesh::Vec3 &point);
    // The OpenGL display put a new frame on the screen.
    void frameSwapped();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void updateTracking();

    mesh::Model m_model;
    mesh::Camera m_camera;
    mesh::SceneGrid m_grid;
    std::optional<mesh::Plane> m_displayPlane;
    MeasureTool m_measure;
    MeasureDisplay m_measureDisplay = MeasureDisplay::Static;
    QString m_textureFolder;
    bool m_shaded = true;
    bool m_axes = true;
    int m_generation = 0;

    GlMeshView *m_gl = nullptr;
    QWidget *m_display = nullptr;

    QPointF m_pressPos;
    QPointF m_lastPos;
    Qt::MouseButton m_pressButton = Qt::NoButton;
    bool m_dragging = false;
    bool m_zoomWindow = false;
    QRectF m_rubberBand;
    // A fit asked for before the view first shows is framed for a size the
    // view does not have yet; it is done again at the size it shows with,
    // unless the camera was zoomed in between (the height it gave is kept).
    std::optional<double> m_fitBeforeShow;
};

} // namespace view
