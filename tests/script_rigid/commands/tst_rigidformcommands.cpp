// The rigid window's job buttons pressed on the real window, with the
// commands installed as the program installs them.
#include "rigidformcommands.h"
#include "rigidjobcommands.h"

#include "../rigidtestsupport.h"
#include "modalanswer.h"
#include "pipelinefixture.h"

#include "jobpolicy.h"
#include "shellhelpers.h"
#include "textfile.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

namespace {

using fixture::put;

struct WindowWithCommands : RigidFixture
{
    ScriptForm2 *form = nullptr;

    WindowWithCommands()
    {
        ScriptRecord &job = Job();
        job.ArchiveFolder = home.path(QStringLiteral("Archive/"));
        job.CastModeFlag = true;
        QDir().mkpath(home.path(QStringLiteral("Archive")));
        put(home.path(QStringLiteral("Solvane.Cfg")), "AB\r\nA0000\r\n0042\r\nClinicA\r\n");
        JobPolicy policy = Rigid_Job_Policy();
        policy.companionWindowText =
            QStringLiteral("Kelvaro3D-form-") + QString::number(QCoreApplication::applicationPid());
        Install_Rigid_Job_Commands(std::make_shared<RigidJobCommandSet>(policy, [] {}));
        Set_Wait_Skipped(true);
        form = open();
        box("rText38")->setText(QStringLiteral("Ann"));
        box("rText49")->setText(QStringLiteral("Lee"));
        prompter->calls.clear();
    }

    QLineEdit *box(const char *name) const { return form->findChild<QLineEdit *>(QString::fromLatin1(name)); }
    QCheckBox *tick(int n) const { return form->findChild<QCheckBox *>(QStringLiteral("rCheck%1").arg(n)); }
    void press(const char *button) const { form->findChild<QPushButton *>(QString::fromLatin1(button))->click(); }
};

} // namespace

class TestRigidFormCommands : public QObject
{
    Q_OBJECT

private slots:
    void saveLocallyOnTheWindow();
    void scriptCommandsOnTheWindow();
    void openScriptShowsTheRecordsTicks_data();
    void openScriptShowsTheRecordsTicks();
};

void TestRigidFormCommands::saveLocallyOnTheWindow()
{
    WindowWithCommands fx;
    ModalAnswer accept("OptionForm_Rigid", "Command2");
    fx.prompter->answers << Prompter::Answer::Ok << Prompter::Answer::Ok // no scans: two messages
                         << Prompter::Answer::No; // not into the shell

    fx.press("Command3");

    QCOMPARE(accept.shown, 1);
    QVERIFY(QFileInfo::exists(fx.home.path(QStringLiteral("Archive/R_AB0042_Ann_Lee.Zip"))));
    const QString data = fx.home.path(QStringLiteral("Data"));
    QCOMPARE(textfile::readLines(data + QStringLiteral("/R_AB0042_Ann_Lee.Csv")).value(1),
             QStringLiteral("Job Number,AB0042"));
    QCOMPARE(fx.prompter->messages().value(0), QStringLiteral("Left Scan File Does Not Exist"));
    QCOMPARE(fx.prompter->calls.value(0).title, QStringLiteral("Missing File"));
    QCOMPARE(fx.shell.calls, (QStringList{"New_Script", "Refresh_File_Lists"}));
    QCOMPARE(Last_Status(), QStringLiteral("Job Complete"));
    RigidFixture::settle();
    QVERIFY(!Windows().isLoaded(QStringLiteral("ScriptForm2")));
}

void TestRigidFormCommands::scriptCommandsOnTheWindow()
{
    WindowWithCommands fx;
    const QString saved = fx.home.path(QStringLiteral("Data/Ann.Csv"));
    fx.prompter->files << saved;

    fx.press("Command8");

    QCOMPARE(fx.box("rText2")->text(), fx.home.path(QStringLiteral("Data/R_AB0042_Default.Pdf")));
    QCOMPARE(textfile::readLines(saved).value(1), QStringLiteral("Job Number,0000"));
    QCOMPARE(Last_Status(), QStringLiteral("Script File Saved"));

    fx.box("rText38")->setText(QStringLiteral("Zed"));
    fx.prompter->files << saved;
    fx.prompter->answers << Prompter::Answer::No; // not a second pair
    fx.press("Command9");
    QCOMPARE(fx.box("rText1")->text(), QStringLiteral("AB0043"));
    QCOMPARE(fx.box("rText38")->text(), QStringLiteral("Ann"));
    QCOMPARE(Last_Status(), QStringLiteral("Script File Opened"));

    fx.press("Command4"); // Next Job
    QCOMPARE(fx.box("rText1")->text(), QStringLiteral("AB0044"));
}

void TestRigidFormCommands::openScriptShowsTheRecordsTicks_data()
{
    QTest::addColumn<bool>("priority");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<bool>("email");
    QTest::addColumn<QString>("podiatristLine");
    QTest::newRow(";N") << true << false << false << "Podiatrist Name,No Names Available;N";
    QTest::newRow(";Y") << false << true << true << "Podiatrist Name,No Names Available;Y";
}

void TestRigidFormCommands::openScriptShowsTheRecordsTicks()
{
    QFETCH(bool, priority);
    QFETCH(bool, confirm);
    QFETCH(bool, email);
    QFETCH(QString, podiatristLine);
    WindowWithCommands fx;
    const QList<bool> saved{priority, confirm, email};
    for (int n = 1; n <= 3; ++n)
        fx.tick(n)->setChecked(saved[n - 1]);
    const QString record = fx.home.path(QStringLiteral("Data/Ticks.Csv"));
    fx.prompter->files << record;
    fx.press("Command8");
    QCOMPARE(textfile::readLines(record).value(11), podiatristLine);

    // Each tick turned the other way, then the same record opened again.
    for (int n = 1; n <= 3; ++n)
        fx.tick(n)->setChecked(!saved[n - 1]);
    fx.prompter->files << record;
    fx.prompter->answers << Prompter::Answer::Yes; // a second pair
    fx.press("Command9");
    QCOMPARE(Last_Status(), QStringLiteral("Script File Opened"));
    for (int n = 1; n <= 3; ++n)
        QCOMPARE(fx.tick(n)->isChecked(), saved[n - 1]);
    QCOMPARE(Job().PriorityReturn, priority);
    QCOMPARE(Job().ConfirmBeforeManufacture, confirm);
    QCOMPARE(Job().SendConfirmationEmail, email);
}

QTEST_MAIN(TestRigidFormCommands)
#include "tst_rigidformcommands.moc"
