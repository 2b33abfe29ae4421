// orbit_bench [triangles] [frames]
//
// Times what the user feels when turning a large scan: a foot view holds a
// sample foot of 500k triangles (VRML with its texture photo, loaded the
// way the clinic loads it) and the camera goes once round it in 100 steps,
// each a turn of the eye frame as a mouse drag makes. A frame is timed from
// the turn to frameSwapped after glFinish, so it holds the whole draw. The
// first frame after the load (buffers built) is not counted. Run it on an X
// server with LP_NUM_THREADS=2, as bench/orbit/run.sh does.
#include "footviewinterface.h"
#include "footviewport.h"
#include "prompter.h"
#include "quiet_home.h"
#include "ratio.h"
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
#include <string>
#include <vector>

namespace {

constexpr double kTargetMs = 33;

double percentile(std::vector<double> values, double p)
{
    std::sort(values.begin(), values.end());
    const std::size_t at = std::min(values.size() - 1, static_cast<std::size_t>(p * (values.size() - 1) + 0.5));
    return values[at];
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const std::size_t triangles = args.size() > 1 ? args.at(1).toULongLong() : 500000;
    const int frames = args.size() > 2 ? std::max(1, args.at(2).toInt()) : 100;

    const bench::QuietHome home;
    Register_Foot_Views();
    if (!view::FootViewport::openGLAvailable()) {
        std::fprintf(stderr, "orbit_bench: no OpenGL context; run it under xvfb-run\n");
        return 1;
    }

    const QString folder = home.filePath(QStringLiteral("Data"));
    const QString scan = samples::writeVrmlScan(folder, QStringLiteral("Orbit_L"), samples::Foot::Left, triangles);
    Job().CurrentFolder = folder;
    Job().LeftScanFileName = QFileInfo(scan).fileName();
    if (!Load_Left_Foot()) {
        std::fprintf(stderr, "orbit_bench: the load failed\n");
        return 1;
    }
    FootView &view = Left_View();
    view::FootViewport *viewport = view.viewport();
    auto *gl = qobject_cast<QOpenGLWidget *>(viewport->display());

    QElapsedTimer timer;
    double frameMs = -1;
    QEventLoop loop;
    QObject::connect(viewport, &view::FootViewport::frameSwapped, &loop, [&] {
        gl->makeCurrent();
        gl->context()->functions()->glFinish();
        frameMs = timer.nsecsElapsed() / 1e6;
        loop.quit();
    });
    auto oneFrame = [&] {
        frameMs = -1;
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        return frameMs;
    };
    timer.start();
    viewport->redraw();
    const double firstMs = oneFrame(); // buffers built here

    std::vector<double> times;
    const double step = 360.0 / frames;
    for (int i = 0; i < frames; ++i) {
        timer.restart();
        // As a left drag turns it: about the eye's up axis, with a little tilt.
        viewport->camera().eyeFrame().turnAboutOwnAxis(mesh::Axis::Y, step);
        viewport->camera().eyeFrame().turnAboutOwnAxis(mesh::Axis::X, i % 2 ? 0.5 : -0.5);
        viewport->redraw();
        const double ms = oneFrame();
        if (ms < 0) {
            std::fprintf(stderr, "orbit_bench: no frame within ten seconds\n");
            return 1;
        }
        times.push_back(ms);
    }
    const std::size_t shown = view.model().objects.empty() ? 0 : view.model().objects[0].triangles.size();
    std::printf("orbit_bench: %zu triangles shown, %dx%d view, nproc %d, LP_NUM_THREADS=%s, platform %s\n", shown,
                gl->width(), gl->height(), QThread::idealThreadCount(),
                qgetenv("LP_NUM_THREADS").isEmpty() ? "(unset)" : qgetenv("LP_NUM_THREADS").constData(),
                qPrintable(QGuiApplication::platformName()));
    const double median = percentile(times, 0.5);
    std::printf("orbit_bench: first frame after load %.1f ms; %d orbit frames: median %.1f ms, 95th percentile "
                "%.1f ms, best %.1f ms, worst %.1f ms; target median at most %.0f ms\n",
                firstMs, frames, median, percentile(times, 0.95), percentile(times, 0.0), percentile(times, 1.0),
                kTargetMs);
    const std::string name = "orbit-" + std::to_string(triangles / 1000) + "k/33ms-target";
    bench::printRatio(name.c_str(), median / kTargetMs);
    Windows().reset();
    return 0;
}
