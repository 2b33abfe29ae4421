#include "companionstart.h"
#include "jobpipeline.h"
#include "jobpolicy.h"
#include "pipelinefixture.h"
#include "scriptedprompter.h"
#include "shellhelpers.h"
#include "zipreader.h"

#include <QProcess>
#include <QtTest>

using namespace fixture;

// The demo working folder's stand-ins: a job packed and sent with them lands
// in the Outbox, and a saved job reaches the demo companion.
class TestDemoStandins : public QObject
{
    Q_OBJECT

    std::shared_ptr<ScriptedPrompter> ui;

    static void installDemo(const QString &root)
    {
        const QString script =
            qEnvironmentVariable("SOLVANE_TEST_SOURCE_DIR") + QStringLiteral("/tools/demo-standins.sh");
        QProcess install;
        install.start(QStringLiteral("bash"), {script, root});
        QVERIFY(install.waitForFinished(30000));
        QCOMPARE(install.exitStatus(), QProcess::NormalExit);
        QCOMPARE(install.exitCode(), 0);
    }

private slots:
    void init()
    {
        ui = ScriptedPrompter::install();
        Set_Wait_Skipped(true);
    }
    void cleanup() { Set_Prompter(nullptr); }

    void aSubmittedJobReachesTheOutbox()
    {
        TestHome home;
        installDemo(home.root());
        ScriptRecord job = newJob(home);
        job.ClientSurname = QStringLiteral("Lee-Smith Jones");
        writeAllFiles(job);
        const QString zip = Job_Archive_Path(job, JobKind::Soft, ArchiveDestination::Laboratory);
        const QStringList members = Pack_Job_Archive(job, zip);
        ui->answers << Prompter::Answer::Yes << Prompter::Answer::No;

        QCOMPARE(Send_Job_Archive(job, zip), SendOutcome::Started);

        const QString sent = home.path(QStringLiteral("Outbox/AB0042_Ann_Lee-Smith Jones.Zip"));
        QTRY_VERIFY(QFileInfo::exists(home.path(QStringLiteral("Outbox/Sent.log"))));
        QCOMPARE(slurp(sent), slurp(zip));
        QCOMPARE(ZipReader(sent).entries().size(), members.size());
        QVERIFY(slurp(home.path(QStringLiteral("Outbox/Sent.log"))).contains("sent AB0042_Ann_Lee-Smith Jones.Zip"));
    }

    void aSavedJobReachesTheCompanion()
    {
        TestHome home;
        installDemo(home.root());
        ScriptRecord job = newJob(home);
        job.CsvFile = put(job.CurrentFolder + QStringLiteral("/AB0042_Ann_Lee.Csv"), "record");
        int ends = 0;

        // A window text of this run alone: suites beside this one run
        // stand-ins under the companion's name.
        JobPolicy policy = Soft_Job_Policy();
        policy.companionWindowText += QStringLiteral("-run-") + QString::number(QCoreApplication::applicationPid());

        QCOMPARE(Run_Companion(job, policy, [&ends] { ++ends; }), CompanionStart::Started);

        QCOMPARE(ends, 1);
        const QString log = home.path(QStringLiteral("Companion.log"));
        QTRY_VERIFY(slurp(log).contains("Veltrane.Exe opened " + job.CsvFile.toUtf8()));
    }
};

QTEST_GUILESS_MAIN(TestDemoStandins)
#include "tst_demostandins.moc"
