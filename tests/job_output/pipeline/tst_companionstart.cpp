#include "companionstart.h"
#include "jobpolicy.h"
#include "pipelinefixture.h"
#include "scriptedprompter.h"
#include "shellhelpers.h"
#include "standin.h"
#include "standinruns.h"

#include <QApplication>
#include <QWidget>
#include <QtTest>

using namespace fixture;

namespace {

struct Companion
{
    bool rigid;
    QString program;
    QString word;
};

Companion companion(bool rigid)
{
    return rigid ? Companion{true, QStringLiteral("Kelvaro3D.Exe"), QStringLiteral("Kelvaro3D")}
                 : Companion{false, QStringLiteral("Veltrane.Exe"), QStringLiteral("Veltrane")};
}

CompanionStart start(const Companion &c, const ScriptRecord &job, int &ends)
{
    const auto end = [&ends] { ++ends; };
    return c.rigid ? Run_Rigids(job, end) : Run_Veltrane(job, end);
}

// The policy with a window text of this test run alone. The running check
// also looks at every process of the machine, and suites that run beside
// this one start stand-ins under the companions' names.
JobPolicy isolated(const Companion &c)
{
    JobPolicy policy = c.rigid ? Rigid_Job_Policy() : Soft_Job_Policy();
    policy.companionWindowText = c.word + QStringLiteral("-run-") + QString::number(QCoreApplication::applicationPid());
    return policy;
}

CompanionStart startIsolated(const Companion &c, const ScriptRecord &job, int &ends)
{
    return Run_Companion(job, isolated(c), [&ends] { ++ends; });
}

} // namespace

class TestCompanionStart : public QObject
{
    Q_OBJECT

    std::shared_ptr<ScriptedPrompter> ui;

private slots:
    void init()
    {
        ui = ScriptedPrompter::install();
        Set_Wait_Skipped(true);
    }
    void cleanup()
    {
        Set_Prompter(nullptr);
        forgetStandinSettings();
    }

    void companions_data()
    {
        QTest::addColumn<bool>("rigid");
        QTest::newRow("soft viewer") << false;
        QTest::newRow("rigid shell") << true;
    }

    void startsWithTheRecordAndEndsThisProgram_data() { companions_data(); }
    void startsWithTheRecordAndEndsThisProgram()
    {
        QFETCH(bool, rigid);
        const Companion c = companion(rigid);
        TestHome home;
        QVERIFY(!Standin::install(home.root(), c.program).isEmpty());
        const QString log = home.path(QStringLiteral("standin.log"));
        Standin::configure(log);
        ScriptRecord job = newJob(home);
        job.CurrentFolder = home.path(QStringLiteral("Data/Ann Lee's folder"));
        job.CsvFile = put(job.CurrentFolder + QStringLiteral("/R_AB0042_Ann_Lee.Csv"), "record");
        // A title in other letters does not count as the companion running.
        QWidget other;
        other.setWindowTitle(isolated(c).companionWindowText.toUpper() + QStringLiteral(" notes"));
        int ends = 0;

        QCOMPARE(startIsolated(c, job, ends), CompanionStart::Started);

        QCOMPARE(ends, 1);
        QVERIFY(ui->calls.isEmpty());
        QTRY_COMPARE(Standin::readLog(log).size(), 1);
        const Standin::Run run = Standin::readLog(log).first();
        QCOMPARE(run.name, c.program);
        QCOMPARE(run.args, QStringList{job.CsvFile});
        QCOMPARE(run.cwd, QFileInfo(home.root()).canonicalFilePath());
        QTRY_VERIFY(allRunsEnded(log));
    }

    void aMissingProgram_data()
    {
        QTest::addColumn<bool>("rigid");
        QTest::addColumn<QString>("message");
        QTest::newRow("soft: silent") << false << QString();
        QTest::newRow("rigid: says so") << true << "The Kelvaro3D Program was Not Found";
    }
    void aMissingProgram()
    {
        QFETCH(bool, rigid);
        QFETCH(QString, message);
        TestHome home;
        ScriptRecord job = newJob(home);
        job.CsvFile = put(job.CurrentFolder + QStringLiteral("/AB0042_Ann_Lee.Csv"), "record");
        // A folder of the program's name is no program.
        QDir().mkpath(home.path(companion(rigid).program));
        int ends = 0;

        QCOMPARE(start(companion(rigid), job, ends), CompanionStart::NotStarted);

        QCOMPARE(ends, 0);
        QCOMPARE(ui->messages(), message.isEmpty() ? QStringList{} : QStringList{message});
        if (!message.isEmpty()) {
            QCOMPARE(ui->calls[0].title, QStringLiteral("Information"));
            QCOMPARE(ui->calls[0].icon, Prompter::Icon::Information);
        }
    }

    void aMissingRecord_data() { companions_data(); }
    void aMissingRecord()
    {
        QFETCH(bool, rigid);
        const Companion c = companion(rigid);
        TestHome home;
        const QString log = home.path(QStringLiteral("standin.log"));
        Standin::install(home.root(), c.program);
        Standin::configure(log);
        ScriptRecord job = newJob(home);
        job.CsvFile = job.CurrentFolder + QStringLiteral("/AB0042_Ann_Lee.Csv");
        int ends = 0;

        QCOMPARE(start(c, job, ends), CompanionStart::NotStarted);
        job.CsvFile.clear();
        QCOMPARE(start(c, job, ends), CompanionStart::NotStarted);

        QCOMPARE(ends, 0);
        QCOMPARE(ui->messages(), QStringList(2, QStringLiteral("CSVname Was Not Found")));
        QCOMPARE(ui->calls[0].title, QStringLiteral("To ") + c.word);
        QCOMPARE(ui->calls[0].icon, Prompter::Icon::Information);
        QVERIFY(Standin::readLog(log).isEmpty());
    }

    void alreadyRunning_data() { companions_data(); }
    void alreadyRunning()
    {
        QFETCH(bool, rigid);
        const Companion c = companion(rigid);
        TestHome home;
        const QString log = home.path(QStringLiteral("standin.log"));
        Standin::install(home.root(), c.program);
        Standin::configure(log);
        ScriptRecord job = newJob(home);
        job.CsvFile = put(job.CurrentFolder + QStringLiteral("/AB0042_Ann_Lee.Csv"), "record");
        QWidget running; // hidden windows count too
        running.setWindowTitle(QStringLiteral("Job AB0042 - ") + c.word);
        int ends = 0;

        QCOMPARE(start(c, job, ends), CompanionStart::NotStarted);

        QCOMPARE(ends, 0);
        QCOMPARE(ui->calls.size(), 1);
        QCOMPARE(ui->calls[0].text,
                 QStringLiteral("We Cannot Start ") + c.word + QStringLiteral("...\r\n\r\nIt is Already Running."));
        QCOMPARE(ui->calls[0].title, QStringLiteral("Warning"));
        QCOMPARE(ui->calls[0].icon, Prompter::Icon::Information);
        QTest::qWait(200);
        QVERIFY(Standin::readLog(log).isEmpty());
    }

    void aStartThatFailsSaysSo_data() { companions_data(); }
    void aStartThatFailsSaysSo()
    {
        QFETCH(bool, rigid);
        const Companion c = companion(rigid);
        TestHome home;
        // Present and marked to run, yet no program the system can start.
        const QString program = put(home.path(c.program), QByteArray("\x7F"
                                                                     "ELF broken",
                                                                     11));
        QFile::setPermissions(program, QFile::permissions(program) | QFileDevice::ExeOwner);
        ScriptRecord job = newJob(home);
        job.CsvFile = put(job.CurrentFolder + QStringLiteral("/AB0042_Ann_Lee.Csv"), "record");
        int ends = 0;

        QCOMPARE(startIsolated(c, job, ends), CompanionStart::NotStarted);

        QCOMPARE(ends, 0);
        QCOMPARE(ui->calls.size(), 1);
        QCOMPARE(ui->calls[0].title, QStringLiteral("Error"));
        QVERIFY2(ui->calls[0].text.startsWith(QLatin1String("Error: Cannot start ")), qPrintable(ui->calls[0].text));
    }
};

QTEST_MAIN(TestCompanionStart)
#include "tst_companionstart.moc"
