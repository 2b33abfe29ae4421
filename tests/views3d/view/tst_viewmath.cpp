// Picking, camera and colour arithmetic of the viewport, without a window.
#include "mesh_draw.h"
#include "view_camera.h"

#include <QtTest>

using mesh::Vec3;

namespace {

// Two squares facing +Z, one at z = 0 and one nearer the eye at z = 10.
mesh::Model twoSquares()
{
    mesh::Model model;
    for (double z : {0.0, 10.0}) {
        mesh::Mesh m;
        const double h = z == 0.0 ? 50.0 : 5.0; // the near one is small
        m.positions = {{-h, -h, z}, {h, -h, z}, {h, h, z}, {-h, h, z}};
        m.triangles = {{0, 1, 2}, {0, 2, 3}};
        model.objects.push_back(m);
    }
    return model;
}

} // namespace

class TestViewMath : public QObject
{
    Q_OBJECT
private slots:
    void pickTakesTheNearestHit()
    {
        const mesh::Model model = twoSquares();
        // Straight down through the small near square: it hides the big one.
        auto hit = view::pickModel(model, {1, 2, 100}, {0, 0, -1});
        QVERIFY(hit);
        QCOMPARE(hit->object, std::size_t(1));
        QCOMPARE(hit->point, (Vec3{1, 2, 10}));
        // Beside it only the far square is met, from either face.
        hit = view::pickModel(model, {20, -30, -100}, {0, 0, 1});
        QVERIFY(hit);
        QCOMPARE(hit->object, std::size_t(0));
        QCOMPARE(hit->point, (Vec3{20, -30, 0}));
    }

    void pickMissesAreNone()
    {
        const mesh::Model model = twoSquares();
        QVERIFY(!view::pickModel(model, {60, 0, 100}, {0, 0, -1}));      // beside the squares
        QVERIFY(!view::pickModel(model, {0, 0, 100}, {0, 0, 1}));        // pointing away
        QVERIFY(!view::pickModel(mesh::Model{}, {0, 0, 100}, {0, 0, -1})); // nothing loaded
    }

    void cameraRayMeetsTheProjectedPoint_data()
    {
        QTest::addColumn<int>("axis");
        QTest::addColumn<double>("degrees");
        QTest::newRow("top") << 1 << 0.0;
        QTest::newRow("sole") << 1 << 180.0;
        QTest::newRow("side") << 0 << 90.0;
    }
    void cameraRayMeetsTheProjectedPoint()
    {
        QFETCH(int, axis);
        QFETCH(double, degrees);
        mesh::Bounds box;
        box.include(Vec3{0, 0, 0});
        box.include(Vec3{260, 100, 80});
        view::ViewCamera camera;
        camera.fit(box);
        camera.rotateFrame(axis, degrees);
        const QSize viewport(640, 480);
        const Vec3 point{200, 30, 40};
        const QPointF pixel = camera.project(point, viewport);
        QVERIFY(QRectF(0, 0, 640, 480).contains(pixel));
        const view::Ray ray = camera.rayThrough(pixel, viewport);
        // The ray passes within a hair of the point.
        const Vec3 d{point.x - ray.origin.x, point.y - ray.origin.y, point.z - ray.origin.z};
        const double along = d.x * ray.direction.x + d.y * ray.direction.y + d.z * ray.direction.z;
        const Vec3 off{d.x - along * ray.direction.x, d.y - along * ray.direction.y, d.z - along * ray.direction.z};
        QVERIFY2(std::sqrt(off.x * off.x + off.y * off.y + off.z * off.z) < 0.05, "ray misses the point");
    }

    void soleViewLooksUpFromBelow()
    {
        mesh::Bounds box;
        box.include(Vec3{-10, -10, -10});
        box.include(Vec3{10, 10, 10});
        view::ViewCamera camera;
        camera.fit(box);
        QVERIFY(camera.eye().z() > 10);
        camera.rotateFrame(1, 180.0);
        QVERIFY(camera.eye().z() < -10);
        const double before = camera.distance();
        camera.zoom(1.5);
        QCOMPARE(camera.distance(), before / 1.5);
        camera.resetFrame();
        QVERIFY(camera.eye().z() > 10);
    }

    void brightnessRoundsHalvesToEvenAndClamps()
    {
        mesh::Mesh m;
        m.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
        m.triangles = {{0, 1, 2}};
        m.colours = {{5, 100, 200, 7}, {1, 3, 171, 255}, {0, 255, 254, 0}};
        view::changeBrightness(m, 1.5);
        // 7.5 -> 8, 4.5 -> 4, 1.5 -> 2, 256.5 -> 255 (clamped before rounding)
        QCOMPARE(m.colours[0], (mesh::Rgba{8, 150, 255, 7}));
        QCOMPARE(m.colours[1], (mesh::Rgba{2, 4, 255, 255}));
        QCOMPARE(m.colours[2], (mesh::Rgba{0, 255, 255, 0}));
        view::changeBrightness(m, 0.7);
        QCOMPARE(m.colours[0], (mesh::Rgba{6, 105, 178, 7})); // 5.6, 105, 178.5 -> 178
        QCOMPARE(m.positions[1], (Vec3{1, 0, 0}));
    }

    void brightnessGivesAPlainMeshItsColourFirst()
    {
        mesh::Mesh m;
        m.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
        m.triangles = {{0, 1, 2}};
        view::changeBrightness(m, 0.5);
        QCOMPARE(m.colours.size(), m.positions.size());
        QCOMPARE(m.colours[2], (mesh::Rgba{100, 100, 100, 255}));
        QVERIFY(m.check().empty());
    }

    void normalsAndEdges()
    {
        mesh::Mesh m;
        m.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 5, 5}};
        m.triangles = {{0, 1, 2}};
        const std::vector<float> n = view::vertexNormals(m);
        QCOMPARE(n.size(), std::size_t(12));
        QCOMPARE(n[2], 1.f);  // +Z for a counter-clockwise triangle in XY
        QCOMPARE(n[11], 1.f); // a loose vertex still gets a unit normal
        QCOMPARE(view::wireframeIndices(m), (std::vector<std::uint32_t>{0, 1, 1, 2, 2, 0}));
    }
};

QTEST_GUILESS_MAIN(TestViewMath)
#include "tst_viewmath.moc"
