// Every scan reader gives the same result, to the bit, however its work is
// shared out over the cores: one core against eight shares, on generated
// feet and on small files cut into eight shares wherever their borders fall,
// inside a number, a comment or a face. Failures name the same line.
#include "mesh_fixtures.h"
#include "obj_reader.h"
#include "parallel.h"
#include "stl_reader.h"
#include "vrml_fixtures.h"
#include "vrml_reader.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cstring>
#include <functional>
#include <set>

using namespace mesh;
namespace fx = mesh::fixtures;

Q_DECLARE_METATYPE(std::string)

namespace {

enum class Reader { BinaryStl, AsciiStl, Obj, Vrml };

// One core; and eight shares however small the input (every grain divided
// down to one item), whatever cores the machine has.
const Parallelism kOneCore{1, 1};
const Parallelism kEightShares{8, std::size_t(1) << 40};

// What a read gave: the model and the OBJ reader's extras, or the refusal.
struct Outcome
{
    Model model;
    ObjCounts counts;
    std::vector<std::string> messages;
    std::string buildFailure;
    std::string refusal;
    friend bool operator==(const Outcome &, const Outcome &) = default;
};

Outcome read(Reader reader, const std::string &text, const Parallelism &sharing)
{
    const ScopedParallelism scope(sharing);
    Outcome out;
    try {
        switch (reader) {
        case Reader::BinaryStl:
        case Reader::AsciiStl: out.model = parseStl(text, "scan.stl"); break;
        case Reader::Obj: {
            ObjReadResult r = parseObj(text, "scan.obj");
            out.model = std::move(r.model);
            out.counts = r.counts;
            out.messages = std::move(r.mtlLibMessages);
            out.buildFailure = r.buildFailed ? r.buildFailure : "";
            break;
        }
        case Reader::Vrml: out.model = parseVrml(text, "scan.wrl"); break;
        }
    } catch (const MeshError &e) {
        out.refusal = e.what();
    }
    return out;
}

// A foot written with the things a share border can cut: OBJ with comments
// between the statements and faces of four corners among the triangles;
// VRML with comments inside its lists.
std::string objWithCommentsAndQuads(const Mesh &m)
{
    std::string out = "mtllib foot.mtl\n";
    for (std::size_t i = 0; i < m.positions.size(); ++i) {
        const Vec3 &p = m.positions[i];
        const Rgba &c = m.colours[i];
        out += fx::detail::fmt("v %.17g %.17g %.17g", p.x, p.y, p.z);
        out += fx::detail::fmt(" %.6f %.6f %.6f\n", c.r / 255.0, c.g / 255.0, c.b / 255.0);
        if (i % 3 == 0)
            out += "# a remark 12.5 0.25 f 1 2 3\n";
    }
    // The tube's triangles come in pairs that make one quad.
    for (std::size_t t = 0; t + 1 < m.triangles.size(); t += 2) {
        const Triangle &a = m.triangles[t], &b = m.triangles[t + 1];
        if (t % 4 == 0)
            out += "f " + std::to_string(a[0] + 1) + "/1/1 " + std::to_string(a[1] + 1) + "/2/1 "
                   + std::to_string(a[2] + 1) + "/3/1 " + std::to_string(b[2] + 1) + "/4/1\n";
        else
            out += "f " + std::to_string(a[0] + 1) + " " + std::to_string(a[1] + 1) + " " + std::to_string(a[2] + 1)
                   + "\nf " + std::to_string(b[0] + 1) + " " + std::to_string(b[1] + 1) + " " + std::to_string(b[2] + 1)
                   + "\n# between faces\n";
    }
    return out + "mtllib last.mtl\n";
}

std::string vrmlWithComments(const Mesh &m)
{
    fx::VrmlOptions options;
    options.colours = true;
    options.digits = 9;
    std::string text = fx::vrmlText(m, options);
    // A comment after every fifth line of the lists.
    std::string out;
    std::size_t line = 0;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = text.find('\n', at) + 1;
        out.append(text, at, end - at);
        if (++line % 5 == 0 && out.size() > 400 && end < text.size() - 100)
            out += "          # scanner note 1.25, -1, 7\n";
        at = end;
    }
    return out;
}

bool isNumberChar(char c)
{
    return (c >= '0' && c <= '9') || c == '.' || c == 'e' || c == '-' || c == '+';
}

// The kinds of text the eight nominal share borders of [begin, end) fall in.
std::set<std::string> bordersFallIn(const std::string &text, std::size_t begin, std::size_t end,
                                    const std::function<std::string(std::size_t)> &kindAt)
{
    std::set<std::string> kinds;
    for (std::size_t j = 1; j < 8; ++j) {
        const std::size_t at = begin + (end - begin) * j / 8;
        if (at > 0 && isNumberChar(text[at - 1]) && isNumberChar(text[at]))
            kinds.insert("number");
        kinds.insert(kindAt(at));
    }
    return kinds;
}

std::string lineAt(const std::string &text, std::size_t at)
{
    const std::size_t start = text.rfind('\n', at == 0 ? 0 : at - 1);
    const std::size_t from = start == std::string::npos ? 0 : start + 1;
    std::size_t first = text.find_first_not_of(' ', from);
    return text.substr(first, text.find('\n', first) - first);
}

} // namespace

class TestReaderCores : public QObject
{
    Q_OBJECT

private slots:
    void generatedFeetReadAlike_data();
    void generatedFeetReadAlike();
    void bordersAnywhereReadAlike_data();
    void bordersAnywhereReadAlike();
    void failuresReadAlike_data();
    void failuresReadAlike();
    void asciiStlReadInWindowsAlike_data();
    void asciiStlReadInWindowsAlike();
    void objReadInChunksAlike_data();
    void objReadInChunksAlike();
};

void TestReaderCores::generatedFeetReadAlike_data()
{
    QTest::addColumn<int>("reader");
    QTest::addColumn<std::string>("text");
    const Mesh foot = fx::footLikeMesh(std::size_t(30000), true);
    fx::VrmlOptions colours;
    colours.colours = true;
    fx::VrmlOptions texture;
    texture.texture = true;
    texture.texCoordIndex = true;
    QTest::newRow("binary STL") << int(Reader::BinaryStl) << fx::binaryStl(foot);
    QTest::newRow("ASCII STL") << int(Reader::AsciiStl) << fx::asciiStl(foot, "solid foot", "\r\n");
    QTest::newRow("OBJ with colours") << int(Reader::Obj) << fx::objText(foot);
    QTest::newRow("VRML with colours") << int(Reader::Vrml) << fx::vrmlText(foot, colours);
    QTest::newRow("VRML with a texture") << int(Reader::Vrml) << fx::vrmlText(foot, texture);
}

void TestReaderCores::generatedFeetReadAlike()
{
    QFETCH(int, reader);
    QFETCH(std::string, text);
    const Outcome one = read(Reader(reader), text, kOneCore);
    QVERIFY2(one.refusal.empty(), one.refusal.c_str());
    QCOMPARE(one.model.objects.size(), std::size_t(1));
    QVERIFY(fx::sameSurface(one.model.objects[0], fx::footLikeMesh(std::size_t(30000), true)));
    QVERIFY(read(Reader(reader), text, kEightShares) == one);
    QVERIFY(read(Reader(reader), text, Parallelism{}) == one);
}

void TestReaderCores::bordersAnywhereReadAlike_data()
{
    QTest::addColumn<int>("reader");
    QTest::addColumn<std::string>("text");
    QTest::addColumn<QStringList>("kinds"); // where some border must fall
    const Mesh foot = fx::footLikeMesh(9, 7, true);
    QTest::newRow("OBJ") << int(Reader::Obj) << objWithCommentsAndQuads(foot)
                         << QStringList{"number", "comment", "face"};
    QTest::newRow("ASCII STL") << int(Reader::AsciiStl) << fx::asciiStl(foot) << QStringList{"number", "face"};
    QTest::newRow("VRML") << int(Reader::Vrml) << vrmlWithComments(foot) << QStringList{"number", "comment", "face"};
}

void TestReaderCores::bordersAnywhereReadAlike()
{
    QFETCH(int, reader);
    QFETCH(std::string, text);
    QFETCH(QStringList, kinds);
    std::set<std::string> fell;
    // A first line of every length moves the borders through the text.
    for (int pad = 0; pad < 48; ++pad) {
        std::string padded = text;
        if (Reader(reader) == Reader::Obj)
            padded.insert(0, "#" + std::string(std::size_t(pad), 'x') + "\n");
        else if (Reader(reader) == Reader::AsciiStl)
            padded.insert(5, std::string(std::size_t(pad), 'x')); // the header line
        else
            padded.insert(padded.find('\n') + 1, "#" + std::string(std::size_t(pad), 'x') + "\n");

        const Outcome one = read(Reader(reader), padded, kOneCore);
        QVERIFY2(one.refusal.empty(), one.refusal.c_str());
        QVERIFY2(read(Reader(reader), padded, kEightShares) == one, qPrintable(QString::number(pad)));

        auto kindOfLine = [&](std::size_t at) -> std::string {
            const std::string line = lineAt(padded, at);
            if (line.starts_with('#'))
                return "comment";
            if (line.starts_with("f ") || line.starts_with("vertex") || line.starts_with("outer")
                || line.starts_with("endloop"))
                return "face";
            return "other";
        };
        if (Reader(reader) != Reader::Vrml) {
            fell.merge(bordersFallIn(padded, 0, padded.size(), kindOfLine));
            continue;
        }
        // The VRML reader shares out each long list by itself.
        for (const char *list : {"point [", "coordIndex ["}) {
            const std::size_t begin = padded.find(list) + std::strlen(list);
            const std::size_t end = padded.find(']', begin);
            fell.merge(bordersFallIn(padded, begin, end, [&](std::size_t at) -> std::string {
                const std::string line = lineAt(padded, at);
                if (line.starts_with('#'))
                    return "comment";
                return std::strcmp(list, "coordIndex [") == 0 ? "face" : "other";
            }));
        }
    }
    for (const QString &kind : kinds)
        QVERIFY2(fell.count(kind.toStdString()), qPrintable(kind));
}

void TestReaderCores::failuresReadAlike_data()
{
    QTest::addColumn<int>("reader");
    QTest::addColumn<std::string>("text");
    const Mesh foot = fx::footLikeMesh(9, 7, true);
    std::string obj = fx::objText(foot, "\n");
    std::string colour = obj;
    const std::size_t late = colour.find("\nv ", colour.size() / 3) + 1;
    colour.replace(late, colour.find('\n', late) - late, "v 0 0 0 0 2 0");
    QTest::newRow("OBJ colour out of range") << int(Reader::Obj) << colour;
    std::string face = obj;
    const std::size_t lateFace = face.find("\nf ", face.size() * 3 / 4) + 1;
    face.replace(lateFace, face.find('\n', lateFace) - lateFace, "f 1 2 999");
    QTest::newRow("OBJ face naming no vertex") << int(Reader::Obj) << face;
    // Fanned faces give a chunk more triangles than faces: the chunks after
    // it move up, and a bad face still cuts the mesh where it stands.
    const std::string quads = objWithCommentsAndQuads(foot);
    std::string lateQuadFace = quads;
    const std::size_t lateQuad = lateQuadFace.find("/4/1\n", lateQuadFace.size() * 3 / 4);
    const std::size_t fourthCorner = lateQuadFace.rfind(' ', lateQuad) + 1;
    lateQuadFace.replace(fourthCorner, lateQuad - fourthCorner, "0");
    QTest::newRow("OBJ quads, a late one naming no vertex") << int(Reader::Obj) << lateQuadFace;
    std::string earlyFace = quads;
    const std::size_t firstFace = earlyFace.find("\nf ") + 1;
    earlyFace.replace(firstFace, 2, "f 0 ");
    QTest::newRow("OBJ first face naming no vertex, quads after") << int(Reader::Obj) << earlyFace;
    std::string stl = fx::asciiStl(foot);
    const std::size_t vertex = stl.find("vertex ", stl.size() * 2 / 3) + 7;
    stl.replace(vertex, stl.find('\n', vertex) - vertex, "1 2");
    QTest::newRow("ASCII STL vertex of two numbers") << int(Reader::AsciiStl) << stl;
    std::string wrl = fx::vrmlText(foot);
    const std::size_t index = wrl.find("-1,", wrl.find("coordIndex") + 2000);
    wrl.replace(index, 2, "1000");
    QTest::newRow("VRML index beyond the points") << int(Reader::Vrml) << wrl;
}

void TestReaderCores::failuresReadAlike()
{
    QFETCH(int, reader);
    QFETCH(std::string, text);
    const Outcome one = read(Reader(reader), text, kOneCore);
    QVERIFY(!one.refusal.empty() || !one.buildFailure.empty());
    QCOMPARE(read(Reader(reader), text, kEightShares).refusal, one.refusal);
    QVERIFY(read(Reader(reader), text, kEightShares) == one);
}

void TestReaderCores::asciiStlReadInWindowsAlike_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<bool>("refused");
    const Mesh foot = fx::footLikeMesh(30, 20, true);
    const std::string ascii = fx::asciiStl(foot, "solid foot", "\r\n");
    QTest::newRow("generated foot") << ascii << false;
    std::string twoSolids = fx::asciiStl(foot, "solid a", "\n");
    twoSolids.insert(twoSolids.find("  facet", twoSolids.size() / 3), "endsolid a\nsolid b\n");
    QTest::newRow("LF line ends, two solids") << twoSolids << false;
    // Loops of four corners are fanned.
    std::string quads = "solid q\n";
    for (int i = 0; i < 400; ++i)
        quads += "facet normal 0 0 1\n outer loop\n  vertex " + std::to_string(i) + " 0 0\n  vertex "
                 + std::to_string(i) + " 1 0\n  vertex " + std::to_string(i + 1) + " 1 0\n  vertex "
                 + std::to_string(i + 1) + " 0 0\n endloop\nendfacet\n";
    QTest::newRow("quads") << quads + "endsolid q\n" << false;
    std::string broken = ascii;
    const std::size_t vertex = broken.find("vertex ", broken.size() * 2 / 3) + 7;
    broken.replace(vertex, broken.find('\r', vertex) - vertex, "1 2");
    QTest::newRow("vertex of two numbers late") << broken << true;
    std::string loop = ascii;
    loop.erase(loop.find("endloop", loop.size() / 2), 9);
    QTest::newRow("a loop that never ends") << loop << true;
    QTest::newRow("cut short") << ascii.substr(0, ascii.size() * 3 / 4) << true;
    QTest::newRow("no facets") << std::string("solid x\r\nendsolid x\r\n") << true;
}

void TestReaderCores::asciiStlReadInWindowsAlike()
{
    QFETCH(std::string, text);
    QFETCH(bool, refused);
    QTemporaryDir dir;
    const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) / "scan.stl";
    fx::writeFile(path, text);
    auto fromFile = [&](const Parallelism &sharing) {
        const ScopedParallelism scope(sharing);
        Outcome out;
        try {
            out.model = readStlFile(path);
        } catch (const MeshError &e) {
            out.refusal = QString::fromStdString(e.what())
                              .replace(QString::fromStdString(path.string()), QStringLiteral("scan.stl"))
                              .toStdString();
        }
        return out;
    };
    // Read whole on one core, and a few kilobytes at a time in eight shares.
    const Outcome whole = read(Reader::AsciiStl, text, kOneCore);
    QCOMPARE(!whole.refusal.empty(), refused);
    QVERIFY(fromFile(kOneCore) == whole);
    QVERIFY(fromFile(kEightShares) == whole);
}

void TestReaderCores::objReadInChunksAlike_data()
{
    QTest::addColumn<std::string>("text");
    const Mesh foot = fx::footLikeMesh(30, 20, true);
    const std::string crlf = fx::objText(foot, "\r\n");
    QTest::newRow("generated foot") << crlf;
    QTest::newRow("CR line ends") << fx::objText(foot, "\r");
    std::string quads = objWithCommentsAndQuads(foot);
    for (std::size_t at = quads.find('\n'); at != std::string::npos; at = quads.find('\n', at + 2))
        quads.insert(at, 1, '\r');
    QTest::newRow("quads and comments") << quads;
    // A line longer than many shares: the chunk before it takes it whole.
    std::string longLine = crlf;
    longLine.insert(longLine.find("\r\nf ") + 2, "# " + std::string(5000, 'x') + "\r\n");
    QTest::newRow("one long line") << longLine;
    // Longer than the room a chunk's buffer keeps for the line it ends in.
    std::string longerLine = crlf;
    longerLine.insert(longerLine.find("\r\nf ") + 2, "# " + std::string(300000, 'x') + "\r\n");
    QTest::newRow("a line longer than a buffer") << longerLine;
    std::string lateFace = crlf;
    const std::size_t face = lateFace.find("\nf ", lateFace.size() * 3 / 4) + 1;
    lateFace.replace(face, 2, "f 0 ");
    QTest::newRow("late face naming no vertex") << lateFace;
    std::string lateColour = crlf;
    const std::size_t vertex = lateColour.find("\nv ", lateColour.size() / 3) + 1;
    lateColour.replace(vertex, lateColour.find('\r', vertex) - vertex, "v 0 0 0 0 2 0");
    QTest::newRow("late colour out of range") << lateColour;
    QTest::newRow("LF line ends, repaired") << fx::objText(foot, "\n");
    QTest::newRow("no faces") << std::string("v 0 0 0\r\nv 1 0 0\r\nv 0 1 0\r\n");
}

// Large files are read a chunk at a time rather than whole: the same mesh,
// the same refusals, the same repairs.
void TestReaderCores::objReadInChunksAlike()
{
    QFETCH(std::string, text);
    QTemporaryDir dir;
    const std::filesystem::path path = std::filesystem::path(dir.path().toStdString()) / "scan.obj";
    auto fromFile = [&](const Parallelism &sharing) {
        fx::writeFile(path, text);
        const ScopedParallelism scope(sharing);
        Outcome out;
        try {
            ObjReadResult r = readObjFile(path);
            out.model = std::move(r.model);
            out.counts = r.counts;
            out.messages = std::move(r.mtlLibMessages);
            out.buildFailure = r.buildFailed ? r.buildFailure : "";
        } catch (const MeshError &e) {
            out.refusal = QString::fromStdString(e.what())
                              .replace(QString::fromStdString(path.string()), QStringLiteral("scan.obj"))
                              .toStdString();
        }
        return std::pair(out, fx::readFile(path));
    };
    const auto whole = fromFile(kOneCore);
    QVERIFY(fromFile(kEightShares) == whole);
    QVERIFY(fromFile(Parallelism{3, std::size_t(1) << 40}) == whole);
    const Outcome inMemory = read(Reader::Obj, whole.second, kOneCore);
    if (whole.first.refusal.empty())
        QVERIFY(inMemory == whole.first);
}

QTEST_APPLESS_MAIN(TestReaderCores)
#include "tst_reader_cores.moc"
