// The sample scans read back through the program's own readers as closed,
// outward-facing feet with their texture photos beside them.
#include "samplefoot.h"
#include "stl_reader.h"
#include "vrml_reader.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

#include <map>

namespace {

// Every edge of a closed, consistently wound surface is walked once in each
// direction. Corners are compared by position, as the seam repeats them.
void verifyClosedAndWound(const mesh::Mesh &m)
{
    std::map<std::tuple<double, double, double>, std::uint32_t> ids;
    auto id = [&](std::uint32_t v) {
        const mesh::Vec3 &p = m.positions[v];
        return ids.emplace(std::make_tuple(p.x, p.y, p.z), std::uint32_t(ids.size())).first->second;
    };
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> directed;
    for (const mesh::Triangle &t : m.triangles)
        for (int k = 0; k < 3; ++k)
            ++directed[{id(t[k]), id(t[(k + 1) % 3])}];
    for (const auto &[edge, count] : directed) {
        QCOMPARE(count, 1);
        QVERIFY2(directed.count({edge.second, edge.first}) == 1, "an open or flipped edge");
    }
}

// Outward facing: the signed volume is positive.
double signedVolume(const mesh::Mesh &m)
{
    double v = 0;
    for (const mesh::Triangle &t : m.triangles) {
        const mesh::Vec3 &a = m.positions[t[0]], &b = m.positions[t[1]], &c = m.positions[t[2]];
        v += (a.x * (b.y * c.z - b.z * c.y) - a.y * (b.x * c.z - b.z * c.x) + a.z * (b.x * c.y - b.y * c.x)) / 6.0;
    }
    return v;
}

} // namespace

class TestSampleScans : public QObject
{
    Q_OBJECT
private slots:
    void feetAreClosedOutwardAndFootSized_data()
    {
        QTest::addColumn<bool>("right");
        QTest::newRow("left") << false;
        QTest::newRow("right") << true;
    }
    void feetAreClosedOutwardAndFootSized()
    {
        QFETCH(bool, right);
        const mesh::Model model = samples::makeFoot(right ? samples::Foot::Right : samples::Foot::Left, 3000);
        QCOMPARE(model.objects.size(), std::size_t(1));
        const mesh::Mesh &m = model.objects[0];
        QCOMPARE(m.check(), std::string());
        QVERIFY(m.triangles.size() > 2500 && m.triangles.size() < 3500);
        verifyClosedAndWound(m);
        QVERIFY(signedVolume(m) > 0);
        const mesh::Vec3 size = m.bounds().size();
        QVERIFY(size.x > 240 && size.x < 280); // length
        QVERIFY(size.y > 80 && size.y < 120); // width
        QVERIFY(size.z > 60 && size.z < 100); // height
        QVERIFY(m.bounds().min.z > -10); // the sole rests on the XY plane
    }

    void writtenScansReadBack()
    {
        QTemporaryDir dir;
        const QStringList written = samples::writeSampleScans(dir.path(), 2000);
        QCOMPARE(written.size(), 4);
        const mesh::Mesh left = samples::makeFoot(samples::Foot::Left, 2000).objects[0];

        const mesh::Model vrml = mesh::readVrmlFile(written[0].toStdString());
        QCOMPARE(vrml.objects.size(), std::size_t(1));
        QCOMPARE(vrml.objects[0].triangles.size(), left.triangles.size());
        QCOMPARE(vrml.objects[0].texCoords.size(), vrml.objects[0].positions.size());
        const QString picture = dir.filePath(QStringLiteral("Sample_Anna_L[VRML].Jpg"));
        QCOMPARE(QString::fromStdString(vrml.objects[0].texturePath), picture);
        QVERIFY(!QImage(picture).isNull());
        QVERIFY(QFile::exists(dir.filePath(QStringLiteral("Sample_Anna_R[VRML].Jpg"))));

        const QByteArray stl = samples::binaryStl(left);
        QCOMPARE(mesh::binaryStlTriangleCount({stl.constData(), std::size_t(stl.size())}),
                 std::int64_t(left.triangles.size()));
        const mesh::Model read = mesh::readStlFile(written[2].toStdString());
        QCOMPARE(read.objects[0].triangles.size(), left.triangles.size());
        verifyClosedAndWound(read.objects[0]);
        QVERIFY(std::abs(signedVolume(read.objects[0]) - signedVolume(left)) < 1e-3 * signedVolume(left));
    }
};

QTEST_MAIN(TestSampleScans)
#include "tst_samplescans.moc"
