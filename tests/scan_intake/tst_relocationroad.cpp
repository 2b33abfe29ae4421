#include "csveva.h"
#include "demojob.h"
#include "mainwindow.h"
#include "programparts.h"
#include "scanlistspanel.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"
#include "textfile.h"
#include "windowregistry.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using Answer = Prompter::Answer;

namespace {

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

QStringList texts(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

// A working folder with the clinics DemoClinic (the user's) and NorthClinic,
// and the program's main window on it once the clinic's files are there.
class TwoClinics
{
public:
    TestHome home;
    std::shared_ptr<ScriptedPrompter> ui = ScriptedPrompter::install();
    QString demo = home.path("Data/DemoClinic");
    QString north = home.path("Data/NorthClinic");
    std::unique_ptr<MainForm> window;

    TwoClinics()
    {
        Set_Wait_Skipped(true);
        home.write("Solvane.Cfg", "DEMO\r\nA0000\r\n0001\r\nDemoClinic\r\nNorthClinic\r\n");
        QDir().mkpath(demo);
        QDir().mkpath(north);
    }

    bool start()
    {
        Windows().reset();
        Join_Program_Parts();
        window = std::make_unique<MainForm>();
        return window->Form_Load(QString()) == StartupOutcome::Ready;
    }

    // "Tools", as the user opens it.
    QWidget *openTools() const
    {
        window->findChild<QAction *>("mnuTools")->trigger();
        return Windows().loaded("VerifyForm");
    }

    // The clinic picked, then "Relocate the Directory".
    static void relocate(QWidget *form, const QString &clinic)
    {
        auto *combo1 = form->findChild<QComboBox *>("Combo1");
        combo1->setCurrentIndex(combo1->findText(clinic));
        form->findChild<QPushButton *>("Command3")->click();
    }

    QComboBox *userBox() const { return window->findChild<QComboBox *>("Combo3"); }
    ScanListsPanel *lists() const { return window->findChild<ScanListsPanel *>(); }
};

} // namespace

// The move as the program joins it: "Tools" opens the window through the
// registry, the move points the main window's folder view and scan lists at
// the clinic folder, and a second move there is refused.
class TestRelocationRoad : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        Windows().reset();
        Set_Prompter(nullptr);
    }

    void toolsMovesTheJobAndTheMainWindowFollows()
    {
        TwoClinics fx;
        for (const char *name : {"12345_Ann_Lee_L.Wrl", "12345_Ann_Lee_L.Lcf", "12345_Ann_Lee_R.Obj"})
            fx.home.write(QString("Data/DemoClinic/") + name, QByteArray(200, 's'));
        fx.home.write("Data/DemoClinic/Lee_Bob_L.Wrl", QByteArray(200, 'b'));
        QVERIFY(fx.start());
        QCOMPARE(Job().CurrentFolder, fx.demo);

        ScriptRecord &job = Job();
        job.JobNumber = "DEMO0001";
        job.ClientFirstName = "Ann";
        job.ClientSurname = "Lee";
        job.LeftScanFile = fx.demo + "/12345_Ann_Lee_L.Wrl";
        job.LeftLcfFile = fx.demo + "/12345_Ann_Lee_L.Lcf";
        job.RightScanFile = fx.demo + "/12345_Ann_Lee_R.Obj";
        job.RightLcfFile = "None";
        job.LeftGraphicFile = job.RightGraphicFile = "None";
        job.CsvFile = fx.demo + "/DEMO0001_Ann_Lee.Csv";
        Write_CSV_EVA(job);
        ScanListsPanel *panel = fx.lists();
        QVERIFY(panel);
        // The tree was browsed to the clinic folder before the move: the
        // lists must read it again to show what arrived.
        panel->setFolder(fx.north);
        QCOMPARE(texts(panel->leftList()), QStringList{});
        QCOMPARE(fx.userBox()->currentText(), QString("DemoClinic"));

        QWidget *form = fx.openTools();
        QVERIFY(form && form->isVisible());
        QCOMPARE(form->findChild<QComboBox *>("Combo1")->currentText(), QString("DemoClinic"));
        fx.ui->answers << Answer::Yes;
        TwoClinics::relocate(form, "NorthClinic");

        QCOMPARE(fx.ui->messages(), QStringList{"Do You Want to Delete the Original Files?"});
        QCOMPARE(job.CurrentFolder, fx.north);
        QCOMPARE(panel->folder(), fx.north);
        // The scan lists keep the foot views' pattern: the OBJ scan shows.
        QCOMPARE(texts(panel->leftList()), (QStringList{"12345_Ann_Lee_L.Wrl", "12345_Ann_Lee_R.Obj"}));
        QCOMPARE(texts(panel->rightList()), texts(panel->leftList()));
        QVERIFY(QFile::exists(fx.north + "/DEMO0001_Ann_Lee_12345.Csv"));
        QCOMPARE(filesIn(fx.demo), QStringList{"Lee_Bob_L.Wrl"});
        QCOMPARE(job.CurrentUser, QString("NorthClinic"));
        // The user box names the clinic whose folder is shown.
        QCOMPARE(fx.userBox()->currentText(), QString("NorthClinic"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!Windows().isLoaded("VerifyForm"));

        // Again into the same clinic: refused, nothing touched.
        fx.ui->calls.clear();
        form = fx.openTools();
        QVERIFY(form);
        TwoClinics::relocate(form, "NorthClinic");

        QCOMPARE(fx.ui->messages(),
                 QStringList{"The Job is Already in " + QDir::toNativeSeparators(fx.north) + "\r\nNothing was Moved"});
        QVERIFY(Windows().loaded("VerifyForm")->isVisible());
        QCOMPARE(job.CurrentFolder, fx.north);
        QCOMPARE(filesIn(fx.north).size(), 4);
    }

    // The demo's sample job, opened from its record as "Open Script" opens
    // it, moves whole to the other clinic, and the main window follows.
    void demoSampleJobMovesWhole()
    {
        TwoClinics fx;
        QStringList job;
        for (const QString &path : samples::writeDemoJob(fx.demo, 600))
            job << Get_File_Name(path);
        QCOMPARE(filesIn(fx.demo).size(), 9);
        QVERIFY(fx.start());
        Job().CsvFile = fx.demo + "/DEMO0000_Nora_Hale.Csv";
        Read_CSV_EVA(Job());
        QCOMPARE(Job().LeftLcfFile, fx.demo + "/Hale_Nora_L.Lcf");

        QWidget *form = fx.openTools();
        QVERIFY(form);
        fx.ui->answers << Answer::Yes;
        TwoClinics::relocate(form, "NorthClinic");

        QCOMPARE(fx.ui->messages(), QStringList{"Do You Want to Delete the Original Files?"});
        QCOMPARE(filesIn(fx.demo), QStringList{});
        // The clinic's job number ("Hale", before the scan name's first "_")
        // ends the record's name already: it keeps it, naming the new folder.
        job.sort();
        QCOMPARE(filesIn(fx.north), job);
        QCOMPARE(texts(fx.lists()->leftList()), (QStringList{"Hale_Nora_L.Wrl", "Hale_Nora_R.Wrl"}));
        QCOMPARE(fx.userBox()->currentText(), QString("NorthClinic"));
        QCOMPARE(Job().CsvFile, fx.north + "/DEMO0000_Nora_Hale.Csv");
        QVERIFY(textfile::readLines(Job().CsvFile)[4].endsWith("\\Data\\NorthClinic\\Hale_Nora_L.Lcf"));
    }
};

QTEST_MAIN(TestRelocationRoad)
#include "tst_relocationroad.moc"
