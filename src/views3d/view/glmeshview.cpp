#include "glmeshview.h"

#include "footviewport.h"
#include "mesh_draw.h"
#include "paths.h"
#include "vec_math.h"

#include <QDir>
#include <QImageReader>
#include <QMatrix4x4>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace view {

namespace {

// Attribute locations, fixed so the buffers bind without lookups.
enum Attribute { Position = 0, Normal = 1, Colour = 2, TexCoord = 3 };

// One source, compiled once per combination of the features below, so that a
// draw carries only the inputs it uses: every varying costs llvmpipe set-up
// work and memory for each of the scan's triangles.
const char *const kVertexShader = R"(
attribute vec3 aPosition;
uniform mat4 uMvp;
#ifdef LIT
uniform mat4 uModelView;
varying vec3 vEyePosition;
#endif
#ifdef SMOOTH
attribute vec3 aNormal;
varying vec3 vNormal;
#endif
#ifdef VERTEX_COLOUR
attribute vec4 aColour;
varying vec4 vColour;
#endif
#ifdef TEXTURED
attribute vec2 aTexCoord;
varying vec2 vTexCoord;
#endif
void main()
{
#ifdef LIT
    vEyePosition = (uModelView * vec4(aPosition, 1.0)).xyz;
#endif
#ifdef SMOOTH
    vNormal = mat3(uModelView) * aNormal;
#endif
#ifdef VERTEX_COLOUR
    vColour = aColour;
#endif
#ifdef TEXTURED
    vTexCoord = aTexCoord;
#endif
    gl_Position = uMvp * vec4(aPosition, 1.0);
}
)";

// Faceted shading takes the face normal from the screen-space slopes of the
// position, so shared vertices need no per-corner normals; a smoothed mesh
// uses its vertex normal wherever it lies within the crease angle of the face.
const char *const kFragmentShader = R"(
#ifdef LIT
varying vec3 vEyePosition;
#endif
#ifdef SMOOTH
uniform float uCreaseCos;
varying vec3 vNormal;
#endif
#ifdef VERTEX_COLOUR
varying vec4 vColour;
#else
uniform vec4 uColour;
#endif
#ifdef TEXTURED
uniform sampler2D uTexture;
varying vec2 vTexCoord;
#endif
void main()
{
#ifdef VERTEX_COLOUR
    vec4 base = vColour;
#else
    vec4 base = uColour;
#endif
#ifdef TEXTURED
    base *= texture2D(uTexture, vTexCoord);
#endif
#ifdef LIT
    vec3 n = normalize(cross(dFdx(vEyePosition), dFdy(vEyePosition)));
#ifdef SMOOTH
    vec3 smoothN = normalize(vNormal);
    if (abs(dot(smoothN, n)) >= uCreaseCos)
        n = smoothN;
#endif
    // The view is orthographic: the light comes from the viewer, along z.
    float light = abs(n.z);
    gl_FragColor = vec4(base.rgb * (0.3 + 0.7 * light), base.a);
#else
    gl_FragColor = base;
#endif
}
)";

constexpr float kBackground[3] = {0.26f, 0.30f, 0.38f};
constexpr float kGridColour[4] = {0.95f, 0.85f, 0.35f, 1.f};
// The trimming plane: light grey, half transparent.
constexpr float kPlaneColour[4] = {0.9f, 0.9f, 0.9f, 0.5f};

// A software OpenGL driver allocates and frees megabytes of vertex and bin
// storage in small blocks for every frame of a large scan. By default the C
// library hands the freed top of the heap back to the kernel at once, and the
// next frame takes it back one page fault at a time, which on a virtual
// machine costs more than drawing. Keeping up to this much free memory stops
// that churn.
void keepFrameMemory()
{
#if defined(__GLIBC__)
    static const bool once = [] { return mallopt(M_TRIM_THRESHOLD, 64 << 20) == 1; }();
    Q_UNUSED(once)
#endif
}

QMatrix4x4 toQt(const std::array<double, 16> &columnMajor)
{
    QMatrix4x4 m;
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            m(row, column) = float(columnMajor[column * 4 + row]);
    return m;
}

// Scene to eye: x right, y up, z towards the viewer, origin at the view's centre.
QMatrix4x4 eyeMatrix(const mesh::Camera &camera)
{
    const mesh::Vec3 rows[3] = {camera.right(), camera.up(), camera.towardsViewer()};
    const mesh::Vec3 centre = camera.visibleCentre();
    QMatrix4x4 m;
    for (int row = 0; row < 3; ++row) {
        m(row, 0) = float(rows[row].x);
        m(row, 1) = float(rows[row].y);
        m(row, 2) = float(rows[row].z);
        m(row, 3) = float(-mesh::dot(rows[row], centre));
    }
    return m;
}

// The corners of the square that shows a plane across the model.
std::array<mesh::Vec3, 4> planeSquare(const mesh::Plane &plane, const mesh::Bounds &model)
{
    using namespace mesh;
    const Vec3 n = normalized(plane.normal);
    const Vec3 centre0 = model.empty ? plane.origin : model.centre();
    const Vec3 centre = centre0 - n * dot(centre0 - plane.origin, n);
    const double half = std::max(model.empty ? 50.0 : 0.75 * length(model.size()), 1.0);
    const Vec3 helper = std::abs(n.x) < 0.9 ? Vec3{1, 0, 0} : Vec3{0, 1, 0};
    const Vec3 u = normalized(cross(n, helper)) * half;
    const Vec3 v = normalized(cross(n, u)) * half;
    return {centre - u - v, centre + u - v, centre + u + v, centre - u + v};
}

} // namespace

GlMeshView::GlMeshView(FootViewport *owner)
    : QOpenGLWidget(owner),
      m_owner(owner)
{
    setObjectName(QStringLiteral("ViewportDisplay"));
    keepFrameMemory();
    connect(this, &QOpenGLWidget::frameSwapped, owner, &FootViewport::frameSwapped);
}

GlMeshView::~GlMeshView()
{
    makeCurrent();
    releaseBuffers();
    for (auto &program : m_programs)
        program.reset();
    doneCurrent();
}

void GlMeshView::initializeGL()
{
    initializeOpenGLFunctions();
    // A new context holds none of the old one's programs or buffers.
    for (auto &program : m_programs)
        program.reset();
    // The plainest and the most used programs show at once whether the shaders build at all.
    m_programOk = program(0) && program(Lit | Textured);
    m_dirty = true;
}

GlMeshView::Program *GlMeshView::program(unsigned features)
{
    std::unique_ptr<Program> &slot = m_programs.at(features);
    if (!slot) {
        slot = std::make_unique<Program>();
        QByteArray defines = "#version 120\n";
        const std::pair<Feature, const char *> names[] = {
            {Lit, "LIT"}, {Smooth, "SMOOTH"}, {VertexColour, "VERTEX_COLOUR"}, {Textured, "TEXTURED"}};
        for (const auto &[feature, name] : names)
            if (features & feature)
                defines += QByteArray("#define ") + name + '\n';
        QOpenGLShaderProgram &p = slot->program;
        p.bindAttributeLocation("aPosition", Position);
        p.bindAttributeLocation("aNormal", Normal);
        p.bindAttributeLocation("aColour", Colour);
        p.bindAttributeLocation("aTexCoord", TexCoord);
        slot->linked = p.addShaderFromSourceCode(QOpenGLShader::Vertex, defines + kVertexShader)
                       && p.addShaderFromSourceCode(QOpenGLShader::Fragment, defines + kFragmentShader) && p.link();
        if (!slot->linked) {
            qWarning("3D view: the shaders did not build: %s", qPrintable(p.log()));
        } else {
            slot->mvp = p.uniformLocation("uMvp");
            slot->modelView = p.uniformLocation("uModelView");
            slot->creaseCos = p.uniformLocation("uCreaseCos");
            slot->colour = p.uniformLocation("uColour");
            slot->texture = p.uniformLocation("uTexture");
        }
    }
    return slot->linked ? slot.get() : nullptr;
}

GlMeshView::Program *GlMeshView::useProgram(unsigned features)
{
    Program *p = program(features);
    if (!p)
        return nullptr;
    p->program.bind();
    p->program.setUniformValue(p->mvp, m_mvp);
    if (p->modelView >= 0)
        p->program.setUniformValue(p->modelView, m_modelView);
    if (p->texture >= 0)
        p->program.setUniformValue(p->texture, 0);
    return p;
}

void GlMeshView::releaseBuffers()
{
    m_objects.clear();
}

std::unique_ptr<QOpenGLTexture> GlMeshView::loadTexture(const QString &path)
{
    if (path.isEmpty())
        return nullptr;
    QString full = path;
    if (QDir::isRelativePath(full) && !m_owner->textureFolder().isEmpty())
        full = Join_Path(m_owner->textureFolder(), full);
    const QString found = Resolve_File_Nocase(full);
    if (found.isEmpty())
        return nullptr;
    QImageReader reader(found);
    reader.setAutoTransform(false); // photos are shown as stored
    const QImage image = reader.read();
    if (image.isNull())
        return nullptr;
    // Texture coordinates count v upwards from the picture's bottom edge.
    auto texture = std::make_unique<QOpenGLTexture>(image.mirrored());
    texture->setMinificationFilter(QOpenGLTexture::LinearMipMapLinear);
    texture->setMagnificationFilter(QOpenGLTexture::Linear);
    texture->setWrapMode(QOpenGLTexture::Repeat);
    return texture;
}

void GlMeshView::rebuild()
{
    releaseBuffers();
    const mesh::Model &model = m_owner->model();
    for (const mesh::Mesh &m : model.objects) {
        auto b = std::make_unique<ObjectBuffers>();
        std::vector<float> positions(m.positions.size() * 3);
        for (std::size_t i = 0; i < m.positions.size(); ++i) {
            positions[3 * i] = float(m.positions[i].x);
            positions[3 * i + 1] = float(m.positions[i].y);
            positions[3 * i + 2] = float(m.positions[i].z);
        }
        auto upload = [](QOpenGLBuffer &buffer, const void *data, std::size_t bytes) {
            buffer.create();
            buffer.bind();
            buffer.allocate(data, int(bytes));
            buffer.release();
        };
        upload(b->positions, positions.data(), positions.size() * sizeof(float));
        if (m.creaseAngle > 0) {
            const std::vector<float> normals = vertexNormals(m);
            upload(b->normals, normals.data(), normals.size() * sizeof(float));
            b->creaseCos = float(std::cos(std::min(m.creaseAngle, 180.0) * M_PI / 180.0));
        }
        if (m.hasColours()) {
            upload(b->colours, m.colours.data(), m.colours.size() * sizeof(mesh::Rgba));
            b->hasColours = true;
        }
        if (m.hasTexCoords()) {
            std::vector<float> uv(m.texCoords.size() * 2);
            for (std::size_t i = 0; i < m.texCoords.size(); ++i) {
                uv[2 * i] = float(m.texCoords[i].u);
                uv[2 * i + 1] = float(m.texCoords[i].v);
            }
            upload(b->texCoords, uv.data(), uv.size() * sizeof(float));
            b->hasTexCoords = true;
            b->texture = loadTexture(QString::fromStdString(m.texturePath));
        }
        b->triangles.create();
        b->triangles.bind();
        b->triangles.allocate(m.triangles.data(), int(m.triangles.size() * sizeof(mesh::Triangle)));
        b->triangles.release();
        b->triangleIndexCount = int(m.triangles.size() * 3);
        m_objects.push_back(std::move(b));
    }
    // Every change of the model comes through here, so the bounds hold until the next one.
    m_modelBounds = model.bounds();
    m_dirty = false;
}

void GlMeshView::drawObject(std::size_t index, ObjectBuffers &b, bool wire)
{
    const bool smooth = b.normals.isCreated() && !wire;
    const bool textured = b.hasTexCoords && b.texture && !wire;
    const unsigned features = (wire ? 0u : unsigned(Lit)) | (smooth ? unsigned(Smooth) : 0u)
                              | (b.hasColours ? unsigned(VertexColour) : 0u) | (textured ? unsigned(Textured) : 0u);
    Program *p = useProgram(features);
    if (!p)
        return;
    QOpenGLShaderProgram &program = p->program;
    b.positions.bind();
    program.enableAttributeArray(Position);
    program.setAttributeBuffer(Position, GL_FLOAT, 0, 3);
    if (smooth) {
        b.normals.bind();
        program.enableAttributeArray(Normal);
        program.setAttributeBuffer(Normal, GL_FLOAT, 0, 3);
        program.setUniformValue(p->creaseCos, b.creaseCos);
    }
    if (b.hasColours) {
        b.colours.bind();
        program.enableAttributeArray(Colour);
        glVertexAttribPointer(Colour, 4, GL_UNSIGNED_BYTE, GL_TRUE, 0, nullptr);
    } else {
        // A textured mesh shows its photo's own colours, in its wireframe too.
        const mesh::Rgba c = b.texture ? mesh::Rgba{255, 255, 255, 255} : kPlainMeshColour;
        program.setUniformValue(p->colour, c.r / 255.f, c.g / 255.f, c.b / 255.f, 1.f);
    }
    if (textured) {
        b.texCoords.bind();
        program.enableAttributeArray(TexCoord);
        program.setAttributeBuffer(TexCoord, GL_FLOAT, 0, 2);
        b.texture->bind(0);
    }

    if (wire) {
        if (b.edgeIndexCount < 0) {
            const std::vector<std::uint32_t> edges = wireframeIndices(m_owner->model().objects[index]);
            b.edges.create();
            b.edges.bind();
            b.edges.allocate(edges.data(), int(edges.size() * sizeof(std::uint32_t)));
            b.edgeIndexCount = int(edges.size());
        } else {
            b.edges.bind();
        }
        glDrawElements(GL_LINES, b.edgeIndexCount, GL_UNSIGNED_INT, nullptr);
        b.edges.release();
    } else {
        b.triangles.bind();
        glDrawElements(GL_TRIANGLES, b.triangleIndexCount, GL_UNSIGNED_INT, nullptr);
        b.triangles.release();
    }
    if (textured)
        b.texture->release(0);
    QOpenGLBuffer::release(QOpenGLBuffer::VertexBuffer);
    program.disableAttributeArray(Position);
    program.disableAttributeArray(Normal);
    program.disableAttributeArray(Colour);
    program.disableAttributeArray(TexCoord);
}

void GlMeshView::drawAxes(float len)
{
    const float lines[] = {0, 0, 0, len, 0, 0, 0, 0, 0, 0, len, 0, 0, 0, 0, 0, 0, len};
    const float colours[] = {1, 0, 0, 1, 1, 0, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 0, 1, 1, 0, 0, 1, 1};
    Program *p = useProgram(VertexColour);
    if (!p)
        return;
    p->program.enableAttributeArray(Position);
    p->program.enableAttributeArray(Colour);
    p->program.setAttributeArray(Position, lines, 3);
    p->program.setAttributeArray(Colour, colours, 4);
    glDrawArrays(GL_LINES, 0, 6);
    p->program.disableAttributeArray(Position);
    p->program.disableAttributeArray(Colour);
}

void GlMeshView::drawPlain(GLenum mode, const float *positions, int count, const float colour[4])
{
    Program *p = useProgram(0);
    if (!p)
        return;
    p->program.setUniformValue(p->colour, colour[0], colour[1], colour[2], colour[3]);
    p->program.enableAttributeArray(Position);
    p->program.setAttributeArray(Position, positions, 3);
    glDrawArrays(mode, 0, count);
    p->program.disableAttributeArray(Position);
}

void GlMeshView::drawDisplayPlane()
{
    const auto corners = planeSquare(*m_owner->displayPlane(), m_modelBounds);
    float quad[12];
    for (int i = 0; i < 4; ++i) {
        quad[3 * i] = float(corners[i].x);
        quad[3 * i + 1] = float(corners[i].y);
        quad[3 * i + 2] = float(corners[i].z);
    }
    // Drawn last and without writing depth, so the mesh shows through it.
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    drawPlain(GL_TRIANGLE_FAN, quad, 4, kPlaneColour);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

void GlMeshView::paintOverlays()
{
    const MeasureTool::Overlay measure = m_owner->measureTool().overlay();
    const QRectF band = m_owner->rubberBand();
    if (measure.points.empty() && measure.hint.empty() && band.isEmpty())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!band.isEmpty()) {
        painter.setPen(QPen(Qt::white, 1, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(band);
    }
    const QColor ink(255, 255, 0);
    std::vector<QPointF> points;
    for (const mesh::Vec3 &p : measure.points)
        points.push_back(m_owner->toPixel(p));
    painter.setPen(QPen(ink, 2));
    if (measure.line && points.size() == 2)
        painter.drawLine(points[0], points[1]);
    painter.setBrush(ink);
    for (const QPointF &p : points)
        painter.drawEllipse(p, 3, 3);
    auto label = [&](const QPointF &at, const QString &text) {
        QPainterPath path;
        path.addText(at, painter.font(), text);
        painter.setPen(QPen(QColor(0, 0, 0, 200), 3));
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ink);
        painter.drawPath(path);
    };
    if (!measure.label.empty() && points.size() == 2)
        label((points[0] + points[1]) / 2 + QPointF(6, -6), QString::fromStdString(measure.label));
    if (!measure.hint.empty())
        label(QPointF(8, height() - 8), QString::fromStdString(measure.hint));
}

void GlMeshView::paintGL()
{
    glClearColor(kBackground[0], kBackground[1], kBackground[2], 1.f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!m_programOk)
        return;
    if (m_dirty)
        rebuild();
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);

    const mesh::Camera &camera = m_owner->camera();
    const mesh::Vec3 size = m_modelBounds.empty ? mesh::Vec3{100, 100, 100} : m_modelBounds.size();
    const float axisLength = float(std::max({size.x, size.y, size.z}) * 0.6);

    // The depth range holds everything drawn: model, axes, grid and plane.
    mesh::Bounds scene = m_modelBounds;
    if (m_owner->axesShown()) {
        scene.include(mesh::Vec3{0, 0, 0});
        scene.include(mesh::Vec3{axisLength, axisLength, axisLength});
    }
    std::vector<float> gridLines;
    if (m_owner->grid().visible()) {
        for (const auto &[a, b] : m_owner->grid().lines()) {
            scene.include(a);
            scene.include(b);
            gridLines.insert(gridLines.end(), {float(a.x), float(a.y), float(a.z), float(b.x), float(b.y), float(b.z)});
        }
    }
    if (m_owner->displayPlane())
        for (const mesh::Vec3 &corner : planeSquare(*m_owner->displayPlane(), m_modelBounds))
            scene.include(corner);

    m_mvp = toQt(camera.viewProjection(scene));
    m_modelView = eyeMatrix(camera);
    const bool wire = !m_owner->shaded();
    for (std::size_t i = 0; i < m_objects.size(); ++i)
        drawObject(i, *m_objects[i], wire);
    if (m_owner->axesShown())
        drawAxes(axisLength);
    if (!gridLines.empty())
        drawPlain(GL_LINES, gridLines.data(), int(gridLines.size() / 3), kGridColour);
    if (m_owner->displayPlane())
        drawDisplayPlane();
    glUseProgram(0);
    paintOverlays();
}

} // namespace view
