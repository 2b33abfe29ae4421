// photo_bench [repetitions]
//
// Times what a user waits for in "Adjust Photo" on a generated 4000 x 3000
// photo with real texture: each adjustment as the window runs it (an undo
// step, then the adjustment), undo and redo, the memory the undo history
// holds after twenty adjustments, and opening the window on the photo until
// its first paint. Prints each median and worst time beside its target and
// exits with 1 when one is missed.

#include "brighten.h"
#include "imagedocument.h"
#include "imagefile.h"
#include "imageview.h"
#include "scriptrecord.h"
#include "shellservices.h"
#include "sizechart.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <thread>
#include <utility>
#include <vector>

#include "largememory.h"
#include "median_timing.h"
#include "quietshell.h"
#include "ratio.h"

namespace {

using bench::measure;
using bench::Timing;

bool report(const char *name, Timing t, double targetMs)
{
    const bool ok = t.median < targetMs;
    std::printf("%-34s median %8.1f ms   worst %8.1f ms   target < %6.0f ms   %s\n", name, t.median, t.worst, targetMs,
                ok ? "met" : "MISSED");
    return ok;
}

using bench::residentMegabytes;

std::uint32_t mix(std::uint32_t x, std::uint32_t y, std::uint32_t seed)
{
    std::uint32_t h = (x * 0x9e3779b1u) ^ (y * 0x85ebca77u) ^ (seed * 0xc2b2ae3du);
    h ^= h >> 15;
    h *= 0x2c1b3c6du;
    h ^= h >> 12;
    return h;
}

// Value noise in [0, 1], bilinear between grid points `cell` pixels apart.
double smoothNoise(int x, int y, int cell, std::uint32_t seed)
{
    const int gx = x / cell, gy = y / cell;
    const double fx = double(x % cell) / cell, fy = double(y % cell) / cell;
    auto at = [&](int i, int j) { return (mix(std::uint32_t(gx + i), std::uint32_t(gy + j), seed) & 0xfff) / 4095.0; };
    return (at(0, 0) * (1 - fx) + at(1, 0) * fx) * (1 - fy) + (at(0, 1) * (1 - fx) + at(1, 1) * fx) * fy;
}

// A foot-like photo: a light sole shape with blotches and creases on a
// darker floor, and per-pixel grain, so no step is cheap by accident.
QImage texturedPhoto(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const double v = double(y) / height;
        const double half = 0.15 + 0.07 * std::sin(v * 3.0);
        for (int x = 0; x < width; ++x) {
            const double u = std::abs(double(x) / width - 0.5);
            const double sole = std::clamp((half - u) * 30, 0.0, 1.0);
            const double blotch = smoothNoise(x, y, 200, 1), crease = smoothNoise(x, y, 12, 2);
            const double grain = (mix(std::uint32_t(x), std::uint32_t(y), 3) & 0xff) / 255.0 - 0.5;
            const double l = 0.3 + 0.1 * blotch + sole * (0.4 + 0.1 * blotch - 0.08 * crease) + 0.05 * grain;
            line[x] = qRgb(std::clamp(int(255 * l), 0, 255), std::clamp(int(205 * l), 0, 255),
                           std::clamp(int(180 * l), 0, 255));
        }
    }
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    return image;
}

class QuietShell : public bench::QuietShell
{
public:
    QString Size_List_Text(int) const override { return QStringLiteral("9"); }
};

// Waits for the first paint of a widget.
class FirstPaint : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

// The floor of a look-up adjustment: every byte of the photo through a table
// into fresh memory, in row bands on every core, as the adjustments run. With
// `hugePages` the memory asks for huge pages, as the image control's does;
// without, it comes 4 KB at a time, as a plain allocation's does.
double lookupLoopMs(const QImage &photo, bool hugePages)
{
    std::array<uchar, 256> table{};
    for (int v = 0; v < 256; ++v)
        table[v] = uchar(std::min(255, int(std::lround(v * 1.2))));
    const std::size_t bytes = std::size_t(photo.sizeInBytes());
    const uchar *src = photo.constBits();
    const auto start = std::chrono::steady_clock::now();
    auto *dst = static_cast<uchar *>(hugePages ? largememory::allocate(bytes) : ::operator new(bytes));
    const int threads = std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
    const std::size_t band = (bytes + threads - 1) / threads;
    {
        std::vector<std::jthread> workers;
        for (int t = 0; t < threads; ++t)
            workers.emplace_back([table, src, dst, first = t * band, end = std::min(bytes, (t + 1) * band)] {
                for (std::size_t i = first; i < end; ++i)
                    dst[i] = table[src[i]];
            });
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    if (hugePages)
        largememory::release(dst, bytes);
    else
        ::operator delete(dst);
    return ms;
}

Timing lookupLoop(int repetitions, const QImage &photo, bool hugePages)
{
    std::vector<double> ms;
    for (int i = 0; i < repetitions; ++i)
        ms.push_back(lookupLoopMs(photo, hugePages));
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms.back()};
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    QTemporaryDir folder;
    qputenv("SOLVANE_HOME", folder.path().toLocal8Bit());

    const QImage photo = texturedPhoto(4000, 3000);
    std::printf("photo 4000 x 3000 (%.0f MB), %d repetitions\n", photo.sizeInBytes() / 1048576.0, repetitions);
    bool allMet = true;

    ImageDocument doc;
    auto fresh = [&] { doc.setImage(photo); };
    struct Row
    {
        const char *name;
        std::function<void()> adjust;
        double target;
        const char *ratioName = nullptr; // the look-up adjustments, against the huge-page loop
    };
    const Row rows[] = {
        {"Brighten (x 1.2)", [&] { doc.scaleBrightness(1.2); }, 150, "brighten-12MP/hugepage-loop"},
        {"Darken (x 0.8)", [&] { doc.scaleBrightness(0.8); }, 150, "darken-12MP/hugepage-loop"},
        {"Greyscale", [&] { doc.convertToGreyscale(); }, 150},
        {"Negative", [&] { doc.makeNegative(); }, 150, "negative-12MP/hugepage-loop"},
        {"Mirror", [&] { doc.mirror(); }, 150},
        {"Sharpen", [&] { doc.sharpen(); }, 300},
        {"Repair", [&] { doc.repair(); }, 1500},
    };
    const Timing plainLoop = lookupLoop(repetitions, photo, false);
    const Timing hugeLoop = lookupLoop(repetitions, photo, true);
    std::printf("%-34s median %8.1f ms   worst %8.1f ms   (floor, fresh 4 KB pages)\n", "look-up loop, all threads",
                plainLoop.median, plainLoop.worst);
    std::printf("%-34s median %8.1f ms   worst %8.1f ms   (floor, fresh huge pages)\n", "look-up loop into huge pages",
                hugeLoop.median, hugeLoop.worst);
    std::vector<std::pair<const char *, double>> ratios;
    for (const Row &row : rows) {
        const Timing t = measure(repetitions, fresh, [&] {
            doc.recordUndoStep();
            row.adjust();
        });
        allMet &= report(row.name, t, row.target);
        if (row.ratioName)
            ratios.emplace_back(row.ratioName, t.median / hugeLoop.median);
    }
    for (const auto &[name, value] : ratios)
        bench::printRatio(name, value);

    // Undo and redo between two adjusted pictures.
    doc.setImage(photo);
    doc.recordUndoStep();
    doc.scaleBrightness(1.2);
    allMet &= report("Undo",
                     measure(
                         repetitions, [&] { doc.redo(); }, [&] { doc.undo(); }),
                     20);
    allMet &= report("Redo",
                     measure(
                         repetitions, [&] { doc.undo(); }, [&] { doc.redo(); }),
                     20);

    // Twenty adjustments: the history keeps what fits in its 512 MB.
    doc.setImage(photo);
    const double before = residentMegabytes();
    for (int i = 0; i < 20; ++i) {
        doc.recordUndoStep();
        doc.scaleBrightness(i % 2 ? 0.8 : 1.2);
    }
    const double historyMb = doc.historyBytes() / 1048576.0;
    const bool bounded = doc.historyBytes() <= ImageDocument::kDefaultHistoryLimit;
    std::printf("%-34s %d steps kept, %.0f MB of pictures, resident +%.0f MB   target <= 512 MB   %s\n",
                "20 adjustments, history", doc.undoSteps(), historyMb, residentMegabytes() - before,
                bounded ? "met" : "MISSED");
    allMet &= bounded;
    doc.setImage(QImage());

    // Opening Adjust Photo on the photo, as a JPEG, until its first paint.
    const QString jpeg = folder.filePath(QStringLiteral("foot.Jpg"));
    Save_Image_File(photo, jpeg);
    QuietShell shell;
    Set_Shell(&shell);
    Set_Default_Sizes(Job());
    Job().CurrentFoot = QStringLiteral("Left");
    Job().LeftGraphicFile = jpeg;
    Brighten *window = nullptr;
    FirstPaint watch;
    const Timing open = measure(
        repetitions,
        [&] {
            delete window;
            watch.painted = false;
        },
        [&] {
            window = new Brighten;
            window->view()->canvas()->installEventFilter(&watch);
            window->show();
            while (!watch.painted)
                QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        });
    delete window;
    allMet &= report("Open Adjust Photo to first paint", open, 400);
    Set_Shell(nullptr);
    return allMet ? 0 : 1;
}
