#pragma once
// The OpenGL drawing of a FootViewport. Holds only what lives on the GPU;
// the model, camera, grid, trimming plane, overlays and display switches
// belong to the viewport.

#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>
#include <QOpenGLWidget>

#include "mesh_model.h"

#include <memory>
#include <vector>

namespace view {

class FootViewport;

class GlMeshView : public QOpenGLWidget, protected QOpenGLFunctions
{
    Q_OBJECT
public:
    explicit GlMeshView(FootViewport *owner);
    ~GlMeshView() override;

    // The model changed: buffers are built again at the next paint.
    void invalidateGeometry() { m_dirty = true; }

protected:
    void initializeGL() override;
    void paintGL() override;

private:
    struct ObjectBuffers
    {
        QOpenGLBuffer positions{QOpenGLBuffer::VertexBuffer};
        QOpenGLBuffer normals{QOpenGLBuffer::VertexBuffer};
        QOpenGLBuffer colours{QOpenGLBuffer::VertexBuffer};
        QOpenGLBuffer texCoords{QOpenGLBuffer::VertexBuffer};
        QOpenGLBuffer triangles{QOpenGLBuffer::IndexBuffer};
        QOpenGLBuffer edges{QOpenGLBuffer::IndexBuffer};
        int triangleIndexCount = 0;
        int edgeIndexCount = -1; // built on first wireframe draw
        bool hasColours = false;
        bool hasTexCoords = false;
        float creaseCos = 1.f; // 1: faceted
        std::unique_ptr<QOpenGLTexture> texture;
    };

    void rebuild();
    void releaseBuffers();
    void drawObject(std::size_t index, ObjectBuffers &buffers, bool wire);
    void drawAxes(float length);
    void drawLines(const std::vector<float> &positions, const float colour[4]);
    void drawDisplayPlane(const mesh::Bounds &modelBounds);
    void paintOverlays();
    std::unique_ptr<QOpenGLTexture> loadTexture(const QString &path);

    FootViewport *m_owner;
    QOpenGLShaderProgram m_program;
    bool m_programOk = false;
    bool m_dirty = true;
    std::vector<std::unique_ptr<ObjectBuffers>> m_objects;
};

} // namespace view
