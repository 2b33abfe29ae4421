// The rigid window's job buttons on a stand-in of the window's face: the
// shared job sequence with the rigid record, pages, confirmation, archive
// names and companion shell, the scripted prompts and stand-in programs.
#include "rigidjobcommands.h"

#include "optionform_rigid.h"
#include "rigidjobwindow.h"

#include "fakeshell.h"
#include "modalanswer.h"
#include "pipelinefixture.h"
#include "scriptedprompter.h"
#include "standin.h"
#include "standinruns.h"
#include "testhome.h"

#include "jobpolicy.h"
#include "prompter.h"
#include "rigidgrid.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "shellservices.h"
#include "sizechart.h"
#include "textfile.h"
#include "windowregistry.h"
#include "zipreader.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QPushButton>
#include <QRegularExpression>
#include <QThread>
#include <QTimer>
#include <QtTest>

namespace {

using fixture::put;
using fixture::slurp;

QStringList files(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

int pdfPages(const QString &path)
{
    QPdfDocument pdf;
    return pdf.load(path) == QPdfDocument::Error::None ? pdf.pageCount() : -1;
}

QString pdfFirstPageText(const QString &path)
{
    QPdfDocument pdf;
    return pdf.load(path) == QPdfDocument::Error::None ? pdf.getAllText(0).text() : QString();
}

// The rigid window as its commands see it: the boxes they show things in,
// and the grid and fields moved to the job as the window would.
class FakeRigidWindow : public RigidJobWindow
{
public:
    QStringList calls;
    QString rText1, rText2, rText38, rText49;

    void saveGrid() override { calls << QStringLiteral("saveGrid"); }
    void saveFields() override
    {
        calls << QStringLiteral("saveFields");
        Job().PdfFile = rText2;
        Job().ClientFirstName = rText38;
        Job().ClientSurname = rText49;
    }
    void loadFields() override
    {
        calls << QStringLiteral("loadFields");
        rText1 = Job().JobNumber;
        rText2 = Job().PdfFile;
        rText38 = Job().ClientFirstName;
        rText49 = Job().ClientSurname;
    }
    void rebuildGrid() override { calls << QStringLiteral("rebuildGrid"); }
    void showClientFirstName(const QString &name) override { rText38 = name; }
    void showClientSurname(const QString &name) override { rText49 = name; }
    void showPdfPath() override { rText2 = Job().PdfFile; }
    QString pdfPathShown() const override { return rText2; }
    void showJobNumber() override { rText1 = Job().JobNumber; }
    void closeWindow() override { calls << QStringLiteral("closeWindow"); }
};

// The order confirmation answered with "Command2" (Accept) or "Command1" (Quit).
class Confirmation : public ModalAnswer
{
public:
    explicit Confirmation(const char *button)
        : ModalAnswer("OptionForm_Rigid", button)
    {}
};

// The shell's policy with a window text of this run alone: the "already
// running" check looks at every process of the machine.
JobPolicy isolatedPolicy()
{
    JobPolicy policy = Rigid_Job_Policy();
    policy.companionWindowText =
        QStringLiteral("Kelvaro3D-commands-") + QString::number(QCoreApplication::applicationPid());
    return policy;
}

// Ann Lee's rigid job (AB0042) on the window: the rigid defaults, sizes set
// by the grid, names typed, both scans, photos, models and the sketch in a
// work folder whose name holds a blank; cast mode, so no measurement is
// asked.
struct RigidJobFixture
{
    TestHome home;
    std::shared_ptr<ScriptedPrompter> prompter = ScriptedPrompter::install();
    FakeShell shell;
    FakeRigidWindow window;
    QString work = home.path(QStringLiteral("Data/Ann Lee"));
    QString log = home.path(QStringLiteral("standin.log"));
    int programEnds = 0;
    RigidJobCommandSet commands{isolatedPolicy(), [this] { ++programEnds; }};

    RigidJobFixture()
    {
        Windows().reset();
        Set_Shell(&shell);
        Set_Wait_Skipped(true);
        Job() = ScriptRecord{};
        ScriptRecord &job = Job();
        job.OperatorCode = QStringLiteral("AB");
        job.ScannerId = QStringLiteral("A0000");
        job.JobCounter = 42;
        job.CurrentUser = job.UserList = QStringLiteral("Ann");
        job.CurrentFolder = work;
        job.DataFolder = home.path(QStringLiteral("Data/"));
        job.ArchiveFolder = home.path(QStringLiteral("Archive/"));
        job.DeleteWorkingFilesFlag = true;
        job.CastModeFlag = true;
        Set_Default_Sizes(job);
        job.FootSizeL = job.FootSizeR = QStringLiteral("7");
        Set_Default(job);
        QDir().mkpath(home.path(QStringLiteral("Jobs")));
        QDir().mkpath(home.path(QStringLiteral("Archive")));

        job.LeftScanFile = put(work + QStringLiteral("/Lee_Ann_L.Wrl"), "left scan");
        job.RightScanFile = put(work + QStringLiteral("/Lee_Ann_R.Wrl"), "right scan");
        job.LeftLcfFile = put(work + QStringLiteral("/Lee_Ann_L.Lcf"), QByteArray(150, 'L'));
        job.RightLcfFile = put(work + QStringLiteral("/Lee_Ann_R.Lcf"), QByteArray(150, 'R'));
        job.LeftGraphicFile = put(work + QStringLiteral("/Lee_Ann_L.Jpg"), "left photo");
        job.RightGraphicFile = put(work + QStringLiteral("/Lee_Ann_R.Jpg"), "right photo");
        put(work + QStringLiteral("/R_AB0042_Ann_Lee.Jpg"), "sketch");
        // The name boxes keep the job's names as they are typed.
        job.ClientFirstName = window.rText38 = QStringLiteral("Ann");
        job.ClientSurname = window.rText49 = QStringLiteral("Lee");
        writeConfig(42);
    }

    ~RigidJobFixture()
    {
        fixture::forgetStandinSettings();
        Windows().reset();
        Set_Shell(nullptr);
        Set_Prompter(nullptr);
    }

    QString config() const { return home.path(QStringLiteral("Solvane.Cfg")); }
    void writeConfig(int counter) const
    {
        put(config(), "AB\r\nA0000\r\n" + QByteArray::number(counter).rightJustified(4, '0') + "\r\nAnn\r\n");
    }

    // What the job commands show, as "title: text" lines.
    QStringList shown() const
    {
        QStringList out;
        for (const ScriptedPrompter::Call &c : prompter->calls)
            out << c.title + QStringLiteral(": ") + c.text;
        return out;
    }

    // As the window's command handler runs a button.
    template <typename F>
    void press(F &&command)
    {
        Run_Command(std::forward<F>(command));
    }
};

} // namespace

class TestRigidJobCommands : public QObject
{
    Q_OBJECT

private slots:
    void submitEndToEnd();
    void saveLocallyWithPriority_data();
    void saveLocallyWithPriority();
    void pdfPagesPerCommand_data();
    void pdfPagesPerCommand();
    void stopsBeforeTheArchive_data();
    void stopsBeforeTheArchive();
    void quitKeepsTheJob();
    void counterThatCannotBeWrittenSendsNothing();
    void saveScript();
    void saveScriptThatCannotBeWrittenKeepsTheNumber();
    void openScript();
    void openScriptOfAnotherRecordChangesNothing_data();
    void openScriptOfAnotherRecordChangesNothing();
    void newGridUploadAndNextJob();
};

void TestRigidJobCommands::submitEndToEnd()
{
    RigidJobFixture fx;
    QVERIFY(!Standin::install(fx.home.root(), QStringLiteral("ZIDodur")).isEmpty());
    Standin::configure(fx.log);
    Confirmation accept("Command2");
    fx.prompter->answers << Prompter::Answer::Yes // send now
                         << Prompter::Answer::Yes; // delete the working files

    fx.press([&] { fx.commands.Submit_Job(fx.window); });

    QCOMPARE(accept.shown, 1);
    QCOMPARE(fx.shown(), (QStringList{"Send Data: Do You Want to Send the Data to VORMAK Now?",
                                      "Send Data: Do You Want to Delete the Working Files\r\nAfter they have been "
                                      "Sent?"}));
    // The laboratory's archive carries no "R_"; its members do.
    const QString archive = fx.home.path(QStringLiteral("Jobs/AB0042_Ann_Lee.Zip"));
    {
        const ZipReader zip(archive);
        QCOMPARE(zip.comment(), QStringLiteral("Job: AB0042"));
        QStringList names;
        for (const ZipEntry &entry : zip.entries())
            names << entry.name;
        QCOMPARE(names, (QStringList{"R_AB0042_Ann_Lee.Pdf", "R_AB0042_Ann_Lee_L.Pdf", "R_AB0042_Ann_Lee.Jpg",
                                     "R_AB0042_Ann_Lee.Csv", "Lee_Ann_L.Wrl", "Lee_Ann_L.Lcf", "Lee_Ann_L.Jpg",
                                     "Lee_Ann_R.Wrl", "Lee_Ann_R.Lcf", "Lee_Ann_R.Jpg"}));
        const QStringList record = QString::fromLatin1(zip.read(*zip.find(QStringLiteral("R_AB0042_Ann_Lee.Csv"))))
                                       .split(QStringLiteral("\r\n"));
        QVERIFY(record.value(0).contains(QStringLiteral("RIGID")));
        QCOMPARE(record.value(1), QStringLiteral("Job Number,AB0042"));
    }
    QCOMPARE(slurp(fx.config()), QByteArray("AB\r\nA0000\r\n0043\r\nAnn\r\n"));
    QCOMPARE(Job().JobCounter, 43);

    QTRY_COMPARE(Standin::readLog(fx.log).size(), 1);
    QTRY_VERIFY(fixture::allRunsEnded(fx.log));
    QCOMPARE(Standin::readLog(fx.log).first().args, QStringList{QDir::toNativeSeparators(archive)});
    QCOMPARE(files(fx.home.path(QStringLiteral("Jobs"))), QStringList{"AB0042_Ann_Lee.Zip"});
    // The working files went with the archive; the sketch stays.
    QCOMPARE(files(fx.work), QStringList{"R_AB0042_Ann_Lee.Jpg"});

    QCOMPARE(fx.window.rText2, fx.work + QStringLiteral("/R_AB0042_Ann_Lee.Pdf"));
    QCOMPARE(Job().LeftScanFile, QStringLiteral("None"));
    QCOMPARE(fx.shell.calls, (QStringList{"New_Script", "Refresh_File_Lists"}));
    QCOMPARE(Last_Status(), QStringLiteral("Job Complete"));
    QCOMPARE(fx.window.calls, (QStringList{"saveGrid", "saveFields", "closeWindow"}));
}

void TestRigidJobCommands::saveLocallyWithPriority_data()
{
    QTest::addColumn<bool>("enter");
    QTest::addColumn<bool>("shellInstalled");
    QTest::newRow("No: a new job") << false << true;
    QTest::newRow("Yes: the shell takes the job") << true << true;
    QTest::newRow("Yes, no shell: its message, then as No") << true << false;
}

void TestRigidJobCommands::saveLocallyWithPriority()
{
    QFETCH(bool, enter);
    QFETCH(bool, shellInstalled);
    RigidJobFixture fx;
    if (shellInstalled)
        QVERIFY(!Standin::install(fx.home.root(), QStringLiteral("Kelvaro3D.Exe")).isEmpty());
    Standin::configure(fx.log);
    ScriptRecord &job = Job();
    job.PriorityReturn = true;
    // Both scans are gone from the work folder since they were chosen.
    QFile::remove(job.LeftScanFile);
    QFile::remove(job.RightScanFile);
    Confirmation accept("Command2");
    fx.prompter->answers << Prompter::Answer::Ok << Prompter::Answer::Ok // the two scan messages
                         << (enter ? Prompter::Answer::Yes : Prompter::Answer::No);

    fx.press([&] { fx.commands.Save_Job_Locally(fx.window); });

    const QString csv = fx.work + QStringLiteral("/R_AB0042_Ann_Lee.Csv");
    const QString archive = fx.home.path(QStringLiteral("Archive/R_AB0042_Ann_Lee_Priority.Zip"));
    QVERIFY(QFileInfo::exists(archive));
    QStringList expected{"Missing File: Left Scan File Does Not Exist", "Warning: Right Scan File Does Not Exist",
                         "Status: The Job Files Have Been Saved...\r\n\r\nScript: " + QDir::toNativeSeparators(csv)
                             + "\r\nArchive: " + QDir::toNativeSeparators(archive)
                             + "\r\n\r\nDo You Want to Enter the Kelvaro3D Program?"};
    if (enter && !shellInstalled)
        expected << QStringLiteral("Information: The Kelvaro3D Program was Not Found");
    QCOMPARE(fx.shown(), expected);
    QCOMPARE(fx.prompter->calls.value(2).buttons, Prompter::Buttons::YesNo);
    QCOMPARE(fx.prompter->calls.value(2).icon, Prompter::Icon::None);

    // Nothing is sent or deleted; the counter is written.
    QCOMPARE(files(fx.work),
             (QStringList{"Lee_Ann_L.Jpg", "Lee_Ann_L.Lcf", "Lee_Ann_R.Jpg", "Lee_Ann_R.Lcf", "R_AB0042_Ann_Lee.Csv",
                          "R_AB0042_Ann_Lee.Jpg", "R_AB0042_Ann_Lee.Pdf", "R_AB0042_Ann_Lee_L.Pdf"}));
    QCOMPARE(slurp(fx.config()), QByteArray("AB\r\nA0000\r\n0043\r\nAnn\r\n"));

    const bool started = enter && shellInstalled;
    QTRY_COMPARE(Standin::readLog(fx.log).size(), started ? 1 : 0);
    QTRY_VERIFY(fixture::allRunsEnded(fx.log));
    if (started) {
        // The record path, blank and all, is one argument.
        QCOMPARE(Standin::readLog(fx.log).first().args, QStringList{QDir::toNativeSeparators(csv)});
    }
    QCOMPARE(fx.programEnds, started ? 1 : 0);
    const QStringList newJob{"New_Script", "Refresh_File_Lists"};
    QCOMPARE(fx.shell.calls, started ? QStringList() : newJob);
    QCOMPARE(Last_Status(), QStringLiteral("Job Complete"));
    QCOMPARE(fx.window.calls.last(), QStringLiteral("closeWindow"));
}

void TestRigidJobCommands::pdfPagesPerCommand_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("photos");
    QTest::addColumn<int>("mainPages");
    QTest::addColumn<int>("fullPages");
    // The rigid job always names its sketch, so the "_L" always has the
    // instructions page, even without a sketch image.
    QTest::newRow("submit") << "submit" << true << 1 << 5;
    QTest::newRow("save locally") << "local" << true << 2 << 5;
    QTest::newRow("save locally, no photos") << "local" << false << 2 << 3;
    QTest::newRow("save script") << "script" << true << 2 << 5;
}

void TestRigidJobCommands::pdfPagesPerCommand()
{
    QFETCH(QString, command);
    QFETCH(bool, photos);
    RigidJobFixture fx;
    ScriptRecord &job = Job();
    if (!photos) {
        job.LeftGraphicFile = job.RightGraphicFile = QStringLiteral("None");
        QFile::remove(fx.work + QStringLiteral("/R_AB0042_Ann_Lee.Jpg"));
    }
    Confirmation accept("Command2");
    const QString main = fx.work + QStringLiteral("/R_AB0042_Ann_Lee.Pdf");
    if (command == QLatin1String("script")) {
        job.JobNumber = Make_Job_Number(job);
        job.JobImageFile = fx.work + QStringLiteral("/R_AB0042_Ann_Lee.Jpg");
        fx.prompter->files << fx.work + QStringLiteral("/Saved.Csv");
        fx.press([&] { fx.commands.Save_Script(fx.window); });
    } else if (command == QLatin1String("submit")) {
        job.DeleteWorkingFilesFlag = false;
        fx.prompter->answers << Prompter::Answer::No; // not sent now
        fx.press([&] { fx.commands.Submit_Job(fx.window); });
    } else {
        fx.prompter->answers << Prompter::Answer::No;
        fx.press([&] { fx.commands.Save_Job_Locally(fx.window); });
    }

    QTEST(pdfPages(main), "mainPages");
    QTEST(pdfPages(fx.work + QStringLiteral("/R_AB0042_Ann_Lee_L.Pdf")), "fullPages");
}

void TestRigidJobCommands::stopsBeforeTheArchive_data()
{
    QTest::addColumn<QString>("failing");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("confirmed");
    QTest::newRow("no left size") << "size"
                                  << "Left Foot: Left Foot Size Has Not Been Set" << false;
    QTest::newRow("record cannot be written") << "record"
                                              << "Error: Error: " << false;
    QTest::newRow("PDF cannot be written") << "pdf"
                                           << "Error: Error: " << false;
    QTest::newRow("archive exists") << "archive"
                                    << "Error: Error: " << true;
}

// Before a verified archive any failure stops with nothing sent, deleted or
// counted, and the window stays with its job.
void TestRigidJobCommands::stopsBeforeTheArchive()
{
    QFETCH(QString, failing);
    QFETCH(QString, message);
    QFETCH(bool, confirmed);
    RigidJobFixture fx;
    QVERIFY(!Standin::install(fx.home.root(), QStringLiteral("ZIDodur")).isEmpty());
    Standin::configure(fx.log);
    ScriptRecord &job = Job();
    if (failing == QLatin1String("size"))
        job.FootSizeL.clear();
    else if (failing == QLatin1String("config"))
        job.JobCounterFromConfig = false;
    else if (failing == QLatin1String("record"))
        QDir().mkpath(fx.work + QStringLiteral("/R_AB0042_Ann_Lee.Csv"));
    else if (failing == QLatin1String("pdf"))
        QDir().mkpath(fx.work + QStringLiteral("/R_AB0042_Ann_Lee_L.Pdf"));
    else
        put(fx.home.path(QStringLiteral("Jobs/AB0042_Ann_Lee.Zip")), "an older job");
    const QStringList before = files(fx.work);
    Confirmation accept("Command2");
    fx.prompter->answers << Prompter::Answer::Yes << Prompter::Answer::Yes;

    fx.press([&] { fx.commands.Submit_Job(fx.window); });

    QCOMPARE(fx.shown().size(), 1);
    QVERIFY2(fx.shown().first().startsWith(message), qPrintable(fx.shown().first()));
    QCOMPARE(accept.shown, confirmed ? 1 : 0);
    QCOMPARE(slurp(fx.config()), QByteArray("AB\r\nA0000\r\n0042\r\nAnn\r\n"));
    QCOMPARE(job.JobCounter, 42);
    QVERIFY(Standin::readLog(fx.log).isEmpty());
    QVERIFY(fx.shell.calls.isEmpty());
    QVERIFY(!fx.window.calls.contains(QStringLiteral("closeWindow")));
    QVERIFY(QFileInfo::exists(fx.work + QStringLiteral("/Lee_Ann_L.Wrl")));
    if (failing == QLatin1String("size") || failing == QLatin1String("config")) {
        QCOMPARE(files(fx.work), before); // nothing written
        QVERIFY(fx.window.calls.isEmpty()); // tested before the grid is saved
    }
    if (failing == QLatin1String("archive"))
        QCOMPARE(slurp(fx.home.path(QStringLiteral("Jobs/AB0042_Ann_Lee.Zip"))), QByteArray("an older job"));
    // Nothing packed ahead stays behind.
    QCOMPARE(QDir(fx.home.path(QStringLiteral("Jobs"))).entryList({QStringLiteral("*.part*")}, QDir::Files),
             QStringList{});
}

void TestRigidJobCommands::quitKeepsTheJob()
{
    RigidJobFixture fx;
    const QString jobs = fx.home.path(QStringLiteral("Jobs"));
    // Quit, once the Jobs folder is seen as the confirmation finds it.
    QStringList atConfirmation;
    int shown = 0;
    QTimer quit;
    QObject::connect(&quit, &QTimer::timeout, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != QLatin1String("OptionForm_Rigid") || shown > 0)
            return;
        ++shown;
        // The background work needs no events: give a slow machine time.
        const QDeadlineTimer patience(10000);
        while (files(jobs).filter(QRegularExpression(QStringLiteral("\\.part$"))).size() < 6 && !patience.hasExpired())
            QThread::msleep(5);
        atConfirmation = files(jobs);
        modal->findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    });
    quit.start(5);
    fx.press([&] { fx.commands.Save_Job_Locally(fx.window); });
    QCOMPARE(shown, 1);
    // The scans, models and photos were being packed ahead; declining the
    // order leaves none of it.
    QCOMPARE(atConfirmation.size(), 6);
    for (const QString &name : std::as_const(atConfirmation))
        QVERIFY2(name.startsWith(QLatin1String("Lee_Ann_")) && name.endsWith(QLatin1String(".part")), qPrintable(name));
    QCOMPARE(files(jobs), QStringList{});
    QVERIFY(fx.prompter->calls.isEmpty());
    QCOMPARE(files(fx.home.path(QStringLiteral("Archive"))), QStringList{});
    QCOMPARE(slurp(fx.config()), QByteArray("AB\r\nA0000\r\n0042\r\nAnn\r\n"));
    QCOMPARE(Job().JobCounter, 42);
    // The record and both PDFs stay written; the sketch name was set.
    for (const char *written : {"R_AB0042_Ann_Lee.Csv", "R_AB0042_Ann_Lee.Pdf", "R_AB0042_Ann_Lee_L.Pdf"})
        QVERIFY2(QFileInfo::exists(fx.work + u'/' + QLatin1String(written)), written);
    QCOMPARE(Job().JobImageFile, fx.work + QStringLiteral("/R_AB0042_Ann_Lee.Jpg"));
    QVERIFY(fx.shell.calls.isEmpty());
    QVERIFY(!fx.window.calls.contains(QStringLiteral("closeWindow")));
}

// A number must never be used twice: when the advanced counter cannot be
// written, the archive stays and nothing is sent or deleted.
void TestRigidJobCommands::counterThatCannotBeWrittenSendsNothing()
{
    RigidJobFixture fx;
    QVERIFY(!Standin::install(fx.home.root(), QStringLiteral("ZIDodur")).isEmpty());
    Standin::configure(fx.log);
    QFile::remove(fx.config());
    QDir().mkpath(fx.config()); // a folder where the file should be
    Confirmation accept("Command2");
    fx.prompter->answers << Prompter::Answer::Yes << Prompter::Answer::Yes;

    fx.press([&] { fx.commands.Submit_Job(fx.window); });

    QCOMPARE(accept.shown, 1);
    QCOMPARE(fx.shown().size(), 1);
    QVERIFY(fx.shown().first().startsWith(QStringLiteral("Error: Error: The Job Counter Could Not Be Saved.")));
    QCOMPARE(Job().JobCounter, 42); // unspent, as the file says
    QVERIFY(QFileInfo::exists(fx.home.path(QStringLiteral("Jobs/AB0042_Ann_Lee.Zip"))));
    QVERIFY(Standin::readLog(fx.log).isEmpty());
    QVERIFY(QFileInfo::exists(fx.work + QStringLiteral("/Lee_Ann_L.Wrl")));
    QVERIFY(fx.shell.calls.isEmpty());
    QVERIFY(!fx.window.calls.contains(QStringLiteral("closeWindow")));
}

void TestRigidJobCommands::saveScript()
{
    RigidJobFixture fx;
    ScriptRecord &job = Job();
    job.LeftScanFile = job.RightScanFile = QStringLiteral("None");
    job.JobNumber = Make_Job_Number(job);
    const QByteArray config = slurp(fx.config());
    const QString saved = fx.home.path(QStringLiteral("Data/Saved/Ann_Script.Csv"));
    QDir().mkpath(QFileInfo(saved).path());
    fx.prompter->files << saved;

    fx.press([&] { fx.commands.Save_Script(fx.window); });

    // A job without scans is proposed under its short "R_" name.
    QCOMPARE(fx.prompter->calls.size(), 1);
    const Prompter::FileRequest request = fx.prompter->calls.first().file;
    QCOMPARE(request.title, QStringLiteral("Save a CSV File"));
    QCOMPARE(request.fileName, fx.work + QStringLiteral("/R_AB0042_Default.Csv"));
    QCOMPARE(request.folder, fx.work);
    QCOMPARE(fx.window.rText2, fx.work + QStringLiteral("/R_AB0042_Default.Pdf"));
    // The record carries 0000, the documents the job's number.
    QCOMPARE(textfile::readLines(saved).value(1), QStringLiteral("Job Number,0000"));
    QCOMPARE(job.JobNumber, QStringLiteral("AB0042"));
    QCOMPARE(job.CsvFile, saved);
    QVERIFY(pdfFirstPageText(fx.work + QStringLiteral("/R_AB0042_Default.Pdf")).contains(QStringLiteral("AB0042")));
    QVERIFY(QFileInfo::exists(fx.work + QStringLiteral("/R_AB0042_Default_L.Pdf")));
    QCOMPARE(fx.window.calls, (QStringList{"saveGrid", "saveFields"}));
    QCOMPARE(Last_Status(), QStringLiteral("Script File Saved"));
    QCOMPARE(slurp(fx.config()), config);
}

void TestRigidJobCommands::saveScriptThatCannotBeWrittenKeepsTheNumber()
{
    RigidJobFixture fx;
    ScriptRecord &job = Job();
    job.JobNumber = Make_Job_Number(job);
    const QString blocked = fx.work + QStringLiteral("/Blocked.Csv");
    QDir().mkpath(blocked);
    fx.prompter->files << blocked;
    Set_Status(QString());

    fx.press([&] { fx.commands.Save_Script(fx.window); });

    QCOMPARE(fx.prompter->calls.size(), 2);
    QCOMPARE(fx.prompter->calls.last().title, QStringLiteral("Error"));
    QCOMPARE(job.JobNumber, QStringLiteral("AB0042"));
    QVERIFY(!QFileInfo::exists(fx.work + QStringLiteral("/R_AB0042_Ann_Lee.Pdf")));
    QVERIFY(Last_Status() != QStringLiteral("Script File Saved"));
}

void TestRigidJobCommands::openScript()
{
    RigidJobFixture fx;
    ScriptRecord &job = Job();
    job.JobNumber = Make_Job_Number(job);
    job.ShellStyleL = QStringLiteral("Slim");
    job.ThicknessL = 3.5; // no preset of a new grid may reset it
    job.HeelDotLengthL = QStringLiteral("42");
    const QString saved = fx.home.path(QStringLiteral("Elsewhere/Ann_Script.Csv"));
    QDir().mkpath(QFileInfo(saved).path());
    fx.prompter->files << saved;
    fx.press([&] { fx.commands.Save_Script(fx.window); });
    QVERIFY(QFileInfo::exists(saved));

    // Another client on the window, then the saved script opened twice as a new pair.
    Set_Default(job);
    job.ClientFirstName = fx.window.rText38 = QStringLiteral("Zed");
    fx.prompter->calls.clear();
    fx.window.calls.clear();
    for (int round = 1; round <= 2; ++round) {
        fx.prompter->files << saved;
        fx.prompter->answers << Prompter::Answer::No; // not a second pair
        fx.press([&] { fx.commands.Open_Script(fx.window); });
        QCOMPARE(job.JobCounter, 42 + round);
    }
    QCOMPARE(fx.prompter->messages(), QStringList(2, QStringLiteral("           Is This a Second Pair?")));
    QCOMPARE(fx.prompter->calls.first().file.title, QStringLiteral("Open a CSV File"));
    QCOMPARE(fx.prompter->calls.value(1).title, QStringLiteral("Job Number"));
    QCOMPARE(job.CurrentFolder, fx.work); // the work folder stays
    QCOMPARE(job.CsvFile, saved);
    QCOMPARE(job.JobNumber, QStringLiteral("AB0044"));
    QCOMPARE(fx.window.rText1, QStringLiteral("AB0044"));
    QCOMPARE(job.ReprocessedFromJob, QStringLiteral("0000"));
    QCOMPARE(job.ClientFirstName, QStringLiteral("Ann"));
    QCOMPARE(fx.window.rText38, QStringLiteral("Ann"));
    QCOMPARE(job.ShellStyleL, QStringLiteral("Slim"));
    QCOMPARE(job.ThicknessL, 3.5);
    QCOMPARE(job.HeelDotLengthL, QStringLiteral("42.0"));
    QCOMPARE(fx.window.calls, (QStringList{"rebuildGrid", "loadFields", "rebuildGrid", "loadFields"}));
    QCOMPARE(Last_Status(), QStringLiteral("Script File Opened"));

    // A second pair keeps the number.
    fx.prompter->files << saved;
    fx.prompter->answers << Prompter::Answer::Yes;
    fx.press([&] { fx.commands.Open_Script(fx.window); });
    QCOMPARE(job.JobNumber, QStringLiteral("AB0044"));
    QCOMPARE(slurp(fx.config()), QByteArray("AB\r\nA0000\r\n0042\r\nAnn\r\n"));
}

void TestRigidJobCommands::openScriptOfAnotherRecordChangesNothing_data()
{
    QTest::addColumn<QByteArray>("record");
    QTest::addColumn<QString>("message");
    QByteArray soft = "EVA ORTHOTICS PRESCRIPTION\r\nJob Number,ZZ0007\r\n";
    for (int i = 3; i <= 70; ++i)
        soft += (i == 23 ? QByteArray("INSOLE REQUIREMENTS") : "Line," + QByteArray::number(i)) + "\r\n";
    QByteArray shortRigid = "BRENNICK ORTHOTICS PRESCRIPTION (RIGID)\r\nJob Number,ZZ0007\r\n";
    for (int i = 3; i <= 40; ++i)
        shortRigid += "Line," + QByteArray::number(i) + "\r\n";
    QTest::newRow("soft record") << soft << "This is Not a Rigid Script";
    QTest::newRow("short rigid record") << shortRigid << "is not a complete script record";
}

void TestRigidJobCommands::openScriptOfAnotherRecordChangesNothing()
{
    QFETCH(QByteArray, record);
    QFETCH(QString, message);
    RigidJobFixture fx;
    ScriptRecord &job = Job();
    job.JobNumber = Make_Job_Number(job);
    job.ClientFirstName = QStringLiteral("Ann");
    const QString path = put(fx.home.path(QStringLiteral("Elsewhere/Old.Csv")), record);
    fx.prompter->files << path;
    fx.prompter->answers << Prompter::Answer::No;
    const ScriptRecord before = job;
    Set_Status(QString());

    fx.press([&] { fx.commands.Open_Script(fx.window); });

    QCOMPARE(fx.prompter->messages().size(), 1);
    QVERIFY2(fx.prompter->messages().first().contains(message), qPrintable(fx.prompter->messages().first()));
    QCOMPARE(job.CsvFile, before.CsvFile);
    QCOMPARE(job.JobNumber, before.JobNumber);
    QCOMPARE(job.JobCounter, before.JobCounter);
    QCOMPARE(job.ClientFirstName, QStringLiteral("Ann"));
    QCOMPARE(job.ReprocessedFromJob, before.ReprocessedFromJob);
    QVERIFY(fx.window.calls.isEmpty()); // no rebuild, no fields
    QVERIFY(Last_Status() != QStringLiteral("Script File Opened"));
}

void TestRigidJobCommands::newGridUploadAndNextJob()
{
    RigidJobFixture fx;
    ScriptRecord &job = Job();
    job.JobNumber = Make_Job_Number(job);
    job.ClientFirstName = QStringLiteral("Ann");
    job.ClientSurname = QStringLiteral("Lee");
    job.CsvFile = fx.work + QStringLiteral("/R_AB0042_Ann_Lee.Csv");
    job.PdfFile = fx.work + QStringLiteral("/R_AB0042_Ann_Lee.Pdf");
    job.ShellStyleL = QStringLiteral("Slim");
    job.ThicknessL = 3.5;
    const ScriptRecord before = job;
    const QStringList filesBefore = files(fx.work);
    const QByteArray config = slurp(fx.config());

    fx.commands.New_Grid(fx.window);
    QCOMPARE(job.ShellStyleL, QStringLiteral("Standard"));
    QCOMPARE(job.ThicknessL, 2.0);
    QCOMPARE(job.ClientFirstName, before.ClientFirstName);
    QCOMPARE(job.ClientSurname, before.ClientSurname);
    QCOMPARE(job.JobNumber, before.JobNumber);
    QCOMPARE(job.CsvFile, before.CsvFile);
    QCOMPARE(job.PdfFile, before.PdfFile);
    QCOMPARE(job.LeftScanFile, before.LeftScanFile);
    QCOMPARE(fx.window.calls, QStringList{"rebuildGrid"});

    fx.commands.Upload_To_Database(fx.window);
    QCOMPARE(fx.prompter->calls.size(), 1);
    const ScriptedPrompter::Call notice = fx.prompter->calls.first();
    QCOMPARE(notice.text, QStringLiteral("Temporary Database File Information"));
    QCOMPARE(notice.title, QString());
    QCOMPARE(notice.icon, Prompter::Icon::None);
    QCOMPARE(notice.buttons, Prompter::Buttons::Ok);
    QCOMPARE(files(fx.work), filesBefore);

    fx.commands.Next_Job(fx.window);
    QCOMPARE(fx.window.rText1, QStringLiteral("AB0043"));
    QCOMPARE(job.JobCounter, 43);
    QCOMPARE(job.PdfFile, before.PdfFile);
    QCOMPARE(slurp(fx.config()), config);
}

QTEST_MAIN(TestRigidJobCommands)
#include "tst_rigidjobcommands.moc"
