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

using bench::residentMegabytes;

std::uint32_t hash(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
{
    std::uint32_t h = x * 374761393u + y * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    return h ^ (h >> 16);
}

// Smooth value noise in [0, 1] with a cell of `cell` pixels.
double noise(int x, int y, int cell, std::uint32_t seed)
{
    const int cx = x / cell, cy = y / cell;
    const double fx = double(x % cell) / cell, fy = double(y % cell) / cell;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    auto v = [&](int i, int j) {
        return (hash(std::uint32_t(cx + i), std::uint32_t(cy + j), seed) & 0xffff) / 65535.0;
    };
    const double top = v(0, 0) + (v(1, 0) - v(0, 0)) * sx;
    const double bottom = v(0, 1) + (v(1, 1) - v(0, 1)) * sx;
    return top + (bottom - top) * sy;
}

// A sole-like photo: a skin-toned foot shape with creases and pores over a
// darker floor, fine sensor grain everywhere, so neither a copy nor a JPEG
// of it is cheap by accident.
QImage texturedPhoto(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const double v = double(y) / height;
        const double halfWidth = 0.16 + 0.08 * std::sin(v * 3.1) - 0.05 * std::exp(-std::pow((v - 0.55) * 6, 2));
        for (int x = 0; x < width; ++x) {
            const double u = double(x) / width - 0.5;
            const double inside = std::clamp((halfWidth - std::abs(u)) * 40, 0.0, 1.0);
            const double broad = noise(x, y, 256, 1), mid = noise(x, y, 32, 2), fine = noise(x, y, 4, 3);
            const double grain = (hash(std::uint32_t(x), std::uint32_t(y), 9) & 0xff) / 255.0 - 0.5;
            const double skin = 0.75 + 0.15 * broad + 0.08 * mid - 0.06 * fine;
            const double floor = 0.25 + 0.1 * broad + 0.05 * mid;
            const double l = floor + (skin - floor) * inside + 0.04 * grain;
            line[x] = qRgb(std::clamp(int(255 * l), 0, 255), std::clamp(int(210 * l), 0, 255),
                           std::clamp(int(185 * l), 0, 255));
        }
    }
    return image;
}

// Roughly what a clinician draws: lines, outlines, circles and notes in
// `area`, and `inserts` feature blocks.
void drawOver(Drawing &d, const QRectF &area, int count)
{
    const int pad = d.defineBlock(installdata::featureBlocks().first().block);
    const double w = area.width(), h = area.height();
    auto at = [&](int i, int salt) {
        return QPointF(area.left() + w * ((hash(std::uint32_t(i), 1, std::uint32_t(salt)) % 1000) / 1000.0),
                       area.top() + h * ((hash(std::uint32_t(i), 2, std::uint32_t(salt)) % 1000) / 1000.0));
    };
    d.setDefaultTextHeight(h * 0.02);
    for (int i = 0; i < count; ++i) {
        switch (i % 10) {
        case 0:
        case 1:
        case 2: d.addLine(at(i, 1), at(i, 2)); break;
        case 3: {
            QVector<QPointF> points;
            for (int k = 0; k < 10; ++k)
                points << at(i * 10 + k, 3);
            d.addPolyline(points, i % 20 == 3);
            break;
        }
        case 4: d.addCircle(at(i, 4), w * 0.02); break;
        case 5: d.addEllipse(at(i, 5), w * 0.03, w * 0.015, i); break;
        case 6: d.addSpline({at(i, 6), at(i, 7), at(i, 8), at(i, 9)}); break;
        case 7: d.addText(at(i, 10), QStringLiteral("Pad %1 mm").arg(i), i % 90); break;
        case 8: d.insertBlock(pad, at(i, 11), w / 400, i); break;
        default: d.addLeader({at(i, 12), at(i, 13)}, QStringLiteral("Note")); break;
        }
    }
}

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
