// Loader benchmark: our scan readers against peer libraries on the same
// generated foot-sized files (about 200k, 1M and 3M triangles), with a plain
// read of the same bytes as the floor, and the peak memory each of our
// readers takes per triangle. Every reader's result is checked (triangle
// count) so none can win by skipping work.
//
//   loader_bench [--only binary,ascii,obj,vrml] [--cores N] [folder] [repetitions] [largest triangles]
//       --only: just those files' rows; --cores: our readers share their
//       work over N cores (the peers are single-threaded anyway)
//   loader_bench --run <plain|plain-huge|binary|ascii|obj|vrml|assimp|tinyobjloader|admesh> <file> [cores]
//       (one timed read, in a process of its own; the benchmark starts these)
//
// After the table, the goal ratios as "RATIO <name> <value>x" lines.

#include "mesh_fixtures.h"
#include "obj_reader.h"
#include "parallel.h"
#include "stl_reader.h"
#include "vrml_fixtures.h"
#include "vrml_reader.h"

#include <admesh/stl.h>
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <tiny_obj_loader.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

#include "ratio.h"
#include "read_timing.h"

namespace fx = mesh::fixtures;

using bench::plainRead;
using bench::plainReadHuge;

namespace {

enum class Kind { Binary, Ascii, Obj, Vrml };
const char *const kKindNames[] = {"binary", "ascii", "obj", "vrml"};
const char *const kRatioNames[] = {"binary-stl", "ascii-stl", "obj", "vrml"};

std::size_t oursTriangles(Kind kind, const std::filesystem::path &path)
{
    switch (kind) {
    case Kind::Binary:
    case Kind::Ascii: return mesh::readStlFile(path).objects[0].triangles.size();
    case Kind::Obj: {
        const auto r = mesh::readObjFile(path);
        return r.buildFailed || !r.counts.hasColours ? 0 : r.model.objects[0].triangles.size();
    }
    case Kind::Vrml: {
        const mesh::Model m = mesh::readVrmlFile(path);
        return m.objects.at(0).hasColours() ? m.objects[0].triangles.size() : 0;
    }
    }
    return 0;
}

std::size_t assimpTriangles(const std::string &path)
{
    Assimp::Importer importer;
    const aiScene *scene = importer.ReadFile(path, 0);
    if (!scene)
        return 0;
    std::size_t n = 0;
    for (unsigned i = 0; i < scene->mNumMeshes; ++i)
        n += scene->mMeshes[i]->mNumFaces;
    return n;
}

std::size_t tinyobjTriangles(const std::string &path)
{
    tinyobj::ObjReaderConfig config;
    config.triangulate = true;
    config.vertex_color = true;
    tinyobj::ObjReader reader;
    if (!reader.ParseFromFile(path, config))
        return 0;
    std::size_t n = 0;
    for (const auto &shape : reader.GetShapes())
        n += shape.mesh.num_face_vertices.size();
    return n;
}

std::size_t admeshTriangles(const std::string &path)
{
    stl_file stl;
    std::memset(&stl, 0, sizeof stl);
    std::vector<char> name(path.begin(), path.end());
    name.push_back('\0');
    stl_open(&stl, name.data());
    const std::size_t n = stl.error ? 0 : static_cast<std::size_t>(stl.stats.number_of_facets);
    stl_close(&stl);
    return n;
}

// Resident and peak resident memory of this process, in bytes.
std::size_t statusKilobytes(const char *field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0)
            return static_cast<std::size_t>(std::stoull(line.substr(std::strlen(field)))) * 1024;
    return 0;
}

// Every timing is one read in a process of its own, so each reader (and the
// plain read) starts from the same state: the file hot in the page cache,
// nothing of earlier reads left in the allocator. The child prints the
// milliseconds, what it read (triangles, or bytes for the plain read) and
// the memory it took beyond what the process held before the read.
int childRun(const std::string &what, const char *path, unsigned cores)
{
    mesh::setParallelism({cores, 1});
    const std::size_t before = statusKilobytes("VmRSS:");
    const auto start = std::chrono::steady_clock::now();
    std::size_t got = 0;
    if (what == "plain")
        got = plainRead(path);
    else if (what == "plain-huge")
        got = plainReadHuge(path);
    else if (what == "assimp")
        got = assimpTriangles(path);
    else if (what == "tinyobjloader")
        got = tinyobjTriangles(path);
    else if (what == "admesh")
        got = admeshTriangles(path);
    else
        for (int k = 0; k < 4; ++k)
            if (what == kKindNames[k])
                got = oursTriangles(Kind(k), path);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%.3f %zu %zu\n", ms, got, statusKilobytes("VmHWM:") - before);
    return 0;
}

struct Run
{
    double ms = 1e300; // best of the runs
    double peakBytes = 0; // of the best run
};

Run timeInChild(const std::string &what, const std::filesystem::path &path, int reps, std::size_t expected,
                unsigned cores)
{
    Run best;
    for (int i = 0; i < reps; ++i) {
        const std::string command = "/proc/" + std::to_string(::getpid()) + "/exe --run " + what + " '" + path.string()
                                    + "' " + std::to_string(cores);
        std::FILE *pipe = ::popen(command.c_str(), "r");
        double ms = 0;
        unsigned long long got = 0, peak = 0;
        const int fields = pipe ? std::fscanf(pipe, "%lf %llu %llu", &ms, &got, &peak) : 0;
        if (pipe)
            ::pclose(pipe);
        if (fields != 3 || got != expected) {
            std::fprintf(stderr, "%s gave %llu, expected %zu\n", what.c_str(), got, expected);
            std::exit(1);
        }
        if (ms < best.ms)
            best = {ms, double(peak)};
    }
    return best;
}

struct Row
{
    std::string file;
    std::string name; // in the RATIO lines: "obj-1M"
    double megabytes = 0;
    double plain = 0;
    double plainHuge = 0;
    double ours = 0;
    double bytesPerTriangle = 0;
    std::map<std::string, double> peers;
};

std::string cell(double ms)
{
    char b[32];
    std::snprintf(b, sizeof b, "%.1f", ms);
    return b;
}

double loadAverage()
{
    double one = 0;
    std::ifstream("/proc/loadavg") >> one;
    return one;
}

} // namespace

int main(int argc, char **argv)
{
    if ((argc == 4 || argc == 5) && std::strcmp(argv[1], "--run") == 0)
        return childRun(argv[2], argv[3], argc == 5 ? unsigned(std::atoi(argv[4])) : 0);

    std::string only = "binary,ascii,obj,vrml";
    unsigned cores = 0; // the machine's
    std::vector<const char *> positional;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--only") == 0 && i + 1 < argc)
            only = argv[++i];
        else if (std::strcmp(argv[i], "--cores") == 0 && i + 1 < argc)
            cores = unsigned(std::max(1, std::atoi(argv[++i])));
        else
            positional.push_back(argv[i]);
    }
    auto wanted = [&](Kind kind) {
        return ("," + only + ",").find(std::string(",") + kKindNames[int(kind)] + ",") != std::string::npos;
    };
    const std::filesystem::path folder = positional.size() > 0 ? positional[0] : "/tmp/solvane-loader-bench";
    const int reps = positional.size() > 1 ? std::max(1, std::atoi(positional[1])) : 3;
    const std::size_t largest = positional.size() > 2 ? std::strtoull(positional[2], nullptr, 10) : 3000000;
    std::filesystem::create_directories(folder);
    std::vector<Row> rows;
    const double loadBefore = loadAverage();

    for (const std::size_t target : {std::size_t(200000), std::size_t(1000000), std::size_t(3000000)}) {
        if (target > largest)
            break;
        const mesh::Mesh foot = fx::footLikeMesh(target, true);
        const std::size_t tris = foot.triangles.size();
        const std::string tag = std::to_string(tris / 1000) + "k";
        const std::string sizeName =
            target >= 1000000 ? std::to_string(target / 1000000) + "M" : std::to_string(target / 1000) + "k";
        std::fprintf(stderr, "generating %zu triangles...\n", tris);
        fx::VrmlOptions vrml;
        vrml.colours = true;
        vrml.digits = 8;
        const struct
        {
            Kind kind;
            std::filesystem::path path;
            std::function<std::string()> bytes;
        } files[] = {
            {Kind::Binary, folder / ("foot_" + tag + "_binary.stl"), [&] { return fx::binaryStl(foot); }},
            {Kind::Ascii, folder / ("foot_" + tag + "_ascii.stl"),
             [&] { return fx::asciiStl(foot, "solid foot", "\r\n"); }},
            // Already in CR LF form: the timing includes our line-end check but no rewrite.
            {Kind::Obj, folder / ("foot_" + tag + "_colour.obj"), [&] { return fx::objText(foot, "\r\n"); }},
            {Kind::Vrml, folder / ("foot_" + tag + "_colour.wrl"), [&] { return fx::vrmlText(foot, vrml); }},
        };
        // The peers are slow on the largest files: fewer runs there.
        const int peerReps = target > 1000000 ? 1 : reps;
        for (const auto &file : files) {
            if (!wanted(file.kind))
                continue;
            fx::writeFile(file.path, file.bytes());
            const auto size = static_cast<std::size_t>(std::filesystem::file_size(file.path));
            Row row;
            row.file = file.path.filename().string();
            row.name = std::string(kRatioNames[int(file.kind)]) + "-" + sizeName;
            row.megabytes = size / 1e6;
            std::fprintf(stderr, "  %s\n", row.file.c_str());
            row.plain = timeInChild("plain", file.path, reps, size, cores).ms;
            row.plainHuge = timeInChild("plain-huge", file.path, reps, size, cores).ms;
            const Run ours = timeInChild(kKindNames[int(file.kind)], file.path, reps, tris, cores);
            row.ours = ours.ms;
            row.bytesPerTriangle = ours.peakBytes / double(tris);
            if (file.kind != Kind::Vrml)
                row.peers["assimp"] = timeInChild("assimp", file.path, peerReps, tris, cores).ms;
            if (file.kind == Kind::Binary || (file.kind == Kind::Ascii && target <= 1000000))
                row.peers["admesh"] = timeInChild("admesh", file.path, peerReps, tris, cores).ms;
            if (file.kind == Kind::Obj)
                row.peers["tinyobjloader"] = timeInChild("tinyobjloader", file.path, peerReps, tris, cores).ms;
            rows.push_back(row);
            std::filesystem::remove(file.path);
        }
    }

    std::printf("%u cores (nproc), ours on %u, load average %.1f before and %.1f after, best of %d runs\n\n",
                std::thread::hardware_concurrency(), cores ? cores : std::thread::hardware_concurrency(), loadBefore,
                loadAverage(), reps);
    std::printf("| file | MB | plain read ms | ours ms | ours / plain read | plain read in huge pages ms | ours / that "
                "| peak bytes per triangle | assimp ms | tinyobjloader ms | admesh ms | assimp / ours |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const Row &r : rows) {
        auto peer = [&](const char *name) -> std::string {
            const auto it = r.peers.find(name);
            return it == r.peers.end() ? "-" : cell(it->second);
        };
        const auto assimp = r.peers.find("assimp");
        const std::string assimpRatio = assimp == r.peers.end() ? "-" : cell(assimp->second / r.ours) + "x";
        std::printf("| %s | %.1f | %s | %s | %sx | %s | %sx | %.0f | %s | %s | %s | %s |\n", r.file.c_str(),
                    r.megabytes, cell(r.plain).c_str(), cell(r.ours).c_str(), cell(r.ours / r.plain).c_str(),
                    cell(r.plainHuge).c_str(), cell(r.ours / r.plainHuge).c_str(), r.bytesPerTriangle,
                    peer("assimp").c_str(), peer("tinyobjloader").c_str(), peer("admesh").c_str(), assimpRatio.c_str());
    }
    std::printf("\n");
    for (const Row &r : rows) {
        bench::printRatio(r.name + "/plain-read", r.ours / r.plain);
        bench::printRatio(r.name + "/hugepage-read", r.ours / r.plainHuge);
        for (const auto &[peer, ms] : r.peers)
            bench::printRatio(peer + "/" + r.name, ms / r.ours);
    }
    return 0;
}
