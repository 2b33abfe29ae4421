#include "camera.h"
#include "grid.h"
#include "mesh_fixtures.h"
#include "picking.h"
#include "shape_fixtures.h"
#include "vec_math.h"

#include <QtTest>

#include <cmath>

using namespace mesh;
namespace fx = mesh::fixtures;
namespace sh = mesh::shapes;

Q_DECLARE_METATYPE(mesh::ViewPreset)
Q_DECLARE_METATYPE(mesh::GridPlane)

namespace {

bool near(const Vec3 &a, const Vec3 &b, double tolerance = 1e-9)
{
    return std::abs(a.x - b.x) <= tolerance && std::abs(a.y - b.y) <= tolerance && std::abs(a.z - b.z) <= tolerance;
}

QString show(const Vec3 &v)
{
    return QString("(%1, %2, %3)").arg(v.x).arg(v.y).arg(v.z);
}

Mat3 rows(std::array<double, 9> m)
{
    return Mat3{m};
}

} // namespace

class TestCamera : public QObject
{
    Q_OBJECT

private slots:
    void presets_data();
    void presets();
    void topUndoesAnyPreset();
    void fitShowsTheWholeModel_data();
    void fitShowsTheWholeModel();
    void zoomKeepsThePointInPlace();
    void screenZoomAndVisibleRange();
    void zoomToRectangle();
    void rayAndPixelAgree();
    void viewProjectionMatchesThePixels();
    void gridPlanes_data();
    void gridPlanes();
    void gridWindow();
    void pickNearestFromEitherSide();
    void aMissIsAMiss();
    void pickOnALargeScan();
    void pickAcrossObjects();
};

void TestCamera::presets_data()
{
    QTest::addColumn<ViewPreset>("preset");
    QTest::addColumn<Mat3>("expected");
    // The eye frame's axes as columns: screen right, screen up, towards the viewer.
    QTest::newRow("Top") << ViewPreset::Top << rows({1, 0, 0, 0, 1, 0, 0, 0, 1});
    QTest::newRow("Bottom") << ViewPreset::Bottom << rows({1, 0, 0, 0, -1, 0, 0, 0, -1});
    QTest::newRow("View Sole") << ViewPreset::Sole << rows({-1, 0, 0, 0, 1, 0, 0, 0, -1});
    QTest::newRow("Right") << ViewPreset::Right << rows({1, 0, 0, 0, 0, -1, 0, 1, 0});
    QTest::newRow("Left") << ViewPreset::Left << rows({-1, 0, 0, 0, 0, 1, 0, 1, 0});
    QTest::newRow("Front") << ViewPreset::Front << rows({0, 0, 1, 1, 0, 0, 0, 1, 0});
    QTest::newRow("Back") << ViewPreset::Back << rows({0, 0, -1, -1, 0, 0, 0, 1, 0});
}

void TestCamera::presets()
{
    QFETCH(ViewPreset, preset);
    QFETCH(Mat3, expected);
    Camera camera;
    camera.setViewport(400, 300);
    camera.fit(Bounds{{-10, -20, 0}, {150, 40, 70}, false});
    camera.zoom(2, {0, 0, 0});
    const double height = camera.viewHeight();
    camera.eyeFrame().place({5, 6, 7});
    camera.applyPreset(preset);
    QCOMPARE(camera.eyeFrame().rotation(), expected); // quarter turns are exact
    QCOMPARE(camera.eyeFrame().position(), (Vec3{0, 0, 0}));
    QCOMPARE(camera.viewHeight(), height); // no preset zooms
    if (preset != ViewPreset::Top && preset != ViewPreset::Bottom && preset != ViewPreset::Sole)
        QCOMPARE(camera.up(), (Vec3{0, 0, 1})); // side views stand upright
}

void TestCamera::topUndoesAnyPreset()
{
    Camera camera;
    const ViewPreset all[] = {ViewPreset::Bottom, ViewPreset::Left, ViewPreset::Right,
                              ViewPreset::Front,  ViewPreset::Back, ViewPreset::Sole};
    for (const ViewPreset p : all) {
        camera.applyPreset(p);
        camera.applyPreset(ViewPreset::Top);
        QCOMPARE(camera.eyeFrame().rotation(), Mat3::identity());
    }
    // The four side views look from four different sides.
    std::vector<Vec3> sides;
    for (const ViewPreset p : {ViewPreset::Left, ViewPreset::Right, ViewPreset::Front, ViewPreset::Back}) {
        camera.applyPreset(p);
        sides.push_back(camera.towardsViewer());
    }
    QCOMPARE(sides[0], (Vec3{0, 1, 0}));
    QCOMPARE(sides[1], (Vec3{0, -1, 0}));
    QCOMPARE(sides[2], (Vec3{1, 0, 0}));
    QCOMPARE(sides[3], (Vec3{-1, 0, 0}));
    // "Bottom" and "View Sole" look from the same side, a half turn apart on screen.
    camera.applyPreset(ViewPreset::Bottom);
    const Vec3 bottomRight = camera.right(), bottomUp = camera.up(), bottomView = camera.towardsViewer();
    camera.applyPreset(ViewPreset::Sole);
    QCOMPARE(camera.towardsViewer(), bottomView);
    QCOMPARE(camera.right(), -1.0 * bottomRight);
    QCOMPARE(camera.up(), -1.0 * bottomUp);
}

void TestCamera::fitShowsTheWholeModel_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("wide") << 800 << 300;
    QTest::newRow("tall") << 300 << 800;
    QTest::newRow("square") << 500 << 500;
}

void TestCamera::fitShowsTheWholeModel()
{
    QFETCH(int, width);
    QFETCH(int, height);
    const Mesh foot = fx::footLikeMesh(30, 12);
    const Bounds b = foot.bounds();
    Camera camera;
    camera.setViewport(width, height);
    for (const ViewPreset p : {ViewPreset::Top, ViewPreset::Left, ViewPreset::Front, ViewPreset::Sole}) {
        camera.applyPreset(p);
        camera.fit(b);
        double lowX = 1e9, highX = -1e9, lowY = 1e9, highY = -1e9;
        for (const Vec3 &v : foot.positions) {
            const PixelPoint px = camera.toPixel(v);
            lowX = std::min(lowX, px.x);
            highX = std::max(highX, px.x);
            lowY = std::min(lowY, px.y);
            highY = std::max(highY, px.y);
        }
        QVERIFY(lowX >= 0 && highX <= width && lowY >= 0 && highY <= height);
        // Framed, not lost in a corner: the model fills a good part of one side.
        QVERIFY(highX - lowX > 0.85 * width || highY - lowY > 0.85 * height);
        QVERIFY(near(camera.visibleCentre(), b.centre()));
    }
    camera.fit(Bounds{});
    QCOMPARE(camera.visibleCentre(), (Vec3{0, 0, 0}));
    QVERIFY(camera.viewHeight() > 0);
}

void TestCamera::zoomKeepsThePointInPlace()
{
    Camera camera;
    camera.setViewport(640, 480);
    camera.applyPreset(ViewPreset::Front);
    camera.fit(Bounds{{0, 0, 0}, {260, 100, 80}, false});
    const Vec3 point{200, 30, 60};
    const PixelPoint before = camera.toPixel(point);
    const double height = camera.viewHeight();
    camera.zoom(3, point);
    const PixelPoint after = camera.toPixel(point);
    QVERIFY(std::abs(after.x - before.x) < 1e-9 && std::abs(after.y - before.y) < 1e-9);
    QVERIFY(std::abs(camera.viewHeight() - height / 3) < 1e-12);
    // Magnified about the point: another point moves three times as far from it.
    const Vec3 other{100, 30, 20};
    camera.zoom(1.0 / 3, point);
    const PixelPoint o1 = camera.toPixel(other);
    camera.zoom(3, point);
    const PixelPoint o3 = camera.toPixel(other);
    QVERIFY(std::abs((o3.x - after.x) - 3 * (o1.x - after.x)) < 1e-6);
    camera.zoom(0, point);
    camera.zoom(std::nan(""), point);
    QVERIFY(std::abs(camera.viewHeight() - height / 3) < 1e-12);
}

void TestCamera::screenZoomAndVisibleRange()
{
    Camera camera;
    camera.setViewport(200, 100);
    camera.fit(Bounds{{-10, -10, -10}, {10, 10, 10}, false});
    camera.zoom(camera.viewHeight() / 50, camera.visibleCentre()); // 50 units high
    QVERIFY(std::abs(camera.viewHeight() - 50) < 1e-12);
    // Top view, 200 x 100 pixels: 100 units across x, 50 along y.
    QVERIFY(std::abs(camera.visibleRange(Axis::X).low + 50) < 1e-9);
    QVERIFY(std::abs(camera.visibleRange(Axis::X).high - 50) < 1e-9);
    QVERIFY(std::abs(camera.visibleRange(Axis::Y).high - 25) < 1e-9);
    camera.applyPreset(ViewPreset::Right); // y now runs into the screen, z up
    QVERIFY(std::abs(camera.visibleRange(Axis::Z).high - 25) < 1e-9);
    QVERIFY(std::abs(camera.visibleRange(Axis::X).high - 50) < 1e-9);
    // `ViewBottom` twice zooms twice about the visible centre.
    camera.zoom(2, {30, 0, 0});
    const Vec3 centre = camera.visibleCentre();
    const Vec3 fromRanges{camera.visibleRange(Axis::X).centre(), camera.visibleRange(Axis::Y).centre(),
                          camera.visibleRange(Axis::Z).centre()};
    QVERIFY(near(centre, fromRanges));
    const double height = camera.viewHeight();
    camera.zoomScreen();
    camera.zoomScreen();
    QVERIFY(std::abs(camera.viewHeight() - height / 2.25) < 1e-12);
    QVERIFY(near(camera.visibleCentre(), centre));
}

void TestCamera::zoomToRectangle()
{
    Camera camera;
    camera.setViewport(400, 200);
    camera.fit(Bounds{{0, 0, 0}, {100, 100, 10}, false});
    const Vec3 a = camera.rayThroughPixel(100, 50).origin;
    const Vec3 b = camera.rayThroughPixel(300, 150).origin;
    camera.zoomToRectangle({300, 150}, {100, 50});
    // The rectangle had the view's own shape, so its corners reach the corners.
    const PixelPoint pa = camera.toPixel(a), pb = camera.toPixel(b);
    QVERIFY(std::abs(pa.x) < 1e-9 && std::abs(pa.y) < 1e-9);
    QVERIFY(std::abs(pb.x - 400) < 1e-9 && std::abs(pb.y - 200) < 1e-9);
    const double height = camera.viewHeight();
    camera.zoomToRectangle({10, 10}, {10, 90}); // no width
    QCOMPARE(camera.viewHeight(), height);
}

void TestCamera::rayAndPixelAgree()
{
    Camera camera;
    camera.setViewport(640, 480);
    camera.fit(Bounds{{0, 0, 0}, {260, 100, 80}, false});
    for (const ViewPreset p : {ViewPreset::Top, ViewPreset::Back, ViewPreset::Left, ViewPreset::Bottom}) {
        camera.applyPreset(p);
        const Vec3 point{37, 81, 12};
        const PixelPoint px = camera.toPixel(point);
        const Ray ray = camera.rayThroughPixel(px.x, px.y);
        QCOMPARE(ray.direction, -1.0 * camera.towardsViewer());
        // The point lies on the ray's line.
        const Vec3 d = point - ray.origin;
        const double t = d.x * ray.direction.x + d.y * ray.direction.y + d.z * ray.direction.z;
        QVERIFY2(near(ray.at(t), point, 1e-9), qPrintable(show(ray.at(t))));
    }
    camera.applyPreset(ViewPreset::Top);
    // Pixels count from the top left: a higher y on screen is a larger scene y.
    QVERIFY(camera.rayThroughPixel(320, 10).origin.y > camera.rayThroughPixel(320, 400).origin.y);
    QVERIFY(camera.rayThroughPixel(600, 240).origin.x > camera.rayThroughPixel(10, 240).origin.x);
}

void TestCamera::viewProjectionMatchesThePixels()
{
    Camera camera;
    camera.setViewport(300, 200);
    const Bounds b{{0, 0, 0}, {260, 100, 80}, false};
    camera.applyPreset(ViewPreset::Left);
    camera.fit(b);
    const std::array<double, 16> m = camera.viewProjection(b);
    auto clip = [&](const Vec3 &p) {
        return Vec3{m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12], m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
                    m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
    };
    for (const Vec3 &p : {Vec3{10, 20, 30}, Vec3{250, 90, 5}, Vec3{130, 50, 40}}) {
        const PixelPoint px = camera.toPixel(p);
        const Vec3 c = clip(p);
        QVERIFY(std::abs((c.x + 1) / 2 * 300 - px.x) < 1e-9);
        QVERIFY(std::abs((1 - c.y) / 2 * 200 - px.y) < 1e-9);
        QVERIFY(c.z > -1 && c.z < 1);
    }
    // Nearer the viewer (the Left view looks from +y) is nearer -1.
    QVERIFY(clip({130, 100, 40}).z < clip({130, 0, 40}).z);
}

void TestCamera::gridPlanes_data()
{
    QTest::addColumn<GridPlane>("plane");
    QTest::addColumn<Vec3>("axis");
    QTest::newRow("Grid End: XZ") << GridPlane::End << Vec3{0, 1, 0};
    QTest::newRow("Grid Side: YZ") << GridPlane::Side << Vec3{1, 0, 0};
    QTest::newRow("Grid Plan: XY") << GridPlane::Plan << Vec3{0, 0, 1};
}

void TestCamera::gridPlanes()
{
    QFETCH(GridPlane, plane);
    QFETCH(Vec3, axis);
    SceneGrid grid;
    GridWindowState window;
    window.press(GridButton::MoveUp, grid, plane);
    window.press(GridButton::TurnLeft, grid, GridPlane::Side);
    grid.placeInPlane(plane); // discards the move and the turn
    QCOMPARE(grid.frame().position(), (Vec3{0, 0, 0}));
    QCOMPARE(gridTurnAxis(plane), axis);
    const Vec3 n = grid.normal();
    QVERIFY(near(Vec3{std::abs(n.x), std::abs(n.y), std::abs(n.z)}, axis));
    const auto lines = grid.lines();
    QCOMPARE(lines.size(), std::size_t(2 * (2 * SceneGrid::kLinesEachSide + 1)));
    for (const auto &[a, b] : lines) {
        QCOMPARE(a.x * axis.x + a.y * axis.y + a.z * axis.z, 0.0);
        QCOMPARE(b.x * axis.x + b.y * axis.y + b.z * axis.z, 0.0);
    }
    // Turning about the plane's own axis keeps the grid in its plane.
    window.press(GridButton::TurnRight, grid, plane);
    for (const auto &[a, b] : grid.lines())
        QVERIFY(std::abs(a.x * axis.x + a.y * axis.y + a.z * axis.z) < 1e-9);
}

void TestCamera::gridWindow()
{
    SceneGrid grid;
    QVERIFY(!grid.visible());
    grid.placeInPlane(GridPlane::Plan);
    GridWindowState window;
    QCOMPARE(window.step(), 20.0);
    window.chooseStep(5);
    window.press(GridButton::MoveLeft, grid, GridPlane::Plan);
    QCOMPARE(grid.frame().position(), (Vec3{-5, 0, 0}));
    window.press(GridButton::MoveLeft, grid, GridPlane::Plan);
    window.press(GridButton::MoveUp, grid, GridPlane::Plan);
    window.press(GridButton::MoveOut, grid, GridPlane::Plan);
    window.press(GridButton::MoveOut, grid, GridPlane::Plan);
    window.press(GridButton::MoveIn, grid, GridPlane::Plan);
    QCOMPARE(grid.frame().position(), (Vec3{-10, 5, 5}));
    window.chooseStep(3); // no such button
    QCOMPARE(window.step(), 5.0);
    // "Right" under "Rotate" turns by -5 degrees about z, through the origin.
    window.press(GridButton::TurnRight, grid, GridPlane::Plan);
    const double a = -5 / 57.29577951;
    QVERIFY(near(grid.frame().axis(Axis::X), {std::cos(a), std::sin(a), 0}, 1e-12));
    QVERIFY(near(grid.frame().position(), {-10 * std::cos(a) - 5 * std::sin(a), -10 * std::sin(a) + 5 * std::cos(a), 5},
                 1e-12));
    window.press(GridButton::TurnLeft, grid, GridPlane::Plan);
    QVERIFY(near(grid.frame().position(), {-10, 5, 5}, 1e-12));
}

void TestCamera::pickNearestFromEitherSide()
{
    Model model;
    model.objects.push_back(sh::box({0, 0, 0}, {40, 30, 20}));
    Camera camera;
    camera.setViewport(400, 400);
    camera.fit(model.bounds());
    const PixelPoint over = camera.toPixel({10, 10, 20});
    std::optional<PickHit> hit = pickNearest(model, camera.rayThroughPixel(over.x, over.y));
    QVERIFY(hit);
    QVERIFY2(near(hit->point, {10, 10, 20}, 1e-9), qPrintable(show(hit->point))); // the top, not the bottom
    camera.applyPreset(ViewPreset::Sole);
    const PixelPoint under = camera.toPixel({10, 10, 0});
    hit = pickNearest(model, camera.rayThroughPixel(under.x, under.y));
    QVERIFY(hit);
    QVERIFY(near(hit->point, {10, 10, 0}, 1e-9));
    // A lone triangle facing away from the viewer is still hit.
    Mesh away;
    away.positions = {{0, 0, 0}, {0, 10, 0}, {10, 0, 0}}; // faces -z
    away.triangles = {{0, 1, 2}};
    hit = pickNearest(away, Ray{{2, 2, 50}, {0, 0, -1}});
    QVERIFY(hit);
    QVERIFY(near(hit->point, {2, 2, 0}));
    QCOMPARE(hit->t, 50.0);
}

void TestCamera::aMissIsAMiss()
{
    const Mesh box = sh::box({10, 10, 10}, {20, 20, 20});
    QVERIFY(!pickNearest(box, Ray{{25, 15, 100}, {0, 0, -1}}));
    QVERIFY(!pickNearest(box, Ray{{0, 0, 0}, {0, 0, -1}})); // the origin is not a hit
    QVERIFY(!pickNearest(Mesh{}, Ray{{15, 15, 100}, {0, 0, -1}}));
    QVERIFY(!pickNearest(Model{}, Ray{{15, 15, 100}, {0, 0, -1}}));
    QVERIFY(!pickNearest(box, Ray{{15, 15, 100}, {0, 0, 0}}));
    // The box is seen whole by an orthographic viewer, also from inside it.
    const std::optional<PickHit> inside = pickNearest(box, Ray{{15, 15, 15}, {0, 0, -1}});
    QVERIFY(inside);
    QCOMPARE(inside->point.z, 20.0);
}

void TestCamera::pickOnALargeScan()
{
    // Enough triangles that the search is split over every core.
    const Mesh foot = fx::footLikeMesh(600, 500);
    QVERIFY(foot.triangles.size() > 500000);
    Camera camera;
    camera.setViewport(800, 600);
    camera.fit(foot.bounds());
    // The highest vertex is what a top view sees at its pixel.
    std::size_t top = 0;
    for (std::size_t i = 0; i < foot.positions.size(); ++i)
        if (foot.positions[i].z > foot.positions[top].z)
            top = i;
    const PixelPoint px = camera.toPixel(foot.positions[top]);
    const std::optional<PickHit> hit = pickNearest(foot, camera.rayThroughPixel(px.x, px.y));
    QVERIFY(hit);
    QVERIFY2(near(hit->point, foot.positions[top], 1e-6), qPrintable(show(hit->point)));
    const Triangle &t = foot.triangles[hit->triangle];
    QVERIFY(t[0] == top || t[1] == top || t[2] == top);
}

void TestCamera::pickAcrossObjects()
{
    Model model;
    model.objects.push_back(sh::box({0, 0, 0}, {10, 10, 10}));
    model.objects.push_back(sh::box({0, 0, 20}, {10, 10, 30})); // above the first
    std::optional<PickHit> hit = pickNearest(model, Ray{{5, 5, 100}, {0, 0, -1}});
    QVERIFY(hit);
    QCOMPARE(hit->object, std::size_t(1));
    QCOMPARE(hit->point.z, 30.0);
    hit = pickNearest(model, Ray{{5, 5, -100}, {0, 0, 1}});
    QVERIFY(hit);
    QCOMPARE(hit->object, std::size_t(0));
    QCOMPARE(hit->point.z, 0.0);
}

QTEST_GUILESS_MAIN(TestCamera)
#include "tst_camera.moc"
