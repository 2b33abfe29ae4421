#include "errors.h"
#include "jobarchive.h"
#include "jobpipeline.h"
#include "pipelinefixture.h"
#include "scriptedprompter.h"
#include "shellhelpers.h"
#include "standin.h"
#include "standinruns.h"
#include "zipreader.h"

#include <QtTest>

#include <limits>

using namespace fixture;
using Answer = Prompter::Answer;

Q_DECLARE_METATYPE(JobKind)
Q_DECLARE_METATYPE(ArchiveDestination)
Q_DECLARE_METATYPE(Prompter::Answer)

namespace {

QStringList memberNames(const QString &zipPath)
{
    QStringList names;
    const ZipReader reader(zipPath);
    for (const ZipEntry &entry : reader.entries())
        names << entry.name;
    return names;
}

// Lets a sender that was (wrongly) started as well reach its log line.
void settle()
{
    QTest::qWait(300);
}

} // namespace

class TestJobPipeline : public QObject
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

    void jobPaths_data()
    {
        QTest::addColumn<JobKind>("kind");
        QTest::addColumn<bool>("nas");
        QTest::addColumn<QString>("nasFolder");
        QTest::addColumn<QStringList>("expected"); // Csv, Pdf, full Pdf, sketch in {W} work or {N} NAS folder
        const QString keep = QStringLiteral("kept.Jpg");
        QTest::newRow("soft") << JobKind::Soft << false << QStringLiteral("Data/Nas")
                              << QStringList{"{W}AB0042_Ann_Lee.Csv", "{W}AB0042_Ann_Lee.Pdf",
                                             "{W}AB0042_Ann_Lee_L.Pdf", keep};
        QTest::newRow("soft, NAS") << JobKind::Soft << true << QStringLiteral("Data/Nas")
                                   << QStringList{"{W}AB0042_Ann_Lee.Csv", "{N}AB0042_Ann_Lee.Pdf",
                                                  "{N}AB0042_Ann_Lee_L.Pdf", keep};
        QTest::newRow("rigid") << JobKind::Rigid << false << QStringLiteral("Data/Nas")
                               << QStringList{"{W}R_AB0042_Ann_Lee.Csv", "{W}R_AB0042_Ann_Lee.Pdf",
                                              "{W}R_AB0042_Ann_Lee_L.Pdf", "{W}R_AB0042_Ann_Lee.Jpg"};
        QTest::newRow("rigid, NAS folder with its separator")
            << JobKind::Rigid << true << QStringLiteral("Data/Nas/")
            << QStringList{"{W}R_AB0042_Ann_Lee.Csv", "{N}R_AB0042_Ann_Lee.Pdf", "{N}R_AB0042_Ann_Lee_L.Pdf",
                           "{W}R_AB0042_Ann_Lee.Jpg"};
    }
    void jobPaths()
    {
        QFETCH(JobKind, kind);
        QFETCH(bool, nas);
        QFETCH(QString, nasFolder);
        QFETCH(QStringList, expected);
        TestHome home;
        ScriptRecord job = newJob(home);
        job.NasModeFlag = nas;
        job.NasFolder = home.path(nasFolder);
        job.JobImageFile = QStringLiteral("kept.Jpg");
        for (QString &path : expected) {
            path.replace(QLatin1String("{W}"), job.CurrentFolder + u'/');
            path.replace(QLatin1String("{N}"), home.path(QStringLiteral("Data/Nas/")));
        }

        Set_Job_Paths(job, kind);

        QCOMPARE((QStringList{job.CsvFile, job.PdfFile, job.FullPdfFile, job.JobImageFile}), expected);
    }

    void archivePaths_data()
    {
        QTest::addColumn<JobKind>("kind");
        QTest::addColumn<ArchiveDestination>("destination");
        QTest::addColumn<bool>("priority");
        QTest::addColumn<QString>("firstName");
        QTest::addColumn<QString>("expected"); // {J} jobs folder, {A} archive folder
        const auto lab = ArchiveDestination::Laboratory;
        const auto local = ArchiveDestination::Local;
        const QString ann = QStringLiteral("Ann");
        QTest::newRow("soft submit") << JobKind::Soft << lab << false << ann << "{J}AB0042_Ann_Lee.Zip";
        QTest::newRow("soft submit, priority ticked") << JobKind::Soft << lab << true << ann << "{J}AB0042_Ann_Lee.Zip";
        QTest::newRow("rigid submit carries no R_") << JobKind::Rigid << lab << true << ann << "{J}AB0042_Ann_Lee.Zip";
        QTest::newRow("soft local") << JobKind::Soft << local << false << ann << "{A}AB0042_Ann_Lee.Zip";
        QTest::newRow("soft local, priority")
            << JobKind::Soft << local << true << ann << "{A}AB0042_Ann_Lee_Priority.Zip";
        QTest::newRow("rigid local") << JobKind::Rigid << local << false << ann << "{A}R_AB0042_Ann_Lee.Zip";
        QTest::newRow("rigid local, priority")
            << JobKind::Rigid << local << true << ann << "{A}R_AB0042_Ann_Lee_Priority.Zip";
        QTest::newRow("a name cannot leave the folder")
            << JobKind::Soft << lab << false << QStringLiteral("../Ann") << "{J}AB0042_.._Ann_Lee.Zip";
    }
    void archivePaths()
    {
        QFETCH(JobKind, kind);
        QFETCH(ArchiveDestination, destination);
        QFETCH(bool, priority);
        QFETCH(QString, firstName);
        QFETCH(QString, expected);
        TestHome home;
        ScriptRecord job = newJob(home);
        job.ArchiveFolder = QStringLiteral("/clinic/Local Archive/");
        job.PriorityReturn = priority;
        job.ClientFirstName = firstName;
        expected.replace(QLatin1String("{J}"), home.path(QStringLiteral("Jobs/")));
        expected.replace(QLatin1String("{A}"), job.ArchiveFolder);

        QCOMPARE(Job_Archive_Path(job, kind, destination), expected);
    }

    // A job number or name taken from a record names files inside their
    // folders only, short enough for any file system; the job keeps them as typed.
    void jobFilesStayInTheirFolders_data()
    {
        QTest::addColumn<QString>("jobNumber");
        QTest::addColumn<QString>("name");
        QTest::newRow("job number climbing out") << QStringLiteral("../x") << QStringLiteral("Ann");
        QTest::newRow("job number of dots") << QStringLiteral("..") << QStringLiteral("..");
        QTest::newRow("job number with separators") << QStringLiteral("a/b\\c:d") << QStringLiteral("Ann");
        QTest::newRow("names of 100,000 characters") << QString(100000, u'7') << QString(100000, u'é');
    }
    void jobFilesStayInTheirFolders()
    {
        QFETCH(QString, jobNumber);
        QFETCH(QString, name);
        TestHome home;
        ScriptRecord job = newJob(home);
        job.JobNumber = jobNumber;
        job.ClientFirstName = job.ClientSurname = name;
        job.PriorityReturn = true;
        QDir().mkpath(job.CurrentFolder);
        QDir().mkpath(home.path(QStringLiteral("Jobs")));
        QDir().mkpath(home.path(QStringLiteral("Archive")));
        const QString work = QDir::cleanPath(job.CurrentFolder);
        const QString jobs = home.path(QStringLiteral("Jobs"));
        const QString archive = home.path(QStringLiteral("Archive"));

        for (const JobKind kind : {JobKind::Soft, JobKind::Rigid}) {
            Set_Job_Paths(job, kind);
            const QList<std::pair<QString, QString>> files{
                {job.CsvFile, work},
                {job.PdfFile, work},
                {job.FullPdfFile, work},
                {Job_Archive_Path(job, kind, ArchiveDestination::Laboratory), jobs},
                {Job_Archive_Path(job, kind, ArchiveDestination::Local), archive},
            };
            for (const auto &[path, folder] : files) {
                const QFileInfo info(path);
                QCOMPARE(QDir::cleanPath(info.absolutePath()), folder);
                QFile file(path);
                QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path + u' ' + file.errorString()));
            }
            if (kind == JobKind::Rigid)
                QCOMPARE(QDir::cleanPath(QFileInfo(job.JobImageFile).absolutePath()), work);
        }
        QCOMPARE(job.JobNumber, jobNumber);
        QCOMPARE(job.ClientSurname, name);
    }

    void packsEveryMemberInOrderWithTheJobComment()
    {
        TestHome home;
        ScriptRecord job = newJob(home);
        // The fixed order is not the order of the names.
        writeAllFiles(job);
        const QString zip = home.path(QStringLiteral("Jobs/AB0042_Ann_Lee.Zip"));
        QDir().mkpath(home.path(QStringLiteral("Jobs")));
        QStringList statuses;
        Set_Status_Sink([&](const QString &text) { statuses << text; });
        const auto unsink = qScopeGuard([] { Set_Status_Sink({}); });

        const QStringList members = Pack_Job_Archive(job, zip);

        const QStringList order{
            "AB0042_Ann_Lee.Pdf", "AB0042_Ann_Lee_L.Pdf", "AB0042_Ann_Lee.Jpg", "AB0042_Ann_Lee.Csv", "Lee_Ann_L.Wrl",
            "Lee_Ann_L.Lcf",      "Lee_Ann_L.Jpg",        "Lee_Ann_R.Wrl",      "Lee_Ann_R.Lcf",      "Lee_Ann_R.Jpg"};
        QCOMPARE(memberNames(zip), order);
        QCOMPARE(members.size(), order.size());
        QCOMPARE(members.first(), job.PdfFile);
        QCOMPARE(members.last(), job.RightGraphicFile);
        const ZipReader reader(zip);
        QCOMPARE(reader.comment(), QStringLiteral("Job: AB0042"));
        QCOMPARE(reader.read(*reader.find(QStringLiteral("Lee_Ann_R.Lcf"))), bytes(130, 'R'));
        // "Packaging Job...", then each member's progress in archive order,
        // while it is packed and while it is checked.
        QCOMPARE(statuses.first(), QStringLiteral("Packaging Job..."));
        QStringList done;
        for (const QString &text : std::as_const(statuses))
            if (text.endsWith(QStringLiteral(" 100%")))
                done << text;
        QStringList expected;
        for (const char *step : {"Creating Zip File: ", "Checking Zip File: "})
            for (const QString &name : order)
                expected << QString::fromLatin1(step) + name + QStringLiteral(" 100%");
        QCOMPARE(done, expected);
        QCOMPARE(Last_Status(), expected.last());
        QCOMPARE(entries(home.path(QStringLiteral("Jobs"))), QStringList{"AB0042_Ann_Lee.Zip"});
    }

    // What a killed write left in either archive folder goes before the next
    // packing; the clinic's own files stay.
    void staleArchivePartsGoBeforePacking()
    {
        TestHome home;
        ScriptRecord job = newJob(home);
        writeAllFiles(job);
        const QStringList stale{"Jobs/AB0041_Bo_Li.Zip.Wvqads.part", "Jobs/AB0041_Bo_Li.Zip.Wvqads.part.2n41w4",
                                "Archive/AB0041_Bo_Li.Zip.cjqrIe.part"};
        const QStringList kept{"Jobs/notes.part", "Archive/x.part", "Archive/AB0040_Cy_Ng.Zip"};
        for (const QString &name : stale + kept)
            put(home.path(name), "bytes");

        Pack_Job_Archive(job, home.path(QStringLiteral("Archive/AB0042_Ann_Lee.Zip")));

        for (const QString &name : stale)
            QVERIFY2(!QFileInfo::exists(home.path(name)), qPrintable(name));
        QCOMPARE(entries(home.path(QStringLiteral("Jobs"))), QStringList{"notes.part"});
        QCOMPARE(entries(home.path(QStringLiteral("Archive"))),
                 (QStringList{"AB0040_Cy_Ng.Zip", "AB0042_Ann_Lee.Zip", "x.part"}));
    }

    void missingMembersAreLeftOutInOrder()
    {
        TestHome home;
        ScriptRecord job = newJob(home);
        writeAllFiles(job);
        QFile::remove(job.LeftScanFile); // named, but gone by packing time
        job.LeftGraphicFile = QStringLiteral("None");
        job.JobImageFile.clear();
        job.FullPdfFile = home.path(QStringLiteral("Data/Nas/AB0042_Ann_Lee_L.Pdf")); // never written
        const QString zip = home.path(QStringLiteral("Archive/AB0042_Ann_Lee.Zip"));
        QDir().mkpath(home.path(QStringLiteral("Archive")));

        const QStringList members = Pack_Job_Archive(job, zip);

        const QStringList order{"AB0042_Ann_Lee.Pdf", "AB0042_Ann_Lee.Csv", "Lee_Ann_L.Lcf",
                                "Lee_Ann_R.Wrl",      "Lee_Ann_R.Lcf",      "Lee_Ann_R.Jpg"};
        QCOMPARE(memberNames(zip), order);
        QCOMPARE(members.size(), order.size());
    }

    void modelFilesNeedOneHundredBytes_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("packed");
        QTest::newRow("99 bytes") << 99 << false;
        QTest::newRow("100 bytes") << 100 << true;
        QTest::newRow("empty") << 0 << false;
    }
    void modelFilesNeedOneHundredBytes()
    {
        QFETCH(int, size);
        QFETCH(bool, packed);
        TestHome home;
        ScriptRecord job = newJob(home);
        writeAllFiles(job);
        const QString model = job.LeftLcfFile;
        put(model, bytes(size));
        put(job.RightLcfFile, bytes(size));
        const QString zip = home.path(QStringLiteral("Jobs/AB0042_Ann_Lee.Zip"));
        QDir().mkpath(home.path(QStringLiteral("Jobs")));
        QStringList statuses;
        Set_Status_Sink([&](const QString &text) { statuses << text; });
        const auto unsink = qScopeGuard([] { Set_Status_Sink({}); });

        const QStringList members = Pack_Job_Archive(job, zip);

        const ZipReader reader(zip);
        QCOMPARE(reader.find(QStringLiteral("Lee_Ann_L.Lcf")) != nullptr, packed);
        QCOMPARE(reader.find(QStringLiteral("Lee_Ann_R.Lcf")) != nullptr, packed);
        QCOMPARE(members.contains(model), packed);
        QCOMPARE(job.LeftLcfFile, packed ? model : QStringLiteral("None"));
        QVERIFY(QFileInfo::exists(model)); // a small model stays on disk ...

        Delete_Working_Files(job, members);
        QCOMPARE(QFileInfo::exists(model), !packed); // ... and is not deleted with the sent files
        QVERIFY(!QFileInfo::exists(job.CsvFile));
    }

    void anExistingArchiveIsNeverReplaced()
    {
        TestHome home;
        ScriptRecord job = newJob(home);
        writeAllFiles(job);
        put(job.LeftLcfFile, bytes(10)); // would become "None" if packing had begun
        Set_Status(QStringLiteral("Ready"));
        const QString zip = put(home.path(QStringLiteral("Jobs/AB0042_Ann_Lee.Zip")), "an earlier job");

        try {
            Pack_Job_Archive(job, zip);
            QFAIL("an existing archive was not refused");
        } catch (const SolvaneError &error) {
            QCOMPARE(error.number(), kArchiveExists);
            QCOMPARE(error.description(), zip + QStringLiteral(" already exists"));
        }
        QCOMPARE(slurp(zip), QByteArray("an earlier job"));
        QVERIFY(job.LeftLcfFile.endsWith(QLatin1String("Lee_Ann_L.Lcf")));
        QCOMPARE(Last_Status(), QStringLiteral("Ready"));
    }

    void anArchiveThatCannotBeWrittenStopsAndLeavesNothing()
    {
        TestHome home;
        ScriptRecord job = newJob(home);
        writeAllFiles(job);
        // No "Jobs" folder: the system does not make it.
        const QString zip = home.path(QStringLiteral("Jobs/AB0042_Ann_Lee.Zip"));

        QVERIFY_THROWS_EXCEPTION(SolvaneError, Pack_Job_Archive(job, zip));

        QVERIFY(!QFileInfo::exists(home.path(QStringLiteral("Jobs"))));
        QCOMPARE(entries(job.CurrentFolder).size(), 10);
    }

    void senderChoice_data()
    {
        QTest::addColumn<QStringList>("installed");
        QTest::addColumn<bool>("flagBefore");
        QTest::addColumn<Answer>("deleteAnswer");
        QTest::addColumn<QString>("sender");
        QTest::addColumn<bool>("withArchive");
        QTest::addColumn<bool>("flagAfter");
        const QString zid = QStringLiteral("ZIDodur");
        const QString zez = QStringLiteral("ZezuzIzov");
        QTest::newRow("ZezuzIzov wins, asks nothing more")
            << QStringList{zez, zid} << false << Answer::Yes << zez << false << false;
        QTest::newRow("ZezuzIzov.exe is not the program started")
            << QStringList{QStringLiteral("ZezuzIzov.exe"), zid} << false << Answer::Yes << zid << true << true;
        QTest::newRow("ZIDodur, delete after sending")
            << QStringList{zid} << false << Answer::Yes << zid << true << true;
        QTest::newRow("ZIDodur, keep the working files")
            << QStringList{zid} << true << Answer::No << zid << true << false;
    }
    void senderChoice()
    {
        QFETCH(QStringList, installed);
        QFETCH(bool, flagBefore);
        QFETCH(Answer, deleteAnswer);
        QFETCH(QString, sender);
        QFETCH(bool, withArchive);
        QFETCH(bool, flagAfter);
        TestHome home;
        for (const QString &name : installed)
            QVERIFY(!Standin::install(home.root(), name).isEmpty());
        const QString log = home.path(QStringLiteral("standin.log"));
        Standin::configure(log);
        ScriptRecord job = newJob(home);
        job.ClientFirstName = QStringLiteral("Ann \"Marie\"");
        job.DeleteWorkingFilesFlag = flagBefore;
        const QString zip = put(Job_Archive_Path(job, JobKind::Soft, ArchiveDestination::Laboratory), "zip");
        ui->answers << Answer::Yes << deleteAnswer;

        QCOMPARE(Send_Job_Archive(job, zip), SendOutcome::Started);

        QTRY_COMPARE(Standin::readLog(log).size(), 1);
        settle();
        const QList<Standin::Run> runs = Standin::readLog(log);
        QCOMPARE(runs.size(), 1);
        QCOMPARE(runs[0].name, sender);
        QCOMPARE(runs[0].args, withArchive ? QStringList{zip} : QStringList{});
        QCOMPARE(runs[0].cwd, QFileInfo(home.root()).canonicalFilePath());
        QStringList asked{QStringLiteral("Do You Want to Send the Data to VORMAK Now?")};
        if (withArchive)
            asked << QStringLiteral("Do You Want to Delete the Working Files\r\nAfter they have been Sent?");
        QCOMPARE(ui->messages(), asked);
        for (const auto &call : ui->calls) {
            QCOMPARE(call.title, QStringLiteral("Send Data"));
            QCOMPARE(call.buttons, Prompter::Buttons::YesNo);
            QCOMPARE(call.icon, Prompter::Icon::None);
        }
        QCOMPARE(job.DeleteWorkingFilesFlag, flagAfter);
        QTRY_VERIFY(allRunsEnded(log));
    }

    void declinedSendStartsAndAsksNothing()
    {
        TestHome home;
        Standin::install(home.root(), QStringLiteral("ZIDodur"));
        const QString log = home.path(QStringLiteral("standin.log"));
        Standin::configure(log);
        ScriptRecord job = newJob(home);
        const QString zip = put(Job_Archive_Path(job, JobKind::Soft, ArchiveDestination::Laboratory), "zip");
        ui->answers << Answer::No << Answer::No;

        QCOMPARE(Send_Job_Archive(job, zip), SendOutcome::Declined);

        settle();
        QVERIFY(Standin::readLog(log).isEmpty());
        QCOMPARE(ui->calls.size(), 1);
        QVERIFY(job.DeleteWorkingFilesFlag);
    }

    void aSenderThatCannotStartWarnsAndTheArchiveStays()
    {
        TestHome home; // no sender installed at all
        ScriptRecord job = newJob(home);
        writeAllFiles(job);
        QDir().mkpath(home.path(QStringLiteral("Jobs")));
        const QString zip = Job_Archive_Path(job, JobKind::Soft, ArchiveDestination::Laboratory);
        const QStringList members = Pack_Job_Archive(job, zip);
        ui->answers << Answer::Yes << Answer::No;

        QCOMPARE(Send_Job_Archive(job, zip), SendOutcome::NotStarted);

        QCOMPARE(ui->calls.size(), 3);
        QCOMPARE(ui->calls[1].title, QStringLiteral("Warning"));
        QCOMPARE(ui->calls[1].icon, Prompter::Icon::Warning);
        QVERIFY2(ui->calls[1].text.startsWith(QLatin1String("The Job Could Not Be Sent.")),
                 qPrintable(ui->calls[1].text));
        QVERIFY(ui->calls[1].text.contains(QDir::toNativeSeparators(zip)));
        // The delete question still follows, and its answer still counts.
        QCOMPARE(ui->calls[2].text,
                 QStringLiteral("Do You Want to Delete the Working Files\r\nAfter they have been Sent?"));
        QVERIFY(!job.DeleteWorkingFilesFlag);
        QCOMPARE(memberNames(zip).size(), members.size());
    }

    void sendThenDelete_data()
    {
        QTest::addColumn<Answer>("deleteAnswer");
        QTest::newRow("delete") << Answer::Yes;
        QTest::newRow("keep") << Answer::No;
    }
    void sendThenDelete()
    {
        QFETCH(Answer, deleteAnswer);
        TestHome home;
        Standin::install(home.root(), QStringLiteral("ZIDodur"));
        const QString log = home.path(QStringLiteral("standin.log"));
        Standin::configure(log);
        ScriptRecord job = newJob(home);
        writeAllFiles(job);
        // PDFs in NAS mode lie in the NAS folder; a photo left outside both
        // folders is sent but is not ours to delete; a small model is neither.
        job.NasModeFlag = true;
        job.NasFolder = home.path(QStringLiteral("Data/Nas"));
        job.PdfFile = put(home.path(QStringLiteral("Data/Nas/AB0042_Ann_Lee.Pdf")), "main pdf");
        job.FullPdfFile = put(home.path(QStringLiteral("Data/Nas/AB0042_Ann_Lee_L.Pdf")), "full pdf");
        QFile::remove(job.CurrentFolder + QStringLiteral("/AB0042_Ann_Lee.Pdf"));
        QFile::remove(job.CurrentFolder + QStringLiteral("/AB0042_Ann_Lee_L.Pdf"));
        job.RightGraphicFile = put(home.path(QStringLiteral("Photos/Lee_Ann_R.Jpg")), "right photo");
        QFile::remove(job.CurrentFolder + QStringLiteral("/Lee_Ann_R.Jpg"));
        const QString smallModel = put(job.LeftLcfFile, bytes(99));
        const ScriptRecord before = job;
        QDir().mkpath(home.path(QStringLiteral("Jobs")));
        const QString zip = Job_Archive_Path(job, JobKind::Soft, ArchiveDestination::Laboratory);
        const QStringList members = Pack_Job_Archive(job, zip);
        ui->answers << Answer::Yes << deleteAnswer;
        Send_Job_Archive(job, zip);

        const QStringList deleted = Delete_Working_Files(job, members);

        const QStringList expected =
            deleteAnswer == Answer::Yes
                ? QStringList{before.PdfFile,         before.FullPdfFile,   before.CsvFile,     before.LeftScanFile,
                              before.LeftGraphicFile, before.RightScanFile, before.RightLcfFile}
                : QStringList{};
        QCOMPARE(deleted, expected);
        for (const QString &path : {before.PdfFile, before.FullPdfFile, before.CsvFile, before.LeftScanFile,
                                    before.LeftGraphicFile, before.RightScanFile, before.RightLcfFile})
            QCOMPARE(QFileInfo::exists(path), !expected.contains(path));
        for (const QString &path : {before.JobImageFile, before.RightGraphicFile, smallModel, zip})
            QVERIFY2(QFileInfo::exists(path), qPrintable(path));
        QTRY_COMPARE(Standin::readLog(log).size(), 1);
        QTRY_VERIFY(allRunsEnded(log));
    }

    void onlyWhatTheArchiveHoldsIsDeleted()
    {
        TestHome home;
        ScriptRecord job = newJob(home);
        writeAllFiles(job);
        QDir().mkpath(home.path(QStringLiteral("Jobs")));
        QStringList members = Pack_Job_Archive(job, home.path(QStringLiteral("Jobs/a.Zip")));
        members.removeOne(job.CsvFile);
        // A file of the job's name written afresh after packing is not the one sent.
        members.removeOne(job.LeftScanFile);
        members << job.CurrentFolder + QStringLiteral("/./Lee_Ann_R.Wrl"); // the same file spelled otherwise

        job.DeleteWorkingFilesFlag = false; // "-d", or an earlier No
        QVERIFY(Delete_Working_Files(job, members).isEmpty());
        QCOMPARE(entries(job.CurrentFolder).size(), 10);

        job.DeleteWorkingFilesFlag = true;
        const QStringList deleted = Delete_Working_Files(job, members);

        QVERIFY(QFileInfo::exists(job.CsvFile));
        QVERIFY(QFileInfo::exists(job.LeftScanFile));
        QVERIFY(QFileInfo::exists(job.JobImageFile));
        QVERIFY(deleted.contains(job.RightScanFile));
        QCOMPARE(deleted.size(), 7);
        QCOMPARE(entries(job.CurrentFolder),
                 (QStringList{"AB0042_Ann_Lee.Csv", "AB0042_Ann_Lee.Jpg", "Lee_Ann_L.Wrl"}));
        QVERIFY(ui->calls.isEmpty());
    }

    void footPathsCleared()
    {
        TestHome home;
        ScriptRecord job = newJob(home);
        writeAllFiles(job);
        const ScriptRecord before = job;
        Clear_Foot_Paths(job);
        for (const QString &path : {job.LeftScanFile, job.RightScanFile, job.LeftLcfFile, job.RightLcfFile,
                                    job.LeftGraphicFile, job.RightGraphicFile})
            QCOMPARE(path, QStringLiteral("None"));
        QCOMPARE(job.CsvFile, before.CsvFile);
        QCOMPARE(job.JobImageFile, before.JobImageFile);
    }

    void counterWrittenBack_data()
    {
        QTest::addColumn<int>("counter");
        QTest::addColumn<QString>("currentUser");
        QTest::addColumn<QString>("userList");
        QTest::addColumn<int>("counterAfter");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("9999 becomes 10000") << 9999 << "Ann"
                                            << "Ann" << 10000 << QByteArray("AB\r\nS1\r\n10000\r\nAnn\r\n");
        QTest::newRow("41 becomes 0042") << 41 << "Ann"
                                         << "Ann" << 42 << QByteArray("AB\r\nS1\r\n0042\r\nAnn\r\n");
        QTest::newRow("every user, in order")
            << 7 << "North"
            << "Main,North" << 8 << QByteArray("AB\r\nS1\r\n0008\r\nMain\r\nNorth\r\n");
        QTest::newRow("one user of the same length") << 7 << "Ann"
                                                     << "Bob" << 8 << QByteArray("AB\r\nS1\r\n0008\r\nAnn\r\n");
        const int largest = std::numeric_limits<int>::max();
        QTest::newRow("the largest counter stays")
            << largest << "Ann"
            << "Ann" << largest << QByteArray("AB\r\nS1\r\n2147483647\r\nAnn\r\n");
    }
    void counterWrittenBack()
    {
        QFETCH(int, counter);
        QFETCH(QString, currentUser);
        QFETCH(QString, userList);
        QFETCH(int, counterAfter);
        QFETCH(QByteArray, file);
        TestHome home;
        home.write(QStringLiteral("Solvane.Cfg"), "AB\r\nS1\r\n0001\r\nOld\r\nUsers\r\nHere\r\n");
        ScriptRecord job = newJob(home);
        job.JobCounter = counter;
        job.CurrentUser = currentUser;
        job.UserList = userList;

        Advance_Job_Counter(job, home.path(QStringLiteral("Jobs/a.Zip")));

        QCOMPARE(job.JobCounter, counterAfter);
        QCOMPARE(home.read(QStringLiteral("Solvane.Cfg")), file);
        QVERIFY(ui->calls.isEmpty());
    }

    // A counter that cannot be saved stops the job before it is sent: the
    // number stays unspent, in memory as in the file.
    void aCounterThatCannotBeWrittenStops()
    {
        TestHome home;
        QDir().mkpath(home.path(QStringLiteral("Solvane.Cfg"))); // a folder where the file should be
        ScriptRecord job = newJob(home);
        const QString zip = home.path(QStringLiteral("Jobs/a.Zip"));

        try {
            Advance_Job_Counter(job, zip);
            QFAIL("a counter that was not saved let the job go on");
        } catch (const SolvaneError &error) {
            const QStringList lines = error.description().split(QStringLiteral("\r\n"));
            QCOMPARE(lines.value(0), QStringLiteral("The Job Counter Could Not Be Saved."));
            QVERIFY(lines.value(2).contains(QDir::toNativeSeparators(home.path(QStringLiteral("Solvane.Cfg")))));
            QCOMPARE(lines.value(4),
                     QStringLiteral("Nothing was sent. The job archive stays in ") + QDir::toNativeSeparators(zip));
        }
        QCOMPARE(job.JobCounter, 42);
        QVERIFY(ui->calls.isEmpty());
    }

    void aCounterNotFromTheFileStopsTheJob()
    {
        TestHome home;
        ScriptRecord job = newJob(home);
        Require_Job_Counter_From_Config(job);
        job.JobCounterFromConfig = false;
        try {
            Require_Job_Counter_From_Config(job);
            QFAIL("a job numbered without the counter file went on");
        } catch (const SolvaneError &error) {
            QVERIFY2(
                error.description().startsWith(QStringLiteral("The job counter could not be read from ")
                                               + QDir::toNativeSeparators(home.path(QStringLiteral("Solvane.Cfg")))),
                qPrintable(error.description()));
        }
    }
};

QTEST_GUILESS_MAIN(TestJobPipeline)
#include "tst_jobpipeline.moc"
