// rigidgrid_bench [repetitions]
//
// Times what a user waits for on the rigid prescription window, offscreen:
// the window from its creation (its whole load: lists, defaults, the grid of
// 82 rows) to its first painted frame; a "New Grid" rebuild (the rigid
// defaults and 82 x 5 cells with their texts, colours, kinds and font sizes)
// up to its one repaint; and Save_Grid, the grid read back into the job.
// Prints each median and worst time beside its target and exits with 1 when
// one is missed.

#include "console_prompter.h"

#include "gridcontrol.h"
#include "scriptform2.h"

#include "clock.h"
#include "scriptrecord.h"
#include "sizechart.h"
#include "windowregistry.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

#include "median_timing.h"

namespace {

using bench::measure;
using bench::Timing;

bool report(const char *name, Timing t, double targetMs, bool worstCounts)
{
    const bool ok = (worstCounts ? t.worst : t.median) < targetMs;
    std::printf("%-36s median %8.2f ms   worst %8.2f ms   target %s < %5.1f ms   %s\n", name, t.median, t.worst,
                worstCounts ? "worst " : "median", targetMs, ok ? "met" : "MISSED");
    return ok;
}

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// Runs the event loop until `counter` has seen a paint more than `before`.
void waitForPaint(const PaintCounter &counter, int before)
{
    QElapsedTimer limit;
    limit.start();
    while (counter.paints <= before && limit.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::AllEvents, 1);
}

void freshJob(const QString &root)
{
    Job() = ScriptRecord{};
    ScriptRecord &job = Job();
    job.OperatorCode = QStringLiteral("AB");
    job.JobCounter = 42;
    job.CurrentUser = job.UserList = QStringLiteral("Clinic");
    job.CurrentFolder = root + QStringLiteral("/Data");
    job.LeftScanFile = job.RightScanFile = QStringLiteral("None");
    job.LeftGraphicFile = job.RightGraphicFile = QStringLiteral("None");
    job.ClientFirstName = QStringLiteral("Ann");
    job.ClientSurname = QStringLiteral("Lee");
    Set_Default_Sizes(job);
    job.FootSizeL = job.FootSizeR = QStringLiteral("9");
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int repetitions = argc > 1 ? std::max(3, std::atoi(argv[1])) : 30;

    QTemporaryDir home;
    const QString root = home.path() + QStringLiteral("/3DEriruvu");
    QDir().mkpath(root + QStringLiteral("/Data"));
    qputenv("SOLVANE_HOME", root.toLocal8Bit());
    QFile table(root + QStringLiteral("/Solvane_Rigids.Tbl"));
    if (!table.open(QIODevice::WriteOnly))
        return 2;
    table.write("Rigid Options\r\n1,Styles\r\nStandard\r\n2,Materials\r\nCarbon\r\nNylon\r\n1,Covers\r\nVinyl\r\n"
                "1,Options\r\nA\r\n");
    table.close();
    Set_Prompter(std::make_shared<bench::ConsolePrompter>());
    Register_Rigid_Windows();

    bool ok = true;
    PaintCounter counter;

    // Opening: a fresh window each time, as every "Rigid Script" makes one;
    // the clock runs from its creation (its whole load) to its first frame.
    std::vector<double> openingMs;
    for (int i = 0; i < repetitions; ++i) {
        Windows().unload(QStringLiteral("ScriptForm2"));
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        freshJob(root);
        counter.paints = 0;
        const auto start = std::chrono::steady_clock::now();
        ScriptForm2 *form = Open_ScriptForm2();
        form->installEventFilter(&counter);
        waitForPaint(counter, 0);
        openingMs.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(openingMs.begin(), openingMs.end());
    const Timing opening{openingMs[openingMs.size() / 2], openingMs.back()};
    ok &= report("window to first painted frame", opening, 250, true);

    ScriptForm2 *form = Open_ScriptForm2();
    form->resize(900, 700);
    QApplication::processEvents();
    GridControl *grid = form->grid();
    // "Foot Data" shown, so the rebuild's repaint is a real one.
    form->findChild<QWidget *>(QStringLiteral("SSTab1"))->setProperty("currentIndex", 1);
    QApplication::processEvents();
    PaintCounter gridPaints;
    grid->viewport()->installEventFilter(&gridPaints);

    int extraRepaints = 0;
    const Timing rebuild = measure(repetitions, [&] {
        const int before = gridPaints.paints;
        form->Set_Default();
        waitForPaint(gridPaints, before);
        QApplication::processEvents();
        extraRepaints += gridPaints.paints - before - 1;
    });
    ok &= report("\"New Grid\" rebuild with its repaint", rebuild, 30, false);
    std::printf("%-36s %d\n", "repaints beyond one per rebuild", extraRepaints);
    ok &= extraRepaints == 0;

    const Timing saving = measure(repetitions * 10, [&] { form->Save_Grid(); });
    ok &= report("Save_Grid", saving, 2, false);

    Windows().reset();
    return ok ? 0 : 1;
}
