// Job relocation benchmark: a job of two large scans, two model files, two
// photos and its record in a clinic folder crowded with 2,000 other files.
// Times the plan alone, the whole move (questions answered at once, copies,
// checks, record rewrite, deletions) and a plain `cp` of the same files.
//   relocation_bench [scan MB] [repetitions]

#include "console_prompter.h"
#include "csveva.h"
#include "jobrelocator.h"
#include "ratio.h"
#include "scriptrecord.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

// Answers the move's questions at once: the delete question as the run
// asks, the rest with OK.
class MovePrompter : public bench::ConsolePrompter
{
public:
    bool deleteOriginals = true;

    Answer message(const QString &text, const QString &title, Icon icon, Buttons buttons) override
    {
        if (buttons == Buttons::YesNo)
            return deleteOriginals ? Answer::Yes : Answer::No;
        return ConsolePrompter::message(text, title, icon, buttons);
    }
};

struct Timing
{
    double best = 0;
    double median = 0;
};

// Each run starts from a settled disk: what the run before it freed or
// wrote is on the disk, so no run pays for another's leftovers.
Timing timeRuns(int reps, const std::function<void()> &before, const std::function<void()> &run)
{
    std::vector<double> ms;
    for (int i = 0; i < reps; ++i) {
        before();
        ::sync();
        const auto start = std::chrono::steady_clock::now();
        run();
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms.front(), ms[ms.size() / 2]};
}

void fail(const char *what)
{
    std::fprintf(stderr, "relocation_bench: %s\n", what);
    std::exit(1);
}

void writeBytes(const QString &path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        fail("cannot write the fixture");
    // Incompressible bytes, written in blocks.
    QByteArray block(1 << 20, Qt::Uninitialized);
    QRandomGenerator random(42);
    for (qint64 left = size; left > 0; left -= block.size()) {
        random.fillRange(reinterpret_cast<quint32 *>(block.data()), block.size() / 4);
        file.write(block.constData(), std::min<qint64>(left, block.size()));
    }
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const int scanMb = argc > 1 ? std::atoi(argv[1]) : 48;
    const int reps = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
    constexpr int kOtherFiles = 2000;

    QTemporaryDir temp;
    if (!temp.isValid())
        fail("no temporary folder");
    qputenv("SOLVANE_HOME", (temp.path() + QStringLiteral("/3DEriruvu")).toLocal8Bit());
    const QString from = temp.path() + QStringLiteral("/3DEriruvu/Data/Clinic1");
    const QString to = temp.path() + QStringLiteral("/3DEriruvu/Data/Clinic2");
    const QString cpTarget = temp.path() + QStringLiteral("/cp-target");
    QDir().mkpath(from);
    QDir().mkpath(to);

    for (int i = 0; i < kOtherFiles; ++i)
        writeBytes(from + QStringLiteral("/%1_Client_%2_%3.Wrl").arg(20000 + i).arg(i).arg(i % 2 ? 'R' : 'L'), 2048);

    const qint64 mb = 1 << 20;
    const QList<QPair<QString, qint64>> jobFiles = {
        {QStringLiteral("12345_Ann_Lee_L.Wrl"), scanMb * mb},
        {QStringLiteral("12345_Ann_Lee_R.Wrl"), scanMb * mb},
        {QStringLiteral("12345_Ann_Lee_L.Lcf"), scanMb * mb / 3},
        {QStringLiteral("12345_Ann_Lee_R.Lcf"), scanMb * mb / 3},
        {QStringLiteral("12345_Ann_Lee_L0.Jpg"), 2 * mb},
        {QStringLiteral("12345_Ann_Lee_R0.Jpg"), 2 * mb},
    };
    qint64 total = 0;
    for (const auto &[name, size] : jobFiles) {
        writeBytes(from + u'/' + name, size);
        total += size;
    }

    ScriptRecord &job = Job();
    job.JobNumber = QStringLiteral("AB0041");
    job.ClientFirstName = QStringLiteral("Ann");
    job.ClientSurname = QStringLiteral("Lee");
    job.CurrentFolder = from;
    job.LeftScanFile = from + QStringLiteral("/12345_Ann_Lee_L.Wrl");
    job.RightScanFile = from + QStringLiteral("/12345_Ann_Lee_R.Wrl");
    job.LeftLcfFile = from + QStringLiteral("/12345_Ann_Lee_L.Lcf");
    job.RightLcfFile = from + QStringLiteral("/12345_Ann_Lee_R.Lcf");
    job.LeftGraphicFile = from + QStringLiteral("/12345_Ann_Lee_L0.Jpg");
    job.RightGraphicFile = from + QStringLiteral("/12345_Ann_Lee_R0.Jpg");
    job.CsvFile = from + QStringLiteral("/AB0041_Ann_Lee.Csv");
    Write_CSV_EVA(job);
    QFile recordFile(job.CsvFile);
    if (!recordFile.open(QIODevice::ReadOnly))
        fail("no record");
    const QByteArray record = recordFile.readAll();
    recordFile.close();
    const ScriptRecord fresh = job;
    auto prompter = std::make_shared<MovePrompter>();
    Set_Prompter(prompter);

    QStringList sources;
    for (const auto &[name, size] : jobFiles)
        sources << from + u'/' + name;
    sources << job.CsvFile;
    auto clearCp = [&] {
        QDir(cpTarget).removeRecursively();
        QDir().mkpath(cpTarget);
    };
    auto plainCp = [&] {
        if (QProcess::execute(QStringLiteral("cp"), QStringList(sources) << cpTarget) != 0)
            fail("cp failed");
    };
    // Read everything once, so the page cache treats every run alike.
    clearCp();
    plainCp();

    const Timing plan = timeRuns(
        reps * 4, [] {},
        [&] {
            if (JobRelocator(job, to).plan().files.size() != jobFiles.size() + 1)
                fail("the plan missed a file");
        });

    const Timing cp = timeRuns(reps, clearCp, plainCp);
    // The move puts every copy on the disk before it deletes or reports
    // anything; a floor that leaves them in the cache flatters the copy.
    QStringList copies;
    for (const QString &source : std::as_const(sources))
        copies << cpTarget + u'/' + QFileInfo(source).fileName();
    auto syncCopies = [&] {
        if (QProcess::execute(QStringLiteral("sync"), copies) != 0)
            fail("sync failed");
    };
    const Timing cpSync = timeRuns(reps, clearCp, [&] {
        plainCp();
        syncCopies();
    });

    // The floor of a move that deletes: cp, then rm of the originals. The
    // copies are renamed back (not timed) before the next run.
    bool first = true;
    auto restoreFromCp = [&] {
        if (!first) {
            for (const QString &source : std::as_const(sources))
                if (!QFile::rename(cpTarget + u'/' + QFileInfo(source).fileName(), source))
                    fail("cannot put a file back");
        }
        first = false;
        clearCp();
    };
    auto removeSources = [&] {
        if (QProcess::execute(QStringLiteral("rm"), sources) != 0)
            fail("rm failed");
    };
    const Timing cpRm = timeRuns(reps, restoreFromCp, [&] {
        plainCp();
        removeSources();
    });
    first = false;
    restoreFromCp();
    first = true;
    const Timing cpSyncRm = timeRuns(reps, restoreFromCp, [&] {
        plainCp();
        syncCopies();
        removeSources();
    });
    first = false;
    restoreFromCp();

    // Each move goes from Clinic1 to the empty Clinic2; the files are put
    // back (renamed, not timed) before the next one.
    auto putBack = [&] {
        const QStringList moved = QDir(to).entryList(QDir::Files);
        for (const QString &name : moved) {
            if (name.endsWith(QLatin1String(".Csv")) || QFile::exists(from + u'/' + name))
                QFile::remove(to + u'/' + name);
            else if (!QFile::rename(to + u'/' + name, from + u'/' + name))
                fail("cannot put a file back");
        }
        QFile restored(fresh.CsvFile);
        if (!restored.open(QIODevice::WriteOnly) || restored.write(record) != record.size())
            fail("cannot put the record back");
        job = fresh;
    };
    auto move = [&] {
        if (JobRelocator(job, to).relocate() != JobRelocator::Outcome::Moved)
            fail("the move did not happen");
        const qsizetype left = prompter->deleteOriginals ? kOtherFiles : kOtherFiles + jobFiles.size() + 1;
        // Kept originals keep their record under its old name beside the renamed one.
        const qsizetype moved = jobFiles.size() + (prompter->deleteOriginals ? 1 : 2);
        if (QDir(to).entryList(QDir::Files).size() != moved || QDir(from).entryList(QDir::Files).size() != left) {
            std::fprintf(stderr, "moved: %s\nleft behind: %lld of %lld expected\n",
                         qPrintable(QDir(to).entryList(QDir::Files).join(u' ')),
                         static_cast<long long>(QDir(from).entryList(QDir::Files).size()),
                         static_cast<long long>(left));
            fail("the move left files out");
        }
    };
    prompter->deleteOriginals = false;
    const Timing kept = timeRuns(reps, putBack, move);
    prompter->deleteOriginals = true;
    const Timing deleted = timeRuns(reps, putBack, move);
    putBack();

    std::printf("job: 2 scans of %d MB, 2 model files of %d MB, 2 photos of 2 MB and the record (%.1f MB); "
                "%d other files in the folder; %d repetitions\n",
                scanMb, scanMb / 3, double(total + record.size()) / double(mb), kOtherFiles, reps);
    std::printf("%-40s best %8.2f ms   median %8.2f ms   (target under 100 ms)\n", "plan", plan.best, plan.median);
    auto row = [](const char *what, const Timing &t) {
        std::printf("%-40s best %8.2f ms   median %8.2f ms\n", what, t.best, t.median);
    };
    row("plain cp of the same files", cp);
    row("cp, then sync of the copies", cpSync);
    row("move, originals kept (No)", kept);
    row("cp, then rm of the originals", cpRm);
    row("cp, sync, then rm of the originals", cpSyncRm);
    row("move, originals deleted (Yes)", deleted);
    // Goal ratios, by median (the move's target: within 1.5 times a plain cp).
    bench::printRatio("relocation-kept/cp", kept.median / cp.median);
    bench::printRatio("relocation-kept/cp-sync", kept.median / cpSync.median);
    bench::printRatio("relocation-deleted/cp-rm", deleted.median / cpRm.median);
    bench::printRatio("relocation-deleted/cp-sync-rm", deleted.median / cpSyncRm.median);
    return 0;
}
