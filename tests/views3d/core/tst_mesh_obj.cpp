#include "leading_number.h"
#include "mesh_fixtures.h"
#include "obj_reader.h"
#include "parallel.h"

#include <QTemporaryDir>
#include <QtTest>

#include <bit>
#include <limits>

using namespace mesh;
namespace fx = mesh::fixtures;

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(mesh::Vec3)
Q_DECLARE_METATYPE(mesh::Rgba)
Q_DECLARE_METATYPE(std::vector<mesh::Triangle>)

namespace {
const Vec3 kNoVertex{-1e300, 0, 0};
}

class TestMeshObj : public QObject
{
    Q_OBJECT

private slots:
    void leadingNumbers_data();
    void leadingNumbers();
    void leadingNumbersToTheBit_data();
    void leadingNumbersToTheBit();
    void vertexLines_data();
    void vertexLines();
    void faceLines_data();
    void faceLines();
    void badFaceKeepsTheFacesBeforeIt_data();
    void badFaceKeepsTheFacesBeforeIt();
    void fileWithoutVerticesBuildsNothing();
    void colourOutOfRangeFailsTheRead_data();
    void colourOutOfRangeFailsTheRead();
    void countsBoxAndMtlLib();
    void generatedScanRoundTrips();
    void fileReadRepairsLineEndsAndAnnouncesPasses();
    void scansWithoutFacesOrTextAreRefused_data();
    void scansWithoutFacesOrTextAreRefused();
    void lineEndsAndNulsFoundInEveryChunk_data();
    void lineEndsAndNulsFoundInEveryChunk();
    void largeScansGiveTheSameMeshOnEveryCore();
};

void TestMeshObj::leadingNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("slashed face corner") << "7/3/2" << 7.0;
    QTest::newRow("double slash") << "7//2" << 7.0;
    QTest::newRow("negative fraction") << "-.5" << -0.5;
    QTest::newRow("plus sign") << "+3" << 3.0;
    QTest::newRow("trailing point") << "5." << 5.0;
    QTest::newRow("second point stops") << "1.2.3" << 1.2;
    QTest::newRow("no digits") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("lone point") << "." << 0.0;
    QTest::newRow("exponent") << "1.5e-05" << 1.5e-05;
    QTest::newRow("capital exponent with sign") << "2E+2" << 200.0;
    QTest::newRow("dangling exponent") << "3e" << 3.0;
    QTest::newRow("underflow") << "1e-400" << 0.0;
    QTest::newRow("no inf") << "inf" << 0.0;
    QTest::newRow("no nan") << "nan" << 0.0;
}

void TestMeshObj::leadingNumbers()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    const ParsedNumber n = leadingNumber(text.toStdString());
    QVERIFY(n.finite);
    QCOMPARE(n.value, value);
    QVERIFY(!leadingNumber("1e400").finite);
    QVERIFY(!leadingNumber(std::string(400, '9')).finite);
}

// Numbers are read in one pass and handed to the general read only when
// that pass cannot be sure of the bits. Both must give what the general read
// always gave, to the bit: the sign of zero, the last bit of 17 and more
// significant digits, ties between two doubles, where the number stops.
void TestMeshObj::leadingNumbersToTheBit_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("length");
    QTest::addColumn<bool>("finite");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("17 significant digits") << "168.99647521972656" << 168.99647521972656 << 18 << true;
    QTest::newRow("17 digits, 15 after the point") << "40.435455322265625" << 40.435455322265625 << 18 << true;
    QTest::newRow("negative, 17 digits") << "-0.0012345678901234567" << -0.0012345678901234567 << 22 << true;
    QTest::newRow("colour") << "0.501961" << 0.501961 << 8 << true;
    QTest::newRow("halfway between two doubles") << "9007199254740993" << 9007199254740992.0 << 16 << true;
    // Rounded to 64 bits first, these land exactly halfway between two
    // doubles, and rounding that again would give the wrong neighbour.
    QTest::newRow("17 digits near halfway") << "477.17341268111565" << 477.17341268111565 << 18 << true;
    QTest::newRow("19 digits near halfway") << "5235.470507929010182" << 5235.470507929010182 << 20 << true;
    QTest::newRow("just past halfway") << "9007199254740993.0000001" << 9007199254740994.0 << 24 << true;
    QTest::newRow("19 significant digits") << "1234567890123456789" << 1234567890123456789.0 << 19 << true;
    QTest::newRow("20 significant digits") << "98765432109876543210" << 98765432109876543210.0 << 20 << true;
    QTest::newRow("runs of eight digits") << "12345678.12345678" << 12345678.12345678 << 17 << true;
    QTest::newRow("zeros, then 20 significant digits")
        << "000.00098765432109876543210" << 0.00098765432109876543210 << 27 << true;
    QTest::newRow("leading zeros count for nothing") << "0000000000000000000000.5" << 0.5 << 24 << true;
    QTest::newRow("zeros after the point") << "0.000000000000000000000000001" << 1e-27 << 29 << true;
    QTest::newRow("beyond exact powers of ten") << "123456789012345678e-30" << 123456789012345678e-30 << 22 << true;
    QTest::newRow("exponent") << "1e5" << 1e5 << 3 << true;
    QTest::newRow("point before the exponent") << "1.e5" << 1e5 << 4 << true;
    QTest::newRow("exponent sign without digits") << "1e+" << 1.0 << 1 << true;
    QTest::newRow("exponent without digits before") << ".e5" << 0.0 << 0 << true;
    QTest::newRow("negative zero") << "-0" << -0.0 << 2 << true;
    QTest::newRow("negative zero with a fraction") << "-0.000" << -0.0 << 6 << true;
    QTest::newRow("lone minus") << "-" << 0.0 << 0 << true;
    QTest::newRow("garbage after the number") << "12.5abc" << 12.5 << 4 << true;
    QTest::newRow("face corner") << "7/3/2" << 7.0 << 1 << true;
    QTest::newRow("leading blanks") << "  42" << 42.0 << 4 << true;
    QTest::newRow("zero with a far exponent") << "0e99999999999" << 0.0 << 13 << true;
    QTest::newRow("far exponent") << "1e99999999999" << inf << 13 << false;
    QTest::newRow("largest double") << "1.7976931348623157e308" << 1.7976931348623157e308 << 22 << true;
    QTest::newRow("smallest normal double") << "2.2250738585072014e-308" << 2.2250738585072014e-308 << 23 << true;
    QTest::newRow("below the normal doubles") << "4.9e-324" << 4.9e-324 << 8 << true;
}

void TestMeshObj::leadingNumbersToTheBit()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QFETCH(int, length);
    QFETCH(bool, finite);
    const std::string bytes = text.toStdString();
    for (const ParsedNumber &n : {leadingNumber(bytes), detail::generalLeadingNumber(bytes)}) {
        QCOMPARE(std::bit_cast<std::uint64_t>(n.value), std::bit_cast<std::uint64_t>(value));
        QCOMPARE(n.length, std::size_t(length));
        QCOMPARE(n.finite, finite);
    }
}

void TestMeshObj::vertexLines_data()
{
    QTest::addColumn<std::string>("line");
    QTest::addColumn<Vec3>("position"); // kNoVertex: not a vertex statement
    QTest::addColumn<bool>("coloured");
    QTest::addColumn<Rgba>("colour");
    QTest::newRow("colour halves to even")
        << std::string("v 1.5 2 3 0.5 1 0") << Vec3{1.5, 2, 3} << true << Rgba{128, 255, 0, 255};
    QTest::newRow("no colour") << std::string("v 1 2 3") << Vec3{1, 2, 3} << false << Rgba{};
    QTest::newRow("weight read as red") << std::string("v 1 2 3 1") << Vec3{1, 2, 3} << true << Rgba{255, 0, 0, 255};
    // Runs of blanks and tabs separate values, as exporters align columns.
    QTest::newRow("two blanks") << std::string("v 1  2 0.2") << Vec3{1, 2, 0.2} << false << Rgba{};
    QTest::newRow("trailing blank") << std::string("v 1 2 3 ") << Vec3{1, 2, 3} << false << Rgba{};
    QTest::newRow("trailing blanks and tabs") << std::string("v 1 2 3 \t ") << Vec3{1, 2, 3} << false << Rgba{};
    QTest::newRow("exponents") << std::string("v 1.5e-05 2E2 -3e+1") << Vec3{1.5e-05, 200, -30} << false << Rgba{};
    QTest::newRow("bare keyword") << std::string("v") << Vec3{0, 0, 0} << false << Rgba{};
    QTest::newRow("leading blank") << std::string(" v 1 2 3") << Vec3{1, 2, 3} << false << Rgba{};
    QTest::newRow("tabs") << std::string("v\t1\t2\t3") << Vec3{1, 2, 3} << false << Rgba{};
    QTest::newRow("aligned columns with colour")
        << std::string("v\t 1.25  -2 \t\t3.5   0.5\t1  0") << Vec3{1.25, -2, 3.5} << true << Rgba{128, 255, 0, 255};
    QTest::newRow("17 significant digits")
        << std::string("v 168.99647521972656 0 40.435455322265625 0.000000 0.003922 0.501961")
        << Vec3{168.99647521972656, 0, 40.435455322265625} << true << Rgba{0, 1, 128, 255};
    QTest::newRow("garbage after the numbers") << std::string("v 1e 2x 3.5.5") << Vec3{1, 2, 3.5} << false << Rgba{};
    QTest::newRow("capital V") << std::string("V 1 2 3") << kNoVertex << false << Rgba{};
    QTest::newRow("vertex normal") << std::string("vn 0 0 1") << kNoVertex << false << Rgba{};
}

void TestMeshObj::vertexLines()
{
    QFETCH(std::string, line);
    QFETCH(Vec3, position);
    QFETCH(bool, coloured);
    QFETCH(Rgba, colour);
    const ObjReadResult r = parseObj(line + "\r\n", "v.obj");
    const Mesh &m = r.model.objects.at(0);
    if (position == kNoVertex) {
        QCOMPARE(r.counts.vertices, 0u);
        QVERIFY(m.positions.empty());
        QVERIFY(r.buildFailed);
        return;
    }
    QCOMPARE(r.counts.vertices, 1u);
    QCOMPARE(m.positions.at(0), position);
    QCOMPARE(r.counts.hasColours, coloured);
    QCOMPARE(m.hasColours(), coloured);
    if (coloured)
        QCOMPARE(m.colours.at(0), colour);
}

void TestMeshObj::faceLines_data()
{
    QTest::addColumn<std::string>("line");
    QTest::addColumn<std::vector<Triangle>>("triangles");
    QTest::newRow("plain") << std::string("f 1 2 3") << std::vector<Triangle>{{0, 1, 2}};
    QTest::newRow("corners with texture and normal")
        << std::string("f 1/1/1 2/2/2 3/3/3") << std::vector<Triangle>{{0, 1, 2}};
    QTest::newRow("corners with normal only") << std::string("f 3//1 2//2 1//3") << std::vector<Triangle>{{2, 1, 0}};
    QTest::newRow("quad fanned") << std::string("f 1 2 3 4") << std::vector<Triangle>{{0, 1, 2}, {0, 2, 3}};
    QTest::newRow("pentagon fanned") << std::string("f 5 4 3 2 1")
                                     << std::vector<Triangle>{{4, 3, 2}, {4, 2, 1}, {4, 1, 0}};
    QTest::newRow("trailing blanks") << std::string("f 1 2 3  ") << std::vector<Triangle>{{0, 1, 2}};
    QTest::newRow("two blanks before the first corner")
        << std::string("f  1//2 2//2 3//2") << std::vector<Triangle>{{0, 1, 2}};
    QTest::newRow("tabs and runs of blanks")
        << std::string("f\t3/1/1 \t 2/2/2\t\t1/3/3   4/4/4 ") << std::vector<Triangle>{{2, 1, 0}, {2, 0, 3}};
    QTest::newRow("two faces") << std::string("f 2 3 4\r\nf 1 2 3") << std::vector<Triangle>{{1, 2, 3}, {0, 1, 2}};
    // Corners are leading numbers rounded half to even, whatever their form.
    QTest::newRow("corners halved to even") << std::string("f 1.5 2.5 3") << std::vector<Triangle>{{1, 1, 2}};
    QTest::newRow("corners with exponents") << std::string("f 1e0 2E0 3e") << std::vector<Triangle>{{0, 1, 2}};
    QTest::newRow("zero-padded corners") << std::string("f 0000000001 00000000002 +3")
                                         << std::vector<Triangle>{{0, 1, 2}};
    QTest::newRow("garbage after a corner") << std::string("f 1x 2/ 3.") << std::vector<Triangle>{{0, 1, 2}};
}

void TestMeshObj::faceLines()
{
    QFETCH(std::string, line);
    QFETCH(std::vector<Triangle>, triangles);
    // A face before the vertices it names (corners count over the whole
    // file), and the line under test last, without a line end.
    const ObjReadResult r =
        parseObj("f 1 2 3\r\nv 0 0 0\r\nv 1 0 0\r\nv 1 1 0\r\nv 0 1 0\r\nv 0 0 1\r\n" + line, "f.obj");
    QVERIFY2(!r.buildFailed, r.buildFailure.c_str());
    std::vector<Triangle> expected{{0, 1, 2}};
    expected.insert(expected.end(), triangles.begin(), triangles.end());
    QCOMPARE(r.model.objects.at(0).triangles, expected);
    QCOMPARE(r.counts.faces, static_cast<std::uint32_t>(1 + std::count(line.begin(), line.end(), 'f')));
}

void TestMeshObj::badFaceKeepsTheFacesBeforeIt_data()
{
    QTest::addColumn<std::string>("badFace");
    QTest::newRow("beyond the last vertex") << std::string("f 1 2 5");
    QTest::newRow("vertex 0") << std::string("f 0 1 2");
    QTest::newRow("relative reference") << std::string("f -1 -2 -3");
    QTest::newRow("only two corners") << std::string("f 1 2");
    QTest::newRow("bad fourth corner") << std::string("f 1 2 3 9");
    QTest::newRow("beyond 32 bits") << std::string("f 1 2 99999999999");
    QTest::newRow("one past 32 bits") << std::string("f 1 2 4294967297");
    QTest::newRow("beyond 31 bits") << std::string("f 1 2 2147483648");
    QTest::newRow("negative zero") << std::string("f 1 2 -0");
}

void TestMeshObj::badFaceKeepsTheFacesBeforeIt()
{
    QFETCH(std::string, badFace);
    const ObjReadResult r =
        parseObj("v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3\nf 1 3 4\n" + badFace + "\nf 2 3 4\n", "bad.obj");
    QVERIFY(r.buildFailed);
    QVERIFY2(QString::fromStdString(r.buildFailure).contains("line 7"), r.buildFailure.c_str());
    QCOMPARE(r.model.objects.at(0).triangles, (std::vector<Triangle>{{0, 1, 2}, {0, 2, 3}}));
    QCOMPARE(r.counts.faces, 4u);
    QCOMPARE(objBuildErrorText(ViewSide::Left), std::string("Error Reading OBJ File (2)"));
    QCOMPARE(objBuildErrorText(ViewSide::Right), std::string("Error Reading OBJ File (3)"));
}

void TestMeshObj::fileWithoutVerticesBuildsNothing()
{
    for (const char *text : {"", "# nothing\r\nvn 0 0 1\r\n", "f 1 2 3\r\n"}) {
        const ObjReadResult r = parseObj(text, "none.obj");
        QVERIFY(r.buildFailed);
        QCOMPARE(r.model.objects.size(), 1u);
        QVERIFY(r.model.objects[0].positions.empty());
        QVERIFY(r.model.objects[0].triangles.empty());
    }
}

void TestMeshObj::colourOutOfRangeFailsTheRead_data()
{
    QTest::addColumn<std::string>("line");
    QTest::newRow("above one") << std::string("v 1 2 3 1.5 0 0");
    QTest::newRow("rounds above 255") << std::string("v 1 2 3 0 1.002 0");
    QTest::newRow("negative") << std::string("v 1 2 3 0 0 -0.01");
    QTest::newRow("coordinate beyond a double") << std::string("v 1e999 0 0");
}

void TestMeshObj::colourOutOfRangeFailsTheRead()
{
    QFETCH(std::string, line);
    // Just inside the range still reads: -0.001 x 255 rounds to 0.
    QCOMPARE(parseObj("v 0 0 0 -0.001 1.001 0\r\n", "ok.obj").model.objects[0].colours.at(0), (Rgba{0, 255, 0, 255}));
    try {
        parseObj("v 0 0 0\r\n" + line + "\r\n", "colour.obj");
        QFAIL("the read went on");
    } catch (const MeshError &e) {
        QVERIFY2(QString::fromStdString(e.what()).contains("colour.obj cannot be read as OBJ: line 2"), e.what());
    }
}

void TestMeshObj::countsBoxAndMtlLib()
{
    std::string text = "mtllib foot.mtl\r\nmtllib second one.mtl\r\n";
    for (int i = 0; i < 100; ++i)
        text += "v " + std::to_string(i) + " 0 0\r\nvn 0 0 1\r\n";
    for (int i = 0; i < 196; ++i)
        text += "f 1 2 3\r\n";
    text += "# f 1 2 3\r\nusemtl skin\r\n";
    const ObjReadResult r = parseObj(text, "counts.obj");
    QVERIFY(!r.buildFailed);
    QCOMPARE(r.counts.text(), std::string("VCount: 100\r\nVnCount: 100\r\nVtCount: 0\r\nFCount: 196\r\n"
                                          "Vn Flag: True\r\nVt Flag: False\r\nVc Flag: False"));
    QCOMPARE(r.mtlLibMessages, (std::vector<std::string>{"MtlLib Found: foot.mtl", "MtlLib Found: second one.mtl"}));
    QCOMPARE(parseObj("mtllib \t  foot.mtl\r\n", "m.obj").mtlLibMessages,
             std::vector<std::string>{"MtlLib Found: foot.mtl"});
    const ObjReadResult coloured = parseObj("v 0 0 0 1 1 1\r\nvt 0 0\r\nf 1 1 1", "c.obj");
    QCOMPARE(coloured.counts.text(), std::string("VCount: 1\r\nVnCount: 0\r\nVtCount: 1\r\nFCount: 1\r\n"
                                                 "Vn Flag: False\r\nVt Flag: True\r\nVc Flag: True"));
}

void TestMeshObj::generatedScanRoundTrips()
{
    for (bool colours : {false, true}) {
        const Mesh source = fx::footLikeMesh(9, 7, colours);
        const ObjReadResult r = parseObj(fx::objText(source), "scan.obj");
        QVERIFY(!r.buildFailed);
        const Mesh &m = r.model.objects.at(0);
        QCOMPARE(m.positions, source.positions);
        QCOMPARE(m.triangles, source.triangles);
        QCOMPARE(m.colours, source.colours);
        QVERIFY(m.check().empty());
    }
    // A vertex without colour in a file that has colours is black, opaque.
    const ObjReadResult mixed = parseObj("v 0 0 0\r\nv 1 0 0 0 0 1\r\n", "m.obj");
    QCOMPARE(mixed.model.objects[0].colours, (std::vector<Rgba>{{0, 0, 0, 255}, {0, 0, 255, 255}}));
}

void TestMeshObj::fileReadRepairsLineEndsAndAnnouncesPasses()
{
    QTemporaryDir dir;
    const std::filesystem::path folder = dir.path().toStdString();
    const Mesh source = fx::footLikeMesh(4, 3, true);
    const std::string crlf = fx::objText(source, "\r\n");
    fx::writeFile(folder / "lf.obj", fx::objText(source, "\n"));
    fx::writeFile(folder / "crlf.obj", crlf);

    for (const char *name : {"lf.obj", "crlf.obj"}) {
        std::vector<std::string> statuses;
        const ObjReadResult r = readObjFile(folder / name, [&](std::string_view s) { statuses.emplace_back(s); });
        QCOMPARE(r.model.objects.at(0).positions, source.positions);
        QCOMPARE(statuses, (std::vector<std::string>{"Pass 1: Check OBJ File Structure",
                                                     "Pass 2: Check OBJ File Integrity", "Pass 3: Read OBJ File"}));
        QCOMPARE(fx::readFile(folder / name), crlf);
    }
    // The repair left no scratch file behind.
    QCOMPARE(std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator()), 2);
}

void TestMeshObj::scansWithoutFacesOrTextAreRefused_data()
{
    QTest::addColumn<std::string>("bytes");
    QTest::addColumn<QString>("why");
    const std::string points = "v 0 0 0\nv 1 0 0\nv 0 1 0\np 1 2 3\n";
    QTest::newRow("points only") << points << "it holds no faces to show";
    QTest::newRow("lines only") << std::string("v 0 0 0\r\nv 1 0 0\r\nv 0 1 0\r\nl 1 2 3 1\r\n")
                                << "it holds no faces to show";
    QTest::newRow("empty") << std::string() << "it holds no faces to show (the file has no vertices)";
    QTest::newRow("first face names no vertex") << points + "f 1 2 4\nf 1 2 3\n"
                                                << "it holds no faces to show (line 5: face corner 3 names no vertex";
    // A picture's head, with text after it a scan could have.
    const char jpegHead[] = "\xFF\xD8\xFF\xE0\0\x10JFIF\0\x01\x01\0\0\x01\0\x01\0\0\nv 1 2 3\nf 1 1 1\n";
    const std::string jpeg(jpegHead, sizeof jpegHead - 1);
    QTest::newRow("a picture") << jpeg << "it is not a text file";
    std::string utf16;
    for (char c : std::string("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"))
        utf16 += std::string{c, '\0'};
    QTest::newRow("UTF-16 text") << "\xFF\xFE" + utf16 << "it is not a text file";
}

void TestMeshObj::scansWithoutFacesOrTextAreRefused()
{
    QFETCH(std::string, bytes);
    QFETCH(QString, why);
    QTemporaryDir dir;
    const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) / "Foot_L.Obj";
    fx::writeFile(path, bytes);
    try {
        readObjFile(path);
        QFAIL("the read went on");
    } catch (const MeshError &e) {
        QCOMPARE(e.kind(), MeshError::Kind::Format);
        const QString message = QString::fromStdString(e.what());
        QVERIFY2(message.startsWith(QString::fromStdString(path.string()) + " cannot be read as OBJ: " + why),
                 qPrintable(message));
    }
    // Only text is given CR LF line ends: a picture or UTF-16 keeps its bytes.
    if (why.contains("text"))
        QCOMPARE(fx::readFile(path), bytes);
}

// The walk that counts the statements also finds bare LFs and NUL bytes;
// what it finds late in a text read in many chunks counts as at its start.
void TestMeshObj::lineEndsAndNulsFoundInEveryChunk_data()
{
    QTest::addColumn<std::string>("bytes");
    QTest::addColumn<std::string>("after"); // the file's bytes after the read
    QTest::addColumn<bool>("refused");
    const Mesh source = fx::footLikeMesh(30, 20, true);
    const std::string crlf = fx::objText(source, "\r\n");
    std::string lateLf = crlf;
    lateLf.erase(lateLf.find("\r\n", lateLf.size() * 7 / 8), 1);
    QTest::newRow("one bare LF late") << lateLf << crlf << false;
    const std::string cr = fx::objText(source, "\r");
    QTest::newRow("CR line ends") << cr << cr << false;
    std::string lateNul = crlf;
    lateNul[lateNul.find("\r\nv ", lateNul.size() / 2) + 24] = '\0';
    QTest::newRow("a NUL late in a long line") << lateNul << lateNul << true;
}

void TestMeshObj::lineEndsAndNulsFoundInEveryChunk()
{
    QFETCH(std::string, bytes);
    QFETCH(std::string, after);
    QFETCH(bool, refused);
    const ScopedParallelism eightChunks({8, std::size_t(1) << 40});
    QTemporaryDir dir;
    const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) / "scan.obj";
    fx::writeFile(path, bytes);
    try {
        const ObjReadResult r = readObjFile(path);
        QVERIFY(!refused);
        QCOMPARE(r.model.objects.at(0).triangles.size(), fx::footLikeMesh(30, 20, true).triangles.size());
    } catch (const MeshError &e) {
        QVERIFY2(refused, e.what());
        QVERIFY2(QString::fromStdString(e.what()).contains("it is not a text file"), e.what());
    }
    QCOMPARE(fx::readFile(path), after);
}

void TestMeshObj::largeScansGiveTheSameMeshOnEveryCore()
{
    // Large enough to be read in several parallel stretches.
    const Mesh source = fx::footLikeMesh(std::size_t(100000), true);
    std::string text = "mtllib first.mtl\r\n" + fx::objText(source) + "mtllib last.mtl\r\n";
    const ObjReadResult r = parseObj(text, "big.obj");
    QVERIFY(!r.buildFailed);
    QCOMPARE(r.model.objects.at(0).positions, source.positions);
    QCOMPARE(r.model.objects.at(0).colours, source.colours);
    QCOMPARE(r.model.objects.at(0).triangles, source.triangles);
    QCOMPARE(r.counts.vertices, static_cast<std::uint32_t>(source.positions.size()));
    QCOMPARE(r.counts.faces, static_cast<std::uint32_t>(source.triangles.size()));
    QCOMPARE(r.mtlLibMessages, (std::vector<std::string>{"MtlLib Found: first.mtl", "MtlLib Found: last.mtl"}));

    auto lineOf = [&](std::size_t offset) {
        return 1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + static_cast<long>(offset), '\n'));
    };
    // A face late in the file names a missing vertex: the faces before it stay.
    std::string badFace = text;
    const std::size_t faceAt = badFace.find("\nf ", badFace.size() * 9 / 10) + 1;
    std::size_t facesBefore = 0;
    for (std::size_t at = badFace.find("\nf "); at + 1 < faceAt; at = badFace.find("\nf ", at + 1))
        ++facesBefore;
    badFace.replace(faceAt, 2, "f 0 ");
    const ObjReadResult bad = parseObj(badFace, "big.obj");
    QVERIFY(bad.buildFailed);
    QCOMPARE(bad.model.objects.at(0).triangles.size(), facesBefore);
    QVERIFY2(QString::fromStdString(bad.buildFailure).startsWith(QString("line %1:").arg(lineOf(faceAt))),
             bad.buildFailure.c_str());

    // A colour out of range late in the file fails the read at its line.
    std::string badColour = text;
    const std::size_t vertexAt = badColour.find("\nv ", badColour.size() / 2) + 1;
    badColour.replace(vertexAt, badColour.find('\r', vertexAt) - vertexAt, "v 0 0 0 2 0 0");
    try {
        parseObj(badColour, "big.obj");
        QFAIL("the read went on");
    } catch (const MeshError &e) {
        QCOMPARE(
            QString::fromStdString(e.what()),
            QString("big.obj cannot be read as OBJ: line %1: a vertex colour is outside 0 to 1").arg(lineOf(vertexAt)));
    }
}

QTEST_APPLESS_MAIN(TestMeshObj)
#include "tst_mesh_obj.moc"
