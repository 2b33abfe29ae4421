#include "paths.h"
#include "scannersettings.h"
#include "scriptrecord.h"
#include "testhome.h"

#include <QtTest>

namespace {

// "<root>" in an expected value stands for the test's working folder.
QString expand(const TestHome &home, QString text)
{
    return text.replace(QStringLiteral("<root>"), home.root());
}

} // namespace

class TestScannerSettings : public QObject
{
    Q_OBJECT

private slots:
    void windowsPathsMapUnderTheWorkingFolder_data();
    void windowsPathsMapUnderTheWorkingFolder();
    void configurationReadOrCreated_data();
    void configurationReadOrCreated();
    void firstWindowSetsTheFileForTheOthers();
    void eachWindowKeepsItsOwnValues();
};

void TestScannerSettings::windowsPathsMapUnderTheWorkingFolder_data()
{
    QTest::addColumn<QString>("windowsPath");
    QTest::addColumn<QString>("expected");
#ifndef Q_OS_WIN
    QTest::newRow("program") << "C:\\Scansoft\\Bin\\Scansoft.exe"
                             << "<root>/External/Scansoft/Bin/Scansoft.exe";
    QTest::newRow("blanks kept") << "C:\\Program Files\\Scansoft\\Bin\\Scansoft.exe"
                                 << "<root>/External/Program Files/Scansoft/Bin/Scansoft.exe";
    QTest::newRow("folder keeps its separator") << "C:\\KOVA_Datastore\\DataDrop\\"
                                                << "<root>/External/KOVA_Datastore/DataDrop/";
    QTest::newRow("other drive") << "d:\\Scan\\x.exe"
                                 << "<root>/External/Scan/x.exe";
#endif
    QTest::newRow("working folder") << "C:\\3DEriruvu\\Data\\LSR_Scanner\\"
                                    << "<root>/Data/LSR_Scanner/";
    QTest::newRow("working folder, any case") << "c:\\3deriruvu\\StartScanner.Exe"
                                              << "<root>/StartScanner.Exe";
    QTest::newRow("local path kept") << "/opt/scanner/run"
                                     << "/opt/scanner/run";
    QTest::newRow("relative kept") << "Bin\\Scan.exe"
                                   << "Bin\\Scan.exe";
}

void TestScannerSettings::windowsPathsMapUnderTheWorkingFolder()
{
    QFETCH(QString, windowsPath);
    QFETCH(QString, expected);
    TestHome home;
    QCOMPARE(From_Windows_Path(windowsPath), expand(home, expected));
}

void TestScannerSettings::configurationReadOrCreated_data()
{
    QTest::addColumn<int>("scanner");
    QTest::addColumn<QByteArray>("fileBefore"); // empty: no file
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("dataFolder"); // ScannerDataFolder in the job
    QTest::addColumn<QByteArray>("fileAfter");

    const int ruru = int(IntakeScanner::RuruZirorur), lsr = int(IntakeScanner::Lsr),
              pellmar = int(IntakeScanner::Pellmar);
    const QByteArray ruruDefaults = "C:\\Scansoft\\Bin\\Scansoft.exe\r\nC:\\3DEriruvu\\Data\\\r\n";
    const QByteArray lsrDefaults = "C:\\LSR 3D Foot Scan\\Bin\\LSR_3D_Foot_Scan.exe\r\n"
                                   "C:\\3DEriruvu\\Data\\LSR_Scanner\\\r\n";
    const QByteArray pellmarDefaults = "C:\\KOVA_Datastore\\PellmarBrennickScannerControlPopUp.V0.99b.exe\r\n"
                                       "C:\\KOVA_Datastore\\DataDrop\\\r\n";
#ifndef Q_OS_WIN
    QTest::newRow("Ruru-Zirorur creates") << ruru << QByteArray() << "<root>/External/Scansoft/Bin/Scansoft.exe"
                                          << "<root>/Data/Clinic1/" << ruruDefaults;
    QTest::newRow("LSR creates") << lsr << QByteArray() << "<root>/External/LSR 3D Foot Scan/Bin/LSR_3D_Foot_Scan.exe"
                                 << "<root>/Data/LSR_Scanner/" << lsrDefaults;
    QTest::newRow("Pellmar creates") << pellmar << QByteArray()
                                     << "<root>/External/KOVA_Datastore/PellmarBrennickScannerControlPopUp.V0.99b.exe"
                                     << "<root>/External/KOVA_Datastore/DataDrop/" << pellmarDefaults;
    QTest::newRow("one line keeps the default folder")
        << lsr << QByteArray("D:\\Other\\scan.exe\r\n") << "<root>/External/Other/scan.exe"
        << "<root>/Data/LSR_Scanner/" << QByteArray("D:\\Other\\scan.exe\r\n");
    QTest::newRow("blank lines keep the defaults, not rewritten")
        << lsr << QByteArray("\r\n  \r\n") << "<root>/External/LSR 3D Foot Scan/Bin/LSR_3D_Foot_Scan.exe"
        << "<root>/Data/LSR_Scanner/" << QByteArray("\r\n  \r\n");
#endif
    const QByteArray existing = "/opt/scan/run\r\nC:\\3DEriruvu\\Data\\Clinic9\\\r\nignored\r\n";
    QTest::newRow("LSR reads an existing file") << lsr << existing << "/opt/scan/run"
                                                << "<root>/Data/Clinic9/" << existing;
    QTest::newRow("Ruru-Zirorur scans into the job folder") << ruru << existing << "/opt/scan/run"
                                                            << "<root>/Data/Clinic1/" << existing;
    QTest::newRow("quotes dropped, LF ends")
        << lsr << QByteArray("\"/opt/my scan/run\"\n/srv/scans/\n") << "/opt/my scan/run"
        << "/srv/scans/" << QByteArray("\"/opt/my scan/run\"\n/srv/scans/\n");
    QTest::newRow("Pellmar drop folder joined with a separator")
        << pellmar << QByteArray("/opt/pellmar\r\n/srv/Drop\r\n") << "/opt/pellmar"
        << "/srv/Drop/" << QByteArray("/opt/pellmar\r\n/srv/Drop\r\n");
}

void TestScannerSettings::configurationReadOrCreated()
{
    QFETCH(int, scanner);
    QFETCH(QByteArray, fileBefore);
    QFETCH(QString, program);
    QFETCH(QString, dataFolder);
    QFETCH(QByteArray, fileAfter);
    TestHome home;
    const auto kind = IntakeScanner(scanner);
    const QString fileName = Scanner_Config_Defaults(kind).fileName;
    if (!fileBefore.isEmpty())
        home.write(fileName, fileBefore);
    ScriptRecord job;
    job.DataFolder = home.path(QStringLiteral("Data/Clinic1/"));
    job.CurrentFolder = home.path(QStringLiteral("Data/Clinic1"));

    const ScannerSettings settings = Load_Scanner_Settings(kind, job);

    QCOMPARE(settings.program, expand(home, program));
    QCOMPARE(job.ScannerProgram, settings.program);
    QCOMPARE(job.ScannerDataFolder, expand(home, dataFolder));
    QCOMPARE(home.read(fileName), fileAfter);
    if (kind == IntakeScanner::Pellmar)
        QCOMPARE(job.ScanDestFolder, home.path(QStringLiteral("Data/Clinic1")));
    else
        QVERIFY(job.ScanDestFolder.isEmpty());
}

void TestScannerSettings::firstWindowSetsTheFileForTheOthers()
{
    TestHome home;
    ScriptRecord job;
    job.CurrentFolder = home.path(QStringLiteral("Data"));
    Load_Scanner_Settings(IntakeScanner::Lsr, job);
    const QByteArray lsrFile = home.read(QStringLiteral("MiniScanner.Cfg"));

    // A Ruru-Zirorur window opened later runs the LSR program, in its own
    // job folder; the file stays as the first window wrote it.
    const ScannerSettings ruru = Load_Scanner_Settings(IntakeScanner::RuruZirorur, job);
    QCOMPARE(ruru.program, From_Windows_Path(QStringLiteral("C:\\LSR 3D Foot Scan\\Bin\\LSR_3D_Foot_Scan.exe")));
    QCOMPARE(job.ScannerDataFolder, home.path(QStringLiteral("Data/")));
    QCOMPARE(home.read(QStringLiteral("MiniScanner.Cfg")), lsrFile);
    QVERIFY(!QFileInfo::exists(home.path(QStringLiteral("Pellmar.Cfg"))));
}

void TestScannerSettings::eachWindowKeepsItsOwnValues()
{
    TestHome home;
    ScriptRecord job;
    job.CurrentFolder = home.path(QStringLiteral("Data"));
    job.DataFolder = home.path(QStringLiteral("Data/"));
    const ScannerSettings ruru = Load_Scanner_Settings(IntakeScanner::RuruZirorur, job);
    Load_Scanner_Settings(IntakeScanner::Pellmar, job);
    QVERIFY(job.ScannerProgram.contains(QLatin1String("Pellmar")));

    // At its scan the Ruru-Zirorur window puts back its own program, and
    // scans into the job folder of that moment.
    job.CurrentFolder = home.path(QStringLiteral("Data/Clinic2"));
    Put_Scanner_Settings(ruru, job);
    QCOMPARE(job.ScannerProgram, ruru.program);
    QCOMPARE(job.ScannerDataFolder, home.path(QStringLiteral("Data/Clinic2/")));
}

QTEST_GUILESS_MAIN(TestScannerSettings)
#include "tst_scannersettings.moc"
