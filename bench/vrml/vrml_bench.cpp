// VRML reader benchmark: generated scanner-style VRML97 files of about 200k
// and 1M triangles, each read by the reader and by a plain read of the same
// bytes (the floor), and by the same read into fresh memory in huge pages,
// as the reader's own buffers come. The reader's result is checked (triangle count, and
// colours or texture coordinates where the file has them) so it cannot win by
// skipping work. Usage: vrml_bench [folder] [repetitions]

#include "vrml_fixtures.h"
#include "vrml_reader.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "ratio.h"
#include "read_timing.h"
#include <vector>

namespace fx = mesh::fixtures;

using bench::plainRead;
using bench::plainReadHuge;
using bench::timeBest;

namespace {

struct Variant
{
    const char *tag;
    fx::VrmlOptions options;
};

struct Ratio
{
    std::string name;
    double plain;
    double huge;
};

} // namespace

int main(int argc, char **argv)
{
    const std::filesystem::path folder = argc > 1 ? argv[1] : "/tmp/solvane-vrml-bench";
    const int reps = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    std::filesystem::create_directories(folder);

    fx::VrmlOptions coloured;
    coloured.colours = true;
    coloured.digits = 8;
    fx::VrmlOptions textured;
    textured.texture = true;
    textured.texCoordIndex = true;
    textured.digits = 8;
    const Variant variants[] = {{"colour", coloured}, {"texture", textured}};
    std::vector<Ratio> ratios;

    std::printf("| file | MB | plain read ms | VRML reader ms | reader / plain read | plain read in huge pages ms "
                "| reader / that |\n");
    std::printf("|---|---:|---:|---:|---:|---:|---:|\n");
    for (const std::size_t target : {std::size_t(200000), std::size_t(1000000)}) {
        const mesh::Mesh foot = fx::footLikeMesh(target, true);
        const std::size_t tris = foot.triangles.size();
        for (const Variant &variant : variants) {
            const auto path = folder / ("foot_" + std::to_string(tris / 1000) + "k_" + variant.tag + ".wrl");
            fx::writeFile(path, fx::vrmlText(foot, variant.options));
            fx::writeFile(folder / variant.options.textureUrl, "not a picture");
            const auto size = static_cast<std::size_t>(std::filesystem::file_size(path));
            const double plain = timeBest(reps, size, "plain read", [&] { return plainRead(path); });
            const double plainHuge =
                timeBest(reps, size, "plain read in huge pages", [&] { return plainReadHuge(path); });
            const double ours = timeBest(reps, tris, "VRML reader", [&]() -> std::size_t {
                const mesh::Model model = mesh::readVrmlFile(path);
                const mesh::Mesh &m = model.objects.at(0);
                const bool complete =
                    variant.options.colours ? m.hasColours() : !m.texturePath.empty() && m.hasTexCoords();
                return complete ? m.triangles.size() : 0;
            });
            std::printf("| %s | %.1f | %.1f | %.1f | %.2fx | %.1f | %.2fx |\n", path.filename().string().c_str(),
                        size / 1e6, plain, ours, ours / plain, plainHuge, ours / plainHuge);
            ratios.push_back(
                {"vrml-" + std::to_string(tris / 1000) + "k-" + variant.tag, ours / plain, ours / plainHuge});
            std::fflush(stdout);
        }
    }
    std::filesystem::remove_all(folder);
    std::printf("\n");
    for (const Ratio &r : ratios) {
        bench::printRatio(r.name + "/plain-read", r.plain);
        bench::printRatio(r.name + "/hugepage-read", r.huge);
    }
    return 0;
}
