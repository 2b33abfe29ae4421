#include "csveva.h"
#include "mainwindow.h"
#include "programparts.h"
#include "scanlistspanel.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QAction>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

using Answer = Prompter::Answer;

namespace {

QStringList texts(const QListWidget *list)
{
    QStringList out;
    for (int i = 0; i < list->count(); ++i)
        out << list->item(i)->text();
    return out;
}

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
        TestHome home;
        auto ui = ScriptedPrompter::install();
        Set_Wait_Skipped(true);
        home.write("Solvane.Cfg", "DEMO\r\nA0000\r\n0001\r\nDemoClinic\r\nNorthClinic\r\n");
        const QString demo = home.path("Data/DemoClinic");
        const QString north = home.path("Data/NorthClinic");
        QDir().mkpath(north);
        for (const char *name : {"12345_Ann_Lee_L.Wrl", "12345_Ann_Lee_L.Lcf", "12345_Ann_Lee_R.Obj"})
            home.write(QString("Data/DemoClinic/") + name, QByteArray(200, 's'));
        home.write("Data/DemoClinic/Lee_Bob_L.Wrl", QByteArray(200, 'b'));
        Windows().reset();
        Join_Program_Parts();
        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::Ready);
        QCOMPARE(Job().CurrentFolder, demo);

        ScriptRecord &job = Job();
        job.JobNumber = "DEMO0001";
        job.ClientFirstName = "Ann";
        job.ClientSurname = "Lee";
        job.LeftScanFile = demo + "/12345_Ann_Lee_L.Wrl";
        job.LeftLcfFile = demo + "/12345_Ann_Lee_L.Lcf";
        job.RightScanFile = demo + "/12345_Ann_Lee_R.Obj";
        job.RightLcfFile = "None";
        job.LeftGraphicFile = job.RightGraphicFile = "None";
        job.CsvFile = demo + "/DEMO0001_Ann_Lee.Csv";
        Write_CSV_EVA(job);
        auto *panel = window.findChild<ScanListsPanel *>();
        QVERIFY(panel);
        // The tree was browsed to the clinic folder before the move: the
        // lists must read it again to show what arrived.
        panel->setFolder(north);
        QCOMPARE(texts(panel->leftList()), QStringList{});

        window.findChild<QAction *>("mnuTools")->trigger();
        QWidget *form = Windows().loaded("VerifyForm");
        QVERIFY(form && form->isVisible());
        auto *combo1 = form->findChild<QComboBox *>("Combo1");
        QCOMPARE(combo1->currentText(), QString("DemoClinic"));
        combo1->setCurrentIndex(combo1->findText("NorthClinic"));
        ui->answers << Answer::Yes;
        form->findChild<QPushButton *>("Command3")->click();

        QCOMPARE(ui->messages(), QStringList{"Do You Want to Delete the Original Files?"});
        QCOMPARE(job.CurrentFolder, north);
        QCOMPARE(panel->folder(), north);
        // The scan lists keep the foot views' pattern: the OBJ scan shows.
        QCOMPARE(texts(panel->leftList()), (QStringList{"12345_Ann_Lee_L.Wrl", "12345_Ann_Lee_R.Obj"}));
        QCOMPARE(texts(panel->rightList()), texts(panel->leftList()));
        QVERIFY(QFile::exists(north + "/DEMO0001_Ann_Lee_12345.Csv"));
        QCOMPARE(QDir(demo).entryList(QDir::Files), QStringList{"Lee_Bob_L.Wrl"});
        QCOMPARE(job.CurrentUser, QString("NorthClinic"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!Windows().isLoaded("VerifyForm"));

        // Again into the same clinic: refused, nothing touched.
        ui->calls.clear();
        window.findChild<QAction *>("mnuTools")->trigger();
        form = Windows().loaded("VerifyForm");
        QVERIFY(form);
        combo1 = form->findChild<QComboBox *>("Combo1");
        combo1->setCurrentIndex(combo1->findText("NorthClinic"));
        form->findChild<QPushButton *>("Command3")->click();

        QCOMPARE(ui->messages(),
                 QStringList{"The Job is Already in " + QDir::toNativeSeparators(north) + "\r\nNothing was Moved"});
        QVERIFY(Windows().loaded("VerifyForm")->isVisible());
        QCOMPARE(job.CurrentFolder, north);
        QCOMPARE(QDir(north).entryList(QDir::Files).size(), 4);
    }
};

QTEST_MAIN(TestRelocationRoad)
#include "tst_relocationroad.moc"
