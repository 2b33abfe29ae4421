// The soft window's job buttons, pressed on the real window with the
// scripted prompts, stand-in senders and viewer, and the real foot views.
#include "softjobcommands.h"

#include "softtestsupport.h"

#include "footviewinterface.h"
#include "lcf_file.h"
#include "samplefoot.h"
#include "scriptform1.h"
#include "softhooks.h"

#include "csveva.h"
#include "jobpolicy.h"
#include "modalanswer.h"
#include "paths.h"
#include "pipelinefixture.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "standin.h"
#include "standinruns.h"
#include "textfile.h"
#include "windowregistry.h"
#include "zipreader.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPdfDocument>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

namespace {

using fixture::put;
using fixture::slurp;

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

int pdfPages(const QString &path)
{
    QPdfDocument pdf;
    return pdf.load(path) == QPdfDocument::Error::None ? pdf.pageCount() : -1;
}

// The order confirmation answered with "Command2" (Accept) or "Command1" (Quit).
class Confirmation : public ModalAnswer
{
public:
    explicit Confirmation(const char *button)
        : ModalAnswer("OptionForm", button)
    {}
};

// The soft viewer's policy with a window text of this run alone: the
// "already running" check looks at every process of the machine.
JobPolicy isolatedPolicy()
{
    JobPolicy policy = Soft_Job_Policy();
    policy.companionWindowText =
        QStringLiteral("Veltrane-commands-") + QString::number(QCoreApplication::applicationPid());
    return policy;
}

// Ann Lee's job on the soft window: both scans, photos, a sketch and the
// right model in the work folder, the left model still to be written by the
// left foot view, sizes chosen, names typed, cast mode so that no
// measurement is asked.
struct JobOnWindow : SoftFixture
{
    ScriptForm1 *form = nullptr;
    QString data = home.path(QStringLiteral("Data"));
    QString log = home.path(QStringLiteral("standin.log"));
    int programEnds = 0;

    JobOnWindow()
    {
        ScriptRecord &job = Job();
        job.CurrentUser = job.UserList = QStringLiteral("Ann");
        job.ArchiveFolder = home.path(QStringLiteral("Archive/"));
        job.DeleteWorkingFilesFlag = true;
        job.CastModeFlag = true;
        QDir().mkpath(home.path(QStringLiteral("Jobs")));
        QDir().mkpath(home.path(QStringLiteral("Archive")));
        Register_Foot_Views();
        Set_Soft_Job_Commands(std::make_shared<SoftJobCommandSet>(isolatedPolicy(), [this] { ++programEnds; }));
        Set_Wait_Skipped(true);
        form = open();

        job.LeftScanFile = put(data + QStringLiteral("/Lee_Ann_L.Wrl"), "left scan");
        job.RightScanFile = put(data + QStringLiteral("/Lee_Ann_R.Wrl"), "right scan");
        job.LeftGraphicFile = put(data + QStringLiteral("/Lee_Ann_L.Jpg"), "left photo");
        job.RightGraphicFile = put(data + QStringLiteral("/Lee_Ann_R.Jpg"), "right photo");
        job.JobImageFile = put(data + QStringLiteral("/AB0041_Ann_Lee.Jpg"), "sketch");
        job.LeftLcfFile = data + QStringLiteral("/Glm/Lee_Ann_L.Glm");
        QDir().mkpath(data + QStringLiteral("/Lcf"));
        job.RightLcfFile = put(data + QStringLiteral("/Lee_Ann_R.Lcf"), QByteArray(150, 'R'));
        Left_View().Show_Model(samples::makeFoot(samples::Foot::Left, 2000));

        text("Text38")->setText(QStringLiteral("Ann"));
        text("Text49")->setText(QStringLiteral("Lee"));
        size(0)->setEditText(QStringLiteral("7"));
        size(1)->setEditText(QStringLiteral("7"));
        // Opening the window warned about the option table, which no test here needs.
        prompter->calls.clear();
    }

    ~JobOnWindow()
    {
        Set_Soft_Job_Commands(nullptr);
        fixture::forgetStandinSettings();
    }

    QLineEdit *text(const char *name) const { return form->findChild<QLineEdit *>(QString::fromLatin1(name)); }
    QComboBox *size(int side) const { return form->findChild<QComboBox *>(QStringLiteral("Combo1_%1").arg(side)); }
    void press(const char *button) const { form->findChild<QPushButton *>(QString::fromLatin1(button))->click(); }

    QString config() const { return home.path(QStringLiteral("Solvane.Cfg")); }
    void writeConfig(int counter) const
    {
        put(config(), "AB\r\nA0000\r\n" + QByteArray::number(counter).rightJustified(4, '0') + "\r\nAnn\r\n");
    }
};

} // namespace

class TestSoftJobCommands : public QObject
{
    Q_OBJECT

private slots:
    void submitEndToEnd();
    void saveLocallyFinalQuestion_data();
    void saveLocallyFinalQuestion();
    void quitInConfirmationKeepsTheJob();
    void missingFootSizeStops_data();
    void missingFootSizeStops();
    void failureBeforeTheArchiveStops_data();
    void failureBeforeTheArchiveStops();
    void bothModelsWrittenAtOnceAreTheViewsModels();
    void aFailedModelWriteStopsTheJob_data();
    void aFailedModelWriteStopsTheJob();
    void existingArchiveStopsWithNothingCounted();
    void theNumberIsSpentBeforeTheJobIsSent();
    void aCounterThatCannotBeSavedSendsNothing();
    void aCounterNotReadFromTheFileStopsAtOnce_data();
    void aCounterNotReadFromTheFileStopsAtOnce();
    void nextJobCountsInMemoryOnly_data();
    void nextJobCountsInMemoryOnly();
    void openingAnIncompleteRecordChangesNothing_data();
    void openingAnIncompleteRecordChangesNothing();
    void saveScriptThenOpenScript();
    void jsonAndOptionTableButtons();
};

void TestSoftJobCommands::submitEndToEnd()
{
    JobOnWindow fx;
    QVERIFY(!Standin::install(fx.home.root(), QStringLiteral("ZIDodur")).isEmpty());
    Standin::configure(fx.log);
    fx.writeConfig(41);
    Confirmation accept("Command2");
    fx.prompter->answers << Prompter::Answer::Yes // send now
                         << Prompter::Answer::Yes; // delete the working files

    fx.press("Command2");

    QCOMPARE(accept.shown, 1);
    const QString archive = fx.home.path(QStringLiteral("Jobs/AB0041_Ann_Lee.Zip"));
    QCOMPARE(fx.prompter->messages(),
             (QStringList{"Do You Want to Send the Data to VORMAK Now?",
                          "Do You Want to Delete the Working Files\r\nAfter they have been Sent?"}));
    {
        const ZipReader zip(archive);
        QCOMPARE(zip.comment(), QStringLiteral("Job: AB0041"));
        QStringList names;
        for (const ZipEntry &entry : zip.entries())
            names << entry.name;
        QCOMPARE(names, (QStringList{"AB0041_Ann_Lee.Pdf", "AB0041_Ann_Lee_L.Pdf", "AB0041_Ann_Lee.Jpg",
                                     "AB0041_Ann_Lee.Csv", "Lee_Ann_L.Wrl", "Lee_Ann_L.Lcf", "Lee_Ann_L.Jpg",
                                     "Lee_Ann_R.Wrl", "Lee_Ann_R.Lcf", "Lee_Ann_R.Jpg"}));
        // The left model is the one the view wrote, under "Lcf" for "Glm".
        QVERIFY(zip.read(*zip.find(QStringLiteral("Lee_Ann_L.Lcf"))).size() >= 1000);
        const QStringList record = QString::fromLatin1(zip.read(*zip.find(QStringLiteral("AB0041_Ann_Lee.Csv"))))
                                       .split(QStringLiteral("\r\n"));
        QCOMPARE(record.value(1), QStringLiteral("Job Number,AB0041"));
    }
    QCOMPARE(slurp(fx.config()), QByteArray("AB\r\nA0000\r\n0042\r\nAnn\r\n"));
    QCOMPARE(Job().JobCounter, 42);

    // The sender carries the archive; the working files went, the sketch stayed.
    QTRY_COMPARE(Standin::readLog(fx.log).size(), 1);
    QTRY_VERIFY(fixture::allRunsEnded(fx.log));
    const QList<Standin::Run> runs = Standin::readLog(fx.log);
    QCOMPARE(runs.first().args, QStringList{QDir::toNativeSeparators(archive)});
    QCOMPARE(entries(fx.data), QStringList{"AB0041_Ann_Lee.Jpg"});
    // The model the view wrote outside the work folder is only copied from.
    QCOMPARE(entries(fx.data + QStringLiteral("/Lcf")), QStringList{"Lee_Ann_L.Lcf"});

    QCOMPARE(Job().LeftScanFile, QStringLiteral("None"));
    QCOMPARE(Job().RightGraphicFile, QStringLiteral("None"));
    QCOMPARE(fx.shell.calls, (QStringList{"New_Script", "Refresh_File_Lists"}));
    QCOMPARE(Last_Status(), QStringLiteral("Job Complete"));
    QVERIFY(!Windows().isLoaded(QStringLiteral("Form1")));
    SoftFixture::settle();
    QVERIFY(!Windows().isLoaded(QStringLiteral("ScriptForm1")));
}

void TestSoftJobCommands::saveLocallyFinalQuestion_data()
{
    QTest::addColumn<bool>("enter");
    QTest::addColumn<bool>("viewerInstalled");
    QTest::addColumn<bool>("newJob");
    QTest::newRow("No: a new job") << false << true << true;
    QTest::newRow("Yes: the viewer takes the job") << true << true << false;
    QTest::newRow("Yes, no viewer: as for No") << true << false << true;
}

void TestSoftJobCommands::saveLocallyFinalQuestion()
{
    QFETCH(bool, enter);
    QFETCH(bool, viewerInstalled);
    QFETCH(bool, newJob);
    JobOnWindow fx;
    if (viewerInstalled)
        QVERIFY(!Standin::install(fx.home.root(), QStringLiteral("Veltrane.Exe")).isEmpty());
    Standin::configure(fx.log);
    fx.form->findChild<QCheckBox *>(QStringLiteral("Check1"))->setChecked(true); // Priority Return
    Confirmation accept("Command2");
    fx.prompter->answers << (enter ? Prompter::Answer::Yes : Prompter::Answer::No);

    fx.press("Command3");

    const QString csv = fx.data + QStringLiteral("/AB0041_Ann_Lee.Csv");
    const QString archive = fx.home.path(QStringLiteral("Archive/AB0041_Ann_Lee_Priority.Zip"));
    QVERIFY(QFileInfo::exists(archive));
    QCOMPARE(fx.prompter->calls.size(), 1);
    const ScriptedPrompter::Call question = fx.prompter->calls.first();
    QCOMPARE(question.text, QStringLiteral("The Job Files Have Been Saved...\r\n\r\nScript: ")
                                + QDir::toNativeSeparators(csv) + QStringLiteral("\r\nArchive: ")
                                + QDir::toNativeSeparators(archive)
                                + QStringLiteral("\r\n\r\nDo You Want to Enter Veltrane?"));
    QCOMPARE(question.title, QStringLiteral("Status"));
    QCOMPARE(question.buttons, Prompter::Buttons::YesNo);

    // Nothing is sent or deleted, whatever the delete flag says; the counter advances.
    QCOMPARE(entries(fx.data), (QStringList{"AB0041_Ann_Lee.Csv", "AB0041_Ann_Lee.Jpg", "AB0041_Ann_Lee.Pdf",
                                            "AB0041_Ann_Lee_L.Pdf", "Lee_Ann_L.Jpg", "Lee_Ann_L.Lcf", "Lee_Ann_L.Wrl",
                                            "Lee_Ann_R.Jpg", "Lee_Ann_R.Lcf", "Lee_Ann_R.Wrl"}));
    QCOMPARE(slurp(fx.config()), QByteArray("AB\r\nA0000\r\n0042\r\nAnn\r\n"));
    // The main document of a saved job carries the other-information page.
    QCOMPARE(pdfPages(fx.data + QStringLiteral("/AB0041_Ann_Lee.Pdf")), 2);

    const bool viewerStarted = enter && viewerInstalled;
    QTRY_COMPARE(Standin::readLog(fx.log).size(), viewerStarted ? 1 : 0);
    QTRY_VERIFY(fixture::allRunsEnded(fx.log));
    const QList<Standin::Run> runs = Standin::readLog(fx.log);
    if (viewerStarted)
        QCOMPARE(runs.first().args, QStringList{QDir::toNativeSeparators(csv)});
    QCOMPARE(fx.programEnds, viewerStarted ? 1 : 0);
    const QStringList newJobSteps{"New_Script", "Refresh_File_Lists"};
    QCOMPARE(fx.shell.calls, newJob ? newJobSteps : QStringList());
    QCOMPARE(Last_Status(), QStringLiteral("Job Complete"));
}

void TestSoftJobCommands::quitInConfirmationKeepsTheJob()
{
    JobOnWindow fx;
    fx.writeConfig(41);
    {
        Confirmation quit("Command1");
        fx.press("Command2");
        QCOMPARE(quit.shown, 1);
    }
    QVERIFY(fx.prompter->calls.isEmpty());
    QCOMPARE(entries(fx.home.path(QStringLiteral("Jobs"))), QStringList{});
    QCOMPARE(slurp(fx.config()), QByteArray("AB\r\nA0000\r\n0041\r\nAnn\r\n"));
    QCOMPARE(Job().JobCounter, 41);
    for (const char *written : {"AB0041_Ann_Lee.Csv", "AB0041_Ann_Lee.Pdf", "AB0041_Ann_Lee_L.Pdf"})
        QVERIFY2(QFileInfo::exists(fx.data + u'/' + QLatin1String(written)), written);
    QVERIFY(fx.shell.calls.isEmpty());
    QVERIFY(Windows().isLoaded(QStringLiteral("ScriptForm1")));

    // Pressed again, the job goes through, with the names kept from the boxes.
    Confirmation accept("Command2");
    fx.prompter->answers << Prompter::Answer::No; // not sent now
    fx.press("Command2");
    QCOMPARE(accept.shown, 1);
    QVERIFY(QFileInfo::exists(fx.home.path(QStringLiteral("Jobs/AB0041_Ann_Lee.Zip"))));
    QCOMPARE(slurp(fx.config()), QByteArray("AB\r\nA0000\r\n0042\r\nAnn\r\n"));
}

void TestSoftJobCommands::missingFootSizeStops_data()
{
    QTest::addColumn<QString>("left");
    QTest::addColumn<QString>("right");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("title");
    QTest::newRow("both") << ""
                          << ""
                          << "Left Foot Size Has Not Been Set"
                          << "Left Foot";
    QTest::newRow("right") << "7"
                           << ""
                           << "Right Foot Size Has Not Been Set"
                           << "Right Foot";
}

void TestSoftJobCommands::missingFootSizeStops()
{
    QFETCH(QString, left);
    QFETCH(QString, right);
    QFETCH(QString, message);
    QFETCH(QString, title);
    for (const char *button : {"Command2", "Command3"}) {
        JobOnWindow fx;
        fx.size(0)->setEditText(left);
        fx.size(1)->setEditText(right);
        const QStringList before = entries(fx.data);
        const ScriptRecord job = Job();
        Confirmation accept("Command2");

        fx.press(button);

        QCOMPARE(fx.prompter->messages(), QStringList{message});
        QCOMPARE(fx.prompter->calls.first().title, title);
        QCOMPARE(fx.prompter->calls.first().icon, Prompter::Icon::Warning);
        QCOMPARE(accept.shown, 0);
        QCOMPARE(entries(fx.data), before);
        QVERIFY(!QFileInfo::exists(fx.config()));
        QCOMPARE(Job().LeftLcfFile, job.LeftLcfFile);
        QCOMPARE(Job().JobNumber, job.JobNumber);
    }
}

void TestSoftJobCommands::failureBeforeTheArchiveStops_data()
{
    QTest::addColumn<QString>("failing");
    QTest::addColumn<bool>("recordWritten");
    QTest::newRow("a PDF folder that is a file") << "pdf" << true;
    QTest::newRow("a model the view cannot write") << "model" << false;
}

void TestSoftJobCommands::failureBeforeTheArchiveStops()
{
    QFETCH(QString, failing);
    QFETCH(bool, recordWritten);
    JobOnWindow fx;
    fx.writeConfig(41);
    if (failing == QLatin1String("pdf")) {
        Job().NasModeFlag = true;
        Job().NasFolder = put(fx.home.path(QStringLiteral("NotAFolder")), "file");
    } else {
        Job().LeftLcfFile = fx.home.path(QStringLiteral("Missing/Folder/Lee_Ann_L.Lcf"));
    }
    Confirmation accept("Command2");

    fx.press("Command3");

    QCOMPARE(accept.shown, 0);
    QCOMPARE(fx.prompter->calls.size(), 1);
    QCOMPARE(fx.prompter->calls.first().title, QStringLiteral("Error"));
    QVERIFY(fx.prompter->calls.first().text.startsWith(QStringLiteral("Error: ")));
    QCOMPARE(QFileInfo::exists(fx.data + QStringLiteral("/AB0041_Ann_Lee.Csv")), recordWritten);
    QCOMPARE(entries(fx.home.path(QStringLiteral("Archive"))), QStringList{});
    QCOMPARE(slurp(fx.config()), QByteArray("AB\r\nA0000\r\n0041\r\nAnn\r\n"));
    QCOMPARE(Job().JobCounter, 41);
    QVERIFY(QFileInfo::exists(Job().RightScanFile));
    QVERIFY(fx.shell.calls.isEmpty());
    QVERIFY(Windows().isLoaded(QStringLiteral("ScriptForm1")));
}

namespace {

QByteArray encoded(const FootView &view)
{
    return QByteArray::fromStdString(mesh::encodeLcf(view.model()));
}

} // namespace

void TestSoftJobCommands::bothModelsWrittenAtOnceAreTheViewsModels()
{
    JobOnWindow fx;
    fx.writeConfig(41);
    QFile::remove(Job().RightLcfFile);
    Right_View().Show_Model(samples::makeFoot(samples::Foot::Right, 3000));
    const QByteArray left = encoded(Left_View());
    const QByteArray right = encoded(Right_View());
    Confirmation accept("Command2");
    fx.prompter->answers << Prompter::Answer::No; // not into the viewer

    fx.press("Command3");

    QCOMPARE(Last_Status(), QStringLiteral("Job Complete"));
    QCOMPARE(slurp(fx.data + QStringLiteral("/Lcf/Lee_Ann_L.Lcf")), left);
    QCOMPARE(slurp(fx.data + QStringLiteral("/Lee_Ann_R.Lcf")), right);
    const ZipReader zip(fx.home.path(QStringLiteral("Archive/AB0041_Ann_Lee.Zip")));
    QCOMPARE(zip.read(*zip.find(QStringLiteral("Lee_Ann_L.Lcf"))), left);
    QCOMPARE(zip.read(*zip.find(QStringLiteral("Lee_Ann_R.Lcf"))), right);
}

void TestSoftJobCommands::aFailedModelWriteStopsTheJob_data()
{
    QTest::addColumn<bool>("leftFails");
    QTest::addColumn<bool>("rightFails");
    // The right model's path ends in "Glm": its "Lcf" twin may be there already.
    QTest::addColumn<bool>("rightTwinThere");
    QTest::newRow("left") << true << false << false;
    QTest::newRow("left, the right model's file there") << true << false << true;
    QTest::newRow("right") << false << true << false;
    QTest::newRow("both") << true << true << false;
}

void TestSoftJobCommands::aFailedModelWriteStopsTheJob()
{
    QFETCH(bool, leftFails);
    QFETCH(bool, rightFails);
    QFETCH(bool, rightTwinThere);
    for (const char *button : {"Command2", "Command3"}) {
        JobOnWindow fx;
        QVERIFY(!Standin::install(fx.home.root(), QStringLiteral("ZIDodur")).isEmpty());
        Standin::configure(fx.log);
        fx.writeConfig(41);
        const QString missing = fx.home.path(QStringLiteral("Missing/Folder"));
        Job().LeftLcfFile = (leftFails ? missing : fx.data) + QStringLiteral("/Lee_Ann_L.Lcf");
        Job().RightLcfFile = (rightFails ? missing : fx.data) + QStringLiteral("/Lee_Ann_R.Glm");
        if (!rightTwinThere)
            QFile::remove(fx.data + QStringLiteral("/Lee_Ann_R.Lcf"));
        Right_View().Show_Model(samples::makeFoot(samples::Foot::Right, 3000));
        const QStringList before = entries(fx.data);
        const QString rightBefore = Job().RightLcfFile;
        Confirmation accept("Command2");
        fx.prompter->answers << Prompter::Answer::Yes << Prompter::Answer::Yes;

        fx.press(button);

        // The first failure in the feet's order is the one told.
        QCOMPARE(accept.shown, 0);
        QCOMPARE(fx.prompter->calls.size(), 1);
        const QString text = fx.prompter->calls.first().text;
        QVERIFY2(text.startsWith(QStringLiteral("Error: ")), qPrintable(text));
        QVERIFY2(text.contains(leftFails ? QStringLiteral("Lee_Ann_L.Lcf") : QStringLiteral("Lee_Ann_R.Lcf")),
                 qPrintable(text));
        // Nothing written after the models, nothing sent, deleted or counted.
        QCOMPARE(entries(fx.home.path(QStringLiteral("Archive"))), QStringList{});
        QCOMPARE(entries(fx.home.path(QStringLiteral("Jobs"))), QStringList{});
        QCOMPARE(slurp(fx.config()), QByteArray("AB\r\nA0000\r\n0041\r\nAnn\r\n"));
        QCOMPARE(Job().JobCounter, 41);
        QVERIFY(Standin::readLog(fx.log).isEmpty());
        QVERIFY(fx.shell.calls.isEmpty());
        // As if the feet had been written in turn: the left model is there
        // only when the right one failed, and after a left failure the
        // right foot is untouched, its path still unchanged.
        QStringList expected = before;
        if (!leftFails) {
            expected << QStringLiteral("Lee_Ann_L.Lcf");
            expected.sort();
        }
        QCOMPARE(entries(fx.data), expected);
        if (rightTwinThere)
            QCOMPARE(slurp(fx.data + QStringLiteral("/Lee_Ann_R.Lcf")), QByteArray(150, 'R'));
        QCOMPARE(Job().RightLcfFile,
                 leftFails ? rightBefore : fx.home.path(QStringLiteral("Missing/Folder/Lee_Ann_R.Lcf")));
        QVERIFY(Windows().isLoaded(QStringLiteral("ScriptForm1")));
    }
}

void TestSoftJobCommands::existingArchiveStopsWithNothingCounted()
{
    JobOnWindow fx;
    QVERIFY(!Standin::install(fx.home.root(), QStringLiteral("ZIDodur")).isEmpty());
    Standin::configure(fx.log);
    fx.writeConfig(41);
    const QString archive = put(fx.home.path(QStringLiteral("Jobs/AB0041_Ann_Lee.Zip")), "an older job");
    Confirmation accept("Command2");
    fx.prompter->answers << Prompter::Answer::Yes << Prompter::Answer::Yes;

    fx.press("Command2");

    QCOMPARE(accept.shown, 1);
    QCOMPARE(fx.prompter->messages(),
             QStringList{QStringLiteral("Error: ") + archive + QStringLiteral(" already exists")});
    QCOMPARE(slurp(archive), QByteArray("an older job"));
    QCOMPARE(slurp(fx.config()), QByteArray("AB\r\nA0000\r\n0041\r\nAnn\r\n"));
    QVERIFY(QFileInfo::exists(Job().LeftScanFile));
    QVERIFY(QFileInfo::exists(fx.data + QStringLiteral("/AB0041_Ann_Lee.Csv")));
    QVERIFY(Standin::readLog(fx.log).isEmpty());
    QVERIFY(fx.shell.calls.isEmpty());
}

namespace {

// Notes what "Solvane.Cfg" holds when the user is asked to send the job.
class ConfigAtSendQuestion : public ScriptedPrompter
{
public:
    explicit ConfigAtSendQuestion(QString config)
        : m_config(std::move(config))
    {}
    Answer message(const QString &text, const QString &title, Icon icon, Buttons buttons) override
    {
        if (text.startsWith(QLatin1String("Do You Want to Send")))
            atSendQuestion = slurp(m_config);
        return ScriptedPrompter::message(text, title, icon, buttons);
    }
    QByteArray atSendQuestion;

private:
    QString m_config;
};

} // namespace

void TestSoftJobCommands::theNumberIsSpentBeforeTheJobIsSent()
{
    JobOnWindow fx;
    QVERIFY(!Standin::install(fx.home.root(), QStringLiteral("ZIDodur")).isEmpty());
    Standin::configure(fx.log);
    fx.writeConfig(41);
    auto prompter = std::make_shared<ConfigAtSendQuestion>(fx.config());
    Set_Prompter(prompter);
    fx.prompter = prompter;
    Confirmation accept("Command2");
    prompter->answers << Prompter::Answer::Yes << Prompter::Answer::No;

    fx.press("Command2");

    QCOMPARE(prompter->atSendQuestion, QByteArray("AB\r\nA0000\r\n0042\r\nAnn\r\n"));
    QTRY_COMPARE(Standin::readLog(fx.log).size(), 1);
    QTRY_VERIFY(fixture::allRunsEnded(fx.log));
}

void TestSoftJobCommands::aCounterThatCannotBeSavedSendsNothing()
{
    JobOnWindow fx;
    QVERIFY(!Standin::install(fx.home.root(), QStringLiteral("ZIDodur")).isEmpty());
    Standin::configure(fx.log);
    QVERIFY(QDir().mkpath(fx.config())); // a folder where the file should be
    Confirmation accept("Command2");
    fx.prompter->answers << Prompter::Answer::Yes << Prompter::Answer::Yes;
    const QString archive = fx.home.path(QStringLiteral("Jobs/AB0041_Ann_Lee.Zip"));

    fx.press("Command2");

    QCOMPARE(accept.shown, 1);
    QCOMPARE(fx.prompter->calls.size(), 1);
    QCOMPARE(fx.prompter->calls.first().title, QStringLiteral("Error"));
    const QString text = fx.prompter->calls.first().text;
    QVERIFY2(text.startsWith(QStringLiteral("Error: The Job Counter Could Not Be Saved.\r\n\r\n")), qPrintable(text));
    QVERIFY2(text.endsWith(QStringLiteral("Nothing was sent. The job archive stays in ")
                           + QDir::toNativeSeparators(archive)),
             qPrintable(text));
    // Nothing left the clinic, and the job stands as it was, to be sent once
    // the file is mended.
    QVERIFY(QFileInfo::exists(archive));
    QVERIFY(Standin::readLog(fx.log).isEmpty());
    QCOMPARE(Job().JobCounter, 41);
    QVERIFY(QFileInfo::exists(Job().LeftScanFile));
    QVERIFY(fx.shell.calls.isEmpty());
    QVERIFY(Windows().isLoaded(QStringLiteral("ScriptForm1")));

    // A second job in a row with the counter still unsaved: nothing sent either.
    fx.prompter->calls.clear();
    fx.text("Text38")->setText(QStringLiteral("Bob"));
    fx.press("Command2");
    QCOMPARE(accept.shown, 2);
    QVERIFY(fx.prompter->messages().value(0).startsWith(QStringLiteral("Error: The Job Counter Could Not Be Saved.")));
    QVERIFY(QFileInfo::exists(fx.home.path(QStringLiteral("Jobs/AB0041_Bob_Lee.Zip"))));
    QVERIFY(Standin::readLog(fx.log).isEmpty());
}

void TestSoftJobCommands::aCounterNotReadFromTheFileStopsAtOnce_data()
{
    QTest::addColumn<bool>("local");
    QTest::newRow("Submit") << false;
    QTest::newRow("Save Locally") << true;
}

void TestSoftJobCommands::aCounterNotReadFromTheFileStopsAtOnce()
{
    QFETCH(bool, local);
    JobOnWindow fx;
    QVERIFY(!Standin::install(fx.home.root(), QStringLiteral("ZIDodur")).isEmpty());
    Standin::configure(fx.log);
    fx.writeConfig(41);
    Job().JobCounterFromConfig = false; // start-up could not read or make the file
    Confirmation accept("Command2");

    fx.press(local ? "Command3" : "Command2");

    QCOMPARE(accept.shown, 0);
    QCOMPARE(fx.prompter->calls.size(), 1);
    QCOMPARE(fx.prompter->calls.first().title, QStringLiteral("Error"));
    QVERIFY2(fx.prompter->calls.first().text.startsWith(QStringLiteral("Error: The job counter could not be read from ")
                                                        + QDir::toNativeSeparators(fx.config())),
             qPrintable(fx.prompter->calls.first().text));
    QCOMPARE(entries(fx.home.path(QStringLiteral("Jobs"))), QStringList{});
    QCOMPARE(entries(fx.home.path(QStringLiteral("Archive"))), QStringList{});
    QVERIFY(!QFileInfo::exists(fx.data + QStringLiteral("/AB0041_Ann_Lee.Csv")));
    QCOMPARE(slurp(fx.config()), QByteArray("AB\r\nA0000\r\n0041\r\nAnn\r\n"));
    QVERIFY(Standin::readLog(fx.log).isEmpty());
    QVERIFY(fx.shell.calls.isEmpty());
}

void TestSoftJobCommands::nextJobCountsInMemoryOnly_data()
{
    QTest::addColumn<int>("counter");
    QTest::addColumn<QString>("shown");
    QTest::newRow("41") << 41 << "AB0042";
    QTest::newRow("12345") << 12345 << "AB12346";
}

void TestSoftJobCommands::nextJobCountsInMemoryOnly()
{
    QFETCH(int, counter);
    QFETCH(QString, shown);
    JobOnWindow fx;
    fx.writeConfig(41);
    const QByteArray config = slurp(fx.config());
    Job().JobCounter = counter;
    const QString pdf = Job().PdfFile;

    fx.press("Command4");

    QCOMPARE(fx.text("Text1")->text(), shown);
    QCOMPARE(Job().JobNumber, shown);
    QCOMPARE(Job().JobCounter, counter + 1);
    QCOMPARE(Job().PdfFile, pdf);
    QCOMPARE(slurp(fx.config()), config);
    QVERIFY(fx.prompter->calls.isEmpty());
}

void TestSoftJobCommands::openingAnIncompleteRecordChangesNothing_data()
{
    QTest::addColumn<QByteArray>("record");
    QByteArray shortRecord = "EVA ORTHOTICS PRESCRIPTION\r\nJob Number,ZZ0007\r\nClinic Job Number,\r\n";
    for (int i = 4; i <= 40; ++i)
        shortRecord += "Line," + QByteArray::number(i) + "\r\n";
    QByteArray rigid = "BRENNICK ORTHOTICS PRESCRIPTION (RIGID)\r\nJob Number,ZZ0007\r\n";
    for (int i = 3; i <= 108; ++i)
        rigid += (i == 23 ? QByteArray("Priority Return,0,0") : "Line," + QByteArray::number(i)) + "\r\n";
    QTest::newRow("short") << shortRecord;
    QTest::newRow("rigid") << rigid;
}

void TestSoftJobCommands::openingAnIncompleteRecordChangesNothing()
{
    QFETCH(QByteArray, record);
    JobOnWindow fx;
    const QString path = put(fx.home.path(QStringLiteral("Elsewhere/Old.Csv")), record);
    fx.prompter->files << path;
    const ScriptRecord before = Job();
    const QString shownNumber = fx.text("Text1")->text();

    fx.press("Command9");

    QCOMPARE(fx.prompter->messages(),
             QStringList{QStringLiteral("Error: ") + path + QStringLiteral(" is not a complete script record")});
    QCOMPARE(Job().CsvFile, before.CsvFile);
    QCOMPARE(Job().CurrentFolder, before.CurrentFolder);
    QCOMPARE(Job().JobNumber, before.JobNumber);
    QCOMPARE(Job().JobCounter, before.JobCounter);
    QCOMPARE(Job().ClientFirstName, QStringLiteral("Ann"));
    QCOMPARE(Job().ReprocessedFromJob, before.ReprocessedFromJob);
    QCOMPARE(fx.text("Text1")->text(), shownNumber);
    QCOMPARE(fx.text("Text38")->text(), QStringLiteral("Ann"));
    QVERIFY(Last_Status() != QStringLiteral("Script File Opened"));
}

void TestSoftJobCommands::saveScriptThenOpenScript()
{
    JobOnWindow fx;
    ScriptRecord &job = Job();
    job.LeftScanFile = job.RightScanFile = QStringLiteral("None");
    job.LeftGraphicFile = job.RightGraphicFile = QStringLiteral("None");
    job.JobImageFile.clear();
    fx.writeConfig(41);
    const QByteArray config = slurp(fx.config());
    const QString saved = fx.home.path(QStringLiteral("Data/Saved/Ann_Script.Csv"));
    QDir().mkpath(QFileInfo(saved).path());
    fx.prompter->files << saved;

    fx.press("Command8");

    // A job without scans is proposed under its "_Default" name.
    QCOMPARE(fx.prompter->calls.size(), 1);
    const Prompter::FileRequest request = fx.prompter->calls.first().file;
    QCOMPARE(fx.prompter->calls.first().kind, QStringLiteral("save"));
    QCOMPARE(request.title, QStringLiteral("Save a CSV File"));
    QCOMPARE(request.fileName, fx.data + QStringLiteral("/AB0041_Default.Csv"));
    QCOMPARE(request.folder, fx.data);
    QCOMPARE(request.filter, QStringLiteral("CSV File (*.Csv)|*.Csv|All Files (*.*)|*.*"));
    QCOMPARE(request.defaultExtension, QStringLiteral("Csv"));
    QCOMPARE(fx.text("Text2")->text(), fx.data + QStringLiteral("/AB0041_Default.Pdf"));
    // The record is not a job of its own; its documents carry the job's number.
    QCOMPARE(textfile::readLines(saved).value(1), QStringLiteral("Job Number,0000"));
    QCOMPARE(job.JobNumber, QStringLiteral("AB0041"));
    QCOMPARE(job.CsvFile, saved);
    QCOMPARE(pdfPages(fx.data + QStringLiteral("/AB0041_Default.Pdf")), 2);
    QCOMPARE(pdfPages(fx.data + QStringLiteral("/AB0041_Default_L.Pdf")), 2);
    QCOMPARE(Last_Status(), QStringLiteral("Script File Saved"));

    // Another client on the window; opening the saved script brings Ann back.
    fx.text("Text38")->setText(QStringLiteral("Zed"));
    fx.size(0)->setEditText(QStringLiteral("9"));
    job.CurrentFolder = fx.home.path(QStringLiteral("Data"));
    fx.prompter->calls.clear();
    for (int round = 1; round <= 2; ++round) {
        fx.prompter->files << saved;
        fx.prompter->answers << Prompter::Answer::No; // not a second pair
        fx.press("Command9");
        QCOMPARE(job.JobCounter, 41 + round);
    }
    const QString question = QStringLiteral("           Is This a Second Pair?");
    QCOMPARE(fx.prompter->messages().filter(QStringLiteral("Second Pair")), QStringList(2, question));
    QCOMPARE(fx.prompter->calls.first().file.title, QStringLiteral("Open a CSV File"));
    QCOMPARE(job.JobNumber, QStringLiteral("AB0043"));
    QCOMPARE(fx.text("Text1")->text(), QStringLiteral("AB0043"));
    QCOMPARE(job.ReprocessedFromJob, QStringLiteral("0000"));
    QCOMPARE(fx.text("Text38")->text(), QStringLiteral("Ann"));
    QCOMPARE(fx.size(0)->currentText(), QStringLiteral("7"));
    QCOMPARE(job.CurrentFolder, QFileInfo(saved).path());
    QCOMPARE(Last_Status(), QStringLiteral("Script File Opened"));

    // A second pair keeps the number; none of it touches the configuration.
    fx.prompter->files << saved;
    fx.prompter->answers << Prompter::Answer::Yes;
    fx.press("Command9");
    QCOMPARE(job.JobNumber, QStringLiteral("AB0043"));
    QCOMPARE(slurp(fx.config()), config);
}

void TestSoftJobCommands::jsonAndOptionTableButtons()
{
    JobOnWindow fx;
    const QString json = fx.home.path(QStringLiteral("Data/Ann.Json"));
    const QString table = fx.home.path(QStringLiteral("Data/OptionTable.Pdf"));
    fx.prompter->files << json << table;

    fx.press("Command7");
    fx.press("Command20");

    QCOMPARE(fx.prompter->calls.value(0).title, QStringLiteral("Select a JSON File"));
    QVERIFY(QJsonDocument::fromJson(slurp(json)).isObject());
    QCOMPARE(fx.prompter->calls.value(1).title, QStringLiteral("Save a PDF File"));
    QVERIFY(pdfPages(table) >= 1);
}

QTEST_MAIN(TestSoftJobCommands)
#include "tst_softjobcommands.moc"
