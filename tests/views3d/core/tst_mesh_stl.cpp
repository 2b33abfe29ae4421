#include "mesh_fixtures.h"
#include "scan_repair.h"
#include "stl_reader.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace mesh;
namespace fx = mesh::fixtures;

Q_DECLARE_METATYPE(std::string)

class TestMeshStl : public QObject
{
    Q_OBJECT

private slots:
    void binaryKeepsEveryTriangleAndWelds();
    void binaryHeaderThatLooksLikeText_data();
    void binaryHeaderThatLooksLikeText();
    void asciiVariants_data();
    void asciiVariants();
    void weldsOnlyIdenticalPoints();
    void corruptFilesAreRefused_data();
    void corruptFilesAreRefused();
    void missingFileIsAnAccessError();
    void largeScansGiveTheSameMeshOnEveryCore();

private:
    QTemporaryDir m_dir;
    std::filesystem::path file(const char *name) const
    {
        return std::filesystem::path(m_dir.path().toStdString()) / name;
    }
};

void TestMeshStl::binaryKeepsEveryTriangleAndWelds()
{
    const Mesh source = fx::footLikeMesh(12, 9);
    const auto path = file("foot.stl");
    fx::writeFile(path, fx::binaryStl(source));

    const Model model = readStlFile(path);
    QCOMPARE(model.objects.size(), 1u);
    const Mesh &m = model.objects[0];
    QVERIFY(m.check().empty());
    // Every corner of the soup found its one shared vertex.
    QCOMPARE(m.positions.size(), source.positions.size());
    QCOMPARE(m.triangles.size(), source.triangles.size());
    QVERIFY(fx::sameSurface(m, source));
    QVERIFY(!m.hasColours());
    QCOMPARE(model.bounds(), source.bounds());
}

void TestMeshStl::binaryHeaderThatLooksLikeText_data()
{
    QTest::addColumn<std::string>("header");
    QTest::newRow("solid header") << std::string("solid foot exported as binary");
    QTest::newRow("comment after first line end") << std::string("scanner v2\r\n# calibrated\r\n");
    QTest::newRow("solid and comment") << std::string("SOLID x\n#\nfacet normal 0 0 0\n");
}

void TestMeshStl::binaryHeaderThatLooksLikeText()
{
    QFETCH(std::string, header);
    const Mesh source = fx::footLikeMesh(5, 4);
    const std::string bytes = fx::binaryStl(source, header);
    const auto path = file("header.stl");
    fx::writeFile(path, bytes);

    // The size marks it as binary before any look at the text, so the head
    // repair leaves it alone and the reader takes it as binary.
    QCOMPARE(checkStlFile(path), StlRepairOutcome::Unchanged);
    QCOMPARE(fx::readFile(path), bytes);
    const Model model = readStlFile(path);
    QVERIFY(fx::sameSurface(model.objects.at(0), source));
}

void TestMeshStl::asciiVariants_data()
{
    const Mesh source = fx::footLikeMesh(6, 5);
    QTest::addColumn<std::string>("text");
    QTest::newRow("LF") << fx::asciiStl(source);
    QTest::newRow("CR LF") << fx::asciiStl(source, "solid fixture", "\r\n");
    QTest::newRow("CR") << fx::asciiStl(source, "solid fixture", "\r");
    QTest::newRow("arbitrary header") << fx::asciiStl(source, "iQube 3D foot scan 2011", "\r\n");
    QTest::newRow("empty header line") << fx::asciiStl(source, "");
    std::string upper = fx::asciiStl(source, "SOLID X");
    for (const char *word : {"facet", "outer", "vertex", "endloop", "endfacet", "endsolid"}) {
        std::string from = word, to = word;
        for (char &c : to)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        for (std::size_t at = upper.find(" " + from); at != std::string::npos; at = upper.find(" " + from, at + 1))
            upper.replace(at + 1, from.size(), to);
        if (upper.starts_with(from))
            upper.replace(0, from.size(), to);
    }
    QTest::newRow("capital keywords") << upper;
    // Several solids are one foot: the second solid's facets follow the first's.
    Mesh firstHalf = source, secondHalf = source;
    firstHalf.triangles.resize(source.triangles.size() / 2);
    secondHalf.triangles.erase(secondHalf.triangles.begin(),
                               secondHalf.triangles.begin() + static_cast<long>(source.triangles.size() / 2));
    QTest::newRow("two solids") << fx::asciiStl(firstHalf) + fx::asciiStl(secondHalf, "solid second", "\r\n");
    std::string tabs = fx::asciiStl(source);
    for (std::size_t at = tabs.find("      vertex"); at != std::string::npos; at = tabs.find("      vertex", at))
        tabs.replace(at, 6, "\t");
    QTest::newRow("tab indents, blank lines, + signs")
        << tabs.insert(tabs.find('\n') + 1, "\n   \n").replace(tabs.find("vertex ") + 7, 0, "+");
}

void TestMeshStl::asciiVariants()
{
    QFETCH(std::string, text);
    const Mesh source = fx::footLikeMesh(6, 5);
    const Model model = parseStl(text, "ascii.stl");
    QCOMPARE(model.objects.size(), 1u);
    const Mesh &m = model.objects[0];
    QCOMPARE(m.positions.size(), source.positions.size());
    QVERIFY(fx::sameSurface(m, source));
}

void TestMeshStl::weldsOnlyIdenticalPoints()
{
    // A square of two triangles sharing an edge, a corner at -0, and a third
    // triangle whose corner differs from a square corner in the last bit.
    Mesh soup;
    const float nudged = std::nextafter(1.0f, 2.0f);
    soup.positions = {{0, 0, 0}, {1, 0, 0},      {1, 1, 0}, {-0.0, 0, 0}, {1, 1, 0},
                      {0, 1, 0}, {nudged, 0, 0}, {2, 0, 0}, {2, 1, 0}};
    soup.triangles = {{0, 1, 2}, {3, 4, 5}, {6, 7, 8}};
    const Model model = parseStl(fx::binaryStl(soup), "weld.stl");
    const Mesh &m = model.objects.at(0);
    QCOMPARE(m.positions.size(), 7u); // 4 square corners + 3 of the third triangle
    QCOMPARE(m.triangles[1][0], m.triangles[0][0]);
    QCOMPARE(m.triangles[1][1], m.triangles[0][2]);
    QVERIFY(m.triangles[2][0] != m.triangles[0][1]);
    QVERIFY(fx::sameSurface(m, soup));
}

void TestMeshStl::corruptFilesAreRefused_data()
{
    const Mesh source = fx::footLikeMesh(4, 4);
    const std::string binary = fx::binaryStl(source);
    const std::string ascii = fx::asciiStl(source);
    auto withCount = [&](std::uint32_t count) {
        std::string b = binary;
        for (int i = 0; i < 4; ++i)
            b[80 + i] = static_cast<char>((count >> (8 * i)) & 0xFF);
        return b;
    };
    std::string nan = binary;
    const float qnan = std::numeric_limits<float>::quiet_NaN();
    std::memcpy(&nan[84 + 50 * 3 + 12 + 4], &qnan, 4);

    QTest::addColumn<std::string>("bytes");
    QTest::addColumn<QString>("why");
    QTest::newRow("empty") << std::string() << "empty";
    QTest::newRow("shorter than a header") << std::string("\x01\x02\x03", 3) << "84 bytes";
    QTest::newRow("binary cut short") << binary.substr(0, binary.size() - 10) << "need";
    QTest::newRow("count one too many") << withCount(static_cast<std::uint32_t>(source.triangles.size() + 1)) << "need";
    QTest::newRow("count one too few") << withCount(static_cast<std::uint32_t>(source.triangles.size() - 1)) << "need";
    QTest::newRow("count of four billion") << withCount(0xFFFFFFFFu) << "4294967295 triangles";
    QTest::newRow("NaN corner") << nan << "finite";
    QTest::newRow("ascii cut inside a facet") << ascii.substr(0, ascii.size() / 2) << "cut short";
    QTest::newRow("ascii without endsolid") << ascii.substr(0, ascii.rfind("endsolid")) << "endsolid";
    QTest::newRow("ascii vertex of two numbers") << std::string(ascii).replace(
        ascii.find("vertex ") + 7, ascii.find('\n', ascii.find("vertex ")) - ascii.find("vertex ") - 7, "1 2")
                                                 << "three numbers";
    QTest::newRow("ascii facet of two vertices") << std::string(ascii).erase(
        ascii.find("      vertex"), ascii.find('\n', ascii.find("      vertex")) + 1 - ascii.find("      vertex"))
                                                 << "fewer than three";
    QTest::newRow("not STL at all") << std::string("hello\r\nthis is a letter\r\n") << "line 2";
    // A scan without a facet would open an empty view that looks loaded.
    QTest::newRow("ascii solid without facets") << std::string("solid x\r\nendsolid x\r\n") << "holds no faces";
    QTest::newRow("ascii solids without facets")
        << std::string("solid a\nendsolid a\nsolid b\nendsolid b\n") << "holds no faces";
    QTest::newRow("binary count of 0") << withCount(0).substr(0, 84) << "holds no faces";
    QTest::newRow("coordinate beyond float")
        << std::string(ascii).replace(ascii.find("vertex ") + 7, 0, "1e99") << "out of range";
}

void TestMeshStl::corruptFilesAreRefused()
{
    QFETCH(std::string, bytes);
    QFETCH(QString, why);
    try {
        parseStl(bytes, "scan.stl");
        QFAIL("a corrupt file was read");
    } catch (const MeshError &e) {
        QCOMPARE(e.kind(), MeshError::Kind::Format);
        const QString message = QString::fromStdString(e.what());
        QVERIFY2(message.startsWith("scan.stl"), qPrintable(message));
        QVERIFY2(message.contains(why), qPrintable(message));
    }
}

void TestMeshStl::missingFileIsAnAccessError()
{
    try {
        readStlFile(file("absent.stl"));
        QFAIL("a missing file was read");
    } catch (const MeshError &e) {
        QCOMPARE(e.kind(), MeshError::Kind::FileAccess);
        QVERIFY(QString::fromStdString(e.what()).contains("absent.stl"));
    }
}

void TestMeshStl::largeScansGiveTheSameMeshOnEveryCore()
{
    // Large enough to be read in several parallel stretches; the result must
    // be what one pass over the file gives.
    Mesh source = fx::footLikeMesh(std::size_t(120000));
    const auto binaryPath = file("large.stl");
    fx::writeFile(binaryPath, fx::binaryStl(source));
    const Model binary = readStlFile(binaryPath);
    // Vertices are numbered in the order their first corner appears.
    std::vector<std::uint32_t> renumbered(source.positions.size(), UINT32_MAX);
    std::vector<Vec3> firstSeen;
    std::vector<Triangle> expected = source.triangles;
    for (Triangle &t : expected)
        for (std::uint32_t &c : t) {
            if (renumbered[c] == UINT32_MAX) {
                renumbered[c] = static_cast<std::uint32_t>(firstSeen.size());
                firstSeen.push_back(source.positions[c]);
            }
            c = renumbered[c];
        }
    QCOMPARE(binary.objects.at(0).positions, firstSeen);
    QCOMPARE(binary.objects.at(0).triangles, expected);

    // One loop of four corners late in the file, fanned, and read from disk.
    const std::size_t quadAt = source.triangles.size() * 4 / 5;
    std::string text = fx::asciiStl(source, "solid big", "\r\n");
    std::size_t at = 0;
    for (std::size_t t = 0; t <= quadAt; ++t)
        at = text.find("endloop", at) + 1;
    at = text.rfind('\n', at) + 1;
    text.insert(at, "      vertex 1 2 3\r\n");
    const Triangle quad = source.triangles[quadAt];
    source.positions.push_back({1, 2, 3});
    source.triangles.insert(source.triangles.begin() + static_cast<long>(quadAt) + 1,
                            {quad[0], quad[2], static_cast<std::uint32_t>(source.positions.size() - 1)});
    const auto asciiPath = file("large_ascii.stl");
    fx::writeFile(asciiPath, text);
    const Model ascii = readStlFile(asciiPath);
    QCOMPARE(ascii.objects.at(0).positions.size(), source.positions.size());
    QVERIFY(fx::sameSurface(ascii.objects.at(0), source));

    // A fault late in the file is reported with its own line number.
    const std::size_t badAt = text.find("outer loop", text.size() * 9 / 10);
    const std::size_t badLine =
        1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<long>(badAt), '\n'));
    text.replace(badAt, 10, "outer lop");
    text.replace(badAt, 5, "xuter");
    try {
        parseStl(text, "big.stl");
        QFAIL("a faulty file was read");
    } catch (const MeshError &e) {
        QCOMPARE(QString::fromStdString(e.what()),
                 QString("big.stl is not a readable STL file: line %1: the line is not STL").arg(badLine));
    }
}

QTEST_APPLESS_MAIN(TestMeshStl)
#include "tst_mesh_stl.moc"
