// The viewport's drawing arithmetic and measuring overlay tool, without a window.
#include "measure_tool.h"
#include "mesh_draw.h"

#include <QtTest>

#include <algorithm>

using mesh::Vec3;
Q_DECLARE_METATYPE(mesh::Vec3)
Q_DECLARE_METATYPE(mesh::Mesh)

namespace {

// A strip of rows x columns quads, triangles row by row, as a scanner's rings
// come: each batch of triangles shares few vertices.
mesh::Mesh grid(std::uint32_t rows, std::uint32_t columns)
{
    mesh::Mesh m;
    for (std::uint32_t r = 0; r <= rows; ++r)
        for (std::uint32_t c = 0; c <= columns; ++c)
            m.positions.push_back({double(c), double(r), 0});
    auto at = [columns](std::uint32_t r, std::uint32_t c) { return r * (columns + 1) + c; };
    for (std::uint32_t r = 0; r < rows; ++r)
        for (std::uint32_t c = 0; c < columns; ++c) {
            m.triangles.push_back({at(r, c), at(r, c + 1), at(r + 1, c + 1)});
            m.triangles.push_back({at(r, c), at(r + 1, c + 1), at(r + 1, c)});
        }
    return m;
}

std::vector<mesh::Triangle> sorted(std::vector<mesh::Triangle> triangles)
{
    std::sort(triangles.begin(), triangles.end());
    return triangles;
}

// Vertices shaded per triangle by a driver that shades each distinct vertex
// of every batch of 341 triangles once.
double shadedPerTriangle(const std::vector<mesh::Triangle> &triangles)
{
    constexpr std::size_t kBatch = 341;
    std::size_t shaded = 0;
    for (std::size_t first = 0; first < triangles.size(); first += kBatch) {
        std::vector<std::uint32_t> corners;
        for (std::size_t t = first; t < std::min(triangles.size(), first + kBatch); ++t)
            corners.insert(corners.end(), triangles[t].begin(), triangles[t].end());
        std::sort(corners.begin(), corners.end());
        shaded += std::size_t(std::unique(corners.begin(), corners.end()) - corners.begin());
    }
    return double(shaded) / double(triangles.size());
}

} // namespace

class TestViewMath : public QObject
{
    Q_OBJECT
private slots:
    // The overlay tools: what shows after each click, in each display.
    void staticDisplayShowsThePairOnceComplete()
    {
        view::MeasureTool tool;
        QVERIFY(!tool.click(Vec3{1, 2, 3})); // off: the click is not the tool's
        tool.start(view::MeasureDisplay::Static);
        QVERIFY(tool.click(Vec3{0, 0, 0}));
        auto o = tool.overlay();
        QCOMPARE(o.points.size(), std::size_t(1));
        QVERIFY(!o.line);
        QVERIFY(!tool.followsPointer());
        tool.hover(Vec3{9, 9, 9}); // static ignores the pointer
        QCOMPARE(tool.overlay().points.size(), std::size_t(1));
        QVERIFY(tool.click(Vec3{3, 4, 12}));
        o = tool.overlay();
        QVERIFY(o.line);
        QCOMPARE(o.label, std::string("13.0 mm"));
        // A miss keeps the pair and says so; the next hit starts a new pair.
        QVERIFY(tool.click(std::nullopt));
        QCOMPARE(tool.overlay().label, std::string("13.0 mm"));
        QCOMPARE(tool.overlay().hint, std::string(view::MeasureTool::kMissText));
        tool.click(Vec3{5, 5, 5});
        QCOMPARE(tool.overlay().points.size(), std::size_t(1));
        QVERIFY(tool.overlay().hint.empty());
    }

    void dynamicDisplayFollowsThePointer()
    {
        view::MeasureTool tool;
        tool.start(view::MeasureDisplay::Dynamic);
        QVERIFY(!tool.followsPointer());
        tool.click(Vec3{0, 0, 0});
        QVERIFY(tool.followsPointer());
        tool.hover(Vec3{6, 8, 0});
        QCOMPARE(tool.overlay().label, std::string("10.0 mm"));
        tool.hover(std::nullopt); // off the scan: only the first point
        QVERIFY(!tool.overlay().line);
        tool.hover(Vec3{0, 0, 2.25});
        tool.click(Vec3{0, 0, 2.25});
        QVERIFY(!tool.followsPointer());
        QCOMPARE(tool.overlay().label, std::string("2.3 mm"));
    }

    void angleModeShowsTheSlope_data()
    {
        QTest::addColumn<Vec3>("second");
        QTest::addColumn<QString>("label");
        QTest::newRow("level") << Vec3{10, 0, 0} << "0.00 deg";
        QTest::newRow("45 up") << Vec3{3, 4, 5} << "45.00 deg";
        QTest::newRow("down counts as up") << Vec3{0, 10, -10} << "45.00 deg";
        QTest::newRow("straight up") << Vec3{0, 0, 7} << "90.00 deg";
        QTest::newRow("same point") << Vec3{0, 0, 0} << "0.00 deg";
    }
    void angleModeShowsTheSlope()
    {
        QFETCH(Vec3, second);
        QFETCH(QString, label);
        view::MeasureTool tool;
        tool.angleMode(); // ignored while off
        QCOMPARE(tool.mode(), view::MeasureTool::Mode::Off);
        tool.start(view::MeasureDisplay::Dynamic);
        tool.click(Vec3{0, 0, 0});
        tool.angleMode(); // starts the pair again
        QCOMPARE(tool.mode(), view::MeasureTool::Mode::Angle);
        QVERIFY(tool.overlay().points.empty());
        tool.click(Vec3{0, 0, 0});
        tool.click(second);
        QCOMPARE(QString::fromStdString(tool.overlay().label), label);
        tool.stop();
        QVERIFY(tool.overlay().points.empty());
    }

    void normalsAndEdges()
    {
        mesh::Mesh m;
        m.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 5, 5}};
        m.triangles = {{0, 1, 2}};
        const std::vector<float> n = view::vertexNormals(m);
        QCOMPARE(n.size(), std::size_t(12));
        QCOMPARE(n[2], 1.f); // +Z for a counter-clockwise triangle in XY
        QCOMPARE(n[11], 1.f); // a loose vertex still gets a unit normal
        QCOMPARE(view::wireframeIndices(m), (std::vector<std::uint32_t>{0, 1, 1, 2, 2, 0}));
    }

    // The drawing order holds every triangle once, each with its own corners
    // in its own order (so its winding and facing), whatever the mesh.
    void drawOrderKeepsEveryTriangle_data()
    {
        QTest::addColumn<mesh::Mesh>("mesh");
        QTest::newRow("empty") << mesh::Mesh{};
        QTest::newRow("one triangle") << grid(1, 1);
        QTest::newRow("strip of rows") << grid(40, 90);
        mesh::Mesh odd = grid(6, 7);
        odd.positions.push_back({9, 9, 9}); // a vertex of no triangle
        odd.triangles.push_back({3, 3, 20}); // a corner named twice
        odd.triangles.push_back(odd.triangles[5]); // the same triangle twice
        odd.triangles.push_back({10, 2, 1}); // opposite winding
        QTest::newRow("loose vertex, repeated corner and triangle") << odd;
        mesh::Mesh broken = grid(2, 2);
        broken.triangles.push_back({0, 1, 99}); // a corner past the vertices
        QTest::newRow("corner out of range") << broken;
    }
    void drawOrderKeepsEveryTriangle()
    {
        QFETCH(mesh::Mesh, mesh);
        const std::vector<mesh::Triangle> order = view::cacheFriendlyOrder(mesh);
        QCOMPARE(order.size(), mesh.triangles.size());
        QCOMPARE(sorted(order), sorted(mesh.triangles));
    }

    // Rows of a scan drawn in order shade each vertex about twice; the drawing
    // order keeps neighbours together and shades far fewer.
    void drawOrderShadesFewerVertices()
    {
        const mesh::Mesh m = grid(200, 500);
        const double before = shadedPerTriangle(m.triangles);
        const double after = shadedPerTriangle(view::cacheFriendlyOrder(m));
        QVERIFY2(before > 0.95, qPrintable(QString::number(before)));
        QVERIFY2(after < 0.7, qPrintable(QString::number(after)));
    }
};

QTEST_GUILESS_MAIN(TestViewMath)
#include "tst_viewmath.moc"
