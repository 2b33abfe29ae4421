// drawing_bench [folder for the .Vec files] [repetitions]
//
// Times what a user waits for in the drawing tools, on a generated
// 4000 x 3000 photo with real texture: the export of the photo's rectangle
// with 500 entities over it (the bitmap a burn writes back), saving and
// loading a drawing of 10,000 entities, and the memory 50 undo steps take on
// a drawing that holds the photo. Prints each median and worst time beside
// its target and exits with 1 when one is missed.

#include "drawing.h"
#include "installdata.h"
#include "render.h"
#include "vecfile.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

using namespace cad;

#include "drawing_fixtures.h"
#include "median_timing.h"

namespace {

using bench::measure;
using bench::Timing;

bool report(const char *name, Timing t, double targetMs)
{
    const bool ok = t.median < targetMs;
    std::printf("%-40s median %8.1f ms   worst %8.1f ms   target < %4.0f ms   %s\n", name, t.median, t.worst, targetMs,
                ok ? "met" : "MISSED");
    return ok;
}

using bench::drawOver;
using bench::residentMegabytes;
using bench::texturedPhoto;

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QTemporaryDir temporary;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path();
    const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 9;
    QDir().mkpath(folder);
    bool allMet = true;

    const auto made = std::chrono::steady_clock::now();
    const QImage photo = texturedPhoto(4000, 3000);
    std::printf("photo: 4000 x 3000, made in %.0f ms; %d repetitions\n\n",
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - made).count(),
                repetitions);

    // The pane's way: the photo at 250 x 3 / 480 pixels a millimetre, 500
    // entities over it, the export of its own rectangle at its own scale.
    Drawing burn;
    const char *layers[] = {"Image", "Insole", "Client", "Scale"};
    for (int i = 0; i < 4; ++i)
        burn.modifyLayer(burn.addLayer(QString::fromLatin1(layers[i]), i == 3 ? 4 : 1))->order = 3 - i;
    burn.setCurrentLayer(QStringLiteral("Image"));
    const double s = 250.0 * 3 / 480;
    const Handle raster = burn.addRasterImage(photo, QStringLiteral("photo.Jpg"), {0, 0}, s);
    const QRectF photoRect(0, 0, photo.width() / s, photo.height() / s);
    burn.setCurrentLayer(QStringLiteral("Client"));
    drawOver(burn, photoRect, 500);
    // The floor: a fresh bitmap of that size, filled once. Its memory is new
    // to the process each time, so this is mostly the cost of the first touch.
    const Timing floor = measure(repetitions, [&] {
        QImage fresh(photo.size(), QImage::Format_RGB32);
        fresh.fill(Qt::white);
    });
    std::printf("%-40s median %8.1f ms   worst %8.1f ms   (the floor)\n", "fresh 4000 x 3000 bitmap, filled",
                floor.median, floor.worst);
    QImage exported;
    allMet &= report("export 4000 x 3000 with 500 entities",
                     measure(repetitions, [&] { exported = exportRegion(burn, photoRect, s); }), 300);
    if (exported.size() != photo.size()) {
        std::fprintf(stderr, "the export is %d x %d\n", exported.width(), exported.height());
        return 1;
    }

    // A drawing of 10,000 entities to a .Vec file and back.
    Drawing big;
    drawOver(big, QRectF(0, 0, 300, 200), 10000);
    const QString vec = QDir(folder).filePath(QStringLiteral("bench.Vec"));
    allMet &= report("save a 10,000-entity .Vec", measure(repetitions, [&] { writeVecFile(big, vec); }), 100);
    int loaded = 0;
    allMet &=
        report("load a 10,000-entity .Vec", measure(repetitions, [&] { loaded = readVecFile(vec).count(); }), 100);
    std::printf("%-40s %lld bytes, %d entities read back\n", "  (file)", QFileInfo(vec).size(), loaded);
    if (loaded != big.count())
        return 1;

    // 50 undo steps on the drawing holding the photo: each step moves one
    // entity, every fifth step scales the photo itself.
    const double before = residentMegabytes();
    const Timing steps = measure(1, [&] {
        const QVector<Handle> handles = burn.handles();
        for (int i = 0; i < 50; ++i) {
            burn.checkpoint();
            if (i % 5 == 0)
                burn.scaleAbout(raster, {0, 0}, 1.01);
            else
                burn.transform(handles[1 + i], Similarity::translation({1, 1}));
        }
    });
    const double grown = residentMegabytes() - before;
    const bool shared = burn.entity(raster)->image.constBits() == photo.constBits();
    const Timing undo = measure(1, [&] {
        while (burn.undo()) {}
    });
    std::printf("%-40s %8.1f ms for the steps, %.1f ms to undo them all\n", "50 undo steps", steps.median, undo.median);
    const bool memoryMet = grown < 10 && shared;
    std::printf("%-40s grew %6.2f MB, photo pixels %s   target < 10 MB   %s\n", "  memory of the 50 steps", grown,
                shared ? "shared" : "COPIED", memoryMet ? "met" : "MISSED");
    allMet &= memoryMet;
    return allMet ? 0 : 1;
}
