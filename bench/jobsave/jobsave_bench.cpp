// jobsave_bench [scan MB,scan MB,...] [repetitions]
//
// Times a whole "Save Job Locally" of the soft window as the clinic sees it:
// from the press of the button to "Job Complete", for a job with two large
// VRML scans (15, 75 and 223 MB each by default), the model files the foot
// views write from them and both foot photos. The prompts are answered by
// the scripted prompter, the order confirmation is accepted as soon as it
// shows and every Wait_Milliseconds is a single pass of the event loop, so
// what is timed is the program's own work: models, gathering, record, both
// PDFs, the archive with its read-back check, the counter.
//
// In the same run, after each soft save, the rigid window's "Save Job
// Locally" on the same job (the same scans and photos, models written again
// by the views): the grid read back, the rigid record, the rigid pages, the
// rigid confirmation, the "R_" archive.
//
// The floors, timed in the same run after each save: `cp` of the archive's
// members into a fresh folder plus `zip -1` of the same files; and the
// parallel floor, the same `cp` and then one `zip -1` per member, all
// started at once (as the archive packs its members on all cores). The
// archive
// write with its read-back check is also timed on its own, on the same
// members, and the read-back alone after it.
#include "mainwindow.h"
#include "programparts.h"
#include "rigidjobcommands.h"
#include "rigidjobwindow.h"

#include "footviewinterface.h"
#include "jobarchive.h"
#include "jobpolicy.h"
#include "rigidgrid.h"
#include "samplefoot.h"
#include "scriptedprompter.h"
#include "scriptform1.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "sizechart.h"
#include "windowregistry.h"
#include "zipreader.h"

#include "../common/ratio.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMetaObject>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Accepts the order confirmation the moment it is shown.
class AcceptConfirmation : public QObject
{
protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QString name = watched->objectName();
        if (event->type() == QEvent::Show
            && (name == QLatin1String("OptionForm") || name == QLatin1String("OptionForm_Rigid"))) {
            if (auto *accept = watched->findChild<QPushButton *>(QStringLiteral("Command2")))
                QMetaObject::invokeMethod(accept, &QPushButton::click, Qt::QueuedConnection);
        }
        return false;
    }
};

// The rigid window as its job buttons see it: the names typed in its boxes,
// and a grid that holds the job as the grid shows it, read back as the
// window's Save_Grid reads it.
class BenchRigidWindow : public RigidJobWindow
{
public:
    QString pdfPath;
    void saveGrid() override
    {
        ScriptRecord &job = Job();
        Save_Grid(job, RigidGrid::Texts::of(Load_Grid(job)));
    }
    void saveFields() override
    {
        Job().ClientFirstName = QStringLiteral("Ann");
        Job().ClientSurname = QStringLiteral("Lee");
    }
    void loadFields() override {}
    void rebuildGrid() override {}
    void showClientFirstName(const QString &) override {}
    void showClientSurname(const QString &) override {}
    void showPdfPath() override { pdfPath = Job().PdfFile; }
    QString pdfPathShown() const override { return pdfPath; }
    void showJobNumber() override {}
    void closeWindow() override {}
};

// A VRML scan of about `megabytes` MB: each try tells the bytes per
// triangle for the next.
QString scanOfSize(const QString &folder, const QString &base, samples::Foot foot, double megabytes)
{
    std::size_t triangles = 20000;
    QString scan;
    for (int attempt = 0; attempt < 3; ++attempt) {
        scan = samples::writeVrmlScan(folder, base, foot, triangles);
        const double perTriangle = double(QFileInfo(scan).size()) / double(triangles);
        triangles = std::size_t(megabytes * 1e6 / perTriangle);
    }
    return scan;
}

double loadAverage()
{
    double one = 0;
    std::ifstream("/proc/loadavg") >> one;
    return one;
}

// Milliseconds an outside program takes; -1 when it fails.
double timeProgram(const QString &program, const QStringList &arguments)
{
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return -1;
    return timer.nsecsElapsed() / 1e6;
}

// The floor of packing `members`: copying them into a fresh folder, then
// `zip -1` of the same files into a fresh archive (the fastest deflate, as
// the job archive uses).
struct Floor
{
    double copy = 0;
    double zip = 0;
    double total() const { return copy + zip; }
};

Floor timeFloor(const QStringList &members, const QString &scratch)
{
    QDir(scratch).removeRecursively();
    QDir().mkpath(scratch);
    Floor floor;
    floor.copy = timeProgram(QStringLiteral("cp"), QStringList(members) << scratch);
    floor.zip =
        timeProgram(QStringLiteral("zip"), QStringList{QStringLiteral("-1"), QStringLiteral("-q"), QStringLiteral("-j"),
                                                       scratch + QStringLiteral("/floor.zip")}
                                               + members);
    QDir(scratch).removeRecursively();
    return floor;
}

// The same copy, then one `zip -1` per member, all started at once: the
// zip part ends with the slowest member.
Floor timeParallelFloor(const QStringList &members, const QString &scratch)
{
    QDir(scratch).removeRecursively();
    QDir().mkpath(scratch);
    Floor floor;
    floor.copy = timeProgram(QStringLiteral("cp"), QStringList(members) << scratch);
    QElapsedTimer timer;
    timer.start();
    std::vector<std::unique_ptr<QProcess>> zips;
    for (qsizetype i = 0; i < members.size(); ++i) {
        zips.push_back(std::make_unique<QProcess>());
        zips.back()->start(QStringLiteral("zip"), {QStringLiteral("-1"), QStringLiteral("-q"), QStringLiteral("-j"),
                                                   scratch + QStringLiteral("/floor_%1.zip").arg(i), members.at(i)});
    }
    for (const auto &zip : zips)
        if (!zip->waitForFinished(-1) || zip->exitStatus() != QProcess::NormalExit || zip->exitCode() != 0)
            floor.zip = -1;
    if (floor.zip == 0)
        floor.zip = timer.nsecsElapsed() / 1e6;
    QDir(scratch).removeRecursively();
    return floor;
}

QString photoBeside(const QString &scan)
{
    const QString photo = QFileInfo(scan).path() + u'/' + QFileInfo(scan).completeBaseName() + QStringLiteral(".Jpg");
    samples::makeTexturePhoto(2592, 1944).save(photo, "JPG", 90);
    return photo;
}
// One size of scans: the saves, the floor after each, the archive alone.
struct SizeResult
{
    double scanMegabytes = 0;
    double memberMegabytes = 0;
    double archiveMegabytes = 0;
    double save = 0, rigidSave = 0, floorCopy = 0, floorZip = 0, floor = 0;
    double parallelCopy = 0, parallelZip = 0, parallelFloor = 0;
    double archive = 0, check = 0, verify = 0;
    double loadBefore = 0, loadAfter = 0;
};

bool runSize(QApplication &app, const std::shared_ptr<ScriptedPrompter> &prompter, const QString &root,
             double scanMegabytes, int repetitions, int counter, SizeResult &result)
{
    const QString data = root + QStringLiteral("/Data");
    QDir(data).removeRecursively();
    QDir(root + QStringLiteral("/Archive")).removeRecursively();
    QDir().mkpath(data);
    QDir().mkpath(root + QStringLiteral("/Archive"));
    result.loadBefore = loadAverage();

    const QString leftScan = scanOfSize(data, QStringLiteral("Lee_Ann_L"), samples::Foot::Left, scanMegabytes);
    const QString rightScan = scanOfSize(data, QStringLiteral("Lee_Ann_R"), samples::Foot::Right, scanMegabytes);
    const QString leftPhoto = photoBeside(leftScan);
    const QString rightPhoto = photoBeside(rightScan);
    result.scanMegabytes = QFileInfo(leftScan).size() / 1e6;
    std::printf("jobsave_bench: scans %.1f MB and %.1f MB, photos %.1f MB and %.1f MB\n",
                QFileInfo(leftScan).size() / 1e6, QFileInfo(rightScan).size() / 1e6, QFileInfo(leftPhoto).size() / 1e6,
                QFileInfo(rightPhoto).size() / 1e6);
    std::fflush(stdout);

    std::vector<double> totals, rigidTotals, floors, copies, zips, parallelFloors, parallelCopies, parallelZips;
    QString lastArchive;
    RigidJobCommandSet rigidCommands(Rigid_Job_Policy(), [] {});
    // The views hold the scanned feet, as after loading the scans (not timed).
    auto loadViews = [&] {
        ScriptRecord &job = Job();
        for (FootSide side : {FootSide::Left, FootSide::Right}) {
            if (Loaded_Foot_View(side))
                continue;
            job.CurrentFolder = data;
            (side == FootSide::Left ? job.LeftScanFileName : job.RightScanFileName) =
                QFileInfo(side == FootSide::Left ? leftScan : rightScan).fileName();
            if (!Load_Foot(side)) {
                std::fprintf(stderr, "jobsave_bench: the %s scan did not load\n", qPrintable(Side_Name(side)));
                return false;
            }
        }
        return true;
    };
    // The job as the window's load finds it.
    auto prepareJob = [&](int rep) {
        ScriptRecord &job = Job();
        job.OperatorCode = QStringLiteral("AB");
        job.ScannerId = QStringLiteral("A0000");
        job.JobCounter = counter + rep;
        job.CurrentUser = job.UserList = QStringLiteral("Ann");
        job.CurrentFolder = data;
        job.DataFolder = data + u'/';
        job.ArchiveFolder = root + QStringLiteral("/Archive/");
        job.CastModeFlag = true;
        Set_Default_Sizes(job);
    };
    // The job's files as the window holds them before the button: its
    // models are written by the views during the command.
    auto readyToPress = [&](int rep, const QString &modelTag) {
        ScriptRecord &job = Job();
        job.LeftScanFile = leftScan;
        job.RightScanFile = rightScan;
        job.LeftGraphicFile = leftPhoto;
        job.RightGraphicFile = rightPhoto;
        job.LeftLcfFile = data + QStringLiteral("/Lee_Ann_L_%1%2.Lcf").arg(modelTag).arg(rep);
        job.RightLcfFile = data + QStringLiteral("/Lee_Ann_R_%1%2.Lcf").arg(modelTag).arg(rep);
        prompter->calls.clear();
        prompter->answers.clear();
        prompter->answers << Prompter::Answer::No; // not into the companion
        Set_Status(QString());
    };
    auto completed = [&](const QString &archive) {
        if (Last_Status() == QLatin1String("Job Complete") && QFileInfo::exists(archive))
            return true;
        std::fprintf(stderr, "jobsave_bench: the job did not complete (status \"%s\")\n", qPrintable(Last_Status()));
        for (const QString &m : prompter->messages())
            std::fprintf(stderr, "  message: %s\n", qPrintable(m));
        return false;
    };
    for (int rep = 0; rep < repetitions; ++rep) {
        if (!loadViews())
            return false;
        prepareJob(rep);
        auto *form = Open_ScriptForm1();
        form->findChild<QLineEdit *>(QStringLiteral("Text38"))->setText(QStringLiteral("Ann"));
        form->findChild<QLineEdit *>(QStringLiteral("Text49"))->setText(QStringLiteral("Lee"));
        form->findChild<QComboBox *>(QStringLiteral("Combo1_0"))->setEditText(QStringLiteral("7"));
        form->findChild<QComboBox *>(QStringLiteral("Combo1_1"))->setEditText(QStringLiteral("7"));
        readyToPress(rep, QString());

        QElapsedTimer timer;
        timer.start();
        form->findChild<QPushButton *>(QStringLiteral("Command3"))->click();
        const double ms = timer.nsecsElapsed() / 1e6;

        const QString archive =
            root + QStringLiteral("/Archive/AB%1_Ann_Lee.Zip").arg(counter + rep, 4, 10, QLatin1Char('0'));
        if (!completed(archive))
            return false;
        totals.push_back(ms);
        lastArchive = archive;
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        // The floor on the same members, in the same conditions.
        QStringList members;
        const ZipReader packed(archive);
        for (const ZipEntry &entry : packed.entries())
            members << data + u'/' + entry.name;
        const Floor floor = timeFloor(members, root + QStringLiteral("/floor"));
        if (floor.copy < 0 || floor.zip < 0) {
            std::fprintf(stderr, "jobsave_bench: cp or zip failed\n");
            return false;
        }
        floors.push_back(floor.total());
        copies.push_back(floor.copy);
        zips.push_back(floor.zip);
        const Floor parallel = timeParallelFloor(members, root + QStringLiteral("/floor"));
        if (parallel.copy < 0 || parallel.zip < 0) {
            std::fprintf(stderr, "jobsave_bench: cp or a zip of the parallel floor failed\n");
            return false;
        }
        parallelFloors.push_back(parallel.total());
        parallelCopies.push_back(parallel.copy);
        parallelZips.push_back(parallel.zip);

        // The rigid window's save of the same job, its models written anew.
        if (!loadViews())
            return false;
        prepareJob(rep);
        ScriptRecord &rigidJob = Job();
        rigidJob.FootSizeL = rigidJob.FootSizeR = QStringLiteral("7");
        Set_Default(rigidJob);
        readyToPress(rep, QStringLiteral("r"));
        BenchRigidWindow rigidWindow;
        timer.restart();
        Run_Command([&] { rigidCommands.Save_Job_Locally(rigidWindow); });
        const double rigidMs = timer.nsecsElapsed() / 1e6;
        if (!completed(root
                       + QStringLiteral("/Archive/R_AB%1_Ann_Lee.Zip").arg(counter + rep, 4, 10, QLatin1Char('0'))))
            return false;
        rigidTotals.push_back(rigidMs);

        std::printf("  run %d: Save Job Locally %.0f ms (rigid %.0f ms), floor %.0f ms (cp %.0f + zip -1 %.0f), "
                    "parallel floor %.0f ms (cp %.0f + zip -1 per member %.0f), archive %.1f MB\n",
                    rep + 1, ms, rigidMs, floor.total(), floor.copy, floor.zip, parallel.total(), parallel.copy,
                    parallel.zip, QFileInfo(archive).size() / 1e6);
        std::fflush(stdout);
    }

    // The archive on its own, on the members of the last job (all in the work folder).
    QStringList members;
    {
        const ZipReader last(lastArchive);
        for (const ZipEntry &entry : last.entries())
            members << data + u'/' + entry.name;
    }
    std::vector<double> writes, checks, verifies;
    for (int rep = 0; rep < repetitions; ++rep) {
        const QString zip = root + QStringLiteral("/Archive/alone_%1.Zip").arg(rep);
        QElapsedTimer timer;
        timer.start();
        // The check starts with its first progress text.
        double checkStart = -1;
        ArchiveWork work;
        work.status = [&](const QString &text) {
            if (checkStart < 0 && text.startsWith(QLatin1String("Checking Zip File: ")))
                checkStart = timer.nsecsElapsed() / 1e6;
        };
        Write_Job_Archive(zip, members, QStringLiteral("Job: bench"), work);
        const double total = timer.nsecsElapsed() / 1e6;
        writes.push_back(total);
        checks.push_back(total - checkStart);
        timer.restart();
        Verify_Job_Archive(zip, members);
        verifies.push_back(timer.nsecsElapsed() / 1e6);
        QFile::remove(zip);
    }
    qint64 memberBytes = 0;
    for (const QString &m : members)
        memberBytes += QFileInfo(m).size();

    result.memberMegabytes = memberBytes / 1e6;
    result.archiveMegabytes = QFileInfo(lastArchive).size() / 1e6;
    result.save = median(totals);
    result.rigidSave = median(rigidTotals);
    result.floor = median(floors);
    result.floorCopy = median(copies);
    result.floorZip = median(zips);
    result.parallelFloor = median(parallelFloors);
    result.parallelCopy = median(parallelCopies);
    result.parallelZip = median(parallelZips);
    result.archive = median(writes);
    result.check = median(checks);
    result.verify = median(verifies);
    result.loadAfter = loadAverage();
    // The next size loads its own scans.
    for (FootSide side : {FootSide::Left, FootSide::Right})
        Windows().unload(View_Window_Name(side));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    (void)app;
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    QList<double> sizes{15, 75, 223};
    if (args.size() > 1) {
        sizes.clear();
        for (const QString &size : args.at(1).split(u','))
            sizes << size.toDouble();
    }
    const int repetitions = args.size() > 2 ? std::max(1, args.at(2).toInt()) : 3;

    QTemporaryDir home;
    const QString root = home.filePath(QStringLiteral("3DEriruvu"));
    qputenv("SOLVANE_HOME", QFile::encodeName(root));

    auto prompter = ScriptedPrompter::install();
    Set_Wait_Skipped(true);
    // The parts joined as the program joins them, so the soft window opens
    // with everything it has in the clinic (its insole drawing pane among
    // them) and the command runs as it runs there.
    Join_Program_Parts();
    AcceptConfirmation accept;
    app.installEventFilter(&accept);

    std::vector<SizeResult> results;
    {
        // The main window after the program's start-up: the command ends by
        // starting the next job in it and showing the work folder's files.
        QDir().mkpath(root + QStringLiteral("/Data/Ann"));
        QFile config(root + QStringLiteral("/Solvane.Cfg"));
        if (!config.open(QIODevice::WriteOnly) || config.write("AB\r\nA0000\r\n0041\r\nAnn\r\n") < 0)
            return 1;
        config.close();
        MainForm shell;
        if (shell.Form_Load(QString()) != StartupOutcome::Ready) {
            std::fprintf(stderr, "jobsave_bench: the main window did not start\n");
            return 1;
        }
        shell.show();

        int counter = 41;
        for (const double size : sizes) {
            SizeResult result;
            if (!runSize(app, prompter, root, size, repetitions, counter, result))
                return 1;
            counter += repetitions;
            results.push_back(result);
        }
        Windows().reset();
    }

    std::printf("\n%u cores (nproc), median of %d runs\n\n", std::thread::hardware_concurrency(), repetitions);
    std::printf("| scan MB | members MB | archive MB | Save Job Locally ms | rigid ms | rigid / soft | "
                "floor ms (cp + zip -1) | save / floor | parallel floor ms (cp + zip -1 per member) | "
                "save / parallel floor | "
                "archive ms (with its check) | its check ms | check / archive | check alone, sources read again, ms "
                "| load before, after |\n");
    std::printf("|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---|\n");
    for (const SizeResult &r : results)
        std::printf("| %.0f | %.0f | %.0f | %.0f | %.0f | %.2fx | %.0f (%.0f + %.0f) | %.2fx | %.0f (%.0f + %.0f) | "
                    "%.2fx | %.0f | %.0f | %.2f | %.0f | %.1f, %.1f |\n",
                    r.scanMegabytes, r.memberMegabytes, r.archiveMegabytes, r.save, r.rigidSave, r.rigidSave / r.save,
                    r.floor, r.floorCopy, r.floorZip, r.save / r.floor, r.parallelFloor, r.parallelCopy, r.parallelZip,
                    r.save / r.parallelFloor, r.archive, r.check, r.check / r.archive, r.verify, r.loadBefore,
                    r.loadAfter);
    // Goals: the soft save at most 1.2x the parallel floor at every size.
    std::printf("\n");
    for (const SizeResult &r : results) {
        const std::string size = "jobsave-" + std::to_string(int(r.scanMegabytes + 0.5)) + "MB";
        bench::printRatio(size + "/parallel-floor", r.save / r.parallelFloor);
        bench::printRatio(size + "/floor", r.save / r.floor);
    }
    return 0;
}
