#pragma once
// The OpenGL drawing of a FootViewport. Holds only what lives on the GPU;
// the model, camera, grid, trimming plane, overlays and display switches
// belong to the viewport.

#include <QMatrix4x4>
#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>
#include <QOpenGLWidget>

#include "mesh_model.h"

#include <array>
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

    // What a draw's program computes; each combination is a program of its own.
    enum Feature : unsigned { Lit = 1, Smooth = 2, VertexColour = 4, Textured = 8 };
    struct Program
    {
        QOpenGLShaderProgram program;
        bool linked = false;
        int mvp = -1, modelView = -1, creaseCos = -1, colour = -1, texture = -1;
    };

    // Built on first use; null where the shaders do not build.
    Program *program(unsigned features);
    // Bound, with this frame's matrices set.
    Program *useProgram(unsigned features);
    void rebuild();
    void releaseBuffers();
    void drawObject(std::size_t index, ObjectBuffers &buffers, bool wire);
    void drawAxes(float length);
    // Unlit, in one colour: the grid and the trimming plane.
    void drawPlain(GLenum mode, const float *positions, int count, const float colour[4]);
    void drawDisplayPlane();
    void paintOverlays();
    std::unique_ptr<QOpenGLTexture> loadTexture(const QString &path);

    FootViewport *m_owner;
    std::array<std::unique_ptr<Program>, 16> m_programs;
    bool m_programOk = false;
    bool m_dirty = true;
    mesh::Bounds m_modelBounds; // of what the buffers hold
    QMatrix4x4 m_mvp;
    QMatrix4x4 m_modelView;
    std::vector<std::unique_ptr<ObjectBuffers>> m_objects;
};

} // namespace view
