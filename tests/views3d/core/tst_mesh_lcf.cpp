#include "lcf_file.h"
#include "mesh_fixtures.h"

#include <QTemporaryDir>
#include <QtTest>

#include <bit>
#include <cmath>

using namespace mesh;
namespace fx = mesh::fixtures;

Q_DECLARE_METATYPE(std::string)

namespace {

// Two objects that use every field, with values that only a bit-exact
// format keeps: -0, the smallest subnormal, the largest double.
Model richModel()
{
    Model model;
    Mesh foot = fx::footLikeMesh(7, 5, true);
    foot.name = "LeftFootMesh";
    foot.texturePath = "D:\\Scans\\Foot_L[VRML].Jpg";
    foot.creaseAngle = 40;
    for (std::size_t i = 0; i < foot.positions.size(); ++i)
        foot.texCoords.push_back({i / 35.0, 1 - i / 35.0});
    foot.positions[0] = {-0.0, std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max()};
    foot.positions[1].x = 0.1 + 0.2;
    model.objects.push_back(foot);
    Mesh plain = fx::footLikeMesh(3, 3);
    plain.name = "Zehe \xC3\xBC"; // UTF-8 kept as bytes
    model.objects.push_back(plain);
    model.objects.push_back(Mesh{}); // an empty object is still an object
    return model;
}

std::string hex(std::string_view bytes)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (const char c : bytes) {
        out += digits[(static_cast<unsigned char>(c) >> 4) & 0xF];
        out += digits[static_cast<unsigned char>(c) & 0xF];
    }
    return out;
}

void expectRefused(std::string_view bytes, const char *why)
{
    try {
        decodeLcf(bytes, "foot.lcf");
        QFAIL("a damaged model file was read");
    } catch (const MeshError &e) {
        const QString message = QString::fromStdString(e.what());
        QVERIFY2(message.startsWith("foot.lcf is not a readable model file"), qPrintable(message));
        QVERIFY2(message.contains(why), qPrintable(message));
    }
}

// Rewrites the trailing checksum so a test reaches the checks behind it.
std::string resealed(std::string bytes)
{
    bytes.resize(bytes.size() - 4);
    // CRC-32, as the format text gives it.
    std::uint32_t c = 0xFFFFFFFFu;
    for (const char ch : bytes) {
        c ^= static_cast<unsigned char>(ch);
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    }
    c ^= 0xFFFFFFFFu;
    for (int i = 0; i < 4; ++i)
        bytes.push_back(static_cast<char>((c >> (8 * i)) & 0xFF));
    return bytes;
}

void putU32(std::string &bytes, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

} // namespace

class TestMeshLcf : public QObject
{
    Q_OBJECT

private slots:
    void roundTripIsBitExact();
    void emptyModelIsSmall();
    void layoutIsPinned();
    void checksumIsCrc32_data();
    void checksumIsCrc32();
    void fileSaveAndLoad();
    void everyTruncationIsRefused();
    void everyFlippedByteIsRefused();
    void lyingCountsAreRefused();
    void nonFiniteNumbersAreRefused_data();
    void nonFiniteNumbersAreRefused();
    void invalidModelIsNotSaved();
};

void TestMeshLcf::roundTripIsBitExact()
{
    const Model model = richModel();
    const std::string bytes = encodeLcf(model);
    QCOMPARE(encodeLcf(model), bytes); // the same bytes every time
    const Model back = decodeLcf(bytes, "rich.lcf");
    QCOMPARE(back, model);
    QCOMPARE(std::bit_cast<std::uint64_t>(back.objects[0].positions[0].x), std::bit_cast<std::uint64_t>(-0.0));
    QCOMPARE(encodeLcf(back), bytes);
}

void TestMeshLcf::emptyModelIsSmall()
{
    const std::string bytes = encodeLcf(Model{});
    QVERIFY(bytes.size() < 100);
    QVERIFY(decodeLcf(bytes, "empty.lcf").empty());
}

void TestMeshLcf::layoutIsPinned()
{
    // One triangle with colours, as LCF_FORMAT.md lays it out. A change of
    // these bytes breaks every model file already saved.
    Model model;
    Mesh m;
    m.name = "T";
    m.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    m.colours = {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 128}};
    m.triangles = {{0, 1, 2}};
    m.creaseAngle = 40;
    model.objects.push_back(m);
    const std::string pinned = "534c4346"
                               "01000000"
                               "01000000" // "SLCF", version 1, one object
                               "01000000"
                               "03000000"
                               "01000000" // colours; 3 vertices, 1 triangle
                               "0000000000004440" // crease angle 40.0
                               "01000000"
                               "54"
                               "00000000" // name "T", no texture path
                               "000000000000000000000000000000000000000000000000" // (0, 0, 0)
                               "000000000000f03f00000000000000000000000000000000" // (1, 0, 0)
                               "0000000000000000000000000000f03f0000000000000000" // (0, 1, 0)
                               "ff0000ff"
                               "00ff00ff"
                               "0000ff80" // colours
                               "00000000"
                               "01000000"
                               "02000000" // the triangle
                               "734e1b63"; // CRC-32
    QCOMPARE(hex(encodeLcf(model)), pinned);
    QCOMPARE(hex(encodeLcf(Model{})), std::string("534c4346"
                                                  "01000000"
                                                  "00000000"
                                                  "0b03cdf8"));
}

void TestMeshLcf::checksumIsCrc32_data()
{
    // The published check values of CRC-32; the longer texts run through
    // the eight-byte steps and end in a shorter tail.
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<uint>("crc");
    QTest::newRow("nothing") << QByteArray() << 0u;
    QTest::newRow("a") << QByteArray("a") << 0xE8B7BE43u;
    QTest::newRow("digits") << QByteArray("123456789") << 0xCBF43926u;
    QTest::newRow("fox") << QByteArray("The quick brown fox jumps over the lazy dog") << 0x414FA339u;
}

void TestMeshLcf::checksumIsCrc32()
{
    QFETCH(QByteArray, bytes);
    QFETCH(uint, crc);
    QCOMPARE(lcfChecksum(std::string_view(bytes.constData(), std::size_t(bytes.size()))), crc);
}

void TestMeshLcf::fileSaveAndLoad()
{
    QTemporaryDir dir;
    const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) / "Foot_L.Lcf";
    fx::writeFile(path, "an older model");
    const Model model = richModel();
    saveLcfFile(model, path);
    QCOMPARE(loadLcfFile(path), model);
    QCOMPARE(fx::readFile(path), encodeLcf(model));
    QCOMPARE(std::distance(std::filesystem::directory_iterator(dir.path().toStdString()),
                           std::filesystem::directory_iterator()),
             1);
}

void TestMeshLcf::everyTruncationIsRefused()
{
    Model model;
    model.objects.push_back(fx::footLikeMesh(3, 3, true));
    model.objects[0].texCoords.resize(model.objects[0].positions.size());
    const std::string bytes = encodeLcf(model);
    for (std::size_t n = 0; n < bytes.size(); ++n)
        QVERIFY_THROWS_EXCEPTION(MeshError, decodeLcf(std::string_view(bytes).substr(0, n), "cut.lcf"));
    expectRefused(bytes + std::string(1, '\0'), "checksum");
    expectRefused(resealed(bytes + std::string(8, '\0')), "after its last object");
}

void TestMeshLcf::everyFlippedByteIsRefused()
{
    Model model;
    model.objects.push_back(fx::footLikeMesh(3, 3, true));
    const std::string bytes = encodeLcf(model);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        std::string damaged = bytes;
        damaged[i] = static_cast<char>(damaged[i] ^ 0x10);
        QVERIFY_THROWS_EXCEPTION(MeshError, decodeLcf(damaged, "flip.lcf"));
    }
}

void TestMeshLcf::lyingCountsAreRefused()
{
    Model model;
    Mesh m;
    m.name = "ab";
    m.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    m.triangles = {{0, 1, 2}};
    model.objects.push_back(m);
    const std::string bytes = encodeLcf(model);
    // Offsets: 12 header, then flags 12, vertices 16, triangles 20, crease 24,
    // name length 32, name 36, texture length 38, positions 42, triangles 114.
    auto with = [&](std::size_t at, std::uint32_t v) {
        std::string b = bytes;
        putU32(b, at, v);
        return resealed(b);
    };
    expectRefused(with(8, 0xFFFFFFFFu), "objects");
    expectRefused(with(8, 2), "ends too early");
    expectRefused(with(16, 0xFFFFFFFFu), "more than the file holds");
    expectRefused(with(20, 0x40000000u), "more than the file holds");
    expectRefused(with(32, 0xFFFFFFF0u), "ends too early");
    expectRefused(with(12, 4), "unknown flags");
    expectRefused(with(4, 2), "version 2");
    expectRefused(with(114 + 8, 3), "names vertex 3");
    std::string nan = bytes;
    const auto bits = std::bit_cast<std::uint64_t>(std::numeric_limits<double>::quiet_NaN());
    putU32(nan, 42, static_cast<std::uint32_t>(bits));
    putU32(nan, 46, static_cast<std::uint32_t>(bits >> 32));
    expectRefused(resealed(nan), "not a finite position");
    expectRefused("SLCX" + bytes.substr(4), "not a model file of this program");
    expectRefused(std::string_view(bytes).substr(0, 8), "not a model file of this program");
}

void TestMeshLcf::nonFiniteNumbersAreRefused_data()
{
    // One triangle with texture coordinates and the name "ab": header 12,
    // crease angle at 24, positions from 42, texture coordinates from 114.
    QTest::addColumn<int>("offset");
    QTest::addColumn<double>("value");
    const struct
    {
        const char *field;
        int offset;
    } fields[] = {{"crease angle", 24},     {"first x", 42},  {"second y", 42 + 24 + 8},
                  {"last z", 42 + 48 + 16}, {"first u", 114}, {"last v", 114 + 32 + 8}};
    const struct
    {
        const char *name;
        double value;
    } values[] = {{"NaN", std::numeric_limits<double>::quiet_NaN()},
                  {"infinity", std::numeric_limits<double>::infinity()},
                  {"minus infinity", -std::numeric_limits<double>::infinity()}};
    for (const auto &field : fields)
        for (const auto &value : values)
            QTest::addRow("%s %s", field.field, value.name) << field.offset << value.value;
}

void TestMeshLcf::nonFiniteNumbersAreRefused()
{
    QFETCH(int, offset);
    QFETCH(double, value);
    Model model;
    Mesh m;
    m.name = "ab";
    m.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    m.texCoords = {{0, 0}, {1, 0}, {0, 1}};
    m.triangles = {{0, 1, 2}};
    m.creaseAngle = 40;
    model.objects.push_back(m);
    std::string bytes = encodeLcf(model);
    QCOMPARE(bytes.size(), std::size_t(114 + 48 + 12 + 4));
    const auto bits = std::bit_cast<std::uint64_t>(value);
    putU32(bytes, std::size_t(offset), static_cast<std::uint32_t>(bits));
    putU32(bytes, std::size_t(offset) + 4, static_cast<std::uint32_t>(bits >> 32));
    bytes = resealed(bytes);
    // The program's own checksum agrees with the format text's.
    QCOMPARE(lcfChecksum(std::string_view(bytes).substr(0, bytes.size() - 4)),
             std::uint32_t(static_cast<unsigned char>(bytes[bytes.size() - 4]))
                 | std::uint32_t(static_cast<unsigned char>(bytes[bytes.size() - 3])) << 8
                 | std::uint32_t(static_cast<unsigned char>(bytes[bytes.size() - 2])) << 16
                 | std::uint32_t(static_cast<unsigned char>(bytes[bytes.size() - 1])) << 24);
    expectRefused(bytes, "not a finite");
    // What the reader refuses, the writer never writes.
    QVERIFY_THROWS_EXCEPTION(MeshError, encodeLcf(Model{{[&] {
                                 Mesh bad = m;
                                 if (offset == 24)
                                     bad.creaseAngle = value;
                                 else if (offset >= 114)
                                     bad.texCoords[2].v = value;
                                 else
                                     bad.positions[0].x = value;
                                 return bad;
                             }()}}));
}

void TestMeshLcf::invalidModelIsNotSaved()
{
    Model model;
    model.objects.resize(2);
    model.objects[1].positions = {{0, 0, 0}};
    model.objects[1].triangles = {{0, 0, 1}};
    QVERIFY_THROWS_EXCEPTION(MeshError, encodeLcf(model));
    model.objects[1].triangles.clear();
    model.objects[1].colours.resize(2);
    QVERIFY_THROWS_EXCEPTION(MeshError, encodeLcf(model));
    model.objects[1].colours.clear();
    model.objects[1].positions[0].y = std::nan("");
    QVERIFY_THROWS_EXCEPTION(MeshError, encodeLcf(model));
}

QTEST_APPLESS_MAIN(TestMeshLcf)
#include "tst_mesh_lcf.moc"
