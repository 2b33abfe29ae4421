#include "instancelock.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "startup.h"
#include "testhome.h"

#include <QProcess>
#include <QtTest>

class TestStartup : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<ScriptedPrompter> ui;

    StartupResult start(const QString &commandLine = {})
    {
        InstanceLock lock(InstanceLock::defaultPath());
        return Run_Startup(Job(), commandLine, lock);
    }

private slots:
    void init()
    {
        Job() = ScriptRecord{};
        ui = ScriptedPrompter::install();
    }

    void configurationFile_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: no file
        QTest::addColumn<QString>("operatorCode");
        QTest::addColumn<QString>("scannerId");
        QTest::addColumn<int>("counter");
        QTest::addColumn<QString>("currentUser");
        QTest::addColumn<QString>("userList");
        QTest::addColumn<QStringList>("userNames");
        QTest::addColumn<bool>("found");

        QTest::newRow("two users") << QByteArray("AB\r\nS1\r\n0042\r\nClinicA\r\nClinicB\r\n") << "AB"
                                   << "S1" << 42 << "ClinicA"
                                   << "ClinicA,ClinicB" << QStringList{"ClinicA", "ClinicB"} << true;
        QTest::newRow("one user") << QByteArray("AB\r\nS1\r\n0007\r\nClinicA\r\n") << "AB"
                                  << "S1" << 7 << "ClinicA"
                                  << "ClinicA" << QStringList{} << true;
        QTest::newRow("users end at an empty line")
            << QByteArray("AB\r\nS1\r\n0001\r\nClinicA\r\n\r\nClinicB\r\n") << "AB"
            << "S1" << 1 << "ClinicA"
            << "ClinicA" << QStringList{} << true;
        QTest::newRow("LF line ends") << QByteArray("AB\nS1\n0003\nClinicA\nClinicB") << "AB"
                                      << "S1" << 3 << "ClinicA"
                                      << "ClinicA,ClinicB" << QStringList{"ClinicA", "ClinicB"} << true;
        QTest::newRow("no user") << QByteArray("AB\r\nS1\r\n0005\r\n\r\n") << "AB"
                                 << "S1" << 5 << ""
                                 << "" << QStringList{} << true;
        QTest::newRow("two lines") << QByteArray("AB\r\nS1\r\n") << "AB"
                                   << "S1" << 0 << ""
                                   << "" << QStringList{} << true;
        QTest::newRow("one line") << QByteArray("AB\r\n") << "AB"
                                  << "0000" << 0 << ""
                                  << "" << QStringList{} << true;
        QTest::newRow("empty file") << QByteArray("") << "Test"
                                    << "0000" << 0 << ""
                                    << "" << QStringList{} << true;
        QTest::newRow("counter 42abc") << QByteArray("AB\r\nS1\r\n42abc\r\n\r\n") << "AB"
                                       << "S1" << 42 << ""
                                       << "" << QStringList{} << true;
        QTest::newRow("counter abc") << QByteArray("AB\r\nS1\r\nabc\r\n\r\n") << "AB"
                                     << "S1" << 0 << ""
                                     << "" << QStringList{} << true;
        QTest::newRow("counter 12345") << QByteArray("AB\r\nS1\r\n12345\r\n\r\n") << "AB"
                                       << "S1" << 12345 << ""
                                       << "" << QStringList{} << true;
        QTest::newRow("missing") << QByteArray() << "VORMAK"
                                 << "A0000" << 0 << ""
                                 << "" << QStringList{} << false;
    }

    void configurationFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, operatorCode);
        QFETCH(QString, scannerId);
        QFETCH(int, counter);
        QFETCH(QString, currentUser);
        QFETCH(QString, userList);
        QFETCH(QStringList, userNames);
        QFETCH(bool, found);

        TestHome home;
        if (!file.isNull())
            home.write("Solvane.Cfg", file);
        if (!currentUser.isEmpty())
            QDir().mkpath(home.path("Data/" + currentUser));
        Job().CurrentUser = "left over";
        Job().UserList = "left over,too";

        const StartupResult result = start();

        QCOMPARE(result.outcome, StartupOutcome::Ready);
        QCOMPARE(result.configFound, found);
        QCOMPARE(ui->messages(), QStringList{});
        const ScriptRecord &job = Job();
        QCOMPARE(job.OperatorCode, operatorCode);
        QCOMPARE(job.ScannerId, scannerId);
        QCOMPARE(job.JobCounter, counter);
        QCOMPARE(job.CurrentUser, currentUser);
        QCOMPARE(job.UserList, userList);
        QCOMPARE(User_List_Names(job), userNames);
        const QString dataFolder = home.path("Data/") + (currentUser.isEmpty() ? "" : currentUser + "/");
        QCOMPARE(job.DataFolder, dataFolder);
        QCOMPARE(job.CurrentFolder, QDir::cleanPath(dataFolder));
        if (file.isNull())
            QCOMPARE(home.read("Solvane.Cfg"), QByteArray("VORMAK\r\nA0000\r\n0000\r\n\r\n"));
        else
            QCOMPARE(home.read("Solvane.Cfg"), file); // start-up never rewrites an existing file
    }

    // Whether the counter is one "Solvane.Cfg" gave: only such a counter may
    // number a job that leaves the clinic.
    void counterFromTheFile_data()
    {
        QTest::addColumn<QString>("config"); // "file", "none" or "folder"
        QTest::addColumn<bool>("fromFile");
        QTest::newRow("read") << "file" << true;
        QTest::newRow("made") << "none" << true;
        QTest::newRow("a folder in its place") << "folder" << false;
    }
    void counterFromTheFile()
    {
        QFETCH(QString, config);
        QFETCH(bool, fromFile);
        TestHome home;
        if (config == "file")
            home.write("Solvane.Cfg", "AB\r\nS1\r\n0042\r\n\r\n");
        else if (config == "folder")
            QVERIFY(QDir().mkpath(home.path("Solvane.Cfg")));
        Job().JobCounterFromConfig = !fromFile;

        QCOMPARE(start().outcome, StartupOutcome::Ready);

        QCOMPARE(Job().JobCounterFromConfig, fromFile);
        // The user hears of a file that cannot be made, and start-up goes on.
        QCOMPARE(ui->messages().size(), fromFile ? 0 : 1);
    }

    void startupResetsTheJob()
    {
        TestHome home;
        ScriptRecord &job = Job();
        job.LeftScanFile = job.PdfFile = "/old/scan.wrl";
        job.StlScanFlagL = job.ObjScanFlagR = job.PreparedCsvFlag = true;
        job.CurrentFoot = "Left";
        job.GraphicSelection = "BOTH";
        job.FootSizeL = "9";
        job.TemplateLengthL = 270;

        QCOMPARE(start().outcome, StartupOutcome::Ready);

        QCOMPARE(job.LeftScanFileName, QString("None"));
        QCOMPARE(job.RightScanFileName, QString("None"));
        for (const QString *path :
             {&job.PdfFile, &job.LeftScanFile, &job.RightScanFile, &job.LeftGraphicFile, &job.RightGraphicFile})
            QCOMPARE(*path, QString("None"));
        QVERIFY(!job.StlScanFlagL && !job.ObjScanFlagR && !job.PreparedCsvFlag);
        QVERIFY(job.CurrentFoot.isEmpty());
        QVERIFY(job.GraphicSelection.isEmpty());
        QCOMPARE(job.SizeChartCount, 17);
        QCOMPARE(job.FootSizeL, QString("0"));
        QCOMPARE(job.FootSizeR, QString("0"));
        QCOMPARE(job.TemplateLengthL, 100.0);
        QCOMPARE(job.FootLengthR, 75.0);
        QVERIFY(!job.CastModeFlag);
        QCOMPARE(job.ArchiveFolder, home.path("Archive/"));
    }

    void switches_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("deleteWorkingFiles");
        QTest::addColumn<bool>("nasMode");
        QTest::newRow("-d") << QStringList{"solvane", "-d"} << false << false;
        QTest::newRow("-n") << QStringList{"solvane", "-n"} << true << true;
        QTest::newRow("-d -n") << QStringList{"solvane", "-d", "-n"} << true << false;
        QTest::newRow("-n -d") << QStringList{"solvane", "-n", "-d"} << true << false;
        QTest::newRow("-D") << QStringList{"solvane", "-D"} << true << false;
        QTest::newRow("-dn") << QStringList{"solvane", "-dn"} << true << false;
        QTest::newRow("none") << QStringList{"solvane"} << true << false;
    }

    void switches()
    {
        QFETCH(QStringList, arguments);
        QFETCH(bool, deleteWorkingFiles);
        QFETCH(bool, nasMode);
        TestHome home;
        Job().NasFolder = "stale";
        QCOMPARE(start(Startup_Command_Line(arguments)).outcome, StartupOutcome::Ready);
        QCOMPARE(Job().DeleteWorkingFilesFlag, deleteWorkingFiles);
        QCOMPARE(Job().NasModeFlag, nasMode);
        if (!nasMode)
            QVERIFY(Job().NasFolder.isEmpty());
    }

    void nasFolder_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: no NAS.Cfg
        QTest::addColumn<QString>("expected"); // "<data>" for the data folder, "<root>/" prefix for the working folder
        QTest::newRow("missing") << QByteArray() << "<data>";
        QTest::newRow("empty file") << QByteArray("") << "<data>";
        QTest::newRow("empty line 1") << QByteArray("\r\nother\r\n") << "<data>";
        QTest::newRow("share") << QByteArray("//server/pdfs\r\n") << "//server/pdfs";
        QTest::newRow("record path") << QByteArray("C:\\3DEriruvu\\Nas\\\r\n") << "<root>/Nas/";
    }

    void nasFolder()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        TestHome home;
        home.write("Solvane.Cfg", "AB\r\nS1\r\n0001\r\nBob\r\n");
        QDir().mkpath(home.path("Data/Bob"));
        if (!file.isNull())
            home.write("NAS.Cfg", file);
        QCOMPARE(start("-n").outcome, StartupOutcome::Ready);
        expected.replace("<data>", home.path("Data/Bob/"));
        expected.replace("<root>", home.root());
        QCOMPARE(Job().NasFolder, expected);
        QCOMPARE(ui->messages(), QStringList{});
    }

    void archiveFolder_data()
    {
        QTest::addColumn<QByteArray>("file"); // null: no FSmenu.Cfg
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing") << QByteArray() << "<root>/Archive/";
        QTest::newRow("three lines") << QByteArray("a\r\nb\r\nc\r\n") << "<root>/Archive/";
        QTest::newRow("empty line 4") << QByteArray("a\r\nb\r\nc\r\n\r\n") << "<root>/Archive/";
        QTest::newRow("line 4") << QByteArray("a\r\nb\r\nc\r\n/srv/archive/\r\nmore\r\n") << "/srv/archive/";
        QTest::newRow("record path") << QByteArray("a\r\nb\r\nc\r\nC:\\3DEriruvu\\Old Jobs\\\r\n")
                                     << "<root>/Old Jobs/";
    }

    void archiveFolder()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, expected);
        TestHome home;
        if (!file.isNull())
            home.write("FSmenu.Cfg", file);
        QCOMPARE(start().outcome, StartupOutcome::Ready);
        QCOMPARE(Job().ArchiveFolder, expected.replace("<root>", home.root()));
    }

    void castMode()
    {
        TestHome home;
        home.write("Cast.Cfg", "");
        QCOMPARE(start().outcome, StartupOutcome::Ready);
        QVERIFY(Job().CastModeFlag);
    }

    // The settings files are copied in by hand, as on Windows where the case
    // of a name does not count.
    void settingsFilesWhateverTheirCase()
    {
        TestHome home;
        home.write("Solvane.Cfg", "AB\r\nS1\r\n0001\r\nBob\r\n");
        QDir().mkpath(home.path("Data/Bob"));
        home.write("CAST.CFG", "");
        home.write("fsmenu.cfg", "a\r\nb\r\nc\r\n/srv/archive/\r\n");
        home.write("Nas.cfg", "//server/pdfs\r\n");
        QCOMPARE(start("-n").outcome, StartupOutcome::Ready);
        QVERIFY(Job().CastModeFlag);
        QCOMPARE(Job().ArchiveFolder, QString("/srv/archive/"));
        QCOMPARE(Job().NasFolder, QString("//server/pdfs"));
    }

    void missingUserFolder()
    {
        TestHome home;
        home.write("Solvane.Cfg", "AB\r\nS1\r\n0001\r\nBob\r\nAnn\r\n");
        const StartupResult result = start();
        QCOMPARE(result.outcome, StartupOutcome::Ready);
        QCOMPARE(ui->calls.size(), 1);
        const ScriptedPrompter::Call &call = ui->calls.first();
        // Byte for byte, with the CR LF line breaks of every message.
        QCOMPARE(call.text, "The User Data Directory \r\n\r\n" + QDir::toNativeSeparators(home.path("Data/Bob"))
                                + "\r\n\r\nWas Not Found.");
        QCOMPARE(call.title, QString("Solvane"));
        QCOMPARE(call.icon, Prompter::Icon::Warning);
        QCOMPARE(call.buttons, Prompter::Buttons::Ok);
        QCOMPARE(Job().DataFolder, home.path("Data"));
        QCOMPARE(Job().CurrentFolder, home.path("Data"));
        QCOMPARE(Job().CurrentUser, QString("Bob")); // the user list still offers both
        QCOMPARE(User_List_Names(Job()), (QStringList{"Bob", "Ann"}));
    }

    void missingDataRoot()
    {
        TestHome home(false);
        const StartupResult result = start();
        QCOMPARE(result.outcome, StartupOutcome::NoDataRoot);
        QCOMPARE(ui->messages(),
                 (QStringList{"The User Data Directory \r\n\r\n" + QDir::toNativeSeparators(home.path("Data/"))
                                  + "\r\n\r\nWas Not Found.",
                              "The Default Data Directory Does Not Exist\r\nPlease Contact Brennick Orthotics"}));
        QCOMPARE(ui->calls.last().icon, Prompter::Icon::Warning);
        QCOMPARE(ui->calls.last().title, QString("Solvane"));
    }

    void missingWorkingFolderIsNotASecondCopy()
    {
        TestHome home;
        QVERIFY(QDir(home.root()).removeRecursively());
        const StartupResult result = start();
        QCOMPARE(result.outcome, StartupOutcome::NoDataRoot);
        QVERIFY(!ui->messages().contains("The SOLVANE Application is Already Running"));
        // The configuration could not be created, and the user is told so.
        QVERIFY(ui->messages().first().startsWith("Error: "));
        QCOMPARE(ui->messages().last(),
                 QString("The Default Data Directory Does Not Exist\r\nPlease Contact Brennick Orthotics"));
    }

    void secondCopyRefused()
    {
        TestHome home;
        InstanceLock first;
        QCOMPARE(first.acquire(), InstanceLock::State::Acquired);
        Job().OperatorCode = "untouched";

        const StartupResult result = start("-d");

        QCOMPARE(result.outcome, StartupOutcome::AlreadyRunning);
        QCOMPARE(ui->calls.size(), 1);
        QCOMPARE(ui->calls.first().text, QString("The SOLVANE Application is Already Running"));
        QCOMPARE(ui->calls.first().title, QString("Solvane"));
        QCOMPARE(ui->calls.first().icon, Prompter::Icon::Information);
        QCOMPARE(Job().OperatorCode, QString("untouched"));
        QVERIFY(!Job().DeleteWorkingFilesFlag);
        QVERIFY(!QFile::exists(home.path("Solvane.Cfg")));

        // Once the first copy ends, the next one starts.
        first.release();
        QCOMPARE(start().outcome, StartupOutcome::Ready);
    }

    // A job archive write that was killed leaves its temporary files; the
    // next start removes them, but never while another copy may be writing.
    void staleArchivePartsGoAtStart()
    {
        TestHome home;
        const QStringList stale{"Jobs/AB0042_Ann_Lee.Zip.Wvqads.part", "Jobs/AB0042_Ann_Lee.Zip.KYyVrb.part.2n41w4",
                                "Archive/AB0042_Ann_Lee_Priority.Zip.HmaMnh.part"};
        const QStringList kept{"Jobs/notes.part", "Archive/x.part", "Jobs/AB0041_Bo_Li.Zip",
                               "Data/AB0042_Ann_Lee.Zip.Wvqads.part"};
        for (const QString &name : stale + kept)
            home.write(name, "bytes");

        InstanceLock first;
        QCOMPARE(first.acquire(), InstanceLock::State::Acquired);
        QCOMPARE(start().outcome, StartupOutcome::AlreadyRunning);
        for (const QString &name : stale + kept)
            QVERIFY2(QFileInfo::exists(home.path(name)), qPrintable(name));
        first.release();

        QCOMPARE(start().outcome, StartupOutcome::Ready);
        QCOMPARE(ui->messages(), QStringList{"The SOLVANE Application is Already Running"});
        for (const QString &name : stale)
            QVERIFY2(!QFileInfo::exists(home.path(name)), qPrintable(name));
        for (const QString &name : kept)
            QVERIFY2(QFileInfo::exists(home.path(name)), qPrintable(name));
    }

    void lockOfACrashedCopyIsTakenOver()
    {
        TestHome home;
        // A lock file as a copy leaves it, but naming a process that has ended.
        QByteArray content;
        {
            InstanceLock probe;
            QCOMPARE(probe.acquire(), InstanceLock::State::Acquired);
            QFile f(InstanceLock::defaultPath());
            QVERIFY(f.open(QIODevice::ReadOnly));
            content = f.readAll();
        }
        QProcess gone;
        gone.start("true");
        QVERIFY(gone.waitForStarted());
        const qint64 deadPid = gone.processId();
        QVERIFY(gone.waitForFinished());
        QList<QByteArray> lines = content.split('\n');
        QVERIFY(lines.size() >= 3);
        lines[0] = QByteArray::number(deadPid);
        home.write("Solvane.Lock", lines.join('\n'));

        QCOMPARE(start().outcome, StartupOutcome::Ready);
        QCOMPARE(ui->messages(), QStringList{});
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
