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
#include <QComboBox>
#include <QDir>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

namespace {

// A working folder as tools/run.sh prepares it, with the demo scanner.
bool prepareDemoHome(const TestHome &home)
{
    Set_Wait_Skipped(true);
    home.write("Solvane.Cfg", "DEMO\r\nA0000\r\n0001\r\nDemoClinic\r\n");
    home.write("Podiatrist.Cfg", "Podiatrists\r\nDr Ann Lee\r\nEnd\r\n");
    QDir().mkpath(home.path("Data/DemoClinic"));
    const QString source = qEnvironmentVariable("SOLVANE_TEST_SOURCE_DIR");
    for (const char *name : {"Solvane.Tbl", "Solvane_Rigids.Tbl", "Help_Links.Cfg"})
        if (!QFile::copy(source + "/tools/demo-home/" + name, home.path(name)))
            return false;
    QProcess install;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("SOLVANE_MAKE_SAMPLES", SOLVANE_MAKE_SAMPLES);
    install.setProcessEnvironment(env);
    install.start("bash", {qEnvironmentVariable("SOLVANE_TEST_SOURCE_DIR") + "/tools/demo-standins.sh", home.root()});
    if (!install.waitForFinished(60000) || install.exitCode() != 0) {
        qWarning("demo-standins.sh: %s", install.readAllStandardError().constData());
        return false;
    }
    Windows().reset();
    Join_Program_Parts();
    return true;
}

// The program in such a folder, its prompter scripted; start() runs the main
// window's load.
struct DemoProgram
{
    TestHome home;
    std::shared_ptr<ScriptedPrompter> ui = ScriptedPrompter::install();
    bool prepared = prepareDemoHome(home);
    MainForm window;

    bool start() { return prepared && window.Form_Load(QString()) == StartupOutcome::Ready; }
};

} // namespace

// The intake as the program joins it, with the demo working folder's
// scanner: the "Scanner" items open the six windows, and "MiniScanner
// (EVA)" scans both feet into the foot views.
class TestIntakeRoad : public QObject
{
    Q_OBJECT

    static IntakeForm *openFromMenu(MainForm &window, const QString &item, const QString &form)
    {
        auto *action = window.findChild<QAction *>(item);
        if (!action)
            return nullptr;
        action->trigger();
        auto *intake = qobject_cast<IntakeForm *>(Windows().loaded(form));
        if (intake) {
            intake->findChild<QLineEdit *>("Text1")->setText("Ann");
            intake->findChild<QLineEdit *>("Text2")->setText("Lee");
        }
        return intake;
    }

    static void click(QWidget *form, const char *name) { form->findChild<QPushButton *>(name)->click(); }

    static QString textOf(QWidget *form, const char *name)
    {
        auto *box = form->findChild<QLineEdit *>(name);
        return box ? box->text() : QStringLiteral("<missing>");
    }

    static QString comboText(QWidget *form, const char *name)
    {
        auto *combo = form->findChild<QComboBox *>(name);
        return combo ? combo->currentText() : QStringLiteral("<missing>");
    }

private slots:
    void cleanup()
    {
        Windows().reset();
        Set_Prompter(nullptr);
    }

    void demoScannerScansBothFeetIntoTheViews()
    {
        DemoProgram program;
        QVERIFY(program.start());
        const TestHome &home = program.home;
        const auto &ui = program.ui;
        MainForm &window = program.window;
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

    // "LSR Scanner": one run of the demo scanner leaves both feet in the LSR
    // data folder; each copy shows its own copied photo.
    void demoLsrScannerScansBothFeet()
    {
        DemoProgram program;
        QVERIFY(program.start());
        const TestHome &home = program.home;
        const auto &ui = program.ui;
        MainForm &window = program.window;
        IntakeForm *form = openFromMenu(window, "mnuLSRscanner", "ScanForm4");
        QVERIFY(form);
        QVERIFY(form->isVisible());

        click(form, "Command4");

        QCOMPARE(ui->messages(), QStringList());
        const QString folder = home.path("Data/LSR_Scanner");
        for (FootSide side : {FootSide::Left, FootSide::Right}) {
            FootView *view = Loaded_Foot_View(side);
            QVERIFY(view);
            QVERIFY(view->isVisible());
            QVERIFY(view->model().objects.at(0).triangles.size() > 1000);
            const QString base = folder + "/Lee_Ann_" + Side_Letter(side);
            QCOMPARE(QString::fromStdString(view->model().objects[0].texturePath), base + "[VRML].jpg");
            QVERIFY(!QFileInfo::exists(folder + "/_" + Side_Letter(side) + ".wrl"));
        }
        QCOMPARE(form->statusText(), QString("Ready"));
        QCOMPARE(window.windowTitle(), "Scan File: " + QDir::toNativeSeparators(folder + "/Lee_Ann_R.wrl"));

        // "Prepare Script" hands the job to the prescription window, which
        // finds the scans the pick-up named.
        click(form, "Command7");

        QVERIFY2(ui->messages().isEmpty(), qPrintable(ui->messages().join(" | ")));
        QVERIFY(Windows().isLoaded("ScriptForm1"));
        QCOMPARE(Job().LeftLcfFile, folder + "/Lee_Ann_L.Lcf");
        QCOMPARE(Job().LeftScanFile, folder + "/Lee_Ann_L.wrl");
        QCOMPARE(Job().RightScanFile, folder + "/Lee_Ann_R.wrl");
    }

    // "Pellmar Scanner (EVA)" and "(Rigid)": one foot a run, the sole image
    // written, a scanned foot refused until the other menu item clears the
    // flags.
    void demoPellmarScannerScansOneFootARun()
    {
        DemoProgram program;
        QVERIFY(program.start());
        const TestHome &home = program.home;
        const auto &ui = program.ui;
        MainForm &window = program.window;
        IntakeForm *eva = openFromMenu(window, "mnuPellmar1", "ScanForm5");
        QVERIFY(eva);

        click(eva, "Command4");
        click(eva, "Command5");

        QCOMPARE(ui->messages(), QStringList());
        const QString demo = home.path("Data/DemoClinic");
        for (FootSide side : {FootSide::Left, FootSide::Right}) {
            FootView *view = Loaded_Foot_View(side);
            QVERIFY(view);
            QVERIFY(view->model().objects.at(0).triangles.size() > 1000);
            // The demo's Pellmar scans carry colours, as the scanner's do.
            QVERIFY(view->model().objects[0].hasColours());
            const QString base = demo + "/Lee_Ann_" + Side_Letter(side);
            QVERIFY(QFileInfo::exists(base + ".Lcf"));
            QImage sole;
            QVERIFY(sole.load(base + ".Jpg", "JPG"));
        }
        QVERIFY(Job().ScannedFlagL && Job().ScannedFlagR);

        click(eva, "Command4");
        QCOMPARE(ui->messages(), QStringList("Left Foot Has Already Been Scanned"));

        IntakeForm *rigid = openFromMenu(window, "mnuPellmar2", "ScanForm6");
        QVERIFY(rigid);
        QVERIFY(!Job().ScannedFlagL && !Job().ScannedFlagR);
        click(rigid, "Command4");
        QCOMPARE(ui->messages().size(), 1);
        QVERIFY(Job().ScannedFlagL);
    }

    // "Prepare Script" opens the prescription window on the intake window's
    // client: names, gender (and so the template lengths), podiatrist and
    // clinic; an open prescription window takes the next client.
    void prepareOpensThePrescriptionWindowOnTheClient_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("prescription");
        QTest::addColumn<QString>("controlPrefix");
        QTest::addColumn<QString>("filePrefix");
        QTest::newRow("Pellmar rigid") << "mnuPellmar2"
                                       << "ScanForm6"
                                       << "Command8"
                                       << "ScriptForm2"
                                       << "r"
                                       << "R_";
        QTest::newRow("Ruru-Zirorur rigid") << "mnuScanner3"
                                            << "ScanForm3"
                                            << "Command7"
                                            << "ScriptForm2"
                                            << "r"
                                            << "R_";
        QTest::newRow("Pellmar EVA") << "mnuPellmar1"
                                     << "ScanForm5"
                                     << "Command7"
                                     << "ScriptForm1"
                                     << ""
                                     << "";
    }
    void prepareOpensThePrescriptionWindowOnTheClient()
    {
        QFETCH(QString, item);
        QFETCH(QString, window);
        QFETCH(QString, button);
        QFETCH(QString, prescription);
        QFETCH(QString, controlPrefix);
        QFETCH(QString, filePrefix);
        auto name = [&](const char *control) { return QByteArray(qPrintable(controlPrefix + control)); };
        DemoProgram program;
        QVERIFY(program.start());
        const auto &ui = program.ui;
        IntakeForm *intake = openFromMenu(program.window, item, window);
        QVERIFY(intake);
        QCOMPARE(comboText(intake, "Combo1_0"), QString("9"));
        QTest::mouseDClick(intake->findChild<QLineEdit *>("Text8"), Qt::LeftButton);
        QCOMPARE(textOf(intake, "Text8"), QString("Female"));
        intake->findChild<QComboBox *>("Combo2")->setEditText("Dr Kim Shaw");
        intake->findChild<QComboBox *>("Combo3")->setEditText("Harbour Clinic");

        click(intake, qPrintable(button));

        QVERIFY2(ui->messages().isEmpty(), qPrintable(ui->messages().join(" | ")));
        QWidget *form = Windows().loaded(prescription);
        QVERIFY(form && form->isVisible());
        QCOMPARE(Job().Gender, QString("Female"));
        QCOMPARE(Job().TemplateLengthL, 253.0);
        QCOMPARE(Job().PodiatristName, QString("Dr Kim Shaw"));
        QCOMPARE(Job().ClinicName, QString("Harbour Clinic"));
        QCOMPARE(comboText(form, name("Combo2")), QString("Dr Kim Shaw"));
        QCOMPARE(comboText(form, name("Combo3")), QString("Harbour Clinic"));
        QCOMPARE(textOf(form, name("Text49")), QString("Lee"));

        // The next client, with the prescription window still open.
        intake->findChild<QLineEdit *>("Text1")->setText("Bo");
        intake->findChild<QLineEdit *>("Text2")->setText("Okafor");
        QTest::mouseDClick(intake->findChild<QLineEdit *>("Text8"), Qt::LeftButton);
        intake->findChild<QComboBox *>("Combo2")->setEditText("Dr Ann Lee");
        click(intake, qPrintable(button));

        QVERIFY2(ui->messages().isEmpty(), qPrintable(ui->messages().join(" | ")));
        QCOMPARE(Windows().loaded(prescription), form);
        QCOMPARE(textOf(form, name("Text38")), QString("Bo"));
        QCOMPARE(textOf(form, name("Text49")), QString("Okafor"));
        QVERIFY(textOf(form, name("Text2")).endsWith(filePrefix + "DEMO0001_Bo_Okafor.Pdf"));
        QCOMPARE(comboText(form, name("Combo2")), QString("Dr Ann Lee"));
        QCOMPARE(Job().Gender, QString("Male"));
        QCOMPARE(Job().TemplateLengthL, 270.0);
    }

    // After "Prepare Script" the job number box shows the counter's number
    // again, though the record (and the window it opened) keep the typed one.
    void prepareShowsTheCounterJobNumberAfterwards_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("button");
        QTest::newRow("ScanForm2") << "mnuScanner2"
                                   << "ScanForm2"
                                   << "Command5";
        QTest::newRow("ScanForm3") << "mnuScanner3"
                                   << "ScanForm3"
                                   << "Command7";
        QTest::newRow("ScanForm4") << "mnuLSRscanner"
                                   << "ScanForm4"
                                   << "Command7";
        QTest::newRow("ScanForm5") << "mnuPellmar1"
                                   << "ScanForm5"
                                   << "Command7";
        QTest::newRow("ScanForm6") << "mnuPellmar2"
                                   << "ScanForm6"
                                   << "Command8";
    }
    void prepareShowsTheCounterJobNumberAfterwards()
    {
        QFETCH(QString, item);
        QFETCH(QString, window);
        QFETCH(QString, button);
        DemoProgram program;
        QVERIFY(program.start());
        QVERIFY(QDir().mkpath(program.home.path("Data/LSR_Scanner"))); // the LSR scanner's data folder
        IntakeForm *intake = openFromMenu(program.window, item, window);
        QVERIFY(intake);
        intake->findChild<QLineEdit *>("Text3")->setText("AB/0099");

        click(intake, qPrintable(button));

        QVERIFY2(program.ui->messages().isEmpty(), qPrintable(program.ui->messages().join(" | ")));
        QVERIFY(QFileInfo(Job().PreparedCsvFile).fileName().contains("AB_0099_Ann_Lee"));
        QVERIFY(QFileInfo::exists(Job().PreparedCsvFile));
        QCOMPARE(textOf(intake, "Text3"), QString("DEMO0001"));
    }
};

QTEST_MAIN(TestIntakeRoad)
#include "tst_intakeroad.moc"
