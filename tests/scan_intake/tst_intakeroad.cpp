#include "footviewinterface.h"
#include "intakeform.h"
#include "mainwindow.h"
#include "programparts.h"
#include "scriptedprompter.h"
#include "scriptrecord.h"
#include "shellhelpers.h"
#include "testhome.h"
#include "windowregistry.h"

#include <QAction>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

// The intake as the program joins it, with the demo working folder's
// scanner: the "Scanner" items open the six windows, and "MiniScanner
// (EVA)" scans both feet into the foot views.
class TestIntakeRoad : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        Windows().reset();
        Set_Prompter(nullptr);
    }

    void demoScannerScansBothFeetIntoTheViews()
    {
        TestHome home;
        auto ui = ScriptedPrompter::install();
        Set_Wait_Skipped(true);
        home.write("Solvane.Cfg", "DEMO\r\nA0000\r\n0001\r\nDemoClinic\r\n");
        home.write("Podiatrist.Cfg", "Podiatrists\r\nDr Ann Lee\r\nEnd\r\n");
        QDir().mkpath(home.path("Data/DemoClinic"));
        QProcess install;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("SOLVANE_MAKE_SAMPLES", SOLVANE_MAKE_SAMPLES);
        install.setProcessEnvironment(env);
        install.start("bash",
                      {qEnvironmentVariable("SOLVANE_TEST_SOURCE_DIR") + "/tools/demo-standins.sh", home.root()});
        QVERIFY(install.waitForFinished(60000));
        QCOMPARE(install.exitCode(), 0);

        Windows().reset();
        Join_Program_Parts();
        MainForm window;
        QCOMPARE(window.Form_Load(QString()), StartupOutcome::Ready);
        const QString demo = home.path("Data/DemoClinic");
        QCOMPARE(Job().CurrentFolder, demo);

        const QStringList items = {"mnuScanner1",   "mnuScanner2", "mnuScanner3",
                                   "mnuLSRscanner", "mnuPellmar1", "mnuPellmar2"};
        for (const QString &item : items) {
            auto *action = window.findChild<QAction *>(item);
            QVERIFY(action);
            action->trigger();
        }
        for (const IntakeVariant &variant : Intake_Variants())
            QVERIFY2(Windows().isLoaded(variant.window), qPrintable(variant.window));
        QVERIFY(ui->calls.isEmpty());

        // The windows share the counter; the last one opened showed DEMO0001.
        auto *form = Windows().get<IntakeForm>("ScanForm2");
        form->findChild<QPushButton *>("Command3")->click();
        QCOMPARE(form->findChild<QLineEdit *>("Text3")->text(), QString("DEMO0002"));
        form->findChild<QLineEdit *>("Text1")->setText("Ann");
        form->findChild<QLineEdit *>("Text2")->setText("Lee");

        form->findChild<QPushButton *>("Command4")->click();
        form->findChild<QPushButton *>("Command6")->click();

        QCOMPARE(ui->messages(), QStringList());
        for (FootSide side : {FootSide::Left, FootSide::Right}) {
            FootView *view = Loaded_Foot_View(side);
            QVERIFY(view);
            QVERIFY(!view->model().objects.empty());
            QVERIFY(view->model().objects[0].triangles.size() > 1000);
        }
        QCOMPARE(Job().LeftScanFile, demo + "/Lee_Ann_L.Wrl");
        QCOMPARE(Job().RightScanFile, demo + "/Lee_Ann_R.Wrl");
        QCOMPARE(Job().RightGraphicFile, demo + "/Lee_Ann_R[VRML].Jpg");
        QVERIFY(Job().BrennickFlag);
        QVERIFY(QFileInfo::exists(demo + "/DPICalibrated-Lee_Ann_L[VRML].Jpg"));
        QVERIFY(!QFileInfo::exists(demo + "/Lee_Ann_L"));
        QVERIFY(home.read("Scanner.Bat").endsWith("Lee_Ann_R.Wrl -x\r\n"));
    }
};

QTEST_MAIN(TestIntakeRoad)
#include "tst_intakeroad.moc"
