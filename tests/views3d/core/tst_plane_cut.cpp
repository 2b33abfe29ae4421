#include "mesh_fixtures.h"
#include "plane_cut.h"
#include "shape_fixtures.h"
#include "trim_state.h"

#include <QtTest>

#include <cmath>

using namespace mesh;
namespace fx = mesh::fixtures;
namespace sh = mesh::shapes;

namespace {

// A 40 x 30 x 40 box whose colour and texture v follow z, so values on the
// cut show whether they were interpolated.
Mesh colouredBox()
{
    Mesh m = sh::box({0, 0, 0}, {40, 30, 40});
    for (const Vec3 &p : m.positions) {
        const bool top = p.z > 0;
        m.colours.push_back(top ? Rgba{200, 100, 51, 255} : Rgba{0, 0, 0, 255});
        m.texCoords.push_back({p.x / 40, p.z / 40});
    }
    m.texturePath = "Foot_L[VRML].Jpg";
    m.creaseAngle = 40;
    return m;
}

double dotWith(const Vec3 &p, const Plane &plane)
{
    const Vec3 d{p.x - plane.origin.x, p.y - plane.origin.y, p.z - plane.origin.z};
    return d.x * plane.normal.x + d.y * plane.normal.y + d.z * plane.normal.z;
}

} // namespace

class TestPlaneCut : public QObject
{
    Q_OBJECT

private slots:
    void boxAtZ20_data();
    void boxAtZ20();
    void refusedAndUnchanged_data();
    void refusedAndUnchanged();
    void tiltedCutsShareTheSurface();
    void planeThroughVerticesMakesNoSlivers();
    void trimPanel_data();
    void trimPanel();
    void stepsAreSharedAndResetOnOpening();
    void cutAboveTurnsThePlaneRound();
};

void TestPlaneCut::boxAtZ20_data()
{
    QTest::addColumn<bool>("cutAbove");
    QTest::newRow("below removed") << false;
    QTest::newRow("Cut Above") << true;
}

void TestPlaneCut::boxAtZ20()
{
    QFETCH(bool, cutAbove);
    TrimSteps steps;
    TrimPlaneState trim;
    trim.init(steps);
    trim.up(steps);
    trim.up(steps); // 10 + 5 + 5
    QCOMPARE(trim.heightText(), std::string("20.0"));

    Mesh m = colouredBox();
    QCOMPARE(cutMesh(m, trim.cuttingPlane(cutAbove)), CutOutcome::Cut);
    QCOMPARE(m.check(), std::string());
    const Bounds b = m.bounds();
    QCOMPARE(b.min.z, cutAbove ? 0.0 : 20.0);
    QCOMPARE(b.max.z, cutAbove ? 20.0 : 40.0);
    QCOMPARE(b.size().x, 40.0);
    QCOMPARE(b.size().y, 30.0);
    // One lid of 40 x 30 and four walls 20 high.
    QVERIFY(std::abs(sh::area(m) - (1200 + 140 * 20)) < 1e-9);
    // Four old corners, and eight on the cut (each wall's upright edges and
    // its diagonal), each made once and shared by the triangles beside it.
    QCOMPARE(m.positions.size(), std::size_t(12));
    QCOMPARE(sh::badEdges(m), 0);
    const auto rim = sh::openEdges(m);
    QCOMPARE(rim.size(), std::size_t(8));
    for (const auto &[a, b2] : rim) {
        QCOMPARE(m.positions[a].z, 20.0);
        QCOMPARE(m.positions[b2].z, 20.0);
    }
    for (std::size_t v = 0; v < m.positions.size(); ++v) {
        if (m.positions[v].z != 20)
            continue;
        // Half way up: colours and texture v half way between bottom and top.
        QCOMPARE(m.colours[v], (Rgba{100, 50, 26, 255}));
        QCOMPARE(m.texCoords[v].v, 0.5);
        QCOMPARE(m.texCoords[v].u, m.positions[v].x / 40);
    }
    QCOMPARE(m.texturePath, std::string("Foot_L[VRML].Jpg"));
    QCOMPARE(m.creaseAngle, 40.0);
}

void TestPlaneCut::refusedAndUnchanged_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("nz");
    QTest::addColumn<int>("outcome");
    QTest::newRow("above everything") << 50.0 << 1.0 << int(CutOutcome::WouldLeaveNothing);
    QTest::newRow("Cut Above under everything") << -1.0 << -1.0 << int(CutOutcome::WouldLeaveNothing);
    QTest::newRow("under everything") << -5.0 << 1.0 << int(CutOutcome::NothingRemoved);
    QTest::newRow("zero normal") << 20.0 << 0.0 << int(CutOutcome::InvalidPlane);
    QTest::newRow("NaN normal") << 20.0 << std::nan("") << int(CutOutcome::InvalidPlane);
}

void TestPlaneCut::refusedAndUnchanged()
{
    QFETCH(double, height);
    QFETCH(double, nz);
    QFETCH(int, outcome);
    Mesh m = colouredBox();
    const Mesh original = m;
    QCOMPARE(int(cutMesh(m, Plane{{0, 0, height}, {0, 0, nz}})), outcome);
    QCOMPARE(m, original);
}

void TestPlaneCut::tiltedCutsShareTheSurface()
{
    const Mesh foot = fx::footLikeMesh(80, 40, true);
    const double whole = sh::area(foot);
    TrimSteps steps;
    TrimPlaneState trim;
    trim.init(steps);
    steps.choose(20);
    trim.up(steps);
    trim.up(steps); // 50, through the tube's upper half
    trim.east(steps);
    trim.north(steps); // normal (sin 10, sin 10, cos 10)
    for (const bool cutAbove : {false, true}) {
        const Plane plane = trim.cuttingPlane(cutAbove);
        Mesh part = foot;
        QCOMPARE(cutMesh(part, plane), CutOutcome::Cut);
        QCOMPARE(part.check(), std::string());
        QCOMPARE(sh::badEdges(part), 0);
        for (const Vec3 &p : part.positions)
            QVERIFY(dotWith(p, plane) > -1e-9);
        for (const auto &[a, b] : sh::openEdges(part)) {
            QVERIFY(std::abs(dotWith(part.positions[a], plane)) < 1e-9);
            QVERIFY(std::abs(dotWith(part.positions[b], plane)) < 1e-9);
        }
        Mesh rest = foot;
        QCOMPARE(cutMesh(rest, Plane{plane.origin, {-plane.normal.x, -plane.normal.y, -plane.normal.z}}),
                 CutOutcome::Cut);
        // Both sides together are the whole surface, nothing lost or doubled.
        QVERIFY(std::abs(sh::area(part) + sh::area(rest) - whole) < 1e-9 * whole);
    }
}

void TestPlaneCut::planeThroughVerticesMakesNoSlivers()
{
    // Through the bottom corners, keeping the side below: only the bottom stays.
    Mesh m = sh::box({0, 0, 0}, {40, 30, 40});
    QCOMPARE(cutMesh(m, Plane{{0, 0, 0}, {0, 0, -1}}), CutOutcome::Cut);
    QCOMPARE(m.triangles.size(), std::size_t(2));
    QCOMPARE(m.positions.size(), std::size_t(4));
    QVERIFY(std::abs(sh::area(m) - 1200) < 1e-9);
}

void TestPlaneCut::trimPanel_data()
{
    QTest::addColumn<QString>("presses");
    QTest::addColumn<QString>("height");
    QTest::addColumn<double>("tiltNS");
    QTest::addColumn<double>("tiltEW");
    QTest::addColumn<double>("nx");
    QTest::addColumn<double>("ny");
    QTest::addColumn<double>("nz");
    const double s10 = std::sin(10 / 57.29577951), c10 = std::cos(10 / 57.29577951);
    const double s5 = std::sin(5 / 57.29577951);
    QTest::newRow("opened") << ""
                            << "10.0" << 0.0 << 0.0 << 0.0 << 0.0 << 1.0;
    QTest::newRow("Down x3") << "Down Down Down"
                             << "-5.0" << 0.0 << 0.0 << 0.0 << 0.0 << 1.0;
    QTest::newRow("Down x2 reaches 0.0") << "Down Down"
                                         << "0.0" << 0.0 << 0.0 << 0.0 << 0.0 << 1.0;
    QTest::newRow("20 Up") << "20 Up"
                           << "30.0" << 0.0 << 0.0 << 0.0 << 0.0 << 1.0;
    QTest::newRow("20 N N") << "20 N N"
                            << "10.0" << 20.0 << 0.0 << 0.0 << std::sin(20 / 57.29577951) << std::cos(20 / 57.29577951);
    QTest::newRow("1 Down 5 Up") << "1 Down 5 Up"
                                 << "14.0" << 0.0 << 0.0 << 0.0 << 0.0 << 1.0;
    QTest::newRow("N x13 stops at 60") << "N N N N N N N N N N N N N"
                                       << "10.0" << 60.0 << 0.0 << 0.0 << std::sin(60 / 57.29577951)
                                       << std::cos(60 / 57.29577951);
    QTest::newRow("S x13 stops at -60") << "S S S S S S S S S S S S S"
                                        << "10.0" << -60.0 << 0.0 << 0.0 << -std::sin(60 / 57.29577951)
                                        << std::cos(60 / 57.29577951);
    QTest::newRow("57.5 plus 5 is 60") << "N N N N N N N N N N N 5 N 10 N"
                                       << "10.0" << 60.0 << 0.0 << 0.0 << std::sin(60 / 57.29577951)
                                       << std::cos(60 / 57.29577951);
    QTest::newRow("E W level again") << "E W"
                                     << "10.0" << 0.0 << 0.0 << 0.0 << 0.0 << 1.0;
    QTest::newRow("N E W keeps the NS sine") << "N E W"
                                             << "10.0" << 5.0 << 0.0 << 0.0 << s5 << 1.0;
    QTest::newRow("20 E N") << "20 E N"
                            << "10.0" << 10.0 << 10.0 << s10 << s10 << c10;
    QTest::newRow("E x20 W x20") << "E E E E E E E E E E E E E E E E E E E E W W W W W W W W W W W W W W W W W W W W"
                                 << "10.0" << 0.0 << -40.0 << -std::sin(40 / 57.29577951) << 0.0
                                 << std::cos(40 / 57.29577951);
    QTest::newRow("1 tilt is 0.5") << "1 E Up Up"
                                   << "12.0" << 0.0 << 0.5 << std::sin(0.5 / 57.29577951) << 0.0
                                   << std::cos(0.5 / 57.29577951);
    QTest::newRow("tilts leave the height") << "Up 20 N E Down"
                                            << "-5.0" << 10.0 << 10.0 << s10 << s10 << c10;
}

void TestPlaneCut::trimPanel()
{
    QFETCH(QString, presses);
    QFETCH(QString, height);
    QFETCH(double, tiltNS);
    QFETCH(double, tiltEW);
    QFETCH(double, nx);
    QFETCH(double, ny);
    QFETCH(double, nz);
    TrimSteps steps;
    steps.choose(1); // whatever the last panel left, opening resets it
    TrimPlaneState trim;
    trim.north(steps);
    trim.init(steps);
    for (const QString &press : presses.split(' ', Qt::SkipEmptyParts)) {
        if (press == "Up")
            trim.up(steps);
        else if (press == "Down")
            trim.down(steps);
        else if (press == "N")
            trim.north(steps);
        else if (press == "S")
            trim.south(steps);
        else if (press == "E")
            trim.east(steps);
        else if (press == "W")
            trim.west(steps);
        else
            steps.choose(press.toInt());
    }
    QCOMPARE(QString::fromStdString(trim.heightText()), height);
    QCOMPARE(trim.tiltNS(), tiltNS);
    QCOMPARE(trim.tiltEW(), tiltEW);
    QCOMPARE(trim.point().x, 0.0);
    QCOMPARE(trim.point().y, 0.0);
    QVERIFY2(std::abs(trim.normal().x - nx) < 1e-12, qPrintable(QString::number(trim.normal().x)));
    QVERIFY2(std::abs(trim.normal().y - ny) < 1e-12, qPrintable(QString::number(trim.normal().y)));
    QVERIFY2(std::abs(trim.normal().z - nz) < 1e-12, qPrintable(QString::number(trim.normal().z)));
}

void TestPlaneCut::stepsAreSharedAndResetOnOpening()
{
    TrimSteps shared;
    QCOMPARE(shared.move, 5.0);
    QCOMPARE(shared.tilt, 5.0); // a pair no step button sets
    const std::pair<int, std::pair<double, double>> buttons[] = {
        {20, {20, 10}}, {10, {10, 5}}, {5, {5, 2.5}}, {1, {1, 0.5}}};
    for (const auto &[button, expected] : buttons) {
        shared.choose(button);
        QCOMPARE(shared.move, expected.first);
        QCOMPARE(shared.tilt, expected.second);
    }
    shared.choose(7); // no such button
    QCOMPARE(shared.move, 1.0);
    // "1" in the left panel, then the right panel opens: both steps are 5 again.
    TrimPlaneState left, right;
    left.init(shared);
    shared.choose(1);
    left.up(shared);
    QCOMPARE(left.heightText(), std::string("11.0"));
    right.init(shared);
    QCOMPARE(shared.move, 5.0);
    QCOMPARE(shared.tilt, 5.0);
    left.up(shared);
    QCOMPARE(left.heightText(), std::string("16.0"));
    QCOMPARE(right.heightText(), std::string("10.0"));
}

void TestPlaneCut::cutAboveTurnsThePlaneRound()
{
    TrimSteps steps;
    TrimPlaneState trim;
    trim.init(steps);
    trim.east(steps);
    trim.south(steps);
    const Plane shown = trim.displayPlane();
    const Plane below = trim.cuttingPlane(false);
    const Plane above = trim.cuttingPlane(true);
    QCOMPARE(below.normal, shown.normal);
    QCOMPARE(above.normal, (Vec3{-shown.normal.x, -shown.normal.y, -shown.normal.z}));
    QCOMPARE(above.origin, (Vec3{0, 0, 10}));
}

QTEST_GUILESS_MAIN(TestPlaneCut)
#include "tst_plane_cut.moc"
