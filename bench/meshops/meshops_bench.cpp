// meshops_bench [folder for the undo files] [repetitions]
//
// Times the mesh operations a user waits for in a foot view on a generated
// scan of about a million triangles with vertex colours, and prints each
// median and worst time beside its target.

#include "camera.h"
#include "mesh_edits.h"
#include "mesh_fixtures.h"
#include "picking.h"
#include "plane_cut.h"
#include "trim_state.h"
#include "undo_ring.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

using namespace mesh;
namespace fs = std::filesystem;

namespace {

struct Timing
{
    double median = 0, worst = 0;
};

// `prepare` runs untimed before each repetition of `work`.
Timing measure(int repetitions, const std::function<void()> &prepare, const std::function<void()> &work)
{
    std::vector<double> ms;
    for (int i = 0; i < repetitions; ++i) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        ms.push_back(std::chrono::duration<double, std::milli>(end - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

bool report(const char *name, Timing t, double targetMs)
{
    const bool ok = t.median < targetMs;
    std::printf("%-34s median %8.2f ms   worst %8.2f ms   target < %5.0f ms   %s\n", name, t.median, t.worst, targetMs,
                ok ? "met" : "MISSED");
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "solvane-meshops-bench";
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
    fs::create_directories(folder);

    Model model;
    model.objects.push_back(fixtures::footLikeMesh(std::size_t(1'000'000), true));
    const Mesh &foot = model.objects[0];
    std::printf("scan: %zu triangles, %zu vertices with colours; %d repetitions\n\n", foot.triangles.size(),
                foot.positions.size(), repetitions);

    bool allMet = true;

    Camera camera;
    camera.setViewport(1280, 960);
    camera.fit(model.bounds());
    std::size_t pixel = 0;
    std::size_t hits = 0;
    const Timing pick = measure(
        repetitions, [] {},
        [&] {
            // Under vertices spread over the scan, so every pick lands on it.
            const PixelPoint at = camera.toPixel(foot.positions[(pixel++ * 7919u * 104729u) % foot.positions.size()]);
            if (pickNearest(model, camera.rayThroughPixel(at.x, at.y)))
                ++hits;
        });
    allMet &= report("pick (nearest hit under a pixel)", pick, 20);

    TrimSteps steps;
    TrimPlaneState trim;
    trim.init(steps);
    steps.choose(20);
    trim.up(steps);
    trim.up(steps);
    trim.east(steps); // a tilted plane through the upper half
    Mesh work;
    CutOutcome outcome = CutOutcome::NothingRemoved;
    const Timing cut = measure(
        repetitions, [&] { work = foot; }, [&] { outcome = cutMesh(work, trim.cuttingPlane(false)); });
    const std::size_t trianglesLeft = work.triangles.size();
    allMet &= report("plane cut", cut, 100);

    const Timing bright = measure(
        repetitions, [&] { work = foot; }, [&] { changeBrightness(work, kBrighten); });
    allMet &= report("brightness (Brighten 1.5)", bright, 20);

    UndoRing ring(folder, "UndoL");
    const Timing snapshot = measure(
        repetitions, [] {}, [&] { ring.save(model); });
    allMet &= report("undo snapshot (save to the ring)", snapshot, 300);
    const Timing restore = measure(
        std::min(repetitions, UndoRing::kDepth), [] {}, [&] { (void)ring.undo(); });
    report("undo (load from the ring)", restore, 300);

    const Timing normals = measure(
        repetitions, [] {}, [&] { (void)cornerNormals(foot, kSmoothCreaseAngle); });
    std::printf("%-34s median %8.2f ms   worst %8.2f ms   (no target; the renderer's)\n", "shading normals, crease 40",
                normals.median, normals.worst);

    std::printf("\npicks that hit: %zu of %d; cut %s, %zu triangles left\n", hits, repetitions,
                outcome == CutOutcome::Cut ? "made" : "NOT made", trianglesLeft);
    ring.removeFiles();
    return allMet ? 0 : 1;
}
