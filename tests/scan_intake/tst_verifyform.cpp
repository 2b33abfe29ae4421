#include "fakeshell.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "testhome.h"
#include "verifyform.h"
#include "windowregistry.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using Answer = Prompter::Answer;

namespace {

QStringList items(const QComboBox *combo)
{
    QStringList out;
    for (int i = 0; i < combo->count(); ++i)
        out << combo->itemText(i);
    return out;
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

class TestVerifyForm : public QObject
{
    Q_OBJECT

    std::shared_ptr<ScriptedPrompter> ui;
    FakeShell shell;

    template <typename T>
    static T *child(QWidget *form, const char *name)
    {
        T *found = form->findChild<T *>(QString::fromLatin1(name));
        if (!found)
            qWarning("no child %s", name);
        return found;
    }

    static VerifyForm *open() { return Windows().get<VerifyForm>("VerifyForm"); }

    // The window unloads itself with its close; its deletion comes with the
    // next turn of the event loop.
    static bool unloaded()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return !Windows().isLoaded("VerifyForm");
    }

    // The job AB1 of Ann Lee in Data/<clinic>: a model file and nothing else.
    static void jobIn(const TestHome &home, const QString &clinic, const QString &modelName)
    {
        const QString folder = home.path("Data/" + clinic);
        home.write("Data/" + clinic + "/" + modelName, QByteArray(64, 'm'));
        Job().JobNumber = "AB1";
        Job().ClientFirstName = "Ann";
        Job().ClientSurname = "Lee";
        Job().CurrentFolder = folder;
        Job().LeftLcfFile = folder + "/" + modelName;
        Job().LeftScanFile = "None";
        Job().RightScanFile = "None";
    }

private slots:
    void init()
    {
        Job() = ScriptRecord();
        ui = ScriptedPrompter::install();
        shell = FakeShell();
        Set_Shell(&shell);
        Windows().reset();
        Register_Relocation_Window();
    }
    void cleanup()
    {
        Windows().reset();
        Set_Shell(nullptr);
        Set_Prompter(nullptr);
    }

    // Opening shows the job's folder, lists the clinics up to the first
    // empty name and takes the first as target and current user; a single
    // user sees no list and a target of the data folder itself.
    void openingListsTheClinics_data()
    {
        QTest::addColumn<QString>("users");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QStringList>("listed");
        QTest::addColumn<QString>("target"); // under Data
        QTest::newRow("two users") << "Clinic1,Clinic2"
                                   << "Clinic1" << QStringList{"Clinic1", "Clinic2"} << "/Clinic1";
        QTest::newRow("one user") << "Clinic1"
                                  << "Clinic1" << QStringList{} << QString();
        QTest::newRow("empty name ends the list") << "A,,B"
                                                  << "A" << QStringList{"A"} << "/A";
    }
    void openingListsTheClinics()
    {
        QFETCH(QString, users);
        QFETCH(QString, current);
        QFETCH(QStringList, listed);
        QFETCH(QString, target);
        TestHome home;
        Job().UserList = users;
        Job().CurrentUser = current;
        Job().CurrentFolder = home.path("Data/Clinic1");

        VerifyForm *form = open();
        QVERIFY(form);

        QCOMPARE(form->windowTitle(), QString("Move Directory Location"));
        auto *combo1 = child<QComboBox>(form, "Combo1");
        auto *text1 = child<QLineEdit>(form, "Text1");
        auto *text2 = child<QLineEdit>(form, "Text2");
        QCOMPARE(items(combo1), listed);
        QCOMPARE(combo1->isHidden(), listed.isEmpty());
        QCOMPARE(text1->text(), native(home.path("Data/Clinic1")));
        QCOMPARE(text2->text(), native(home.path("Data") + target));
        QCOMPARE(form->requiredClinic(), listed.value(0));
        QCOMPARE(Job().CurrentUser, listed.value(0));
        if (!listed.isEmpty())
            QCOMPARE(Job().RelocationFolder, home.path("Data") + target);
        QVERIFY(ui->calls.isEmpty());

        // Every control names its caption.
        const QList<QPair<QString, QString>> captions{
            {"Text1", "Current Directory"},
            {"Text2", "Clinic Directory"},
            {"Combo1", "Required Clinic (Move to this Location)"},
            {"Command3", "Relocate the Directory"},
            {"Command1", "Quit"},
            {"Command2", "Accept"},
        };
        for (const auto &[name, caption] : captions)
            QCOMPARE(child<QWidget>(form, qPrintable(name))->accessibleName(), caption);
    }

    // Picking a clinic makes it the target and the current user.
    void pickingAClinicFollows()
    {
        TestHome home;
        Job().UserList = "Clinic1,Clinic2";
        Job().CurrentUser = "Clinic1";
        VerifyForm *form = open();
        auto *combo1 = child<QComboBox>(form, "Combo1");

        combo1->setCurrentIndex(1);

        QCOMPARE(form->requiredClinic(), QString("Clinic2"));
        QCOMPARE(Job().CurrentUser, QString("Clinic2"));
        QCOMPARE(child<QLineEdit>(form, "Text2")->text(), native(home.path("Data/Clinic2")));
    }

    // A single user's job goes to the data folder itself.
    void singleUserMovesIntoTheDataFolder()
    {
        TestHome home;
        Job().UserList = "Clinic1";
        Job().CurrentUser = "Clinic1";
        jobIn(home, "Clinic1", "AB1_Ann_Lee_L.Lcf");
        ui->answers << Answer::Yes;
        VerifyForm *form = open();

        child<QPushButton>(form, "Command3")->click();

        QVERIFY(QFile::exists(home.path("Data/AB1_Ann_Lee_L.Lcf")));
        QCOMPARE(Job().CurrentFolder, home.path("Data"));
        QCOMPARE(shell.calls, QStringList{"Show_Folder " + home.path("Data")});
        QVERIFY(unloaded());
    }

    // The window closes when the job has moved and after the match warning;
    // it stays for another try after "Invalid File Selection", the refusal
    // of the job's own folder and an error.
    void closesOnlyWhenDone_data()
    {
        QTest::addColumn<QString>("model");
        QTest::addColumn<QString>("clinic");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<QString>("said"); // the messages, "|" between them
        QTest::newRow("moved") << "AB1_Ann_Lee_L.Lcf"
                               << "Clinic2" << true
                               << "Do You Want to Delete the Original Files?|No Script File of this Job was Among "
                                  "the Files Moved (AB1_Ann_Lee.Csv)\r\nNo Script File was Renamed or Updated";
        QTest::newRow("no match string") << "Smith.Lcf"
                                         << "Clinic2" << true
                                         << "No String to Match Files was Found\r\nFiles Cannot be Copied";
        QTest::newRow("no model file") << QString() << "Clinic2" << false << "Invalid File Selection";
        QTest::newRow("own folder") << "AB1_Ann_Lee_L.Lcf"
                                    << "Clinic1" << false << "The Job is Already in {Clinic1}\r\nNothing was Moved";
        QTest::newRow("missing folder") << "AB1_Ann_Lee_L.Lcf"
                                        << "Clinic3" << false << "Error: The clinic folder {Clinic3} does not exist";
    }
    void closesOnlyWhenDone()
    {
        QFETCH(QString, model);
        QFETCH(QString, clinic);
        QFETCH(bool, closes);
        QFETCH(QString, said);
        TestHome home;
        QDir().mkpath(home.path("Data/Clinic2"));
        Job().UserList = "Clinic1,Clinic2,Clinic3";
        Job().CurrentUser = "Clinic1";
        if (!model.isEmpty())
            jobIn(home, "Clinic1", model);
        else
            Job().CurrentFolder = home.path("Data/Clinic1");
        ui->answers << Answer::No;
        VerifyForm *form = open();
        auto *combo1 = child<QComboBox>(form, "Combo1");
        combo1->setCurrentIndex(combo1->findText(clinic));

        child<QPushButton>(form, "Command3")->click();

        QCOMPARE(unloaded(), closes);
        said.replace("{" + clinic + "}", native(home.path("Data/" + clinic)));
        QCOMPARE(ui->messages(), said.split('|'));
    }

    // "Quit" closes; "Accept" does nothing at all.
    void quitAndAccept()
    {
        TestHome home;
        Job().UserList = "Clinic1,Clinic2";
        Job().CurrentUser = "Clinic1";
        VerifyForm *form = open();
        form->show();
        const ScriptRecord before = Job();

        child<QPushButton>(form, "Command2")->click();
        QVERIFY(!unloaded());
        QVERIFY(form->isVisible());
        QVERIFY(ui->calls.isEmpty());
        QCOMPARE(Job().CurrentUser, before.CurrentUser);
        QCOMPARE(Job().RelocationFolder, before.RelocationFolder);

        child<QPushButton>(form, "Command1")->click();
        QVERIFY(unloaded());
        QVERIFY(ui->calls.isEmpty());
        QVERIFY(shell.calls.isEmpty());
    }
};

QTEST_MAIN(TestVerifyForm)
#include "tst_verifyform.moc"
