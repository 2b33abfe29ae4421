// The fuzzers' first inputs, so mutation starts from files that read: small
// scans of every kind and form from the generators the tests use, and the
// records, settings, drawing and archive the program's own writers make.
//   fuzz_seeds <corpus folder>   writes <folder>/<target>/...
// The hand-made tables and scans that the tests and the demo read are
// further seeds of their own (tools/fuzz.sh names their folders).
#include "clock.h"
#include "csveva.h"
#include "fuzz_home.h"
#include "jobarchive.h"
#include "lcf_file.h"
#include "mainconfig.h"
#include "mesh_fixtures.h"
#include "rigidrecord.h"
#include "scannersettings.h"
#include "scriptrecord.h"
#include "vecfile.h"
#include "vrml_fixtures.h"

#include <filesystem>
#include <string>

namespace fx = mesh::fixtures;

namespace {

void copyInto(const QString &file, const std::filesystem::path &folder)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        fuzzhome::fail("a seed was not written");
    fx::writeFile(folder / QFileInfo(file).fileName().toStdString(), in.readAll().toStdString());
}

// A drawing with one of each kind a clinic draws, on a layer of its own,
// with a block inserted twice.
QByteArray drawingSeed()
{
    cad::Drawing drawing;
    drawing.setCurrentLayer(drawing.addLayer(QStringLiteral("Outline"), 3));
    drawing.addLine({0, 0}, {100, 40});
    drawing.addCircle({20, 20}, 5);
    drawing.addEllipse({50, 20}, 10, 4, 30);
    drawing.addPolyline({{0, 0}, {10, 0}, {10, 10}}, true);
    drawing.addSpline({{0, 0}, {5, 8}, {12, 3}, {20, 9}});
    drawing.addText({5, 50}, QStringLiteral("Left, 9.5"), 15);
    drawing.addMultiText({5, 70}, QStringLiteral("Met pad\nHeel cup"));
    drawing.addLeader({{30, 30}, {40, 45}}, QStringLiteral("Arch"));
    cad::Block pad;
    pad.name = QStringLiteral("MetPad");
    pad.base = {1, 2};
    cad::Entity ring;
    ring.kind = cad::Kind::Circle;
    ring.points = {{0, 0}};
    ring.radius = 3;
    pad.entities << ring;
    const int id = drawing.defineBlock(pad);
    drawing.insertBlock(id, {60, 60}, 2, 45);
    drawing.insertBlock(id, {70, 10});
    return cad::vecBytes(drawing);
}

void writeRecords(const std::filesystem::path &root)
{
    Clock::setSource([] { return QDateTime(QDate(2026, 12, 8), QTime(10, 30, 0)); });
    ScriptRecord job;
    job.CurrentFolder = fuzzhome::path(QStringLiteral("Data"));
    job.JobNumber = QStringLiteral("AB0042");
    job.ClientFirstName = QStringLiteral("Ann");
    job.ClientSurname = QStringLiteral("Lee");
    job.PodiatristName = QStringLiteral("Dr Tom Hart");
    job.ClinicName = QStringLiteral("Northside");
    job.Notes = QStringLiteral("Left heel, 4mm");
    job.LeftLcfFile = fuzzhome::path(QStringLiteral("Data/Lee_Ann_L.Lcf"));
    job.CsvFile = fuzzhome::path(QStringLiteral("Data/AB0042_Ann_Lee.Csv"));
    Write_CSV_EVA(job);
    copyInto(job.CsvFile, root / "soft_record");
    job.CsvFile = fuzzhome::path(QStringLiteral("Data/R_AB0042_Ann_Lee.Csv"));
    Write_CSV_Rigid(job);
    copyInto(job.CsvFile, root / "rigid_record");
}

void writeSettings(const std::filesystem::path &root)
{
    Create_Main_Config(QStringLiteral("A0000"));
    copyInto(fuzzhome::path(QStringLiteral("Solvane.Cfg")), root / "config");
    for (const IntakeScanner scanner : {IntakeScanner::General, IntakeScanner::Pellmar}) {
        ScriptRecord job;
        Load_Scanner_Settings(scanner, job);
        copyInto(fuzzhome::path(Scanner_Config_Defaults(scanner).fileName), root / "scanner");
    }
}

void writeArchive(const std::filesystem::path &root)
{
    const QString csv = fuzzhome::path(QStringLiteral("Data/AB0042_Ann_Lee.Csv"));
    const QString scan = fuzzhome::path(QStringLiteral("Data/Lee_Ann_L.Wrl"));
    fx::writeFile(scan.toStdString(), fx::vrmlText(fx::footLikeMesh(3, 3, true), fx::VrmlOptions{}));
    const QString zip = fuzzhome::path(QStringLiteral("AB0042_Ann_Lee.Zip"));
    QFile::remove(zip);
    Write_Job_Archive(zip, {csv, scan}, QStringLiteral("Job: AB0042"));
    copyInto(zip, root / "archive");
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    const std::filesystem::path root = argv[1];
    for (const char *kind :
         {"stl", "obj", "vrml", "lcf", "vec", "soft_record", "rigid_record", "config", "scanner", "archive"})
        std::filesystem::create_directories(root / kind);
    const mesh::Mesh tiny = fx::footLikeMesh(3, 3, true);
    const mesh::Mesh small = fx::footLikeMesh(6, 4, true);

    fx::writeFile(root / "stl" / "binary.stl", fx::binaryStl(tiny));
    fx::writeFile(root / "stl" / "binary_solid_header.stl", fx::binaryStl(tiny, "solid but binary"));
    fx::writeFile(root / "stl" / "ascii_lf.stl", fx::asciiStl(tiny));
    fx::writeFile(root / "stl" / "ascii_crlf.stl", fx::asciiStl(tiny, "solid scan", "\r\n"));
    fx::writeFile(root / "stl" / "ascii_head_comment.stl", fx::asciiStl(tiny, "scanner output\n# comment", "\n"));

    fx::writeFile(root / "obj" / "plain.obj", fx::objText(tiny, "\n"));
    mesh::Mesh colourless = tiny;
    colourless.colours.clear();
    fx::writeFile(root / "obj" / "no_colours_crlf.obj", fx::objText(colourless));
    fx::writeFile(root / "obj" / "quads.obj", "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\n"
                                              "mtllib foot.mtl\nf 1/1/1 2/1/1 3/1/1 4/1/1\nf 1//1 3//1 4//1\n");

    fx::VrmlOptions options;
    fx::writeFile(root / "vrml" / "plain.wrl", fx::vrmlText(tiny, options));
    options.colours = true;
    options.eol = "\r";
    fx::writeFile(root / "vrml" / "colours_cr.wrl", fx::vrmlText(tiny, options));
    options.colours = false;
    options.texture = true;
    options.texCoordIndex = true;
    options.eol = "\r\n";
    options.digits = 6;
    fx::writeFile(root / "vrml" / "texture_crlf.wrl", fx::vrmlText(small, options));
    fx::writeFile(
        root / "vrml" / "scene.wrl",
        "#VRML V2.0 utf8\n"
        "EXTERNPROTO Lamp [ field SFColor tint ] \"lamp.wrl\"\n"
        "PROTO P [ field SFInt32 a 1 ] { Group { } }\n"
        "DEF Part Shape { appearance Appearance { material Material { diffuseColor 1 0 0 transparency 0.5 } }\n"
        "  geometry IndexedFaceSet { ccw FALSE creaseAngle 0.7 coord DEF C Coordinate { point [0 0 0, 1 0 0, 1 1 0, 0 "
        "1 0] }\n"
        "  coordIndex [0 1 2 3 -1 0 2 3] colorPerVertex FALSE color Color { color [1 0 0, 0 1 0] } colorIndex [1 0] } "
        "}\n"
        "Transform { translation 1 2 3 rotation 0 1 0 1.57 scale 2 -1 1 center 1 1 1 scaleOrientation 1 0 0 0.3\n"
        "  children [ USE Part Switch { whichChoice 0 choice [ Shape { geometry IndexedFaceSet { coord USE C "
        "coordIndex [3 2 1]\n"
        "  texCoord TextureCoordinate { point [0 0 1 1] } texCoordIndex [0 1 0] } } ] } LOD { level [ USE Part ] } ] "
        "}\n"
        "ROUTE a.b TO c.d # the end\n");

    mesh::Model model;
    model.objects.push_back(small);
    model.objects.back().texturePath = "Foot_L[VRML].Jpg";
    model.objects.back().creaseAngle = 40;
    model.objects.push_back(mesh::Mesh{});
    fx::writeFile(root / "lcf" / "two_objects.lcf", mesh::encodeLcf(model));
    fx::writeFile(root / "lcf" / "empty.lcf", mesh::encodeLcf(mesh::Model{}));

    fx::writeFile(root / "vec" / "drawing.Vec", drawingSeed().toStdString());
    fx::writeFile(root / "vec" / "empty.Vec", cad::vecBytes(cad::Drawing{}).toStdString());
    writeRecords(root);
    writeSettings(root);
    writeArchive(root);
    return 0;
}
