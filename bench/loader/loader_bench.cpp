// Loader benchmark: our scan readers against peer libraries on the same
// generated foot-sized files, with a plain read of the same bytes as the
// floor. Every reader's result is checked (triangle count) so none can win by
// skipping work. Usage: loader_bench [folder] [repetitions]

#include "mesh_fixtures.h"
#include "obj_reader.h"
#include "stl_reader.h"

#include <admesh/stl.h>
#include <assimp/Importer.hpp>
#include <assimp/scene.h>
#include <tiny_obj_loader.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "read_timing.h"
#include <vector>

namespace fx = mesh::fixtures;

using bench::plainRead;
using bench::timeBest;

namespace {

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

struct Row
{
    std::string file;
    double megabytes;
    double plain;
    double ours;
    std::map<std::string, double> peers;
};

std::string cell(double ms)
{
    char b[32];
    std::snprintf(b, sizeof b, "%.1f", ms);
    return b;
}

} // namespace

int main(int argc, char **argv)
{
    const std::filesystem::path folder = argc > 1 ? argv[1] : "/tmp/solvane-loader-bench";
    const int reps = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    std::filesystem::create_directories(folder);
    std::vector<Row> rows;

    for (const std::size_t target : {std::size_t(200000), std::size_t(1000000)}) {
        const mesh::Mesh foot = fx::footLikeMesh(target, true);
        const std::size_t tris = foot.triangles.size();
        const std::string tag = std::to_string(tris / 1000) + "k";
        std::fprintf(stderr, "generating %zu triangles...\n", tris);
        const auto bin = folder / ("foot_" + tag + "_binary.stl");
        const auto ascii = folder / ("foot_" + tag + "_ascii.stl");
        const auto obj = folder / ("foot_" + tag + "_colour.obj");
        fx::writeFile(bin, fx::binaryStl(foot));
        fx::writeFile(ascii, fx::asciiStl(foot, "solid foot", "\r\n"));
        fx::writeFile(obj, fx::objText(foot, "\r\n")); // already in CR LF form

        for (const auto &path : {bin, ascii}) {
            const std::string p = path.string();
            Row row{path.filename().string(), std::filesystem::file_size(path) / 1e6, 0, 0, {}};
            row.plain = timeBest(reps, std::filesystem::file_size(path), "plain read", [&] { return plainRead(p); });
            row.ours =
                timeBest(reps, tris, "ours", [&] { return mesh::readStlFile(path).objects[0].triangles.size(); });
            row.peers["assimp"] = timeBest(reps, tris, "assimp", [&] { return assimpTriangles(p); });
            row.peers["admesh"] = timeBest(reps, tris, "admesh", [&] { return admeshTriangles(p); });
            rows.push_back(row);
        }
        {
            const std::string p = obj.string();
            Row row{obj.filename().string(), std::filesystem::file_size(obj) / 1e6, 0, 0, {}};
            row.plain = timeBest(reps, std::filesystem::file_size(obj), "plain read", [&] { return plainRead(p); });
            row.ours = timeBest(reps, tris, "ours", [&] {
                const auto r = mesh::readObjFile(obj);
                return r.buildFailed || !r.counts.hasColours ? 0 : r.model.objects[0].triangles.size();
            });
            row.peers["assimp"] = timeBest(reps, tris, "assimp", [&] { return assimpTriangles(p); });
            row.peers["tinyobjloader"] = timeBest(reps, tris, "tinyobjloader", [&] { return tinyobjTriangles(p); });
            rows.push_back(row);
        }
    }

    std::printf("| file | MB | plain read ms | ours ms | assimp ms | tinyobjloader ms | admesh ms | assimp / ours | "
                "tinyobjloader / ours | ours / plain read |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n");
    for (const Row &r : rows) {
        auto peer = [&](const char *name) -> std::string {
            const auto it = r.peers.find(name);
            return it == r.peers.end() ? "-" : cell(it->second);
        };
        auto ratio = [&](const char *name) -> std::string {
            const auto it = r.peers.find(name);
            return it == r.peers.end() ? "-" : cell(it->second / r.ours) + "x";
        };
        std::printf("| %s | %.1f | %s | %s | %s | %s | %s | %s | %s | %s |\n", r.file.c_str(), r.megabytes,
                    cell(r.plain).c_str(), cell(r.ours).c_str(), peer("assimp").c_str(), peer("tinyobjloader").c_str(),
                    peer("admesh").c_str(), ratio("assimp").c_str(), ratio("tinyobjloader").c_str(),
                    (cell(r.ours / r.plain) + "x").c_str());
    }
    return 0;
}
