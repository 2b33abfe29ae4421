// The viewport's drawing arithmetic and measuring overlay tool, without a window.
#include "measure_tool.h"
#include "mesh_draw.h"

#include <QtTest>

using mesh::Vec3;
Q_DECLARE_METATYPE(mesh::Vec3)

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
};

QTEST_GUILESS_MAIN(TestViewMath)
#include "tst_viewmath.moc"
