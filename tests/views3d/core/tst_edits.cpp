#include "mesh_edits.h"
#include "mesh_fixtures.h"
#include "shape_fixtures.h"

#include <QtTest>

#include <cmath>

using namespace mesh;
namespace fx = mesh::fixtures;
namespace sh = mesh::shapes;

class TestEdits : public QObject
{
    Q_OBJECT

private slots:
    void brightness_data();
    void brightness();
    void brightnessLeavesAMeshWithoutColours();
    void darkenThenBrightenDoesNotRestore();
    void mirrorReversesWindingAndTwiceRestores();
    void quarterTurns_data();
    void quarterTurns();
    void scaleInchesToMillimetres();
    void cleanMeshKeepsTheFirstObject();
    void smoothMovesNoVertex();
    void creaseAngleKeepsSharpEdgesHard();
    void creaseAngleSmoothsAGentleSurface();
    void degenerateTriangleGetsAUnitNormal();
};

void TestEdits::brightness_data()
{
    QTest::addColumn<double>("amount");
    QTest::addColumn<QList<int>>("before");
    QTest::addColumn<QList<int>>("after");
    // Halves go to the even neighbour, results clamp to 0..255, alpha stays.
    QTest::newRow("brighten 3,100,200") << kBrighten << QList<int>{3, 100, 200, 128} << QList<int>{4, 150, 255, 128};
    QTest::newRow("brighten halves") << kBrighten << QList<int>{1, 5, 7, 0} << QList<int>{2, 8, 10, 0};
    QTest::newRow("brighten 255") << kBrighten << QList<int>{255, 170, 171, 255} << QList<int>{255, 255, 255, 255};
    QTest::newRow("darken 5,255,1") << kDarken << QList<int>{5, 255, 1, 77} << QList<int>{4, 178, 1, 77};
    QTest::newRow("darken 0") << kDarken << QList<int>{0, 15, 25, 9} << QList<int>{0, 10, 18, 9};
    QTest::newRow("negative clamps to 0") << -2.0 << QList<int>{10, 20, 30, 40} << QList<int>{0, 0, 0, 40};
}

void TestEdits::brightness()
{
    QFETCH(double, amount);
    QFETCH(QList<int>, before);
    QFETCH(QList<int>, after);
    Mesh m = sh::box({0, 0, 0}, {1, 1, 1});
    const auto byte = [](int v) { return static_cast<std::uint8_t>(v); };
    m.colours.assign(m.positions.size(), Rgba{byte(before[0]), byte(before[1]), byte(before[2]), byte(before[3])});
    const Mesh original = m;
    QVERIFY(changeBrightness(m, amount));
    for (const Rgba &c : m.colours)
        QCOMPARE((QList<int>{c.r, c.g, c.b, c.a}), after);
    QCOMPARE(m.positions, original.positions);
    QCOMPARE(m.triangles, original.triangles);
}

void TestEdits::brightnessLeavesAMeshWithoutColours()
{
    Mesh m = sh::box({0, 0, 0}, {1, 1, 1});
    const Mesh original = m;
    QVERIFY(!changeBrightness(m, kBrighten));
    QCOMPARE(m, original);
}

void TestEdits::darkenThenBrightenDoesNotRestore()
{
    Mesh m = sh::box({0, 0, 0}, {1, 1, 1});
    m.colours.assign(m.positions.size(), Rgba{200, 100, 250, 255});
    changeBrightness(m, kDarken);
    changeBrightness(m, kBrighten);
    // 200 -> 140 -> 210; 100 -> 70 -> 105; 250 -> 175 -> 262 clamped.
    QCOMPARE(m.colours[3], (Rgba{210, 105, 255, 255}));
}

void TestEdits::mirrorReversesWindingAndTwiceRestores()
{
    for (const bool tube : {false, true}) {
        Mesh m = tube ? fx::footLikeMesh(24, 12, true) : sh::box({1, 2, 3}, {4, 6, 9});
        const Mesh original = m;
        const double volume = sh::signedVolume(m);
        QVERIFY(volume > 0);
        mirror(m);
        for (std::size_t i = 0; i < m.positions.size(); ++i)
            QCOMPARE(m.positions[i],
                     (Vec3{-original.positions[i].x, original.positions[i].y, original.positions[i].z}));
        // Still facing outwards: a reflection alone would make this negative.
        QCOMPARE(sh::signedVolume(m), volume);
        QCOMPARE(sh::badEdges(m), 0);
        QCOMPARE(m.colours, original.colours);
        mirror(m);
        QCOMPARE(m, original);
    }
}

void TestEdits::quarterTurns_data()
{
    QTest::addColumn<int>("axis");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("z");
    // Where (1, 2, 3) goes after one right-handed quarter turn.
    QTest::newRow("X 90 (red)") << 0 << 1.0 << -3.0 << 2.0;
    QTest::newRow("Y 90 (green)") << 1 << 3.0 << 2.0 << -1.0;
    QTest::newRow("Z 90 (blue)") << 2 << -2.0 << 1.0 << 3.0;
}

void TestEdits::quarterTurns()
{
    QFETCH(int, axis);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, z);
    const Axis a = static_cast<Axis>(axis);
    Mesh point;
    point.positions = {{1, 2, 3}};
    rotateQuarterTurn(point, a);
    QCOMPARE(point.positions[0], (Vec3{x, y, z}));

    Mesh m = fx::footLikeMesh(20, 10, true);
    m.positions[5] = {0.1 + 0.2, -1e-300, 123456.789};
    const Mesh original = m;
    const double volume = sh::signedVolume(m);
    rotateQuarterTurn(m, a);
    QVERIFY(m.positions != original.positions);
    QVERIFY(std::abs(sh::signedVolume(m) - volume) < 1e-6 * volume);
    for (int turn = 1; turn < 4; ++turn)
        rotateQuarterTurn(m, a);
    QCOMPARE(m, original); // bit for bit, not merely close
}

void TestEdits::scaleInchesToMillimetres()
{
    Mesh foot = sh::box({-5, 0, 0}, {5, 4, 3}); // a 10-inch foot
    scale(foot, kInchesToMillimetres);
    QCOMPARE(foot.bounds().size().x, 254.0);
    QCOMPARE(foot.bounds().min.x, -127.0);
    scale(foot, 1 / kInchesToMillimetres);
    scale(foot, kScale1000);
    QCOMPARE(foot.bounds().size().z, 3000.0);
}

void TestEdits::cleanMeshKeepsTheFirstObject()
{
    Model model;
    model.objects = {fx::footLikeMesh(6, 4), sh::box({0, 0, 0}, {1, 1, 1}), Mesh{}};
    const Mesh first = model.objects[0];
    QCOMPARE(cleanMesh(model), std::size_t(3));
    QCOMPARE(objectsFoundText(3), std::string("Objects Found: 3"));
    QCOMPARE(model.objects.size(), std::size_t(1));
    QCOMPARE(model.objects[0], first);
    QCOMPARE(cleanMesh(model), std::size_t(1));
    QCOMPARE(model.objects[0], first);
    Model empty;
    QCOMPARE(cleanMesh(empty), std::size_t(0));
    QVERIFY(editedMesh(empty) == nullptr);
}

void TestEdits::smoothMovesNoVertex()
{
    Mesh m = fx::footLikeMesh(30, 16, true);
    const Mesh original = m;
    smooth(m);
    QCOMPARE(m.creaseAngle, 40.0);
    QCOMPARE(m.positions, original.positions);
    QCOMPARE(m.triangles, original.triangles);
    QCOMPARE(m.colours, original.colours);
}

void TestEdits::creaseAngleKeepsSharpEdgesHard()
{
    // A box's edges are 90 degrees: at 40 every corner keeps its face's normal.
    const Mesh m = sh::box({0, 0, 0}, {2, 3, 4});
    const std::vector<Vec3> normals = cornerNormals(m, kSmoothCreaseAngle);
    QCOMPARE(normals.size(), 3 * m.triangles.size());
    const Vec3 faces[6] = {{0, 0, -1}, {0, 0, 1}, {0, -1, 0}, {0, 1, 0}, {-1, 0, 0}, {1, 0, 0}};
    for (std::size_t t = 0; t < m.triangles.size(); ++t)
        for (int c = 0; c < 3; ++c)
            QCOMPARE(normals[3 * t + c], faces[t / 2]);
    // Past 90 the corners blend the three faces that meet there.
    const std::vector<Vec3> blended = cornerNormals(m, 100);
    const Vec3 n = blended[0]; // corner 0 of the bottom face: (0, 0, 0)
    QVERIFY(n.x < 0 && n.y < 0 && n.z < 0);
}

void TestEdits::creaseAngleSmoothsAGentleSurface()
{
    Mesh m = fx::footLikeMesh(60, 40);
    const std::vector<Vec3> flat = cornerNormals(m, 0);
    const std::vector<Vec3> smooth = cornerNormals(m, kSmoothCreaseAngle);
    // Smoothed: every corner at one vertex has one normal, of length 1.
    std::vector<Vec3> atVertex(m.positions.size());
    std::vector<bool> seen(m.positions.size(), false);
    int differFromFlat = 0;
    for (std::size_t t = 0; t < m.triangles.size(); ++t)
        for (int c = 0; c < 3; ++c) {
            const std::uint32_t v = m.triangles[t][c];
            const Vec3 &n = smooth[3 * t + c];
            QVERIFY(std::abs(n.x * n.x + n.y * n.y + n.z * n.z - 1) < 1e-12);
            if (seen[v])
                QVERIFY(std::abs(n.x - atVertex[v].x) + std::abs(n.y - atVertex[v].y) + std::abs(n.z - atVertex[v].z)
                        < 1e-12);
            atVertex[v] = n;
            seen[v] = true;
            const Vec3 &f = flat[3 * t + c];
            if (std::abs(n.x - f.x) + std::abs(n.y - f.y) + std::abs(n.z - f.z) > 1e-6)
                ++differFromFlat;
        }
    QVERIFY(differFromFlat > static_cast<int>(m.triangles.size()));
    // A blend of faces within 40 degrees of a corner's own face stays on its side.
    for (std::size_t k = 0; k < smooth.size(); ++k)
        QVERIFY(smooth[k].x * flat[k].x + smooth[k].y * flat[k].y + smooth[k].z * flat[k].z
                > std::cos(40 / 57.29577951));
}

void TestEdits::degenerateTriangleGetsAUnitNormal()
{
    Mesh m = sh::box({0, 0, 0}, {1, 1, 1});
    m.triangles.push_back({0, 1, 1}); // no area
    for (const double angle : {0.0, 40.0}) {
        const std::vector<Vec3> normals = cornerNormals(m, angle);
        for (const Vec3 &n : normals)
            QVERIFY(std::abs(n.x * n.x + n.y * n.y + n.z * n.z - 1) < 1e-12);
    }
}

QTEST_GUILESS_MAIN(TestEdits)
#include "tst_edits.moc"
