#include "intaketestsupport.h"

#include "paths.h"
#include "standin.h"

#include <QDir>
#include <QTimer>

#include <filesystem>

namespace {

// The three files the Ruru-Zirorur program leaves for a scan N in folder F.
QStringList scannerOutput(const QString &folderF, const QString &baseN)
{
    const QString sub = folderF + baseN + u'/';
    return {sub + baseN + QStringLiteral(".Wrl"), sub + baseN + QStringLiteral("[VRML].Jpg"),
            sub + QStringLiteral("DPICalibrated-") + baseN + QStringLiteral("[VRML].Jpg")};
}

struct PickUpFixture : IntakeFixture
{
    QString log = home.path(QStringLiteral("standin.log"));
    QString program; // the stand-in where "MiniScanner.Cfg" sends the scan

    PickUpFixture()
    {
        program =
            Standin::install(From_Windows_Path(QStringLiteral("C:\\Scansoft\\Bin")), QStringLiteral("Scansoft.exe"));
    }
    ~PickUpFixture()
    {
        for (const char *key : {"STANDIN_LOG", "STANDIN_MODE", "STANDIN_WRITE"})
            qunsetenv(key);
    }

    IntakeForm *client(const QString &window, const QString &first, const QString &surname)
    {
        IntakeForm *form = open(window);
        box(form, QStringLiteral("Text1"))->setText(first);
        box(form, QStringLiteral("Text2"))->setText(surname);
        return form;
    }
};

} // namespace

class TestRuruPickUp : public QObject
{
    Q_OBJECT

private slots:
    void pickUp_data();
    void pickUp();
    void namesReachTheScannerWhole_data();
    void namesReachTheScannerWhole();
    void windowScansWithItsOwnSettings();
    void stopWaitingGoesOnAsForNothingLeft();
    void extraFileKeepsTheSubFolder();
    void secondNameOfTheTargetLeavesTheSubFolder();
    void scanFoot_data();
    void scanFoot();
};

void TestRuruPickUp::pickUp_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("side");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<bool>("loaded");

    const QString missingScan = QStringLiteral("Scan File Was Not Found");
    const QString missingTexture = QStringLiteral("Texture File Was Not Found");
    const QString missingDpi = QStringLiteral("DPI File Was Not Found");
    const QString error = QStringLiteral("MiniScanner Application Error");
    QTest::newRow("ok, left") << "ScanForm2" << 0 << "ok" << QStringList() << true;
    QTest::newRow("ok, right, rigid window") << "ScanForm3" << 1 << "ok" << QStringList() << true;
    QTest::newRow("none") << "ScanForm2" << 1 << "none" << QStringList({missingScan, missingTexture, missingDpi, error})
                          << false;
    QTest::newRow("partial") << "ScanForm3" << 0 << "partial" << QStringList({missingTexture, missingDpi}) << true;
    QTest::newRow("fail") << "ScanForm2" << 0 << "fail" << QStringList({missingScan, missingTexture, missingDpi, error})
                          << false;
}

void TestRuruPickUp::pickUp()
{
    QFETCH(QString, window);
    QFETCH(int, side);
    QFETCH(QString, mode);
    QFETCH(QStringList, messages);
    QFETCH(bool, loaded);
    PickUpFixture fx;
    const QString folderF = fx.home.path(QStringLiteral("Data/"));
    const QString baseN = side == 0 ? QStringLiteral("Lee_Ann_L") : QStringLiteral("Lee_Ann_R");
    // An older scan of the same foot is replaced.
    fx.home.write(QStringLiteral("Data/") + baseN + QStringLiteral(".Wrl"), "older scan");
    Standin::configure(fx.log, mode, scannerOutput(folderF, baseN));
    IntakeForm *form = fx.client(window, QStringLiteral("Ann"), QStringLiteral("Lee"));

    button(form, side == 0 ? QStringLiteral("Command4") : QStringLiteral("Command6"))->click();

    QCOMPARE(fx.prompter->messages(), messages);
    const QString title = side == 0 ? QStringLiteral("Left") : QStringLiteral("Right");
    for (const ScriptedPrompter::Call &call : fx.prompter->calls)
        QCOMPARE(call.title,
                 call.text == QLatin1String("MiniScanner Application Error") ? QStringLiteral("Error") : title);
    // Both name boxes are rebuilt whichever foot is scanned.
    QCOMPARE(box(form, QStringLiteral("Text9"))->text(), QStringLiteral("Lee_Ann_L"));
    QCOMPARE(box(form, QStringLiteral("Text10"))->text(), QStringLiteral("Lee_Ann_R"));

    // The scanner ran once, with the scan file and "-x", in its own folder.
    const QList<Standin::Run> runs = Standin::readLog(fx.log);
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs[0].args, QStringList({folderF + baseN + QStringLiteral(".Wrl"), QStringLiteral("-x")}));
    QCOMPARE(QDir(runs[0].cwd).canonicalPath(), QFileInfo(fx.program).canonicalPath());
    QCOMPARE(fx.home.read(QStringLiteral("Scanner.Bat")),
             (QDir::toNativeSeparators(fx.program) + u' ' + QDir::toNativeSeparators(folderF) + baseN
              + QStringLiteral(".Wrl -x\r\n"))
                 .toUtf8());

    const QString load = side == 0 ? QStringLiteral("Load_Left_Foot") : QStringLiteral("Load_Right_Foot");
    QCOMPARE(fx.shell.calls.contains(load), loaded);
    if (!loaded) {
        QCOMPARE(fx.home.read(QStringLiteral("Data/") + baseN + QStringLiteral(".Wrl")), QByteArray("older scan"));
        return;
    }
    QCOMPARE(fx.shell.calls, QStringList({QStringLiteral("Refresh_File_Lists"), load}));
    QVERIFY(!QFileInfo::exists(folderF + baseN));
    QCOMPARE(fx.home.read(QStringLiteral("Data/") + baseN + QStringLiteral(".Wrl")).left(7), QByteArray("Written"));
    QCOMPARE(QFileInfo::exists(folderF + QStringLiteral("DPICalibrated-") + baseN + QStringLiteral("[VRML].Jpg")),
             mode == QLatin1String("ok"));
    const ScriptRecord &job = Job();
    QCOMPARE(side == 0 ? job.LeftScanFileName : job.RightScanFileName, baseN + QStringLiteral(".Wrl"));
    QCOMPARE(side == 0 ? job.LeftLcfFile : job.RightLcfFile, folderF + baseN + QStringLiteral(".Lcf"));
    QCOMPARE(side == 0 ? job.LeftGraphicFile : job.RightGraphicFile, folderF + baseN + QStringLiteral("[VRML].Jpg"));
    QVERIFY(job.BrennickFlag);
}

void TestRuruPickUp::namesReachTheScannerWhole_data()
{
    QTest::addColumn<QString>("surname");
    QTest::addColumn<QString>("baseN");
    QTest::newRow("shell characters") << "x;touch Y"
                                      << "x;touch Y_Ann_L";
    QTest::newRow("substitution") << "$(touch Y)`touch Y`"
                                  << "$(touch Y)`touch Y`_Ann_L";
    QTest::newRow("climbing out") << "../../up"
                                  << ".._.._up_Ann_L";
}

void TestRuruPickUp::namesReachTheScannerWhole()
{
    QFETCH(QString, surname);
    QFETCH(QString, baseN);
    PickUpFixture fx;
    const QString folderF = fx.home.path(QStringLiteral("Data/"));
    Standin::configure(fx.log, QStringLiteral("ok"), scannerOutput(folderF, baseN));
    IntakeForm *form = fx.client(QStringLiteral("ScanForm2"), QStringLiteral("Ann"), surname);

    button(form, QStringLiteral("Command4"))->click();

    // The box shows the name as typed; the files stay in the job folder.
    QCOMPARE(box(form, QStringLiteral("Text9"))->text(), surname + QStringLiteral("_Ann_L"));
    const QList<Standin::Run> runs = Standin::readLog(fx.log);
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs[0].args, QStringList({folderF + baseN + QStringLiteral(".Wrl"), QStringLiteral("-x")}));
    const bool written = !baseN.contains(u';');
    QCOMPARE(fx.prompter->messages().isEmpty(), written);
    QCOMPARE(QFileInfo::exists(folderF + baseN + QStringLiteral(".Wrl")), written);
    for (const QString &folder : {fx.home.root(), folderF, QFileInfo(fx.program).path()})
        QVERIFY(!QFileInfo::exists(Join_Path(folder, QStringLiteral("Y"))));
}

void TestRuruPickUp::windowScansWithItsOwnSettings()
{
    PickUpFixture fx;
    IntakeForm *form = fx.client(QStringLiteral("ScanForm2"), QStringLiteral("Ann"), QStringLiteral("Lee"));
    // A Pellmar window opened later loads its own program and drop folder.
    fx.open(QStringLiteral("ScanForm5"));
    QVERIFY(Job().ScannerProgram.contains(QLatin1String("Pellmar")));
    // The job moved to another clinic's folder since the window opened.
    const QString folderF = fx.home.path(QStringLiteral("Data/Clinic2/"));
    QDir().mkpath(folderF);
    Job().CurrentFolder = fx.home.path(QStringLiteral("Data/Clinic2"));
    Standin::configure(fx.log, QStringLiteral("ok"), scannerOutput(folderF, QStringLiteral("Lee_Ann_R")));

    button(form, QStringLiteral("Command6"))->click();

    const QList<Standin::Run> runs = Standin::readLog(fx.log);
    QCOMPARE(runs.size(), 1);
    QCOMPARE(runs[0].name, QStringLiteral("Scansoft.exe"));
    QCOMPARE(runs[0].args.first(), folderF + QStringLiteral("Lee_Ann_R.Wrl"));
    QCOMPARE(Job().ScannerProgram, fx.program);
    QVERIFY(QFileInfo::exists(folderF + QStringLiteral("Lee_Ann_R.Wrl")));
    QVERIFY(fx.shell.calls.contains(QStringLiteral("Load_Right_Foot")));
}

void TestRuruPickUp::stopWaitingGoesOnAsForNothingLeft()
{
    PickUpFixture fx;
    const QString folderF = fx.home.path(QStringLiteral("Data/"));
    Standin::configure(fx.log, QStringLiteral("hang"), scannerOutput(folderF, QStringLiteral("Lee_Ann_L")));
    IntakeForm *form = fx.client(QStringLiteral("ScanForm2"), QStringLiteral("Ann"), QStringLiteral("Lee"));
    fx.prompter->answers << Prompter::Answer::Yes;
    QTimer::singleShot(300, [] {
        QWidget *wait = QApplication::activeModalWidget();
        QVERIFY(wait);
        auto *stop = wait->findChild<QPushButton *>(QStringLiteral("StopWaiting"));
        QVERIFY(stop);
        stop->click();
    });

    button(form, QStringLiteral("Command4"))->click();

    const QStringList messages = fx.prompter->messages();
    QCOMPARE(messages.size(), 5);
    QVERIFY(messages[0].startsWith(QStringLiteral("Stop waiting for")));
    QCOMPARE(messages.mid(1),
             QStringList({QStringLiteral("Scan File Was Not Found"), QStringLiteral("Texture File Was Not Found"),
                          QStringLiteral("DPI File Was Not Found"), QStringLiteral("MiniScanner Application Error")}));
    QVERIFY(!fx.shell.calls.contains(QStringLiteral("Load_Left_Foot")));
}

void TestRuruPickUp::extraFileKeepsTheSubFolder()
{
    PickUpFixture fx;
    const QString folderF = fx.home.path(QStringLiteral("Data/"));
    const QStringList output = scannerOutput(folderF, QStringLiteral("Lee_Ann_L"))
                               << folderF + QStringLiteral("Lee_Ann_L/Settings.ini");
    Standin::configure(fx.log, QStringLiteral("ok"), output);
    IntakeForm *form = fx.client(QStringLiteral("ScanForm2"), QStringLiteral("Ann"), QStringLiteral("Lee"));

    button(form, QStringLiteral("Command4"))->click();

    // Three files moved up; the folder keeps what it still holds, and the
    // foot is not loaded.
    QCOMPARE(fx.prompter->messages(), QStringList(QStringLiteral("MiniScanner Application Error")));
    QVERIFY(QFileInfo::exists(folderF + QStringLiteral("Lee_Ann_L/Settings.ini")));
    QVERIFY(QFileInfo::exists(folderF + QStringLiteral("Lee_Ann_L.Wrl")));
    QVERIFY(!QFileInfo::exists(folderF + QStringLiteral("Lee_Ann_L/Lee_Ann_L.Wrl")));
    QVERIFY(fx.shell.calls.isEmpty());
    QVERIFY(Last_Status().contains(QLatin1String("not empty")));
}

void TestRuruPickUp::secondNameOfTheTargetLeavesTheSubFolder()
{
    IntakeFixture fx;
    const QString folderF = fx.home.path(QStringLiteral("Data/"));
    const QStringList output = scannerOutput(folderF, QStringLiteral("Lee_Ann_L"));
    for (const QString &file : output)
        fx.home.write(file.mid(fx.home.root().size() + 1), "scan");
    // The scan already in the data folder is the same file under a second name.
    std::filesystem::create_hard_link(output[0].toStdString(),
                                      (folderF + QStringLiteral("Lee_Ann_L.Wrl")).toStdString());
    ScriptRecord &job = Job();
    job.ScannerDataFolder = folderF;
    job.ScanBaseName = QStringLiteral("Lee_Ann_L");

    QCOMPARE(Pick_Up_Ruru_Scan(job, 0), PickUpOutcome::Loaded);

    QVERIFY(!QFileInfo::exists(folderF + QStringLiteral("Lee_Ann_L")));
    QCOMPARE(fx.home.read(QStringLiteral("Data/Lee_Ann_L.Wrl")), QByteArray("scan"));
}

void TestRuruPickUp::scanFoot_data()
{
    QTest::addColumn<bool>("software");
    QTest::addColumn<bool>("starter");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("runs");
    QTest::newRow("both") << true << true << QStringList() << 2;
    QTest::newRow("no software") << false << true
                                 << QStringList(QStringLiteral("The MiniScanner Software was Not Found")) << 0;
    QTest::newRow("no starter") << true << false << QStringList(QStringLiteral("MiniScanner Application Error")) << 1;
}

void TestRuruPickUp::scanFoot()
{
    QFETCH(bool, software);
    QFETCH(bool, starter);
    QFETCH(QStringList, messages);
    QFETCH(int, runs);
    IntakeFixture fx;
    const QString log = fx.home.path(QStringLiteral("standin.log"));
    Standin::configure(log);
    if (software)
        Standin::install(From_Windows_Path(QStringLiteral("C:\\Program Files\\Scansoft\\Bin")),
                         QStringLiteral("Scansoft.exe"));
    if (starter)
        Standin::install(fx.home.root(), QStringLiteral("StartScanner.Exe"));
    IntakeForm *form = fx.open(QStringLiteral("ScanForm"));

    button(form, QStringLiteral("Command4"))->click();

    QCOMPARE(fx.prompter->messages(), messages);
    QCOMPARE(fx.shell.calls.contains(QStringLiteral("Minimize_Main_Window")), software);
    // Both programs run on their own; the window is back at once.
    QTRY_COMPARE(Standin::readLog(log).size(), runs);
    if (runs == 2) {
        QCOMPARE(Standin::readLog(log)[0].name, QStringLiteral("Scansoft.exe"));
        QCOMPARE(Standin::readLog(log)[1].name, QStringLiteral("StartScanner.Exe"));
    }
    qunsetenv("STANDIN_LOG");
}

QTEST_MAIN(TestRuruPickUp)
#include "tst_rurupickup.moc"
