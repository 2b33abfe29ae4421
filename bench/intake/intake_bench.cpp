// intake_bench open [names] [repetitions]
// intake_bench scan [triangles] [repetitions]
//
// "open": creating "Ruru-Zirorur Data (EVA)" (its whole load: defaults, size
// lists, podiatrist and clinic lists of `names` entries each, the scanner
// configuration) until it is shown. Run offscreen.
//
// "scan": "Scan Left" of that window with a sample VRML foot of `triangles`
// triangles, waits skipped, from the click to the first frame of the left
// view on the screen (frameSwapped after glFinish). The scanner is a small
// script that links the prepared files into its sub-folder, so nearly all
// of the time is ours: the batch record, the run and its wait, the move,
// the load and the first frame. Run it on an X server (xvfb-run) with
// LP_NUM_THREADS=2, as bench/intake/run.sh does.
#include "footviewinterface.h"
#include "footviewport.h"
#include "intakeform.h"
#include "paths.h"
#include "quiet_home.h"
#include "samplefoot.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "shellservices.h"
#include "sizechart.h"
#include "textfile.h"
#include "windowregistry.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "quietshell.h"

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The main window as far as the pick-up needs it: the foot views' own load.
class BenchShell : public bench::QuietShell
{
public:
    bool Load_Left_Foot() override { return ::Load_Left_Foot(); }
    bool Load_Right_Foot() override { return ::Load_Right_Foot(); }
};

void prepareJob(const QString &home)
{
    ScriptRecord &job = Job();
    job = ScriptRecord{};
    job.OperatorCode = QStringLiteral("BE");
    job.JobCounter = 1;
    job.CurrentFolder = home + QStringLiteral("/Data");
    job.DataFolder = job.CurrentFolder + u'/';
    Set_Default_Sizes(job);
    QDir().mkpath(job.CurrentFolder);
}

int benchOpen(const QString &home, int names, int repetitions)
{
    for (const char *list : {"Podiatrist.Cfg", "Clinic.Cfg"}) {
        QStringList lines = {QStringLiteral("Names")};
        for (int i = 0; i < names; ++i)
            lines << QStringLiteral("Name number %1; Some Street %1; Some Town").arg(i);
        lines << QStringLiteral("End");
        textfile::writeLines(home + u'/' + QLatin1String(list), lines);
    }
    std::vector<double> opens;
    for (int rep = 0; rep < repetitions; ++rep) {
        Windows().unload(QStringLiteral("ScanForm2"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QElapsedTimer timer;
        timer.start();
        QWidget *form = Windows().window(QStringLiteral("ScanForm2"));
        form->show();
        QCoreApplication::processEvents();
        opens.push_back(timer.nsecsElapsed() / 1e6);
        std::printf("  run %d: %.1f ms\n", rep + 1, opens.back());
    }
    std::printf("intake_bench open: %d names in each list; median %.1f ms (best %.1f ms), target 100 ms\n", names,
                median(opens), *std::min_element(opens.begin(), opens.end()));
    return 0;
}

int benchScan(const QString &home, std::size_t triangles, int repetitions)
{
    if (!view::FootViewport::openGLAvailable()) {
        std::fprintf(stderr, "intake_bench: no OpenGL context; run it under xvfb-run\n");
        return 1;
    }
    const QString baseN = QStringLiteral("Bench_Ann_L");
    const QString stash = home + QStringLiteral("/Stash");
    const QString scan = samples::writeVrmlScan(stash, baseN, samples::Foot::Left, triangles);
    QFile::copy(stash + u'/' + baseN + QStringLiteral("[VRML].Jpg"),
                stash + QStringLiteral("/DPICalibrated-") + baseN + QStringLiteral("[VRML].Jpg"));

    // The scanner: hard links to the prepared files, so it takes no time of its own.
    const QString program = From_Windows_Path(QStringLiteral("C:\\Scansoft\\Bin\\Scansoft.exe"));
    QDir().mkpath(QFileInfo(program).path());
    QFile script(program);
    if (!script.open(QIODevice::WriteOnly))
        return 1;
    script.write(QStringLiteral("#!/bin/sh\nset -e\nout=\"${1%%.Wrl}\"\nmkdir -p \"$out\"\n"
                                "ln \"%1\"/* \"$out\"/\n")
                     .arg(stash)
                     .toUtf8());
    script.close();
    script.setPermissions(script.permissions() | QFileDevice::ExeOwner);

    BenchShell shell;
    Set_Shell(&shell);
    Register_Foot_Views();
    auto *form = qobject_cast<IntakeForm *>(Windows().window(QStringLiteral("ScanForm2")));
    form->findChild<QLineEdit *>(QStringLiteral("Text1"))->setText(QStringLiteral("Ann"));
    form->findChild<QLineEdit *>(QStringLiteral("Text2"))->setText(QStringLiteral("Bench"));
    form->show();
    auto *scanLeft = form->findChild<QPushButton *>(QStringLiteral("Command4"));

    std::printf("intake_bench scan: %s, %zu triangles requested, %.1f MB; nproc %d, LP_NUM_THREADS=%s\n",
                qPrintable(QFileInfo(scan).fileName()), triangles, QFileInfo(scan).size() / 1e6,
                QThread::idealThreadCount(),
                qgetenv("LP_NUM_THREADS").isEmpty() ? "(unset)" : qgetenv("LP_NUM_THREADS").constData());

    std::vector<double> clicks, frames;
    for (int rep = 0; rep < repetitions; ++rep) {
        Windows().unload(QStringLiteral("Form1"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();

        QElapsedTimer timer;
        double frameMs = -1;
        QEventLoop loop;
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        timer.start();
        scanLeft->click();
        const double clickMs = timer.nsecsElapsed() / 1e6;
        FootView *view = Loaded_Foot_View(FootSide::Left);
        if (!view) {
            std::fprintf(stderr, "intake_bench: the foot was not loaded (%s)\n", qPrintable(Last_Status()));
            return 1;
        }
        auto *gl = qobject_cast<QOpenGLWidget *>(view->viewport()->display());
        QObject::connect(view->viewport(), &view::FootViewport::frameSwapped, &loop, [&] {
            if (frameMs >= 0)
                return;
            gl->makeCurrent();
            gl->context()->functions()->glFinish();
            frameMs = timer.nsecsElapsed() / 1e6;
            loop.quit();
        });
        loop.exec();
        if (frameMs < 0) {
            std::fprintf(stderr, "intake_bench: no frame within a minute\n");
            return 1;
        }
        clicks.push_back(clickMs);
        frames.push_back(frameMs);
        std::printf("  run %d: button returned %.0f ms, foot shown %.0f ms\n", rep + 1, clickMs, frameMs);
    }
    std::printf("intake_bench scan: median button %.0f ms, median foot shown %.0f ms (best %.0f ms), target 1000 ms\n",
                median(clicks), median(frames), *std::min_element(frames.begin(), frames.end()));
    Windows().reset();
    Set_Shell(nullptr);
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2 || (args[1] != QLatin1String("open") && args[1] != QLatin1String("scan"))) {
        std::fprintf(stderr, "usage: intake_bench open [names] [repetitions] | scan [triangles] [repetitions]\n");
        return 2;
    }
    const bool open = args[1] == QLatin1String("open");
    const qulonglong size = args.size() > 2 ? args[2].toULongLong() : (open ? 500 : 500000);
    const int repetitions = args.size() > 3 ? std::max(1, args[3].toInt()) : 7;

    const bench::QuietHome home;
    Register_Intake_Windows();
    prepareJob(home.path());
    return open ? benchOpen(home.path(), int(size), repetitions) : benchScan(home.path(), size, repetitions);
}
