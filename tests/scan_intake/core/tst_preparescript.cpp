#include "clock.h"
#include "csveva.h"
#include "errors.h"
#include "fakeshell.h"
#include "intakejob.h"
#include "preparescript.h"
#include "rigidrecord.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "sizechart.h"
#include "testhome.h"
#include "textfile.h"

#include <QtTest>

#include <limits>

namespace {

const QByteArray kConfig = "AB\r\nS1\r\n0042\r\nClinic1\r\n";

// The program's job as an intake window finds it: counter 42, one user, the
// scanner folders set by the window's load.
void startJob(const TestHome &home)
{
    ScriptRecord &job = Job();
    job = ScriptRecord{};
    Set_Default_Sizes(job);
    job.OperatorCode = QStringLiteral("AB");
    job.ScannerId = QStringLiteral("S1");
    job.JobCounter = 42;
    job.JobNumber = QStringLiteral("AB0042");
    job.CurrentUser = job.UserList = QStringLiteral("Clinic1");
    job.Gender = QStringLiteral("Male");
    job.CurrentFolder = home.path(QStringLiteral("Data/Clinic1/Lee"));
    job.ScannerDataFolder = job.CurrentFolder + u'/';
    job.ScanDestFolder = home.path(QStringLiteral("Data/Clinic1"));
    job.DataFolder = job.ScanDestFolder + u'/';
    QDir().mkpath(job.CurrentFolder);
    home.write(QStringLiteral("Solvane.Cfg"), kConfig);
}

IntakeFields typedFields()
{
    IntakeFields f;
    f.boxes.Text1 = QStringLiteral("Ann");
    f.boxes.Text2 = QStringLiteral("Lee");
    f.boxes.Text3 = QStringLiteral("AB0042");
    f.boxes.measurements = PellmarMeasurements::cleared();
    f.boxes.measurements.VarusLength = {QStringLiteral("12abc"), QStringLiteral("2,5")};
    f.podiatrist = QStringLiteral("Dr Lee");
    f.clinic = QStringLiteral("Foot Clinic");
    f.footSizes = {QStringLiteral("9"), QStringLiteral("10")};
    return f;
}

QStringList recordLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return textfile::splitLines(textfile::decode1252(f.readAll()));
}

QStringList filesBelow(const QString &folder)
{
    QStringList names;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        names << QDir(folder).relativeFilePath(it.next());
    names.sort();
    return names;
}

} // namespace

class TestPrepareScript : public QObject
{
    Q_OBJECT

    FakeShell shell;
    std::shared_ptr<ScriptedPrompter> ui;
    QStringList calls; // the prescription windows' hooks, in order

private slots:
    void init()
    {
        Clock::setSource([] { return QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9)); });
        ui = ScriptedPrompter::install();
        shell = FakeShell{};
        shell.sizeEntries[0] = shell.sizeEntries[1] = Size_List_Texts(Job());
        Set_Shell(&shell);
        calls.clear();
        PrepareHooks h;
        h.writeRigidRecord = [this](ScriptRecord &job) {
            calls << QStringLiteral("writeRigid");
            Write_CSV_Rigid(job);
        };
        // The soft window reads what was handed over as its load does.
        h.openSoftWindow = [this] {
            const ScriptRecord &job = Job();
            calls << QStringLiteral("openSoft prepared=%1 file=%2")
                         .arg(job.PreparedCsvFlag)
                         .arg(QFileInfo(job.PreparedCsvFile).isFile());
        };
        h.showSoftFootSizes = [this] {
            calls << QStringLiteral("showSizes %1 %2").arg(Job().FootSizeL, Job().FootSizeR);
        };
        h.openRigidWindow = [this] { calls << QStringLiteral("openRigid prepared=%1").arg(Job().PreparedCsvFlag); };
        Set_Prepare_Hooks(h);
    }
    void cleanup()
    {
        Set_Prepare_Hooks({});
        Set_Shell(nullptr);
        Clock::setSource({});
    }

    void sixButtons_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("path"); // below the working folder
        QTest::addColumn<QString>("title");
        QTest::addColumn<bool>("preparedBefore");
        QTest::addColumn<bool>("preparedAfter");
        QTest::addColumn<bool>("evaBefore");
        QTest::addColumn<bool>("evaAfter");
        QTest::addColumn<QString>("counterLine"); // line 3 of Solvane.Cfg
        QTest::addColumn<QString>("varusLength"); // VarusLengthL afterwards
        QTest::addColumn<QStringList>("windowCalls");

        const QString soft = QStringLiteral("BRENNICK ORTHOTICS PRESCRIPTION");
        const QString rigid = QStringLiteral("BRENNICK ORTHOTICS PRESCRIPTION (RIGID)");
        const QStringList softCalls{"openSoft prepared=1 file=1", "showSizes 9 10"};
        QTest::newRow("ScanForm") << "ScanForm"
                                  << "Data/Clinic1/Lee/AB0042_Ann_Lee.Csv" << soft << false << false << false << false
                                  << "0043"
                                  << "12" << QStringList{};
        QTest::newRow("ScanForm2") << "ScanForm2"
                                   << "Data/Clinic1/Lee/AB0042_Ann_Lee.Csv" << soft << false << true << false << true
                                   << "0042"
                                   << "12" << softCalls;
        QTest::newRow("ScanForm3") << "ScanForm3"
                                   << "Data/Clinic1/Lee/R_AB0042_Ann_Lee.Csv" << rigid << false << true << true << false
                                   << "0042"
                                   << "12abc" << QStringList{"writeRigid", "openRigid prepared=1"};
        QTest::newRow("ScanForm4") << "ScanForm4"
                                   << "Data/Clinic1/Lee/AB0042_Ann_Lee.Csv" << soft << false << true << false << true
                                   << "0042"
                                   << "12" << softCalls;
        QTest::newRow("ScanForm5") << "ScanForm5"
                                   << "Data/Clinic1/AB0042_Ann_Lee.Csv" << soft << false << true << false << true
                                   << "0042"
                                   << "12" << softCalls;
        QTest::newRow("ScanForm6") << "ScanForm6"
                                   << "Data/Clinic1/R_AB0042_Ann_Lee.Csv" << rigid << true << false << true << false
                                   << "0042"
                                   << "12abc" << QStringList{"writeRigid", "openRigid prepared=0"};
    }
    void sixButtons()
    {
        QFETCH(QString, window);
        QFETCH(QString, path);
        QFETCH(QString, title);
        QFETCH(bool, preparedBefore);
        QFETCH(bool, preparedAfter);
        QFETCH(bool, evaBefore);
        QFETCH(bool, evaAfter);
        QFETCH(QString, counterLine);
        QFETCH(QString, varusLength);
        QFETCH(QStringList, windowCalls);
        TestHome home;
        startJob(home);
        ScriptRecord &job = Job();
        job.PreparedCsvFlag = preparedBefore;
        job.PreparedCsvFile = QStringLiteral("earlier.Csv");
        job.EvaScriptFlag = evaBefore;

        const PrepareRoute *route = Prepare_Route(window);
        QVERIFY(route);
        QCOMPARE(Run_Prepare_Script(*route, typedFields()), PrepareOutcome::Done);

        QCOMPARE(job.CsvFile, home.path(path));
        const QStringList lines = recordLines(job.CsvFile);
        QCOMPARE(lines.value(0), title);
        QCOMPARE(lines.value(1), QStringLiteral("Job Number,AB0042"));
        QCOMPARE(lines.value(8), QStringLiteral("Client First Name,Ann"));
        // The simple records always ask for the e-mail; the rigid record
        // carries the job's own tick (not given here).
        const bool rigidRecord = route->record == PrepareRecord::Rigid;
        QCOMPARE(lines.value(11), QStringLiteral("Podiatrist Name,Dr Lee;") + (rigidRecord ? u'N' : u'Y'));
        QCOMPARE(lines.last(), QStringLiteral("END"));
        QCOMPARE(textfile::splitLines(QString::fromLatin1(home.read("Solvane.Cfg"))),
                 (QStringList{"AB", "S1", counterLine, "Clinic1"}));
        QCOMPARE(job.JobCounter, counterLine.toInt());
        QCOMPARE(job.JobNumber, QStringLiteral("AB") + counterLine);
        QCOMPARE(job.PreparedCsvFlag, preparedAfter);
        QCOMPARE(job.PreparedCsvFile, route->preparedFlag ? job.CsvFile : QStringLiteral("earlier.Csv"));
        QCOMPARE(job.EvaScriptFlag, evaAfter);
        QCOMPARE(calls, windowCalls);
        QCOMPARE(route->unloadsItself(), window == QLatin1String("ScanForm"));

        // The values every button sets.
        QCOMPARE(job.PodiatristName, QStringLiteral("Dr Lee"));
        QCOMPARE(job.ClinicName, QStringLiteral("Foot Clinic"));
        QCOMPARE(job.ThicknessL, 1.5);
        QCOMPARE(job.ThicknessR, 1.5);
        QCOMPARE(job.TemplateLengthL, 270.0);
        QCOMPARE(job.TemplateLengthR, 278.0);
        QCOMPARE(job.FootLengthR, 253.0);
        QCOMPARE(job.ScanDateL, QStringLiteral("08/12/2026"));
        QCOMPARE(job.ScanTimeR, QStringLiteral("14:05:09"));
        QCOMPARE(job.VarusLengthL, varusLength);
    }

    // The soft record the scanner windows hand over is read by the soft
    // window; the rigid windows' record by the rigid reader.
    void recordsReadBack()
    {
        TestHome home;
        for (const char *window : {"ScanForm2", "ScanForm3", "ScanForm6"}) {
            startJob(home);
            Run_Prepare_Script(*Prepare_Route(QLatin1String(window)), typedFields());
            ScriptRecord read;
            if (Prepare_Route(QLatin1String(window))->record == PrepareRecord::Rigid) {
                QVERIFY(Read_Csv_Rigid(read, Job().CsvFile));
            } else {
                read.CsvFile = Job().CsvFile;
                Read_CSV_EVA(read);
            }
            QCOMPARE(read.ClientSurname, QStringLiteral("Lee"));
            QCOMPARE(read.FootSizeR, QStringLiteral("10"));
            QCOMPARE(read.PodiatristName, QStringLiteral("Dr Lee"));
        }
        QVERIFY(ui->messages().isEmpty());
    }

    void blankInThePathIsRefused_data()
    {
        QTest::addColumn<QString>("window");
        for (const PrepareRoute &route : Prepare_Routes()) {
            if (route.refusesBlanks())
                QTest::newRow(qPrintable(route.window)) << route.window;
        }
    }
    void blankInThePathIsRefused()
    {
        QFETCH(QString, window);
        TestHome home;
        startJob(home);
        Job().PreparedCsvFlag = false;
        IntakeFields fields = typedFields();
        fields.boxes.Text2 = QStringLiteral("Mac Lean");
        const QStringList before = filesBelow(home.root());

        QCOMPARE(Run_Prepare_Script(*Prepare_Route(window), fields), PrepareOutcome::Refused);

        QCOMPARE(ui->calls.size(), 1);
        QCOMPARE(ui->calls[0].text, QStringLiteral("Spaces Found in the Script File Name - Exit"));
        QCOMPARE(ui->calls[0].title, QStringLiteral("Error"));
        QCOMPARE(ui->calls[0].icon, Prompter::Icon::Information);
        QCOMPARE(filesBelow(home.root()), before);
        QCOMPARE(home.read("Solvane.Cfg"), kConfig);
        QVERIFY(calls.isEmpty());
        QVERIFY(!Job().PreparedCsvFlag);
        // The path as built, without quotes; the typed values stay.
        QVERIFY(Job().CsvFile.endsWith(QStringLiteral("AB0042_Ann_Mac Lean.Csv")));
        QVERIFY(!Job().CsvFile.contains(u'"'));
        QCOMPARE(Job().ClientSurname, QStringLiteral("Mac Lean"));
    }

    // The general window's record is read by no scanner: a blank is kept.
    void generalWindowWritesABlank()
    {
        TestHome home;
        startJob(home);
        IntakeFields fields = typedFields();
        fields.boxes.Text2 = QStringLiteral("Mac Lean");
        QCOMPARE(Run_Prepare_Script(*Prepare_Route("ScanForm"), fields), PrepareOutcome::Done);
        QVERIFY(QFileInfo(home.path("Data/Clinic1/Lee/AB0042_Ann_Mac Lean.Csv")).isFile());
        QCOMPARE(Job().JobCounter, 43);
        QVERIFY(ui->calls.isEmpty());
    }

    // An edited job number reaches the record and its name; afterwards the
    // job number is the counter's again, whatever was typed.
    void editedJobNumber()
    {
        TestHome home;
        startJob(home);
        IntakeFields fields = typedFields();
        fields.boxes.Text3 = QStringLiteral("AB0099");
        Run_Prepare_Script(*Prepare_Route("ScanForm5"), fields);
        QCOMPARE(Job().CsvFile, home.path("Data/Clinic1/AB0099_Ann_Lee.Csv"));
        QCOMPARE(recordLines(Job().CsvFile).value(1), QStringLiteral("Job Number,AB0099"));
        QCOMPARE(Job().JobNumber, QStringLiteral("AB0042"));
        // Pressed again, the same counter is written again.
        Run_Prepare_Script(*Prepare_Route("ScanForm5"), fields);
        QCOMPARE(home.read("Solvane.Cfg"), kConfig);
    }

    void users_data()
    {
        QTest::addColumn<QString>("userList");
        QTest::addColumn<QString>("currentUser");
        QTest::addColumn<QStringList>("userLines");
        QTest::newRow("two users") << "Clinic1,Clinic2"
                                   << "Clinic2" << QStringList{"Clinic1", "Clinic2"};
        QTest::newRow("one user") << "Clinic1"
                                  << "Clinic1" << QStringList{"Clinic1"};
    }
    void users()
    {
        QFETCH(QString, userList);
        QFETCH(QString, currentUser);
        QFETCH(QStringList, userLines);
        TestHome home;
        startJob(home);
        Job().UserList = userList;
        Job().CurrentUser = currentUser;
        Run_Prepare_Script(*Prepare_Route("ScanForm2"), typedFields());
        QCOMPARE(textfile::splitLines(QString::fromLatin1(home.read("Solvane.Cfg"))),
                 QStringList({"AB", "S1", "0042"}) + userLines);
    }

    // The main lists take the first entry at or above each size; a size
    // above every entry leaves the list, and the soft window shows it.
    void sizeLists_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<QString>("right");
        QTest::addColumn<QStringList>("shellCalls");
        QTest::addColumn<QString>("shown");
        QTest::newRow("9 and 10") << "9"
                                  << "10" << QStringList{"Select_Size_At_Least 0 9", "Select_Size_At_Least 1 10"}
                                  << "showSizes 9 10";
        QTest::newRow("between entries") << "8.5"
                                         << "10"
                                         << QStringList{"Select_Size_At_Least 0 8.5", "Select_Size_At_Least 1 10"}
                                         << "showSizes 9 10";
        QTest::newRow("above the list") << "18"
                                        << "10" << QStringList{"Select_Size_At_Least 0 18", "Select_Size_At_Least 1 10"}
                                        << "showSizes 18 10";
    }
    void sizeLists()
    {
        QFETCH(QString, left);
        QFETCH(QString, right);
        QFETCH(QStringList, shellCalls);
        QFETCH(QString, shown);
        TestHome home;
        startJob(home);
        IntakeFields fields = typedFields();
        fields.footSizes = {left, right};
        Run_Prepare_Script(*Prepare_Route("ScanForm5"), fields);
        QCOMPARE(shell.calls, shellCalls);
        QCOMPARE(calls.last(), shown);
        // The record carries the sizes as typed.
        QCOMPARE(recordLines(Job().CsvFile).value(16), QStringLiteral("Foot Size,%1,%2").arg(left, right));
    }

    // A file where the record's folder should be: nothing is handed over,
    // no window opens, the counter and "Solvane.Cfg" stay.
    void unwritableRecordChangesNothing_data()
    {
        QTest::addColumn<QString>("window");
        for (const PrepareRoute &route : Prepare_Routes())
            QTest::newRow(qPrintable(route.window)) << route.window;
    }
    void unwritableRecordChangesNothing()
    {
        QFETCH(QString, window);
        TestHome home;
        startJob(home);
        QDir(home.path("Data/Clinic1/Lee")).removeRecursively();
        QDir(home.path("Data/Clinic1")).removeRecursively();
        home.write("Data/Clinic1", "not a folder");
        Job().PreparedCsvFlag = false;
        Job().EvaScriptFlag = window == QLatin1String("ScanForm3") || window == QLatin1String("ScanForm6");
        const bool evaBefore = Job().EvaScriptFlag;

        QVERIFY_THROWS_EXCEPTION(SolvaneError, Run_Prepare_Script(*Prepare_Route(window), typedFields()));

        QCOMPARE(home.read("Data/Clinic1"), QByteArray("not a folder"));
        QCOMPARE(home.read("Solvane.Cfg"), kConfig);
        QCOMPARE(Job().JobCounter, 42);
        QVERIFY(!Job().PreparedCsvFlag);
        QCOMPARE(Job().EvaScriptFlag, evaBefore);
        QVERIFY(calls.filter(QStringLiteral("open")).isEmpty());
    }

    // "Solvane.Cfg" that cannot be written (a folder of that name): the
    // counter does not move, nothing is handed over.
    void unwritableConfigHandsNothingOver_data()
    {
        QTest::addColumn<QString>("window");
        QTest::newRow("ScanForm") << "ScanForm";
        QTest::newRow("ScanForm2") << "ScanForm2";
    }
    void unwritableConfigHandsNothingOver()
    {
        QFETCH(QString, window);
        TestHome home;
        startJob(home);
        QFile::remove(home.path("Solvane.Cfg"));
        QDir().mkpath(home.path("Solvane.Cfg"));
        QVERIFY_THROWS_EXCEPTION(SolvaneError, Run_Prepare_Script(*Prepare_Route(window), typedFields()));
        QCOMPARE(Job().JobCounter, 42);
        QVERIFY(!Job().PreparedCsvFlag);
        QVERIFY(calls.isEmpty());
        QVERIFY(QFileInfo(home.path("Solvane.Cfg")).isDir());
    }

    void largestCounterIsRefused()
    {
        TestHome home;
        startJob(home);
        Job().JobCounter = std::numeric_limits<int>::max();
        const QStringList before = filesBelow(home.root());
        try {
            Run_Prepare_Script(*Prepare_Route("ScanForm"), typedFields());
            QFAIL("the largest counter was advanced");
        } catch (const SolvaneError &e) {
            QVERIFY(e.description().contains(QStringLiteral("largest value (2147483647)")));
        }
        QCOMPARE(filesBelow(home.root()), before);
        QCOMPARE(Job().JobCounter, std::numeric_limits<int>::max());
        QCOMPARE(Job().ClientFirstName, QString()); // nothing taken either
    }

    // "Get Next Job" never wraps the counter round to a number below 0; the
    // prepare then refuses the largest, as above.
    void nextJobStopsAtTheLargestCounter()
    {
        ScriptRecord job;
        job.OperatorCode = QStringLiteral("AB");
        job.JobCounter = std::numeric_limits<int>::max() - 1;
        Next_Intake_Job(job);
        QCOMPARE(job.JobCounter, std::numeric_limits<int>::max());
        Next_Intake_Job(job);
        QCOMPARE(job.JobCounter, std::numeric_limits<int>::max());
        QCOMPARE(job.JobNumber, QStringLiteral("AB2147483647"));
    }

    // Without the prescription windows' hooks a button stops before writing.
    void missingHooksWriteNothing()
    {
        TestHome home;
        startJob(home);
        Set_Prepare_Hooks({});
        const QStringList before = filesBelow(home.root());
        for (const char *window : {"ScanForm2", "ScanForm6"})
            QVERIFY_THROWS_EXCEPTION(SolvaneError, Run_Prepare_Script(*Prepare_Route(window), typedFields()));
        QCOMPARE(filesBelow(home.root()), before);
    }
};

QTEST_GUILESS_MAIN(TestPrepareScript)
#include "tst_preparescript.moc"
