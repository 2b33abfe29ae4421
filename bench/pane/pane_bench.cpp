// pane_bench [repetitions]
//
// Times the insole pane of a prescription window on a generated 4000 x 3000
// JPEG photo with real texture: rebuilding the pane (Load_Vec_File, which
// runs on every tab change) until its view has painted, with the photo read
// afresh (the first time, or after a burn changed it) and unchanged (a tab
// change); and "S" with 500 entities drawn over the photo, from the click
// to "Image Saved", the foot's reload left out. Prints each median and worst time
// beside its target and exits with 1 when one is missed.

#include "drawing_fixtures.h"
#include "drawingpanetab.h"
#include "drawingview.h"
#include "imagefile.h"
#include "insolepane.h"
#include "installdata.h"
#include "median_timing.h"
#include "photocache.h"
#include "quietshell.h"
#include "scriptrecord.h"
#include "sizechart.h"

#include <QApplication>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

bool report(const char *name, bench::Timing t, double targetMs)
{
    const bool ok = t.median < targetMs;
    std::printf("%-44s median %8.1f ms   worst %8.1f ms   target < %5.0f ms   %s\n", name, t.median, t.worst, targetMs,
                ok ? "met" : "MISSED");
    return ok;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("SOLVANE_HOME", home.path().toLocal8Bit());
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 9;
    QDir().mkpath(home.path() + QStringLiteral("/Data"));
    installdata::writeMissing(home.path());

    const QString photoPath = home.path() + QStringLiteral("/Data/Bench_L.Jpg");
    Save_Image_File(bench::texturedPhoto(4000, 3000), photoPath);
    std::printf("photo: 4000 x 3000 JPEG, %lld bytes; %d repetitions\n\n", QFileInfo(photoPath).size(), repetitions);

    ScriptRecord &job = Job();
    Set_Default_Sizes(job);
    job.Gender = QStringLiteral("Male");
    job.CurrentFolder = home.path() + QStringLiteral("/Data");
    job.FootSizeL = QStringLiteral("9");
    job.GraphicSelection = QStringLiteral("LEFT");
    job.LeftGraphicFile = photoPath;
    bench::QuietShell shell;
    Set_Shell(&shell);

    QWidget page;
    const DrawingPaneTab tab =
        DrawingPaneTab::build(&page, {DrawingPaneTab::Window::Soft, QStringLiteral("Vecad1"), QStringLiteral("Label")});
    // The pane goes in as the window loads, before the tab is first shown.
    InsolePane &pane = InsolePane::In(tab, DrawingHostKind::Soft);
    page.resize(1000, 700);
    page.show();
    QCoreApplication::processEvents();
    if (!pane.view().isVisible() || pane.view().width() < 500) {
        std::fprintf(stderr, "the pane's view is not shown at a usable size\n");
        return 1;
    }
    std::printf("view: %d x %d pixels\n\n", pane.view().width(), pane.view().height());
    auto rebuild = [&] {
        pane.Load_Vec_File();
        pane.view().repaint();
    };

    // The floor: reading and decoding the photo alone.
    const bench::Timing decode = bench::measure(repetitions, [&] { Load_Image_File(photoPath); });
    std::printf("%-44s median %8.1f ms   worst %8.1f ms   (the floor)\n", "photo read and decoded", decode.median,
                decode.worst);

    bool allMet = true;
    // The photo read and decoded: the first rebuild, and each one after a
    // burn changed the file. Shown beside the floor, which is most of it.
    const bench::Timing first = bench::measure(
        repetitions, [] { Pane_Photo_Cache().clear(); }, rebuild);
    std::printf("%-44s median %8.1f ms   worst %8.1f ms   (the floor and %.1f ms)\n",
                "rebuild, photo read (first, after a burn)", first.median, first.worst, first.median - decode.median);
    const bench::Timing again = bench::measure(repetitions, rebuild);
    allMet &= report("rebuild, photo unchanged (tab change)", again, 300);

    // "S" over 500 entities: drawn after a rebuild (not counted), then the
    // burn until "Image Saved".
    const bench::Timing burn = bench::measure(
        repetitions,
        [&] {
            rebuild();
            const double s = pane.drawing().rasterScale(pane.rasterEntity);
            bench::drawOver(pane.drawing(), QRectF(0, 0, 4000 / s, 3000 / s), 500);
        },
        [&] { pane.Save_Image(); });
    allMet &= report("\"S\" with 500 entities, to \"Image Saved\"", burn, 1000);
    if (tab.paneMessage->text() != QLatin1String("Image Saved")
        || QImageReader(photoPath).size() != QSize(4000, 3000)) {
        std::fprintf(stderr, "the burn did not write the 4000 x 3000 photo: %s\n", qPrintable(tab.paneMessage->text()));
        return 1;
    }
    Set_Shell(nullptr);
    return allMet ? 0 : 1;
}
