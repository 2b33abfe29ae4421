// jobsave_bench [scan MB] [repetitions]
//
// Times a whole "Save Job Locally" of the soft window as the clinic sees it:
// from the press of the button to "Job Complete", for a job with two large
// VRML scans (15 MB each by default), the model files the foot views write
// from them, both foot photos and a sketch. The prompts are answered by the
// scripted prompter, the order confirmation is accepted as soon as it shows
// and every Wait_Milliseconds is a single pass of the event loop, so what is
// timed is the program's own work: models, gathering, record, both PDFs,
// the archive with its read-back check, the counter.
//
// The archive write with its read-back check is also timed on its own, on
// the same members, and the read-back alone after it.
#include "softjobcommands.h"

#include "footviewinterface.h"
#include "jobarchive.h"
#include "samplefoot.h"
#include "scriptedprompter.h"
#include "scriptform1.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "sizechart.h"
#include "windowregistry.h"
#include "zipreader.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
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
        if (event->type() == QEvent::Show && watched->objectName() == QLatin1String("OptionForm")) {
            if (auto *accept = watched->findChild<QPushButton *>(QStringLiteral("Command2")))
                QMetaObject::invokeMethod(accept, &QPushButton::click, Qt::QueuedConnection);
        }
        return false;
    }
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

QString photoBeside(const QString &scan)
{
    const QString photo = QFileInfo(scan).path() + u'/' + QFileInfo(scan).completeBaseName() + QStringLiteral(".Jpg");
    samples::makeTexturePhoto(2592, 1944).save(photo, "JPG", 90);
    return photo;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const double scanMegabytes = args.size() > 1 ? args.at(1).toDouble() : 15.0;
    const int repetitions = args.size() > 2 ? std::max(1, args.at(2).toInt()) : 5;

    QTemporaryDir home;
    const QString root = home.filePath(QStringLiteral("3DEriruvu"));
    qputenv("SOLVANE_HOME", QFile::encodeName(root));
    const QString data = root + QStringLiteral("/Data");
    QDir().mkpath(data);
    QDir().mkpath(root + QStringLiteral("/Archive"));

    auto prompter = ScriptedPrompter::install();
    Set_Wait_Skipped(true);
    Register_Soft_Windows();
    Register_Foot_Views();
    Set_Soft_Job_Commands(std::make_shared<SoftJobCommandSet>());
    AcceptConfirmation accept;
    app.installEventFilter(&accept);

    const QString leftScan = scanOfSize(data, QStringLiteral("Lee_Ann_L"), samples::Foot::Left, scanMegabytes);
    const QString rightScan = scanOfSize(data, QStringLiteral("Lee_Ann_R"), samples::Foot::Right, scanMegabytes);
    const QString leftPhoto = photoBeside(leftScan);
    const QString rightPhoto = photoBeside(rightScan);
    std::printf("jobsave_bench: scans %.1f MB and %.1f MB, photos %.1f MB and %.1f MB, platform %s\n",
                QFileInfo(leftScan).size() / 1e6, QFileInfo(rightScan).size() / 1e6, QFileInfo(leftPhoto).size() / 1e6,
                QFileInfo(rightPhoto).size() / 1e6, qPrintable(QGuiApplication::platformName()));

    // The views hold the scanned feet, as after loading the scans (not timed).
    for (FootSide side : {FootSide::Left, FootSide::Right}) {
        Job().CurrentFolder = data;
        (side == FootSide::Left ? Job().LeftScanFileName : Job().RightScanFileName) =
            QFileInfo(side == FootSide::Left ? leftScan : rightScan).fileName();
        if (!Load_Foot(side)) {
            std::fprintf(stderr, "jobsave_bench: the %s scan did not load\n", qPrintable(Side_Name(side)));
            return 1;
        }
    }

    std::vector<double> totals;
    QStringList members;
    QString lastArchive;
    for (int rep = 0; rep < repetitions; ++rep) {
        ScriptRecord &job = Job();
        job.OperatorCode = QStringLiteral("AB");
        job.ScannerId = QStringLiteral("A0000");
        job.JobCounter = 41 + rep;
        job.CurrentUser = job.UserList = QStringLiteral("Ann");
        job.CurrentFolder = data;
        job.DataFolder = data + u'/';
        job.ArchiveFolder = root + QStringLiteral("/Archive/");
        job.CastModeFlag = true;
        Set_Default_Sizes(job);
        // The views are loaded again when the command closed them.
        if (!Loaded_Foot_View(FootSide::Left))
            Load_Foot(FootSide::Left);
        if (!Loaded_Foot_View(FootSide::Right))
            Load_Foot(FootSide::Right);
        auto *form = Open_ScriptForm1();
        job.LeftScanFile = leftScan;
        job.RightScanFile = rightScan;
        job.LeftGraphicFile = leftPhoto;
        job.RightGraphicFile = rightPhoto;
        // The models are written by the views during the command.
        job.LeftLcfFile = data + QStringLiteral("/Lee_Ann_L_%1.Lcf").arg(rep);
        job.RightLcfFile = data + QStringLiteral("/Lee_Ann_R_%1.Lcf").arg(rep);
        form->findChild<QLineEdit *>(QStringLiteral("Text38"))->setText(QStringLiteral("Ann"));
        form->findChild<QLineEdit *>(QStringLiteral("Text49"))->setText(QStringLiteral("Lee"));
        form->findChild<QComboBox *>(QStringLiteral("Combo1_0"))->setEditText(QStringLiteral("7"));
        form->findChild<QComboBox *>(QStringLiteral("Combo1_1"))->setEditText(QStringLiteral("7"));
        prompter->calls.clear();
        prompter->answers.clear();
        prompter->answers << Prompter::Answer::No; // not into the viewer
        Set_Status(QString());

        QElapsedTimer timer;
        timer.start();
        form->findChild<QPushButton *>(QStringLiteral("Command3"))->click();
        const double ms = timer.nsecsElapsed() / 1e6;

        const QString archive =
            root + QStringLiteral("/Archive/AB%1_Ann_Lee.Zip").arg(41 + rep, 4, 10, QLatin1Char('0'));
        if (Last_Status() != QLatin1String("Job Complete") || !QFileInfo::exists(archive)) {
            std::fprintf(stderr, "jobsave_bench: the job did not complete (status \"%s\")\n",
                         qPrintable(Last_Status()));
            for (const QString &m : prompter->messages())
                std::fprintf(stderr, "  message: %s\n", qPrintable(m));
            return 1;
        }
        totals.push_back(ms);
        lastArchive = archive;
        std::printf("  run %d: Save Job Locally %.0f ms, archive %.1f MB\n", rep + 1, ms,
                    QFileInfo(archive).size() / 1e6);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The archive on its own, on the members of the last job (all in the work folder).
    {
        const ZipReader last(lastArchive);
        for (const ZipEntry &entry : last.entries())
            members << data + u'/' + entry.name;
    }
    std::vector<double> writes, checks;
    for (int rep = 0; rep < repetitions; ++rep) {
        const QString zip = root + QStringLiteral("/Archive/alone_%1.Zip").arg(rep);
        QElapsedTimer timer;
        timer.start();
        Write_Job_Archive(zip, members, QStringLiteral("Job: bench"));
        writes.push_back(timer.nsecsElapsed() / 1e6);
        timer.restart();
        Verify_Job_Archive(zip, members);
        checks.push_back(timer.nsecsElapsed() / 1e6);
    }
    qint64 memberBytes = 0;
    for (const QString &m : members)
        memberBytes += QFileInfo(m).size();

    std::printf("jobsave_bench: median Save Job Locally %.0f ms (best %.0f ms), target 1000 ms\n", median(totals),
                *std::min_element(totals.begin(), totals.end()));
    std::printf("jobsave_bench: archive of %lld members, %.1f MB: write with read-back check median %.0f ms, "
                "of which the read-back alone about %.0f ms\n",
                static_cast<long long>(members.size()), memberBytes / 1e6, median(writes), median(checks));
    Windows().reset();
    return 0;
}
