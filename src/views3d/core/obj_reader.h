#pragma once
// Wavefront OBJ scans: the small part of the format that foot scanners write.
//
// One statement a line; the keyword is the line's first value and matches
// exactly ("V" is not "v"). Values, the keyword included, are separated by
// runs of blanks and tabs, as exporters that align their columns write them:
// "v 1  2\t3" is (1, 2, 3). A value the line does not have reads as 0.
// Numbers are leading numbers: "7/3/2" and "7//2" both name vertex 7.
//  - "v x y z [r g b]": colours from 0 to 1, each times 255 rounded half to
//    even; a value outside the byte range fails the read. A vertex without
//    colours in a file that has some gets (0, 0, 0).
//  - "f a b c [d ...]": corners counted from 1 over the whole file; faces of
//    more than three corners are fanned from the first corner.
//  - "vn", "vt": counted only. "mtllib": reported, otherwise ignored.
//  - anything else, "#" comments included: ignored.
// Vertex colours are only given to the mesh when the file has them.

#include "mesh_model.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mesh {

// Status texts the window shows while a read runs, in this order; the last
// once the counts box has been shown and the mesh built.
inline constexpr std::string_view kObjPass1Status = "Pass 1: Check OBJ File Structure";
inline constexpr std::string_view kObjPass2Status = "Pass 2: Check OBJ File Integrity";
inline constexpr std::string_view kObjPass3Status = "Pass 3: Read OBJ File";
inline constexpr std::string_view kObjDoneStatus = "Ready";

struct ObjCounts
{
    std::uint32_t vertices = 0; // "v" statements
    std::uint32_t normals = 0; // "vn"
    std::uint32_t texCoords = 0; // "vt"
    std::uint32_t faces = 0; // "f" statements (before fanning)
    bool hasColours = false; // at least one "v" carries a colour

    // The counts box: "VCount: ", "VnCount: ", "VtCount: ", "FCount: ",
    // "Vn Flag: ", "Vt Flag: ", "Vc Flag: " lines joined by CR LF.
    std::string text() const;
    friend bool operator==(const ObjCounts &, const ObjCounts &) = default;
};

enum class ViewSide { Left, Right };

struct ObjReadResult
{
    // One mesh (unnamed: the view names it) whenever the read succeeded.
    Model model;
    ObjCounts counts;
    // "MtlLib Found: " and the rest of the line, one per "mtllib", in file order.
    std::vector<std::string> mtlLibMessages;
    // The mesh could not be built completely: a face names a vertex that does
    // not exist (the faces before it are kept), or the file has no vertices
    // (the mesh is empty). The window shows objBuildErrorText(); buildFailure
    // says what exactly was wrong.
    bool buildFailed = false;
    std::string buildFailure;
};

// "Error Reading OBJ File (2)" for the left view, "(3)" for the right.
std::string objBuildErrorText(ViewSide side);

// Reads OBJ text already in memory; no repair. Throws MeshError when the text
// cannot be read at all (a colour out of range, more statements than a mesh
// can index, a coordinate beyond the range of a double).
ObjReadResult parseObj(std::string_view text, const std::string &sourceName);

// The whole read of a scan: repairs the file's line ends in place first
// (see fixLineEnds), then reads it. status, when given, receives the pass
// texts above as each pass begins. Throws MeshError, also for a file that is
// not text (it holds a NUL byte; it is left as it is) and for one whose mesh
// has no triangle at all: a scan of points or lines only, or one whose first
// face names no vertex. A large file is read a chunk at a time, twice; one
// that changes between the two is refused (MeshError, FileAccess).
ObjReadResult readObjFile(const std::filesystem::path &path, const std::function<void(std::string_view)> &status = {});

} // namespace mesh
