#include "mesh_fixtures.h"
#include "vrml_fixtures.h"
#include "vrml_reader.h"

#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace mesh;
namespace fx = mesh::fixtures;

Q_DECLARE_METATYPE(std::string)

namespace {

const std::string kHeader = "#VRML V2.0 utf8\n";

Model read(const std::string &body, const std::filesystem::path &folder = {})
{
    Model model = parseVrml(kHeader + body, "scan.wrl", folder);
    for (const Mesh &m : model.objects)
        if (const std::string broken = m.check(); !broken.empty())
            throw std::logic_error("the reader gave a broken mesh: " + broken);
    return model;
}

// The message of the MeshError that reading `text` must throw.
QString refusal(const std::string &text)
{
    try {
        parseVrml(text, "scan.wrl");
    } catch (const MeshError &e) {
        if (e.kind() != MeshError::Kind::Format)
            return "wrong kind: " + QString::fromStdString(e.what());
        return QString::fromStdString(e.what());
    }
    return "read without complaint";
}

std::string square(const std::string &extra = {})
{
    return "Shape { geometry IndexedFaceSet { coord Coordinate { point [0 0 0, 1 0 0, 1 1 0, 0 1 0] }"
           " coordIndex [0 1 2 3 -1] "
           + extra + " } }\n";
}

bool near(const Vec3 &a, const Vec3 &b)
{
    return std::abs(a.x - b.x) < 1e-9 && std::abs(a.y - b.y) < 1e-9 && std::abs(a.z - b.z) < 1e-9;
}

QString show(const Vec3 &p)
{
    return QString("(%1, %2, %3)").arg(p.x).arg(p.y).arg(p.z);
}

} // namespace

class TestVrmlReader : public QObject
{
    Q_OBJECT

private slots:
    void perVertexColours_data();
    void perVertexColours();
    void perFaceColoursSplitSharedPoints();
    void materialGivesTheFallbackColour();
    void textureUrlFoundInAnotherCase();
    void textureFileLookup_data();
    void textureFileLookup();
    void texCoordIndexSplitsVertices();
    void defUseAndNestedTransforms();
    void transformFields_data();
    void transformFields();
    void mirrorKeepsFacesOutward();
    void quadsAndClockwiseFaces();
    void lineEndsAndCommentsDoNotMatter();
    void unknownNodesAndPrototypesAreSkipped();
    void switchAndLodShowOneChild();
    void generatedScansRoundTrip_data();
    void generatedScansRoundTrip();
    void truncatedFilesAreRefused();
    void corruptFilesAreRefused_data();
    void corruptFilesAreRefused();
    void deepNestingIsRefusedNotFatal();
    void exponentialReuseIsRefused();
    void missingFileIsAnAccessError();
};

void TestVrmlReader::perVertexColours_data()
{
    QTest::addColumn<std::string>("colourFields");
    QTest::addColumn<int>("vertices");
    QTest::addColumn<std::vector<Rgba>>("colours");
    const Rgba red{255, 0, 0, 255}, green{0, 255, 0, 255}, blue{0, 0, 255, 255}, grey{128, 128, 128, 255};
    QTest::newRow("one colour a point") << std::string("color Color { color [1 0 0, 0 1 0, 0 0 1, 0.5 0.5 0.5] }") << 4
                                        << std::vector<Rgba>{red, green, blue, grey};
    QTest::newRow("colorIndex naming the same colours")
        << std::string("color Color { color [1 0 0, 0 1 0, 0 0 1, 0.5 0.5 0.5] } colorIndex [0 1 2 3 -1]") << 4
        << std::vector<Rgba>{red, green, blue, grey};
    QTest::newRow("colorIndex reordering them")
        << std::string("color Color { color [1 0 0, 0 1 0] } colorIndex [1 1 0 0 -1]") << 4
        << std::vector<Rgba>{green, green, red, red};
    QTest::newRow("values outside 0..1 are clamped")
        << std::string("color Color { color [2 -1 0, 0 1 0, 0 0 1, 1 1 1] }") << 4
        << std::vector<Rgba>{red, green, blue, {255, 255, 255, 255}};
}

void TestVrmlReader::perVertexColours()
{
    QFETCH(std::string, colourFields);
    QFETCH(int, vertices);
    QFETCH(std::vector<Rgba>, colours);
    const Model model = read(square(colourFields));
    QCOMPARE(model.objects.size(), std::size_t(1));
    const Mesh &m = model.objects[0];
    QCOMPARE(m.positions.size(), std::size_t(vertices));
    QVERIFY(m.colours == colours);
    QVERIFY(!m.hasTexCoords());
}

void TestVrmlReader::perFaceColoursSplitSharedPoints()
{
    // Two triangles share the edge 0-2; each face has its own colour, so
    // the shared points need a vertex per colour.
    const Model model = read("Shape { geometry IndexedFaceSet { coord Coordinate { point [0 0 0, 1 0 0, 1 1 0, 0 1 0] }"
                             " coordIndex [0 1 2 -1 0 2 3 -1] colorPerVertex FALSE"
                             " color Color { color [1 0 0, 0 0 1] } } }");
    const Mesh &m = model.objects[0];
    QCOMPARE(m.positions.size(), std::size_t(6));
    QCOMPARE(m.triangles.size(), std::size_t(2));
    for (int t = 0; t < 2; ++t)
        for (std::uint32_t v : m.triangles[t])
            QCOMPARE(m.colours[v], t == 0 ? (Rgba{255, 0, 0, 255}) : (Rgba{0, 0, 255, 255}));
    QVERIFY(near(m.positions[m.triangles[1][0]], {0, 0, 0}));
    QVERIFY(near(m.positions[m.triangles[1][1]], {1, 1, 0}));

    const Model indexed = read("Shape { geometry IndexedFaceSet { coord Coordinate { point [0 0 0, 1 0 0, 1 1 0] }"
                               " coordIndex [0 1 2] colorPerVertex FALSE colorIndex [1]"
                               " color Color { color [1 0 0, 0 1 0] } } }");
    for (std::uint32_t v : indexed.objects[0].triangles[0])
        QCOMPARE(indexed.objects[0].colours[v], (Rgba{0, 255, 0, 255}));
}

void TestVrmlReader::materialGivesTheFallbackColour()
{
    const Model model = read("Shape { appearance Appearance { material Material { diffuseColor 0.2 0.4 1"
                             " transparency 0.5 } } geometry IndexedFaceSet { coord Coordinate { point [0 0 0,"
                             " 1 0 0, 0 1 0] } coordIndex [0 1 2] creaseAngle 0.6981317 } }");
    const Mesh &m = model.objects[0];
    QCOMPARE(m.colours, (std::vector<Rgba>(3, Rgba{51, 102, 255, 128})));
    QVERIFY(std::abs(m.creaseAngle - 40.0) < 1e-5); // radians in the file, degrees in the model
    QVERIFY(!read(square()).objects[0].hasColours()); // no material, no Color: no colours
}

void TestVrmlReader::textureUrlFoundInAnotherCase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::filesystem::path folder = dir.path().toStdString();
    fx::writeFile(folder / "Smith_Ann_L[VRML].Jpg", "picture");
    fx::VrmlOptions options;
    options.texture = true;
    options.textureUrl = "SMITH_ANN_L[vrml].jpg";
    const Mesh foot = fx::footLikeMesh(6, 5);
    fx::writeFile(folder / "Smith_Ann_L.wrl", fx::vrmlText(foot, options));
    const Model model = readVrmlFile(folder / "Smith_Ann_L.wrl");
    const Mesh &m = model.objects[0];
    QCOMPARE(m.texturePath, (folder / "Smith_Ann_L[VRML].Jpg").string());
    QCOMPARE(m.texCoords.size(), m.positions.size());
    QVERIFY(fx::sameSurface(m, foot));
    for (std::size_t i = 0; i < foot.positions.size(); ++i) {
        const Vec2 expected = fx::detail::fixtureTexCoord(foot.positions[i]);
        QCOMPARE(m.texCoords[i].u, expected.u);
        QCOMPARE(m.texCoords[i].v, expected.v);
    }

    // A texture that is not there leaves the mesh without a picture, not unread.
    std::filesystem::remove(folder / "Smith_Ann_L[VRML].Jpg");
    QVERIFY(readVrmlFile(folder / "Smith_Ann_L.wrl").objects[0].texturePath.empty());
}

void TestVrmlReader::textureFileLookup_data()
{
    QTest::addColumn<std::string>("url");
    QTest::addColumn<std::string>("found"); // relative to the scan's folder; empty: nothing
    QTest::newRow("exact name") << std::string("Foot.jpg") << std::string("Foot.jpg");
    QTest::newRow("other case") << std::string("FOOT.JPG") << std::string("Foot.jpg");
    QTest::newRow("sub-folder in other case") << std::string("TEX/photo.PNG") << std::string("tex/Photo.png");
    QTest::newRow("windows separators") << std::string("tex\\photo.png") << std::string("tex/Photo.png");
    QTest::newRow("dot folder") << std::string("./foot.jpg") << std::string("Foot.jpg");
    QTest::newRow("escaped blank") << std::string("my%20foot.jpg") << std::string("My Foot.jpg");
    QTest::newRow("drive path: by its name, beside the scan")
        << std::string("C:\\Scans\\foot.jpg") << std::string("Foot.jpg");
    QTest::newRow("file url: by its name") << std::string("file:///D:/x/FOOT.jpg") << std::string("Foot.jpg");
    QTest::newRow("absolute path: by its name") << std::string("/etc/Foot.jpg") << std::string("Foot.jpg");
    QTest::newRow("parent folder is never left") << std::string("../outside.jpg") << std::string();
    QTest::newRow("sub-folder missing, name beside the scan")
        << std::string("nothere/foot.jpg") << std::string("Foot.jpg");
    QTest::newRow("a folder is not a picture") << std::string("tex") << std::string();
    QTest::newRow("missing") << std::string("other.jpg") << std::string();
    QTest::newRow("empty") << std::string() << std::string();
}

void TestVrmlReader::textureFileLookup()
{
    QFETCH(std::string, url);
    QFETCH(std::string, found);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const std::filesystem::path root = dir.path().toStdString();
    const std::filesystem::path folder = root / "scans";
    std::filesystem::create_directories(folder / "tex");
    fx::writeFile(folder / "Foot.jpg", "x");
    fx::writeFile(folder / "My Foot.jpg", "x");
    fx::writeFile(folder / "tex" / "Photo.png", "x");
    fx::writeFile(root / "outside.jpg", "x");
    const std::filesystem::path result = findTextureFile(folder, url);
    QCOMPARE(result.string(), found.empty() ? std::string() : (folder / found).string());
}

void TestVrmlReader::texCoordIndexSplitsVertices()
{
    // A seam: point 1 and 2 carry one texture coordinate in the first face
    // and another in the second, as where a scanner's photo wraps around.
    const Model model = read("Shape { geometry IndexedFaceSet { coord Coordinate { point [0 0 0, 1 0 0, 1 1 0, 0 1 0] }"
                             " coordIndex [0 1 2 -1 2 1 3 -1]"
                             " texCoord TextureCoordinate { point [0 0, 0.9 0, 0.9 0.9, 0.1 0, 0.1 0.9, 0 1] }"
                             " texCoordIndex [0 1 2 -1 4 3 5 -1] } }");
    const Mesh &m = model.objects[0];
    QCOMPARE(m.positions.size(), std::size_t(6));
    QCOMPARE(m.texCoords.size(), std::size_t(6));
    const std::vector<std::pair<Vec3, Vec2>> corners{{{0, 0, 0}, {0, 0}},     {{1, 0, 0}, {0.9, 0}},
                                                     {{1, 1, 0}, {0.9, 0.9}}, {{1, 1, 0}, {0.1, 0.9}},
                                                     {{1, 0, 0}, {0.1, 0}},   {{0, 1, 0}, {0, 1}}};
    for (std::size_t c = 0; c < corners.size(); ++c) {
        const std::uint32_t v = m.triangles[c / 3][c % 3];
        QVERIFY2(near(m.positions[v], corners[c].first), qPrintable(QString("corner %1").arg(c)));
        QVERIFY2(m.texCoords[v] == corners[c].second, qPrintable(QString("corner %1").arg(c)));
    }
}

void TestVrmlReader::defUseAndNestedTransforms()
{
    const std::string text = R"(
DEF Toe Shape {
  geometry IndexedFaceSet {
    coord DEF Pts Coordinate { point [ 0 0 0, 1 0 0, 0 1 0 ] }
    coordIndex [ 0 1 2 -1 ]
  }
}
Transform {
  translation 10 0 0
  children [
    Transform {
      rotation 0 0 1 1.5707963267948966
      scale 2 2 2
      children [ USE Toe ]
    }
    Shape { geometry IndexedFaceSet { coord USE Pts coordIndex [ 2 1 0 ] } }
  ]
}
)";
    const Model model = read(text);
    QCOMPARE(model.objects.size(), std::size_t(3));
    QCOMPARE(model.objects[0].name, std::string("Toe"));
    QCOMPARE(model.objects[1].name, std::string("Toe"));
    // Scaled by 2, turned a quarter about z, then moved 10 along x.
    const std::vector<Vec3> expected{{10, 0, 0}, {10, 2, 0}, {8, 0, 0}};
    for (int i = 0; i < 3; ++i)
        QVERIFY2(near(model.objects[1].positions[i], expected[i]), qPrintable(show(model.objects[1].positions[i])));
    QVERIFY(near(model.objects[0].positions[1], {1, 0, 0})); // the first use stays where it was
    QVERIFY(near(model.objects[2].positions[0], {10, 0, 0})); // the shared points, moved
    QCOMPARE(model.objects[2].triangles[0], (Triangle{2, 1, 0}));
}

void TestVrmlReader::transformFields_data()
{
    QTest::addColumn<std::string>("fields");
    QTest::addColumn<Vec3>("point"); // where (1, 0, 0) goes
    QTest::addColumn<Vec3>("expected");
    QTest::newRow("center: turned about (1 1 0)")
        << std::string("center 1 1 0 rotation 0 0 1 3.141592653589793") << Vec3{1, 0, 0} << Vec3{1, 2, 0};
    QTest::newRow("scale about a center") << std::string("center 1 0 0 scale 3 3 3") << Vec3{2, 0, 0} << Vec3{4, 0, 0};
    QTest::newRow("scaleOrientation stretches along a turned axis")
        << std::string("scale 2 1 1 scaleOrientation 0 0 1 0.7853981633974483") << Vec3{1, 1, 0} << Vec3{2, 2, 0};
    QTest::newRow("rotation axis need not be unit length")
        << std::string("rotation 0 0 5 1.5707963267948966") << Vec3{1, 0, 0} << Vec3{0, 1, 0};
    QTest::newRow("zero axis turns nothing") << std::string("rotation 0 0 0 1") << Vec3{1, 0, 0} << Vec3{1, 0, 0};
}

void TestVrmlReader::transformFields()
{
    QFETCH(std::string, fields);
    QFETCH(Vec3, point);
    QFETCH(Vec3, expected);
    char points[160];
    std::snprintf(points, sizeof points, "%.17g %.17g %.17g, 7 7 7, 7 8 7", point.x, point.y, point.z);
    const Model model = read("Transform { " + fields
                             + " children Shape { geometry IndexedFaceSet {"
                               " coord Coordinate { point ["
                             + points + "] } coordIndex [0 1 2] } } }");
    QVERIFY2(near(model.objects[0].positions[0], expected), qPrintable(show(model.objects[0].positions[0])));
}

void TestVrmlReader::mirrorKeepsFacesOutward()
{
    const Mesh plain = read(square()).objects[0];
    const Mesh mirrored = read("Transform { scale -1 1 1 children [ " + square() + " ] }").objects[0];
    QCOMPARE(mirrored.triangles.size(), plain.triangles.size());
    for (std::size_t t = 0; t < plain.triangles.size(); ++t) {
        const Triangle &a = plain.triangles[t];
        QCOMPARE(mirrored.triangles[t], (Triangle{a[0], a[2], a[1]}));
    }
    QVERIFY(near(mirrored.positions[1], {-1, 0, 0}));
}

void TestVrmlReader::quadsAndClockwiseFaces()
{
    // A quad, a pentagon, a two-corner face (dropped) and a last face
    // without its closing -1.
    const std::string faces = "coord Coordinate { point [0 0 0, 1 0 0, 1 1 0, 0 1 0, 2 0 0, 3 1 0, 2 2 0] }"
                              " coordIndex [0 1 2 3 -1, 1 4 5 6 2 -1, 0 1 -1, 3 2 6]";
    const Mesh ccw = read("Shape { geometry IndexedFaceSet { " + faces + " } }").objects[0];
    const std::vector<Triangle> expected{{0, 1, 2}, {0, 2, 3}, {1, 4, 5}, {1, 5, 6}, {1, 6, 2}, {3, 2, 6}};
    QCOMPARE(ccw.triangles, expected);
    const Mesh cw = read("Shape { geometry IndexedFaceSet { ccw FALSE " + faces + " } }").objects[0];
    std::vector<Triangle> reversed;
    for (const Triangle &t : expected)
        reversed.push_back({t[0], t[2], t[1]});
    QCOMPARE(cw.triangles, reversed);
}

void TestVrmlReader::lineEndsAndCommentsDoNotMatter()
{
    const Mesh foot = fx::footLikeMesh(5, 4, true);
    fx::VrmlOptions options;
    options.colours = true;
    const Model lf = parseVrml(fx::vrmlText(foot, options), "lf.wrl");
    for (const std::string_view eol : {"\r\n", "\r"}) {
        options.eol = eol;
        const std::string text = fx::vrmlText(foot, options);
        QVERIFY(parseVrml(text, "other.wrl") == lf);
        // A comment is white space, even inside a list and on CR-only lines.
        std::string commented = text;
        const std::size_t list = commented.find("point [") + 7;
        commented.insert(list, std::string("# ] not the end").append(eol));
        QVERIFY(parseVrml(commented, "commented.wrl") == lf);
    }
    QCOMPARE(lf.objects[0].colours, foot.colours);
    QVERIFY(fx::sameSurface(lf.objects[0], foot));

    // Lines are counted in CR-only files too, for the message.
    const QString message =
        refusal("#VRML V2.0 utf8\r\rShape {\r geometry IndexedFaceSet {\r coordIndex [0 1 x] } }\r");
    QVERIFY2(message.contains("line 5: \"x\" is not a whole number"), qPrintable(message));
}

void TestVrmlReader::unknownNodesAndPrototypesAreSkipped()
{
    const std::string text = R"(
EXTERNPROTO Lamp [ field SFColor tint ] [ "lamp.wrl#Lamp" "urn:lamp" ]
PROTO Gadget [ field SFVec3f size 1 1 1  eventIn SFBool go ] {
  Shape { geometry IndexedFaceSet { coord Coordinate { point [0 0 0 5 5 5 6 6 6] } coordIndex [0 1 2] } }
}
WorldInfo { title "a title with ] and } in it" info [ "x", "y" ] }
NavigationInfo { type [ "EXAMINE" "ANY" ] headlight TRUE }
Viewpoint { position 0 0 10 orientation 0 1 0 0 description "front" }
Gadget { size 2 2 2 }
DEF Clock TimeSensor { cycleInterval 3 loop TRUE }
Script { field SFNode target USE Clock  eventIn SFTime tick  url "javascript: function tick() { }" }
Group {
  children [
    Lamp { tint 1 0 0 }
    Shape {
      appearance Appearance { textureTransform TextureTransform { scale 2 2 } material Material { shininess 0.2 } }
      geometry IndexedFaceSet {
        solid FALSE convex TRUE normalPerVertex TRUE
        normal Normal { vector [ 0 0 1, 0 0 1, 0 0 1, 0 0 1 ] } normalIndex [ 0 1 2 3 -1 ]
        coord Coordinate { point [0 0 0, 1 0 0, 1 1 0, 0 1 0] }
        coordIndex [0 1 2 3 -1]
      }
    }
    Shape { geometry Box { size 1 1 1 } }
  ]
  ROUTE Clock.fraction_changed TO Clock.set_enabled
}
ROUTE Clock.time TO Clock.set_startTime
)";
    const Model model = read(text);
    QCOMPARE(model.objects.size(), std::size_t(1)); // the prototype and the box are not meshes
    QCOMPARE(model.objects[0].triangles.size(), std::size_t(2));
    QCOMPARE(model.objects[0].colours.size(), std::size_t(4)); // the Material, with its default colour
    QCOMPARE(model.objects[0].colours[0], (Rgba{204, 204, 204, 255}));
}

void TestVrmlReader::switchAndLodShowOneChild()
{
    auto triangle = [](int z) {
        return "Shape { geometry IndexedFaceSet { coord Coordinate { point [0 0 " + std::to_string(z) + ", 1 0 "
               + std::to_string(z) + ", 0 1 " + std::to_string(z) + "] } coordIndex [0 1 2] } }";
    };
    const Model model = read("Switch { whichChoice 1 choice [ " + triangle(1) + triangle(2)
                             + " ] }"
                               "Switch { choice [ "
                             + triangle(3)
                             + " ] }" // whichChoice -1: nothing
                               "LOD { level [ "
                             + triangle(4) + triangle(5) + " ] }");
    QCOMPARE(model.objects.size(), std::size_t(2));
    QCOMPARE(model.objects[0].positions[0].z, 2.0);
    QCOMPARE(model.objects[1].positions[0].z, 4.0);
}

void TestVrmlReader::generatedScansRoundTrip_data()
{
    QTest::addColumn<int>("triangles");
    QTest::addColumn<bool>("colours");
    QTest::addColumn<bool>("texCoordIndex");
    QTest::newRow("small coloured") << 200 << true << false;
    QTest::newRow("small textured, own index") << 200 << false << true;
    // Large enough for the lists to be read in slices on several cores.
    QTest::newRow("large coloured") << 120000 << true << false;
    QTest::newRow("large textured, own index") << 120000 << false << true;
}

void TestVrmlReader::generatedScansRoundTrip()
{
    QFETCH(int, triangles);
    QFETCH(bool, colours);
    QFETCH(bool, texCoordIndex);
    const Mesh foot = fx::footLikeMesh(std::size_t(triangles), colours);
    fx::VrmlOptions options;
    options.colours = colours;
    options.texture = !colours;
    options.texCoordIndex = texCoordIndex;
    const Model model = read(fx::vrmlText(foot, options).substr(kHeader.size()));
    QCOMPARE(model.objects.size(), std::size_t(1));
    const Mesh &m = model.objects[0];
    QCOMPARE(m.positions, foot.positions); // 17 digits give every double back
    QCOMPARE(m.triangles, foot.triangles);
    if (colours) {
        QCOMPARE(m.colours, foot.colours);
    } else {
        QCOMPARE(m.texCoords.size(), foot.positions.size());
        const std::size_t last = foot.positions.size() - 1;
        QCOMPARE(m.texCoords[last].u, fx::detail::fixtureTexCoord(foot.positions[last]).u);
    }
    QVERIFY(std::abs(m.creaseAngle - 0.5 * 180 / 3.14159265358979323846) < 1e-9);
}

void TestVrmlReader::truncatedFilesAreRefused()
{
    fx::VrmlOptions options;
    options.colours = true;
    options.texture = true;
    options.texCoordIndex = true;
    const std::string text = fx::vrmlText(fx::footLikeMesh(3, 3, true), options);
    const std::size_t lastBrace = text.rfind('}');
    for (std::size_t cut = 0; cut <= lastBrace; ++cut) {
        const QString message = refusal(text.substr(0, cut));
        QVERIFY2(message.startsWith("scan.wrl cannot be read as VRML: "),
                 qPrintable(QString("cut at %1: %2").arg(cut).arg(message)));
    }
    QCOMPARE(parseVrml(text.substr(0, lastBrace + 1), "scan.wrl").objects.size(), std::size_t(1));
}

void TestVrmlReader::corruptFilesAreRefused_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<QString>("why");
    const std::string pts = "coord Coordinate { point [0 0 0, 1 0 0, 0 1 0] } ";
    auto shape = [&](const std::string &fields) {
        return kHeader + "Shape { geometry IndexedFaceSet { " + fields + " } }\n";
    };
    QTest::newRow("index past the end") << shape(pts + "coordIndex [0 1 3]")
                                        << "line 2: coordIndex names point 3, but the set has 3 points";
    QTest::newRow("index below -1") << shape(pts + "coordIndex [0 1 -2]") << "coordIndex names point -2";
    QTest::newRow("index without points")
        << shape("coordIndex [0 1 2]") << "coordIndex names point 0, but the set has 0 points";
    QTest::newRow("index beyond 32 bits")
        << shape(pts + "coordIndex [0 1 4294967298]") << "\"4294967298\" is not a whole number";
    QTest::newRow("colour past the end") << shape(pts + "coordIndex [0 1 2] color Color { color [1 0 0, 0 1 0] }")
                                         << "coordIndex names colour 2, but the set has 2 colours";
    QTest::newRow("colorIndex past the end")
        << shape(pts + "coordIndex [0 1 2] color Color { color [1 0 0] } colorIndex [0 0 7]")
        << "colorIndex names colour 7";
    QTest::newRow("colorIndex too short")
        << shape(pts + "coordIndex [0 1 2 -1] color Color { color [1 0 0] } colorIndex [0 0]")
        << "colorIndex has 2 entries for the 4 of coordIndex";
    QTest::newRow("-1 in colorIndex at a corner")
        << shape(pts + "coordIndex [0 1 2] color Color { color [1 0 0] } colorIndex [0 -1 0]")
        << "colorIndex names colour -1";
    QTest::newRow("too few face colours")
        << shape(pts + "coordIndex [0 1 2 -1 2 1 0] colorPerVertex FALSE color Color { color [1 0 0] }")
        << "the face count names colour 1";
    QTest::newRow("texCoordIndex past the end")
        << shape(pts + "coordIndex [0 1 2] texCoord TextureCoordinate { point [0 0, 1 1] } texCoordIndex [0 1 2]")
        << "texCoordIndex names texture point 2, but the set has 2 texture points";
    QTest::newRow("points not in threes") << shape("coord Coordinate { point [0 0 0, 1 0] } coordIndex [0]")
                                          << "point holds 5 numbers, not a multiple of 3";
    QTest::newRow("use of an unknown name") << shape("coord USE Nowhere coordIndex [0 1 2]")
                                            << "line 2: USE names \"Nowhere\", which no DEF before it defines";
    QTest::newRow("use before its def") << kHeader + "Group { children [ USE Later ] }\nDEF Later Group {}\n"
                                        << "USE names \"Later\"";
    QTest::newRow("use inside its own def") << kHeader + "DEF Loop Group { children [ USE Loop ] }\n"
                                            << "USE names \"Loop\"";
    QTest::newRow("use of the wrong kind")
        << kHeader + "DEF C Color { color [1 0 0] }\n" + "Shape { geometry IndexedFaceSet { coord USE C } }"
        << "coord must hold a Coordinate node";
    QTest::newRow("number too large") << shape("coord Coordinate { point [1e999 0 0] } coordIndex [0 0 0]")
                                      << "\"1e999\" is not a number";
    QTest::newRow("not a number") << shape("coord Coordinate { point [1 zwei 3] }") << "\"zwei\" is not a number";
    QTest::newRow("inf is not a number") << shape("coord Coordinate { point [inf 0 0] }") << "\"inf\" is not a number";
    QTest::newRow("transform beyond range") << kHeader + "Transform { scale 1e300 1 1 children "
                                                   + "Shape { geometry IndexedFaceSet { coord Coordinate { point "
                                                     "[1e300 0 0, 0 0 0, 0 1 0] } coordIndex [0 1 2] } } }"
                                            << "a transform moves a point beyond the range of a number";
    QTest::newRow("not TRUE or FALSE") << shape(pts + "coordIndex [0 1 2] ccw maybe")
                                       << "expected TRUE or FALSE but found \"maybe\"";
    QTest::newRow("unclosed string") << kHeader + "WorldInfo { title \"never closed }"
                                     << "a quoted text is never closed";
    QTest::newRow("stray bracket") << kHeader + "] Group {}"
                                   << "expected a name or a value but found \"]\"";
    QTest::newRow("node without braces") << kHeader + "Group children"
                                         << "expected \"{\" after \"Group\"";
    QTest::newRow("no faces at all") << kHeader + "Group { }\n"
                                     << "it holds no faces to show";
    QTest::newRow("empty file") << std::string() << "it does not begin with \"#VRML V2.0 utf8\"";
    QTest::newRow("VRML 1.0") << std::string("#VRML V1.0 ascii\nSeparator { }") << "it is VRML 1.0";
    QTest::newRow("compressed") << std::string("\x1F\x8B\x08\x00", 4) << "it is compressed";
    QTest::newRow("an STL") << std::string("solid foot\n") << "it does not begin with";
}

void TestVrmlReader::corruptFilesAreRefused()
{
    QFETCH(std::string, text);
    QFETCH(QString, why);
    const QString message = refusal(text);
    QVERIFY2(message.startsWith("scan.wrl cannot be read as VRML: ") && message.contains(why), qPrintable(message));
}

void TestVrmlReader::deepNestingIsRefusedNotFatal()
{
    // Far deeper than any stack would take one call a level.
    for (const std::string opening : {"Group { children [ ", "Transform { children ", "Shape { geometry "}) {
        std::string text = kHeader;
        for (int i = 0; i < 200000; ++i)
            text += opening;
        const QString message = refusal(text);
        QVERIFY2(message.contains("nodes are nested more than 200 deep"), qPrintable(message));
    }
    // Unknown nodes are skipped by their brackets, without nesting at all.
    std::string skipped = kHeader + "Unknown { ";
    for (int i = 0; i < 200000; ++i)
        skipped += "Inner { list [ ";
    QVERIFY(refusal(skipped).contains("the file ends before the bracket opened here is closed"));
}

void TestVrmlReader::exponentialReuseIsRefused()
{
    // Each group shows the one before it twice: 2^40 triangles from a
    // file of a few kilobytes.
    std::string text = kHeader + "DEF L0 " + square();
    for (int i = 1; i <= 40; ++i)
        text += "DEF L" + std::to_string(i) + " Group { children [ USE L" + std::to_string(i - 1) + " USE L"
                + std::to_string(i - 1) + " ] }\n";
    QVERIFY(refusal(text).contains("more"));
    // Empty groups multiply too, and still end quickly.
    std::string empty = kHeader + square() + "DEF E0 Group { }\n";
    for (int i = 1; i <= 60; ++i)
        empty += "DEF E" + std::to_string(i) + " Group { children [ USE E" + std::to_string(i - 1) + " USE E"
                 + std::to_string(i - 1) + " ] }\n";
    QVERIFY(refusal(empty).contains("the file repeats its nodes (USE) more often than a scan can"));
    // A modest reuse, as a model of two identical parts, is fine.
    const Model twice = read("DEF P " + square() + "Transform { translation 5 0 0 children USE P }");
    QCOMPARE(twice.objects.size(), std::size_t(2));
}

void TestVrmlReader::missingFileIsAnAccessError()
{
    QTemporaryDir dir;
    try {
        readVrmlFile(std::filesystem::path(dir.path().toStdString()) / "nothing.wrl");
        QFAIL("a missing file was read");
    } catch (const MeshError &e) {
        QCOMPARE(e.kind(), MeshError::Kind::FileAccess);
        QVERIFY(QString(e.what()).contains("nothing.wrl"));
    }
}

QTEST_GUILESS_MAIN(TestVrmlReader)
#include "tst_vrml_reader.moc"
