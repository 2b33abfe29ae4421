// footview_bench [triangles] [repetitions] [wrl|stl]
//
// Times a scan load the way the clinic sees it: from Load_Left_Foot on a
// sample scan (VRML with its texture photo by default) to the first frame
// of the new view on the screen, taken at frameSwapped after glFinish. Each
// repetition opens the view window afresh. Run it on an X server (xvfb-run)
// with LP_NUM_THREADS=2, as bench/footview/run.sh does.
#include "footviewinterface.h"
#include "footviewport.h"
#include "prompter.h"
#include "quiet_home.h"
#include "samplefoot.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "windowregistry.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const std::size_t triangles = args.size() > 1 ? args.at(1).toULongLong() : 500000;
    const int repetitions = args.size() > 2 ? std::max(1, args.at(2).toInt()) : 5;
    const bool stl = args.size() > 3 && args.at(3) == QLatin1String("stl");

    const bench::QuietHome home;
    Register_Foot_Views();

    const QString folder = home.filePath(QStringLiteral("Data"));
    const QString scan =
        stl ? samples::writeStlScan(folder, QStringLiteral("Bench_L"), samples::Foot::Left, triangles)
            : samples::writeVrmlScan(folder, QStringLiteral("Bench_L"), samples::Foot::Left, triangles);
    const qint64 bytes = QFileInfo(scan).size();

    std::printf("footview_bench: %s, %zu triangles requested, %.1f MB; nproc %d, LP_NUM_THREADS=%s, platform %s\n",
                qPrintable(QFileInfo(scan).fileName()), triangles, bytes / 1e6, QThread::idealThreadCount(),
                qgetenv("LP_NUM_THREADS").isEmpty() ? "(unset)" : qgetenv("LP_NUM_THREADS").constData(),
                qPrintable(QGuiApplication::platformName()));
    if (!view::FootViewport::openGLAvailable()) {
        std::fprintf(stderr, "footview_bench: no OpenGL context; run it under xvfb-run\n");
        return 1;
    }

    std::vector<double> loads, frames;
    std::size_t shown = 0;
    for (int rep = 0; rep < repetitions; ++rep) {
        Windows().unload(QStringLiteral("Form1"));
        Job().CurrentFolder = folder;
        Job().LeftScanFileName = QFileInfo(scan).fileName();

        QElapsedTimer timer;
        double frameMs = -1;
        QEventLoop loop;
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        timer.start();
        if (!Load_Left_Foot()) {
            std::fprintf(stderr, "footview_bench: the load failed\n");
            return 1;
        }
        const double loadMs = timer.nsecsElapsed() / 1e6;
        FootView &view = Left_View();
        auto *gl = qobject_cast<QOpenGLWidget *>(view.viewport()->display());
        QObject::connect(view.viewport(), &view::FootViewport::frameSwapped, &loop, [&] {
            if (frameMs >= 0)
                return;
            gl->makeCurrent();
            gl->context()->functions()->glFinish();
            frameMs = timer.nsecsElapsed() / 1e6;
            loop.quit();
        });
        loop.exec();
        if (frameMs < 0) {
            std::fprintf(stderr, "footview_bench: no frame within a minute\n");
            return 1;
        }
        shown = view.model().objects.empty() ? 0 : view.model().objects[0].triangles.size();
        loads.push_back(loadMs);
        frames.push_back(frameMs);
        std::printf("  run %d: load returned %.0f ms, first frame %.0f ms\n", rep + 1, loadMs, frameMs);
    }
    std::printf("footview_bench: %zu triangles shown; median load %.0f ms, median first frame %.0f ms "
                "(best %.0f ms), target 1500 ms\n",
                shown, median(loads), median(frames), *std::min_element(frames.begin(), frames.end()));
    Windows().reset();
    return 0;
}
