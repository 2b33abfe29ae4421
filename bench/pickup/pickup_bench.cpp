// pickup_bench [triangles] [repetitions]
//
// Times the scan pick-ups with the real foot views, waits skipped, on files
// hot in the page cache:
//   - the LSR pick-up of two sample VRML scans (LF line ends, as the sample
//     writer makes them: every line is rewritten), from the scanner's end
//     to "Ready": copies, both texture rewrites, both loads, smoothing and
//     the undo snapshots, the scanner's files deleted;
//   - the texture rewrite of one such scan against a plain copy of it;
//   - one Pellmar foot: the drop file's state before the run, then copy,
//     load, smooth, undo snapshot, model file, sole view, capture and JPEG.
// Run it on an X server with LP_NUM_THREADS=2, as bench/pickup/run.sh does.
#include "footviewinterface.h"
#include "footviewpickup.h"
#include "footviewport.h"
#include "lsrpickup.h"
#include "pellmarpickup.h"
#include "quiet_home.h"
#include "samplefoot.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "texprepare.h"
#include "windowregistry.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <type_traits>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

class QuietWindow : public PickupWindow
{
public:
    QString status;
    void ShowStatus(const QString &text) override { status = text; }
    void Show_Scan_Names(const QString &, const QString &) override {}
    void Take_Focus() override {}
};

void copyFile(const QString &from, const QString &to)
{
    std::filesystem::copy_file(from.toStdString(), to.toStdString(), std::filesystem::copy_options::overwrite_existing);
}

// A copy through a 1 MB buffer in user space, as a program that reads and
// writes its bytes must make one; `Out` is QFile or QSaveFile.
template <class Out>
void copyThrough(const QString &from, const QString &to)
{
    QFile in(from);
    Out out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
        std::abort();
    std::vector<char> buffer(1 << 20);
    for (qint64 n; (n = in.read(buffer.data(), qint64(buffer.size()))) > 0;)
        out.write(buffer.data(), n);
    if constexpr (std::is_same_v<Out, QSaveFile>)
        out.commit();
}

template <typename Step>
double timed(Step step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const std::size_t triangles = args.size() > 1 ? args.at(1).toULongLong() : 500000;
    const int repetitions = args.size() > 2 ? std::max(1, args.at(2).toInt()) : 5;

    const bench::QuietHome home;
    Register_Foot_Views();
    if (!view::FootViewport::openGLAvailable()) {
        std::fprintf(stderr, "pickup_bench: no OpenGL context; run it under xvfb-run\n");
        return 1;
    }

    const QString samples = home.filePath(QStringLiteral("Samples"));
    const QString left = samples::writeVrmlScan(samples, QStringLiteral("Bench_L"), samples::Foot::Left, triangles);
    const QString right = samples::writeVrmlScan(samples, QStringLiteral("Bench_R"), samples::Foot::Right, triangles);
    const qint64 bytes = QFileInfo(left).size();
    std::printf("pickup_bench: two scans of %zu triangles requested, %.1f MB each; nproc %d, LP_NUM_THREADS=%s\n",
                triangles, bytes / 1e6, QThread::idealThreadCount(),
                qgetenv("LP_NUM_THREADS").isEmpty() ? "(unset)" : qgetenv("LP_NUM_THREADS").constData());

    QuietWindow window;
    FootViewPickups views;
    ScriptRecord &job = Job();

    // The LSR pick-up.
    const QString lsrFolder = home.filePath(QStringLiteral("Data/LSR_Scanner"));
    QDir().mkpath(lsrFolder);
    std::vector<double> lsr;
    for (int rep = 0; rep < repetitions; ++rep) {
        for (const auto &[scan, side] : {std::pair{left, 'L'}, std::pair{right, 'R'}}) {
            copyFile(scan, lsrFolder + QStringLiteral("/_%1.wrl").arg(side));
            copyFile(QFileInfo(scan).path() + QStringLiteral("/Bench_%1[VRML].Jpg").arg(side),
                     lsrFolder + QStringLiteral("/_%1[VRML].jpg").arg(side));
        }
        job.ScannerDataFolder = lsrFolder + u'/';
        job.ClientFirstName = QStringLiteral("John");
        job.ClientSurname = QStringLiteral("Smith");
        LsrPickup pickup(job, views, window);
        bool ok = false;
        lsr.push_back(timed([&] { ok = pickup.Process_LSR_Scan(); }));
        if (!ok || window.status != QLatin1String("Ready")) {
            std::fprintf(stderr, "pickup_bench: the LSR pick-up failed\n");
            return 1;
        }
        std::printf("  LSR run %d: %.0f ms\n", rep + 1, lsr.back());
        app.processEvents();
    }

    // The texture rewrite against a plain copy.
    const QString copy = home.filePath(QStringLiteral("copy.wrl"));
    const QString prepared = home.filePath(QStringLiteral("prepared.wrl"));
    // The same scan with CR LF ends, as the scanners write them.
    const QString crLf = home.filePath(QStringLiteral("crlf.wrl"));
    {
        QFile in(left), out(crLf);
        if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly))
            return 1;
        out.write(in.readAll().replace("\n", "\r\n"));
    }
    std::vector<double> copies, bufferedCopies, savedCopies, rewrites, crLfRewrites;
    for (int rep = 0; rep < repetitions; ++rep) {
        QFile::remove(copy);
        copies.push_back(timed([&] { copyFile(left, copy); }));
        QFile::remove(copy);
        bufferedCopies.push_back(timed([&] { copyThrough<QFile>(left, copy); }));
        savedCopies.push_back(timed([&] { copyThrough<QSaveFile>(left, copy); }));
        copyFile(left, prepared);
        rewrites.push_back(timed([&] { TexPrepare(prepared, QStringLiteral("Smith_John_L[VRML].jpg")); }));
        copyFile(crLf, prepared);
        crLfRewrites.push_back(timed([&] { TexPrepare(prepared, QStringLiteral("Smith_John_L[VRML].jpg")); }));
    }

    // One Pellmar foot.
    const QString drop = home.filePath(QStringLiteral("DataDrop"));
    QDir().mkpath(drop);
    job.ScannerDataFolder = drop + u'/';
    job.ScanDestFolder = home.filePath(QStringLiteral("Data/Clinic1"));
    std::vector<double> states, pellmar;
    for (int rep = 0; rep < repetitions; ++rep) {
        const QString dropFile = Pellmar_Drop_File(job.ScannerDataFolder);
        copyFile(rep % 2 ? left : right, dropFile);
        DropFileState before;
        states.push_back(timed([&] { before = Drop_File_State(dropFile); }));
        copyFile(rep % 2 ? right : left, dropFile);
        PellmarPickup pickup(job, views, window);
        bool ok = false;
        pellmar.push_back(timed([&] { ok = pickup.Process_Pellmar_Scan(ScanSide::Left, before); }));
        if (!ok) {
            std::fprintf(stderr, "pickup_bench: the Pellmar pick-up failed\n");
            return 1;
        }
        std::printf("  Pellmar run %d: %.0f ms (drop file state before the run %.0f ms)\n", rep + 1, pellmar.back(),
                    states.back());
        app.processEvents();
    }

    std::printf("pickup_bench: LSR pick-up median %.0f ms (best %.0f), target 2500 ms\n", median(lsr),
                *std::min_element(lsr.begin(), lsr.end()));
    std::printf("pickup_bench: texture rewrite median %.0f ms; plain copy in the kernel %.0f ms (%.1fx), through a "
                "buffer %.0f ms (%.1fx), through a buffer and a save file %.0f ms (%.1fx); target under 3x\n",
                median(rewrites), median(copies), median(rewrites) / median(copies), median(bufferedCopies),
                median(rewrites) / median(bufferedCopies), median(savedCopies), median(rewrites) / median(savedCopies));
    std::printf("pickup_bench: texture rewrite of the scan with CR LF ends median %.0f ms\n", median(crLfRewrites));
    std::printf("pickup_bench: Pellmar foot median %.0f ms (best %.0f), target 1500 ms; drop file state %.0f ms\n",
                median(pellmar), *std::min_element(pellmar.begin(), pellmar.end()), median(states));
    Windows().reset();
    return 0;
}
