// The fuzzers' first inputs, from the generators the tests use: small scans
// of every kind and form, so mutation starts from files that read.
//   fuzz_seeds <corpus folder>   writes <folder>/{stl,obj,vrml,lcf}/...
#include "lcf_file.h"
#include "mesh_fixtures.h"
#include "vrml_fixtures.h"

#include <filesystem>
#include <string>

namespace fx = mesh::fixtures;

int main(int argc, char **argv)
{
    if (argc != 2)
        return 2;
    const std::filesystem::path root = argv[1];
    for (const char *kind : {"stl", "obj", "vrml", "lcf"})
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
    return 0;
}
